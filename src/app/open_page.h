// Opening an area's page from the main window: the page is created into its
// single-instance reference, localised, shown modally and destroyed when it closes.
#pragma once

#include "app/main_window.h"
#include "language/language.h"
#include "ui/single_instance.h"

#include <functional>
#include <memory>

namespace app {

enum class MainWindowDuring { Shown, Hidden };

// What runs once an opened page shows, inside its modal loop (the search selects the
// sheet and the control of a match).
using PageShown = std::function<void(ui::Form& page)>;

namespace detail {

// Shows a hidden main window again on every path.
class MainWindowReturns {
public:
    explicit MainWindowReturns(bool hidden) : hidden_(hidden) {}
    MainWindowReturns(const MainWindowReturns&) = delete;
    MainWindowReturns& operator=(const MainWindowReturns&) = delete;
    ~MainWindowReturns()
    {
        if (hidden_ && Form1)
            Form1->show();
    }

private:
    bool hidden_;
};

}  // namespace detail

template <class Page>
void OpenPage(Page*& reference, MainWindowDuring mainWindow = MainWindowDuring::Shown, const PageShown& whenShown = {})
{
    auto page = std::make_unique<Page>();
    const ui::SingleInstanceScope scope(reference, *page);
    const bool hideMainWindow = mainWindow == MainWindowDuring::Hidden && Form1;
    const detail::MainWindowReturns mainWindowReturns(hideMainWindow);
    language::LocalizeComponent(*page);
    if (whenShown) {
        Page& shown = *page;
        page->onShow = [&shown, whenShown, own = page->onShow] {
            if (own)
                own();
            whenShown(shown);
        };
    }
    if (hideMainWindow)
        Form1->hide();
    page->showModal();
}

// Opens an area's page as its launcher entry does; whenShown runs once it shows
// (the system report, which the search does not reach, ignores it).
void OpenArea(Area area, const PageShown& whenShown = {});

}  // namespace app

namespace app {

// The system report entry: the report collects its facts behind the wait window
// (main window hidden) before it is shown. The report's processor-load check box
// starts as the option "no processor-load measurement" says.
void CollectReport(ui::Form& report);

template <class Report>
void OpenSystemReport(Report*& reference)
{
    auto report = std::make_unique<Report>();
    const ui::SingleInstanceScope scope(reference, *report);
    language::LocalizeComponent(*report);
    CollectReport(*report);
    report->showModal();
}

}  // namespace app
