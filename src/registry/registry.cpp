#include "registry/registry.h"

#include "registry/change_journal.h"
#include "ui/convert.h"
#include "ui/errors.h"
#include "ui/handles.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace registry {

std::array<std::uint8_t, kBinaryScratchSize> BinaryScratch{};

namespace {

// Existence tests ask for read access only, so a key the user may not change still exists.
constexpr REGSAM kExistenceAccess = STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;

// Binary values shorter than BinaryScratch are copied into it and read as text.
constexpr std::size_t kLargestCopiedBinary = kBinaryScratchSize - 1;

// A name buffer never grows beyond this while enumerating (value names have at most 16383 chars).
constexpr std::size_t kLargestNameBuffer = 65536;

// An open key. Opening the empty path may hand back the predefined root itself,
// which must not be closed (that would drop a redirection of the root); every other
// handle is owned and closed with this object.
class OpenKey {
public:
    OpenKey() = default;
    OpenKey(HKEY handle, RootKey root) : handle_(handle)
    {
        if (handle != root)
            owned_.reset(handle);
    }
    HKEY get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    ui::RegKey owned_;
    HKEY handle_ = nullptr;
};

// A value as the registry stores it.
struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::string KeyPath(const std::string& key)
{
    return !key.empty() && key.front() == '\\' ? key.substr(1) : key;
}

OpenKey OpenWithAccess(RootKey root, const std::string& path, REGSAM access)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, access, &handle) != ERROR_SUCCESS)
        return {};
    return OpenKey(handle, root);
}

bool KeyExists(RootKey root, const std::string& path)
{
    return static_cast<bool>(OpenWithAccess(root, path, kExistenceAccess));
}

// Opens an existing key with full access. Empty when the key is missing, and also when
// it exists but full access is refused: such a key shows no values and no subkeys.
// (One open tells both apart from success; searches read many thousands of keys.)
OpenKey OpenBelow(RootKey root, const std::string& path)
{
    return OpenWithAccess(root, path, KEY_ALL_ACCESS);
}

// Opens or creates the key (and every missing key above it) with full access for
// writing the value `name`; a refusal raises the write error for that value.
OpenKey CreateForWriting(RootKey root, const std::string& path, const std::string& name)
{
    journal::BeforeKeyCreation(root, path);
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        throw ui::ERegistryError::writeFailed(name);
    return OpenKey(handle, root);
}

std::optional<DWORD> ValueType(HKEY key, const std::string& name)
{
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return type;
}

// Reads a value of any size: into a buffer that fits most values at once, and when the
// value is larger, again into a buffer of the size it reported (again if it grew in between).
std::optional<StoredValue> QueryValue(HKEY key, const std::string& name)
{
    constexpr DWORD kFirstBuffer = 256;
    StoredValue value;
    DWORD size = kFirstBuffer;
    for (int attempt = 0; attempt < 4; ++attempt) {
        value.data.resize(size);
        const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                                             size ? value.data.data() : nullptr, &size);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        value.data.resize(std::min<std::size_t>(size, value.data.size()));
        return value;
    }
    return std::nullopt;
}

std::optional<StoredValue> ReadValue(RootKey root, const std::string& path, const std::string& name)
{
    const OpenKey key = OpenBelow(root, path);
    if (!key)
        return std::nullopt;
    return QueryValue(key.get(), name);
}

// Enumerates names with RegEnumKeyExA or RegEnumValueA (passed as `enumerate`),
// growing the name buffer when a name does not fit; `progress` runs after each name.
template <class Enumerate>
std::vector<std::string> EnumerateNames(DWORD longestName, Enumerate enumerate, const std::function<void()>& progress = {})
{
    std::vector<std::string> names;
    std::vector<char> buffer(std::max<std::size_t>(longestName + 1, 256));
    DWORD index = 0;
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LONG result = enumerate(index, buffer.data(), &length);
        if (result == ERROR_MORE_DATA && buffer.size() < kLargestNameBuffer) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (result != ERROR_SUCCESS)
            break;
        names.emplace_back(buffer.data(), length);
        ++index;
        if (progress)
            progress();
    }
    return names;
}

std::vector<std::string> SubkeyNamesOf(HKEY key, const std::function<void()>& progress = {})
{
    DWORD longest = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    return EnumerateNames(longest, [key](DWORD index, char* name, DWORD* length) {
        return RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    }, progress);
}

