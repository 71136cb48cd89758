#include "wizards/wizard_steps.h"

#include "language/language.h"
#include "pages/system_form.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <vector>

namespace wizards {

using language::LangString;

namespace {

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// The item of a drop-down list, or nothing for an index it does not have.
std::string ItemText(const ui::ComboBox& combo, int index)
{
    const std::vector<std::string> items = combo.items();
    return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(index)]
                                                                : std::string();
}

}  // namespace

WizardControlMissing::WizardControlMissing(const std::string& form, const std::string& control)
    : std::logic_error("Der Assistent sucht auf \"" + form + "\" das Steuerelement \"" + control +
                       "\", das es dort nicht gibt.")
{
}

std::string ShownText(const std::string& caption)
{
    std::string shown;
    for (std::size_t index = 0; index < caption.size(); ++index) {
        if (caption[index] == '&') {
            if (index + 1 < caption.size() && caption[index + 1] == '&')
                shown += '&';
            ++index;  // the next character is the accelerator letter, or the second "&"
            if (index < caption.size() && caption[index] != '&')
                shown += caption[index];
            continue;
        }
        shown += caption[index];
    }
    return shown;
}

void WizardSteps::emptyLog()
{
    log_.clear();
}

std::size_t WizardSteps::lineCount() const
{
    return log_.lines().size();
}

void WizardSteps::addLine(const std::string& line)
{
    log_.addLine(line);
}

void WizardSteps::BeginWizardPage(ui::Form& page)
{
    currentPage_ = &page;
    resultMark_ = lineCount();
}

void WizardSteps::EndWizardPage()
{
    std::vector<std::string> lines = log_.lines();
    if (lines.size() > resultMark_ && currentPage_) {
        const std::string heading =
            LangString(kPageHeading) + " " + Quoted(currentPage_->caption()) + " " + LangString(kPageHeadingEnd);
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(resultMark_), heading);
        lines.emplace_back();
        log_.setLines(lines);
    }
    currentPage_ = nullptr;
}

void WizardSteps::logState(const std::string& caption, bool state)
{
    addLine(LangString(kChangedControl) + " " + Quoted(ShownText(caption)) + " " + LangString(kSetTo) + " " +
            LangString(state ? kStateOn : kStateOff));
}

void WizardSteps::WizardSetCheck(ui::CheckBox& box, bool state)
{
    if (!box.enabled() || box.checked() == state)
        return;
    box.setChecked(state);
    logState(box.caption(), state);
}

void WizardSteps::WizardSetRadio(ui::RadioButton& button)
{
    if (!button.enabled() || button.checked())
        return;
    button.setChecked(true);
    logState(button.caption(), true);
}

void WizardSteps::WizardSetService(const std::string& serviceName, ui::CheckBox& box, ui::ComboBox& combo, int wanted)
{
    const auto* system = dynamic_cast<const pages::TForm_System*>(currentPage_);
    if (!system || !box.enabled())
        return;
    const int current = system->ServiceStartIndex(serviceName);
    if (current == -1 || current == wanted)
        return;
    box.setChecked(true);
    combo.setItemIndex(wanted);
    addLine(LangString(kChangedControl) + " " + Quoted(ShownText(box.caption())) + " " + LangString(kStartTypeFrom) +
            " " + Quoted(ItemText(combo, current)) + " " + LangString(kStartTypeTo) + " " +
            Quoted(ItemText(combo, wanted)) + " " + LangString(kStartTypeEnd));
}

void WizardSteps::WizardSetCheck(const std::string& name, bool state)
{
    WizardSetCheck(control<ui::CheckBox>(name), state);
}

void WizardSteps::WizardSetRadio(const std::string& name)
{
    WizardSetRadio(control<ui::RadioButton>(name));
}

void WizardSteps::WizardSetService(const std::string& serviceName, int wanted)
{
    WizardSetService(serviceName, control<ui::CheckBox>("CheckBox_" + serviceName),
                     control<ui::ComboBox>("ComboBox_" + serviceName), wanted);
}

ui::Component* WizardSteps::componentNamed(const std::string& name) const
{
    return currentPage_ ? currentPage_->findComponent(name) : nullptr;
}

void WizardSteps::throwMissing(const std::string& name) const
{
    throw WizardControlMissing(currentPage_ ? currentPage_->name() : std::string("(keine Seite)"), name);
}

}  // namespace wizards
