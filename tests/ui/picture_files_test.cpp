// Pictures from files the platform's decoder reads, tiled and stretched pictures,
// pictures written back as bitmap files; the drop-down box with free text, the memo's
// lines and the item data of list views.
#include "harness/bitmap_file.h"
#include "harness/temp_folder.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/listview.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using namespace ui;

namespace {

// A GIF of 1 x 1 white pixel: a format only the platform's picture decoder reads.
const std::string kWhiteGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                            "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
                            "D\x01\x00;",
                            43);

// A 24-bit bitmap file of 2 x 2 pixels: red, green on the top row, blue, white below.
std::string TwoByTwoBitmap()
{
    const COLORREF pixels[2][2] = {{RGB(255, 0, 0), RGB(0, 255, 0)}, {RGB(0, 0, 255), RGB(255, 255, 255)}};
    return testing_support::BitmapFile(2, 2, [&](int x, int y) { return pixels[y][x]; });
}

// The colour at (x, y) when the picture is drawn on a white area of its control's size.
COLORREF DrawnAt(const Image& image, int x, int y)
{
    WindowDC screen(nullptr);
    MemoryDC memory(CreateCompatibleDC(screen.get()));
    GdiObject bitmap(CreateCompatibleBitmap(screen.get(), image.width(), image.height()));
    SelectedObject selected(memory.get(), bitmap.get());
    RECT all{0, 0, image.width(), image.height()};
    FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    image.drawTo(memory.get(), 0, 0);
    return GetPixel(memory.get(), x, y);
}

class PictureFiles : public TempFolderTest {
protected:
    PictureFiles() : form("Form_Pictures", 300, 200) {}
    Form form;
};

TEST_F(PictureFiles, ThePlatformDecoderReadsWhatIsNoBitmapAndABrokenFileChangesNothing)
{
    auto& image = form.add<Image>(form, "Image_Picture", Bounds{0, 0, 50, 50});
    ASSERT_TRUE(image.loadFromFile(file("weiss.gif", kWhiteGif)));
    EXPECT_EQ(image.pictureSize().cx, 1);
    EXPECT_EQ(image.pictureSize().cy, 1);
    EXPECT_EQ(DrawnAt(image, 0, 0) & 0xFFFFFF, RGB(255, 255, 255));

    ASSERT_TRUE(image.loadFromFile(file("bild.bmp", TwoByTwoBitmap())));
    for (const std::string& broken : {file("kaputt.jpg", "\xff\xd8 no more"), file("leer.bmp", ""),
                                      path() + "fehlt.bmp"})
        EXPECT_FALSE(image.loadFromFile(broken)) << broken;
    EXPECT_EQ(image.pictureSize().cx, 2);
}

