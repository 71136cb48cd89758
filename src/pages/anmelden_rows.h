// The Logon page's data: its binding table, the accounts the hidden-account list
// leaves out, and the rows that follow none of the common rules (the account list,
// the logon message and the automatic logon, whose saving may ask the user).
#pragma once

#include "pages/binding.h"

#include <string>

namespace pages::anmelden {

inline const std::string kWinlogonKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline const std::string kUserListKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\SpecialAccounts\\UserList";

// Language strings the page asks for.
enum Strings {
    kTitle = 2000,
    kListColumn = 2390,
    kEmptyTitleQuestion = 2900,   // and 2901
    kAutoLogonQuestion = 2910,    // and 2911
    kRemoveQuestion = 2920,       // to 2923
};

// Raised by the logon message's row when the user chose to stop saving at the empty
// title: SaveSettings ends there as after a complete save.
struct SavingStopped {};

// The binding table in the order in which SaveSettings writes.
const BindingTable& AnmeldenBindingTable();

// Whether the hidden-account list leaves out an account of this name (service
// accounts of IIS, NetShow, SQL Server and Terminal Services; whole names only).
bool IsLeftOutAccount(const std::string& name);

// The question of "Entfernen" for one account.
std::string RemoveQuestion(const std::string& account);

}  // namespace pages::anmelden
