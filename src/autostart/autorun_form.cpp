#include "autostart/autorun_form.h"

#include "autostart/autorun_rows.h"
#include "components/shortcut_link.h"
#include "language/language.h"
#include "registry/helpers.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/drawn_list.h"
#include "ui/drive_pictures.h"
#include "ui/errors.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"
#include "ui/platform_dialogs.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

namespace autostart {

TForm_Autorun* Form_Autorun = nullptr;

using namespace ui::layout;

namespace {

const pages::PageDesign kDesign{"Form_Autorun", kTitle, "Einstellungen zu Autostart & Autorun", "autostartautorun"};

constexpr int kMinListHeight = 200;
constexpr int kRowHeight = 24;
constexpr int kNameEditWidth = 200;
constexpr int kSelectButtonWidth = 30;
constexpr int kFieldGap = 8;
constexpr int kButtonGap = 6;
constexpr int kMinButtonWidth = 88;
constexpr int kLetterSpacingX = 76;  // a drive letter's cell: its caption on one line
constexpr int kLetterSpacingY = 62;
constexpr int kTextTop = 4;    // every text of a row starts this far below its top
constexpr int kIconLeft = 4;   // the entry's icon in the name column
constexpr int kNameLeft = 28;  // the name, right of the icon
constexpr int kCellPadding = 4;  // texts of the other columns start where their titles start

struct ColumnDesign {
    const char* title;
    int width;
};
constexpr ColumnDesign kColumns[] = {{"Name", 240}, {"Typ", 180}, {"Befehlszeile", 300}};

int ButtonWidth(const ui::Control& parent, const std::string& caption)
{
    return std::max(kMinButtonWidth, static_cast<int>(ui::MeasureText(parent.font(), caption).cx) + 24);
}

// A text from (x, y) to the cell's right edge; one that does not fit ends in "...".
void TextAt(HDC dc, int x, int y, const RECT& cell, const std::string& text)
{
    RECT area{x, y, cell.right - kCellPadding, cell.bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

TForm_Autorun::TForm_Autorun() : TweakPage(kDesign), driveImages_(ui::DriveImageList(32))
{
    shortcutLink_ = &add<components::TShortcutLink>("ShortcutLink1");
    shortcutLink_->setQuiet(false);
    shortcutLink_->setHotKey(" ");
    shortcutLink_->setIconNumber(0);
    createAutostartSheet();
    createDriveSheet();
    createOtherSheet();
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column)
        list_->setColumnCaption(column, language::LangString(kColumnName + column));
    finishCreation();
}

TForm_Autorun::~TForm_Autorun() = default;

ui::TabSheet& TForm_Autorun::addSheet(const char* name, int tag, const char* caption)
{
    return Tagged(PageControl1().add<ui::TabSheet>(PageControl1(), name, caption), tag);
}

void TForm_Autorun::createAutostartSheet()
{
    auto& sheet = addSheet("TabSheet1", kSheetAutostart, "Automatisch startende Anwendungen");
    const int left = kSheetMargin;
    const int right = sheet.clientWidth() - kSheetMargin;
    const char* const noteText =
        "\"Entfernen\" markiert einen Eintrag nur: Velmora entfernt ihn erst beim Klick auf \"Ok\". Verknüpfungen "
        "aus den Autostart-Ordnern kommen dabei in den Papierkorb.";

    // The list takes the height that the edits, the buttons and the note below it leave.
    const int labelRoom = ui::MeasureText(ui::DefaultFont(), "Ag").cy + 3;
    const int noteHeight = ui::MeasureText(sheet.font(), noteText, right - left).cy;
    const int below = 8 + labelRoom + kFieldHeight + 10 + kButtonHeight + 10 + noteHeight;
    const int listHeight = std::max(kMinListHeight, sheet.clientHeight() - 2 * kSheetMargin - below);

    list_ = &sheet.add<ui::DrawnList>(sheet, "VirtualDrawTree_Autorun", ui::Bounds{left, kSheetMargin, right - left, listHeight});
    for (const ColumnDesign& column : kColumns)
        list_->addColumn(column.title, column.width);
    list_->setRowHeight(kRowHeight);
    list_->onFocusChange = [this](int row) { self().VirtualDrawTree_AutorunChange(row); };
    list_->onDrawCell = [this](HDC dc, int row, int column, const RECT& cell) {
        self().VirtualDrawTree_AutorunDrawNode(dc, row, column, cell);
    };

    // The edits below the list, each with its label above it.
    const int editTop = Bottom(*list_) + 8 + labelRoom;
    nameEdit_ = &Tagged(sheet.add<ui::LabelledEdit>(sheet, "Edit_AutoRunNAME",
                                                    ui::Bounds{left, editTop, kNameEditWidth, kFieldHeight}, "Name:"),
                        4110);
    const int commandLeft = left + kNameEditWidth + kFieldGap;
    const int selectLeft = right - kSelectButtonWidth;
    commandEdit_ = &Tagged(sheet.add<ui::LabelledEdit>(sheet, "Edit_AutoRunCOMMAND",
                                                       ui::Bounds{commandLeft, editTop, selectLeft - 4 - commandLeft,
                                                                  kFieldHeight},
                                                       "Kommandozeile:"),
                           4111);
    auto& select = sheet.add<ui::Button>(sheet, "Button_AutorunSELECT",
                                         ui::Bounds{selectLeft, editTop - 1, kSelectButtonWidth, kButtonHeight}, "...");
    select.onClick = [this] { self().Button_AutorunSELECTClick(); };

    // The buttons, one row below the edits.
    const int buttonTop = editTop + kFieldHeight + 10;
    int x = left;
    const auto addButton = [&](const char* name, int tag, const char* caption, void (TForm_Autorun::*handler)()) {
        auto& button = Tagged(sheet.add<ui::Button>(sheet, name,
                                                    ui::Bounds{x, buttonTop, ButtonWidth(sheet, caption), kButtonHeight},
                                                    caption),
                              tag);
        button.onClick = [this, handler] { (self().*handler)(); };
        x = Right(button) + kButtonGap;
        return &button;
    };
    editButton_ = addButton("Button_AutorunBEARBEITEN", 4120, "Bearbeiten", &TForm_Autorun::Button_AutorunBEARBEITENClick);
    addButton_ = addButton("Button_AutoRunADD", 4121, "Hinzufügen", &TForm_Autorun::Button_AutoRunADDClick);
    removeButton_ = addButton("Button_AutorunDELETE", 4122, "Entfernen", &TForm_Autorun::Button_AutorunDELETEClick);
    keepButton_ = addButton("Button_AutoRunNOTDELETE", 4123, "Nicht entfernen", &TForm_Autorun::Button_AutoRunNOTDELETEClick);

    auto& note = Tagged(sheet.add<ui::Label>(sheet, "Label_AutorunNote",
                                             ui::Bounds{left, buttonTop + kButtonHeight + 10, right - left, 0}, noteText),
                        4130);
    note.setWordWrap(true);
    note.setAutoSize(true);
}

void TForm_Autorun::createDriveSheet()
{
    auto& sheet = addSheet("TabSheet2", 4002, "Autorun nach Laufwerk");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox1", 4200, "Nach Laufwerkstyp"});
        group.checkBox({"CheckBox_DriveTyp_CDROM", 4201, "Medienwechsel in CD-ROM Laufwerken melden"});
        group.checkBox({"CheckBox_DriveTyp_Removable", 4202, "Medienwechsel in Geräten mit Wechselmelden melden"});
        group.checkBox({"CheckBox_DriveTyp_RAM", 4203, "Medienwechsel in RAM-Laufwerken melden"});
        group.checkBox({"CheckBox_DriveTyp_Fixed", 4204, "Medienwechsel in Festplatten melden"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox2", 4210, "Nach Laufwerk"});
        group.note({"Label_DrivesNote", 4215,
                    "Nur die markierten Laufwerke melden einen Medienwechsel, so dass Windows das Autorun-Programm "
                    "eines eingelegten Datenträgers starten kann."});
        ui::GroupBox& box = group.box();
        const int height = sheet.clientHeight() - kSheetMargin - kGroupBottom - box.top() - group.y();
        ui::ListViewOptions options;
        options.style = ui::ListViewStyle::LargeIcons;
        options.checkBoxes = true;
        drives_ = &box.add<ui::ListView>(box, "ListView_AutorunDrives",
                                         ui::Bounds{kInset, group.y(), group.widthFrom(kInset), height}, options);
        drives_->setLargeImages(driveImages_.get());
        // Seven letters to a row: all 26 are in view without scrolling.
        ListView_SetIconSpacing(drives_->handle(), kLetterSpacingX, kLetterSpacingY);
        group.rowEndsAt(Bottom(*drives_));
    }
}

void TForm_Autorun::createOtherSheet()
{
    auto& sheet = addSheet("TabSheet3", 4003, "Sonstiges");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox3", 4300, "CD-ROM-Laufwerke auf eingelegte CDs untersuchen"});
        group.checkBox({"CheckBox_CDROM_AutoRun", 4301, "Jede Sekunde nach neu eingelegten CDs suchen"});
        group.note({"Label_CdromNote", 4305,
                    "Nur dann erkennt Windows eine eingelegte CD von selbst und kann ihr Autorun-Programm starten. "
                    "Die Einstellung wirkt nach einem Neustart von Windows."},
                   kGlyph);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox4", 4310, "Audio-CDs abspielen mit"});
        group.note({"Label_AudioCdNote", 4315,
                    "Diese Kommandozeile startet Windows, wenn Sie eine Audio-CD abspielen. \"%L\" steht für das "
                    "Laufwerk der CD."});
        ui::GroupBox& box = group.box();
        group.space(ui::MeasureText(ui::DefaultFont(), "Ag").cy + 3);
        auto& edit = Tagged(box.add<ui::LabelledEdit>(box, "Edit_AudioCD",
                                                      ui::Bounds{kInset, group.y(), group.widthFrom(kInset), kFieldHeight},
                                                      "Kommandozeile für Audio-CDs:"),
                            4314);
        group.rowEndsAt(Bottom(edit));
    }
}

pages::TweakPage* TForm_Autorun::singleInstance() const
{
    return Form_Autorun;
}

TForm_Autorun& TForm_Autorun::self()
{
    return static_cast<TForm_Autorun&>(acting());
}

void TForm_Autorun::LoadSettings()
{
    // win.ini may carry read-only, hidden or system: the autostart list writes it.
    helpers::MakeFileWritable(WinIniFile());
    manager_.bind(*list_, *shortcutLink_);
    // A Run key that cannot be created is reported; the list shows what could be read
    // and the drive settings still load.
    try {
        manager_.PrepareSourceLabels();
        manager_.CollectAutostartEntries();
    } catch (const ui::Exception& error) {
        ui::App().showException(error);
    }
    nameEdit_->setText("");
    commandEdit_->setText("");
    editButton_->setEnabled(false);
    removeButton_->setEnabled(false);
    keepButton_->setEnabled(false);
    addButton_->setEnabled(true);
    loadRows(AutorunBindingTable());
}

void TForm_Autorun::SaveSettings()
{
    autostartApplied_ = manager_.ApplyAutostartChanges() || autostartApplied_;
    try {
        saveRows(AutorunBindingTable());
    } catch (const ui::EAbort&) {
        throw;
    } catch (const ui::Exception& error) {
        if (!autostartApplied_)
            throw;
        askToLeaveAfterPartialSave(error);
    }
}

// The autostart list was written, a later setting was refused (HKLM without
// administrator rights, say). The list shows the sources as they now are, the user is
// told what was taken and what not, and chooses whether the page closes.
void TForm_Autorun::askToLeaveAfterPartialSave(const ui::Exception& error)
{
    try {
        manager_.CollectAutostartEntries();
    } catch (const ui::Exception&) {
        // A Run key that cannot be created lists no rows; the others are there.
    }
    const std::string text = language::MessageLines({language::LangString(kAutostartSaved),
                                                     language::LangString(kSettingsRefused), error.what(),
                                                     language::LangString(kCloseAnyway)});
    if (ui::MessageDlg(text, ui::MsgKind::Warning, {ui::MsgButton::Yes, ui::MsgButton::No}) != ui::MsgButton::Yes)
        throw ui::EAbort();  // the page stays open; the user has been told
}

void TForm_Autorun::VirtualDrawTree_AutorunChange(int row)
{
    const AutostartRow* current = manager_.row(row);
    if (!current)
        return;
    nameEdit_->setText(current->entry.Name);
    commandEdit_->setText(current->entry.Command);
    showRowState(row);
}

void TForm_Autorun::showRowState(int row)
{
    const AutostartRow* current = manager_.row(row);
    if (!current)
        return;
    editButton_->setEnabled(!current->markedForRemoval);
    removeButton_->setEnabled(!current->markedForRemoval);
    keepButton_->setEnabled(current->markedForRemoval);
    addButton_->setEnabled(true);
}

void TForm_Autorun::VirtualDrawTree_AutorunDrawNode(HDC dc, int row, int column, const RECT& cell)
{
    const AutostartRow* current = manager_.row(row);
    if (!current)
        return;
    const AutostartEntry& entry = current->entry;
    const int top = cell.top + kTextTop;
    switch (column) {
    case 0:
        if (entry.IconIndex != -1)
            ImageList_Draw(manager_.AutostartIcons(), entry.IconIndex, dc, cell.left + kIconLeft, top, ILD_TRANSPARENT);
        TextAt(dc, cell.left + kNameLeft, top, cell,
               current->markedForRemoval ? language::LangString(kMarkedPrefix) + " " + entry.Name : entry.Name);
        break;
    case 1:
        TextAt(dc, cell.left + kCellPadding, top, cell, entry.SourceLabel);
        break;
    case 2:
        TextAt(dc, cell.left + kCellPadding, top, cell, entry.Command);
        break;
    default:
        break;
    }
}

void TForm_Autorun::Button_AutorunSELECTClick()
{
    ui::OpenDialogRequest request;
    request.title = language::LangString(kSelectTitle);
    request.fileName = chosenProgram_;
    request.fileMustExist = true;
    // A cancelled dialog leaves the command line as the user left it.
    if (const auto chosen = ui::OpenFileDialog(handle(), request); chosen && !chosen->empty()) {
        chosenProgram_ = *chosen;
        commandEdit_->setText(*chosen);
    }
}

void TForm_Autorun::warnAboutName(NameProblem problem)
{
    const int reason = problem == NameProblem::Taken ? kNameTaken : kNameNotAllowed;
    ui::MessageDlg(language::LangStrings({reason, kOtherName}), ui::MsgKind::Warning, {ui::MsgButton::OK});
}

void TForm_Autorun::Button_AutorunBEARBEITENClick()
{
    const int row = list_->focusedRow();
    AutostartRow* current = manager_.row(row);
    if (!current)
        return;
    AutostartEntry& entry = current->entry;
    const std::string typedName = nameEdit_->text();
    const std::string command = commandEdit_->text();
    if (typedName == entry.Name && command == entry.Command) {
        ui::MessageDlg(language::LangStrings({kUnchanged, kUnchanged + 1}), ui::MsgKind::Warning, {ui::MsgButton::OK});
        return;
    }
    // A new name must be free in the entry's place, so that applying overwrites nothing.
    const std::string name = manager_.entryName(row, typedName);
    if (name != entry.Name) {
        if (const NameProblem problem = manager_.checkName(row, typedName); problem != NameProblem::None) {
            warnAboutName(problem);
            return;
        }
    }
    entry.Name = name;
    entry.Command = command;
    entry.Modified = true;
    list_->repaintRows();
}

void TForm_Autorun::Button_AutoRunADDClick()
{
    const std::string name = nameEdit_->text();
    // An entry of the same name would replace the one the Run key holds.
    if (const NameProblem problem = manager_.checkName(-1, name); problem != NameProblem::None) {
        warnAboutName(problem);
        return;
    }
    manager_.AddAutostartEntry(name, commandEdit_->text(), 0);
}

void TForm_Autorun::Button_AutorunDELETEClick()
{
    const int row = list_->focusedRow();
    AutostartRow* current = manager_.row(row);
    if (!current)
        return;
    const std::string question =
        language::LangString(kConfirmRemoval) + " \"" + current->entry.Name + "\" " + language::LangString(kConfirmRemoval + 1);
    if (ui::MessageDlg(question, ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) == ui::MsgButton::No)
        return;
    current->markedForRemoval = true;
    list_->repaintRow(row);
    VirtualDrawTree_AutorunChange(row);
}

void TForm_Autorun::Button_AutoRunNOTDELETEClick()
{
    const int row = list_->focusedRow();
    AutostartRow* current = manager_.row(row);
    if (!current)
        return;
    current->markedForRemoval = false;
    list_->repaintRow(row);
    VirtualDrawTree_AutorunChange(row);
}

}  // namespace autostart
