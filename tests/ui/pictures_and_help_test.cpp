// Pictures and the backgrounds they make, inherited fonts, and help locations.
#include "harness/bitmap_file.h"
#include "harness/help_seam.h"
#include "harness/temp_file.h"
#include "harness/temp_folder.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/form.h"
#include "ui/help.h"
#include "ui/image.h"

#include <gtest/gtest.h>

#include <string>

using namespace ui;
using testing_support::BitmapFile;

namespace {

// A JPEG picture of 6 x 4 red pixels.
std::string RedJpegFile()
{
    static const char bytes[] =
    "\xff\xd8\xff\xe0\x00\x10\x4a\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xdb\x00\x43"
    "\x00\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01"
    "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01"
    "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\xff\xdb\x00\x43\x01\x01\x01"
    "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01"
    "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01"
    "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\xff\xc0\x00\x11\x08\x00\x04\x00\x06\x03"
    "\x01\x11\x00\x02\x11\x01\x03\x11\x01\xff\xc4\x00\x14\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x09\xff\xc4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\xff\xc4\x00\x15\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x09\x0a\xff\xc4\x00\x14\x11\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\xff\xda\x00\x0c\x03\x01\x00\x02\x11\x03\x11\x00\x3f\x00\x17\xc5\x3a\xfe\x1f\xff\xd9";
    return std::string(bytes, sizeof bytes - 1);
}

// The colour a form's background painting gives at one point of its client area.
COLORREF BackgroundAt(Control& control, int x, int y)
{
    WindowDC screen(nullptr);
    MemoryDC memory(CreateCompatibleDC(screen.get()));
    GdiObject bitmap(CreateCompatibleBitmap(screen.get(), control.clientWidth(), control.clientHeight()));
    SelectedObject selected(memory.get(), bitmap.get());
    control.paintBackground(memory.get());
    return GetPixel(memory.get(), x, y);
}

bool IsAbove(HWND upper, HWND lower)
{
    for (HWND window = GetWindow(lower, GW_HWNDPREV); window; window = GetWindow(window, GW_HWNDPREV))
        if (window == upper)
            return true;
    return false;
}

}  // namespace

