// The Explorer and desktop page: what "Ok" writes for every row, the rows of their own
// (menu shadows, hidden drives, wallpaper position, BMP thumbnails, context-menu
// entries, toolbar picture, font smoothing) and its sheets. The shell icons have
// their own test file.
#include "page_fixture.h"

#include "harness/help_seam.h"
#include "harness/layout_check.h"
#include "harness/platform_dialogs_seam.h"
#include "harness/temp_folder.h"
#include "pages/explorer_form.h"
#include "pages/explorer_rows.h"
#include "ui/combobox.h"
#include "ui/drive_pictures.h"
#include "ui/image.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"
#include "ui/spinedit.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using pages::Form_Explorer;
using pages::TForm_Explorer;
using namespace pages::explorer;

namespace {

const std::string kPolicies = kExplorerPoliciesKey;
const std::string kSystem = kSystemPoliciesKey;
const std::string kDesktop = kDesktopKey;

struct Expected {
    HKEY root;
    std::string key;
    std::string name;
    std::optional<Stored> value;
};

void ExpectStored(const std::vector<Expected>& values)
{
    for (const Expected& value : values)
        EXPECT_EQ(Read(value.root, value.key, value.name), value.value) << value.key << " : " << value.name;
}

Stored Binary(std::vector<BYTE> bytes)
{
    return {REG_BINARY, std::move(bytes)};
}

class ExplorerPageTest : public PageFixture<TForm_Explorer, Form_Explorer> {
protected:
    ui::ListView& drives() const { return control<ui::ListView>("ListView_NoDrives"); }
    ui::SpinEdit& spin(const std::string& name) const { return control<ui::SpinEdit>(name); }
};

TEST_F(ExplorerPageTest, TheFrameHasItsCaptionSheetsAndHelpTopic)
{
    testing_support::RecordedHelp help;
    create();
    EXPECT_EQ(page->caption(), "Einstellungen zu Explorer und Desktop");
    const char* sheets[] = {"TabSheet1", "TabSheet3", "TabSheet6", "TabSheet2", "TabSheet5", "TabSheet4"};
    ASSERT_EQ(page->PageControl1().pageCount(), 6);
    for (int index = 0; index < 6; ++index)
        EXPECT_EQ(page->PageControl1().page(index).name(), sheets[index]);
    EXPECT_EQ(page->PageControl1().activePageIndex(), 0);
    EXPECT_EQ(control<ui::ComboBox>("ComboBox_FontSmoothingType").items(),
              (std::vector<std::string>{"Standard (empfohlen)", "ClearType"}));
    EXPECT_EQ(control<ui::ComboBox>("ComboBox_FontSmoothingType").itemIndex(), 0);
    EXPECT_EQ(spin("SpinEdit_WallPaperOriginX").minValue(), 1);
    EXPECT_EQ(spin("SpinEdit_WallPaperOriginY").maxValue(), 4096);
    // The doubled ampersand shows as one.
    EXPECT_EQ(box("CheckBox_DragFullWindows").caption(),
              "Fensterinhalt während Verschieben && Größe ändern anzeigen (sonst nur Fensterrahmen)");
    click("Button_hilfe");
    EXPECT_EQ(help.locations(), (std::vector<std::string>{ui::HelpLocation(ui::HelpFilePath, "explorerdesktop")}));
}

TEST_F(ExplorerPageTest, OkWithoutChangesWritesEveryRowAsLoaded)
{
    create();
    pressOk();
    EXPECT_TRUE(boxes.shown().empty());
    ExpectStored({
        {HKCU, kDesktop, "UserPreferencesMask", std::nullopt},  // no mask: left alone
        {HKCU, kToolbarKey, "BackBitmapShell", std::nullopt},
        {HKCU, kPolicies, "NoCDBurning", Dword(0)},
        {HKLM, kBitBucketKey, "NukeOnDelete", Dword(0)},
        {HKCR, "Lnkfile", "IsShortCut", std::nullopt},
        {HKCU, kExplorerKey, "Link", std::nullopt},
        {HKCR, "Piffile", "IsShortCut", std::nullopt},
        {HKCU, kDesktop, "PaintDesktopVersion", Dword(0)},
        {HKCU, kPolicies, "NoInstrumentation", std::nullopt},
        {HKLM, kUnknownShellKey, "", Text("openas")},
        {HKCU, kPolicies, "NoActiveDesktop", Dword(0)},
        {HKCU, kSystem, "NoDispCPL", Dword(0)},
        {HKCU, kSystem, "NoDispAppearancePage", Dword(0)},
        {HKCU, kSystem, "NoDispBackgroundPage", Dword(0)},
        {HKCU, kSystem, "NoDispSettingsPage", Dword(0)},
        {HKCU, kSystem, "NoDispScrSavPage", Dword(0)},
        {HKCU, kPolicies, "NoViewContextMenu", Dword(0)},
        {HKCU, kPolicies, "NoWinKeys", Dword(0)},
        {HKCU, kPolicies, "NoShellSearchButton", Dword(0)},
        {HKCU, kPolicies, "NoFileAssociate", Dword(0)},
        {HKCU, kPolicies, "NoFileMenu", Dword(0)},
        {HKCU, kPolicies, "NoFolderOptions", Dword(0)},
        {HKCU, kPolicies, "NoDrives", std::nullopt},
        {HKCU, kDesktop, "Wallpaperoriginx", Text("0")},
        {HKCU, kDesktop, "Wallpaperoriginy", Text("0")},
        {HKCU, kDesktop, "FontSmoothing", Text("0")},
        {HKCU, kDesktop, "DragFullWindows", Text("0")},
        {HKCU, kDesktop, "FontSmoothingType", Dword(0)},
    });
    EXPECT_FALSE(RawKeyExists(HKEY_CLASSES_ROOT, kCommandPromptKey));
    EXPECT_FALSE(RawKeyExists(HKEY_CLASSES_ROOT, ".bmp"));  // no file type: thumbnails untouched
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, pages::shell_icons::kShellIconsKey));  // icons wait for their buttons
}

