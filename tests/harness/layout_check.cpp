#include "harness/layout_check.h"

#include "ui/control.h"
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
        EXPECT_TRUE(own.left >= client.left && own.top >= client.top && own.right <= client.right &&
                    own.bottom <= client.bottom)
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
