// File searches, empty folders and the recycle bin.
#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "harness/temp_folder.h"
#include "registry/helpers.h"
#include "ui/application.h"
#include "ui/handles.h"

namespace {

using Paths = std::vector<std::string>;

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Turns the empty folder link into a junction to target (a folder path without a
// trailing backslash); false where the file system cannot hold junctions.
bool MakeJunction(const std::string& link, const std::string& target)
{
    struct MountPointHeader {
        DWORD tag;
        WORD dataLength;
        WORD reserved;
        WORD substituteOffset;
        WORD substituteLength;
        WORD printOffset;
        WORD printLength;
    };
    const std::string substitute = "\\??\\" + target;
    std::wstring names(substitute.begin(), substitute.end());
    names += L'\0';
    names += std::wstring(target.begin(), target.end()) + L'\0';
    const auto namesSize = static_cast<WORD>(names.size() * sizeof(wchar_t));
    const MountPointHeader header{IO_REPARSE_TAG_MOUNT_POINT,
                                  static_cast<WORD>(8 + namesSize),
                                  0,
                                  0,
                                  static_cast<WORD>(substitute.size() * 2),
                                  static_cast<WORD>((substitute.size() + 1) * 2),
                                  static_cast<WORD>(target.size() * 2)};
    std::vector<BYTE> buffer(sizeof header + namesSize);
    std::memcpy(buffer.data(), &header, sizeof header);
    std::memcpy(buffer.data() + sizeof header, names.data(), namesSize);

    const ui::FileHandle folder(CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    DWORD returned = 0;
    return folder &&
           DeviceIoControl(folder.get(), FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                           nullptr, 0, &returned, nullptr) &&
           (GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
}

Paths Sorted(Paths paths)
{
    std::sort(paths.begin(), paths.end());
    return paths;
}

class HelpersFolders : public TempFolderTest {};

TEST_F(HelpersFolders, FolderExistsOnlyForFolders)
{
    EXPECT_TRUE(helpers::FolderExists(path()));
    EXPECT_TRUE(helpers::FolderExists(makeDir("Sub")));
    EXPECT_FALSE(helpers::FolderExists(file("a.txt")));
    EXPECT_FALSE(helpers::FolderExists(path() + "missing"));
}

TEST_F(HelpersFolders, PathAccessibleIsFalseOnlyForMissingPathsAndDevices)
{
    EXPECT_TRUE(helpers::PathAccessible("C:\\"));
    EXPECT_TRUE(helpers::PathAccessible(file("a.txt")));
    EXPECT_TRUE(helpers::PathAccessible(path() + "missing.txt"));  // file not found is no reason
    EXPECT_FALSE(helpers::PathAccessible(path() + "missing\\a.txt"));
}

class HelpersCollectFiles : public TempFolderTest {
protected:
    void TearDown() override { ui::CancelRequested = false; }
};

TEST_F(HelpersCollectFiles, CollectsMatchingFilesOwnFilesFirst)
{
    const std::string top1 = file("top.lnk");
    const std::string top2 = file("second.LNK");
    file("top.txt");
    const std::string deep = file("A\\B\\deep.lnk");
    const std::string sub = file("A\\sub.lnk");
    makeDir("folder.lnk");
    file(".hidden\\skipped.lnk");

    Paths list{"kept"};
    helpers::CollectFiles(path(), "*.lnk", list);

    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0], "kept");
    EXPECT_EQ(Sorted({list[1], list[2]}), Sorted({top1, top2}));
    EXPECT_EQ(list[3], sub);
    EXPECT_EQ(list[4], deep);
}

TEST_F(HelpersCollectFiles, ReturnsAtOnceWhenCancelled)
{
    file("a.lnk");
    ui::CancelRequested = true;
    Paths list;
    helpers::CollectFiles(path(), "*.lnk", list);
    EXPECT_TRUE(list.empty());
}

TEST_F(HelpersCollectFiles, AMissingFolderAddsNothing)
{
    Paths list;
    helpers::CollectFiles(path() + "missing\\", "*.*", list);
    EXPECT_TRUE(list.empty());
}

class HelpersFileExists : public TempFolderTest {};

// A folder is no file and a file no folder; a folder path with its backslash is still a folder.
TEST_F(HelpersFileExists, TellsFilesFromFolders)
{
    const std::string plainFile = file("notes.txt", "x");
    const std::string folder = makeDir("sub");
    struct Case {
        std::string path;
        bool file;
        bool folder;
    };
    const Case cases[] = {{plainFile, true, false},
                          {folder, false, true},
                          {folder.substr(0, folder.size() - 1), false, true},
                          {path() + "missing.txt", false, false}};
    for (const Case& test : cases) {
        EXPECT_EQ(helpers::FileExists(test.path), test.file) << test.path;
        EXPECT_EQ(helpers::FolderExists(test.path), test.folder) << test.path;
    }
    EXPECT_FALSE(helpers::RecycleFile(folder.substr(0, folder.size() - 1)));
    EXPECT_TRUE(helpers::FolderExists(folder));
}

class HelpersRemoveEmptySubfolders : public TempFolderTest {};

TEST_F(HelpersRemoveEmptySubfolders, RemovesEmptyFoldersFromTheBottomUp)
{
    makeDir("Empty");
    makeDir("OnlyEmpty\\Inner\\Innermost");
    const std::string kept = file("Full\\a.txt");
    makeDir("Full\\Empty");

    helpers::RemoveEmptySubfolders(path(), 0);

    EXPECT_TRUE(Exists(path()));
    EXPECT_FALSE(Exists(path() + "Empty"));
    EXPECT_FALSE(Exists(path() + "OnlyEmpty"));
    EXPECT_FALSE(Exists(path() + "Full\\Empty"));
    EXPECT_TRUE(Exists(kept));
}

TEST_F(HelpersRemoveEmptySubfolders, KeepsFoldersWithFilesButClearsTheirAttributes)
{
    const std::string a = file("A\\a.txt");
    const std::string b = file("A\\B\\b.txt");
    const std::string folderA = path() + "A";
    const std::string folderB = path() + "A\\B";
    const DWORD marks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesA(folderA.c_str(), FILE_ATTRIBUTE_DIRECTORY | marks));
    ASSERT_TRUE(SetFileAttributesA(folderB.c_str(), FILE_ATTRIBUTE_DIRECTORY | marks));

    helpers::RemoveEmptySubfolders(path(), 0);

    EXPECT_TRUE(Exists(a));
    EXPECT_TRUE(Exists(b));
    EXPECT_EQ(GetFileAttributesA(folderA.c_str()) & marks, 0u);
    EXPECT_EQ(GetFileAttributesA(folderB.c_str()) & marks, 0u);
}

TEST_F(HelpersRemoveEmptySubfolders, RemovesReadOnlyEmptyFoldersButNeverTheStartingFolder)
{
    const std::string start = makeDir("Start");
    const std::string locked = makeDir("Start\\Locked");
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));

    helpers::RemoveEmptySubfolders(start, 0);

    EXPECT_FALSE(Exists(locked));
    EXPECT_TRUE(Exists(start));
}

