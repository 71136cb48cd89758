#include "registry/reg_file.h"

#include <array>
#include <cwchar>

namespace registry::regfile {

namespace {

struct KnownRoot {
    HKEY root;
    const wchar_t* name;
    const wchar_t* shortName;
};

const std::array<KnownRoot, 5> kRoots{{
    {HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT", L"HKCR"},
    {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", L"HKCU"},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE", L"HKLM"},
    {HKEY_USERS, L"HKEY_USERS", L"HKU"},
    {HKEY_CURRENT_CONFIG, L"HKEY_CURRENT_CONFIG", L"HKCC"},
}};

// The registry editor wraps long hex data at about this many characters per line.
constexpr std::size_t kHexLineWidth = 76;

std::wstring Quoted(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'"')
            quoted += L'\\';
        quoted += c;
    }
    return quoted + L"\"";
}

std::wstring ValueName(const std::wstring& name)
{
    return name.empty() ? std::wstring(L"@") : Quoted(name);
}

// A string value the editor can write as "text": whole UTF-16 characters ending in
// exactly one zero, and no line breaks or other control characters in between.
bool IsPlainText(const ValueImage& image, std::wstring& text)
{
    const auto& data = image.data;
    if (image.type != REG_SZ || data.size() < 2 || data.size() % 2 != 0)
        return false;
    const std::size_t count = data.size() / 2;
    text.resize(count - 1);
    for (std::size_t i = 0; i < count; ++i) {
        const auto c = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
        if (i + 1 == count)
            return c == L'\0';
        if (c < 0x20)
            return false;
        text[i] = c;
    }
    return false;
}

std::wstring HexByte(BYTE b)
{
    static const wchar_t digits[] = L"0123456789abcdef";
    return {digits[b >> 4], digits[b & 15]};
}

std::wstring HexData(const std::wstring& start, const std::vector<BYTE>& data)
{
    std::wstring text = start;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        text += HexByte(data[i]);
        if (i + 1 == data.size())
            break;
        text += L',';
        if (text.size() - lineStart >= kHexLineWidth) {
            text += L"\\\r\n  ";
            lineStart = text.size() - 2;
        }
    }
    return text;
}

std::wstring DataText(const ValueImage& image)
{
    if (!image.exists)
        return L"-";
    std::wstring plain;
    if (IsPlainText(image, plain))
        return Quoted(plain);
    if (image.type == REG_DWORD && image.data.size() == 4) {
        wchar_t number[16];
        const DWORD value = image.data[0] | (image.data[1] << 8) | (image.data[2] << 16) |
                            (static_cast<DWORD>(image.data[3]) << 24);
        swprintf(number, 16, L"dword:%08lx", static_cast<unsigned long>(value));
        return number;
    }
    if (image.type == REG_BINARY)
        return HexData(L"hex:", image.data);
    wchar_t kind[24];
    swprintf(kind, 24, L"hex(%lx):", static_cast<unsigned long>(image.type));
    return HexData(kind, image.data);
}

std::wstring FullPath(HKEY root, const std::wstring& path)
{
    return path.empty() ? RootName(root) : RootName(root) + L"\\" + path;
}

// ---- Reading ----

std::wstring DecodeText(const std::vector<BYTE>& file)
{
    if (file.size() >= 2 && ((file[0] == 0xFF && file[1] == 0xFE) || (file[0] == 0xFE && file[1] == 0xFF))) {
        const bool bigEndian = file[0] == 0xFE;
        std::wstring text;
        text.reserve(file.size() / 2);
        for (std::size_t i = 2; i + 1 < file.size(); i += 2)
            text += static_cast<wchar_t>(bigEndian ? (file[i] << 8) | file[i + 1] : file[i] | (file[i + 1] << 8));
        return text;
    }
    return WideText(std::string(file.begin(), file.end()));
}

std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != L'\r' && text[i] != L'\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == L'\r' && text[i + 1] == L'\n')
            ++i;
        start = i + 1;
    }
    return lines;
}

std::wstring Trimmed(const std::wstring& text)
{
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return {};
    const auto last = text.find_last_not_of(L" \t");
    return text.substr(first, last - first + 1);
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A quoted text from position `at` (on the opening quote); moves `at` past the closing one.
bool ReadQuoted(const std::wstring& line, std::size_t& at, std::wstring& text)
{
    if (at >= line.size() || line[at] != L'"')
        return false;
    text.clear();
    for (++at; at < line.size(); ++at) {
        wchar_t c = line[at];
        if (c == L'"') {
            ++at;
            return true;
        }
        if (c == L'\\' && at + 1 < line.size())
            c = line[++at];
        text += c;
    }
    return false;
}

bool ReadHexBytes(const std::wstring& text, std::vector<BYTE>& bytes)
{
    bytes.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == L' ' || text[at] == L'\t' || text[at] == L','))
            ++at;
        if (at >= text.size())
            break;
        const std::size_t start = at;
        while (at < text.size() && iswxdigit(text[at]))
            ++at;
        if (at == start || at - start > 2)
            return false;
        bytes.push_back(static_cast<BYTE>(std::wcstoul(text.substr(start, at - start).c_str(), nullptr, 16)));
    }
    return true;
}

