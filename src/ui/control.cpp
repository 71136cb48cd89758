#include "ui/control.h"

#include "ui/application.h"
#include "ui/errors.h"
#include "ui/fonts.h"
#include "ui/image.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

const char* const kFormClass = "VelmoraForm";
const char* const kContainerClass = "VelmoraContainer";

namespace {

const char* const kControlProperty = "VelmoraControl";
// The font of the toolkit's own window classes, which the default window procedure does not keep.
const char* const kFontProperty = "VelmoraFont";

// Child window ids below the range of menu commands, never IDOK or IDCANCEL.
int NextControlId()
{
    static int next = 100;
    const int id = next++;
    if (next >= 0x7FFF)
        next = 100;
    return id;
}

}  // namespace

void RegisterToolkitClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ControlWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFormClass;
    windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(1));
    RegisterClassExA(&windowClass);
    windowClass.lpszClassName = kContainerClass;
    windowClass.hIcon = nullptr;
    RegisterClassExA(&windowClass);
}

Control::Control(Control* parent, std::string name, const WindowSpec& description, const Bounds& bounds)
    : Component(std::move(name))
{
    App().initialize();
    const bool ownClass = lstrcmpiA(description.className, kFormClass) == 0 || lstrcmpiA(description.className, kContainerClass) == 0;
    HWND parentWindow = parent ? parent->handle() : nullptr;
    const DWORD style = description.style | (parent ? WS_CHILD : 0);
    HMENU id = parent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId())) : nullptr;
    HWND window = CreateWindowExA(description.exStyle, description.className, description.text.c_str(), style, bounds.left, bounds.top,
                                  bounds.width, bounds.height, parentWindow, id, GetModuleHandleA(nullptr),
                                  ownClass ? this : nullptr);
    if (!window)
        throw EOSError::fromLastError();
    window_.reset(window);
    SetPropA(window, kControlProperty, this);
    if (ownClass) {
        originalProc_ = DefWindowProcA;
    } else {
        originalProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWindowProc)));
    }
    if (parent)
        parent->keepAbovePictures(window);
    HFONT parentFont = parent ? parent->font() : nullptr;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(parentFont ? parentFont : DefaultFont()), FALSE);
}

Control::~Control()
{
    // Owned controls go first: their windows are children of this one.
    destroyComponents();
    if (HWND window = handle()) {
        RemovePropA(window, kControlProperty);
        RemovePropA(window, kFontProperty);
        if (originalProc_ && originalProc_ != DefWindowProcA)
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc_));
    }
}

Control* Control::fromHandle(HWND window)
{
    return window ? static_cast<Control*>(GetPropA(window, kControlProperty)) : nullptr;
}

