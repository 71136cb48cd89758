// Ini files through the private-profile functions.
#include "registry/helpers.h"

#include <algorithm>
#include "registry/change_journal.h"
#include "ui/handles.h"

namespace helpers {

namespace {

// Values up to 2047 characters fit the first buffer; longer ones get a larger buffer
// instead of being cut.
constexpr DWORD kProfileBufferSize = 2048;

// GetPrivateProfileStringA into a buffer that grows until the answer fits. A cut
// answer fills the buffer up to size - 1 (a value) or size - 2 (a list of names).
std::string ReadProfile(const std::string& file, const std::string& section, const char* name)
{
    std::string buffer(kProfileBufferSize, '\0');
    for (;;) {
        const auto size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            GetPrivateProfileStringA(section.c_str(), name, "", buffer.data(), size, file.c_str());
        if (length + 2 < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

// The entry names of a section, in file order.
std::vector<std::string> IniNames(const std::string& file, const std::string& section)
{
    const std::string list = ReadProfile(file, section, nullptr);
    std::vector<std::string> names;
    for (std::size_t start = 0; start < list.size();) {
        const auto end = list.find('\0', start);
        const auto stop = end == std::string::npos ? list.size() : end;
        if (stop > start)
            names.push_back(list.substr(start, stop - start));
        start = stop + 1;
    }
    return names;
}

// Clears a file's attributes for one scope and puts them back afterwards, also
// when the work in between fails.
class ClearedAttributes {
public:
    ClearedAttributes(const std::string& path, DWORD attributes) : path_(path), attributes_(attributes)
    {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    ClearedAttributes(const ClearedAttributes&) = delete;
    ClearedAttributes& operator=(const ClearedAttributes&) = delete;
    ~ClearedAttributes() { SetFileAttributesA(path_.c_str(), attributes_); }

private:
    std::string path_;
    DWORD attributes_;
};

}  // namespace

std::vector<std::string> ReadIniSection(const std::string& file, const std::string& section)
{
    std::vector<std::string> lines;
    for (const std::string& name : IniNames(file, section))
        lines.push_back(name + "=" + ReadIniText(file, section, name));
    return lines;
}

std::string ReadIniText(const std::string& file, const std::string& section, const std::string& name)
{
    return ReadProfile(file, section, name.c_str());
}

namespace {

// Writes one entry (name with value), deletes one (no value) or a whole section (no
// name), also in a read-only, hidden or system file, whose attributes come back after.
// The file must exist: the profile functions would create a missing one.
bool ChangeProfile(const std::string& file, const std::string& section, const char* name, const char* value)
{
    if (!FileExists(file))
        return false;
    journal::BeforeFileChange(file);
    const ClearedAttributes cleared(file, GetFileAttributesA(file.c_str()));
    return WritePrivateProfileStringA(section.c_str(), name, value, file.c_str()) != FALSE;
}

}  // namespace

bool WriteIniText(const std::string& file, const std::string& section, const std::string& name,
                  const std::string& value)
{
    return ChangeProfile(file, section, name.c_str(), value.c_str()) && ReadIniText(file, section, name) == value;
}

bool DeleteIniEntry(const std::string& file, const std::string& section, const std::string& name)
{
    if (!ChangeProfile(file, section, name.c_str(), nullptr))
        return false;
    const auto names = IniNames(file, section);
    return std::none_of(names.begin(), names.end(),
                        [&](const std::string& present) { return lstrcmpiA(present.c_str(), name.c_str()) == 0; });
}

namespace {

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A line of the file: where it starts, its text without the line end, and its length
// with the line end.
struct FileLine {
    std::size_t start = 0;
    std::string text;
    std::size_t length = 0;
};

std::vector<FileLine> LinesOf(const std::string& bytes)
{
    std::vector<FileLine> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const auto newline = bytes.find('\n', start);
        const std::size_t end = newline == std::string::npos ? bytes.size() : newline + 1;
        std::string text = bytes.substr(start, end - start);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        lines.push_back({start, std::move(text), end - start});
        start = end;
    }
    return lines;
}

// The entry lines of a section with the file line each stands on.
std::vector<std::pair<IniEntryLine, std::size_t>> SectionEntries(const std::vector<FileLine>& lines,
                                                                   const std::string& section)
{
    std::vector<std::pair<IniEntryLine, std::size_t>> entries;
    bool inSection = false;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::string text = Trimmed(lines[index].text);
        if (!text.empty() && text.front() == '[') {
            const auto close = text.find(']');
            const std::string name = Trimmed(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            inSection = lstrcmpiA(name.c_str(), section.c_str()) == 0;
            continue;
        }
        if (!inSection || text.empty() || text.front() == ';')
            continue;
        const auto equals = text.find('=');
        entries.push_back({{Trimmed(text.substr(0, equals)), equals == std::string::npos ? std::string()
                                                                                         : Trimmed(text.substr(equals + 1))},
                           index});
    }
    return entries;
}

// The file's bytes as they are on disk: what the profile functions still hold in
// memory is written out first.
bool ReadIniBytes(const std::string& file, std::string& bytes)
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    const ui::FileHandle handle(
        CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle)
        return false;
    const DWORD size = GetFileSize(handle.get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        return false;
    bytes.assign(size, '\0');
    DWORD read = 0;
    return size == 0 || (ReadFile(handle.get(), bytes.data(), size, &read, nullptr) && read == size);
}

}  // namespace

std::vector<IniEntryLine> ReadIniEntryLines(const std::string& file, const std::string& section)
{
    std::string bytes;
    std::vector<IniEntryLine> entries;
    if (!ReadIniBytes(file, bytes))
        return entries;
    for (auto& [entry, index] : SectionEntries(LinesOf(bytes), section))
        entries.push_back(std::move(entry));
    return entries;
}

bool ChangeIniEntryLine(const std::string& file, const std::string& section, const IniEntryLine& line, int occurrence,
                        const std::optional<IniEntryLine>& replacement)
{
    std::string bytes;
    if (!ReadIniBytes(file, bytes))
        return false;
    const std::vector<FileLine> lines = LinesOf(bytes);
    int seen = 0;
    for (const auto& [entry, index] : SectionEntries(lines, section)) {
        if (lstrcmpiA(entry.name.c_str(), line.name.c_str()) != 0 || seen++ != occurrence)
            continue;
        if (entry.value != line.value)
            return false;
        const FileLine& target = lines[index];
        const std::string ending = bytes.substr(target.start + target.text.size(), target.length - target.text.size());
        const std::string changed = replacement ? replacement->name + "=" + replacement->value + ending : std::string();
        const std::string result = bytes.substr(0, target.start) + changed + bytes.substr(target.start + target.length);
        journal::BeforeFileChange(file);
        const ClearedAttributes cleared(file, GetFileAttributesA(file.c_str()));
        return WriteFileBytes(file, result);
    }
    return false;
}

bool EraseIniSection(const std::string& file, const std::string& section)
{
    return ChangeProfile(file, section, nullptr, nullptr) && IniNames(file, section).empty();
}

}  // namespace helpers
