// Profiles over the real settings pages: saved on one machine and applied on another,
// every bound place of every page ends the same; applying writes what setting the same
// controls by hand and pressing "Ok" writes; a profile of this machine changes nothing;
// lines the pages cannot take are reported with their line, and nothing is written.
#include "machines.h"
#include "profiles_fixture.h"

#include "harness/page_contract.h"
#include "harness/platform_dialogs_seam.h"
#include "profiles/profile_run.h"
#include "profiles/settings_pages.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/ie_form.h"
#include "pages/sonstige_form.h"
#include "pages/startmenu_form.h"
#include "pages/system_form.h"
#include "registry/registry.h"
#include "ui/single_instance.h"
#include "registry/change_journal_sets.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/listview.h"
#include "ui/spinedit.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using namespace profiles;
using profile_test::ContentsOf;
using profile_test::LiveIn;
using profile_test::Lived;
using profile_test::PlaceDifferences;

const std::string kHeader = "[Velmora Profile]\r\nFormat=1\r\nVersion=1.0.0\r\nLanguage=Deutsch\r\n";

std::string Text(const Profile& profile)
{
    std::string text;
    for (const std::string& line : ProfileLines(profile))
        text += line + "\r\n";
    return text;
}

std::string Problems(const std::vector<ProfileProblem>& problems)
{
    std::string text;
    for (const std::string& line : ProblemLines(problems, problems.size()))
        text += line + "\n";
    return text;
}

class ProfileApplyTest : public ProfileTest {
protected:
    testing_support::PageContract places() const { return profile_test::EveryPagesPlaces(winIni(), commonStartup, userStartup); }

    static ApplyOutcome Apply(const std::string& text, RunLog& log)
    {
        const ProfilePlan plan = PlanProfile(ParseProfile(text));
        EXPECT_TRUE(plan.sound()) << Problems(plan.problems);
        return ApplyPlan(plan, "Profil anwenden: Test", log);
    }

    // Every page opened and confirmed with "Ok" as it opens: what its places hold
    // once its own rules have written them.
    static void PressOkOnEveryPage()
    {
        for (const SettingsPage& page : SettingsPages()) {
            try {
                page.open()->SaveSettings();
            } catch (const std::exception&) {
                // As after "Ok": the page reported a value it cannot write, and stays as it is.
            }
        }
    }

    static Profile Captured() { return CaptureProfile({"1.0.0", "Deutsch", "5.1.2600", "2026-01-02 03:04:05"}); }
};

TEST_F(ProfileApplyTest, SavingWritesTheFileOnlyAndChangesNothing)
{
    LiveIn(places(), 11, Lived::AnyHow);
    const auto before = testing_support::SnapshotRegistry();
    const auto files = testing_support::SnapshotFiles(places().files);
    const std::string path = folder.path() + "Büro.ini";
    ASSERT_TRUE(WriteProfile(path, Captured()));
    EXPECT_EQ(testing_support::RegistryDifferences(before, testing_support::SnapshotRegistry()), "");
    EXPECT_EQ(testing_support::FileDifferences(files, testing_support::SnapshotFiles(places().files)), "");
    EXPECT_TRUE(journal::ListSets().empty());

    const ProfileReading reading = ReadProfileFile(path);
    ASSERT_TRUE(reading.sound()) << Problems(reading.problems);
    ASSERT_EQ(reading.profile.pages.size(), SettingsPages().size());
    EXPECT_EQ(reading.profile.pages.front().name, "TForm_InternetTuner");
    EXPECT_EQ(reading.profile.headerValue("Windows"), "5.1.2600");
}

// Settings that saving writes only under a condition of their own, as by hand: an empty
// text leaves what is stored; the automatic logon's account is written only while it
// is on; the registered owner and organisation keep the kind of their value.
bool WrittenByARuleOfItsOwn(const std::string& page, const ProfileLine& line)
{
    if (line.state.empty() && line.name.rfind("Edit_", 0) == 0)
        return true;
    if (page == "TForm_IE" && line.name == "ComboBox_SearchPage" && line.state.empty())
        return true;
    if (page == "TForm_Anmelden" && (line.name == "Edit_Konto" || line.name == "Edit_Domain"))
        return true;
    return page == "TForm_Sonstige" && (line.name == "Edit_User" || line.name == "Edit_Firma");
}

