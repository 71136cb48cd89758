// The registry sandbox: for the length of one test, HKCR, HKCU, HKLM and HKU are
// redirected (RegOverridePredefKey) to fresh keys below a scratch key of the real
// HKCU, "Software\VelmoraTestSandbox\<process id>-<counter>\{HKCR,HKCU,HKLM,HKU}".
// Everything a test reads or writes through the four roots lands there; afterwards
// the roots are restored and the scratch tree is deleted. Real settings are never
// touched, on Windows as under Wine.
#pragma once

#include "ui/handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <exception>
#include <optional>
#include <string>
#include <vector>

// A value as the registry holds it.
struct RawRegValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Direct registry access for preparing and inspecting values past the library:
// reading asks for read access only, so it also sees keys of a read-only root.
std::optional<RawRegValue> ReadRawValue(HKEY root, const std::string& key, const std::string& name);
bool RawKeyExists(HKEY root, const std::string& key);
// Creates the key when needed; fails the current test when the registry refuses.
void WriteRawValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                   const std::vector<BYTE>& data);

// The bytes of a string value as the registry stores it: the text and its terminating zero.
std::vector<BYTE> TextBytes(const std::string& text);

// The text of the toolkit error `call` raises, or "(nothing raised)"; registry tests
// compare the exact texts the user would see.
template <class Call>
std::string RaisedText(Call call)
{
    try {
        call();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(nothing raised)";
}

// Redirects one predefined root while it lives; restores the real root when destroyed.
class PredefinedKeyOverride {
public:
    PredefinedKeyOverride(HKEY root, HKEY replacement);
    PredefinedKeyOverride(const PredefinedKeyOverride&) = delete;
    PredefinedKeyOverride& operator=(const PredefinedKeyOverride&) = delete;
    ~PredefinedKeyOverride();

    // Points the root at another key; the real root still comes back on destruction.
    void redirectTo(HKEY replacement);

private:
    HKEY root_;
};

// The sandbox itself; construction redirects the four roots, destruction undoes it all.
// Throws std::runtime_error when the sandbox cannot be set up (nothing stays redirected).
class ScopedRegistrySandbox {
public:
    ScopedRegistrySandbox();
    ScopedRegistrySandbox(const ScopedRegistrySandbox&) = delete;
    ScopedRegistrySandbox& operator=(const ScopedRegistrySandbox&) = delete;
    ~ScopedRegistrySandbox();

    // From now on `root` behaves as for a user without rights: its keys and values can
    // be read, but no key can be opened with full access, created, or written. Prepare
    // the values a test needs before calling this.
    void makeReadOnly(HKEY root);

    // The writable sandbox key that stands in for `root`, opened on the real registry
    // (after makeReadOnly the root shows a read-only copy of it instead).
    HKEY sandboxKey(HKEY root) const;
    // The scratch key's path below the real HKEY_CURRENT_USER.
    const std::string& scratchPath() const { return scratchPath_; }

private:
    // Deletes the scratch tree when destroyed (declared first, so it goes last).
    struct ScratchTree {
        ui::RegKey container;  // real HKCU\Software\VelmoraTestSandbox
        std::string name;      // <process id>-<counter>
        ~ScratchTree();
    };

    std::size_t indexOf(HKEY root) const;

    ScratchTree scratch_;
    std::string scratchPath_;
    ui::RegKey scratchKey_;
    std::array<ui::RegKey, 4> rootKeys_;
    std::vector<ui::RegKey> readOnlyKeys_;
    std::array<std::optional<PredefinedKeyOverride>, 4> overrides_;  // restored first
};

// GoogleTest fixture: every test of a class derived from it runs inside a fresh sandbox.
class RegistrySandbox : public ::testing::Test {
protected:
    void SetUp() override { sandbox_.emplace(); }
    void TearDown() override { sandbox_.reset(); }

    ScopedRegistrySandbox& sandbox() { return *sandbox_; }
    void makeReadOnly(HKEY root) { sandbox_->makeReadOnly(root); }

private:
    std::optional<ScopedRegistrySandbox> sandbox_;
};
