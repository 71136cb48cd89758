#include "ui/drawn_list.h"

#include "ui/application.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

ListViewOptions ReportOptions()
{
    ListViewOptions options;
    options.style = ListViewStyle::Report;
    options.wholeRowSelect = true;
    return options;
}

}  // namespace

DrawnList::DrawnList(Control& parent, std::string name, const Bounds& bounds)
    : ListView(parent, std::move(name), bounds, ReportOptions())
{
    ListView_SetExtendedListViewStyleEx(handle(), LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP);
}

int DrawnList::columnWidth(int column) const
{
    return ListView_GetColumnWidth(handle(), column);
}

void DrawnList::setColumnWidth(int column, int width)
{
    ListView_SetColumnWidth(handle(), column, width);
}

// A report list makes its rows as high as its small images (plus one pixel), so an
// image list of empty images one pixel wide sets the height.
void DrawnList::setRowHeight(int height)
{
    rowHeight_ = std::max(height, 2);
    rowSpacer_.reset(ImageList_Create(1, rowHeight_ - 1, ILC_COLOR24, 0, 0));
    setSmallImages(rowSpacer_.get());
}

int DrawnList::rowHeight() const
{
    RECT row{};
    if (itemCount() > 0 && ListView_GetItemRect(handle(), 0, &row, LVIR_BOUNDS))
        return row.bottom - row.top;
    return rowHeight_;
}

int DrawnList::addRow(std::any record)
{
    const LPARAM key = ++nextKey_;
    records_[key] = std::move(record);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = itemCount();
    item.pszText = const_cast<char*>("");
    item.lParam = key;
    const auto row = static_cast<int>(SendMessageA(handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0)
        records_.erase(key);
    return row;
}

LPARAM DrawnList::keyOf(int row) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

std::any& DrawnList::record(int row)
{
    const auto found = records_.find(keyOf(row));
    if (found != records_.end())
        return found->second;
    // A row that is not there carries nothing.
    noRecord_.reset();
    return noRecord_;
}

void DrawnList::repaintRow(int row)
{
    ListView_RedrawItems(handle(), row, row);
    UpdateWindow(handle());
}

void DrawnList::repaintRows()
{
    InvalidateRect(handle(), nullptr, TRUE);
}

bool DrawnList::cellRect(int row, int column, RECT& cell) const
{
    RECT bounds{};
    RECT columnArea{};
    const HWND header = ListView_GetHeader(handle());
    if (!ListView_GetItemRect(handle(), row, &bounds, LVIR_BOUNDS) || !header ||
        !Header_GetItemRect(header, column, &columnArea))
        return false;
    // The row's left edge is where the first column starts once the list is scrolled.
    cell = RECT{bounds.left + columnArea.left, bounds.top, bounds.left + columnArea.right, bounds.bottom};
    return true;
}

std::optional<LRESULT> DrawnList::handleNotify(NMHDR& header)
{
    switch (header.code) {
    case NM_CUSTOMDRAW:
        return customDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    case LVN_DELETEITEM:
        records_.erase(reinterpret_cast<NMLISTVIEW&>(header).lParam);
        return 0;
    case LVN_DELETEALLITEMS:
        records_.clear();
        return FALSE;
    case LVN_ITEMCHANGED: {
        const auto result = ListView::handleNotify(header);
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool nowSelected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
        if (change.iItem >= 0 && (change.uChanged & LVIF_STATE) && nowSelected && onFocusChange)
            App().runEvent([&] { onFocusChange(change.iItem); });
        return result;
    }
    default:
        return ListView::handleNotify(header);
    }
}

// Every row is painted here in full, so the list's own drawing never shows.
LRESULT DrawnList::customDraw(NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        drawRow(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec));
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void DrawnList::drawRow(HDC dc, int row)
{
    RECT bounds{};
    if (!ListView_GetItemRect(handle(), row, &bounds, LVIR_BOUNDS))
        return;
    RECT client{};
    GetClientRect(handle(), &client);
    bounds.right = std::max(bounds.right, client.right);
    const bool selected = (ListView_GetItemState(handle(), row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    FillRect(dc, &bounds, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    if (onDrawCell) {
        const HWND header = ListView_GetHeader(handle());
        const int columns = header ? Header_GetItemCount(header) : 0;
        for (int column = 0; column < columns; ++column) {
            RECT cell{};
            if (!cellRect(row, column, cell) || cell.right <= cell.left)
                continue;
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
            SelectObject(dc, font());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
            App().runEvent([&] { onDrawCell(dc, row, column, cell); });
            RestoreDC(dc, saved);
        }
    }
    if (GetFocus() == handle() && (ListView_GetItemState(handle(), row, LVIS_FOCUSED) & LVIS_FOCUSED))
        DrawFocusRect(dc, &bounds);
}

}  // namespace ui
