// The profile items of the main window's "Datei" menu, and the unattended runs of the
// command line (-APPLY, -PRESET with -OPTIONS, -LOG, -PASSWORD).
#pragma once

#include "profiles/profile_run.h"

#include <functional>
#include <string>
#include <vector>

namespace app {

// What this run of the program writes into a profile's header.
profiles::SavingFacts CurrentSavingFacts();

// "Profil speichern...": asks where, saves every page's settings, says where it went.
void SaveProfileCommand();
// "Profil anwenden...": asks for the file, checks it whole, shows what would change
// and applies it after "Anwenden".
void ApplyProfileCommand();

// The exit codes of an unattended run.
enum UnattendedExit {
    kAllApplied = 0,
    kSomeFailed = 1,      // some pages or rows failed; the log names them
    kWrongInput = 2,      // the profile or the arguments are wrong; nothing was applied
    kRefused = 3,         // no administrator rights, a wrong or missing password, no undo
};

// True when the arguments ask for an unattended run (-APPLY or -PRESET, in any letter
// case); the other switches alone are wrong arguments of such a run, too.
bool WantsUnattendedRun(const std::vector<std::string>& arguments);

struct UnattendedOptions {
    std::vector<std::string> arguments;
    std::function<bool()> isAdministrator;
};

// Runs without any window or message box and gives the exit code. The log goes to
// the -LOG file, or beside the profile, or into the program's folder.
int RunUnattended(const UnattendedOptions& options);

}  // namespace app
