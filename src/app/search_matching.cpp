#include "app/search_matching.h"

#include <algorithm>
#include <sstream>

namespace app {

namespace {

// What one Windows-1252 character becomes: its folded letters, or "" for a separator.
const char* FoldedCharacter(unsigned char character)
{
    static const struct {
        unsigned char from;
        const char* to;
    } kSpelledOut[] = {
        {0xC4, "ae"}, {0xE4, "ae"}, {0xD6, "oe"}, {0xF6, "oe"}, {0xDC, "ue"}, {0xFC, "ue"}, {0xDF, "ss"},
        {0xC6, "ae"}, {0xE6, "ae"}, {0x8C, "oe"}, {0x9C, "oe"}, {0xDE, "th"}, {0xFE, "th"},
        {0x8A, "s"},  {0x9A, "s"},  {0x8E, "z"},  {0x9E, "z"},  {0x9F, "y"},  {0xFF, "y"},
        {0xC7, "c"},  {0xE7, "c"},  {0xD0, "d"},  {0xF0, "d"},  {0xD1, "n"},  {0xF1, "n"},
        {0xD8, "o"},  {0xF8, "o"},  {0xDD, "y"},  {0xFD, "y"},
    };
    for (const auto& entry : kSpelledOut)
        if (entry.from == character)
            return entry.to;
    // The accented vowels, upper and lower case, by their ranges.
    static const struct {
        unsigned char first;
        unsigned char last;
        const char* to;
    } kAccented[] = {
        {0xC0, 0xC5, "a"}, {0xE0, 0xE5, "a"}, {0xC8, 0xCB, "e"}, {0xE8, 0xEB, "e"}, {0xCC, 0xCF, "i"},
        {0xEC, 0xEF, "i"}, {0xD2, 0xD5, "o"}, {0xF2, 0xF5, "o"}, {0xD9, 0xDB, "u"}, {0xF9, 0xFB, "u"},
    };
    for (const auto& range : kAccented)
        if (character >= range.first && character <= range.last)
            return range.to;
    return "";
}

std::vector<std::string> WordsOf(const std::string& folded)
{
    std::vector<std::string> words;
    std::istringstream stream(folded);
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

bool Contains(const std::string& text, const std::string& word)
{
    return text.find(word) != std::string::npos;
}

// Whether the word begins one of the text's words.
bool BeginsAWord(const std::string& text, const std::string& word)
{
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        if (at == 0 || text[at - 1] == ' ')
            return true;
    return false;
}

bool AllWords(const std::vector<std::string>& words, const std::string& text,
              bool (*found)(const std::string&, const std::string&))
{
    return std::all_of(words.begin(), words.end(), [&](const std::string& word) { return found(text, word); });
}

// Everything around an entry that a word may be found in, folded.
std::string Surroundings(const SearchEntry& entry)
{
    std::string text = entry.caption;
    for (const std::string& name : entry.valueNames)
        text += ' ' + name;
    text += ' ' + entry.group + ' ' + entry.sheet + ' ' + entry.pageName;
    for (const std::string& note : entry.notes)
        text += ' ' + note;
    return FoldForSearch(text);
}

bool IsValueName(const SearchEntry& entry, const std::string& foldedQuery)
{
    return std::any_of(entry.valueNames.begin(), entry.valueNames.end(),
                       [&](const std::string& name) { return FoldForSearch(name) == foldedQuery; });
}

// The entry's rank for the query, or nothing when a word is missing.
bool RankOf(const SearchEntry& entry, const std::string& foldedQuery, const std::vector<std::string>& words,
            MatchRank& rank)
{
    const std::string caption = FoldForSearch(entry.caption);
    if (caption == foldedQuery)
        rank = MatchRank::Exact;
    else if (caption.compare(0, foldedQuery.size(), foldedQuery) == 0)
        rank = MatchRank::CaptionStart;
    else if (IsValueName(entry, foldedQuery))
        rank = MatchRank::ValueName;
    else if (AllWords(words, caption, BeginsAWord))
        rank = MatchRank::CaptionWords;
    else if (AllWords(words, caption, Contains))
        rank = MatchRank::CaptionContains;
    else if (AllWords(words, Surroundings(entry), Contains))
        rank = MatchRank::Context;
    else
        return false;
    return true;
}

}  // namespace

std::string FoldForSearch(const std::string& text)
{
    std::string folded;
    bool separated = false;
    for (const char raw : text) {
        const auto character = static_cast<unsigned char>(raw);
        std::string letters;
        if (character >= 'A' && character <= 'Z')
            letters = static_cast<char>(character - 'A' + 'a');
        else if ((character >= 'a' && character <= 'z') || (character >= '0' && character <= '9'))
            letters = raw;
        else
            letters = FoldedCharacter(character);
        if (letters.empty()) {
            separated = true;
            continue;
        }
        if (separated && !folded.empty())
            folded += ' ';
        separated = false;
        folded += letters;
    }
    return folded;
}

std::string WithoutAccelerators(const std::string& caption)
{
    std::string shown;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if (caption[at] != '&') {
            shown += caption[at];
        } else if (at + 1 < caption.size() && caption[at + 1] == '&') {
            shown += '&';
            ++at;
        }
        // a single "&" marks the next letter and is not shown
    }
    return shown;
}

std::vector<SearchMatch> FindMatches(const std::vector<SearchEntry>& entries, const std::string& query)
{
    const std::string foldedQuery = FoldForSearch(query);
    const std::vector<std::string> words = WordsOf(foldedQuery);
    std::vector<SearchMatch> matches;
    if (words.empty())
        return matches;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        MatchRank rank{};
        if (RankOf(entries[index], foldedQuery, words, rank))
            matches.push_back({index, rank});
    }
    std::stable_sort(matches.begin(), matches.end(),
                     [](const SearchMatch& a, const SearchMatch& b) { return a.rank < b.rank; });
    return matches;
}

}  // namespace app
