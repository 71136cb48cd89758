#include "pages/system_rows.h"

#include "language/language.h"
#include "registry/helpers.h"
#include "registry/registry.h"
#include "ui/combobox.h"
#include "ui/convert.h"
#include "ui/controls.h"
#include "ui/spinedit.h"
#include "ui/virtual_tree.h"

#include <algorithm>

#include <shellapi.h>

namespace pages::system {

using namespace registry;

const ServiceDesign kServices[kServiceCount] = {
    {"WZCSVC", 15511, "Startverhalten für den Dienst \"Konfigurationsfreie, drahtlose Verbindung\" ändern", 0},
    {"WMDMPMSP", 15520, "Startverhalten für den Dienst \"Seriennummer der tragbaren Medien\" ändern", 0},
    {"ClipSrv", 15530, "Startverhalten für den Dienst \"Ablagemappe\" ändern", 0},
    {"cisvc", 15540, "Startverhalten für den Dienst \"Indexdienst\" ändern", 0},
    {"Helpsvc", 15550, "Startverhalten für den Dienst \"Hilfe- und Support\" ändern", 1},
    {"wuauserv", 15611, "Startverhalten für den Dienst \"Automatische Updates\" ändern", 0},
    {"mnmsrvc", 15620, "Startverhalten für den Dienst \"NetMeeting-Remotedesktop-Freigabe\" ändern", 0},
    {"RemoteRegistry", 15630, "Startverhalten für den Dienst \"Remote-Registrierung\" ändern", 0},
    {"Tlntsvr", 15640, "Startverhalten für den Dienst \"Telnet\" ändern", 0},
    {"W32Time", 15650, "Startverhalten für den Dienst \"Windows-Zeitgeber\" ändern", 0},
};

const ShellFolderDesign kShellFolders[kShellFolderCount] = {
    {"Dirs_Favorites", "Button_SetDir_Favorites", "Label_Favorites", 15220, "Favoriten", "Favorites", "Favorites"},
    {"Dirs_Personal", "Button_SetDir_Personal", "Label_Personal", 15221, "Eigene Dateien", "Personal", "Personal"},
    {"Dirs_Startmenu", "Button_SetDir_Startmenu", "Label_Startmenu", 15224, "Startmenü", "Start Menu", "Start Menu"},
    {"Dirs_Programs", "Button_SetDir_Programs", "Label_Programs", 15225, "Startmenü \\ Programme", "Programs",
     "Programs"},
    {"Dirs_Startup", "Button_SetDir_StartUp", "Label_Startup", 15226, "Startmenü \\ Autostart", "StartUp", "Startup"},
    {"Dirs_Templates", "Button_SetDir_Templates", "Label_Templates", 15222, "Vorlagen", "Templates", "Templates"},
    {"Dirs_SendTo", "Button_SetDir_SendTo", "Label_SendTo", 15223, "\"Senden an\"", "SendTo", "SendTo"},
};

const CpuType kCpuTypes[kCpuTypeCount] = {
    {"AMD Thunderbird (256)", 256},       {"AMD Duron (64)", 64},
    {"AMD Athlon - no Thunderbird-  (512)", 512}, {"INTEL Celeron (128)", 128},
    {"INTEL Pentium II , III (512)", 512}, {"INTEL Pentium III E/EB (256)", 256},
    {"INTEL Pentium 4 (256)", 256},
};

std::vector<std::string> CpuTypeItems()
{
    std::vector<std::string> items;
    for (const CpuType& type : kCpuTypes)
        items.emplace_back(type.item);
    return items;
}

namespace {

struct KnownApplet {
    const char* fileName;  // upper case
    int text;
};
constexpr KnownApplet kKnownApplets[] = {
    {"APPWIZ.CPL", 15930},  {"ACCESS.CPL", 15931},  {"HDWWIZ.CPL", 15932},   {"DESK.CPL", 15933},
    {"BDEADMIN.CPL", 15934}, {"JOY.CPL", 15935},    {"MAIN.CPL", 15936},     {"INTL.CPL", 15937},
    {"MMSYS.CPL", 15938},   {"NUSRMGR.CPL", 15939}, {"SYSDM.CPL", 15940},    {"TELEPHON.CPL", 15941},
    {"TIMEDATE.CPL", 15942}, {"NCPA.CPL", 15943},   {"POWERCFG.CPL", 15944}, {"INETCPL.CPL", 15945},
};

// Load stages: the shell folders come after the cache rows, the services after the
// shell folders, and the applet list last.
constexpr int kShellFolderStage = 1;
constexpr int kServiceStage = 2;
constexpr int kAppletStage = 3;

// The service a row is about: the last part of its key.
std::string ServiceOf(const BindingRow& row)
{
    return row.key.substr(kServicesKey.size());
}

// --- Installation source path ------------------------------------------------------

void LoadSourcePath(ui::Component& page, const BindingRow& row)
{
    auto& edit = page.find<ui::Edit>(row.control);
    std::string path = RegReadText(row.root, kSetupKey, row.value);
    if (path.empty())
        path = RegReadText(row.root, kSetupKeyNT, row.value);
    edit.setText(path);
    edit.setEnabled(!path.empty());
}

void SaveSourcePath(ui::Component& page, const BindingRow& row)
{
    const std::string path = page.find<ui::Edit>(row.control).text();
    if (path.empty())
        return;
    const std::string& key = RegValueExists(row.root, kSetupKey, row.value) ? kSetupKey : kSetupKeyNT;
    RegWriteText(row.root, key, row.value, path);
}

// --- Boot defragmentation: "Y" or "N" --------------------------------------------------

void LoadYesNo(ui::Component& page, const BindingRow& row)
{
    page.find<ui::CheckBox>(row.control).setChecked(ui::UpperCase(RegReadText(row.root, row.key, row.value)) == "Y");
}

void SaveYesNo(ui::Component& page, const BindingRow& row)
{
    RegWriteText(row.root, row.key, row.value, page.find<ui::CheckBox>(row.control).checked() ? "Y" : "N");
}

// --- Second-level cache ------------------------------------------------------------

// Rule 6 with a positive own size, plus a third choice: the cache size of a processor
// type chosen from the list.
void SaveL2Cache(ui::Component& page, const BindingRow& row)
{
    if (!page.find<ui::RadioButton>("RadioButton_L2Cache2").checked()) {
        SaveDefaultOrOwnNumber(page, row);
        return;
    }
    const int index = page.find<ui::ComboBox>("ComboBox_L2Cache").itemIndex();
    if (index >= 0 && index < kCpuTypeCount)
        RegWriteInt(row.root, row.key, row.value, kCpuTypes[index].cacheKB);
}

// --- Services ------------------------------------------------------------------------

void LoadService(ui::Component& page, const BindingRow& row)
{
    const std::string service = ServiceOf(row);
    auto& status = page.find<ui::Label>("Label_" + service);
    if (!RegKeyExists(row.root, row.key)) {
        page.find<ui::CheckBox>("CheckBox_" + service).setEnabled(false);
        page.find<ui::ComboBox>("ComboBox_" + service).setEnabled(false);
        status.setCaption(language::LangString(kServiceMissing));
        return;
    }
    switch (RegReadInt(row.root, row.key, row.value)) {
    case 2: status.setCaption(language::LangString(kServiceAutomatic)); break;
    case 3: status.setCaption(language::LangString(kServiceManual)); break;
    case 4: status.setCaption(language::LangString(kServiceDisabled)); break;
    default: break;  // boot and system drivers keep the label as it is
    }
}

void SaveService(ui::Component& page, const BindingRow& row)
{
    const std::string service = ServiceOf(row);
    if (!page.find<ui::CheckBox>("CheckBox_" + service).checked() || !RegKeyExists(row.root, row.key))
        return;
    constexpr int kStartOfSelection[] = {4, 3, 2};
    const int selection = page.find<ui::ComboBox>("ComboBox_" + service).itemIndex();
    if (selection >= 0 && selection < 3)
        RegWriteInt(row.root, row.key, row.value, kStartOfSelection[selection]);
}

// --- Processor time ------------------------------------------------------------------

constexpr int kServicesFirst = 24;      // 0x18
constexpr int kApplicationsFirst = 38;  // 0x26

void LoadPriority(ui::Component& page, const BindingRow& row)
{
    const bool services = RegReadInt(row.root, row.key, row.value) == kServicesFirst;
    page.find<ui::RadioButton>(services ? "RadioButton_Win32PrioritySeparation2" : "RadioButton_Win32PrioritySeparation1")
        .setChecked(true);
}

void SavePriority(ui::Component& page, const BindingRow& row)
{
    const bool services = page.find<ui::RadioButton>("RadioButton_Win32PrioritySeparation2").checked();
    RegWriteInt(row.root, row.key, row.value, services ? kServicesFirst : kApplicationsFirst);
}

// --- Shell folders -----------------------------------------------------------------

const ShellFolderDesign& FolderOf(const BindingRow& row)
{
    for (const ShellFolderDesign& folder : kShellFolders)
        if (row.control == folder.edit)
            return folder;
    return kShellFolders[0];
}

void LoadShellFolder(ui::Component& page, const BindingRow& row)
{
    const ShellFolderDesign& folder = FolderOf(row);
    auto& edit = page.find<ui::Edit>(folder.edit);
    auto& button = page.find<ui::Button>(folder.button);
    const std::string user = helpers::ExpandEnvText(RegReadText(row.root, kUserShellFoldersKey, folder.value));
    const std::string plain = helpers::ExpandEnvText(RegReadText(row.root, kShellFoldersKey, folder.value));
    const bool known = !user.empty() || !plain.empty();
    edit.setEnabled(known);
    button.setEnabled(known);
    // The user key wins over the plain key.
    edit.setText(!user.empty() ? user : !plain.empty() ? plain : language::LangString(kNoShellFolder));
}

// --- Applet list -----------------------------------------------------------------------

std::vector<std::string> AppletFiles()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    ui::FindHandle search(FindFirstFileA((AppletFolder() + "\\*.CPL").c_str(), &found));
    if (!search)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return names;
}

std::shared_ptr<ui::IconHandle> AppletIcon(const std::string& fileName)
{
    HICON icon = ExtractIconA(GetModuleHandleA(nullptr), fileName.c_str(), 0);
    // ExtractIcon gives 1 for a file that is no icon source, and null for none at all.
    if (icon == reinterpret_cast<HICON>(1))
        icon = nullptr;
    return std::make_shared<ui::IconHandle>(icon);
}

void LoadApplets(ui::Component& page, const BindingRow& row)
{
    auto& tree = page.find<ui::VirtualTree>(row.control);
    tree.clear();
    for (const std::string& name : AppletFiles()) {
        const ui::TreeNode node = tree.addNode(nullptr, name, AppletNode{name, AppletIcon(name)}, ui::CheckType::CheckBox,
                                               ui::CheckState::Checked);
        if (ui::UpperCase(RegReadText(row.root, row.key, name)) == "NO")
            tree.setCheckState(node, ui::CheckState::Unchecked);
    }
}

void SaveApplets(ui::Component& page, const BindingRow& row)
{
    if (!page.find<ui::CheckBox>("CheckBox_CPL").checked())
        return;
    auto& tree = page.find<ui::VirtualTree>(row.control);
    for (ui::TreeNode node = tree.firstChild(nullptr); node; node = tree.nextSibling(node)) {
        const auto* applet = tree.recordAs<AppletNode>(node);
        if (!applet)
            continue;
        const bool shown = tree.checkState(node) == ui::CheckState::Checked;
        const bool hidden = RegValueExists(row.root, row.key, applet->fileName);
        if (shown && hidden)
            RegValueRemove(row.root, row.key, applet->fileName);
        else if (!shown && !hidden)
            RegWriteText(row.root, row.key, applet->fileName, "No");
    }
    tree.clear();
}

// --- The table ---------------------------------------------------------------------

BindingTable BuildTable()
{
    const std::string explorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    const std::string systemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
    const std::string desktop = "Control Panel\\Desktop";
    const std::string fileSystem = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";

    BindingTable table;
    table.push_back(BoundRow("CheckBox_NoControlPanel", HKCU, explorerPolicies, "NoControlPanel", Rule::DwordFlag));
    table.push_back(SpecialRow("Edit_SourcePath", HKLM, kSetupKey, "SourcePath", LoadSourcePath, SaveSourcePath));
    table.push_back(SpecialRow("CheckBox_BootOptimizeFunction", HKLM, "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction",
                            "Enable", LoadYesNo, SaveYesNo));
    table.push_back(BoundRow("CheckBox_ParseAutoexec", HKCU, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                          "ParseAutoexec", Rule::TextFlag));
    table.push_back(BoundRow("CheckBox_AutoReboot", HKLM, "SYSTEM\\CurrentControlSet\\Control\\CrashControl", "AutoReboot",
                          Rule::DwordFlag));
    table.push_back(BoundRow("CheckBox_AutoEndTasks", HKCU, desktop, "AutoEndTasks", Rule::TextFlag));
    BindingRow timeout = BoundRow("SpinEdit_AutoEndTasks", HKCU, desktop, "WaitToKillAppTimeout", Rule::NumberAsText);
    timeout.defaultNumber = 20000;
    table.push_back(timeout);
    table.push_back(BoundRow("CheckBox_AlwaysUnLoadDLL", HKLM,
                          "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL", "", Rule::TextFlag));
    table.push_back(BoundRow("CheckBox_DisablePagingExecutive", HKLM, kMemoryManagementKey, "DisablePagingExecutive",
                          Rule::DwordFlag));
    table.push_back(BoundRow("CheckBox_EnableUDMA66", HKLM,
                          "System\\CurrentControlSet\\Control\\Class\\{4D36E96A-E325-11CE-BFC1-08002BE10318}\\0000",
                          "EnableUDMA66", Rule::DwordFlag));
    BindingRow lockLimit = BoundRow("RadioButton_IoPageLockLimit1", HKLM, kMemoryManagementKey, "IoPageLockLimit",
                                 Rule::DefaultOrOwnNumber);
    lockLimit.ownButton = "RadioButton_IoPageLockLimit2";
    lockLimit.spinEdit = "SpinEdit_IoPageLockLimit";
    table.push_back(lockLimit);
    table.push_back(BoundRow("CheckBox_LargeSystemCache", HKLM, kMemoryManagementKey, "LargeSystemCache", Rule::DwordFlag));
    table.push_back(BoundRow("CheckBox_ClearPageFileAtShutdown", HKLM, kMemoryManagementKey, "ClearPageFileAtShutdown",
                          Rule::DwordFlag));
    table.push_back(BoundRow("CheckBox_NtfsDisable8dot3NameCreation", HKLM, fileSystem, "NtfsDisable8dot3NameCreation",
                          Rule::InvertedDwordFlag));
    table.push_back(BoundRow("CheckBox_NTFSDisableLastAccessUpdate", HKLM, fileSystem, "NTFSDisableLastAccessUpdate",
                          Rule::DwordFlag));
    table.push_back(BoundRow("CheckBox_AutoRestartShell", HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                          "AutoRestartShell", Rule::DwordFlag));
    table.push_back(BoundRow("CheckBox_DisableRegistryTools", HKCU, systemPolicies, "DisableRegistryTools", Rule::DwordFlag));
    BindingRow l2Cache = SpecialRow("RadioButton_L2Cache1", HKLM, kMemoryManagementKey, "SecondLevelDataCache",
                                    LoadDefaultOrOwnNumber, SaveL2Cache);
    l2Cache.ownButton = "RadioButton_L2Cache3";
    l2Cache.spinEdit = "SpinEdit_L2Cache";
    l2Cache.positiveOnly = true;
    table.push_back(l2Cache);
    // Shell folders are only loaded; their "Setzen" buttons write them.
    for (const ShellFolderDesign& folder : kShellFolders)
        table.push_back(SpecialRow(folder.edit, HKCU, kUserShellFoldersKey, folder.value, LoadShellFolder, nullptr,
                                kShellFolderStage));
    for (const ServiceDesign& service : kServices)
        table.push_back(SpecialRow((std::string("CheckBox_") + service.name).c_str(), HKLM, kServicesKey + service.name,
                                "Start", LoadService, SaveService, kServiceStage));
    table.push_back(SpecialRow("RadioButton_Win32PrioritySeparation1", HKLM,
                            "SYSTEM\\CurrentControlSet\\Control\\PriorityControl", "Win32PrioritySeparation",
                            LoadPriority, SavePriority, kServiceStage));
    table.push_back(SpecialRow("VirtualDrawTree_CPL", HKCU, kDontLoadKey, "", LoadApplets, SaveApplets, kAppletStage));
    return table;
}

}  // namespace

const BindingTable& SystemBindingTable()
{
    static const BindingTable table = BuildTable();
    return table;
}

int ServiceStartIndex(const std::string& serviceName)
{
    const std::string key = kServicesKey + serviceName;
    if (!RegKeyExists(HKLM, key))
        return -1;
    switch (RegReadInt(HKLM, key, "Start")) {
    case 4: return 0;
    case 3: return 1;
    case 2: return 2;
    default: return -1;
    }
}

void WriteShellFolder(ui::Component& page, const ShellFolderDesign& folder)
{
    auto& edit = page.find<ui::Edit>(folder.edit);
    const std::string path = edit.text();
    const std::string stored = RegReadText(HKCU, kUserShellFoldersKey, folder.writeName);
    if (edit.enabled() && !path.empty() && path != stored)
        RegWriteExpandText(HKCU, kUserShellFoldersKey, folder.writeName, path);
}

std::string AppletCaption(const std::string& fileName)
{
    const std::string upper = ui::UpperCase(fileName);
    for (const KnownApplet& applet : kKnownApplets)
        if (upper == applet.fileName)
            return language::LangString(applet.text);
    return fileName;
}

std::string AppletFolder()
{
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string{};
}

}  // namespace pages::system
