#include "pages/startmenu_rows.h"

#include "pages/flag_rows.h"
#include "registry/registry.h"
#include "ui/controls.h"
#include "ui/convert.h"
#include "ui/spinedit.h"

namespace pages::startmenu {

using namespace registry;

namespace {

// The delay's texts for opening on a click only and for opening at once.
const std::string kOnClickOnly = "60000";
const std::string kAtOnce = "0";

// Rows loaded after the Start menu's entries: everything from the delay on, except
// "Abmelden" and "Hilfe und Support", which load right after the program groups.
constexpr int kLaterStage = 1;

// --- Administrative tools: a "YES"/"NO" text, or a DWORD 1 of older settings -----------

void LoadAdminTools(ui::Component& page, const BindingRow& row)
{
    bool shown = false;
    switch (RegValueKind(row.root, row.key, row.value)) {
    case RegDataKind::String:
        shown = ui::UpperCase(RegReadText(row.root, row.key, row.value)) == "YES";
        break;
    case RegDataKind::Integer:
        shown = RegReadInt(row.root, row.key, row.value) == 1;
        break;
    default:
        break;
    }
    page.find<ui::CheckBox>(row.control).setChecked(shown);
}

void SaveAdminTools(ui::Component& page, const BindingRow& row)
{
    if (RegValueExists(row.root, row.key, row.value))
        RegValueRemove(row.root, row.key, row.value);
    RegWriteText(row.root, row.key, row.value, page.find<ui::CheckBox>(row.control).checked() ? "YES" : "NO");
}

// --- Delay of program groups -------------------------------------------------------------

ui::RadioButton& Radio(ui::Component& page, const char* name)
{
    return page.find<ui::RadioButton>(name);
}

void LoadMenuShowDelay(ui::Component& page, const BindingRow& row)
{
    auto& spin = page.find<ui::SpinEdit>(row.spinEdit);
    Radio(page, "RadioButton_MenuShowDelay3").setChecked(true);
    spin.setValue(kWindowsDelay);
    const std::string text = RegReadText(row.root, row.key, row.value);
    if (text.empty())
        return;
    spin.setValue(ui::StrToInt(text));  // held within the spin edit's range
    Radio(page, "RadioButton_MenuShowDelay").setChecked(true);
    const char* special = text == std::to_string(kWindowsDelay) ? "RadioButton_MenuShowDelay3"
                          : text == kOnClickOnly                ? "RadioButton_MenuShowDelay1"
                          : text == kAtOnce                     ? "RadioButton_MenuShowDelay2"
                                                                : nullptr;
    if (special) {
        spin.setValue(kWindowsDelay);
        Radio(page, special).setChecked(true);
    }
}

void SaveMenuShowDelay(ui::Component& page, const BindingRow& row)
{
    const bool windowsDefault = Radio(page, "RadioButton_MenuShowDelay3").checked();
    std::string text;
    if (!windowsDefault)
        text = std::to_string(page.find<ui::SpinEdit>(row.spinEdit).value());
    if (Radio(page, "RadioButton_MenuShowDelay1").checked())
        text = kOnClickOnly;
    else if (Radio(page, "RadioButton_MenuShowDelay2").checked())
        text = kAtOnce;
    if (!text.empty())
        RegWriteText(row.root, row.key, row.value, text);
    if (windowsDefault && RegValueExists(row.root, row.key, row.value))
        RegValueRemove(row.root, row.key, row.value);
}

// --- The table -------------------------------------------------------------------------

BindingTable BuildTable()
{
    const std::string& policies = kExplorerPoliciesKey;
    const auto flag = [](const char* control, const std::string& key, const char* value, int stage = 0) {
        BindingRow row = BoundRow(control, HKCU, key, value, Rule::DwordFlag);
        row.loadStage = stage;
        return row;
    };
    const auto special = [](const char* control, const std::string& key, const char* value, RowFunction load,
                            RowFunction save) { return SpecialRow(control, HKCU, key, value, load, save, kLaterStage); };

    BindingTable table;
    table.push_back(flag("CheckBox_StartMenuFavorites", kAdvancedKey, "StartMenuFavorites"));
    table.push_back(flag("CheckBox_Start_NotifyNewApps", kAdvancedKey, "Start_NotifyNewApps"));
    table.push_back(SpecialRow("CheckBox_StartMenuAdminTools", HKCU, kAdvancedKey, "StartMenuAdminTools",
                               LoadAdminTools, SaveAdminTools));
    table.push_back(flag("CheckBox_NoFind", policies, "NoFind"));
    table.push_back(flag("CheckBox_NoRun", policies, "NoRun"));
    table.push_back(flag("CheckBox_NoClose", policies, "NoClose"));
    table.push_back(flag("CheckBox_NoCommonGroups", policies, "NoCommonGroups"));
    // The four choices of the delay: the Windows default is the row's control, the
    // own number's button and spin edit are its own-number controls.
    BindingRow delay = special("RadioButton_MenuShowDelay3", kDesktopKey, "MenuShowDelay", LoadMenuShowDelay,
                               SaveMenuShowDelay);
    delay.ownButton = "RadioButton_MenuShowDelay";
    delay.spinEdit = "SpinEdit_MenuShowDelay";
    table.push_back(delay);
    table.push_back(flag("CheckBox_NoRecentDocsHistory", policies, "NoRecentDocsHistory", kLaterStage));
    table.push_back(flag("CheckBox_ClearRecentDocsOnExit", policies, "ClearRecentDocsOnExit", kLaterStage));
    table.push_back(special("CheckBox_EnableBalloonTips", kAdvancedKey, "EnableBalloonTips", LoadFlagUnlessZero,
                            SaveDwordFlag));
    BindingRow lowDiskSpace = BoundRow("CheckBox_NoLowDiskSpaceChecks", HKCU, policies, "NoLowDiskSpaceChecks",
                                       Rule::InvertedDwordFlag);
    lowDiskSpace.loadStage = kLaterStage;
    table.push_back(lowDiskSpace);
    table.push_back(flag("CheckBox_EnableAutoTray", kExplorerKey, "EnableAutoTray", kLaterStage));
    table.push_back(flag("CheckBox_NoSimpleStartMenu", policies, "NoSimpleStartMenu", kLaterStage));
    table.push_back(flag("CheckBox_TaskbarGlomming", kAdvancedKey, "TaskbarGlomming", kLaterStage));
    BindingRow clock = BoundRow("CheckBox_HideClock", HKCU, policies, "HideClock", Rule::InvertedDwordFlag);
    clock.loadStage = kLaterStage;
    table.push_back(clock);
    table.push_back(special("CheckBox_TaskbarSizeMove", kAdvancedKey, "TaskbarSizeMove", LoadZeroFlag, SaveZeroFlag));
    table.push_back(flag("CheckBox_NoToolbarsOnTaskbar", policies, "NoToolbarsOnTaskbar", kLaterStage));
    table.push_back(flag("CheckBox_NoTrayItemsDisplay", policies, "NoTrayItemsDisplay", kLaterStage));
    // Loaded right after the program groups, before the delay.
    table.push_back(flag("CheckBox_StartMenuLogoff", policies, "StartMenuLogoff"));
    table.push_back(flag("CheckBox_NoSMHelp", policies, "NoSMHelp"));
    table.push_back(flag("CheckBox_NoTrayContextMenu", policies, "NoTrayContextMenu", kLaterStage));
    return table;
}

}  // namespace

const BindingTable& StartmenuBindingTable()
{
    static const BindingTable table = BuildTable();
    return table;
}

}  // namespace pages::startmenu