std::vector<std::string> ValueNamesOf(HKEY key, const std::function<void()>& progress = {})
{
    DWORD longest = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                     nullptr, nullptr);
    return EnumerateNames(longest, [key](DWORD index, char* name, DWORD* length) {
        return RegEnumValueA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    }, progress);
}

// Value names compare like this in the existence test: letter case of A to Z ignored.
bool BeginsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size())
        return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [&](char a, char b) { return lower(a) == lower(b); });
}

// Up to four bytes, least significant first; missing high bytes are 0.
int LittleEndianInt(const std::vector<BYTE>& bytes)
{
    std::uint32_t number = 0;
    const std::size_t count = std::min<std::size_t>(bytes.size(), 4);
    for (std::size_t i = count; i-- > 0;)
        number = (number << 8) | bytes[i];
    return static_cast<int>(number);
}

std::array<BYTE, 4> LittleEndianBytes(int number)
{
    const auto bits = static_cast<std::uint32_t>(number);
    return {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8), static_cast<BYTE>(bits >> 16),
            static_cast<BYTE>(bits >> 24)};
}

std::string TextOf(const StoredValue& value)
{
    const auto& data = value.data;
    switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return std::string(data.begin(), std::find(data.begin(), data.end(), BYTE{0}));
    case REG_DWORD:
        return std::to_string(LittleEndianInt(data));
    case REG_BINARY:
        if (data.empty() || data.size() > kLargestCopiedBinary)
            return {};
        return std::string(data.begin(), data.end());
    default:
        return {};
    }
}

int IntOf(const StoredValue& value, const std::string& name)
{
    switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return ui::StrToInt(TextOf(value));
    case REG_DWORD:
        return LittleEndianInt(value.data);
    case REG_BINARY:
        if (value.data.size() > 4)
            throw ui::ERegistryError::invalidDataType(name);
        return LittleEndianInt(value.data);
    default:
        return 0;
    }
}

RegDataKind KindOf(DWORD type)
{
    switch (type) {
    case REG_SZ: return RegDataKind::String;
    case REG_EXPAND_SZ: return RegDataKind::ExpandString;
    case REG_DWORD: return RegDataKind::Integer;
    case REG_BINARY: return RegDataKind::Binary;
    default: return RegDataKind::None;
    }
}

// A value about to be written: its open key, and where it lies, for the change journal.
struct ValueTarget {
    HKEY key;
    RootKey root;
    std::string path;
    const std::string& name;
};

void SetValue(const ValueTarget& target, DWORD type, const BYTE* data, std::size_t size)
{
    if (RegSetValueExA(target.key, target.name.c_str(), 0, type, data, static_cast<DWORD>(size)) != ERROR_SUCCESS)
        throw ui::ERegistryError::writeFailed(target.name);
    journal::ValueWritten(target.root, target.path, target.name, type, data, size);
}

// Strings are stored with their terminating zero.
void SetText(const ValueTarget& target, DWORD type, const std::string& text)
{
    SetValue(target, type, reinterpret_cast<const BYTE*>(text.c_str()), text.size() + 1);
}

void SetDword(const ValueTarget& target, int number)
{
    const auto bytes = LittleEndianBytes(number);
    SetValue(target, REG_DWORD, bytes.data(), bytes.size());
}

void SetBinaryInt(const ValueTarget& target, int number)
{
    const auto bytes = LittleEndianBytes(number);
    SetValue(target, REG_BINARY, bytes.data(), bytes.size());
}

// A size callers may pass for writing from BinaryScratch.
bool IsScratchSize(int size)
{
    return size >= 0 && static_cast<std::size_t>(size) <= kBinaryScratchSize;
}

// The start of every replacing write: an existing value of that name goes first, so
// the new value gets the writer's kind. The test matches by prefix, the removal by
// exact name, so a different value that merely begins with `name` stays.
OpenKey PrepareReplacingWrite(RootKey root, const std::string& key, const std::string& name)
{
    journal::BeforeValueChange(root, KeyPath(key), name);
    if (RegValueExists(root, key, name))
        RegValueRemove(root, key, name);
    return CreateForWriting(root, KeyPath(key), name);
}

bool ReplaceWithText(RootKey root, const std::string& key, const std::string& name, const std::string& text,
                     DWORD type)
{
    {
        const OpenKey opened = PrepareReplacingWrite(root, key, name);
        SetText({opened.get(), root, KeyPath(key), name}, type, text);
    }
    return RegReadText(root, key, name) == text;
}

