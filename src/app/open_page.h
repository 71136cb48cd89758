// Opening an area's page from the main window: the page is created into its
// single-instance reference, localised, shown modally and destroyed when it closes.
#pragma once

#include "app/main_window.h"
#include "language/language.h"
#include "ui/single_instance.h"

#include <memory>

namespace app {

enum class MainWindowDuring { Shown, Hidden };

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
void OpenPage(Page*& reference, MainWindowDuring mainWindow = MainWindowDuring::Shown)
{
    auto page = std::make_unique<Page>();
    const ui::SingleInstanceScope scope(reference, *page);
    const bool hideMainWindow = mainWindow == MainWindowDuring::Hidden && Form1;
    const detail::MainWindowReturns mainWindowReturns(hideMainWindow);
    language::LocalizeComponent(*page);
    if (hideMainWindow)
        Form1->hide();
    page->showModal();
}

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
