#include "ui/fonts.h"

#include "ui/handles.h"

#include <map>
#include <tuple>

namespace ui {

bool FontSpec::operator<(const FontSpec& other) const
{
    return std::tie(face, height, bold, underline) < std::tie(other.face, other.height, other.bold, other.underline);
}

HFONT SharedFont(const FontSpec& description)
{
    static std::map<FontSpec, GdiObject> fonts;
    auto found = fonts.find(description);
    if (found == fonts.end()) {
        GdiObject font(CreateFontA(description.height, 0, 0, 0, description.bold ? FW_BOLD : FW_NORMAL, FALSE, description.underline,
                                   FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, description.face.c_str()));
        found = fonts.emplace(description, std::move(font)).first;
    }
    return static_cast<HFONT>(found->second.get());
}

HFONT DefaultFont()
{
    return SharedFont(FontSpec{});
}

namespace {

// One device context for every measurement: it measures as the screen does, and
// fetching the screen's own for each text costs a round trip to the window system.
HDC MeasuringDC()
{
    static const MemoryDC dc(CreateCompatibleDC(nullptr));
    return dc.get();
}

}  // namespace

SIZE MeasureText(HFONT font, const std::string& text, int maxWidth)
{
    HDC dc = MeasuringDC();
    SelectedObject selected(dc, font);
    RECT area{0, 0, maxWidth > 0 ? maxWidth : 0, 0};
    // No DT_NOPREFIX: an ampersand marks an accelerator and takes no room, as the controls draw it.
    const UINT format = DT_CALCRECT | (maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    return SIZE{area.right - area.left, area.bottom - area.top};
}

}  // namespace ui
