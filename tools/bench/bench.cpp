// The clean-up's benchmark: builds synthetic data (a file tree and registry keys) and
// measures the file search and the registry search against bare walkers that do only
// what the searches must do, the longest time without processing window messages
// during each search, and the deletion of many ticked files.
//
//   velmora_bench <data folder> [files|registry|delete]
//                                   e.g. C:\bench, inside a throwaway prefix; every
//                                   section runs unless one is named
//
// Every figure is printed with its ratio to the bare walker measured in the same run.
// The registry data lives in keys of its own: HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE
// are redirected to them for the run, so only the synthetic entries are searched.
#include "cleanup/cleanup_places.h"
#include "cleanup/file_results_form.h"
#include "cleanup/file_scanner.h"
#include "cleanup/registry_results_form.h"
#include "cleanup/registry_scanner.h"
#include "cleanup/scan_feedback.h"
#include "components/drive_flags.h"
#include "registry/helpers.h"
#include "ui/application.h"
#include "ui/convert.h"
#include "ui/dialogs.h"
#include "ui/handles.h"
#include "ui/listview.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kTopFolders = 25;
constexpr int kSubFolders = 20;  // 25 x 20 = 500 folders
constexpr int kFilesPerFolder = 200;  // 100,000 files
constexpr int kClasses = 20000;
constexpr int kFileTypes = 5000;
constexpr int kPresentModules = 100;
constexpr int kDeletedFiles = 10000;
constexpr int kSingleRecycleSample = 200;
constexpr UINT kGapTimerInterval = 5;
constexpr int kRounds = 5;

// 2 of every 5 names match a category of the file search.
constexpr std::array<const char*, 10> kExtensions = {".tmp", ".txt", ".bak", ".dat", ".doc",
                                                    ".log", ".ini", ".~mp", ".xml", ".cfg"};

// --- Timing -------------------------------------------------------------------

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The longest time between two processed window messages: a short timer whose
// messages are dispatched whenever messages run.
class MessageGaps {
public:
    MessageGaps()
    {
        current_ = this;
        last_ = Now();
        longest_ = 0;
        timer_ = SetTimer(nullptr, 0, kGapTimerInterval, Tick);
    }
    ~MessageGaps()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    MessageGaps(const MessageGaps&) = delete;
    MessageGaps& operator=(const MessageGaps&) = delete;

    double longest() const { return std::max(longest_, Now() - last_); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!current_)
            return;
        const double now = Now();
        current_->longest_ = std::max(current_->longest_, now - current_->last_);
        current_->last_ = now;
    }

    static inline MessageGaps* current_ = nullptr;
    UINT_PTR timer_ = 0;
    double last_ = 0;
    double longest_ = 0;
};

// Runs each piece of work once per round, the pieces one after the other, and gives
// each piece's fastest time: the caches are warm, and a machine busy with other work
// slows all pieces of a round alike rather than one of them.
std::vector<double> Fastest(int rounds, const std::vector<std::function<void()>>& works)
{
    std::vector<double> best(works.size(), 1e9);
    for (int round = 0; round < rounds; ++round)
        for (std::size_t index = 0; index < works.size(); ++index) {
            const double start = Now();
            works[index]();
            best[index] = std::min(best[index], Now() - start);
        }
    return best;
}

double Once(const std::function<void()>& work)
{
    return Fastest(1, {work})[0];
}

void Report(const char* what, double seconds, double reference)
{
    std::printf("  %-44s %8.3f s   %5.2fx\n", what, seconds, seconds / reference);
}

// --- Files --------------------------------------------------------------------

void WriteEmptyFile(const std::string& path)
{
    const ui::FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string FolderName(int top, int sub)
{
    char name[32];
    std::snprintf(name, sizeof name, "d%03d\\s%02d\\", top, sub);
    return name;
}

void BuildFileTree(const std::string& root)
{
    CreateDirectoryA(root.c_str(), nullptr);
    for (int top = 0; top < kTopFolders; ++top) {
        CreateDirectoryA((root + FolderName(top, 0).substr(0, 5)).c_str(), nullptr);
        for (int sub = 0; sub < kSubFolders; ++sub) {
            const std::string folder = root + FolderName(top, sub);
            CreateDirectoryA(folder.c_str(), nullptr);
            for (int file = 0; file < kFilesPerFolder; ++file)
                WriteEmptyFile(folder + "file" + std::to_string(file) + kExtensions[static_cast<std::size_t>(file) % kExtensions.size()]);
        }
    }
}

// The bare walker: lists every folder with FindFirstFileA/FindNextFileA and opens every
// file of a searched kind exclusively, as the in-use test does.
int BareFileWalk(const std::string& folder)
{
    int taken = 0;
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA found;
    const ui::FindHandle search(FindFirstFileA((folder + "*.*").c_str(), &found));
    if (search) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (found.cFileName[0] != '.')
                    subfolders.emplace_back(found.cFileName);
                continue;
            }
            const char* dot = std::strrchr(found.cFileName, '.');
            if (!dot || !(lstrcmpiA(dot, ".tmp") == 0 || lstrcmpiA(dot, ".bak") == 0 || lstrcmpiA(dot, ".log") == 0 ||
                          lstrcmpiA(dot, ".~mp") == 0))
                continue;
            const ui::FileHandle file(CreateFileA((folder + found.cFileName).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            taken += file ? 1 : 0;
        } while (FindNextFileA(search.get(), &found));
    }
    for (const std::string& subfolder : subfolders)
        taken += BareFileWalk(folder + subfolder + "\\");
    return taken;
}

