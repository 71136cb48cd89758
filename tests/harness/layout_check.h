// Layout checks of the form tests: nothing a window shows is clipped by its parent or
// covered by a sibling. Text sizes depend on the font Wine draws "Arial" with, so every
// failure names the font the control really got.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Every child window (at any depth) lies inside its parent's client area, and no two
// children of one parent overlap. Allowed by design: the sheets of a tab control lie
// on each other, a spin edit's arrows touch their edit, and the controls named in
// `behind` (pictures) lie under others and may run off the window's edge. The insides of tree views and drop-down lists
// are their own business.
void ExpectNothingClippedOrCovered(HWND window, const std::vector<std::string>& behind = {});

// Every caption shows whole inside its own control, in the control's font: a check box's
// or radio button's text wrapped beside its glyph fits its height, a push button's line
// and a group box's title fit their width, and a label fits the size it was given (on
// one line, or wrapped where it wraps). Labels that show data and end in "..." where
// they are too narrow are left out; so are empty captions.
void ExpectEveryCaptionFits(HWND window);

// The face a font is drawn with, as "Arial (drawn with Liberation Sans)" when the
// system substitutes another face for the one asked for.
std::string FontReport(HFONT font);

}  // namespace testing_support
