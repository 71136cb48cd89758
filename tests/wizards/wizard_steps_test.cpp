// The steps a wizard takes on a page and the lines they write: a control is set and
// logged only when it is enabled and not yet as wanted, its page reacts as to a click,
// a page gets its heading only when something on it changed, and a control the page
// does not have stops the wizard instead of being skipped.
#include "wizards_fixture.h"

#include "pages/startmenu_form.h"
#include "pages/system_form.h"
#include "ui/combobox.h"
#include "ui/form.h"
#include "ui/single_instance.h"
#include "wizards/wizard_steps.h"

using namespace wizard_test;
using language::LangString;
using wizards::WizardControlMissing;
using wizards::WizardSteps;

namespace {

// A page of a few controls, and a log of its own.
struct SmallPage {
    ui::Form form{"Form_Klein", 300, 200, "Kleine Seite"};
    ui::CheckBox& box = form.add<ui::CheckBox>(form, "CheckBox_Eins", ui::Bounds{8, 8, 200, 17}, "Fenster && Rahmen");
    ui::CheckBox& off = form.add<ui::CheckBox>(form, "CheckBox_Aus", ui::Bounds{8, 28, 200, 17}, "&Gesperrt");
    ui::RadioButton& first = form.add<ui::RadioButton>(form, "RadioButton_A", ui::Bounds{8, 48, 200, 17}, "Erste Wahl");
    ui::RadioButton& second =
        form.add<ui::RadioButton>(form, "RadioButton_B", ui::Bounds{8, 68, 200, 17}, "Zweite Wahl");
    ui::Memo& memo = form.add<ui::Memo>(form, "Memo1", ui::Bounds{8, 90, 280, 100});
    WizardSteps steps{memo};

    SmallPage()
    {
        off.setEnabled(false);
        first.setChecked(true);
    }
};

std::string StateLine(const std::string& shown, bool on)
{
    return LangString(3903) + " \"" + shown + "\" " + LangString(3909) + " " + LangString(on ? 3907 : 3908);
}

}  // namespace

class WizardStepsTest : public WizardTest {};

TEST_F(WizardStepsTest, AControlIsSetAndLoggedOnlyWhenEnabledAndNotYetAsWanted)
{
    SmallPage page;
    int clicks = 0;
    bool checkedWhenClicked = false;
    page.box.onClick = [&] {
        ++clicks;
        checkedWhenClicked = page.box.checked();
    };
    page.steps.BeginWizardPage(page.form);

    page.steps.WizardSetCheck("CheckBox_Eins", false);  // already off
    page.steps.WizardSetCheck("CheckBox_Eins", true);
    page.steps.WizardSetCheck("CheckBox_Aus", true);  // disabled
    page.steps.WizardSetRadio("RadioButton_A");       // already selected
    page.steps.WizardSetRadio("RadioButton_B");
    page.steps.WizardSetCheck("CheckBox_Eins", false);

    // The box's own click handler ran each time, after its state had changed.
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(checkedWhenClicked);
    EXPECT_FALSE(page.off.checked());
    EXPECT_TRUE(page.second.checked());
    EXPECT_FALSE(page.first.checked());
    // The log shows the captions as the controls show them: "&&" as "&", no accelerator mark.
    EXPECT_EQ(page.memo.lines(),
              (std::vector<std::string>{StateLine("Fenster & Rahmen", true), StateLine("Zweite Wahl", true),
                                        StateLine("Fenster & Rahmen", false)}));
}

TEST_F(WizardStepsTest, APageGetsItsHeadingAboveItsLinesOnlyWhenSomethingChangedOnIt)
{
    SmallPage page;
    page.memo.setLines({"vorher"});

    page.steps.BeginWizardPage(page.form);
    page.steps.WizardSetRadio("RadioButton_A");  // nothing to do
    page.steps.EndWizardPage();
    EXPECT_EQ(page.memo.lines(), std::vector<std::string>{"vorher"});

    page.steps.BeginWizardPage(page.form);
    page.steps.WizardSetCheck("CheckBox_Eins", true);
    page.steps.EndWizardPage();
    EXPECT_EQ(page.memo.lines(),
              (std::vector<std::string>{"vorher", LangString(3901) + " \"Kleine Seite\" " + LangString(3902),
                                        StateLine("Fenster & Rahmen", true), ""}));
}

