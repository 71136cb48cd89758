// The registry backup: one collecting file per deletion run with every successful
// export in order, only this run's exports in it, and a dated name that never
// replaces an earlier run's file.
#include "cleanup_fixture.h"
#include "fake_regedit.h"

#include "cleanup/registry_backup.h"
#include "registry/helpers.h"
#include "ui/programs.h"

#include <algorithm>

#include <gtest/gtest.h>

using cleanup::RegFileText;

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00";

// The lines of a file as the backup reads them, in the ANSI code page.
std::vector<std::string> LinesOf(const std::string& path)
{
    RegFileText text;
    if (!cleanup::ReadRegFileText(path, text))
        return {};
    std::vector<std::string> lines;
    for (const std::wstring& line : text.lines)
        lines.emplace_back(line.begin(), line.end());
    return lines;
}

std::vector<std::string> SectionsOf(const std::vector<std::string>& lines)
{
    std::vector<std::string> sections;
    for (const std::string& line : lines)
        if (!line.empty() && line.front() == '[')
            sections.push_back(line);
    return sections;
}

std::vector<std::string> DatedFiles(const std::string& folder)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    const ui::FindHandle search(FindFirstFileA((folder + "\\Backup *.reg").c_str(), &found));
    if (!search)
        return files;
    do
        files.push_back(folder + "\\" + found.cFileName);
    while (FindNextFileA(search.get(), &found));
    return files;
}

}  // namespace

class RegistryBackupTest : public CleanupTest {
protected:
    void SetUp() override
    {
        CleanupTest::SetUp();
        for (const char* key : {"HKEY_CLASSES_ROOT\\.old", "HKEY_CLASSES_ROOT\\CLSID\\{B2}", "HKEY_CLASSES_ROOT\\TypeLib\\{L3}"})
            regedit.canExport(key);
        cleanup::BeginBackupRun(appDir());
    }

    std::string appDir() const { return cleanup::Places().appDir; }
    std::string backupDir() const { return appDir() + "\\BACKUP"; }

    FakeRegedit regedit;
};

TEST_F(RegistryBackupTest, AFailedExportCollectsNothingAndTheNextOneIsCollected)
{
    EXPECT_FALSE(cleanup::BackupKey("HKEY_CLASSES_ROOT\\.missing"));
    EXPECT_TRUE(cleanup::BackupKey("HKEY_CLASSES_ROOT\\.old"));
    const std::string dated = cleanup::EndBackupRun();

    ASSERT_FALSE(dated.empty());
    EXPECT_EQ(SectionsOf(LinesOf(dated)), (std::vector<std::string>{"[HKEY_CLASSES_ROOT\\.old]"}));
    ASSERT_EQ(regedit.programs.ran.size(), 2u);
    EXPECT_EQ(regedit.programs.ran[1].commandLine,
              "REGEDIT /e \"" + backupDir() + "\\dummy.reg\" \"HKEY_CLASSES_ROOT\\.old\"");
    EXPECT_EQ(regedit.programs.ran[1].showCommand, SW_HIDE);
}

TEST_F(RegistryBackupTest, ThreeExportsGiveOneUtf16FileWithThreeHeadersInOrder)
{
    for (const char* key : {"HKEY_CLASSES_ROOT\\TypeLib\\{L3}", "HKEY_CLASSES_ROOT\\.old", "HKEY_CLASSES_ROOT\\CLSID\\{B2}"})
        EXPECT_TRUE(cleanup::BackupKey(key)) << key;
    const std::string dated = cleanup::EndBackupRun();

    const auto lines = LinesOf(dated);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kHeader), 3);
    EXPECT_EQ(lines.front(), kHeader);
    EXPECT_EQ(SectionsOf(lines), (std::vector<std::string>{"[HKEY_CLASSES_ROOT\\TypeLib\\{L3}]",
                                                          "[HKEY_CLASSES_ROOT\\.old]", "[HKEY_CLASSES_ROOT\\CLSID\\{B2}]"}));
    const std::string bytes = ReadFile(dated);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.find("\xFF\xFE", 2), std::string::npos);  // one byte-order mark, at the start
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\r\0\n\0", 4));
    EXPECT_FALSE(helpers::FileExists(backupDir() + "\\dummy.reg"));
    EXPECT_FALSE(helpers::FileExists(backupDir() + "\\1.reg"));
}

