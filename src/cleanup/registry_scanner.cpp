#include "cleanup/registry_scanner.h"

#include "cleanup/cleanup_places.h"
#include "cleanup/scan_feedback.h"
#include "components/drive_flags.h"
#include "registry/helpers.h"
#include "registry/registry.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/convert.h"
#include "ui/handles.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <array>
#include <utility>

namespace cleanup {

namespace {

ui::Label* scanHeadline = nullptr;

constexpr std::array<const char*, 14> kNeverFileTypes = {".SYS", ".DLL", ".EXE", ".COM", ".BAT", ".PIF", ".LNK",
                                                         ".SCR", ".FON", ".INF", ".CUR", ".ANI", ".CPL", ".HLP"};
constexpr std::array<const char*, 2> kIconValues = {"DefaultIcon", "ToolboxBitmap32"};
constexpr std::array<const char*, 3> kIconModules = {".EXE,", ".DLL,", ".OCX,"};
const std::string kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

bool HasDrive(const std::string& path)
{
    return path.size() >= 3 && path.compare(1, 2, ":\\") == 0;
}

// Lets window messages run on the clock while a long list of names is read or sorted.
void KeepResponsive()
{
    ScanPause();
}

// The key by which a name sorts in the order of the user's locale, letter case ignored.
std::string SortKey(const std::string& name)
{
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    std::string key(256, '\0');
    int size = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, name.c_str(), static_cast<int>(name.size()), key.data(),
                            static_cast<int>(key.size()));
    if (size == 0) {
        size = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, name.c_str(), static_cast<int>(name.size()), nullptr, 0);
        key.assign(static_cast<std::size_t>(std::max(size, 0)), '\0');
        if (size > 0)
            LCMapStringA(LOCALE_USER_DEFAULT, kFlags, name.c_str(), static_cast<int>(name.size()), key.data(), size);
    }
    key.resize(static_cast<std::size_t>(std::max(size, 0)));
    return key;
}

// Names in the order of the user's locale, letter case ignored. Each name's sort key
// is made once, so sorting costs one locale call per name rather than per comparison.
std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(names.size());
    for (std::size_t index = 0; index < names.size(); ++index) {
        keys.emplace_back(SortKey(names[index]), index);
        KeepResponsive();
    }
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
        return std::lexicographical_compare(a.first.begin(), a.first.end(), b.first.begin(), b.first.end(),
                                            [](char x, char y) {
                                                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                                            });
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(names[key.second]));
    return sorted;
}

// The sorted subkey names the checks of the running search have read, by key (HKCR);
// empty while no search runs.
std::optional<std::map<std::string, std::vector<std::string>>> searchNames;

// The sorted names of a key's subkeys (HKCR), read once per search.
const std::vector<std::string>& SortedSubkeys(const std::string& key, std::vector<std::string>& own)
{
    if (searchNames) {
        const auto known = searchNames->find(key);
        if (known != searchNames->end())
            return known->second;
    }
    own = Sorted(registry::RegSubkeyNames(HKCR, key, KeepResponsive));
    if (!searchNames)
        return own;
    return searchNames->emplace(key, std::move(own)).first->second;
}

// The default value of a key as text; empty when it is missing or unreadable.
std::string DefaultText(HKEY root, const std::string& key)
{
    return registry::RegReadText(root, key, "");
}

// Walks names with progress: each name is shown, counted, and messages run on the
// clock. False when the user cancelled.
template <class Visit>
bool WalkNames(const std::vector<std::string>& names, Visit visit)
{
    StartScanProgress(static_cast<int>(names.size()));
    for (const std::string& name : names) {
        StepScanProgress();
        ShowScanDetail(name);
        if (ScanPause())
            return false;
        visit(name);
    }
    return true;
}

