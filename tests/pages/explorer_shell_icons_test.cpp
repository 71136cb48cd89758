// The Explorer page's shell icons: how the slots and the shortcut arrow read their
// registry texts, what "Anwenden", "Zurücksetzen" and "Symbol ändern" write at once,
// and that "Ok" and "Abbrechen" leave them alone.
#include "page_fixture.h"

#include "harness/platform_dialogs_seam.h"
#include "pages/explorer_form.h"
#include "pages/shell_icons.h"
#include "ui/errors.h"
#include "ui/image.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using pages::Form_Explorer;
using pages::TForm_Explorer;
using namespace pages::shell_icons;
using ui::MsgButton;

namespace {

std::optional<Stored> ShellIcon(const std::string& name)
{
    return Read(HKEY_LOCAL_MACHINE, kShellIconsKey, name);
}

class ShellIconTest : public PageFixture<TForm_Explorer, Form_Explorer> {
protected:
    const IconSlot& slot(int number) const { return page->shellIcons().slot(number); }
    ui::Image& image(const std::string& name) const { return control<ui::Image>(name); }
    // The user clicks a picture of the tab "Symbole".
    void clickImage(const std::string& name) const { page->Image_Shell_15Click(image(name)); }
    // "Anwenden" with its warning answered OK.
    void apply()
    {
        boxes.answer(MsgButton::OK);
        click("Button_SymboleAPPLY");
    }

    testing_support::ScriptedPlatformDialogs dialogs;
    const std::string shell32 = DefaultIconFile();
};

// --- Reading the texts -----------------------------------------------------------------

TEST(ShellIconTexts, SlotTextsSplitAtTheFirstCommaAndArrowTextsAtTheLast)
{
    const IconLocation fallback{"C:\\WINDOWS\\system32\\shell32.dll", 3};
    struct SlotCase {
        const char* text;
        IconLocation icon;
    };
    const SlotCase slots[] = {
        {"C:\\ICONS\\MY.ICO ,5", {"C:\\ICONS\\MY.ICO", 5}},
        {"  C:\\ICONS\\MY.ICO  ,12", {"C:\\ICONS\\MY.ICO", 12}},
        {"C:\\ICONS\\MY.ICO", {"C:\\ICONS\\MY.ICO", 0}},
        {"", fallback},
    };
    for (const SlotCase& item : slots)
        EXPECT_EQ(ParseSlotText(item.text, fallback), item.icon) << item.text;
    EXPECT_THROW(ParseSlotText("C:\\A.ICO ,fünf", fallback), ui::EConvertError);

    struct ArrowCase {
        const char* text;
        IconLocation icon;
    };
    const ArrowCase arrows[] = {
        {"C:\\A,B\\X.DLL,2", {"C:\\A,B\\X.DLL", 2}},
        {",7", {DefaultIconFile(), 7}},
        {"C:\\X.DLL,", {"C:\\X.DLL", 29}},
        {"C:\\X.ICO", {"C:\\X.ICO", 0}},
        {"", {DefaultIconFile(), 29}},
    };
    for (const ArrowCase& item : arrows)
        EXPECT_EQ(ParseArrowText(item.text), item.icon) << item.text;

    EXPECT_EQ(SlotText({"c:\\windows\\system32\\shell32.dll", 3}), "C:\\WINDOWS\\SYSTEM32\\SHELL32.DLL ,3");
    EXPECT_EQ(ArrowText({"c:\\Pfeile\\x.dll", 2}), "c:\\Pfeile\\x.dll,2");
}

TEST_F(ShellIconTest, EveryPicturedSlotIsReadAndShowsItsIcon)
{
    Write(HKLM, kShellIconsKey, "3", Text("C:\\ICONS\\MY.ICO ,5"));
    Write(HKLM, kShellIconsKey, "4", Text(shell32 + ",7"));
    create();
    EXPECT_EQ(slot(3).file, "C:\\ICONS\\MY.ICO");
    EXPECT_EQ(slot(3).index, 5);
    EXPECT_EQ(slot(4).index, 7);
    EXPECT_EQ(slot(8).file, shell32);  // missing: shell32's own icon of the slot
    EXPECT_EQ(slot(8).index, 8);
    EXPECT_EQ(slot(35).kind, SlotKind::ControlPanel);
    EXPECT_EQ(slot(35).index, kControlPanelIndex);
    EXPECT_EQ(slot(1).index, -1);  // not pictured: unused
    EXPECT_EQ(slot(1).image, nullptr);
    for (const SlotPicture& picture : kSlotPictures) {
        EXPECT_EQ(slot(picture.slot).image, &image(picture.image)) << picture.image;
        if (picture.slot != 3) {
            EXPECT_TRUE(image(picture.image).hasIcon()) << picture.image;  // shell32 holds them all
        }
    }
    EXPECT_FALSE(image("Image_Shell_3").hasIcon());  // the file is not there
}

TEST_F(ShellIconTest, AnUnchangedSlotIsAppliedBackAsItWasStored)
{
    Write(HKLM, kShellIconsKey, "3", Text("C:\\ICONS\\MY.ICO ,5"));
    Write(HKLM, kShellIconsKey, "8", Text("c:\\icons\\disk.ico,2"));
    create();
    apply();
    EXPECT_EQ(ShellIcon("3"), Text("C:\\ICONS\\MY.ICO ,5"));
    EXPECT_EQ(ShellIcon("8"), Text("C:\\ICONS\\DISK.ICO ,2"));  // in the stored form
    for (const char* missing : {"0", "2", "4", "6", "7", "9", "10", "11", "12", "17", "18", "28", "31", "32"})
        EXPECT_EQ(ShellIcon(missing), std::nullopt) << missing;
    // The Control Panel icon is written to both of its keys.
    const std::string text = SlotText({shell32, kControlPanelIndex});
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kControlPanelIconKey, ""), Text(text));
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kControlPanelClassIconKey, ""), Text(text));
}

