// Reading and writing ini files.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "harness/temp_folder.h"
#include "registry/helpers.h"
#include "ui/handles.h"

#include <optional>

namespace {

using Lines = std::vector<std::string>;

class HelpersIni : public TempFolderTest {
protected:
    std::string oemInfo()
    {
        return file("oeminfo.ini",
                    "[General]\r\nManufacturer=Velmora AG\r\nModel=X1\r\n"
                    "[Support Information]\r\nLine2=second\r\nLine1=first\r\nZeta=z=with equals\r\nempty=\r\n");
    }
};

TEST_F(HelpersIni, ReadIniSectionListsEntriesInFileOrder)
{
    const std::string ini = oemInfo();
    EXPECT_EQ(helpers::ReadIniSection(ini, "Support Information"),
              (Lines{"Line2=second", "Line1=first", "Zeta=z=with equals", "empty="}));
    EXPECT_EQ(helpers::ReadIniSection(ini, "General"), (Lines{"Manufacturer=Velmora AG", "Model=X1"}));
}

TEST_F(HelpersIni, MissingFilesAndSectionsGiveNothing)
{
    const std::string ini = oemInfo();
    EXPECT_TRUE(helpers::ReadIniSection(ini, "Nothing").empty());
    EXPECT_TRUE(helpers::ReadIniSection(path() + "missing.ini", "General").empty());
    EXPECT_EQ(helpers::ReadIniText(ini, "General", "Nothing"), "");
    EXPECT_EQ(helpers::ReadIniText(path() + "missing.ini", "General", "Model"), "");
}

TEST_F(HelpersIni, LongValuesAreReadWhole)
{
    const std::string longValue(5000, 'v');
    const std::string ini = file("long.ini", "[S]\r\nA=" + longValue + "\r\nB=" + std::string(2046, 'w') + "\r\n");
    EXPECT_EQ(helpers::ReadIniText(ini, "S", "A"), longValue);
    EXPECT_EQ(helpers::ReadIniText(ini, "S", "B"), std::string(2046, 'w'));
    EXPECT_EQ(helpers::ReadIniSection(ini, "S"), (Lines{"A=" + longValue, "B=" + std::string(2046, 'w')}));
}

TEST_F(HelpersIni, SectionsWithManyEntriesAreReadWhole)
{
    std::string contents = "[Many]\r\n";
    Lines expected;
    for (int n = 1; n <= 400; ++n) {
        const std::string line = "Entry_with_a_long_name_" + std::to_string(n) + "=" + std::to_string(n);
        contents += line + "\r\n";
        expected.push_back(line);
    }
    EXPECT_EQ(helpers::ReadIniSection(file("many.ini", contents), "Many"), expected);
}

TEST_F(HelpersIni, WriteIniTextWritesIntoAnExistingFile)
{
    const std::string ini = oemInfo();
    EXPECT_TRUE(helpers::WriteIniText(ini, "General", "Model", "X2"));
    EXPECT_TRUE(helpers::WriteIniText(ini, "New", "Name", "Value"));
    EXPECT_EQ(helpers::ReadIniText(ini, "General", "Model"), "X2");
    EXPECT_EQ(helpers::ReadIniText(ini, "New", "Name"), "Value");
    EXPECT_EQ(helpers::ReadIniText(ini, "General", "Manufacturer"), "Velmora AG");
}

TEST_F(HelpersIni, WriteIniTextCreatesNoFile)
{
    const std::string missing = path() + "missing.ini";
    EXPECT_FALSE(helpers::WriteIniText(missing, "General", "Model", "X2"));
    EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(helpers::WriteIniText(makeDir("folder.ini"), "General", "Model", "X2"));
}

TEST_F(HelpersIni, WriteIniTextKeepsTheAttributesOfProtectedFiles)
{
    const std::string ini = oemInfo();
    const DWORD protectedFile = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), protectedFile));
    EXPECT_TRUE(helpers::WriteIniText(ini, "General", "Model", "X2"));
    EXPECT_EQ(helpers::ReadIniText(ini, "General", "Model"), "X2");
    EXPECT_EQ(GetFileAttributesA(ini.c_str()) & protectedFile, protectedFile);
}

