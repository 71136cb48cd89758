// The Autostart & Autorun page as a window: its frame and texts, its layout with the
// German texts, the program chooser and the help topic.
#include "autostart_fixture.h"

#include "harness/help_seam.h"
#include "harness/layout_check.h"
#include "harness/platform_dialogs_seam.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/pagecontrol.h"

using language::LangString;

namespace {

class AutorunPageTest : public AutostartTest {};

TEST_F(AutorunPageTest, OpensWithItsTitleColumnTitlesAndTheFirstSheetAndAWritableWinIni)
{
    ASSERT_TRUE(SetFileAttributesA(iniFile.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    OpenedPage page;
    EXPECT_EQ(GetFileAttributesA(iniFile.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(page->caption(), LangString(4000));
    EXPECT_EQ(page->clientWidth(), 660);
    EXPECT_EQ(page->clientHeight(), 540);
    EXPECT_EQ(page->PageControl1().pageCount(), 3);
    EXPECT_EQ(page->PageControl1().activePageIndex(), 0);
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(page->VirtualDrawTree_Autorun().columnCaption(column), LangString(4190 + column));
    EXPECT_EQ(page->VirtualDrawTree_Autorun().rowHeight(), 24);
    EXPECT_EQ(page->find<ui::Edit>("Edit_AutoRunNAME").text(), "");
}

TEST_F(AutorunPageTest, NothingOnAnySheetIsClippedOrCovered)
{
    MakeLink(commonFolder + "\\tool.lnk", program("tool.exe"));
    OpenedPage page;
    testing_support::ExpectNothingClippedOrCovered(page->handle());
    for (const char* name : {"CheckBox_DriveTyp_Removable", "CheckBox_CDROM_AutoRun"}) {
        auto& box = page->find<ui::CheckBox>(name);
        const SIZE text = ui::MeasureText(box.font(), box.caption(), box.width() - 20);
        EXPECT_GE(box.height(), text.cy) << name << "; font " << testing_support::FontReport(box.font());
    }
    // Every letter of the drive list is in view without scrolling.
    const ui::ListView& letters = page->ListView_AutorunDrives();
    RECT last{};
    ASSERT_TRUE(ListView_GetItemRect(letters.handle(), 25, &last, LVIR_BOUNDS));
    EXPECT_LE(last.bottom, letters.clientHeight());
}

TEST_F(AutorunPageTest, TheChooserPutsTheChosenProgramIntoTheCommandLineAndCancellingKeepsIt)
{
    testing_support::ScriptedPlatformDialogs dialogs;
    OpenedPage page;
    auto& command = page->find<ui::Edit>("Edit_AutoRunCOMMAND");
    auto& choose = page->find<ui::Button>("Button_AutorunSELECT");
    const std::string tool = program("tool.exe");
    dialogs.answerFile(tool);
    choose.click();
    EXPECT_EQ(command.text(), tool);

    command.setText("C:\\typed.exe /x");
    dialogs.answerFile(std::nullopt);
    choose.click();
    EXPECT_EQ(command.text(), "C:\\typed.exe /x");

    ASSERT_EQ(dialogs.openRequests.size(), 2u);
    EXPECT_EQ(dialogs.openRequests[0].title, LangString(4901));
    EXPECT_TRUE(dialogs.openRequests[0].fileMustExist);
    EXPECT_EQ(dialogs.openRequests[0].filter, "");
    EXPECT_EQ(dialogs.openRequests[1].fileName, tool);  // the earlier choice is offered again
}

TEST_F(AutorunPageTest, HelpShowsTheAutostartTopic)
{
    testing_support::RecordedHelp help;
    OpenedPage page;
    page->find<ui::Button>("Button_hilfe").click();
    ASSERT_EQ(help.locations().size(), 1u);
    EXPECT_NE(help.locations().front().find("autostartautorun.htm"), std::string::npos) << help.locations().front();
}

}  // namespace
