// A canvas: a device context with the font texts are measured and drawn in.
#pragma once

#include "ui/handles.h"

#include <string>

#include <windows.h>

namespace ui {

class Canvas {
public:
    // Draws on an existing device context (an owner-draw item, a paint message).
    Canvas(HDC dc, HFONT font);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    HDC dc() const { return dc_; }
    void setFont(HFONT font);
    int textWidth(const std::string& text) const;
    int textHeight(const std::string& text) const;
    void textOut(int x, int y, const std::string& text);

private:
    HDC dc_;
    HGDIOBJ originalFont_;
};

// A canvas on the screen, for measuring texts in a control's font.
class MeasuringCanvas {
public:
    explicit MeasuringCanvas(HFONT font);
    Canvas& canvas() { return canvas_; }

private:
    WindowDC screen_;
    Canvas canvas_;
};

}  // namespace ui
