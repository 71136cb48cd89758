// A picture control: shows one bitmap at its top left corner. An empty picture
// paints nothing, so the parent's background shows through.
#pragma once

#include "ui/control.h"
#include "ui/handles.h"

#include <string>

namespace ui {

class Image : public Control {
public:
    Image(Control& parent, std::string name, const Bounds& bounds);

    // Loading sizes the control to the picture when autoSize is set. Both return
    // false and leave the picture as it was when the bitmap cannot be loaded.
    bool loadFromResource(int resourceId);
    bool loadFromFile(const std::string& path);
    // Shows a copy of another control's picture (empty when that one is empty).
    void assign(const Image& other);
    void clear();

    bool hasPicture() const { return static_cast<bool>(bitmap_); }
    SIZE pictureSize() const;
    void setAutoSize(bool autoSize);

    Event onClick;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void takeBitmap(HBITMAP bitmap);
    void paint();

    GdiObject bitmap_;
    bool autoSize_ = false;
};

// A progress bar with a range (0-100 unless set) and a position.
class ProgressBar : public Control {
public:
    ProgressBar(Control& parent, std::string name, const Bounds& bounds);

    int minimum() const;
    int maximum() const;
    void setRange(int minimum, int maximum);
    int position() const;
    void setPosition(int position);
};

}  // namespace ui
