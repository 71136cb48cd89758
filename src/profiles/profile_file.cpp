#include "profiles/profile_file.h"

#include "language/language.h"
#include "profiles/profile_texts.h"

#include <windows.h>

#include <cctype>
#include <fstream>
#include <map>

namespace profiles {

using language::LangString;

namespace {

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// A line's text for a message: long lines are cut, so a message stays readable.
std::string Excerpt(const std::string& text)
{
    constexpr std::size_t kShown = 60;
    return text.size() <= kShown ? text : text.substr(0, kShown) + "...";
}

std::string Upper(std::string text)
{
    for (char& character : text)
        character = static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
    return text;
}

// Bytes that no text file of the program holds: NUL and the control characters but
// tab, carriage return and line feed.
bool IsBinary(unsigned char byte)
{
    return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F;
}

bool IsHexDigit(char character)
{
    return std::isxdigit(static_cast<unsigned char>(character)) != 0;
}

int HexValue(char character)
{
    return std::isdigit(static_cast<unsigned char>(character)) ? character - '0'
                                                               : std::toupper(static_cast<unsigned char>(character)) - 'A' + 10;
}

std::string Escaped(unsigned char character)
{
    static const char* const kDigits = "0123456789ABCDEF";
    return {'^', kDigits[character >> 4], kDigits[character & 0x0F]};
}

// What a line is, once comments and blank lines are left out.
struct SplitLine {
    int number;
    std::string text;
};

class Reader {
public:
    explicit Reader(ProfileReading& reading) : reading_(reading) {}

    void read(const std::string& bytes)
    {
        const std::vector<SplitLine> lines = splitLines(bytes);
        if (stopped_)
            return;
        if (lines.empty() || lines.front().text != std::string("[") + kHeaderSection + "]") {
            problem(lines.empty() ? 1 : lines.front().number, LangString(kNotAProfile));
            return;
        }
        for (std::size_t index = 1; index < lines.size(); ++index)
            take(lines[index]);
        if (!ended_)
            problem(lastLine_ + 1, LangString(kTruncated));
        checkHeader(lines.front().number);
    }

private:
    void problem(int line, const std::string& text) { reading_.problems.push_back({line, text}); }

    std::vector<SplitLine> splitLines(const std::string& bytes)
    {
        std::vector<SplitLine> lines;
        int number = 0;
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            const bool lastWithoutEnd = end == std::string::npos;
            if (lastWithoutEnd)
                end = bytes.size();
            std::string text = bytes.substr(start, end - start);
            start = end + 1;
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            ++number;
            if (static_cast<std::size_t>(number) > kMaxLines) {
                problem(number, LangString(kTooManyLines) + " " + std::to_string(kMaxLines));
                stopped_ = true;
                return lines;
            }
            for (const char character : text)
                if (IsBinary(static_cast<unsigned char>(character))) {
                    problem(number, LangString(kBinaryData));
                    stopped_ = true;
                    return lines;
                }
            lastLine_ = number;
            if (text.size() > kMaxLineLength) {
                problem(number, LangString(kLineTooLong) + " " + std::to_string(kMaxLineLength));
                continue;
            }
            if (text.empty() || text.front() == ';')
                continue;
            lines.push_back({number, std::move(text)});
        }
        return lines;
    }

    void take(const SplitLine& line)
    {
        if (ended_) {
            problem(line.number, LangString(kAfterEnd) + " " + Quoted(Excerpt(line.text)));
            return;
        }
        if (line.text.size() >= 2 && line.text.front() == '[' && line.text.back() == ']') {
            startSection(line.number, line.text.substr(1, line.text.size() - 2));
            return;
        }
        const std::size_t equals = line.text.find('=');
        if (equals == std::string::npos || equals == 0) {
            problem(line.number, LangString(kNoSettingLine) + " " + Quoted(Excerpt(line.text)));
            return;
        }
        const std::string name = line.text.substr(0, equals);
        const std::optional<std::string> state = UnescapeState(line.text.substr(equals + 1));
        if (!state) {
            problem(line.number, LangString(kBadEscape) + " " + Quoted(Excerpt(line.text)));
            return;
        }
        const auto [first, fresh] = names_.emplace(Upper(name), line.number);
        if (!fresh) {
            problem(line.number, LangString(kControlTwice) + " " + std::to_string(first->second) + ": " + Quoted(name));
            return;
        }
        std::vector<ProfileLine>& settings = inHeader_ ? reading_.profile.header : reading_.profile.pages.back().settings;
        settings.push_back({line.number, name, *state});
    }

