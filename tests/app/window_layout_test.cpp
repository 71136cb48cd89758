// Every window in German and in English: on every sheet nothing is clipped by its
// parent or covered by a sibling, and every caption shows whole in its control.
#include "every_window_fixture.h"
#include "search_fixture.h"
#include "app/main_window.h"
#include "app/search_box.h"
#include "harness/layout_check.h"
#include "ui/fonts.h"
#include "ui/look.h"

#include <gtest/gtest.h>

#include <tuple>

using every_window::EveryWindowTest;
using every_window::Languages;
using every_window::Windows;

class WindowLayoutTest : public EveryWindowTest, public testing::WithParamInterface<std::tuple<int, int>> {
protected:
    const every_window::Language& language() const { return Languages()[std::get<0>(GetParam())]; }
    const every_window::WindowCase& window() const { return Windows()[std::get<1>(GetParam())]; }
};

TEST_P(WindowLayoutTest, EverySheetShowsItsTextsWholeAndUncovered)
{
    useLanguage(language());
    auto opened = open(window());
    opened->show();
    const auto check = [&](const std::string& where) {
        SCOPED_TRACE(where);
        testing_support::ExpectNothingClippedOrCovered(opened->handle(), window().behind);
        testing_support::ExpectEveryCaptionFits(opened->handle());
    };
    const auto pageControls = every_window::PageControls(*opened);
    if (pageControls.empty())
        check("the window");
    for (ui::PageControl* pages : pageControls)
        for (int sheet = 0; sheet < pages->pageCount(); ++sheet) {
            pages->setActivePageIndex(sheet);
            check(pages->name() + " sheet " + std::to_string(sheet + 1));
        }
    opened->hide();
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, WindowLayoutTest,
                         testing::Combine(testing::Range(0, static_cast<int>(Languages().size())),
                                          testing::Range(0, static_cast<int>(Windows().size()))),
                         [](const testing::TestParamInfo<std::tuple<int, int>>& info) {
                             return std::string(Languages()[std::get<0>(info.param)].name) + "_" +
                                    every_window::CaseName(Windows()[std::get<1>(info.param)]);
                         });

// The main window with its list of matches open, in German and in English: the list
// lies inside the window above every entry it covers, the field and its label stay
// clear of everything else, and every line shows its caption and path whole (many
// lines that scroll, and a few).
class SearchListLayoutTest : public search_testing::SearchTest, public testing::WithParamInterface<int> {};

TEST_P(SearchListLayoutTest, TheOpenListShowsEveryLineWholeAboveTheEntries)
{
    useSearchLanguage(Languages()[static_cast<std::size_t>(GetParam())]);
    app::TForm1 window;
    app::Form1 = &window;
    language::LocalizeComponent(window);
    window.show();
    app::SearchBox& search = window.search();
    const app::MatchList& list = search.list();
    for (const char* query : {"e", "cache"}) {
        SCOPED_TRACE(query);
        search.field().setText(query);
        ui::ProcessMessages();
        ASSERT_TRUE(search.listOpen());
        testing_support::ExpectNothingClippedOrCovered(window.handle(), {"Image1", "Image2", list.name()});
        testing_support::ExpectEveryCaptionFits(window.handle());
        EXPECT_EQ(GetWindow(window.handle(), GW_CHILD), list.handle()) << "the list lies below other controls";
        RECT client{};
        GetClientRect(window.handle(), &client);
        const ui::Bounds at = list.bounds();
        EXPECT_GE(at.top, search.field().top() + search.field().height());
        EXPECT_LE(at.left + at.width, client.right);
        EXPECT_LE(at.top + at.height, client.bottom);

        RECT inside{};
        GetClientRect(list.handle(), &inside);
        const int textWidth = inside.right - 8;
        int linesHeight = 0;
        for (int line = 0; line < static_cast<int>(list.lines().size()); ++line) {
            const auto& shown = list.lines()[static_cast<std::size_t>(line)];
            const SIZE caption = ui::MeasureText(ui::ArialFont(11, true), shown.caption, textWidth);
            const SIZE path = ui::MeasureText(ui::ArialFont(11), shown.path, textWidth);
            RECT item{};
            SendMessageA(list.handle(), LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
            EXPECT_LE(caption.cx, textWidth) << shown.caption << " has a word longer than its line";
            EXPECT_LE(path.cx, textWidth) << shown.path << " has a word longer than its line";
            EXPECT_GE(item.bottom - item.top, caption.cy + (shown.path.empty() ? 0 : path.cy)) << shown.caption;
            EXPECT_EQ(item.right - item.left, inside.right) << shown.caption;
            linesHeight += item.bottom - item.top;
        }
        EXPECT_GE(linesHeight, inside.bottom) << "the list is higher than its lines";
    }
    search.field().setText("");
    window.hide();
    app::Form1 = nullptr;
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, SearchListLayoutTest, testing::Range(0, static_cast<int>(Languages().size())),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(Languages()[static_cast<std::size_t>(info.param)].name);
                         });
