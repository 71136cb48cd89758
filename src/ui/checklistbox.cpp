#include "ui/checklistbox.h"

#include "ui/application.h"

#include <vector>

#include <windowsx.h>

namespace ui {

namespace {

constexpr int kBoxSize = 13;

// The item whose check box lies under a point of the client area; -1 for none.
int CheckBoxAt(HWND list, int x, int y)
{
    if (x < 0 || x >= CheckListBox::kCheckColumn)
        return -1;
    const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    if (HIWORD(hit))
        return -1;  // below the last item
    return static_cast<int>(LOWORD(hit));
}

}  // namespace

CheckListBox::CheckListBox(Control& parent, std::string name, const Bounds& bounds)
    : Control(&parent, std::move(name),
              WindowSpec{"LISTBOX",
                         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY,
                         WS_EX_CLIENTEDGE, {}},
              bounds)
{
}

int CheckListBox::addItem(const std::string& text)
{
    const auto index = static_cast<int>(SendMessageA(handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    if (index >= 0)
        SendMessageA(handle(), LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
    return index;
}

void CheckListBox::clear()
{
    SendMessageA(handle(), LB_RESETCONTENT, 0, 0);
}

int CheckListBox::itemCount() const
{
    return static_cast<int>(SendMessageA(handle(), LB_GETCOUNT, 0, 0));
}

std::string CheckListBox::itemText(int index) const
{
    const LRESULT length = SendMessageA(handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return {};
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

bool CheckListBox::checked(int index) const
{
    const LRESULT data = SendMessageA(handle(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data != LB_ERR && data != 0;
}

void CheckListBox::setChecked(int index, bool checked)
{
    if (index < 0 || index >= itemCount())
        return;
    noteChange();
    SendMessageA(handle(), LB_SETITEMDATA, static_cast<WPARAM>(index), checked ? 1 : 0);
    RECT item{};
    if (SendMessageA(handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != LB_ERR)
        InvalidateRect(handle(), &item, FALSE);
}

void CheckListBox::setItemHeight(int height)
{
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
    InvalidateRect(handle(), nullptr, TRUE);
}

int CheckListBox::itemHeight() const
{
    return static_cast<int>(SendMessageA(handle(), LB_GETITEMHEIGHT, 0, 0));
}

int CheckListBox::itemIndex() const
{
    const LRESULT selected = SendMessageA(handle(), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void CheckListBox::setItemIndex(int index)
{
    SendMessageA(handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CheckListBox::toggle(int index)
{
    if (index < 0 || index >= itemCount())
        return;
    setChecked(index, !checked(index));
    if (onClickCheck)
        App().runEvent([&] { onClickCheck(index); });
}

void CheckListBox::drawCheckBox(HDC dc, int index, const RECT& item) const
{
    RECT column{item.left, item.top, item.left + kCheckColumn, item.bottom};
    FillRect(dc, &column, GetSysColorBrush(COLOR_WINDOW));
    const int top = item.top + (item.bottom - item.top - kBoxSize) / 2;
    RECT box{item.left + 3, top, item.left + 3 + kBoxSize, top + kBoxSize};
    UINT look = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (checked(index))
        look |= DFCS_CHECKED;
    if (!IsWindowEnabled(handle()))
        look |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, look);
}

bool CheckListBox::handleDrawItem(DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1))
        return true;
    const int index = static_cast<int>(item.itemID);
    HDC dc = item.hDC;
    drawCheckBox(dc, index, item.rcItem);

    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    RECT content = item.rcItem;
    content.left += kCheckColumn;
    FillRect(dc, &content, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int savedState = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    const bool enabled = IsWindowEnabled(handle()) != FALSE;
    SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SelectObject(dc, font());
    App().runEvent([&] { drawItem(dc, index, content); });
    RestoreDC(dc, savedState);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &content);
    return true;
}

void CheckListBox::drawItem(HDC dc, int index, const RECT& rect)
{
    RECT text = rect;
    text.left += 2;
    const std::string caption = itemText(index);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT CheckListBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        const int index = CheckBoxAt(handle(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (index >= 0) {
            const LRESULT result = Control::handleMessage(message, wParam, lParam);  // selects the item as usual
            toggle(index);
            return result;
        }
    }
    if (message == WM_CHAR && wParam == ' ') {
        toggle(itemIndex());
        return 0;
    }
    return Control::handleMessage(message, wParam, lParam);
}

}  // namespace ui
