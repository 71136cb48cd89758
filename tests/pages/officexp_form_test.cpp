// The Office and Messenger page: the Messenger's entry in sysoc.inf, its start with
// Windows (Run value and the start flag of its AppSettings record), the rows of
// applications that are not installed, and "Ändern" of the Messenger background.
#include "pages_fixture.h"

#include "harness/layout_check.h"
#include "harness/platform_dialogs_seam.h"
#include "harness/temp_folder.h"
#include "pages/officexp_form.h"
#include "pages/officexp_rows.h"
#include "registry/helpers.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

using pages::Form_OfficeXP;
using pages::TForm_OfficeXP;
namespace office = pages::officexp;

namespace {

const std::string kPolicy = "Software\\Policies\\Microsoft\\Messenger\\Client";
const std::string kToolbars = "Software\\Microsoft\\Office\\10.0\\Common\\Toolbars";
const std::string kAssistant = "Software\\Microsoft\\Office\\Common\\Assistant";
const std::string kErrorReport = "Software\\Policies\\Microsoft\\Office\\10.0\\Common";
const std::string kIdentity = "Identities\\{11111111-2222-3333-4444-555555555555}";
const std::string kOutlook = kIdentity + office::kOutlookExpressBelowIdentity;

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Stored Binary(std::vector<BYTE> bytes)
{
    return {REG_BINARY, std::move(bytes)};
}

class OfficePageTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        folder.makeDir("inf");
        office::SetWindowsFolder(folder.path().substr(0, folder.path().size() - 1));
    }
    void TearDown() override
    {
        Form_OfficeXP = nullptr;
        page.reset();
        office::SetWindowsFolder("");
        PageTest::TearDown();
    }

    TForm_OfficeXP& create()
    {
        page = std::make_unique<TForm_OfficeXP>();
        Form_OfficeXP = page.get();
        language::LocalizeComponent(*page);
        return *page;
    }
    void pressOk() { page->find<ui::Button>("Button_Apply").click(); }
    ui::CheckBox& box(const std::string& name) const { return page->find<ui::CheckBox>(name); }
    std::string sysoc(const std::string& entry) const
    {
        return folder.file("inf\\sysoc.inf", "[Components]\r\nmsmsgs=" + entry + "\r\n");
    }
    std::string sysocEntry() const { return helpers::ReadIniText(office::SysocFile(), "Components", "msmsgs"); }
    void installMessenger(const std::string& path)
    {
        Write(HKLM, office::kMessengerPathKey, "", Text(path));
    }

    testing_support::TempFolder folder;
    std::unique_ptr<TForm_OfficeXP> page;
};

TEST_F(OfficePageTest, TheSysocEntryTakesHideOutWhenCheckedAndPutsTheStandardEntryBack)
{
    sysoc("msgrocm.dll,OcEntry,msmsgs.inf,hide,7");
    create();
    EXPECT_TRUE(box("CheckBox_MSMSGS_Hide").enabled());
    EXPECT_FALSE(box("CheckBox_MSMSGS_Hide").checked());
    box("CheckBox_MSMSGS_Hide").setChecked(true);
    pressOk();
    EXPECT_EQ(sysocEntry(), "msgrocm.dll,OcEntry,msmsgs.inf,,7");

    create();
    EXPECT_TRUE(box("CheckBox_MSMSGS_Hide").checked());
    box("CheckBox_MSMSGS_Hide").setChecked(false);
    pressOk();
    EXPECT_EQ(sysocEntry(), office::kStandardSysocEntry);

    // Left as it is: checked without "hide", and unchecked with it.
    sysoc("own,entry");
    create();
    pressOk();
    EXPECT_EQ(sysocEntry(), "own,entry");
}

TEST_F(OfficePageTest, WithoutSysocFileOrEntryTheBoxIsDisabledAndNothingIsWritten)
{
    create();
    EXPECT_FALSE(box("CheckBox_MSMSGS_Hide").enabled());
    pressOk();
    EXPECT_FALSE(helpers::FileExists(office::SysocFile()));

    const std::string file = folder.file("inf\\sysoc.inf", "[Components]\r\nother=1\r\n");
    create();
    EXPECT_FALSE(box("CheckBox_MSMSGS_Hide").enabled());
    pressOk();
    EXPECT_EQ(FileText(file), "[Components]\r\nother=1\r\n");
}

