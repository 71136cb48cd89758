// How the report puts its facts into words: memory sizes, grouped numbers, the used
// share of a drive, the face name of a font entry, and the order of the font list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace report {

// Whole megabytes of a byte count (bytes div 1048576).
std::uint64_t Megabytes(std::uint64_t bytes);

// The installed memory in megabytes as modules come: 126-130 is 128, 254-258 is 256,
// 510-514 is 512; every other number stays.
std::uint64_t SnapToModuleSize(std::uint64_t megabytes);

// "<bytes> <byte unit> = <megabytes> <megabyte unit>", numbers in plain decimal.
std::string MemoryText(std::uint64_t bytes, std::uint64_t megabytes, const std::string& byteUnit,
                       const std::string& megabyteUnit);

// A number with its digits grouped in threes by the separator, no decimals
// ("#,#0"); a fraction is rounded to the nearest whole number, halves away from zero.
std::string GroupedNumber(std::uint64_t number, const std::string& separator);
std::string GroupedNumber(double number, const std::string& separator);
// The user's thousands separator.
std::string ThousandsSeparator();

// The used share of a drive in whole percent, rounded to the nearest (halves to
// even); none for a drive of no capacity.
std::optional<int> UsedPercentage(std::uint64_t capacity, std::uint64_t freeBytes);

// The face of a font entry: a name holding both "(" and ")" is cut before the
// character that precedes the first "(" ("Arial (TrueType)" gives "Arial"); any other
// name is its own face.
std::string FontFaceName(const std::string& valueName);

// The names sorted ascending, letter case ignored as the user's locale compares.
void SortIgnoringCase(std::vector<std::string>& names);

// Today's date in the user's short date format.
std::string TodayShortDate();

}  // namespace report
