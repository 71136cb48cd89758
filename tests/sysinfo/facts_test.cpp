// The facts of the collector: their texts, the version and its registry values, the
// display modes, the drives, and that a refresh never keeps what an earlier one found.
#include "harness/registry_sandbox.h"
#include "sysinfo/system_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

namespace {

TEST(DriveTexts, TypesSerialNumbersAndLettersReadAsTheReportShowsThem)
{
    const struct {
        UINT type;
        const char* text;
    } types[] = {
        {DRIVE_UNKNOWN, "<unknown>"}, {DRIVE_NO_ROOT_DIR, "<not exists>"}, {DRIVE_REMOVABLE, "Removable"},
        {DRIVE_FIXED, "Fixed"},       {DRIVE_REMOTE, "Remote"},            {DRIVE_CDROM, "CDROM"},
        {DRIVE_RAMDISK, "RAM"},       {7, "<unknown>"},
    };
    for (const auto& type : types)
        EXPECT_EQ(sysinfo::MediaTypeText(type.type), type.text) << type.type;

    EXPECT_EQ(sysinfo::SerialNumberText(0x43000000), "4300-0000");
    EXPECT_EQ(sysinfo::SerialNumberText(0x0000ABCD), "0000-ABCD");
    EXPECT_EQ(sysinfo::SerialNumberText(0xFFFFFFFF), "FFFF-FFFF");

    EXPECT_EQ(sysinfo::DriveLettersOf(0), "");
    EXPECT_EQ(sysinfo::DriveLettersOf(0b1101), "ACD");
    EXPECT_EQ(sysinfo::DriveLettersOf(0x3FFFFFF), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(sysinfo::DriveLettersOf(0xFC000000), "");  // no drive beyond Z:
}

class OperatingSystemFacts : public RegistrySandbox {};

// The test prefix reports Windows XP Service Pack 3, build 2600, on the NT platform.
TEST_F(OperatingSystemFacts, TheVersionComesFromWindowsAndTheNamesFromTheNTVersionKey)
{
    const std::string ntKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    WriteRawValue(HKEY_LOCAL_MACHINE, ntKey, "CurrentType", REG_SZ, TextBytes("Uniprocessor Free"));
    WriteRawValue(HKEY_LOCAL_MACHINE, ntKey, "RegisteredOwner", REG_SZ, TextBytes("Erika Mustermann"));
    WriteRawValue(HKEY_LOCAL_MACHINE, ntKey, "RegisteredOrganization", REG_SZ, TextBytes("Muster & Co."));
    // The Windows 9x key says otherwise; on NT it is not asked.
    WriteRawValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "Version", REG_SZ,
                  TextBytes("Windows 98"));

    const sysinfo::OperatingSystemFacts facts = sysinfo::ReadOperatingSystem();

    ASSERT_TRUE(facts.buildNumber.has_value());
    EXPECT_EQ(*facts.buildNumber, 2600u);
    EXPECT_EQ(facts.servicePack, "Service Pack 3");
    EXPECT_TRUE(facts.ntPlatform);
    EXPECT_EQ(facts.processorVersion, "Uniprocessor Free");
    EXPECT_EQ(facts.registeredOwner, "Erika Mustermann");
    EXPECT_EQ(facts.registeredOrganization, "Muster & Co.");
    EXPECT_EQ(sysinfo::VersionKey(false), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
}

TEST_F(OperatingSystemFacts, MissingNamesAreEmpty)
{
    const sysinfo::OperatingSystemFacts facts = sysinfo::ReadOperatingSystem();
    EXPECT_EQ(facts.processorVersion, "");
    EXPECT_EQ(facts.registeredOwner, "");
    EXPECT_EQ(facts.registeredOrganization, "");
}

TEST(MachineFacts, DisplayModesAreListedOnceEachInTheirForm)
{
    const std::vector<std::string> modes = sysinfo::ReadDisplayModes();
    ASSERT_FALSE(modes.empty());
    const std::regex form(R"(\d+ x \d+ - \d+ bit)");
    for (const std::string& mode : modes)
        EXPECT_TRUE(std::regex_match(mode, form)) << mode;
    EXPECT_EQ(std::set<std::string>(modes.begin(), modes.end()).size(), modes.size());

    DEVMODEA current{};
    current.dmSize = sizeof(current);
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    const std::string shown = std::to_string(current.dmPelsWidth) + " x " + std::to_string(current.dmPelsHeight) +
                              " - " + std::to_string(current.dmBitsPerPel) + " bit";
    EXPECT_NE(std::find(modes.begin(), modes.end(), shown), modes.end()) << shown;
}

TEST(MachineFacts, TheComputerAndItsUserHaveNames)
{
    const sysinfo::MachineFacts machine = sysinfo::ReadMachine();
    EXPECT_FALSE(machine.computerName.empty());
    EXPECT_FALSE(machine.userName.empty());
    for (const std::string& address : sysinfo::ReadIpAddresses())
        EXPECT_TRUE(std::regex_match(address, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << address;
}

// A letter that names no drive in the test prefix, which maps C: only.
std::string UnusedDrive()
{
    const std::string used = sysinfo::Facts().availableDrives();
    for (char letter = 'Z'; letter > 'C'; --letter)
        if (used.find(letter) == std::string::npos)
            return std::string(1, letter) + ":";
    return {};
}

TEST(DriveFacts, TheSystemDriveIsAFixedDriveWithAVolumeOfClusters)
{
    EXPECT_NE(sysinfo::Facts().availableDrives().find('C'), std::string::npos);
    const sysinfo::DriveFacts drive = sysinfo::Facts().drive("C:");
    EXPECT_EQ(drive.drive, "C:");
    EXPECT_EQ(drive.mediaType, static_cast<UINT>(DRIVE_FIXED));
    ASSERT_TRUE(drive.mediaPresent);
    EXPECT_FALSE(drive.fileSystem.empty());
    EXPECT_TRUE(std::regex_match(drive.serialNumber, std::regex("[0-9A-F]{4}-[0-9A-F]{4}"))) << drive.serialNumber;
    EXPECT_GT(drive.capacity, 0u);
    EXPECT_LE(drive.freeBytes, drive.capacity);
    EXPECT_GT(drive.bytesPerSector, 0u);
    EXPECT_GT(drive.sectorsPerCluster, 0u);
    EXPECT_GT(drive.totalClusters, 0u);
    EXPECT_LE(drive.freeClusters, drive.totalClusters);
}

TEST(DriveFacts, ADriveThatIsGoneLeavesNothingOfTheDriveAskedBefore)
{
    const std::string gone = UnusedDrive();
    ASSERT_FALSE(gone.empty());
    sysinfo::TMSystemInfo collector("MSystemInfo1");
    collector.setDrive("C:");
    collector.refreshDrive();
    ASSERT_TRUE(collector.drive().mediaPresent);

    collector.setDrive(gone);
    EXPECT_EQ(collector.drive().drive, gone);
    EXPECT_FALSE(collector.drive().mediaPresent);
    collector.refreshDrive();

    const sysinfo::DriveFacts& drive = collector.drive();
    EXPECT_EQ(drive.drive, gone);
    EXPECT_EQ(drive.mediaType, static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_FALSE(drive.mediaPresent);
    EXPECT_EQ(drive.volumeLabel, "");
    EXPECT_EQ(drive.fileSystem, "");
    EXPECT_EQ(drive.serialNumber, "");
    EXPECT_EQ(drive.capacity, 0u);
    EXPECT_EQ(drive.freeBytes, 0u);
    EXPECT_EQ(drive.bytesPerSector, 0u);
    EXPECT_EQ(drive.totalClusters, 0u);
}

TEST(Folders, TheProgramAndSystemFoldersHaveNoTrailingBackslash)
{
    for (const std::string& folder : {sysinfo::ProgramFolder(), sysinfo::SystemFolder()}) {
        ASSERT_GE(folder.size(), 2u);
        EXPECT_NE(folder.back(), '\\') << folder;
    }
    const std::string notepad = sysinfo::SystemFolder() + "\\notepad.exe";
    EXPECT_NE(GetFileAttributesA(notepad.c_str()), INVALID_FILE_ATTRIBUTES) << notepad;
}

}  // namespace