TEST_F(ExplorerPageTest, StoredValuesLoadIntoTheControlsAndComeBackUnchanged)
{
    const std::vector<Expected> stored = {
        {HKCU, kPolicies, "NoCDBurning", Dword(1)},
        {HKLM, kBitBucketKey, "NukeOnDelete", Dword(1)},
        {HKCR, "Lnkfile", "IsShortCut", Text("")},
        {HKCU, kExplorerKey, "Link", Binary({0, 0, 0, 0})},
        {HKCR, "Piffile", "IsShortCut", Text("")},
        {HKCU, kDesktop, "PaintDesktopVersion", Dword(1)},
        {HKCU, kPolicies, "NoInstrumentation", Dword(1)},
        {HKLM, kUnknownShellKey, "", Text("Notepad")},
        {HKCU, kPolicies, "NoActiveDesktop", Dword(1)},
        {HKCU, kSystem, "NoDispCPL", Dword(1)},
        {HKCU, kSystem, "NoDispAppearancePage", Dword(1)},
        {HKCU, kSystem, "NoDispBackgroundPage", Dword(1)},
        {HKCU, kSystem, "NoDispSettingsPage", Dword(1)},
        {HKCU, kSystem, "NoDispScrSavPage", Dword(1)},
        {HKCU, kPolicies, "NoViewContextMenu", Dword(1)},
        {HKCU, kPolicies, "NoWinKeys", Dword(1)},
        {HKCU, kPolicies, "NoShellSearchButton", Dword(1)},
        {HKCU, kPolicies, "NoFileAssociate", Dword(1)},
        {HKCU, kPolicies, "NoFileMenu", Dword(1)},
        {HKCU, kPolicies, "NoFolderOptions", Dword(1)},
        {HKCU, kDesktop, "Wallpaperoriginx", Text("100")},
        {HKCU, kDesktop, "Wallpaperoriginy", Text("50")},
        {HKCU, kDesktop, "FontSmoothing", Text("2")},
        {HKCU, kDesktop, "DragFullWindows", Text("1")},
        {HKCU, kDesktop, "FontSmoothingType", Dword(2)},
    };
    for (const Expected& value : stored)
        Write(value.root, value.key, value.name, *value.value);
    create();
    for (const char* name :
         {"CheckBox_NoCDBurning", "CheckBox_NukeOnDelete", "CheckBox_LNKs", "CheckBox_LNKsmit", "CheckBox_PIFs",
          "CheckBox_PaintDesktopVersion", "CheckBox_NoInstrumentation", "CheckBox_Notepad", "CheckBox_NoActiveDesktop",
          "CheckBox_NoDispCPL", "CheckBox_NoDispAppearancePage", "CheckBox_NoDispBackgroundPage",
          "CheckBox_NoDispSettingsPage", "CheckBox_NoDispScrSavPage", "CheckBox_NoViewContextMenu", "CheckBox_NoWinKeys",
          "CheckBox_NoShellSearchButton_XP", "CheckBox_NoFileAssociate_XP", "CheckBox_NoFileMenu",
          "CheckBox_NoFolderOptions", "CheckBox_WallPaperXY", "CheckBox_FontSmoothing", "CheckBox_DragFullWindows"})
        EXPECT_TRUE(box(name).checked()) << name;
    EXPECT_EQ(spin("SpinEdit_WallPaperOriginX").value(), 100);
    EXPECT_EQ(spin("SpinEdit_WallPaperOriginY").value(), 50);
    EXPECT_EQ(control<ui::ComboBox>("ComboBox_FontSmoothingType").itemIndex(), 1);
    pressOk();
    ExpectStored(stored);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kUnknownShellKey + "\\Notepad\\Command", ""), Text("notepad.exe %1"));
}

