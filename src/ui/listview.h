// A list view: items with a caption, further column texts and an image, shown as
// large icons or as a report with columns, optionally with a check box per item.
// The drive lists, the hidden accounts and the installed programs are built on it.
// Items, their texts and check marks live in the window.
#pragma once

#include "ui/control.h"
#include "ui/handles.h"

#include <functional>
#include <string>

#include <commctrl.h>

namespace ui {

enum class ListViewStyle { LargeIcons, Report };

struct ListViewOptions {
    ListViewStyle style = ListViewStyle::Report;
    bool checkBoxes = false;
    bool wholeRowSelect = false;
    bool sortedByCaption = false;
};

// The columns of any report-style list view window (the file result list's too).
void AddListColumn(HWND list, const std::string& caption, int width);
void SetListColumnCaption(HWND list, int column, const std::string& caption);
std::string ListColumnCaption(HWND list, int column);
int ListColumnCount(HWND list);

class ListView : public Control {
public:
    ListView(Control& parent, std::string name, const Bounds& bounds, const ListViewOptions& options = {});

    // Report view: a column of this caption and width in pixels.
    void addColumn(const std::string& caption, int width);
    void setColumnCaption(int column, const std::string& caption);
    std::string columnCaption(int column) const;
    int columnCount() const;

    // Report view: every row this many pixels high (the list then keeps a small image
    // list of its own for it, in place of one set with setSmallImages).
    void setRowHeight(int height);

    // Large (32 x 32) or small (16 x 16) images; the list does not own them.
    void setLargeImages(HIMAGELIST images);
    void setSmallImages(HIMAGELIST images);

    // Adds an item (sorted into place when the list is sorted); its index.
    int addItem(const std::string& caption, int image = -1, bool checked = false);
    void deleteItem(int index);
    void clear();
    int itemCount() const;

    std::string caption(int index) const;
    // Column 1 and further (column 0 is the caption); the text of a column not set is empty.
    std::string subItem(int index, int column) const;
    void setSubItem(int index, int column, const std::string& text);
    int image(int index) const;

    // A number the program keeps with an item (an index into a list of its own, say);
    // 0 until set.
    void setItemData(int index, LPARAM data);
    LPARAM itemData(int index) const;

    bool checked(int index) const;
    void setChecked(int index, bool checked);

    // The selected item, -1 for none.
    int selectedIndex() const;
    void setSelectedIndex(int index);

    // An item became selected (true) or lost the selection (false), by the user or the program.
    std::function<void(int index, bool selected)> onSelectItem;
    // A check box changed, by the user or the program.
    std::function<void(int index)> onChecked;

    // Report view: draws a cell's content in place of its text, when set. The list
    // paints each row as usual first; cell is then filled with the highlight colour
    // (selected item of the focused list) or the window colour, and dc's text colour,
    // font and transparent mode match that fill.
    std::function<void(HDC dc, int index, int column, const RECT& cell)> onDrawCell;

    std::optional<LRESULT> handleNotify(NMHDR& header) override;

private:
    LRESULT customDraw(NMLVCUSTOMDRAW& draw);
    int shownRowHeight();
    void drawCells(HDC dc, int index);

    // Check marks set while items are added are no change of the user's.
    bool adding_ = false;
    ImageListHandle rowHeightImages_;
};

}  // namespace ui
