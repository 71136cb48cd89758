// The Start menu and taskbar page: what "Ok" writes for every row, the delay of program
// groups, the administrative tools entry, the flags whose missing value means "on",
// and its sheets.
#include "page_fixture.h"

#include "harness/help_seam.h"
#include "harness/layout_check.h"
#include "pages/startmenu_form.h"
#include "pages/startmenu_rows.h"
#include "ui/pagecontrol.h"
#include "ui/spinedit.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using pages::Form_Startmenu;
using pages::TForm_Startmenu;
using namespace pages::startmenu;

namespace {

const std::string kPolicies = kExplorerPoliciesKey;
const std::string kAdvanced = kAdvancedKey;

struct Expected {
    std::string key;
    std::string name;
    std::optional<Stored> value;
};

void ExpectStored(const std::vector<Expected>& values)
{
    for (const Expected& value : values)
        EXPECT_EQ(Read(HKEY_CURRENT_USER, value.key, value.name), value.value) << value.key << " : " << value.name;
}

class StartmenuPageTest : public PageFixture<TForm_Startmenu, Form_Startmenu> {
protected:
    ui::SpinEdit& delay() const { return control<ui::SpinEdit>("SpinEdit_MenuShowDelay"); }
};

TEST_F(StartmenuPageTest, TheFrameHasItsCaptionSheetsAndHelpTopic)
{
    testing_support::RecordedHelp help;
    create();
    EXPECT_EQ(page->caption(), "Einstellungen zu Startmenü, Taskleiste und Infobereich");
    const char* sheets[] = {"TabSheet2", "TabSheet4", "TabSheet1", "TabSheet3"};
    ASSERT_EQ(page->PageControl1().pageCount(), 4);
    for (int index = 0; index < 4; ++index)
        EXPECT_EQ(page->PageControl1().page(index).name(), sheets[index]);
    EXPECT_EQ(page->PageControl1().activePageIndex(), 0);
    click("Button_hilfe");
    EXPECT_EQ(help.locations(), (std::vector<std::string>{ui::HelpLocation(ui::HelpFilePath, "startmenu")}));
}

TEST_F(StartmenuPageTest, OkWithoutChangesWritesEveryRowAsLoaded)
{
    create();
    pressOk();
    EXPECT_TRUE(boxes.shown().empty());
    ExpectStored({
        {kAdvanced, "StartMenuFavorites", Dword(0)},
        {kAdvanced, "Start_NotifyNewApps", Dword(0)},
        {kAdvanced, "StartMenuAdminTools", Text("NO")},
        {kPolicies, "NoFind", Dword(0)},
        {kPolicies, "NoRun", Dword(0)},
        {kPolicies, "NoClose", Dword(0)},
        {kPolicies, "NoCommonGroups", Dword(0)},
        {kDesktopKey, "MenuShowDelay", std::nullopt},
        {kPolicies, "NoRecentDocsHistory", Dword(0)},
        {kPolicies, "ClearRecentDocsOnExit", Dword(0)},
        {kAdvanced, "EnableBalloonTips", Dword(1)},    // missing counts as on
        {kPolicies, "NoLowDiskSpaceChecks", Dword(0)},  // missing: the warning is on
        {kExplorerKey, "EnableAutoTray", Dword(0)},
        {kPolicies, "NoSimpleStartMenu", Dword(0)},
        {kAdvanced, "TaskbarGlomming", Dword(0)},
        {kPolicies, "HideClock", Dword(0)},             // missing: the clock is shown
        {kAdvanced, "TaskbarSizeMove", Dword(1)},       // missing: the taskbar is not locked
        {kPolicies, "NoToolbarsOnTaskbar", Dword(0)},
        {kPolicies, "NoTrayItemsDisplay", Dword(0)},
        {kPolicies, "StartMenuLogoff", Dword(0)},
        {kPolicies, "NoSMHelp", Dword(0)},
        {kPolicies, "NoTrayContextMenu", Dword(0)},
    });
}

TEST_F(StartmenuPageTest, MissingValuesLoadAsWindowsBehavesWithoutThem)
{
    create();
    EXPECT_TRUE(box("CheckBox_EnableBalloonTips").checked());
    EXPECT_TRUE(box("CheckBox_NoLowDiskSpaceChecks").checked());
    EXPECT_TRUE(box("CheckBox_HideClock").checked());  // "Uhr anzeigen"
    EXPECT_FALSE(box("CheckBox_TaskbarSizeMove").checked());
    EXPECT_FALSE(box("CheckBox_StartMenuAdminTools").checked());
    EXPECT_TRUE(radio("RadioButton_MenuShowDelay3").checked());
    EXPECT_EQ(delay().value(), kWindowsDelay);
}

TEST_F(StartmenuPageTest, StoredValuesLoadIntoTheirBoxesAndComeBackUnchanged)
{
    const std::vector<Expected> stored = {
        {kAdvanced, "StartMenuFavorites", Dword(1)},  {kAdvanced, "Start_NotifyNewApps", Dword(1)},
        {kPolicies, "NoFind", Dword(1)},              {kPolicies, "NoRun", Dword(1)},
        {kPolicies, "NoClose", Dword(1)},             {kPolicies, "NoCommonGroups", Dword(1)},
        {kPolicies, "NoRecentDocsHistory", Dword(1)}, {kPolicies, "ClearRecentDocsOnExit", Dword(1)},
        {kAdvanced, "EnableBalloonTips", Dword(0)},   {kPolicies, "NoLowDiskSpaceChecks", Dword(1)},
        {kExplorerKey, "EnableAutoTray", Dword(1)},   {kPolicies, "NoSimpleStartMenu", Dword(1)},
        {kAdvanced, "TaskbarGlomming", Dword(1)},     {kPolicies, "HideClock", Dword(1)},
        {kAdvanced, "TaskbarSizeMove", Dword(0)},     {kPolicies, "NoToolbarsOnTaskbar", Dword(1)},
        {kPolicies, "NoTrayItemsDisplay", Dword(1)},  {kPolicies, "StartMenuLogoff", Dword(1)},
        {kPolicies, "NoSMHelp", Dword(1)},            {kPolicies, "NoTrayContextMenu", Dword(1)},
        {kAdvanced, "StartMenuAdminTools", Text("YES")},
    };
    for (const Expected& value : stored)
        Write(HKCU, value.key, value.name, *value.value);
    create();
    for (const char* name :
         {"CheckBox_StartMenuFavorites", "CheckBox_Start_NotifyNewApps", "CheckBox_NoFind", "CheckBox_NoRun",
          "CheckBox_NoClose", "CheckBox_NoCommonGroups", "CheckBox_NoRecentDocsHistory",
          "CheckBox_ClearRecentDocsOnExit", "CheckBox_EnableAutoTray", "CheckBox_NoSimpleStartMenu",
          "CheckBox_TaskbarGlomming", "CheckBox_TaskbarSizeMove", "CheckBox_NoToolbarsOnTaskbar",
          "CheckBox_NoTrayItemsDisplay", "CheckBox_StartMenuLogoff", "CheckBox_NoSMHelp", "CheckBox_NoTrayContextMenu",
          "CheckBox_StartMenuAdminTools"})
        EXPECT_TRUE(box(name).checked()) << name;
    for (const char* name : {"CheckBox_EnableBalloonTips", "CheckBox_NoLowDiskSpaceChecks", "CheckBox_HideClock"})
        EXPECT_FALSE(box(name).checked()) << name;
    pressOk();
    ExpectStored(stored);
}

// Boxes set by name, as a wizard sets them, save the inverted and zero flags the
// right way round.
TEST_F(StartmenuPageTest, InvertedFlagsSaveTheOppositeOfTheirBox)
{
    struct Case {
        const char* box;
        std::string key;
        const char* name;
        Stored checked;
        Stored unchecked;
    };
    const Case cases[] = {
        {"CheckBox_HideClock", kPolicies, "HideClock", Dword(0), Dword(1)},
        {"CheckBox_NoLowDiskSpaceChecks", kPolicies, "NoLowDiskSpaceChecks", Dword(0), Dword(1)},
        {"CheckBox_TaskbarSizeMove", kAdvanced, "TaskbarSizeMove", Dword(0), Dword(1)},
        {"CheckBox_EnableBalloonTips", kAdvanced, "EnableBalloonTips", Dword(1), Dword(0)},
    };
    create();
    for (const bool checked : {true, false}) {
        for (const Case& item : cases)
            box(item.box).setChecked(checked);
        page->SaveSettings();
        for (const Case& item : cases)
            EXPECT_EQ(Read(HKEY_CURRENT_USER, item.key, item.name), checked ? item.checked : item.unchecked)
                << item.box << (checked ? " checked" : " unchecked");
    }
}

// --- Administrative tools -------------------------------------------------------------

TEST_F(StartmenuPageTest, AdministrativeToolsReadTextAndDwordAndAlwaysSaveText)
{
    struct Case {
        const char* what;
        std::optional<Stored> stored;
        bool checked;
        Stored saved;
    };
    const Case cases[] = {
        {"the text YES", Text("YES"), true, Text("YES")},
        {"the text yes", Text("yes"), true, Text("YES")},
        {"the text NO", Text("NO"), false, Text("NO")},
        {"a DWORD 1", Dword(1), true, Text("YES")},
        {"a DWORD 0", Dword(0), false, Text("NO")},
        {"the text 1", Text("1"), false, Text("NO")},
        {"binary YES", Stored{REG_BINARY, {'Y', 'E', 'S'}}, false, Text("NO")},
        {"missing", std::nullopt, false, Text("NO")},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.what);
        if (item.stored)
            Write(HKCU, kAdvanced, "StartMenuAdminTools", *item.stored);
        create();
        EXPECT_EQ(box("CheckBox_StartMenuAdminTools").checked(), item.checked);
        pressOk();
        EXPECT_EQ(Read(HKEY_CURRENT_USER, kAdvanced, "StartMenuAdminTools"), item.saved);
        destroy();
    }
}