TEST_F(PictureFiles, APictureWrittenAsBitmapFileReadsBackTheSame)
{
    auto& image = form.add<Image>(form, "Image_Picture", Bounds{0, 0, 2, 2});
    ASSERT_TRUE(image.loadFromFile(file("bild.bmp", TwoByTwoBitmap())));
    const std::string bytes = image.bitmapFileBytes();
    auto& copy = form.add<Image>(form, "Image_Copy", Bounds{0, 0, 2, 2});
    ASSERT_TRUE(copy.loadFromFile(file("kopie.bmp", bytes)));
    for (const POINT at : {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{1, 1}})
        EXPECT_EQ(DrawnAt(copy, at.x, at.y), DrawnAt(image, at.x, at.y)) << at.x << "," << at.y;
    EXPECT_EQ(DrawnAt(copy, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(DrawnAt(copy, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(form.add<Image>(form, "Image_Empty", Bounds{0, 0, 5, 5}).bitmapFileBytes(), "");
}

TEST_F(PictureFiles, TilesCoverTheControlFromTheTopLeftAndAStretchedPictureFillsIt)
{
    auto& tile = form.add<Image>(form, "Image_Tile", Bounds{0, 0, 2, 2});
    ASSERT_TRUE(tile.loadFromFile(file("bild.bmp", TwoByTwoBitmap())));
    auto& area = form.add<Image>(form, "Image_Area", Bounds{0, 0, 5, 3});
    // Columns 0, 2, 4 and rows 0, 2: the last ones cut at the edge.
    EXPECT_EQ(area.tileWith(tile), 3 * 2);
    EXPECT_EQ(area.pictureSize().cx, 5);
    EXPECT_EQ(DrawnAt(area, 4, 2), RGB(255, 0, 0));
    EXPECT_EQ(DrawnAt(area, 3, 1), RGB(255, 255, 255));
    EXPECT_EQ(area.tileWith(form.add<Image>(form, "Image_Empty", Bounds{0, 0, 1, 1})), 0);

    auto& stretched = form.add<Image>(form, "Image_Stretched", Bounds{0, 0, 20, 20});
    ASSERT_TRUE(stretched.loadFromFile(file("bild2.bmp", TwoByTwoBitmap())));
    stretched.setStretch(true);
    // Stretching smooths the colours: each quarter is mostly its pixel's colour.
    const auto mostly = [](COLORREF colour, int red, int green, int blue) {
        return (GetRValue(colour) > 128) == (red > 128) && (GetGValue(colour) > 128) == (green > 128) &&
               (GetBValue(colour) > 128) == (blue > 128);
    };
    EXPECT_TRUE(mostly(DrawnAt(stretched, 3, 3), 255, 0, 0));
    EXPECT_TRUE(mostly(DrawnAt(stretched, 16, 3), 0, 255, 0));
    EXPECT_TRUE(mostly(DrawnAt(stretched, 3, 16), 0, 0, 255));
    EXPECT_TRUE(mostly(DrawnAt(stretched, 16, 16), 255, 255, 255));
}

TEST(DropDownBox, TakesFreeTextAndOffersItsItems)
{
    Form form("Form_Combo", 300, 200);
    auto& box = form.add<ComboBox>(form, "ComboBox_Address", Bounds{10, 10, 200, 21},
                                   std::vector<std::string>{"http://a.test/", "http://b.test/"}, ComboStyle::DropDown);
    EXPECT_EQ(box.text(), "");
    box.setText("eigene Adresse");
    EXPECT_EQ(box.text(), "eigene Adresse");
    box.setItemIndex(1);
    EXPECT_EQ(box.text(), "http://b.test/");

    auto& list = form.add<ComboBox>(form, "ComboBox_List", Bounds{10, 40, 200, 21},
                                    std::vector<std::string>{"Aus", "Ein"});
    list.setText("frei");
    EXPECT_EQ(list.text(), "");
}

TEST(Memo, KeepsItsLinesAndAnEmptyLastLine)
{
    Form form("Form_Memo", 300, 200);
    auto& memo = form.add<Memo>(form, "Memo_Text", Bounds{10, 10, 200, 80});
    const std::vector<std::vector<std::string>> cases = {{}, {"eins"}, {"eins", ""}, {"", "zwei=2", "drei"}};
    for (const auto& lines : cases) {
        memo.setLines(lines);
        EXPECT_EQ(memo.lines(), lines);
    }
    memo.setText("a\r\nb");
    EXPECT_EQ(memo.lines(), (std::vector<std::string>{"a", "b"}));
    // More text than a one-line edit takes.
    const std::vector<std::string> many(400, std::string(99, 'x'));
    memo.setLines(many);
    EXPECT_EQ(memo.lines(), many);
}

TEST(ListView, ItemDataStaysWithItsItemWhenTheListSorts)
{
    Form form("Form_List", 400, 300);
    ListViewOptions options;
    options.sortedByCaption = true;
    auto& list = form.add<ListView>(form, "ListView_Items", Bounds{10, 10, 300, 200}, options);
    list.addColumn("Name", 200);
    for (const auto& [caption, data] : {std::pair<const char*, LPARAM>{"Zeta", 0}, {"Alpha", 1}, {"Mitte", 2}})
        list.setItemData(list.addItem(caption), data);
    ASSERT_EQ(list.itemCount(), 3);
    EXPECT_EQ(list.caption(0), "Alpha");
    EXPECT_EQ(list.itemData(0), 1);
    EXPECT_EQ(list.itemData(1), 2);
    EXPECT_EQ(list.itemData(2), 0);
}

}  // namespace
