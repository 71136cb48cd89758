// Explorer's icon cache.
#include "registry/helpers.h"

#include "registry/registry.h"
#include "ui/convert.h"

#include <shlobj.h>

namespace helpers {

namespace {

const char* const kWindowMetricsKey = "Control Panel\\Desktop\\WindowMetrics";
const char* const kShellIconSize = "Shell Icon Size";

// Tells every top-level window that the non-client metrics changed; Explorer then
// reloads "Shell Icon Size" and rebuilds its icons.
void BroadcastMetricsChange()
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, SPI_SETNONCLIENTMETRICS, 0, SMTO_ABORTIFHUNG, 10000,
                        &answer);
}

// Wide enough for one more than the largest integer the value may hold.
void UpdateIconSize(long long size)
{
    registry::RegUpdateText(HKCU, kWindowMetricsKey, kShellIconSize, std::to_string(size));
    BroadcastMetricsChange();
}

void WriteIconSize(const char* size)
{
    registry::RegWriteText(HKCU, kWindowMetricsKey, kShellIconSize, size);
    BroadcastMetricsChange();
}

}  // namespace

// Explorer rebuilds its icons only when the icon size changes, so the size is set
// one larger and back again, with a broadcast after each write.
bool RefreshShellIcons()
{
    if (registry::RegValueExists(HKCU, kWindowMetricsKey, kShellIconSize)) {
        const std::string text = registry::RegReadText(HKCU, kWindowMetricsKey, kShellIconSize);
        if (text.empty())
            return false;
        const long long size = ui::StrToInt(text);
        UpdateIconSize(size + 1);
        UpdateIconSize(size);
        return true;
    }
    WriteIconSize("33");
    WriteIconSize("32");
    registry::RegValueRemove(HKCU, kWindowMetricsKey, kShellIconSize);
    return true;
}

void NotifyAssociationsChanged()
{
    SHChangeNotify(SHCNE_ASSOCCHANGED, 0, nullptr, nullptr);
}

}  // namespace helpers
