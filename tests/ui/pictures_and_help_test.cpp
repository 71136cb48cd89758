// Pictures and the backgrounds they make, inherited fonts, and help locations.
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

namespace {

// A 24-bit bitmap file of one colour.
std::string BitmapFile(int width, int height, COLORREF color)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes * height);
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    std::string row(static_cast<std::size_t>(rowBytes), '\0');
    for (int x = 0; x < width; ++x) {
        row[static_cast<std::size_t>(x * 3)] = static_cast<char>(GetBValue(color));
        row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>(GetGValue(color));
        row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>(GetRValue(color));
    }
    for (int y = 0; y < height; ++y)
        bytes += row;
    return bytes;
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