TEST_F(ShellIconTest, AnwendenWarnsAndWritesOnlyOnOkThenSaysItIsDone)
{
    create();
    dialogs.answerIcon(ui::IconChoice{"C:\\ICONS\\ORDNER.ICO", 1});
    clickImage("Image_Shell_3");
    EXPECT_EQ(ShellIcon("3"), std::nullopt);  // nothing is written by picking

    boxes.answer(MsgButton::Cancel);
    click("Button_SymboleAPPLY");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Warning);
    EXPECT_EQ(boxes.last().text, language::LangStringRange(kApplyWarning, kApplyWarning + 6));
    EXPECT_EQ(ShellIcon("3"), std::nullopt);
    EXPECT_EQ(slot(3).file, "C:\\ICONS\\ORDNER.ICO");  // the choice stays

    apply();
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Plain);
    EXPECT_EQ(boxes.last().text, language::LangString(kApplied));
    EXPECT_EQ(ShellIcon("3"), Text("C:\\ICONS\\ORDNER.ICO ,1"));
}

TEST_F(ShellIconTest, PickingWindowsOwnIconAgainDeletesTheSlotsValue)
{
    Write(HKLM, kShellIconsKey, "17", Text("C:\\ICONS\\NETZ.ICO ,0"));
    create();
    dialogs.answerIcon(ui::IconChoice{shell32, 17});
    clickImage("Image_Shell_17");
    ASSERT_EQ(dialogs.iconRequests.size(), 1u);
    EXPECT_EQ(dialogs.iconRequests[0].file, "C:\\ICONS\\NETZ.ICO");
    EXPECT_EQ(dialogs.iconRequests[0].index, 0);
    EXPECT_TRUE(image("Image_Shell_17").hasIcon());
    apply();
    EXPECT_EQ(ShellIcon("17"), std::nullopt);
}

TEST_F(ShellIconTest, ConfirmingThePickerWithoutAChangeChangesNothing)
{
    Write(HKLM, kShellIconsKey, "29", Text("C:\\PFEIL.ICO,0"));
    create();
    // A slot: the same file and index again.
    dialogs.answerIcon(ui::IconChoice{shell32, 31});
    clickImage("Image_shell_31");
    EXPECT_EQ(slot(31).file, shell32);
    // The arrow: no warning, nothing written.
    dialogs.answerIcon(ui::IconChoice{"C:\\PFEIL.ICO", 0});
    click("Button_LNKSymbol");
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(ShellIcon("29"), Text("C:\\PFEIL.ICO,0"));
    // A cancelled picker changes nothing either.
    click("Button_LNKSymbol");
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(dialogs.iconRequests.size(), 3u);
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics"));  // no refresh
}

TEST_F(ShellIconTest, ZuruecksetzenRestoresWindowsIconsAfterAsking)
{
    for (const char* name : {"3", "4", "2", "17", "18", "31", "32", "0", "6", "7", "8", "9", "10", "11", "12", "28"})
        Write(HKLM, kShellIconsKey, name, Text("C:\\ICONS\\X.ICO ,1"));
    Write(HKLM, kShellIconsKey, "29", Text("C:\\PFEIL.ICO,0"));
    Write(HKLM, kShellIconsKey, "40", Text("C:\\ANDERES.ICO ,0"));
    Write(HKLM, kControlPanelIconKey, "", Text("C:\\ICONS\\CP.ICO ,0"));
    create();

    boxes.answer(MsgButton::No);
    click("Button_SymboleRESET");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Confirmation);
    EXPECT_EQ(boxes.last().text, language::LangStringRange(kResetQuestion, kResetQuestion + 2));
    EXPECT_EQ(ShellIcon("3"), Text("C:\\ICONS\\X.ICO ,1"));

    boxes.answer(MsgButton::Yes);
    click("Button_SymboleRESET");
    EXPECT_EQ(boxes.shown().size(), 2u);  // no warning and no closing note
    for (const char* name : {"3", "4", "2", "17", "18", "31", "32", "0", "6", "7", "8", "9", "10", "11", "12", "28"})
        EXPECT_EQ(ShellIcon(name), std::nullopt) << name;
    EXPECT_EQ(ShellIcon("29"), Text("C:\\PFEIL.ICO,0"));  // the arrow is not reset
    EXPECT_EQ(ShellIcon("40"), Text("C:\\ANDERES.ICO ,0"));
    const std::string controlPanel = SlotText({shell32, kControlPanelIndex});
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kControlPanelIconKey, ""), Text(controlPanel));
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kControlPanelClassIconKey, ""), Text(controlPanel));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, kMyComputerIconKey, ""), Text(std::string(windows) + "\\explorer.exe ,0"));
    EXPECT_EQ(slot(3).file, shell32);  // the slots were read again
    EXPECT_EQ(slot(3).index, 3);
}

