#include "cleanup/cleanup_places.h"

#include <windows.h>

namespace cleanup {

namespace {

std::string ProgramFolder()
{
    std::string path(MAX_PATH, '\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string WindowsFolder()
{
    char buffer[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

}  // namespace

CleanupPlaces& Places()
{
    static CleanupPlaces places{ProgramFolder(), WindowsFolder(), true, std::nullopt};
    return places;
}

}  // namespace cleanup
