// What the change journal costs a page's "Ok": every page is opened in a registry
// sandbox and confirmed again and again, alternately with the journal switched off and
// on, once leaving everything as it was (every row rewritten, nothing stored) and once
// with every check box turned over before each "Ok" (a set stored each time). Prints
// the median milliseconds per "Ok" and their ratio.
//
//   velmora_journal_bench [rounds] [program folder]
#include "harness/registry_sandbox.h"
#include "harness/temp_folder.h"
#include "language/language.h"
#include "autostart/autorun_form.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/ie_form.h"
#include "pages/internet_tuner_form.h"
#include "pages/officexp_form.h"
#include "pages/sonstige_form.h"
#include "pages/startmenu_form.h"
#include "pages/system_form.h"
#include "registry/change_journal.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/single_instance.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace {

// A page as the main window opens it: created into its reference and localised.
using PageFactory = std::function<std::unique_ptr<ui::Form>()>;

template <class Page>
PageFactory Factory(Page*& reference)
{
    return [&reference]() -> std::unique_ptr<ui::Form> {
        auto page = std::make_unique<Page>();
        reference = page.get();
        language::LocalizeComponent(*page);
        return page;
    };
}

struct BenchedPage {
    const char* name;
    PageFactory create;
    std::function<void()> forget;  // clears the page's reference
};

// One line per page.
std::vector<BenchedPage> Pages()
{
    return {
        {"System", Factory(pages::Form_System), [] { pages::Form_System = nullptr; }},
        {"Explorer", Factory(pages::Form_Explorer), [] { pages::Form_Explorer = nullptr; }},
        {"Startmenu", Factory(pages::Form_Startmenu), [] { pages::Form_Startmenu = nullptr; }},
        {"Anmelden", Factory(pages::Form_Anmelden), [] { pages::Form_Anmelden = nullptr; }},
        {"IE", Factory(pages::Form_IE), [] { pages::Form_IE = nullptr; }},
        {"OfficeXP", Factory(pages::Form_OfficeXP), [] { pages::Form_OfficeXP = nullptr; }},
        {"Sonstige", Factory(pages::Form_Sonstige), [] { pages::Form_Sonstige = nullptr; }},
        {"Tuner", Factory(pages::Form_InternetTuner), [] { pages::Form_InternetTuner = nullptr; }},
        {"Autorun", Factory(autostart::Form_Autorun), [] { autostart::Form_Autorun = nullptr; }},
    };
}

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

double Now()
{
    LARGE_INTEGER counter{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void TurnOverCheckBoxes(ui::Component& owner)
{
    for (ui::Component* component : owner.components()) {
        if (auto* box = dynamic_cast<ui::CheckBox*>(component); box && box->enabled())
            box->setChecked(!box->checked());
        TurnOverCheckBoxes(*component);
    }
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Milliseconds of one "Ok" on a page that stays open: the page's creation is not
// counted, and "Ok" only hides it.
double TimeOneOk(ui::Form& page, bool turnOver)
{
    if (turnOver)
        TurnOverCheckBoxes(page);
    auto& ok = page.find<ui::Button>("Button_Apply");
    const double start = Now();
    ok.click();
    return Now() - start;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    ui::App().initialize();
    if (argc > 2)
        language::LoadLanguageFile(std::string(argv[2]) + "\\velmora.dat");
    CountedBoxes boxes;
    ui::SetMessageBoxSeam(&boxes);

    std::printf("Median time of a page's \"Ok\" over %d rounds, without and with the change journal:\n", rounds);
    std::printf("%-10s %-10s %12s %12s %7s\n", "page", "Ok", "no journal", "journal", "ratio");
    for (const BenchedPage& page : Pages()) {
        for (const bool turnOver : {false, true}) {
            const ScopedRegistrySandbox sandbox;
            const testing_support::TempFolder folder;
            const std::string journalFolder = folder.path() + "Journal";
            auto form = page.create();
            TimeOneOk(*form, turnOver);  // warms up, and creates what an empty registry lacks
            std::vector<double> without;
            std::vector<double> with;
            for (int round = 0; round < rounds; ++round) {
                journal::SetJournalFolder({});
                without.push_back(TimeOneOk(*form, turnOver));
                journal::SetJournalFolder(journalFolder);
                with.push_back(TimeOneOk(*form, turnOver));
            }
            journal::SetJournalFolder({});
            page.forget();
            form.reset();
            const double plain = Median(without);
            const double journaled = Median(with);
            std::printf("%-10s %-10s %9.2f ms %9.2f ms %6.2fx\n", page.name, turnOver ? "changed" : "unchanged", plain,
                        journaled, journaled / plain);
        }
    }
    ui::SetMessageBoxSeam(nullptr);
    if (boxes.shown > 0)
        std::printf("(%d message boxes were answered)\n", boxes.shown);
    return 0;
}
