// The file clean-up scanner: finds files whose names mark them as temporary, backup,
// log, check-disk or help-index files on the chosen drives, and every file below the
// two Windows temporary folders. It deletes nothing: each accepted file becomes a
// ticked line of the file result list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cleanup {

// One line of the file result list.
struct FileEntry {
    std::string Name;    // file name with extension, as the directory listing spells it
    std::string Folder;  // full path of its folder, without a trailing backslash
    std::int64_t Size = 0;
};

// Where accepted files go: the file result list of the result dialog.
class FileResultList {
public:
    virtual ~FileResultList() = default;
    virtual void addFile(const FileEntry& entry) = 0;
};

// The eight choices of the file search, copied from the clean-up page's check boxes.
struct FileScanChoices {
    bool WinTmpDir = false;  // the whole temporary folders
    bool Chk = false;
    bool Tmp = false;
    bool Bak = false;
    bool Bak2 = false;
    bool Other = false;
    bool Log = false;
    bool Gid = false;

    bool anyCategory() const { return Chk || Tmp || Bak || Bak2 || Other || Log || Gid; }
};
extern FileScanChoices FileScanFlags;

// The list accepted files are added to (nullptr: none).
void SetFileResultList(FileResultList* list);

// Starts a search: empties the accepted files and fills the temporary and the
// excluded folders anew.
void PrepareFileScan();
// Forgets the lists of the last search.
void ReleaseFileScan();

// The folders the temporary-folder scan searches whole: upper-cased, each ending with
// "\": the Windows TEMP folder and the user's TEMP beside his local application data.
const std::vector<std::string>& TempFolders();
// The full paths accepted since PrepareFileScan, in the order of acceptance.
const std::vector<std::string>& FoundFiles();

// The category scan of one folder of a drive and, recursively, of its subfolders.
// driveRoot is "C:\"; relativeFolder is "" for the root or ends with "\" ("WINDOWS\").
void ScanDriveFolder(const std::string& driveRoot, const std::string& relativeFolder);
// Accepts every file below one temporary folder (full path ending with "\").
void ScanTempFolder(const std::string& folder);

// Whether the category rules of the chosen categories take a file of this name.
bool FileNameQualifies(const std::string& name, const FileScanChoices& choices);

// True when the file exists and cannot be opened exclusively for reading and writing
// (held open by another program, read-only, or access denied).
bool FileInUse(const std::string& path);

}  // namespace cleanup
