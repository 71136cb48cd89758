// The registry clean-up scanner: finds registry entries that point to files which no
// longer exist (file types whose program is gone, COM servers, type libraries,
// shared-DLL counters, fonts and icons). It changes nothing; each check returns its
// findings in the order found, and the clean-up page lists them for deletion.
#pragma once

#include <string>
#include <vector>

namespace ui {
class Label;
}

namespace cleanup {

// The number of a check; it selects the group picture and the way an entry is deleted.
enum RegCheckKind : int {
    KindFileTypes = 0,
    KindComServers = 1,
    KindTypeLibraries = 2,
    KindSharedDlls = 3,
    KindFonts = 6,
    KindIcons = 10,
};

struct RegFinding {
    std::string Title;        // what the user sees first
    std::string MissingFile;  // the file that was not found, as it was tested
    std::string Key;          // class, library or icon key (kinds 1, 2, 10)
    std::string Extension;    // the extension key (kind 0)
    std::string ValueName;    // the value as stored (kinds 3 and 6), which the deletion removes
    std::string FileKey = {}; // kind 2: the key naming the missing file, below the library
                              // key ("1.0\0\win32"); the deletion removes only that
};
using RegFindings = std::vector<RegFinding>;

// The shared-DLL counters and the two places of the installed fonts.
inline const std::string kSharedDllsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS";
inline const std::string kNtFontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline const std::string kWindowsFontsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
// The fonts key of this system (HKLM).
const std::string& FontsKey();

// The headline of the file-type check's later phases.
inline const std::string kSortingFoundItems = "Sorting found items";

// The six checks. Each returns at once, without findings, when cancelling was asked.
RegFindings ScanFileTypes();
RegFindings ScanComServers();
RegFindings ScanTypeLibraries();
RegFindings ScanSharedDlls();
RegFindings ScanFonts();
RegFindings ScanIcons();

// Runs the check of a kind.
RegFindings RunRegistryCheck(RegCheckKind kind);

// One registry search: while it lasts, checks that walk the same keys' names (the
// file types and the icons walk the top-level keys, the classes and the icons the
// classes) read and sort them once.
class RegistrySearchScope {
public:
    RegistrySearchScope();
    ~RegistrySearchScope();
    RegistrySearchScope(const RegistrySearchScope&) = delete;
    RegistrySearchScope& operator=(const RegistrySearchScope&) = delete;
};

// The wait window's headline, which the file-type check replaces for its later
// phases (nullptr: none).
void SetRegistryScanHeadline(ui::Label* headline);

// The common test of every check: true when path names a file that does not exist on
// a drive ticked for the registry search. A short path is first written out long;
// path holds the form in which it was tested.
bool IsMissingReference(std::string& path);

// The path with every component spelt as the directory listing spells it (long
// names for short ones), as far as the components exist.
std::string ExpandShortPath(const std::string& path);

}  // namespace cleanup
