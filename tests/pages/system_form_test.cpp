// The System page: what "Ok" writes for every row of its table, the rows with rules
// of their own (source path, services, caches, shell folders, applet list), the
// conversion error while loading and the write error while saving.
#include "pages_fixture.h"

#include "harness/help_seam.h"
#include "pages/system_form.h"
#include "pages/system_rows.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/pagecontrol.h"
#include "ui/spinedit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

using pages::Form_System;
using pages::TForm_System;

namespace {

const std::string kExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kSystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const std::string kDesktop = "Control Panel\\Desktop";
const std::string kWinlogonUser = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kCrash = "SYSTEM\\CurrentControlSet\\Control\\CrashControl";
const std::string kDfrg = "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction";
const std::string kUnload = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL";
const std::string kMemory = pages::system::kMemoryManagementKey;
const std::string kUdma = "System\\CurrentControlSet\\Control\\Class\\{4D36E96A-E325-11CE-BFC1-08002BE10318}\\0000";
const std::string kFileSystem = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";
const std::string kPriority = "SYSTEM\\CurrentControlSet\\Control\\PriorityControl";
const std::string kServices = pages::system::kServicesKey;
const std::string kUserFolders = pages::system::kUserShellFoldersKey;
const std::string kPlainFolders = pages::system::kShellFoldersKey;
const std::string kDontLoad = pages::system::kDontLoadKey;

// One value of the page's table and what the registry holds for it after saving.
struct Expected {
    HKEY root;
    std::string key;
    std::string name;
    std::optional<Stored> value;
};

void ExpectStored(const std::vector<Expected>& table)
{
    for (const Expected& row : table)
        EXPECT_EQ(Read(row.root, row.key, row.name), row.value) << row.key << " : " << row.name;
}

class SystemPageTest : public PageTest {
protected:
    void TearDown() override
    {
        Form_System = nullptr;
        page.reset();
        PageTest::TearDown();
    }

    // As the main window and the wizards create the page: constructed into its
    // reference, then localised.
    TForm_System& create()
    {
        page = std::make_unique<TForm_System>();
        Form_System = page.get();
        language::LocalizeComponent(*page);
        return *page;
    }

    template <class T>
    T& control(const std::string& name) const
    {
        return page->find<T>(name);
    }
    ui::CheckBox& box(const std::string& name) const { return control<ui::CheckBox>(name); }
    ui::RadioButton& radio(const std::string& name) const { return control<ui::RadioButton>(name); }
    void pressOk() const { control<ui::Button>("Button_Apply").click(); }

    std::unique_ptr<TForm_System> page;
};

// --- The frame ---------------------------------------------------------------------

TEST_F(SystemPageTest, TheFrameHasItsCaptionSizeButtonsAndFirstSheet)
{
    create();
    EXPECT_EQ(page->caption(), "System- , Speicher-, Booteinstellungen");
    EXPECT_EQ(page->clientWidth(), 660);
    EXPECT_EQ(page->clientHeight(), 540);
    EXPECT_TRUE(GetWindowLongA(page->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(page->PageControl1().activePageIndex(), 0);
    EXPECT_EQ(page->PageControl1().page(0).name(), "TabSheet2");
    struct Place {
        const char* name;
        const char* caption;
        ui::Bounds bounds;
    };
    const Place places[] = {{"PageControl1", nullptr, {8, 8, 641, 489}},
                            {"Button_hilfe", "Hilfe", {368, 508, 88, 25}},
                            {"Button_Abbruch", "Abbrechen", {464, 508, 88, 25}},
                            {"Button_Apply", "Ok", {560, 508, 88, 25}}};
    for (const Place& place : places) {
        auto& item = control<ui::Control>(place.name);
        const ui::Bounds at = item.bounds();
        EXPECT_EQ(std::vector<int>({at.left, at.top, at.width, at.height}),
                  std::vector<int>({place.bounds.left, place.bounds.top, place.bounds.width, place.bounds.height}))
            << place.name;
        if (place.caption) {
            EXPECT_EQ(item.caption(), place.caption);
        }
    }
    EXPECT_TRUE(control<ui::Button>("Button_Apply").isDefault());
    EXPECT_TRUE(control<ui::Button>("Button_Abbruch").isCancel());
}

TEST_F(SystemPageTest, HilfeShowsTheSystemTopic)
{
    testing_support::RecordedHelp help;
    create();
    control<ui::Button>("Button_hilfe").click();
    EXPECT_EQ(help.locations(), (std::vector<std::string>{ui::HelpLocation(ui::HelpFilePath, "systemeinstellungen")}));
}

TEST_F(SystemPageTest, AbbrechenAndTheCloseBoxCloseWithoutWriting)
{
    const std::function<void(TForm_System&)> ways[] = {
        [](TForm_System& form) { form.find<ui::Button>("Button_Abbruch").click(); },
        [](TForm_System& form) { SendMessageA(form.handle(), WM_CLOSE, 0, 0); },
        [](TForm_System& form) { SendMessageA(form.handle(), WM_COMMAND, IDCANCEL, 0); },
    };
    create();
    for (const auto& close : ways) {
        page->show();
        box("CheckBox_LargeSystemCache").setChecked(true);
        close(*page);
        EXPECT_FALSE(page->visible());
        EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kMemory));
        EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kExplorerPolicies));
    }
}