TEST_F(HelpersIni, WriteIniTextReportsAValueThatDoesNotReadBackExactly)
{
    const std::string ini = oemInfo();
    // The profile functions strip surrounding quotes and blanks when reading.
    EXPECT_FALSE(helpers::WriteIniText(ini, "General", "Model", "\"quoted\""));
    EXPECT_FALSE(helpers::WriteIniText(ini, "General", "Model", "  padded"));
    EXPECT_TRUE(helpers::WriteIniText(ini, "General", "Model", "Mixed Case"));
}

TEST_F(HelpersIni, DeleteIniEntryRemovesOnlyThatEntryAlsoFromProtectedFiles)
{
    const std::string ini = file("win.ini", "[RUN]\r\nTool=C:\\tool.exe\r\nOther=C:\\other.exe\r\n[LOAD]\r\nTool=kept\r\n");
    const DWORD protectedFile = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), protectedFile));

    EXPECT_TRUE(helpers::DeleteIniEntry(ini, "run", "TOOL"));

    EXPECT_EQ(helpers::ReadIniSection(ini, "RUN"), (Lines{"Other=C:\\other.exe"}));
    EXPECT_EQ(helpers::ReadIniSection(ini, "LOAD"), (Lines{"Tool=kept"}));
    EXPECT_EQ(GetFileAttributesA(ini.c_str()) & protectedFile, protectedFile);
    EXPECT_TRUE(helpers::DeleteIniEntry(ini, "RUN", "Missing"));  // already gone is gone
}

TEST_F(HelpersIni, OneEntryLineIsChangedOnItsOwnAndEveryOtherByteStays)
{
    const std::string content = "[windows]\r\nrun=\r\n[run]\r\n; a note\r\nTool = \"C:\\a b\\one.exe\"\r\nOther=x\ntool=C:\\two.exe\r\n"
                                "[LOAD]\r\nTool=C:\\load.exe";
    const std::string toolRun = "[run]\r\n; a note\r\n";
    const helpers::IniEntryLine first{"TOOL", "\"C:\\a b\\one.exe\""};
    const helpers::IniEntryLine second{"tool", "C:\\two.exe"};
    const struct {
        const char* label;
        helpers::IniEntryLine line;
        int occurrence;
        std::optional<helpers::IniEntryLine> replacement;
        bool done;
        std::string result;
    } cases[] = {
        {"the second line of a name", second, 1, helpers::IniEntryLine{"New", "C:\\new.exe"}, true,
         "[windows]\r\nrun=\r\n" + toolRun + "Tool = \"C:\\a b\\one.exe\"\r\nOther=x\nNew=C:\\new.exe\r\n[LOAD]\r\nTool=C:\\load.exe"},
        {"the first, quoted, deleted", first, 0, std::nullopt, true,
         "[windows]\r\nrun=\r\n" + toolRun + "Other=x\ntool=C:\\two.exe\r\n[LOAD]\r\nTool=C:\\load.exe"},
        {"a line that holds another value now", {"tool", "C:\\changed.exe"}, 1, std::nullopt, false, content},
        {"no third line of the name", second, 2, std::nullopt, false, content},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string ini = file("win.ini", content);
        ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
        EXPECT_EQ(helpers::ReadIniEntryLines(ini, "RUN").size(), 3u);

        EXPECT_EQ(helpers::ChangeIniEntryLine(ini, "RUN", c.line, c.occurrence, c.replacement), c.done);

        EXPECT_EQ(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_HIDDEN, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
        SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::string bytes(content.size() + 64, '\0');
        const ui::FileHandle handle(CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        DWORD read = 0;
        ReadFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        bytes.resize(read);
        EXPECT_EQ(bytes, c.result);
    }
}

TEST_F(HelpersIni, DeleteIniEntryCreatesNoFile)
{
    const std::string missing = path() + "missing.ini";
    EXPECT_FALSE(helpers::DeleteIniEntry(missing, "RUN", "Tool"));
    EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(HelpersIni, EraseIniSectionRemovesOneWholeSectionAlsoFromAProtectedFile)
{
    const std::string ini = file("oem.ini", "[General]\r\nModel=X1\r\n[Support Information]\r\nLine1=a\r\nLine2=b\r\n");
    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(helpers::EraseIniSection(ini, "Support Information"));
    EXPECT_TRUE(helpers::ReadIniSection(ini, "Support Information").empty());
    EXPECT_EQ(helpers::ReadIniText(ini, "General", "Model"), "X1");
    EXPECT_TRUE(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(helpers::EraseIniSection(ini, "Missing"));
    EXPECT_FALSE(helpers::EraseIniSection(path() + "missing.ini", "General"));
}

}  // namespace
