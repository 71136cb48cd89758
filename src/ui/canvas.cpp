#include "ui/canvas.h"

namespace ui {

Canvas::Canvas(HDC dc, HFONT font) : dc_(dc), originalFont_(SelectObject(dc, font)) {}

Canvas::~Canvas()
{
    SelectObject(dc_, originalFont_);
}

void Canvas::setFont(HFONT font)
{
    SelectObject(dc_, font);
}

int Canvas::textWidth(const std::string& text) const
{
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int Canvas::textHeight(const std::string& text) const
{
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cy;
}

void Canvas::textOut(int x, int y, const std::string& text)
{
    TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

MeasuringCanvas::MeasuringCanvas(HFONT font) : screen_(nullptr), canvas_(screen_.get(), font) {}

}  // namespace ui
