#include "ui/image.h"

#include <commctrl.h>

namespace ui {

// --- Image ----------------------------------------------------------------------

Image::Image(Control& parent, std::string name, const Bounds& bounds)
    : Control(&parent, std::move(name), WindowSpec{kContainerClass, WS_VISIBLE, 0, {}}, bounds)
{
}

bool Image::loadFromResource(int resourceId)
{
    auto* bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP,
                                                   0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return false;
    takeBitmap(bitmap);
    return true;
}

bool Image::loadFromFile(const std::string& path)
{
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap)
        return false;
    takeBitmap(bitmap);
    return true;
}

void Image::assign(const Image& other)
{
    if (!other.hasPicture()) {
        clear();
        return;
    }
    if (auto* copy = static_cast<HBITMAP>(CopyImage(other.bitmap_.get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)))
        takeBitmap(copy);
}

void Image::clear()
{
    bitmap_.reset();
    InvalidateRect(GetParent(handle()), nullptr, TRUE);
}

SIZE Image::pictureSize() const
{
    BITMAP info{};
    if (!bitmap_ || !GetObjectA(bitmap_.get(), sizeof(info), &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void Image::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (autoSize_ && bitmap_) {
        const SIZE size = pictureSize();
        setSize(size.cx, size.cy);
    }
}

void Image::takeBitmap(HBITMAP bitmap)
{
    bitmap_.reset(bitmap);
    setAutoSize(autoSize_);
    InvalidateRect(handle(), nullptr, FALSE);
}

void Image::paint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    if (bitmap_) {
        MemoryDC source(CreateCompatibleDC(dc));
        if (source) {
            SelectedObject selected(source.get(), bitmap_.get());
            const SIZE size = pictureSize();
            BitBlt(dc, 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(handle(), &paint);
}

LRESULT Image::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the picture covers its area; an empty one lets the parent show
    case WM_PAINT:
        paint();
        return 0;
    case WM_LBUTTONUP:
        fire(onClick);
        return 0;
    default:
        return Control::handleMessage(message, wParam, lParam);
    }
}

// --- ProgressBar ----------------------------------------------------------------

ProgressBar::ProgressBar(Control& parent, std::string name, const Bounds& bounds)
    : Control(&parent, std::move(name), WindowSpec{PROGRESS_CLASSA, WS_VISIBLE, 0, {}}, bounds)
{
    setRange(0, 100);
}

int ProgressBar::minimum() const
{
    return static_cast<int>(SendMessageA(handle(), PBM_GETRANGE, TRUE, 0));
}

int ProgressBar::maximum() const
{
    return static_cast<int>(SendMessageA(handle(), PBM_GETRANGE, FALSE, 0));
}

void ProgressBar::setRange(int minimum, int maximum)
{
    SendMessageA(handle(), PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

int ProgressBar::position() const
{
    return static_cast<int>(SendMessageA(handle(), PBM_GETPOS, 0, 0));
}

void ProgressBar::setPosition(int position)
{
    SendMessageA(handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

}  // namespace ui
