// A check list box: a list box of texts, each item with a check box at its left.
// The items, their texts and their check marks live in the window (the mark is the
// item's data). The list is owner-drawn with items of a fixed height: the list draws
// each item's background and check box, and drawItem the rest of the item.
#pragma once

#include "ui/control.h"

#include <functional>
#include <string>

namespace ui {

class CheckListBox : public Control {
public:
    CheckListBox(Control& parent, std::string name, const Bounds& bounds);

    // Appends an item, unchecked; its index.
    int addItem(const std::string& text);
    void clear();
    int itemCount() const;
    std::string itemText(int index) const;

    bool checked(int index) const;
    void setChecked(int index, bool checked);

    void setItemHeight(int height);
    int itemHeight() const;

    // The selected item, -1 for none.
    int itemIndex() const;
    void setItemIndex(int index);

    // A check box changed by the user (a click on the box or the space bar).
    std::function<void(int index)> onClickCheck;

    bool handleDrawItem(DRAWITEMSTRUCT& item) override;

    // The width of the check box column at each item's left.
    static constexpr int kCheckColumn = 20;

protected:
    // Draws an item's content into rect, the part of the item right of its check box,
    // already filled with the selection colour or the window colour; the text colour
    // of dc matches that fill. By default the item's text, centred on its height.
    virtual void drawItem(HDC dc, int index, const RECT& rect);

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void toggle(int index);
    void drawCheckBox(HDC dc, int index, const RECT& item) const;
};

}  // namespace ui
