#include "profiles/unattended.h"

#include "language/language.h"
#include "pages/anmelden_rows.h"
#include "profiles/profile_texts.h"

namespace profiles {

using language::LangString;

namespace {

// The journal's question whether to go on although the change set cannot be stored.
constexpr int kJournalGoOnWithoutUndo = 20951;

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// A box's text on one log line, a very long one cut.
std::string OneLine(std::string text)
{
    constexpr std::size_t kLongest = 300;
    if (text.size() > kLongest)
        text = text.substr(0, kLongest) + "...";
    for (char& character : text)
        if (character == '\r' || character == '\n')
            character = ' ';
    return text;
}

std::string AnswerText(const ui::MessageBoxRequest& request, ui::MsgButton answer)
{
    for (const ui::MessageBoxButton& button : request.buttons)
        if (button.id == answer) {
            std::string shown;
            for (const char character : button.text)
                if (character != '&')
                    shown += character;
            return shown;
        }
    return {};
}

bool EndsWith(const std::string& text, const std::string& ending)
{
    return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM data)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

}  // namespace

RunRefused::RunRefused(const std::string& question) : ui::Exception(LangString(kLogNoRule) + " " + Quoted(OneLine(question)))
{
}

UnattendedAnswers::UnattendedAnswers(RunLog& log) : log_(log), previous_(ui::SetMessageBoxSeam(this)) {}

UnattendedAnswers::~UnattendedAnswers()
{
    ui::SetMessageBoxSeam(previous_);
}

void UnattendedAnswers::answer(const std::string& question, ui::MsgButton answer, bool ending)
{
    rules_.push_back({question, answer, ending});
}

const UnattendedAnswers::Rule* UnattendedAnswers::ruleFor(const std::string& text) const
{
    for (const Rule& rule : rules_)
        if (rule.ending ? EndsWith(text, rule.question) : text == rule.question)
            return &rule;
    return nullptr;
}

ui::MsgButton UnattendedAnswers::show(const ui::MessageBoxRequest& request)
{
    if (request.buttons.size() <= 1) {
        if (request.kind == ui::MsgKind::Error && (everyError_ || SavingAPage()))
            ++errorBoxes_;
        log_.add("  " + LangString(kLogMessage) + " " + OneLine(request.text));
        return request.buttons.empty() ? ui::MsgButton::OK : request.buttons.front().id;
    }
    const Rule* rule = ruleFor(request.text);
    if (!rule) {
        log_.add("  " + LangString(kLogQuestion) + " " + Quoted(OneLine(request.text)));
        throw RunRefused(request.text);
    }
    log_.add("  " + LangString(kLogQuestion) + " " + Quoted(OneLine(request.text)) + " " + LangString(kLogAnswer) + " " +
             AnswerText(request, rule->answer));
    if (rule->answer == ui::MsgButton::No)
        ++declined_;
    return rule->answer;
}

void AddCommonRules(UnattendedAnswers& answers)
{
    answers.answer(LangString(kJournalGoOnWithoutUndo), ui::MsgButton::No, true);
    answers.answer(language::LangStrings({pages::anmelden::kAutoLogonQuestion, pages::anmelden::kAutoLogonQuestion + 1}),
                   ui::MsgButton::Yes);
}

std::vector<HWND> VisibleWindowsOfProcess()
{
    std::vector<HWND> windows;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace profiles
