// The check list box: items with a check box each, toggled by a click on the box or
// the space bar, never by a click on the text.
#include "ui/checklistbox.h"
#include "ui/form.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

LPARAM PointOf(int x, int y)
{
    return MAKELPARAM(x, y);
}

void Click(HWND window, int x, int y)
{
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, PointOf(x, y));
}

}  // namespace

TEST(CheckListBox, TogglesByAClickOnTheBoxOrTheSpaceBarAndReportsIt)
{
    ui::Form form("CheckForm", 300, 200);
    auto& list = form.add<ui::CheckListBox>(form, "List", ui::Bounds{8, 8, 200, 130});
    list.setItemHeight(40);
    for (const char* text : {"eins", "zwei", "drei"})
        list.addItem(text);
    std::vector<int> reported;
    list.onClickCheck = [&](int index) { reported.push_back(index); };
    EXPECT_EQ(list.itemCount(), 3);
    EXPECT_EQ(list.itemText(1), "zwei");
    EXPECT_FALSE(list.checked(1));

    Click(list.handle(), 8, 40 + 20);  // the box of the second item
    EXPECT_TRUE(list.checked(1));
    Click(list.handle(), 120, 20);  // the text of the first item: selects it only
    EXPECT_FALSE(list.checked(0));
    EXPECT_EQ(list.itemIndex(), 0);
    SendMessageA(list.handle(), WM_CHAR, ' ', 0);
    EXPECT_TRUE(list.checked(0));
    Click(list.handle(), 8, 60);
    EXPECT_FALSE(list.checked(1));

    EXPECT_EQ(reported, (std::vector<int>{1, 0, 1}));
    // Set by the program: no report.
    list.setChecked(2, true);
    EXPECT_TRUE(list.checked(2));
    EXPECT_EQ(reported.size(), 3u);
}
