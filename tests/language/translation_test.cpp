// The English language file is a translation of the German one: the same numbers in
// the same order, the same file format, and in every text the pieces the program
// relies on: placeholders, accelerator letters, the blanks and empty lines at which
// the code joins several strings into one message.
#include "harness/source_files.h"
#include "harness/temp_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct LanguageLine {
    std::string number;
    std::string text;
};

// The "number=text" lines of a language file, in file order.
std::vector<LanguageLine> ReadLines(const std::string& content)
{
    std::vector<LanguageLine> lines;
    std::istringstream stream(content);
    std::string line;
    while (std::getline(stream, line, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto equals = line.find('=');
        lines.push_back({line.substr(0, equals), equals == std::string::npos ? std::string() : line.substr(equals + 1)});
    }
    return lines;
}

const std::vector<std::pair<const char*, const char*>> kLanguageFiles{
    {"German", "lang\\velmora.dat"},
    {"English", "lang\\english\\velmora.dat"},
};

// "%s", "%d", "%L", ... in the order they appear ("%%" is a percent sign).
std::vector<std::string> Placeholders(const std::string& text)
{
    std::vector<std::string> found;
    for (std::size_t at = text.find('%'); at != std::string::npos && at + 1 < text.size(); at = text.find('%', at + 2))
        if (text[at + 1] != '%')
            found.push_back(text.substr(at, 2));
    return found;
}

// Accelerator markers: a single "&" before a letter or digit; "&&" shows one "&". A
// single "&" before a blank or at the end is kept as it stands only where Windows shows
// no accelerators (window captions); in a label it underlines the blank and vanishes.
struct Ampersands {
    int mnemonics = 0;
    int literal = 0;
    int lone = 0;
};

Ampersands CountAmpersands(const std::string& text)
{
    Ampersands count;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '&')
            continue;
        if (at + 1 < text.size() && text[at + 1] == '&') {
            ++count.literal;
            ++at;
        } else if (at + 1 < text.size() && text[at + 1] != ' ') {
            ++count.mnemonics;
        } else {
            ++count.lone;
        }
    }
    return count;
}

std::string LeadingBlanks(const std::string& text)
{
    return text.substr(0, text.find_first_not_of(' '));
}

std::string TrailingBlanks(const std::string& text)
{
    const auto last = text.find_last_not_of(' ');
    return last == std::string::npos ? text : text.substr(last + 1);
}

}  // namespace

// Both files as the program reads them: every line a number once, in rising order,
// ended by CR LF, and only characters that Windows-1252 defines (a file saved as
// UTF-8 by mistake shows up as the lead bytes of its umlauts).
TEST(LanguageFiles, AreWindows1252WithOneCrLfLinePerNumberInRisingOrder)
{
    for (const auto& [language, file] : kLanguageFiles) {
        SCOPED_TRACE(language);
        const std::string content = testing_support::ReadBytes(testing_support::SourceFile(file));
        ASSERT_GT(content.size(), 2u);
        EXPECT_EQ(content.substr(content.size() - 2), "\r\n");
        EXPECT_EQ(content.find("\r\r"), std::string::npos);
        for (std::size_t at = 0; at < content.size(); ++at) {
            const auto byte = static_cast<unsigned char>(content[at]);
            if (byte == '\n') {
                EXPECT_TRUE(at > 0 && content[at - 1] == '\r') << "a line ends in LF alone at byte " << at;
            }
            for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
                EXPECT_NE(byte, undefined) << "byte " << at << " is not a Windows-1252 character";
            if (byte == 0xC3 && at + 1 < content.size()) {
                const auto next = static_cast<unsigned char>(content[at + 1]);
                EXPECT_FALSE(next >= 0x80 && next <= 0xBF) << "UTF-8 text at byte " << at;
            }
        }
        long previous = 0;
        for (const LanguageLine& line : ReadLines(content)) {
            ASSERT_FALSE(line.number.empty());
            ASSERT_EQ(line.number.find_first_not_of("0123456789"), std::string::npos) << line.number;
            ASSERT_NE(line.number.front(), '0') << line.number;
            const long number = std::stol(line.number);
            EXPECT_GT(number, previous) << "number " << number << " is out of order or appears twice";
            previous = number;
        }
    }
}

TEST(LanguageFiles, EnglishHasATextForEveryGermanNumberAndNoOther)
{
    const auto german = ReadLines(testing_support::ReadBytes(testing_support::SourceFile(kLanguageFiles[0].second)));
    const auto english = ReadLines(testing_support::ReadBytes(testing_support::SourceFile(kLanguageFiles[1].second)));
    std::vector<std::string> germanNumbers, englishNumbers;
    for (const LanguageLine& line : german)
        germanNumbers.push_back(line.number);
    for (const LanguageLine& line : english)
        englishNumbers.push_back(line.number);
    EXPECT_EQ(englishNumbers, germanNumbers);
}

// Texts the code fills in or joins keep what the code relies on: the same placeholders
// in the same order, an accelerator letter where the German text has one, "&&" where
// it shows an "&", the blank at an end where a number or name is joined on, and an
// empty line where a message has one.
TEST(LanguageFiles, EnglishTextsKeepPlaceholdersAcceleratorsAndJoins)
{
    const auto german = ReadLines(testing_support::ReadBytes(testing_support::SourceFile(kLanguageFiles[0].second)));
    const auto english = ReadLines(testing_support::ReadBytes(testing_support::SourceFile(kLanguageFiles[1].second)));
    ASSERT_EQ(english.size(), german.size());
    for (std::size_t i = 0; i < german.size(); ++i) {
        const std::string& de = german[i].text;
        const std::string& en = english[i].text;
        SCOPED_TRACE(german[i].number + "=" + de + " | " + en);
        EXPECT_EQ(Placeholders(en), Placeholders(de));
        const Ampersands deAmpersands = CountAmpersands(de);
        const Ampersands enAmpersands = CountAmpersands(en);
        EXPECT_EQ(enAmpersands.mnemonics, deAmpersands.mnemonics);
        EXPECT_EQ(enAmpersands.literal, deAmpersands.literal);
        EXPECT_EQ(enAmpersands.lone, deAmpersands.lone);
        EXPECT_EQ(en.empty(), de.empty());
        EXPECT_EQ(LeadingBlanks(en), LeadingBlanks(de));
        EXPECT_EQ(TrailingBlanks(en), TrailingBlanks(de));
    }
}

// The checks above find the faults they are for.
TEST(LanguageFiles, TheTranslationChecksSeeWhatTheyLookFor)
{
    EXPECT_EQ(Placeholders("%s of %d, 100%%"), (std::vector<std::string>{"%s", "%d"}));
    EXPECT_EQ(Placeholders("\"%L\" stands for the drive"), std::vector<std::string>{"%L"});
    const std::pair<const char*, std::tuple<int, int, int>> ampersands[] = {
        {"&Ja", {1, 0, 0}}, {"In&fo...", {1, 0, 0}}, {"Explorer && Desktop", {0, 1, 0}},
        {"Autostart & Autorun", {0, 0, 1}}, {"A&lle Ja", {1, 0, 0}}, {"Ende&", {0, 0, 1}},
    };
    for (const auto& [text, expected] : ampersands) {
        const Ampersands count = CountAmpersands(text);
        EXPECT_EQ(std::make_tuple(count.mnemonics, count.literal, count.lone), expected) << text;
    }
    EXPECT_EQ(TrailingBlanks("Wenn Anwendung mind. "), " ");
    EXPECT_EQ(LeadingBlanks(" 5"), " ");
}
