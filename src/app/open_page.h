// Opening an area's page from the main window: the page is created into its
// single-instance reference, localised, shown modally and destroyed when it closes.
#pragma once

#include "app/main_window.h"
#include "language/language.h"

#include <memory>

namespace app {

enum class MainWindowDuring { Shown, Hidden };

namespace detail {

// Clears a page's reference and shows a hidden main window again on every path.
template <class Page>
class OpenPageScope {
public:
    OpenPageScope(Page*& reference, bool mainWindowHidden) : reference_(reference), mainWindowHidden_(mainWindowHidden) {}
    OpenPageScope(const OpenPageScope&) = delete;
    OpenPageScope& operator=(const OpenPageScope&) = delete;
    ~OpenPageScope()
    {
        reference_ = nullptr;
        if (mainWindowHidden_ && Form1)
            Form1->show();
    }

private:
    Page*& reference_;
    bool mainWindowHidden_;
};

}  // namespace detail

template <class Page>
void OpenPage(Page*& reference, MainWindowDuring mainWindow = MainWindowDuring::Shown)
{
    auto page = std::make_unique<Page>();
    reference = page.get();
    const bool hideMainWindow = mainWindow == MainWindowDuring::Hidden && Form1;
    detail::OpenPageScope<Page> scope(reference, hideMainWindow);
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
    reference = report.get();
    detail::OpenPageScope<Report> scope(reference, false);
    language::LocalizeComponent(*report);
    CollectReport(*report);
    report->showModal();
}

}  // namespace app