TEST_F(SystemPageTest, APageWithoutItsReferenceStillSavesAndCloses)
{
    create();
    Form_System = nullptr;
    page->show();
    pressOk();
    EXPECT_FALSE(page->visible());
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kPriority, "Win32PrioritySeparation"), Dword(38));
}

TEST_F(SystemPageTest, OkInAModalShowingSavesAndEndsTheLoop)
{
    create();
    PostMessageA(page->handle(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(page->showModal(), ui::ModalResult::Cancel);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kPriority, "Win32PrioritySeparation"), Dword(38));
}

// --- The whole table ---------------------------------------------------------------

TEST_F(SystemPageTest, OkWithoutChangesCreatesEveryRowWithTheLoadedState)
{
    create();
    page->show();
    pressOk();
    EXPECT_FALSE(page->visible());
    EXPECT_TRUE(boxes.shown().empty());
    ExpectStored({
        {HKCU, kExplorerPolicies, "NoControlPanel", Dword(0)},
        {HKLM, pages::system::kSetupKey, "SourcePath", std::nullopt},
        {HKLM, pages::system::kSetupKeyNT, "SourcePath", std::nullopt},
        {HKLM, kDfrg, "Enable", Text("N")},
        {HKCU, kWinlogonUser, "ParseAutoexec", Text("0")},
        {HKLM, kCrash, "AutoReboot", Dword(0)},
        {HKCU, kDesktop, "AutoEndTasks", Text("0")},
        {HKCU, kDesktop, "WaitToKillAppTimeout", Text("20000")},
        {HKLM, kUnload, "", Text("0")},
        {HKLM, kMemory, "DisablePagingExecutive", Dword(0)},
        {HKLM, kUdma, "EnableUDMA66", Dword(0)},
        {HKLM, kMemory, "IoPageLockLimit", std::nullopt},
        {HKLM, kMemory, "LargeSystemCache", Dword(0)},
        {HKLM, kMemory, "ClearPageFileAtShutdown", Dword(0)},
        {HKLM, kFileSystem, "NtfsDisable8dot3NameCreation", Dword(0)},  // missing: 8.3 names are made
        {HKLM, kFileSystem, "NTFSDisableLastAccessUpdate", Dword(0)},
        {HKLM, kWinlogon, "AutoRestartShell", Dword(0)},
        {HKCU, kSystemPolicies, "DisableRegistryTools", Dword(0)},
        {HKLM, kMemory, "SecondLevelDataCache", std::nullopt},
        {HKLM, kPriority, "Win32PrioritySeparation", Dword(38)},
    });
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kDontLoad));  // the applet option stayed off
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kUserFolders));
    for (const auto& service : pages::system::kServices)
        EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kServices + service.name)) << service.name;
}

