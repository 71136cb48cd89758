#include "cleanup/file_scanner.h"

#include "cleanup/cleanup_places.h"
#include "cleanup/scan_feedback.h"
#include "registry/helpers.h"
#include "ui/application.h"
#include "ui/convert.h"
#include "ui/handles.h"

#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_set>

namespace cleanup {

FileScanChoices FileScanFlags;

namespace {

constexpr const char* kTemporaryInternetFiles = "\\TEMPORARY INTERNET FILES\\";

// Paths the temporary-folder scan stops at: what lies there and after it belongs to
// programs that keep working files among the temporary ones. The drive scan leaves
// files with these paths alone as well.
constexpr std::array<const char*, 6> kProtectedMarkers = {
    kTemporaryInternetFiles, "\\VBE\\", "\\WBEMESS.LOG", "\\NTGRDT.LOG", "\\DATA.BAK", "\\SETUP LOG FILE.LOG",
};

// Names that programs give files they expect to find again in the temporary folders.
constexpr std::array<const char*, 4> kKeptTmpNames = {"DONOTDELETE.TMP", "DONOTDEL.TMP", "DONTDEL.TMP",
                                                      "DONTDELETE.TMP"};

constexpr std::array<const char*, 6> kBackupExtensions = {"OLD", "PRV", "NAV", "1ST", "BAK", "SYD"};

struct ScanState {
    std::vector<std::string> found;
    std::unordered_set<std::string> foundUpper;  // the duplicate test: letter case ignored
    std::vector<std::string> tempFolders;
    std::unordered_set<std::string> excludedFolders;  // upper-cased, ending with "\"
    FileResultList* results = nullptr;
};

ScanState& State()
{
    static ScanState state;
    return state;
}

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

bool HoldsProtectedMarker(const std::string& upperPath)
{
    return std::any_of(kProtectedMarkers.begin(), kProtectedMarkers.end(),
                       [&](const char* marker) { return Contains(upperPath, marker); });
}

bool IsFolder(const WIN32_FIND_DATAA& found)
{
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A folder the scans enter: not "." or "..", and no junction or link, whose target
// lies elsewhere (on a drive that was not chosen, or outside the Windows drives).
bool IsEnteredFolder(const WIN32_FIND_DATAA& found)
{
    return IsFolder(found) && found.cFileName[0] != '.' && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::int64_t SizeOf(const WIN32_FIND_DATAA& found)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
}

// Calls visit for every entry of folder (ending with "\"), in listing order, until
// visit returns false. Errors while listing end the listing quietly.
template <class Visit>
void ForEachEntry(const std::string& folder, Visit visit)
{
    WIN32_FIND_DATAA found;
    const ui::FindHandle search(FindFirstFileA((folder + "*.*").c_str(), &found));
    if (!search)
        return;
    do {
        if (!visit(found))
            return;
    } while (FindNextFileA(search.get(), &found));
}

// Opens the file for reading and writing with no sharing, and closes it at once. A
// read-only file counts as refused whoever asks (an administrator's open may succeed).
bool OpensExclusively(const std::string& path, DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return false;
    const ui::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

// Takes a file into the result list unless it was taken before or cannot be opened
// exclusively (in use, read-only, vanished or refused).
void Accept(const std::string& fullPath, const WIN32_FIND_DATAA& found, const std::string& folder)
{
    ScanState& state = State();
    std::string key = ui::UpperCase(fullPath);
    if (state.foundUpper.count(key) || !OpensExclusively(fullPath, found.dwFileAttributes))
        return;
    state.foundUpper.insert(std::move(key));
    state.found.push_back(fullPath);
    if (state.results)
        state.results->addFile(FileEntry{found.cFileName, folder, SizeOf(found)});
}

// The user's TEMP folder: beside his local application data folder.
std::string UserTempFolder()
{
    const std::optional<std::string>& placed = Places().localAppData;
    const std::string localAppData =
        ui::UpperCase(placed ? *placed : helpers::SpecialFolderPath(nullptr, CSIDL_LOCAL_APPDATA));
    if (localAppData.empty())
        return {};
    const auto slash = localAppData.find_last_of('\\');
    if (slash == std::string::npos)
        return {};
    return localAppData.substr(0, slash) + "\\TEMP\\";
}

void FillTempFolders(std::vector<std::string>& folders)
{
    folders.push_back(ui::UpperCase(Places().windowsDir) + "\\TEMP\\");
    const std::string userTemp = UserTempFolder();
    if (!userTemp.empty())
        folders.push_back(userTemp);
}

// The Windows folders the drive scan never enters; the recycle bins are the other
// excluded folders (IsExcludedFolder).
void FillExcludedFolders(std::unordered_set<std::string>& folders)
{
    const std::string windows = ui::UpperCase(Places().windowsDir);
    for (const char* below : {"\\SYSBACKUP\\", "\\REPAIR\\", "\\SECURITY\\"})
        folders.insert(windows + below);
}

// Folders the drive scan never enters, with everything below them: the recycle bins
// directly below a drive's root, the Windows folders that hold its backups and its
// security data, and the browser cache.
bool IsExcludedFolder(const std::string& upperFolder, const std::string& upperRelative)
{
    return upperRelative == "RECYCLED\\" || upperRelative == "RECYCLER\\" || State().excludedFolders.count(upperFolder) ||
           Contains(upperRelative, kTemporaryInternetFiles);
}

// The whole-folder scan below one folder: a folder's own files first, then each
// subfolder in listing order. False once the scan must end (a protected path was
// reached or the user cancelled).
bool ScanWholeFolder(const std::string& folder)
{
    if (ScanPause())
        return false;
    std::vector<std::string> subfolders;
    bool goOn = true;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& found) {
        if (IsFolder(found)) {
            if (IsEnteredFolder(found))
                subfolders.emplace_back(found.cFileName);
            return true;
        }
        const std::string path = folder + found.cFileName;
        if (HoldsProtectedMarker(ui::UpperCase(path))) {
            goOn = false;
            return false;
        }
        Accept(path, found, folder.substr(0, folder.size() - 1));
        return !ScanPause();
    });
    if (!goOn || ui::CancelRequested)
        return false;
    for (const std::string& subfolder : subfolders)
        if (!ScanWholeFolder(folder + subfolder + "\\"))
            return false;
    return true;
}

}  // namespace

void SetFileResultList(FileResultList* list)
{
    State().results = list;
}

void PrepareFileScan()
{
    ScanState& state = State();
    state.found.clear();
    state.foundUpper.clear();
    state.tempFolders.clear();
    state.excludedFolders.clear();
    FillTempFolders(state.tempFolders);
    FillExcludedFolders(state.excludedFolders);
}

void ReleaseFileScan()
{
    ScanState& state = State();
    state.found = {};
    state.foundUpper = {};
    state.tempFolders = {};
    state.excludedFolders = {};
}

const std::vector<std::string>& TempFolders()
{
    return State().tempFolders;
}

const std::vector<std::string>& FoundFiles()
{
    return State().found;
}

bool FileNameQualifies(const std::string& name, const FileScanChoices& choices)
{
    const std::string upper = ui::UpperCase(name);
    const auto dot = upper.find_last_of('.');
    if (dot == std::string::npos || Contains(upper, ".EXE."))
        return false;
    if (std::find(kKeptTmpNames.begin(), kKeptTmpNames.end(), upper) != kKeptTmpNames.end())
        return false;
    const std::string_view ext = std::string_view(upper).substr(dot + 1);
    const std::string_view base = std::string_view(upper).substr(0, dot);
    const char last = base.empty() ? '\0' : base.back();
    const auto extIs = [&](std::initializer_list<std::string_view> options) {
        return std::find(options.begin(), options.end(), ext) != options.end();
    };

    if (choices.Gid && ext == "GID")
        return true;
    if (choices.Log && ext == "LOG")
        return true;
    if (choices.Tmp && extIs({"TMP", "_MP", "~MP"}))
        return true;
    if (choices.Bak && std::find(kBackupExtensions.begin(), kBackupExtensions.end(), ext) != kBackupExtensions.end())
        return true;
    // "*.??~", which both captions name, counts with the general backups.
    const bool tildeBackup = (!ext.empty() && ext.front() == '~') || last == '~' || (ext.size() == 3 && ext.back() == '~');
    if (choices.Bak2 && tildeBackup)
        return true;
    if (choices.Other && (extIs({"$$$", "---"}) || (ext == "DIR" && base == "MSCREATE") ||
                          (ext.size() == 3 && ext.back() == '~')))
        return true;
    if (choices.Chk && ext == "CHK" && (base == "CHKDSK" || base.substr(0, 4) == "FILE"))
        return true;
    return false;
}

bool FileInUse(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return !OpensExclusively(path, attributes);
}

void ScanDriveFolder(const std::string& driveRoot, const std::string& relativeFolder)
{
    if (ScanPause())
        return;
    const std::string folder = driveRoot + relativeFolder;
    // Files directly in a drive's root, or in a top-level folder of one or two
    // letters, are never examined; the folders below them are.
    const bool examineFiles = relativeFolder.size() >= 4;
    if (examineFiles) {
        const std::string upperFolder = ui::UpperCase(folder);
        if (IsExcludedFolder(upperFolder, ui::UpperCase(relativeFolder)))
            return;
        ShowScanDetail(relativeFolder);
    }
    std::vector<std::string> subfolders;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& found) {
        if (IsFolder(found)) {
            if (IsEnteredFolder(found))
                subfolders.emplace_back(found.cFileName);
            return true;
        }
        if (examineFiles && FileNameQualifies(found.cFileName, FileScanFlags)) {
            const std::string path = folder + found.cFileName;
            if (!HoldsProtectedMarker(ui::UpperCase(path)))
                Accept(path, found, folder.substr(0, folder.size() - 1));
        }
        return !ScanPause();
    });
    for (const std::string& subfolder : subfolders) {
        if (ui::CancelRequested)
            return;
        ScanDriveFolder(driveRoot, relativeFolder + subfolder + "\\");
    }
}

void ScanTempFolder(const std::string& folder)
{
    if (ui::CancelRequested || folder.size() <= 3)
        return;
    ScanWholeFolder(folder);
}

}  // namespace cleanup
