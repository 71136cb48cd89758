// Each preset writes exactly what a user writes who opens the same pages, sets the same
// controls and presses "Ok": the registry and the pages' files end up identical. The
// wizard's log names every control that it changed, under the caption of its page, in
// the order of the changes, and nothing else. The user's steps below are written down
// from the presets' tables, independently of the program's own.
#include "wizards_fixture.h"

#include "autostart/autorun_form.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/ie_form.h"
#include "pages/officexp_form.h"
#include "pages/startmenu_form.h"
#include "pages/system_form.h"
#include "ui/combobox.h"
#include "ui/pagecontrol.h"
#include "ui/spinedit.h"

#include <functional>

using namespace wizard_test;
using language::LangString;
using wizards::WizardPage;

namespace {

enum class Do { On, Off, Select, Service, Spin, Item, Press };

// One thing the user does on a page; only when the option box of the wizard page is
// ticked, where one is named.
struct HandStep {
    Do what;
    const char* control;
    int value = 0;
    const char* option = nullptr;
};

struct HandPage {
    WizardPage page;
    std::vector<HandStep> steps;
};

HandStep On(const char* box, const char* option = nullptr)
{
    return {Do::On, box, 1, option};
}
HandStep Off(const char* box, const char* option = nullptr)
{
    return {Do::Off, box, 0, option};
}
HandStep Select(const char* radio)
{
    return {Do::Select, radio};
}
HandStep Service(const char* name, int item)
{
    return {Do::Service, name, item};
}

constexpr int kDisable = 0, kManual = 1, kAutomatic = 2;

// --- The presets as a user would carry them out ------------------------------------------

std::vector<HandPage> LookPagesByHand(const std::string& sheet)
{
    static std::vector<std::string> names;  // keeps the option names alive for the steps
    names = {"CheckBox_" + sheet + "_Optik1", "CheckBox_" + sheet + "_Optik2", "CheckBox_" + sheet + "_MSMSGS",
             "CheckBox_" + sheet + "_NoRecentDocsHistory"};
    const char* fewer = names[0].c_str();
    const char* none = names[1].c_str();
    const char* messenger = names[2].c_str();
    const char* recent = names[3].c_str();
    return {
        {WizardPage::Explorer,
         {Off("CheckBox_FontSmoothing", fewer), Off("CheckBox_BackBitmapShell", fewer),
          Off("CheckBox_PaintPicture", fewer), Off("CheckBox_DragFullWindows", none),
          Off("CheckBox_MenuSchatten", none), Off("CheckBox_FontSmoothing", none),
          Off("CheckBox_BackBitmapShell", none), Off("CheckBox_PaintPicture", none)}},
        {WizardPage::IE, {Off("CheckBox_BackBitmap", fewer), Off("CheckBox_BackBitmap", none)}},
        {WizardPage::OfficeXP, {Off("CheckBox_MSMSGS", messenger), On("CheckBox_MSMSGS_Hide")}},
        {WizardPage::Startmenu,
         {On("CheckBox_NoRecentDocsHistory", recent), Off("CheckBox_EnableBalloonTips"),
          Off("CheckBox_NoLowDiskSpaceChecks")}},
    };
}

std::vector<HandStep> ServicesOffByHand()
{
    return {Service("WZCSVC", kDisable),  Service("WMDMPMSP", kDisable),       Service("ClipSrv", kDisable),
            Service("cisvc", kDisable),   Service("Helpsvc", kManual),         Service("W32Time", kDisable),
            Service("mnmsrvc", kDisable), Service("RemoteRegistry", kDisable), Service("Tlntsvr", kDisable)};
}

std::vector<HandPage> StandardByHand()
{
    std::vector<HandPage> pages = LookPagesByHand("STANDARD");
    HandPage system{WizardPage::System,
                    {On("CheckBox_BootOptimizeFunction"), On("CheckBox_AutoReboot"), On("CheckBox_AutoRestartShell"),
                     Off("CheckBox_ClearPageFileAtShutdown"), Off("CheckBox_LargeSystemCache"),
                     Select("RadioButton_Win32PrioritySeparation1"), On("CheckBox_NTFSDisableLastAccessUpdate"),
                     Select("RadioButton_IoPageLockLimit1")}};
    for (const HandStep& step : ServicesOffByHand())
        system.steps.push_back(step);
    pages.push_back(system);
    return pages;
}

std::vector<HandPage> SpeedByHand(int ramItem, int cpuItem)
{
    std::vector<HandPage> pages = LookPagesByHand("SPEED");
    HandPage system{WizardPage::System, {}};
    auto& steps = system.steps;
    steps.push_back(ramItem <= 3 ? Off("CheckBox_DisablePagingExecutive") : On("CheckBox_DisablePagingExecutive"));
    steps.push_back(Select("RadioButton_IoPageLockLimit2"));
    steps.push_back({Do::Spin, "SpinEdit_IoPageLockLimit", ramItem <= 1 ? 16384 : 32768});
    steps.push_back(Select("RadioButton_L2Cache1"));
    if (cpuItem == 0) {
        steps.push_back(Select("RadioButton_L2Cache1"));
    } else {
        steps.push_back(Select("RadioButton_L2Cache2"));
        steps.push_back({Do::Item, "ComboBox_L2Cache", cpuItem - 1});
    }
    for (const HandStep& step :
         {On("CheckBox_BootOptimizeFunction"), On("CheckBox_AutoReboot"), On("CheckBox_AutoRestartShell"),
          Off("CheckBox_ClearPageFileAtShutdown"), Select("RadioButton_Win32PrioritySeparation1"),
          On("CheckBox_NTFSDisableLastAccessUpdate")})
        steps.push_back(step);
    for (const HandStep& step : ServicesOffByHand())
        steps.push_back(step);
    pages.push_back(system);
    return pages;
}

std::vector<HandPage> PolicyByHand()
{
    return {
        {WizardPage::IE,
         {On("CheckBox_NoBrowserSaveAs", "CheckBox_NoBrowserSaveAs"), On("CheckBox_Persistent"),
          On("CheckBox_GeneralTab"), On("CheckBox_SecurityTab"), On("CheckBox_ContentTab"),
          On("CheckBox_ConnectionsTab"), On("CheckBox_ProgramsTab"), On("CheckBox_AdvancedTab"),
          On("CheckBox_Connwiz_Admin_Lock"), On("CheckBox_SecChangeSettings"), On("CheckBox_SecAddSites"),
          On("CheckBox_CertifPers"), On("CheckBox_ResetWebSettings")}},
        {WizardPage::OfficeXP, {On("CheckBox_PreventRun", "CheckBox_PreventRun")}},
        {WizardPage::System,
         {On("CheckBox_ClearPageFileAtShutdown"), On("CheckBox_NoControlPanel"), On("CheckBox_DisableRegistryTools")}},
        {WizardPage::Explorer,
         {On("CheckBox_NoFolderOptions", "CheckBox_NoFolderOptions"),
          On("CheckBox_NoCDBurning", "CheckBox_NoCDBurning"), Off("CheckBox_NukeOnDelete"), On("CheckBox_NoDispCPL"),
          On("CheckBox_NoFileAssociate_XP")}},
        {WizardPage::Startmenu,
         {On("CheckBox_NoClose", "CheckBox_NoClose"), Off("CheckBox_StartMenuAdminTools"), On("CheckBox_NoRun"),
          On("CheckBox_TaskbarSizeMove")}},
        {WizardPage::Anmelden,
         {Off("CheckBox_Administrator", "CheckBox_Administrator"), Off("CheckBox_AllowMultipleTSSessions"),
          On("CheckBox_IgnoreShiftOverride")}},
    };
}

std::vector<HandPage> RescueByHand()
{
    const char* lift = "CheckBox_RETTUNG_Policy";
    return {
        {WizardPage::Anmelden,
         {Off("CheckBox_AutoLogON", "CheckBox_AutoLogON"), Off("CheckBox_IgnoreShiftOverride"),
          Off("CheckBox_AutoLogonCount"), On("CheckBox_AllowMultipleTSSessions"), Off("CheckBox_LogonType"),
          Off("CheckBox_DisableCAD")}},
        {WizardPage::Autorun,
         {On("CheckBox_DriveTyp_CDROM"), On("CheckBox_DriveTyp_Removable"), On("CheckBox_DriveTyp_RAM"),
          On("CheckBox_DriveTyp_Fixed"), On("CheckBox_CDROM_AutoRun")}},
        {WizardPage::Explorer,
         {Off("CheckBox_NoDispCPL", lift),
          Off("CheckBox_NoDispSettingsPage", lift),
          Off("CheckBox_NoViewContextMenu", lift),
          Off("CheckBox_NoFileMenu", lift),
          On("CheckBox_LNKs"),
          On("CheckBox_PIFs"),
          Off("CheckBox_LNKsmit"),
          Off("CheckBox_PaintDesktopVersion"),
          On("CheckBox_DragFullWindows"),
          On("CheckBox_MenuSchatten"),
          Off("CheckBox_FontSmoothing"),
          Off("CheckBox_WallPaperXY"),
          Off("CheckBox_BackBitmapShell"),
          {Do::Press, "Button_SymboleRESET"},
          Off("CheckBox_NoInstrumentation"),
          Off("CheckBox_NoCDBurning"),
          Off("CheckBox_NoActiveDesktop"),
          Off("CheckBox_CommandPrompt"),
          Off("CheckBox_Notepad"),
          Off("CheckBox_NukeOnDelete")}},
        {WizardPage::IE,
         {Off("CheckBox_NoFileNew", lift), Off("CheckBox_NoFavorites", lift), Off("CheckBox_NoBrowserOptions", lift),
          Off("CheckBox_NoSelectDownloadDir", lift), Off("CheckBox_NoBrowserContextMenu", lift),
          Off("CheckBox_NoBrowserClose", lift), Off("CheckBox_GeneralTab", lift), Off("CheckBox_ConnectionsTab", lift),
          Off("CheckBox_AdvancedTab", lift), Off("CheckBox_Connwiz_Admin_Lock", lift),
          Off("CheckBox_ResetWebSettings", lift), Off("CheckBox_WindowTitle"), Off("CheckBox_Persistent"),
          Off("CheckBox_NotifyDownloadComplete")}},
        {WizardPage::OfficeXP,
         {On("CheckBox_MSMSGS", "CheckBox_MSMSGS"), Off("CheckBox_PreventRun", "CheckBox_MSMSGS")}},
        // "Uhr anzeigen" ticked: the clock comes back, as the other tray restrictions go.
        {WizardPage::Startmenu,
         {On("CheckBox_Start_NotifyNewApps"), Off("CheckBox_NoSimpleStartMenu"), Select("RadioButton_MenuShowDelay3"),
          Off("CheckBox_StartMenuLogoff"), Off("CheckBox_NoClose"), Off("CheckBox_NoFind"),
          On("CheckBox_EnableBalloonTips"), On("CheckBox_HideClock"), Off("CheckBox_NoTrayItemsDisplay"),
          Off("CheckBox_NoToolbarsOnTaskbar"), Off("CheckBox_NoTrayContextMenu")}},
        {WizardPage::System,
         {Off("CheckBox_NoControlPanel", lift), On("CheckBox_BootOptimizeFunction"), Off("CheckBox_AlwaysUnLoadDLL"),
          Off("CheckBox_DisablePagingExecutive"), Select("RadioButton_IoPageLockLimit1"),
          Off("CheckBox_ClearPageFileAtShutdown"), Off("CheckBox_LargeSystemCache"), Off("CheckBox_EnableUDMA66"),
          Select("RadioButton_L2Cache1"), Select("RadioButton_Win32PrioritySeparation1"), Service("WZCSVC", kAutomatic),
          Service("WMDMPMSP", kAutomatic), Service("ClipSrv", kAutomatic), Service("cisvc", kAutomatic),
          Service("Helpsvc", kManual), Service("wuauserv", kAutomatic), Service("W32Time", kAutomatic)}},
    };
}

// --- The log the user's changes call for ------------------------------------------------

std::string Shown(std::string caption)
{
    for (auto at = caption.find("&&"); at != std::string::npos; at = caption.find("&&", at + 1))
        caption.erase(at, 1);
    return caption;
}

std::string StateLine(const std::string& caption, bool on)
{
    return LangString(3903) + " \"" + Shown(caption) + "\" " + LangString(3909) + " " + LangString(on ? 3907 : 3908);
}

std::string ServiceLine(const std::string& caption, const std::string& from, const std::string& to)
{
    return LangString(3903) + " \"" + Shown(caption) + "\" " + LangString(3904) + " \"" + from + "\" " +
           LangString(3905) + " \"" + to + "\" " + LangString(3906);
}

// The start type of a service as the item of its list; -1 for none or another.
int StartItem(const std::string& service)
{
    switch (DwordOf(HKEY_LOCAL_MACHINE, kServices + service, "Start")) {
    case 4: return 0;
    case 3: return 1;
    case 2: return 2;
    default: return -1;
    }
}

// Opens the page hidden as the program does, carries out the steps, presses "Ok", and
// adds what the log must say about it.
template <class Page>
void DoByHand(Page*& reference, const std::vector<HandStep>& steps, const ui::Component& options,
              std::vector<std::string>& log)
{
    auto page = std::make_unique<Page>();
    reference = page.get();
    language::LocalizeComponent(*page);
    std::vector<std::string> lines;
    for (const HandStep& step : steps) {
        if (step.option && !options.find<ui::CheckBox>(step.option).checked())
            continue;
        switch (step.what) {
        case Do::On:
        case Do::Off: {
            auto& box = page->template find<ui::CheckBox>(step.control);
            const bool wanted = step.what == Do::On;
            if (box.enabled() && box.checked() != wanted) {
                box.setChecked(wanted);
                lines.push_back(StateLine(box.caption(), wanted));
            }
            break;
        }
        case Do::Select: {
            auto& radio = page->template find<ui::RadioButton>(step.control);
            if (radio.enabled() && !radio.checked()) {
                radio.setChecked(true);
                lines.push_back(StateLine(radio.caption(), true));
            }
            break;
        }
        case Do::Service: {
            auto& box = page->template find<ui::CheckBox>(std::string("CheckBox_") + step.control);
            auto& list = page->template find<ui::ComboBox>(std::string("ComboBox_") + step.control);
            const int current = StartItem(step.control);
            if (box.enabled() && current >= 0 && current != step.value) {
                box.setChecked(true);
                list.setItemIndex(step.value);
                lines.push_back(ServiceLine(box.caption(), list.items()[static_cast<std::size_t>(current)],
                                            list.items()[static_cast<std::size_t>(step.value)]));
            }
            break;
        }
        case Do::Spin:
            if (auto& spin = page->template find<ui::SpinEdit>(step.control); spin.enabled())
                spin.setValue(step.value);
            break;
        case Do::Item:
            if (auto& list = page->template find<ui::ComboBox>(step.control); list.enabled())
                list.setItemIndex(step.value);
            break;
        case Do::Press: page->template find<ui::Button>(step.control).click(); break;
        }
    }
    if (!lines.empty()) {
        log.push_back(LangString(3901) + " \"" + page->caption() + "\" " + LangString(3902));
        log.insert(log.end(), lines.begin(), lines.end());
        log.emplace_back();
    }
    page->template find<ui::Button>("Button_Apply").click();
    reference = nullptr;
}

std::vector<std::string> DoByHand(const std::vector<HandPage>& pagesByHand, const ui::Component& options)
{
    std::vector<std::string> log;
    for (const HandPage& page : pagesByHand) {
        switch (page.page) {
        case WizardPage::Explorer: DoByHand(pages::Form_Explorer, page.steps, options, log); break;
        case WizardPage::IE: DoByHand(pages::Form_IE, page.steps, options, log); break;
        case WizardPage::OfficeXP: DoByHand(pages::Form_OfficeXP, page.steps, options, log); break;
        case WizardPage::Startmenu: DoByHand(pages::Form_Startmenu, page.steps, options, log); break;
        case WizardPage::System: DoByHand(pages::Form_System, page.steps, options, log); break;
        case WizardPage::Anmelden: DoByHand(pages::Form_Anmelden, page.steps, options, log); break;
        case WizardPage::Autorun: DoByHand(autostart::Form_Autorun, page.steps, options, log); break;
        }
    }
    return log;
}

std::vector<std::string> Texts(const std::vector<ui::MessageBoxRequest>& shown)
{
    std::vector<std::string> texts;
    for (const ui::MessageBoxRequest& box : shown)
        texts.push_back(box.text);
    return texts;
}

}  // namespace