// The profile leaves out what cannot move between machines: the autostart programs
// (their files and Run keys are not among the places compared), the automatic logon's
// password, the installed programs and the shell folders (not bound by "Ok").
TEST_F(ProfileApplyTest, AProfileCarriesEveryBoundValueToAnotherMachine)
{
    for (const auto& [seedA, seedB] : {std::pair{1u, 2u}, std::pair{3u, 4u}, std::pair{5u, 6u}}) {
        SCOPED_TRACE("machines " + std::to_string(seedA) + " and " + std::to_string(seedB));
        LiveIn(places(), seedA, Lived::Readably);
        const std::string profile = Text(Captured());
        PressOkOnEveryPage();
        profile_test::PlaceContents first = ContentsOf(places());

        LiveIn(places(), seedB, Lived::AnyHow);
        RunLog log;
        const ApplyOutcome outcome = Apply(profile, log);
        EXPECT_EQ(outcome.failedPages, 0u);
        // Every setting of the profile now reads the same on the second machine.
        const ProfileReading again = ParseProfile(Text(Captured()));
        const ProfileReading saved = ParseProfile(profile);
        for (std::size_t page = 0; page < saved.profile.pages.size(); ++page)
            for (const ProfileLine& line : saved.profile.pages[page].settings) {
                if (WrittenByARuleOfItsOwn(saved.profile.pages[page].name, line))
                    continue;
                const auto& settings = again.profile.pages[page].settings;
                const auto found = std::find_if(settings.begin(), settings.end(),
                                                [&](const ProfileLine& other) { return other.name == line.name; });
                ASSERT_NE(found, settings.end()) << line.name;
                EXPECT_EQ(found->state, line.state) << saved.profile.pages[page].name << " " << line.name;
            }
        PressOkOnEveryPage();
        profile_test::PlaceContents second = ContentsOf(places());
        for (auto* contents : {&first, &second})
            profile_test::LeaveOutUnmoved(*contents);
        EXPECT_EQ(PlaceDifferences(first, second), "");
    }
}

TEST_F(ProfileApplyTest, AProfileOfThisMachineChangesNothingAndStoresNoSet)
{
    LiveIn(places(), 21, Lived::AnyHow);
    PressOkOnEveryPage();  // the pages' own rules first, so a set of the profile would show
    const std::string profile = Text(Captured());
    const auto before = testing_support::SnapshotRegistry();
    const std::size_t sets = journal::ListSets().size();

    const ProfilePlan plan = PlanProfile(ParseProfile(profile));
    ASSERT_TRUE(plan.sound()) << Problems(plan.problems);
    EXPECT_EQ(plan.changeCount(), 0u);
    RunLog log;
    ApplyPlan(plan, "Profil anwenden: gleich", log);
    EXPECT_EQ(testing_support::RegistryDifferences(before, testing_support::SnapshotRegistry()), "");
    EXPECT_EQ(journal::ListSets().size(), sets);
}

// ---- Apply equals the same work by hand ----------------------------------------------

struct ByHand {
    const char* what;
    std::string profile;                             // the page sections
    std::vector<std::function<void()>> pagesByHand;  // each opens a page, sets it, presses "Ok"
};

template <class Page>
std::function<void()> OnPage(Page*& reference, std::function<void(ui::Form&)> set)
{
    return [&reference, set] {
        auto page = std::make_unique<Page>();
        const ui::SingleInstanceScope<Page> scope(reference, *page);
        language::LocalizeComponent(*page);
        set(*page);
        page->template find<ui::Button>("Button_Apply").click();
    };
}

