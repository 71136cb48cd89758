#include "profiles/profile_run.h"

#include "language/language.h"
#include "profiles/page_settings.h"
#include "profiles/profile_texts.h"
#include "profiles/settings_pages.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "ui/errors.h"
#include "ui/form.h"

#include <memory>

namespace profiles {

using language::LangString;

namespace {

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

void PlanLine(OpenedPage& opened, const ProfileLine& line, PagePlan& plan, std::vector<ProfileProblem>& problems)
{
    const ui::Form& page = opened.form();
    const SettingVerdict verdict = CheckSetting(page, line.name, line.state);
    switch (verdict.check) {
    case SettingCheck::Unknown:
    case SettingCheck::BadState: problems.push_back({line.line, verdict.problem}); return;
    case SettingCheck::NotHere: plan.notHere.push_back(SettingCaption(page, line.name) + " (" + line.name + ")"); return;
    case SettingCheck::Sound: break;
    }
    plan.settings.push_back(line);
    const std::optional<std::string> now = CurrentState(page, line.name);
    // A radio button that the profile leaves off changes with the one it turns on.
    const bool radioLeftOff = line.state == "0" && line.name.rfind("RadioButton_", 0) == 0;
    // A stored value that could not be read changes whatever the control shows.
    const std::size_t bracket = line.name.find('[');
    const bool unreadable = opened.readFailed(bracket == std::string::npos ? line.name : line.name.substr(0, bracket));
    if (now && (*now != line.state || unreadable) && !radioLeftOff)
        plan.changes.push_back({line.name, SettingCaption(page, line.name),
                                unreadable ? LangString(kUnreadable) : ShownState(page, line.name, *now),
                                ShownState(page, line.name, line.state)});
}

// Sets the page's controls by the plan's lines, in the file's order.
void SetControls(ui::Form& page, const PagePlan& plan)
{
    for (const ProfileLine& line : plan.settings)
        ApplySetting(page, line.name, line.state);
}

void LogChanges(RunLog& log, const PagePlan& plan)
{
    log.add(LangString(kLogPage) + " " + Quoted(plan.caption) + " " + LangString(kLogPageEnd));
    for (const SettingChange& change : plan.changes)
        log.add("  " + Quoted(change.caption) + " " + LangString(kLogFrom) + " " + Quoted(change.now) + " " +
                LangString(kLogTo) + " " + Quoted(change.profile));
}

void LogNotHere(RunLog& log, const PagePlan& plan)
{
    for (const std::string& skipped : plan.notHere)
        log.add("  " + LangString(kLogNotHere) + " " + skipped);
}

bool savingAPage = false;

// Marks the time a page saves, on every path.
class SavingScope {
public:
    SavingScope() { savingAPage = true; }
    SavingScope(const SavingScope&) = delete;
    SavingScope& operator=(const SavingScope&) = delete;
    ~SavingScope() { savingAPage = false; }
};

}  // namespace

bool SavingAPage()
{
    return savingAPage;
}

Profile CaptureProfile(const SavingFacts& facts)
{
    // Opening a page may create a key it then reads; saving a profile leaves no trace.
    const journal::UnchangedScope unchanged;
    Profile profile;
    profile.header = {{0, "Format", kFormatVersion}, {0, "Version", facts.version}, {0, "Language", facts.language},
                      {0, "Windows", facts.windows},  {0, "Saved", facts.saved}};
    for (const SettingsPage& page : SettingsPages()) {
        const std::unique_ptr<OpenedPage> opened = page.open();
        ProfileSection section{0, page.formClass, {}};
        for (const SettingState& setting : ReadSettings(*opened))
            section.settings.push_back({0, setting.name, setting.state});
        profile.pages.push_back(std::move(section));
    }
    return profile;
}

bool WriteProfile(const std::string& path, const Profile& profile)
{
    return helpers::WriteTextLines(path, ProfileLines(profile));
}

std::size_t ProfilePlan::changeCount() const
{
    std::size_t count = 0;
    for (const PagePlan& page : pages)
        count += page.changes.size();
    return count;
}

ProfilePlan PlanProfile(const ProfileReading& reading)
{
    ProfilePlan plan;
    plan.problems = reading.problems;
    if (!reading.sound())
        return plan;
    // Checking opens every page of the profile; nothing changes before the user confirms.
    const journal::UnchangedScope unchanged;
    // Drop-down lists and lists hold the texts of the language the program shows.
    for (const ProfileLine& line : reading.profile.header)
        if (line.name == "Language" && line.state != LangString(kLanguageName))
            plan.problems.push_back({line.line, LangString(kOtherLanguage) + " " + Quoted(line.state) + " " +
                                                    LangString(kOtherLanguageNow) + " " +
                                                    Quoted(LangString(kLanguageName))});
    for (const ProfileSection& section : reading.profile.pages) {
        const SettingsPage* page = FindSettingsPage(section.name);
        if (!page) {
            plan.problems.push_back({section.line, LangString(kUnknownPage) + " " + Quoted(section.name)});
            continue;
        }
        const std::unique_ptr<OpenedPage> opened = page->open();
        PagePlan pagePlan{page, opened->form().caption(), {}, {}, {}};
        for (const ProfileLine& line : section.settings)
            PlanLine(*opened, line, pagePlan, plan.problems);
        if (!pagePlan.changes.empty() || !pagePlan.notHere.empty())
            plan.pages.push_back(std::move(pagePlan));
    }
    return plan;
}

ApplyOutcome ApplyPlan(const ProfilePlan& plan, const std::string& setName, RunLog& log, const SaveErrorShown& showError)
{
    ApplyOutcome outcome;
    try {
        const journal::ChangeScope change(setName);
        for (const PagePlan& pagePlan : plan.pages) {
            LogNotHere(log, pagePlan);
            if (pagePlan.changes.empty())
                continue;
            const std::unique_ptr<OpenedPage> opened = pagePlan.page->open();
            SetControls(opened->form(), pagePlan);
            LogChanges(log, pagePlan);
            try {
                const SavingScope saving;
                opened->SaveSettings();
                ++outcome.changedPages;
            } catch (const ui::EAbort&) {
                throw;  // the change set cannot be stored and the user (or the rule) said No
            } catch (const std::exception& error) {
                // As after "Ok": the rows after the failed one stay unwritten; the next page follows.
                ++outcome.failedPages;
                log.add("  " + LangString(kLogSaveFailed) + " " + error.what());
                if (showError)
                    showError(error);
            }
            log.add({});
        }
    } catch (const ui::EAbort&) {
        outcome.refused = true;
        log.add(LangString(kLogJournalRefused));
    }
    return outcome;
}

void LogProfileHeading(RunLog& log, const std::string& profilePath)
{
    log.add(LangString(kLogProfile) + " " + Quoted(profilePath));
    log.add({});
}

void LogOutcome(RunLog& log, const ApplyOutcome& outcome)
{
    if (outcome.refused)
        return;
    if (outcome.failedPages > 0)
        log.add(LangString(kLogDoneWithFailures));
    else if (outcome.changedPages == 0)
        log.add(LangString(kLogNothingChanged));
    else
        log.add(LangString(kLogDone));
}

std::string LogFileBeside(const std::string& profilePath)
{
    const std::size_t slash = profilePath.find_last_of("\\/");
    const std::size_t dot = profilePath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? profilePath.substr(0, dot) : profilePath) + ".log";
}

bool WriteRunLog(const std::string& path, const RunLog& log)
{
    if (helpers::FileExists(path)) {
        helpers::RecycleFile(path);
        // Writing over a log that could not be put into the Recycle Bin would lose it.
        if (helpers::FileExists(path))
            return false;
    }
    return helpers::WriteTextLines(path, log.lines());
}

std::string ProfileName(const std::string& profilePath)
{
    const std::size_t slash = profilePath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? profilePath : profilePath.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

}  // namespace profiles
