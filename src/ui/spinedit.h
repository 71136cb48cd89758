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

private:
    int minValue_;
    int maxValue_;
    int increment_;
    // The arrow buttons beside the edit (an up-down control bound to it).
    HWND arrows_ = nullptr;
};

}  // namespace ui
