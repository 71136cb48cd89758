// What the clean-up tests share: the registry sandbox with the German texts, a
// folder that stands in for the program's folder and the Windows folder, scripted
// message boxes, recorded help, and a clean scanner state for every test.
#pragma once

#include "cleanup/cleanup_places.h"
#include "cleanup/file_scanner.h"
#include "components/drive_flags.h"
#include "harness/dialog_seam.h"
#include "harness/german_sandbox.h"
#include "harness/help_seam.h"
#include "harness/modal_driver.h"
#include "harness/page_contract.h"
#include "harness/temp_folder.h"
#include "ui/application.h"
#include "ui/convert.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class CleanupTest : public GermanRegistrySandbox {
protected:
    void SetUp() override
    {
        GermanRegistrySandbox::SetUp();
        savedPlaces_ = cleanup::Places();
        cleanup::Places() = {folder.path() + "Program", folder.path() + "WINDOWS", true,
                             folder.path() + "User\\Local Settings\\Application Data"};
        folder.makeDir("Program");
        folder.makeDir("WINDOWS\\TEMP");
        folder.makeDir("User\\Local Settings\\TEMP");
        ResetScanState();
    }

    void TearDown() override
    {
        testing_support::CancelWhenModal();
        ResetScanState();
        cleanup::ReleaseFileScan();
        cleanup::Places() = savedPlaces_;
        GermanRegistrySandbox::TearDown();
    }

    static void ResetScanState()
    {
        ui::CancelRequested = false;
        components::FileDriveFlags.fill(0);
        components::RegDriveFlags.fill(0);
        cleanup::FileScanFlags = {};
    }

    // Ticks a drive letter for the registry search, as the page's list would.
    static void TickRegistryDrive(char letter) { components::RegDriveFlags[static_cast<std::size_t>(letter - 'A')] = 1; }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    testing_support::TempFolder folder;
    testing_support::ScriptedMessageBoxes boxes;
    testing_support::RecordedHelp help;

private:
    cleanup::CleanupPlaces savedPlaces_;
};

// Collects what the file scanner accepts, as the result dialog's list would.
class CollectedFiles : public cleanup::FileResultList {
public:
    CollectedFiles() { cleanup::SetFileResultList(this); }
    ~CollectedFiles() override { cleanup::SetFileResultList(nullptr); }
    CollectedFiles(const CollectedFiles&) = delete;
    CollectedFiles& operator=(const CollectedFiles&) = delete;

    void addFile(const cleanup::FileEntry& entry) override { entries.push_back(entry); }

    // The accepted files as paths below root (letter case ignored), in the order of acceptance.
    std::vector<std::string> below(const std::string& root) const
    {
        std::vector<std::string> paths;
        for (const auto& entry : entries) {
            const std::string path = entry.Folder + "\\" + entry.Name;
            const bool below = ui::UpperCase(path.substr(0, root.size())) == ui::UpperCase(root);
            paths.push_back(below ? path.substr(root.size()) : path);
        }
        return paths;
    }

    std::vector<cleanup::FileEntry> entries;
};

// The entries that differ between two snapshots of the sandbox, with what differs.
inline std::vector<std::string> SnapshotDifferences(const testing_support::RegistrySnapshot& before,
                                     const testing_support::RegistrySnapshot& after)
{
    const auto same = [](const std::optional<RawRegValue>& a, const std::optional<RawRegValue>& b) {
        return a.has_value() == b.has_value() && (!a || (a->type == b->type && a->data == b->data));
    };
    std::vector<std::string> differences;
    for (const auto& [entry, value] : before) {
        const auto now = after.find(entry);
        if (now == after.end())
            differences.push_back(entry + ": missing");
        else if (!same(value, now->second))
            differences.push_back(entry + ": changed");
    }
    for (const auto& [entry, value] : after)
        if (!before.count(entry))
            differences.push_back(entry + ": added");
    return differences;
}
