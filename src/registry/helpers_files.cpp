// File searches, empty folders and the recycle bin.
#include "registry/helpers.h"

#include <shellapi.h>

#include <functional>

#include "ui/application.h"
#include "ui/handles.h"

namespace helpers {

namespace {

// SHFileOperationA takes at most 256 characters per path here: the path and its
// two terminating zeros.
constexpr std::size_t kMaxRecyclePath = 253;

bool IsFolder(const WIN32_FIND_DATAA& found)
{
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Calls visit for every entry that FindFirstFileA/FindNextFileA report for pattern,
// in the order the file system reports them. A failing search visits nothing.
void ForEachFound(const std::string& pattern, const std::function<void(const WIN32_FIND_DATAA&)>& visit)
{
    WIN32_FIND_DATAA found;
    const ui::FindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search)
        return;
    do
        visit(found);
    while (FindNextFileA(search.get(), &found));
}

// Keeps the system's "insert a disk" box away while a drive without a medium is probed.
class QuietCriticalErrors {
public:
    QuietCriticalErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    QuietCriticalErrors(const QuietCriticalErrors&) = delete;
    QuietCriticalErrors& operator=(const QuietCriticalErrors&) = delete;
    ~QuietCriticalErrors() { SetErrorMode(previous_); }

private:
    UINT previous_;
};

bool ShellRecycle(const std::string& zeroTerminatedList, bool& aborted)
{
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = zeroTerminatedList.c_str();
    // Without the warning, "no confirmation" would also let the shell delete for good,
    // without a word, a file it cannot move to the Recycle Bin.
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING;
    const int result = SHFileOperationA(&operation);
    aborted = operation.fAnyOperationsAborted != FALSE;
    return result == 0;
}

}  // namespace

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathAccessible(const std::string& path)
{
    const QuietCriticalErrors quiet;
    WIN32_FIND_DATAA found;
    const ui::FindHandle search(FindFirstFileA(path.c_str(), &found));
    if (search)
        return true;
    const DWORD error = GetLastError();
    return error != ERROR_PATH_NOT_FOUND && error != ERROR_NOT_READY;
}

void CollectFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list)
{
    ui::ProcessMessages();
    if (ui::CancelRequested)
        return;
    ForEachFound(folder + mask, [&](const WIN32_FIND_DATAA& found) {
        if (!IsFolder(found))
            list.push_back(folder + found.cFileName);
    });
    ForEachFound(folder + "*.*", [&](const WIN32_FIND_DATAA& found) {
        if (IsFolder(found) && found.cFileName[0] != '.')
            CollectFiles(folder + found.cFileName + "\\", mask, list);
    });
}

// Junctions and other reparse points are neither entered nor removed: what lies
// behind them is outside the folder being tidied.
void RemoveEmptySubfolders(const std::string& folder, int depth)
{
    ForEachFound(folder + "*.*", [&](const WIN32_FIND_DATAA& found) {
        if (IsFolder(found) && found.cFileName[0] != '.' && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            RemoveEmptySubfolders(folder + found.cFileName + "\\", depth + 1);
    });
    if (depth <= 0)
        return;
    const std::string self = StripTrailingBackslashes(folder);
    SetFileAttributesA(self.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(self.c_str());
}

bool RecycleFile(const std::string& file)
{
    if (!FileExists(file))
        return false;
    char fullPath[MAX_PATH];
    const DWORD length = GetFullPathNameA(file.c_str(), MAX_PATH, fullPath, nullptr);
    // A longer path would have to be cut, and a cut path may name another file.
    if (length == 0 || length > kMaxRecyclePath)
        return false;
    // With one file, a cancelled operation leaves that file where it was: no success.
    bool aborted = false;
    return ShellRecycle(std::string(fullPath, length) + std::string(2, '\0'), aborted) && !aborted;
}

bool RecycleFiles(const std::string& paths, bool& aborted)
{
    aborted = false;
    // An empty list is nothing to do; the shell would answer it with an error box.
    if (paths.find_first_not_of('\0') == std::string::npos)
        return true;
    return ShellRecycle(paths + std::string(2, '\0'), aborted);
}

bool CopyFileReplacing(const std::string& source, const std::string& target)
{
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
}

bool MoveFileReplacing(const std::string& source, const std::string& target)
{
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool MoveFileKeeping(const std::string& source, const std::string& target)
{
    return MoveFileExA(source.c_str(), target.c_str(), 0) != FALSE;
}

}  // namespace helpers