// True when the file is certainly gone: the system reports it or a folder on its way
// as not found. A file it cannot tell about (access refused, drive not ready, a name
// it does not accept) is not taken for missing.
bool ReferenceMissing(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string FileNamePart(const std::string& path)
{
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsNeverFileType(const std::string& name)
{
    const std::string start = ui::UpperCase(name.substr(0, 4));
    return std::any_of(kNeverFileTypes.begin(), kNeverFileTypes.end(), [&](const char* type) { return start == type; });
}

bool BeginsWithClsid(const std::string& text)
{
    return ui::UpperCase(text.substr(0, 5)) == "CLSID";
}

struct FileTypeCandidate {
    std::string extension;
    std::string progId;
};

// The command a file type runs: the ProgID's default verb, or "open".
std::string FileTypeCommand(const FileTypeCandidate& candidate)
{
    std::string verb = candidate.progId.empty() ? std::string() : DefaultText(HKCR, candidate.progId + "\\shell");
    if (verb.empty())
        verb = "open";
    const std::string owner = candidate.progId.empty() ? candidate.extension : candidate.progId;
    return DefaultText(HKCR, owner + "\\shell\\" + verb + "\\command");
}

// The program file of a command: everything up to and including the first ".EXE",
// upper-cased, written out long; empty when the command starts no ".EXE".
std::string ProgramOfCommand(std::string command)
{
    command.erase(std::remove(command.begin(), command.end(), '"'), command.end());
    const std::string upper = ui::UpperCase(command);
    const auto exe = upper.find(".EXE");
    if (exe == std::string::npos)
        return {};
    std::string program = upper.substr(0, exe + 4);
    if (program.find('~') != std::string::npos)
        program = ExpandShortPath(program);
    return ui::UpperCase(program);
}

// A type library's file as the check tests it; empty when it is not tested (a
// numbered resource of a module, an installer reference, no drive, or a drive that
// is not ticked).
std::string TypeLibraryFile(std::string file)
{
    file = helpers::CleanCommandPath(file);
    helpers::CommandLineFile(file);
    if (file.size() >= 2 && file[file.size() - 2] == '\\')
        return {};
    file = ui::UpperCase(file);
    if (helpers::IsInstallerReference(file) || !HasDrive(file) || !components::DriveSelectedForRegistry(file))
        return {};
    if (file.find('~') != std::string::npos)
        file = ExpandShortPath(file);
    return file;
}

// An icon value cut after the module that holds the icon ("C:\X\APP.EXE,2" gives
// "C:\X\APP.EXE"); empty when it names no such module.
std::string IconModule(const std::string& value)
{
    std::string file = helpers::CleanCommandPath(value);
    if (std::none_of(kIconModules.begin(), kIconModules.end(), [&](const char* module) { return Contains(file, module); }))
        return {};
    for (const char* module : kIconModules) {
        const auto at = file.find(module);
        if (at != std::string::npos)
            file.resize(at + 4);
    }
    return file;
}

void ScanIconsBelow(const std::string& prefix, const std::vector<std::string>& names, RegFindings& findings, bool& goOn)
{
    goOn = WalkNames(names, [&](const std::string& name) {
        if (name.empty())
            return;
        for (const char* sub : kIconValues) {
            // A missing key reads as an empty value, which is skipped alike.
            const std::string key = prefix + name + "\\" + sub;
            const std::string value = DefaultText(HKCR, key);
            if (value.empty())
                continue;
            std::string file = IconModule(value);
            if (!file.empty() && IsMissingReference(file))
                findings.push_back({sub, file, key, {}, {}});
        }
    });
}

}  // namespace

const std::string& FontsKey()
{
    return Places().ntFamily ? kNtFontsKey : kWindowsFontsKey;
}

void SetRegistryScanHeadline(ui::Label* headline)
{
    scanHeadline = headline;
}

std::string ExpandShortPath(const std::string& path)
{
    // Only a path that names its drive is written out: a relative one would be read
    // against the current folder, which is not where a program looks for it.
    if (!HasDrive(path))
        return path;
    std::string full(MAX_PATH, '\0');
    DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length + 1);
        length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    if (!HasDrive(full))
        return full;

    std::string result = full.substr(0, 3);
    std::size_t start = 3;
    while (start < full.size()) {
        auto end = full.find('\\', start);
        const bool more = end != std::string::npos;
        if (!more)
            end = full.size();
        const std::string component = full.substr(start, end - start);
        WIN32_FIND_DATAA found;
        // A wildcard would let the listing answer with another file's name.
        const bool searchable = !component.empty() && component.find_first_of("*?") == std::string::npos;
        const ui::FindHandle search(searchable ? FindFirstFileA((result + component).c_str(), &found)
                                               : INVALID_HANDLE_VALUE);
        if (!search)
            return result + full.substr(start);
        result += found.cFileName;
        if (more)
            result += '\\';
        start = end + 1;
    }
    return result;
}

bool IsMissingReference(std::string& path)
{
    if (helpers::IsInstallerReference(path) || !HasDrive(path))
        return false;
    if (path.find('~') != std::string::npos)
        path = ExpandShortPath(path);
    if (!components::DriveSelectedForRegistry(path))
        return false;
    return ReferenceMissing(path);
}

RegFindings ScanFileTypes()
{
    RegFindings findings;
    if (ui::CancelRequested)
        return findings;
    std::vector<FileTypeCandidate> candidates;
    std::vector<std::string> names;
    const bool complete = WalkNames(SortedSubkeys("", names), [&](const std::string& name) {
        if (name.empty() || name.front() != '.' || IsNeverFileType(name))
            return;
        std::string progId = DefaultText(HKCR, name);
        if (!BeginsWithClsid(progId))
            candidates.push_back({name, std::move(progId)});
    });
    if (!complete)
        return findings;

    if (scanHeadline)
        scanHeadline->setCaption(kSortingFoundItems);
    for (const FileTypeCandidate& candidate : candidates) {
        if (ScanPause())
            return findings;
        std::string program = ProgramOfCommand(FileTypeCommand(candidate));
        if (!program.empty() && IsMissingReference(program))
            findings.push_back({candidate.progId, program, {}, candidate.extension, {}});
    }
    return findings;
}

