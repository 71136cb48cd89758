// The registry backup that precedes every registry deletion of the clean-up: each key
// is exported with the registry editor, all exports of one deletion run are collected
// in one file, and that file gets a dated name at the end of the run, so the user can
// restore the deleted entries by importing it.
#pragma once

#include <string>
#include <vector>

namespace cleanup {

// The backup folder of the current run: the program's folder + "\BACKUP".
extern std::string BackupDir;

// The collecting file, the export file and the dated files of a backup folder.
std::string CollectingFile();  // BackupDir + "\1.reg"
std::string ExportFile();      // BackupDir + "\dummy.reg"

// Begins a deletion run: creates the backup folder below appDir (with any missing
// folders above it). A collecting file left from an earlier run that was cut off
// gets its dated name, as its run would have given it.
void BeginBackupRun(const std::string& appDir);

// Exports the key (its root written out: "HKEY_CLASSES_ROOT\CLSID\{...}") with the
// registry editor and adds the export to the collecting file. True only when this
// export holds the key and is in the collecting file: only then may the key go. An
// editor that does not end within its time limit has failed.
bool BackupKey(const std::string& fullKeyPath);

// Ends a deletion run: gives the collecting file, when there is one, the name "Backup
// <date>.reg" (the date of its last change, in the user's short date format), never
// replacing the file of an earlier run. Returns the dated file's path, or empty.
std::string EndBackupRun();
// The same for the collecting file of a backup folder, whoever left it there.
std::string DateCollectingFile(const std::string& backupDir);

// A registry editor file read as lines: UTF-16 (with a byte-order mark) or ANSI.
struct RegFileText {
    bool utf16 = false;
    std::vector<std::wstring> lines;
};
// Reads a file as lines; false when it cannot be read.
bool ReadRegFileText(const std::string& path, RegFileText& text);
// Writes the lines, each ending with CR LF: UTF-16 little-endian with the mark FF FE,
// or ANSI. False when the file cannot be written completely.
bool WriteRegFileText(const std::string& path, const RegFileText& text);

}  // namespace cleanup
