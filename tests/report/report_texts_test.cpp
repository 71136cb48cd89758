// How the report words its facts: memory sizes, grouped numbers, the used share of a
// drive, the face of a font entry and the order of the font list.
#include "report/report_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportTexts, InstalledMemorySnapsToTheModuleSizesNearby)
{
    const struct {
        std::uint64_t megabytes;
        std::uint64_t shown;
    } cases[] = {
        {0, 0},     {125, 125}, {126, 128}, {128, 128}, {130, 128}, {131, 131}, {253, 253}, {254, 256},
        {255, 256}, {258, 256}, {259, 259}, {509, 509}, {510, 512}, {514, 512}, {515, 515}, {1024, 1024},
    };
    for (const auto& memory : cases)
        EXPECT_EQ(report::SnapToModuleSize(memory.megabytes), memory.shown) << memory.megabytes;
    EXPECT_EQ(report::Megabytes(255ull * 1048576 + 1048575), 255u);
    EXPECT_EQ(report::MemoryText(267386880, 256, "Bytes", "MB"), "267386880 Bytes = 256 MB");
}

TEST(ReportTexts, NumbersAreGroupedInThreesAndRoundedToWholeNumbers)
{
    const struct {
        std::uint64_t number;
        const char* grouped;
    } whole[] = {
        {0, "0"}, {999, "999"}, {1000, "1.000"}, {123456, "123.456"}, {1234567, "1.234.567"},
        {18446744073709551615ull, "18.446.744.073.709.551.615"},
    };
    for (const auto& number : whole)
        EXPECT_EQ(report::GroupedNumber(number.number, "."), number.grouped);
    EXPECT_EQ(report::GroupedNumber(std::uint64_t{1234567}, ""), "1234567");

    const struct {
        double number;
        const char* grouped;
    } fractions[] = {
        {10240.0, "10,240"}, {1023.4, "1,023"}, {1023.5, "1,024"}, {2.5, "3"}, {0.49, "0"}, {-1500.5, "-1,501"},
    };
    for (const auto& number : fractions)
        EXPECT_EQ(report::GroupedNumber(number.number, ","), number.grouped) << number.number;
}

TEST(ReportTexts, TheUsedShareOfADriveRoundsHalvesToEvenAndNeedsACapacity)
{
    const struct {
        std::uint64_t capacity;
        std::uint64_t free;
        int used;
    } cases[] = {
        {1000, 250, 75}, {1000, 1000, 0}, {1000, 0, 100}, {200, 199, 0},  // 0.5 %
        {200, 197, 2},                                                      // 1.5 %
        {200, 195, 2},                                                      // 2.5 %
        {10737418240, 2684354560, 75},
    };
    for (const auto& drive : cases) {
        const auto used = report::UsedPercentage(drive.capacity, drive.free);
        ASSERT_TRUE(used.has_value());
        EXPECT_EQ(*used, drive.used) << drive.capacity << " " << drive.free;
    }
    EXPECT_FALSE(report::UsedPercentage(0, 0).has_value());
}

TEST(ReportTexts, TheFaceOfAFontEntryEndsBeforeTheBlankAheadOfItsKind)
{
    const struct {
        const char* entry;
        const char* face;
    } cases[] = {
        {"Arial (TrueType)", "Arial"},
        {"Courier New Fett Kursiv (TrueType)", "Courier New Fett Kursiv"},
        {"Courier", "Courier"},
        {"Modern (Plotter", "Modern (Plotter"},  // no ")": the whole entry
        {"Symbol(x)", "Symbo"},                 // the character before "(" goes as well
        {"(TrueType)", ""},
        {"Roman 8,10,12 (VGA res)", "Roman 8,10,12"},
        {"", ""},
    };
    for (const auto& font : cases)
        EXPECT_EQ(report::FontFaceName(font.entry), font.face) << font.entry;
}

TEST(ReportTexts, FontNamesSortAscendingWhateverTheirCase)
{
    std::vector<std::string> names{"Verdana (TrueType)", "arial (TrueType)", "Courier", "MS Sans Serif", "Arial Black"};
    report::SortIgnoringCase(names);
    EXPECT_EQ(names, (std::vector<std::string>{"arial (TrueType)", "Arial Black", "Courier", "MS Sans Serif",
                                               "Verdana (TrueType)"}));
}

}  // namespace
