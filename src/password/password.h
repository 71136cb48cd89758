// The program password: an optional password that the password dialog asks for at
// every start. It lies in HKLM as a binary value of one scrambled byte per
// character, without a length field or terminator; the value's size is the
// password's length. No value, or an empty one, means no password.
#pragma once

#include "registry/registry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace password {

inline const std::string kPasswordKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Group Policy";
inline const std::string kPasswordValue = "Encrypted Data";

// Added to the code of every character at an even position and subtracted at an
// odd one (modulo 256) before the password is stored.
constexpr std::uint8_t kScrambleOffset = 77;

constexpr std::size_t kMinPasswordLength = 6;
// The stored password passes through BinaryScratch, whose last byte the registry
// library keeps free: longer values are never copied into it.
constexpr std::size_t kMaxPasswordLength = registry::kBinaryScratchSize - 1;

// The bytes that store a password text, and the text they stand for.
std::vector<std::uint8_t> ScrambledBytes(const std::string& text);
std::string UnscrambledText(const std::uint8_t* bytes, std::size_t size);

// The size of the stored value in bytes; 0 when there is no password.
int StoredPasswordSize();
bool PasswordIsSet();

// True when no password is set or when text is the stored password exactly
// (letter case counts).
bool PasswordMatches(const std::string& text);

// "Passwort setzen": stores entry as the new password when both entries agree and
// its length lies within 6..2047 characters; tells the user the outcome in a
// message box either way. A refused write raises the registry write error.
void SetPasswordFromEntries(const std::string& entry, const std::string& repetition);

// "Passwort entfernen": removes the stored password when both entries agree and
// name it; tells the user the outcome. True when the password was removed.
bool RemovePasswordByEntries(const std::string& entry, const std::string& repetition);

}  // namespace password
