// The drive list: which drives it lists and how it draws them, and the clean-up's
// drive selection captured from its two lists.
#include "components/drive_flags.h"
#include "components/ostrel_drives.h"
#include "harness/fake_drives.h"
#include "harness/german_sandbox.h"
#include "harness/layout_check.h"
#include "language/language.h"
#include "ui/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using components::TOstrelDrives;

namespace {

struct ListedDrive {
    char letter;
    UINT type;
    std::string name;
    int displayClass;
    bool operator==(const ListedDrive&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ListedDrive& drive)
{
    return out << drive.letter << " type " << drive.type << " \"" << drive.name << "\" class " << drive.displayClass;
}

std::vector<ListedDrive> Listed(const TOstrelDrives& list)
{
    std::vector<ListedDrive> drives;
    for (int index = 0; index < list.itemCount(); ++index)
        drives.push_back({list.GetDriveChar(index), list.GetDriveTyp(index), list.GetDriveName(index),
                          list.DisplayClassAt(index)});
    return drives;
}

}  // namespace

class OstrelDrivesTest : public GermanRegistrySandbox {
protected:
    void TearDown() override
    {
        components::SetCleanupDriveLists(nullptr, nullptr);
        GermanRegistrySandbox::TearDown();
    }

    TOstrelDrives& addList(const char* name, components::TOstrelDrivesOptions options)
    {
        auto& list = form.add<TOstrelDrives>(form, name, ui::Bounds{8, 8, 220, 124});
        list.Options = options;
        return list;
    }

    testing_support::FakeDrives drives;
    ui::Form form{"DriveForm", 480, 300};
};

TEST_F(OstrelDrivesTest, ListsTheDrivesItsOptionsShowWithTheirNames)
{
    drives.add('B', DRIVE_REMOVABLE);
    drives.add('C', DRIVE_FIXED, "SYSTEM");
    drives.add('D', DRIVE_CDROM, "DISC");
    drives.add('E', DRIVE_REMOTE);  // a network drive without a label
    drives.add('F', DRIVE_RAMDISK);
    drives.add('G', DRIVE_REMOVABLE, "STICK");
    auto& list = addList("AllDrives", components::kAllDriveOptions);

    list.RefreshDrives();

    const std::vector<ListedDrive> expected{
        {'A', DRIVE_REMOVABLE, "", 1},   {'B', DRIVE_REMOVABLE, "", 1}, {'C', DRIVE_FIXED, "SYSTEM", 2},
        {'D', DRIVE_CDROM, "", 3},       {'E', DRIVE_REMOTE, "Unknown", 6}, {'F', DRIVE_RAMDISK, "", 5},
        {'G', DRIVE_REMOVABLE, "", 4},
    };
    EXPECT_EQ(Listed(list), expected);
    // Drive A is listed without asking Windows; only fixed and network drives are asked for a name.
    EXPECT_EQ(drives.askedType.front(), "B:\\");
    EXPECT_EQ(drives.askedName, (std::vector<std::string>{"C:\\", "E:\\"}));
    EXPECT_EQ(list.itemText(0), "0");
    EXPECT_EQ(list.itemText(2), "2");
}

TEST_F(OstrelDrivesTest, ListsOnlyTheKindsItsOptionsAskForAndAppends)
{
    drives.add('B', DRIVE_NO_ROOT_DIR);
    drives.add('C', DRIVE_FIXED, "SYSTEM");
    drives.add('D', DRIVE_CDROM);
    drives.add('Z', DRIVE_REMOTE, "SHARE");
    auto& list = addList("FixedAndRemote", components::ShowFixed | components::ShowRemote);

    list.RefreshDrives();
    list.RefreshDrives();

    // Without ShowName no names are asked for; a second refresh appends again.
    const std::vector<ListedDrive> once{{'C', DRIVE_FIXED, "", 2}, {'Z', DRIVE_REMOTE, "", 6}};
    std::vector<ListedDrive> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(Listed(list), twice);
    EXPECT_TRUE(drives.askedName.empty());
}

TEST_F(OstrelDrivesTest, DisplayClassesFollowTheLetterAForBAndOtherwiseTheType)
{
    struct Case {
        char letter;
        UINT type;
        int displayClass;
    };
    const Case cases[] = {
        {'A', DRIVE_FIXED, 1},     {'B', DRIVE_CDROM, 1},     {'C', DRIVE_FIXED, 2},   {'D', DRIVE_CDROM, 3},
        {'E', DRIVE_REMOVABLE, 4}, {'F', DRIVE_RAMDISK, 5},   {'G', DRIVE_REMOTE, 6},  {'H', DRIVE_UNKNOWN, 0},
        {'I', DRIVE_NO_ROOT_DIR, 0},
    };
    for (const Case& drive : cases)
        EXPECT_EQ(components::DisplayClassOf(drive.letter, drive.type), drive.displayClass) << drive.letter;
}

TEST_F(OstrelDrivesTest, LaysOutPictureCaptionAndNameLine)
{
    drives.add('C', DRIVE_FIXED, "SYSTEM");
    drives.add('D', DRIVE_CDROM);
    auto pictures = components::DriveClassImageList(32);
    auto& list = addList("Drawn", components::kAllDriveOptions & ~components::ShowDriveA);
    list.ImageList = pictures.get();
    for (int displayClass = 0; displayClass < components::kDisplayClasses; ++displayClass)
        list.DriveTypeNames[static_cast<std::size_t>(displayClass)] = "Typ" + std::to_string(displayClass);
    list.RefreshDrives();
    const RECT item{20, 40, 200, 80};

    const auto named = list.LayoutDriveItem(0, item);
    EXPECT_EQ(named.caption, "Typ2 C:\\");
    EXPECT_EQ(named.textLeft, 68);
    EXPECT_EQ(named.captionTop, 44);
    ASSERT_TRUE(named.nameTop);
    EXPECT_EQ(*named.nameTop, 60);
    EXPECT_EQ(named.nameLine, "Name: SYSTEM");
    ASSERT_TRUE(named.imageAt);
    EXPECT_EQ(named.imageAt->x, 28);
    EXPECT_EQ(named.imageAt->y, 42);

    const auto unnamed = list.LayoutDriveItem(1, item);
    EXPECT_EQ(unnamed.caption, "Typ3 D:\\");
    EXPECT_EQ(unnamed.captionTop, 52);
    EXPECT_FALSE(unnamed.nameTop);

    list.Options &= ~components::ShowImages;
    const auto plain = list.LayoutDriveItem(0, item);
    EXPECT_EQ(plain.textLeft, 24);
    EXPECT_FALSE(plain.imageAt);

    // A picture list without the class's picture draws none.
    list.Options |= components::ShowImages;
    auto fewPictures = ui::ImageListHandle(ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 0));
    ImageList_SetImageCount(fewPictures.get(), 2);
    list.ImageList = fewPictures.get();
    EXPECT_FALSE(list.LayoutDriveItem(0, item).imageAt);
}

