// The profile file's form: what saving writes reads back the same, and every kind of
// broken file is reported with its line, the reading going on to report them all.
#include "harness/german_sandbox.h"
#include "profiles/profile_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using profiles::ParseProfile;
using profiles::ProfileReading;

const std::string kHeader = "[Velmora Profile]\r\nFormat=1\r\nVersion=1.0.0\r\nLanguage=Deutsch\r\n";

std::string Problems(const ProfileReading& reading)
{
    std::string text;
    for (const std::string& line : profiles::ProblemLines(reading.problems, reading.problems.size()))
        text += line + "\n";
    return text;
}

class ProfileFileTest : public GermanRegistrySandbox {};

TEST_F(ProfileFileTest, WhatIsWrittenReadsBackTheSame)
{
    profiles::Profile profile;
    profile.header = {{0, "Format", "1"}, {0, "Version", "1.0.0"}};
    const std::vector<std::string> states{"",
                                          "1",
                                          "C:\\Programme\\neu\\rat.exe %1",
                                          "Zeile eins\r\nZeile zwei",
                                          " Blank vorn und hinten ",
                                          "Müller & Söhne ^ 100%",
                                          std::string("\x01\t\x7f", 3),
                                          std::string(3000, 'w')};
    profiles::ProfileSection section{0, "TForm_Sonstige", {}};
    for (std::size_t index = 0; index < states.size(); ++index)
        section.settings.push_back({0, "Edit_" + std::to_string(index), states[index]});
    profile.pages.push_back(section);

    std::string bytes;
    for (const std::string& line : profiles::ProfileLines(profile)) {
        // Every line is one line of text: no line break or control character inside.
        for (const char character : line)
            EXPECT_GE(static_cast<unsigned char>(character), 0x20) << line;
        bytes += line + "\r\n";
    }
    const ProfileReading reading = ParseProfile(bytes);
    ASSERT_TRUE(reading.sound()) << Problems(reading);
    ASSERT_EQ(reading.profile.pages.size(), 1u);
    ASSERT_EQ(reading.profile.pages[0].settings.size(), states.size());
    for (std::size_t index = 0; index < states.size(); ++index)
        EXPECT_EQ(reading.profile.pages[0].settings[index].state, states[index]) << index;
    EXPECT_EQ(reading.profile.headerValue("Version"), "1.0.0");
}

TEST_F(ProfileFileTest, CommentsBlankLinesAndLineFeedsAlone)
{
    const ProfileReading reading =
        ParseProfile("[Velmora Profile]\nFormat=1\n\n; a note\n[TForm_System]\nCheckBox_AutoReboot=1\n[End]");
    ASSERT_TRUE(reading.sound()) << Problems(reading);
    ASSERT_EQ(reading.profile.pages.size(), 1u);
    EXPECT_EQ(reading.profile.pages[0].settings[0].line, 6);
}

struct BrokenFile {
    const char* what;
    std::string bytes;
    int line;              // of the first problem
    const char* message;   // a piece of its text
};

std::string ManyLines(std::size_t count)
{
    std::string bytes = kHeader + "[TForm_System]\r\n";
    for (std::size_t index = 0; index < count; ++index)
        bytes += "CheckBox_" + std::to_string(index) + "=1\r\n";
    return bytes + "[End]\r\n";
}

TEST_F(ProfileFileTest, BrokenFilesAreReportedWithTheirLine)
{
    const std::string whole = kHeader + "[TForm_System]\r\nCheckBox_AutoReboot=1\r\nSpinEdit_AutoEndTasks=20000\r\n[End]\r\n";
    const std::vector<BrokenFile> files{
        {"empty", "", 1, "kein Velmora-Profil"},
        {"cut off in a line", whole.substr(0, whole.find("20000") + 3), 8, "abgeschnitten"},
        {"cut off at a line's end", whole.substr(0, whole.find("[End]")), 8, "abgeschnitten"},
        {"binary garbage", std::string("MZ\x90\0\x03\0\0\0\x04\0", 10) + "\xff\xfe", 1, "Binärdaten"},
        {"garbage after sound lines", kHeader + "[TForm_System]\r\n\x01\x02\x03\r\n[End]\r\n", 6, "Binärdaten"},
        {"another kind of file", "[Components]\r\nmsmsgs=msgrocm.dll\r\n", 1, "[Velmora Profile]"},
        {"a newer format", "[Velmora Profile]\r\nFormat=2\r\n[End]\r\n", 2, "Format"},
        {"no format line", "[Velmora Profile]\r\nVersion=1.0.0\r\n[End]\r\n", 1, "Format=1"},
        {"a line without =", kHeader + "[TForm_System]\r\nCheckBox_AutoReboot\r\n[End]\r\n", 6, "Name=Wert"},
        {"the same line twice", kHeader + "[TForm_System]\r\nCheckBox_AutoReboot=1\r\ncheckbox_autoreboot=0\r\n[End]\r\n", 7,
         "schon in Zeile 6"},
        {"the same page twice", kHeader + "[TForm_IE]\r\n[TForm_System]\r\n[TForm_IE]\r\n[End]\r\n", 7, "schon in Zeile 5"},
        {"a broken ^ escape", kHeader + "[TForm_IE]\r\nEdit_WindowTitle=100^G\r\n[End]\r\n", 6, "Hexadezimal"},
        {"lines after the end", kHeader + "[End]\r\n[TForm_IE]\r\n", 6, "[End]"},
        {"a line of 1 MB", kHeader + "[TForm_IE]\r\nEdit_WindowTitle=" + std::string(1024 * 1024, 'x') + "\r\n[End]\r\n",
         6, "zu lang"},
        {"100,000 lines", ManyLines(100000), 10001, "zu viele Zeilen"},
    };
    for (const BrokenFile& file : files) {
        SCOPED_TRACE(file.what);
        const ProfileReading reading = ParseProfile(file.bytes);
        ASSERT_FALSE(reading.sound());
        EXPECT_EQ(reading.problems.front().line, file.line) << Problems(reading);
        const std::string text = profiles::ProblemText(reading.problems.front());
        EXPECT_NE(text.find("Zeile " + std::to_string(file.line) + ":"), std::string::npos) << text;
        EXPECT_NE(text.find(file.message), std::string::npos) << text;
        // A long line is quoted in part only, so the message stays readable.
        EXPECT_LT(text.size(), 400u);
    }
}

TEST_F(ProfileFileTest, ReadingGoesOnToReportEveryProblemButShowsAFewAtATime)
{
    std::string bytes = kHeader + "[TForm_System]\r\n";
    for (int index = 0; index < 50; ++index)
        bytes += "kaputt\r\n";
    const ProfileReading reading = ParseProfile(bytes + "[End]\r\n");
    EXPECT_EQ(reading.problems.size(), 50u);
    const std::vector<std::string> lines = profiles::ProblemLines(reading.problems, 30);
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines.back(), "Weitere Fehler: 20");
}

TEST_F(ProfileFileTest, AFileThatCannotBeReadIsAProblemOfTheWholeFile)
{
    const ProfileReading reading = profiles::ReadProfileFile("C:\\gibt es nicht\\profil.ini");
    ASSERT_EQ(reading.problems.size(), 1u);
    EXPECT_EQ(reading.problems[0].line, 0);
    EXPECT_EQ(profiles::ProblemText(reading.problems[0]).rfind("Die Datei lässt sich nicht lesen:", 0), 0u);
}

}  // namespace