    void startSection(int number, const std::string& name)
    {
        names_.clear();
        inHeader_ = false;
        if (name == kEndSection) {
            ended_ = true;
            return;
        }
        const auto [first, fresh] = sections_.emplace(name, number);
        if (!fresh)
            problem(number, LangString(kPageTwice) + " " + std::to_string(first->second) + ": " + Quoted(name));
        // A second section of a page still collects its lines, so they are checked too.
        reading_.profile.pages.push_back({number, name, {}});
    }

    void checkHeader(int headerLine)
    {
        for (const ProfileLine& line : reading_.profile.header)
            if (line.name == "Format") {
                if (line.state != kFormatVersion)
                    problem(line.line, LangString(kUnknownFormat) + " " + Quoted(Excerpt(line.state)));
                return;
            }
        problem(headerLine, LangString(kNoFormat));
    }

    ProfileReading& reading_;
    std::map<std::string, int> sections_;
    std::map<std::string, int> names_;  // of the current section, in capitals
    bool inHeader_ = true;
    bool ended_ = false;
    bool stopped_ = false;
    int lastLine_ = 0;
};

}  // namespace

std::string Profile::headerValue(const std::string& name) const
{
    for (const ProfileLine& line : header)
        if (line.name == name)
            return line.state;
    return {};
}

ProfileReading ParseProfile(const std::string& bytes)
{
    ProfileReading reading;
    Reader(reading).read(bytes);
    return reading;
}

ProfileReading ReadProfileFile(const std::string& path)
{
    ProfileReading reading;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reading.problems.push_back({0, LangString(kCannotRead) + " " + path});
        return reading;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<unsigned long long>(size) > kMaxFileSize) {
        reading.problems.push_back({0, LangString(kFileTooLarge) + " " + path});
        return reading;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.seekg(0, std::ios::beg);
    if (!in.read(bytes.data(), size)) {
        reading.problems.push_back({0, LangString(kCannotRead) + " " + path});
        return reading;
    }
    return ParseProfile(bytes);
}

std::vector<std::string> ProfileLines(const Profile& profile)
{
    std::vector<std::string> lines{std::string("[") + kHeaderSection + "]"};
    for (const ProfileLine& line : profile.header)
        lines.push_back(line.name + "=" + EscapeState(line.state));
    for (const ProfileSection& section : profile.pages) {
        lines.push_back("[" + section.name + "]");
        for (const ProfileLine& line : section.settings)
            lines.push_back(line.name + "=" + EscapeState(line.state));
    }
    lines.push_back(std::string("[") + kEndSection + "]");
    return lines;
}

std::string EscapeState(const std::string& state)
{
    std::string written;
    for (std::size_t index = 0; index < state.size(); ++index) {
        const auto character = static_cast<unsigned char>(state[index]);
        const bool blankAtEnd = character == ' ' && (index == 0 || index + 1 == state.size());
        if (character < 0x20 || character == 0x7F || character == '^' || blankAtEnd)
            written += Escaped(character);
        else
            written += static_cast<char>(character);
    }
    return written;
}

std::optional<std::string> UnescapeState(const std::string& written)
{
    std::string state;
    for (std::size_t index = 0; index < written.size(); ++index) {
        if (written[index] != '^') {
            state += written[index];
            continue;
        }
        if (index + 2 >= written.size() || !IsHexDigit(written[index + 1]) || !IsHexDigit(written[index + 2]))
            return std::nullopt;
        state += static_cast<char>(HexValue(written[index + 1]) * 16 + HexValue(written[index + 2]));
        index += 2;
    }
    return state;
}

std::string ProblemText(const ProfileProblem& problem)
{
    if (problem.line <= 0)
        return problem.text;
    return LangString(kLine) + " " + std::to_string(problem.line) + ": " + problem.text;
}

std::vector<std::string> ProblemLines(const std::vector<ProfileProblem>& problems, std::size_t shown)
{
    std::vector<std::string> lines;
    for (std::size_t index = 0; index < problems.size() && index < shown; ++index)
        lines.push_back(ProblemText(problems[index]));
    if (problems.size() > shown)
        lines.push_back(LangString(kMoreProblems) + " " + std::to_string(problems.size() - shown));
    return lines;
}

}  // namespace profiles
