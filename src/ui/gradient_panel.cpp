#include "ui/gradient_panel.h"

#include "ui/image.h"

namespace ui {

namespace {

// A colour channel as GradientFill takes it: 16 bits, the 8 bits in the high byte.
COLOR16 Channel(BYTE value)
{
    return static_cast<COLOR16>(value << 8);
}

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color)
{
    TRIVERTEX vertex{};
    vertex.x = x;
    vertex.y = y;
    vertex.Red = Channel(GetRValue(color));
    vertex.Green = Channel(GetGValue(color));
    vertex.Blue = Channel(GetBValue(color));
    return vertex;
}

COLORREF Middle(COLORREF from, COLORREF to)
{
    return RGB((GetRValue(from) + GetRValue(to)) / 2, (GetGValue(from) + GetGValue(to)) / 2,
               (GetBValue(from) + GetBValue(to)) / 2);
}

}  // namespace

GradientPanel::GradientPanel(Control& parent, std::string name, const Bounds& bounds, COLORREF from, COLORREF to,
                             GradientDirection direction)
    : Panel(parent, std::move(name), bounds),
      from_(from),
      to_(to),
      direction_(direction),
      middleBrush_(CreateSolidBrush(Middle(from, to)))
{
}

void GradientPanel::paintBackground(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    TRIVERTEX corners[2] = {Vertex(client.left, client.top, from_), Vertex(client.right, client.bottom, to_)};
    GRADIENT_RECT rectangle{0, 1};
    const ULONG mode = direction_ == GradientDirection::TopToBottom ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H;
    if (!GradientFill(dc, corners, 2, &rectangle, 1, mode))
        FillRect(dc, &client, backgroundBrush());
    PaintPictures(*this, dc);
}

}  // namespace ui
