// The registry library: every registry access of the program goes through these
// free functions. Each names the value completely (root, key path, value name),
// opens its key, does one thing, closes the key and returns a plain result.
// Missing keys and values are not failures: reads give empty text, 0 or false.
// Write failures raise ui::ERegistryError; integer conversions ui::EConvertError.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace registry {

using RootKey = HKEY;  // HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS

// The kind of a value as this library reports it (not the Windows type codes).
enum class RegDataKind : int { None = 0, String = 1, ExpandString = 2, Integer = 3, Binary = 4 };

// The one shared buffer of the binary operations.
constexpr std::size_t kBinaryScratchSize = 2048;
extern std::array<std::uint8_t, kBinaryScratchSize> BinaryScratch;

// Keys
bool RegKeyExists(RootKey root, const std::string& key);
bool RegKeyEnsure(RootKey root, const std::string& key);
bool RegKeyRemove(RootKey root, const std::string& key);  // false for the empty path: a root is never emptied
// The names of a key's subkeys or values, in the registry's order. A long listing can
// let the caller work between names: `progress` runs after each name read.
std::vector<std::string> RegSubkeyNames(RootKey root, const std::string& key, const std::function<void()>& progress = {});
std::vector<std::string> RegValueNames(RootKey root, const std::string& key, const std::function<void()>& progress = {});

// Values, general
bool RegValueExists(RootKey root, const std::string& key, const std::string& name);
RegDataKind RegValueKind(RootKey root, const std::string& key, const std::string& name);
bool RegValueRemove(RootKey root, const std::string& key, const std::string& name);
// RegValueRemove for a caller that reports what it did: false also when the key
// refused full access and the value is still there.
bool RegValueDelete(RootKey root, const std::string& key, const std::string& name);

// Text
std::string RegReadText(RootKey root, const std::string& key, const std::string& name);
bool RegValueMatchesText(RootKey root, const std::string& key, const std::string& name, const std::string& text);
bool RegUpdateText(RootKey root, const std::string& key, const std::string& name, const std::string& text);
bool RegWriteText(RootKey root, const std::string& key, const std::string& name, const std::string& text);
bool RegWriteExpandText(RootKey root, const std::string& key, const std::string& name, const std::string& text);

// Integers
int RegReadInt(RootKey root, const std::string& key, const std::string& name);
bool RegValueMatchesInt(RootKey root, const std::string& key, const std::string& name, int number);
bool RegWriteInt(RootKey root, const std::string& key, const std::string& name, int number);
bool RegStoreInt(RootKey root, const std::string& key, const std::string& name, int number);

// Binary, through BinaryScratch. A size outside 0..2048 writes nothing: RegUpdateBinary
// returns false, RegWriteBinary raises the write error.
int RegReadBinary(RootKey root, const std::string& key, const std::string& name);
bool RegUpdateBinary(RootKey root, const std::string& key, const std::string& name, int size);
void RegWriteBinary(RootKey root, const std::string& key, const std::string& name, int size);

}  // namespace registry

// The short names the program's tables use for the four roots.
inline const HKEY HKCR = HKEY_CLASSES_ROOT;
inline const HKEY HKCU = HKEY_CURRENT_USER;
inline const HKEY HKLM = HKEY_LOCAL_MACHINE;
inline const HKEY HKU = HKEY_USERS;
