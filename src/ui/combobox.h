// A drop-down list of fixed items (no free text), with one selected item or none;
// or, as a drop-down box, an edit for free text with the items offered below it.
#pragma once

#include "ui/control.h"

#include <string>
#include <vector>

namespace ui {

enum class ComboStyle { DropDownList, DropDown };

class ComboBox : public Control {
public:
    ComboBox(Control& parent, std::string name, const Bounds& bounds, const std::vector<std::string>& items = {},
             ComboStyle style = ComboStyle::DropDownList);

    // Replaces the items; nothing is selected afterwards.
    void setItems(const std::vector<std::string>& items);
    std::vector<std::string> items() const;
    int itemCount() const;

    // -1 when nothing is selected; setting an index outside the items selects nothing.
    int itemIndex() const;
    void setItemIndex(int index);
    // The selected item, empty when none; for a drop-down box the text of its edit.
    std::string text() const;
    // A drop-down box shows the text in its edit (a drop-down list ignores it).
    void setText(const std::string& text);
    ComboStyle style() const { return style_; }

    Event onChange;  // the user chose an item or typed into the edit

    void handleCommand(int code) override;

protected:
    // Keeps room for the list when the box is resized.
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fitClosedHeight(int closedHeight);
    std::string itemText(int index) const;

    // How deep the box is in handling its own messages: sizes it sets itself while
    // handling one are its own business, not a caller's new bounds.
    int nesting_ = 0;
    ComboStyle style_;
};

}  // namespace ui
