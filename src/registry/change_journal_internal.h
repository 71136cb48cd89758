// What the recording side and the reading side of the change journal share: the
// format of a set's file and index line, files read and written whole, and putting
// a change's before-state back.
#pragma once

#include "registry/change_journal_sets.h"

#include <string>
#include <vector>

namespace journal::detail {

// The REGEDIT file of a set: a header naming the action and time, then every change
// (newest first) as the sections that put it back, each after a marker comment that
// says which kind of change follows and the fingerprint of the state it left.
std::vector<BYTE> SetFileBytes(const SetInfo& info, const std::vector<Change>& newestFirst);
std::vector<Change> ParseSetFile(const std::vector<BYTE>& file);

// The index of the journal folder: one line per stored set, oldest first.
std::string IndexFile();
std::string IndexLine(const SetInfo& info);
bool ParseIndexLine(const std::string& line, SetInfo& info);

bool ReadWholeFile(const std::string& path, std::vector<BYTE>& bytes);
// Creates the folder and every missing folder above it; true when it exists afterwards.
bool EnsureFolder(const std::string& folder);
bool IsFile(const std::string& path);

// Puts the state a change recorded back. With record, the place is recorded into the
// open set first (an undo is a set of its own); without, nothing is recorded (taking
// back an action whose set could not be stored).
void PutBack(const Change& change, const std::string& copyFolder, bool record);

// The recording entry points in the registry's own UTF-16 names.
void RecordValue(HKEY root, const std::wstring& key, const std::wstring& name);
void RecordKeyCreation(HKEY root, const std::wstring& key);
void RecordKeyTree(HKEY root, const std::wstring& key);
void RecordFile(const std::string& path);
// What a recorded value holds after a write, as far as the journal's caller knows it.
void ValueLeft(HKEY root, const std::wstring& key, const std::wstring& name, const registry::ValueImage& image);

}  // namespace journal::detail