TEST_F(SystemPageTest, StoredValuesLoadIntoTheControlsAndOkWritesThemBack)
{
    const std::vector<Expected> stored = {
        {HKCU, kExplorerPolicies, "NoControlPanel", Dword(1)},
        {HKLM, pages::system::kSetupKeyNT, "SourcePath", Text("D:\\I386")},
        {HKLM, kDfrg, "Enable", Text("Y")},
        {HKCU, kWinlogonUser, "ParseAutoexec", Text("1")},
        {HKLM, kCrash, "AutoReboot", Dword(1)},
        {HKCU, kDesktop, "AutoEndTasks", Text("1")},
        {HKCU, kDesktop, "WaitToKillAppTimeout", Text("5000")},
        {HKLM, kUnload, "", Text("1")},
        {HKLM, kMemory, "DisablePagingExecutive", Dword(1)},
        {HKLM, kUdma, "EnableUDMA66", Dword(1)},
        {HKLM, kMemory, "IoPageLockLimit", Dword(4096)},
        {HKLM, kMemory, "LargeSystemCache", Dword(1)},
        {HKLM, kMemory, "ClearPageFileAtShutdown", Dword(1)},
        {HKLM, kFileSystem, "NtfsDisable8dot3NameCreation", Dword(1)},
        {HKLM, kFileSystem, "NTFSDisableLastAccessUpdate", Dword(1)},
        {HKLM, kWinlogon, "AutoRestartShell", Dword(1)},
        {HKCU, kSystemPolicies, "DisableRegistryTools", Dword(1)},
        {HKLM, kMemory, "SecondLevelDataCache", Dword(512)},
        {HKLM, kPriority, "Win32PrioritySeparation", Dword(24)},
    };
    for (const Expected& row : stored)
        Write(row.root, row.key, row.name, *row.value);
    create();
    for (const char* name : {"CheckBox_NoControlPanel", "CheckBox_BootOptimizeFunction", "CheckBox_ParseAutoexec",
                             "CheckBox_AutoReboot", "CheckBox_AutoEndTasks", "CheckBox_AlwaysUnLoadDLL",
                             "CheckBox_DisablePagingExecutive", "CheckBox_EnableUDMA66", "CheckBox_LargeSystemCache",
                             "CheckBox_ClearPageFileAtShutdown", "CheckBox_NTFSDisableLastAccessUpdate",
                             "CheckBox_AutoRestartShell", "CheckBox_DisableRegistryTools"})
        EXPECT_TRUE(box(name).checked()) << name;
    EXPECT_FALSE(box("CheckBox_NtfsDisable8dot3NameCreation").checked());
    EXPECT_EQ(control<ui::Edit>("Edit_SourcePath").text(), "D:\\I386");
    EXPECT_TRUE(control<ui::Edit>("Edit_SourcePath").enabled());
    EXPECT_EQ(control<ui::SpinEdit>("SpinEdit_AutoEndTasks").value(), 5000);
    EXPECT_TRUE(radio("RadioButton_IoPageLockLimit2").checked());
    EXPECT_EQ(control<ui::SpinEdit>("SpinEdit_IoPageLockLimit").value(), 4096);
    EXPECT_TRUE(radio("RadioButton_L2Cache3").checked());
    EXPECT_EQ(control<ui::SpinEdit>("SpinEdit_L2Cache").value(), 512);
    EXPECT_TRUE(radio("RadioButton_Win32PrioritySeparation2").checked());

    pressOk();
    ExpectStored(stored);
    // The path goes back where it was found; the first key stays without it.
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, pages::system::kSetupKey, "SourcePath"), std::nullopt);
}

