#include "components/ostrel_drives.h"

#include "ui/drive_pictures.h"
#include "ui/handles.h"

#include <cstdlib>

#include <windows.h>

namespace components {

namespace {

constexpr int kItemHeight = 40;
constexpr int kVolumeNameBuffer = 255;
constexpr int kDriveA = 0;
constexpr int kFirstAskedDrive = 1;  // B
constexpr int kLastDrive = 25;       // Z


class RealDriveInfo : public DriveInfoSeam {
public:
    UINT driveType(const std::string& root) override { return GetDriveTypeA(root.c_str()); }

    std::string volumeName(const std::string& root) override
    {
        const ui::QuietCriticalErrors quiet;
        char name[kVolumeNameBuffer + 1] = {};
        if (!GetVolumeInformationA(root.c_str(), name, kVolumeNameBuffer, nullptr, nullptr, nullptr, nullptr, 0))
            return {};
        return name;
    }
};

DriveInfoSeam* currentSeam = nullptr;

DriveInfoSeam& DriveInfo()
{
    static RealDriveInfo real;
    return currentSeam ? *currentSeam : real;
}

// The picture kind of each display class.
constexpr ui::DriveKind kClassPictures[kDisplayClasses] = {
    ui::DriveKind::Unknown, ui::DriveKind::Floppy,  ui::DriveKind::Fixed,   ui::DriveKind::CdRom,
    ui::DriveKind::Removable, ui::DriveKind::RamDisk, ui::DriveKind::Network,
};

bool TypeShown(UINT type, TOstrelDrivesOptions options)
{
    switch (type) {
    case DRIVE_REMOVABLE: return options & ShowRemovable;
    case DRIVE_FIXED: return options & ShowFixed;
    case DRIVE_CDROM: return options & ShowCDROM;
    case DRIVE_REMOTE: return options & ShowRemote;
    case DRIVE_RAMDISK: return options & ShowRamDisk;
    default: return false;  // no root folder, or a type nobody asked for
    }
}

std::string RootOf(char letter)
{
    return std::string(1, letter) + ":\\";
}

}  // namespace

DriveInfoSeam* SetDriveInfoSeam(DriveInfoSeam* seam)
{
    DriveInfoSeam* previous = currentSeam;
    currentSeam = seam;
    return previous;
}

int DisplayClassOf(char letter, UINT driveType)
{
    if (letter == 'A' || letter == 'B')
        return 1;
    switch (driveType) {
    case DRIVE_FIXED: return 2;
    case DRIVE_CDROM: return 3;
    case DRIVE_REMOVABLE: return 4;
    case DRIVE_RAMDISK: return 5;
    case DRIVE_REMOTE: return 6;
    default: return 0;
    }
}

ui::ImageListHandle DriveClassImageList(int size)
{
    ui::ImageListHandle list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kDisplayClasses, 0));
    for (ui::DriveKind kind : kClassPictures)
        ImageList_AddIcon(list.get(), ui::DriveIcon(kind, size));
    return list;
}

TOstrelDrives::TOstrelDrives(ui::Control& parent, std::string name, const ui::Bounds& bounds)
    : ui::CheckListBox(parent, std::move(name), bounds)
{
    letters_.fill('Z');
    setItemHeight(kItemHeight);
}

void TOstrelDrives::RefreshDrives()
{
    if (Options & ShowDriveA) {
        // Drive A is listed without asking Windows, which might spin up the diskette.
        letters_[kDriveA] = 'A';
        types_[kDriveA] = DRIVE_REMOVABLE;
        names_[kDriveA].clear();
        addItem(std::to_string(kDriveA));
    }
    for (int number = kFirstAskedDrive; number <= kLastDrive; ++number) {
        const char letter = static_cast<char>('A' + number);
        const UINT type = DriveInfo().driveType(RootOf(letter));
        if (type == DRIVE_UNKNOWN)
            continue;
        letters_[number] = letter;
        types_[number] = type;
        if (!TypeShown(type, Options))
            continue;
        if ((type == DRIVE_FIXED || type == DRIVE_REMOTE) && (Options & ShowName)) {
            const std::string volume = DriveInfo().volumeName(RootOf(letter));
            names_[number] = volume.empty() ? "Unknown" : volume;
        }
        addItem(std::to_string(number));
    }
}

int TOstrelDrives::DriveNumberAt(int index) const
{
    if (index < 0 || index >= itemCount())
        return -1;
    const std::string text = itemText(index);
    const int number = text.empty() ? -1 : std::atoi(text.c_str());
    return number >= 0 && number < kDriveNumbers ? number : -1;
}

UINT TOstrelDrives::GetDriveTyp(int index) const
{
    const int number = DriveNumberAt(index);
    return number < 0 ? 0 : types_[static_cast<std::size_t>(number)];
}

std::string TOstrelDrives::GetDriveName(int index) const
{
    const int number = DriveNumberAt(index);
    return number < 0 ? std::string() : names_[static_cast<std::size_t>(number)];
}

char TOstrelDrives::GetDriveChar(int index) const
{
    const int number = DriveNumberAt(index);
    return number < 0 ? 'Z' : letters_[static_cast<std::size_t>(number)];
}

int TOstrelDrives::DisplayClassAt(int index) const
{
    return DisplayClassOf(GetDriveChar(index), GetDriveTyp(index));
}

DriveItemLayout TOstrelDrives::LayoutDriveItem(int index, const RECT& rect) const
{
    DriveItemLayout layout;
    const int displayClass = DisplayClassAt(index);
    const bool images = (Options & ShowImages) != 0;
    layout.textLeft = rect.left + (images ? 48 : 4);
    layout.caption = DriveTypeNames[static_cast<std::size_t>(displayClass)] + " " + RootOf(GetDriveChar(index));
    const std::string name = GetDriveName(index);
    if ((Options & ShowName) && !name.empty()) {
        layout.captionTop = rect.top + 4;
        layout.nameTop = rect.top + 20;
        layout.nameLine = "Name: " + name;
    } else {
        layout.captionTop = rect.top + 12;
    }
    if (images && ImageList && displayClass < ImageList_GetImageCount(ImageList))
        layout.imageAt = POINT{rect.left + 8, rect.top + 2};
    return layout;
}

void TOstrelDrives::DrawDriveItem(HDC dc, int index, const RECT& rect)
{
    const DriveItemLayout layout = LayoutDriveItem(index, rect);
    TextOutA(dc, layout.textLeft, layout.captionTop, layout.caption.c_str(), static_cast<int>(layout.caption.size()));
    if (layout.nameTop)
        TextOutA(dc, layout.textLeft, *layout.nameTop, layout.nameLine.c_str(), static_cast<int>(layout.nameLine.size()));
    if (layout.imageAt)
        ImageList_Draw(ImageList, DisplayClassAt(index), dc, layout.imageAt->x, layout.imageAt->y, ILD_TRANSPARENT);
}

}  // namespace components
