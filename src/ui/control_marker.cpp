#include "ui/control_marker.h"

#include "ui/control.h"
#include "ui/handles.h"

namespace ui {

namespace {

constexpr int kFrameGap = 2;    // between the control and the frame
constexpr int kFrameWidth = 2;
const char* const kMarkClass = "VelmoraControlMark";

struct Mark {
    WindowHandle frame;  // let go of when its window goes first, which destroys it
    HWND marked = nullptr;
    HookHandle inputHook;
};

Mark& CurrentMark()
{
    static Mark mark;
    return mark;
}

bool IsInput(UINT message)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_MOUSEWHEEL: return true;
    default: return false;
    }
}

// Sees every message the thread takes from its queue, in any message loop.
LRESULT CALLBACK WatchInput(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && IsInput(reinterpret_cast<const MSG*>(lParam)->message))
        ClearMark();
    return result;
}

LRESULT CALLBACK MarkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;  // clicks go to what lies below
    case WM_NCDESTROY:
        if (CurrentMark().frame.get() == window) {
            CurrentMark().frame.release();
            CurrentMark().marked = nullptr;
            CurrentMark().inputHook.reset();
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterMarkClass()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MarkWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    windowClass.lpszClassName = kMarkClass;
    RegisterClassExA(&windowClass);
}

}  // namespace

void MarkControl(const Control& control)
{
    ClearMark();
    RegisterMarkClass();
    // The frame lies on the control's top-level window, above every other child, so
    // no sheet or group box paints over it.
    HWND form = GetAncestor(control.handle(), GA_ROOT);
    RECT around{};
    GetWindowRect(control.handle(), &around);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&around), 2);
    InflateRect(&around, kFrameGap + kFrameWidth, kFrameGap + kFrameWidth);
    const int width = around.right - around.left;
    const int height = around.bottom - around.top;
    WindowHandle frame(CreateWindowExA(0, kMarkClass, "", WS_CHILD | WS_CLIPSIBLINGS, around.left, around.top, width,
                                       height, form, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!frame)
        return;  // the control stays unmarked; nothing else depends on the mark
    // Only the frame itself: the outer rectangle without the inner one.
    GdiObject outer(CreateRectRgn(0, 0, width, height));
    const GdiObject inner(CreateRectRgn(kFrameWidth, kFrameWidth, width - kFrameWidth, height - kFrameWidth));
    const auto outerRegion = static_cast<HRGN>(outer.get());
    CombineRgn(outerRegion, outerRegion, static_cast<HRGN>(inner.get()), RGN_DIFF);
    if (SetWindowRgn(frame.get(), outerRegion, FALSE))
        outer.release();  // the window owns its region now
    SetWindowPos(frame.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Mark& mark = CurrentMark();
    mark.frame = std::move(frame);
    mark.marked = control.handle();
    mark.inputHook.reset(SetWindowsHookExA(WH_GETMESSAGE, WatchInput, nullptr, GetCurrentThreadId()));
}

HWND MarkedWindow()
{
    return CurrentMark().marked;
}

void ClearMark()
{
    Mark& mark = CurrentMark();
    mark.inputHook.reset();
    mark.marked = nullptr;
    mark.frame.reset();
}

}  // namespace ui
