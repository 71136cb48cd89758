// The dialog seam of the tests: answers message boxes from a script and keeps what
// each box showed (kind, caption, text, buttons).
#pragma once

#include "ui/dialogs.h"

#include <deque>
#include <vector>

namespace testing_support {

class ScriptedMessageBoxes : public ui::MessageBoxSeam {
public:
    ScriptedMessageBoxes();  // installs itself
    ~ScriptedMessageBoxes() override;  // restores the seam it replaced
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    // The next boxes are answered with these buttons, in order; once the script is
    // used up, a box is answered with its first button.
    void answer(ui::MsgButton button) { answers_.push_back(button); }

    const std::vector<ui::MessageBoxRequest>& shown() const { return shown_; }
    const ui::MessageBoxRequest& last() const { return shown_.back(); }
    void clear() { shown_.clear(); }

    ui::MsgButton show(const ui::MessageBoxRequest& request) override;

private:
    ui::MessageBoxSeam* previous_;
    std::deque<ui::MsgButton> answers_;
    std::vector<ui::MessageBoxRequest> shown_;
};

// Installed for the whole test run: a box that no test expected fails the test
// instead of waiting for a person.
class UnexpectedMessageBoxes : public ui::MessageBoxSeam {
public:
    ui::MsgButton show(const ui::MessageBoxRequest& request) override;
};

// The text of a box's button, or "<none>" when the box has no such button.
std::string ButtonText(const ui::MessageBoxRequest& request, ui::MsgButton button);

}  // namespace testing_support
