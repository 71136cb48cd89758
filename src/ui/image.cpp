#include "ui/image.h"

#include <commctrl.h>
#include <olectl.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace ui {

// --- Image ----------------------------------------------------------------------

namespace {
int NextSerial();
}

Image::Image(Control& parent, std::string name, const Bounds& bounds)
    : Control(&parent, std::move(name), WindowSpec{kContainerClass, WS_VISIBLE | WS_CLIPSIBLINGS, 0, {}}, bounds),
      serial_(NextSerial())
{
    // Pictures lie beneath every other control, which then clips their painting.
    SetWindowPos(handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

namespace {

// A bitmap of a picture file the system's picture loader reads (JPEG among others):
// the file's bytes as a stream, the loaded picture's bitmap copied into one of our own.
HBITMAP LoadOlePicture(const std::string& path)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > 64 * 1024 * 1024)
        return nullptr;
    const auto bytes = static_cast<DWORD>(size.QuadPart);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return nullptr;
    {
        void* target = GlobalLock(memory.get());
        DWORD read = 0;
        const bool complete = target && ReadFile(file.get(), target, bytes, &read, nullptr) && read == bytes;
        GlobalUnlock(memory.get());
        if (!complete)
            return nullptr;
    }
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory.get(), TRUE, stream.out())))
        return nullptr;
    memory.release();  // the stream frees it now
    ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes), FALSE, __uuidof(IPicture), picture.outVoid())))
        return nullptr;
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle)))
        return nullptr;
    // The picture owns its bitmap and frees it with itself.
    return static_cast<HBITMAP>(
        CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

bool Image::loadFromFile(const std::string& path)
{
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap)
        bitmap = LoadOlePicture(path);
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
    dropIcon();
    InvalidateRect(GetParent(handle()), nullptr, TRUE);
}

void Image::tile(const Image& picture)
{
    const SIZE piece = picture.pictureSize();
    if (!picture.hasPicture() || piece.cx <= 0 || piece.cy <= 0) {
        clear();
        return;
    }
    const int width = std::max(1, this->width());
    const int height = std::max(1, this->height());
    WindowDC screen(nullptr);
    MemoryDC canvas(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject tiled(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!canvas || !tiled)
        return;
    {
        SelectedObject selected(canvas.get(), tiled.get());
        const int columns = width / piece.cx + 1;
        const int rows = height / piece.cy + 1;
        for (int column = 0; column < columns; ++column)
            for (int row = 0; row < rows; ++row)
                picture.drawTo(canvas.get(), column * piece.cx, row * piece.cy);
    }
    takeBitmap(static_cast<HBITMAP>(tiled.release()));
}

void Image::newPicture(int width, int height, COLORREF color)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    WindowDC screen(nullptr);
    auto* bitmap = CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return;
    takeBitmap(bitmap);
    drawOn([&](HDC dc) {
        GdiObject brush(CreateSolidBrush(color));
        RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(brush.get()));
    });
}

void Image::drawOn(const std::function<void(HDC)>& draw)
{
    if (!bitmap_)
        return;
    {
        MemoryDC memory(CreateCompatibleDC(nullptr));
        if (!memory)
            return;
        SelectedObject selected(memory.get(), bitmap_.get());
        draw(memory.get());
    }
    GdiFlush();
    showChange();
}

COLORREF Image::pixel(int x, int y) const
{
    const SIZE size = pictureSize();
    if (!bitmap_ || x < 0 || y < 0 || x >= size.cx || y >= size.cy)
        return CLR_INVALID;
    MemoryDC memory(CreateCompatibleDC(nullptr));
    if (!memory)
        return CLR_INVALID;
    SelectedObject selected(memory.get(), bitmap_.get());
    return GetPixel(memory.get(), x, y);
}

void Image::setIcon(IconHandle icon)
{
    bitmap_.reset();
    dropIcon();
    ownedIcon_ = std::move(icon);
    showChange();
}

void Image::setSharedIcon(HICON icon)
{
    bitmap_.reset();
    dropIcon();
    icon_ = icon;
    showChange();
}

