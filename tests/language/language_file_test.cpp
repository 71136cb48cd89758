// The German language data file that ships beside the program holds a text for
// every number the program asks for, in the file format the table reads.
#include "harness/source_files.h"
#include "harness/temp_file.h"
#include "language/language.h"
#include "ui/dialogs.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

std::string DataFile()
{
    return testing_support::SourceFile("lang\\velmora.dat");
}

// Numbers the program asks for that belong to no form's Tags: the toolkit texts and
// the common buttons.
std::vector<int> NumbersInUse()
{
    std::vector<int> numbers;
    for (int number = ui::kFirstToolkitText; number <= ui::kLastToolkitText; ++number)
        numbers.push_back(number);
    for (int number = 200; number <= 204; ++number)
        numbers.push_back(number);
    return numbers;
}

}  // namespace

TEST(LanguageDataFile, HoldsATextForEveryNumberInUse)
{
    language::ClearLanguageTable();
    language::LoadLanguageFile(DataFile());
    for (int number : NumbersInUse())
        EXPECT_NE(language::LangString(number), "") << "language string " << number << " is missing";
    language::ClearLanguageTable();
}

TEST(LanguageDataFile, EveryLineIsANumberOnceWithCrLf)
{
    const std::string content = testing_support::ReadBytes(DataFile());
    ASSERT_FALSE(content.empty());
    ASSERT_EQ(content.substr(content.size() - 2), "\r\n");
    std::set<std::string> seen;
    std::istringstream lines(content);
    std::string line;
    while (std::getline(lines, line, '\n')) {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r') << line;
        const std::string name = line.substr(0, line.find('='));
        ASSERT_NE(line.find('='), std::string::npos) << line;
        EXPECT_EQ(name.find_first_not_of("0123456789"), std::string::npos) << line;
        EXPECT_NE(name.front(), '0') << line;
        EXPECT_TRUE(seen.insert(name).second) << "number " << name << " appears twice";
    }
}
