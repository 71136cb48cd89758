// Recording: the open change set, the first touch of every place, and storing the set
// when the action that opened it ends.
#include "registry/change_journal.h"

#include "language/language.h"
#include "registry/change_journal_internal.h"
#include "registry/reg_file.h"
#include "ui/convert.h"
#include "ui/dialogs.h"
#include "ui/errors.h"
#include "ui/handles.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace journal {

namespace {

using registry::FoldCase;
using registry::KeyImage;
using registry::ValueImage;

// The question when a set cannot be stored: what failed, then whether to go on.
constexpr int kCannotStore = 20950;
constexpr int kGoOnWithoutUndo = 20951;

// Descriptions longer than this are cut in file names.
constexpr std::size_t kLongestNamedAction = 60;

std::string journalFolder;
// The journal folder that last took a set's file. Until a folder has, an action
// reserves its set's file before its first change, so a folder that cannot be written
// is known while nothing has changed; afterwards the file is made when the set is
// stored, and a folder that fails then has the action's changes taken back, unless
// the user goes on without undo.
std::string provenFolder;
std::string programFolderUpper;  // with a trailing backslash; empty when not set

enum class SetState {
    Recording,
    Unrecorded,  // the user chose to go on without undo
    Cancelled,   // the user chose not to go on: every further change is refused
};

struct KeyPlace {
    HKEY root;
    std::wstring folded;  // the key path in capitals
};

// The set of the action that runs now.
struct OpenSet {
    std::string action;
    RecycledFiles recycled = RecycledFiles::Copied;
    SYSTEMTIME opened{};
    SetState state = SetState::Recording;
    bool suspended = false;  // while the set's own changes are taken back
    bool putBack = false;    // a look that leaves no trace: taken back at the end, never stored

    bool stored = false;  // the set's file is reserved in the journal folder
    std::string id;
    ui::FileHandle reservation;
    int copies = 0;

