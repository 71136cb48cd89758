#include "pages/anmelden_rows.h"

#include "language/language.h"
#include "pages/flag_rows.h"
#include "registry/registry.h"
#include "ui/controls.h"
#include "ui/convert.h"
#include "ui/dialogs.h"
#include "ui/listview.h"
#include "ui/spinedit.h"

namespace pages::anmelden {

using namespace registry;

namespace {

// Load stages: automatic logon, "Administrator", the account list, the logon message,
// then the classic logon, Ctrl+Alt+Del, user switching, Shift and the logon count.
enum LoadStage {
    kAutoLogonStage,
    kAdministratorStage,
    kAccountListStage,
    kLegalNoticeStage,
    kLogonTypeStage,
    kDisableCADStage,
    kMultipleSessionsStage,
    kIgnoreShiftStage,
    kLogonCountStage,
};

ui::Edit& EditOf(ui::Component& page, const char* name)
{
    return page.find<ui::Edit>(name);
}

ui::CheckBox& BoxOf(ui::Component& page, const BindingRow& row)
{
    return page.find<ui::CheckBox>(row.control);
}

// --- Hidden accounts -------------------------------------------------------------------

void LoadAccounts(ui::Component& page, const BindingRow& row)
{
    auto& list = page.find<ui::ListView>(row.control);
    list.clear();
    EditOf(page, "Edit_User").setText("");
    page.find<ui::Button>("Button_Entfernen").setEnabled(false);
    for (const std::string& name : RegValueNames(row.root, row.key)) {
        if (RegValueKind(row.root, row.key, name) != RegDataKind::Integer || IsLeftOutAccount(name))
            continue;
        list.addItem(name, -1, RegReadInt(row.root, row.key, name) != 0);
    }
}

// Every item, in list order: the account shown (1) or hidden (0) on the Welcome screen.
void SaveAccounts(ui::Component& page, const BindingRow& row)
{
    auto& list = page.find<ui::ListView>(row.control);
    for (int index = 0; index < list.itemCount(); ++index)
        RegWriteInt(row.root, row.key, list.caption(index), list.checked(index) ? 1 : 0);
}

// --- Message before logon ------------------------------------------------------------

void LoadLegalNotice(ui::Component& page, const BindingRow& row)
{
    auto& box = BoxOf(page, row);
    box.setChecked(false);
    const std::string caption = RegReadText(row.root, row.key, "LegalNoticeCaption");
    if (caption.empty())
        return;
    EditOf(page, "Edit_LegalNoticeCaption").setText(caption);
    EditOf(page, "Edit_LegalNoticeText").setText(RegReadText(row.root, row.key, "LegalNoticeText"));
    box.setChecked(true);
}

void SaveLegalNotice(ui::Component& page, const BindingRow& row)
{
    const bool shown = BoxOf(page, row).checked();
    std::string caption = shown ? EditOf(page, "Edit_LegalNoticeCaption").text() : std::string{};
    std::string text = shown ? EditOf(page, "Edit_LegalNoticeText").text() : std::string{};
    if (shown && caption.empty() &&
        ui::MessageDlg(language::LangStrings({kEmptyTitleQuestion, kEmptyTitleQuestion + 1}), ui::MsgKind::Warning,
                       {ui::MsgButton::Yes, ui::MsgButton::No}) == ui::MsgButton::Yes)
        throw SavingStopped{};
    // Windows shows no message without a title, so a text alone is not kept.
    if (caption.empty())
        text.clear();
    RegWriteText(row.root, row.key, "LegalNoticeCaption", caption);
    RegWriteText(row.root, row.key, "LegalNoticeText", text);
}

// --- Automatic logon ---------------------------------------------------------------------

void LoadAutoLogon(ui::Component& page, const BindingRow& row)
{
    EditOf(page, "Edit_Konto").setText(RegReadText(row.root, row.key, "DefaultUserName"));
    EditOf(page, "Edit_Kennwort").setText(RegReadText(row.root, row.key, "DefaultPassword"));
    EditOf(page, "Edit_Domain").setText(RegReadText(row.root, row.key, "DefaultDomainName"));
    BoxOf(page, row).setChecked(RegReadText(row.root, row.key, "AutoAdminLogon") == "1");
}

// Unchecked switches the automatic logon off and keeps the stored account; checked
// stores the account only when the user confirms that its password is kept readable.
void SaveAutoLogon(ui::Component& page, const BindingRow& row)
{
    if (!BoxOf(page, row).checked()) {
        RegWriteText(row.root, row.key, "AutoAdminLogon", "0");
        RegWriteText(row.root, row.key, "ForceAutoLogon", "0");
        return;
    }
    if (ui::MessageDlg(language::LangStrings({kAutoLogonQuestion, kAutoLogonQuestion + 1}), ui::MsgKind::Confirmation,
                       {ui::MsgButton::Yes, ui::MsgButton::No}) == ui::MsgButton::No)
        return;
    RegWriteText(row.root, row.key, "DefaultUserName", EditOf(page, "Edit_Konto").text());
    RegWriteText(row.root, row.key, "DefaultPassword", EditOf(page, "Edit_Kennwort").text());
    RegWriteText(row.root, row.key, "DefaultDomainName", EditOf(page, "Edit_Domain").text());
    RegWriteText(row.root, row.key, "AutoAdminLogon", "1");
    RegWriteText(row.root, row.key, "ForceAutoLogon", "1");
    RegWriteText(row.root, row.key, "DontDisplayLastUserName", "0");
}

// --- Limited number of automatic logons -------------------------------------------

void LoadLogonCount(ui::Component& page, const BindingRow& row)
{
    BoxOf(page, row).setChecked(false);
    const std::string text = RegReadText(row.root, row.key, row.value);
    if (text.empty())
        return;
    const int count = ui::StrToInt(text);
    page.find<ui::SpinEdit>(row.spinEdit).setValue(count);
    BoxOf(page, row).setChecked(true);
}

void SaveLogonCount(ui::Component& page, const BindingRow& row)
{
    if (!BoxOf(page, row).checked()) {
        if (RegValueExists(row.root, row.key, row.value))
            RegValueRemove(row.root, row.key, row.value);
        return;
    }
    RegWriteText(row.root, row.key, row.value, std::to_string(page.find<ui::SpinEdit>(row.spinEdit).value()));
}

// --- The table -------------------------------------------------------------------------

BindingRow Staged(BindingRow row, int stage)
{
    row.loadStage = stage;
    return row;
}

BindingTable BuildTable()
{
    BindingTable table;
    table.push_back(SpecialRow("ListView_UserList", HKLM, kUserListKey, "", LoadAccounts, SaveAccounts,
                               kAccountListStage));
    // Written after the list, so the check box decides for an "Administrator" item.
    table.push_back(Staged(BoundRow("CheckBox_Administrator", HKLM, kUserListKey, "Administrator", Rule::DwordFlag),
                           kAdministratorStage));
    table.push_back(SpecialRow("CheckBox_LegalNotice", HKLM, kWinlogonKey, "LegalNoticeCaption", LoadLegalNotice,
                               SaveLegalNotice, kLegalNoticeStage));
    table.push_back(SpecialRow("CheckBox_AutoLogON", HKLM, kWinlogonKey, "AutoAdminLogon", LoadAutoLogon,
                               SaveAutoLogon, kAutoLogonStage));
    table.push_back(SpecialRow("CheckBox_LogonType", HKLM, kWinlogonKey, "LogonType", LoadZeroFlag, SaveZeroFlag,
                               kLogonTypeStage));
    table.push_back(SpecialRow("CheckBox_DisableCAD", HKLM, kWinlogonKey, "DisableCAD", LoadZeroFlag, SaveZeroFlag,
                               kDisableCADStage));
    table.push_back(Staged(BoundRow("CheckBox_IgnoreShiftOverride", HKLM, kWinlogonKey, "IgnoreShiftOverride",
                                    Rule::TextFlag),
                           kIgnoreShiftStage));
    table.push_back(Staged(BoundRow("CheckBox_AllowMultipleTSSessions", HKLM, kWinlogonKey, "AllowMultipleTSSessions",
                                    Rule::DwordFlag),
                           kMultipleSessionsStage));
    BindingRow count = SpecialRow("CheckBox_AutoLogonCount", HKLM, kWinlogonKey, "AutoLogonCount", LoadLogonCount,
                                  SaveLogonCount, kLogonCountStage);
    count.spinEdit = "SpinEdit_AutoLogonCount";
    table.push_back(count);
    return table;
}

}  // namespace

const BindingTable& AnmeldenBindingTable()
{
    static const BindingTable table = BuildTable();
    return table;
}

bool IsLeftOutAccount(const std::string& name)
{
    static const char* const kLeftOut[] = {"IUSR_", "IWAM_", "NETSHOWSERVICES", "VUSR_", "SQLAGENTCMDEXEC",
                                           "TSINTERNETUSER"};
    const std::string upper = ui::UpperCase(name);
    for (const char* account : kLeftOut)
        if (upper == account)
            return true;
    return false;
}

std::string RemoveQuestion(const std::string& account)
{
    return language::LangString(kRemoveQuestion) + " \"" + account + "\" " + language::LangString(kRemoveQuestion + 1) +
           "\r" + language::LangString(kRemoveQuestion + 2) + "\r" + language::LangString(kRemoveQuestion + 3);
}

}  // namespace pages::anmelden
