// The wait window during one clean-up operation: prepared (headline, empty detail
// line, progress, whether "Abbrechen" is offered), shown, and hidden again on every
// path. The program's wait window is used; where none was created (the program always
// creates it at start-up), one of its own lives for the operation.
#pragma once

#include "components/wait_form.h"

#include <memory>
#include <string>

namespace ui {
class Form;
}

namespace cleanup {

// A form hidden while an operation runs, and shown again however the operation ends
// (an error, the journal's refusal): the program never stays invisible.
class HiddenForm {
public:
    explicit HiddenForm(ui::Form& form);
    HiddenForm(const HiddenForm&) = delete;
    HiddenForm& operator=(const HiddenForm&) = delete;
    ~HiddenForm();

private:
    ui::Form& form_;
};

class WaitWindowScope {
public:
    WaitWindowScope(bool cancellable, const std::string& headline, int progressMaximum, bool progressVisible);
    WaitWindowScope(const WaitWindowScope&) = delete;
    WaitWindowScope& operator=(const WaitWindowScope&) = delete;
    ~WaitWindowScope();

    components::TWarteForm& window() const { return *window_; }
    void setHeadline(const std::string& text);
    void setDetail(const std::string& text);
    void show();
    void hide();

private:
    std::unique_ptr<components::TWarteForm> own_;
    components::TWarteForm* window_;
};

}  // namespace cleanup
