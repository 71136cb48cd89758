// Small stateless helpers that several pages, the autostart manager and the
// clean-up share: Explorer's icon cache, shell folders, command lines and paths,
// environment variables, ini files, file searches, empty folders and the recycle bin.
// Ini and file functions report failure by their result and never raise.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace helpers {

// Shell

// Makes Explorer rebuild its icon cache by nudging "Shell Icon Size" and broadcasting
// the change. False (and no broadcast) when the value exists but is empty. A value
// that is not a number raises ui::EConvertError; registry write errors pass through.
bool RefreshShellIcons();

// Tells the shell that file associations changed, so it reloads the icons it shows
// (SHChangeNotify with SHCNE_ASSOCCHANGED, no items).
void NotifyAssociationsChanged();

// The file-system path of the shell folder with that CSIDL number; empty when the
// folder has none.
std::string SpecialFolderPath(HWND owner, int csidl);

// Texts and paths

// Cuts a command line down to the program file it starts (upper-cased); empty when
// what is left still carries a switch. Texts shorter than 4 characters or without a
// "." and without a switch stay as they are.
void CommandLineFile(std::string& text);

// Upper-cased, environment variables expanded (their values keep their case),
// double quotes removed.
std::string CleanCommandPath(const std::string& text);

// True for a Windows Installer reference ("{" and "INSTALLER", exact case).
bool IsInstallerReference(const std::string& text);

// The text without any backslashes at its end.
std::string StripTrailingBackslashes(const std::string& text);

// The text with its environment variable references expanded, nothing else changed.
std::string ExpandEnvText(const std::string& text);

// The part after the last ch that is not the final character; the whole text when
// there is none. TextAfterLast("C:\DIR\", '\\') is "DIR\".
std::string TextAfterLast(const std::string& text, char ch);

// Files and folders

// Whether path names an existing file (a folder is not a file), or an existing folder.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// False only when searching for path fails with "path not found" or "device not
// ready", so drive roots without a medium can be skipped; anything else is true.
bool PathAccessible(const std::string& path);

// Adds the full path of every file matching mask in folder (ending with "\") and,
// recursively, in its subfolders; a folder's own files come first. Returns at once
// when the wait window's cancel button was pressed.
void CollectFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list);

// Removes every empty folder below folder (ending with "\"), deepest first, and
// clears the attributes of every folder below it; folder itself stays. Call with depth 0.
void RemoveEmptySubfolders(const std::string& folder, int depth = 0);

// Writes the lines to a new file at path (an existing file is replaced), each line
// followed by CR LF, the bytes as they stand. False when the file cannot be created or
// written completely.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// Moves an existing file to the recycle bin without asking. False without any action
// when the file does not exist or its full path is longer than 253 characters.
bool RecycleFile(const std::string& file);

// Moves several files to the recycle bin in one shell operation. paths holds full
// paths, each followed by one zero character. Returns whether the shell operation
// succeeded; aborted tells apart that the user cancelled part of it, so the caller
// can say that some files were left where they were.
bool RecycleFiles(const std::string& paths, bool& aborted);
// The number of items in all Recycle Bins together; nothing when the shell cannot tell.
// Its growth over an operation tells how many files went there rather than away for good.
std::optional<std::int64_t> RecycleBinItemCount();

// Gives an existing file or folder a new name (in the same or another folder). Never
// replaces: false, and nothing changed, when something already has the new name or
// the file cannot be moved.
bool RenameFile(const std::string& from, const std::string& to);

// Leaves a file with the archive attribute alone, clearing read-only, hidden and
// system, so that it can be written; false when the file is missing or refuses.
bool MakeFileWritable(const std::string& file);
// Copies a file to target, replacing an existing one only when overwrite is set; the
// way every file of the system is copied, so the change journal sees it.
bool CopyFileTo(const std::string& source, const std::string& target, bool overwrite);

// Writes the bytes as the whole content of the file, creating it or replacing what it
// held (a read-only file is not written). True when every byte was written.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// Clears every attribute of an existing file (read-only, hidden, system, archive).
bool ClearFileAttributes(const std::string& path);

// Renames a file within its volume, replacing an existing target in one step (so the
// target is either the old or the new file, never a half-written one).
bool MoveFileReplacing(const std::string& source, const std::string& target);

// Ini files

// "name=value" for every entry of the section, in file order; empty when the file
// or section is missing.
std::vector<std::string> ReadIniSection(const std::string& file, const std::string& section);

// The entry's value; empty when it is missing.
std::string ReadIniText(const std::string& file, const std::string& section, const std::string& name);

// Writes the entry into an existing file, also a read-only, hidden or system one
// (its attributes are restored), and reports whether it reads back exactly as value.
bool WriteIniText(const std::string& file, const std::string& section, const std::string& name,
                  const std::string& value);

// Deletes the entry from the section of an existing file, also a read-only, hidden or
// system one (its attributes are restored). True when the entry is gone afterwards,
// also when there was none; false when the file does not exist or the write fails.
bool DeleteIniEntry(const std::string& file, const std::string& section, const std::string& name);
// One entry line of a section as the file holds it: its name, and its value as written
// (the profile functions drop one pair of enclosing quotes and see only the first of
// two entries of the same name).
struct IniEntryLine {
    std::string name;
    std::string value;
};
// The entry lines of the section (of every section of that name), in file order.
std::vector<IniEntryLine> ReadIniEntryLines(const std::string& file, const std::string& section);
// Acts on one entry line alone: the occurrence-th line (from 0) of the section with that
// name, and only while it still holds value. It is replaced by the replacement line or,
// without one, deleted; the other lines stay byte for byte. Also in a read-only, hidden
// or system file (its attributes are restored). False when there is no such line or the
// file cannot be written.
bool ChangeIniEntryLine(const std::string& file, const std::string& section, const IniEntryLine& line, int occurrence,
                        const std::optional<IniEntryLine>& replacement);

// Removes a whole section with all its entries from an existing file (also a read-only,
// hidden or system one; its attributes are restored). True when the section is gone.
bool EraseIniSection(const std::string& file, const std::string& section);

}  // namespace helpers
