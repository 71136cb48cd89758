// The file scanner: which names qualify, which folders are examined, entered or
// left alone, the temporary folders, and files that cannot be taken.
#include "cleanup_fixture.h"

#include "cleanup/file_scanner.h"
#include "ui/convert.h"
#include "ui/handles.h"

#include <gtest/gtest.h>

using cleanup::FileNameQualifies;
using cleanup::FileScanChoices;

namespace {

FileScanChoices Only(bool FileScanChoices::*category)
{
    FileScanChoices choices;
    choices.*category = true;
    return choices;
}

FileScanChoices AllCategories()
{
    FileScanChoices choices;
    choices.Chk = choices.Tmp = choices.Bak = choices.Bak2 = choices.Other = choices.Log = choices.Gid = true;
    return choices;
}

// The entries of a folder as the directory listing returns them.
std::vector<std::string> ListingOrder(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const ui::FindHandle search(FindFirstFileA((folder + "*.*").c_str(), &found));
    if (!search)
        return names;
    do {
        if (found.cFileName[0] != '.')
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

}  // namespace

TEST(FileNameRules, EachCategoryTakesItsNamesInAnyLetterCase)
{
    struct Case {
        const char* name;
        bool FileScanChoices::*category;
        bool qualifies;
    };
    const Case cases[] = {
        {"CHKDSK.CHK", &FileScanChoices::Chk, true},     {"FILE0001.CHK", &FileScanChoices::Chk, true},
        {"file0002.chk", &FileScanChoices::Chk, true},   {"DISK.CHK", &FileScanChoices::Chk, false},
        {"X.TMP", &FileScanChoices::Tmp, true},          {"x.tmp", &FileScanChoices::Tmp, true},
        {"X._MP", &FileScanChoices::Tmp, true},          {"X.~MP", &FileScanChoices::Tmp, true},
        {"DONOTDELETE.TMP", &FileScanChoices::Tmp, false}, {"dontdel.tmp", &FileScanChoices::Tmp, false},
        {"DONOTDEL.TMP", &FileScanChoices::Tmp, false},  {"DONTDELETE.TMP", &FileScanChoices::Tmp, false},
        {"OLD.BAK", &FileScanChoices::Bak, true},        {"a.old", &FileScanChoices::Bak, true},
        {"A.PRV", &FileScanChoices::Bak, true},          {"A.NAV", &FileScanChoices::Bak, true},
        {"A.1ST", &FileScanChoices::Bak, true},          {"A.SYD", &FileScanChoices::Bak, true},
        {"SETUP.EXE.BAK", &FileScanChoices::Bak, false}, {"A.BAKX", &FileScanChoices::Bak, false},
        {"REPORT.~DOC", &FileScanChoices::Bak2, true},   {"REPORT~.DOC", &FileScanChoices::Bak2, true},
        {"REPORT.DO~", &FileScanChoices::Bak2, true},    {"REPORT.DOC", &FileScanChoices::Bak2, false},
        {"MSCREATE.DIR", &FileScanChoices::Other, true}, {"OTHER.DIR", &FileScanChoices::Other, false},
        {"A.$$$", &FileScanChoices::Other, true},        {"A.---", &FileScanChoices::Other, true},
        {"SETUP.LOG", &FileScanChoices::Log, true},      {"WINHELP.GID", &FileScanChoices::Gid, true},
        {"README", &FileScanChoices::Bak2, false},       {"README~", &FileScanChoices::Bak2, false},
    };
    for (const Case& test : cases)
        EXPECT_EQ(FileNameQualifies(test.name, Only(test.category)), test.qualifies) << test.name;
    // A name qualifies only under a category that is ticked.
    EXPECT_FALSE(FileNameQualifies("X.TMP", Only(&FileScanChoices::Bak)));
    EXPECT_FALSE(FileNameQualifies("X.LOG", FileScanChoices{}));
    EXPECT_FALSE(FileNameQualifies("SETUP.EXE.BAK", AllCategories()));
}

class FileScannerTest : public CleanupTest {
protected:
    void SetUp() override
    {
        CleanupTest::SetUp();
        root = folder.makeDir("drive");
        cleanup::Places().windowsDir = root + "WINDOWS";
        cleanup::FileScanFlags = AllCategories();
        cleanup::PrepareFileScan();
    }

    std::string make(const std::string& relative) { return folder.file("drive\\" + relative, "data"); }

    std::string root;
    CollectedFiles collected;
};

TEST_F(FileScannerTest, ExaminesFilesBelowTheTopLevelAndSkipsTheExcludedFolders)
{
    struct Case {
        const char* path;
        bool collected;
    };
    const Case cases[] = {
        {"BOOT.INI.BAK", false},                     // the drive's root
        {"AB\\X.TMP", false},                        // a top-level folder of two letters
        {"AB\\CD\\Y.TMP", true},
        {"ABC\\Z.TMP", true},
        {"DATA\\OLD.BAK", true},
        {"DATA\\README", false},
        {"DATA\\SETUP.EXE.BAK", false},
        {"DATA\\DONOTDELETE.TMP", false},
        {"DATA\\notes.txt", false},
        {"RECYCLER\\S-1-5\\DC1.TMP", false},
        {"RECYCLED\\DC2.TMP", false},
        {"RECYCLER2\\DC3.TMP", true},
        {"DATA\\RECYCLER\\DC4.TMP", true},           // only the recycle bin below the root
        {"WINDOWS\\SYSBACKUP\\A.BAK", false},
        {"WINDOWS\\REPAIR\\B.BAK", false},
        {"WINDOWS\\Security\\C.LOG", false},
        {"WINDOWS\\SYSTEM32\\D.BAK", true},
        {"USER\\Temporary Internet Files\\E.TMP", false},
        {"DATA\\VBE\\F.TMP", false},                 // a working file of the temporary folders' kind
        {"DATA\\DATA.BAK", false},
    };
    for (const Case& test : cases)
        make(test.path);

    cleanup::ScanDriveFolder(root, "");

    const auto found = collected.below(root);
    for (const Case& test : cases)
        EXPECT_EQ(std::count(found.begin(), found.end(), test.path), test.collected ? 1 : 0) << test.path;
    EXPECT_EQ(found.size(), cleanup::FoundFiles().size());
}

TEST_F(FileScannerTest, EntriesCarryNameFolderAndSize)
{
    folder.file("drive\\DATA\\Report.Bak", std::string(1234, 'x'));

    cleanup::ScanDriveFolder(root, "");

    ASSERT_EQ(collected.entries.size(), 1u);
    EXPECT_EQ(collected.entries[0].Name, "Report.Bak");
    EXPECT_EQ(collected.entries[0].Folder, root + "DATA");
    EXPECT_EQ(collected.entries[0].Size, 1234);
    EXPECT_EQ(cleanup::FoundFiles(), (std::vector<std::string>{root + "DATA\\Report.Bak"}));
}

TEST_F(FileScannerTest, FilesThatCannotBeOpenedExclusivelyAreLeftOut)
{
    const std::string held = make("DATA\\HELD.TMP");
    const std::string readOnly = make("DATA\\READONLY.TMP");
    make("DATA\\FREE.TMP");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const ui::FileHandle holder(CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);

    cleanup::ScanDriveFolder(root, "");

    EXPECT_EQ(collected.below(root), (std::vector<std::string>{"DATA\\FREE.TMP"}));
    EXPECT_TRUE(cleanup::FileInUse(held));
    EXPECT_TRUE(cleanup::FileInUse(readOnly));
    EXPECT_FALSE(cleanup::FileInUse(root + "DATA\\FREE.TMP"));
    EXPECT_FALSE(cleanup::FileInUse(root + "DATA\\MISSING.TMP"));
}

TEST_F(FileScannerTest, TheTemporaryFoldersAreTheWindowsTempAndTheUsersTemp)
{
    EXPECT_EQ(cleanup::TempFolders(),
              (std::vector<std::string>{ui::UpperCase(root) + "WINDOWS\\TEMP\\",
                                        ui::UpperCase(folder.path()) + "USER\\LOCAL SETTINGS\\TEMP\\"}));
    // Without a local application data folder only the Windows TEMP folder is searched whole.
    cleanup::Places().localAppData = "";
    cleanup::PrepareFileScan();
    EXPECT_EQ(cleanup::TempFolders(), (std::vector<std::string>{ui::UpperCase(root) + "WINDOWS\\TEMP\\"}));
}

TEST_F(FileScannerTest, ATemporaryFolderIsTakenWholeOnceAndAfterTheDriveScanNothingTwice)
{
    make("WINDOWS\\TEMP\\X.TMP");
    make("WINDOWS\\TEMP\\DONOTDELETE.TMP");
    make("WINDOWS\\TEMP\\sub\\setup.dat");
    const std::string temp = ui::UpperCase(root + "WINDOWS\\TEMP\\");

    cleanup::ScanDriveFolder(root, "");
    cleanup::ScanTempFolder(temp);

    std::vector<std::string> found;
    for (const std::string& path : collected.below(root))
        found.push_back(ui::UpperCase(path));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"WINDOWS\\TEMP\\DONOTDELETE.TMP", "WINDOWS\\TEMP\\SUB\\SETUP.DAT",
                                               "WINDOWS\\TEMP\\X.TMP"}));
}

