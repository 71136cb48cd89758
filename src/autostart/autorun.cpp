#include "autostart/autorun.h"

#include "ui/handles.h"

#include "components/shortcut_link.h"
#include "language/language.h"
#include "registry/change_journal.h"
#include "registry/control_binding.h"
#include "registry/helpers.h"
#include "ui/application.h"
#include "ui/canvas.h"
#include "ui/convert.h"
#include "ui/dialogs.h"
#include "ui/drawn_list.h"
#include "ui/errors.h"

#include <algorithm>
#include <map>

#include <shellapi.h>
#include <shlobj.h>

namespace autostart {

using namespace registry;

namespace {

constexpr int kCommonStartupSource = 0;
constexpr int kUserStartupSource = 1;
constexpr int kFirstRunKeySource = 2;
constexpr int kIniRunSource = 10;
constexpr int kIniLoadSource = 11;
constexpr int kHkcuRunSource = 6;
constexpr int kHkcuRunOnceSource = 7;

constexpr int kNameColumn = 0;
constexpr int kCommandColumn = 2;
constexpr int kNameColumnRoom = 72;     // the icon and the margins around the name
constexpr int kCommandColumnRoom = 16;
constexpr int kTitleRoom = 16;          // the header's margins around a column title

constexpr int kChangeDescription = 4001;  // "Automatisch startende Anwendungen"

struct RunKeySource {
    HKEY root;
    const char* name;
};

// Sources 3 to 10 in their order.
const std::array<RunKeySource, 8>& RunKeys()
{
    static const std::array<RunKeySource, 8> keys{{
        {HKEY_LOCAL_MACHINE, "Run"},
        {HKEY_LOCAL_MACHINE, "RunOnce"},
        {HKEY_LOCAL_MACHINE, "RunServices"},
        {HKEY_LOCAL_MACHINE, "RunServicesOnce"},
        {HKEY_CURRENT_USER, "Run"},
        {HKEY_CURRENT_USER, "RunOnce"},
        {HKEY_CURRENT_USER, "RunServices"},
        {HKEY_CURRENT_USER, "RunServicesOnce"},
    }};
    return keys;
}

std::string RunKeyPath(const RunKeySource& source)
{
    return kWindowsKey + "\\" + source.name;
}

bool SameText(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

bool EndsWithLinkExtension(const std::string& path)
{
    return path.size() >= 4 && SameText(path.substr(path.size() - 4), ".lnk");
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The icon path of a registry command: one leading and one trailing double quote removed.
std::string WithoutEnclosingQuotes(std::string text)
{
    if (!text.empty() && text.front() == '"')
        text.erase(0, 1);
    if (!text.empty() && text.back() == '"')
        text.pop_back();
    return text;
}


// The first icon of the file named by path, added to the list; -1 when it has none.
int AddFirstIcon(HIMAGELIST icons, const std::string& path)
{
    if (!icons || path.empty())
        return -1;
    const ui::QuietCriticalErrors quiet;
    HICON extracted = ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), 0);
    // ExtractIcon gives 1 for a file that holds no icons, and null for no such file.
    if (extracted == reinterpret_cast<HICON>(1))
        extracted = nullptr;
    const ui::IconHandle icon(extracted);
    if (!icon)
        return -1;
    return ImageList_ReplaceIcon(icons, -1, icon.get());
}

// The link files below a startup folder, sorted by path without regard to letter case,
// each path once. A file whose short name alone matches the mask is no link.
std::vector<std::string> StartupLinks(const std::string& folder)
{
    std::vector<std::string> files;
    helpers::CollectFiles(helpers::StripTrailingBackslashes(folder) + "\\", "*.lnk", files);
    files.erase(std::remove_if(files.begin(), files.end(), [](const std::string& f) { return !EndsWithLinkExtension(f); }),
                files.end());
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    files.erase(std::unique(files.begin(), files.end(), SameText), files.end());
    return files;
}

bool SameFolder(const std::string& a, const std::string& b)
{
    return SameText(helpers::StripTrailingBackslashes(a), helpers::StripTrailingBackslashes(b));
}

bool ContainsName(const std::vector<std::string>& names, const std::string& name)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& present) { return SameText(present, name); });
}

