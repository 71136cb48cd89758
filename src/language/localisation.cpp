// Localisation of forms and of the toolkit's own texts, and the export of a form's
// default texts for translators.
#include "language/language.h"

#include "ui/component.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/errors.h"
#include "ui/form.h"
#include "ui/handles.h"

#include <algorithm>
#include <optional>
#include <vector>

#include <windows.h>

namespace language {

void LocalizeComponent(ui::Component& component)
{
    if (component.tag() != 0) {
        const std::string text = LangString(component.tag());
        if (ui::Label* label = component.boundLabel())
            label->setCaption(text);
        else
            component.setCaption(text);  // raises the property error on kinds without a caption
    }
    for (ui::Component* owned : component.components())
        LocalizeComponent(*owned);
}

void ApplyToolkitTexts()
{
    for (int number = ui::kFirstToolkitText; number <= ui::kLastToolkitText; ++number)
        ui::SetToolkitText(number, LangString(number));
}

namespace {

// The text a component contributes to the export, if its kind has one.
std::optional<std::string> ExportedText(ui::Component& component)
{
    if (ui::Label* label = component.boundLabel())
        return label->caption();
    if (component.exportsCaption())
        return component.caption();
    return std::nullopt;
}

void CollectTexts(ui::Component& component, std::vector<std::string>& lines, std::vector<int>& written)
{
    if (component.tag() != 0) {
        const auto text = ExportedText(component);
        if (text && !text->empty()) {
            const int number = component.tag();
            if (std::find(written.begin(), written.end(), number) != written.end()) {
                ui::ShowMessage("Tag " + std::to_string(number) + " already saved!");
            } else {
                lines.push_back(std::to_string(number) + "=" + *text);
                written.push_back(number);
            }
        }
    }
    for (ui::Component* owned : component.components())
        CollectTexts(*owned, lines, written);
}

// Text order of the user's locale, ignoring letter case.
bool LocaleLess(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size()))
           == CSTR_LESS_THAN;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines)
{
    ui::FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw ui::EFileCreateError::cannotCreate(path);
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    DWORD written = 0;
    if (!content.empty()
        && (!WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr)
            || written != content.size()))
        throw ui::EOSError::fromLastError();
}

}  // namespace

void ExportFormTexts(const std::string& path, ui::Form& form)
{
    std::vector<std::string> lines;
    std::vector<int> written;
    CollectTexts(form, lines, written);
    std::stable_sort(lines.begin(), lines.end(), LocaleLess);
    WriteLines(path, lines);
}

}  // namespace language
