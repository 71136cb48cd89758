// A tree view whose nodes may carry a check box (checked, unchecked or mixed) and a
// record of the caller's. Result lists, the autostart list and the applet list are
// built on it. The nodes live in the window; the tree keeps the records.
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

    std::any& record(TreeNode node);
    template <class T>
    T* recordAs(TreeNode node) { return std::any_cast<T>(&record(node)); }

    // A check box changed by the user (click on the box or the space bar).
    std::function<void(TreeNode)> onChecked;

    std::optional<LRESULT> handleNotify(NMHDR& header) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void toggle(TreeNode node);

    ImageListHandle stateImages_;
    std::map<TreeNode, std::any> records_;
};

}  // namespace ui
