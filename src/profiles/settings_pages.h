// Every settings page by its form class, created as the wizards create pages: into its
// single-instance reference (so its creation loads its settings), localised, never
// shown. Profiles save and apply through this table; anything else that needs all the
// settings pages at once (a search over their captions, say) can use it too.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class Form;
}

namespace profiles {

// A settings page that lives as long as this object: its single-instance reference
// names it until the object goes, on every path.
class OpenedPage {
public:
    virtual ~OpenedPage() = default;
    virtual ui::Form& form() = 0;
    // The page's own SaveSettings: every bound control written; the first write error
    // ends it and propagates.
    virtual void SaveSettings() = 0;
    // Whether the named control belongs to a row whose stored value could not be read
    // when the page loaded (it shows the form's default, not this machine's setting).
    virtual bool readFailed(const std::string& control) const = 0;
};

struct SettingsPage {
    const char* formClass;  // "TForm_System": the profile's section and the export's name
    // Creates the page hidden, loads its settings and localises it.
    std::function<std::unique_ptr<OpenedPage>()> open;
};

// The settings pages in the order of the main window's "Funktionen" menu.
const std::vector<SettingsPage>& SettingsPages();

// The page of a form class (exact letter case), or nullptr.
const SettingsPage* FindSettingsPage(std::string_view formClass);

}  // namespace profiles
