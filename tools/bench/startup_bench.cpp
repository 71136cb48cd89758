// Start-up and page-opening figures of Velmora (scripts/bench): the time from process
// start to the main window being visible, against the minimal Win32 program that opens
// one window, and for every page the time to create it (loading its settings) and
// localise it, as the main window opens it.
//
//   velmora_startup_bench [rounds] [program folder]
//
// The program folder holds velmora.exe, velmora.dat and velmora_bench_minimal.exe.
#include "app/globals.h"
#include "app/search_index.h"
#include "app/undo_form.h"
#include "autostart/autorun_form.h"
#include "cleanup/cleanup_form.h"
#include "language/language.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/ie_form.h"
#include "pages/internet_tuner_form.h"
#include "pages/officexp_form.h"
#include "pages/sonstige_form.h"
#include "pages/startmenu_form.h"
#include "pages/system_form.h"
#include "password/options_form.h"
#include "report/bericht_form.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/handles.h"
#include "wizards/assistenten_form.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace {

constexpr double kStartupTarget = 1.5;   // the main window within 1.5 times the minimal program
constexpr double kPageTargetMs = 50.0;   // every page opened within 50 ms

double Now()
{
    LARGE_INTEGER counter{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// ---- Start-up -------------------------------------------------------------------------

struct WindowSearch {
    DWORD process;
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM search)
{
    auto& wanted = *reinterpret_cast<WindowSearch*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == wanted.process && IsWindowVisible(window) && lstrcmpA(className, wanted.windowClass) == 0) {
        wanted.found = window;
        return FALSE;
    }
    return TRUE;
}

// Starts the program and waits until it shows a window of the class; the milliseconds
// from the start, or a negative figure when no window came within 30 seconds. The
// program is closed again.
double TimeToVisibleWindow(const std::string& folder, const std::string& program, const char* windowClass)
{
    std::string commandLine = "\"" + folder + "\\" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const double start = Now();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &started))
        return -1;
    const ui::KernelHandle process(started.hProcess);
    const ui::KernelHandle thread(started.hThread);
    WindowSearch search{started.dwProcessId, windowClass, nullptr};
    double elapsed = -1;
    while (Now() - start < 30000) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            elapsed = Now() - start;
            break;
        }
        if (WaitForSingleObject(process.get(), 1) == WAIT_OBJECT_0)
            break;  // ended without a window
    }
    if (search.found)
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 1);
    return elapsed;
}

bool MeasureStartup(const std::string& folder, int rounds)
{
    std::vector<double> minimal, velmora;
    // One round of each first, so that Wine and the file cache are warm for both.
    TimeToVisibleWindow(folder, "velmora_bench_minimal.exe", "VelmoraBenchMinimal");
    TimeToVisibleWindow(folder, "velmora.exe", ui::kFormClass);
    for (int round = 0; round < rounds; ++round) {
        minimal.push_back(TimeToVisibleWindow(folder, "velmora_bench_minimal.exe", "VelmoraBenchMinimal"));
        velmora.push_back(TimeToVisibleWindow(folder, "velmora.exe", ui::kFormClass));
    }
    if (std::any_of(minimal.begin(), minimal.end(), [](double ms) { return ms < 0; }) ||
        std::any_of(velmora.begin(), velmora.end(), [](double ms) { return ms < 0; })) {
        std::printf("start-up: a program showed no window\n");
        return false;
    }
    const double ratio = Median(velmora) / Median(minimal);
    std::printf("Start-up: process start to visible main window, median of %d\n", rounds);
    std::printf("  %-34s %8.1f ms\n", "minimal Win32 program (one window)", Median(minimal));
    std::printf("  %-34s %8.1f ms   %.2fx  (target %.1fx)  %s\n", "Velmora main window", Median(velmora), ratio,
                kStartupTarget, ratio <= kStartupTarget ? "ok" : "OVER");
    return ratio <= kStartupTarget;
}

// ---- Pages ----------------------------------------------------------------------------

// Boxes are answered with their first button and counted, so nothing waits for a person.
class CountedBoxes : public ui::MessageBoxSeam {
public:
    ui::MsgButton show(const ui::MessageBoxRequest& request) override
    {
        ++shown;
        return request.buttons.empty() ? ui::MsgButton::OK : request.buttons.front().id;
    }
    int shown = 0;
};

struct BenchedPage {
    const char* formClass;
    std::function<void()> open;  // create into the reference, localise, destroy
};

