// The change journal: every user action that changes the system (a page's "Ok", a
// button that acts at once, a wizard run, an autostart apply) is one change set. The
// action opens a ChangeScope for as long as it runs; the registry library and the
// settings-file helpers record into the open set what they change, so that the set
// can be undone exactly. Scopes opened while one is open join it (a wizard run saves
// several pages as one set).
//
// A set keeps the state before the action of every value, key and file the action
// changed, taken at the first touch. A place the action leaves as it found it is no
// change, and a set without changes writes nothing. A set is stored as a REGEDIT file
// in the journal folder that puts the registry back when imported, with copies of the
// files beside it and a line in the folder's index (change_journal_sets.h reads them).
// When the set cannot be stored (no rights, disk full), the action asks whether to go
// on without undo; "No" leaves everything as it was and ends the action silently.
#pragma once

#include <windows.h>

#include <string>

namespace journal {

// What becomes of files an action moves to the Recycle Bin.
enum class RecycledFiles {
    Copied,     // a copy of each file is kept with the set, so undo puts it back
    StayInBin,  // the clean-up's deletions: the files wait in the Recycle Bin, uncopied
};

class ChangeScope {
public:
    // action: a short description in the program's words, e.g. the page's caption.
    explicit ChangeScope(const std::string& action, RecycledFiles recycled = RecycledFiles::Copied);
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;
    ~ChangeScope();
};

// A look at the system that must leave no trace: whatever changes while it is open
// (opening a page may create a key it then reads) is put back when it ends, and no set
// is stored. Scopes opened inside it join it; opened inside another scope, it joins
// that one. Without a journal folder nothing is recorded, so nothing can be put back.
class UnchangedScope {
public:
    UnchangedScope();

private:
    ChangeScope scope_;
};

// The folder the sets are kept in (AppDir\BACKUP\Journal, set at start-up); empty
// switches the journal off. Files below programFolder are the program's own (its
// backups, logs and reports), never settings of the system, and are not recorded.
void SetJournalFolder(const std::string& folder, const std::string& programFolder = {});
const std::string& JournalFolder();

// Recording. The registry library and the settings-file helpers call these just before
// they change a place; outside a change set they do nothing. Key paths are given as the
// library uses them (below the root, without a leading backslash).
void BeforeValueChange(HKEY root, const std::string& key, const std::string& name);
// After the library wrote or removed a value: the state it left there, so the set
// need not read the value again when the action ends.
void ValueWritten(HKEY root, const std::string& key, const std::string& name, DWORD type, const BYTE* data,
                  std::size_t size);
void ValueRemoved(HKEY root, const std::string& key, const std::string& name);
// Before a key is opened for writing, which creates it (and the keys above) when missing.
void BeforeKeyCreation(HKEY root, const std::string& key);
// Before a key is removed with everything below it.
void BeforeKeyRemoval(HKEY root, const std::string& key);
// Before another program (the registry editor importing a file) changes a key.
void BeforeKeyImport(HKEY root, const std::string& key);
// Before a file is written, replaced or created.
void BeforeFileChange(const std::string& path);
// Before a file is moved to the Recycle Bin.
void BeforeFileRecycled(const std::string& path);

}  // namespace journal
