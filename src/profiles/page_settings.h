// The settings of a page as a profile holds them: every enabled control that the
// page's SaveSettings writes, by its name, with its state as text.
//   check box, radio button   "1" or "0"
//   spin edit                 the number
//   combo box                 the item's text as shown (a box one can type into: any text)
//   edit                      the text (a memo's lines joined by CR LF)
//   list with check boxes     one line per entry, "List[entry]=1" or "=0"
// Left out: controls that only feed a button acting at once, lists whose entries name
// files of this machine (the autostart programs, the installed programs), and password
// edits (a profile is a plain file that travels).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ui {
class Form;
}

namespace profiles {

class OpenedPage;

struct SettingState {
    std::string name;
    std::string state;
};

// The settings of an opened page, in the order of its controls. A control whose
// stored value could not be read is left out: it shows no setting of this machine.
std::vector<SettingState> ReadSettings(OpenedPage& page);

// What a profile line does on a page.
enum class SettingCheck {
    Sound,      // the page takes the state
    NotHere,    // the control is disabled, or the list entry missing, on this machine: skipped
    Unknown,    // the page has no such control in a profile
    BadState,   // the control cannot take the state (problem says why)
};

struct SettingVerdict {
    SettingCheck check = SettingCheck::Sound;
    std::string problem;  // for Unknown and BadState, without the line number
};

SettingVerdict CheckSetting(const ui::Form& page, const std::string& name, const std::string& state);

// The control's state now, in the profile's notation; nothing when it is not here.
std::optional<std::string> CurrentState(const ui::Form& page, const std::string& name);

// Sets a checked setting as a user would (a check box's click handler runs; a radio
// button selects itself, and "0" leaves it to the other buttons of its group).
void ApplySetting(ui::Form& page, const std::string& name, const std::string& state);

// What a user reads for the setting: its caption (a field's label), and its state.
std::string SettingCaption(const ui::Form& page, const std::string& name);
std::string ShownState(const ui::Form& page, const std::string& name, const std::string& state);

}  // namespace profiles
