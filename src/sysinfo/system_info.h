// The system information collector of the report: one function per group of facts
// (operating system, machine, display, network, drives, memory), each taken from its
// platform source with every call checked. A fact that cannot be read comes back
// empty (or as "not present"), never as what an earlier call or another drive gave.
//
// The memory figures, the drives and the processor-load source come through one seam,
// FactsSource, so that tests decide them instead of the machine they run on.
#pragma once

#include "ui/component.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace sysinfo {

// GetVersionEx and the registry values that go with the version.
struct OperatingSystemFacts {
    std::optional<unsigned> buildNumber;  // the low 16 bits of dwBuildNumber
    std::string servicePack;              // szCSDVersion
    bool ntPlatform = false;
    std::string processorVersion;         // NT: "CurrentType"; 9x: "Version"
    std::string registeredOwner;
    std::string registeredOrganization;
};
OperatingSystemFacts ReadOperatingSystem();

// The key whose values name the processor version and the registered owner.
std::string VersionKey(bool ntPlatform);

struct MachineFacts {
    std::string computerName;
    std::string userName;  // the logged-on user
};
MachineFacts ReadMachine();

// Every mode the primary display offers, as "<width> x <height> - <bits> bit", each
// text once, in the order Windows enumerates them.
std::vector<std::string> ReadDisplayModes();

// The local host's IP addresses in dotted form; none when the network cannot say.
std::vector<std::string> ReadIpAddresses();

// The processor load in percent, measured between two samples.
class ProcessorLoadSource {
public:
    virtual ~ProcessorLoadSource() = default;
    // Starts measuring; false when the platform cannot (the Windows 9x source raises
    // its own messages instead).
    virtual bool start() = 0;
    // The load since the previous sample, for samples intervalMs apart. A value outside
    // 0..100 means that none could be measured (so the very first sample).
    virtual int sample(unsigned intervalMs) = 0;
    virtual void stop() = 0;
};

// The figures of GlobalMemoryStatus.
struct MemoryFigures {
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availablePageFile = 0;
    unsigned memoryLoad = 0;  // percent
};

// What is known about one drive. Without a medium only the drive and its type are set.
struct DriveFacts {
    std::string drive;      // "C:"
    UINT mediaType = DRIVE_UNKNOWN;  // as GetDriveType reports it
    bool mediaPresent = false;
    std::string volumeLabel;
    std::string fileSystem;
    std::string serialNumber;  // "1A2B-3C4D"
    std::uint64_t capacity = 0;
    std::uint64_t freeBytes = 0;  // available to the caller
    DWORD bytesPerSector = 0;
    DWORD sectorsPerCluster = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
};

// The text of a drive type: "<unknown>", "<not exists>", "Removable", "Fixed",
// "Remote", "CDROM", "RAM"; "<unknown>" for any other number.
std::string MediaTypeText(UINT mediaType);
// A volume serial number as 8 upper-case hex digits, "XXXX-XXXX".
std::string SerialNumberText(DWORD serialNumber);
// The letters of the drives in a GetLogicalDrives mask: "ACD" for A:, C: and D:.
std::string DriveLettersOf(DWORD driveMask);

// Where the facts that differ from machine to machine come from. Every function is
// the real platform call; tests derive from it and answer some themselves.
class FactsSource {
public:
    virtual ~FactsSource() = default;
    virtual MemoryFigures memory();
    // The letters of the drives that exist ("ACD").
    virtual std::string availableDrives();
    // The facts of one drive ("C:"); asks the drive itself, so a floppy drive spins.
    virtual DriveFacts drive(const std::string& drive);
    // The processor-load measurement of this platform (Windows NT or 9x).
    virtual std::unique_ptr<ProcessorLoadSource> processorLoad();
};

// Installs a source (nullptr restores the real one); returns the one it replaced.
FactsSource* SetFactsSource(FactsSource* source);
FactsSource& Facts();

// The folder of the running program (without a trailing backslash) and the system folder.
std::string ProgramFolder();
std::string SystemFolder();

// The collector as a component on the report page: it keeps the facts of its last
// refresh, and the facts of the drive it points at.
class TMSystemInfo : public ui::Component {
public:
    explicit TMSystemInfo(std::string name) : Component(std::move(name)) {}

    // The operating-system, machine, display and network facts.
    void refresh();
    const OperatingSystemFacts& operatingSystem() const { return operatingSystem_; }
    const MachineFacts& machine() const { return machine_; }
    const std::vector<std::string>& displayModes() const { return displayModes_; }
    const std::vector<std::string>& ipAddresses() const { return ipAddresses_; }

    // The list of drives that exist.
    void refreshDrives();
    const std::string& availableDrives() const { return availableDrives_; }

    // Points the collector at a drive ("C:") and forgets what it knew of the last one.
    void setDrive(const std::string& drive);
    // Asks the drive pointed at.
    void refreshDrive();
    const DriveFacts& drive() const { return drive_; }

private:
    OperatingSystemFacts operatingSystem_;
    MachineFacts machine_;
    std::vector<std::string> displayModes_;
    std::vector<std::string> ipAddresses_;
    std::string availableDrives_;
    DriveFacts drive_;
};

}  // namespace sysinfo
