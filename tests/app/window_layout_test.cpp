// Every window in German and in English: on every sheet nothing is clipped by its
// parent or covered by a sibling, and every caption shows whole in its control.
#include "every_window_fixture.h"
#include "harness/layout_check.h"

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