template <class Page>
std::function<void()> Opening(Page*& reference)
{
    return [&reference] {
        auto page = std::make_unique<Page>();
        reference = page.get();
        language::LocalizeComponent(*page);
        reference = nullptr;
    };
}

// The windows the main window opens, one line each.
std::vector<BenchedPage> Pages()
{
    return {
        {"TForm_Assistenten", Opening(wizards::Form_Assistenten)},
        {"TForm_Bericht", Opening(report::Form_Bericht)},
        {"TForm_InternetTuner", Opening(pages::Form_InternetTuner)},
        {"TForm_CleanUP", Opening(cleanup::Form_CleanUP)},
        {"TForm_IE", Opening(pages::Form_IE)},
        {"TForm_OfficeXP", Opening(pages::Form_OfficeXP)},
        {"TForm_System", Opening(pages::Form_System)},
        {"TForm_Explorer", Opening(pages::Form_Explorer)},
        {"TForm_Startmenu", Opening(pages::Form_Startmenu)},
        {"TForm_Anmelden", Opening(pages::Form_Anmelden)},
        {"TForm_Autorun", Opening(autostart::Form_Autorun)},
        {"TForm_Sonstige", Opening(pages::Form_Sonstige)},
        {"TForm_Options", Opening(password::Form_Options)},
        {"TForm_Undo", Opening(app::Form_Undo)},
    };
}

bool MeasurePages(int rounds)
{
    // The options page lives for the whole run, as start-up makes it; the clean-up reads it.
    password::TForm_Options options;
    const auto openPage = [&](const BenchedPage& page) {
        password::Form_Options = &options;
        page.open();
        password::Form_Options = &options;
    };
    bool allFast = true;
    std::printf("\nPages: create (loading the settings) and localise, first opening and median of %d\n", rounds);
    std::printf("  %-22s %10s %10s\n", "page", "first", "median");
    for (const BenchedPage& page : Pages()) {
        const double start = Now();
        openPage(page);
        const double first = Now() - start;
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round) {
            const double begin = Now();
            openPage(page);
            times.push_back(Now() - begin);
            ui::ProcessMessages();
        }
        const double median = Median(times);
        const bool fast = median < kPageTargetMs && first < kPageTargetMs;
        allFast = allFast && fast;
        std::printf("  %-22s %7.1f ms %7.1f ms  %s\n", page.formClass, first, median, fast ? "ok" : "OVER 50 ms");
    }
    password::Form_Options = nullptr;
    return allFast;
}

// ---- Search index ----------------------------------------------------------------------

// The first search reads every settings page behind the wait window; no target, the
// figure tells how long the user waits once per run.
void MeasureSearchIndex(int rounds)
{
    password::TForm_Options options;
    password::Form_Options = &options;
    std::vector<double> times;
    std::size_t entries = 0;
    for (int round = 0; round < rounds; ++round) {
        app::ForgetSearchIndex();
        const auto* index = app::SearchIndex();
        entries = index ? index->size() : 0;
        times.push_back(app::LastSearchIndexBuildTime());
        ui::ProcessMessages();
    }
    app::ForgetSearchIndex();
    password::Form_Options = nullptr;
    std::printf("\nSearch index: every settings page read behind the wait window, first search of a run\n");
    std::printf("  %-22s %7.1f ms %7.1f ms  (%zu entries, median of %d)\n", "first, median", times.front(), Median(times),
                entries, rounds);
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 10;
    const ui::ComScope com;  // the autostart page reads shell links
    ui::Application& application = ui::App();
    application.initialize();
    application.setTitle("Velmora");
    app::DetermineGlobals();
    if (argc >= 3)
        app::AppDir = argv[2];
    language::LoadLanguageFile(app::AppDir + "\\velmora.dat");
    language::ApplyToolkitTexts();
    CountedBoxes boxes;
    ui::SetMessageBoxSeam(&boxes);

    const bool startupOk = MeasureStartup(app::AppDir, rounds);
    const bool pagesOk = MeasurePages(rounds);
    MeasureSearchIndex(std::min(rounds, 3));
    ui::SetMessageBoxSeam(nullptr);
    if (boxes.shown)
        std::printf("(%d message boxes were answered)\n", boxes.shown);
    std::printf("\n%s\n", startupOk && pagesOk ? "all figures within their targets" : "some figures are over their targets");
    return startupOk && pagesOk ? 0 : 1;
}
