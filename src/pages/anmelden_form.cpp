#include "pages/anmelden_form.h"

#include "language/language.h"
#include "pages/anmelden_rows.h"
#include "registry/change_journal.h"
#include "registry/registry.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"
#include "ui/spinedit.h"

namespace pages {

TForm_Anmelden* Form_Anmelden = nullptr;

using namespace ui::layout;
using namespace anmelden;

namespace {

const PageDesign kDesign{"Form_Anmelden", kTitle, "Einstellungen zur Windows-Anmeldung", "anmelden"};

constexpr int kFieldGap = 8;
constexpr int kSpinWidth = 70;
constexpr int kAccountListHeight = 250;
constexpr int kAccountColumnWidth = 560;
constexpr int kListButtonWidth = 100;

// Room for the label a labelled edit keeps above itself.
int LabelRoom()
{
    return ui::MeasureText(ui::DefaultFont(), "Ag").cy + 3;
}

// A labelled edit at `left` of the current row, its label above it.
ui::LabelledEdit& AddLabelledEdit(GroupFlow& group, const Caption& caption, int left, int top, int width)
{
    ui::GroupBox& box = group.box();
    return Tagged(box.add<ui::LabelledEdit>(box, caption.name, ui::Bounds{left, top, width, kFieldHeight}, caption.text),
                  caption.tag);
}

}  // namespace

TForm_Anmelden::TForm_Anmelden() : TweakPage(kDesign)
{
    createAutoLogonSheet();
    createSettingsSheet();
    createAccountsSheet();
    accounts_->setColumnCaption(0, language::LangString(kListColumn));
    finishCreation();
}

ui::TabSheet& TForm_Anmelden::addSheet(const char* name, int tag, const char* caption)
{
    return Tagged(PageControl1().add<ui::TabSheet>(PageControl1(), name, caption), tag);
}

void TForm_Anmelden::createAutoLogonSheet()
{
    auto& sheet = addSheet("TabSheet1", 2001, "Automatisch anmelden beim Start");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox4", 2110, "Automatisch anmelden"});
        group.checkBox({"CheckBox_AutoLogON", 2111, "Automatisch anmelden mit diesen Benutzerdaten:"});
        group.space(LabelRoom());
        // Account, password and domain side by side below the check box.
        const int left = kInset + kGlyph;
        const int width = (group.widthFrom(left) - 2 * kFieldGap) / 3;
        const int lineTop = group.y();
        AddLabelledEdit(group, {"Edit_Konto", 2112, "Benutzerkonto"}, left, lineTop, width);
        AddLabelledEdit(group, {"Edit_Kennwort", 2113, "Kennwort"}, left + width + kFieldGap, lineTop, width);
        AddLabelledEdit(group, {"Edit_Domain", 2114, "Netzwerk-Domäne"}, left + 2 * (width + kFieldGap), lineTop,
                        width);
        group.rowEndsAt(lineTop + kFieldHeight);
        group.space(4);
        group.note({"Label1", 2115,
                    "Windows speichert das Kennwort lesbar in der Registrierung. Jeder, der den Computer "
                    "einschaltet, wird mit diesem Benutzerkonto angemeldet."},
                   kGlyph);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox3", 2120, "Automatisches Anmelden begrenzen / erzwingen"});
        group.checkBox({"CheckBox_IgnoreShiftOverride", 2121,
                        "Automatische Anmeldung kann nicht durch Drücken von \"SHIFT\" umgangen werden"});
        // "Automatische Anmeldung auf [ 3 ] Neustarts von Windows begrenzen, danach abschalten"
        ui::GroupBox& box = group.box();
        const int lineTop = group.y();
        const char* const before = "Automatische Anmeldung auf";
        auto& count = Tagged(box.add<ui::CheckBox>(box, "CheckBox_AutoLogonCount",
                                                   ui::Bounds{kInset, lineTop + (kFieldHeight - kLineHeight) / 2,
                                                              ButtonWidthFor(box, before), kLineHeight},
                                                   before),
                             2122);
        auto& spin = box.add<ui::SpinEdit>(box, "SpinEdit_AutoLogonCount",
                                           ui::Bounds{Right(count) + 4, lineTop, kSpinWidth, kFieldHeight}, 0, 999, 1, 0);
        group.inlineLabel({"Label_AutoLogonCount", 2123, "Neustarts von Windows begrenzen, danach abschalten"},
                          SpinRight(spin) + 6);
        group.rowEndsAt(lineTop + kFieldHeight);
    }
}

void TForm_Anmelden::createSettingsSheet()
{
    auto& sheet = addSheet("TabSheet2", 2002, "Einstellungen");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox1", 2200, "Nachricht bei Anmeldung"});
        group.checkBox({"CheckBox_LegalNotice", 2201, "Nachricht anzeigen"});
        const int left = kInset + kGlyph;
        group.space(LabelRoom());
        AddLabelledEdit(group, {"Edit_LegalNoticeCaption", 2204, "Titel der Nachricht"}, left, group.y(),
                        group.widthFrom(left));
        group.rowEndsAt(group.y() + kFieldHeight);
        group.space(LabelRoom());
        AddLabelledEdit(group, {"Edit_LegalNoticeText", 2205, "Text der Nachricht"}, left, group.y(),
                        group.widthFrom(left));
        group.rowEndsAt(group.y() + kFieldHeight);
        group.space(4);
        group.note({"Label2", 2206,
                    "Windows zeigt die Nachricht vor jeder Anmeldung; der Benutzer muss sie mit \"OK\" bestätigen."},
                   kGlyph);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox2", 2210, "Sonstige Einstellungen"});
        group.checkBox({"CheckBox_Administrator", 2211, "Benutzerkonto \"Administrator\" anzeigen"});
        group.checkBox({"CheckBox_LogonType", 2212,
                        "Klassische Windows 2000-Anmeldung benutzen statt dem neuen Anmelden-Bildschirm von Windows XP"});
        group.checkBox({"CheckBox_DisableCAD", 2213,
                        "Vor der Anmeldung muss \"CTRL+ALT+ENTF\" gedrückt werden (nur wenn alte WinNT-Anmeldung "
                        "aktiv)"});
        group.checkBox({"CheckBox_AllowMultipleTSSessions", 2214,
                        "Die Option \"Benutzer wechseln\" anzeigen im Dialog \"Abmelden\" (ermöglicht schnelles "
                        "wechseln der Benutzerkonten)"});
    }
}

