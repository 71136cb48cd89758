#include "ui/drive_pictures.h"

#include "resource.h"

#include <commctrl.h>

namespace ui {

namespace {

constexpr int kFirstDriveIcon = IDI_DRIVE_REMOVABLE;
constexpr int kKinds = 7;
static_assert(IDI_DRIVE_FLOPPY == kFirstDriveIcon + kKinds - 1, "the drive icons are numbered in the kinds' order");

}  // namespace

DriveKind DriveKindOfType(UINT driveType)
{
    switch (driveType) {
    case DRIVE_REMOVABLE: return DriveKind::Removable;
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_CDROM: return DriveKind::CdRom;
    case DRIVE_REMOTE: return DriveKind::Network;
    case DRIVE_RAMDISK: return DriveKind::RamDisk;
    default: return DriveKind::Unknown;
    }
}

DriveKind DriveKindOf(const std::string& root)
{
    return DriveKindOfType(GetDriveTypeA(root.c_str()));
}

HICON DriveIcon(DriveKind kind, int size)
{
    const int number = kFirstDriveIcon + static_cast<int>(kind);
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(number), IMAGE_ICON, size, size, LR_SHARED));
}

ImageListHandle DriveImageList(int size)
{
    ImageListHandle list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kKinds, 0));
    for (int kind = 0; kind < kKinds; ++kind)
        ImageList_AddIcon(list.get(), DriveIcon(static_cast<DriveKind>(kind), size));
    return list;
}

}  // namespace ui
