// The wizard page: its sheets and lists as it is created, the choice of a wizard by
// name or picture, the questions before a run, the result file and Notepad, and one
// change set in the journal for a whole run.
#include "wizards_fixture.h"

#include "harness/help_seam.h"
#include "harness/layout_check.h"
#include "harness/modal_driver.h"
#include "harness/programs_seam.h"
#include "harness/source_files.h"
#include "pages/system_form.h"
#include "pages/system_rows.h"
#include "registry/change_journal.h"
#include "registry/change_journal_sets.h"
#include "ui/combobox.h"
#include "ui/image.h"
#include "ui/pagecontrol.h"

#include <shellapi.h>

#include <fstream>
#include <set>

using namespace wizard_test;
using language::LangString;
using wizards::TForm_Assistenten;

namespace {

bool Underlined(const ui::Control& control)
{
    LOGFONTA font{};
    GetObjectA(control.font(), sizeof(font), &font);
    return font.lfUnderline != 0;
}

// Clicks a label as the user does: the label tells its parent it was clicked.
void ClickLabel(const ui::Label& label)
{
    SendMessageA(GetParent(label.handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label.handle()), STN_CLICKED),
                 reinterpret_cast<LPARAM>(label.handle()));
}

long long RecycledItems()
{
    SHQUERYRBINFO bin{};
    bin.cbSize = sizeof(bin);
    return SUCCEEDED(SHQueryRecycleBinA(nullptr, &bin)) ? bin.i64NumItems : -1;
}

std::set<int> NumbersOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::set<int> numbers;
    std::string line;
    while (std::getline(file, line)) {
        const auto equals = line.find('=');
        if (equals != std::string::npos && equals > 0)
            numbers.insert(std::stoi(line.substr(0, equals)));
    }
    return numbers;
}

}  // namespace

class WizardPageTest : public WizardTest {};

