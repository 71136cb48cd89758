#include "sysinfo/system_info.h"

#include "registry/registry.h"
#include "ui/handles.h"

#include <winsock2.h>

#include <algorithm>
#include <cstdio>

namespace sysinfo {

namespace {

const char* const kVersionKeyNT = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kVersionKey9x = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";


// Windows Sockets for one scope; WSACleanup only when the start-up succeeded.
class SocketsScope {
public:
    SocketsScope()
    {
        WSADATA data{};
        ok_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    }
    SocketsScope(const SocketsScope&) = delete;
    SocketsScope& operator=(const SocketsScope&) = delete;
    ~SocketsScope()
    {
        if (ok_)
            WSACleanup();
    }
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

// A text from a zero-terminated buffer that may lack its zero.
std::string TextOf(const char* buffer, std::size_t size)
{
    return std::string(buffer, std::find(buffer, buffer + size, '\0'));
}

FactsSource& RealFacts()
{
    static FactsSource real;
    return real;
}

FactsSource* installedSource = nullptr;

}  // namespace

// ---- Operating system and machine ----

std::string VersionKey(bool ntPlatform)
{
    return ntPlatform ? kVersionKeyNT : kVersionKey9x;
}

OperatingSystemFacts ReadOperatingSystem()
{
    OperatingSystemFacts facts;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version)) {
        facts.buildNumber = version.dwBuildNumber & 0xFFFF;
        facts.servicePack = TextOf(version.szCSDVersion, sizeof(version.szCSDVersion));
        facts.ntPlatform = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }
    const std::string key = VersionKey(facts.ntPlatform);
    facts.processorVersion = registry::RegReadText(HKLM, key, facts.ntPlatform ? "CurrentType" : "Version");
    facts.registeredOwner = registry::RegReadText(HKLM, key, "RegisteredOwner");
    facts.registeredOrganization = registry::RegReadText(HKLM, key, "RegisteredOrganization");
    return facts;
}

MachineFacts ReadMachine()
{
    MachineFacts facts;
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD computerLength = sizeof(computer);
    if (GetComputerNameA(computer, &computerLength))
        facts.computerName = TextOf(computer, std::min<std::size_t>(computerLength, sizeof(computer)));
    // User names have at most 256 characters (UNLEN).
    char user[257] = {};
    DWORD userLength = sizeof(user);
    if (GetUserNameA(user, &userLength))
        facts.userName = TextOf(user, sizeof(user));
    return facts;
}

// ---- Display and network ----

std::vector<std::string> ReadDisplayModes()
{
    std::vector<std::string> modes;
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD index = 0; EnumDisplaySettingsA(nullptr, index, &mode); ++index) {
        char text[64];
        std::snprintf(text, sizeof(text), "%lu x %lu - %lu bit", static_cast<unsigned long>(mode.dmPelsWidth),
                      static_cast<unsigned long>(mode.dmPelsHeight), static_cast<unsigned long>(mode.dmBitsPerPel));
        if (std::find(modes.begin(), modes.end(), text) == modes.end())
            modes.emplace_back(text);
        mode = DEVMODEA{};
        mode.dmSize = sizeof(mode);
    }
    return modes;
}

std::vector<std::string> ReadIpAddresses()
{
    std::vector<std::string> addresses;
    const SocketsScope sockets;
    if (!sockets.ok())
        return addresses;
    char host[256] = {};
    if (gethostname(host, sizeof(host) - 1) != 0)
        return addresses;
    const hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || entry->h_length != sizeof(in_addr) || !entry->h_addr_list)
        return addresses;
    for (char** address = entry->h_addr_list; *address; ++address) {
        in_addr ip{};
        std::copy(*address, *address + sizeof(ip), reinterpret_cast<char*>(&ip));
        if (const char* text = inet_ntoa(ip))
            addresses.emplace_back(text);
    }
    return addresses;
}

// ---- Drives ----

std::string MediaTypeText(UINT mediaType)
{
    switch (mediaType) {
    case DRIVE_NO_ROOT_DIR: return "<not exists>";
    case DRIVE_REMOVABLE: return "Removable";
    case DRIVE_FIXED: return "Fixed";
    case DRIVE_REMOTE: return "Remote";
    case DRIVE_CDROM: return "CDROM";
    case DRIVE_RAMDISK: return "RAM";
    default: return "<unknown>";
    }
}

