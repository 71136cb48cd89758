// The 26 drive letters of the drive lists: ticks from a mask and back, in both meanings,
// and every letter pictured by the kind of drive Windows reports.
#include "pages/drive_letters.h"
#include "ui/drive_pictures.h"
#include "ui/form.h"

#include <gtest/gtest.h>

namespace {

TEST(DriveLetters, TicksFollowTheMaskAndGiveItBack)
{
    ui::Form form("Form", 400, 300);
    ui::ListView list(form, "List", {8, 8, 380, 280}, {ui::ListViewStyle::LargeIcons, true});
    const ui::ImageListHandle images = ui::DriveImageList(32);
    list.setLargeImages(images.get());
    struct Case {
        std::uint32_t mask;
        pages::TickMeans tick;
    };
    for (const Case& test : {Case{0x4, pages::TickMeans::BitSet}, Case{0x2000001, pages::TickMeans::BitSet},
                             Case{0x4, pages::TickMeans::BitClear}, Case{0, pages::TickMeans::BitClear}}) {
        pages::FillDriveLetters(list, "Laufwerk", test.mask, test.tick);
        ASSERT_EQ(list.itemCount(), 26);
        EXPECT_EQ(list.caption(0), "Laufwerk A:\\");
        EXPECT_EQ(list.caption(25), "Laufwerk Z:\\");
        EXPECT_EQ(list.checked(2), test.tick == pages::TickMeans::BitSet ? (test.mask & 4) != 0 : (test.mask & 4) == 0);
        EXPECT_EQ(pages::DriveLetterMask(list, test.tick), test.mask);
    }
    pages::FillDriveLetters(list, "Laufwerk", 0, pages::TickMeans::BitSet);
    list.setChecked(0, true);
    list.setChecked(25, true);
    EXPECT_EQ(pages::DriveLetterMask(list, pages::TickMeans::BitSet), 0x2000001u);
    // The prefix maps drive C: only: a fixed disk there, no drive behind Q:.
    EXPECT_EQ(list.image(2), static_cast<int>(ui::DriveKind::Fixed));
    EXPECT_EQ(list.image(16), static_cast<int>(ui::DriveKind::Unknown));
}

TEST(DrivePictures, EveryKindHasItsPictureInBothSizes)
{
    for (int kind = 0; kind <= static_cast<int>(ui::DriveKind::Floppy); ++kind)
        for (int size : {16, 32})
            EXPECT_NE(ui::DriveIcon(static_cast<ui::DriveKind>(kind), size), nullptr) << kind << " " << size;
    EXPECT_EQ(ui::DriveKindOfType(DRIVE_NO_ROOT_DIR), ui::DriveKind::Unknown);
    EXPECT_EQ(ui::DriveKindOfType(DRIVE_REMOTE), ui::DriveKind::Network);
}

}  // namespace
