// Writing values: updates that keep a value's kind, integer stores by kind, replacing
// writes that give the writer's kind, and the binary writes through BinaryScratch.
#include "harness/registry_sandbox.h"
#include "registry/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

using namespace registry;

namespace {

const std::string kKey = "Software\\Velmora\\Write";

// What a value holds afterwards; nullopt when it does not exist.
std::optional<RawRegValue> Stored(const std::string& name, const std::string& key = kKey)
{
    return ReadRawValue(HKCU, key, name);
}

void ExpectStored(DWORD type, const std::vector<BYTE>& data, const std::string& name)
{
    const auto value = Stored(name);
    ASSERT_TRUE(value.has_value()) << name << " is missing";
    EXPECT_EQ(type, value->type);
    EXPECT_EQ(data, value->data);
}

// A value a case starts from: none when type is REG_NONE.
struct Prior {
    Prior(DWORD type, std::vector<BYTE> data) : type(type), data(std::move(data)) {}
    DWORD type;
    std::vector<BYTE> data;
};

void Prepare(const Prior& prior, const std::string& name)
{
    if (prior.type != REG_NONE)
        WriteRawValue(HKCU, kKey, name, prior.type, prior.data);
    else
        WriteRawValue(HKCU, kKey, "Unrelated", REG_DWORD, {0, 0, 0, 0});  // the key exists
}

class RegistryWriteTest : public RegistrySandbox {};

// ---- RegUpdateText: writes into an existing value by its kind ----

struct UpdateCase {
    const char* label;
    Prior prior;
    std::string text;
    std::string raised;  // empty: nothing raised
    bool result;
    Prior after;  // REG_NONE: the value does not exist
};

TEST_F(RegistryWriteTest, UpdateTextWritesByTheExistingKind)
{
    const std::string conversionError = "'abc' ist kein gültiger Integerwert";
    const std::vector<UpdateCase> cases{
        {"dword", {REG_DWORD, {7, 0, 0, 0}}, "42", "", true, {REG_DWORD, {42, 0, 0, 0}}},
        {"dword -1", {REG_DWORD, {7, 0, 0, 0}}, "-1", "", true, {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}},
        {"dword, not a number", {REG_DWORD, {7, 0, 0, 0}}, "abc", conversionError, false, {REG_DWORD, {7, 0, 0, 0}}},
        {"string", {REG_SZ, TextBytes("old")}, "Neu", "", true, {REG_SZ, TextBytes("Neu")}},
        {"expandable string becomes a string", {REG_EXPAND_SZ, TextBytes("%TEMP%")}, "C:\\Temp", "", true,
         {REG_SZ, TextBytes("C:\\Temp")}},
        {"binary gets 4 bytes and reads back as other text", {REG_BINARY, {1, 2, 3, 4, 5, 6}}, "258", "", false,
         {REG_BINARY, {2, 1, 0, 0}}},
        {"binary, not a number", {REG_BINARY, {1, 2}}, "abc", conversionError, false, {REG_BINARY, {1, 2}}},
        {"other kind stays", {REG_MULTI_SZ, {'a', 0, 0}}, "b", "", false, {REG_MULTI_SZ, {'a', 0, 0}}},
        {"missing value is not created", {REG_NONE, {}}, "x", "", false, {REG_NONE, {}}},
    };
    for (const UpdateCase& c : cases) {
        SCOPED_TRACE(c.label);
        RegKeyRemove(HKCU, kKey);
        Prepare(c.prior, "Value");

        bool result = false;
        const std::string raised = RaisedText([&] { result = RegUpdateText(HKCU, kKey, "Value", c.text); });

        EXPECT_EQ(c.raised.empty() ? "(nothing raised)" : c.raised, raised);
        if (c.raised.empty()) {
            EXPECT_EQ(c.result, result);
        }
        if (c.after.type == REG_NONE) {
            EXPECT_FALSE(Stored("Value").has_value());
        } else {
            ExpectStored(c.after.type, c.after.data, "Value");
        }
    }
}

TEST_F(RegistryWriteTest, UpdateTextCreatesNoKey)
{
    EXPECT_FALSE(RegUpdateText(HKCU, kKey + "\\Missing", "Value", "x"));
    EXPECT_FALSE(RawKeyExists(HKCU, kKey + "\\Missing"));
}

TEST_F(RegistryWriteTest, UpdateTextComparesTheReadBackExactly)
{
    WriteRawValue(HKCU, kKey, "Value", REG_DWORD, {1, 0, 0, 0});
    EXPECT_FALSE(RegUpdateText(HKCU, kKey, "Value", "+5"));  // stored as 5, reads back "5"
    ExpectStored(REG_DWORD, {5, 0, 0, 0}, "Value");
}

// ---- RegStoreInt: writes a number by the existing kind ----

struct StoreCase {
    const char* label;
    Prior prior;
    int number;
    bool result;
    Prior after;
};

TEST_F(RegistryWriteTest, StoreIntWritesByTheExistingKind)
{
    const std::vector<StoreCase> cases{
        {"missing value becomes 4-byte binary", {REG_NONE, {}}, 4660, true, {REG_BINARY, {0x34, 0x12, 0, 0}}},
        {"missing value, negative number", {REG_NONE, {}}, -2, true, {REG_BINARY, {0xFE, 0xFF, 0xFF, 0xFF}}},
        {"dword", {REG_DWORD, {1, 0, 0, 0}}, 4660, true, {REG_DWORD, {0x34, 0x12, 0, 0}}},
        {"string gets the decimal text", {REG_SZ, TextBytes("abc")}, -2, true, {REG_SZ, TextBytes("-2")}},
        {"expandable string becomes a string", {REG_EXPAND_SZ, TextBytes("%X%")}, 4660, true,
         {REG_SZ, TextBytes("4660")}},
        {"binary of any length gets 4 bytes", {REG_BINARY, std::vector<BYTE>(10, 9)}, 1, true,
         {REG_BINARY, {1, 0, 0, 0}}},
        {"other kind stays", {REG_MULTI_SZ, {'a', 0, 0}}, 5, false, {REG_MULTI_SZ, {'a', 0, 0}}},
    };
    for (const StoreCase& c : cases) {
        SCOPED_TRACE(c.label);
        RegKeyRemove(HKCU, kKey);
        Prepare(c.prior, "Value");

        EXPECT_EQ(c.result, RegStoreInt(HKCU, kKey, "Value", c.number));
        ExpectStored(c.after.type, c.after.data, "Value");
    }
}

TEST_F(RegistryWriteTest, StoreIntCreatesAMissingKey)
{
    EXPECT_TRUE(RegStoreInt(HKCU, kKey + "\\New\\Key", "Value", 3));
    const auto value = Stored("Value", kKey + "\\New\\Key");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(DWORD{REG_BINARY}, value->type);
}

// ---- Replacing writes: the new value has the writer's kind, whatever was there ----

struct Writer {
    const char* label;
    std::function<bool()> write;  // writes "12" (or 12) into "Value"
    DWORD type;
    std::vector<BYTE> data;
};

TEST_F(RegistryWriteTest, ReplacingWritesGiveTheWritersKind)
{
    const std::vector<Writer> writers{
        {"RegWriteText", [] { return RegWriteText(HKCU, kKey, "Value", "12"); }, REG_SZ, TextBytes("12")},
        {"RegWriteExpandText", [] { return RegWriteExpandText(HKCU, kKey, "Value", "12"); }, REG_EXPAND_SZ,
         TextBytes("12")},
        {"RegWriteInt", [] { return RegWriteInt(HKCU, kKey, "Value", 12); }, REG_DWORD, {12, 0, 0, 0}},
        {"RegWriteBinary",
         [] {
             BinaryScratch[0] = 12;
             BinaryScratch[1] = 0;
             RegWriteBinary(HKCU, kKey, "Value", 2);
             return true;
         },
         REG_BINARY, {12, 0}},
    };
    const std::vector<Prior> priors{
        {REG_NONE, {}},
        {REG_DWORD, {1, 0, 0, 0}},
        {REG_SZ, TextBytes("old")},
        {REG_EXPAND_SZ, TextBytes("%old%")},
        {REG_BINARY, {1, 2, 3, 4, 5, 6, 7}},
        {REG_MULTI_SZ, {'a', 0, 0}},
    };
    for (const Writer& writer : writers) {
        for (const Prior& prior : priors) {
            SCOPED_TRACE(std::string(writer.label) + " over type " + std::to_string(prior.type));
            RegKeyRemove(HKCU, kKey);
            Prepare(prior, "Value");

            EXPECT_TRUE(writer.write());
            ExpectStored(writer.type, writer.data, "Value");
        }
    }
}

TEST_F(RegistryWriteTest, ReplacingWriteRemovesOnlyTheExactName)
{
    WriteRawValue(HKCU, kKey, "SizeLimit", REG_DWORD, {5, 0, 0, 0});
    EXPECT_TRUE(RegWriteText(HKCU, kKey, "Size", "big"));
    ExpectStored(REG_SZ, TextBytes("big"), "Size");
    ExpectStored(REG_DWORD, {5, 0, 0, 0}, "SizeLimit");

    EXPECT_TRUE(RegWriteInt(HKCU, kKey, "size", 3));
    ExpectStored(REG_DWORD, {3, 0, 0, 0}, "Size");
    ExpectStored(REG_DWORD, {5, 0, 0, 0}, "SizeLimit");
}

TEST_F(RegistryWriteTest, WriteTextCreatesTheWholePathAndIgnoresALeadingBackslash)
{
    EXPECT_TRUE(RegWriteText(HKCU, "\\Software\\Velmora\\A\\B\\C", "Name", "Wert"));
    const auto value = ReadRawValue(HKCU, "Software\\Velmora\\A\\B\\C", "Name");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(TextBytes("Wert"), value->data);
    EXPECT_TRUE(RegKeyExists(HKCU, "\\Software\\Velmora\\A\\B"));
    EXPECT_EQ("Wert", RegReadText(HKCU, "\\Software\\Velmora\\A\\B\\C", "Name"));
}

TEST_F(RegistryWriteTest, WritesReportWhetherTheValueReadsBackAsWritten)
{
    EXPECT_TRUE(RegWriteExpandText(HKCU, kKey, "Path", "%SystemRoot%\\x"));
    EXPECT_EQ("%SystemRoot%\\x", RegReadText(HKCU, kKey, "Path"));
    EXPECT_TRUE(RegWriteText(HKCU, kKey, "Empty", ""));
    // A zero inside the text ends it for the read-back.
    EXPECT_FALSE(RegWriteText(HKCU, kKey, "Cut", std::string("a\0b", 3)));
    EXPECT_TRUE(RegWriteInt(HKCU, kKey, "Lowest", -2147483647 - 1));
    EXPECT_EQ(-2147483647 - 1, RegReadInt(HKCU, kKey, "Lowest"));
}

// ---- Binary writes through BinaryScratch ----

TEST_F(RegistryWriteTest, UpdateBinaryReplacesOnlyAnExistingBinaryValue)
{
    WriteRawValue(HKCU, kKey, "Blob", REG_BINARY, {1, 2, 3, 4, 5});
    WriteRawValue(HKCU, kKey, "Number", REG_DWORD, {1, 0, 0, 0});
    BinaryScratch.fill(0x77);

    EXPECT_TRUE(RegUpdateBinary(HKCU, kKey, "Blob", 2));
    ExpectStored(REG_BINARY, {0x77, 0x77}, "Blob");

    EXPECT_FALSE(RegUpdateBinary(HKCU, kKey, "Number", 2));
    ExpectStored(REG_DWORD, {1, 0, 0, 0}, "Number");

    EXPECT_FALSE(RegUpdateBinary(HKCU, kKey, "Missing", 2));
    EXPECT_FALSE(Stored("Missing").has_value());

    EXPECT_TRUE(RegUpdateBinary(HKCU, kKey, "Blob", 2048));
    EXPECT_EQ(2048u, Stored("Blob")->data.size());
}

// Sizes beyond BinaryScratch would write memory that is not the caller's data.
TEST_F(RegistryWriteTest, BinaryWritesRefuseSizesOutsideTheScratchBuffer)
{
    WriteRawValue(HKCU, kKey, "Blob", REG_BINARY, {1, 2, 3});
    for (const int size : {2049, 3000, -1}) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(RegUpdateBinary(HKCU, kKey, "Blob", size));
        EXPECT_EQ("Fehler beim Setzen der Daten für 'Blob'",
                  RaisedText([&] { RegWriteBinary(HKCU, kKey, "Blob", size); }));
        ExpectStored(REG_BINARY, {1, 2, 3}, "Blob");
    }
}

TEST_F(RegistryWriteTest, WriteBinaryStoresTheFirstBytesOfTheScratchBuffer)
{
    for (std::size_t i = 0; i < BinaryScratch.size(); ++i)
        BinaryScratch[i] = static_cast<std::uint8_t>(i);
    RegWriteBinary(HKCU, kKey, "Full", 2048);
    RegWriteBinary(HKCU, kKey, "Empty", 0);

    const auto full = Stored("Full");
    ASSERT_TRUE(full.has_value());
    EXPECT_TRUE(std::equal(BinaryScratch.begin(), BinaryScratch.end(), full->data.begin(), full->data.end()));
    ExpectStored(REG_BINARY, {}, "Empty");
}

}  // namespace