TEST_F(ShellIconTest, OkAndAbbrechenLeaveTheIconsAlone)
{
    Write(HKLM, kShellIconsKey, "3", Text("C:\\ICONS\\MY.ICO ,5"));
    create();
    dialogs.answerIcon(ui::IconChoice{"C:\\ICONS\\ANDERES.ICO", 2});
    clickImage("Image_Shell_3");
    pressOk();
    EXPECT_EQ(ShellIcon("3"), Text("C:\\ICONS\\MY.ICO ,5"));
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kControlPanelIconKey, ""), std::nullopt);
}

// A stored index that is no number is reported while the page opens; every other
// slot still loads, and applying leaves that value as stored until an icon is picked.
TEST_F(ShellIconTest, ASlotThatCannotBeReadIsReportedAndKept)
{
    Write(HKLM, kShellIconsKey, "3", Text("C:\\ICONS\\MY.ICO ,fünf"));
    Write(HKLM, kShellIconsKey, "28", Text("C:\\ICONS\\FREIGABE.ICO ,4"));
    create();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "'fünf' ist kein gültiger Integerwert");
    EXPECT_EQ(slot(28).index, 4);  // loaded after the failing slot
    apply();
    EXPECT_EQ(ShellIcon("3"), Text("C:\\ICONS\\MY.ICO ,fünf"));
    EXPECT_EQ(ShellIcon("28"), Text("C:\\ICONS\\FREIGABE.ICO ,4"));

    dialogs.answerIcon(ui::IconChoice{"C:\\ICONS\\NEU.ICO", 1});
    clickImage("Image_Shell_3");
    ASSERT_EQ(dialogs.iconRequests.size(), 1u);
    EXPECT_EQ(dialogs.iconRequests[0].file, shell32);  // the picker starts from Windows' own icon
    apply();
    EXPECT_EQ(ShellIcon("3"), Text("C:\\ICONS\\NEU.ICO ,1"));
}

// --- Shortcut arrow --------------------------------------------------------------------

TEST_F(ShellIconTest, TheArrowIsReadWithACommaInItsPath)
{
    Write(HKLM, kShellIconsKey, "29", Text("C:\\A,B\\X.DLL,2"));
    create();
    EXPECT_EQ(page->shortcutArrow(), (IconLocation{"C:\\A,B\\X.DLL", 2}));
}

TEST_F(ShellIconTest, WithoutAnArrowValueWindowsOwnArrowIsShown)
{
    create();
    EXPECT_EQ(page->shortcutArrow(), (IconLocation{shell32, kArrowSlot}));
    EXPECT_TRUE(image("Image_LNK").hasIcon());
}

TEST_F(ShellIconTest, SymbolAendernWarnsAndWritesTheArrowAtOnce)
{
    create();
    page->show();
    dialogs.answerIcon(ui::IconChoice{"C:\\Pfeile\\klein.ico", 0});
    boxes.answer(MsgButton::Cancel);
    click("Button_LNKSymbol");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Warning);
    EXPECT_EQ(boxes.last().text, language::LangStringRange(kArrowWarning, kArrowWarning + 3));
    EXPECT_EQ(ShellIcon("29"), std::nullopt);
    EXPECT_EQ(page->shortcutArrow(), (IconLocation{shell32, kArrowSlot}));

    dialogs.answerIcon(ui::IconChoice{"C:\\Pfeile\\klein.ico", 0});
    boxes.answer(MsgButton::OK);
    click("Button_LNKSymbol");
    EXPECT_EQ(ShellIcon("29"), Text("C:\\Pfeile\\klein.ico,0"));
    EXPECT_EQ(page->shortcutArrow(), (IconLocation{"C:\\Pfeile\\klein.ico", 0}));
    // Explorer was told: its icon size was nudged (and the missing value removed again).
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics"));
    EXPECT_EQ(Read(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon Size"), std::nullopt);
    click("Button_Abbruch");
    EXPECT_EQ(ShellIcon("29"), Text("C:\\Pfeile\\klein.ico,0"));
}

}  // namespace