std::vector<std::string> IniEntryNames(const std::string& section)
{
    std::vector<std::string> names;
    for (const helpers::IniEntryLine& line : helpers::ReadIniEntryLines(WinIniFile(), section))
        names.push_back(line.name);
    return names;
}

// Whether two entries live in the same place, where one name can stand only once.
bool SamePlace(const AutostartEntry& a, const AutostartEntry& b)
{
    if (!a.LinkFile.empty() || !b.LinkFile.empty())
        return !a.LinkFile.empty() && !b.LinkFile.empty() && SameText(FolderOf(a.LinkFile), FolderOf(b.LinkFile));
    if (!a.RegKey.empty() || !b.RegKey.empty())
        return a.RegRoot == b.RegRoot && SameText(a.RegKey, b.RegKey);
    return SameText(a.IniSection, b.IniSection);
}

// Names that no link file or win.ini entry can carry.
bool NameAllowed(const AutostartEntry& entry, const std::string& name)
{
    if (!entry.LinkFile.empty()) {
        const std::string base = name.substr(0, name.size() - 4);
        const std::string path = FolderOf(entry.LinkFile) + "\\" + name;
        return base.find_first_not_of(" .") != std::string::npos && name.find_first_of("\\/:*?\"<>|") == std::string::npos &&
               path.size() < MAX_PATH;
    }
    if (!entry.IniSection.empty())
        return !name.empty() && name.find_first_of("=\r\n") == std::string::npos && name.front() != '[' &&
               name.front() != ';' && name.front() != ' ' && name.back() != ' ';
    return true;
}

}  // namespace

AutostartFiles& AutostartFileLocations()
{
    static AutostartFiles files;
    return files;
}

std::string CommonStartupFolder()
{
    const std::string& chosen = AutostartFileLocations().commonStartupFolder;
    return chosen.empty() ? helpers::SpecialFolderPath(ui::App().mainWindow(), CSIDL_COMMON_STARTUP) : chosen;
}

std::string WinIniFile()
{
    const std::string& chosen = AutostartFileLocations().iniFile;
    if (!chosen.empty())
        return chosen;
    char folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return (length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string()) + "\\win.ini";
}

AutostartManager::AutostartManager() = default;
AutostartManager::~AutostartManager() = default;

void AutostartManager::bind(ui::DrawnList& list, components::TShortcutLink& link)
{
    list_ = &list;
    link_ = &link;
    link_->setQuiet(true);
}

void AutostartManager::PrepareSourceLabels()
{
    for (int source = 0; source < kIniRunSource; ++source)
        labels_[static_cast<std::size_t>(source)] = language::LangString(kFirstSourceLabel + source);
    const std::string winIni = language::LangString(kWinIniWord) + " \"Win.ini\"";
    labels_[kIniRunSource] = winIni + " [RUN]";
    labels_[kIniLoadSource] = winIni + " [LOAD]";
}

void AutostartManager::CollectAutostartEntries()
{
    list_->clear();
    // A key that cannot be created yields no rows; the other sources are still listed
    // before the error is told.
    std::exception_ptr firstError;
    for (const RunKeySource& source : RunKeys()) {
        try {
            RegKeyEnsure(source.root, RunKeyPath(source));
        } catch (const ui::Exception&) {
            if (!firstError)
                firstError = std::current_exception();
        }
    }
    icons_.reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 8));
    names_.clear();
    commands_.clear();

    // A search cancelled earlier must not hide the links.
    ui::CancelRequested = false;
    const std::string common = ui::UpperCase(CommonStartupFolder());
    if (!common.empty() && helpers::FolderExists(common))
        collectStartupFolder(common, kCommonStartupSource);
    const std::string user = RegReadText(HKCU, kShellFoldersKey, "StartUp");
    if (!user.empty() && !SameFolder(user, common) && helpers::FolderExists(user))
        collectStartupFolder(user, kUserStartupSource);

    int source = kFirstRunKeySource;
    for (const RunKeySource& key : RunKeys())
        collectRunKey(key.root, RunKeyPath(key), source++);
    collectIniSection("RUN", kIniRunSource);
    collectIniSection("LOAD", kIniLoadSource);
    sizeColumns();
    if (firstError)
        std::rethrow_exception(firstError);
}