TEST_F(OfficePageTest, StartingTheMessengerWritesTheQuotedPathAndSetsItsStartFlag)
{
    struct Case {
        std::string path;
        std::string command;
        BYTE flagBefore;
        BYTE flagAfter;
    };
    const Case cases[] = {
        {"C:\\Programme\\Messenger\\msmsgs.exe", "\"C:\\Programme\\Messenger\\msmsgs.exe\" /background", 0, 2},
        {"\"C:\\Programme\\Messenger\\msmsgs.exe\"", "\"C:\\Programme\\Messenger\\msmsgs.exe\" /background", 1, 3},
        {"C:\\msmsgs.exe", "\"C:\\msmsgs.exe\" /background", 2, 2},
    };
    for (const Case& item : cases) {
        installMessenger(item.path);
        registry::RegValueRemove(HKCU, office::kRunKey, "MSMSGS");
        Write(HKCU, office::kMessengerSettingsKey, "AppSettings", Binary({9, item.flagBefore, 8, 7}));
        create();
        EXPECT_TRUE(box("CheckBox_MSMSGS").enabled());
        EXPECT_FALSE(box("CheckBox_MSMSGS").checked());
        box("CheckBox_MSMSGS").setChecked(true);
        pressOk();
        EXPECT_EQ(Read(HKCU, office::kRunKey, "MSMSGS"), Text(item.command));
        EXPECT_EQ(Read(HKCU, office::kMessengerSettingsKey, "AppSettings"), Binary({9, item.flagAfter, 8, 7}));
    }
}

TEST_F(OfficePageTest, StoppingTheMessengerRemovesTheRunValueAndClearsTheStartFlag)
{
    installMessenger("C:\\msmsgs.exe");
    for (const auto& [before, after] : {std::pair<BYTE, BYTE>{3, 1}, {2, 0}, {1, 1}}) {
        Write(HKCU, office::kRunKey, "MSMSGS", Text("\"C:\\msmsgs.exe\" /background"));
        Write(HKCU, office::kMessengerSettingsKey, "AppSettings", Binary({0, before, 0, 0, 5, 6}));
        create();
        EXPECT_TRUE(box("CheckBox_MSMSGS").checked());
        box("CheckBox_MSMSGS").setChecked(false);
        pressOk();
        EXPECT_EQ(Read(HKCU, office::kRunKey, "MSMSGS"), std::nullopt);
        // The record keeps its own length.
        EXPECT_EQ(Read(HKCU, office::kMessengerSettingsKey, "AppSettings"), Binary({0, after, 0, 0, 5, 6}));
    }
    // A Run value that exists already is left as it is; a missing record is not made up.
    registry::RegValueRemove(HKCU, office::kMessengerSettingsKey, "AppSettings");
    Write(HKCU, office::kRunKey, "MSMSGS", Text("own command"));
    create();
    pressOk();
    EXPECT_EQ(Read(HKCU, office::kRunKey, "MSMSGS"), Text("own command"));
    create();
    box("CheckBox_MSMSGS").setChecked(false);
    pressOk();
    EXPECT_EQ(Read(HKCU, office::kMessengerSettingsKey, "AppSettings"), std::nullopt);
}

TEST_F(OfficePageTest, WithoutMessengerOfficeOrOutlookExpressTheirControlsAreDisabledAndUntouched)
{
    Write(HKCU, office::kRunKey, "MSMSGS", Text("x"));
    // The assistant and error-report keys lie outside Office XP's own key.
    Write(HKCU, kAssistant, "AsstState", Dword(38));
    Write(HKCU, kErrorReport, "DWNeverUpload", Dword(1));
    create();
    for (const char* name : {"CheckBox_MSMSGS", "CheckBox_AdaptiveMenus_XP", "CheckBox_AsstState_XP",
                             "CheckBox_ErrorReport", "CheckBox_NoSplash_Outlook", "CheckBox_WindowTitle_Outlook"})
        EXPECT_FALSE(box(name).enabled()) << name;
    EXPECT_FALSE(page->find<ui::Edit>("Edit_WindowTitle_Outlook").enabled());
    // The Office rows are still loaded.
    EXPECT_TRUE(box("CheckBox_AsstState_XP").checked());
    EXPECT_TRUE(box("CheckBox_ErrorReport").checked());
    box("CheckBox_AsstState_XP").setChecked(false);
    boxes.clear();
    pressOk();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(Read(HKCU, office::kRunKey, "MSMSGS"), Text("x"));
    EXPECT_FALSE(registry::RegKeyExists(HKCU, kToolbars));
    EXPECT_EQ(Read(HKCU, kAssistant, "AsstState"), Dword(38));
    EXPECT_EQ(Read(HKCU, kErrorReport, "DWNeverUpload"), Dword(1));
    EXPECT_FALSE(registry::RegKeyExists(HKCU, "Identities"));
    EXPECT_EQ(Read(HKLM, kPolicy, "PreventRun"), Dword(0));
}

