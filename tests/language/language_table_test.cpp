// Loading the language data file and looking texts up by number.
#include "harness/temp_file.h"
#include "language/language.h"

#include <gtest/gtest.h>

#include <windows.h>

using language::LangString;
using language::LoadLanguageFile;
using testing_support::TempFileName;
using testing_support::WriteBytes;

namespace {

class LanguageTableTest : public ::testing::Test {
protected:
    void SetUp() override { language::ClearLanguageTable(); }
    void TearDown() override
    {
        language::ClearLanguageTable();
        for (const auto& file : files_)
            DeleteFileA(file.c_str());
    }
    void load(const std::string& bytes)
    {
        files_.push_back(TempFileName("lang"));
        WriteBytes(files_.back(), bytes);
        LoadLanguageFile(files_.back());
    }

private:
    std::vector<std::string> files_;
};

}  // namespace

TEST_F(LanguageTableTest, LinesDefineTextsByTheirDecimalNumber)
{
    load("100=\r\n"
         "100=zweite Zeile wird nie benutzt\r\n"
         "0101=führende Null\r\n"
         "102 =Leerzeichen\r\n"
         "5=a=b\r\n"
         "6= mit Blanks \r\n"
         "ohne Gleichheitszeichen\r\n"
         "7=lone LF\n8=lone CR\r9=last line without end");
    struct Case {
        int number;
        const char* text;
    };
    const Case cases[] = {
        {100, ""},                  // empty text, and the first line wins
        {101, ""},                  // 0101 does not define 101
        {102, ""},                  // "102 " does not define 102
        {5, "a=b"},                 // everything after the first "="
        {6, " mit Blanks "},        // taken exactly
        {7, "lone LF"},
        {8, "lone CR"},
        {9, "last line without end"},
        {4711, ""},                 // not in the file
    };
    for (const Case& c : cases)
        EXPECT_EQ(LangString(c.number), c.text) << "number " << c.number;
}

TEST_F(LanguageTableTest, LaterFilesAddLinesButEarlierLinesWin)
{
    load("1=erste\r\n");
    load("1=zweite\r\n2=nur hier\r\n");
    EXPECT_EQ(LangString(1), "erste");
    EXPECT_EQ(LangString(2), "nur hier");
}

TEST_F(LanguageTableTest, AMissingFileChangesNothing)
{
    LoadLanguageFile("C:\\does\\not\\exist\\velmora.dat");
    EXPECT_EQ(LangString(10), "");
    load("10=OK\r\n");
    LoadLanguageFile("C:\\does\\not\\exist\\velmora.dat");
    EXPECT_EQ(LangString(10), "OK");
}

TEST_F(LanguageTableTest, TextsKeepTheirWindowsAnsiBytes)
{
    load("11=Schlie\xDF" "en \xE4\xF6\xFC\r\n");
    EXPECT_EQ(LangString(11), "Schließen äöü");
}

TEST_F(LanguageTableTest, JoinedTextsAreOneLineEachSeparatedByCr)
{
    load("1=eins\r\n2=zwei\r\n4=vier\r\n");
    // A number without text still gives its (empty) line, so the lines keep their places.
    EXPECT_EQ(language::LangStringRange(1, 4), "eins\rzwei\r\rvier");
    EXPECT_EQ(language::LangStrings({4, 1, 4}), "vier\reins\rvier");
    EXPECT_EQ(language::LangStringRange(2, 2), "zwei");
    EXPECT_EQ(language::LangStrings({}), "");
}