// Writes `text` into an existing value by its kind; other kinds are left alone.
void UpdateStoredValue(const ValueTarget& target, DWORD type, const std::string& text)
{
    switch (type) {
    case REG_DWORD:
        SetDword(target, ui::StrToInt(text));
        break;
    case REG_SZ:
    case REG_EXPAND_SZ:
        SetText(target, REG_SZ, text);
        break;
    case REG_BINARY:
        SetBinaryInt(target, ui::StrToInt(text));
        break;
    default:
        break;
    }
}

// Writes `number` into the value by the kind it has, creating a 4-byte binary
// value when there is none.
void StoreIntByKind(const ValueTarget& target, std::optional<DWORD> type, int number)
{
    if (!type) {
        SetBinaryInt(target, number);
        return;
    }
    switch (*type) {
    case REG_DWORD:
        SetDword(target, number);
        break;
    case REG_SZ:
    case REG_EXPAND_SZ:
        SetText(target, REG_SZ, std::to_string(number));
        break;
    case REG_BINARY:
        SetBinaryInt(target, number);
        break;
    default:
        break;
    }
}

// Depth-first: the subkeys from the last to the first, each before its parent. A key
// that exists but cannot be opened with full access is left alone.
void RemoveTree(RootKey root, const std::string& path)
{
    std::vector<std::string> subkeys;
    {
        const OpenKey key = OpenBelow(root, path);
        if (!key)
            return;
        subkeys = SubkeyNamesOf(key.get());
    }
    for (auto subkey = subkeys.rbegin(); subkey != subkeys.rend(); ++subkey)
        RemoveTree(root, path + "\\" + *subkey);
    RegDeleteKeyA(root, path.c_str());
}

}  // namespace

// ---- Keys ----

bool RegKeyExists(RootKey root, const std::string& key)
{
    return KeyExists(root, KeyPath(key));
}

bool RegKeyEnsure(RootKey root, const std::string& key)
{
    const std::string path = KeyPath(key);
    if (KeyExists(root, path))
        return true;
    journal::BeforeKeyCreation(root, path);
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        throw ui::ERegistryError::keyCreateFailed(key);
    { const OpenKey created(handle, root); }  // closed at once
    return KeyExists(root, path);
}

bool RegKeyRemove(RootKey root, const std::string& key)
{
    const std::string path = KeyPath(key);
    // The empty path names the root itself: emptying a whole root is never wanted.
    if (path.empty())
        return false;
    journal::BeforeKeyRemoval(root, path);
    RemoveTree(root, path);
    return !KeyExists(root, path);
}

std::vector<std::string> RegSubkeyNames(RootKey root, const std::string& key, const std::function<void()>& progress)
{
    const OpenKey opened = OpenBelow(root, KeyPath(key));
    return opened ? SubkeyNamesOf(opened.get(), progress) : std::vector<std::string>{};
}

std::vector<std::string> RegValueNames(RootKey root, const std::string& key, const std::function<void()>& progress)
{
    const OpenKey opened = OpenBelow(root, KeyPath(key));
    return opened ? ValueNamesOf(opened.get(), progress) : std::vector<std::string>{};
}

// ---- Values, general ----

bool RegValueExists(RootKey root, const std::string& key, const std::string& name)
{
    const OpenKey opened = OpenBelow(root, KeyPath(key));
    if (!opened)
        return false;
    const auto names = ValueNamesOf(opened.get());
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& valueName) { return BeginsWithIgnoringCase(valueName, name); });
}

RegDataKind RegValueKind(RootKey root, const std::string& key, const std::string& name)
{
    const OpenKey opened = OpenBelow(root, KeyPath(key));
    if (!opened)
        return RegDataKind::None;
    const auto type = ValueType(opened.get(), name);
    return type ? KindOf(*type) : RegDataKind::None;
}

bool RegValueRemove(RootKey root, const std::string& key, const std::string& name)
{
    const OpenKey opened = OpenBelow(root, KeyPath(key));
    if (!opened)
        return true;
    journal::BeforeValueChange(root, KeyPath(key), name);
    RegDeleteValueA(opened.get(), name.c_str());
    const bool removed = !ValueType(opened.get(), name);
    if (removed)
        journal::ValueRemoved(root, KeyPath(key), name);
    return removed;
}

bool RegValueDelete(RootKey root, const std::string& key, const std::string& name)
{
    RegValueRemove(root, key, name);
    const OpenKey opened = OpenWithAccess(root, KeyPath(key), KEY_QUERY_VALUE);
    return !opened || !ValueType(opened.get(), name);
}

// ---- Text ----

