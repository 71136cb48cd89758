// TOstrelDrives: a check list of the machine's drives, one item of 40 pixels per
// drive, each with its picture, its type and letter and, for fixed and network
// drives, its volume name. The clean-up page places two of them (files, registry).
#pragma once

#include "ui/checklistbox.h"

#include <array>
#include <optional>
#include <string>

#include <commctrl.h>

namespace components {

// Which drives a list shows and how (one bit each).
enum TOstrelDrivesOption : unsigned {
    ShowDriveA = 1,
    ShowImages = 2,
    ShowName = 4,
    ShowFixed = 8,
    ShowCDROM = 16,
    ShowRemovable = 32,
    ShowRemote = 64,
    ShowRamDisk = 128,
};
using TOstrelDrivesOptions = unsigned;
constexpr TOstrelDrivesOptions kAllDriveOptions = 255;

// Drive numbers: 0 is A, 25 is Z; the tables hold one more place.
constexpr int kDriveNumbers = 27;
// The seven display classes select a drive's type text and its picture.
constexpr int kDisplayClasses = 7;

// What the list asks Windows about a drive root such as "C:\". Tests put in drives
// of their own; the real one asks GetDriveTypeA and GetVolumeInformationA.
class DriveInfoSeam {
public:
    virtual ~DriveInfoSeam() = default;
    virtual UINT driveType(const std::string& root) = 0;
    // The volume label; empty when there is none or it cannot be read.
    virtual std::string volumeName(const std::string& root) = 0;
};
// Installs a seam (nullptr restores the real one); returns the one it replaced.
DriveInfoSeam* SetDriveInfoSeam(DriveInfoSeam* seam);

// The display class of a drive: 1 for A and B whatever their type, otherwise by the
// drive type: fixed 2, CD-ROM 3, removable 4, RAM disk 5, remote 6, any other 0.
int DisplayClassOf(char letter, UINT driveType);

// An image list of pictures indexed by display class (0 unknown, 1 diskette, 2 fixed,
// 3 CD-ROM, 4 removable, 5 RAM disk, 6 network), of 16 or 32 pixels.
ui::ImageListHandle DriveClassImageList(int size);

// Where DrawDriveItem puts an item's parts, relative to the item's content rectangle.
struct DriveItemLayout {
    int textLeft = 0;
    int captionTop = 0;
    std::optional<int> nameTop;       // the "Name: ..." line, when one is shown
    std::optional<POINT> imageAt;     // the picture, when one is drawn
    std::string caption;              // type text, a blank and the root ("Festplatte C:\")
    std::string nameLine;             // "Name: " and the volume name
};

class TOstrelDrives : public ui::CheckListBox {
public:
    TOstrelDrives(ui::Control& parent, std::string name, const ui::Bounds& bounds);

    TOstrelDrivesOptions Options = kAllDriveOptions;
    // The pictures, indexed by display class; not owned; may be empty.
    HIMAGELIST ImageList = nullptr;
    // The type texts of the seven display classes.
    std::array<std::string, kDisplayClasses> DriveTypeNames;

    // Appends the drives the options ask for (the list is not cleared first).
    void RefreshDrives();

    // The drive number shown at an item position; -1 for an invalid position.
    int DriveNumberAt(int index) const;
    UINT GetDriveTyp(int index) const;
    std::string GetDriveName(int index) const;
    char GetDriveChar(int index) const;
    int DisplayClassAt(int index) const;

    DriveItemLayout LayoutDriveItem(int index, const RECT& rect) const;
    void DrawDriveItem(HDC dc, int index, const RECT& rect);

protected:
    void drawItem(HDC dc, int index, const RECT& rect) override { DrawDriveItem(dc, index, rect); }

private:
    std::array<char, kDriveNumbers> letters_;
    std::array<UINT, kDriveNumbers> types_{};
    std::array<std::string, kDriveNumbers> names_;
};

}  // namespace components
