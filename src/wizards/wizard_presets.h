// The four presets of the wizard page as data: for each page a preset changes, in the
// preset's order, the rows that set the page's controls by name, each with the option
// box of the wizard page it depends on. ApplyPreset drives the real pages with them:
// each page is created hidden (so it loads its settings), localised, changed row by
// row, saved through its own SaveSettings and destroyed. A preset therefore writes
// exactly what a user would write by setting the same controls and pressing "Ok".
#pragma once

#include <string>
#include <vector>

namespace ui {
class Component;
}

namespace wizards {

class WizardSteps;

// The pages a preset drives.
enum class WizardPage { Explorer, IE, OfficeXP, Startmenu, System, Anmelden, Autorun };

enum class Step {
    Check,      // WizardSetCheck: wanted 1 checks the box, 0 unchecks it
    Radio,      // WizardSetRadio: the radio button is selected
    Service,    // WizardSetService: control is the service's name, wanted its start-type item
    SpinValue,  // the spin edit takes the number wanted, without a log line
    ComboItem,  // the drop-down list selects item wanted, without a log line
    Click,      // the button is pressed as a user presses it
};

// The start-type items of the System page's service lists.
enum StartType { kDisabled = 0, kManual = 1, kAutomatic = 2 };

struct PresetRow {
    Step step;
    std::string control;
    int wanted = 0;
    std::string option;  // the wizard page's option box that must be ticked; empty: always
};

struct PresetPage {
    WizardPage page;
    std::vector<PresetRow> rows;
};

using Preset = std::vector<PresetPage>;

// Safe performance settings; the option boxes of the "Standard" sheet add the optical
// effects, the Messenger's start and the recent documents.
Preset StandardPreset();
// Performance, also memory, cache and processor: ramItem is the selected item of the
// memory list, cpuItem that of the processor list (0: no processor chosen, i > 0:
// processor i - 1 of the System page's list).
Preset SpeedPreset(int ramItem, int cpuItem);
// Locks the current user out of system settings.
Preset PolicyPreset();
// Back to Windows' own settings, and the user's restrictions lifted.
Preset RescuePreset();

// The pages of a run: for each, create hidden, localise, BeginWizardPage, the rows
// whose option box is ticked on `options` (the wizard page), EndWizardPage,
// SaveSettings, destroy. A write error of one page's SaveSettings is shown and the
// run goes on with the next page. A row naming a control or option box that does not
// exist raises WizardControlMissing.
void ApplyPreset(const Preset& preset, WizardSteps& steps, const ui::Component& options);

// The name of a page's form ("Form_System"), for messages and tests.
const char* PageFormName(WizardPage page);

}  // namespace wizards
