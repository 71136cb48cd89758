// The Explorer and desktop page's data: its binding table and the rows that follow
// none of the common rules (menu shadows, the toolbar picture, the two context-menu
// entries, shortcut names, hidden drives, the wallpaper position, BMP thumbnails and
// font smoothing).
#pragma once

#include "pages/binding.h"

#include <string>

namespace pages::explorer {

inline const std::string kExplorerPoliciesKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline const std::string kSystemPoliciesKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline const std::string kDesktopKey = "Control Panel\\Desktop";
inline const std::string kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";
inline const std::string kCommandPromptKey = "Directory\\shell\\CommandPrompt";
inline const std::string kUnknownShellKey = "SOFTWARE\\Classes\\Unknown\\shell";
inline const std::string kBitBucketKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket";
inline const std::string kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

// Language strings the page asks for.
enum Strings {
    kTitle = 7000,
    kFontSmoothingStandard = 7190,  // and 7191 ClearType
    kDriveWord = 7900,
    kCommandPromptMenuText = 7910,
    kPictureDialogTitle = 7911,
};

// What the page does besides its controls: the shell icons and the shortcut arrow it
// reads at the end of loading and between two rows.
class ShellIconPage {
public:
    virtual void LoadShortcutArrow() = 0;
    virtual void LoadShellIcons() = 0;
    // Puts a toolbar picture's path into the edit and shows it tiled in the preview.
    virtual void ShowToolbarPicture(const std::string& path) = 0;

protected:
    ~ShellIconPage() = default;
};

// The binding table in the order in which SaveSettings writes.
const BindingTable& ExplorerBindingTable();

// The file type of ".bmp" under HKCR, and the key of its icon; both empty when
// ".bmp" is missing or names no type.
std::string BitmapFileType();

}  // namespace pages::explorer
