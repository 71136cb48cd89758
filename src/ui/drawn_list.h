// A report list whose rows each carry a record of the caller's and whose cells the
// caller draws: rows of one fixed height, whole-row selection, no check boxes, and a
// header whose columns can be resized and dragged into another order. The autostart
// list is built on it.
//
// Records are std::any (copyable types; a record owning a move-only thing goes in as
// a std::shared_ptr). A record lives until its row is deleted or the list is cleared.
#pragma once

#include "ui/handles.h"
#include "ui/listview.h"

#include <any>
#include <functional>
#include <map>

namespace ui {

class DrawnList : public ListView {
public:
    DrawnList(Control& parent, std::string name, const Bounds& bounds);

    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);

    // Every row this many pixels high.
    void setRowHeight(int height);
    int rowHeight() const;

    // Appends a row that carries record; its index.
    int addRow(std::any record);
    int rowCount() const { return itemCount(); }

    // The row's record; an empty one for a row that is not there.
    std::any& record(int row);
    template <class T>
    T* recordAs(int row)
    {
        return std::any_cast<T>(&record(row));
    }

    // The row with the focus (the selected one), -1 for none.
    int focusedRow() const { return selectedIndex(); }
    void setFocusedRow(int row) { setSelectedIndex(row); }

    // Paints one row again, or every row.
    void repaintRow(int row);
    void repaintRows();

    // Draws one cell. The row's background is already filled (the highlight colour for
    // the selected row, the window colour otherwise); dc is clipped to the cell, has the
    // list's font, a transparent background and the text colour of the row: white on a
    // selected row, black otherwise.
    std::function<void(HDC dc, int row, int column, const RECT& cell)> onDrawCell;

    // The focused row changed, by the user or the program (-1: none).
    std::function<void(int row)> onFocusChange;

    // The cell of a row and column in client coordinates, following the columns'
    // current order, widths and the list's scrolling; false when the row is not shown.
    bool cellRect(int row, int column, RECT& cell) const;

    std::optional<LRESULT> handleNotify(NMHDR& header) override;

private:
    LRESULT customDraw(NMLVCUSTOMDRAW& draw);
    void drawRow(HDC dc, int row);
    LPARAM keyOf(int row) const;

    ImageListHandle rowSpacer_;  // an empty image list whose height sets the rows' height
    int rowHeight_ = 0;
    LPARAM nextKey_ = 0;
    std::map<LPARAM, std::any> records_;
    std::any noRecord_;
};

}  // namespace ui