TEST_F(FileScannerTest, TheTemporaryFolderScanStopsAtAProtectedFolder)
{
    const std::string temp = folder.makeDir("drive\\TEMP");
    make("TEMP\\OWN.TXT");
    for (const char* subfolder : {"AAA", "VBE", "MMM", "ZZZ"})
        make(std::string("TEMP\\") + subfolder + "\\FILE.TXT");

    cleanup::ScanTempFolder(temp);

    // The folder's own files first, then the subfolders as listed, up to VBE.
    std::vector<std::string> expected{"TEMP\\OWN.TXT"};
    for (const std::string& subfolder : ListingOrder(temp)) {
        if (subfolder == "VBE")
            break;
        if (subfolder != "OWN.TXT")
            expected.push_back("TEMP\\" + subfolder + "\\FILE.TXT");
    }
    EXPECT_EQ(collected.below(root), expected);
}

TEST_F(FileScannerTest, ACancelledScanReturnsAtOnceAndADriveRootIsNeverTakenWhole)
{
    make("DATA\\OLD.BAK");
    cleanup::ScanTempFolder(root.substr(0, 3));
    ui::CancelRequested = true;
    cleanup::ScanDriveFolder(root, "");
    cleanup::ScanTempFolder(root + "DATA\\");
    EXPECT_TRUE(collected.entries.empty());
}
