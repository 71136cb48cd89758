// The autostart list model: every program Windows starts at logon from twelve places
// (the common and the user's startup folder with their subfolders, eight Run keys, the
// [RUN] and [LOAD] sections of win.ini), one row each, and the changes the user makes
// to them: entries marked for removal, edited and added. Nothing reaches a source
// before ApplyAutostartChanges; a removed link goes to the Recycle Bin, a registry
// value or win.ini entry is deleted.
#pragma once

#include "registry/registry.h"
#include "ui/handles.h"

#include <array>
#include <string>
#include <vector>

namespace components {
class TShortcutLink;
}
namespace ui {
class DrawnList;
}

namespace autostart {

// The record behind one row of the autostart list.
struct AutostartEntry {
    bool Modified = false;   // the user changed name or command
    bool IsNew = false;      // added since the page opened; in no source yet
    std::string Name;        // value name, win.ini entry name, or the link's file name
    std::string LinkFile;    // full path of the .lnk file; empty for other sources
    std::string Command;     // the value as text, the win.ini value, or the link's target
    std::string RegKey;      // registry sources: the key path
    registry::RootKey RegRoot = nullptr;
    std::string IniSection;  // win.ini sources: "RUN" or "LOAD"
    std::string SourceLabel; // the text of the list's type column
    int IconIndex = -1;      // the icon in AutostartIcons, -1 for none
    int Row = -1;            // the list row that holds this record
    // Name and command as the source holds them, so that applying knows what to
    // rewrite or rename; empty for a new entry.
    std::string StoredName;
    std::string StoredCommand;
    // win.ini sources: which of the section's lines of this name the entry is (from 0),
    // so that each of two lines of the same name is changed on its own.
    int IniOccurrence = 0;
};

// What a row of the list carries: its entry and its removal mark.
struct AutostartRow {
    AutostartEntry entry;
    bool markedForRemoval = false;
};

// Where the file sources lie. Empty texts mean the system's own: the shell's common
// startup folder and win.ini in the Windows folder. Tests point them elsewhere.
struct AutostartFiles {
    std::string commonStartupFolder;
    std::string iniFile;
};
AutostartFiles& AutostartFileLocations();
// The places in use, with the system's own filled in.
std::string CommonStartupFolder();
std::string WinIniFile();

// The registry sources: HKLM, then HKCU, each with Run, RunOnce, RunServices and
// RunServicesOnce below this key.
inline const std::string kWindowsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline const std::string kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr int kSourceCount = 12;

// Language strings of the model.
enum Strings {
    kWinIniWord = 40,           // begins the label of the two win.ini sources
    kFirstSourceLabel = 4800,   // 4800-4809: the labels of sources 1 to 10
    kLinksChanged = 4820,
    kRegistryChanged = 4821,
    kLeftUnchanged = 4822,  // followed by the entries, one a line
};

// Why a name cannot be given to an entry.
enum class NameProblem {
    None,
    Taken,       // another entry of the same place has (or had) it
    NotAllowed,  // no link file or win.ini entry can have it
};

class AutostartManager {
public:
    AutostartManager();
    ~AutostartManager();
    AutostartManager(const AutostartManager&) = delete;
    AutostartManager& operator=(const AutostartManager&) = delete;

    // The list whose rows are the entries, and the link component that reads and writes
    // the startup links (made quiet here).
    void bind(ui::DrawnList& list, components::TShortcutLink& link);

    // Fills SourceLabels from the language table.
    void PrepareSourceLabels();

    // Empties the list and fills it from the twelve sources in their order; sizes the
    // name and command columns. A Run key that cannot be created yields no rows; the
    // first such error is raised once the list is complete.
    void CollectAutostartEntries();

    // Appends a new entry for HKCU Run (Target 0) or RunOnce (Target 1).
    void AddAutostartEntry(const std::string& Name, const std::string& Command, int Target);

    // Writes every pending change of the list to the sources, tells the user what was
    // changed and which entries their source left unchanged (a refused deletion, a
    // link that could not go to the Recycle Bin, a value of a kind that takes no
    // text), then empties the list and AutostartIcons. True when a source changed. An
    // error ends it at that row and passes on: the rows before it are done, and the
    // list shows them as they now are (removed entries are gone from it).
    bool ApplyAutostartChanges();

    // Whether the row (-1: an entry about to be added for HKCU Run) may take the name.
    NameProblem checkName(int row, const std::string& name) const;
    // The name a row's entry gets for the text the user typed: a link keeps ".lnk".
    std::string entryName(int row, const std::string& typed) const;

    AutostartRow* row(int index) const;
    int rowCount() const;
    HIMAGELIST AutostartIcons() const { return icons_.get(); }
    const std::vector<std::string>& AutostartNames() const { return names_; }
    const std::vector<std::string>& AutostartCommands() const { return commands_; }
    const std::array<std::string, kSourceCount>& SourceLabels() const { return labels_; }

private:
    void collectStartupFolder(const std::string& folder, int source);
    void collectRunKey(registry::RootKey root, const std::string& key, int source);
    void collectIniSection(const std::string& section, int source);
    void makeRow(AutostartEntry entry, const std::string& iconPath);
    void sizeColumns();

    struct Changes;
    void applyRow(AutostartRow& row, Changes& changes);
    bool applyEdit(AutostartEntry& entry, Changes& changes);
    bool applyRemoval(const AutostartEntry& entry, Changes& changes);
    bool editRegistryValue(AutostartEntry& entry, bool renamed);
    bool rewriteLink(AutostartEntry& entry, const std::string& newPath);
    void removeRows(std::vector<int> rows);
    void iniLineRemoved(const AutostartEntry& removed);
    void report(const Changes& changes) const;

    ui::DrawnList* list_ = nullptr;
    components::TShortcutLink* link_ = nullptr;
    ui::ImageListHandle icons_;
    std::vector<std::string> names_;
    std::vector<std::string> commands_;
    std::array<std::string, kSourceCount> labels_;
};

}  // namespace autostart
