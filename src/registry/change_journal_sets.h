// The stored change sets of the journal: listing them, reading one back, telling what
// was changed outside the program since, undoing a set together with every newer one,
// the space the journal takes, and removing old sets at the user's request.
#pragma once

#include "registry/registry_images.h"

#include <cstdint>
#include <string>
#include <vector>

namespace journal {

// One place a set changed, with its state before the set.
struct Change {
    enum class Kind { Value, Key, File };
    Kind kind = Kind::Value;

    HKEY root = nullptr;
    std::wstring key;    // Value, Key: the path below the root
    std::wstring name;   // Value
    registry::ValueImage value;  // Value: before
    registry::KeyImage tree;     // Key: before, with everything below it

    std::string file;        // File: full path
    bool fileExisted = false;
    DWORD attributes = 0;
    std::string copy;        // File: name of the copy in the set's folder

    std::uint64_t after = 0;  // fingerprint of the state the set left the place in
};

// A set as the index lists it.
struct SetInfo {
    std::string id;      // the file name without ".reg": date, time and action
    std::string time;    // "2024-05-01 14:03:22", local time
    std::string action;  // the description of the action
    int values = 0;      // registry places (values and keys) changed
    int files = 0;       // files changed
};

struct ChangeSet {
    SetInfo info;
    std::vector<Change> changes;  // in the order they are put back
};

// The sets of the journal, oldest first; sets whose file is gone are left out.
std::vector<SetInfo> ListSets();
// Reads a set's file back. A missing or unreadable file gives a set without changes.
ChangeSet LoadSet(const SetInfo& info);

// The file of a set, and the folder holding the copies of its files.
std::string SetFile(const std::string& id);
std::string SetCopyFolder(const std::string& id);

// What a place holds now, as a fingerprint comparable with Change::after.
std::uint64_t CurrentFingerprint(const Change& change);
// A file's state as a fingerprint (whether it exists, and its bytes).
std::uint64_t FileFingerprint(const std::string& path);

// Undoing the set `fromId` puts back that set and every newer one, newest first.
struct UndoPlan {
    std::vector<ChangeSet> sets;  // newest first; the chosen set is the last
    // Per set and change: the place was changed outside the program after the
    // newest set that touches it was recorded.
    std::vector<std::vector<bool>> changedSince;
    // Per set and change: a newer set of the plan touches the place too, so this
    // set's record of it is put back after that set's.
    std::vector<std::vector<bool>> touchedLater;

    bool anyChangedSince() const;
};
UndoPlan PlanUndo(const std::string& fromId);

// Carries the plan out as one change set of its own (described by action), so the
// undo can be undone too. Places changed since are put back only when
// restoreChangedSince is true; otherwise they, and what older sets recorded for them,
// stay as they are now. Registry errors are raised as the library raises them.
void CarryOutUndo(const UndoPlan& plan, bool restoreChangedSince, const std::string& action);

// The bytes all files of the journal take.
std::uint64_t JournalSize();
// The sets recorded before the given local date (day precision).
std::vector<SetInfo> SetsBefore(const SYSTEMTIME& date);
// Moves those sets' files to the Recycle Bin and drops them from the index; the
// number of sets removed.
int RemoveSets(const std::vector<SetInfo>& sets);

// Imports a REGEDIT file (a backup of the clean-up) with "REGEDIT /S" as one change
// set of its own: the keys the file names are recorded first, so the import can be
// undone. The registry editor's exit code, -1 when it could not be started.
int ImportRegistryFile(const std::string& path, const std::string& action);

}  // namespace journal
