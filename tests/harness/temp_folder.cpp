#include "harness/temp_folder.h"

#include <windows.h>

#include <stdexcept>

#include "ui/handles.h"

namespace testing_support {

namespace {

std::string TempRoot()
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("no temporary folder");
    std::string root(buffer, length);
    if (root.back() != '\\')
        root += '\\';
    return root;
}

// Process id, tick count and a counter: unique across parallel test programs.
std::string CreateUniqueFolder()
{
    static unsigned counter = 0;
    const std::string root = TempRoot();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string candidate = root + "velmora-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                                      std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
        if (CreateDirectoryA(candidate.c_str(), nullptr))
            return candidate + "\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    throw std::runtime_error("cannot create a temporary test folder under " + root);
}

bool IsDots(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

void RemoveEntry(const std::string& path, DWORD attributes)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    const bool isFolder = attributes & FILE_ATTRIBUTE_DIRECTORY;
    if (isFolder && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveFolderTree(path + "\\");
    else if (isFolder)
        RemoveDirectoryA(path.c_str());
    else
        DeleteFileA(path.c_str());
}

// A folder that is the current directory cannot be removed: step out of it first.
void LeaveFolder(const std::string& folder)
{
    char current[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length == 0 || length > MAX_PATH)
        return;
    const std::string inside = std::string(current, length) + "\\";
    if (inside.compare(0, folder.size(), folder) == 0)
        SetCurrentDirectoryA(TempRoot().c_str());
}

}  // namespace

void RemoveFolderTree(const std::string& folder)
{
    {
        WIN32_FIND_DATAA found;
        const ui::FindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
        if (search) {
            do {
                if (!IsDots(found.cFileName))
                    RemoveEntry(folder + found.cFileName, found.dwFileAttributes);
            } while (FindNextFileA(search.get(), &found));
        }
    }
    const std::string self = folder.substr(0, folder.size() - 1);
    SetFileAttributesA(self.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(self.c_str());
}

TempFolder::TempFolder() : path_(CreateUniqueFolder()) {}

TempFolder::~TempFolder()
{
    LeaveFolder(path_);
    RemoveFolderTree(path_);
}

std::string TempFolder::file(const std::string& relative, const std::string& contents) const
{
    const std::string full = path_ + relative;
    const auto slash = relative.find_last_of('\\');
    if (slash != std::string::npos)
        makeDir(relative.substr(0, slash));
    const ui::FileHandle handle(
        CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle)
        throw std::runtime_error("cannot create test file " + full);
    DWORD written = 0;
    if (!contents.empty() &&
        (!WriteFile(handle.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) ||
         written != contents.size()))
        throw std::runtime_error("cannot write test file " + full);
    return full;
}

std::string TempFolder::makeDir(const std::string& relative) const
{
    std::string current = path_;
    std::size_t start = 0;
    while (start < relative.size()) {
        auto end = relative.find('\\', start);
        if (end == std::string::npos)
            end = relative.size();
        if (end > start) {
            current += relative.substr(start, end - start) + "\\";
            if (!CreateDirectoryA(current.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
                throw std::runtime_error("cannot create test folder " + current);
        }
        start = end + 1;
    }
    return current;
}

}  // namespace testing_support
