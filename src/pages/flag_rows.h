// Check boxes bound to DWORD flags in ways of their own that several pages share, as
// load and save functions of special binding rows.
#pragma once

#include "pages/binding.h"

namespace pages {

// Checked only when the value exists and its integer is 0; saves DWORD 0 when checked
// and 1 when not (the classic logon, Ctrl+Alt+Del, a locked taskbar).
void LoadZeroFlag(ui::Component& page, const BindingRow& row);
void SaveZeroFlag(ui::Component& page, const BindingRow& row);

// Checked unless the integer is 0, so a missing value counts as checked; saves DWORD
// 1 when checked and 0 when not (a setting Windows has on until it is switched off).
void LoadFlagUnlessZero(ui::Component& page, const BindingRow& row);
void SaveDwordFlag(ui::Component& page, const BindingRow& row);

}  // namespace pages
