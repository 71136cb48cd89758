// The drive letters A: to Z: as the 26 items of a list view with check boxes, each
// captioned with a word, the letter and ":\" and pictured by the kind of drive Windows
// reports at that root (every letter gets an item, whether a drive is there or not).
// Pages keep the letters' ticks in the registry as a bit mask, bit 0 for A: to bit 25
// for Z:; whether a tick stands for a set bit or a clear one is the page's.
#pragma once

#include "ui/listview.h"

#include <cstdint>
#include <string>

namespace pages {

enum class TickMeans { BitSet, BitClear };

// Empties the list and adds the 26 letters, ticked as the mask says.
void FillDriveLetters(ui::ListView& list, const std::string& word, std::uint32_t mask, TickMeans tick);

// The mask of the list's ticks.
std::uint32_t DriveLetterMask(const ui::ListView& list, TickMeans tick);

}  // namespace pages
