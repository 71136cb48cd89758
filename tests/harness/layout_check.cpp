#include "harness/layout_check.h"

#include "ui/control.h"
#include "ui/fonts.h"
#include "ui/handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include <commctrl.h>

namespace testing_support {

namespace {

RECT ScreenRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string NameOf(HWND window)
{
    if (auto* control = ui::Control::fromHandle(window))
        return control->name();
    return ClassOf(window);
}

bool ArrowsOf(HWND arrows, HWND edit)
{
    return ClassOf(arrows) == UPDOWN_CLASSA && reinterpret_cast<HWND>(SendMessageA(arrows, UDM_GETBUDDY, 0, 0)) == edit;
}

std::string FontOf(HWND window)
{
    return FontReport(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
}

}  // namespace

std::string FontReport(HFONT font)
{
    LOGFONTA asked{};
    if (!font || !GetObjectA(font, sizeof(asked), &asked))
        return "the system font";
    const ui::WindowDC screen(nullptr);
    const ui::SelectedObject selected(screen.get(), font);
    std::string drawn;
    if (const UINT size = GetOutlineTextMetricsA(screen.get(), 0, nullptr)) {
        std::vector<char> buffer(size);
        auto* metrics = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
        if (GetOutlineTextMetricsA(screen.get(), size, metrics))
            drawn = buffer.data() + reinterpret_cast<std::uintptr_t>(metrics->otmpFamilyName);
    }
    std::string report = asked.lfFaceName;
    if (!drawn.empty() && drawn != asked.lfFaceName)
        report += " (drawn with " + drawn + ")";
    return report;
}

void ExpectNothingClippedOrCovered(HWND window, const std::vector<std::string>& behind)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const bool sheets = ClassOf(window) == WC_TABCONTROLA;
    const auto liesBehind = [&](HWND child) {
        return std::find(behind.begin(), behind.end(), NameOf(child)) != behind.end();
    };
    for (std::size_t i = 0; i < children.size(); ++i) {
        const RECT own = ScreenRect(children[i]);
        EXPECT_TRUE(liesBehind(children[i]) || (own.left >= client.left && own.top >= client.top &&
                                                 own.right <= client.right && own.bottom <= client.bottom))
            << NameOf(children[i]) << " is clipped by " << NameOf(window) << "; font " << FontOf(children[i]);
        for (std::size_t j = i + 1; j < children.size() && !sheets; ++j) {
            if (ArrowsOf(children[i], children[j]) || ArrowsOf(children[j], children[i]) || liesBehind(children[i]) ||
                liesBehind(children[j]))
                continue;
            RECT overlap{};
            const RECT other = ScreenRect(children[j]);
            EXPECT_FALSE(IntersectRect(&overlap, &own, &other))
                << NameOf(children[i]) << " overlaps " << NameOf(children[j]) << "; font " << FontOf(children[i]);
        }
        if (ClassOf(children[i]) != WC_TREEVIEWA && ClassOf(children[i]) != "ComboBox")
            ExpectNothingClippedOrCovered(children[i], behind);
    }
}

}  // namespace testing_support

namespace testing_support {

namespace {

constexpr int kGlyphRoom = 20;      // a check mark or radio dot and the gap to its text
constexpr int kButtonFrame = 6;     // a push button's frame and the room around its text
constexpr int kGroupTitleRoom = 16;  // a group box's frame left and right of its title

std::string CaptionOf(HWND window)
{
    if (auto* control = ui::Control::fromHandle(window); control && control->hasCaption())
        return control->caption();
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

SIZE Measured(HWND window, const std::string& text, int maxWidth)
{
    return ui::MeasureText(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), text, maxWidth);
}

void ExpectCaptionFits(HWND window)
{
    const std::string text = CaptionOf(window);
    if (text.empty())
        return;
    RECT own{};
    GetClientRect(window, &own);
    const int width = own.right;
    const int height = own.bottom;
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const std::string where = NameOf(window) + " \"" + text + "\"; font " + FontOf(window);
    if (ClassOf(window) == "Button") {
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX:
            EXPECT_LE(Measured(window, text, 0).cx + kGroupTitleRoom, width) << where << " is cut off";
            break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        {
            const SIZE wrapped = Measured(window, text, width - kGlyphRoom);
            EXPECT_LE(wrapped.cy, height) << where << " needs more lines than it has";
            EXPECT_LE(wrapped.cx, width - kGlyphRoom) << where << " has a word longer than its line";
            break;
        }
        default:
            EXPECT_LE(Measured(window, text, 0).cx + kButtonFrame, width) << where << " is cut off";
            break;
        }
    } else if (ClassOf(window) == "Static") {
        if (style & SS_ELLIPSISMASK)
            return;
        const DWORD kind = style & SS_TYPEMASK;
        if (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT) {
            EXPECT_LE(Measured(window, text, width).cy, height) << where << " needs more lines than it has";
        } else if (kind == SS_LEFTNOWORDWRAP || kind == SS_SIMPLE) {
            EXPECT_LE(Measured(window, text, 0).cx, width) << where << " is cut off";
        }
    }
}

}  // namespace

void ExpectEveryCaptionFits(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        ExpectCaptionFits(child);
        ExpectEveryCaptionFits(child);
    }
}

}  // namespace testing_support
