// A picture control: shows one bitmap at its top left corner. Pictures are drawn
// by their parent as part of its background, in creation order, so that pictures
// lying over one another and transparent labels on them all show correctly. A
// 32-bit bitmap is drawn with its alpha channel; an empty picture shows the parent.
#pragma once

#include "ui/control.h"
#include "ui/handles.h"

#include <functional>
#include <string>

namespace ui {

class Image : public Control {
public:
    Image(Control& parent, std::string name, const Bounds& bounds);
    ~Image() override;

    // Loading sizes the control to the picture when autoSize is set. Both return
    // false and leave the picture as it was when the bitmap cannot be loaded.
    bool loadFromResource(int resourceId);
    // A bitmap file, or a JPEG or GIF file that the platform's picture decoder reads.
    // A picture without width or height counts as one that cannot be loaded.
    bool loadFromFile(const std::string& path);
    // Shows a copy of another control's picture (empty when that one is empty).
    void assign(const Image& other);
    // Fills the control with copies of another control's picture laid side by side
    // from the top left corner, the last column and row cut at the edges; empty when
    // that one is empty.
    void tile(const Image& picture);
    void clear();

    // A new picture of this size filled with one colour, to be drawn on with drawOn.
    void newPicture(int width, int height, COLORREF color);
    // Runs draw on a device context that holds the picture (not at all without one),
    // then shows the result.
    void drawOn(const std::function<void(HDC)>& draw);
    // The colour of one pixel of the picture; CLR_INVALID outside it or without a bitmap.
    COLORREF pixel(int x, int y) const;

    // Shows an icon in place of a bitmap, with its transparent parts showing the parent,
    // drawn at the control's size. An owned icon is destroyed with the picture, a shared
    // one (loaded with LR_SHARED) is not.
    void setIcon(IconHandle icon);
    void setSharedIcon(HICON icon);
    HICON icon() const { return icon_ ? icon_ : ownedIcon_.get(); }

    // A bitmap is shown (hasPicture), or an icon in its place (hasIcon).
    bool hasPicture() const { return static_cast<bool>(bitmap_); }
    bool hasIcon() const { return icon() != nullptr; }
    SIZE pictureSize() const;
    void setAutoSize(bool autoSize);
    // A stretched picture fills the control's bounds whatever its own size.
    void setStretch(bool stretch);

    // Draws copies of another control's picture side by side and row by row from the
    // top left corner until they cover this control, over what it shows already (a
    // control without a picture gets a white one of its own size first). Returns the
    // number of copies drawn: 0 when the other picture is empty.
    int tileWith(const Image& tile);

    // The picture as the bytes of a 24-bit bitmap file; empty when there is none.
    std::string bitmapFileBytes() const;

    // Pictures are drawn in the order they were created.
    int creationSerial() const { return serial_; }

    // Draws the picture with its top left corner at (x, y).
    void drawTo(HDC dc, int x, int y) const;

    Event onClick;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Pictures that report the mouse take it even without handlers of their own.
    virtual bool reportsMouse() const { return false; }

private:
    void takeBitmap(HBITMAP bitmap);
    void dropIcon();
    // Repaints the control's area, where its parent draws the picture.
    void showChange();
    void paint();

    GdiObject bitmap_;
    IconHandle ownedIcon_;
    HICON icon_ = nullptr;  // a shared icon, never destroyed here
    int serial_;
    bool hasAlpha_ = false;
    bool autoSize_ = false;
    bool stretch_ = false;
};

// Draws the visible pictures that are children of parent, in creation order.
void PaintPictures(const Control& parent, HDC dc);

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
