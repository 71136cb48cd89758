// The clean-up's drive selection: the ticks of its two drive lists (file search and
// registry search), captured into one flag per drive number, which the scanners ask.
#pragma once

#include "components/ostrel_drives.h"

#include <array>
#include <string>

namespace components {

// One byte per drive number (0 = A ... 25 = Z), 1 = selected, as of the last capture.
extern std::array<unsigned char, kDriveNumbers> FileDriveFlags;
extern std::array<unsigned char, kDriveNumbers> RegDriveFlags;

// The clean-up page's two lists while the page exists (nullptr otherwise).
void SetCleanupDriveLists(TOstrelDrives* fileList, TOstrelDrives* registryList);

// Clears both tables, then sets the flag of every ticked drive: in the file list only
// drives that are not CD-ROMs, in the registry list every ticked drive.
void CaptureDriveSelection();

// Whether a path such as "c:\x.dll" lies on a drive ticked in the registry list: false
// for a path shorter than 4 characters or without ":\" as its second and third.
bool DriveSelectedForRegistry(const std::string& path);

// Gives both lists the type texts (language strings 50-56) and their drives, ticks
// every fixed drive, and captures the selection.
void InitCleanupDriveLists();

}  // namespace components
