// The steps a wizard takes on a page, and the result log they write: which page is
// being changed, setting its controls as a user would (each change logged under the
// page's caption), and the services' start types of the System page. The log is the
// list of lines of the wizard page's result memo.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace ui {
class CheckBox;
class ComboBox;
class Component;
class Form;
class Memo;
class RadioButton;
}  // namespace ui

namespace wizards {

// Language strings of the result log.
enum LogStrings {
    kLogWelcome = 3900,   // the log's only line before the first run
    kPageHeading = 3901,  // 3901 "caption" 3902
    kPageHeadingEnd = 3902,
    kChangedControl = 3903,  // starts every line of a changed control
    kStartTypeFrom = 3904,   // 3903 "box" 3904 "old" 3905 "new" 3906
    kStartTypeTo = 3905,
    kStartTypeEnd = 3906,
    kStateOn = 3907,
    kStateOff = 3908,
    kSetTo = 3909,  // 3903 "caption" 3909 state
    kNothingChanged = 3910,
    kNothingChangedWarning = 3911,
    kDoneFirst = 3912,  // 3912 and 3913 end the log of a run that changed something
    kDoneSecond = 3913,
    kDoneMessage = 3914,
};

// A control a preset names that its page does not have: a mistake in the program,
// never a state of the user's system, so it is raised instead of being skipped.
class WizardControlMissing : public std::logic_error {
public:
    WizardControlMissing(const std::string& form, const std::string& control);
};

// The text a caption shows: "&&" shows one "&", a single "&" only marks the
// accelerator letter.
std::string ShownText(const std::string& caption);

class WizardSteps {
public:
    explicit WizardSteps(ui::Memo& log) : log_(log) {}

    ui::Memo& log() const { return log_; }
    void emptyLog();
    std::size_t lineCount() const;

    // The page the next steps change, and the log's length when it was begun.
    void BeginWizardPage(ui::Form& page);
    // A page that got lines gets its heading line above them and an empty line below;
    // a page without changes leaves no trace.
    void EndWizardPage();
    ui::Form* currentPage() const { return currentPage_; }
    // Forgets the page without a heading: it is about to go after a step raised.
    void leavePage() { currentPage_ = nullptr; }

    // Sets an enabled check box whose state differs (running its click handler, as a
    // click does) and logs it; anything else is left alone.
    void WizardSetCheck(ui::CheckBox& box, bool state);
    // Selects an enabled radio button that is not selected yet, and logs it.
    void WizardSetRadio(ui::RadioButton& button);
    // On the System page: when the service's row is enabled and its start type (list
    // item 0 disabled, 1 manual, 2 automatic) differs from the wanted one, ticks the
    // row's box, selects the wanted item and logs old and new type. A service that is
    // missing, or has a start type of its own, is left alone.
    void WizardSetService(const std::string& serviceName, ui::CheckBox& box, ui::ComboBox& combo, int wanted);

    // The same by the controls' names on the current page ("CheckBox_" and "ComboBox_"
    // + the service's name for a service).
    void WizardSetCheck(const std::string& name, bool state);
    void WizardSetRadio(const std::string& name);
    void WizardSetService(const std::string& serviceName, int wanted);

    // A control of the current page by name and kind; raises WizardControlMissing.
    template <class T>
    T& control(const std::string& name) const
    {
        if (auto* found = dynamic_cast<T*>(componentNamed(name)))
            return *found;
        throwMissing(name);
    }

private:
    ui::Component* componentNamed(const std::string& name) const;
    [[noreturn]] void throwMissing(const std::string& name) const;
    void addLine(const std::string& line);
    void logState(const std::string& caption, bool state);

    ui::Memo& log_;
    ui::Form* currentPage_ = nullptr;
    std::size_t resultMark_ = 0;
};

}  // namespace wizards
