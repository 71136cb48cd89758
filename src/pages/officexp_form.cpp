#include "pages/officexp_form.h"

#include "language/language.h"
#include "pages/officexp_rows.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/pagecontrol.h"
#include "ui/platform_dialogs.h"

namespace pages {

TForm_OfficeXP* Form_OfficeXP = nullptr;

using namespace ui::layout;
using namespace officexp;

namespace {

const PageDesign kDesign{"Form_OfficeXP", kTitle, "Einstellungen zu Microsoft Office XP", "sonstigesoftware"};

constexpr int kDotsWidth = 25;
constexpr int kChangeWidth = 88;
constexpr int kFieldGap = 8;

}  // namespace

TForm_OfficeXP::TForm_OfficeXP() : TweakPage(kDesign)
{
    createMessengerSheet();
    createOfficeSheet();
    createOutlookSheet();
    find<ui::Button>("Button_BildLADEN").onClick = [this] { Button_BildLADENClick(); };
    find<ui::Button>("Button_Messenger").onClick = [this] { Button_MessengerClick(); };
    finishCreation();
}

ui::TabSheet& TForm_OfficeXP::addSheet(const char* name, int tag, const char* caption)
{
    return Tagged(PageControl1().add<ui::TabSheet>(PageControl1(), name, caption), tag);
}

void TForm_OfficeXP::createMessengerSheet()
{
    auto& sheet = addSheet("TabSheet1", 10001, "Microsoft Messenger");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox1", 10100, "Start und Installation"});
        group.checkBox({"CheckBox_MSMSGS", 10101,
                        "Den Messenger automatisch bei jedem Windows-Start laden (wenn Messenger installiert)"});
        group.checkBox({"CheckBox_MSMSGS_Hide", 10102,
                        "Den \"Windows Messenger\" von der Systemsteuerung aus deinstallierbar machen"});
        group.note({"Label1", 10105,
                    "Danach erscheint der Messenger unter \"Software\" - \"Windows-Komponenten hinzufügen/entfernen\"."},
                   kGlyph);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox2", 10110, "Richtlinie"});
        group.checkBox({"CheckBox_PreventRun", 10111, "Ausführen des Messenger-Clients grundsätzlich unterbinden"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox3", 10120, "Hintergrundbild"});
        group.note({"Label2", 10121,
                    "Wählen Sie eine GIF-Datei und klicken Sie auf \"Ändern\": Das Bild ersetzt sofort den "
                    "Hintergrund des Messengers. Das ursprüngliche Bild wird beim ersten Mal gesichert."});
        ui::GroupBox& frame = group.box();
        const int labelRoom = ui::MeasureText(ui::DefaultFont(), "Ag").cy + 3;
        group.space(labelRoom + 2);
        const int top = group.y();
        const int changeLeft = group.innerRight() - kChangeWidth;
        const int dotsLeft = changeLeft - kFieldGap - kDotsWidth;
        Tagged(frame.add<ui::LabelledEdit>(frame, "Edit_lvBack",
                                           ui::Bounds{kInset, top, dotsLeft - 4 - kInset, kFieldHeight}, "Bilddatei"),
               10124);
        frame.add<ui::Button>(frame, "Button_BildLADEN", ui::Bounds{dotsLeft, top, kDotsWidth, kFieldHeight}, "...");
        Tagged(frame.add<ui::Button>(frame, "Button_Messenger", ui::Bounds{changeLeft, top - 1, kChangeWidth, 23},
                                     "Ändern"),
               10129);
        group.rowEndsAt(top + kButtonHeight);
    }
}

void TForm_OfficeXP::createOfficeSheet()
{
    auto& sheet = addSheet("TabSheet2", 10002, "Office XP");
    int top = kSheetMargin;
    GroupFlow group(sheet, top, {"GroupBox4", 10200, "Office XP"});
    group.checkBox({"CheckBox_AdaptiveMenus_XP", 10201, "Persönlich angepasste Menüs verwenden"});
    group.checkBox({"CheckBox_AsstState_XP", 10202, "Alle Assistenten von \"Office XP\" deaktivieren"});
    group.checkBox({"CheckBox_ErrorReport", 10203, "Fehlerberichterstattung von Office XP komplett deaktivieren"});
    group.note({"Label3", 10205, "Diese Einstellungen lassen sich nur ändern, wenn Office XP installiert ist."});
}

void TForm_OfficeXP::createOutlookSheet()
{
    auto& sheet = addSheet("TabSheet3", 10003, "Outlook Express");
    int top = kSheetMargin;
    GroupFlow group(sheet, top, {"GroupBox5", 10300, "Outlook Express"});
    group.checkBox({"CheckBox_NoSplash_Outlook", 10301, "Splash-Screen während des Ladens von Outlook Express anzeigen"});
    ui::GroupBox& frame = group.box();
    const int lineTop = group.y();
    const Caption title{"CheckBox_WindowTitle_Outlook", 10302, "Diesen Fenstertitel verwenden:"};
    const int width = ButtonWidthFor(frame, title.text);
    Tagged(frame.add<ui::CheckBox>(frame, title.name,
                                   ui::Bounds{kInset, lineTop + (kFieldHeight - kLineHeight) / 2, width, kLineHeight},
                                   title.text),
           title.tag);
    const int editLeft = kInset + width + kFieldGap;
    frame.add<ui::Edit>(frame, "Edit_WindowTitle_Outlook",
                        ui::Bounds{editLeft, lineTop, group.innerRight() - editLeft, kFieldHeight});
    group.rowEndsAt(lineTop + kFieldHeight);
    group.note({"Label4", 10305,
                "Diese Einstellungen gelten für die erste Identität von Outlook Express und lassen sich nur ändern, "
                "wenn es eine gibt."});
}

void TForm_OfficeXP::CreateFilters()
{
    gifFilter_ = language::LangString(kGifFilterName) + "|*.gif";
}

TweakPage* TForm_OfficeXP::singleInstance() const
{
    return Form_OfficeXP;
}

void TForm_OfficeXP::findApplications()
{
    oeKey_ = OutlookExpressKey();
    oePresent_ = !oeKey_.empty() && registry::RegKeyExists(HKCU, oeKey_);
    const bool office = registry::RegKeyExists(HKCU, kOfficeKey);
    for (const char* name : {"CheckBox_AdaptiveMenus_XP", "CheckBox_AsstState_XP", "CheckBox_ErrorReport"})
        find<ui::CheckBox>(name).setEnabled(office);
    for (const char* name : {"CheckBox_NoSplash_Outlook", "CheckBox_WindowTitle_Outlook"})
        find<ui::CheckBox>(name).setEnabled(oePresent_);
    find<ui::Edit>("Edit_WindowTitle_Outlook").setEnabled(oePresent_);
}

void TForm_OfficeXP::LoadSettings()
{
    findApplications();
    loadRows(OfficeBindingTable());
}

void TForm_OfficeXP::SaveSettings()
{
    saveRows(OfficeBindingTable());
}

void TForm_OfficeXP::Button_BildLADENClick()
{
    auto& page = static_cast<TForm_OfficeXP&>(acting());
    ui::OpenDialogRequest request;
    request.title = language::LangString(kGifDialogTitle);
    request.filter = page.gifFilter_;
    const auto file = ui::OpenFileDialog(page.handle(), request);
    if (file && !file->empty())
        page.find<ui::Edit>("Edit_lvBack").setText(*file);
}

void TForm_OfficeXP::Button_MessengerClick()
{
    using language::LangString;
    TweakPage& page = acting();
    const std::string file = page.find<ui::Edit>("Edit_lvBack").text();
    if (file.empty() || !helpers::FileExists(file)) {
        ui::MessageDlg(LangString(kPictureMissing) + " " + file + " " + LangString(kPictureMissing + 1),
                       ui::MsgKind::Error, {ui::MsgButton::OK});
        return;
    }
    const std::string folder = registry::RegReadText(HKLM, kMessengerServiceKey, "InstallationDirectory");
    const std::string background = folder + "\\lvback.gif";
    if (folder.empty() || !helpers::FileExists(background)) {
        ui::MessageDlg(LangString(kNoMessengerFolder) + "\r" + LangString(kNoMessengerFolder + 1), ui::MsgKind::Error,
                       {ui::MsgButton::OK});
        return;
    }
    const journal::ChangeScope change(page.caption() + ": " + page.find<ui::Button>("Button_Messenger").caption());
    // The first backup keeps the Messenger's own picture; later changes never replace it.
    const std::string backup = folder + "\\lvback_velmora.gif";
    if (!helpers::FileExists(backup))
        helpers::CopyFileTo(background, backup, false);
    bool aborted = false;
    helpers::RecycleFiles(background + std::string(1, '\0'), aborted);
    if (helpers::CopyFileTo(file, background, false))
        ui::ShowMessage(LangString(kBackgroundChanged));
}

}  // namespace pages