void Image::dropIcon()
{
    ownedIcon_.reset();
    icon_ = nullptr;
}

SIZE Image::pictureSize() const
{
    if (!bitmap_ && icon())
        return SIZE{width(), height()};
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

namespace {

int NextSerial()
{
    static int next = 0;
    return ++next;
}

// Alpha blending wants colours multiplied by their alpha; a 32-bit bitmap whose
// alpha bytes are all zero has no alpha channel and is drawn opaque.
bool PremultiplyAlpha(HBITMAP bitmap)
{
    DIBSECTION section{};
    if (GetObjectA(bitmap, sizeof(section), &section) != sizeof(section) || section.dsBm.bmBitsPixel != 32 ||
        !section.dsBm.bmBits)
        return false;
    auto* pixels = static_cast<BYTE*>(section.dsBm.bmBits);
    const std::size_t count = static_cast<std::size_t>(section.dsBm.bmWidth) * static_cast<std::size_t>(std::abs(section.dsBm.bmHeight));
    bool anyAlpha = false;
    for (std::size_t i = 0; i < count && !anyAlpha; ++i)
        anyAlpha = pixels[i * 4 + 3] != 0;
    if (!anyAlpha)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        BYTE* pixel = pixels + i * 4;
        for (int channel = 0; channel < 3; ++channel)
            pixel[channel] = static_cast<BYTE>(pixel[channel] * pixel[3] / 255);
    }
    return true;
}

}  // namespace

void Image::takeBitmap(HBITMAP bitmap)
{
    hasAlpha_ = PremultiplyAlpha(bitmap);
    dropIcon();
    bitmap_.reset(bitmap);
    setAutoSize(autoSize_);
    showChange();
}

void Image::showChange()
{
    // The parent draws the picture, so the area beneath it is repainted there.
    const Bounds area = bounds();
    RECT rect{area.left, area.top, area.left + area.width, area.top + area.height};
    InvalidateRect(GetParent(handle()), &rect, TRUE);
    InvalidateRect(handle(), nullptr, FALSE);
}

void Image::drawTo(HDC dc, int x, int y) const
{
    if (!bitmap_) {
        if (HICON shown = icon())
            DrawIconEx(dc, x, y, shown, width(), height(), 0, nullptr, DI_NORMAL);
        return;
    }
    MemoryDC source(CreateCompatibleDC(dc));
    if (!source)
        return;
    SelectedObject selected(source.get(), bitmap_.get());
    const SIZE size = pictureSize();
    if (hasAlpha_) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, x, y, size.cx, size.cy, source.get(), 0, 0, size.cx, size.cy, blend);
    } else {
        BitBlt(dc, x, y, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
    }
}

void Image::paint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    paintParentBackground(dc);
    EndPaint(handle(), &paint);
}

void PaintPictures(const Control& parent, HDC dc)
{
    // In the order the pictures were created, so a picture created later lies over
    // the earlier ones (the program picture behind the launcher symbols).
    std::vector<const Image*> pictures;
    for (HWND child = GetWindow(parent.handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (auto* image = dynamic_cast<const Image*>(Control::fromHandle(child)); image && image->visible())
            pictures.push_back(image);
    std::sort(pictures.begin(), pictures.end(),
              [](const Image* a, const Image* b) { return a->creationSerial() < b->creationSerial(); });
    for (const Image* image : pictures) {
        const Bounds at = image->bounds();
        // Pictures are clipped to their control's bounds, as the control shows them.
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, at.left, at.top, at.left + at.width, at.top + at.height);
        image->drawTo(dc, at.left, at.top);
        RestoreDC(dc, saved);
    }
}

LRESULT Image::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // painting draws the parent's background, this picture included
    case WM_PAINT:
        paint();
        return 0;
    case WM_LBUTTONUP:
        fire(onClick);
        return 0;
    case WM_NCHITTEST:
        // A picture nobody listens to lets the mouse through to what lies beneath it.
        if (!onClick && !onMouseEnter && !onMouseLeave && !reportsMouse())
            return HTTRANSPARENT;
        return Control::handleMessage(message, wParam, lParam);
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
