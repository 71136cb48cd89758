#include "cleanup/registry_backup.h"

#include "registry/helpers.h"
#include "ui/application.h"
#include "ui/handles.h"
#include "ui/programs.h"

#include <windows.h>

#include <algorithm>

namespace cleanup {

std::string BackupDir;

namespace {

constexpr wchar_t kByteOrderMark = 0xFEFF;
constexpr int kMostDatedNames = 10000;

bool ReadBytes(const std::string& path, std::string& bytes)
{
    const ui::FileHandle file(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return false;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    const ui::FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return bytes.empty() ||
           (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size());
}

std::wstring Utf16Text(const std::string& bytes, std::size_t start, bool bigEndian)
{
    std::wstring text;
    text.reserve((bytes.size() - start) / 2);
    for (std::size_t at = start; at + 1 < bytes.size(); at += 2) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        text.push_back(static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

std::wstring AnsiToWide(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// The text in the ANSI code page; false when a character has no ANSI form.
bool WideToAnsi(const std::wstring& text, std::string& ansi)
{
    ansi.clear();
    if (text.empty())
        return true;
    BOOL lossy = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy)
        return false;
    ansi.assign(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length, nullptr, nullptr);
    return true;
}

// Lines end with CR LF, a lone CR or a lone LF; a final terminator starts no line.
std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const wchar_t ch = text[at];
        if (ch != L'\r' && ch != L'\n')
            continue;
        lines.push_back(text.substr(start, at - start));
        if (ch == L'\r' && at + 1 < text.size() && text[at + 1] == L'\n')
            ++at;
        start = at + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Whether an export holds the key: one of its section lines names it. Only the part
// below the root is compared, since an editor may spell the root in its own way.
bool ExportHoldsKey(const RegFileText& exported, const std::string& fullKeyPath)
{
    const auto slash = fullKeyPath.find('\\');
    const std::wstring below = AnsiToWide(slash == std::string::npos ? fullKeyPath : fullKeyPath.substr(slash));
    const std::wstring whole = AnsiToWide(fullKeyPath);
    return std::any_of(exported.lines.begin(), exported.lines.end(), [&](const std::wstring& line) {
        if (line.size() < 2 || line.front() != L'[' || line.back() != L']')
            return false;
        const std::wstring name = line.substr(1, line.size() - 2);
        if (EqualIgnoringCase(name, whole))
            return true;
        return slash != std::string::npos && name.size() > below.size() &&
               EqualIgnoringCase(name.substr(name.size() - below.size()), below);
    });
}

// Creates the folder and every missing folder above it.
void CreateFolders(const std::string& folder)
{
    for (std::size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

// Adds the export to the collecting file: written beside it first and then put in its
// place in one step, so the exports collected so far survive a failed write.
bool AppendToCollectingFile(const RegFileText& exported)
{
    RegFileText collected;
    if (!ReadRegFileText(CollectingFile(), collected))
        return false;
    collected.lines.insert(collected.lines.end(), exported.lines.begin(), exported.lines.end());
    const std::string combined = BackupDir + "\\1.new";
    if (!WriteRegFileText(combined, collected) || !helpers::MoveFileReplacing(combined, CollectingFile())) {
        DeleteFileA(combined.c_str());
        return false;
    }
    return true;
}

// The short date of the file's last change as a file name may hold it.
std::string DateTextOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &time))
        GetLocalTime(&time);
    char buffer[128] = {};
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, sizeof buffer))
        return std::to_string(time.wYear) + "-" + std::to_string(time.wMonth) + "-" + std::to_string(time.wDay);
    std::string text = buffer;
    // A short date such as 3/14/2025 holds characters no file name may hold.
    std::replace_if(text.begin(), text.end(), [](char ch) { return std::string_view("\\/:*?\"<>|").find(ch) != std::string_view::npos; }, '-');
    return text;
}

}  // namespace

std::string CollectingFile()
{
    return BackupDir + "\\1.reg";
}

std::string ExportFile()
{
    return BackupDir + "\\dummy.reg";
}

bool ReadRegFileText(const std::string& path, RegFileText& text)
{
    std::string bytes;
    if (!ReadBytes(path, bytes))
        return false;
    const bool littleEndian = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    const bool bigEndian = bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF';
    text.utf16 = littleEndian || bigEndian;
    text.lines = SplitLines(text.utf16 ? Utf16Text(bytes, 2, bigEndian) : AnsiToWide(bytes));
    return true;
}

bool WriteRegFileText(const std::string& path, const RegFileText& text)
{
    std::wstring joined;
    for (const std::wstring& line : text.lines)
        joined += line + L"\r\n";
    std::string bytes;
    // Lines that have no ANSI form keep the file in UTF-16, so nothing is lost.
    if (text.utf16 || !WideToAnsi(joined, bytes)) {
        bytes.clear();
        bytes.reserve(2 + joined.size() * 2);
        for (wchar_t ch : std::wstring(1, kByteOrderMark) + joined) {
            bytes.push_back(static_cast<char>(ch & 0xFF));
            bytes.push_back(static_cast<char>((ch >> 8) & 0xFF));
        }
    }
    return WriteBytes(path, bytes);
}

void BeginBackupRun(const std::string& appDir)
{
    BackupDir = appDir + "\\BACKUP";
    CreateFolders(BackupDir);
    // A collecting file left behind holds the only backup of a run that was cut off
    // (the program ended or failed in the middle): it keeps it under a dated name.
    DateCollectingFile(BackupDir);
}

bool BackupKey(const std::string& fullKeyPath)
{
    const std::string exportFile = ExportFile();
    // A leftover of a run that died must never count as this key's export.
    DeleteFileA(exportFile.c_str());
    const int exitCode = ui::RunAndWait("REGEDIT /e \"" + exportFile + "\" \"" + fullKeyPath + "\"", SW_HIDE);
    ui::ProcessMessages();

    // An editor that had to be ended may have written only part of the key.
    RegFileText exported;
    if (exitCode == ui::kStillRunning || !ReadRegFileText(exportFile, exported) || !ExportHoldsKey(exported, fullKeyPath)) {
        DeleteFileA(exportFile.c_str());
        return false;
    }
    const bool collected = helpers::FileExists(CollectingFile()) ? AppendToCollectingFile(exported)
                                                                 : helpers::CopyFileTo(exportFile, CollectingFile(), true);
    DeleteFileA(exportFile.c_str());
    return collected;
}

std::string EndBackupRun()
{
    return DateCollectingFile(BackupDir);
}

std::string DateCollectingFile(const std::string& backupDir)
{
    const std::string collecting = backupDir + "\\1.reg";
    if (!helpers::FileExists(collecting))
        return {};
    const std::string date = DateTextOf(collecting);
    for (int number = 1; number <= kMostDatedNames; ++number) {
        const std::string suffix = number == 1 ? std::string() : " (" + std::to_string(number) + ")";
        const std::string dated = backupDir + "\\Backup " + date + suffix + ".reg";
        if (!helpers::FileExists(dated) && helpers::RenameFile(collecting, dated))
            return dated;
    }
    return {};
}

}  // namespace cleanup
