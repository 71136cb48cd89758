// The Start menu and taskbar page's data: its binding table and the rows that follow
// none of the common rules (the administrative tools entry and the delay of program groups).
#pragma once

#include "pages/binding.h"

#include <string>

namespace pages::startmenu {

inline const std::string kExplorerPoliciesKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline const std::string kAdvancedKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline const std::string kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline const std::string kDesktopKey = "Control Panel\\desktop";

constexpr int kTitle = 14000;

// The delay Windows uses when "MenuShowDelay" is missing, and the spin edit's range.
constexpr int kWindowsDelay = 400;
constexpr int kShortestDelay = 1;
constexpr int kLongestDelay = 9999;

// The binding table in the order in which SaveSettings writes.
const BindingTable& StartmenuBindingTable();

}  // namespace pages::startmenu