// --- Delay of program groups -------------------------------------------------------

TEST_F(StartmenuPageTest, TheDelayLoadsItsChoiceAndOkWritesItBack)
{
    struct Case {
        std::optional<std::string> stored;
        const char* radio;
        int spin;
        std::optional<std::string> saved;
    };
    const Case cases[] = {
        {std::nullopt, "RadioButton_MenuShowDelay3", 400, std::nullopt},
        {"400", "RadioButton_MenuShowDelay3", 400, std::nullopt},  // the Windows default: the value goes
        {"250", "RadioButton_MenuShowDelay", 250, "250"},
        {"20000", "RadioButton_MenuShowDelay", 9999, "9999"},
        {"-5", "RadioButton_MenuShowDelay", 1, "1"},
        {"60000", "RadioButton_MenuShowDelay1", 400, "60000"},
        {"0", "RadioButton_MenuShowDelay2", 400, "0"},
        {"", "RadioButton_MenuShowDelay3", 400, std::nullopt},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.stored.value_or("(missing)"));
        if (item.stored)
            Write(HKCU, kDesktopKey, "MenuShowDelay", Text(*item.stored));
        create();
        EXPECT_TRUE(radio(item.radio).checked());
        EXPECT_EQ(delay().value(), item.spin);
        pressOk();
        EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktopKey, "MenuShowDelay"),
                  item.saved ? std::optional<Stored>(Text(*item.saved)) : std::nullopt);
        destroy();
        RegDeleteKeyA(HKEY_CURRENT_USER, kDesktopKey.c_str());
    }
}

