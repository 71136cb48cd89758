// The message boxes of an unattended run: none is shown. Every box is written to the
// run's log and answered by a rule:
//   - a box with one button (a message) is answered with it;
//   - a question with a rule gets the rule's answer (the rules are registered by the
//     run: the wizards' own confirmations Yes, the change journal's "go on without
//     undo?" No, ...);
//   - a question without a rule is answered by nobody: the box raises RunRefused,
//     which ends the page's SaveSettings at that row, and the run logs the page as
//     refused.
// Error boxes are counted as rows that failed: while a profile's page saves, or,
// with countEveryError, all of them (a wizard's run reports its failures so).
#pragma once

#include "profiles/profile_run.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

#include <windows.h>

#include <string>
#include <vector>

namespace profiles {

class RunRefused : public ui::Exception {
public:
    explicit RunRefused(const std::string& question);
};

class UnattendedAnswers : public ui::MessageBoxSeam {
public:
    // Installs itself as the program's message-box seam until it goes.
    explicit UnattendedAnswers(RunLog& log);
    void countEveryError() { everyError_ = true; }
    ~UnattendedAnswers() override;
    UnattendedAnswers(const UnattendedAnswers&) = delete;
    UnattendedAnswers& operator=(const UnattendedAnswers&) = delete;

    // A question whose text is `question`, or ends with it when `ending` is true (the
    // journal's question names the folder and the error before its last line).
    void answer(const std::string& question, ui::MsgButton answer, bool ending = false);

    ui::MsgButton show(const ui::MessageBoxRequest& request) override;

    std::size_t errorBoxes() const { return errorBoxes_; }
    // How many questions a rule answered No: a run whose change set could not be
    // stored was taken back by the journal.
    std::size_t declined() const { return declined_; }

private:
    struct Rule {
        std::string question;
        ui::MsgButton answer;
        bool ending;
    };
    const Rule* ruleFor(const std::string& text) const;

    RunLog& log_;
    ui::MessageBoxSeam* previous_;
    std::vector<Rule> rules_;
    std::size_t errorBoxes_ = 0;
    std::size_t declined_ = 0;
    bool everyError_ = false;
};

// The rules every unattended run has: the journal's question is answered No (a run
// that cannot be undone does not change anything), the question before an automatic
// logon is stored Yes (the profile asks for it).
void AddCommonRules(UnattendedAnswers& answers);

// The visible top-level windows of this process: an unattended run must leave none.
std::vector<HWND> VisibleWindowsOfProcess();

}  // namespace profiles
