// The program's look: the blue of the main window, the password dialog and the
// about box, the colours of the texts on it, and the Arial fonts of its windows.
#pragma once

#include "ui/fonts.h"

#include <windows.h>

namespace ui {

constexpr COLORREF kProgramBlue = RGB(99, 117, 214);  // background fill
constexpr COLORREF kHeadlineColor = RGB(214, 223, 245);  // large headlines on the blue
constexpr COLORREF kTextOnBlue = RGB(255, 255, 255);  // every other text on the blue

// Arial with the given character height in pixels (ANSI character set).
inline HFONT ArialFont(int height, bool bold = false, bool underline = false)
{
    return SharedFont(FontSpec{"Arial", -height, bold, underline});
}

}  // namespace ui
