// The shell's special folders.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "registry/helpers.h"

namespace {

TEST(HelpersSpecialFolderPath, GivesTheFileSystemPathOfAShellFolder)
{
    const std::string localAppData = helpers::SpecialFolderPath(nullptr, CSIDL_LOCAL_APPDATA);
    ASSERT_FALSE(localAppData.empty());
    EXPECT_EQ(localAppData.substr(1, 2), ":\\");
    EXPECT_TRUE(helpers::FolderExists(localAppData));
}

TEST(HelpersSpecialFolderPath, IsEmptyForFoldersWithoutAFileSystemPath)
{
    EXPECT_EQ(helpers::SpecialFolderPath(nullptr, CSIDL_DRIVES), "");    // My Computer
    EXPECT_EQ(helpers::SpecialFolderPath(nullptr, CSIDL_CONTROLS), "");  // Control Panel
    EXPECT_EQ(helpers::SpecialFolderPath(nullptr, 0x7f), "");            // no such folder
}

}  // namespace
