// Command lines, paths and environment variables.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "registry/helpers.h"

namespace {

struct CommandLineCase {
    const char* text;
    const char* file;
};

class HelpersCommandLineFile : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(HelpersCommandLineFile, CutsTheCommandLineToItsProgramFile)
{
    std::string text = GetParam().text;
    helpers::CommandLineFile(text);
    EXPECT_EQ(text, GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, HelpersCommandLineFile,
    ::testing::Values(
        CommandLineCase{"rundll32.exe shell32.dll,Control_RunDLL", "RUNDLL32.EXE"},
        CommandLineCase{"C:\\Program Files\\App\\App.exe", "C:\\PROGRAM FILES\\APP\\APP.EXE"},
        CommandLineCase{"C:\\APP\\A.EXE D:\\DATA\\X.TXT", "C:\\APP\\A.EXE"},
        CommandLineCase{"C:\\TOOLS\\SETUP.EXE -q", "C:\\TOOLS\\SETUP.EXE"},
        CommandLineCase{"C:\\TOOLS\\SETUP -q", ""},
        CommandLineCase{"abc", "abc"}));

INSTANTIATE_TEST_SUITE_P(
    Details, HelpersCommandLineFile,
    ::testing::Values(
        // Short texts and texts without a dot keep their letter case.
        CommandLineCase{"a.b", "a.b"},
        CommandLineCase{"c:\\tools\\setup", "c:\\tools\\setup"},
        // Only a three-letter extension ends the program file.
        CommandLineCase{"A.EXE /S", "A.EXE"},
        // After "A.JS" the blank is no cut, but the slash is: the four characters
        // before it are ".JS ".
        CommandLineCase{"A.JS /S", "A.JS "},
        CommandLineCase{"c:\\a.js", "C:\\A.JS"},
        CommandLineCase{"x.dll,Entry", "X.DLL"},
        CommandLineCase{"C:\\A.EXE/S", "C:\\A.EXE"},
        // A dot inside a folder name before the separator does not count.
        CommandLineCase{"C:\\V.123\\A B.EXE", "C:\\V.123\\A B.EXE"},
        // Line ends, zero and DEL cut the command line.
        CommandLineCase{"C:\\A.EXE\r\nMORE", "C:\\A.EXE"},
        CommandLineCase{"C:\\A.EXE\nX /Y", "C:\\A.EXE"},
        CommandLineCase{"C:\\A.EXE\x7f /Y", "C:\\A.EXE"},
        // The separator is never the last character.
        CommandLineCase{"C:\\A.EXE ", "C:\\A.EXE "},
        // A switch before the program file empties the result.
        CommandLineCase{"C:\\RUN -X C:\\A.EXE B", ""},
        // Second drive: the work text ends just after its colon.
        CommandLineCase{"C:\\A B C D:\\X.TXT", "C:\\A B C D:"},
        CommandLineCase{"C:\\A -S D:\\X.EXE", ""}));

TEST(HelpersCommandLineFileZero, AZeroCharacterEndsTheCommandLine)
{
    std::string text("C:\\A.EXE\0 /X", 12);
    helpers::CommandLineFile(text);
    EXPECT_EQ(text, "C:\\A.EXE");
}

class HelpersEnvironment : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetEnvironmentVariableA("VELMORA_DIR", nullptr);
        SetEnvironmentVariableA("VELMORA_LONG", nullptr);
    }
};

TEST_F(HelpersEnvironment, ExpandEnvTextExpandsVariablesAndKeepsTheRest)
{
    SetEnvironmentVariableA("VELMORA_DIR", "C:\\Mixed Case");
    EXPECT_EQ(helpers::ExpandEnvText("%VELMORA_DIR%\\\"a\".exe"), "C:\\Mixed Case\\\"a\".exe");
    EXPECT_EQ(helpers::ExpandEnvText("%VELMORA_UNDEFINED%\\x"), "%VELMORA_UNDEFINED%\\x");
    EXPECT_EQ(helpers::ExpandEnvText(""), "");
}

TEST_F(HelpersEnvironment, CleanCommandPathUpperCasesBeforeExpandingAndDropsQuotes)
{
    SetEnvironmentVariableA("VELMORA_DIR", "C:\\Mixed Case");
    EXPECT_EQ(helpers::CleanCommandPath("\"%velmora_dir%\\app.exe\" -x"), "C:\\Mixed Case\\APP.EXE -X");
    EXPECT_EQ(helpers::CleanCommandPath("\"\""), "");
}

// An expansion longer than 2047 characters is returned whole, never cut.
TEST_F(HelpersEnvironment, LongExpansionsAreNeverCut)
{
    const std::string value = "C:\\" + std::string(3000, 'x');
    SetEnvironmentVariableA("VELMORA_LONG", value.c_str());
    EXPECT_EQ(helpers::ExpandEnvText("%VELMORA_LONG%\\A.EXE"), value + "\\A.EXE");
    EXPECT_EQ(helpers::CleanCommandPath("\"%velmora_long%\\a.exe\""), value + "\\A.EXE");
}

TEST_F(HelpersEnvironment, TextsJustFittingTheBufferExpandCompletely)
{
    const std::string value(2040, 'y');
    SetEnvironmentVariableA("VELMORA_LONG", value.c_str());
    EXPECT_EQ(helpers::ExpandEnvText("%VELMORA_LONG%1234567"), value + "1234567");  // 2047 characters
    EXPECT_EQ(helpers::ExpandEnvText("%VELMORA_LONG%12345678"), value + "12345678");  // 2048 characters
}

TEST(HelpersTexts, IsInstallerReferenceNeedsABraceAndUpperCaseInstaller)
{
    EXPECT_TRUE(helpers::IsInstallerReference("C:\\WINDOWS\\INSTALLER\\{1234}\\ICON.EXE"));
    EXPECT_FALSE(helpers::IsInstallerReference("C:\\WINDOWS\\INSTALLER\\ICON.EXE"));
    EXPECT_FALSE(helpers::IsInstallerReference("C:\\windows\\installer\\{1234}\\icon.exe"));
    EXPECT_FALSE(helpers::IsInstallerReference(""));
}

TEST(HelpersTexts, StripTrailingBackslashesRemovesAllOfThem)
{
    EXPECT_EQ(helpers::StripTrailingBackslashes("C:\\DIR\\\\\\"), "C:\\DIR");
    EXPECT_EQ(helpers::StripTrailingBackslashes("C:\\DIR"), "C:\\DIR");
    EXPECT_EQ(helpers::StripTrailingBackslashes("\\\\"), "");
    EXPECT_EQ(helpers::StripTrailingBackslashes(""), "");
}

TEST(HelpersTexts, TextAfterLastIgnoresTheFinalCharacter)
{
    EXPECT_EQ(helpers::TextAfterLast("C:\\DIR\\FILE.EXE", '\\'), "FILE.EXE");
    EXPECT_EQ(helpers::TextAfterLast("C:\\DIR\\", '\\'), "DIR\\");
    EXPECT_EQ(helpers::TextAfterLast("FILE.EXE", '\\'), "FILE.EXE");
    EXPECT_EQ(helpers::TextAfterLast("FILE\\", '\\'), "FILE\\");
    EXPECT_EQ(helpers::TextAfterLast("\\", '\\'), "\\");
    EXPECT_EQ(helpers::TextAfterLast("\\A", '\\'), "A");
    EXPECT_EQ(helpers::TextAfterLast("", '\\'), "");
}

}  // namespace
