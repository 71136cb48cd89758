#include "harness/page_contract.h"

#include "ui/convert.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>

namespace testing_support {

namespace {

struct RootName {
    HKEY root;
    const char* name;
};
const std::array<RootName, 4> kRoots{
    {{HKEY_CLASSES_ROOT, "HKCR"}, {HKEY_CURRENT_USER, "HKCU"}, {HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_USERS, "HKU"}}};

std::string RootNameOf(HKEY root)
{
    for (const RootName& known : kRoots)
        if (known.root == root)
            return known.name;
    return "?";
}

RawRegValue Raw(DWORD type, std::vector<BYTE> data)
{
    return RawRegValue{type, std::move(data)};
}

std::vector<BYTE> Bytes(std::size_t count, BYTE fill)
{
    return std::vector<BYTE>(count, fill);
}

std::vector<BYTE> DwordBytes(DWORD number)
{
    return {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
            static_cast<BYTE>(number >> 24)};
}

void SnapshotKey(HKEY key, const std::string& path, RegistrySnapshot& snapshot)
{
    snapshot[path] = std::nullopt;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(size);
        nameLength = sizeof name;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        data.resize(size);
        snapshot[path + "\\[" + ui::UpperCase(name) + "]"] = RawRegValue{type, data};
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY sub = nullptr;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS)
            continue;
        const ui::RegKey subKey(sub);
        SnapshotKey(subKey.get(), path + "\\" + ui::UpperCase(name), snapshot);
    }
}

std::string KeyPath(const BoundPlace& place)
{
    return ui::UpperCase(RootNameOf(place.root) + "\\" + place.key);
}

std::string ValuePath(const BoundPlace& place)
{
    return KeyPath(place) + "\\[" + ui::UpperCase(place.value) + "]";
}

bool BeginsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Whether a change at entry is one the places allow: the value itself, anything in or
// below a whole key, and the keys on the way to an allowed value (writing creates them).
bool Allowed(const std::string& entry, const std::vector<BoundPlace>& places)
{
    for (const BoundPlace& place : places) {
        const std::string key = KeyPath(place);
        if (place.wholeKey ? (entry == key || BeginsWith(entry, key + "\\")) : entry == ValuePath(place))
            return true;
        if (BeginsWith(key + "\\", entry + "\\"))
            return true;
    }
    return false;
}

std::string Describe(const std::optional<RawRegValue>& value)
{
    if (!value)
        return "(key)";
    std::ostringstream out;
    out << "type " << value->type << ", " << value->data.size() << " bytes";
    return out.str();
}

// One difference between two snapshots: the entry and what happened to it.
struct Change {
    std::string entry;
    std::string what;
};

std::vector<Change> Changes(const RegistrySnapshot& before, const RegistrySnapshot& after)
{
    std::vector<Change> changed;
    for (const auto& [entry, value] : before) {
        const auto now = after.find(entry);
        if (now == after.end())
            changed.push_back({entry, "removed"});
        else if (value.has_value() != now->second.has_value() ||
                 (value && (value->type != now->second->type || value->data != now->second->data)))
            changed.push_back({entry, "changed from " + Describe(value) + " to " + Describe(now->second)});
    }
    for (const auto& [entry, value] : after)
        if (!before.count(entry))
            changed.push_back({entry, "created as " + Describe(value)});
    return changed;
}

bool IsDots(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

std::string ReadBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void SnapshotFolder(const std::string& folder, FileSnapshot& snapshot)
{
    WIN32_FIND_DATAA found;
    const ui::FindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
    if (!search)
        return;
    do {
        if (IsDots(found.cFileName))
            continue;
        const std::string path = folder + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            snapshot[path + "\\"] = FileState{{}, found.dwFileAttributes};
            SnapshotFolder(path + "\\", snapshot);
        } else {
            snapshot[path] = FileState{ReadBytes(path), found.dwFileAttributes};
        }
    } while (FindNextFileA(search.get(), &found));
}

std::string Hex(DWORD number)
{
    char text[16];
    wsprintfA(text, "0x%lX", number);
    return text;
}

