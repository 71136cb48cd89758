// Exact images of registry values and keys, for the change journal: a value's kind and
// bytes as the registry stores them, and a key with everything below it. Names are
// UTF-16 and data is raw, so an image put back is identical to what was read, whatever
// the value held (texts without their zero, odd lengths, kinds the library does not
// handle, names outside the ANSI code page). Names compare without regard to case, as
// the registry compares them; an image keeps its values and subkeys sorted that way.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace registry {

struct ValueImage {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;

    bool operator==(const ValueImage& other) const;
};

struct KeyImage {
    struct Value {
        std::wstring name;
        ValueImage image;
    };
    struct Subkey;

    bool exists = false;
    std::vector<Value> values;    // sorted by name, letter case ignored
    std::vector<Subkey> subkeys;  // sorted by name, letter case ignored

    // The value of that name, or nullptr.
    const ValueImage* value(const std::wstring& name) const;
    // The node at a relative path ("A\B"), created (as existing) on the way when asked.
    KeyImage* node(const std::wstring& relativePath, bool create);
    void setValue(const std::wstring& name, const ValueImage& image);
    void removeValue(const std::wstring& name);
    // Replaces the node at a relative path; an image that does not exist removes it.
    void replaceNode(const std::wstring& relativePath, const KeyImage& image);
    // Number of values in this key and all keys below.
    std::size_t valueCount() const;

    bool operator==(const KeyImage& other) const;
};

struct KeyImage::Subkey {
    std::wstring name;
    KeyImage image;
};

// Text conversions between the program's ANSI texts and the registry's UTF-16.
std::wstring WideText(const std::string& text);
std::string AnsiText(const std::wstring& text);

// Names in capitals, for comparing names and paths as the registry does.
std::wstring FoldCase(std::wstring text);
bool SameName(const std::wstring& a, const std::wstring& b);
// Whether path lies in or below folder ("A\B" lies below "a").
bool PathWithin(const std::wstring& path, const std::wstring& folder);

// Reading. A key that cannot be read gives an image that does not exist.
ValueImage ReadValueImage(HKEY root, const std::wstring& key, const std::wstring& name);
// The same through a key already open for querying values.
ValueImage ReadValueImageOf(HKEY openKey, const std::wstring& name);
KeyImage ReadKeyImage(HKEY root, const std::wstring& key);
bool KeyImageExists(HKEY root, const std::wstring& key);

// Writing. A value image that does not exist deletes the value; otherwise its key is
// created when missing and the value set exactly. A key image replaces the key with
// everything below it (or removes it, when the image does not exist). A refusal raises
// the registry's write error. These do not record into the change journal: callers do.
void PutValueImage(HKEY root, const std::wstring& key, const std::wstring& name, const ValueImage& image);
void PutKeyImage(HKEY root, const std::wstring& key, const KeyImage& image);

// A fingerprint of an image (FNV-1a over its kind, data and names), for telling
// later whether a place still holds what a change left there.
std::uint64_t Fingerprint(const ValueImage& image);
std::uint64_t Fingerprint(const KeyImage& image);

}  // namespace registry
