// The Autostart & Autorun page's bound settings: which drive types and drive letters
// report a media change (the Explorer policies NoDriveTypeAutoRun and NoDriveAutoRun),
// the polling of CD-ROM drives, and the command that plays audio CDs.
#pragma once

#include "pages/binding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace autostart {

inline const std::string kExplorerPoliciesKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline const std::string kCdromKey = "SYSTEM\\CurrentControlSet\\Services\\Cdrom";
inline const std::string kAudioCdKey = "AudioCD\\shell\\play\\command";

// Language string of the drive letters' word ("Laufwerk").
constexpr int kDriveWord = 4930;

// The mask of NoDriveTypeAutoRun when none can be read.
constexpr int kDefaultDriveTypeMask = 0xFD;

// The drive types a check box stands for: a set bit switches automatic start off.
struct DriveTypeBox {
    const char* name;
    int bit;
};
extern const DriveTypeBox kDriveTypeBoxes[4];

// The drive-type mask of a stored NoDriveTypeAutoRun: a DWORD's number; of binary data
// the last byte that is not 0 among the first four (253 when all are 0); 253 for a
// missing value and any other kind.
int DriveTypeMaskOf(registry::RootKey root, const std::string& key, const std::string& name);

// Whether the box of a drive type is checked for a mask: step by step, each bit from
// the highest taken off as for a mask of one byte, the box checked when its bit is clear.
struct DriveTypeChecks {
    bool ram = false;
    bool cdrom = false;
    bool fixed = false;
    bool removable = false;
};
DriveTypeChecks DecodeDriveTypeMask(int mask);

// The binding table in the order in which SaveSettings writes (after the autostart list).
const pages::BindingTable& AutorunBindingTable();

}  // namespace autostart
