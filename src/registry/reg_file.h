// REGEDIT files: writing a file that the Windows registry editor imports ("Windows
// Registry Editor Version 5.00", UTF-16 with its byte-order mark), and reading such a
// file back, also the older ANSI "REGEDIT4" form of the clean-up's backups.
#pragma once

#include "registry/registry_images.h"

#include <string>
#include <vector>

namespace registry::regfile {

// "HKEY_CURRENT_USER" and the others; empty for a key that is not one of the five roots.
std::wstring RootName(HKEY root);
// The root a name stands for ("HKEY_LOCAL_MACHINE" or "HKLM"), nullptr when none.
HKEY RootOf(const std::wstring& name);

class Writer {
public:
    Writer();  // starts with the header line

    void blankLine();
    void comment(const std::wstring& text);
    void key(HKEY root, const std::wstring& path);
    void deletedKey(HKEY root, const std::wstring& path);
    // "name"=data, or "name"=- for a value image that does not exist.
    void value(const std::wstring& name, const ValueImage& image);
    // The key and every key below it with their values, each key its own section.
    void keyTree(HKEY root, const std::wstring& path, const KeyImage& image);

    // The whole file: byte-order mark and UTF-16 little-endian text.
    std::vector<BYTE> bytes() const;

private:
    void line(const std::wstring& text);
    std::wstring text_;
};

// One meaningful line of a file.
struct Line {
    enum class Kind { Comment, Key, DeletedKey, Value };
    Kind kind = Kind::Comment;
    std::wstring comment;  // Comment: the text after ";"
    HKEY root = nullptr;   // Key, DeletedKey, and the key a Value belongs to
    std::wstring path;
    std::wstring name;  // Value
    ValueImage image;   // Value; does not exist for "name"=-
};

// The lines of a file in their order. Lines that cannot be understood (a key of an
// unknown root, malformed data) are left out; values before the first key too.
std::vector<Line> Parse(const std::vector<BYTE>& file);

}  // namespace registry::regfile