TEST_F(ProfileApplyTest, ApplyingWritesWhatTheSameWorkByHandWrites)
{
    const std::vector<ByHand> cases{
        {"check boxes, a radio button and a spin edit on two pages",
         "[TForm_System]\r\nCheckBox_AutoReboot=1\r\nCheckBox_LargeSystemCache=0\r\nRadioButton_IoPageLockLimit2=1\r\n"
         "RadioButton_IoPageLockLimit1=0\r\nSpinEdit_IoPageLockLimit=32768\r\n"
         "[TForm_Startmenu]\r\nCheckBox_NoRun=1\r\n",
         {OnPage(pages::Form_System,
                 [](ui::Form& page) {
                     page.find<ui::CheckBox>("CheckBox_AutoReboot").setChecked(true);
                     page.find<ui::CheckBox>("CheckBox_LargeSystemCache").setChecked(false);
                     page.find<ui::RadioButton>("RadioButton_IoPageLockLimit2").setChecked(true);
                     page.find<ui::SpinEdit>("SpinEdit_IoPageLockLimit").setValue(32768);
                 }),
          OnPage(pages::Form_Startmenu,
                 [](ui::Form& page) { page.find<ui::CheckBox>("CheckBox_NoRun").setChecked(true); })}},
        {"a drop-down list by its text, an edit, and a list of drives",
         "[TForm_Explorer]\r\nCheckBox_FontSmoothing=1\r\nComboBox_FontSmoothingType=ClearType\r\n"
         "ListView_NoDrives[Laufwerk D:\\]=1\r\n[TForm_IE]\r\nCheckBox_WindowTitle=1\r\nEdit_WindowTitle=Büro & Co\r\n",
         {OnPage(pages::Form_Explorer,
                 [](ui::Form& page) {
                     page.find<ui::CheckBox>("CheckBox_FontSmoothing").setChecked(true);
                     auto& combo = page.find<ui::ComboBox>("ComboBox_FontSmoothingType");
                     const auto items = combo.items();
                     combo.setItemIndex(static_cast<int>(std::find(items.begin(), items.end(), "ClearType") - items.begin()));
                     auto& drives = page.find<ui::ListView>("ListView_NoDrives");
                     for (int index = 0; index < drives.itemCount(); ++index)
                         if (drives.caption(index) == "Laufwerk D:\\")
                             drives.setChecked(index, true);
                 }),
          OnPage(pages::Form_IE,
                 [](ui::Form& page) {
                     page.find<ui::CheckBox>("CheckBox_WindowTitle").setChecked(true);
                     page.find<ui::Edit>("Edit_WindowTitle").setText("Büro & Co");
                 })}},
        {"hidden accounts, the owner and the support text with two lines",
         "[TForm_Anmelden]\r\nListView_UserList[Anna]=1\r\nListView_UserList[Gast]=0\r\n"
         "[TForm_Sonstige]\r\nEdit_User=Erika Muster\r\nMemo_OEM=Hotline 0800^0D^0Awerktags\r\n",
         {OnPage(pages::Form_Anmelden,
                 [](ui::Form& page) {
                     auto& accounts = page.find<ui::ListView>("ListView_UserList");
                     for (int index = 0; index < accounts.itemCount(); ++index)
                         if (accounts.caption(index) == "Anna" || accounts.caption(index) == "Gast")
                             accounts.setChecked(index, accounts.caption(index) == "Anna");
                 }),
          OnPage(pages::Form_Sonstige,
                 [](ui::Form& page) {
                     page.find<ui::Edit>("Edit_User").setText("Erika Muster");
                     page.find<ui::Edit>("Memo_OEM").setText("Hotline 0800\r\nwerktags");
                 })}},
    };
    for (const ByHand& example : cases) {
        SCOPED_TRACE(example.what);
        LiveIn(places(), 31, Lived::AnyHow);
        writeFiles();
        for (const auto& byHand : example.pagesByHand)
            byHand();
        const auto byHandRegistry = testing_support::SnapshotRegistry();
        const auto byHandFiles = testing_support::SnapshotFiles(places().files);

        LiveIn(places(), 31, Lived::AnyHow);
        writeFiles();
        RunLog log;
        const ApplyOutcome outcome = Apply(kHeader + example.profile + "[End]\r\n", log);
        EXPECT_EQ(outcome.changedPages, example.pagesByHand.size());
        EXPECT_EQ(testing_support::RegistryDifferences(byHandRegistry, testing_support::SnapshotRegistry()), "");
        EXPECT_EQ(testing_support::FileDifferences(byHandFiles, testing_support::SnapshotFiles(places().files)), "");
    }
}

TEST_F(ProfileApplyTest, TheWholeApplyIsOneSetThatUndoTakesBackExactly)
{
    LiveIn(places(), 41, Lived::Readably);
    const std::string profile = Text(Captured());
    LiveIn(places(), 42, Lived::AnyHow);
    const auto before = testing_support::SnapshotRegistry();
    const auto files = testing_support::SnapshotFiles(places().files);
    RunLog log;
    const ApplyOutcome outcome = Apply(profile, log);
    EXPECT_GT(outcome.changedPages, 1u);
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].action, "Profil anwenden: Test");

    journal::CarryOutUndo(journal::PlanUndo(sets[0].id), true, "Rückgängig");
    EXPECT_EQ(testing_support::RegistryDifferences(before, testing_support::SnapshotRegistry()), "");
    EXPECT_EQ(testing_support::FileDifferences(files, testing_support::SnapshotFiles(places().files)), "");
}

// ---- What the pages cannot take --------------------------------------------------------

struct BrokenLine {
    const char* what;
    std::string sections;
    int line;
    const char* message;
};