std::string RegReadText(RootKey root, const std::string& key, const std::string& name)
{
    const auto value = ReadValue(root, KeyPath(key), name);
    return value ? TextOf(*value) : std::string{};
}

// A binary value compares by the same text RegReadText gives it (each byte one
// character), so a match agrees with what a read shows.
bool RegValueMatchesText(RootKey root, const std::string& key, const std::string& name, const std::string& text)
{
    const auto value = ReadValue(root, KeyPath(key), name);
    return value && ui::UpperCase(TextOf(*value)) == ui::UpperCase(text);
}

bool RegUpdateText(RootKey root, const std::string& key, const std::string& name, const std::string& text)
{
    const std::string path = KeyPath(key);
    if (KeyExists(root, path)) {
        // An existing key that refuses full access cannot be updated: that is a write failure.
        const OpenKey opened = OpenWithAccess(root, path, KEY_ALL_ACCESS);
        if (!opened)
            throw ui::ERegistryError::writeFailed(name);
        if (const auto type = ValueType(opened.get(), name)) {
            journal::BeforeValueChange(root, path, name);
            UpdateStoredValue({opened.get(), root, path, name}, *type, text);
        }
    }
    return RegReadText(root, key, name) == text;
}

bool RegWriteText(RootKey root, const std::string& key, const std::string& name, const std::string& text)
{
    return ReplaceWithText(root, key, name, text, REG_SZ);
}

bool RegWriteExpandText(RootKey root, const std::string& key, const std::string& name, const std::string& text)
{
    return ReplaceWithText(root, key, name, text, REG_EXPAND_SZ);
}

// ---- Integers ----

int RegReadInt(RootKey root, const std::string& key, const std::string& name)
{
    const auto value = ReadValue(root, KeyPath(key), name);
    return value ? IntOf(*value, name) : 0;
}

bool RegValueMatchesInt(RootKey root, const std::string& key, const std::string& name, int number)
{
    const auto value = ReadValue(root, KeyPath(key), name);
    return value && IntOf(*value, name) == number;
}

bool RegWriteInt(RootKey root, const std::string& key, const std::string& name, int number)
{
    {
        const OpenKey opened = PrepareReplacingWrite(root, key, name);
        SetDword({opened.get(), root, KeyPath(key), name}, number);
    }
    return RegValueMatchesInt(root, key, name, number);
}

bool RegStoreInt(RootKey root, const std::string& key, const std::string& name, int number)
{
    {
        const OpenKey opened = CreateForWriting(root, KeyPath(key), name);
        journal::BeforeValueChange(root, KeyPath(key), name);
        StoreIntByKind({opened.get(), root, KeyPath(key), name}, ValueType(opened.get(), name), number);
    }
    return RegValueMatchesInt(root, key, name, number);
}

// ---- Binary ----

int RegReadBinary(RootKey root, const std::string& key, const std::string& name)
{
    const auto value = ReadValue(root, KeyPath(key), name);
    if (!value || value->type != REG_BINARY)
        return 0;
    const auto& data = value->data;
    if (!data.empty() && data.size() <= kLargestCopiedBinary)
        std::copy(data.begin(), data.end(), BinaryScratch.begin());
    return static_cast<int>(data.size());
}

// A size outside 0..2048 would read beyond BinaryScratch: such a call writes nothing.
bool RegUpdateBinary(RootKey root, const std::string& key, const std::string& name, int size)
{
    if (!IsScratchSize(size))
        return false;
    const OpenKey opened = CreateForWriting(root, KeyPath(key), name);
    if (ValueType(opened.get(), name) != DWORD{REG_BINARY})
        return false;
    journal::BeforeValueChange(root, KeyPath(key), name);
    SetValue({opened.get(), root, KeyPath(key), name}, REG_BINARY, BinaryScratch.data(), static_cast<std::size_t>(size));
    return true;
}

// A size outside 0..2048 would read beyond BinaryScratch: such a call changes nothing
// and raises the write error, since the caller gets no result to check.
void RegWriteBinary(RootKey root, const std::string& key, const std::string& name, int size)
{
    if (!IsScratchSize(size))
        throw ui::ERegistryError::writeFailed(name);
    const OpenKey opened = PrepareReplacingWrite(root, key, name);
    const auto type = ValueType(opened.get(), name);
    if (type && *type != REG_BINARY)
        return;
    SetValue({opened.get(), root, KeyPath(key), name}, REG_BINARY, BinaryScratch.data(), static_cast<std::size_t>(size));
}

}  // namespace registry
