#include "app/globals.h"

#include "registry/registry.h"
#include "ui/errors.h"
#include "ui/handles.h"

#include <vector>

namespace app {

std::string AppDir;
std::string WindowsDir;
std::string SystemDir;
bool IsWinXP = false;
bool IsNTFamily = false;

namespace {

std::string ProgramPath()
{
    std::string path(MAX_PATH, '\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return path;
}

std::string FolderFrom(UINT (*WINAPI query)(LPSTR, UINT))
{
    char buffer[MAX_PATH] = {};
    const UINT length = query(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

ui::KernelHandle OpenOwnToken()
{
    ui::KernelHandle token;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.out()))
        return token;
    if (GetLastError() == ERROR_NO_TOKEN && OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.out()))
        return token;
    return ui::KernelHandle();
}

ui::SidHandle AdministratorsGroup()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    ui::SidHandle sid;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, sid.out()))
        throw ui::EOSError::fromLastError();
    return sid;
}

// The token's groups: asked once for the size needed, then again into a buffer of it.
std::vector<BYTE> ReadTokenGroups(HANDLE token)
{
    DWORD needed = 0;
    if (GetTokenInformation(token, TokenGroups, nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        throw ui::EOSError::fromLastError();
    std::vector<BYTE> buffer(needed);
    if (!GetTokenInformation(token, TokenGroups, buffer.data(), needed, &needed))
        throw ui::EOSError::fromLastError();
    return buffer;
}

}  // namespace

std::string FolderOfProgram(const std::string& programPath)
{
    const auto backslash = programPath.find_last_of('\\');
    return backslash == std::string::npos ? std::string() : programPath.substr(0, backslash);
}

WindowsFamily ClassifyWindows(DWORD platformId, DWORD majorVersion, DWORD minorVersion,
                              const std::string& productName)
{
    WindowsFamily family;
    if (platformId != VER_PLATFORM_WIN32_NT)
        return family;
    family.isNTFamily = majorVersion >= 3 && majorVersion <= 5;
    family.isWinXP = majorVersion == 5 && minorVersion == 1;
    if (productName.find("Windows XP") != std::string::npos)
        family.isWinXP = family.isNTFamily = true;
    return family;
}

void DetermineGlobals()
{
    AppDir = FolderOfProgram(ProgramPath());
    WindowsDir = FolderFrom(GetWindowsDirectoryA);
    SystemDir = FolderFrom(GetSystemDirectoryA);
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    const std::string productName =
        version.dwPlatformId == VER_PLATFORM_WIN32_NT
            ? registry::RegReadText(HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName")
            : std::string();
    const WindowsFamily family =
        ClassifyWindows(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion, productName);
    IsWinXP = family.isWinXP;
    IsNTFamily = family.isNTFamily;
}

bool IsAdministrator()
{
    const ui::KernelHandle token = OpenOwnToken();
    if (!token)
        return false;
    const ui::SidHandle administrators = AdministratorsGroup();
    const std::vector<BYTE> buffer = ReadTokenGroups(token.get());
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    for (DWORD i = 0; i < groups->GroupCount; ++i)
        if (EqualSid(groups->Groups[i].Sid, administrators.get()))
            return true;
    return false;
}

}  // namespace app