// What a junction leads to lies outside the folder being tidied: it is left alone.
TEST_F(HelpersRemoveEmptySubfolders, DoesNotFollowJunctions)
{
    const std::string outside = makeDir("Outside");
    const std::string outsideEmpty = makeDir("Outside\\Empty");
    ASSERT_TRUE(SetFileAttributesA(outside.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    const std::string start = makeDir("Start");
    const std::string link = makeDir("Start\\Link");
    if (!MakeJunction(helpers::StripTrailingBackslashes(link), helpers::StripTrailingBackslashes(outside)))
        GTEST_SKIP() << "this file system holds no junctions";

    helpers::RemoveEmptySubfolders(start, 0);

    EXPECT_TRUE(Exists(link));
    EXPECT_TRUE(Exists(outsideEmpty));
    EXPECT_NE(GetFileAttributesA(outside.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

class HelpersRecycle : public TempFolderTest {};

TEST_F(HelpersRecycle, RecycleFileMovesAnExistingFileAway)
{
    const std::string victim = file("victim.txt", "data");
    const std::string neighbour = file("neighbour.txt", "data");
    EXPECT_TRUE(helpers::RecycleFile(victim));
    EXPECT_FALSE(Exists(victim));
    EXPECT_TRUE(Exists(neighbour));
}

TEST_F(HelpersRecycle, RecycleFileMakesRelativePathsAbsolute)
{
    const std::string victim = file("relative.txt", "data");
    ASSERT_TRUE(SetCurrentDirectoryA(path().c_str()));  // the fixture steps out again
    EXPECT_TRUE(helpers::RecycleFile("relative.txt"));
    EXPECT_FALSE(Exists(victim));
}

TEST_F(HelpersRecycle, RecycleFileLeavesMissingFilesFoldersAndPatternsAlone)
{
    const std::string folder = makeDir("Folder");
    const std::string inside = file("Folder\\inside.txt", "data");
    EXPECT_FALSE(helpers::RecycleFile(path() + "missing.txt"));
    EXPECT_FALSE(helpers::RecycleFile(folder));
    EXPECT_FALSE(helpers::RecycleFile(folder + "*.txt"));
    EXPECT_TRUE(Exists(inside));
}

// A full path over 253 characters is refused whole; it is never cut to a shorter,
// possibly existing path.
TEST_F(HelpersRecycle, RecycleFileRefusesFullPathsOver253Characters)
{
    const std::size_t base = path().size();
    ASSERT_LT(base, 200u);
    const std::string folder = makeDir(std::string(240 - base, 'd'));
    const std::string fits = file(folder.substr(base) + std::string(253 - folder.size(), 'f'));
    const std::string tooLong = file(folder.substr(base) + std::string(254 - folder.size(), 'g'));
    ASSERT_EQ(fits.size(), 253u);
    ASSERT_EQ(tooLong.size(), 254u);

    EXPECT_FALSE(helpers::RecycleFile(tooLong));
    EXPECT_TRUE(Exists(tooLong));
    EXPECT_TRUE(helpers::RecycleFile(fits));
    EXPECT_FALSE(Exists(fits));
}

TEST_F(HelpersRecycle, RecycleFilesMovesEveryListedFile)
{
    const std::string a = file("a.txt", "a");
    const std::string b = file("Sub\\b.txt", "b");
    const std::string kept = file("kept.txt", "k");
    std::string paths = a + '\0' + b + '\0';
    bool aborted = true;

    EXPECT_TRUE(helpers::RecycleFiles(paths, aborted));
    EXPECT_FALSE(aborted);
    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(Exists(b));
    EXPECT_TRUE(Exists(kept));
}

TEST_F(HelpersRecycle, RecycleFilesWithAnEmptyListDoesNothing)
{
    const std::string kept = file("kept.txt", "k");
    bool aborted = true;
    EXPECT_TRUE(helpers::RecycleFiles("", aborted));
    EXPECT_FALSE(aborted);
    EXPECT_TRUE(Exists(kept));
}

class HelpersRenameAndAttributes : public TempFolderTest {};

TEST_F(HelpersRenameAndAttributes, RenameFileNeverReplacesWhatHasTheNewName)
{
    const std::string from = file("old.lnk", "old");
    const std::string taken = file("taken.lnk", "taken");

    EXPECT_FALSE(helpers::RenameFile(from, taken));
    EXPECT_TRUE(Exists(from));
    EXPECT_FALSE(helpers::RenameFile(path() + "missing.lnk", path() + "new.lnk"));

    EXPECT_TRUE(helpers::RenameFile(from, path() + "new.lnk"));
    EXPECT_FALSE(Exists(from));
    EXPECT_TRUE(Exists(path() + "new.lnk"));
    EXPECT_TRUE(Exists(taken));
}

TEST_F(HelpersRenameAndAttributes, MakeFileWritableLeavesTheArchiveAttributeAlone)
{
    const std::string ini = file("win.ini", "[windows]\r\n");
    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_TRUE(helpers::MakeFileWritable(ini));
    EXPECT_EQ(GetFileAttributesA(ini.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_FALSE(helpers::MakeFileWritable(path() + "missing.ini"));
    EXPECT_FALSE(helpers::MakeFileWritable(makeDir("folder")));
}

}  // namespace

namespace {

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class HelpersFileWrites : public TempFolderTest {};

TEST_F(HelpersFileWrites, CopyFileToKeepsAnExistingTargetUnlessAskedToOverwrite)
{
    const std::string source = file("neu.gif", "new");
    const std::string target = file("alt.gif", "old");
    EXPECT_FALSE(helpers::CopyFileTo(source, target, false));
    EXPECT_EQ(Contents(target), "old");
    EXPECT_TRUE(helpers::CopyFileTo(source, target, true));
    EXPECT_EQ(Contents(target), "new");
    EXPECT_TRUE(helpers::CopyFileTo(source, path() + "frisch.gif", false));
    EXPECT_EQ(Contents(path() + "frisch.gif"), "new");
    EXPECT_FALSE(helpers::CopyFileTo(path() + "fehlt.gif", path() + "x.gif", true));
}

TEST_F(HelpersFileWrites, WriteFileBytesReplacesTheWholeContent)
{
    const std::string target = file("logo.bmp", "a much longer old content");
    EXPECT_TRUE(helpers::WriteFileBytes(target, std::string("new\0bytes", 9)));
    EXPECT_EQ(Contents(target), std::string("new\0bytes", 9));
    EXPECT_TRUE(helpers::WriteFileBytes(path() + "leer.ini", ""));
    EXPECT_TRUE(helpers::FileExists(path() + "leer.ini"));
    EXPECT_FALSE(helpers::WriteFileBytes(makeDir("ordner.bmp"), "x"));
}

TEST_F(HelpersFileWrites, ClearFileAttributesTakesReadOnlyHiddenAndSystemAway)
{
    const std::string target = file("oeminfo.ini", "[General]");
    const DWORD protectedFile = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), protectedFile));
    EXPECT_TRUE(helpers::ClearFileAttributes(target));
    EXPECT_EQ(GetFileAttributesA(target.c_str()) & protectedFile, 0u);
    EXPECT_FALSE(helpers::ClearFileAttributes(path() + "fehlt.ini"));
}
