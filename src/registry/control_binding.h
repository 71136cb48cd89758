// Helpers that tie controls to the registry and measure lists and trees: a check box
// bound to a registry flag, the widest text of a list, the ticked lines of a tree.
#pragma once

#include "registry/registry.h"

#include <string>
#include <vector>

namespace ui {
class Canvas;
class CheckBox;
class VirtualTree;
}

namespace helpers {

// Checks the box exactly when the value, read as an integer, is 1. Changing the
// state runs the box's click handler. A stored non-number raises the conversion error.
void LoadCheckFlag(ui::CheckBox& box, registry::RootKey root, const std::string& key, const std::string& name);

// LoadCheckFlag when a value beginning with name exists; otherwise the box keeps
// the state it was designed with.
void LoadCheckFlagIfPresent(ui::CheckBox& box, registry::RootKey root, const std::string& key,
                            const std::string& name);

// Writes 1 for a checked box and 0 otherwise as a DWORD, creating the key when missing.
void SaveCheckFlag(ui::CheckBox& box, registry::RootKey root, const std::string& key, const std::string& name);

// The width in pixels of the widest line in the canvas's font; 0 for an empty list.
int MaxTextWidth(const std::vector<std::string>& list, ui::Canvas& canvas);

// The nodes at all levels that carry a check box and are plainly checked.
int CountCheckedNodes(ui::VirtualTree& tree);

}  // namespace helpers
