// Every window of the program, as the tests that go over all of them see it: how it is
// created, its help topics, the pictures other controls lie on, and the buttons Enter
// and Escape press. A window that is added to the program gets one line in the table.
#pragma once

#include "ui/form.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace every_window {

// A window created into its single-instance reference, which is cleared again first
// when it goes.
class OpenWindow {
public:
    OpenWindow(std::unique_ptr<ui::Form> form, std::function<void()> forget)
        : form_(std::move(form)), forget_(std::move(forget)) {}
    OpenWindow(OpenWindow&&) = default;
    OpenWindow& operator=(OpenWindow&&) = default;
    ~OpenWindow()
    {
        if (forget_)
            forget_();
    }
    ui::Form& operator*() const { return *form_; }
    ui::Form* operator->() const { return form_.get(); }

private:
    std::unique_ptr<ui::Form> form_;
    std::function<void()> forget_;
};

struct WindowCase {
    std::string formClass;
    std::function<OpenWindow()> create;          // as the program creates it, not yet localised
    std::function<void(ui::Form&)> prepare;      // what the program does after localising it
    std::vector<std::string> helpTopics;         // one, or one per sheet; none: the window has no help
    std::vector<std::string> behind;             // pictures that other controls lie on
    std::string enterPresses;                    // the default button; empty: none
    std::string escapePresses;                   // the cancel button; empty: Escape closes the window
};

// The program's windows, in the order of the language export, then the undo dialog.
const std::vector<WindowCase>& Windows();

// For parameterised tests: the form class as the test's name.
std::string CaseName(const WindowCase& window);

}  // namespace every_window