TEST_F(SystemPageTest, ControlsSetByNameAreSavedAsAWizardSetsThem)
{
    create();
    box("CheckBox_LargeSystemCache").setChecked(true);
    box("CheckBox_NtfsDisable8dot3NameCreation").setChecked(false);
    box("CheckBox_BootOptimizeFunction").setChecked(true);
    box("CheckBox_AutoEndTasks").setChecked(true);
    control<ui::SpinEdit>("SpinEdit_AutoEndTasks").setValue(4000);
    radio("RadioButton_IoPageLockLimit2").setChecked(true);
    control<ui::SpinEdit>("SpinEdit_IoPageLockLimit").setValue(70000);  // beyond the range: its maximum
    radio("RadioButton_Win32PrioritySeparation2").setChecked(true);
    page->SaveSettings();
    ExpectStored({
        {HKLM, kMemory, "LargeSystemCache", Dword(1)},
        {HKLM, kFileSystem, "NtfsDisable8dot3NameCreation", Dword(1)},
        {HKLM, kDfrg, "Enable", Text("Y")},
        {HKCU, kDesktop, "AutoEndTasks", Text("1")},
        {HKCU, kDesktop, "WaitToKillAppTimeout", Text("4000")},
        {HKLM, kMemory, "IoPageLockLimit", Dword(65536)},
        {HKLM, kPriority, "Win32PrioritySeparation", Dword(24)},
    });
}

// --- Errors ------------------------------------------------------------------------

TEST_F(SystemPageTest, ATimeoutThatIsNoNumberIsReportedAndTheOtherRowsStillLoad)
{
    Write(HKCU, kDesktop, "WaitToKillAppTimeout", Text("abc"));
    Write(HKCU, kDesktop, "AutoEndTasks", Text("1"));
    Write(HKLM, kMemory, "LargeSystemCache", Dword(1));
    Write(HKLM, kMemory, "SecondLevelDataCache", Dword(128));
    Write(HKLM, kPriority, "Win32PrioritySeparation", Dword(24));
    Write(HKLM, kServices + "cisvc", "Start", Dword(4));
    create();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "'abc' ist kein gültiger Integerwert");
    EXPECT_TRUE(box("CheckBox_AutoEndTasks").checked());
    EXPECT_TRUE(box("CheckBox_LargeSystemCache").checked());
    EXPECT_TRUE(radio("RadioButton_L2Cache3").checked());
    EXPECT_TRUE(radio("RadioButton_Win32PrioritySeparation2").checked());
    EXPECT_EQ(control<ui::Label>("Label_cisvc").caption(), "Deaktiviert");
}

// The spin edit of a timeout that could not be read shows a number nobody chose: "Ok"
// leaves the stored text alone unless the spin edit was set again, by a wizard setting
// it by name (even to the number it shows) or by the user typing.
TEST_F(SystemPageTest, AFailedRowStaysAsStoredUntilItsControlIsSetAgain)
{
    struct Case {
        const char* what;
        std::function<void(ui::SpinEdit&)> touch;
        Stored expected;
    };
    const Case cases[] = {
        {"untouched", [](ui::SpinEdit&) {}, Text("abc")},
        {"set by name to what it shows", [](ui::SpinEdit& spin) { spin.setValue(spin.value()); }, Text("0")},
        {"set by name", [](ui::SpinEdit& spin) { spin.setValue(5000); }, Text("5000")},
        {"typed", [](ui::SpinEdit& spin) { SetWindowTextA(spin.handle(), "7000"); }, Text("7000")},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        Write(HKCU, kDesktop, "WaitToKillAppTimeout", Text("abc"));
        Write(HKCU, kDesktop, "AutoEndTasks", Text("0"));
        create();
        boxes.clear();
        test.touch(control<ui::SpinEdit>("SpinEdit_AutoEndTasks"));
        box("CheckBox_AutoEndTasks").setChecked(true);
        pressOk();
        EXPECT_TRUE(boxes.shown().empty());
        EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "WaitToKillAppTimeout"), test.expected);
        EXPECT_EQ(Read(HKEY_CURRENT_USER, kDesktop, "AutoEndTasks"), Text("1"));
        Form_System = nullptr;
        page.reset();
    }
}

