#include "ui/image.h"

#include <commctrl.h>
#include <olectl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
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
    parent.pictures_.push_back(handle());
}

Image::~Image()
{
    // The parent's window is gone, with this one, when the parent went first.
    if (Control* parent = fromHandle(GetParent(handle()))) {
        auto& pictures = parent->pictures_;
        pictures.erase(std::remove(pictures.begin(), pictures.end(), handle()), pictures.end());
    }
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

bool HasArea(HBITMAP bitmap)
{
    BITMAP info{};
    return GetObjectA(bitmap, sizeof(info), &info) && info.bmWidth > 0 && info.bmHeight != 0;
}

// Decodes a picture file (JPEG, GIF, bitmap) with the platform's picture object and
// returns a copy of its bitmap that the caller owns; null when it cannot be decoded.
HBITMAP DecodePictureFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty())
        return nullptr;
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory)
        return nullptr;
    if (void* target = GlobalLock(memory.get())) {
        std::memcpy(target, bytes.data(), bytes.size());
        GlobalUnlock(memory.get());
    } else {
        return nullptr;
    }
    const ComScope com;
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory.get(), TRUE, stream.out())))
        return nullptr;
    memory.release();  // the stream frees it now
    ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, picture.outVoid())))
        return nullptr;
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle)))
        return nullptr;
    // The picture object owns its bitmap; the copy outlives it.
    auto* source = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    return static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

bool Image::loadFromFile(const std::string& path)
{
    GdiObject bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap)
        bitmap.reset(DecodePictureFile(path));
    if (!bitmap || !HasArea(static_cast<HBITMAP>(bitmap.get())))
        return false;
    takeBitmap(static_cast<HBITMAP>(bitmap.release()));
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
    if (!picture.hasPicture()) {
        clear();
        return;
    }
    newPicture(std::max(1, width()), std::max(1, height()), RGB(255, 255, 255));
    tileWith(picture);
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

void Image::setStretch(bool stretch)
{
    stretch_ = stretch;
    InvalidateRect(GetParent(handle()), nullptr, TRUE);
}

int Image::tileWith(const Image& tile)
{
    const SIZE piece = tile.pictureSize();
    if (!tile.hasPicture() || piece.cx <= 0 || piece.cy <= 0 || width() <= 0 || height() <= 0)
        return 0;
    if (!bitmap_)
        newPicture(width(), height(), RGB(255, 255, 255));
    if (!bitmap_)
        return 0;
    const SIZE area = pictureSize();
    int copies = 0;
    {
        MemoryDC target(CreateCompatibleDC(nullptr));
        if (!target)
            return 0;
        SelectedObject selected(target.get(), bitmap_.get());
        for (int row = 0; row <= area.cy / piece.cy; ++row)
            for (int column = 0; column <= area.cx / piece.cx; ++column) {
                tile.drawTo(target.get(), column * piece.cx, row * piece.cy);
                ++copies;
            }
    }
    takeBitmap(static_cast<HBITMAP>(bitmap_.release()));
    return copies;
}

std::string Image::bitmapFileBytes() const
{
    const SIZE size = pictureSize();
    if (!bitmap_ || size.cx <= 0 || size.cy <= 0)
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const DWORD rowBytes = (static_cast<DWORD>(size.cx) * 3 + 3) & ~3u;
    std::string pixels(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(size.cy), '\0');
    {
        WindowDC screen(nullptr);
        if (!GetDIBits(screen.get(), static_cast<HBITMAP>(bitmap_.get()), 0, static_cast<UINT>(size.cy), pixels.data(),
                       &info, DIB_RGB_COLORS))
            return {};
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    return bytes + pixels;
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
    if (stretch_) {
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, x, y, width(), height(), source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
    } else if (hasAlpha_) {
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
