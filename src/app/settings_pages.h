// The settings pages of the launcher's areas as the search sees them: each page
// whose controls a binding table ties to settings, and the wizard page with its
// options. A page can be created as the program creates it (so it loads its
// settings), localised and never shown, to read what it shows.
#pragma once

#include "app/main_window.h"
#include "pages/binding.h"
#include "ui/form.h"

#include <functional>
#include <memory>
#include <vector>

namespace app {

// A page created into its single-instance reference and localised; destroying it
// destroys the page and clears the reference.
class HiddenPage {
public:
    HiddenPage(std::unique_ptr<ui::Form> page, std::function<void()> forget);
    HiddenPage(HiddenPage&&) = default;
    HiddenPage& operator=(HiddenPage&&) = default;
    ~HiddenPage();

    ui::Form& operator*() const { return *page_; }
    ui::Form* operator->() const { return page_.get(); }

private:
    std::function<void()> forget_;  // declared first, so it runs after the page is gone
    std::unique_ptr<ui::Form> page_;
};

struct SettingsPage {
    Area area;
    const char* formClass;             // "TForm_System"
    const pages::BindingTable* table;  // nullptr: the wizard page, whose options are its check boxes and lists
    HiddenPage (*createHidden)();      // created into its reference and localised, not shown
};

// Every settings page, in the order of the launcher's entries.
const std::vector<SettingsPage>& SettingsPages();

}  // namespace app