    std::vector<Change> changes;  // in the order of their first touch
    std::unordered_set<std::wstring> valuePlaces;
    std::vector<KeyPlace> keyPlaces;
    // Keys the set has read, kept open while it records: an action's values lie in a
    // few keys, and each is read before and after the action.
    std::unordered_map<std::wstring, ui::RegKey> openKeys;
    // What the library left in recorded values, so they need not be read again at the end.
    std::unordered_map<std::wstring, ValueImage> valuesLeft;
    std::unordered_set<std::string> filePlaces;
};

int scopeDepth = 0;
std::optional<OpenSet> openSet;

std::wstring RootTag(HKEY root)
{
    return std::to_wstring(reinterpret_cast<std::uintptr_t>(root));
}

std::wstring ValuePlace(HKEY root, const std::wstring& foldedKey, const std::wstring& name)
{
    return RootTag(root) + L"|" + foldedKey + L"|" + FoldCase(name);
}

// Whether a capitalised path lies in or below a capitalised key path.
bool WithinFolded(const std::wstring& path, const std::wstring& key)
{
    return path.size() >= key.size() && path.compare(0, key.size(), key) == 0 &&
           (path.size() == key.size() || path[key.size()] == L'\\');
}

std::wstring KeyTag(HKEY root, const std::wstring& foldedKey)
{
    return RootTag(root) + L"|" + foldedKey;
}

// The key opened for reading values, from the set's open keys; nullptr when it is
// missing (a missing key is not kept: it may be created).
HKEY OpenForReading(OpenSet& set, HKEY root, const std::wstring& key)
{
    if (key.empty())
        return root;
    const std::wstring place = KeyTag(root, FoldCase(key));
    const auto found = set.openKeys.find(place);
    if (found != set.openKeys.end())
        return found->second.get();
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return nullptr;
    return set.openKeys.emplace(place, ui::RegKey(opened)).first->second.get();
}

ValueImage ReadValue(OpenSet& set, HKEY root, const std::wstring& key, const std::wstring& name)
{
    const HKEY opened = OpenForReading(set, root, key);
    return opened ? registry::ReadValueImageOf(opened, name) : ValueImage{};
}

// Closes the open keys in or below a key that is about to be removed or replaced.
void ForgetOpenKeys(OpenSet& set, HKEY root, const std::wstring& foldedKey)
{
    const std::wstring place = KeyTag(root, foldedKey);
    for (auto key = set.openKeys.begin(); key != set.openKeys.end();) {
        const std::wstring& open = key->first;
        const bool within = open.compare(0, place.size(), place) == 0 &&
                            (open.size() == place.size() || open[place.size()] == L'\\');
        key = within ? set.openKeys.erase(key) : std::next(key);
    }
}

bool KeyCovered(const OpenSet& set, HKEY root, const std::wstring& foldedKey)
{
    return std::any_of(set.keyPlaces.begin(), set.keyPlaces.end(), [&](const KeyPlace& place) {
        return place.root == root && WithinFolded(foldedKey, place.folded);
    });
}

// The open set when its changes are being recorded; nullptr when there is none or it
// goes on unrecorded. A set the user declined to go on with refuses every change.
OpenSet* Recording()
{
    if (!openSet || openSet->suspended)
        return nullptr;
    if (openSet->state == SetState::Cancelled)
        throw ui::EAbort();
    return openSet->state == SetState::Recording ? &*openSet : nullptr;
}

std::string TwoDigits(int number)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

std::string DateText(const SYSTEMTIME& time)
{
    return std::to_string(time.wYear) + "-" + TwoDigits(time.wMonth) + "-" + TwoDigits(time.wDay);
}

// The description as part of a file name: characters a file name cannot hold become
// "-", and a long one is cut.
std::string FileNamePart(const std::string& action)
{
    std::string part;
    for (char c : action) {
        const auto code = static_cast<unsigned char>(c);
        part += code < 32 || std::string("\\/:*?\"<>|").find(c) != std::string::npos ? '-' : c;
    }
    if (part.size() > kLongestNamedAction)
        part.resize(kLongestNamedAction);
    while (!part.empty() && (part.back() == ' ' || part.back() == '.'))
        part.pop_back();
    return part;
}

std::string SystemErrorText(DWORD code)
{
    return ui::EOSError::fromCode(code).what();
}

// Asks whether the action may go on although its set cannot be stored.
bool AskGoOnWithoutUndo(const std::string& reason)
{
    const std::string text = language::LangString(kCannotStore) + "\r" + reason + "\r" +
                             language::LangString(kGoOnWithoutUndo);
    return ui::MessageDlg(text, ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) ==
           ui::MsgButton::Yes;
}

void RemoveCopies(const OpenSet& set)
{
    const std::string folder = SetCopyFolder(set.id);
    WIN32_FIND_DATAA found;
    {
        const ui::FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
        if (search) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    const std::string copy = folder + "\\" + found.cFileName;
                    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(copy.c_str());
                }
            } while (FindNextFileA(search.get(), &found));
        }
    }
    RemoveDirectoryA(folder.c_str());
}

// Removes what the set put into the journal folder: its reserved file and the copies
// of files. A set that is not in the index is the set's own scratch, not a stored set.
void Discard(OpenSet& set)
{
    if (!set.stored)
        return;
    set.reservation.reset();
    DeleteFileA(SetFile(set.id).c_str());
    if (set.copies > 0)
        RemoveCopies(set);
    set.stored = false;
}

// Puts back everything the set changed so far, without recording.
void TakeBack(OpenSet& set)
{
    set.suspended = true;
    for (auto change = set.changes.rbegin(); change != set.changes.rend(); ++change) {
        try {
            detail::PutBack(*change, SetCopyFolder(set.id), false);
        } catch (const std::exception&) {
            // What cannot be put back stays; the others are still tried.
        }
    }
    set.suspended = false;
}

