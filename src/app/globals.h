// Facts worked out once at start-up and read by the rest of the program: its own
// folder, the Windows and system folders, and which Windows it runs on.
#pragma once

#include <string>

#include <windows.h>

namespace app {

extern std::string AppDir;      // the program's folder, without a trailing backslash
extern std::string WindowsDir;  // as GetWindowsDirectoryA gives it
extern std::string SystemDir;   // as GetSystemDirectoryA gives it
extern bool IsWinXP;
extern bool IsNTFamily;

// The folder of a program path: everything from its last backslash on removed
// ("C:\velmora.exe" gives "C:").
std::string FolderOfProgram(const std::string& programPath);

struct WindowsFamily {
    bool isWinXP = false;
    bool isNTFamily = false;
};

// Windows XP and the NT family from the version record and the product name that
// the registry gives ("Windows XP" anywhere in it, letter case counting).
WindowsFamily ClassifyWindows(DWORD platformId, DWORD majorVersion, DWORD minorVersion,
                              const std::string& productName);

// Fills the globals above from the running system.
void DetermineGlobals();

// True when the access token of the current thread (or, without one, of the
// process) lists the built-in Administrators group. A token that cannot be opened
// counts as no administrator; when the group or the token's groups cannot be read,
// the system error is raised.
bool IsAdministrator();

}  // namespace app
