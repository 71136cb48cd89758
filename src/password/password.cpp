#include "password/password.h"

#include "language/language.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

#include <algorithm>

namespace password {

namespace {

using language::LangString;

// Language strings of the password messages.
constexpr int kNoPasswordToRemove = 11900;
constexpr int kRemoveEntriesDiffer = 11910;       // and 11911
constexpr int kRemoveWrongPassword = 11920;       // and 11921
constexpr int kPasswordRemoved = 11930;
constexpr int kSetEntriesDiffer = 11940;          // and 11941
constexpr int kPasswordTooShort = 11950;          // and 11951
constexpr int kPasswordTooLong = 11955;
constexpr int kPasswordSaved = 11960;

void ShowError(const std::string& text)
{
    ui::MessageDlg(text, ui::MsgKind::Error, {ui::MsgButton::OK});
}

// An error box of two language strings, one per line.
void ShowError(int firstLine, int secondLine)
{
    ShowError(language::LangStrings({firstLine, secondLine}));
}

void StorePassword(const std::string& text)
{
    const std::vector<std::uint8_t> bytes = ScrambledBytes(text);
    registry::RegValueRemove(HKLM, kPasswordKey, kPasswordValue);
    std::copy(bytes.begin(), bytes.end(), registry::BinaryScratch.begin());
    registry::RegWriteBinary(HKLM, kPasswordKey, kPasswordValue, static_cast<int>(bytes.size()));
}

}  // namespace

std::vector<std::uint8_t> ScrambledBytes(const std::string& text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto code = static_cast<std::uint8_t>(text[i]);
        bytes.push_back(static_cast<std::uint8_t>(i % 2 == 0 ? code + kScrambleOffset : code - kScrambleOffset));
    }
    return bytes;
}

std::string UnscrambledText(const std::uint8_t* bytes, std::size_t size)
{
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t byte = bytes[i];
        text.push_back(static_cast<char>(i % 2 == 0 ? byte - kScrambleOffset : byte + kScrambleOffset));
    }
    return text;
}

int StoredPasswordSize()
{
    if (!registry::RegValueExists(HKLM, kPasswordKey, kPasswordValue))
        return 0;
    return registry::RegReadBinary(HKLM, kPasswordKey, kPasswordValue);
}

bool PasswordIsSet()
{
    return StoredPasswordSize() > 0;
}

bool PasswordMatches(const std::string& text)
{
    const int size = StoredPasswordSize();
    if (size == 0)
        return true;
    // A value too large for BinaryScratch was not copied into it and cannot have
    // been stored by this program: it matches no entry (rather than comparing
    // whatever the scratch buffer held before, or reading past its end).
    if (static_cast<std::size_t>(size) > kMaxPasswordLength)
        return false;
    return UnscrambledText(registry::BinaryScratch.data(), static_cast<std::size_t>(size)) == text;
}

void SetPasswordFromEntries(const std::string& entry, const std::string& repetition)
{
    // A typing slip is the likeliest fault, so it is named first; the length checks
    // both come before anything is removed or written, so a refused entry never
    // costs the user the password stored before.
    if (entry != repetition) {
        ShowError(kSetEntriesDiffer, kSetEntriesDiffer + 1);
        return;
    }
    if (entry.size() < kMinPasswordLength) {
        ShowError(kPasswordTooShort, kPasswordTooShort + 1);
        return;
    }
    if (entry.size() > kMaxPasswordLength) {
        ShowError(LangString(kPasswordTooLong));
        return;
    }
    StorePassword(entry);
    ui::ShowMessage(LangString(kPasswordSaved));
}

bool RemovePasswordByEntries(const std::string& entry, const std::string& repetition)
{
    if (!PasswordIsSet()) {
        ui::MessageDlg(LangString(kNoPasswordToRemove), ui::MsgKind::Warning, {ui::MsgButton::OK});
        return false;
    }
    if (entry != repetition) {
        ShowError(kRemoveEntriesDiffer, kRemoveEntriesDiffer + 1);
        return false;
    }
    if (!PasswordMatches(entry)) {
        ShowError(kRemoveWrongPassword, kRemoveWrongPassword + 1);
        return false;
    }
    // The library reports a refused removal only by its result; the user must not be
    // told the password is gone while it still guards the program.
    if (!registry::RegValueRemove(HKLM, kPasswordKey, kPasswordValue))
        throw ui::ERegistryError::writeFailed(kPasswordValue);
    ui::ShowMessage(LangString(kPasswordRemoved));
    return true;
}

}  // namespace password
