// The search of the main window: every bound control of every settings page and every
// wizard option is found by its caption in both languages, opening a match lands on
// its control, and the search field behaves as the user expects.
#include "search_fixture.h"

#include "app/main_window.h"
#include "app/search_box.h"
#include "pages/officexp_form.h"
#include "pages/startmenu_form.h"
#include "registry/registry.h"
#include "harness/modal_driver.h"
#include "ui/control_marker.h"
#include "ui/pagecontrol.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using app::FindMatches;
using app::MatchRank;
using app::SearchEntry;
using every_window::Languages;
using search_testing::BoundControlNames;
using search_testing::SearchTest;
using testing_support::WhenModal;

namespace {

// Whether the control shows once its sheet is selected (pages keep a few pictures and
// dummies hidden).
bool ShowsOnItsSheet(const ui::Control& control)
{
    for (HWND window = control.handle(); window; window = GetParent(window)) {
        if (dynamic_cast<ui::TabSheet*>(ui::Control::fromHandle(window)) || !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
            return true;
        if (!(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE))
            return false;
    }
    return true;
}

// The caption the page itself shows for a control that has one, as a user would type it.
std::string OwnCaption(ui::Control& control)
{
    if (ui::Label* label = control.boundLabel())
        return app::WithoutAccelerators(label->caption());
    if (dynamic_cast<ui::CheckableButton*>(&control) || dynamic_cast<ui::Label*>(&control)
        || dynamic_cast<ui::TabSheet*>(&control))
        return app::WithoutAccelerators(control.caption());
    return {};
}

}  // namespace

class SearchLanguageTest : public SearchTest, public testing::WithParamInterface<int> {
protected:
    const every_window::Language& language() const { return Languages()[static_cast<std::size_t>(GetParam())]; }
};

// Each bound control's own caption (for a field, the caption its entry shows) finds it
// as the first match or as an exact one.
TEST_P(SearchLanguageTest, EveryBoundControlIsFoundByItsCaption)
{
    useSearchLanguage(language());
    const auto& settingsPages = app::SettingsPages();
    int controls = 0;
    for (std::size_t number = 0; number < settingsPages.size(); ++number) {
        const app::HiddenPage page = settingsPages[number].createHidden();
        for (const std::string& name : BoundControlNames(settingsPages[number], *page)) {
            SCOPED_TRACE(std::string(settingsPages[number].formClass) + " " + name);
            auto& control = page->find<ui::Control>(name);
            if (!ShowsOnItsSheet(control))
                continue;
            ++controls;
            const SearchEntry* entry = entryFor(number, name);
            ASSERT_NE(entry, nullptr) << "no entry stands for it";
            EXPECT_NE(entry->caption, name) << "its entry shows no text of the page";
            const std::string own = OwnCaption(control);
            const std::string query = own.empty() ? entry->caption : own;
            const auto matches = FindMatches(index(), query);
            const auto found = std::find_if(matches.begin(), matches.end(),
                                            [&](const app::SearchMatch& match) { return &index()[match.entry] == entry; });
            ASSERT_NE(found, matches.end()) << "\"" << query << "\" does not find it";
            EXPECT_TRUE(found == matches.begin() || found->rank == MatchRank::Exact)
                << "\"" << query << "\" finds it only at place " << (found - matches.begin() + 1);
        }
    }
    EXPECT_GT(controls, 150);
}

// The registry value names find their settings too, for users who know them.
TEST_P(SearchLanguageTest, ValueNamesFindTheirSettings)
{
    useSearchLanguage(language());
    const struct {
        const char* query;
        const char* control;
    } cases[] = {{"NoDriveTypeAutoRun", "CheckBox_DriveTyp_CDROM"},
                 {"largesystemcache", "CheckBox_LargeSystemCache"},
                 {"IoPageLockLimit", "RadioButton_IoPageLockLimit2"},
                 {"HideClock", "CheckBox_HideClock"}};
    for (const auto& example : cases) {
        const auto matches = FindMatches(index(), example.query);
        ASSERT_FALSE(matches.empty()) << example.query;
        const bool found = std::any_of(matches.begin(), matches.end(), [&](const app::SearchMatch& match) {
            return match.rank <= MatchRank::ValueName && index()[match.entry].control == example.control;
        });
        EXPECT_TRUE(found) << example.query << " does not find " << example.control << " among its first matches";
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, SearchLanguageTest, testing::Range(0, static_cast<int>(Languages().size())),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(Languages()[static_cast<std::size_t>(info.param)].name);
                         });

class SearchOpeningTest : public SearchTest {
protected:
    void SetUp() override
    {
        SearchTest::SetUp();
        useSearchLanguage(Languages().front());
        window = std::make_unique<app::TForm1>();
        app::Form1 = window.get();
        language::LocalizeComponent(*window);
        window->show();
    }

