// A drop-down list of fixed items (no free text), with one selected item or none.
#pragma once

#include "ui/control.h"

#include <string>
#include <vector>

namespace ui {

class ComboBox : public Control {
public:
    ComboBox(Control& parent, std::string name, const Bounds& bounds, const std::vector<std::string>& items = {});

    // Replaces the items; nothing is selected afterwards.
    void setItems(const std::vector<std::string>& items);
    std::vector<std::string> items() const;
    int itemCount() const;

    // -1 when nothing is selected; setting an index outside the items selects nothing.
    int itemIndex() const;
    void setItemIndex(int index);
    std::string text() const;  // the selected item, empty when none

    Event onChange;  // the user chose an item

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
};

}  // namespace ui
