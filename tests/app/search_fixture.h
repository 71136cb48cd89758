// What the tests of the main window's search share: the fixture of the tests over
// every window, the search index of the language in use (built once per language and
// test program, since reading every page takes seconds under Wine), and the bound
// controls of every settings page as the binding tables and the wizard page name them.
#pragma once

#include "app/search_index.h"
#include "app/settings_pages.h"
#include "every_window_fixture.h"
#include "ui/combobox.h"

#include <string>
#include <vector>

namespace search_testing {

class SearchTest : public every_window::EveryWindowTest {
protected:
    // Loads the language and makes the index of the run the one built for it.
    void useSearchLanguage(const every_window::Language& language)
    {
        useLanguage(language);
        static std::string indexLanguage;
        if (indexLanguage != language.name) {
            app::ForgetSearchIndex();
            indexLanguage.clear();
            ASSERT_NE(app::SearchIndex(), nullptr);
            indexLanguage = language.name;
        }
    }

    static const std::vector<app::SearchEntry>& index() { return *app::SearchIndex(); }

    // The entry that stands for a control of a page; nullptr when there is none.
    static const app::SearchEntry* entryFor(std::size_t page, const std::string& control)
    {
        for (const app::SearchEntry& entry : index())
            if (entry.page == static_cast<int>(page)
                && (entry.control == control
                    || std::find(entry.alsoFor.begin(), entry.alsoFor.end(), control) != entry.alsoFor.end()))
                return &entry;
        return nullptr;
    }
};

// The names of the controls a settings page binds: those of its binding table's rows
// (the own-number button and spin edit of a row too), or the wizard page's options.
inline std::vector<std::string> BoundControlNames(const app::SettingsPage& page, const ui::Form& form)
{
    std::vector<std::string> names;
    const auto add = [&](const std::string& name) {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    if (page.table) {
        for (const pages::BindingRow& row : *page.table) {
            add(row.control);
            add(row.ownButton);
            add(row.spinEdit);
        }
        return names;
    }
    std::function<void(const ui::Component&)> collect = [&](const ui::Component& owner) {
        for (const ui::Component* component : owner.components()) {
            if (dynamic_cast<const ui::CheckBox*>(component) || dynamic_cast<const ui::ComboBox*>(component))
                add(component->name());
            collect(*component);
        }
    };
    collect(form);
    return names;
}

}  // namespace search_testing