void AutostartManager::collectStartupFolder(const std::string& folder, int source)
{
    for (const std::string& path : StartupLinks(folder)) {
        // The component is quiet: an unreadable link leaves the cleared target.
        link_->setTarget("");
        link_->setShortcutFile(path);
        link_->ReadLink();
        AutostartEntry entry;
        entry.Name = helpers::TextAfterLast(path, '\\');
        entry.Command = link_->Target();
        entry.LinkFile = path;
        entry.SourceLabel = labels_[static_cast<std::size_t>(source)];
        const std::string iconPath = entry.Command;
        makeRow(std::move(entry), iconPath);
    }
}

void AutostartManager::collectRunKey(RootKey root, const std::string& key, int source)
{
    for (const std::string& name : RegValueNames(root, key)) {
        AutostartEntry entry;
        entry.Name = name;
        entry.Command = RegReadText(root, key, name);
        entry.RegRoot = root;
        entry.RegKey = key;
        entry.SourceLabel = labels_[static_cast<std::size_t>(source)];
        const std::string iconPath = WithoutEnclosingQuotes(entry.Command);
        makeRow(std::move(entry), iconPath);
    }
}

// Every line of the section is a row of its own, with its command as the file holds it
// (quotes included), also where two lines carry the same name.
void AutostartManager::collectIniSection(const std::string& section, int source)
{
    std::map<std::string, int> linesOfName;
    for (const helpers::IniEntryLine& line : helpers::ReadIniEntryLines(WinIniFile(), section)) {
        AutostartEntry entry;
        entry.Name = line.name;
        entry.Command = line.value;
        entry.IniSection = section;
        entry.IniOccurrence = linesOfName[ui::UpperCase(line.name)]++;
        entry.SourceLabel = labels_[static_cast<std::size_t>(source)];
        const std::string iconPath = WithoutEnclosingQuotes(entry.Command);
        makeRow(std::move(entry), iconPath);
    }
}

void AutostartManager::makeRow(AutostartEntry entry, const std::string& iconPath)
{
    if (!icons_)
        icons_.reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 8));
    if (!entry.IsNew) {
        entry.StoredName = entry.Name;
        entry.StoredCommand = entry.Command;
    }
    names_.push_back(entry.Name);
    commands_.push_back(entry.Command);
    entry.IconIndex = AddFirstIcon(icons_.get(), iconPath);
    entry.Row = list_->rowCount();
    list_->addRow(AutostartRow{std::move(entry), false});
}

// Each column as wide as its longest text, and never so narrow that its title is cut.
void AutostartManager::sizeColumns()
{
    ui::MeasuringCanvas measuring(list_->font());
    ui::Canvas& canvas = measuring.canvas();
    const auto titleWidth = [&](int column) { return canvas.textWidth(list_->columnCaption(column)) + kTitleRoom; };
    list_->setColumnWidth(kNameColumn, std::max(helpers::MaxTextWidth(names_, canvas) + kNameColumnRoom, titleWidth(kNameColumn)));
    list_->setColumnWidth(kCommandColumn, std::max(helpers::MaxTextWidth(commands_, canvas) + kCommandColumnRoom,
                                                   titleWidth(kCommandColumn)));
}

