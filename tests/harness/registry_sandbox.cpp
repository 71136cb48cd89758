#include "harness/registry_sandbox.h"

#include <sddl.h>

#include <memory>
#include <stdexcept>

// How a read-only root is simulated (found by experiment under Wine 8 and valid on Windows):
// - Redirecting a root to a KEY_READ handle alone is not enough under Wine: the registry
//   server opens existing subkeys with full access and creates new subkeys below a
//   read-only parent handle without complaint.
// - Wine does enforce a key's security descriptor when a key is opened: with a DACL
//   granting only KEY_READ, opening (or RegCreateKeyEx of) that existing key with
//   KEY_ALL_ACCESS fails with ERROR_ACCESS_DENIED, while read access still works.
//   Wine does not check the parent's DACL when a new subkey is created, though.
// - A non-volatile key cannot be created below a volatile one
//   (ERROR_CHILD_MUST_BE_VOLATILE, Windows and Wine alike), and the program only
//   creates non-volatile keys.
// So makeReadOnly copies the root's sandbox tree into volatile keys, gives every copied
// key a DACL of KEY_READ (plus WRITE_DAC, so the sandbox can unlock it for deletion), and
// redirects the root to a KEY_READ handle of the copy: reads work, every open with full
// access, every value write and every key creation fails. RegDeleteKey is not blocked by
// the DACL under Wine; the library never deletes a key it cannot open with full access.

namespace {

constexpr const char* kContainerPath = "Software\\VelmoraTestSandbox";
constexpr const char* kReadOnlyDacl = "D:P(A;OICI;KRWD;;;WD)";  // Everyone: read, change the DACL
constexpr const char* kUnlockedDacl = "D:P(A;OICI;KA;;;WD)";    // Everyone: full access

struct RootName {
    HKEY root;
    const char* name;
};
const std::array<RootName, 4> kRoots{{{HKEY_CLASSES_ROOT, "HKCR"},
                                          {HKEY_CURRENT_USER, "HKCU"},
                                          {HKEY_LOCAL_MACHINE, "HKLM"},
                                          {HKEY_USERS, "HKU"}}};

struct LocalFreeDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};
using SecurityDescriptor = std::unique_ptr<void, LocalFreeDeleter>;

void Require(LONG result, const std::string& what)
{
    if (result != ERROR_SUCCESS)
        throw std::runtime_error("registry sandbox: " + what + " failed with error " + std::to_string(result));
}

ui::RegKey OpenRaw(HKEY parent, const std::string& path, REGSAM access)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, access, &handle) != ERROR_SUCCESS)
        return {};
    return ui::RegKey(handle);
}

ui::RegKey CreateRaw(HKEY parent, const std::string& path, DWORD options)
{
    HKEY handle = nullptr;
    Require(RegCreateKeyExA(parent, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
            "creating " + path);
    return ui::RegKey(handle);
}

SecurityDescriptor MakeSecurityDescriptor(const char* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        throw std::runtime_error("registry sandbox: bad security descriptor");
    return SecurityDescriptor(descriptor);
}

void SetDacl(HKEY key, const char* sddl)
{
    const SecurityDescriptor descriptor = MakeSecurityDescriptor(sddl);
    Require(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor.get()), "setting a key's DACL");
}

std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    std::vector<char> name(256);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

// Opens a key for deletion, first giving back full access to a key made read-only.
ui::RegKey OpenForDeletion(HKEY parent, const std::string& name)
{
    if (ui::RegKey key = OpenRaw(parent, name, KEY_ALL_ACCESS))
        return key;
    if (ui::RegKey locked = OpenRaw(parent, name, WRITE_DAC))
        RegSetKeySecurity(locked.get(), DACL_SECURITY_INFORMATION, MakeSecurityDescriptor(kUnlockedDacl).get());
    return OpenRaw(parent, name, KEY_ALL_ACCESS);
}

void DeleteTree(HKEY parent, const std::string& name)
{
    std::vector<std::string> subkeys;
    {
        const ui::RegKey key = OpenForDeletion(parent, name);
        if (!key)
            return;
        subkeys = SubkeyNames(key.get());
        for (auto subkey = subkeys.rbegin(); subkey != subkeys.rend(); ++subkey)
            DeleteTree(key.get(), *subkey);
    }
    RegDeleteKeyA(parent, name.c_str());
}

void CopyValues(HKEY source, HKEY target)
{
    DWORD longestName = 0;
    DWORD largestData = 0;
    Require(RegQueryInfoKeyA(source, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                             &largestData, nullptr, nullptr),
            "querying a key");
    std::vector<char> name(2 * longestName + 2);
    std::vector<BYTE> data(2 * largestData + 2);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        if (RegEnumValueA(source, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize) !=
            ERROR_SUCCESS)
            break;
        Require(RegSetValueExA(target, std::string(name.data(), nameLength).c_str(), 0, type, data.data(), dataSize),
                "copying a value");
    }
}

