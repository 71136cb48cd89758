// Drives of the tests' own for the drive lists: each letter a drive type and a volume
// name, instead of the machine's drives. Roots it is asked about are kept.
#pragma once

#include "components/ostrel_drives.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

class FakeDrives : public components::DriveInfoSeam {
public:
    FakeDrives() : previous_(components::SetDriveInfoSeam(this)) {}
    ~FakeDrives() override { components::SetDriveInfoSeam(previous_); }
    FakeDrives(const FakeDrives&) = delete;
    FakeDrives& operator=(const FakeDrives&) = delete;

    void add(char letter, UINT type, std::string volume = {}) { drives_[letter] = {type, std::move(volume)}; }

    UINT driveType(const std::string& root) override
    {
        askedType.push_back(root);
        const auto drive = drives_.find(root.empty() ? '?' : root[0]);
        return drive == drives_.end() ? DRIVE_NO_ROOT_DIR : drive->second.first;
    }
    std::string volumeName(const std::string& root) override
    {
        askedName.push_back(root);
        const auto drive = drives_.find(root.empty() ? '?' : root[0]);
        return drive == drives_.end() ? std::string() : drive->second.second;
    }

    std::vector<std::string> askedType;
    std::vector<std::string> askedName;

private:
    components::DriveInfoSeam* previous_;
    std::map<char, std::pair<UINT, std::string>> drives_;
};

}  // namespace testing_support