    void TearDown() override
    {
        ui::ClearMark();
        app::Form1 = nullptr;
        window.reset();
        SearchTest::TearDown();
    }

    std::unique_ptr<app::TForm1> window;
};

// On every page, the first and the last entry (on different sheets where the page has
// several): the page opens with the control's sheet selected, the control focused
// (where it can take the focus) and marked.
TEST_F(SearchOpeningTest, OpeningAMatchShowsItsPageSheetAndControl)
{
    const auto& settingsPages = app::SettingsPages();
    for (std::size_t number = 0; number < settingsPages.size(); ++number) {
        std::vector<const SearchEntry*> onPage;
        for (const SearchEntry& entry : index())
            if (entry.page == static_cast<int>(number))
                onPage.push_back(&entry);
        ASSERT_FALSE(onPage.empty()) << settingsPages[number].formClass;
        for (const SearchEntry* entry : {onPage.front(), onPage.back()}) {
            SCOPED_TRACE(std::string(settingsPages[number].formClass) + " " + entry->control);
            bool landed = false;
            WhenModal([&] {
                auto* page = dynamic_cast<ui::Form*>(ui::Control::fromHandle(GetActiveWindow()));
                if (!page || !page->isModal()) {
                    ADD_FAILURE() << "the page is not the active window";
                    PostQuitMessage(0);  // ends whatever modal loop runs
                    return;
                }
                page->setModalResult(ui::ModalResult::Cancel);
                landed = true;
                auto& control = page->find<ui::Control>(entry->control);
                auto* sheet = dynamic_cast<ui::TabSheet*>(&control);
                if (!sheet)
                    sheet = ui::SheetHolding(control);
                if (sheet) {
                    EXPECT_EQ(sheet->pageControl().activePage(), sheet) << "another sheet is selected";
                    EXPECT_EQ(sheet->caption(), entry->sheet);
                }
                const HWND focus = GetFocus();
                const std::string focusName =
                    ui::Control::fromHandle(focus) ? ui::Control::fromHandle(focus)->name() : std::string("?");
                if (sheet != &control && IsWindowEnabled(control.handle())) {
                    EXPECT_TRUE(focus == control.handle() || IsChild(control.handle(), focus)) << "the focus is on " << focusName;
                } else if (sheet) {
                    // A control that cannot take the focus: the keyboard is on its sheet.
                    EXPECT_TRUE(IsChild(sheet->handle(), focus) || focus == sheet->pageControl().handle())
                        << "the focus is on " << focusName;
                }
                EXPECT_EQ(ui::MarkedWindow(), control.handle()) << "the control is not marked";
            });
            app::OpenSearchEntry(*entry);
            EXPECT_TRUE(landed) << "no page opened";
            EXPECT_TRUE(IsWindowVisible(window->handle())) << "the main window did not come back";
        }
    }
}

// The mark goes with the next key press, and with the page it lies on.
TEST_F(SearchOpeningTest, TheMarkGoesWithTheNextKeyAndWithItsPage)
{
    const SearchEntry* clock = entryFor(6, "CheckBox_HideClock");
    ASSERT_NE(clock, nullptr);
    ASSERT_STREQ(app::SettingsPages()[6].formClass, "TForm_Startmenu");
    WhenModal([&] {
        ASSERT_NE(ui::MarkedWindow(), nullptr);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_SPACE, 1);
        ui::ProcessMessages();
        EXPECT_EQ(ui::MarkedWindow(), nullptr) << "a key press left the mark";
        ui::MarkControl(pages::Form_Startmenu->find<ui::Control>("CheckBox_HideClock"));
        pages::Form_Startmenu->setModalResult(ui::ModalResult::Cancel);
    });
    app::OpenSearchEntry(*clock);
    EXPECT_EQ(ui::MarkedWindow(), nullptr) << "the mark outlived its page";
}