// Copies source's values and subkeys into target as volatile keys, each locked to
// read access once its contents are in place.
void CopyTreeReadOnly(HKEY source, HKEY target)
{
    CopyValues(source, target);
    for (const std::string& name : SubkeyNames(source)) {
        const ui::RegKey sourceChild = OpenRaw(source, name, KEY_READ);
        const ui::RegKey targetChild = CreateRaw(target, name, REG_OPTION_VOLATILE);
        if (!sourceChild)
            throw std::runtime_error("registry sandbox: cannot read " + name);
        CopyTreeReadOnly(sourceChild.get(), targetChild.get());
    }
    SetDacl(target, kReadOnlyDacl);
}

unsigned NextSandboxNumber()
{
    static unsigned counter = 0;
    return ++counter;
}

}  // namespace

std::optional<RawRegValue> ReadRawValue(HKEY root, const std::string& key, const std::string& name)
{
    const ui::RegKey opened = OpenRaw(root, key, KEY_QUERY_VALUE);
    if (!opened)
        return std::nullopt;
    RawRegValue value;
    DWORD size = 0;
    if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &value.type, size ? value.data.data() : nullptr,
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

bool RawKeyExists(HKEY root, const std::string& key)
{
    return static_cast<bool>(OpenRaw(root, key, KEY_QUERY_VALUE));
}

void WriteRawValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                   const std::vector<BYTE>& data)
{
    HKEY handle = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &handle, nullptr));
    const ui::RegKey opened(handle);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(opened.get(), name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                                            static_cast<DWORD>(data.size())));
}

PredefinedKeyOverride::PredefinedKeyOverride(HKEY root, HKEY replacement) : root_(root)
{
    Require(RegOverridePredefKey(root, replacement), "redirecting a root");
}

PredefinedKeyOverride::~PredefinedKeyOverride()
{
    RegOverridePredefKey(root_, nullptr);
}

void PredefinedKeyOverride::redirectTo(HKEY replacement)
{
    Require(RegOverridePredefKey(root_, replacement), "redirecting a root");
}

ScopedRegistrySandbox::ScratchTree::~ScratchTree()
{
    if (!container)
        return;
    DeleteTree(container.get(), name);
    container.reset();
    // Fails, as it should, while another test process still has its sandbox there.
    RegDeleteKeyA(HKEY_CURRENT_USER, kContainerPath);
}

ScopedRegistrySandbox::ScopedRegistrySandbox()
{
    // Every key is opened on the real registry before any root is redirected.
    scratch_.container = CreateRaw(HKEY_CURRENT_USER, kContainerPath, REG_OPTION_NON_VOLATILE);
    scratch_.name = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(NextSandboxNumber());
    scratchPath_ = std::string(kContainerPath) + "\\" + scratch_.name;
    DeleteTree(scratch_.container.get(), scratch_.name);  // a leftover of a crashed run with the same id
    scratchKey_ = CreateRaw(scratch_.container.get(), scratch_.name, REG_OPTION_NON_VOLATILE);
    for (std::size_t i = 0; i < kRoots.size(); ++i)
        rootKeys_[i] = CreateRaw(scratchKey_.get(), kRoots[i].name, REG_OPTION_NON_VOLATILE);
    for (std::size_t i = 0; i < kRoots.size(); ++i)
        overrides_[i].emplace(kRoots[i].root, rootKeys_[i].get());
}

ScopedRegistrySandbox::~ScopedRegistrySandbox() = default;

std::size_t ScopedRegistrySandbox::indexOf(HKEY root) const
{
    for (std::size_t i = 0; i < kRoots.size(); ++i)
        if (kRoots[i].root == root)
            return i;
    throw std::invalid_argument("registry sandbox: not a sandboxed root");
}

HKEY ScopedRegistrySandbox::sandboxKey(HKEY root) const
{
    return rootKeys_[indexOf(root)].get();
}

void ScopedRegistrySandbox::makeReadOnly(HKEY root)
{
    const std::size_t index = indexOf(root);
    const std::string copyName = std::string(kRoots[index].name) + "-ReadOnly";
    {
        const ui::RegKey copy = CreateRaw(scratchKey_.get(), copyName, REG_OPTION_VOLATILE);
        CopyTreeReadOnly(rootKeys_[index].get(), copy.get());
    }
    ui::RegKey readOnly = OpenRaw(scratchKey_.get(), copyName, KEY_READ);
    if (!readOnly)
        throw std::runtime_error("registry sandbox: cannot open the read-only copy");
    overrides_[index]->redirectTo(readOnly.get());
    readOnlyKeys_.push_back(std::move(readOnly));
}

std::vector<BYTE> TextBytes(const std::string& text)
{
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}
