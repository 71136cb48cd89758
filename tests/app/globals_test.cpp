// The facts start-up works out: the program's folder, which Windows it runs on, and
// whether the user is an administrator.
#include "app/globals.h"
#include "harness/registry_sandbox.h"
#include "registry/registry.h"

#include <gtest/gtest.h>

TEST(StartupFacts, TheProgramFolderIsThePathUpToItsLastBackslash)
{
    EXPECT_EQ(app::FolderOfProgram("C:\\Program Files\\Velmora\\velmora.exe"), "C:\\Program Files\\Velmora");
    EXPECT_EQ(app::FolderOfProgram("C:\\velmora.exe"), "C:");  // a drive root gives two characters
}

TEST(StartupFacts, WindowsFamilyFollowsVersionAndProductName)
{
    struct Case {
        const char* what;
        DWORD platform, major, minor;
        const char* productName;
        bool isWinXP, isNTFamily;
    };
    const Case cases[] = {
        {"Windows XP", VER_PLATFORM_WIN32_NT, 5, 1, "Microsoft Windows XP", true, true},
        {"XP by version alone", VER_PLATFORM_WIN32_NT, 5, 1, "", true, true},
        {"Windows 2000", VER_PLATFORM_WIN32_NT, 5, 0, "Microsoft Windows 2000", false, true},
        {"Server 2003", VER_PLATFORM_WIN32_NT, 5, 2, "Microsoft Windows Server 2003", false, true},
        {"NT 4", VER_PLATFORM_WIN32_NT, 4, 0, "", false, true},
        {"Windows 7", VER_PLATFORM_WIN32_NT, 6, 1, "Windows 7 Professional", false, false},
        {"later NT named XP", VER_PLATFORM_WIN32_NT, 6, 1, "Windows XP Mode", true, true},
        {"letter case counts", VER_PLATFORM_WIN32_NT, 6, 1, "windows xp", false, false},
        {"Windows 98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, "Windows XP", false, false},
    };
    for (const Case& c : cases) {
        const app::WindowsFamily family = app::ClassifyWindows(c.platform, c.major, c.minor, c.productName);
        EXPECT_EQ(family.isWinXP, c.isWinXP) << c.what;
        EXPECT_EQ(family.isNTFamily, c.isNTFamily) << c.what;
    }
}

class StartupGlobals : public RegistrySandbox {};

TEST_F(StartupGlobals, ReadTheProductNameAndTheSystemFolders)
{
    registry::RegWriteText(HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName",
                           "Microsoft Windows XP");
    app::DetermineGlobals();
    EXPECT_TRUE(app::IsWinXP);
    EXPECT_TRUE(app::IsNTFamily);
    EXPECT_FALSE(app::WindowsDir.empty());
    EXPECT_EQ(app::SystemDir.rfind(app::WindowsDir, 0), 0u) << app::SystemDir;
    EXPECT_FALSE(app::AppDir.empty());
    EXPECT_NE(app::AppDir.back(), '\\');
}

TEST(StartupFacts, AdministratorTestAnswersWithoutRaising)
{
    // Wine gives every program a token with the Administrators group; on Windows the
    // answer follows the user who runs the tests.
    const bool underWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    bool administrator = false;
    ASSERT_NO_THROW(administrator = app::IsAdministrator());
    if (underWine) {
        EXPECT_TRUE(administrator);
    }
}