class SearchBuildingTest : public SearchTest {};

// A page that cannot be created is left out and named with its error; the other pages
// are read all the same.
TEST_F(SearchBuildingTest, APageThatCannotBeCreatedIsNamedAndTheOthersAreRead)
{
    useLanguage(Languages().front());
    const auto& settingsPages = app::SettingsPages();
    const auto office = std::find_if(settingsPages.begin(), settingsPages.end(),
                                     [](const app::SettingsPage& page) { return page.area == app::Area::OfficeXP; });
    ASSERT_NE(office, settingsPages.end());
    app::SettingsPage failing = *office;
    failing.area = app::Area::Anmelden;
    failing.createHidden = []() -> app::HiddenPage { throw std::runtime_error("Zugriff verweigert"); };
    const auto built = app::BuildSearchEntries({failing, *office}, {});
    EXPECT_FALSE(built.stopped);
    ASSERT_EQ(built.unread.size(), 1u);
    EXPECT_EQ(built.unread.front().pageName, "Anmelden");
    EXPECT_EQ(built.unread.front().error, "Zugriff verweigert");
    ASSERT_FALSE(built.entries.empty());
    for (const SearchEntry& entry : built.entries)
        EXPECT_EQ(entry.page, 1) << entry.control;
    EXPECT_EQ(pages::Form_OfficeXP, nullptr) << "the page's reference outlived it";
}

// Stopping leaves the building incomplete, and says so.
TEST_F(SearchBuildingTest, StoppingBeforeAPageEndsTheBuilding)
{
    useLanguage(Languages().front());
    std::vector<std::size_t> asked;
    const auto built = app::BuildSearchEntries(app::SettingsPages(), [&](std::size_t done, std::size_t count) {
        asked.push_back(done);
        EXPECT_EQ(count, app::SettingsPages().size());
        return done < 1;
    });
    EXPECT_TRUE(built.stopped);
    EXPECT_EQ(asked, (std::vector<std::size_t>{0, 1}));
    for (const SearchEntry& entry : built.entries)
        EXPECT_EQ(entry.page, 0);
}

// A page that reports a stored value it cannot read when it is opened shows nothing
// while the search reads it: the user sees the message when he opens the page.
TEST_F(SearchBuildingTest, MessagesOfTheReadPagesAreNotShown)
{
    useLanguage(Languages().front());
    registry::RegWriteText(HKCU, "Control Panel\\Desktop", "WaitToKillAppTimeout", "zwanzig");
    const auto& settingsPages = app::SettingsPages();
    const auto system = std::find_if(settingsPages.begin(), settingsPages.end(),
                                     [](const app::SettingsPage& page) { return page.area == app::Area::System; });
    ASSERT_NE(system, settingsPages.end());
    {
        const app::HiddenPage opened = system->createHidden();  // as opening it would
    }
    ASSERT_FALSE(boxes.shown().empty()) << "the System page no longer reports the stored text";
    boxes.clear();
    const auto built = app::BuildSearchEntries({*system}, {});
    EXPECT_TRUE(boxes.shown().empty()) << boxes.last().text;
    EXPECT_TRUE(built.unread.empty());
    EXPECT_FALSE(built.entries.empty());
}
