// A user without rights on HKLM: existing keys can be seen but not opened with full
// access. Writes raise the write error and change nothing, reads see missing values,
// deletions silently do nothing.
#include "harness/registry_sandbox.h"
#include "registry/registry.h"

#include <gtest/gtest.h>

#include <functional>

using namespace registry;

namespace {

const std::string kKey = "Software\\Velmora";
const std::string kNewKey = "Software\\Velmora\\New";

class RegistryReadOnlyTest : public RegistrySandbox {
protected:
    void SetUp() override
    {
        RegistrySandbox::SetUp();
        RegWriteText(HKLM, kKey, "Name", "alt");
        RegWriteInt(HKLM, kKey, "Count", 5);
        BinaryScratch[0] = 9;
        RegWriteBinary(HKLM, kKey, "Blob", 1);
        RegKeyEnsure(HKLM, kKey + "\\Sub");
        makeReadOnly(HKLM);
    }

    static void ExpectUnchanged()
    {
        const auto name = ReadRawValue(HKLM, kKey, "Name");
        ASSERT_TRUE(name.has_value());
        EXPECT_EQ(DWORD{REG_SZ}, name->type);
        EXPECT_EQ((std::vector<BYTE>{'a', 'l', 't', 0}), name->data);
        const auto count = ReadRawValue(HKLM, kKey, "Count");
        ASSERT_TRUE(count.has_value());
        EXPECT_EQ((std::vector<BYTE>{5, 0, 0, 0}), count->data);
        const auto blob = ReadRawValue(HKLM, kKey, "Blob");
        ASSERT_TRUE(blob.has_value());
        EXPECT_EQ(std::vector<BYTE>{9}, blob->data);
        EXPECT_TRUE(RawKeyExists(HKLM, kKey + "\\Sub"));
        EXPECT_FALSE(RawKeyExists(HKLM, kNewKey));
    }
};

TEST_F(RegistryReadOnlyTest, EveryWriteRaisesTheWriteErrorAndChangesNothing)
{
    struct WriteCase {
        const char* label;
        std::function<void(const std::string& key, const std::string& name)> write;
    };
    const std::vector<WriteCase> writes{
        {"RegWriteText", [](auto& key, auto& name) { RegWriteText(HKLM, key, name, "neu"); }},
        {"RegWriteExpandText", [](auto& key, auto& name) { RegWriteExpandText(HKLM, key, name, "neu"); }},
        {"RegWriteInt", [](auto& key, auto& name) { RegWriteInt(HKLM, key, name, 7); }},
        {"RegStoreInt", [](auto& key, auto& name) { RegStoreInt(HKLM, key, name, 7); }},
        {"RegWriteBinary", [](auto& key, auto& name) { RegWriteBinary(HKLM, key, name, 1); }},
        {"RegUpdateBinary", [](auto& key, auto& name) { RegUpdateBinary(HKLM, key, name, 1); }},
    };
    BinaryScratch[0] = 1;
    for (const WriteCase& w : writes) {
        for (const std::string name : {"Name", "Count", "Blob", "Unknown"}) {
            SCOPED_TRACE(std::string(w.label) + " " + name);
            EXPECT_EQ("Fehler beim Setzen der Daten für '" + name + "'",
                      RaisedText([&] { w.write(kKey, name); }));
        }
        SCOPED_TRACE(std::string(w.label) + " into a new key");
        EXPECT_EQ("Fehler beim Setzen der Daten für 'Name'", RaisedText([&] { w.write(kNewKey, "Name"); }));
        ExpectUnchanged();
    }
}

TEST_F(RegistryReadOnlyTest, UpdateTextOfAKeyWithoutFullAccessRaisesTheWriteError)
{
    EXPECT_EQ("Fehler beim Setzen der Daten für 'Name'",
              RaisedText([] { RegUpdateText(HKLM, kKey, "Name", "neu"); }));
    EXPECT_FALSE(RegUpdateText(HKLM, kNewKey, "Name", "neu"));  // a missing key is no write
    ExpectUnchanged();
}

TEST_F(RegistryReadOnlyTest, KeyCreationRaisesTheKeyError)
{
    EXPECT_TRUE(RegKeyEnsure(HKLM, kKey));
    EXPECT_EQ("Erzeugung von Schlüssel " + kNewKey + " mißlungen", RaisedText([] { RegKeyEnsure(HKLM, kNewKey); }));
    ExpectUnchanged();
}

TEST_F(RegistryReadOnlyTest, ExistingKeyShowsNoValuesAndNoSubkeys)
{
    EXPECT_TRUE(RegKeyExists(HKLM, kKey));
    EXPECT_TRUE(RegKeyExists(HKLM, kKey + "\\Sub"));
    EXPECT_EQ("", RegReadText(HKLM, kKey, "Name"));
    EXPECT_EQ(0, RegReadInt(HKLM, kKey, "Count"));
    EXPECT_EQ(0, RegReadBinary(HKLM, kKey, "Blob"));
    EXPECT_EQ(RegDataKind::None, RegValueKind(HKLM, kKey, "Name"));
    EXPECT_FALSE(RegValueExists(HKLM, kKey, ""));
    EXPECT_FALSE(RegValueMatchesText(HKLM, kKey, "Name", "alt"));
    EXPECT_FALSE(RegValueMatchesInt(HKLM, kKey, "Count", 5));
    EXPECT_TRUE(RegValueNames(HKLM, kKey).empty());
    EXPECT_TRUE(RegSubkeyNames(HKLM, kKey).empty());
}

TEST_F(RegistryReadOnlyTest, DeletionsSilentlyDoNothing)
{
    EXPECT_TRUE(RegValueRemove(HKLM, kKey, "Name"));
    EXPECT_FALSE(RegKeyRemove(HKLM, kKey + "\\Sub"));
    EXPECT_FALSE(RegKeyRemove(HKLM, kKey));
    ExpectUnchanged();
}

}  // namespace
