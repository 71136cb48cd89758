// The program's pictures of drive kinds (drawn like its other pictures, kept as icons
// of 32 and 16 pixels in the resources): the drive lists of the Explorer and autostart
// pages, the clean-up's drive lists and the report show them.
#pragma once

#include "ui/handles.h"

#include <windows.h>

#include <string>

namespace ui {

// In the order of the drive lists' image lists; the diskette comes last.
enum class DriveKind { Removable = 0, Fixed = 1, CdRom = 2, Network = 3, RamDisk = 4, Unknown = 5, Floppy = 6 };

// The kind for a drive type as GetDriveType reports it; a drive without a root
// folder and a type Windows does not know are Unknown.
DriveKind DriveKindOfType(UINT driveType);
// The kind of the drive whose root is given ("C:\"), asked of Windows.
DriveKind DriveKindOf(const std::string& root);

// The picture as an icon of 16 or 32 pixels. It belongs to the system's icon cache
// and is never destroyed; nullptr only when the resources lack it.
HICON DriveIcon(DriveKind kind, int size);

// An image list of 16 or 32 pixel pictures holding the six kinds Removable to Unknown
// at the indexes of their values (and the diskette at 6).
ImageListHandle DriveImageList(int size);

}  // namespace ui