TEST_F(RegistryBackupTest, ARunWithoutASuccessfulExportLeavesNoDatedFile)
{
    EXPECT_FALSE(cleanup::BackupKey("HKEY_CLASSES_ROOT\\.missing"));
    EXPECT_FALSE(cleanup::BackupKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Missing"));
    EXPECT_EQ(cleanup::EndBackupRun(), "");
    EXPECT_TRUE(DatedFiles(backupDir()).empty());
}

TEST_F(RegistryBackupTest, ALeftoverExportFileNeverCountsAsThisKeysExport)
{
    // An earlier run died after the editor had written this export.
    folder.file("Program\\BACKUP\\dummy.reg", FakeRegedit::ExportBytes("HKEY_CLASSES_ROOT\\.gone"));

    EXPECT_FALSE(cleanup::BackupKey("HKEY_CLASSES_ROOT\\.gone"));
    EXPECT_EQ(cleanup::EndBackupRun(), "");
}

TEST_F(RegistryBackupTest, TwoRunsOnOneDayKeepBothFiles)
{
    EXPECT_TRUE(cleanup::BackupKey("HKEY_CLASSES_ROOT\\.old"));
    const std::string first = cleanup::EndBackupRun();
    cleanup::BeginBackupRun(appDir());
    EXPECT_TRUE(cleanup::BackupKey("HKEY_CLASSES_ROOT\\CLSID\\{B2}"));
    const std::string second = cleanup::EndBackupRun();

    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(DatedFiles(backupDir()).size(), 2u);
    EXPECT_EQ(SectionsOf(LinesOf(first)), (std::vector<std::string>{"[HKEY_CLASSES_ROOT\\.old]"}));
    EXPECT_EQ(SectionsOf(LinesOf(second)), (std::vector<std::string>{"[HKEY_CLASSES_ROOT\\CLSID\\{B2}]"}));
    // The name shows no character a file name may not hold.
    const std::string name = second.substr(second.find_last_of('\\') + 1);
    EXPECT_EQ(name.find_first_of("/:*?\"<>|"), std::string::npos) << name;
    EXPECT_EQ(name.rfind("Backup ", 0), 0u) << name;
}

TEST_F(RegistryBackupTest, TheCollectingFileOfARunThatWasCutOffKeepsItsBackupUnderADatedName)
{
    // Today's run already has its dated file; then a run dies with keys already gone,
    // leaving its collecting file as the only backup of them.
    EXPECT_TRUE(cleanup::BackupKey("HKEY_CLASSES_ROOT\\.old"));
    const std::string earlier = cleanup::EndBackupRun();
    ASSERT_FALSE(earlier.empty());
    folder.file("Program\\BACKUP\\1.reg", FakeRegedit::ExportBytes("HKEY_CLASSES_ROOT\\.gone"));

    cleanup::BeginBackupRun(appDir());
    EXPECT_TRUE(cleanup::BackupKey("HKEY_CLASSES_ROOT\\CLSID\\{B2}"));
    const std::string current = cleanup::EndBackupRun();

    std::vector<std::vector<std::string>> sections;
    for (const std::string& file : DatedFiles(backupDir()))
        sections.push_back(SectionsOf(LinesOf(file)));
    std::sort(sections.begin(), sections.end());
    EXPECT_EQ(sections, (std::vector<std::vector<std::string>>{{"[HKEY_CLASSES_ROOT\\.gone]"},
                                                               {"[HKEY_CLASSES_ROOT\\.old]"},
                                                               {"[HKEY_CLASSES_ROOT\\CLSID\\{B2}]"}}));
    EXPECT_EQ(SectionsOf(LinesOf(earlier)), (std::vector<std::string>{"[HKEY_CLASSES_ROOT\\.old]"}));
    EXPECT_EQ(SectionsOf(LinesOf(current)), (std::vector<std::string>{"[HKEY_CLASSES_ROOT\\CLSID\\{B2}]"}));
}

TEST_F(RegistryBackupTest, AnEditorThatDoesNotEndInTimeHasFailedEvenWhenItWroteTheExport)
{
    regedit.hangsOn("HKEY_CLASSES_ROOT\\.hangs");

    EXPECT_FALSE(cleanup::BackupKey("HKEY_CLASSES_ROOT\\.hangs"));
    EXPECT_FALSE(helpers::FileExists(backupDir() + "\\dummy.reg"));
    EXPECT_TRUE(cleanup::BackupKey("HKEY_CLASSES_ROOT\\.old"));
    EXPECT_EQ(SectionsOf(LinesOf(cleanup::EndBackupRun())), (std::vector<std::string>{"[HKEY_CLASSES_ROOT\\.old]"}));
}

TEST(RunAndWait, ARegistryEditorThatNeverEndsIsEndedAtTheLimitAndReportedAsStillRunning)
{
    // Without arguments the editor opens its window and waits for the user: it hangs.
    const DWORD started = GetTickCount();

    EXPECT_EQ(ui::RunAndWaitWithin("REGEDIT", SW_HIDE, 3000), ui::kStillRunning);

    const DWORD waited = GetTickCount() - started;
    EXPECT_GE(waited, 2900u);
    EXPECT_LT(waited, 30000u);
}

TEST(RegFileText, ReadsEachEncodingAndKeepsItWhenWriting)
{
    testing_support::TempFolder folder;
    struct Case {
        const char* what;
        std::string bytes;
        bool utf16;
    };
    const Case cases[] = {
        {"UTF-16 little-endian", std::string("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0", 14), true},
        {"UTF-16 big-endian", std::string("\xFE\xFF\0a\0\r\0\n\0b", 10), true},
        {"ANSI with lone line feeds", "a\nb\n", false},
        {"ANSI without a final line end", "a\r\nb", false},
    };
    for (const Case& test : cases) {
        const std::string path = folder.file("in.reg", test.bytes);
        RegFileText text;
        ASSERT_TRUE(cleanup::ReadRegFileText(path, text)) << test.what;
        EXPECT_EQ(text.utf16, test.utf16) << test.what;
        EXPECT_EQ(text.lines, (std::vector<std::wstring>{L"a", L"b"})) << test.what;
        ASSERT_TRUE(cleanup::WriteRegFileText(folder.path() + "out.reg", text));
        std::ifstream out(folder.path() + "out.reg", std::ios::binary);
        const std::string written{std::istreambuf_iterator<char>(out), std::istreambuf_iterator<char>()};
        EXPECT_EQ(written, test.utf16 ? std::string("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0", 14) : "a\r\nb\r\n") << test.what;
    }
    // Text without an ANSI form keeps the file in UTF-16, so nothing of it is lost.
    RegFileText wide{false, {L"\x0416"}};
    ASSERT_TRUE(cleanup::WriteRegFileText(folder.path() + "wide.reg", wide));
    RegFileText read;
    ASSERT_TRUE(cleanup::ReadRegFileText(folder.path() + "wide.reg", read));
    EXPECT_TRUE(read.utf16);
    EXPECT_EQ(read.lines, wide.lines);
}