std::string SerialNumberText(DWORD serialNumber)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%04lX-%04lX", static_cast<unsigned long>(serialNumber >> 16),
                  static_cast<unsigned long>(serialNumber & 0xFFFF));
    return text;
}

std::string DriveLettersOf(DWORD driveMask)
{
    std::string letters;
    for (int drive = 0; drive < 26; ++drive)
        if (driveMask & (DWORD{1} << drive))
            letters += static_cast<char>('A' + drive);
    return letters;
}

MemoryFigures FactsSource::memory()
{
    MEMORYSTATUS status{};
    status.dwLength = sizeof(status);
    GlobalMemoryStatus(&status);
    MemoryFigures figures;
    figures.totalPhysical = status.dwTotalPhys;
    figures.availablePhysical = status.dwAvailPhys;
    figures.totalPageFile = status.dwTotalPageFile;
    figures.availablePageFile = status.dwAvailPageFile;
    figures.memoryLoad = status.dwMemoryLoad & 0xFF;
    return figures;
}

std::string FactsSource::availableDrives()
{
    return DriveLettersOf(GetLogicalDrives());
}

DriveFacts FactsSource::drive(const std::string& drive)
{
    DriveFacts facts;
    facts.drive = drive;
    const std::string root = drive + "\\";
    const ui::QuietCriticalErrors quiet;
    facts.mediaType = GetDriveTypeA(root.c_str());

    char label[MAX_PATH + 1] = {};
    char fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0;
    DWORD longestName = 0;
    DWORD flags = 0;
    if (!GetVolumeInformationA(root.c_str(), label, sizeof(label), &serial, &longestName, &flags, fileSystem,
                               sizeof(fileSystem)))
        return facts;
    facts.mediaPresent = true;
    facts.volumeLabel = TextOf(label, sizeof(label));
    facts.fileSystem = TextOf(fileSystem, sizeof(fileSystem));
    facts.serialNumber = SerialNumberText(serial);

    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    const bool clusters =
        GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters) != FALSE;
    if (clusters) {
        facts.sectorsPerCluster = sectorsPerCluster;
        facts.bytesPerSector = bytesPerSector;
        facts.freeClusters = freeClusters;
        facts.totalClusters = totalClusters;
    }
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER totalFree{};
    if (GetDiskFreeSpaceExA(root.c_str(), &available, &total, &totalFree)) {
        facts.capacity = total.QuadPart;
        facts.freeBytes = available.QuadPart;
    } else if (clusters) {
        const std::uint64_t clusterBytes = std::uint64_t{sectorsPerCluster} * bytesPerSector;
        facts.capacity = clusterBytes * totalClusters;
        facts.freeBytes = clusterBytes * freeClusters;
    }
    return facts;
}

FactsSource* SetFactsSource(FactsSource* source)
{
    FactsSource* previous = installedSource;
    installedSource = source;
    return previous;
}

FactsSource& Facts()
{
    return installedSource ? *installedSource : RealFacts();
}

// ---- Folders ----

std::string ProgramFolder()
{
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            const std::string program(path.data(), length);
            const std::size_t backslash = program.rfind('\\');
            return backslash == std::string::npos ? std::string{} : program.substr(0, backslash);
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

std::string SystemFolder()
{
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string{};
}

// ---- The component ----

void TMSystemInfo::refresh()
{
    operatingSystem_ = ReadOperatingSystem();
    machine_ = ReadMachine();
    displayModes_ = ReadDisplayModes();
    ipAddresses_ = ReadIpAddresses();
}

void TMSystemInfo::refreshDrives()
{
    availableDrives_ = Facts().availableDrives();
}

void TMSystemInfo::setDrive(const std::string& drive)
{
    drive_ = DriveFacts{};
    drive_.drive = drive;
}

void TMSystemInfo::refreshDrive()
{
    const std::string drive = drive_.drive;
    drive_ = DriveFacts{};
    drive_.drive = drive;
    if (!drive.empty())
        drive_ = Facts().drive(drive);
}

}  // namespace sysinfo
