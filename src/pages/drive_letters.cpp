#include "pages/drive_letters.h"

#include "ui/drive_pictures.h"

namespace pages {

namespace {

constexpr int kLetters = 26;

}  // namespace

void FillDriveLetters(ui::ListView& list, const std::string& word, std::uint32_t mask, TickMeans tick)
{
    list.clear();
    for (int number = 0; number < kLetters; ++number) {
        const std::string root = std::string(1, static_cast<char>('A' + number)) + ":\\";
        const bool bitSet = (mask >> number) & 1u;
        list.addItem(word + " " + root, static_cast<int>(ui::DriveKindOf(root)),
                     tick == TickMeans::BitSet ? bitSet : !bitSet);
    }
}

std::uint32_t DriveLetterMask(const ui::ListView& list, TickMeans tick)
{
    std::uint32_t mask = 0;
    for (int number = 0; number < list.itemCount() && number < kLetters; ++number)
        if (list.checked(number) == (tick == TickMeans::BitSet))
            mask |= 1u << number;
    return mask;
}

}  // namespace pages
