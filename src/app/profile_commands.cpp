#include "app/profile_commands.h"

#include "app/globals.h"
#include "app/main_window.h"
#include "app/profile_form.h"
#include "language/language.h"
#include "password/password.h"
#include "pages/shell_icons.h"
#include "profiles/page_settings.h"
#include "profiles/profile_texts.h"
#include "profiles/unattended.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/platform_dialogs.h"
#include "ui/single_instance.h"
#include "wizards/assistenten_form.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>

#ifndef VELMORA_VERSION
#define VELMORA_VERSION "1.0.0"
#endif

namespace app {

using language::LangString;
using namespace profiles;

namespace {

std::string JoinedLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\r") + line;
    return text;
}

std::string WindowsVersionText()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version))
        return {};
    std::string text = std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion) + "." +
                       std::to_string(version.dwBuildNumber);
    if (version.szCSDVersion[0])
        text += std::string(" ") + version.szCSDVersion;
    return text;
}

std::string NowText()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

HWND MainWindowHandle()
{
    return Form1 ? Form1->handle() : nullptr;
}

std::string ProfileFilter()
{
    return LangString(kFilterProfiles) + "|*.ini|" + LangString(kFilterAll) + "|*.*";
}

std::string SetName(const std::string& profilePath)
{
    return LangString(kApplyTitle) + ": " + ProfileName(profilePath);
}

// The log beside the profile; where that cannot be written, in the program's folder.
std::string WriteLogBesideOrInAppDir(const std::string& profilePath, const RunLog& log)
{
    const std::string beside = LogFileBeside(profilePath);
    if (WriteRunLog(beside, log))
        return beside;
    const std::string inAppDir = AppDir + "\\" + LogFileBeside(ProfileName(profilePath) + ".ini");
    if (WriteRunLog(inAppDir, log))
        return inAppDir;
    return {};
}

}  // namespace

profiles::SavingFacts CurrentSavingFacts()
{
    return {VELMORA_VERSION, LangString(kLanguageName), WindowsVersionText(), NowText()};
}

void SaveProfileCommand()
{
    ui::OpenDialogRequest request;
    request.title = LangString(kSaveTitle);
    request.filter = ProfileFilter();
    request.fileName = LangString(kDefaultFileName);
    request.fileMustExist = false;
    request.saving = true;
    request.defaultExtension = "ini";
    const std::optional<std::string> path = ui::OpenFileDialog(MainWindowHandle(), request);
    if (!path)
        return;
    const Profile profile = CaptureProfile(CurrentSavingFacts());
    if (!WriteProfile(*path, profile)) {
        ui::MessageDlg(LangString(kCannotWrite) + "\r" + *path, ui::MsgKind::Error, {ui::MsgButton::OK});
        return;
    }
    ui::MessageDlg(LangString(kSaved) + "\r" + *path, ui::MsgKind::Information, {ui::MsgButton::OK});
}

void ApplyProfileCommand()
{
    ui::OpenDialogRequest request;
    request.title = LangString(kApplyTitle);
    request.filter = ProfileFilter();
    request.fileMustExist = true;
    const std::optional<std::string> path = ui::OpenFileDialog(MainWindowHandle(), request);
    if (!path)
        return;
    const ProfilePlan plan = PlanProfile(ReadProfileFile(*path));
    if (!plan.sound()) {
        std::vector<std::string> lines{LangString(kCannotApply), *path};
        for (const std::string& line : ProblemLines(plan.problems))
            lines.push_back(line);
        ui::MessageDlg(JoinedLines(lines), ui::MsgKind::Error, {ui::MsgButton::OK});
        return;
    }
    if (plan.changeCount() == 0) {
        ui::MessageDlg(LangString(kNothingToChange), ui::MsgKind::Information, {ui::MsgButton::OK});
        return;
    }
    auto preview = std::make_unique<TForm_Profil>();
    const ui::SingleInstanceScope reference(Form_Profil, *preview);
    language::LocalizeComponent(*preview);
    preview->showPlan(*path, plan);
    preview->showModal();
    if (!preview->confirmed())
        return;

    RunLog log;
    LogProfileHeading(log, *path);
    const ApplyOutcome outcome =
        ApplyPlan(plan, SetName(*path), log, [](const std::exception& error) { ui::App().showException(error); });
    LogOutcome(log, outcome);
    if (outcome.refused)
        return;  // the user chose not to go on without undo: nothing changed, as said
    const std::string logFile = WriteLogBesideOrInAppDir(*path, log);
    const int summary = outcome.failedPages > 0 ? kAppliedWithFailures : kApplied;
    ui::MessageDlg(LangString(summary) + "\r" + (logFile.empty() ? LangString(kLogLogNotWritten) : logFile),
                   outcome.failedPages > 0 ? ui::MsgKind::Warning : ui::MsgKind::Information, {ui::MsgButton::OK});
}

