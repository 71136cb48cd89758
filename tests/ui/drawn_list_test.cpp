// The drawn list as the autostart list uses it: rows of one height that carry records,
// cells drawn by the owner where the header puts them, and the focused row reported.
#include "ui/application.h"
#include "ui/drawn_list.h"
#include "ui/form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace ui;

namespace {

struct ListForm : Form {
    ListForm() : Form("Form_List", 500, 300)
    {
        list = &add<DrawnList>(*this, "VirtualDrawTree_Test", Bounds{0, 0, 500, 300});
        list->addColumn("Name", 120);
        list->addColumn("Typ", 100);
        list->addColumn("Befehlszeile", 200);
        list->setRowHeight(24);
    }
    DrawnList* list;
};

struct Entry {
    std::string name;
};

}  // namespace

TEST(DrawnList, RowsOfOneHeightCarryTheirRecordsUntilTheListIsCleared)
{
    ListForm form;
    DrawnList& list = *form.list;
    auto shared = std::make_shared<Entry>(Entry{"shared"});
    std::weak_ptr<Entry> watch = shared;
    EXPECT_EQ(list.addRow(Entry{"first"}), 0);
    EXPECT_EQ(list.addRow(std::move(shared)), 1);
    EXPECT_EQ(list.addRow(Entry{"third"}), 2);

    EXPECT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.rowHeight(), 24);
    ASSERT_NE(list.recordAs<Entry>(2), nullptr);
    EXPECT_EQ(list.recordAs<Entry>(2)->name, "third");
    list.recordAs<Entry>(0)->name = "changed";
    EXPECT_EQ(list.recordAs<Entry>(0)->name, "changed");
    EXPECT_EQ(list.recordAs<Entry>(1), nullptr);  // a record of another type
    EXPECT_EQ(list.recordAs<Entry>(3), nullptr);  // no such row
    EXPECT_EQ(list.recordAs<Entry>(-1), nullptr);
    EXPECT_FALSE(watch.expired());

    list.clear();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_TRUE(watch.expired());
}

TEST(DrawnList, ReportsTheRowThatBecomesFocused)
{
    ListForm form;
    DrawnList& list = *form.list;
    list.addRow(Entry{"a"});
    list.addRow(Entry{"b"});
    std::vector<int> reported;
    list.onFocusChange = [&](int row) { reported.push_back(row); };
    EXPECT_EQ(list.focusedRow(), -1);

    list.setFocusedRow(1);
    list.setFocusedRow(0);

    EXPECT_EQ(list.focusedRow(), 0);
    EXPECT_EQ(reported, (std::vector<int>{1, 0}));
}

// Cells follow the header: dragging a column to the front moves its cells there.
TEST(DrawnList, DrawsEveryCellWhereTheHeaderPutsItsColumn)
{
    ListForm form;
    DrawnList& list = *form.list;
    list.addRow(Entry{"a"});
    list.addRow(Entry{"b"});
    list.setFocusedRow(1);
    int order[] = {2, 0, 1};
    ASSERT_TRUE(ListView_SetColumnOrderArray(list.handle(), 3, order));
    struct Drawn {
        int row;
        int column;
        RECT cell;
        COLORREF text;
    };
    std::vector<Drawn> drawn;
    const COLORREF mark = RGB(0, 200, 0);
    list.onDrawCell = [&](HDC dc, int row, int column, const RECT& cell) {
        drawn.push_back({row, column, cell, GetTextColor(dc)});
        // A handler that paints past its cell is clipped to it.
        RECT spot{cell.left + 2, cell.top + 2, cell.right + 40, cell.top + 10};
        GdiObject brush(CreateSolidBrush(mark));
        FillRect(dc, &spot, static_cast<HBRUSH>(brush.get()));
    };
    form.show();
    InvalidateRect(list.handle(), nullptr, TRUE);
    UpdateWindow(list.handle());
    ProcessMessages();

    ASSERT_GE(drawn.size(), 6u);
    const int left[] = {200, 320, 0};  // the columns' left edges in the new order
    const int width[] = {120, 100, 200};
    for (const Drawn& d : drawn) {
        EXPECT_EQ(d.cell.left, left[d.column]) << "column " << d.column;
        EXPECT_EQ(d.cell.right - d.cell.left, width[d.column]);
        EXPECT_EQ(d.cell.bottom - d.cell.top, 24);
        EXPECT_EQ(d.text, d.row == 1 ? RGB(255, 255, 255) : RGB(0, 0, 0));
    }
    WindowDC screen(list.handle());
    const Drawn& first = drawn.front();
    EXPECT_EQ(GetPixel(screen.get(), first.cell.left + 5, first.cell.top + 5), mark);
    // Right of the last column (320 to 420) nothing was painted over.
    RECT cell{};
    ASSERT_TRUE(list.cellRect(0, 1, cell));
    EXPECT_EQ(cell.right, 420);
    EXPECT_NE(GetPixel(screen.get(), 450, cell.top + 5), mark);
    form.hide();
}