TEST_F(ProfileApplyTest, LinesThePagesCannotTakeAreReportedAndNothingIsWritten)
{
    const std::vector<BrokenLine> cases{
        {"an unknown page", "[TForm_Gibtsnicht]\r\nCheckBox_X=1\r\n", 5, "Seite dieses Namens gibt es nicht: \"TForm_Gibtsnicht\""},
        {"a form that is no settings page", "[TForm_Assistenten]\r\n", 5, "\"TForm_Assistenten\""},
        {"an unknown control", "[TForm_System]\r\nCheckBox_Gibtsnicht=1\r\n", 6, "\"CheckBox_Gibtsnicht\""},
        {"a control in the wrong letter case", "[TForm_System]\r\ncheckbox_autoreboot=1\r\n", 6, "checkbox_autoreboot"},
        {"a button, which holds no setting", "[TForm_System]\r\nButton_Apply=1\r\n", 6, "\"Button_Apply\""},
        {"a control left out of profiles", "[TForm_Anmelden]\r\nEdit_Kennwort=geheim\r\n", 6, "\"Edit_Kennwort\""},
        {"a number outside the spin edit", "[TForm_System]\r\nSpinEdit_IoPageLockLimit=99999999\r\n", 6,
         "außerhalb des Bereichs"},
        {"a spin edit that is no number", "[TForm_System]\r\nSpinEdit_IoPageLockLimit=viel\r\n", 6, "ganze Zahl"},
        {"an unknown combo text", "[TForm_Explorer]\r\nComboBox_FontSmoothingType=Sehr glatt\r\n", 6, "\"Sehr glatt\""},
        {"a combo item's index", "[TForm_Explorer]\r\nComboBox_FontSmoothingType=1\r\n", 6, "nicht an: \"1\""},
        {"a check box that is neither on nor off", "[TForm_System]\r\nCheckBox_AutoReboot=ja\r\n", 6, "nicht \"ja\""},
        {"a list entry that is neither on nor off", "[TForm_Explorer]\r\nListView_NoDrives[Laufwerk D:\\]=2\r\n", 6, "nicht \"2\""},
        {"a profile of another language", "", 4, "\"English\""},
    };
    for (const BrokenLine& example : cases) {
        SCOPED_TRACE(example.what);
        LiveIn(places(), 51, Lived::AnyHow);
        const auto before = testing_support::SnapshotRegistry();
        std::string header = kHeader;
        if (std::string(example.what) == "a profile of another language")
            header.replace(header.find("Deutsch"), 7, "English");
        // A sound line after the broken one: checked too, and not applied either.
        const std::string text = header + example.sections + "[TForm_Startmenu]\r\nCheckBox_NoRun=1\r\n[End]\r\n";
        const ProfilePlan plan = PlanProfile(ParseProfile(text));
        ASSERT_EQ(plan.problems.size(), 1u) << Problems(plan.problems);
        EXPECT_EQ(plan.problems[0].line, example.line);
        const std::string message = ProblemText(plan.problems[0]);
        EXPECT_NE(message.find(example.message), std::string::npos) << message;
        EXPECT_EQ(testing_support::RegistryDifferences(before, testing_support::SnapshotRegistry()), "");
        EXPECT_TRUE(journal::ListSets().empty());
    }
}

// A control that is disabled here (a service missing on this machine) or a list entry
// this machine lacks is skipped and logged, not reported as an error.
TEST_F(ProfileApplyTest, SettingsMissingOnThisMachineAreSkippedAndLogged)
{
    LiveIn(places(), 61, Lived::AnyHow);
    registry::RegKeyRemove(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Tlntsvr");
    const ProfilePlan plan = PlanProfile(ParseProfile(kHeader +
                                                      "[TForm_System]\r\nComboBox_Tlntsvr=Manuell\r\nCheckBox_AutoReboot=1\r\n"
                                                      "[TForm_Anmelden]\r\nListView_UserList[Niemand]=1\r\n[End]\r\n"));
    ASSERT_TRUE(plan.sound()) << Problems(plan.problems);
    RunLog log;
    ApplyPlan(plan, "Profil anwenden: Test", log);
    std::string logged;
    for (const std::string& line : log.lines())
        logged += line + "\n";
    EXPECT_NE(logged.find("(ComboBox_Tlntsvr)"), std::string::npos) << logged;
    EXPECT_NE(logged.find("(ListView_UserList[Niemand])"), std::string::npos) << logged;
    EXPECT_FALSE(ReadRawValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\SpecialAccounts\\UserList",
                              "Niemand"));
}

}  // namespace