// --- Unattended runs ----------------------------------------------------------------------

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char character) { return static_cast<char>(std::toupper(character)); });
    return text;
}

struct Arguments {
    std::map<std::string, std::string> values;  // switch in capitals -> its value
    std::vector<std::string> problems;

    bool has(const std::string& name) const { return values.count(name) > 0; }
    std::string value(const std::string& name) const { return has(name) ? values.at(name) : std::string(); }
};

const std::vector<std::string>& Switches()
{
    static const std::vector<std::string> switches{"-APPLY", "-PRESET", "-OPTIONS", "-LOG", "-PASSWORD"};
    return switches;
}

Arguments ParseArguments(const std::vector<std::string>& arguments)
{
    Arguments parsed;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string name = Upper(arguments[index]);
        if (std::find(Switches().begin(), Switches().end(), name) == Switches().end()) {
            parsed.problems.push_back(LangString(kLogBadArguments) + " \"" + arguments[index] + "\"");
            continue;
        }
        const bool valueMissing = index + 1 >= arguments.size() ||
                                  std::find(Switches().begin(), Switches().end(), Upper(arguments[index + 1])) != Switches().end();
        if (valueMissing) {
            parsed.problems.push_back(LangString(kLogBadArguments) + " " + arguments[index] + " ...");
            continue;
        }
        if (parsed.has(name))
            parsed.problems.push_back(LangString(kLogBadArguments) + " " + arguments[index] + " (2x)");
        parsed.values[name] = arguments[++index];
    }
    const bool apply = parsed.has("-APPLY");
    const bool preset = parsed.has("-PRESET");
    if (apply == preset || (parsed.has("-OPTIONS") && !preset))
        parsed.problems.push_back(LangString(kLogUsage));
    return parsed;
}

// The button of a preset on the wizard page, by the preset's name on the command line.
const char* PresetButton(const std::string& name)
{
    static const std::map<std::string, const char*> buttons{
        {"SPEED", "Button_SPEED"}, {"STANDARD", "Button_STANDARD"}, {"POLICY", "Button_POLICY"},
        {"RESCUE", "Button_RETTUNG"}};
    const auto found = buttons.find(Upper(name));
    return found == buttons.end() ? nullptr : found->second;
}

// "-OPTIONS name,name=0,ComboBox_SPEED_RAM=512 MB": the wizard page's option boxes and
// lists by name; a bare name ticks the box.
std::vector<std::pair<std::string, std::string>> SplitOptions(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> options;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string option = text.substr(start, end - start);
        start = end + 1;
        if (option.empty())
            continue;
        const std::size_t equals = option.find('=');
        if (equals == std::string::npos)
            options.emplace_back(option, "1");
        else
            options.emplace_back(option.substr(0, equals), option.substr(equals + 1));
    }
    return options;
}

// The questions an unattended run answers, besides the common ones: the wizards' own
// confirmations (giving the command is the confirmation), and the question before the
// icons are reset.
void AddPresetRules(UnattendedAnswers& answers)
{
    using wizards::TForm_Assistenten;
    answers.answer(language::LangStringRange(wizards::kConfirmRun, wizards::kConfirmRun + 1), ui::MsgButton::Yes);
    answers.answer(language::LangStringRange(wizards::kNoProcessorChosen, wizards::kNoProcessorChosen + 2),
                   ui::MsgButton::Yes);
    answers.answer(language::LangStringRange(wizards::kPolicyWarning, wizards::kPolicyWarning + 4), ui::MsgButton::Yes);
    answers.answer(language::LangStringRange(pages::shell_icons::kResetQuestion, pages::shell_icons::kResetQuestion + 2),
                   ui::MsgButton::Yes);
}

class UnattendedRun {
public:
    explicit UnattendedRun(const UnattendedOptions& options) : options_(options), answers_(log_) {}

