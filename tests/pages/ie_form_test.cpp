// The Internet Explorer page: the rows with rules of their own (yes/no texts, the
// update check, emptying the temporary files, the download folder, the search
// address, window title and toolbar picture), its buttons that open dialogs and
// Explorer, and its layout.
#include "pages_fixture.h"

#include "harness/bitmap_file.h"
#include "harness/help_seam.h"
#include "harness/layout_check.h"
#include "harness/platform_dialogs_seam.h"
#include "harness/programs_seam.h"
#include "harness/temp_folder.h"
#include "pages/ie_form.h"
#include "pages/ie_rows.h"
#include "registry/helpers.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/image.h"
#include "ui/pagecontrol.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include <shlobj.h>

using pages::Form_IE;
using pages::TForm_IE;
namespace ie = pages::ie;

namespace {

// A 24-bit bitmap file of the given size, one colour, with another colour in its
// top left pixel so that each copy of it can be found on the preview.
std::string BitmapFile(int width, int height, COLORREF fill, COLORREF corner)
{
    return testing_support::BitmapFile(width, height,
                                       [=](int x, int y) { return x == 0 && y == 0 ? corner : fill; });
}

// The colour of one pixel of a picture control's bitmap.
COLORREF PixelOf(const ui::Image& image, int x, int y)
{
    const std::string bytes = image.bitmapFileBytes();
    const auto& info = *reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + sizeof(BITMAPFILEHEADER));
    const int rowBytes = (info.biWidth * 3 + 3) & ~3;
    const std::size_t at = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) +
                           static_cast<std::size_t>((info.biHeight - 1 - y) * rowBytes + x * 3);
    const auto byte = [&](std::size_t offset) { return static_cast<BYTE>(bytes[at + offset]); };
    return RGB(byte(2), byte(1), byte(0));
}

class IEPageTest : public PageTest {
protected:
    void TearDown() override
    {
        Form_IE = nullptr;
        page.reset();
        PageTest::TearDown();
    }

    TForm_IE& create()
    {
        page = std::make_unique<TForm_IE>();
        Form_IE = page.get();
        language::LocalizeComponent(*page);
        return *page;
    }

    void pressOk() { page->find<ui::Button>("Button_Apply").click(); }
    ui::CheckBox& box(const std::string& name) const { return page->find<ui::CheckBox>(name); }
    ui::Edit& edit(const std::string& name) const { return page->find<ui::Edit>(name); }

    std::unique_ptr<TForm_IE> page;
    testing_support::TempFolder folder;
};

TEST_F(IEPageTest, YesNoTextsLoadTrimmedAndSaveYesOrNo)
{
    struct Case {
        std::optional<Stored> stored;
        bool loaded;
    };
    const Case cases[] = {{Text(" no "), false}, {Text("0"), true}, {std::nullopt, true}, {Text("YES"), true}};
    for (const Case& item : cases) {
        for (const char* value : {"FavIntelliMenus", "ShowGoButton", "NotifyDownloadComplete"}) {
            if (item.stored)
                Write(HKCU, ie::kMainKey, value, *item.stored);
            else
                registry::RegValueRemove(HKCU, ie::kMainKey, value);
        }
        create();
        EXPECT_EQ(box("CheckBox_FavIntelliMenus").checked(), item.loaded);
        EXPECT_EQ(box("CheckBox_ShowGoButton").checked(), item.loaded);
        EXPECT_EQ(box("CheckBox_NotifyDownloadComplete").checked(), item.loaded);
        box("CheckBox_ShowGoButton").setChecked(!item.loaded);
        pressOk();
        EXPECT_EQ(Read(HKCU, ie::kMainKey, "FavIntelliMenus"), Text(item.loaded ? "yes" : "No"));
        EXPECT_EQ(Read(HKCU, ie::kMainKey, "ShowGoButton"), Text(item.loaded ? "No" : "yes"));
    }
}

TEST_F(IEPageTest, UpdateCheckAndEmptyingTheTemporaryFiles)
{
    // A missing NoUpdateCheck means the browser looks for updates: checked, saved as 0.
    // A Persistent of 0 empties the folder: checked; missing: unchecked, saved as 1.
    Write(HKCU, ie::kCacheSettingsKey, "Persistent", Dword(0));
    create();
    EXPECT_TRUE(box("CheckBox_NoUpdateCheck").checked());
    EXPECT_TRUE(box("CheckBox_Persistent").checked());
    pressOk();
    EXPECT_EQ(Read(HKCU, ie::kMainKey, "NoUpdateCheck"), Dword(0));
    EXPECT_EQ(Read(HKCU, ie::kCacheSettingsKey, "Persistent"), Dword(0));

    Write(HKCU, ie::kMainKey, "NoUpdateCheck", Dword(1));
    registry::RegValueRemove(HKCU, ie::kCacheSettingsKey, "Persistent");
    create();
    EXPECT_FALSE(box("CheckBox_NoUpdateCheck").checked());
    EXPECT_FALSE(box("CheckBox_Persistent").checked());
    pressOk();
    EXPECT_EQ(Read(HKCU, ie::kMainKey, "NoUpdateCheck"), Dword(1));
    EXPECT_EQ(Read(HKCU, ie::kCacheSettingsKey, "Persistent"), Dword(1));
}