bool ReadData(const std::wstring& data, ValueImage& image)
{
    if (data == L"-") {
        image.exists = false;
        return true;
    }
    image.exists = true;
    if (!data.empty() && data.front() == L'"') {
        std::size_t at = 0;
        std::wstring text;
        if (!ReadQuoted(data, at, text))
            return false;
        image.type = REG_SZ;
        image.data.clear();
        for (wchar_t c : text + L'\0') {
            image.data.push_back(static_cast<BYTE>(c & 0xFF));
            image.data.push_back(static_cast<BYTE>(c >> 8));
        }
        return true;
    }
    if (StartsWith(data, L"dword:")) {
        const std::wstring digits = data.substr(6);
        if (digits.empty() || digits.size() > 8 || digits.find_first_not_of(L"0123456789abcdefABCDEF") != std::wstring::npos)
            return false;
        const auto number = static_cast<DWORD>(std::wcstoul(digits.c_str(), nullptr, 16));
        image.type = REG_DWORD;
        image.data = {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
                      static_cast<BYTE>(number >> 24)};
        return true;
    }
    if (StartsWith(data, L"hex:")) {
        image.type = REG_BINARY;
        return ReadHexBytes(data.substr(4), image.data);
    }
    if (StartsWith(data, L"hex(")) {
        const auto close = data.find(L"):");
        if (close == std::wstring::npos || close == 4)
            return false;
        image.type = static_cast<DWORD>(std::wcstoul(data.substr(4, close - 4).c_str(), nullptr, 16));
        return ReadHexBytes(data.substr(close + 2), image.data);
    }
    return false;
}

bool ReadKeyLine(const std::wstring& line, Line& parsed)
{
    const bool deleted = line.size() > 1 && line[1] == L'-';
    std::wstring full = line.substr(deleted ? 2 : 1, line.size() - (deleted ? 3 : 2));
    const auto slash = full.find(L'\\');
    parsed.root = RootOf(full.substr(0, slash));
    if (!parsed.root)
        return false;
    parsed.path = slash == std::wstring::npos ? std::wstring() : full.substr(slash + 1);
    parsed.kind = deleted ? Line::Kind::DeletedKey : Line::Kind::Key;
    return true;
}

bool ReadValueLine(const std::wstring& line, Line& parsed)
{
    std::size_t at = 0;
    if (line[0] == L'@') {
        parsed.name.clear();
        at = 1;
    } else if (!ReadQuoted(line, at, parsed.name)) {
        return false;
    }
    while (at < line.size() && line[at] == L' ')
        ++at;
    if (at >= line.size() || line[at] != L'=')
        return false;
    parsed.kind = Line::Kind::Value;
    return ReadData(Trimmed(line.substr(at + 1)), parsed.image);
}

}  // namespace

std::wstring RootName(HKEY root)
{
    for (const KnownRoot& known : kRoots)
        if (known.root == root)
            return known.name;
    return {};
}

HKEY RootOf(const std::wstring& name)
{
    for (const KnownRoot& known : kRoots)
        if (SameName(name, known.name) || SameName(name, known.shortName))
            return known.root;
    return nullptr;
}

Writer::Writer()
{
    line(L"Windows Registry Editor Version 5.00");
}

void Writer::line(const std::wstring& text)
{
    text_ += text;
    text_ += L"\r\n";
}

void Writer::blankLine()
{
    line({});
}

void Writer::comment(const std::wstring& text)
{
    line(L"; " + text);
}

void Writer::key(HKEY root, const std::wstring& path)
{
    line(L"[" + FullPath(root, path) + L"]");
}

void Writer::deletedKey(HKEY root, const std::wstring& path)
{
    line(L"[-" + FullPath(root, path) + L"]");
}

void Writer::value(const std::wstring& name, const ValueImage& image)
{
    line(ValueName(name) + L"=" + DataText(image));
}

void Writer::keyTree(HKEY root, const std::wstring& path, const KeyImage& image)
{
    if (!image.exists)
        return;
    key(root, path);
    for (const KeyImage::Value& entry : image.values)
        value(entry.name, entry.image);
    for (const KeyImage::Subkey& subkey : image.subkeys)
        keyTree(root, path.empty() ? subkey.name : path + L"\\" + subkey.name, subkey.image);
}

std::vector<BYTE> Writer::bytes() const
{
    std::vector<BYTE> file{0xFF, 0xFE};
    file.reserve(2 + text_.size() * 2);
    for (wchar_t c : text_) {
        file.push_back(static_cast<BYTE>(c & 0xFF));
        file.push_back(static_cast<BYTE>(c >> 8));
    }
    return file;
}

std::vector<Line> Parse(const std::vector<BYTE>& file)
{
    std::vector<Line> parsed;
    const std::vector<std::wstring> lines = SplitLines(DecodeText(file));
    HKEY currentRoot = nullptr;
    std::wstring currentPath;
    for (std::size_t index = 1; index < lines.size(); ++index) {  // the first line is the header
        std::wstring text = Trimmed(lines[index]);
        if (text.empty())
            continue;
        Line line;
        if (text[0] == L';') {
            line.kind = Line::Kind::Comment;
            line.comment = Trimmed(text.substr(1));
            parsed.push_back(std::move(line));
            continue;
        }
        if (text[0] == L'[' && text.back() == L']') {
            currentRoot = nullptr;
            if (!ReadKeyLine(text, line))
                continue;
            if (line.kind == Line::Kind::Key) {
                currentRoot = line.root;
                currentPath = line.path;
            }
            parsed.push_back(std::move(line));
            continue;
        }
        // Hex data goes on over lines that end with a backslash.
        while (!text.empty() && text.back() == L'\\' && text.find(L"=hex") != std::wstring::npos &&
               index + 1 < lines.size()) {
            text.pop_back();
            text += Trimmed(lines[++index]);
        }
        if (!currentRoot || !ReadValueLine(text, line))
            continue;
        line.root = currentRoot;
        line.path = currentPath;
        parsed.push_back(std::move(line));
    }
    return parsed;
}

}  // namespace registry::regfile