void AutostartManager::AddAutostartEntry(const std::string& Name, const std::string& Command, int Target)
{
    AutostartEntry entry;
    entry.Name = Name;
    entry.Command = Command;
    entry.IsNew = true;
    entry.RegRoot = HKCU;
    entry.RegKey = kWindowsKey + (Target == 1 ? "\\RunOnce" : "\\Run");
    entry.SourceLabel = labels_[Target == 1 ? kHkcuRunOnceSource : kHkcuRunSource];
    const std::string iconPath = entry.Command;
    makeRow(std::move(entry), iconPath);
}

AutostartRow* AutostartManager::row(int index) const
{
    return list_ ? list_->recordAs<AutostartRow>(index) : nullptr;
}

int AutostartManager::rowCount() const
{
    return list_ ? list_->rowCount() : 0;
}

std::string AutostartManager::entryName(int rowIndex, const std::string& typed) const
{
    const AutostartRow* entryRow = rowIndex >= 0 ? row(rowIndex) : nullptr;
    if (entryRow && !entryRow->entry.LinkFile.empty() && !EndsWithLinkExtension(typed))
        return typed + ".lnk";
    return typed;
}

NameProblem AutostartManager::checkName(int rowIndex, const std::string& typed) const
{
    AutostartEntry candidate;
    if (const AutostartRow* entryRow = rowIndex >= 0 ? row(rowIndex) : nullptr) {
        candidate = entryRow->entry;
    } else {
        candidate.IsNew = true;
        candidate.RegRoot = HKCU;
        candidate.RegKey = kWindowsKey + "\\Run";
    }
    const std::string name = entryName(rowIndex, typed);
    if (!NameAllowed(candidate, name))
        return NameProblem::NotAllowed;
    // The entry may always go back to the name its source holds it under.
    if (!candidate.IsNew && SameText(name, candidate.StoredName))
        return NameProblem::None;

    // Another row of the same place has the name, or its source still holds it under
    // that name: applying in row order would overwrite one with the other.
    for (int other = 0; other < rowCount(); ++other) {
        if (other == rowIndex)
            continue;
        const AutostartEntry& entry = row(other)->entry;
        if (!SamePlace(candidate, entry))
            continue;
        if (SameText(name, entry.Name) || (!entry.IsNew && SameText(name, entry.StoredName)))
            return NameProblem::Taken;
    }
    // What the source holds beyond the list.
    if (!candidate.LinkFile.empty()) {
        const std::string path = FolderOf(candidate.LinkFile) + "\\" + name;
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return NameProblem::Taken;
    } else if (!candidate.RegKey.empty()) {
        if (ContainsName(RegValueNames(candidate.RegRoot, candidate.RegKey), name))
            return NameProblem::Taken;
    } else if (ContainsName(IniEntryNames(candidate.IniSection), name)) {
        return NameProblem::Taken;
    }
    return NameProblem::None;
}

// --- Applying ---------------------------------------------------------------------

struct AutostartManager::Changes {
    bool links = false;
    bool registry = false;
    bool ini = false;
    std::vector<std::string> unchanged;  // the entries whose source refused, as the list names them
    std::vector<int> removedRows;        // rows whose entry is gone from its source
};

bool AutostartManager::ApplyAutostartChanges()
{
    const journal::ChangeScope change(language::LangString(kChangeDescription));
    Changes changes;
    try {
        for (int index = 0; index < rowCount(); ++index)
            applyRow(*row(index), changes);
    } catch (...) {
        // The list shows what the sources now hold: what was removed is no longer in it.
        removeRows(changes.removedRows);
        throw;
    }
    report(changes);
    list_->clear();
    if (icons_)
        ImageList_RemoveAll(icons_.get());
    return changes.links || changes.registry || changes.ini;
}

