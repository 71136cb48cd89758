#include "pages/officexp_rows.h"

#include "language/language.h"
#include "pages/officexp_form.h"
#include "registry/helpers.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

namespace pages::officexp {

using namespace registry;

namespace {

std::string windowsFolder;

constexpr const char* kSysocSection = "Components";
constexpr const char* kSysocName = "msmsgs";
constexpr const char* kHidden = ",hide,";

// The Outlook Express rows work below the identity that loading found.
const TForm_OfficeXP* OfficePage(const ui::Component& page)
{
    return dynamic_cast<const TForm_OfficeXP*>(&page);
}

bool OutlookExpressPresent(const ui::Component& page)
{
    const auto* form = OfficePage(page);
    return form && form->OEPresent();
}

std::string OutlookExpressKeyOf(const ui::Component& page)
{
    const auto* form = OfficePage(page);
    return form ? form->OEKey() : std::string{};
}

ui::CheckBox& BoxOf(ui::Component& page, const BindingRow& row)
{
    return page.find<ui::CheckBox>(row.control);
}

// Rows of an application that is not installed are disabled and not saved.
bool Enabled(ui::Component& page, const BindingRow& row)
{
    return BoxOf(page, row).enabled();
}

// --- Outlook Express ---------------------------------------------------------------

void LoadSplash(ui::Component& page, const BindingRow& row)
{
    if (!OutlookExpressPresent(page))
        return;
    BoxOf(page, row).setChecked(!RegValueMatchesText(row.root, OutlookExpressKeyOf(page), row.value, "1"));
}

void SaveSplash(ui::Component& page, const BindingRow& row)
{
    if (!OutlookExpressPresent(page))
        return;
    const std::string key = OutlookExpressKeyOf(page);
    if (BoxOf(page, row).checked())
        RegValueRemove(row.root, key, row.value);
    else
        RegWriteInt(row.root, key, row.value, 1);
}

void LoadOutlookTitle(ui::Component& page, const BindingRow& row)
{
    auto& edit = page.find<ui::Edit>("Edit_WindowTitle_Outlook");
    BoxOf(page, row).setChecked(false);
    edit.setText("");
    if (!OutlookExpressPresent(page))
        return;
    const std::string title = RegReadText(row.root, OutlookExpressKeyOf(page), row.value);
    if (title.empty())
        return;
    edit.setText(title);
    BoxOf(page, row).setChecked(true);
}

void SaveOutlookTitle(ui::Component& page, const BindingRow& row)
{
    if (!OutlookExpressPresent(page))
        return;
    const std::string key = OutlookExpressKeyOf(page);
    if (BoxOf(page, row).checked())
        RegWriteText(row.root, key, row.value, page.find<ui::Edit>("Edit_WindowTitle_Outlook").text());
    else
        RegValueRemove(row.root, key, row.value);
}

// --- Office XP -----------------------------------------------------------------------

// Checked unless the value exists and holds 0; saving deletes it for checked.
void LoadAdaptiveMenus(ui::Component& page, const BindingRow& row)
{
    BoxOf(page, row).setChecked(
        !(RegValueExists(row.root, row.key, row.value) && RegReadInt(row.root, row.key, row.value) == 0));
}

void SaveAdaptiveMenus(ui::Component& page, const BindingRow& row)
{
    if (!Enabled(page, row))
        return;
    if (BoxOf(page, row).checked())
        RegValueRemove(row.root, row.key, row.value);
    else
        RegWriteInt(row.root, row.key, row.value, 0);
}

constexpr int kAssistantsOff = 38;
constexpr int kAssistantsOn = 21;

void LoadAssistants(ui::Component& page, const BindingRow& row)
{
    BoxOf(page, row).setChecked(RegReadInt(row.root, row.key, row.value) == kAssistantsOff);
}

void SaveAssistants(ui::Component& page, const BindingRow& row)
{
    if (Enabled(page, row))
        RegWriteInt(row.root, row.key, row.value, BoxOf(page, row).checked() ? kAssistantsOff : kAssistantsOn);
}

void LoadFlag(ui::Component& page, const BindingRow& row)
{
    LoadRow(page, BoundRow(row.control, row.root, row.key, row.value, Rule::DwordFlag));
}

void SaveFlagWhenEnabled(ui::Component& page, const BindingRow& row)
{
    if (Enabled(page, row))
        SaveRow(page, BoundRow(row.control, row.root, row.key, row.value, Rule::DwordFlag));
}

// --- The Messenger in the Windows components list -------------------------------------

void LoadSysocEntry(ui::Component& page, const BindingRow& row)
{
    auto& box = BoxOf(page, row);
    const std::string file = SysocFile();
    const std::string entry = helpers::FileExists(file) ? helpers::ReadIniText(file, kSysocSection, kSysocName) : "";
    box.setEnabled(!entry.empty());
    if (!entry.empty())
        box.setChecked(entry.find(kHidden) == std::string::npos);
}

// Checked takes "hide" out of the entry, so the Messenger can be removed in the
// Control Panel; unchecked puts the standard entry with "hide" back.
void SaveSysocEntry(ui::Component& page, const BindingRow& row)
{
    if (!Enabled(page, row))
        return;
    const std::string file = SysocFile();
    const std::string entry = helpers::ReadIniText(file, kSysocSection, kSysocName);
    if (entry.empty())
        return;
    const auto hidden = entry.find(kHidden);
    const bool checked = BoxOf(page, row).checked();
    if (hidden != std::string::npos && checked)
        helpers::WriteIniText(file, kSysocSection, kSysocName, entry.substr(0, hidden + 1) + entry.substr(hidden + 5));
    else if (hidden == std::string::npos && !checked)
        helpers::WriteIniText(file, kSysocSection, kSysocName, kStandardSysocEntry);
}

// --- Messenger start with Windows ------------------------------------------------------

std::string MessengerPath()
{
    return RegReadText(HKLM, kMessengerPathKey, "");
}

void LoadMessengerStart(ui::Component& page, const BindingRow& row)
{
    auto& box = BoxOf(page, row);
    const bool installed = !MessengerPath().empty();
    box.setEnabled(installed);
    if (installed)
        box.setChecked(!RegReadText(row.root, row.key, row.value).empty());
}

void SaveMessengerStart(ui::Component& page, const BindingRow& row)
{
    auto& box = BoxOf(page, row);
    if (!box.enabled())
        return;
    if (!box.checked()) {
        RegValueRemove(row.root, row.key, row.value);
        SetMessengerStartFlag(false);
        return;
    }
    if (RegValueExists(row.root, row.key, row.value))
        return;
    const std::string path = MessengerPath();
    if (path.empty()) {
        ui::MessageDlg(language::LangString(kNoMessengerPath) + "\r" + language::LangString(kNoMessengerPath + 1),
                       ui::MsgKind::Error, {ui::MsgButton::OK});
        return;
    }
    const std::string program = path[0] == '"' ? path : "\"" + path + "\"";
    RegWriteText(row.root, row.key, row.value, program + " /background");
    SetMessengerStartFlag(true);
}

BindingTable BuildTable()
{
    // The Outlook Express rows name the identities key; their values lie below the
    // identity that loading found.
    BindingTable table;
    table.push_back(SpecialRow("CheckBox_WindowTitle_Outlook", HKCU, kIdentitiesKey, "WindowTitle", LoadOutlookTitle,
                               SaveOutlookTitle));
    table.push_back(SpecialRow("CheckBox_NoSplash_Outlook", HKCU, kIdentitiesKey, "NoSplash", LoadSplash, SaveSplash));
    table.push_back(SpecialRow("CheckBox_AdaptiveMenus_XP", HKCU, "Software\\Microsoft\\Office\\10.0\\Common\\Toolbars",
                               "AdaptiveMenus", LoadAdaptiveMenus, SaveAdaptiveMenus));
    table.push_back(SpecialRow("CheckBox_AsstState_XP", HKCU, "Software\\Microsoft\\Office\\Common\\Assistant",
                               "AsstState", LoadAssistants, SaveAssistants));
    table.push_back(SpecialRow("CheckBox_ErrorReport", HKCU, "Software\\Policies\\Microsoft\\Office\\10.0\\Common",
                               "DWNeverUpload", LoadFlag, SaveFlagWhenEnabled));
    table.push_back(BoundRow("CheckBox_PreventRun", HKLM, "Software\\Policies\\Microsoft\\Messenger\\Client",
                             "PreventRun", Rule::DwordFlag));
    table.push_back(SpecialRow("CheckBox_MSMSGS_Hide", nullptr, "", kSysocName, LoadSysocEntry, SaveSysocEntry));
    table.push_back(SpecialRow("CheckBox_MSMSGS", HKCU, kRunKey, "MSMSGS", LoadMessengerStart, SaveMessengerStart));
    return table;
}

}  // namespace

std::string WindowsFolder()
{
    if (!windowsFolder.empty())
        return windowsFolder;
    char folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string{};
}

void SetWindowsFolder(const std::string& folder)
{
    windowsFolder = folder;
}

std::string SysocFile()
{
    return WindowsFolder() + "\\inf\\sysoc.inf";
}

std::string OutlookExpressKey()
{
    const auto identities = RegSubkeyNames(HKCU, kIdentitiesKey);
    if (identities.empty())
        return {};
    return kIdentitiesKey + "\\" + identities.front() + kOutlookExpressBelowIdentity;
}

void SetMessengerStartFlag(bool on)
{
    const int size = RegReadBinary(HKCU, kMessengerSettingsKey, "AppSettings");
    // Only a record the Messenger wrote itself is changed, and only in byte 1, with its
    // own length: a missing or unreadable record is not made up.
    if (size < 2 || static_cast<std::size_t>(size) >= kBinaryScratchSize)
        return;
    std::uint8_t& flag = BinaryScratch[1];
    if (on && (flag == 0 || flag == 1))
        flag = static_cast<std::uint8_t>(flag + 2);
    else if (!on && (flag == 2 || flag == 3))
        flag = static_cast<std::uint8_t>(flag - 2);
    else
        return;
    RegWriteBinary(HKCU, kMessengerSettingsKey, "AppSettings", size);
}

const BindingTable& OfficeBindingTable()
{
    static const BindingTable table = BuildTable();
    return table;
}

}  // namespace pages::officexp
