#include "components/drive_flags.h"

#include "language/language.h"
#include "ui/convert.h"

namespace components {

std::array<unsigned char, kDriveNumbers> FileDriveFlags{};
std::array<unsigned char, kDriveNumbers> RegDriveFlags{};

namespace {

constexpr int kFirstTypeName = 50;

TOstrelDrives* fileDrives = nullptr;
TOstrelDrives* registryDrives = nullptr;

// Sets the flag of every ticked item that `counts` accepts.
template <class Counts>
void CaptureList(const TOstrelDrives* list, std::array<unsigned char, kDriveNumbers>& flags, Counts counts)
{
    if (!list)
        return;
    for (int index = 0; index < list->itemCount(); ++index) {
        const int number = list->DriveNumberAt(index);
        if (number >= 0 && list->checked(index) && counts(index))
            flags[static_cast<std::size_t>(number)] = 1;
    }
}

void InitList(TOstrelDrives* list)
{
    if (!list)
        return;
    for (int displayClass = 0; displayClass < kDisplayClasses; ++displayClass)
        list->DriveTypeNames[static_cast<std::size_t>(displayClass)] = language::LangString(kFirstTypeName + displayClass);
    list->RefreshDrives();
}

void TickFixedDrives(TOstrelDrives* list)
{
    if (!list)
        return;
    for (int index = 0; index < list->itemCount(); ++index)
        if (list->GetDriveTyp(index) == DRIVE_FIXED)
            list->setChecked(index, true);
}

}  // namespace

void SetCleanupDriveLists(TOstrelDrives* fileList, TOstrelDrives* registryList)
{
    fileDrives = fileList;
    registryDrives = registryList;
}

void CaptureDriveSelection()
{
    FileDriveFlags.fill(0);
    RegDriveFlags.fill(0);
    // A CD-ROM is never searched for files: nothing on it could be moved to the Recycle Bin.
    CaptureList(fileDrives, FileDriveFlags, [](int index) { return fileDrives->GetDriveTyp(index) != DRIVE_CDROM; });
    CaptureList(registryDrives, RegDriveFlags, [](int) { return true; });
}

bool DriveSelectedForRegistry(const std::string& path)
{
    if (path.size() < 4 || path.compare(1, 2, ":\\") != 0)
        return false;
    const char letter = ui::UpperCase(path.substr(0, 1))[0];
    if (letter < 'A' || letter > 'Z')
        return false;
    return RegDriveFlags[static_cast<std::size_t>(letter - 'A')] == 1;
}

void InitCleanupDriveLists()
{
    InitList(fileDrives);
    InitList(registryDrives);
    TickFixedDrives(fileDrives);
    TickFixedDrives(registryDrives);
    CaptureDriveSelection();
}

}  // namespace components
