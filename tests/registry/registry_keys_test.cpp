// Keys and value names: existence, creation, removal of whole trees, enumeration, the
// prefix match of RegValueExists and the removal of single values.
#include "harness/registry_sandbox.h"
#include "registry/registry.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace registry;

namespace {

const std::string kKey = "Software\\Velmora\\Keys";
const std::vector<BYTE> kDword{1, 0, 0, 0};

class RegistryKeysTest : public RegistrySandbox {};

TEST_F(RegistryKeysTest, EnsureCreatesTheWholePath)
{
    EXPECT_FALSE(RegKeyExists(HKLM, kKey + "\\A\\B"));
    EXPECT_TRUE(RegKeyEnsure(HKLM, kKey + "\\A\\B"));
    EXPECT_TRUE(RawKeyExists(HKLM, kKey + "\\A\\B"));
    EXPECT_TRUE(RegKeyEnsure(HKLM, "\\" + kKey + "\\A\\B"));
    EXPECT_TRUE(RegKeyExists(HKLM, "\\" + kKey + "\\A"));
}

TEST_F(RegistryKeysTest, RemoveDeletesNestedSubkeysAndLeavesSiblingsAlone)
{
    for (const char* path : {"\\A\\B\\C", "\\A\\B\\D", "\\A\\E", "\\A"})
        WriteRawValue(HKCU, kKey + path, "Value", REG_DWORD, kDword);
    WriteRawValue(HKCU, kKey + "\\AB", "Value", REG_DWORD, kDword);

    EXPECT_TRUE(RegKeyRemove(HKCU, kKey + "\\A"));
    EXPECT_FALSE(RawKeyExists(HKCU, kKey + "\\A"));
    EXPECT_TRUE(RawKeyExists(HKCU, kKey + "\\AB"));
    EXPECT_EQ(std::vector<std::string>{"AB"}, RegSubkeyNames(HKCU, kKey));
}

TEST_F(RegistryKeysTest, RemoveOfAMissingKeyIsTrue)
{
    EXPECT_TRUE(RegKeyRemove(HKCU, kKey + "\\Missing"));
    EXPECT_FALSE(RawKeyExists(HKCU, kKey));
}

// The empty path names the root itself; a slip in a caller must not empty a whole root.
TEST_F(RegistryKeysTest, RemoveNeverEmptiesARoot)
{
    WriteRawValue(HKCU, kKey, "Value", REG_DWORD, kDword);
    EXPECT_FALSE(RegKeyRemove(HKCU, ""));
    EXPECT_FALSE(RegKeyRemove(HKCU, "\\"));
    EXPECT_TRUE(RawKeyExists(HKCU, kKey));
}

TEST_F(RegistryKeysTest, EnumeratesSubkeysAndValueNames)
{
    for (const char* name : {"Eins", "Zwei", "Drei"})
        WriteRawValue(HKCU, kKey + "\\" + name, "", REG_DWORD, kDword);
    WriteRawValue(HKCU, kKey, "Alpha", REG_DWORD, kDword);
    WriteRawValue(HKCU, kKey, "", REG_SZ, {'x', 0});
    WriteRawValue(HKCU, kKey, "Beta", REG_SZ, {0});

    auto subkeys = RegSubkeyNames(HKCU, kKey);
    std::sort(subkeys.begin(), subkeys.end());
    EXPECT_EQ((std::vector<std::string>{"Drei", "Eins", "Zwei"}), subkeys);

    auto values = RegValueNames(HKCU, kKey);
    std::sort(values.begin(), values.end());
    EXPECT_EQ((std::vector<std::string>{"", "Alpha", "Beta"}), values);

    EXPECT_TRUE(RegSubkeyNames(HKCU, kKey + "\\Missing").empty());
    EXPECT_TRUE(RegValueNames(HKCU, kKey + "\\Missing").empty());
    EXPECT_TRUE(RegValueNames(HKCU, kKey + "\\Eins").size() == 1);
}

TEST_F(RegistryKeysTest, ValueExistsMatchesTheBeginningOfAName)
{
    WriteRawValue(HKCU, kKey, "SizeLimit", REG_DWORD, kDword);
    RegKeyEnsure(HKCU, kKey + "\\Empty");

    struct ExistsCase {
        std::string key;
        std::string name;
        bool exists;
    };
    const std::vector<ExistsCase> cases{
        {kKey, "Size", true},
        {kKey, "sIZElimit", true},
        {kKey, "SizeLimit", true},
        {kKey, "SizeLimitX", false},
        {kKey, "Limit", false},
        {kKey, "", true},
        {kKey + "\\Empty", "", false},
        {kKey + "\\Missing", "", false},
    };
    for (const ExistsCase& c : cases) {
        SCOPED_TRACE(c.key + " / " + c.name);
        EXPECT_EQ(c.exists, RegValueExists(HKCU, c.key, c.name));
    }
}

TEST_F(RegistryKeysTest, ValueRemoveDeletesOnlyTheExactName)
{
    WriteRawValue(HKCU, kKey, "Size", REG_DWORD, kDword);
    WriteRawValue(HKCU, kKey, "SizeLimit", REG_DWORD, kDword);

    EXPECT_TRUE(RegValueRemove(HKCU, kKey, "size"));
    EXPECT_FALSE(ReadRawValue(HKCU, kKey, "Size").has_value());
    EXPECT_TRUE(ReadRawValue(HKCU, kKey, "SizeLimit").has_value());

    EXPECT_TRUE(RegValueRemove(HKCU, kKey, "Size"));  // already gone
}

TEST_F(RegistryKeysTest, ValueRemoveOnAMissingKeyCreatesNothing)
{
    EXPECT_TRUE(RegValueRemove(HKCU, kKey + "\\Missing", "Value"));
    EXPECT_FALSE(RawKeyExists(HKCU, kKey));
}

}  // namespace