TEST(Help, TheLocationIsTheHelpFileAsChmAndTheTopicAsHtm)
{
    struct Case {
        const char* helpFile;
        const char* topic;
        const char* location;
    };
    const Case cases[] = {
        {"C:\\Programme\\Velmora\\velmora.chm", "start", "C:\\Programme\\Velmora\\velmora.chm::/start.htm"},
        {"C:\\Programme\\Velmora\\velmora.hlp", "passwort", "C:\\Programme\\Velmora\\velmora.chm::/passwort.htm"},
        {"C:\\Velmora.1\\hilfe", "optionen", "C:\\Velmora.1\\hilfe.chm::/optionen.htm"},
        {"C:\\velmora.chm", "Seite.HTML", "C:\\velmora.chm::/Seite.HTML"},
        {"C:\\velmora.chm", "seite.htm", "C:\\velmora.chm::/seite.htm"},
        {"C:\\velmora.chm", "liesmich.txt", "C:\\velmora.chm::/liesmich.txt.htm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HelpLocation(c.helpFile, c.topic), c.location) << c.helpFile << " " << c.topic;
}

TEST(Help, ShowHelpTopicAsksTheViewerForTheTopicOfTheProgramsHelpFile)
{
    testing_support::RecordedHelp help;
    const std::string saved = HelpFilePath;
    HelpFilePath = "C:\\Programme\\Velmora\\velmora.chm";
    ShowHelpTopic("systemeinstellungen");
    HelpFilePath = saved;
    ASSERT_EQ(help.locations().size(), 1u);
    EXPECT_EQ(help.locations()[0], "C:\\Programme\\Velmora\\velmora.chm::/systemeinstellungen.htm");
}

class PictureTest : public TempFolderTest {};

TEST_F(PictureTest, APictureLoadsFromAFileSizesItselfAndIsPaintedByItsParent)
{
    Form form("Form_Picture", 200, 100);
    form.setColor(RGB(0, 0, 255));
    auto& image = form.add<Image>(form, "Image1", Bounds{10, 10, 5, 5});
    image.setAutoSize(true);
    EXPECT_FALSE(image.hasPicture());
    EXPECT_EQ(BackgroundAt(form, 12, 12), RGB(0, 0, 255));  // an empty picture shows the form

    ASSERT_TRUE(image.loadFromFile(file("rot.bmp", BitmapFile(30, 20, RGB(255, 0, 0)))));

    EXPECT_EQ(image.width(), 30);
    EXPECT_EQ(image.height(), 20);
    EXPECT_EQ(BackgroundAt(form, 12, 12), RGB(255, 0, 0));
    EXPECT_EQ(BackgroundAt(form, 45, 12), RGB(0, 0, 255));
}

TEST_F(PictureTest, AFailedLoadKeepsThePictureAndACopyIsIndependent)
{
    Form form("Form_Picture", 200, 100);
    auto& original = form.add<Image>(form, "Image1", Bounds{0, 0, 30, 20});
    auto& copy = form.add<Image>(form, "Image2", Bounds{100, 0, 30, 20});
    ASSERT_TRUE(original.loadFromFile(file("gruen.bmp", BitmapFile(30, 20, RGB(0, 255, 0)))));

    EXPECT_FALSE(original.loadFromFile(path() + "fehlt.bmp"));
    EXPECT_FALSE(original.loadFromFile(file("kaputt.bmp", "kein Bild")));
    EXPECT_TRUE(original.hasPicture());

    copy.assign(original);
    original.clear();
    EXPECT_FALSE(original.hasPicture());
    ASSERT_TRUE(copy.hasPicture());
    EXPECT_EQ(copy.pictureSize().cx, 30);
    EXPECT_EQ(BackgroundAt(form, 105, 5), RGB(0, 255, 0));
}

TEST_F(PictureTest, PicturesLieBeneathEveryOtherControlAndOverlapInCreationOrder)
{
    Form form("Form_Picture", 200, 100);
    auto& labelBefore = form.add<Label>(form, "Label1", Bounds{0, 0, 50, 15}, "vorher");
    auto& back = form.add<Image>(form, "Image1", Bounds{0, 0, 40, 40});
    auto& front = form.add<Image>(form, "Image2", Bounds{20, 20, 40, 40});
    auto& labelAfter = form.add<Label>(form, "Label2", Bounds{0, 20, 50, 15}, "nachher");
    ASSERT_TRUE(back.loadFromFile(file("rot.bmp", BitmapFile(40, 40, RGB(255, 0, 0)))));
    ASSERT_TRUE(front.loadFromFile(file("gelb.bmp", BitmapFile(40, 40, RGB(255, 255, 0)))));

    for (const Image* image : {&back, &front}) {
        EXPECT_TRUE(IsAbove(labelBefore.handle(), image->handle()));
        EXPECT_TRUE(IsAbove(labelAfter.handle(), image->handle()));
    }
    EXPECT_EQ(BackgroundAt(form, 30, 30), RGB(255, 255, 0));  // the later picture covers the earlier one
    EXPECT_EQ(BackgroundAt(form, 5, 5), RGB(255, 0, 0));
}

TEST_F(PictureTest, AJpegPictureLoadsLikeABitmap)
{
    Form form("Form_Picture", 200, 100);
    auto& image = form.add<Image>(form, "Image1", Bounds{0, 0, 5, 5});
    image.setAutoSize(true);
    ASSERT_TRUE(image.loadFromFile(file("rot.jpg", RedJpegFile())));
    EXPECT_EQ(image.width(), 6);
    EXPECT_EQ(image.height(), 4);
    const COLORREF shown = BackgroundAt(form, 3, 2);
    EXPECT_GT(GetRValue(shown), 240);
    EXPECT_LT(GetGValue(shown), 16);
}

// The toolbar preview: a small picture repeated over a wider and higher control, the
// last copies cut at its edges.
TEST_F(PictureTest, ATiledPictureRepeatsTheOtherOneFromTheTopLeftCorner)
{
    Form form("Form_Picture", 200, 100);
    auto& piece = form.add<Image>(form, "Image_Piece", Bounds{0, 0, 10, 10});
    auto& preview = form.add<Image>(form, "Image_Preview", Bounds{20, 0, 25, 15});
    piece.setVisible(false);
    ASSERT_TRUE(piece.loadFromFile(file("gruen.bmp", BitmapFile(10, 10, RGB(0, 255, 0)))));
    preview.tile(piece);
    EXPECT_EQ(preview.pictureSize().cx, 25);
    EXPECT_EQ(preview.pictureSize().cy, 15);
    for (const POINT at : {POINT{20, 0}, POINT{44, 14}, POINT{31, 11}})
        EXPECT_EQ(BackgroundAt(form, at.x, at.y), RGB(0, 255, 0)) << at.x << "," << at.y;
    EXPECT_NE(BackgroundAt(form, 46, 5), RGB(0, 255, 0));  // nothing beyond the control

    piece.clear();
    preview.tile(piece);
    EXPECT_FALSE(preview.hasPicture());
}

TEST_F(PictureTest, AnIconIsShownInsteadOfTheBitmapUntilTheNextPicture)
{
    Form form("Form_Picture", 200, 100);
    form.setColor(RGB(0, 0, 255));
    auto& image = form.add<Image>(form, "Image1", Bounds{0, 0, 32, 32});
    ASSERT_TRUE(image.loadFromFile(file("rot.bmp", BitmapFile(32, 32, RGB(255, 0, 0)))));
    image.setIcon(IconHandle(CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32516)))));  // IDI_INFORMATION
    EXPECT_TRUE(image.hasIcon());
    EXPECT_FALSE(image.hasPicture());
    int red = 0;
    int drawn = 0;
    for (int y = 0; y < 32; y += 2)
        for (int x = 0; x < 32; x += 2) {
            const COLORREF color = BackgroundAt(form, x, y);
            red += color == RGB(255, 0, 0);
            drawn += color != RGB(255, 0, 0) && color != RGB(0, 0, 255);
        }
    EXPECT_EQ(red, 0);  // the bitmap is gone
    EXPECT_GT(drawn, 0);  // the icon's pixels over the form's colour
    image.setIcon(IconHandle());
    EXPECT_FALSE(image.hasIcon());
    EXPECT_EQ(BackgroundAt(form, 16, 16), RGB(0, 0, 255));
}

TEST(Backgrounds, ChildrenTakeTheFontAndTheBackgroundOfWhatTheyLieOn)
{
    Form form("Form_Coloured", 300, 200);
    const HFONT arial = SharedFont(FontSpec{"Arial", -11});
    form.setFont(arial);
    form.setColor(RGB(99, 117, 214));
    auto& group = form.add<GroupBox>(form, "GroupBox1", Bounds{8, 8, 200, 100}, "Gruppe");
    auto& box = form.add<CheckBox>(group, "CheckBox1", Bounds{8, 20, 150, 17}, "Kästchen");

    EXPECT_EQ(group.font(), arial);
    EXPECT_EQ(box.font(), arial);
    EXPECT_EQ(group.caption(), "Gruppe");  // the frame's extra room is not part of the caption
    EXPECT_EQ(BackgroundAt(group, 50, 50), RGB(99, 117, 214));
    LOGBRUSH brush{};
    GetObjectA(box.parentBackgroundBrush(), sizeof(brush), &brush);
    EXPECT_EQ(brush.lbColor, RGB(99, 117, 214));
}