Bounds Control::bounds() const
{
    RECT rect{};
    GetWindowRect(handle(), &rect);
    if (HWND parent = GetParent(handle()); parent && (GetWindowLongA(handle(), GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return Bounds{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Control::setBounds(const Bounds& b)
{
    SetWindowPos(handle(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Control::clientWidth() const
{
    RECT client{};
    GetClientRect(handle(), &client);
    return client.right;
}

int Control::clientHeight() const
{
    RECT client{};
    GetClientRect(handle(), &client);
    return client.bottom;
}

void Control::setLeft(int left)
{
    const Bounds b = bounds();
    setBounds({left, b.top, b.width, b.height});
}

void Control::setTop(int top)
{
    const Bounds b = bounds();
    setBounds({b.left, top, b.width, b.height});
}

void Control::setSize(int width, int height)
{
    SetWindowPos(handle(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

bool Control::visible() const
{
    return (GetWindowLongA(handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::setVisible(bool visible)
{
    ShowWindow(handle(), visible ? SW_SHOW : SW_HIDE);
}

bool Control::enabled() const
{
    return IsWindowEnabled(handle()) != FALSE;
}

void Control::setEnabled(bool enabled)
{
    EnableWindow(handle(), enabled);
}

void Control::setFocus()
{
    SetFocus(handle());
}

std::string Control::windowText() const
{
    const int length = GetWindowTextLengthA(handle());
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(handle(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void Control::setWindowText(const std::string& text)
{
    SetWindowTextA(handle(), text.c_str());
}

HFONT Control::font() const
{
    return reinterpret_cast<HFONT>(SendMessageA(handle(), WM_GETFONT, 0, 0));
}

void Control::setFont(HFONT font)
{
    SendMessageA(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    fontChanged();
}

void Control::paintBackground(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    FillRect(dc, &client, backgroundBrush());
    PaintPictures(*this, dc);
}

// A new window goes to the bottom of its siblings; pictures stay beneath every other
// control, so it is put just above the topmost picture instead. Every picture went to
// the bottom when it was made, so the first one made lies on top of the others; the
// walk through all siblings is needed only when that no longer holds. The pictures
// are known here, so no sibling needs asking what it is: each question is a round
// trip to the window system, and a window with many children would pay it for each.
void Control::keepAbovePictures(HWND window) const
{
    if (pictures_.empty())
        return;
    const auto isPicture = [this](HWND sibling) {
        return std::find(pictures_.begin(), pictures_.end(), sibling) != pictures_.end();
    };
    HWND above = GetWindow(pictures_.front(), GW_HWNDPREV);
    if (above == window)
        return;
    if (above && isPicture(above)) {
        above = HWND_TOP;
        for (HWND sibling = GetWindow(handle(), GW_CHILD); sibling && !isPicture(sibling);
             sibling = GetWindow(sibling, GW_HWNDNEXT))
            if (sibling != window)
                above = sibling;
    }
    SetWindowPos(window, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HBRUSH Control::backgroundBrush() const
{
    return GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH Control::parentBackgroundBrush() const
{
    const Control* parent = (GetWindowLongA(handle(), GWL_STYLE) & WS_CHILD) ? fromHandle(GetParent(handle())) : nullptr;
    return parent ? parent->backgroundBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

void Control::paintParentBackground(HDC dc)
{
    Control* parent = fromHandle(GetParent(handle()));
    if (!parent || !(GetWindowLongA(handle(), GWL_STYLE) & WS_CHILD)) {
        RECT client{};
        GetClientRect(handle(), &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const Bounds own = bounds();
    POINT previous{};
    OffsetViewportOrgEx(dc, -own.left, -own.top, &previous);
    parent->paintBackground(dc);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void Control::setCursor(LPCSTR systemCursor)
{
    cursor_ = LoadCursorA(nullptr, systemCursor);
}

void Control::changeStyle(DWORD add, DWORD remove)
{
    const DWORD style = (static_cast<DWORD>(GetWindowLongA(handle(), GWL_STYLE)) & ~remove) | add;
    SetWindowLongA(handle(), GWL_STYLE, static_cast<LONG>(style));
    SetWindowPos(handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    InvalidateRect(handle(), nullptr, TRUE);
}

void Control::fire(const Event& event)
{
    if (event)
        App().runEvent(event);
}

LRESULT Control::callDefault(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(originalProc_ ? originalProc_ : DefWindowProcA, handle(), message, wParam, lParam);
}

std::optional<LRESULT> Control::routeToChild(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (Control* child = fromHandle(reinterpret_cast<HWND>(lParam))) {
            child->handleCommand(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Control* child = fromHandle(header->hwndFrom))
            return child->handleNotify(*header);
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (Control* child = fromHandle(reinterpret_cast<HWND>(lParam))) {
            if (auto brush = child->handleColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(*brush);
            if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
                // Static texts and buttons show the background they lie on.
                LOGBRUSH brush{};
                GetObjectA(backgroundBrush(), sizeof(brush), &brush);
                SetBkColor(reinterpret_cast<HDC>(wParam), brush.lbColor);
                return reinterpret_cast<LRESULT>(backgroundBrush());
            }
        }
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            if (Control* child = fromHandle(item->hwndItem); child && child->handleDrawItem(*item))
                return TRUE;
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            if (Control* child = fromHandle(GetDlgItem(handle(), static_cast<int>(item->CtlID)));
                child && child->handleMeasureItem(*item))
                return TRUE;
        break;
    }
    default:
        break;
    }
    return std::nullopt;
}

void Control::trackMouse(UINT message)
{
    if (message == WM_MOUSEMOVE && !mouseInside_) {
        mouseInside_ = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle(), 0};
        TrackMouseEvent(&track);
        fire(onMouseEnter);
        mouseEntered();
    } else if (message == WM_MOUSELEAVE && mouseInside_) {
        mouseInside_ = false;
        fire(onMouseLeave);
        mouseLeft();
    }
}

LRESULT Control::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto routed = routeToChild(message, wParam, lParam))
        return *routed;
    if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE)
        trackMouse(message);
    if (message == WM_SETCURSOR && cursor_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(cursor_);
        return TRUE;
    }
    if (originalProc_ == DefWindowProcA) {
        if (message == WM_ERASEBKGND) {
            paintBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        }
        if (message == WM_SETFONT) {
            SetPropA(handle(), kFontProperty, reinterpret_cast<HANDLE>(wParam));
            if (LOWORD(lParam))
                InvalidateRect(handle(), nullptr, TRUE);
            return 0;
        }
        if (message == WM_GETFONT)
            return reinterpret_cast<LRESULT>(GetPropA(handle(), kFontProperty));
    }
    return callDefault(message, wParam, lParam);
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        // The toolkit's own windows learn their control from the creation parameter.
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (auto* control = static_cast<Control*>(create->lpCreateParams)) {
            SetPropA(window, kControlProperty, control);
            control->originalProc_ = DefWindowProcA;
        }
    }
    Control* control = Control::fromHandle(window);
    if (!control || control->handle() != window) {
        // Messages that arrive while the window is being created, before the control owns it.
        if (control && control->originalProc_)
            return CallWindowProcA(control->originalProc_, window, message, wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return control->handleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        // Nothing may unwind through Windows' own code.
        App().showException(error);
        return 0;
    }
}

}  // namespace ui
