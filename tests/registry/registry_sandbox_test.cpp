// The registry sandbox every registry test relies on: all four roots are redirected,
// the real registry stays untouched, and a read-only root really refuses writes.
#include "harness/registry_sandbox.h"
#include "registry/registry.h"

#include <gtest/gtest.h>

using namespace registry;

namespace {

const std::string kProbeKey = "VelmoraSandboxProbe\\Inner";

struct NamedRoot {
    HKEY root;
    const char* name;
};
const std::vector<NamedRoot> kAllRoots{
    {HKCR, "HKCR"}, {HKCU, "HKCU"}, {HKLM, "HKLM"}, {HKU, "HKU"}};

TEST(RegistrySandboxTest, RedirectsEveryRootIntoItsScratchKeyAndRemovesItAfterwards)
{
    for (const NamedRoot& r : kAllRoots) {
        SCOPED_TRACE(r.name);
        ASSERT_FALSE(RegKeyExists(r.root, "VelmoraSandboxProbe")) << "left over in the real registry";
        std::string scratchPath;
        {
            ScopedRegistrySandbox sandbox;
            scratchPath = sandbox.scratchPath();
            ASSERT_TRUE(RegWriteText(r.root, kProbeKey, "Probe", r.name));

            const auto landed = ReadRawValue(sandbox.sandboxKey(r.root), kProbeKey, "Probe");
            ASSERT_TRUE(landed.has_value());
            EXPECT_EQ(std::string(r.name) + '\0', std::string(landed->data.begin(), landed->data.end()));
            for (const NamedRoot& other : kAllRoots) {
                if (other.root != r.root) {
                    EXPECT_FALSE(RegKeyExists(other.root, "VelmoraSandboxProbe")) << other.name;
                }
            }
        }
        // Back on the real registry: the probe never reached it and the scratch tree is gone.
        EXPECT_FALSE(RegKeyExists(r.root, "VelmoraSandboxProbe"));
        EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, scratchPath));
        if (RegKeyExists(r.root, "VelmoraSandboxProbe"))
            RegKeyRemove(r.root, "VelmoraSandboxProbe");
    }
}

TEST(RegistrySandboxTest, EverySandboxStartsEmpty)
{
    {
        ScopedRegistrySandbox first;
        RegWriteInt(HKLM, "Software\\Velmora", "Left", 1);
    }
    ScopedRegistrySandbox second;
    EXPECT_FALSE(RegKeyExists(HKLM, "Software\\Velmora"));
    EXPECT_TRUE(RegSubkeyNames(HKLM, "").empty());
}

class RegistrySandboxReadOnlyTest : public RegistrySandbox {};

// The simulation at the level of the registry itself, below the library.
TEST_F(RegistrySandboxReadOnlyTest, ReadOnlyRootCanBeReadButNotChanged)
{
    WriteRawValue(HKLM, "Software\\Velmora", "Kept", REG_DWORD, {7, 0, 0, 0});
    makeReadOnly(HKLM);

    const auto kept = ReadRawValue(HKLM, "Software\\Velmora", "Kept");
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ((std::vector<BYTE>{7, 0, 0, 0}), kept->data);

    const auto createResult = [](const char* path) {
        HKEY handle = nullptr;
        const LONG result = RegCreateKeyExA(HKLM, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                            nullptr, &handle, nullptr);
        const ui::RegKey owned(result == ERROR_SUCCESS ? handle : nullptr);
        return result;
    };
    EXPECT_NE(ERROR_SUCCESS, createResult("Software\\Velmora"));
    EXPECT_NE(ERROR_SUCCESS, createResult("Software\\Velmora\\New"));
    EXPECT_NE(ERROR_SUCCESS, createResult("New"));
    EXPECT_NE(ERROR_SUCCESS, createResult(""));
    EXPECT_FALSE(RawKeyExists(HKLM, "Software\\Velmora\\New"));
    EXPECT_FALSE(RawKeyExists(HKLM, "New"));

    HKEY handle = nullptr;
    const LONG openResult = RegOpenKeyExA(HKLM, "Software\\Velmora", 0, KEY_ALL_ACCESS, &handle);
    const ui::RegKey owned(openResult == ERROR_SUCCESS ? handle : nullptr);
    EXPECT_NE(ERROR_SUCCESS, openResult);

    // The other roots stay writable.
    EXPECT_TRUE(RegWriteInt(HKCU, "Software\\Velmora", "Free", 1));
}

TEST(RegistrySandboxTest, ReadOnlyRootIsRemovedWithTheSandbox)
{
    std::string scratchPath;
    {
        ScopedRegistrySandbox sandbox;
        scratchPath = sandbox.scratchPath();
        RegWriteInt(HKLM, "Software\\Velmora\\Deep\\Deeper", "Value", 1);
        sandbox.makeReadOnly(HKLM);
    }
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, scratchPath));
}

}  // namespace
