// What the option boxes and the memory list change in the presets, repeated runs, a
// page that cannot be saved in the middle of a run, and the names the presets use.
#include "wizards_fixture.h"

#include "autostart/autorun_form.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/ie_form.h"
#include "pages/officexp_form.h"
#include "pages/startmenu_form.h"
#include "pages/system_form.h"
#include "ui/combobox.h"
#include "ui/single_instance.h"
#include "ui/spinedit.h"
#include "wizards/wizard_presets.h"

#include <algorithm>
#include <functional>
#include <map>

using namespace wizard_test;
using language::LangString;
using wizards::Preset;
using wizards::Step;
using wizards::WizardPage;

namespace {

bool LogMentions(const std::vector<std::string>& log, const std::string& caption)
{
    return std::any_of(log.begin(), log.end(),
                       [&](const std::string& line) { return line.find("\"" + caption + "\"") != std::string::npos; });
}

}  // namespace

class PresetOptionsTest : public WizardTest {
protected:
    // Starts afresh: the registry emptied and the files and the user's folder back.
    void startAfresh() const
    {
        EmptyRegistry();
        writeFiles();
        prepareUser();
    }
};

// Without any option box ticked, Policy still locks the Internet Options' tabs, the
// Control Panel and the registry editors, and hides "Ausführen"; what the boxes add
// stays as it was.
TEST_F(PresetOptionsTest, PolicyWithoutOptionsStillLocksTabsControlPanelRegistryEditorsAndRun)
{
    SetDword(HKEY_CURRENT_USER, kIERestrictions, "NoBrowserSaveAs", 0);
    SetDword(HKEY_LOCAL_MACHINE, kMessengerPolicy, "PreventRun", 0);
    SetDword(HKEY_CURRENT_USER, kExplorerPolicies, "NoFolderOptions", 0);
    SetDword(HKEY_CURRENT_USER, kExplorerPolicies, "NoCDBurning", 0);
    SetDword(HKEY_CURRENT_USER, kExplorerPolicies, "NoClose", 0);
    SetDword(HKEY_LOCAL_MACHINE, kUserList, "Administrator", 1);
    openWizard();

    start("Button_POLICY");

    for (const char* tab : {"GeneralTab", "SecurityTab", "ContentTab", "ConnectionsTab", "ProgramsTab", "AdvancedTab"})
        EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kIEControlPanel, tab), 1) << tab;
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "NoControlPanel"), 1);
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kSystemPolicies, "DisableRegistryTools"), 1);
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "NoRun"), 1);
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kIERestrictions, "NoBrowserSaveAs"), 0);
    EXPECT_EQ(DwordOf(HKEY_LOCAL_MACHINE, kMessengerPolicy, "PreventRun"), 0);
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "NoFolderOptions"), 0);
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "NoCDBurning"), 0);
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "NoClose"), 0);
    EXPECT_EQ(DwordOf(HKEY_LOCAL_MACHINE, kUserList, "Administrator"), 1);
}

// Without "Einschränkungen aufheben", Rescue leaves the Control Panel lock and the
// Internet Explorer's menu locks as they are, and does all the rest.
TEST_F(PresetOptionsTest, RescueWithoutLiftingRestrictionsKeepsTheControlPanelAndBrowserLocks)
{
    prepareLivedInSystem();
    openWizard();
    tick({"CheckBox_RETTUNG_Policy"}, false);

    start("Button_RETTUNG");

    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "NoControlPanel"), 1);
    for (const char* lock : {"NoFileNew", "NoFavorites", "NoBrowserClose"})
        EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kIERestrictions, lock), 1) << lock;
    for (const char* lock : {"GeneralTab", "AdvancedTab", "ResetWebSettings"})
        EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kIEControlPanel, lock), 1) << lock;
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kSystemPolicies, "NoDispCPL"), 1);
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "NoViewContextMenu"), 1);
    // The rest is done all the same.
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kIEMain, "Window Title"), "(missing)");
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "NoCDBurning"), 0);
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "StartMenuLogoff"), 0);
    EXPECT_EQ(TextOf(HKEY_LOCAL_MACHINE, kWinlogon, "AutoAdminLogon"), "0");
    const std::vector<std::string> log = logLines();
    EXPECT_FALSE(LogMentions(log, "Systemsteuerung nicht anzeigen und Aufruf aller Applets sperren"));
    EXPECT_TRUE(LogMentions(log, "Diesen Fenstertitel verwenden:"));
}

