#include "pages/sonstige_form.h"

#include "language/language.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/image.h"
#include "ui/layout.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"
#include "ui/platform_dialogs.h"

namespace pages {

TForm_Sonstige* Form_Sonstige = nullptr;

using namespace ui::layout;
using namespace sonstige;

namespace {

const PageDesign kDesign{"Form_Sonstige", kTitle, "Sonstige Einstellungen", "sonstige"};

constexpr int kListHeight = 250;
constexpr int kLogoWidth = 200;
constexpr int kLogoHeight = 150;
constexpr int kMemoHeight = 96;
constexpr int kFieldGap = 8;
constexpr int kGroupButtonWidth = 120;

int LabelRoom()
{
    return ui::MeasureText(ui::DefaultFont(), "Ag").cy + 3;
}

// A labelled edit from left over the given width, its label above it.
ui::LabelledEdit& AddLabelledEdit(ui::Control& parent, const Caption& caption, int left, int top, int width)
{
    return Tagged(parent.add<ui::LabelledEdit>(parent, caption.name, ui::Bounds{left, top, width, kFieldHeight},
                                               caption.text),
                  caption.tag);
}

ui::Button& AddButton(ui::Control& parent, const Caption& caption, int left, int top, int width)
{
    return Tagged(parent.add<ui::Button>(parent, caption.name, ui::Bounds{left, top, width, kButtonHeight}, caption.text),
                  caption.tag);
}

}  // namespace

TForm_Sonstige::TForm_Sonstige() : TweakPage(kDesign)
{
    createProgramsSheet();
    createOemSheet();
    createOwnerSheet();
    uninstallList_->setColumnCaption(0, language::LangString(kNameColumn));
    uninstallList_->setColumnCaption(1, language::LangString(kCommandColumn));
    uninstallList_->onSelectItem = [this](int index, bool selected) { ListView_UninstallSelectItem(index, selected); };
    find<ui::Button>("Button_Entfernen").onClick = [this] { Button_EntfernenClick(); };
    find<ui::Button>("Button_Aendern").onClick = [this] { Button_AendernClick(); };
    find<ui::Button>("Button_Reload").onClick = [this] { Button_ReloadClick(); };
    find<ui::Button>("Button_OEMBild").onClick = [this] { Button_OEMBildClick(); };
    find<ui::Button>("Button_OemBildDELETE").onClick = [this] { Button_OemBildDELETEClick(); };
    find<ui::Button>("Button_OemDELETE").onClick = [this] { Button_OemDELETEClick(); };
    finishCreation();
}

ui::TabSheet& TForm_Sonstige::addSheet(const char* name, int tag, const char* caption)
{
    return Tagged(PageControl1().add<ui::TabSheet>(PageControl1(), name, caption), tag);
}

void TForm_Sonstige::createProgramsSheet()
{
    auto& sheet = addSheet("TabSheet1", 13001, "Installierte Software");
    int top = kSheetMargin;
    GroupFlow group(sheet, top, {"GroupBox1", 13100, "Liste \"Software\" der Systemsteuerung"});
    group.note({"Label1", 13105,
                "Ändern und Entfernen wirken sofort. \"Entfernen\" nimmt nur den Eintrag aus der Liste; das "
                "Programm selbst bleibt installiert."});
    group.space(3);
    ui::GroupBox& frame = group.box();
    ui::ListViewOptions options;
    options.style = ui::ListViewStyle::Report;
    options.wholeRowSelect = true;
    options.sortedByCaption = true;
    uninstallList_ = &frame.add<ui::ListView>(frame, "ListView_Uninstall",
                                              ui::Bounds{kInset, group.y(), group.widthFrom(kInset), kListHeight}, options);
    uninstallList_->addColumn("Name", 320);
    uninstallList_->addColumn("Kommandozeile zur Deinstallation", 280);
    group.rowEndsAt(group.y() + kListHeight);
    group.space(LabelRoom() + 2);
    const int half = (group.widthFrom(kInset) - kFieldGap) / 2;
    AddLabelledEdit(frame, {"Edit_DisplayName", 13110, "Angezeigter Name:"}, kInset, group.y(), half);
    AddLabelledEdit(frame, {"Edit_UninstallString", 13111, "Kommandozeile:"}, kInset + half + kFieldGap, group.y(),
                    group.widthFrom(kInset + half + kFieldGap));
    group.rowEndsAt(group.y() + kFieldHeight);
    group.space(4);
    int left = kInset;
    for (const Caption& caption : {Caption{"Button_Aendern", 13121, "Ändern"}, Caption{"Button_Entfernen", 13120, "Entfernen"},
                                   Caption{"Button_Reload", 13122, "Liste neu einlesen"}}) {
        AddButton(frame, caption, left, group.y(), kGroupButtonWidth);
        left += kGroupButtonWidth + kFieldGap;
    }
    group.rowEndsAt(group.y() + kButtonHeight);
}

void TForm_Sonstige::createOemSheet()
{
    auto& sheet = addSheet("TabSheet2", 13002, "OEM-Angaben");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox2", 13200, "Angaben des Herstellers"});
        group.note({"Label2", 13205,
                    "Diese Angaben zeigt Windows im Reiter \"Allgemein\" der Systemeigenschaften. Sie werden mit "
                    "\"Ok\" gespeichert."});
        group.space(4);
        ui::GroupBox& frame = group.box();
        const int logoTop = group.y();
        // A sunken frame around the panel shows where the logo goes, also while there is none.
        auto& panel = frame.add<ui::Panel>(frame, "Panel_Oemlogo", ui::Bounds{kInset, logoTop, kLogoWidth + 2, kLogoHeight + 2});
        SetWindowLongPtrA(panel.handle(), GWL_EXSTYLE, GetWindowLongPtrA(panel.handle(), GWL_EXSTYLE) | WS_EX_STATICEDGE);
        SetWindowPos(panel.handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        logo_ = &panel.add<ui::Image>(panel, "Image_Oemlogo", ui::Bounds{0, 0, panel.clientWidth(), panel.clientHeight()});
        logo_->setStretch(true);
        const int buttonTop = logoTop + kLogoHeight + 8;
        const int buttonWidth = (kLogoWidth - kFieldGap) / 2;
        AddButton(frame, {"Button_OEMBild", 13214, "Bild auswählen"}, kInset, buttonTop, buttonWidth);
        AddButton(frame, {"Button_OemBildDELETE", 13215, "Bild entfernen"}, kInset + buttonWidth + kFieldGap, buttonTop,
                  buttonWidth);

        const int left = kInset + kLogoWidth + 16;
        const int width = group.widthFrom(left);
        int y = logoTop + LabelRoom();
        AddLabelledEdit(frame, {"Edit_Oem1", 13211, "Hersteller"}, left, y, width);
        y += kFieldHeight + 8 + LabelRoom();
        AddLabelledEdit(frame, {"Edit_Oem2", 13212, "Model , zusätzliche Angaben:"}, left, y, width);
        y += kFieldHeight + 8;
        auto& memoLabel = Tagged(frame.add<ui::Label>(frame, "Label_Memo_OEM", ui::Bounds{left, y, width, LabelRoom() - 3},
                                                      "Text unter \"SupportInformationen\""),
                                 13213);
        (void)memoLabel;
        y += LabelRoom();
        frame.add<ui::Memo>(frame, "Memo_OEM", ui::Bounds{left, y, width, kMemoHeight});
        auto& dummy = frame.add<ui::Memo>(frame, "Memo_oem_dummy", ui::Bounds{left, y, 10, 10});
        dummy.setVisible(false);
        group.rowEndsAt(std::max(buttonTop + kButtonHeight, y + kMemoHeight));
    }
    {
        GroupFlow group(sheet, top, {"GroupBox3", 13220, "Alle Angaben aus dem System entfernen"});
        group.note({"Label3", 13225,
                    "Legt oeminfo.ini und oemlogo.bmp sofort in den Papierkorb und leert die Felder oben."});
        group.space(4);
        AddButton(group.box(), {"Button_OemDELETE", 13229, "Entfernen"}, kInset, group.y(), kGroupButtonWidth);
        group.rowEndsAt(group.y() + kButtonHeight);
    }
}

void TForm_Sonstige::createOwnerSheet()
{
    auto& sheet = addSheet("TabSheet3", 13003, "Windows registriert auf");
    int top = kSheetMargin;
    GroupFlow group(sheet, top, {"GroupBox4", 13300, "Registrierter Benutzer"});
    group.note({"Label4", 13305,
                "Auf diesen Namen und diese Firma ist Windows registriert. Ein leeres Feld lässt den gespeicherten "
                "Namen unverändert."});
    ui::GroupBox& frame = group.box();
    group.space(LabelRoom() + 2);
    AddLabelledEdit(frame, {"Edit_User", 13301, "Person, Name"}, kInset, group.y(), group.widthFrom(kInset));
    group.rowEndsAt(group.y() + kFieldHeight);
    group.space(LabelRoom() + 4);
    AddLabelledEdit(frame, {"Edit_Firma", 13302, "Firma"}, kInset, group.y(), group.widthFrom(kInset));
    group.rowEndsAt(group.y() + kFieldHeight);
}

void TForm_Sonstige::CreateFilters()
{
    pictureFilter_ = PictureFilter();
}

TweakPage* TForm_Sonstige::singleInstance() const
{
    return Form_Sonstige;
}

void TForm_Sonstige::LoadSettings()
{
    loadRows(SonstigeBindingTable());
    LoadUninstallList();
}

void TForm_Sonstige::SaveSettings()
{
    saveRows(SonstigeBindingTable());
}

void TForm_Sonstige::loadLogo(const std::string& path)
{
    logoUnread_ = !logo_->loadFromFile(path);
}

void TForm_Sonstige::LoadUninstallList()
{
    uninstallList_->clear();
    for (const char* name : {"Button_Entfernen", "Button_Aendern", "Edit_DisplayName", "Edit_UninstallString"})
        find<ui::Control>(name).setEnabled(false);
    find<ui::Edit>("Edit_DisplayName").setText("");
    find<ui::Edit>("Edit_UninstallString").setText("");
    // Each item keeps the index of its program; the list sorts the items by name.
    programs_ = InstalledPrograms();
    for (std::size_t index = 0; index < programs_.size(); ++index) {
        const int item = uninstallList_->addItem(programs_[index].displayName);
        uninstallList_->setSubItem(item, 1, programs_[index].uninstallString);
        uninstallList_->setItemData(item, static_cast<LPARAM>(index));
    }
}

const InstalledProgram* TForm_Sonstige::selectedProgram() const
{
    const int item = uninstallList_->selectedIndex();
    if (item < 0)
        return nullptr;
    const auto index = static_cast<std::size_t>(uninstallList_->itemData(item));
    return index < programs_.size() ? &programs_[index] : nullptr;
}

void TForm_Sonstige::ListView_UninstallSelectItem(int, bool selected)
{
    auto& page = acting<TForm_Sonstige>();
    if (!selected)
        return;
    const InstalledProgram* program = page.selectedProgram();
    if (!program)
        return;
    for (const char* name : {"Button_Entfernen", "Button_Aendern", "Edit_DisplayName", "Edit_UninstallString"})
        page.find<ui::Control>(name).setEnabled(true);
    // The texts come from the program's record, never cut to what a list cell holds.
    page.find<ui::Edit>("Edit_DisplayName").setText(program->displayName);
    page.find<ui::Edit>("Edit_UninstallString").setText(program->uninstallString);
}

void TForm_Sonstige::Button_AendernClick()
{
    auto& page = acting<TForm_Sonstige>();
    const InstalledProgram* program = page.selectedProgram();
    if (!program || program->subkey.empty())
        return;
    const journal::ChangeScope change(page.caption() + ": " + page.find<ui::Button>("Button_Aendern").caption());
    const std::string key = kUninstallKey + "\\" + program->subkey;
    registry::RegUpdateText(HKLM, key, "DisplayName", page.find<ui::Edit>("Edit_DisplayName").text());
    registry::RegUpdateText(HKLM, key, "UninstallString", page.find<ui::Edit>("Edit_UninstallString").text());
    page.LoadUninstallList();
}

void TForm_Sonstige::Button_EntfernenClick()
{
    using language::LangString;
    auto& page = acting<TForm_Sonstige>();
    const InstalledProgram* program = page.selectedProgram();
    if (!program || program->subkey.empty())
        return;
    const std::string question = LangString(kRemoveEntryQuestion) + " \"" + page.find<ui::Edit>("Edit_DisplayName").text() +
                                 "\" " + LangString(kRemoveEntryQuestion + 1) + "\r" +
                                 LangString(kRemoveEntryQuestion + 2);
    if (ui::MessageDlg(question, ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) !=
        ui::MsgButton::Yes)
        return;
    const journal::ChangeScope change(page.caption() + ": " + page.find<ui::Button>("Button_Entfernen").caption());
    registry::RegKeyRemove(HKLM, kUninstallKey + "\\" + program->subkey);
    page.LoadUninstallList();
}

void TForm_Sonstige::Button_OEMBildClick()
{
    auto& page = acting<TForm_Sonstige>();
    ui::OpenDialogRequest request;
    request.title = language::LangString(kLogoDialogTitle);
    request.filter = page.pictureFilter_;
    const auto file = ui::OpenFileDialog(page.handle(), request);
    if (file && !file->empty() && page.logo_->loadFromFile(*file))
        page.logoUnread_ = false;
}

void TForm_Sonstige::Button_OemBildDELETEClick()
{
    auto& page = acting<TForm_Sonstige>();
    page.logo_->clear();
    page.logoUnread_ = false;
}

void TForm_Sonstige::Button_OemDELETEClick()
{
    auto& page = acting<TForm_Sonstige>();
    if (ui::MessageDlg(language::LangString(kRemoveOemQuestion), ui::MsgKind::Confirmation,
                       {ui::MsgButton::Yes, ui::MsgButton::No}) != ui::MsgButton::Yes)
        return;
    const journal::ChangeScope change(page.caption() + ": " + page.find<ui::Button>("Button_OemDELETE").caption());
    for (const std::string& file : {OemInfoFile(), OemLogoFile()})
        if (helpers::FileExists(file))
            helpers::RecycleFile(file);
    page.find<ui::Edit>("Edit_Oem1").setText("");
    page.find<ui::Edit>("Edit_Oem2").setText("");
    page.find<ui::Memo>("Memo_OEM").setText("");
    page.Button_OemBildDELETEClick();
}

}  // namespace pages