class PresetByHandTest : public WizardTest {
protected:
    struct Run {
        const char* button;
        std::vector<HandPage> byHand;
        std::vector<std::string> questions;      // the preset's own questions before it starts
        std::vector<ui::MsgButton> pageAnswers;  // the pages' questions, by hand as by the wizard
    };

    // Carries the preset out by hand, then, on the same starting registry, by the wizard.
    void expectSameAsByHand(const Run& run)
    {
        boxes.clear();
        for (ui::MsgButton answer : run.pageAnswers)
            boxes.answer(answer);
        std::vector<std::string> expectedLog = DoByHand(run.byHand, *wizard);
        const std::vector<std::string> pageQuestions = Texts(boxes.shown());
        const testing_support::RegistrySnapshot byHand = testing_support::SnapshotRegistry();
        const std::string sysocByHand = FileBytes(sysocFile());
        const std::string winIniByHand = FileBytes(winIni());
        ASSERT_GT(expectedLog.size(), 4u) << "the starting registry should give the preset work";

        EmptyRegistry();
        writeFiles();
        prepareUser();
        prepareLivedInSystem();
        boxes.clear();
        for (std::size_t question = 0; question < run.questions.size(); ++question)
            boxes.answer(ui::MsgButton::Yes);
        for (ui::MsgButton answer : run.pageAnswers)
            boxes.answer(answer);
        start(run.button);

        const testing_support::RegistrySnapshot byWizard = testing_support::SnapshotRegistry();
        EXPECT_EQ(Differences(byHand, byWizard), "");
        EXPECT_EQ(FileBytes(sysocFile()), sysocByHand);
        EXPECT_EQ(FileBytes(winIni()), winIniByHand);

        expectedLog.push_back(LangString(3912));
        expectedLog.push_back(LangString(3913));
        EXPECT_EQ(logLines(), expectedLog);

        std::vector<std::string> expectedBoxes = run.questions;
        expectedBoxes.insert(expectedBoxes.end(), pageQuestions.begin(), pageQuestions.end());
        expectedBoxes.push_back(LangString(3914));
        EXPECT_EQ(Texts(boxes.shown()), expectedBoxes);
        EXPECT_EQ(boxes.last().kind, ui::MsgKind::Information);
        EXPECT_EQ(wizard->PageControl1().activePageIndex(), wizards::kSheetResult);
        EXPECT_TRUE(wizard->find<ui::Button>("Button_NOTEPAD").enabled());
    }

