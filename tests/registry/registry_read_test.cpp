// Reading values of every kind: text, integer and kind as the conversion table gives them.
#include "harness/registry_sandbox.h"
#include "registry/registry.h"
#include "ui/convert.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace registry;

namespace {

const std::string kKey = "Software\\Velmora\\Read";

std::vector<BYTE> Filled(std::size_t size, BYTE first = 1)
{
    std::vector<BYTE> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>(first + i);
    return bytes;
}

std::string AsText(const std::vector<BYTE>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

struct ReadCase {
    const char* label;
    DWORD type;
    std::vector<BYTE> data;
    RegDataKind kind;
    std::string text;
    std::string intResult;  // the decimal integer, or the text of the raised error
};

const std::vector<ReadCase>& ReadCases()
{
    static const std::vector<ReadCase> cases{
        {"string 12", REG_SZ, TextBytes("12"), RegDataKind::String, "12", "12"},
        {"negative string", REG_SZ, TextBytes("-7"), RegDataKind::String, "-7", "-7"},
        {"string ends at its first zero", REG_SZ, TextBytes(std::string("ab\0cd", 5)), RegDataKind::String, "ab",
         "'ab' ist kein gültiger Integerwert"},
        {"empty string", REG_SZ, TextBytes(""), RegDataKind::String, "", "'' ist kein gültiger Integerwert"},
        {"string stored without zero", REG_SZ, {'3', '4'}, RegDataKind::String, "34", "34"},
        {"expandable string is not expanded", REG_EXPAND_SZ, TextBytes("%SystemRoot%\\x"),
         RegDataKind::ExpandString, "%SystemRoot%\\x", "'%SystemRoot%\\x' ist kein gültiger Integerwert"},
        {"expandable string 25", REG_EXPAND_SZ, TextBytes("25"), RegDataKind::ExpandString, "25", "25"},
        {"dword 0xFFFFFFFF", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, RegDataKind::Integer, "-1", "-1"},
        {"dword 4660", REG_DWORD, {0x34, 0x12, 0, 0}, RegDataKind::Integer, "4660", "4660"},
        {"binary 34 12", REG_BINARY, {0x34, 0x12}, RegDataKind::Binary, "4\x12", "4660"},
        {"binary keeps zero bytes", REG_BINARY, {'A', 0, 'B'}, RegDataKind::Binary, std::string("A\0B", 3),
         "4325441"},
        {"binary of 4 bytes is signed", REG_BINARY, {0xFE, 0xFF, 0xFF, 0xFF}, RegDataKind::Binary,
         "\xFE\xFF\xFF\xFF", "-2"},
        {"binary of 5 bytes", REG_BINARY, Filled(5), RegDataKind::Binary, AsText(Filled(5)),
         "Ungültiger Datentyp für 'Value'"},
        {"binary of 0 bytes", REG_BINARY, {}, RegDataKind::Binary, "", "0"},
        {"binary of 2047 bytes", REG_BINARY, Filled(2047), RegDataKind::Binary, AsText(Filled(2047)),
         "Ungültiger Datentyp für 'Value'"},
        {"binary of 2048 bytes", REG_BINARY, Filled(2048), RegDataKind::Binary, "",
         "Ungültiger Datentyp für 'Value'"},
        {"multi-string", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, RegDataKind::None, "", "0"},
        {"qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, RegDataKind::None, "", "0"},
    };
    return cases;
}

std::string IntResult(const std::string& name)
{
    std::string result;
    const std::string raised = RaisedText([&] { result = std::to_string(RegReadInt(HKCU, kKey, name)); });
    return result.empty() ? raised : result;
}

class RegistryReadTest : public RegistrySandbox {};

TEST_F(RegistryReadTest, ConvertsEveryKindByTheConversionTable)
{
    for (const ReadCase& c : ReadCases()) {
        SCOPED_TRACE(c.label);
        WriteRawValue(HKCU, kKey, "Value", c.type, c.data);

        EXPECT_EQ(c.kind, RegValueKind(HKCU, kKey, "Value"));
        EXPECT_EQ(c.text, RegReadText(HKCU, kKey, "Value"));
        EXPECT_EQ(c.intResult, IntResult("Value"));
        EXPECT_TRUE(RegValueMatchesText(HKCU, kKey, "Value", c.text));
        if (const auto number = ui::TryStrToInt(c.intResult)) {
            EXPECT_TRUE(RegValueMatchesInt(HKCU, kKey, "Value", *number));
            EXPECT_FALSE(RegValueMatchesInt(HKCU, kKey, "Value", *number + 1));
        } else {
            EXPECT_EQ(c.intResult, RaisedText([] { RegValueMatchesInt(HKCU, kKey, "Value", 0); }));
        }
    }
}

TEST_F(RegistryReadTest, MissingKeyOrValueReadsEmptyAndMatchesNothing)
{
    WriteRawValue(HKCU, kKey, "Other", REG_SZ, TextBytes(""));
    for (const std::string& key : {kKey + "\\Missing", kKey}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(RegDataKind::None, RegValueKind(HKCU, key, "Value"));
        EXPECT_EQ("", RegReadText(HKCU, key, "Value"));
        EXPECT_EQ(0, RegReadInt(HKCU, key, "Value"));
        EXPECT_EQ(0, RegReadBinary(HKCU, key, "Value"));
        EXPECT_FALSE(RegValueMatchesText(HKCU, key, "Value", ""));
        EXPECT_FALSE(RegValueMatchesInt(HKCU, key, "Value", 0));
    }
    EXPECT_FALSE(RawKeyExists(HKCU, kKey + "\\Missing"));
}

TEST_F(RegistryReadTest, TextMatchIgnoresLetterCaseByTheUserLocale)
{
    WriteRawValue(HKCU, kKey, "Colour", REG_SZ, TextBytes("Grün und Blau"));
    EXPECT_TRUE(RegValueMatchesText(HKCU, kKey, "Colour", "GRÜN UND BLAU"));
    EXPECT_TRUE(RegValueMatchesText(HKCU, kKey, "colour", "grün und blau"));
    EXPECT_FALSE(RegValueMatchesText(HKCU, kKey, "Colour", "Grün"));

    WriteRawValue(HKCU, kKey, "Count", REG_DWORD, {0x0A, 0, 0, 0});
    EXPECT_TRUE(RegValueMatchesText(HKCU, kKey, "Count", "10"));
}

TEST_F(RegistryReadTest, BinaryReadCopiesOnlyValuesShorterThanTheScratchBuffer)
{
    struct BinaryCase {
        const char* label;
        std::vector<BYTE> data;
        bool copied;
    };
    const std::vector<BinaryCase> cases{
        {"3000 bytes", Filled(3000, 7), false},
        {"2048 bytes", Filled(2048, 7), false},
        {"2047 bytes", Filled(2047, 7), true},
        {"3 bytes", {0x34, 0x12, 0x00}, true},
        {"0 bytes", {}, false},
    };
    for (const BinaryCase& c : cases) {
        SCOPED_TRACE(c.label);
        WriteRawValue(HKCU, kKey, "Blob", REG_BINARY, c.data);
        BinaryScratch.fill(0xAB);

        EXPECT_EQ(static_cast<int>(c.data.size()), RegReadBinary(HKCU, kKey, "Blob"));

        auto expected = decltype(BinaryScratch){};
        expected.fill(0xAB);
        if (c.copied)
            std::copy(c.data.begin(), c.data.end(), expected.begin());
        EXPECT_TRUE(expected == BinaryScratch);
    }
}

TEST_F(RegistryReadTest, BinaryReadOfOtherKindsGivesZeroAndKeepsTheScratchBuffer)
{
    WriteRawValue(HKCU, kKey, "Number", REG_DWORD, {1, 2, 3, 4});
    WriteRawValue(HKCU, kKey, "Text", REG_SZ, TextBytes("abc"));
    BinaryScratch.fill(0x5A);
    EXPECT_EQ(0, RegReadBinary(HKCU, kKey, "Number"));
    EXPECT_EQ(0, RegReadBinary(HKCU, kKey, "Text"));
    EXPECT_EQ(0x5A, BinaryScratch[0]);
}

TEST_F(RegistryReadTest, UnnamedValueIsReadByTheEmptyName)
{
    WriteRawValue(HKCU, kKey, "", REG_SZ, TextBytes("default"));
    EXPECT_EQ("default", RegReadText(HKCU, kKey, ""));
    EXPECT_EQ(RegDataKind::String, RegValueKind(HKCU, kKey, ""));
}

}  // namespace
