// The German language file holds every text the Explorer, Start menu and Logon pages
// ask for by number (window titles, list items and columns, questions, warnings).
#include "harness/source_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

std::set<int> NumbersOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::set<int> numbers;
    std::string line;
    while (std::getline(file, line)) {
        const auto equals = line.find('=');
        if (equals != std::string::npos && equals > 0)
            numbers.insert(std::stoi(line.substr(0, equals)));
    }
    return numbers;
}

TEST(PageMessages, TheLanguageFileHoldsEveryNumberThePagesAskFor)
{
    struct Range {
        int first;
        int last;
    };
    const Range asked[] = {
        {2000, 2000}, {2390, 2390}, {2900, 2901}, {2910, 2911}, {2920, 2923},                 // logon
        {7000, 7000}, {7190, 7191}, {7900, 7900}, {7910, 7911}, {7920, 7923}, {7930, 7936},  // Explorer
        {7940, 7940}, {7950, 7952}, {70, 73},                                                 // and its pictures
        {14000, 14000},                                                                       // Start menu
    };
    const std::set<int> lines = NumbersOf(testing_support::SourceFile("lang\\velmora.dat"));
    for (const Range& range : asked)
        for (int number = range.first; number <= range.last; ++number)
            EXPECT_TRUE(lines.count(number)) << "language string " << number << " is missing";
}

}  // namespace