RegFindings ScanComServers()
{
    RegFindings findings;
    if (ui::CancelRequested || !registry::RegKeyExists(HKCR, "CLSID"))
        return findings;
    std::vector<std::string> names;
    WalkNames(SortedSubkeys("CLSID", names), [&](const std::string& name) {
        if (name.empty())
            return;
        const std::string classKey = "CLSID\\" + name;
        const std::string description = DefaultText(HKCR, classKey);
        if (description.empty())
            return;
        // A missing InprocServer32 key reads as an empty server, which is skipped alike.
        std::string server = DefaultText(HKCR, classKey + "\\InprocServer32");
        if (server.empty())
            return;
        server = helpers::CleanCommandPath(server);
        helpers::CommandLineFile(server);
        if (!server.empty() && IsMissingReference(server))
            findings.push_back({description, server, name, {}, {}});
    });
    return findings;
}

RegFindings ScanTypeLibraries()
{
    RegFindings findings;
    if (ui::CancelRequested)
        return findings;
    WalkNames(Sorted(registry::RegSubkeyNames(HKCR, "TypeLib", KeepResponsive)), [&](const std::string& library) {
        const std::string libraryKey = "TypeLib\\" + library;
        for (const std::string& version : registry::RegSubkeyNames(HKCR, libraryKey)) {
            const std::string versionKey = libraryKey + "\\" + version;
            for (char digit = '0'; digit <= '9'; ++digit) {
                // A missing win32 key reads as an empty file, which is skipped alike.
                const std::string fileKey = version + "\\" + digit + "\\win32";
                const std::string file = TypeLibraryFile(DefaultText(HKCR, libraryKey + "\\" + fileKey));
                if (!file.empty() && ReferenceMissing(file))
                    findings.push_back({DefaultText(HKCR, versionKey), file, library, {}, {}, fileKey});
            }
        }
    });
    return findings;
}

RegFindings ScanSharedDlls()
{
    RegFindings findings;
    if (ui::CancelRequested || !registry::RegKeyExists(HKLM, kSharedDllsKey))
        return findings;
    WalkNames(Sorted(registry::RegValueNames(HKLM, kSharedDllsKey, KeepResponsive)), [&](const std::string& name) {
        if (FileNamePart(name).find('.') == std::string::npos)
            return;
        std::string path = name;
        if (IsMissingReference(path))
            findings.push_back({FileNamePart(path), path, {}, {}, name});
    });
    return findings;
}

RegFindings ScanFonts()
{
    RegFindings findings;
    const std::string& fontsKey = FontsKey();
    if (ui::CancelRequested || !registry::RegKeyExists(HKLM, fontsKey))
        return findings;
    const std::string fontsFolder = registry::RegReadText(HKCU, kShellFolders, "Fonts");
    WalkNames(Sorted(registry::RegValueNames(HKLM, fontsKey, KeepResponsive)), [&](const std::string& name) {
        const std::string file = helpers::CleanCommandPath(registry::RegReadText(HKLM, fontsKey, name));
        // A font registered with its full path lies where that path says.
        const bool fullPath = HasDrive(file) || file.compare(0, 2, "\\\\") == 0;
        std::string path = fullPath ? file : fontsFolder + "\\" + file;
        if (IsMissingReference(path))
            findings.push_back({name, path, {}, {}, name});
    });
    return findings;
}

RegFindings ScanIcons()
{
    RegFindings findings;
    if (ui::CancelRequested || !registry::RegKeyExists(HKCR, "CLSID"))
        return findings;
    bool goOn = true;
    std::vector<std::string> names;
    ScanIconsBelow("", SortedSubkeys("", names), findings, goOn);
    if (goOn)
        ScanIconsBelow("CLSID\\", SortedSubkeys("CLSID", names), findings, goOn);
    return findings;
}

RegistrySearchScope::RegistrySearchScope()
{
    searchNames.emplace();
}

RegistrySearchScope::~RegistrySearchScope()
{
    searchNames.reset();
}

RegFindings RunRegistryCheck(RegCheckKind kind)
{
    switch (kind) {
    case KindFileTypes: return ScanFileTypes();
    case KindComServers: return ScanComServers();
    case KindTypeLibraries: return ScanTypeLibraries();
    case KindSharedDlls: return ScanSharedDlls();
    case KindFonts: return ScanFonts();
    case KindIcons: return ScanIcons();
    }
    return {};
}

}  // namespace cleanup