TEST_F(WizardStepsTest, ShownTextDropsAcceleratorMarksAndKeepsDoubledAmpersands)
{
    const struct {
        const char* caption;
        const char* shown;
    } cases[] = {
        {"Ohne Zeichen", "Ohne Zeichen"},
        {"&Ja", "Ja"},
        {"Explorer && Desktop", "Explorer & Desktop"},
        {"A&&&B", "A&B"},
        {"Ende&", "Ende"},
        {"", ""},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(wizards::ShownText(entry.caption), entry.shown) << entry.caption;
}

TEST_F(WizardStepsTest, ANameThePageDoesNotHaveStopsTheWizard)
{
    SmallPage page;
    page.steps.BeginWizardPage(page.form);
    EXPECT_THROW(page.steps.WizardSetCheck("CheckBox_Gibtsnicht", true), WizardControlMissing);
    EXPECT_THROW(page.steps.WizardSetCheck("RadioButton_B", true), WizardControlMissing);  // not a check box
    EXPECT_THROW(page.steps.WizardSetRadio("CheckBox_Eins"), WizardControlMissing);
    EXPECT_THROW(page.steps.WizardSetService("WZCSVC", 0), WizardControlMissing);
    page.steps.EndWizardPage();
    // Without a page there is nothing to find either.
    EXPECT_THROW(page.steps.WizardSetCheck("CheckBox_Eins", true), WizardControlMissing);
    EXPECT_TRUE(page.memo.lines().empty());
    try {
        page.steps.BeginWizardPage(page.form);
        page.steps.WizardSetRadio("RadioButton_C");
        ADD_FAILURE() << "nothing raised";
    } catch (const WizardControlMissing& error) {
        EXPECT_NE(std::string(error.what()).find("RadioButton_C"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("Form_Klein"), std::string::npos) << error.what();
    }
}

// A service row changes only where the start type differs; a service without a key, or
// with a start type the list does not offer, is left alone with its row as it was.
TEST_F(WizardStepsTest, AServiceChangesOnlyWhereItsStartTypeDiffers)
{
    const struct {
        const char* service;
        int start;  // its "Start", 0 for no key
        int wanted;
        bool changes;
    } cases[] = {
        {"WZCSVC", 2, 0, true},     // automatic to disabled
        {"WMDMPMSP", 4, 0, false},  // already disabled
        {"ClipSrv", 3, 2, true},    // manual to automatic
        {"cisvc", 1, 0, false},     // a start type of its own
        {"Helpsvc", 3, 1, false},   // already manual
        {"Tlntsvr", 0, 0, false},   // not installed: its row is disabled
        {"W32Time", 4, 2, true},    // disabled to automatic
    };
    for (const auto& entry : cases)
        if (entry.start)
            SetDword(HKEY_LOCAL_MACHINE, kServices + entry.service, "Start", static_cast<DWORD>(entry.start));
    auto system = std::make_unique<pages::TForm_System>();
    const ui::SingleInstanceScope scope(pages::Form_System, *system);
    language::LocalizeComponent(*system);
    ui::Memo& memo = system->add<ui::Memo>(*system, "Memo_Test", ui::Bounds{0, 0, 100, 100});
    WizardSteps steps(memo);
    steps.BeginWizardPage(*system);

    std::vector<std::string> expected;
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.service);
        auto& box = system->find<ui::CheckBox>(std::string("CheckBox_") + entry.service);
        auto& list = system->find<ui::ComboBox>(std::string("ComboBox_") + entry.service);
        const int listedBefore = list.itemIndex();
        const std::vector<std::string> items = list.items();
        steps.WizardSetService(entry.service, entry.wanted);
        EXPECT_EQ(box.checked(), entry.changes);
        EXPECT_EQ(list.itemIndex(), entry.changes ? entry.wanted : listedBefore);
        if (entry.changes) {
            const int from = entry.start == 4 ? 0 : entry.start == 3 ? 1 : 2;
            expected.push_back(LangString(3903) + " \"" + box.caption() + "\" " + LangString(3904) + " \"" +
                               items[static_cast<std::size_t>(from)] + "\" " + LangString(3905) + " \"" +
                               items[static_cast<std::size_t>(entry.wanted)] + "\" " + LangString(3906));
        }
    }
    EXPECT_EQ(memo.lines(), expected);
    steps.EndWizardPage();

    system->SaveSettings();
    EXPECT_EQ(DwordOf(HKEY_LOCAL_MACHINE, kServices + "WZCSVC", "Start"), 4);
    EXPECT_EQ(DwordOf(HKEY_LOCAL_MACHINE, kServices + "ClipSrv", "Start"), 2);
    EXPECT_EQ(DwordOf(HKEY_LOCAL_MACHINE, kServices + "W32Time", "Start"), 2);
    EXPECT_EQ(DwordOf(HKEY_LOCAL_MACHINE, kServices + "cisvc", "Start"), 1);
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kServices + "Tlntsvr"));
}

// Service rows are a matter of the System page: elsewhere a same-named row does nothing.
TEST_F(WizardStepsTest, AServiceRowOutsideTheSystemPageChangesNothing)
{
    SetDword(HKEY_LOCAL_MACHINE, kServices + "WZCSVC", "Start", 2);
    SmallPage page;
    auto& box = page.form.add<ui::CheckBox>(page.form, "CheckBox_WZCSVC", ui::Bounds{150, 8, 100, 17}, "Dienst");
    auto& list = page.form.add<ui::ComboBox>(page.form, "ComboBox_WZCSVC", ui::Bounds{150, 28, 100, 21},
                                             std::vector<std::string>{"aus", "manuell", "automatisch"});
    page.steps.BeginWizardPage(page.form);
    page.steps.WizardSetService("WZCSVC", 0);
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_TRUE(page.memo.lines().empty());
}
