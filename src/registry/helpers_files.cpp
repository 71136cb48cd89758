// File searches, empty folders and the recycle bin.
#include "registry/helpers.h"

#include <shellapi.h>

#include <algorithm>
#include <functional>

#include "registry/change_journal.h"
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
    const ui::QuietCriticalErrors quiet;
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

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    journal::BeforeFileChange(path);
    const ui::FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 20));
        DWORD done = 0;
        if (!WriteFile(file.get(), bytes.data() + written, chunk, &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    return true;
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    return WriteFileBytes(path, content);
}

bool ClearFileAttributes(const std::string& path)
{
    if (FileExists(path))
        journal::BeforeFileChange(path);
    return FileExists(path) && SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
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
    journal::BeforeFileRecycled(std::string(fullPath, length));
    // With one file, a cancelled operation leaves that file where it was: no success.
    bool aborted = false;
    return ShellRecycle(std::string(fullPath, length) + std::string(2, '\0'), aborted) && !aborted;
}

bool RenameFile(const std::string& from, const std::string& to)
{
    // The journal keeps the file under its old name and notes that the new one was free.
    journal::BeforeFileChange(from);
    journal::BeforeFileChange(to);
    // MoveFileA without MOVEFILE_REPLACE_EXISTING refuses an existing target.
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool MakeFileWritable(const std::string& file)
{
    if (FileExists(file))
        journal::BeforeFileChange(file);
    return FileExists(file) && SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_ARCHIVE) != FALSE;
}

bool RecycleFiles(const std::string& paths, bool& aborted)
{
    aborted = false;
    // An empty list is nothing to do; the shell would answer it with an error box.
    if (paths.find_first_not_of('\0') == std::string::npos)
        return true;
    for (std::size_t start = 0; start < paths.size();) {
        const auto end = paths.find('\0', start);
        const std::string path = paths.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!path.empty() && FileExists(path))
            journal::BeforeFileRecycled(path);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return ShellRecycle(paths + std::string(2, '\0'), aborted);
}

std::optional<std::int64_t> RecycleBinItemCount()
{
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(SHQueryRecycleBinA(nullptr, &info)))
        return std::nullopt;
    return static_cast<std::int64_t>(info.i64NumItems);
}

bool CopyFileTo(const std::string& source, const std::string& target, bool overwrite)
{
    if (!overwrite && FileExists(target))
        return false;
    journal::BeforeFileChange(target);
    return CopyFileA(source.c_str(), target.c_str(), overwrite ? FALSE : TRUE) != FALSE;
}

bool MoveFileReplacing(const std::string& source, const std::string& target)
{
    journal::BeforeFileChange(source);
    journal::BeforeFileChange(target);
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

}  // namespace helpers