void AutostartManager::applyRow(AutostartRow& current, Changes& changes)
{
    AutostartEntry& entry = current.entry;
    const std::string shown = entry.Name + " (" + entry.SourceLabel + ")";
    if (entry.Modified && !current.markedForRemoval && !entry.IsNew) {
        if (!applyEdit(entry, changes)) {
            changes.unchanged.push_back(shown);
            return;
        }
        // Done: a second apply after a later row failed leaves this one alone.
        entry.Modified = false;
        entry.StoredName = entry.Name;
        entry.StoredCommand = entry.Command;
    }
    if (!entry.IsNew && current.markedForRemoval) {
        if (applyRemoval(entry, changes))
            changes.removedRows.push_back(entry.Row);
        else
            changes.unchanged.push_back(shown);
    }
    if (entry.IsNew && !current.markedForRemoval && !entry.RegKey.empty()) {
        RegWriteText(entry.RegRoot, entry.RegKey, entry.Name, entry.Command);
        entry.IsNew = false;
        entry.Modified = false;
        entry.StoredName = entry.Name;
        entry.StoredCommand = entry.Command;
    }
}

// What changed, and in a warning what did not.
void AutostartManager::report(const Changes& changes) const
{
    std::vector<std::string> lines;
    if (changes.registry)
        lines.push_back(language::LangString(kRegistryChanged));
    if (changes.links)
        lines.push_back(language::LangString(kLinksChanged));
    if (!changes.unchanged.empty()) {
        lines.push_back(language::LangString(kLeftUnchanged));
        lines.insert(lines.end(), changes.unchanged.begin(), changes.unchanged.end());
        ui::MessageDlg(language::MessageLines(lines), ui::MsgKind::Warning, {ui::MsgButton::OK});
    } else if (changes.links && !changes.registry) {
        ui::ShowMessage(language::MessageLines(lines));
    } else if (changes.registry) {
        ui::MessageDlg(language::MessageLines(lines), ui::MsgKind::Information, {ui::MsgButton::OK});
    }
}

void AutostartManager::removeRows(std::vector<int> rows)
{
    std::sort(rows.rbegin(), rows.rend());
    for (const int index : rows)
        list_->deleteItem(index);
    for (int index = 0; index < rowCount(); ++index)
        row(index)->entry.Row = index;
}

// A deleted win.ini line no longer counts among the lines of its name.
void AutostartManager::iniLineRemoved(const AutostartEntry& removed)
{
    for (int index = 0; index < rowCount(); ++index) {
        AutostartEntry& entry = row(index)->entry;
        if (&entry != &removed && !entry.IniSection.empty() && SameText(entry.IniSection, removed.IniSection) &&
            SameText(entry.StoredName, removed.StoredName) && entry.IniOccurrence > removed.IniOccurrence)
            --entry.IniOccurrence;
    }
}

bool AutostartManager::applyEdit(AutostartEntry& entry, Changes& changes)
{
    const bool renamed = !SameText(entry.Name, entry.StoredName);
    if (!entry.LinkFile.empty()) {
        const std::string newPath = renamed ? FolderOf(entry.LinkFile) + "\\" + entry.Name : entry.LinkFile;
        // Something that appeared under the new name since the edit is never replaced.
        if (renamed && GetFileAttributesA(newPath.c_str()) != INVALID_FILE_ATTRIBUTES)
            throw ui::EFileCreateError::cannotCreate(newPath);
        if (entry.Command != entry.StoredCommand) {
            if (!rewriteLink(entry, newPath))
                return false;
            changes.links = true;
        } else if (renamed) {
            // Only the name changed: the link file keeps everything it holds.
            if (!helpers::RenameFile(entry.LinkFile, newPath))
                throw ui::EOSError::fromLastError();
            changes.links = true;
        }
        entry.LinkFile = newPath;
        return true;
    }
    if (!entry.RegKey.empty()) {
        if (!editRegistryValue(entry, renamed))
            return false;
        changes.registry = true;
        return true;
    }
    if (!entry.IniSection.empty()) {
        // The entry's own line is rewritten in place, under its new name too: the old
        // name is gone with it, and a line of the same name stays as it is.
        if (!helpers::ChangeIniEntryLine(WinIniFile(), entry.IniSection, {entry.StoredName, entry.StoredCommand},
                                         entry.IniOccurrence, helpers::IniEntryLine{entry.Name, entry.Command}))
            return false;
        if (renamed)
            entry.IniOccurrence = 0;  // a new name is one no other line of the section has
        changes.ini = true;
        return true;
    }
    return true;
}

