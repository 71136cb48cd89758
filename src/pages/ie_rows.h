// The Internet Explorer page's data: its binding table in the order in which
// SaveSettings writes, and the language strings the page asks for.
#pragma once

#include "pages/binding.h"

#include <string>

namespace pages::ie {

inline const std::string kMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
inline const std::string kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";
inline const std::string kExplorerKey = "Software\\Microsoft\\Internet Explorer";
inline const std::string kCacheSettingsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";
inline const std::string kRestrictionsKey = "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
inline const std::string kControlPanelKey = "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";

enum Strings {
    kTitle = 8000,
    kCacheSizeUnit = 60,      // "KB" after the size of the cached files
    kPictureDialogTitle = 8930,
    kFolderDialogTitle = 8931,
};

// The two search addresses the search combo box offers.
inline const char* const kSearchPages[] = {
    "http://www.microsoft.com/isapi/redir.dll?prd=ie&ar=iesearch",
    "http://search.yahoo.com/bin/search?p=%s",
};

// The binding table in the order in which SaveSettings writes.
const BindingTable& IEBindingTable();

}  // namespace pages::ie