TEST_F(IEPageTest, TheDownloadFolderLoadsTrimmedInCapitalsAndIsWrittenBackSo)
{
    Write(HKCU, ie::kExplorerKey, "Download Directory", Text(" c:\\dl "));
    create();
    EXPECT_TRUE(box("CheckBox_DownloadDIR").checked());
    EXPECT_EQ(edit("Edit_DownloadDIR").text(), "C:\\DL");
    pressOk();
    EXPECT_EQ(Read(HKCU, ie::kExplorerKey, "Download Directory"), Text("C:\\DL"));

    // Unchecked removes the folder; a stored text of blanks only loads unchecked.
    create();
    box("CheckBox_DownloadDIR").setChecked(false);
    pressOk();
    EXPECT_EQ(Read(HKCU, ie::kExplorerKey, "Download Directory"), std::nullopt);
    Write(HKCU, ie::kExplorerKey, "Download Directory", Text("   "));
    create();
    EXPECT_FALSE(box("CheckBox_DownloadDIR").checked());
    EXPECT_EQ(edit("Edit_DownloadDIR").text(), "");
}

TEST_F(IEPageTest, TheSearchAddressIsKeptWhenTheBoxIsEmpty)
{
    Write(HKCU, ie::kMainKey, "Search Page", Text("http://example.test/?q=%s"));
    create();
    auto& combo = page->find<ui::ComboBox>("ComboBox_SearchPage");
    EXPECT_EQ(combo.text(), "http://example.test/?q=%s");
    EXPECT_EQ(combo.items(), (std::vector<std::string>{ie::kSearchPages[0], ie::kSearchPages[1]}));
    combo.setText("");
    pressOk();
    EXPECT_EQ(Read(HKCU, ie::kMainKey, "Search Page"), Text("http://example.test/?q=%s"));

    create();
    page->find<ui::ComboBox>("ComboBox_SearchPage").setItemIndex(1);
    pressOk();
    EXPECT_EQ(Read(HKCU, ie::kMainKey, "Search Page"), Text(ie::kSearchPages[1]));
}

TEST_F(IEPageTest, WindowTitleAndToolbarPictureAreWrittenOrRemovedByTheirBoxes)
{
    Write(HKCU, ie::kMainKey, "Window Title", Text("Mein Browser"));
    Write(HKCU, ie::kToolbarKey, "BackBitmapIE5", Text(folder.path() + "fehlt.bmp"));
    create();
    EXPECT_TRUE(box("CheckBox_WindowTitle").checked());
    EXPECT_EQ(edit("Edit_WindowTitle").text(), "Mein Browser");
    // A picture that is gone still checks the box and fills the edit; the preview hides.
    EXPECT_TRUE(box("CheckBox_BackBitmap").checked());
    EXPECT_EQ(edit("Edit_backbitmap").text(), folder.path() + "fehlt.bmp");
    EXPECT_FALSE(page->Image_IE5().visible());
    EXPECT_TRUE(page->find<ui::Label>("Label20").visible());

    edit("Edit_WindowTitle").setText("Anderer Titel");
    box("CheckBox_BackBitmap").setChecked(false);
    pressOk();
    EXPECT_EQ(Read(HKCU, ie::kMainKey, "Window Title"), Text("Anderer Titel"));
    EXPECT_EQ(Read(HKCU, ie::kToolbarKey, "BackBitmapIE5"), std::nullopt);

    create();
    EXPECT_FALSE(box("CheckBox_BackBitmap").checked());
    box("CheckBox_WindowTitle").setChecked(false);
    pressOk();
    EXPECT_EQ(Read(HKCU, ie::kMainKey, "Window Title"), std::nullopt);
}