    std::string confirmation() const { return language::LangStringRange(3920, 3921); }
};

TEST_F(PresetByHandTest, StandardWithEveryOptionEqualsTheSameWorkByHand)
{
    prepareLivedInSystem();
    openWizard();
    tick({"CheckBox_STANDARD_Optik1", "CheckBox_STANDARD_Optik2", "CheckBox_STANDARD_MSMSGS",
          "CheckBox_STANDARD_NoRecentDocsHistory"});
    expectSameAsByHand({"Button_STANDARD", StandardByHand(), {confirmation()}, {}});
}

TEST_F(PresetByHandTest, SpeedWithMemoryAndProcessorChosenEqualsTheSameWorkByHand)
{
    prepareLivedInSystem();
    openWizard();
    wizard->ComboBox_SPEED_RAM().setItemIndex(2);  // 256 MB
    wizard->ComboBox_Speed_CPU().setItemIndex(2);  // "AMD Duron (64)"
    tick({"CheckBox_SPEED_MSMSGS"});
    expectSameAsByHand({"Button_SPEED", SpeedByHand(2, 2), {confirmation()}, {}});
    // The processor's cache size, after the default button and the processor's button in the log.
    EXPECT_EQ(DwordOf(HKEY_LOCAL_MACHINE, kMemory, "SecondLevelDataCache"), 64);
}

