// What the password tests share: a registry sandbox, the German language file, the
// scripted message boxes, and direct access to the stored password value.
#pragma once

#include "harness/dialog_seam.h"
#include "harness/german_sandbox.h"
#include "harness/registry_sandbox.h"
#include "harness/source_files.h"
#include "language/language.h"
#include "password/password.h"

#include <cstdint>
#include <string>
#include <vector>

class PasswordTest : public GermanRegistrySandbox {
protected:

    // The text of an error box made of two language strings.
    static std::string TwoLines(int first, int second)
    {
        return language::LangString(first) + "\r" + language::LangString(second);
    }

    // The stored value's bytes as the registry holds them; nullopt when absent.
    static std::optional<std::vector<BYTE>> StoredBytes()
    {
        const auto raw = ReadRawValue(HKEY_LOCAL_MACHINE, password::kPasswordKey, password::kPasswordValue);
        if (!raw)
            return std::nullopt;
        EXPECT_EQ(raw->type, static_cast<DWORD>(REG_BINARY));
        return raw->data;
    }

    static void StoreBytes(const std::vector<BYTE>& bytes)
    {
        WriteRawValue(HKEY_LOCAL_MACHINE, password::kPasswordKey, password::kPasswordValue, REG_BINARY, bytes);
    }

    // Stores a password as the program does, without going through the options page.
    static void StorePassword(const std::string& text)
    {
        const auto scrambled = password::ScrambledBytes(text);
        StoreBytes(std::vector<BYTE>(scrambled.begin(), scrambled.end()));
    }

    testing_support::ScriptedMessageBoxes boxes;
};