TEST_F(IEPageTest, ASmallPictureIsTiledOverThePreview)
{
    const COLORREF fill = RGB(0, 0, 200);
    const COLORREF corner = RGB(250, 10, 10);
    const std::string picture = folder.file("tile.bmp", BitmapFile(10, 10, fill, corner));
    Write(HKCU, ie::kToolbarKey, "BackBitmapIE5", Text(picture));
    create();
    ui::Image& preview = page->Image_IE5();
    ASSERT_TRUE(preview.visible());
    EXPECT_FALSE(page->find<ui::Label>("Label20").visible());
    EXPECT_EQ(preview.pictureSize().cx, 593);
    EXPECT_EQ(preview.pictureSize().cy, 81);
    // 60 columns of copies (the last cut at 593) and 9 rows (the last cut at 81).
    EXPECT_EQ(page->Image_IE5().tileWith(page->Image_IE5_Dummy()), 60 * 9);
    for (const POINT at : {POINT{0, 0}, POINT{590, 0}, POINT{0, 80}, POINT{590, 80}, POINT{300, 40}})
        EXPECT_EQ(PixelOf(preview, at.x, at.y), corner) << at.x << "," << at.y;
    EXPECT_EQ(PixelOf(preview, 592, 80), fill);
    EXPECT_EQ(PixelOf(preview, 1, 1), fill);
}

TEST_F(IEPageTest, AFileThatIsNoPictureShowsNothingAndTheOtherRowsStillLoad)
{
    Write(HKCU, ie::kToolbarKey, "BackBitmapIE5", Text(folder.file("kaputt.jpg", "no picture at all")));
    Write(HKCU, ie::kMainKey, "Window Title", Text("Titel"));
    create();
    EXPECT_TRUE(box("CheckBox_BackBitmap").checked());
    EXPECT_FALSE(page->Image_IE5().visible());
    EXPECT_TRUE(box("CheckBox_WindowTitle").checked());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(IEPageTest, TheDotButtonsFillTheirEditsAndLeaveTheBoxes)
{
    testing_support::ScriptedPlatformDialogs dialogs;
    const std::string picture = folder.file("tile.bmp", BitmapFile(4, 4, RGB(1, 2, 3), RGB(1, 2, 3)));
    dialogs.answerFile(picture);
    dialogs.answerFolder("D:\\Downloads");
    create();
    page->find<ui::Button>("Button_BildLADEN").click();
    page->find<ui::Button>("Button_DownloadDIR").click();

    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, language::LangString(8930));
    EXPECT_EQ(dialogs.openRequests[0].filter, pages::PictureFilter());
    ASSERT_EQ(dialogs.folderRequests.size(), 1u);
    EXPECT_EQ(dialogs.folderRequests[0].title, language::LangString(8931));
    EXPECT_EQ(edit("Edit_backbitmap").text(), picture);
    EXPECT_TRUE(page->Image_IE5().visible());
    EXPECT_EQ(edit("Edit_DownloadDIR").text(), "D:\\Downloads");
    EXPECT_FALSE(box("CheckBox_BackBitmap").checked());
    EXPECT_FALSE(box("CheckBox_DownloadDIR").checked());

    // Cancelled dialogs change nothing.
    page->find<ui::Button>("Button_BildLADEN").click();
    page->find<ui::Button>("Button_DownloadDIR").click();
    EXPECT_EQ(edit("Edit_backbitmap").text(), picture);
    EXPECT_EQ(edit("Edit_DownloadDIR").text(), "D:\\Downloads");
}

TEST_F(IEPageTest, CacheAndCookiesAreShownInExplorer)
{
    testing_support::RecordedPrograms programs;
    create();
    page->find<ui::Button>("Button_CookiesSEHEN").click();
    page->find<ui::Button>("Button_CacheSEHEN").click();
    ASSERT_EQ(programs.executed.size(), 2u);
    EXPECT_EQ(programs.executed[0].commandLine,
              "explorer.exe " + helpers::SpecialFolderPath(page->handle(), CSIDL_COOKIES));
    EXPECT_EQ(programs.executed[1].commandLine,
              "explorer.exe " + helpers::SpecialFolderPath(page->handle(), CSIDL_INTERNET_CACHE));
    EXPECT_EQ(programs.executed[0].showCommand, SW_SHOWNORMAL);
}

TEST_F(IEPageTest, TheFrameHelpAndLayout)
{
    testing_support::RecordedHelp help;
    create();
    EXPECT_EQ(page->caption(), language::LangString(8000));
    EXPECT_EQ(page->PageControl1().activePageIndex(), 0);
    page->find<ui::Button>("Button_hilfe").click();
    EXPECT_EQ(help.locations(), (std::vector<std::string>{ui::HelpLocation(ui::HelpFilePath, "ie6")}));
    testing_support::ExpectNothingClippedOrCovered(page->handle(), {"Image_IE5", "Image_IE5_Dummy", "Label20"});
}

}  // namespace
