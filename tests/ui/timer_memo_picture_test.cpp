// The timer, the memo, drawing on pictures and icons in them, gradient panels, data
// labels, and a report list whose rows are drawn by the caller.
#include "harness/dialog_seam.h"
#include "ui/application.h"
#include "ui/errors.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/gradient_panel.h"
#include "ui/image.h"
#include "ui/listview.h"
#include "ui/timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace ui;

namespace {

// Lets messages through until done() holds or the time is up.
template <class Done>
bool PumpUntil(Done done, DWORD milliseconds = 3000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        ProcessMessages();
        Sleep(5);
    }
    return true;
}

void PumpFor(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

}  // namespace

TEST(Timer, TicksWhileEnabledAndNeverAfterItWasStoppedOrDestroyed)
{
    int ticks = 0;
    Timer timer(10);
    timer.onTimer = [&] { ++ticks; };
    EXPECT_FALSE(timer.enabled());
    PumpFor(60);
    EXPECT_EQ(ticks, 0);  // a timer starts disabled

    ASSERT_TRUE(timer.setEnabled(true));
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));

    timer.setEnabled(false);
    const int stoppedAt = ticks;
    PumpFor(80);
    EXPECT_EQ(ticks, stoppedAt);

    // A tick already queued for a timer that is destroyed finds nothing to run.
    int orphanTicks = 0;
    {
        Timer shortLived(1);
        shortLived.onTimer = [&] { ++orphanTicks; };
        shortLived.setEnabled(true);
        Sleep(30);
    }
    PumpFor(50);
    EXPECT_EQ(orphanTicks, 0);
}

TEST(Timer, AnErrorInATickIsShownAndTheTimerGoesOnAtItsNewInterval)
{
    testing_support::ScriptedMessageBoxes boxes;
    int ticks = 0;
    Timer timer(1000);
    timer.onTimer = [&] {
        if (++ticks == 1)
            throw Exception("Unable to read performance data");
    };
    timer.setInterval(5);
    EXPECT_EQ(timer.interval(), 5u);
    timer.setEnabled(true);

    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    timer.setEnabled(false);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "Unable to read performance data");
}

TEST(Memo, HoldsOneLinePerItemAndStartsEmptyAgainWhenCleared)
{
    Form form("Form_Memo", 300, 200);
    auto& memo = form.add<Memo>(form, "Memo1", Bounds{8, 8, 200, 100});
    memo.setReadOnly(true);
    EXPECT_TRUE(memo.lines().empty());

    memo.addLine("1024 x 768 - 32 bit");
    memo.addLine("800 x 600 - 16 bit");
    EXPECT_EQ(memo.lines(), (std::vector<std::string>{"1024 x 768 - 32 bit", "800 x 600 - 16 bit"}));
    EXPECT_NE(GetWindowLongA(memo.handle(), GWL_STYLE) & ES_READONLY, 0);

    memo.clear();
    EXPECT_TRUE(memo.lines().empty());
    memo.addLine("640 x 480 - 8 bit");
    EXPECT_EQ(memo.lines(), std::vector<std::string>{"640 x 480 - 8 bit"});
}

TEST(Image, APictureToDrawOnKeepsWhatWasDrawnAndShowsIt)
{
    Form form("Form_Picture", 300, 200);
    auto& picture = form.add<Image>(form, "Image1", Bounds{10, 10, 50, 20});
    EXPECT_EQ(picture.pixel(0, 0), CLR_INVALID);
    picture.drawOn([](HDC) { ADD_FAILURE() << "drawn without a picture"; });

    picture.newPicture(50, 20, RGB(0, 0, 0));
    EXPECT_EQ(picture.pictureSize().cx, 50);
    EXPECT_EQ(picture.pixel(49, 19), RGB(0, 0, 0));
    picture.drawOn([](HDC dc) {
        GdiObject brush(CreateSolidBrush(RGB(0, 128, 0)));
        RECT spot{5, 5, 8, 8};
        FillRect(dc, &spot, static_cast<HBRUSH>(brush.get()));
    });
    EXPECT_EQ(picture.pixel(6, 6), RGB(0, 128, 0));
    EXPECT_EQ(picture.pixel(9, 9), RGB(0, 0, 0));
    EXPECT_EQ(picture.pixel(50, 0), CLR_INVALID);

    // The parent shows it at the picture's place.
    form.show();
    UpdateWindow(form.handle());
    ProcessMessages();
    WindowDC screen(form.handle());
    EXPECT_EQ(GetPixel(screen.get(), 10 + 6, 10 + 6), RGB(0, 128, 0));
    EXPECT_EQ(GetPixel(screen.get(), 10 + 20, 10 + 15), RGB(0, 0, 0));
    form.hide();
}

TEST(Image, ShowsAnIconInPlaceOfItsBitmap)
{
    Form form("Form_Icon", 100, 100);
    auto& picture = form.add<Image>(form, "Image1", Bounds{10, 10, 32, 32});
    picture.newPicture(32, 32, RGB(0, 0, 0));
    HICON shared = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION, a shared icon
    ASSERT_NE(shared, nullptr);

    picture.setSharedIcon(shared);
    EXPECT_EQ(picture.icon(), shared);
    EXPECT_TRUE(picture.hasIcon());
    EXPECT_FALSE(picture.hasPicture());
    EXPECT_EQ(picture.pixel(0, 0), CLR_INVALID);  // the bitmap is gone

    IconHandle owned(CopyIcon(shared));
    const HICON ownedIcon = owned.get();
    picture.setIcon(std::move(owned));
    EXPECT_EQ(picture.icon(), ownedIcon);
    picture.clear();
    EXPECT_FALSE(picture.hasIcon());
    // The owned icon went with the picture.
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(ownedIcon, &info));
}