TEST_F(SystemPageTest, WithoutRightsBelowHKLMOkShowsTheWriteErrorAndThePageStaysOpen)
{
    Write(HKCU, kWinlogonUser, "ParseAutoexec", Text("1"));
    create();
    makeReadOnly(HKEY_LOCAL_MACHINE);
    page->show();
    box("CheckBox_NoControlPanel").setChecked(true);
    box("CheckBox_ParseAutoexec").setChecked(false);
    pressOk();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "Fehler beim Setzen der Daten für 'Enable'");
    EXPECT_TRUE(page->visible());
    // The HKCU row before the failing one is written, the one after it is not.
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kExplorerPolicies, "NoControlPanel"), Dword(1));
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kWinlogonUser, "ParseAutoexec"), Text("1"));
    control<ui::Button>("Button_Abbruch").click();
    EXPECT_FALSE(page->visible());
}

// --- Services ----------------------------------------------------------------------

TEST_F(SystemPageTest, ServiceRowsShowTheStartTypeAndDisableMissingServices)
{
    struct Case {
        const char* service;
        std::optional<int> start;  // nullopt: no key
        const char* status;
        int startIndex;
    };
    const Case cases[] = {
        {"WZCSVC", std::nullopt, "Dienst nicht vorhanden", -1},
        {"WMDMPMSP", 2, "Automatisch", 2},
        {"ClipSrv", 3, "Manuell", 1},
        {"cisvc", 4, "Deaktiviert", 0},
        {"Helpsvc", 0, "XXXX", -1},
        {"wuauserv", 1, "XXXX", -1},
    };
    for (const Case& item : cases)
        if (item.start)
            Write(HKLM, kServices + item.service, "Start", Dword(*item.start));
    create();
    for (const Case& item : cases) {
        const std::string name = item.service;
        EXPECT_EQ(control<ui::Label>("Label_" + name).caption(), item.status) << name;
        EXPECT_EQ(page->ServiceStartIndex(name), item.startIndex) << name;
        EXPECT_EQ(box("CheckBox_" + name).enabled(), item.start.has_value()) << name;
        EXPECT_EQ(control<ui::ComboBox>("ComboBox_" + name).enabled(), item.start.has_value()) << name;
        EXPECT_FALSE(box("CheckBox_" + name).checked()) << name;
    }
    EXPECT_EQ(control<ui::ComboBox>("ComboBox_WZCSVC").items(),
              (std::vector<std::string>{"Deaktivieren (empfohlen)", "Manuell", "Automatisch"}));
    EXPECT_EQ(control<ui::ComboBox>("ComboBox_Helpsvc").items(), control<ui::ComboBox>("ComboBox_WZCSVC").items());
    EXPECT_EQ(control<ui::ComboBox>("ComboBox_Helpsvc").itemIndex(), 1);
    EXPECT_EQ(control<ui::ComboBox>("ComboBox_cisvc").itemIndex(), 0);
}

TEST_F(SystemPageTest, OnlyTickedServicesOfThisMachineAreWritten)
{
    for (const char* service : {"WMDMPMSP", "ClipSrv", "cisvc", "Helpsvc"})
        Write(HKLM, kServices + service, "Start", Dword(3));
    create();
    struct Row {
        const char* service;
        bool ticked;
        int selection;
        std::optional<Stored> start;
    };
    const Row rows[] = {
        {"WMDMPMSP", true, 0, Dword(4)},
        {"ClipSrv", true, 1, Dword(3)},
        {"cisvc", true, 2, Dword(2)},
        {"Helpsvc", false, 0, Dword(3)},  // not ticked: untouched whatever the list shows
        {"WZCSVC", true, 2, std::nullopt},  // no such service: nothing is created
    };
    for (const Row& row : rows) {
        box(std::string("CheckBox_") + row.service).setChecked(row.ticked);
        control<ui::ComboBox>(std::string("ComboBox_") + row.service).setItemIndex(row.selection);
    }
    pressOk();
    for (const Row& row : rows)
        EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kServices + row.service, "Start"), row.start) << row.service;
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kServices + "WZCSVC"));
}

