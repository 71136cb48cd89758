#include "password/options_form.h"

#include "language/language.h"
#include "password/password.h"
#include "registry/control_binding.h"
#include "ui/look.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/layout.h"
#include "ui/pagecontrol.h"

namespace password {

TForm_Options* Form_Options = nullptr;

namespace {

constexpr int kCaptionText = 11000;

using ui::layout::Bottom;
using ui::layout::Caption;
using ui::layout::GroupFlow;
using ui::layout::Tagged;
using ui::layout::kInset;
using ui::layout::kCaptionTop;
using ui::layout::kSheetMargin;

// The indent of notes below a check box: where the check box's own text begins.
constexpr int kNoteIndent = 17;

// Where the password entries and their buttons lie on the first sheet.
constexpr int kEditLeft = 256;
constexpr int kEdit1Top = 128;
constexpr int kEdit2Top = 164;
constexpr int kEditWidth = 180;
constexpr int kEditHeight = 22;
constexpr int kButtonsTop = 212;
constexpr int kDeleteLeft = 352;
constexpr int kSetLeft = 484;
constexpr int kSheetButtonWidth = 120;
constexpr int kButtonHeight = 25;
constexpr int kEntryLabelGap = 8;

int LineHeight(const ui::Control& control)
{
    return ui::MeasureText(control.font(), "Ag").cy;
}

// One line (or a word-wrapped paragraph of the given width) at left, top.
ui::Label& AddText(ui::Control& parent, const Caption& caption, int left, int top, int width)
{
    auto& label =
        Tagged(parent.add<ui::Label>(parent, caption.name, ui::Bounds{left, top, width, 0}, caption.text), caption.tag);
    label.setWordWrap(width > 0);
    label.setAutoSize(true);
    return label;
}

// A group box holding one check box with notes below it, at `top` of the sheet;
// the box grows to its contents. Returns the check box.
ui::CheckBox& AddCheckGroup(ui::TabSheet& sheet, int& top, const Caption& group, const Caption& check,
                            bool designedChecked, std::initializer_list<Caption> notes)
{
    GroupFlow flow(sheet, top, group);
    auto& checkBox = flow.checkBox(check);
    checkBox.setChecked(designedChecked);
    for (const Caption& note : notes)
        flow.note(note, kNoteIndent);
    return checkBox;
}

void ShowHelpOfSheet(int pageIndex)
{
    ui::ShowHelpTopic(pageIndex == 0 ? "passwort" : "optionen");
}

}  // namespace

TForm_Options::TForm_Options() : ui::Form("Form_Options", 660, 540)
{
    // Children take their parent's font when they are created, so it comes first.
    setFont(ui::ArialFont(11));
    setKeptOnTop(true);

    pages_ = &add<ui::PageControl>(*this, "PageControl1", ui::Bounds{8, 8, 641, 489});
    auto& passwordSheet = Tagged(pages_->add<ui::TabSheet>(*pages_, "TabSheet1", "Passwort"), 11001);
    auto& optionsSheet = Tagged(pages_->add<ui::TabSheet>(*pages_, "TabSheet2", "Optionen"), 11002);
    createPasswordSheet(passwordSheet);
    createOptionsSheet(optionsSheet);

    auto& help = Tagged(add<ui::Button>(*this, "Button_hilfe", ui::Bounds{460, 508, 88, 25}, "Hilfe"), 202);
    help.onClick = [this] { Button_hilfeClick(); };
    auto& apply = Tagged(add<ui::Button>(*this, "Button_Apply", ui::Bounds{560, 508, 88, 25}, "Ok"), 200);
    apply.onClick = [this] { Button_ApplyClick(); };
    setDefaultButton(&apply);
    setHelpButton(&help);
    onClose = [this] { FormClose(); };

    setCaption(language::LangString(kCaptionText));
    loadOptions();
    pages_->setActivePage(passwordSheet);
}

void TForm_Options::createPasswordSheet(ui::TabSheet& sheet)
{
    const int lineHeight = LineHeight(sheet);
    int top = kSheetMargin - 2;
    const Caption explanation[] = {
        {"Label1", 11100, "Das Passwort schützt diese Software vor Änderungen an Ihrem System durch andere Benutzer."},
        {"Label2", 11101, "Ist ein Passwort eingerichtet, wird es bei jedem Start der Software abgefragt."},
        {"Label7", 11102,
         "Beachten Sie bitte, daß Passwörter zwischen Groß/Klein-Schreibung unterscheiden und mind. 6 Zeichen lang "
         "sein müssen!"},
    };
    for (const Caption& line : explanation)
        top = Bottom(AddText(sheet, line, kSheetMargin, top, 0));

    // The group box reaches from below the explanation to just under the buttons; its
    // controls are its children, placed so they lie at their positions on the sheet.
    const int groupTop = top + 5;
    const int groupLeft = kSheetMargin;
    const int groupRight = kSetLeft + kSheetButtonWidth + kInset;
    const int groupBottom = kButtonsTop + kButtonHeight + kInset;
    auto& group = Tagged(sheet.add<ui::GroupBox>(sheet, "GroupBox1",
                                                 ui::Bounds{groupLeft, groupTop, groupRight - groupLeft,
                                                            groupBottom - groupTop},
                                                 "Passwort einrichten oder entfernen"),
                         11110);
    const Caption instructions[] = {
        {"Label3", 11111, "Um ein Passwort einzurichten, geben Sie es in beide Felder ein und klicken Sie"},
        {"Label4", 11112, "auf \"Passwort setzen\". Ein bisher eingerichtetes Passwort wird dabei ersetzt."},
        {"Label5", 11113, "Um das Passwort zu entfernen, geben Sie das aktuelle Passwort in beide Felder ein"},
        {"Label6", 11114, "und klicken Sie auf \"Passwort entfernen\"."},
    };
    int line = kCaptionTop - 2;
    for (const Caption& instruction : instructions) {
        AddText(group, instruction, kInset, line, 0);
        line += lineHeight;
    }

    const auto onSheet = [&](int left, int top, int width, int height) {
        return ui::Bounds{left - groupLeft, top - groupTop, width, height};
    };
    const auto addEntry = [&](const char* editName, const char* labelName, int labelTag, const char* caption, int editTop) {
        auto& edit = group.add<ui::Edit>(group, editName, onSheet(kEditLeft, editTop, kEditWidth, kEditHeight));
        edit.setPasswordChar('*');
        // The label ends just left of its edit, centred on the edit's line.
        auto& label = AddText(group, {labelName, labelTag, caption}, 0, 0, 0);
        label.setBounds(onSheet(kEditLeft - kEntryLabelGap - label.width(), editTop + (kEditHeight - label.height()) / 2,
                                label.width(), label.height()));
        return &edit;
    };
    edit1_ = addEntry("Edit1", "Label8", 11115, "Passwort:", kEdit1Top);
    edit2_ = addEntry("Edit2", "Label9", 11116, "Passwort wiederholen:", kEdit2Top);

    auto& remove = Tagged(group.add<ui::Button>(group, "Button_PasswortDELETE",
                                                onSheet(kDeleteLeft, kButtonsTop, kSheetButtonWidth, kButtonHeight),
                                                "Passwort entfernen"),
                          11120);
    remove.onClick = [this] { Button_PasswortDELETEClick(); };
    auto& set = Tagged(group.add<ui::Button>(group, "Button_PasswortSET",
                                             onSheet(kSetLeft, kButtonsTop, kSheetButtonWidth, kButtonHeight),
                                             "Passwort setzen"),
                       11121);
    set.onClick = [this] { Button_PasswortSETClick(); };
}

void TForm_Options::createOptionsSheet(ui::TabSheet& sheet)
{
    auto& intro = AddText(sheet,
                          {"Label10", 11200,
                           "Die generellen Optionen, die Sie hier ändern können, werden beim Verlassen dieser Software "
                           "gespeichert und beim erneuten Starten wieder eingeladen."},
                          kSheetMargin, kSheetMargin, sheet.clientWidth() - 2 * kSheetMargin);
    int top = Bottom(intro) + 10;
    checkEnd_ = &AddCheckGroup(
        sheet, top, {"GroupBox2", 11210, "Erinnerungen"},
        {"CheckBox_END", 11211, "Bei Beenden der Software an einen Neustart von Windows erinnern"}, true, {});
    checkCpu_ = &AddCheckGroup(
        sheet, top, {"GroupBox3", 11220, "Kompatibilität"},
        {"CheckBox_CPU", 11221,
         "Unter \"Systembericht\" die Messung der CPU-Auslastung standardmäßig nicht aktivieren"},
        false,
        {{"Label12", 11222,
          "Auf manchen Systemen verzögert die Messung der CPU-Auslastung den Systembericht stark oder lässt ihn "
          "scheitern."},
         {"Label13", 11223, "Im Systembericht selbst können Sie die Messung trotzdem jederzeit einschalten."}});
    checkSaveCleanup_ = &AddCheckGroup(
        sheet, top, {"GroupBox4", 11230, "Optionen speichern"},
        {"CheckBox_SAVE_CLEANUP", 11231,
         "Unter \"System aufräumen\" alle Optionen bei Programmende speichern und bei Start laden"},
        true,
        {{"Label14", 11232,
          "Ist diese Option ausgeschaltet, beginnt \"System aufräumen\" bei jedem Start mit den voreingestellten "
          "Optionen."}});
}

void TForm_Options::loadOptions()
{
    helpers::LoadCheckFlagIfPresent(*checkEnd_, HKLM, kOptionsKey, "ENDMESSAGE");
    helpers::LoadCheckFlagIfPresent(*checkCpu_, HKLM, kOptionsKey, "CPU");
    helpers::LoadCheckFlagIfPresent(*checkSaveCleanup_, HKLM, kOptionsKey, "SAVE_CLEANUP");
}

void TForm_Options::FormClose()
{
    helpers::SaveCheckFlag(*checkEnd_, HKLM, kOptionsKey, "ENDMESSAGE");
    helpers::SaveCheckFlag(*checkCpu_, HKLM, kOptionsKey, "CPU");
    helpers::SaveCheckFlag(*checkSaveCleanup_, HKLM, kOptionsKey, "SAVE_CLEANUP");
}

void TForm_Options::Button_ApplyClick()
{
    close();
}

void TForm_Options::Button_hilfeClick()
{
    ShowHelpOfSheet(pages_->activePageIndex());
}

void TForm_Options::Button_PasswortSETClick()
{
    SetPasswordFromEntries(edit1_->text(), edit2_->text());
}

void TForm_Options::Button_PasswortDELETEClick()
{
    if (RemovePasswordByEntries(edit1_->text(), edit2_->text())) {
        edit1_->setText("");
        edit2_->setText("");
    }
}

}  // namespace password
