// A tree view whose nodes may carry a check box (checked, unchecked or mixed) and a
// record of the caller's. Result lists, the autostart list and the applet list are
// built on it. The nodes live in the window; the tree keeps the records.
//
// Records are std::any, which holds copyable types only: a record that owns a
// move-only thing (an icon handle, say) goes in as a std::shared_ptr to it, e.g.
//     tree.addNode(nullptr, caption, std::make_shared<AppletRecord>(...), CheckType::CheckBox);
//     auto* applet = tree.recordAs<std::shared_ptr<AppletRecord>>(node);
// The record lives until its node is removed or the tree is cleared or destroyed.
#pragma once

#include "ui/control.h"

#include <any>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <commctrl.h>

namespace ui {

enum class CheckType { None, CheckBox };
enum class CheckState { Unchecked, Checked, Mixed };

using TreeNode = HTREEITEM;

class VirtualTree : public Control {
public:
    VirtualTree(Control& parent, std::string name, const Bounds& bounds);

    // Adds a node below parent (nullptr: at the top level) with its text and record.
    TreeNode addNode(TreeNode parent, const std::string& text, std::any record = {},
                     CheckType checkType = CheckType::None, CheckState state = CheckState::Unchecked);
    void clear();

    int nodeCount() const;  // all levels
    TreeNode firstChild(TreeNode node) const;  // nullptr: the first top-level node
    TreeNode nextSibling(TreeNode node) const;
    TreeNode parentOf(TreeNode node) const;
    // Every node, depth-first, parents before their children.
    std::vector<TreeNode> allNodes() const;

    std::string text(TreeNode node) const;
    void setText(TreeNode node, const std::string& text);
    CheckType checkType(TreeNode node) const;
    void setCheckType(TreeNode node, CheckType type);
    CheckState checkState(TreeNode node) const;
    void setCheckState(TreeNode node, CheckState state);

    // The height of every node in pixels (the applet list uses 48).
    void setNodeHeight(int height);
    int nodeHeight() const;
    // A flat list shows its top-level nodes without lines and expand buttons.
    void setFlatList(bool flat);
    bool flatList() const;

    std::any& record(TreeNode node);
    template <class T>
    T* recordAs(TreeNode node) { return std::any_cast<T>(&record(node)); }

    // A check box changed by the user (click on the box or the space bar).
    std::function<void(TreeNode)> onChecked;

    // Draws a node's content in place of its text, when set: content is the part of
    // the node's row right of its check box, already filled with the highlight colour
    // (selected node of the focused tree) or the window colour, and dc's text colour
    // and transparent mode match that fill.
    std::function<void(HDC dc, TreeNode node, const RECT& content)> onDrawNode;

    std::optional<LRESULT> handleNotify(NMHDR& header) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void toggle(TreeNode node);
    LRESULT customDraw(NMTVCUSTOMDRAW& draw);
    void drawNode(HDC dc, TreeNode node, const RECT& row);
    // The node's row (textOnly: its text) in client coordinates; false when it is not shown.
    bool itemRect(TreeNode node, bool textOnly, RECT& rect) const;

    ImageListHandle stateImages_;
    std::map<TreeNode, std::any> records_;
};

}  // namespace ui
