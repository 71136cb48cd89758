// The stored sets: the format of a set's file and of the index, reading them back,
// putting changes back, undoing, the journal's size, removing old sets, and importing
// the clean-up's backups as sets of their own.
#include "registry/change_journal_sets.h"

#include "registry/change_journal.h"
#include "registry/change_journal_internal.h"
#include "registry/helpers.h"
#include "registry/reg_file.h"
#include "ui/convert.h"
#include "ui/errors.h"
#include "ui/handles.h"
#include "ui/programs.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace journal {

namespace {

using registry::FoldCase;
using registry::regfile::Line;

const wchar_t* const kValueMarker = L"value";
const wchar_t* const kKeyMarker = L"key";
const wchar_t* const kFileMarker = L"file";
const char* const kIndexName = "index.txt";

std::wstring Hex(std::uint64_t number, int digits)
{
    wchar_t text[24];
    swprintf(text, 24, L"%0*llx", digits, static_cast<unsigned long long>(number));
    return text;
}

std::vector<std::wstring> SplitFields(const std::wstring& text, std::size_t count)
{
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    while (fields.size() + 1 < count) {
        const auto bar = text.find(L'|', start);
        if (bar == std::wstring::npos)
            break;
        fields.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

std::uint64_t HexNumber(const std::wstring& text)
{
    return std::wcstoull(text.c_str(), nullptr, 16);
}

std::wstring Relative(const std::wstring& path, const std::wstring& key)
{
    return path.size() > key.size() ? path.substr(key.size() + 1) : std::wstring();
}

// The place a change concerns, in capitals, so places compare without folding again.
struct Place {
    Change::Kind kind;
    HKEY root;
    std::wstring key;
    std::wstring name;
    std::string file;
};

Place PlaceOf(const Change& change)
{
    return {change.kind, change.root, FoldCase(change.key), FoldCase(change.name), ui::UpperCase(change.file)};
}

bool Within(const std::wstring& path, const std::wstring& key)
{
    return path.size() >= key.size() && path.compare(0, key.size(), key) == 0 &&
           (path.size() == key.size() || path[key.size()] == L'\\');
}

// Whether two changes concern the same place, or one place lies inside the other.
bool Overlap(const Place& a, const Place& b)
{
    using Kind = Change::Kind;
    if ((a.kind == Kind::File) != (b.kind == Kind::File))
        return false;
    if (a.kind == Kind::File)
        return a.file == b.file;
    if (a.root != b.root)
        return false;
    if (a.kind == Kind::Value && b.kind == Kind::Value)
        return a.key == b.key && a.name == b.name;
    if (a.kind == Kind::Value)
        return Within(a.key, b.key);
    if (b.kind == Kind::Value)
        return Within(b.key, a.key);
    return Within(a.key, b.key) || Within(b.key, a.key);
}

std::vector<std::vector<Place>> PlacesOf(const std::vector<ChangeSet>& sets)
{
    std::vector<std::vector<Place>> places;
    for (const ChangeSet& set : sets) {
        places.emplace_back();
        for (const Change& change : set.changes)
            places.back().push_back(PlaceOf(change));
    }
    return places;
}

std::string DayText(const SYSTEMTIME& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.wYear, date.wMonth, date.wDay);
    return text;
}

std::vector<std::string> IndexLines()
{
    std::vector<BYTE> bytes;
    std::vector<std::string> lines;
    if (!detail::ReadWholeFile(detail::IndexFile(), bytes))
        return lines;
    std::string line;
    for (BYTE b : bytes) {
        if (b == '\r' || b == '\n') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(b);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

void AddFolderSize(const std::string& folder, std::uint64_t& size)
{
    WIN32_FIND_DATAA found;
    const ui::FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            AddFolderSize(folder + "\\" + name, size);
        else
            size += (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    } while (FindNextFileA(search.get(), &found));
}

void PutFileBack(const Change& change, const std::string& copyFolder)
{
    if (!change.fileExisted) {
        if (detail::IsFile(change.file))
            helpers::RecycleFile(change.file);
        return;
    }
    const std::string copy = copyFolder + "\\" + change.copy;
    SetFileAttributesA(change.file.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileA(copy.c_str(), change.file.c_str(), FALSE))
        throw ui::EFileCreateError::cannotCreate(change.file);
    SetFileAttributesA(change.file.c_str(), change.attributes);
}

}  // namespace

// ---- The format of a set's file and of the index ----

namespace detail {

std::vector<BYTE> SetFileBytes(const SetInfo& info, const std::vector<Change>& newestFirst)
{
    registry::regfile::Writer writer;
    writer.blankLine();
    writer.comment(L"Velmora: " + registry::WideText(info.action));
    writer.comment(registry::WideText(info.time));
    for (const Change& change : newestFirst) {
        writer.blankLine();
        switch (change.kind) {
        case Change::Kind::Value:
            writer.comment(std::wstring(kValueMarker) + L"|" + Hex(change.after, 16));
            writer.key(change.root, change.key);
            writer.value(change.name, change.value);
            break;
        case Change::Kind::Key:
            writer.comment(std::wstring(kKeyMarker) + L"|" + Hex(change.after, 16));
            writer.deletedKey(change.root, change.key);
            writer.keyTree(change.root, change.key, change.tree);
            break;
        case Change::Kind::File:
            writer.comment(std::wstring(kFileMarker) + L"|" + Hex(change.after, 16) + L"|" + Hex(change.attributes, 8) +
                           L"|" + (change.fileExisted ? registry::WideText(change.copy) : L"-") + L"|" +
                           registry::WideText(change.file));
            break;
        }
    }
    return writer.bytes();
}

std::vector<Change> ParseSetFile(const std::vector<BYTE>& file)
{
    std::vector<Change> changes;
    bool inChange = false;
    bool placed = false;  // the change's key is known
    for (const Line& line : registry::regfile::Parse(file)) {
        if (line.kind == Line::Kind::Comment) {
            const auto fields = SplitFields(line.comment, 5);
            Change change;
            if (fields[0] == kValueMarker && fields.size() >= 2) {
                change.kind = Change::Kind::Value;
            } else if (fields[0] == kKeyMarker && fields.size() >= 2) {
                change.kind = Change::Kind::Key;
            } else if (fields[0] == kFileMarker && fields.size() == 5) {
                change.kind = Change::Kind::File;
                change.attributes = static_cast<DWORD>(HexNumber(fields[2]));
                change.fileExisted = fields[3] != L"-";
                change.copy = change.fileExisted ? registry::AnsiText(fields[3]) : std::string();
                change.file = registry::AnsiText(fields[4]);
            } else {
                continue;
            }
            change.after = HexNumber(fields[1]);
            changes.push_back(std::move(change));
            inChange = changes.back().kind != Change::Kind::File;
            placed = false;
            continue;
        }
        if (!inChange)
            continue;
        Change& change = changes.back();
        if (!placed) {
            change.root = line.root;
            change.key = line.path;
            placed = true;
        }
        if (change.kind == Change::Kind::Value) {
            if (line.kind == Line::Kind::Value) {
                change.name = line.name;
                change.value = line.image;
            }
            continue;
        }
        if (line.root != change.root || !registry::PathWithin(line.path, change.key))
            continue;
        const std::wstring relative = Relative(line.path, change.key);
        if (line.kind == Line::Kind::Key)
            change.tree.node(relative, true);
        else if (line.kind == Line::Kind::Value)
            change.tree.node(relative, true)->setValue(line.name, line.image);
    }
    return changes;
}

std::string IndexFile()
{
    return JournalFolder() + "\\" + kIndexName;
}

std::string IndexLine(const SetInfo& info)
{
    std::string action = info.action;
    std::replace_if(action.begin(), action.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }, ' ');
    return info.id + "\t" + info.time + "\t" + std::to_string(info.values) + "\t" + std::to_string(info.files) + "\t" +
           action;
}

bool ParseIndexLine(const std::string& line, SetInfo& info)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() < 4) {
        const auto tab = line.find('\t', start);
        if (tab == std::string::npos)
            return false;
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    const auto values = ui::TryStrToInt(fields[2]);
    const auto files = ui::TryStrToInt(fields[3]);
    if (fields[0].empty() || !values || !files)
        return false;
    info.id = fields[0];
    info.time = fields[1];
    info.values = *values;
    info.files = *files;
    info.action = line.substr(start);
    return true;
}

bool ReadWholeFile(const std::string& path, std::vector<BYTE>& bytes)
{
    const ui::FileHandle file(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
}

bool EnsureFolder(const std::string& folder)
{
    if (folder.empty() || helpers::FolderExists(folder))
        return true;
    const auto slash = folder.find_last_of('\\');
    if (slash != std::string::npos && slash > 0 && folder[slash - 1] != ':' && !EnsureFolder(folder.substr(0, slash)))
        return false;
    return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool IsFile(const std::string& path)
{
    return helpers::FileExists(path);
}

void PutBack(const Change& change, const std::string& copyFolder, bool record)
{
    switch (change.kind) {
    case Change::Kind::Value:
        if (record) {
            RecordValue(change.root, change.key, change.name);
            if (change.value.exists)
                RecordKeyCreation(change.root, change.key);
        }
        registry::PutValueImage(change.root, change.key, change.name, change.value);
        if (record)
            ValueLeft(change.root, change.key, change.name, change.value);
        break;
    case Change::Kind::Key:
        if (record)
            RecordKeyTree(change.root, change.key);
        registry::PutKeyImage(change.root, change.key, change.tree);
        break;
    case Change::Kind::File:
        if (record)
            RecordFile(change.file);
        PutFileBack(change, copyFolder);
        break;
    }
}

}  // namespace detail

// ---- Listing and reading ----

std::vector<SetInfo> ListSets()
{
    std::vector<SetInfo> sets;
    if (JournalFolder().empty())
        return sets;
    for (const std::string& line : IndexLines()) {
        SetInfo info;
        if (detail::ParseIndexLine(line, info) && detail::IsFile(SetFile(info.id)))
            sets.push_back(std::move(info));
    }
    return sets;
}

ChangeSet LoadSet(const SetInfo& info)
{
    ChangeSet set;
    set.info = info;
    std::vector<BYTE> bytes;
    if (detail::ReadWholeFile(SetFile(info.id), bytes))
        set.changes = detail::ParseSetFile(bytes);
    return set;
}

std::string SetFile(const std::string& id)
{
    return JournalFolder() + "\\" + id + ".reg";
}

std::string SetCopyFolder(const std::string& id)
{
    return JournalFolder() + "\\" + id;
}

std::uint64_t FileFingerprint(const std::string& path)
{
    registry::ValueImage file;
    if (detail::IsFile(path) && detail::ReadWholeFile(path, file.data)) {
        file.exists = true;
        file.type = REG_BINARY;
    }
    return registry::Fingerprint(file);
}

std::uint64_t CurrentFingerprint(const Change& change)
{
    switch (change.kind) {
    case Change::Kind::Value:
        return registry::Fingerprint(registry::ReadValueImage(change.root, change.key, change.name));
    case Change::Kind::Key:
        return registry::Fingerprint(registry::ReadKeyImage(change.root, change.key));
    case Change::Kind::File:
        return FileFingerprint(change.file);
    }
    return 0;
}

// ---- Undo ----

bool UndoPlan::anyChangedSince() const
{
    return std::any_of(changedSince.begin(), changedSince.end(), [](const std::vector<bool>& flags) {
        return std::find(flags.begin(), flags.end(), true) != flags.end();
    });
}

UndoPlan PlanUndo(const std::string& fromId)
{
    UndoPlan plan;
    const std::vector<SetInfo> sets = ListSets();
    const auto from = std::find_if(sets.begin(), sets.end(), [&](const SetInfo& info) { return info.id == fromId; });
    if (from == sets.end())
        return plan;
    for (auto set = sets.rbegin(); set.base() != from; ++set)
        plan.sets.push_back(LoadSet(*set));
    // A place is checked against the newest set that touches it: older sets' records
    // of it are what the newer ones put back first.
    const auto places = PlacesOf(plan.sets);
    for (std::size_t s = 0; s < plan.sets.size(); ++s) {
        std::vector<bool> changed;
        std::vector<bool> later;
        for (std::size_t c = 0; c < plan.sets[s].changes.size(); ++c) {
            bool touchedLater = false;
            for (std::size_t newer = 0; newer < s && !touchedLater; ++newer)
                touchedLater = std::any_of(places[newer].begin(), places[newer].end(),
                                           [&](const Place& other) { return Overlap(places[s][c], other); });
            later.push_back(touchedLater);
            changed.push_back(!touchedLater && CurrentFingerprint(plan.sets[s].changes[c]) != plan.sets[s].changes[c].after);
        }
        plan.changedSince.push_back(std::move(changed));
        plan.touchedLater.push_back(std::move(later));
    }
    return plan;
}

void CarryOutUndo(const UndoPlan& plan, bool restoreChangedSince, const std::string& action)
{
    const auto places = PlacesOf(plan.sets);
    std::vector<const Place*> leftAlone;
    if (!restoreChangedSince)
        for (std::size_t s = 0; s < plan.sets.size(); ++s)
            for (std::size_t c = 0; c < plan.sets[s].changes.size(); ++c)
                if (plan.changedSince[s][c])
                    leftAlone.push_back(&places[s][c]);
    const ChangeScope undo(action);
    for (std::size_t s = 0; s < plan.sets.size(); ++s)
        for (std::size_t c = 0; c < plan.sets[s].changes.size(); ++c) {
            const bool keep = std::any_of(leftAlone.begin(), leftAlone.end(),
                                          [&](const Place* place) { return Overlap(*place, places[s][c]); });
            if (!keep)
                detail::PutBack(plan.sets[s].changes[c], SetCopyFolder(plan.sets[s].info.id), true);
        }
}

// ---- Space and removal ----

std::uint64_t JournalSize()
{
    std::uint64_t size = 0;
    if (!JournalFolder().empty())
        AddFolderSize(JournalFolder(), size);
    return size;
}

std::vector<SetInfo> SetsBefore(const SYSTEMTIME& date)
{
    const std::string day = DayText(date);
    std::vector<SetInfo> older;
    for (const SetInfo& set : ListSets())
        if (set.time.substr(0, day.size()) < day)
            older.push_back(set);
    return older;
}

int RemoveSets(const std::vector<SetInfo>& sets)
{
    if (sets.empty())
        return 0;
    std::string paths;
    for (const SetInfo& set : sets) {
        paths += SetFile(set.id) + '\0';
        if (helpers::FolderExists(SetCopyFolder(set.id)))
            paths += SetCopyFolder(set.id) + '\0';
    }
    bool aborted = false;
    helpers::RecycleFiles(paths, aborted);

    // The index keeps the lines of the sets that are still there.
    std::string kept;
    for (const std::string& line : IndexLines()) {
        SetInfo info;
        if (!detail::ParseIndexLine(line, info) || detail::IsFile(SetFile(info.id)))
            kept += line + "\r\n";
    }
    const std::string replacement = detail::IndexFile() + ".new";
    {
        const ui::FileHandle file(CreateFileA(replacement.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.get(), kept.data(), static_cast<DWORD>(kept.size()), &written, nullptr))
            return 0;
    }
    MoveFileExA(replacement.c_str(), detail::IndexFile().c_str(), MOVEFILE_REPLACE_EXISTING);
    return static_cast<int>(std::count_if(sets.begin(), sets.end(),
                                          [](const SetInfo& set) { return !detail::IsFile(SetFile(set.id)); }));
}

// ---- Importing a backup ----

int ImportRegistryFile(const std::string& path, const std::string& action)
{
    std::vector<BYTE> bytes;
    if (!detail::ReadWholeFile(path, bytes))
        return -1;
    // The uppermost keys the file names: everything it changes lies in or below them.
    std::vector<Line> keys;
    for (const Line& line : registry::regfile::Parse(bytes))
        if ((line.kind == Line::Kind::Key || line.kind == Line::Kind::DeletedKey) && !line.path.empty())
            keys.push_back(line);
    std::sort(keys.begin(), keys.end(), [](const Line& a, const Line& b) { return FoldCase(a.path) < FoldCase(b.path); });
    const ChangeScope import(action);
    std::vector<const Line*> recorded;
    for (const Line& key : keys) {
        const bool inside = std::any_of(recorded.begin(), recorded.end(), [&](const Line* upper) {
            return upper->root == key.root && registry::PathWithin(key.path, upper->path);
        });
        if (inside)
            continue;
        detail::RecordKeyTree(key.root, key.path);
        recorded.push_back(&key);
    }
    return ui::RunAndWait("REGEDIT /S \"" + path + "\"", SW_HIDE);
}

}  // namespace journal