// The scanner as the clean-up page runs it, with the file result dialog's list.
int CleanupFileScan(const std::string& root, bool intoList)
{
    cleanup::FileScanFlags = {};
    cleanup::FileScanFlags.Tmp = cleanup::FileScanFlags.Bak = cleanup::FileScanFlags.Log = true;
    cleanup::TForm11 dialog;
    cleanup::SetFileResultList(intoList ? &dialog : nullptr);
    cleanup::PrepareFileScan();
    ui::CancelRequested = false;
    cleanup::ScanDriveFolder(root, "");
    cleanup::SetFileResultList(nullptr);
    return static_cast<int>(cleanup::FoundFiles().size());
}

// --- Registry -----------------------------------------------------------------

class RedirectedRoots {
public:
    explicit RedirectedRoots(const std::string& base)
    {
        for (auto [root, name] : {std::pair{HKEY_CLASSES_ROOT, "HKCR"}, std::pair{HKEY_LOCAL_MACHINE, "HKLM"}}) {
            HKEY key = nullptr;
            RegCreateKeyExA(HKEY_CURRENT_USER, (base + "\\" + name).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr);
            keys_.emplace_back(key);
            RegOverridePredefKey(root, key);
        }
    }
    ~RedirectedRoots()
    {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    }
    RedirectedRoots(const RedirectedRoots&) = delete;
    RedirectedRoots& operator=(const RedirectedRoots&) = delete;

private:
    std::vector<ui::RegKey> keys_;
};

void SetDefault(const std::string& key, const std::string& text)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return;
    const ui::RegKey opened(handle);
    RegSetValueExA(opened.get(), "", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
}

std::string ClassName(int number)
{
    char name[64];
    std::snprintf(name, sizeof name, "{%08X-0000-4000-8000-%012X}", number, number);
    return name;
}

void BuildRegistry(const std::string& root)
{
    const std::string present = root + "present\\";
    CreateDirectoryA(present.c_str(), nullptr);
    for (int module = 0; module < kPresentModules; ++module)
        WriteEmptyFile(present + "p" + std::to_string(module) + ".dll");
    const auto modulePath = [&](int number, const char* missingName, const char* extension) {
        return number % 2 ? root + "missing\\" + missingName + std::to_string(number) + extension
                          : present + "p" + std::to_string(number % kPresentModules) + ".dll";
    };
    for (int number = 0; number < kClasses; ++number) {
        const std::string key = "CLSID\\" + ClassName(number);
        SetDefault(key, "Bench class " + std::to_string(number));
        SetDefault(key + "\\InprocServer32", modulePath(number, "class", ".dll"));
    }
    for (int number = 0; number < kFileTypes; ++number) {
        const std::string progId = "Bench.Type" + std::to_string(number);
        SetDefault(".b" + std::to_string(number), progId);
        SetDefault(progId, "Bench file type");
        const std::string program = number % 2 ? root + "missing\\type" + std::to_string(number) + ".exe"
                                               : present + "p" + std::to_string(number % kPresentModules) + ".dll";
        SetDefault(progId + "\\shell\\open\\command", "\"" + program + "\" \"%1\"");
    }
}

std::vector<std::string> SubkeysOf(HKEY key)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

ui::RegKey OpenKey(HKEY root, const std::string& path)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return {};
    return ui::RegKey(handle);
}

std::string DefaultOf(HKEY root, const std::string& path)
{
    const ui::RegKey key = OpenKey(root, path);
    if (!key)
        return {};
    char text[1024];
    DWORD size = sizeof text;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), "", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return std::string(text, strnlen(text, size));
}

