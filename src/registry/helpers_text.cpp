// Command lines, paths and environment variables.
#include "registry/helpers.h"

#include "ui/convert.h"

#include <algorithm>

namespace helpers {

namespace {

// The size the program's expansions start with: 2047 characters and the zero.
constexpr DWORD kExpandBufferSize = 2048;

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

bool HoldsSwitch(const std::string& text)
{
    return Contains(text, " /") || Contains(text, " -");
}

void CutBefore(std::string& text, char stop)
{
    const auto position = text.find(stop);
    if (position != std::string::npos)
        text.resize(position);
}

// "C:\APP\A.EXE D:\DATA" -> "C:\APP\A.EXE D:": a second drive ends the command line
// just after its colon, so the program file can be told from the argument.
std::string CutAtSecondDrive(const std::string& text)
{
    if (text.size() < 3 || text.compare(1, 2, ":\\") != 0)
        return text;
    const auto colon = text.find(":\\", 3);
    return colon == std::string::npos ? text : text.substr(0, colon + 1);
}

// The program file is the text up to the first blank, "," or "/" that follows a
// three-letter extension (".EXE"); the final character is never a separator.
bool FindProgramFile(const std::string& work, std::string& result)
{
    for (std::size_t separator = 0; separator + 1 < work.size(); ++separator) {
        const char ch = work[separator];
        if (ch != ' ' && ch != ',' && ch != '/')
            continue;
        const std::size_t start = separator >= 4 ? separator - 4 : 0;
        const std::string before = work.substr(start, separator - start);
        if (!before.empty() && before.front() == '.' && before.find('\\') == std::string::npos) {
            result = work.substr(0, separator);
            return true;
        }
    }
    return false;
}

}  // namespace

void CommandLineFile(std::string& text)
{
    if (text.size() < 4)
        return;
    if (text.find('.') == std::string::npos) {
        // Without an extension nothing can be cut; a text that still holds a switch
        // names no file ("C:\TOOLS\SETUP -q"), so the scanner must not look for one.
        if (HoldsSwitch(text))
            text.clear();
        return;
    }
    std::string work = CutAtSecondDrive(ui::UpperCase(text));
    for (char stop : {'\n', '\r', '\0', '\x7f'})
        CutBefore(work, stop);

    std::string result;
    if (!FindProgramFile(work, result))
        result = work;
    text = HoldsSwitch(result) ? std::string() : result;
}

// Texts that expand to more than 2047 characters are expanded completely through a
// larger buffer: a cut expansion could name another, existing path.
std::string ExpandEnvText(const std::string& text)
{
    std::string buffer(kExpandBufferSize, '\0');
    for (;;) {
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0)
            return text;
        if (needed <= buffer.size()) {
            buffer.resize(std::find(buffer.begin(), buffer.end(), '\0') - buffer.begin());
            return buffer;
        }
        buffer.assign(needed, '\0');
    }
}

std::string CleanCommandPath(const std::string& text)
{
    std::string result = ExpandEnvText(ui::UpperCase(text));
    result.erase(std::remove(result.begin(), result.end(), '"'), result.end());
    return result;
}

bool IsInstallerReference(const std::string& text)
{
    return Contains(text, "{") && Contains(text, "INSTALLER");
}

std::string StripTrailingBackslashes(const std::string& text)
{
    const auto last = text.find_last_not_of('\\');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string TextAfterLast(const std::string& text, char ch)
{
    if (text.size() < 2)
        return text;
    const auto position = text.rfind(ch, text.size() - 2);
    return position == std::string::npos ? text : text.substr(position + 1);
}

}  // namespace helpers
