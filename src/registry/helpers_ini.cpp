// Ini files through the private-profile functions.
#include "registry/helpers.h"

#include <algorithm>
#include "registry/change_journal.h"

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

bool EraseIniSection(const std::string& file, const std::string& section)
{
    return ChangeProfile(file, section, nullptr, nullptr) && IniNames(file, section).empty();
}

}  // namespace helpers
