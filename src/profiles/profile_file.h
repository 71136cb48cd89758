// The profile file: text in the program's code page (Windows-1252) with CR LF, like the
// language files. The header section names the program version, the language, the
// Windows version and the date of saving; then one section per settings page, named
// after its form class, with one "ControlName=state" line per bound control; the
// closing line "[End]" shows that the file is whole. Empty lines and lines starting
// with ";" are ignored. In a state, "^" followed by two hexadecimal digits stands for
// one character: line breaks, other control characters, "^" itself, and a blank at
// either end of the state are written that way.
//
// Reading checks the form of the file only (sections, lines, duplicates, size); what a
// page makes of its lines is checked against the page (profile_check.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace profiles {

inline constexpr const char* kHeaderSection = "Velmora Profile";
inline constexpr const char* kEndSection = "End";
inline constexpr const char* kFormatVersion = "1";
// A profile of every page has some hundred lines; anything far beyond is no profile.
inline constexpr std::size_t kMaxLines = 10000;
inline constexpr std::size_t kMaxLineLength = 65536;
inline constexpr std::size_t kMaxFileSize = 4 * 1024 * 1024;

struct ProfileLine {
    int line = 0;  // 1-based, as an editor counts
    std::string name;
    std::string state;  // unescaped
};

struct ProfileSection {
    int line = 0;
    std::string name;
    std::vector<ProfileLine> settings;
};

struct Profile {
    std::vector<ProfileLine> header;  // Format, Version, Language, Windows, Saved
    std::vector<ProfileSection> pages;

    // The header line of that name, or empty.
    std::string headerValue(const std::string& name) const;
};

// A problem with its line (0: the whole file).
struct ProfileProblem {
    int line = 0;
    std::string text;
};

struct ProfileReading {
    Profile profile;
    std::vector<ProfileProblem> problems;
    bool sound() const { return problems.empty(); }
};

// Reads the bytes of a profile. Reading goes on after most problems, so that one pass
// reports them all; it stops at a file that is no profile (binary data, a wrong first
// line) and at the line limit.
ProfileReading ParseProfile(const std::string& bytes);
// The file at path; a file that cannot be read or is too large is a problem of line 0.
ProfileReading ReadProfileFile(const std::string& path);

// The lines of the file, without line ends, header and [End] included.
std::vector<std::string> ProfileLines(const Profile& profile);

// A state as a line holds it, and back; nothing for a "^" not followed by two
// hexadecimal digits.
std::string EscapeState(const std::string& state);
std::optional<std::string> UnescapeState(const std::string& written);

// "Zeile 12: text" (the language's word for line), or the text alone for line 0.
std::string ProblemText(const ProfileProblem& problem);
// Every problem on a line of its own, at most `shown` of them and then how many more.
std::vector<std::string> ProblemLines(const std::vector<ProfileProblem>& problems, std::size_t shown = 30);

}  // namespace profiles
