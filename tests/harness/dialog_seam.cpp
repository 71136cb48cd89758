#include "harness/dialog_seam.h"

#include <gtest/gtest.h>

namespace testing_support {

ScriptedMessageBoxes::ScriptedMessageBoxes() : previous_(ui::SetMessageBoxSeam(this)) {}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    ui::SetMessageBoxSeam(previous_);
}

ui::MsgButton ScriptedMessageBoxes::show(const ui::MessageBoxRequest& request)
{
    shown_.push_back(request);
    if (!answers_.empty()) {
        const ui::MsgButton answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return request.buttons.empty() ? ui::MsgButton::OK : request.buttons.front().id;
}

ui::MsgButton UnexpectedMessageBoxes::show(const ui::MessageBoxRequest& request)
{
    ADD_FAILURE() << "unexpected message box \"" << request.caption << "\": " << request.text;
    return ui::MsgButton::Cancel;
}

std::string ButtonText(const ui::MessageBoxRequest& request, ui::MsgButton button)
{
    for (const auto& shown : request.buttons)
        if (shown.id == button)
            return shown.text;
    return "<none>";
}

}  // namespace testing_support