TEST_F(ExplorerPageTest, UncheckedBoxesRemoveWhatTheirCheckedStateCreated)
{
    Write(HKCR, "Lnkfile", "IsShortCut", Text(""));
    Write(HKCU, kExplorerKey, "Link", Binary({0, 0, 0, 0}));
    Write(HKCU, kPolicies, "NoInstrumentation", Dword(1));
    Write(HKLM, kUnknownShellKey, "", Text("notepad"));  // any letter case
    Write(HKLM, kUnknownShellKey + "\\Notepad\\Command", "", Text("notepad.exe %1"));
    create();
    EXPECT_TRUE(box("CheckBox_Notepad").checked());
    for (const char* name : {"CheckBox_LNKs", "CheckBox_LNKsmit", "CheckBox_NoInstrumentation", "CheckBox_Notepad"})
        box(name).setChecked(false);
    page->SaveSettings();
    ExpectStored({
        {HKCR, "Lnkfile", "IsShortCut", std::nullopt},
        {HKCU, kExplorerKey, "Link", std::nullopt},
        {HKCU, kPolicies, "NoInstrumentation", std::nullopt},
        {HKLM, kUnknownShellKey, "", Text("openas")},
    });
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kUnknownShellKey + "\\Notepad"));
}

// A new "Link" value is a 4-byte binary 0; an existing one keeps its kind.
TEST_F(ExplorerPageTest, ShortcutNamesKeepTheKindOfAnExistingValue)
{
    create();
    box("CheckBox_LNKsmit").setChecked(true);
    page->SaveSettings();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kExplorerKey, "Link"), Binary({0, 0, 0, 0}));
    Write(HKCU, kExplorerKey, "Link", Dword(30));
    page->SaveSettings();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kExplorerKey, "Link"), Dword(0));
}

TEST_F(ExplorerPageTest, TheCommandPromptEntryWritesAndRemovesItsTwoKeys)
{
    Write(HKCR, kCommandPromptKey + "\\Command\\Extra", "", Text("x"));  // removed with the entry
    create();
    EXPECT_FALSE(box("CheckBox_CommandPrompt").checked());
    box("CheckBox_CommandPrompt").setChecked(true);
    page->SaveSettings();
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, kCommandPromptKey, ""), Text(language::LangString(kCommandPromptMenuText)));
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, kCommandPromptKey + "\\Command", ""), Text("cmd.exe /k cd \"%1\""));

    create();
    EXPECT_TRUE(box("CheckBox_CommandPrompt").checked());
    box("CheckBox_CommandPrompt").setChecked(false);
    page->SaveSettings();
    EXPECT_FALSE(RawKeyExists(HKEY_CLASSES_ROOT, kCommandPromptKey));
    EXPECT_TRUE(RawKeyExists(HKEY_CLASSES_ROOT, "Directory\\shell"));
}

// --- Menu shadows ------------------------------------------------------------------