// A gradient panel runs from its first colour at one edge to its second at the other,
// and a transparent label on it shows the gradient behind its text.
TEST(GradientPanel, RunsFromEdgeToEdgeAndShowsThroughTransparentLabels)
{
    Form form("Form_Gradient", 300, 220);
    const COLORREF top = RGB(255, 255, 255);
    const COLORREF bottom = RGB(0, 0, 160);
    auto& vertical = form.add<GradientPanel>(form, "Panel1", Bounds{0, 0, 300, 100}, top, bottom);
    form.add<GradientPanel>(form, "Panel2", Bounds{0, 110, 300, 100}, top, bottom, GradientDirection::LeftToRight);
    auto& label = vertical.add<Label>(vertical, "Label1", Bounds{200, 60, 80, 30}, ".");
    label.setTransparent(true);
    form.show();
    UpdateWindow(form.handle());
    ProcessMessages();
    WindowDC screen(form.handle());
    const auto blueAt = [&](int x, int y) { return static_cast<int>(GetBValue(GetPixel(screen.get(), x, y))); };
    const auto redAt = [&](int x, int y) { return static_cast<int>(GetRValue(GetPixel(screen.get(), x, y))); };

    EXPECT_GE(redAt(150, 1), 240);  // white at the top
    EXPECT_LE(redAt(150, 98), 15);  // dark blue at the bottom
    EXPECT_GE(blueAt(150, 98), 150);
    EXPECT_GT(redAt(150, 30), redAt(150, 70));  // and ever darker in between
    EXPECT_EQ(redAt(10, 50), redAt(290, 50));   // the same across one line
    EXPECT_GE(redAt(2, 160), 240);               // the second one runs from left to right
    EXPECT_LE(redAt(297, 160), 15);
    // The label's background is the panel's gradient at that place, not a plain colour.
    EXPECT_GT(redAt(270, 62), redAt(270, 88));
    EXPECT_NEAR(redAt(270, 75), redAt(150, 75), 2);
    form.hide();
}

TEST(Label, ALabelOfDataShowsEveryAmpersandAndEndsLongTextsWithDots)
{
    Form form("Form_Label", 300, 100);
    auto& label = form.add<Label>(form, "Label1", Bounds{8, 8, 60, 16}, "Müller & Söhne GmbH und Co. KG");
    const auto style = [&] { return static_cast<DWORD>(GetWindowLongA(label.handle(), GWL_STYLE)); };
    EXPECT_EQ(style() & (SS_NOPREFIX | SS_ENDELLIPSIS), 0u);
    label.setShowsData(true);
    EXPECT_EQ(style() & (SS_NOPREFIX | SS_ENDELLIPSIS), static_cast<DWORD>(SS_NOPREFIX | SS_ENDELLIPSIS));
    EXPECT_EQ(label.caption(), "Müller & Söhne GmbH und Co. KG");
    label.setShowsData(false);
    EXPECT_EQ(style() & (SS_NOPREFIX | SS_ENDELLIPSIS), 0u);
}

TEST(ListView, RowsOfTheGivenHeightWithEveryCellDrawnByTheCaller)
{
    Form form("Form_List", 400, 200);
    auto& list = form.add<ListView>(form, "ListView1", Bounds{8, 8, 380, 150});
    list.setRowHeight(24);
    list.addColumn("Name", 150);
    list.addColumn("Beispiel", 200);
    for (const char* name : {"Arial (TrueType)", "Courier New (TrueType)"})
        list.setSubItem(list.addItem(name), 1, "x");
    struct Cell {
        int index;
        int column;
        RECT rect;
    };
    std::vector<Cell> cells;
    const COLORREF mark = RGB(200, 0, 0);
    list.onDrawCell = [&](HDC dc, int index, int column, const RECT& cell) {
        cells.push_back({index, column, cell});
        RECT spot{cell.left + 2, cell.top + 2, cell.left + 6, cell.top + 6};
        GdiObject brush(CreateSolidBrush(mark));
        FillRect(dc, &spot, static_cast<HBRUSH>(brush.get()));
    };
    form.show();
    InvalidateRect(list.handle(), nullptr, TRUE);
    UpdateWindow(list.handle());
    ProcessMessages();

    RECT first{};
    RECT second{};
    ASSERT_TRUE(ListView_GetItemRect(list.handle(), 0, &first, LVIR_BOUNDS));
    ASSERT_TRUE(ListView_GetItemRect(list.handle(), 1, &second, LVIR_BOUNDS));
    EXPECT_EQ(first.bottom - first.top, 24);
    EXPECT_EQ(second.top, first.bottom);
    for (int index = 0; index < 2; ++index)
        for (int column = 0; column < 2; ++column) {
            const auto drawn = std::find_if(cells.begin(), cells.end(), [&](const Cell& cell) {
                return cell.index == index && cell.column == column;
            });
            ASSERT_NE(drawn, cells.end()) << "item " << index << ", column " << column;
            EXPECT_EQ(drawn->rect.bottom - drawn->rect.top, 24);
            EXPECT_GE(drawn->rect.left, column == 0 ? 0 : 150);
            WindowDC screen(list.handle());
            EXPECT_EQ(GetPixel(screen.get(), drawn->rect.left + 3, drawn->rect.top + 3), mark);
        }
    form.hide();
}
