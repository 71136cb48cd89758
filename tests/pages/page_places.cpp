#include "page_places.h"

#include "pages/anmelden_rows.h"
#include "pages/explorer_rows.h"
#include "pages/ie_rows.h"
#include "pages/shell_icons.h"
#include "pages/sonstige_rows.h"
#include "pages/startmenu_rows.h"
#include "pages/system_rows.h"

#include <utility>

using testing_support::NumberKind;
using testing_support::PageContract;

PageContract SystemPlaces()
{
    PageContract contract;
    testing_support::AddTablePlaces(contract, pages::system::SystemBindingTable());
    // The source path is written where it already stands; the applet list owns its key.
    contract.places.push_back({HKEY_LOCAL_MACHINE, pages::system::kSetupKeyNT, "SourcePath"});
    contract.places.push_back({HKEY_CURRENT_USER, pages::system::kDontLoadKey, "", true});
    return contract;
}

PageContract ExplorerPlaces()
{
    using namespace pages::explorer;
    // The rows "Ok" writes; the shell icons and the arrow are only read, and the
    // thumbnails row reads the file type of ".bmp" and writes below it.
    pages::BindingTable written;
    for (const pages::BindingRow& row : ExplorerBindingTable())
        if ((row.rule != pages::Rule::Special || row.save) && row.control != "CheckBox_PaintPicture")
            written.push_back(row);
    PageContract contract;
    testing_support::AddTablePlaces(contract, written);
    contract.places.push_back({HKEY_CLASSES_ROOT, kCommandPromptKey, "", true});
    contract.places.push_back({HKEY_LOCAL_MACHINE, kUnknownShellKey + "\\Notepad", "", true});
    contract.places.push_back({HKEY_CURRENT_USER, kDesktopKey, "Wallpaperoriginy"});
    contract.places.push_back({HKEY_CLASSES_ROOT, kBitmapIconKey, ""});
    contract.places.push_back({HKEY_CLASSES_ROOT, kBitmapIconKey, "Old"});
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, kExplorerPoliciesKey, "NoDrives"});
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, kDesktopKey, "FontSmoothingType"});
    // The wallpaper's coordinates are texts of digits; an empty one means none.
    for (const char* name : {"Wallpaperoriginx", "Wallpaperoriginy"})
        contract.numberPlaces.push_back({HKEY_CURRENT_USER, kDesktopKey, name, false, NumberKind::DigitsText});
    return contract;
}

PageContract ShellIconPlaces()
{
    using namespace pages::shell_icons;
    PageContract contract;
    // Every pictured slot and the arrow; "Zurücksetzen" removes slots and writes the
    // Control Panel's and My Computer's icons; telling the shell nudges the icon size.
    for (const SlotPicture& picture : kSlotPictures)
        if (picture.kind == SlotKind::ShellIcon)
            contract.places.push_back({HKEY_LOCAL_MACHINE, kShellIconsKey, std::to_string(picture.slot)});
    contract.places.push_back({HKEY_LOCAL_MACHINE, kShellIconsKey, std::to_string(kArrowSlot)});
    contract.places.push_back({HKEY_LOCAL_MACHINE, kControlPanelIconKey, ""});
    contract.places.push_back({HKEY_LOCAL_MACHINE, kControlPanelClassIconKey, ""});
    contract.places.push_back({HKEY_CLASSES_ROOT, kMyComputerIconKey, ""});
    contract.places.push_back({HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon Size"});
    return contract;
}

PageContract StartmenuPlaces()
{
    using namespace pages::startmenu;
    PageContract contract;
    testing_support::AddTablePlaces(contract, StartmenuBindingTable());
    // Rows of their own that read numbers: the two flags whose missing value means
    // "on" or "off", and the delay, a text of digits.
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, kAdvancedKey, "EnableBalloonTips"});
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, kAdvancedKey, "TaskbarSizeMove"});
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, kDesktopKey, "MenuShowDelay", false, NumberKind::DigitsText});
    return contract;
}

