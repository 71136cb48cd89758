// The language table: the lines of the language data file, searched from the top.
#include "language/language.h"

#include "ui/handles.h"

#include <optional>
#include <string_view>
#include <vector>

#include <windows.h>

namespace language {

namespace {

struct LanguageLine {
    std::string name;  // the part before the first "="
    std::string text;  // everything after it
    bool defines = false;  // lines without "=" never match
};

std::vector<LanguageLine>& Table()
{
    static std::vector<LanguageLine> table;
    return table;
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    ui::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::string content;
    char chunk[8192];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof(chunk), &read, nullptr) && read > 0)
        content.append(chunk, read);
    return content;
}

// Splits at CR LF, a lone CR or a lone LF.
std::vector<std::string_view> SplitLines(std::string_view content)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] != '\r' && content[i] != '\n')
            continue;
        lines.push_back(content.substr(start, i - start));
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < content.size())
        lines.push_back(content.substr(start));
    return lines;
}

LanguageLine ParseLine(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return LanguageLine{std::string(line), {}, false};
    return LanguageLine{std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)), true};
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
           && CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                             static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace

void LoadLanguageFile(const std::string& path)
{
    const auto content = ReadWholeFile(path);
    if (!content)
        return;
    for (std::string_view line : SplitLines(*content))
        Table().push_back(ParseLine(line));
}

std::string LangString(int number)
{
    const std::string name = std::to_string(number);
    for (const LanguageLine& line : Table())
        if (line.defines && SameName(line.name, name))
            return line.text;
    return {};
}

namespace {

// The texts of the numbers joined with CR, one line each, as messages show them.
template <class Numbers>
std::string JoinedLines(const Numbers& numbers)
{
    std::vector<std::string> lines;
    for (const int number : numbers)
        lines.push_back(LangString(number));
    return MessageLines(lines);
}

}  // namespace

std::string MessageLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        if (&line != &lines.front())
            text += '\r';
        text += line;
    }
    return text;
}

std::string LangStrings(std::initializer_list<int> numbers)
{
    return JoinedLines(numbers);
}

std::string LangStringRange(int first, int last)
{
    std::vector<int> numbers;
    for (int number = first; number <= last; ++number)
        numbers.push_back(number);
    return JoinedLines(numbers);
}

void ClearLanguageTable()
{
    Table().clear();
}

}  // namespace language