TEST_F(OstrelDrivesTest, ItemsAreFortyPixelsHighWithTheirCheckBoxes)
{
    drives.add('C', DRIVE_FIXED, "SYSTEM");
    auto& list = addList("Checked", components::kAllDriveOptions);
    list.RefreshDrives();
    EXPECT_EQ(list.itemHeight(), 40);
    EXPECT_FALSE(list.checked(1));
    list.setChecked(1, true);
    EXPECT_TRUE(list.checked(1));
    EXPECT_FALSE(list.checked(0));
    form.show();
    testing_support::ExpectNothingClippedOrCovered(form.handle());
}

class DriveSelectionTest : public OstrelDrivesTest {
protected:
    void SetUp() override
    {
        OstrelDrivesTest::SetUp();
        drives.add('C', DRIVE_FIXED, "SYSTEM");
        drives.add('D', DRIVE_CDROM);
        drives.add('E', DRIVE_FIXED, "DATA");
        drives.add('N', DRIVE_REMOTE);
        fileList = &addList("OstrelDrives_FILES", components::kAllDriveOptions);
        registryList = &addList("OstrelDrives_REG", components::kAllDriveOptions);
        components::SetCleanupDriveLists(fileList, registryList);
    }

    static int IndexOf(const TOstrelDrives& list, char letter)
    {
        for (int index = 0; index < list.itemCount(); ++index)
            if (list.GetDriveChar(index) == letter)
                return index;
        return -1;
    }

    static std::string Selected(const std::array<unsigned char, components::kDriveNumbers>& flags)
    {
        std::string letters;
        for (std::size_t number = 0; number < 26; ++number)
            if (flags[number])
                letters += static_cast<char>('A' + number);
        return letters;
    }

    TOstrelDrives* fileList = nullptr;
    TOstrelDrives* registryList = nullptr;
};

TEST_F(DriveSelectionTest, InitialisationTicksTheFixedDrivesAndNamesTheTypes)
{
    components::InitCleanupDriveLists();

    for (TOstrelDrives* list : {fileList, registryList}) {
        for (int index = 0; index < list->itemCount(); ++index)
            EXPECT_EQ(list->checked(index), list->GetDriveTyp(index) == DRIVE_FIXED) << list->GetDriveChar(index);
        for (int displayClass = 0; displayClass < components::kDisplayClasses; ++displayClass)
            EXPECT_EQ(list->DriveTypeNames[static_cast<std::size_t>(displayClass)], language::LangString(50 + displayClass));
    }
    EXPECT_EQ(Selected(components::FileDriveFlags), "CE");
    EXPECT_EQ(Selected(components::RegDriveFlags), "CE");
}

TEST_F(DriveSelectionTest, ACdRomIsNeverSelectedForTheFileSearch)
{
    components::InitCleanupDriveLists();
    fileList->setChecked(IndexOf(*fileList, 'D'), true);
    fileList->setChecked(IndexOf(*fileList, 'E'), false);
    registryList->setChecked(IndexOf(*registryList, 'D'), true);
    registryList->setChecked(IndexOf(*registryList, 'N'), true);

    components::CaptureDriveSelection();

    EXPECT_EQ(Selected(components::FileDriveFlags), "C");
    EXPECT_EQ(Selected(components::RegDriveFlags), "CDEN");
}

TEST_F(DriveSelectionTest, RegistryPathsCountOnlyOnATickedDrive)
{
    components::InitCleanupDriveLists();
    struct Case {
        const char* path;
        bool selected;
    };
    const Case cases[] = {
        {"c:\\x.dll", true},   {"C:\\WINDOWS\\X.DLL", true}, {"C:", false},   {"C:\\", false},
        {"C:\\x", true},       {"\\\\server\\share\\x.dll", false}, {"D:\\x.dll", false},
        {"CC\\x.dll", false},  {"1:\\x.dll", false},        {"", false},     {"e:\\data\\x.ocx", true},
    };
    for (const Case& path : cases)
        EXPECT_EQ(components::DriveSelectedForRegistry(path.path), path.selected) << path.path;
}
