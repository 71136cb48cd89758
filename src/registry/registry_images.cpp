#include "registry/registry_images.h"

#include "ui/errors.h"
#include "ui/handles.h"

#include <algorithm>

namespace registry {

namespace {

constexpr REGSAM kReadAccess = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;

// A key opened for one image. The empty path is the root itself, which is used as it
// is and never closed.
class ImageKey {
public:
    ImageKey(HKEY root, const std::wstring& path, REGSAM access)
    {
        if (path.empty()) {
            handle_ = root;
            return;
        }
        HKEY opened = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, access, &opened) == ERROR_SUCCESS) {
            owned_.reset(opened);
            handle_ = opened;
        }
    }
    HKEY get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    ui::RegKey owned_;
    HKEY handle_ = nullptr;
};

bool NameLess(const std::wstring& a, const std::wstring& b)
{
    return FoldCase(a) < FoldCase(b);
}

std::wstring Join(const std::wstring& path, const std::wstring& name)
{
    return path.empty() ? name : path + L"\\" + name;
}

std::vector<std::wstring> SubkeyNames(HKEY key)
{
    std::vector<std::wstring> names;
    std::vector<wchar_t> buffer(256);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LONG result = RegEnumKeyExW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA && buffer.size() < 65536) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (result != ERROR_SUCCESS)
            break;
        names.emplace_back(buffer.data(), length);
        ++index;
    }
    return names;
}

// Every value of an open key, with its exact data.
std::vector<KeyImage::Value> ValuesOf(HKEY key)
{
    DWORD longestName = 0;
    DWORD longestData = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                     &longestData, nullptr, nullptr);
    std::vector<KeyImage::Value> values;
    std::vector<wchar_t> name(longestName + 2);
    std::vector<BYTE> data(std::max<DWORD>(longestData, 16));
    for (DWORD index = 0;;) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LONG result = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) {
            // The value or its name grew since the key was measured: make room and ask again.
            name.resize(std::max<std::size_t>(name.size() * 2, 256));
            data.resize(std::max<std::size_t>(data.size() * 2, size));
            if (name.size() > 65536)
                break;
            continue;
        }
        if (result != ERROR_SUCCESS)
            break;
        KeyImage::Value value;
        value.name.assign(name.data(), nameLength);
        value.image.exists = true;
        value.image.type = type;
        value.image.data.assign(data.begin(), data.begin() + size);
        values.push_back(std::move(value));
        ++index;
    }
    std::sort(values.begin(), values.end(),
              [](const KeyImage::Value& a, const KeyImage::Value& b) { return NameLess(a.name, b.name); });
    return values;
}

KeyImage ImageOf(HKEY root, const std::wstring& path)
{
    const ImageKey key(root, path, kReadAccess);
    KeyImage image;
    if (!key)
        return image;
    image.exists = true;
    image.values = ValuesOf(key.get());
    for (const std::wstring& name : SubkeyNames(key.get())) {
        KeyImage sub = ImageOf(root, Join(path, name));
        if (sub.exists)
            image.subkeys.push_back({name, std::move(sub)});
    }
    std::sort(image.subkeys.begin(), image.subkeys.end(),
              [](const KeyImage::Subkey& a, const KeyImage::Subkey& b) { return NameLess(a.name, b.name); });
    return image;
}