TEST_F(ExplorerPageTest, MenuShadowsChangeByteTwoOfAFourByteMaskOnly)
{
    struct Case {
        const char* what;
        Stored stored;
        bool loadsChecked;
        Stored afterChecked;
        Stored afterUnchecked;
    };
    const Case cases[] = {
        {"4 bytes, shadows off", Binary({0x9E, 0x3E, 3, 0x80}), false, Binary({0x9E, 0x3E, 7, 0x80}),
         Binary({0x9E, 0x3E, 3, 0x80})},
        {"4 bytes, shadows on", Binary({0x9E, 0x3E, 7, 0x80}), true, Binary({0x9E, 0x3E, 7, 0x80}),
         Binary({0x9E, 0x3E, 3, 0x80})},
        {"4 bytes, another pattern", Binary({1, 2, 5, 4}), true, Binary({1, 2, 7, 4}), Binary({1, 2, 3, 4})},
        {"8 bytes", Binary({0x9E, 0x3E, 3, 0x80, 0x12, 0, 0, 0}), true, Binary({0x9E, 0x3E, 3, 0x80, 0x12, 0, 0, 0}),
         Binary({0x9E, 0x3E, 3, 0x80, 0x12, 0, 0, 0})},
        {"a DWORD", Dword(0x00033E9E), true, Dword(0x00033E9E), Dword(0x00033E9E)},
        {"a text", Text("abcd"), true, Text("abcd"), Text("abcd")},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.what);
        Write(HKCU, kDesktop, "UserPreferencesMask", item.stored);
        create();
        EXPECT_EQ(box("CheckBox_MenuSchatten").checked(), item.loadsChecked);
        box("CheckBox_MenuSchatten").setChecked(true);
        page->SaveSettings();
        EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "UserPreferencesMask"), item.afterChecked);
        box("CheckBox_MenuSchatten").setChecked(false);
        page->SaveSettings();
        EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "UserPreferencesMask"), item.afterUnchecked);
    }
}

// --- Hidden drives -----------------------------------------------------------------

TEST_F(ExplorerPageTest, HiddenDrivesAreTheTickedLettersOfTheMask)
{
    Write(HKCU, kPolicies, "NoDrives", Dword(4));
    create();
    ASSERT_EQ(drives().itemCount(), 26);
    for (int letter = 0; letter < 26; ++letter)
        EXPECT_EQ(drives().checked(letter), letter == 2) << static_cast<char>('A' + letter);
    EXPECT_EQ(drives().caption(0), "Laufwerk A:\\");
    EXPECT_EQ(drives().caption(25), "Laufwerk Z:\\");
    EXPECT_EQ(drives().image(2), static_cast<int>(ui::DriveKindOf("C:\\")));
    EXPECT_EQ(drives().image(16), static_cast<int>(ui::DriveKind::Unknown));  // Q: is no drive here

    drives().setChecked(2, false);
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kPolicies, "NoDrives"), std::nullopt);

    create();
    drives().setChecked(0, true);
    drives().setChecked(25, true);
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kPolicies, "NoDrives"), Dword(33554433));
}

TEST_F(ExplorerPageTest, TheDriveListShowsThePagesDrivePictures)
{
    create();
    EXPECT_EQ(ListView_GetImageList(drives().handle(), LVSIL_NORMAL), page->ImageList_AutorunDrives());
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(page->ImageList_AutorunDrives(), &width, &height));
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    EXPECT_GE(ImageList_GetImageCount(page->ImageList_AutorunDrives()), 6);
    EXPECT_TRUE(GetWindowLongA(drives().handle(), GWL_STYLE) & LVS_SHAREIMAGELISTS);
}

TEST_F(ExplorerPageTest, AMaskThatIsNoNumberIsReportedAndKeptUntilADriveIsTicked)
{
    Write(HKCU, kPolicies, "NoDrives", Text("C und D"));
    create();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "'C und D' ist kein gültiger Integerwert");
    EXPECT_EQ(drives().itemCount(), 26);  // the letters can still be ticked
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kPolicies, "NoDrives"), Text("C und D"));
    create();
    drives().setChecked(3, true);
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kPolicies, "NoDrives"), Dword(8));
}

// --- Wallpaper position ----------------------------------------------------------------

TEST_F(ExplorerPageTest, TheWallpaperIsPlacedOnlyWhenBothCoordinatesAreSet)
{
    struct Case {
        std::optional<std::string> x;
        std::optional<std::string> y;
        bool checked;
    };
    const Case cases[] = {
        {"0", "50", false}, {"100", "0", false}, {std::nullopt, "50", false}, {"", "50", false}, {"100", "50", true},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.x.value_or("(missing)") + " / " + item.y.value_or("(missing)"));
        RegDeleteKeyA(HKEY_CURRENT_USER, kDesktop.c_str());
        if (item.x)
            Write(HKCU, kDesktop, "Wallpaperoriginx", Text(*item.x));
        if (item.y)
            Write(HKCU, kDesktop, "Wallpaperoriginy", Text(*item.y));
        create();
        EXPECT_EQ(box("CheckBox_WallPaperXY").checked(), item.checked);
        EXPECT_EQ(spin("SpinEdit_WallPaperOriginX").value(), item.checked ? 100 : 1);
        pressOk();
        EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "Wallpaperoriginx"), Text(item.checked ? "100" : "0"));
        EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "Wallpaperoriginy"), Text(item.checked ? "50" : "0"));
    }
}

