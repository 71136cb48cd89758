// TMouseImage: a picture that reports when the mouse enters and leaves it
// (onMouseEnter, onMouseLeave) and repaints itself each time. It never changes its
// picture itself; the main window uses it for its launcher symbols.
#pragma once

#include "ui/image.h"

namespace components {

class TMouseImage : public ui::Image {
public:
    using ui::Image::Image;

protected:
    bool reportsMouse() const override { return true; }
    void mouseEntered() override { repaint(); }
    void mouseLeft() override { repaint(); }

private:
    void repaint() { InvalidateRect(handle(), nullptr, FALSE); }
};

}  // namespace components
