#include "cleanup/file_list_view.h"

#include "ui/listview.h"

#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace cleanup {

namespace {

constexpr std::size_t kTextBuffer = 4096;
constexpr int kUnchecked = 1;
constexpr int kChecked = 2;

}  // namespace

FileListView::FileListView(ui::Control& parent, std::string name, const ui::Bounds& bounds)
    : ui::Control(&parent, std::move(name),
                  WindowSpec{WC_LISTVIEWA,
                             WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                             WS_EX_CLIENTEDGE, {}},
                  bounds)
{
    // Columns may be widened and dragged into another order.
    ListView_SetExtendedListViewStyle(handle(), LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    // The view asks for every line's check mark instead of keeping one.
    ListView_SetCallbackMask(handle(), LVIS_STATEIMAGEMASK);
}

void FileListView::addColumn(const std::string& caption, int width)
{
    ui::AddListColumn(handle(), caption, width);
}

void FileListView::setColumnCaption(int column, const std::string& caption)
{
    ui::SetListColumnCaption(handle(), column, caption);
}

std::string FileListView::columnCaption(int column) const
{
    return ui::ListColumnCaption(handle(), column);
}

void FileListView::setRowHeight(int height)
{
    // A list view's rows are as high as its small pictures.
    rowHeight_.reset(ImageList_Create(1, height, ILC_COLOR, 1, 0));
    ListView_SetImageList(handle(), rowHeight_.get(), LVSIL_SMALL);
}

void FileListView::addLine(bool checked)
{
    checked_.push_back(checked ? 1 : 0);
}

void FileListView::clear()
{
    checked_.clear();
    updateLength();
}

void FileListView::setChecked(int line, bool checked)
{
    checked_.at(static_cast<std::size_t>(line)) = checked ? 1 : 0;
    noteChange();
    ListView_RedrawItems(handle(), line, line);
}

void FileListView::setAllChecked(bool checked)
{
    std::fill(checked_.begin(), checked_.end(), checked ? 1 : 0);
    noteChange();
    InvalidateRect(handle(), nullptr, FALSE);
}

std::string FileListView::text(int line, int column) const
{
    if (line < 0 || line >= lineCount() || !cellText)
        return {};
    return cellText(line, column);
}

void FileListView::toggle(int line)
{
    if (line < 0 || line >= lineCount())
        return;
    setChecked(line, !checked(line));
}

void FileListView::updateLength()
{
    if (shownLength_ == lineCount())
        return;
    shownLength_ = lineCount();
    ListView_SetItemCountEx(handle(), shownLength_, LVSICF_NOSCROLL);
}

std::optional<LRESULT> FileListView::handleNotify(NMHDR& header)
{
    if (header.code != static_cast<UINT>(LVN_GETDISPINFOA))
        return std::nullopt;
    auto& item = reinterpret_cast<NMLVDISPINFOA&>(header).item;
    if (item.iItem < 0 || item.iItem >= lineCount())
        return 0;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynA(item.pszText, text(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
    if (item.mask & LVIF_STATE) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(checked(item.iItem) ? kChecked : kUnchecked);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
    return 0;
}

// Clicks on a check box and the space bar are taken here, before the view sees them:
// the view keeps no check marks of its own to change.
LRESULT FileListView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_SHOWWINDOW:
    case WM_SIZE:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
        updateLength();
        break;
    default:
        break;
    }
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        LVHITTESTINFO hit{};
        hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (ListView_HitTest(handle(), &hit) >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) {
            SetFocus(handle());
            ListView_SetItemState(handle(), hit.iItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            toggle(hit.iItem);
            return 0;
        }
    }
    if (message == WM_KEYDOWN && wParam == VK_SPACE) {
        toggle(ListView_GetNextItem(handle(), -1, LVNI_FOCUSED));
        return 0;
    }
    if (message == WM_CHAR && wParam == ' ')
        return 0;
    return ui::Control::handleMessage(message, wParam, lParam);
}

}  // namespace cleanup
