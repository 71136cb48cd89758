// The contract every settings page keeps with the user's registry, checked from the
// page's own binding table: fill every place the table binds with hostile content
// (missing, each kind of value, the wrong kind, empty, text that is no number, odd and
// oversized binary, texts of 3000 characters), open the page as the program does,
// press "Ok", and compare the whole sandboxed registry (and the page's files) before
// and after.
//   - Only what the table names changes.
//   - Nothing crashes, and the only messages are the ones the page means to show.
//   - A stored value that cannot be read as the number a row reads is reported, and
//     the row leaves it as stored.
//   - A second opening and "Ok" changes nothing more.
#pragma once

#include "harness/dialog_seam.h"
#include "harness/registry_sandbox.h"
#include "pages/binding.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// How a row reads the number at its place: as a number (a DWORD, or a text that must
// be a decimal number), or as a text of digits where an empty text means the default.
enum class NumberKind { Number, DigitsText };

// A place a page binds: one value, or with wholeKey a key and everything below it.
struct BoundPlace {
    HKEY root = nullptr;
    std::string key;
    std::string value;  // "" is the key's unnamed value
    bool wholeKey = false;
    NumberKind number = NumberKind::Number;  // for numberPlaces
};

// One kind of hostile content; no value means the place is missing.
struct HostileContent {
    std::string what;
    std::optional<RawRegValue> value;
    // Reading it as a number fails: a text that is no decimal number (the empty text
    // too), or binary longer than a number.
    bool unreadableNumber = false;
    // Reading it as a text of digits fails: a text that is neither empty nor a number.
    bool unreadableDigits = false;
};
const std::vector<HostileContent>& HostileContents();

// Everything the four sandboxed roots hold: "HKCU\Key\Sub" for a key, and
// "HKCU\Key\Sub\\[name]" for a value, with the value's type and data.
using RegistrySnapshot = std::map<std::string, std::optional<RawRegValue>>;
RegistrySnapshot SnapshotRegistry();
// One line per entry that differs between the snapshots, saying how; empty when none does.
std::string RegistryDifferences(const RegistrySnapshot& before, const RegistrySnapshot& after);
// Removes every key and value of the four sandboxed roots.
void EmptyRegistry();

// A file as a snapshot keeps it: its bytes and attributes (a folder: attributes only).
struct FileState {
    std::string bytes;
    DWORD attributes = 0;
    bool operator==(const FileState&) const = default;
};
// The files named (a missing one has no entry), and for a name ending in a backslash
// the folder with every file and folder below it, by full path.
using FileSnapshot = std::map<std::string, FileState>;
FileSnapshot SnapshotFiles(const std::vector<std::string>& places);
// One line per file that differs between the snapshots, saying how; empty when none does.
std::string FileDifferences(const FileSnapshot& before, const FileSnapshot& after);

struct PageContract {
    // Every place the page's table binds, and further places its special rows and
    // lists change (a list's key with all its values, say).
    std::vector<BoundPlace> places;
    // The places whose value is read as a number.
    std::vector<BoundPlace> numberPlaces;
    // Files the page may change, and folders (ending in a backslash) whose files it may
    // change: their bytes and attributes are compared like the registry.
    std::vector<std::string> files;
    // Creates the page as the program does, presses "Ok" and destroys it.
    std::function<void()> openAndPressOk;
    // Prepares the places before each hostile content is written (optional): a page
    // that lists the values of a key, say, gets such a value here.
    std::function<void(const HostileContent&)> prepare;
};

// The places of a binding table: every row's value (or key, for rules that test a
// key), and the numbers that rules 1, 2, 5, 6 and 7 read.
void AddTablePlaces(PageContract& contract, const pages::BindingTable& table);

// Runs the contract for every hostile content, each in a freshly emptied sandbox.
// Message boxes go to `boxes`, answered by its script or with their first button.
void ExpectPageContract(const PageContract& contract, ScriptedMessageBoxes& boxes);

}  // namespace testing_support