void EmptyRoots()
{
    for (const RootName& known : kRoots) {
        for (;;) {
            char name[256];
            DWORD nameLength = sizeof name;
            if (RegEnumKeyExA(known.root, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            if (SHDeleteKeyA(known.root, name) != ERROR_SUCCESS)
                break;
        }
        char name[16384];
        DWORD nameLength = sizeof name;
        while (RegEnumValueA(known.root, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
               RegDeleteValueA(known.root, name) == ERROR_SUCCESS)
            nameLength = sizeof name;
    }
}

void Fill(const BoundPlace& place, const HostileContent& content)
{
    if (content.value) {
        WriteRawValue(place.root, place.key, place.value, content.value->type, content.value->data);
        return;
    }
    if (place.wholeKey)
        SHDeleteKeyA(place.root, place.key.c_str());
    else if (HKEY key = nullptr; RegOpenKeyExA(place.root, place.key.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        const ui::RegKey owned(key);
        RegDeleteValueA(owned.get(), place.value.c_str());
    }
}

}  // namespace

const std::vector<HostileContent>& HostileContents()
{
    // what, value, unreadable as a number, unreadable as a text of digits
    static const std::vector<HostileContent> contents{
        {"missing", std::nullopt},
        {"an empty text", Raw(REG_SZ, TextBytes("")), true, false},
        {"the text 1", Raw(REG_SZ, TextBytes("1"))},
        {"a text that is no number", Raw(REG_SZ, TextBytes("abc")), true, true},
        {"a text of 3000 characters", Raw(REG_SZ, TextBytes(std::string(3000, 'x'))), true, true},
        {"an expandable text", Raw(REG_EXPAND_SZ, TextBytes("%SystemRoot%\\x")), true, true},
        {"a list of texts", Raw(REG_MULTI_SZ, {'a', 0, 'b', 0, 0})},
        {"the number 0", Raw(REG_DWORD, DwordBytes(0))},
        {"the number 1", Raw(REG_DWORD, DwordBytes(1))},
        {"the number 2", Raw(REG_DWORD, DwordBytes(2))},
        {"empty binary", Raw(REG_BINARY, {})},
        {"binary of odd length", Raw(REG_BINARY, {1, 2, 3}), false, true},
        {"binary of 3000 bytes", Raw(REG_BINARY, Bytes(3000, 0x41)), true, false},
        {"a value of no known kind", Raw(REG_NONE, {7})},
    };
    return contents;
}

RegistrySnapshot SnapshotRegistry()
{
    RegistrySnapshot snapshot;
    for (const RootName& known : kRoots)
        SnapshotKey(known.root, known.name, snapshot);
    return snapshot;
}

void EmptyRegistry()
{
    EmptyRoots();
}

FileSnapshot SnapshotFiles(const std::vector<std::string>& places)
{
    FileSnapshot snapshot;
    for (const std::string& place : places) {
        if (!place.empty() && place.back() == '\\') {
            SnapshotFolder(place, snapshot);
            continue;
        }
        const DWORD attributes = GetFileAttributesA(place.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            snapshot[place] = FileState{ReadBytes(place), attributes};
    }
    return snapshot;
}

std::string RegistryDifferences(const RegistrySnapshot& before, const RegistrySnapshot& after)
{
    std::string text;
    for (const Change& change : Changes(before, after))
        text += change.entry + " " + change.what + "\n";
    return text;
}

std::string FileDifferences(const FileSnapshot& before, const FileSnapshot& after)
{
    std::string text;
    for (const auto& [path, state] : before) {
        const auto now = after.find(path);
        if (now == after.end())
            text += "gone: " + path + "\n";
        else if (now->second.bytes != state.bytes)
            text += "other bytes: " + path + "\n";
        else if (now->second.attributes != state.attributes)
            text += "attributes " + Hex(state.attributes) + " became " + Hex(now->second.attributes) + ": " + path + "\n";
    }
    for (const auto& [path, state] : after)
        if (!before.count(path))
            text += "added: " + path + "\n";
    return text;
}

void AddTablePlaces(PageContract& contract, const pages::BindingTable& table)
{
    for (const pages::BindingRow& row : table) {
        const bool wholeKey =
            row.rule == pages::Rule::Presence && row.presence.kind == pages::PresenceDetails::Kind::Key;
        const BoundPlace place{row.root, row.key, row.value, wholeKey};
        contract.places.push_back(place);
        using pages::Rule;
        if (row.rule == Rule::DwordFlag || row.rule == Rule::InvertedDwordFlag || row.rule == Rule::RemovedPolicyFlag ||
            row.rule == Rule::DefaultOrOwnNumber)
            contract.numberPlaces.push_back(place);
        if (row.rule == Rule::NumberAsText)
            contract.numberPlaces.push_back({row.root, row.key, row.value, false, NumberKind::DigitsText});
    }
}

void ExpectPageContract(const PageContract& contract, ScriptedMessageBoxes& boxes)
{
    for (const HostileContent& content : HostileContents()) {
        SCOPED_TRACE("every bound place holds " + content.what);
        EmptyRoots();
        if (contract.prepare)
            contract.prepare(content);
        for (const BoundPlace& place : contract.places)
            Fill(place, content);
        const RegistrySnapshot before = SnapshotRegistry();
        boxes.clear();

        contract.openAndPressOk();

        const RegistrySnapshot after = SnapshotRegistry();
        for (const Change& change : Changes(before, after))
            EXPECT_TRUE(Allowed(change.entry, contract.places))
                << "not bound by the page: " << change.entry << " " << change.what;
        const bool anythingUnreadable = content.unreadableNumber || content.unreadableDigits;
        for (const auto& shown : boxes.shown())
            EXPECT_TRUE(shown.kind != ui::MsgKind::Error || anythingUnreadable)
                << "an error although every value is readable: " << shown.text;
        bool unreadableFound = false;
        for (const BoundPlace& place : contract.numberPlaces) {
            if (!(place.number == NumberKind::Number ? content.unreadableNumber : content.unreadableDigits))
                continue;
            unreadableFound = true;
            const auto entry = after.find(ValuePath(place));
            EXPECT_TRUE(entry != after.end() && entry->second && entry->second->data == content.value->data &&
                        entry->second->type == content.value->type)
                << "a value that could not be read as a number was not left as stored: " << ValuePath(place);
        }
        if (unreadableFound) {
            bool reported = false;
            for (const auto& shown : boxes.shown())
                reported = reported || shown.kind == ui::MsgKind::Error;
            EXPECT_TRUE(reported) << "a value that could not be read as a number was not reported";
        }

        const FileSnapshot filesAfter = SnapshotFiles(contract.files);
        contract.openAndPressOk();
        for (const Change& change : Changes(after, SnapshotRegistry()))
            ADD_FAILURE() << "the second Ok changed " << change.entry << " " << change.what;
        EXPECT_EQ(FileDifferences(filesAfter, SnapshotFiles(contract.files)), "") << "the second Ok changed a file";
    }
}

}  // namespace testing_support