// Deletes a key and everything below it, the subkeys first; a refusal raises.
void RemoveKeyTree(HKEY root, const std::wstring& path)
{
    std::vector<std::wstring> subkeys;
    {
        const ImageKey key(root, path, kReadAccess);
        if (!key)
            return;
        subkeys = SubkeyNames(key.get());
    }
    for (auto subkey = subkeys.rbegin(); subkey != subkeys.rend(); ++subkey)
        RemoveKeyTree(root, Join(path, *subkey));
    const LONG result = RegDeleteKeyW(root, path.c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
        throw ui::ERegistryError::writeFailed(AnsiText(path));
}

ui::RegKey CreateKey(HKEY root, const std::wstring& path)
{
    HKEY created = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        throw ui::ERegistryError::keyCreateFailed(AnsiText(path));
    return ui::RegKey(created);
}

void SetValueImage(HKEY key, const std::wstring& name, const ValueImage& image)
{
    if (RegSetValueExW(key, name.c_str(), 0, image.type, image.data.empty() ? nullptr : image.data.data(),
                       static_cast<DWORD>(image.data.size())) != ERROR_SUCCESS)
        throw ui::ERegistryError::writeFailed(AnsiText(name));
}

void CreateKeyTree(HKEY root, const std::wstring& path, const KeyImage& image)
{
    {
        const ui::RegKey key = CreateKey(root, path);
        for (const KeyImage::Value& value : image.values)
            SetValueImage(key.get(), value.name, value.image);
    }
    for (const KeyImage::Subkey& subkey : image.subkeys)
        CreateKeyTree(root, Join(path, subkey.name), subkey.image);
}

template <class Item>
auto FindByName(std::vector<Item>& items, const std::wstring& name)
{
    return std::find_if(items.begin(), items.end(), [&](const Item& item) { return SameName(item.name, name); });
}

template <class Item>
void InsertSorted(std::vector<Item>& items, Item item)
{
    const auto place = std::lower_bound(items.begin(), items.end(), item,
                                        [](const Item& a, const Item& b) { return NameLess(a.name, b.name); });
    items.insert(place, std::move(item));
}

class Fnv {
public:
    void add(const void* bytes, std::size_t size)
    {
        const auto* p = static_cast<const BYTE*>(bytes);
        for (std::size_t i = 0; i < size; ++i) {
            hash_ ^= p[i];
            hash_ *= 1099511628211ull;
        }
    }
    void add(std::uint64_t number) { add(&number, sizeof number); }
    void add(const std::wstring& text)
    {
        add(text.size());
        add(text.data(), text.size() * sizeof(wchar_t));
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 14695981039346656037ull;
};

void AddValue(Fnv& fnv, const ValueImage& image)
{
    fnv.add(image.exists ? 1 : 0);
    if (!image.exists)
        return;
    fnv.add(image.type);
    fnv.add(image.data.size());
    fnv.add(image.data.data(), image.data.size());
}

void AddKey(Fnv& fnv, const KeyImage& image)
{
    fnv.add(image.exists ? 1 : 0);
    if (!image.exists)
        return;
    fnv.add(image.values.size());
    for (const KeyImage::Value& value : image.values) {
        fnv.add(FoldCase(value.name));
        AddValue(fnv, value.image);
    }
    fnv.add(image.subkeys.size());
    for (const KeyImage::Subkey& subkey : image.subkeys) {
        fnv.add(FoldCase(subkey.name));
        AddKey(fnv, subkey.image);
    }
}

}  // namespace

bool ValueImage::operator==(const ValueImage& other) const
{
    if (exists != other.exists)
        return false;
    return !exists || (type == other.type && data == other.data);
}

const ValueImage* KeyImage::value(const std::wstring& name) const
{
    for (const Value& entry : values)
        if (SameName(entry.name, name))
            return &entry.image;
    return nullptr;
}

KeyImage* KeyImage::node(const std::wstring& relativePath, bool create)
{
    if (relativePath.empty()) {
        if (create)
            exists = true;
        return exists || create ? this : nullptr;
    }
    const auto slash = relativePath.find(L'\\');
    const std::wstring first = relativePath.substr(0, slash);
    const std::wstring rest = slash == std::wstring::npos ? std::wstring() : relativePath.substr(slash + 1);
    auto found = FindByName(subkeys, first);
    if (found == subkeys.end()) {
        if (!create)
            return nullptr;
        exists = true;
        KeyImage created;
        created.exists = true;
        InsertSorted(subkeys, Subkey{first, std::move(created)});
        found = FindByName(subkeys, first);
    }
    return found->image.node(rest, create);
}

void KeyImage::setValue(const std::wstring& name, const ValueImage& image)
{
    removeValue(name);
    if (image.exists)
        InsertSorted(values, Value{name, image});
}

void KeyImage::removeValue(const std::wstring& name)
{
    const auto found = FindByName(values, name);
    if (found != values.end())
        values.erase(found);
}

void KeyImage::replaceNode(const std::wstring& relativePath, const KeyImage& image)
{
    if (relativePath.empty()) {
        *this = image;
        return;
    }
    const auto slash = relativePath.rfind(L'\\');
    const std::wstring parentPath = slash == std::wstring::npos ? std::wstring() : relativePath.substr(0, slash);
    const std::wstring name = slash == std::wstring::npos ? relativePath : relativePath.substr(slash + 1);
    KeyImage* parent = node(parentPath, image.exists);
    if (!parent)
        return;
    const auto found = FindByName(parent->subkeys, name);
    if (found != parent->subkeys.end())
        parent->subkeys.erase(found);
    if (image.exists)
        InsertSorted(parent->subkeys, Subkey{name, image});
}

std::size_t KeyImage::valueCount() const
{
    std::size_t count = values.size();
    for (const Subkey& subkey : subkeys)
        count += subkey.image.valueCount();
    return count;
}

bool KeyImage::operator==(const KeyImage& other) const
{
    if (exists != other.exists)
        return false;
    if (!exists)
        return true;
    if (values.size() != other.values.size() || subkeys.size() != other.subkeys.size())
        return false;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!SameName(values[i].name, other.values[i].name) || !(values[i].image == other.values[i].image))
            return false;
    for (std::size_t i = 0; i < subkeys.size(); ++i)
        if (!SameName(subkeys[i].name, other.subkeys[i].name) || !(subkeys[i].image == other.subkeys[i].image))
            return false;
    return true;
}