    int run()
    {
        log_.add(LangString(kLogCommandLine) + " " + CommandLineText());
        const Arguments arguments = ParseArguments(options_.arguments);
        if (!arguments.problems.empty()) {
            for (const std::string& problem : arguments.problems)
                log_.add(problem);
            return finish(kWrongInput, arguments);
        }
        const bool administrator = options_.isAdministrator ? options_.isAdministrator() : IsAdministrator();
        if (!administrator) {
            log_.add(LangString(kLogNoAdministrator));
            return finish(kRefused, arguments);
        }
        if (password::PasswordIsSet() && !password::PasswordMatches(arguments.value("-PASSWORD"))) {
            log_.add(LangString(kLogPasswordMissing));
            return finish(kRefused, arguments);
        }
        AddCommonRules(answers_);
        const int code = arguments.has("-APPLY") ? applyProfile(arguments.value("-APPLY"))
                                                 : runPreset(arguments.value("-PRESET"), arguments.value("-OPTIONS"));
        return finish(code, arguments);
    }

private:
    std::string CommandLineText() const
    {
        std::string text;
        for (std::size_t index = 0; index < options_.arguments.size(); ++index) {
            // The password is not written into the log.
            const bool password = index > 0 && Upper(options_.arguments[index - 1]) == "-PASSWORD";
            text += (text.empty() ? "" : " ") + (password ? std::string("***") : options_.arguments[index]);
        }
        return text;
    }

    int applyProfile(const std::string& path)
    {
        profilePath_ = path;
        LogProfileHeading(log_, path);
        const ProfilePlan plan = PlanProfile(ReadProfileFile(path));
        if (!plan.sound()) {
            log_.add(LangString(kCannotApply));
            for (const std::string& line : ProblemLines(plan.problems, plan.problems.size()))
                log_.add("  " + line);
            return kWrongInput;
        }
        const ApplyOutcome outcome = ApplyPlan(plan, SetName(path), log_);
        LogOutcome(log_, outcome);
        if (outcome.refused || answers_.declined() > 0)
            return kRefused;
        return outcome.failedPages > 0 || answers_.errorBoxes() > 0 ? kSomeFailed : kAllApplied;
    }

    int runPreset(const std::string& name, const std::string& optionText)
    {
        const char* button = PresetButton(name);
        if (!button) {
            log_.add(LangString(kLogBadArguments) + " -PRESET " + name);
            return kWrongInput;
        }
        auto wizard = std::make_unique<wizards::TForm_Assistenten>();
        const ui::SingleInstanceScope reference(wizards::Form_Assistenten, *wizard);
        language::LocalizeComponent(*wizard);
        wizard->setFolders(AppDir, SystemDir);
        bool optionsSound = true;
        for (const auto& [option, state] : SplitOptions(optionText)) {
            const SettingVerdict verdict = CheckSetting(*wizard, option, state);
            if (verdict.check != SettingCheck::Sound) {
                log_.add(LangString(kLogUnknownOption) + " " + option + "=" + state +
                         (verdict.problem.empty() ? std::string() : " (" + verdict.problem + ")"));
                optionsSound = false;
            }
        }
        if (!optionsSound)
            return kWrongInput;
        for (const auto& [option, state] : SplitOptions(optionText))
            ApplySetting(*wizard, option, state);
        AddPresetRules(answers_);
        // The wizard shows a page's write error as "Ok" does; loading and saving are one step there.
        answers_.countEveryError();
        log_.add(LangString(kLogPreset) + " " + name);
        wizard->find<ui::Button>(button).click();
        for (const std::string& line : wizard->Memo_Ergebniss().lines())
            log_.add(line);
        if (answers_.declined() > 0)
            return kRefused;
        return answers_.errorBoxes() > 0 ? kSomeFailed : kAllApplied;
    }

    int finish(int code, const Arguments& arguments)
    {
        log_.add(LangString(kLogExitCode) + " " + std::to_string(code));
        std::string file = arguments.value("-LOG");
        if (file.empty())
            file = profilePath_.empty() ? AppDir + "\\" + LangString(wizards::kResultFileName) : LogFileBeside(profilePath_);
        WriteRunLog(file, log_);
        return code;
    }

    const UnattendedOptions& options_;
    RunLog log_;
    UnattendedAnswers answers_;
    std::string profilePath_;
};

}  // namespace

bool WantsUnattendedRun(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments)
        if (std::find(Switches().begin(), Switches().end(), Upper(argument)) != Switches().end())
            return true;
    return false;
}

int RunUnattended(const UnattendedOptions& options)
{
    return UnattendedRun(options).run();
}

}  // namespace app
