// The start-up facts the clean-up works with: the program's folder (the registry
// backups lie in its BACKUP folder), the Windows folder (its TEMP folder is searched
// whole, three of its folders never) and whether the installed fonts are listed under
// the Windows NT key. The launcher hands over the program's facts before the page
// opens; until then they are worked out from the running system.
#pragma once

#include <optional>
#include <string>

namespace cleanup {

struct CleanupPlaces {
    std::string appDir;      // without a trailing backslash
    std::string windowsDir;  // as GetWindowsDirectoryA gives it
    bool ntFamily = true;
    // The user's local application data folder, whose parent holds his TEMP folder;
    // without one the shell is asked.
    std::optional<std::string> localAppData;
};

CleanupPlaces& Places();

}  // namespace cleanup