std::wstring WideText(const std::string& text)
{
    if (text.empty())
        return {};
    // Every ANSI code page gives at most one UTF-16 character per byte.
    std::wstring wide(text.size(), L'\0');
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(std::max(length, 0)));
    return wide;
}

std::string AnsiText(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::wstring FoldCase(std::wstring text)
{
    // Names are mostly plain ASCII, which needs no look-up in the system's tables.
    bool plain = true;
    for (wchar_t& c : text) {
        if (c >= 0x80) {
            plain = false;
            break;
        }
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    if (!plain)
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

bool PathWithin(const std::wstring& path, const std::wstring& folder)
{
    if (folder.empty())
        return true;
    if (path.size() < folder.size())
        return false;
    if (!SameName(path.substr(0, folder.size()), folder))
        return false;
    return path.size() == folder.size() || path[folder.size()] == L'\\';
}

ValueImage ReadValueImage(HKEY root, const std::wstring& key, const std::wstring& name)
{
    const ImageKey opened(root, key, KEY_QUERY_VALUE);
    return opened ? ReadValueImageOf(opened.get(), name) : ValueImage{};
}

ValueImage ReadValueImageOf(HKEY openKey, const std::wstring& name)
{
    ValueImage image;
    // Most values fit the first buffer; a larger one is asked for at its size.
    std::vector<BYTE> data(512);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LONG result = RegQueryValueExW(openKey, name.c_str(), nullptr, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) {
            data.resize(size);
            continue;
        }
        if (result != ERROR_SUCCESS)
            return image;
        image.exists = true;
        image.type = type;
        image.data.assign(data.begin(), data.begin() + size);
        return image;
    }
    return image;
}

KeyImage ReadKeyImage(HKEY root, const std::wstring& key)
{
    return ImageOf(root, key);
}

bool KeyImageExists(HKEY root, const std::wstring& key)
{
    return static_cast<bool>(ImageKey(root, key, KEY_QUERY_VALUE));
}

void PutValueImage(HKEY root, const std::wstring& key, const std::wstring& name, const ValueImage& image)
{
    if (!image.exists) {
        const ImageKey opened(root, key, KEY_SET_VALUE);
        if (!opened)
            return;  // no key, so no value either
        const LONG result = RegDeleteValueW(opened.get(), name.c_str());
        if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
            throw ui::ERegistryError::writeFailed(AnsiText(name));
        return;
    }
    if (key.empty()) {
        SetValueImage(root, name, image);
        return;
    }
    const ui::RegKey opened = CreateKey(root, key);
    SetValueImage(opened.get(), name, image);
}

void PutKeyImage(HKEY root, const std::wstring& key, const KeyImage& image)
{
    if (key.empty())
        return;  // a whole root is never replaced
    RemoveKeyTree(root, key);
    if (image.exists)
        CreateKeyTree(root, key, image);
}

std::uint64_t Fingerprint(const ValueImage& image)
{
    Fnv fnv;
    AddValue(fnv, image);
    return fnv.value();
}

std::uint64_t Fingerprint(const KeyImage& image)
{
    Fnv fnv;
    AddKey(fnv, image);
    return fnv.value();
}

}  // namespace registry