TEST_F(ExplorerPageTest, AWallpaperPositionSetByNameIsHeldWithinTheScreen)
{
    create();
    box("CheckBox_WallPaperXY").setChecked(true);
    spin("SpinEdit_WallPaperOriginX").setValue(5000);
    spin("SpinEdit_WallPaperOriginY").setValue(0);
    page->SaveSettings();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "Wallpaperoriginx"), Text("4096"));
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "Wallpaperoriginy"), Text("1"));
}

// --- BMP thumbnails --------------------------------------------------------------

class ThumbnailTest : public ExplorerPageTest {
protected:
    void SetUp() override
    {
        ExplorerPageTest::SetUp();
        Write(HKCR, ".bmp", "", Text("Paint.Picture"));
    }
    static std::optional<Stored> Icon(const char* name) { return Read(HKEY_CLASSES_ROOT, kIconKey, name); }
    static inline const std::string kIconKey = "Paint.Picture\\DefaultIcon";
};

TEST_F(ThumbnailTest, CheckingOnTwoOpeningsKeepsTheFirstOldIcon)
{
    Write(HKCR, kIconKey, "", ExpandText("%SystemRoot%\\System32\\shimgvw.dll,1"));
    create();
    EXPECT_FALSE(box("CheckBox_PaintPicture").checked());
    box("CheckBox_PaintPicture").setChecked(true);
    pressOk();
    EXPECT_EQ(Icon(""), Text("%1"));
    EXPECT_EQ(Icon("Old"), ExpandText("%SystemRoot%\\System32\\shimgvw.dll,1"));

    create();
    EXPECT_TRUE(box("CheckBox_PaintPicture").checked());
    pressOk();
    EXPECT_EQ(Icon("Old"), ExpandText("%SystemRoot%\\System32\\shimgvw.dll,1"));

    create();
    box("CheckBox_PaintPicture").setChecked(false);
    pressOk();
    EXPECT_EQ(Icon(""), ExpandText("%SystemRoot%\\System32\\shimgvw.dll,1"));
    EXPECT_EQ(Icon("Old"), std::nullopt);
}

TEST_F(ThumbnailTest, UncheckingWithoutAnOldIconChangesNothing)
{
    Write(HKCR, kIconKey, "", Text("%1"));
    create();
    box("CheckBox_PaintPicture").setChecked(false);
    pressOk();
    EXPECT_EQ(Icon(""), Text("%1"));
}

TEST_F(ThumbnailTest, WithoutAFileTypeNothingIsWritten)
{
    Write(HKCR, ".bmp", "", Text(""));
    create();
    box("CheckBox_PaintPicture").setChecked(true);
    pressOk();
    EXPECT_FALSE(RawKeyExists(HKEY_CLASSES_ROOT, "DefaultIcon"));
    EXPECT_FALSE(RawKeyExists(HKEY_CLASSES_ROOT, kIconKey));
}

// --- Font smoothing ---------------------------------------------------------------

TEST_F(ExplorerPageTest, WithoutFontSmoothingTheTypeIsZeroWhateverTheListShows)
{
    create();
    auto& type = control<ui::ComboBox>("ComboBox_FontSmoothingType");
    type.setItemIndex(1);
    box("CheckBox_FontSmoothing").setChecked(false);
    page->SaveSettings();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "FontSmoothing"), Text("0"));
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "FontSmoothingType"), Dword(0));
    box("CheckBox_FontSmoothing").setChecked(true);
    page->SaveSettings();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "FontSmoothing"), Text("2"));
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "FontSmoothingType"), Dword(2));
    type.setItemIndex(0);
    page->SaveSettings();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "FontSmoothingType"), Dword(1));
}

// --- Toolbar picture ----------------------------------------------------------------

class ToolbarPictureTest : public ExplorerPageTest {
protected:
    testing_support::TempFolder folder;
    testing_support::ScriptedPlatformDialogs dialogs;
    ui::Image& preview() const { return control<ui::Image>("Image_Explorer"); }
};

