// A spin edit: an edit for a whole number with arrow buttons. The number always
// lies within the range: setting a number outside it stores the nearest bound, and
// a typed number outside it is brought to the nearest bound when the user leaves
// the field. A text that is not a decimal number reads as the minimum.
#pragma once

#include "ui/control.h"

namespace ui {

class SpinEdit : public Control {
public:
    SpinEdit(Control& parent, std::string name, const Bounds& bounds, int minValue, int maxValue, int increment = 1,
             int value = 0);

    int minValue() const { return minValue_; }
    int maxValue() const { return maxValue_; }
    int increment() const { return increment_; }

    int value() const;
    void setValue(int value);

    Event onChange;

    void handleCommand(int code) override;

protected:
    // Keeps the arrows beside the edit when it moves, shows, hides or changes its enabled state.
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int clamp(int value) const;
    // Shows the number brought into the range; the text changing counts as an edit.
    void show(int value);
    void placeArrows();

    int minValue_;
    int maxValue_;
    int increment_;
    // The arrow buttons beside the edit (an up-down control bound to it), a sibling
    // window destroyed with the spin edit. bounds() and setBounds() concern the edit;
    // the arrows follow it on its right.
    WindowHandle arrows_;
    // Where the arrows lie relative to the edit's right edge, as the up-down placed them.
    int arrowsOffset_ = 0;
    int arrowsWidth_ = 0;
};

}  // namespace ui