// Saving the Logon page with automatic logon on asks about it, by hand as by the wizard.
TEST_F(PresetByHandTest, PolicyWithEveryOptionEqualsTheSameWorkByHandAndTheLogonPageAsks)
{
    prepareLivedInSystem();
    openWizard();
    tick({"CheckBox_NoBrowserSaveAs", "CheckBox_PreventRun", "CheckBox_Administrator", "CheckBox_NoFolderOptions",
          "CheckBox_NoClose", "CheckBox_NoCDBurning"});
    expectSameAsByHand({"Button_POLICY",
                        PolicyByHand(),
                        {language::LangStringRange(3970, 3974), confirmation()},
                        {ui::MsgButton::No}});
    const std::vector<std::string> shown = Texts(boxes.shown());
    EXPECT_NE(std::find(shown.begin(), shown.end(), language::LangStrings({2910, 2911})), shown.end());
    EXPECT_EQ(TextOf(HKEY_LOCAL_MACHINE, kWinlogon, "AutoAdminLogon"), "1");  // "No" keeps it as it was
}

// The icon reset asks on its own, by hand as by the wizard.
TEST_F(PresetByHandTest, RescueWithEveryOptionEqualsTheSameWorkByHand)
{
    prepareLivedInSystem();
    openWizard();
    tick({"CheckBox_AutoLogON", "CheckBox_RETTUNG_Policy", "CheckBox_MSMSGS"});
    expectSameAsByHand({"Button_RETTUNG", RescueByHand(), {confirmation()}, {ui::MsgButton::Yes}});
    EXPECT_FALSE(
        ReadRawValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons", "3"));
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "HideClock"), 0);  // the clock is shown again
}