void TForm_Anmelden::createAccountsSheet()
{
    auto& sheet = addSheet("TabSheet3", 2003, "Unsichtbare Benutzerkonten");
    int top = kSheetMargin;
    GroupFlow group(sheet, top, {"GroupBox5", 2310, "Unsichtbare Benutzerkonten"});
    group.note({"Label3", 2315,
                "Benutzerkonten ohne Häkchen erscheinen nicht auf dem Willkommensbildschirm. \"Entfernen\" "
                "löscht den Eintrag eines Kontos sofort; Windows zeigt das Konto dann wieder an."});
    group.space(4);
    ui::GroupBox& box = group.box();
    ui::ListViewOptions options;
    options.style = ui::ListViewStyle::Report;
    options.checkBoxes = true;
    options.wholeRowSelect = true;
    accounts_ = &box.add<ui::ListView>(box, "ListView_UserList",
                                       ui::Bounds{kInset, group.y(), group.widthFrom(kInset), kAccountListHeight},
                                       options);
    accounts_->addColumn("Unsichtbare Benutzerkonten (unsichtbar = kein Häkchen)", kAccountColumnWidth);
    accounts_->onSelectItem = [this](int index, bool selected) { ListView_UserListSelectItem(index, selected); };
    group.rowEndsAt(Bottom(*accounts_));
    group.space(LabelRoom() + 2);
    // The account's name, then "Entfernen" and "Hinzufügen" at the right.
    const int lineTop = group.y();
    const int addLeft = group.innerRight() - kListButtonWidth;
    const int removeLeft = addLeft - kFieldGap - kListButtonWidth;
    auto& edit = AddLabelledEdit(group, {"Edit_User", 2316, "Benutzerkonto"}, kInset, lineTop,
                                 removeLeft - kFieldGap - kInset);
    edit.onChange = [this] { Edit_UserChange(); };
    auto& remove = Tagged(box.add<ui::Button>(box, "Button_Entfernen",
                                              ui::Bounds{removeLeft, lineTop - 1, kListButtonWidth, kButtonHeight},
                                              "Entfernen"),
                          2317);
    auto& add = Tagged(box.add<ui::Button>(box, "Button_Hinzufuegen",
                                           ui::Bounds{addLeft, lineTop - 1, kListButtonWidth, kButtonHeight},
                                           "Hinzufügen"),
                       2318);
    remove.onClick = [this] { Button_EntfernenClick(); };
    add.onClick = [this] { Button_HinzufuegenClick(); };
    remove.setEnabled(false);
    add.setEnabled(false);
    group.rowEndsAt(lineTop + kButtonHeight);
}

TweakPage* TForm_Anmelden::singleInstance() const
{
    return Form_Anmelden;
}

void TForm_Anmelden::LoadSettings()
{
    loadRows(AnmeldenBindingTable());
}

void TForm_Anmelden::SaveSettings()
{
    try {
        saveRows(AnmeldenBindingTable());
    } catch (const SavingStopped&) {
        // The user chose to stop at the empty message title: the rows from there on stay.
    }
}

void TForm_Anmelden::ListView_UserListSelectItem(int index, bool selected)
{
    if (!selected)
        return;
    auto& page = acting();
    page.find<ui::Edit>("Edit_User").setText(page.find<ui::ListView>("ListView_UserList").caption(index));
    page.find<ui::Button>("Button_Entfernen").setEnabled(true);
    page.find<ui::Button>("Button_Hinzufuegen").setEnabled(true);
}

void TForm_Anmelden::Edit_UserChange()
{
    auto& page = acting();
    const bool named = !page.find<ui::Edit>("Edit_User").text().empty();
    page.find<ui::Button>("Button_Entfernen").setEnabled(named);
    page.find<ui::Button>("Button_Hinzufuegen").setEnabled(named);
}

void TForm_Anmelden::Button_HinzufuegenClick()
{
    auto& page = acting();
    const std::string account = page.find<ui::Edit>("Edit_User").text();
    if (account.empty())
        return;  // a value without a name is no account
    page.find<ui::ListView>("ListView_UserList").addItem(account, -1, false);
}

void TForm_Anmelden::Button_EntfernenClick()
{
    auto& page = acting();
    const journal::ChangeScope change(page.caption() + ": " + page.find<ui::Button>("Button_Entfernen").caption());
    auto& list = page.find<ui::ListView>("ListView_UserList");
    const int index = list.selectedIndex();
    if (index < 0)
        return;
    const std::string account = list.caption(index);
    if (ui::MessageDlg(RemoveQuestion(account), ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) ==
        ui::MsgButton::No)
        return;
    list.deleteItem(index);
    registry::RegValueRemove(HKLM, kUserListKey, account);
}

}  // namespace pages
