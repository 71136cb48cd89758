#include "ui/spinedit.h"

#include "ui/errors.h"

#include <algorithm>
#include <charconv>
#include <string>

#include <commctrl.h>

namespace ui {

namespace {

// The whole text as a decimal number (surrounding blanks allowed), or nothing when it
// is not one or does not fit an int.
std::optional<int> ParseDecimal(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t") + 1;
    int number = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last;
    const auto [stop, error] = std::from_chars(begin, end, number, 10);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

Bounds ArrowBounds(HWND arrows, HWND parent)
{
    RECT rect{};
    GetWindowRect(arrows, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return Bounds{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

SpinEdit::SpinEdit(Control& parent, std::string name, const Bounds& bounds, int minValue, int maxValue, int increment,
                   int value)
    : Control(&parent, std::move(name),
              WindowSpec{"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, WS_EX_CLIENTEDGE, {}}, bounds),
      minValue_(std::min(minValue, maxValue)),
      maxValue_(std::max(minValue, maxValue)),
      increment_(std::max(increment, 1))
{
    // The up-down control takes its room from the edit's right side, so that edit and
    // arrows together fill the given bounds.
    HWND arrows = CreateWindowExA(0, UPDOWN_CLASSA, "",
                                  WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS
                                      | UDS_NOTHOUSANDS,
                                  0, 0, 0, 0, parent.handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!arrows)
        throw EOSError::fromLastError();
    arrows_.reset(arrows);
    SendMessageA(arrows, UDM_SETRANGE32, static_cast<WPARAM>(minValue_), static_cast<LPARAM>(maxValue_));
    UDACCEL step{0, static_cast<UINT>(increment_)};
    SendMessageA(arrows, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    SendMessageA(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(handle()), 0);
    SetWindowPos(arrows, handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // The up-down overlaps the edit's border; both move right so the arrows end at the bounds' right edge.
    const Bounds edit = this->bounds();
    Bounds placed = ArrowBounds(arrows, parent.handle());
    const int shortfall = bounds.left + bounds.width - (placed.left + placed.width);
    setSize(edit.width + shortfall, edit.height);
    placed.left += shortfall;
    SetWindowPos(arrows, nullptr, placed.left, placed.top, placed.width, placed.height, SWP_NOZORDER | SWP_NOACTIVATE);
    arrowsOffset_ = placed.left - (edit.left + edit.width + shortfall);
    arrowsWidth_ = placed.width;
    setValue(value);
}

int SpinEdit::clamp(int value) const
{
    return std::clamp(value, minValue_, maxValue_);
}

int SpinEdit::value() const
{
    const auto number = ParseDecimal(windowText());
    return number ? clamp(*number) : minValue_;
}

void SpinEdit::setValue(int value)
{
    noteChange();
    show(value);
}

void SpinEdit::show(int value)
{
    const int stored = clamp(value);
    const std::string text = std::to_string(stored);
    if (windowText() != text)
        setWindowText(text);
    SendMessageA(arrows_.get(), UDM_SETPOS32, 0, stored);
}

void SpinEdit::handleCommand(int code)
{
    if (code == EN_CHANGE) {
        noteChange();
        fire(onChange);
    } else if (code == EN_KILLFOCUS) {
        // Leaving the field brings a number outside the range (or no number) into it.
        show(value());
    }
}

void SpinEdit::placeArrows()
{
    const Bounds edit = bounds();
    SetWindowPos(arrows_.get(), nullptr, edit.left + edit.width + arrowsOffset_, edit.top, arrowsWidth_, edit.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SpinEdit::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (arrowsWidth_ > 0) {  // once the arrows have their place
        switch (message) {
        case WM_WINDOWPOSCHANGED:
            if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
                placeArrows();
            break;
        case WM_SHOWWINDOW:
            if (lParam == 0)  // shown or hidden itself, not with its parent
                ShowWindow(arrows_.get(), wParam ? SW_SHOWNA : SW_HIDE);
            break;
        case WM_ENABLE:
            EnableWindow(arrows_.get(), static_cast<BOOL>(wParam));
            break;
        default:
            break;
        }
    }
    return Control::handleMessage(message, wParam, lParam);
}

}  // namespace ui