TEST_F(WizardPageTest, CreationSetsTheCaptionTheLogTheListsAndTheFirstSheet)
{
    TForm_Assistenten& page = openWizard();

    EXPECT_EQ(page.caption(), LangString(3000));
    EXPECT_EQ(page.clientWidth(), 660);
    EXPECT_EQ(page.clientHeight(), 540);
    EXPECT_NE(GetWindowLongA(page.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(logLines(), std::vector<std::string>{LangString(3900)});
    EXPECT_FALSE(page.find<ui::Button>("Button_NOTEPAD").enabled());
    EXPECT_EQ(page.PageControl1().activePageIndex(), 0);
    const char* const sheets[] = {"TabSheet1", "TabSheet3", "TabSheet2", "TabSheet4", "TabSheet5", "TabSheet6"};
    ASSERT_EQ(page.PageControl1().pageCount(), 6);
    for (int index = 0; index < 6; ++index) {
        EXPECT_EQ(page.PageControl1().page(index).name(), sheets[index]);
        EXPECT_EQ(page.PageControl1().page(index).caption(), LangString(3001 + index));
    }

    // The processors are those of the System page, in its order, after "Ignorieren".
    std::vector<std::string> processors{LangString(3950)};
    for (const auto& type : pages::system::kCpuTypes)
        processors.emplace_back(type.item);
    EXPECT_EQ(page.ComboBox_Speed_CPU().items(), processors);
    EXPECT_EQ(page.ComboBox_Speed_CPU().itemIndex(), 0);
    std::vector<std::string> memory;
    for (int number = 3940; number <= 3945; ++number)
        memory.push_back(LangString(number));
    EXPECT_EQ(page.ComboBox_SPEED_RAM().items(), memory);
    EXPECT_EQ(page.ComboBox_SPEED_RAM().text(), "512 MB");  // the fixture's machine reports 511 MB
    EXPECT_EQ(pages::Form_System, nullptr);                 // the System page it read them from is gone

    // The option boxes as the page starts.
    EXPECT_TRUE(option("CheckBox_SPEED_Optik1").checked());
    EXPECT_TRUE(option("CheckBox_AutoLogON").checked());
    EXPECT_TRUE(option("CheckBox_RETTUNG_Policy").checked());
    for (const char* name : {"CheckBox_SPEED_Optik2", "CheckBox_SPEED_MSMSGS", "CheckBox_STANDARD_Optik1",
                             "CheckBox_NoBrowserSaveAs", "CheckBox_Administrator", "CheckBox_MSMSGS"})
        EXPECT_FALSE(option(name).checked()) << name;
}

// The memory Windows reports is a few MB short of (or over) the modules: such sizes
// count as the module size.
TEST_F(WizardPageTest, TheMemoryListStartsAtTheItemOfTheMachinesMemory)
{
    constexpr std::uint64_t kMB = 1024 * 1024;
    const struct {
        std::uint64_t megabytes;
        int item;
    } cases[] = {
        {64, 0},  {125, 0}, {126, 0}, {130, 0}, {131, 1}, {253, 1}, {254, 2},  {256, 2},  {258, 2},
        {259, 3}, {509, 3}, {510, 4}, {511, 4}, {514, 4}, {515, 5}, {1024, 5}, {4095, 5},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(wizards::RamItemForMemory(entry.megabytes * kMB), entry.item) << entry.megabytes << " MB";
    EXPECT_EQ(wizards::RamItemForMemory(510 * kMB - 1), 3);  // 509.99 MB counts as 509 MB
    for (const auto& [megabytes, item] : {std::pair{511ull, 4}, std::pair{130ull, 0}}) {
        MemoryBytes() = megabytes * kMB;
        EXPECT_EQ(openWizard().ComboBox_SPEED_RAM().itemIndex(), item) << megabytes << " MB";
    }
}

TEST_F(WizardPageTest, AWizardsNameOrPictureShowsItsSheetAndPointingAtEitherUnderlinesTheName)
{
    TForm_Assistenten& page = openWizard();
    const struct {
        const char* label;
        const char* picture;
        int sheet;
    } entries[] = {
        {"Label_SPEED", "MouseImage_SPEED", 1},
        {"Label_STANDARD", "MouseImage_STANDARD", 2},
        {"Label_POLICY", "MouseImage_POLICY", 3},
        {"Label_RETTUNG", "MouseImage_RETTUNG", 4},
    };
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry.label);
        auto& label = page.find<ui::Label>(entry.label);
        auto& picture = page.find<ui::Image>(entry.picture);
        EXPECT_TRUE(picture.hasIcon());

        page.PageControl1().setActivePageIndex(0);
        ClickLabel(label);
        EXPECT_EQ(page.PageControl1().activePageIndex(), entry.sheet);
        page.PageControl1().setActivePageIndex(0);
        SendMessageA(picture.handle(), WM_LBUTTONUP, 0, 0);
        EXPECT_EQ(page.PageControl1().activePageIndex(), entry.sheet);

        EXPECT_FALSE(Underlined(label));
        SendMessageA(picture.handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(Underlined(label));
        SendMessageA(picture.handle(), WM_MOUSELEAVE, 0, 0);
        EXPECT_FALSE(Underlined(label));
        SendMessageA(label.handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(Underlined(label));
        SendMessageA(label.handle(), WM_MOUSELEAVE, 0, 0);
        EXPECT_FALSE(Underlined(label));
    }
}

TEST_F(WizardPageTest, HelpShowsTheWizardsTopicAndBackClosesThePage)
{
    testing_support::RecordedHelp help;
    TForm_Assistenten& page = openWizard();
    page.find<ui::Button>("Button_hilfe").click();
    ASSERT_EQ(help.locations().size(), 1u);
    EXPECT_NE(help.locations()[0].find("::/assistenten.htm"), std::string::npos) << help.locations()[0];

    bool shown = false;
    testing_support::WhenModal([&] {
        shown = IsWindowVisible(page.handle()) != FALSE;
        page.find<ui::Button>("Button_Apply").click();
    });
    page.showModal();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(IsWindowVisible(page.handle()));
}

TEST_F(WizardPageTest, NothingOnAnySheetIsClippedOrCovered)
{
    TForm_Assistenten& page = openWizard();
    page.show();
    for (int sheet = 0; sheet < page.PageControl1().pageCount(); ++sheet) {
        SCOPED_TRACE(page.PageControl1().page(sheet).caption());
        page.PageControl1().setActivePageIndex(sheet);
        testing_support::ExpectNothingClippedOrCovered(page.handle());
    }
    page.hide();
}

// "No" to any question before a run leaves everything as it was, the log included.
TEST_F(WizardPageTest, NoToAQuestionBeforeARunChangesNothing)
{
    prepareLivedInSystem();
    openWizard();
    const testing_support::RegistrySnapshot before = testing_support::SnapshotRegistry();
    const std::string confirmation = language::LangStringRange(3920, 3921);
    const std::string policyWarning = language::LangStringRange(3970, 3974);
    const struct {
        const char* button;
        std::vector<ui::MsgButton> answers;
        std::vector<std::string> questions;
    } cases[] = {
        {"Button_SPEED", {ui::MsgButton::No}, {language::LangStringRange(3930, 3932)}},  // no processor chosen
        {"Button_STANDARD", {ui::MsgButton::No}, {confirmation}},
        {"Button_POLICY", {ui::MsgButton::No}, {policyWarning}},
        {"Button_POLICY", {ui::MsgButton::Yes, ui::MsgButton::No}, {policyWarning, confirmation}},
        {"Button_RETTUNG", {ui::MsgButton::No}, {confirmation}},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.button);
        boxes.clear();
        for (ui::MsgButton answer : entry.answers)
            boxes.answer(answer);
        start(entry.button);
        std::vector<std::string> asked;
        for (const auto& box : boxes.shown())
            asked.push_back(box.text);
        EXPECT_EQ(asked, entry.questions);
        EXPECT_EQ(boxes.shown().front().kind,
                  std::string(entry.button) == "Button_POLICY" ? ui::MsgKind::Warning : ui::MsgKind::Confirmation);
        EXPECT_EQ(logLines(), std::vector<std::string>{LangString(3900)});
        EXPECT_EQ(wizard->PageControl1().activePageIndex(), 0);
    }
    EXPECT_EQ(Differences(before, testing_support::SnapshotRegistry()), "");
}

// With a processor chosen, SPEED asks the question of every run instead.
TEST_F(WizardPageTest, SpeedWithAProcessorAsksTheGeneralQuestion)
{
    openWizard();
    wizard->ComboBox_Speed_CPU().setItemIndex(7);
    boxes.answer(ui::MsgButton::No);
    start("Button_SPEED");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, language::LangStringRange(3920, 3921));
}

// "Notepad" saves the log beside the program and opens it; the file of the time before
// goes to the Recycle Bin, so each use leaves the current log in the file.
TEST_F(WizardPageTest, NotepadTwiceRecyclesTheFirstFileAndSavesTheCurrentLog)
{
    testing_support::RecordedPrograms programs;
    prepareLivedInSystem();
    openWizard();
    start("Button_STANDARD");
    const std::string file = programFolder + "\\" + LangString(3960);
    EXPECT_EQ(wizard->resultFile(), file);
    const long long recycled = RecycledItems();

    wizard->find<ui::Button>("Button_NOTEPAD").click();
    EXPECT_EQ(RecycledItems(), recycled);  // nothing there to recycle yet
    std::string expected;
    for (const std::string& line : logLines())
        expected += line + "\r\n";
    EXPECT_EQ(FileBytes(file), expected);

    tick({"CheckBox_STANDARD_NoRecentDocsHistory"});
    start("Button_STANDARD");  // a log of another run
    wizard->find<ui::Button>("Button_NOTEPAD").click();

    EXPECT_EQ(RecycledItems(), recycled + 1);
    std::string current;
    for (const std::string& line : logLines())
        current += line + "\r\n";
    EXPECT_NE(current, expected);
    EXPECT_EQ(FileBytes(file), current);
    ASSERT_EQ(programs.executed.size(), 2u);
    EXPECT_EQ(programs.executed[1].commandLine, "C:\\WINDOWS\\system32\\Notepad.exe " + file);
    EXPECT_EQ(programs.executed[1].showCommand, SW_SHOWNORMAL);
}

// A whole run is one change in the journal, and undoing it puts back every page it saved.
TEST_F(WizardPageTest, ARunIsOneChangeThatUndoTakesBackWhole)
{
    journal::SetJournalFolder(folder.path() + "Journal");
    prepareLivedInSystem();
    openWizard();
    const testing_support::RegistrySnapshot before = testing_support::SnapshotRegistry();
    tick({"CheckBox_RETTUNG_Policy", "CheckBox_MSMSGS"});
    start("Button_RETTUNG");

    const std::vector<journal::SetInfo> sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].action, wizard->caption() + ": " + LangString(3005));
    EXPECT_GT(sets[0].values, 20);
    journal::CarryOutUndo(journal::PlanUndo(sets[0].id), true, "Rückgängig");
    journal::SetJournalFolder({});

    EXPECT_EQ(Differences(before, testing_support::SnapshotRegistry()), "");
}

TEST(WizardMessages, TheLanguageFileHoldsEveryNumberTheWizardsAskFor)
{
    const std::set<int> lines = NumbersOf(testing_support::SourceFile("lang\\velmora.dat"));
    std::vector<int> asked{3000, 3920, 3921, 3950, 3960, 3961};
    for (int number = 3900; number <= 3914; ++number)
        asked.push_back(number);
    for (int first : {3930, 3940, 3970})
        for (int number = first; number <= first + (first == 3940 ? 5 : first == 3930 ? 2 : 4); ++number)
            asked.push_back(number);
    for (int number : asked)
        EXPECT_TRUE(lines.count(number)) << "language string " << number << " is missing";
}