// The user declined to go on: what the set changed so far is taken back, and the
// action ends silently.
[[noreturn]] void Decline(OpenSet& set)
{
    TakeBack(set);
    Discard(set);
    set.state = SetState::Cancelled;
    throw ui::EAbort();
}

void GoOnUnrecorded(OpenSet& set)
{
    Discard(set);
    set.state = SetState::Unrecorded;
    set.changes.clear();
}

bool WriteAll(HANDLE file, const std::vector<BYTE>& bytes)
{
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Reserves the set's file under its name (date, time and action, numbered when the
// name is taken) with `content` in it; the system's error code when that fails.
DWORD Reserve(OpenSet& set, const std::vector<BYTE>& content)
{
    if (set.stored)
        return ERROR_SUCCESS;
    const SYSTEMTIME& t = set.opened;
    const std::string stamp =
        DateText(t) + " " + TwoDigits(t.wHour) + "." + TwoDigits(t.wMinute) + "." + TwoDigits(t.wSecond);
    const std::string action = FileNamePart(set.action);
    const std::string base = action.empty() ? stamp : stamp + " " + action;
    bool folderMade = false;
    DWORD error = ERROR_FILE_EXISTS;
    for (int number = 1; number < 1000;) {
        const std::string id = number == 1 ? base : base + " (" + std::to_string(number) + ")";
        ui::FileHandle file(
            CreateFileA(SetFile(id).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
                ++number;
                continue;
            }
            if (error == ERROR_PATH_NOT_FOUND && !folderMade) {
                folderMade = true;
                if (detail::EnsureFolder(journalFolder))
                    continue;
                error = GetLastError();
            }
            return error;
        }
        set.id = id;
        set.reservation = std::move(file);
        set.stored = true;
        if (!WriteAll(set.reservation.get(), content)) {
            error = GetLastError();
            Discard(set);
            return error;
        }
        provenFolder = journalFolder;
        return ERROR_SUCCESS;
    }
    return error;
}

// Called before the first change of a set: false when the user chose to go on without
// undo, and the action ends silently when the user chose not to go on.
bool ReadyToStore(OpenSet& set)
{
    if (set.stored || journalFolder == provenFolder)
        return true;
    // The header goes in at once, so a full disk shows before the first change.
    const DWORD error = Reserve(set, registry::regfile::Writer().bytes());
    if (error == ERROR_SUCCESS)
        return true;
    if (AskGoOnWithoutUndo(journalFolder + ": " + SystemErrorText(error))) {
        set.state = SetState::Unrecorded;
        return false;
    }
    set.state = SetState::Cancelled;
    throw ui::EAbort();
}

void IndexPlaces(OpenSet& set)
{
    set.valuePlaces.clear();
    set.keyPlaces.clear();
    for (const Change& change : set.changes) {
        if (change.kind == Change::Kind::Value)
            set.valuePlaces.insert(ValuePlace(change.root, FoldCase(change.key), change.name));
        else if (change.kind == Change::Kind::Key)
            set.keyPlaces.push_back({change.root, FoldCase(change.key)});
    }
}

// Records a key with everything below it. Changes recorded earlier inside the key go
// into its before-image (theirs is the older state), so no two changes of a set overlap.
void AddKeyChange(OpenSet& set, HKEY root, const std::wstring& key, KeyImage before)
{
    const std::wstring folded = FoldCase(key);
    for (auto change = set.changes.begin(); change != set.changes.end();) {
        if (change->kind == Change::Kind::File || change->root != root || !WithinFolded(FoldCase(change->key), folded)) {
            ++change;
            continue;
        }
        const std::wstring relative = change->key.size() > key.size() ? change->key.substr(key.size() + 1) : L"";
        if (change->kind == Change::Kind::Value) {
            if (KeyImage* node = before.node(relative, change->value.exists))
                node->setValue(change->name, change->value);
        } else {
            before.replaceNode(relative, change->tree);
        }
        change = set.changes.erase(change);
    }
    Change change;
    change.kind = Change::Kind::Key;
    change.root = root;
    change.key = key;
    change.tree = std::move(before);
    set.changes.push_back(std::move(change));
    IndexPlaces(set);
}

std::string FullFilePath(const std::string& path)
{
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? path : std::string(full, length);
}

std::string FileNameOf(const std::string& path)
{
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsOwnFile(const std::string& upperPath)
{
    const std::string journal = ui::UpperCase(journalFolder) + "\\";
    return (!programFolderUpper.empty() && upperPath.rfind(programFolderUpper, 0) == 0) ||
           upperPath.rfind(journal, 0) == 0;
}

// The state an action left a place in: whether it is the state before the action,
// and its fingerprint.
struct StateLeft {
    bool asItWas = false;
    std::uint64_t fingerprint = 0;
};

StateLeft StateLeftBy(OpenSet& set, const Change& change, const std::string& copyFolder)
{
    switch (change.kind) {
    case Change::Kind::Value: {
        const auto left = set.valuesLeft.find(ValuePlace(change.root, FoldCase(change.key), change.name));
        const ValueImage now =
            left != set.valuesLeft.end() ? left->second : ReadValue(set, change.root, change.key, change.name);
        return {now == change.value, registry::Fingerprint(now)};
    }
    case Change::Kind::Key: {
        const KeyImage now = registry::ReadKeyImage(change.root, change.key);
        return {now == change.tree, registry::Fingerprint(now)};
    }
    case Change::Kind::File: {
        const std::uint64_t now = FileFingerprint(change.file);
        if (!change.fileExisted)
            return {!detail::IsFile(change.file), now};
        // Clearing read-only, hidden or system changes a file as much as new bytes do.
        const bool sameAttributes = GetFileAttributesA(change.file.c_str()) == change.attributes;
        return {sameAttributes && now == FileFingerprint(copyFolder + "\\" + change.copy), now};
    }
    }
    return {};
}

SetInfo DescribeSet(const OpenSet& set, const std::vector<Change>& changes)
{
    SetInfo info;
    info.id = set.id;
    const SYSTEMTIME& t = set.opened;
    info.time = DateText(t) + " " + TwoDigits(t.wHour) + ":" + TwoDigits(t.wMinute) + ":" + TwoDigits(t.wSecond);
    info.action = set.action;
    for (const Change& change : changes)
        ++(change.kind == Change::Kind::File ? info.files : info.values);
    return info;
}

bool AppendIndexLine(const SetInfo& info)
{
    const ui::FileHandle index(CreateFileA(detail::IndexFile().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!index || SetFilePointer(index.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER)
        return false;
    const std::string line = detail::IndexLine(info) + "\r\n";
    return WriteAll(index.get(), std::vector<BYTE>(line.begin(), line.end()));
}

// Writes the set's file and lists it in the index; the system's error code when
// something failed.
DWORD Store(OpenSet& set, const std::vector<Change>& kept)
{
    SetInfo info = DescribeSet(set, kept);
    const std::vector<Change> newestFirst(kept.rbegin(), kept.rend());
    if (set.stored) {
        // Reserved before the first change: the file is written anew.
        const HANDLE file = set.reservation.get();
        if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER || !SetEndOfFile(file) ||
            !WriteAll(file, detail::SetFileBytes(info, newestFirst)))
            return GetLastError();
    } else {
        // The name is known once the file is made; the file's header does not hold it.
        if (const DWORD error = Reserve(set, detail::SetFileBytes(info, newestFirst)); error != ERROR_SUCCESS)
            return error;
        info.id = set.id;
    }
    set.reservation.reset();
    return AppendIndexLine(info) ? ERROR_SUCCESS : GetLastError();
}

// The end of the action: drops what was left as it was, and stores the rest.
void Finish(OpenSet& set)
{
    if (set.state != SetState::Recording) {
        Discard(set);
        return;
    }
    const std::string copyFolder = SetCopyFolder(set.id);
    std::vector<Change> kept;
    for (Change& change : set.changes) {
        const StateLeft left = StateLeftBy(set, change, copyFolder);
        if (left.asItWas) {
            if (change.kind == Change::Kind::File && change.fileExisted) {
                const std::string copy = copyFolder + "\\" + change.copy;
                SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(copy.c_str());
            }
            continue;
        }
        change.after = left.fingerprint;
        kept.push_back(change);
    }
    if (kept.empty()) {
        Discard(set);
        return;
    }
    const DWORD error = Store(set, kept);
    if (error == ERROR_SUCCESS) {
        if (set.copies > 0)
            RemoveDirectoryA(copyFolder.c_str());  // only when no copy was kept
        return;
    }
    if (!AskGoOnWithoutUndo(journalFolder + ": " + SystemErrorText(error)))
        TakeBack(set);
    Discard(set);
}

}  // namespace

ChangeScope::ChangeScope(const std::string& action, RecycledFiles recycled)
{
    if (scopeDepth++ > 0 || journalFolder.empty())
        return;
    openSet.emplace();
    openSet->action = action;
    openSet->recycled = recycled;
    GetLocalTime(&openSet->opened);
}

ChangeScope::~ChangeScope()
{
    if (--scopeDepth > 0 || !openSet)
        return;
    try {
        if (openSet->putBack) {
            TakeBack(*openSet);
            Discard(*openSet);
        } else {
            Finish(*openSet);
        }
    } catch (...) {
        // The action is over; a set that could not be finished is left unstored.
    }
    openSet.reset();
}

UnchangedScope::UnchangedScope() : scope_("")
{
    if (openSet && scopeDepth == 1)
        openSet->putBack = true;
}

void SetJournalFolder(const std::string& folder, const std::string& programFolder)
{
    journalFolder = folder;
    while (!journalFolder.empty() && journalFolder.back() == '\\')
        journalFolder.pop_back();
    programFolderUpper = programFolder.empty() ? std::string() : ui::UpperCase(programFolder);
    if (!programFolderUpper.empty() && programFolderUpper.back() != '\\')
        programFolderUpper += '\\';
}

const std::string& JournalFolder()
{
    return journalFolder;
}

void BeforeValueChange(HKEY root, const std::string& key, const std::string& name)
{
    if (openSet)
        detail::RecordValue(root, registry::WideText(key), registry::WideText(name));
}

void ValueWritten(HKEY root, const std::string& key, const std::string& name, DWORD type, const BYTE* data,
                  std::size_t size)
{
    if (!openSet)
        return;
    ValueImage image{true, type, std::vector<BYTE>(data, data + size)};
    // The registry keeps texts in UTF-16: an ANSI text is stored converted.
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
        const std::wstring text = registry::WideText(std::string(reinterpret_cast<const char*>(data), size));
        const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
        image.data.assign(bytes, bytes + text.size() * sizeof(wchar_t));
    }
    detail::ValueLeft(root, registry::WideText(key), registry::WideText(name), image);
}

void ValueRemoved(HKEY root, const std::string& key, const std::string& name)
{
    if (openSet)
        detail::ValueLeft(root, registry::WideText(key), registry::WideText(name), ValueImage{});
}

void BeforeKeyCreation(HKEY root, const std::string& key)
{
    if (openSet)
        detail::RecordKeyCreation(root, registry::WideText(key));
}

void BeforeKeyRemoval(HKEY root, const std::string& key)
{
    if (openSet)
        detail::RecordKeyTree(root, registry::WideText(key));
}

void BeforeKeyImport(HKEY root, const std::string& key)
{
    BeforeKeyRemoval(root, key);
}

void BeforeFileChange(const std::string& path)
{
    if (openSet)
        detail::RecordFile(path);
}

void BeforeFileRecycled(const std::string& path)
{
    if (openSet && openSet->recycled == RecycledFiles::Copied)
        detail::RecordFile(path);
}

namespace detail {

void RecordValue(HKEY root, const std::wstring& key, const std::wstring& name)
{
    OpenSet* set = Recording();
    if (!set || registry::regfile::RootName(root).empty())
        return;
    const std::wstring folded = FoldCase(key);
    const std::wstring place = ValuePlace(root, folded, name);
    if (set->valuePlaces.count(place) || KeyCovered(*set, root, folded) || !ReadyToStore(*set))
        return;
    Change change;
    change.kind = Change::Kind::Value;
    change.root = root;
    change.key = key;
    change.name = name;
    change.value = ReadValue(*set, root, key, name);
    set->changes.push_back(std::move(change));
    set->valuePlaces.insert(place);
}

void ValueLeft(HKEY root, const std::wstring& key, const std::wstring& name, const registry::ValueImage& image)
{
    if (!openSet || openSet->suspended || openSet->state != SetState::Recording)
        return;
    const std::wstring place = ValuePlace(root, FoldCase(key), name);
    if (openSet->valuePlaces.count(place))
        openSet->valuesLeft[place] = image;
}

void RecordKeyCreation(HKEY root, const std::wstring& key)
{
    OpenSet* set = Recording();
    if (!set || key.empty() || registry::regfile::RootName(root).empty())
        return;
    if (KeyCovered(*set, root, FoldCase(key)) || OpenForReading(*set, root, key))
        return;
    // The uppermost key that is missing is the one the write creates, with all below it.
    std::wstring created = key;
    for (auto slash = created.rfind(L'\\'); slash != std::wstring::npos; slash = created.rfind(L'\\')) {
        const std::wstring parent = created.substr(0, slash);
        if (registry::KeyImageExists(root, parent))
            break;
        created = parent;
    }
    if (ReadyToStore(*set))
        AddKeyChange(*set, root, created, KeyImage{});
}

void RecordKeyTree(HKEY root, const std::wstring& key)
{
    OpenSet* set = Recording();
    if (!set || key.empty() || registry::regfile::RootName(root).empty())
        return;
    const std::wstring folded = FoldCase(key);
    ForgetOpenKeys(*set, root, folded);
    if (KeyCovered(*set, root, folded) || !ReadyToStore(*set))
        return;
    AddKeyChange(*set, root, key, registry::ReadKeyImage(root, key));
}

void RecordFile(const std::string& path)
{
    OpenSet* set = Recording();
    if (!set)
        return;
    const std::string full = FullFilePath(path);
    const std::string upper = ui::UpperCase(full);
    if (IsOwnFile(upper) || set->filePlaces.count(upper) || !ReadyToStore(*set))
        return;
    Change change;
    change.kind = Change::Kind::File;
    change.file = full;
    change.fileExisted = IsFile(full);
    if (change.fileExisted) {
        change.attributes = GetFileAttributesA(full.c_str());
        change.copy = std::to_string(++set->copies) + " " + FileNameOf(full);
        DWORD error = Reserve(*set, registry::regfile::Writer().bytes());
        if (error == ERROR_SUCCESS) {
            const std::string folder = SetCopyFolder(set->id);
            if (!EnsureFolder(folder) || !CopyFileA(full.c_str(), (folder + "\\" + change.copy).c_str(), FALSE))
                error = GetLastError();
        }
        if (error != ERROR_SUCCESS) {
            if (!AskGoOnWithoutUndo(journalFolder + ": " + SystemErrorText(error)))
                Decline(*set);
            GoOnUnrecorded(*set);
            return;
        }
    }
    set->changes.push_back(std::move(change));
    set->filePlaces.insert(upper);
}

}  // namespace detail

}  // namespace journal