// --- Caches ------------------------------------------------------------------------

TEST_F(SystemPageTest, ZeroOrMissingCacheSizesLoadAsTheWindowsDefaultAndSavingItDeletesThem)
{
    for (const std::optional<Stored>& stored : {std::optional<Stored>(Dword(0)), std::optional<Stored>()}) {
        if (stored) {
            Write(HKLM, kMemory, "IoPageLockLimit", *stored);
            Write(HKLM, kMemory, "SecondLevelDataCache", *stored);
        }
        create();
        EXPECT_TRUE(radio("RadioButton_IoPageLockLimit1").checked());
        EXPECT_TRUE(radio("RadioButton_L2Cache1").checked());
        EXPECT_FALSE(radio("RadioButton_L2Cache2").checked());
        EXPECT_EQ(control<ui::SpinEdit>("SpinEdit_IoPageLockLimit").value(), 16384);
        EXPECT_EQ(control<ui::SpinEdit>("SpinEdit_L2Cache").value(), 256);
        page->SaveSettings();
        EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kMemory, "IoPageLockLimit"), std::nullopt);
        EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kMemory, "SecondLevelDataCache"), std::nullopt);
    }
}

TEST_F(SystemPageTest, TheCpuTypeWritesTheCacheSizeOfItsProcessor)
{
    const int kilobytes[] = {256, 64, 512, 128, 512, 256, 256};
    create();
    radio("RadioButton_L2Cache2").setChecked(true);
    auto& types = control<ui::ComboBox>("ComboBox_L2Cache");
    ASSERT_EQ(types.itemCount(), 7);
    EXPECT_EQ(types.itemIndex(), 0);
    EXPECT_EQ(types.items()[1], "AMD Duron (64)");
    for (int index = 0; index < 7; ++index) {
        types.setItemIndex(index);
        page->SaveSettings();
        EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kMemory, "SecondLevelDataCache"), Dword(kilobytes[index])) << index;
    }
    radio("RadioButton_L2Cache3").setChecked(true);
    control<ui::SpinEdit>("SpinEdit_L2Cache").setValue(4);  // below the range: its minimum
    page->SaveSettings();
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kMemory, "SecondLevelDataCache"), Dword(16));
}

TEST_F(SystemPageTest, PrioritiesOtherThan24LoadAsApplicationsFirst)
{
    for (int stored : {2, 18, 26, 38}) {
        Write(HKLM, kPriority, "Win32PrioritySeparation", Dword(stored));
        create();
        EXPECT_TRUE(radio("RadioButton_Win32PrioritySeparation1").checked()) << stored;
        pressOk();
        EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kPriority, "Win32PrioritySeparation"), Dword(38)) << stored;
    }
}

// --- Installation source path ------------------------------------------------------

TEST_F(SystemPageTest, TheSourcePathComesFromTheFirstKeyThatHasOneAndGoesBackThere)
{
    Write(HKLM, pages::system::kSetupKey, "SourcePath", Text("E:\\"));
    Write(HKLM, pages::system::kSetupKeyNT, "SourcePath", Text("D:\\I386"));
    create();
    auto& edit = control<ui::Edit>("Edit_SourcePath");
    EXPECT_EQ(edit.text(), "E:\\");
    edit.setText("F:\\I386");
    pressOk();
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, pages::system::kSetupKey, "SourcePath"), Text("F:\\I386"));
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, pages::system::kSetupKeyNT, "SourcePath"), Text("D:\\I386"));
}

TEST_F(SystemPageTest, WithoutASourcePathTheEditIsDisabledAndEmpty)
{
    create();
    EXPECT_FALSE(control<ui::Edit>("Edit_SourcePath").enabled());
    EXPECT_EQ(control<ui::Edit>("Edit_SourcePath").text(), "");
    EXPECT_EQ(control<ui::LabelledEdit>("Edit_SourcePath").editLabel().caption(), "Verzeichniss");
}