bool Missing(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// The bare walker: opens, queries and closes only what the six checks need, and asks
// for the files they name.
int BareRegistryWalk()
{
    int missing = 0;
    const std::vector<std::string> top = SubkeysOf(HKEY_CLASSES_ROOT);
    for (const std::string& name : top) {  // file types
        if (name.empty() || name[0] != '.')
            continue;
        const std::string progId = DefaultOf(HKEY_CLASSES_ROOT, name);
        std::string verb = DefaultOf(HKEY_CLASSES_ROOT, progId + "\\shell");
        std::string command = DefaultOf(HKEY_CLASSES_ROOT, progId + "\\shell\\" + (verb.empty() ? "open" : verb) + "\\command");
        command.erase(std::remove(command.begin(), command.end(), '"'), command.end());
        const auto space = command.find(' ');
        missing += !command.empty() && Missing(command.substr(0, space)) ? 1 : 0;
    }
    std::vector<std::string> classes;
    if (const ui::RegKey clsid = OpenKey(HKEY_CLASSES_ROOT, "CLSID"))
        classes = SubkeysOf(clsid.get());
    for (const std::string& name : classes) {  // COM classes
        if (DefaultOf(HKEY_CLASSES_ROOT, "CLSID\\" + name).empty())
            continue;
        const std::string server = DefaultOf(HKEY_CLASSES_ROOT, "CLSID\\" + name + "\\InprocServer32");
        missing += !server.empty() && Missing(server) ? 1 : 0;
    }
    OpenKey(HKEY_CLASSES_ROOT, "TypeLib");  // type libraries, shared DLLs and fonts: none
    OpenKey(HKEY_LOCAL_MACHINE, cleanup::kSharedDllsKey);
    OpenKey(HKEY_LOCAL_MACHINE, cleanup::kNtFontsKey);
    for (const auto& [prefix, names] : {std::pair{std::string(), &top}, std::pair{std::string("CLSID\\"), static_cast<const std::vector<std::string>*>(&classes)}})
        for (const std::string& name : *names)  // icons
            for (const char* sub : {"\\DefaultIcon", "\\ToolboxBitmap32"})
                OpenKey(HKEY_CLASSES_ROOT, prefix + name + sub);
    return missing;
}

// The six checks as the clean-up page runs them, optionally listing the findings in the
// registry result dialog under a group line per check.
int CleanupRegistryScan(cleanup::TForm6* dialog)
{
    int findings = 0;
    ui::CancelRequested = false;
    const cleanup::RegistrySearchScope search;
    for (cleanup::RegCheckKind kind : {cleanup::KindFileTypes, cleanup::KindComServers, cleanup::KindTypeLibraries,
                                       cleanup::KindSharedDlls, cleanup::KindFonts, cleanup::KindIcons}) {
        const cleanup::RegFindings found = cleanup::RunRegistryCheck(kind);
        findings += static_cast<int>(found.size());
        if (!dialog || found.empty())
            continue;
        const ui::TreeNode group = dialog->addGroup(kind, "Gruppe");
        for (const cleanup::RegFinding& finding : found) {
            cleanup::ScanPause();
            dialog->addEntry(group, kind, finding);
        }
    }
    return findings;
}

// --- Deleting -----------------------------------------------------------------

// Answers the deletion's question with Yes and its report with OK.
class AnsweringBoxes : public ui::MessageBoxSeam {
public:
    AnsweringBoxes() : previous_(ui::SetMessageBoxSeam(this)) {}
    ~AnsweringBoxes() override { ui::SetMessageBoxSeam(previous_); }
    AnsweringBoxes(const AnsweringBoxes&) = delete;
    AnsweringBoxes& operator=(const AnsweringBoxes&) = delete;
    ui::MsgButton show(const ui::MessageBoxRequest& request) override
    {
        return request.buttons.empty() ? ui::MsgButton::OK : request.buttons.front().id;
    }

private:
    ui::MessageBoxSeam* previous_;
};

std::vector<std::string> MakeFiles(const std::string& folder, int count)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<std::string> names;
    for (int number = 0; number < count; ++number) {
        names.push_back("old" + std::to_string(number) + ".bak");
        WriteEmptyFile(folder + names.back());
    }
    return names;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora_bench <data folder>\n");
        return 2;
    }
    std::string data = argv[1];
    if (data.back() != '\\')
        data += '\\';
    const std::string only = argc >= 3 ? argv[2] : "";
    const auto runs = [&](const char* section) { return only.empty() || only == section; };
    ui::App().initialize();
    CreateDirectoryA(data.c_str(), nullptr);
    const std::string tree = data + "files\\";
    // The user's TEMP folder is not part of this benchmark.
    cleanup::Places().localAppData = "";

    double start = Now();
    if (runs("files")) {
    std::printf("Building %d files in %d folders...\n", kTopFolders * kSubFolders * kFilesPerFolder, kTopFolders * kSubFolders);
    BuildFileTree(tree);
    std::printf("  built in %.1f s\n\n", Now() - start);

    std::printf("File search (%d files, 4 in 10 of a searched kind):\n", kTopFolders * kSubFolders * kFilesPerFolder);
    int bareTaken = 0;
    int scanTaken = 0;
    double fileGap = 0;
    const std::vector<double> fileTimes = Fastest(kRounds, {
        [&] { bareTaken = BareFileWalk(tree); },
        [&] { scanTaken = CleanupFileScan(tree, false); },
        [&] {
            const MessageGaps gaps;
            CleanupFileScan(tree, true);
            fileGap = std::max(fileGap, gaps.longest());
        },
    });
    const double bareFiles = fileTimes[0];
    const double scanOnly = fileTimes[1];
    const double scanWithList = fileTimes[2];
    Report("bare walker (list, open candidates)", bareFiles, bareFiles);
    Report("file search", scanOnly, bareFiles);
    Report("file search filling the result list", scanWithList, bareFiles);
    std::printf("  files taken: bare walker %d, file search %d\n", bareTaken, scanTaken);
    std::printf("  longest time without processing messages (all rounds): %.0f ms\n\n", fileGap * 1000);
    }

    if (runs("registry")) {
    std::printf("Building %d COM classes and %d file types...\n", kClasses, kFileTypes);
    const RedirectedRoots roots("Software\\VelmoraBench\\" + std::to_string(GetCurrentProcessId()));
    start = Now();
    BuildRegistry(data);
    std::printf("  built in %.1f s\n\n", Now() - start);
    components::RegDriveFlags.fill(0);
    components::RegDriveFlags[static_cast<std::size_t>(ui::UpperCase(data.substr(0, 1))[0] - 'A')] = 1;

    std::printf("Registry search (half of the classes and file types point to missing files):\n");
    int bareMissing = 0;
    int findings = 0;
    double registryGap = 0;
    double closing = 1e9;
    const std::vector<double> registryTimes = Fastest(kRounds, {
        [&] { bareMissing = BareRegistryWalk(); },
        [&] { findings = CleanupRegistryScan(nullptr); },
        [&] {
            auto dialog = std::make_unique<cleanup::TForm6>();
            {
                const MessageGaps gaps;
                CleanupRegistryScan(dialog.get());
                registryGap = std::max(registryGap, gaps.longest());
            }
            const double start = Now();
            dialog.reset();
            closing = std::min(closing, Now() - start);
        },
    });
    const double bareRegistry = registryTimes[0];
    const double registryScan = registryTimes[1];
    const double registryWithList = registryTimes[2];
    Report("bare walker (open, query, close)", bareRegistry, bareRegistry);
    Report("registry search, six checks", registryScan, bareRegistry);
    Report("registry search filling the result list", registryWithList, bareRegistry);
    std::printf("  missing: bare walker %d, registry search %d findings\n", bareMissing, findings);
    std::printf("  longest time without processing messages (all rounds): %.0f ms\n", registryGap * 1000);
    std::printf("  closing the result list of %d findings: %.0f ms\n\n", findings, closing * 1000);
    }

    if (!runs("delete"))
        return 0;
    std::printf("Deleting %d ticked files:\n", kDeletedFiles);
    const AnsweringBoxes answers;
    {
        const std::string folder = data + "single\\";
        const std::vector<std::string> names = MakeFiles(folder, kSingleRecycleSample);
        const double single = Once([&] {
            for (const std::string& name : names)
                helpers::RecycleFile(folder + name);
        });
        std::printf("  one shell operation per file: %.3f s for %d files (%.1f s for %d)\n", single, kSingleRecycleSample,
                    single * kDeletedFiles / kSingleRecycleSample, kDeletedFiles);
    }
    {
        const std::string folder = data + "many\\";
        const std::vector<std::string> names = MakeFiles(folder, kDeletedFiles);
        cleanup::TForm11 dialog;
        for (const std::string& name : names)
            dialog.addFile({name, folder.substr(0, folder.size() - 1), 0});
        cleanup::FileScanFlags = {};
        const double all = Once([&] { dialog.ButtonDELETEClick(); });
        int left = 0;
        for (const std::string& name : names)
            left += helpers::FileExists(folder + name) ? 1 : 0;
        std::printf("  \"Loeschen\" with every line ticked (one shell operation): %.3f s, %d files left\n", all, left);
    }
    return 0;
}