// SPEED's cache limit and kernel paging follow the memory chosen: 16384 KB below 256 MB,
// 32768 KB from 256 MB on; the kernel stays in memory only from 512 MB on.
TEST_F(PresetOptionsTest, SpeedSetsTheCacheLimitAndKernelPagingByTheMemoryChosen)
{
    const struct {
        int item;
        long long limit;
        long long kernelInMemory;
    } cases[] = {{1, 16384, 0}, {2, 32768, 0}, {5, 32768, 1}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(LangString(3940 + entry.item));
        startAfresh();
        prepareLivedInSystem();  // the kernel in memory, a limit of 8192 KB
        SetDword(HKEY_LOCAL_MACHINE, kMemory, "DisablePagingExecutive", entry.kernelInMemory ? 0 : 1);
        openWizard();
        wizard->ComboBox_SPEED_RAM().setItemIndex(entry.item);
        boxes.clear();

        start("Button_SPEED");

        EXPECT_EQ(DwordOf(HKEY_LOCAL_MACHINE, kMemory, "IoPageLockLimit"), entry.limit);
        EXPECT_EQ(DwordOf(HKEY_LOCAL_MACHINE, kMemory, "DisablePagingExecutive"), entry.kernelInMemory);
        EXPECT_TRUE(LogMentions(logLines(),
                                "XP-Kernel komplett im Arbeitsspeicher halten und keinen Teil davon auf "
                                "Festplatte auslagern"));
        EXPECT_EQ(boxes.shown().front().text, language::LangStringRange(3930, 3932));  // no processor chosen
    }
}

// A preset run twice: the second run finds everything as the first left it, changes
// nothing, and says so. (SPEED without a processor: with one, the System page loads the
// processor's cache size as a size of its own, so the two cache buttons are set again.)
TEST_F(PresetOptionsTest, TheSecondRunOfAPresetChangesNothingAndSaysSo)
{
    for (const char* button : {"Button_STANDARD", "Button_SPEED", "Button_POLICY", "Button_RETTUNG"}) {
        SCOPED_TRACE(button);
        startAfresh();
        prepareLivedInSystem();
        openWizard();
        start(button);
        ASSERT_GT(logLines().size(), 3u);
        const testing_support::RegistrySnapshot afterFirst = testing_support::SnapshotRegistry();
        const std::string sysoc = FileBytes(sysocFile());
        boxes.clear();

        start(button);

        EXPECT_EQ(Differences(afterFirst, testing_support::SnapshotRegistry()), "");
        EXPECT_EQ(FileBytes(sysocFile()), sysoc);
        EXPECT_EQ(logLines(), std::vector<std::string>{LangString(3910)});
        EXPECT_EQ(boxes.last().kind, ui::MsgKind::Warning);
        EXPECT_EQ(boxes.last().text, LangString(3911));
        EXPECT_FALSE(wizard->find<ui::Button>("Button_NOTEPAD").enabled());
        EXPECT_EQ(wizard->PageControl1().activePageIndex(), wizards::kSheetResult);
    }
}

// STANDARD on a system whose Explorer, browser and Messenger already are as it wants
// them: only the pages it changed have a heading in the log.
TEST_F(PresetOptionsTest, APageWithoutChangesHasNoHeadingInTheLog)
{
    prepareLivedInSystem();
    openWizard();  // no option box ticked: Explorer and Internet Explorer have nothing to do
    // The Messenger can already be removed in the Control Panel.
    folder.file("Windows\\inf\\sysoc.inf", "[Components]\r\nmsmsgs=msgrocm.dll,OcEntry,msmsgs.inf,,7\r\n");

    start("Button_STANDARD");

    std::vector<std::string> headings;
    for (const std::string& line : logLines())
        if (line.rfind(LangString(3901) + " \"", 0) == 0)
            headings.push_back(line);
    const auto heading = [](int title) {
        return LangString(3901) + " \"" + LangString(title) + "\" " + LangString(3902);
    };
    EXPECT_EQ(headings, (std::vector<std::string>{heading(14000), heading(15000)}));
}

// A page that cannot be saved (no rights for HKLM) shows its error; the run goes on with
// the next page and ends as usual.
TEST_F(PresetOptionsTest, APageThatCannotBeSavedIsReportedAndTheRunGoesOn)
{
    prepareLivedInSystem();
    SetDword(HKEY_CURRENT_USER, kExplorerPolicies, "NoControlPanel", 0);
    makeReadOnly(HKEY_LOCAL_MACHINE);
    openWizard();

    start("Button_POLICY");

    std::vector<std::string> errors;
    for (const ui::MessageBoxRequest& box : boxes.shown())
        if (box.kind == ui::MsgKind::Error)
            errors.push_back(box.text);
    // Office and Messenger, System, Explorer and Logon each stop at their first row under HKLM.
    EXPECT_EQ(errors.size(), 4u);
    EXPECT_EQ(boxes.last().text, LangString(3914));
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kIEControlPanel, "GeneralTab"), 1);        // before the failures
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "NoControlPanel"), 1);  // the System page's first row
    EXPECT_EQ(DwordOf(HKEY_CURRENT_USER, kExplorerPolicies, "NoRun"), 1);           // a page after the failures
}

