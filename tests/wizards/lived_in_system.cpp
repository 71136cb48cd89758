// The registry of a user who has changed many settings: most of them the other way
// round from what the presets want, some just as they want them.
#include "wizards_fixture.h"

using namespace wizard_test;

void WizardTest::prepareLivedInSystem() const
{
    const HKEY hkcr = HKEY_CLASSES_ROOT;
    const HKEY hkcu = HKEY_CURRENT_USER;
    const HKEY hklm = HKEY_LOCAL_MACHINE;

    // Explorer and desktop.
    SetText(hkcu, kDesktop, "FontSmoothing", "2");
    SetText(hkcu, kDesktop, "DragFullWindows", "1");
    WriteRawValue(hkcu, kDesktop, "UserPreferencesMask", REG_BINARY, {0x9e, 0x3e, 0x07, 0x80});
    SetDword(hkcu, kDesktop, "PaintDesktopVersion", 1);
    SetText(hkcu, kDesktop, "Wallpaperoriginx", "10");
    SetText(hkcu, kDesktop, "Wallpaperoriginy", "20");
    SetText(hkcu, kIEToolbar, "BackBitmapShell", "C:\\Bilder\\muster.bmp");
    SetText(hkcr, ".bmp", "", "Paint.Picture");
    SetText(hkcr, "Paint.Picture\\DefaultIcon", "", "%1");
    SetText(hkcr, "Paint.Picture\\DefaultIcon", "Old", "%SystemRoot%\\System32\\shimgvw.dll,1");
    SetText(hkcr, "Directory\\shell\\CommandPrompt", "", "Eingabeaufforderung hier");
    SetText(hkcr, "Directory\\shell\\CommandPrompt\\Command", "", "cmd.exe /k cd \"%1\"");
    SetText(hklm, "SOFTWARE\\Classes\\Unknown\\shell", "", "Notepad");
    SetText(hkcr, "Piffile", "IsShortCut", "");
    WriteRawValue(hkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "Link", REG_BINARY, {0, 0, 0, 0});
    SetDword(hklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket", "NukeOnDelete", 1);
    SetText(hklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons", "3",
            "C:\\ICONS\\ORDNER.ICO ,0");
    for (const char* name : {"NoCDBurning", "NoInstrumentation", "NoActiveDesktop", "NoViewContextMenu", "NoFileMenu"})
        SetDword(hkcu, kExplorerPolicies, name, 1);
    SetDword(hkcu, kExplorerPolicies, "NoFolderOptions", 0);
    SetDword(hkcu, kSystemPolicies, "NoDispCPL", 1);
    SetDword(hkcu, kSystemPolicies, "NoDispSettingsPage", 1);

    // Internet Explorer.
    SetText(hkcu, kIEMain, "Window Title", "Mein Browser");
    SetText(hkcu, kIEMain, "NotifyDownloadComplete", "yes");
    SetText(hkcu, kIEToolbar, "BackBitmapIE5", "C:\\Bilder\\ie.bmp");
    for (const char* name : {"NoFileNew", "NoFavorites", "NoBrowserClose"})
        SetDword(hkcu, kIERestrictions, name, 1);
    SetDword(hkcu, kIERestrictions, "NoBrowserSaveAs", 0);
    for (const char* name : {"GeneralTab", "AdvancedTab", "ResetWebSettings"})
        SetDword(hkcu, kIEControlPanel, name, 1);
    SetDword(hkcu, kIEControlPanel, "SecurityTab", 0);
    SetDword(hkcu, kIECache, "Persistent", 0);

    // The Messenger, installed and started with Windows, but blocked.
    SetText(hklm, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSMSGS.EXE", "",
            "C:\\Programme\\Messenger\\msmsgs.exe");
    SetText(hkcu, kRun, "MSMSGS", "\"C:\\Programme\\Messenger\\msmsgs.exe\" /background");
    WriteRawValue(hkcu, "Software\\Microsoft\\MessengerService", "AppSettings", REG_BINARY, {0x01, 0x03, 0x00, 0x00});
    SetDword(hklm, kMessengerPolicy, "PreventRun", 1);

    // Start menu, notification area and taskbar.
    SetDword(hkcu, kAdvanced, "Start_NotifyNewApps", 0);
    SetText(hkcu, kAdvanced, "StartMenuAdminTools", "YES");
    for (const char* name :
         {"StartMenuLogoff", "NoClose", "NoFind", "HideClock", "NoTrayItemsDisplay", "NoSimpleStartMenu"})
        SetDword(hkcu, kExplorerPolicies, name, 1);
    SetDword(hkcu, kExplorerPolicies, "NoRecentDocsHistory", 0);
    SetDword(hkcu, kExplorerPolicies, "NoRun", 0);
    SetText(hkcu, kDesktop, "MenuShowDelay", "0");

    // System: memory, cache, boot, crashes, processor.
    SetDword(hklm, kMemory, "LargeSystemCache", 1);
    SetDword(hklm, kMemory, "ClearPageFileAtShutdown", 1);
    SetDword(hklm, kMemory, "DisablePagingExecutive", 1);
    SetDword(hklm, kMemory, "IoPageLockLimit", 8192);
    SetDword(hklm, kMemory, "SecondLevelDataCache", 512);
    SetDword(hklm, "SYSTEM\\CurrentControlSet\\Control\\CrashControl", "AutoReboot", 0);
    SetDword(hklm, kWinlogon, "AutoRestartShell", 0);
    SetText(hklm, "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction", "Enable", "N");
    SetDword(hklm, "SYSTEM\\CurrentControlSet\\Control\\FileSystem", "NTFSDisableLastAccessUpdate", 0);
    SetDword(hklm, "SYSTEM\\CurrentControlSet\\Control\\PriorityControl", "Win32PrioritySeparation", 24);
    SetText(hklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL", "", "1");
    SetDword(hklm, "System\\CurrentControlSet\\Control\\Class\\{4D36E96A-E325-11CE-BFC1-08002BE10318}\\0000",
             "EnableUDMA66", 1);
    SetDword(hkcu, kExplorerPolicies, "NoControlPanel", 1);
    SetDword(hkcu, kSystemPolicies, "DisableRegistryTools", 0);
    // Services of every start type: automatic 2, manual 3, disabled 4, a driver's 1;
    // Telnet is not installed.
    const struct {
        const char* name;
        DWORD start;
    } services[] = {{"WZCSVC", 2},   {"WMDMPMSP", 4}, {"ClipSrv", 3},        {"cisvc", 1},  {"Helpsvc", 2},
                    {"wuauserv", 4}, {"mnmsrvc", 4},  {"RemoteRegistry", 2}, {"W32Time", 3}};
    for (const auto& service : services)
        SetDword(hklm, kServices + service.name, "Start", service.start);

    // Logon: automatic logon with a limit, the classic dialog, no user switching.
    SetText(hklm, kWinlogon, "AutoAdminLogon", "1");
    SetText(hklm, kWinlogon, "DefaultUserName", "Erika");
    SetText(hklm, kWinlogon, "DefaultPassword", "geheim");
    SetText(hklm, kWinlogon, "DefaultDomainName", "BUERO");
    SetText(hklm, kWinlogon, "IgnoreShiftOverride", "1");
    SetText(hklm, kWinlogon, "AutoLogonCount", "3");
    SetDword(hklm, kWinlogon, "AllowMultipleTSSessions", 0);
    SetDword(hklm, kWinlogon, "LogonType", 0);
    SetDword(hklm, kWinlogon, "DisableCAD", 0);
    SetDword(hklm, kUserList, "Administrator", 1);

    // Autorun switched off for every drive type, CD polling off.
    SetDword(hkcu, kExplorerPolicies, "NoDriveTypeAutoRun", 0xFF);
    SetDword(hklm, kServices + "Cdrom", "AutoRun", 0);
}
