// Fonts are created once per distinct description and shared by every window.
#pragma once

#include <string>

#include <windows.h>

namespace ui {

struct FontSpec {
    std::string face = "Tahoma";
    int height = -11;  // character height in pixels, negative as CreateFont takes it
    bool bold = false;
    bool underline = false;

    bool operator<(const FontSpec& other) const;
};

// The shared font for a description; lives until the program ends.
HFONT SharedFont(const FontSpec& description);

// The font of dialogs and controls: Tahoma, 8 points.
HFONT DefaultFont();

// The size a text takes in a font (single line, or wrapped to maxWidth when it is > 0).
SIZE MeasureText(HFONT font, const std::string& text, int maxWidth = 0);

}  // namespace ui