PageContract AnmeldenPlaces()
{
    using namespace pages::anmelden;
    PageContract contract;
    testing_support::AddTablePlaces(contract, AnmeldenBindingTable());
    // The list owns the accounts' key; the message and the automatic logon write more
    // values than their rows name.
    contract.places.push_back({HKEY_LOCAL_MACHINE, kUserListKey, "", true});
    for (const char* name : {"LegalNoticeText", "ForceAutoLogon", "DefaultUserName", "DefaultPassword",
                             "DefaultDomainName", "DontDisplayLastUserName"})
        contract.places.push_back({HKEY_LOCAL_MACHINE, kWinlogonKey, name});
    contract.numberPlaces.push_back({HKEY_LOCAL_MACHINE, kWinlogonKey, "LogonType"});
    contract.numberPlaces.push_back({HKEY_LOCAL_MACHINE, kWinlogonKey, "DisableCAD"});
    contract.numberPlaces.push_back({HKEY_LOCAL_MACHINE, kWinlogonKey, "AutoLogonCount", false, NumberKind::DigitsText});
    return contract;
}

PageContract IEPlaces()
{
    PageContract contract;
    testing_support::AddTablePlaces(contract, pages::ie::IEBindingTable());
    // Emptying the temporary files reads its value as a number.
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, pages::ie::kCacheSettingsKey, "Persistent"});
    return contract;
}

PageContract OfficePlaces()
{
    namespace office = pages::officexp;
    PageContract contract;
    for (const pages::BindingRow& row : office::OfficeBindingTable())
        if (row.root && row.key != office::kIdentitiesKey)
            contract.places.push_back({row.root, row.key, row.value});
    contract.places.push_back({HKEY_CURRENT_USER, kFirstOutlookIdentity, "WindowTitle"});
    contract.places.push_back({HKEY_CURRENT_USER, kFirstOutlookIdentity, "NoSplash"});
    contract.places.push_back({HKEY_CURRENT_USER, office::kMessengerSettingsKey, "AppSettings"});
    for (const pages::BindingRow& row : office::OfficeBindingTable())
        if (row.control == "CheckBox_AdaptiveMenus_XP" || row.control == "CheckBox_AsstState_XP" ||
            row.control == "CheckBox_ErrorReport" || row.control == "CheckBox_PreventRun")
            contract.numberPlaces.push_back({row.root, row.key, row.value});
    contract.files.push_back(office::SysocFile());
    return contract;
}

PageContract SonstigePlaces()
{
    namespace sonstige = pages::sonstige;
    PageContract contract;
    for (const pages::BindingRow& row : sonstige::SonstigeBindingTable())
        if (row.root)
            contract.places.push_back({row.root, row.key, row.value});
    contract.files = {sonstige::OemInfoFile(), sonstige::OemLogoFile()};
    return contract;
}

PageContract TunerPlaces()
{
    namespace tuner = pages::tuner;
    PageContract contract;
    testing_support::AddTablePlaces(contract, tuner::TunerBindingTable());
    contract.places.push_back({HKEY_LOCAL_MACHINE, kFirstTunerInterface, "MTU"});
    contract.places.push_back({HKEY_LOCAL_MACHINE, kSecondTunerInterface, "MTU"});
    contract.places.push_back({HKEY_LOCAL_MACHINE, tuner::kParametersKey, "GlobalMaxTcpWindowSize"});
    // The numbers that the special rows read: the first interface's MTU, the receive
    // window, the packet lifetime and the large-window option.
    for (const auto& [key, value] : {std::pair<std::string, const char*>{kFirstTunerInterface, "MTU"},
                                     {tuner::kParametersKey, "TcpWindowSize"},
                                     {tuner::kParametersKey, "DefaultTTL"},
                                     {tuner::kParametersKey, "Tcp1323Opts"}})
        contract.numberPlaces.push_back({HKEY_LOCAL_MACHINE, key, value});
    return contract;
}