// --- Shell folders -----------------------------------------------------------------

TEST_F(SystemPageTest, ShellFoldersShowTheUserKeyBeforeThePlainKeyExpanded)
{
    char profile[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH), 0u);
    Write(HKCU, kUserFolders, "Favorites", ExpandText("%USERPROFILE%\\Favoriten"));
    Write(HKCU, kPlainFolders, "Favorites", Text("C:\\Alt\\Favoriten"));
    Write(HKCU, kPlainFolders, "Personal", Text("C:\\Dokumente"));
    Write(HKCU, kUserFolders, "Templates", Text(""));
    create();
    struct Case {
        const char* edit;
        const char* button;
        std::string text;
        bool enabled;
    };
    const Case cases[] = {
        {"Dirs_Favorites", "Button_SetDir_Favorites", std::string(profile) + "\\Favoriten", true},
        {"Dirs_Personal", "Button_SetDir_Personal", "C:\\Dokumente", true},
        {"Dirs_Templates", "Button_SetDir_Templates", "(nicht vorhanden)", false},
        {"Dirs_SendTo", "Button_SetDir_SendTo", "(nicht vorhanden)", false},
    };
    for (const Case& item : cases) {
        EXPECT_EQ(control<ui::Edit>(item.edit).text(), item.text) << item.edit;
        EXPECT_EQ(control<ui::Edit>(item.edit).enabled(), item.enabled) << item.edit;
        EXPECT_EQ(control<ui::Button>(item.button).enabled(), item.enabled) << item.button;
    }
    // Saving never writes shell folders.
    pressOk();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kUserFolders, "Personal"), std::nullopt);
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kUserFolders, "Favorites"), ExpandText("%USERPROFILE%\\Favoriten"));
}

TEST_F(SystemPageTest, SetzenWritesAtOnceOnlyWhatDiffersAndAbbrechenKeepsIt)
{
    Write(HKCU, kPlainFolders, "StartUp", Text("C:\\Autostart"));
    create();
    page->show();
    control<ui::Edit>("Dirs_Startup").setText("D:\\Autostart");
    auto& setStartUp = control<ui::Button>("Button_SetDir_StartUp");
    setStartUp.click();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kUserFolders, "Startup"), ExpandText("D:\\Autostart"));
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kPlainFolders, "StartUp"), Text("C:\\Autostart"));

    // The second press finds the same text stored and writes nothing: the value
    // keeps the type it was given in between.
    Write(HKCU, kUserFolders, "Startup", Text("D:\\Autostart"));
    setStartUp.click();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kUserFolders, "Startup"), Text("D:\\Autostart"));
    control<ui::Edit>("Dirs_Startup").setText("E:\\Autostart");
    setStartUp.click();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kUserFolders, "Startup"), ExpandText("E:\\Autostart"));

    control<ui::Button>("Button_Abbruch").click();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kUserFolders, "Startup"), ExpandText("E:\\Autostart"));
}

TEST_F(SystemPageTest, SetzenOfAFolderWithoutValueWritesNothing)
{
    create();
    auto& button = control<ui::Button>("Button_SetDir_Personal");
    EXPECT_FALSE(button.enabled());
    page->Button_SetDir_PersonalClick();  // as a wizard might call it
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kUserFolders, "Personal"), std::nullopt);
}

// --- Status labels after localisation ----------------------------------------------

TEST_F(SystemPageTest, StatusLabelsKeepTheirTextAfterLocalisation)
{
    Write(HKLM, kServices + "W32Time", "Start", Dword(2));
    create();
    EXPECT_EQ(control<ui::Label>("Label_W32Time").caption(), "Automatisch");
    EXPECT_EQ(control<ui::Label>("LabelStatus_W32Time").caption(), "Status:");
}

}  // namespace
