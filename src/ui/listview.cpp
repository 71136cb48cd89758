#include "ui/listview.h"

#include "ui/application.h"

#include <vector>

namespace ui {

namespace {

DWORD StyleOf(const ListViewOptions& options)
{
    // The image lists belong to whoever set them, so the list must not destroy them.
    DWORD style = WS_VISIBLE | WS_TABSTOP | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
    style |= options.style == ListViewStyle::Report ? LVS_REPORT : LVS_ICON | LVS_AUTOARRANGE;
    if (options.sortedByCaption)
        style |= LVS_SORTASCENDING;
    return style;
}

constexpr std::size_t kTextBuffer = 4096;

}  // namespace

void AddListColumn(HWND list, const std::string& caption, int width)
{
    const int index = ListColumnCount(list);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(caption.c_str());
    column.cx = width;
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void SetListColumnCaption(HWND list, int column, const std::string& caption)
{
    LVCOLUMNA item{};
    item.mask = LVCF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    SendMessageA(list, LVM_SETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

std::string ListColumnCaption(HWND list, int column)
{
    std::vector<char> text(kTextBuffer, '\0');
    LVCOLUMNA item{};
    item.mask = LVCF_TEXT;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    if (!SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)))
        return {};
    return text.data();
}

int ListColumnCount(HWND list)
{
    const HWND header = ListView_GetHeader(list);
    return header ? Header_GetItemCount(header) : 0;
}

ListView::ListView(Control& parent, std::string name, const Bounds& bounds, const ListViewOptions& options)
    : Control(&parent, std::move(name), WindowSpec{WC_LISTVIEWA, StyleOf(options), WS_EX_CLIENTEDGE, {}}, bounds)
{
    DWORD extended = LVS_EX_INFOTIP;
    if (options.checkBoxes)
        extended |= LVS_EX_CHECKBOXES;
    if (options.wholeRowSelect)
        extended |= LVS_EX_FULLROWSELECT;
    ListView_SetExtendedListViewStyle(handle(), extended);
}

void ListView::addColumn(const std::string& caption, int width)
{
    AddListColumn(handle(), caption, width);
}

void ListView::setColumnCaption(int column, const std::string& caption)
{
    SetListColumnCaption(handle(), column, caption);
}

std::string ListView::columnCaption(int column) const
{
    return ListColumnCaption(handle(), column);
}

int ListView::columnCount() const
{
    return ListColumnCount(handle());
}

void ListView::setRowHeight(int height)
{
    // A report row is as high as its text or its small image, whichever is higher, and
    // some list views add a pixel: an image list of one pixel wide, empty pictures
    // sets the height, corrected once by what the list then shows.
    int imageHeight = height;
    for (int attempt = 0; attempt < 2 && imageHeight > 0; ++attempt) {
        ImageListHandle images(ImageList_Create(1, imageHeight, ILC_COLOR, 0, 1));
        ListView_SetImageList(handle(), images.get(), LVSIL_SMALL);
        rowHeightImages_ = std::move(images);
        const int shown = shownRowHeight();
        if (shown <= 0 || shown == height)
            return;
        imageHeight += height - shown;
    }
}

int ListView::shownRowHeight()
{
    const bool probe = itemCount() == 0;
    if (probe) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.pszText = const_cast<char*>("");
        if (SendMessageA(handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) < 0)
            return 0;
    }
    RECT row{};
    const bool known = ListView_GetItemRect(handle(), 0, &row, LVIR_BOUNDS) != FALSE;
    if (probe)
        ListView_DeleteItem(handle(), 0);
    return known ? static_cast<int>(row.bottom - row.top) : 0;
}

void ListView::setLargeImages(HIMAGELIST images)
{
    ListView_SetImageList(handle(), images, LVSIL_NORMAL);
}

void ListView::setSmallImages(HIMAGELIST images)
{
    ListView_SetImageList(handle(), images, LVSIL_SMALL);
}

int ListView::addItem(const std::string& caption, int image, bool checked)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = itemCount();
    item.pszText = const_cast<char*>(caption.c_str());
    item.iImage = image;
    adding_ = true;
    const auto index = static_cast<int>(SendMessageA(handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0)
        ListView_SetCheckState(handle(), index, checked);
    adding_ = false;
    return index;
}

void ListView::deleteItem(int index)
{
    ListView_DeleteItem(handle(), index);
}

void ListView::clear()
{
    ListView_DeleteAllItems(handle());
}

int ListView::itemCount() const
{
    return ListView_GetItemCount(handle());
}

std::string ListView::caption(int index) const
{
    return subItem(index, 0);
}

std::string ListView::subItem(int index, int column) const
{
    std::vector<char> text(kTextBuffer, '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    SendMessageA(handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text.data();
}

void ListView::setSubItem(int index, int column, const std::string& text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void ListView::setItemData(int index, LPARAM data)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = data;
    SendMessageA(handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

LPARAM ListView::itemData(int index) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageA(handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

int ListView::image(int index) const
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    if (!SendMessageA(handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.iImage;
}

bool ListView::checked(int index) const
{
    return ListView_GetCheckState(handle(), index) != 0;
}

void ListView::setChecked(int index, bool checked)
{
    noteChange();
    ListView_SetCheckState(handle(), index, checked);
}

int ListView::selectedIndex() const
{
    return ListView_GetNextItem(handle(), -1, LVNI_SELECTED);
}

void ListView::setSelectedIndex(int index)
{
    if (const int selected = selectedIndex(); selected >= 0)
        ListView_SetItemState(handle(), selected, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index >= 0)
        ListView_SetItemState(handle(), index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

LRESULT ListView::customDraw(NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPOSTPAINT:
        drawCells(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec));
        return CDRF_DODEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void ListView::drawCells(HDC dc, int index)
{
    const bool highlighted = (ListView_GetItemState(handle(), index, LVIS_SELECTED) & LVIS_SELECTED) &&
                             GetFocus() == handle();
    const int columns = columnCount();
    for (int column = 0; column < columns; ++column) {
        RECT cell{};
        // Column 0's bounds are the whole row; its label part is the cell.
        if (!ListView_GetSubItemRect(handle(), index, column, column == 0 ? LVIR_LABEL : LVIR_BOUNDS, &cell))
            continue;
        FillRect(dc, &cell, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const int savedState = SaveDC(dc);
        IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        SelectObject(dc, font());
        App().runEvent([&] { onDrawCell(dc, index, column, cell); });
        RestoreDC(dc, savedState);
    }
}

std::optional<LRESULT> ListView::handleNotify(NMHDR& header)
{
    if (header.code == static_cast<UINT>(NM_CUSTOMDRAW) && onDrawCell)
        return customDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    if (header.code != LVN_ITEMCHANGED)
        return std::nullopt;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (change.iItem < 0 || !(change.uChanged & LVIF_STATE))
        return 0;
    const UINT before = change.uOldState;
    const UINT after = change.uNewState;
    if ((before ^ after) & LVIS_STATEIMAGEMASK && (before & LVIS_STATEIMAGEMASK) && !adding_) {
        noteChange();
        if (onChecked)
            App().runEvent([&] { onChecked(change.iItem); });
    }
    if ((before ^ after) & LVIS_SELECTED && onSelectItem) {
        const bool selected = (after & LVIS_SELECTED) != 0;
        App().runEvent([&] { onSelectItem(change.iItem, selected); });
    }
    return 0;
}

}  // namespace ui
