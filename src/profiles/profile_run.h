// Saving and applying profiles. Saving creates every settings page hidden (so it loads
// its settings), reads its settings and writes the file: nothing on the machine changes.
// Applying first checks the whole file against the pages (every section a page, every
// line a control of it, every state one the control can take) and plans, per page, the
// settings that would change; only a sound file is applied. Applying then drives the
// pages with changes as a wizard does: create hidden, set the controls, SaveSettings,
// destroy, all in one change set named after the profile, and logs what it changed.
#pragma once

#include "profiles/profile_file.h"

#include <functional>
#include <string>
#include <vector>

namespace profiles {

struct SettingsPage;

// What a profile's header says about where it was saved.
struct SavingFacts {
    std::string version;
    std::string language;
    std::string windows;
    std::string saved;  // date and time
};

// The profile of this machine: every settings page's settings.
Profile CaptureProfile(const SavingFacts& facts);
// Writes it to path; false when the file cannot be written completely.
bool WriteProfile(const std::string& path, const Profile& profile);

// One setting that applying would change, in the words a user reads.
struct SettingChange {
    std::string name;     // the profile's line name
    std::string caption;  // the control's caption (a field's label)
    std::string now;      // shown state now
    std::string profile;  // shown state in the profile
};

struct PagePlan {
    const SettingsPage* page = nullptr;
    std::string caption;                 // the page's window caption
    std::vector<ProfileLine> settings;   // the lines that the page takes
    std::vector<SettingChange> changes;  // those whose state differs from now
    std::vector<std::string> notHere;    // captions of lines skipped: disabled or missing here
};

struct ProfilePlan {
    std::vector<ProfileProblem> problems;  // of the file's form and of every line
    std::vector<PagePlan> pages;           // in the file's order, pages with changes or skips only
    bool sound() const { return problems.empty(); }
    std::size_t changeCount() const;
};

// Checks the whole profile against the pages and plans what would change. A file with
// problems of its form is not checked further.
ProfilePlan PlanProfile(const ProfileReading& reading);

// The lines of a run's log; message boxes of an unattended run are logged here too.
class RunLog {
public:
    void add(const std::string& line) { lines_.push_back(line); }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

struct ApplyOutcome {
    std::size_t changedPages = 0;
    std::size_t failedPages = 0;  // a save that raised, or a page refused
    bool refused = false;         // the run stopped before changing anything it kept
};

// How a run reports a page whose SaveSettings raised: interactive runs show the error
// as the application does after "Ok"; unattended runs only log it.
using SaveErrorShown = std::function<void(const std::exception& error)>;

// Applies a sound plan: one change set named setName, pages with changes only. Every
// change and every failure is logged.
ApplyOutcome ApplyPlan(const ProfilePlan& plan, const std::string& setName, RunLog& log,
                       const SaveErrorShown& showError = {});

// True while ApplyPlan runs a page's SaveSettings: a message shown then is about the
// save, not about loading the page.
bool SavingAPage();

// The log's heading for a profile, and its closing line for an outcome.
void LogProfileHeading(RunLog& log, const std::string& profilePath);
void LogOutcome(RunLog& log, const ApplyOutcome& outcome);

// The log file beside the profile (its name with ".log" for the extension).
std::string LogFileBeside(const std::string& profilePath);
// Writes the log to path, putting an older log of that name into the Recycle Bin
// first; false when it cannot be written (the older log then stays).
bool WriteRunLog(const std::string& path, const RunLog& log);

// The name of a profile file without its folder and extension: the change set's name.
std::string ProfileName(const std::string& profilePath);

}  // namespace profiles
