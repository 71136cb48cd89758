// What the page tests share: a registry sandbox, the German language file, the
// scripted message boxes, and raw access to the values the pages write.
#pragma once

#include "harness/bitmap_file.h"
#include "harness/dialog_seam.h"
#include "harness/german_sandbox.h"
#include "harness/registry_sandbox.h"
#include "harness/source_files.h"
#include "language/language.h"

#include <optional>
#include <string>
#include <vector>

class PageTest : public GermanRegistrySandbox {
protected:

    testing_support::ScriptedMessageBoxes boxes;
};

// A value as the tests expect it: its registry type and its data.
struct Stored {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const Stored&) const = default;
};

inline Stored Dword(DWORD number)
{
    return {REG_DWORD, {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
                        static_cast<BYTE>(number >> 24)}};
}
inline Stored Text(const std::string& text)
{
    return {REG_SZ, TextBytes(text)};
}
inline Stored ExpandText(const std::string& text)
{
    return {REG_EXPAND_SZ, TextBytes(text)};
}

inline std::optional<Stored> Read(HKEY root, const std::string& key, const std::string& name)
{
    const auto raw = ReadRawValue(root, key, name);
    if (!raw)
        return std::nullopt;
    return Stored{raw->type, raw->data};
}

inline void Write(HKEY root, const std::string& key, const std::string& name, const Stored& value)
{
    WriteRawValue(root, key, name, value.type, value.data);
}

inline std::ostream& operator<<(std::ostream& out, const Stored& value)
{
    out << "type " << value.type << " [";
    for (BYTE b : value.data)
        out << ' ' << static_cast<int>(b);
    return out << " ]";
}

// A 24-bit bitmap file of one colour.
inline std::string BitmapFile(int width, int height, BYTE red, BYTE green, BYTE blue)
{
    return testing_support::BitmapFile(width, height, RGB(red, green, blue));
}
