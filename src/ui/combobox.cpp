#include "ui/combobox.h"

#include <algorithm>

namespace ui {

namespace {

// The height of the opened list. A drop-down list takes the height of its window as
// that of the opened list; the closed box is as high as its selection field.
constexpr int kListHeight = 200;

Bounds WithListRoom(Bounds bounds)
{
    bounds.height += kListHeight;
    return bounds;
}

}  // namespace

ComboBox::ComboBox(Control& parent, std::string name, const Bounds& bounds, const std::vector<std::string>& items,
                   ComboStyle style)
    : Control(&parent, std::move(name),
              WindowSpec{"COMBOBOX",
                         static_cast<DWORD>(WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                                            (style == ComboStyle::DropDown ? CBS_DROPDOWN | CBS_AUTOHSCROLL
                                                                           : CBS_DROPDOWNLIST)),
                         0, {}},
              WithListRoom(bounds)),
      style_(style)
{
    fitClosedHeight(bounds.height);
    setItems(items);
}

// The selection field grows or shrinks by what the closed box lacks of the given height.
// The heights the field reports and takes need not agree, so the field is set once
// as reported, and then corrected by what the closed box still lacks of the height.
void ComboBox::fitClosedHeight(int closedHeight)
{
    int field = static_cast<int>(SendMessageA(handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int step = 0; step < 2 && height() != closedHeight && field > 0; ++step) {
        if (step > 0)
            field += closedHeight - height();
        SendMessageA(handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

void ComboBox::setItems(const std::vector<std::string>& items)
{
    SendMessageA(handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageA(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::vector<std::string> ComboBox::items() const
{
    std::vector<std::string> list;
    const int count = itemCount();
    for (int index = 0; index < count; ++index)
        list.push_back(itemText(index));
    return list;
}

std::string ComboBox::itemText(int index) const
{
    const auto length = SendMessageA(handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::string item(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    const auto copied = SendMessageA(handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return item;
}

int ComboBox::itemCount() const
{
    return static_cast<int>(SendMessageA(handle(), CB_GETCOUNT, 0, 0));
}

int ComboBox::itemIndex() const
{
    return static_cast<int>(SendMessageA(handle(), CB_GETCURSEL, 0, 0));  // CB_ERR is -1
}

void ComboBox::setItemIndex(int index)
{
    noteChange();
    const bool inside = index >= 0 && index < itemCount();
    SendMessageA(handle(), CB_SETCURSEL, static_cast<WPARAM>(inside ? index : -1), 0);
}

std::string ComboBox::text() const
{
    if (style_ == ComboStyle::DropDown)
        return windowText();
    const int index = itemIndex();
    return index < 0 ? std::string() : itemText(index);
}

void ComboBox::setText(const std::string& text)
{
    if (style_ != ComboStyle::DropDown)
        return;
    noteChange();
    setWindowText(text);
}

void ComboBox::handleCommand(int code)
{
    if (code == CBN_SELCHANGE || (code == CBN_EDITCHANGE && style_ == ComboStyle::DropDown)) {
        noteChange();
        fire(onChange);
    }
}

LRESULT ComboBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A caller's new size names the closed box; the window keeps the list's room below it.
    if (message == WM_WINDOWPOSCHANGING && nesting_ == 0) {
        auto& position = *reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(position.flags & SWP_NOSIZE) && position.cy < kListHeight)
            position.cy += kListHeight;
    }
    struct Nested {
        int& depth;
        explicit Nested(int& d) : depth(++d) {}
        ~Nested() { --depth; }
    } nested(nesting_);
    return Control::handleMessage(message, wParam, lParam);
}

}  // namespace ui