// A preset that names a control its page does not have, or an option box the wizard page
// does not have, stops the run there: nothing of that page is saved, no page is left.
TEST_F(PresetOptionsTest, APresetNamingAControlThatIsNotThereStopsTheRun)
{
    openWizard();
    const testing_support::RegistrySnapshot before = testing_support::SnapshotRegistry();
    const Preset wrongControl{
        {WizardPage::System,
         {{Step::Check, "CheckBox_NoControlPanel", 1, ""}, {Step::Check, "CheckBox_Gibtsnicht", 1, ""}}}};
    const Preset wrongKind{{WizardPage::Startmenu, {{Step::Radio, "CheckBox_NoRun", 0, ""}}}};
    const Preset wrongOption{{WizardPage::Startmenu, {{Step::Check, "CheckBox_NoRun", 1, "CheckBox_Gibtsnicht"}}}};
    for (const Preset* preset : {&wrongControl, &wrongKind, &wrongOption}) {
        EXPECT_THROW(wizards::ApplyPreset(*preset, wizard->steps(), *wizard), wizards::WizardControlMissing);
        EXPECT_EQ(pages::Form_System, nullptr);
        EXPECT_EQ(pages::Form_Startmenu, nullptr);
        EXPECT_EQ(wizard->steps().currentPage(), nullptr);
    }
    EXPECT_EQ(Differences(before, testing_support::SnapshotRegistry()), "");
}

namespace {

// A page as a run creates it, for looking up the names the presets use.
template <class Page>
std::unique_ptr<ui::Form> Create()
{
    auto page = std::make_unique<Page>();
    language::LocalizeComponent(*page);
    return page;
}

std::unique_ptr<ui::Form> CreatePage(WizardPage page)
{
    switch (page) {
    case WizardPage::Explorer: return Create<pages::TForm_Explorer>();
    case WizardPage::IE: return Create<pages::TForm_IE>();
    case WizardPage::OfficeXP: return Create<pages::TForm_OfficeXP>();
    case WizardPage::Startmenu: return Create<pages::TForm_Startmenu>();
    case WizardPage::System: return Create<pages::TForm_System>();
    case WizardPage::Anmelden: return Create<pages::TForm_Anmelden>();
    case WizardPage::Autorun: return Create<autostart::TForm_Autorun>();
    }
    return nullptr;
}

// Whether the page has a control of the kind the row's step works on.
bool HasControlFor(const ui::Form& page, const wizards::PresetRow& row)
{
    const auto is = [&](const std::string& name, auto* kind) {
        return dynamic_cast<decltype(kind)>(page.findComponent(name)) != nullptr;
    };
    switch (row.step) {
    case Step::Check: return is(row.control, static_cast<ui::CheckBox*>(nullptr));
    case Step::Radio: return is(row.control, static_cast<ui::RadioButton*>(nullptr));
    case Step::Service:
        return is("CheckBox_" + row.control, static_cast<ui::CheckBox*>(nullptr)) &&
               is("ComboBox_" + row.control, static_cast<ui::ComboBox*>(nullptr));
    case Step::SpinValue: return is(row.control, static_cast<ui::SpinEdit*>(nullptr));
    case Step::ComboItem: return is(row.control, static_cast<ui::ComboBox*>(nullptr));
    case Step::Click: return is(row.control, static_cast<ui::Button*>(nullptr));
    }
    return false;
}

}  // namespace

// Every control and option box every preset names is there, of the kind it is used as,
// also where the preset's options, memory and processor make a run skip it.
TEST_F(PresetOptionsTest, EveryNameThePresetsUseIsOnItsPage)
{
    openWizard();
    std::vector<Preset> presets{wizards::StandardPreset(), wizards::PolicyPreset(), wizards::RescuePreset()};
    for (int ram = 0; ram < wizards::kRamItemCount; ++ram)
        for (int cpu : {0, 1, 7})
            presets.push_back(wizards::SpeedPreset(ram, cpu));
    std::map<WizardPage, std::vector<wizards::PresetRow>> rowsByPage;
    for (const Preset& preset : presets)
        for (const wizards::PresetPage& page : preset)
            rowsByPage[page.page].insert(rowsByPage[page.page].end(), page.rows.begin(), page.rows.end());
    EXPECT_EQ(rowsByPage.size(), 7u);
    for (const auto& [which, rows] : rowsByPage) {
        const std::unique_ptr<ui::Form> page = CreatePage(which);
        for (const wizards::PresetRow& row : rows) {
            EXPECT_TRUE(HasControlFor(*page, row)) << wizards::PageFormName(which) << ": " << row.control;
            if (!row.option.empty()) {
                EXPECT_NE(dynamic_cast<ui::CheckBox*>(wizard->findComponent(row.option)), nullptr) << row.option;
            }
            if (row.step == Step::ComboItem) {
                EXPECT_LT(row.wanted, page->find<ui::ComboBox>(row.control).itemCount()) << row.control;
            }
        }
    }
}