// Rewrites the value with the new command, keeping its kind: an expandable string
// stays one, so that %ProgramFiles% and the like are still expanded at logon. A value
// of another kind (or one that is gone) takes no text: false, nothing written.
bool AutostartManager::editRegistryValue(AutostartEntry& entry, bool renamed)
{
    const RegDataKind kind = RegValueKind(entry.RegRoot, entry.RegKey, entry.StoredName);
    if (kind == RegDataKind::None)
        return false;
    if (!renamed) {
        if (kind == RegDataKind::ExpandString)
            return RegWriteExpandText(entry.RegRoot, entry.RegKey, entry.StoredName, entry.Command);
        const bool readsBack = RegUpdateText(entry.RegRoot, entry.RegKey, entry.StoredName, entry.Command);
        // A binary value takes the number but reads back as its bytes, not as the text.
        return readsBack || kind == RegDataKind::Binary;
    }
    if (ContainsName(RegValueNames(entry.RegRoot, entry.RegKey), entry.Name))
        throw ui::ERegistryError::writeFailed(entry.Name);
    // The value under the new name is written as rewriting the old one would write it;
    // the old one goes only once the new one stands.
    bool written = false;
    switch (kind) {
    case RegDataKind::Integer:
        written = RegWriteInt(entry.RegRoot, entry.RegKey, entry.Name, ui::StrToInt(entry.Command));
        break;
    case RegDataKind::Binary:
        written = RegStoreInt(entry.RegRoot, entry.RegKey, entry.Name, ui::StrToInt(entry.Command));
        break;
    case RegDataKind::String:
        written = RegWriteText(entry.RegRoot, entry.RegKey, entry.Name, entry.Command);
        break;
    case RegDataKind::ExpandString:
        written = RegWriteExpandText(entry.RegRoot, entry.RegKey, entry.Name, entry.Command);
        break;
    case RegDataKind::None:
        break;
    }
    if (written)
        RegValueRemove(entry.RegRoot, entry.RegKey, entry.StoredName);
    return written;
}

// The old link goes to the Recycle Bin and a new one takes its place (or its new name):
// the new target, and everything else the old link held. A link that cannot go to the
// Recycle Bin is left as it is (false).
bool AutostartManager::rewriteLink(AutostartEntry& entry, const std::string& newPath)
{
    link_->setShortcutFile(entry.LinkFile);
    link_->setTarget("");
    link_->setWorkingDir("");
    link_->ReadLink();
    link_->ReadLinkDetails();
    if (!helpers::RecycleFile(entry.LinkFile) && helpers::FileExists(entry.LinkFile))
        return false;
    link_->setTarget(entry.Command);
    link_->setShortcutFile(newPath);
    link_->WriteLink();
    return true;
}

// True when the entry is gone from its source (also when it was gone already).
bool AutostartManager::applyRemoval(const AutostartEntry& entry, Changes& changes)
{
    if (!entry.LinkFile.empty()) {
        if (!helpers::FileExists(entry.LinkFile))
            return true;
        if (!helpers::RecycleFile(entry.LinkFile))
            return false;
        changes.links = true;
        return true;
    }
    if (!entry.RegKey.empty()) {
        if (!RegValueDelete(entry.RegRoot, entry.RegKey, entry.StoredName))
            return false;
        changes.registry = true;
        return true;
    }
    if (!entry.IniSection.empty()) {
        if (!helpers::ChangeIniEntryLine(WinIniFile(), entry.IniSection, {entry.StoredName, entry.StoredCommand},
                                         entry.IniOccurrence, std::nullopt))
            return false;
        iniLineRemoved(entry);
        changes.ini = true;
        return true;
    }
    return true;
}

}  // namespace autostart
