// The Miscellaneous page's data: its binding table in the order in which SaveSettings
// writes, the OEM files in the system folder, and the installed-programs list.
#pragma once

#include "pages/binding.h"

#include <string>
#include <vector>

namespace pages::sonstige {

inline const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline const std::string kCurrentVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

enum Strings {
    kTitle = 13000,
    kNameColumn = 13900,
    kCommandColumn = 13901,
    kLogoDialogTitle = 13910,
    kRemoveOemQuestion = 13920,
    kRemoveEntryQuestion = 13930,  // the name between 13930 and 13931, then 13932 on a line of its own
};

// The system folder that holds oeminfo.ini and oemlogo.bmp: the system's, unless
// another was set (tests use a folder of their own). An empty folder resets it.
std::string SystemFolder();
void SetSystemFolder(const std::string& folder);
std::string OemInfoFile();
std::string OemLogoFile();

// One program of the installed-programs list.
struct InstalledProgram {
    std::string displayName;
    std::string uninstallString;
    std::string subkey;  // its key below the Uninstall key
};

// Every subkey of the Uninstall key that has a DisplayName, in enumeration order.
std::vector<InstalledProgram> InstalledPrograms();

// The binding table in the order in which SaveSettings writes.
const BindingTable& SonstigeBindingTable();

}  // namespace pages::sonstige
