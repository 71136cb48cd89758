#include "ui/virtual_tree.h"

#include "ui/application.h"

#include <algorithm>
#include <cstring>

namespace ui {

namespace {

constexpr int kBoxSize = 16;

// State image 1 is an unchecked box, 2 a checked one, 3 a mixed one; 0 shows none.
UINT StateImageIndex(CheckType type, CheckState state)
{
    if (type == CheckType::None)
        return 0;
    switch (state) {
    case CheckState::Unchecked: return 1;
    case CheckState::Checked: return 2;
    case CheckState::Mixed: return 3;
    }
    return 1;
}

HIMAGELIST CreateCheckImages()
{
    HIMAGELIST images = ImageList_Create(kBoxSize, kBoxSize, ILC_COLOR24 | ILC_MASK, 4, 0);
    WindowDC screen(nullptr);
    MemoryDC memoryDC(CreateCompatibleDC(screen.get()));
    HDC memory = memoryDC.get();
    GdiObject bitmap(CreateCompatibleBitmap(screen.get(), kBoxSize * 4, kBoxSize));
    {
        SelectedObject selected(memory, bitmap.get());
        const COLORREF maskColor = RGB(255, 0, 255);
        GdiObject maskBrush(CreateSolidBrush(maskColor));
        RECT all{0, 0, kBoxSize * 4, kBoxSize};
        FillRect(memory, &all, static_cast<HBRUSH>(maskBrush.get()));
        const UINT looks[] = {DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED,
                              DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE};
        for (int i = 0; i < 3; ++i) {
            RECT box{kBoxSize * (i + 1) + 2, 2, kBoxSize * (i + 2) - 1, kBoxSize - 1};
            DrawFrameControl(memory, &box, DFC_BUTTON, looks[i] | DFCS_FLAT);
        }
    }
    ImageList_AddMasked(images, static_cast<HBITMAP>(bitmap.get()), RGB(255, 0, 255));
    return images;
}

}  // namespace

VirtualTree::VirtualTree(Control& parent, std::string name, const Bounds& bounds)
    : Control(&parent, std::move(name),
              WindowSpec{WC_TREEVIEWA, WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT
                                           | TVS_SHOWSELALWAYS,
                         WS_EX_CLIENTEDGE, {}},
              bounds),
      stateImages_(CreateCheckImages())
{
    TreeView_SetImageList(handle(), stateImages_.get(), TVSIL_STATE);
}

TreeNode VirtualTree::addNode(TreeNode parent, const std::string& text, std::any record, CheckType checkType,
                              CheckState state)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_STATE;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    insert.item.state = INDEXTOSTATEIMAGEMASK(StateImageIndex(checkType, state));
    auto node = reinterpret_cast<TreeNode>(SendMessageA(handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (node)
        records_[node] = std::move(record);
    return node;
}

void VirtualTree::clear()
{
    TreeView_DeleteAllItems(handle());
    records_.clear();
}

int VirtualTree::nodeCount() const
{
    return static_cast<int>(TreeView_GetCount(handle()));
}

TreeNode VirtualTree::firstChild(TreeNode node) const
{
    return node ? TreeView_GetChild(handle(), node) : TreeView_GetRoot(handle());
}

TreeNode VirtualTree::nextSibling(TreeNode node) const
{
    return TreeView_GetNextSibling(handle(), node);
}

TreeNode VirtualTree::parentOf(TreeNode node) const
{
    return TreeView_GetParent(handle(), node);
}

std::vector<TreeNode> VirtualTree::allNodes() const
{
    std::vector<TreeNode> nodes;
    std::vector<TreeNode> pending;
    for (TreeNode top = firstChild(nullptr); top; top = nextSibling(top))
        pending.push_back(top);
    std::reverse(pending.begin(), pending.end());
    while (!pending.empty()) {
        TreeNode node = pending.back();
        pending.pop_back();
        nodes.push_back(node);
        std::vector<TreeNode> children;
        for (TreeNode child = firstChild(node); child; child = nextSibling(child))
            children.push_back(child);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return nodes;
}

std::string VirtualTree::text(TreeNode node) const
{
    // Grow the buffer until the text fits.
    for (std::size_t size = 256;; size *= 2) {
        std::string buffer(size, '\0');
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = node;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        SendMessageA(handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        const std::size_t length = buffer.find('\0');
        if (length < size - 1 || size >= 65536) {
            buffer.resize(length == std::string::npos ? size : length);
            return buffer;
        }
    }
}

void VirtualTree::setText(TreeNode node, const std::string& text)
{
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

CheckType VirtualTree::checkType(TreeNode node) const
{
    const UINT index = TreeView_GetItemState(handle(), node, TVIS_STATEIMAGEMASK) >> 12;
    return index == 0 ? CheckType::None : CheckType::CheckBox;
}

void VirtualTree::setCheckType(TreeNode node, CheckType type)
{
    TreeView_SetItemState(handle(), node, INDEXTOSTATEIMAGEMASK(StateImageIndex(type, checkState(node))),
                          TVIS_STATEIMAGEMASK);
}

CheckState VirtualTree::checkState(TreeNode node) const
{
    switch (TreeView_GetItemState(handle(), node, TVIS_STATEIMAGEMASK) >> 12) {
    case 2: return CheckState::Checked;
    case 3: return CheckState::Mixed;
    default: return CheckState::Unchecked;
    }
}

void VirtualTree::setCheckState(TreeNode node, CheckState state)
{
    if (checkType(node) == CheckType::None)
        return;
    TreeView_SetItemState(handle(), node, INDEXTOSTATEIMAGEMASK(StateImageIndex(CheckType::CheckBox, state)),
                          TVIS_STATEIMAGEMASK);
}

void VirtualTree::setNodeHeight(int height)
{
    TreeView_SetItemHeight(handle(), height);
}

int VirtualTree::nodeHeight() const
{
    return TreeView_GetItemHeight(handle());
}

void VirtualTree::setFlatList(bool flat)
{
    const DWORD treeLook = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    changeStyle(flat ? 0 : treeLook, flat ? treeLook : 0);
}

bool VirtualTree::flatList() const
{
    return (GetWindowLongA(handle(), GWL_STYLE) & (TVS_HASLINES | TVS_LINESATROOT)) == 0;
}

std::any& VirtualTree::record(TreeNode node)
{
    return records_[node];
}

void VirtualTree::toggle(TreeNode node)
{
    if (!node || checkType(node) == CheckType::None)
        return;
    setCheckState(node, checkState(node) == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked);
    if (onChecked)
        App().runEvent([&] { onChecked(node); });
}

std::optional<LRESULT> VirtualTree::handleNotify(NMHDR& header)
{
    if (header.code == static_cast<UINT>(NM_CLICK)) {
        TVHITTESTINFO hit{};
        const DWORD position = GetMessagePos();
        hit.pt = POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        ScreenToClient(handle(), &hit.pt);
        if (TreeView_HitTest(handle(), &hit) && (hit.flags & TVHT_ONITEMSTATEICON)) {
            toggle(hit.hItem);
            return 1;
        }
    } else if (header.code == static_cast<UINT>(TVN_KEYDOWN)) {
        if (reinterpret_cast<NMTVKEYDOWN&>(header).wVKey == VK_SPACE) {
            toggle(TreeView_GetSelection(handle()));
            return 1;
        }
    } else if (header.code == static_cast<UINT>(TVN_DELETEITEMA)) {
        records_.erase(reinterpret_cast<NMTREEVIEWA&>(header).itemOld.hItem);
    } else if (header.code == static_cast<UINT>(NM_CUSTOMDRAW) && onDrawNode) {
        return customDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(header));
    }
    return std::nullopt;
}

// The tree paints each row as usual (check box included); afterwards the content
// right of the check box is painted over by onDrawNode.
LRESULT VirtualTree::customDraw(NMTVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPOSTPAINT:
        drawNode(draw.nmcd.hdc, reinterpret_cast<TreeNode>(draw.nmcd.dwItemSpec), draw.nmcd.rc);
        return CDRF_DODEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

bool VirtualTree::itemRect(TreeNode node, bool textOnly, RECT& rect) const
{
    std::memcpy(&rect, &node, sizeof(node));  // TVM_GETITEMRECT takes the node in the rectangle
    return SendMessageA(handle(), TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&rect)) != 0;
}

void VirtualTree::drawNode(HDC dc, TreeNode node, const RECT& row)
{
    RECT text{};
    RECT whole{};
    if (!itemRect(node, true, text) || !itemRect(node, false, whole))
        return;
    RECT client{};
    GetClientRect(handle(), &client);
    const RECT content{text.left, whole.top, std::max(row.right, client.right), whole.bottom};

    const bool highlighted = (TreeView_GetItemState(handle(), node, TVIS_SELECTED) & TVIS_SELECTED) && GetFocus() == handle();
    FillRect(dc, &content, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int savedState = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SelectObject(dc, font());
    App().runEvent([&] { onDrawNode(dc, node, content); });
    RestoreDC(dc, savedState);
    if (highlighted)
        DrawFocusRect(dc, &content);
}

LRESULT VirtualTree::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The space bar toggles the check box instead of beeping.
    if (message == WM_CHAR && wParam == ' ')
        return 0;
    return Control::handleMessage(message, wParam, lParam);
}

}  // namespace ui
