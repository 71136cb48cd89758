// A panel filled with a colour gradient from its top edge to its bottom edge (or from
// its left edge to its right edge). Pictures and transparent labels placed on it show
// the gradient behind them.
#pragma once

#include "ui/controls.h"
#include "ui/handles.h"

namespace ui {

enum class GradientDirection { TopToBottom, LeftToRight };

class GradientPanel : public Panel {
public:
    GradientPanel(Control& parent, std::string name, const Bounds& bounds, COLORREF from, COLORREF to,
                  GradientDirection direction = GradientDirection::TopToBottom);

    COLORREF startColor() const { return from_; }
    COLORREF endColor() const { return to_; }

    void paintBackground(HDC dc) override;
    // Controls that paint a plain background of their own (check boxes, buttons) take
    // the colour in the middle of the gradient.
    HBRUSH backgroundBrush() const override { return static_cast<HBRUSH>(middleBrush_.get()); }

private:
    COLORREF from_;
    COLORREF to_;
    GradientDirection direction_;
    GdiObject middleBrush_;
};

}  // namespace ui
