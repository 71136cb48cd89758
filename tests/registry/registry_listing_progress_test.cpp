// Long listings of names let the caller work between names, and read values of any
// size whole, whether or not they fit the first buffer.
#include "harness/registry_sandbox.h"
#include "registry/registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace registry;

class RegistryListingTest : public RegistrySandbox {};

TEST_F(RegistryListingTest, ListingsReportEachNameTheyRead)
{
    const std::string key = "Software\\Velmora\\Listing";
    for (const char* name : {"A", "B", "C"}) {
        WriteRawValue(HKCU, key + "\\" + name, name, REG_SZ, TextBytes(name));
        WriteRawValue(HKCU, key, name, REG_SZ, TextBytes(name));
    }
    int subkeysSeen = 0;
    int valuesSeen = 0;

    EXPECT_EQ(RegSubkeyNames(HKCU, key, [&] { ++subkeysSeen; }).size(), 3u);
    EXPECT_EQ(RegValueNames(HKCU, key, [&] { ++valuesSeen; }).size(), 3u);

    EXPECT_EQ(subkeysSeen, 3);
    EXPECT_EQ(valuesSeen, 3);
    EXPECT_TRUE(RegSubkeyNames(HKCU, key + "\\Missing", [&] { ++subkeysSeen; }).empty());
    EXPECT_EQ(subkeysSeen, 3);
}

TEST_F(RegistryListingTest, TextsOfEveryLengthReadWhole)
{
    const std::string key = "Software\\Velmora\\Lengths";
    for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 257u, 5000u}) {
        const std::string text(length, 'x');
        WriteRawValue(HKCU, key, "Text", REG_SZ, TextBytes(text));
        EXPECT_EQ(RegReadText(HKCU, key, "Text"), text) << length;
    }
}