TEST_F(ToolbarPictureTest, AStoredPictureIsShownTiledAndStoredAgain)
{
    const std::string picture = folder.file("muster.bmp", BitmapFile(40, 30, 200, 0, 0));
    Write(HKCU, kToolbarKey, "BackBitmapShell", Text(picture));
    create();
    EXPECT_TRUE(box("CheckBox_BackBitmapShell").checked());
    EXPECT_EQ(control<ui::Edit>("Edit_backbitmapShell").text(), picture);
    EXPECT_TRUE(preview().visible());
    EXPECT_EQ(preview().pictureSize().cx, 593);
    EXPECT_EQ(preview().pictureSize().cy, 81);
    EXPECT_FALSE(control<ui::Image>("Image_Explorer_Dummy").visible());
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kToolbarKey, "BackBitmapShell"), Text(picture));
}

TEST_F(ToolbarPictureTest, AMissingPictureKeepsItsPathWithoutPreview)
{
    const std::string gone = folder.path() + "weg.bmp";
    Write(HKCU, kToolbarKey, "BackBitmapShell", Text(gone));
    create();
    EXPECT_TRUE(box("CheckBox_BackBitmapShell").checked());
    EXPECT_EQ(control<ui::Edit>("Edit_backbitmapShell").text(), gone);
    EXPECT_FALSE(preview().visible());
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kToolbarKey, "BackBitmapShell"), Text(gone));
}

TEST_F(ToolbarPictureTest, APickedPictureIsStoredOnlyWhileItsBoxIsChecked)
{
    const std::string picture = folder.file("neu.bmp", BitmapFile(16, 16, 0, 0, 200));
    Write(HKCU, kToolbarKey, "BackBitmapShell", Text("C:\\alt.bmp"));
    create();
    dialogs.answerFile(picture);
    click("Button_BildLADEN");
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, language::LangString(kPictureDialogTitle));
    EXPECT_EQ(dialogs.openRequests[0].filter, pages::PictureFilter());
    EXPECT_EQ(dialogs.openRequests[0].fileName, "");
    EXPECT_TRUE(dialogs.openRequests[0].fileMustExist);
    EXPECT_EQ(control<ui::Edit>("Edit_backbitmapShell").text(), picture);
    EXPECT_TRUE(preview().visible());
    box("CheckBox_BackBitmapShell").setChecked(false);
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kToolbarKey, "BackBitmapShell"), std::nullopt);

    create();
    box("CheckBox_BackBitmapShell").setChecked(true);  // checked with an empty edit
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kToolbarKey, "BackBitmapShell"), Text(""));
}

TEST_F(ToolbarPictureTest, ACancelledPictureDialogChangesNothing)
{
    create();
    click("Button_BildLADEN");
    EXPECT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(control<ui::Edit>("Edit_backbitmapShell").text(), "");
}

// --- Layout ------------------------------------------------------------------------

TEST_F(ExplorerPageTest, NothingOnAnySheetIsClippedOrCovered)
{
    Write(HKCU, kPolicies, "NoDrives", Dword(4));
    create();
    testing_support::ExpectNothingClippedOrCovered(page->handle(), {"Image_Explorer", "Image_Explorer_Dummy"});
    // The icon tab keeps its given places.
    struct Place {
        const char* name;
        ui::Bounds bounds;
    };
    const Place places[] = {
        {"GroupBox15", {8, 88, 196, 321}},         {"GroupBox14", {216, 88, 196, 321}},
        {"GroupBox9", {424, 88, 196, 321}},        {"Image_Shell_35", {12, 24, 32, 32}},
        {"Image_Shell_12", {12, 264, 32, 32}},     {"Button_SymboleRESET", {352, 424, 128, 25}},
        {"Button_SymboleAPPLY", {492, 424, 128, 25}},
    };
    for (const Place& place : places) {
        const ui::Bounds at = control<ui::Control>(place.name).bounds();
        EXPECT_EQ(std::vector<int>({at.left, at.top, at.width, at.height}),
                  std::vector<int>({place.bounds.left, place.bounds.top, place.bounds.width, place.bounds.height}))
            << place.name;
    }
    EXPECT_FALSE(control<ui::Button>("Button_DOSymboleNOW").visible());
    EXPECT_EQ(control<ui::Image>("Image_Explorer").width(), 593);
    EXPECT_EQ(control<ui::Image>("Image_Explorer").height(), 81);
}

}  // namespace