TEST_F(OfficePageTest, OfficeAndOutlookExpressRowsWhenInstalled)
{
    registry::RegKeyEnsure(HKCU, office::kOfficeKey);
    registry::RegKeyEnsure(HKCU, kOutlook);
    Write(HKCU, kOutlook, "NoSplash", Dword(1));
    Write(HKCU, kOutlook, "WindowTitle", Text("Post"));
    Write(HKLM, kPolicy, "PreventRun", Dword(1));
    create();
    EXPECT_EQ(page->OEKey(), kOutlook);
    EXPECT_TRUE(page->OEPresent());
    EXPECT_FALSE(box("CheckBox_NoSplash_Outlook").checked());
    EXPECT_TRUE(box("CheckBox_WindowTitle_Outlook").checked());
    EXPECT_EQ(page->find<ui::Edit>("Edit_WindowTitle_Outlook").text(), "Post");
    EXPECT_TRUE(box("CheckBox_AdaptiveMenus_XP").checked());  // missing counts as on
    EXPECT_FALSE(box("CheckBox_AsstState_XP").checked());
    EXPECT_TRUE(box("CheckBox_PreventRun").checked());

    box("CheckBox_NoSplash_Outlook").setChecked(true);
    box("CheckBox_WindowTitle_Outlook").setChecked(false);
    box("CheckBox_AdaptiveMenus_XP").setChecked(false);
    box("CheckBox_ErrorReport").setChecked(true);
    pressOk();
    EXPECT_EQ(Read(HKCU, kOutlook, "NoSplash"), std::nullopt);
    EXPECT_EQ(Read(HKCU, kOutlook, "WindowTitle"), std::nullopt);
    EXPECT_EQ(Read(HKCU, kToolbars, "AdaptiveMenus"), Dword(0));
    EXPECT_EQ(Read(HKCU, kAssistant, "AsstState"), Dword(21));
    EXPECT_EQ(Read(HKCU, kErrorReport, "DWNeverUpload"), Dword(1));
    EXPECT_EQ(Read(HKLM, kPolicy, "PreventRun"), Dword(1));

    create();
    box("CheckBox_NoSplash_Outlook").setChecked(false);
    box("CheckBox_AdaptiveMenus_XP").setChecked(true);
    box("CheckBox_AsstState_XP").setChecked(true);
    pressOk();
    EXPECT_EQ(Read(HKCU, kOutlook, "NoSplash"), Dword(1));
    EXPECT_EQ(Read(HKCU, kToolbars, "AdaptiveMenus"), std::nullopt);
    EXPECT_EQ(Read(HKCU, kAssistant, "AsstState"), Dword(38));
}

TEST_F(OfficePageTest, ChangingTheBackgroundTwiceKeepsTheFirstBackup)
{
    const std::string messenger = folder.makeDir("Messenger");
    Write(HKLM, office::kMessengerServiceKey, "InstallationDirectory", Text(messenger.substr(0, messenger.size() - 1)));
    folder.file("Messenger\\lvback.gif", "original");
    const std::string first = folder.file("erstes.gif", "first");
    const std::string second = folder.file("zweites.gif", "second");
    testing_support::ScriptedPlatformDialogs dialogs;
    dialogs.answerFile(first);
    create();
    page->find<ui::Button>("Button_BildLADEN").click();
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, language::LangString(10910));
    EXPECT_EQ(dialogs.openRequests[0].filter, language::LangString(10911) + "|*.gif");
    EXPECT_EQ(page->find<ui::Edit>("Edit_lvBack").text(), first);

    page->find<ui::Button>("Button_Messenger").click();
    EXPECT_EQ(FileText(messenger + "lvback.gif"), "first");
    EXPECT_EQ(FileText(messenger + "lvback_velmora.gif"), "original");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, language::LangString(10940));

    page->find<ui::Edit>("Edit_lvBack").setText(second);
    page->find<ui::Button>("Button_Messenger").click();
    EXPECT_EQ(FileText(messenger + "lvback.gif"), "second");
    EXPECT_EQ(FileText(messenger + "lvback_velmora.gif"), "original");
}

TEST_F(OfficePageTest, ChangingTheBackgroundReportsAMissingPictureOrMessenger)
{
    create();
    page->find<ui::Edit>("Edit_lvBack").setText(folder.path() + "fehlt.gif");
    page->find<ui::Button>("Button_Messenger").click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text,
              language::LangString(10920) + " " + folder.path() + "fehlt.gif " + language::LangString(10921));

    page->find<ui::Edit>("Edit_lvBack").setText(folder.file("bild.gif", "x"));
    page->find<ui::Button>("Button_Messenger").click();
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.last().text, language::LangString(10930) + "\r" + language::LangString(10931));
}

TEST_F(OfficePageTest, TheFrameAndLayout)
{
    create();
    EXPECT_EQ(page->caption(), language::LangString(10000));
    EXPECT_EQ(page->helpTopic(), "sonstigesoftware");
    testing_support::ExpectNothingClippedOrCovered(page->handle());
}

}  // namespace
