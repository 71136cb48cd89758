#include "registry/control_binding.h"

#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/virtual_tree.h"

#include <algorithm>

namespace helpers {

void LoadCheckFlag(ui::CheckBox& box, registry::RootKey root, const std::string& key, const std::string& name)
{
    box.setChecked(false);
    if (registry::RegValueMatchesInt(root, key, name, 1))
        box.setChecked(true);
}

void LoadCheckFlagIfPresent(ui::CheckBox& box, registry::RootKey root, const std::string& key,
                            const std::string& name)
{
    if (registry::RegValueExists(root, key, name))
        LoadCheckFlag(box, root, key, name);
}

void SaveCheckFlag(ui::CheckBox& box, registry::RootKey root, const std::string& key, const std::string& name)
{
    registry::RegWriteInt(root, key, name, box.checked() ? 1 : 0);
}

int MaxTextWidth(const std::vector<std::string>& list, ui::Canvas& canvas)
{
    int widest = 0;
    for (const std::string& line : list)
        widest = std::max(widest, canvas.textWidth(line));
    return widest;
}

int CountCheckedNodes(ui::VirtualTree& tree)
{
    const auto nodes = tree.allNodes();
    return static_cast<int>(std::count_if(nodes.begin(), nodes.end(), [&](ui::TreeNode node) {
        return tree.checkType(node) != ui::CheckType::None && tree.checkState(node) == ui::CheckState::Checked;
    }));
}

}  // namespace helpers