TEST_F(StartmenuPageTest, TheDelayChosenByNameIsWritten)
{
    struct Case {
        const char* radio;
        int spin;
        std::optional<std::string> saved;
    };
    const Case cases[] = {
        {"RadioButton_MenuShowDelay", 120, "120"},
        {"RadioButton_MenuShowDelay1", 120, "60000"},
        {"RadioButton_MenuShowDelay2", 120, "0"},
        {"RadioButton_MenuShowDelay3", 120, std::nullopt},
    };
    Write(HKCU, kDesktopKey, "MenuShowDelay", Text("300"));
    create();
    for (const Case& item : cases) {
        radio(item.radio).setChecked(true);
        delay().setValue(item.spin);
        page->SaveSettings();
        EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktopKey, "MenuShowDelay"),
                  item.saved ? std::optional<Stored>(Text(*item.saved)) : std::nullopt)
            << item.radio;
    }
}

// A delay that is no number is reported while the page opens and stays as stored
// until one of the delay's controls is set, by the user or by a wizard.
TEST_F(StartmenuPageTest, ADelayThatIsNoNumberIsReportedAndKeptUntilAChoiceIsMade)
{
    Write(HKCU, kDesktopKey, "MenuShowDelay", Text("schnell"));
    Write(HKCU, kPolicies, "NoRun", Dword(1));
    create();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "'schnell' ist kein gültiger Integerwert");
    EXPECT_TRUE(box("CheckBox_NoRun").checked());  // the other rows still load
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktopKey, "MenuShowDelay"), Text("schnell"));

    create();
    SendMessageA(radio("RadioButton_MenuShowDelay2").handle(), BM_CLICK, 0, 0);  // the user's choice
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktopKey, "MenuShowDelay"), Text("0"));
}

// --- Layout ------------------------------------------------------------------------

TEST_F(StartmenuPageTest, NothingOnAnySheetIsClippedOrCovered)
{
    create();
    testing_support::ExpectNothingClippedOrCovered(page->handle());
    // The delay's spin edit and its text stand on the line of "Nach".
    auto& own = radio("RadioButton_MenuShowDelay");
    auto& label = control<ui::Label>("Label_MenuShowDelay");
    EXPECT_LT(own.top(), delay().top() + delay().height());
    EXPECT_LT(label.top(), delay().top() + delay().height());
    EXPECT_GT(label.left(), delay().left() + delay().width());
}

}  // namespace
