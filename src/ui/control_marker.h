// Marking a control for a moment, so that the eye finds it at once on a page full of
// others: a frame in the selection colour around it, which goes with the next key
// press or mouse click, or with the window it lies on.
#pragma once

#include <windows.h>

namespace ui {

class Control;

// Frames the control (a mark shown before goes first).
void MarkControl(const Control& control);

// The window of the control marked now; nullptr when nothing is marked.
HWND MarkedWindow();

// Removes the mark, if there is one.
void ClearMark();

}  // namespace ui
