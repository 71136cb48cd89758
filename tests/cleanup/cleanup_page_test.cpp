// The clean-up page: its remembered choices, the two searches with every message,
// and its layout with the German texts.
#include "cleanup_fixture.h"

#include "cleanup/cleanup_form.h"
#include "cleanup/file_results_form.h"
#include "cleanup/registry_results_form.h"
#include "cleanup/registry_scanner.h"
#include "components/ostrel_drives.h"
#include "components/wait_form.h"
#include "harness/fake_drives.h"
#include "harness/layout_check.h"
#include "harness/page_contract.h"
#include "harness/registry_sandbox.h"
#include "language/language.h"
#include "password/options_form.h"
#include "registry/registry.h"
#include "ui/controls.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"

#include <gtest/gtest.h>

#include <memory>

using cleanup::TForm_CleanUP;
using language::LangString;
using testing_support::WhenModal;

namespace {

const std::string kProgramKey = "SOFTWARE\\Divodozide\\Velmora";

const char* const kFileBoxes[] = {"CheckBox_WinTmpDIR", "CheckBox_CHK",   "CheckBox_TMP", "CheckBox_BAK",
                                  "CheckBox_BAK2",      "CheckBox_OTHER", "CheckBox_LOG", "CheckBox_GID"};
const char* const kRegistryBoxes[] = {"CheckBox_File_Formate", "CheckBox_COM",   "CheckBox_ActiveX",
                                      "CheckBox_Shared_DLLs",  "CheckBox_Fonts", "CheckBox_Icons"};

std::vector<BYTE> DwordBytes(DWORD number)
{
    return {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
            static_cast<BYTE>(number >> 24)};
}

int IndexOf(const components::TOstrelDrives& list, char letter)
{
    for (int index = 0; index < list.itemCount(); ++index)
        if (list.GetDriveChar(index) == letter)
            return index;
    return -1;
}

// Clicks the wait window's "Abbrechen" from the first timer message that a search lets run.
void CALLBACK CancelFromTheWaitWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (components::WarteForm)
        components::WarteForm->Button1().click();
}

}  // namespace

class CleanupPageTest : public CleanupTest {
protected:
    void SetUp() override
    {
        CleanupTest::SetUp();
        drives.add('C', DRIVE_FIXED, "SYSTEM");
        drives.add('D', DRIVE_CDROM);
        wait = std::make_unique<components::TWarteForm>();
        language::LocalizeComponent(*wait);
        components::WarteForm = wait.get();
        options = std::make_unique<password::TForm_Options>();
        password::Form_Options = options.get();
    }

    void TearDown() override
    {
        page.reset();
        password::Form_Options = nullptr;
        options.reset();
        components::WarteForm = nullptr;
        wait.reset();
        CleanupTest::TearDown();
    }

    TForm_CleanUP& openPage()
    {
        page = std::make_unique<TForm_CleanUP>();
        language::LocalizeComponent(*page);
        return *page;
    }

    ui::CheckBox& box(const char* name) const { return page->find<ui::CheckBox>(name); }
    void remember(bool on) const { options->CheckBox_SAVE_CLEANUP().setChecked(on); }
    static void Store(const std::string& key, const std::string& name, DWORD number)
    {
        WriteRawValue(HKLM, key, name, REG_DWORD, DwordBytes(number));
    }
    void untickAll(const char* const (&names)[8]) const
    {
        for (const char* name : names)
            box(name).setChecked(false);
    }

    testing_support::FakeDrives drives;
    std::unique_ptr<components::TWarteForm> wait;
    std::unique_ptr<password::TForm_Options> options;
    std::unique_ptr<TForm_CleanUP> page;
};

TEST_F(CleanupPageTest, WithoutTheOptionNothingIsReadOrWrittenUnderTheProgramKey)
{
    remember(false);
    Store(kProgramKey, "CLEANUP_WINTMPDIR", 0);
    Store(kProgramKey, "CLEANUP_LOG", 1);
    Store(kProgramKey + "\\Drives-FILES", "C", 0);
    Store(kProgramKey + "\\Drives-REG", "C", 0);
    const auto before = testing_support::SnapshotRegistry();

    openPage();
    EXPECT_TRUE(box("CheckBox_WinTmpDIR").checked());
    EXPECT_FALSE(box("CheckBox_LOG").checked());
    EXPECT_TRUE(page->OstrelDrives_FILES().checked(IndexOf(page->OstrelDrives_FILES(), 'C')));
    EXPECT_TRUE(page->OstrelDrives_REG().checked(IndexOf(page->OstrelDrives_REG(), 'C')));
    box("CheckBox_GID").setChecked(true);
    page->find<ui::Button>("Button_Apply").click();

    EXPECT_EQ(SnapshotDifferences(before, testing_support::SnapshotRegistry()), std::vector<std::string>{});
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(CleanupPageTest, WithTheOptionTheChoicesAreLoadedAndSavedWhole)
{
    remember(true);
    Store(kProgramKey, "CLEANUP_WINTMPDIR", 0);
    Store(kProgramKey, "CLEANUP_LOG", 1);
    Store(kProgramKey, "CLEANUP_ICONS", 0);
    WriteRawValue(HKLM, kProgramKey, "CLEANUP_CHK", REG_SZ, TextBytes("abc"));
    Store(kProgramKey + "\\Drives-FILES", "C", 0);
    Store(kProgramKey + "\\Drives-FILES", "Q", 1);  // a drive that is gone
    Store(kProgramKey + "\\Drives-REG", "D", 1);

    openPage();
    // A stored value that is no number is reported; the box keeps its designed state.
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "'abc' ist kein gültiger Integerwert");
    EXPECT_TRUE(box("CheckBox_CHK").checked());
    EXPECT_FALSE(box("CheckBox_WinTmpDIR").checked());
    EXPECT_TRUE(box("CheckBox_LOG").checked());
    EXPECT_FALSE(box("CheckBox_Icons").checked());
    EXPECT_TRUE(box("CheckBox_TMP").checked());
    auto& files = page->OstrelDrives_FILES();
    auto& reg = page->OstrelDrives_REG();
    EXPECT_FALSE(files.checked(IndexOf(files, 'C')));
    EXPECT_TRUE(reg.checked(IndexOf(reg, 'C')));
    EXPECT_TRUE(reg.checked(IndexOf(reg, 'D')));
    box("CheckBox_GID").setChecked(true);
    page->close();

    for (const char* value : {"CLEANUP_WINTMPDIR", "CLEANUP_CHK", "CLEANUP_TMP", "CLEANUP_BAK", "CLEANUP_BAK2", "CLEANUP_OTHER",
                              "CLEANUP_LOG", "CLEANUP_GID", "CLEANUP_FILE_FORMATE", "CLEANUP_COM", "CLEANUP_ACTIVEX",
                              "CLEANUP_SHARED_DLLS", "CLEANUP_FONTS", "CLEANUP_ICONS"})
        EXPECT_EQ(ReadRawValue(HKLM, kProgramKey, value)->type, static_cast<DWORD>(REG_DWORD)) << value;
    const auto flag = [&](const char* value) { return registry::RegReadInt(HKLM, kProgramKey, value); };
    EXPECT_EQ(flag("CLEANUP_WINTMPDIR"), 0);
    EXPECT_EQ(flag("CLEANUP_CHK"), 1);
    EXPECT_EQ(flag("CLEANUP_GID"), 1);
    EXPECT_EQ(flag("CLEANUP_ICONS"), 0);
    EXPECT_EQ(registry::RegValueNames(HKLM, kProgramKey + "\\Drives-FILES"), (std::vector<std::string>{"C"}));
    EXPECT_EQ(registry::RegReadInt(HKLM, kProgramKey + "\\Drives-FILES", "C"), 0);
    EXPECT_EQ(registry::RegValueNames(HKLM, kProgramKey + "\\Drives-REG"), (std::vector<std::string>{"C", "D"}));
    EXPECT_EQ(registry::RegReadInt(HKLM, kProgramKey + "\\Drives-REG", "D"), 1);
}

TEST_F(CleanupPageTest, AFileSearchNeedsAChoiceAndAUsableDrive)
{
    openPage();
    untickAll(kFileBoxes);
    page->Button_FILESUCHE().click();
    box("CheckBox_WinTmpDIR").setChecked(true);
    page->OstrelDrives_FILES().setChecked(IndexOf(page->OstrelDrives_FILES(), 'C'), false);
    page->Button_FILESUCHE().click();

    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].kind, ui::MsgKind::Information);
    EXPECT_EQ(boxes.shown()[0].text, LangString(6900));
    EXPECT_EQ(boxes.shown()[1].text, LangString(6930) + "\r" + LangString(6931));
}

TEST_F(CleanupPageTest, ACancelledFileSearchSaysSoAndSkipsTheTemporaryFolders)
{
    folder.file("WINDOWS\\TEMP\\X.TMP", "x");
    openPage().show();
    SetTimer(nullptr, 0, 1, CancelFromTheWaitWindow);

    page->Button_FILESUCHE().click();

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, LangString(6920));
    EXPECT_TRUE(cleanup::FoundFiles().empty());
    EXPECT_TRUE(IsWindowVisible(page->handle()));
    EXPECT_FALSE(IsWindowVisible(wait->handle()));
    EXPECT_EQ(cleanup::Form11, nullptr);
}

TEST_F(CleanupPageTest, ASearchOfTheTemporaryFoldersAloneListsTheirFiles)
{
    folder.file("WINDOWS\\TEMP\\sub\\a.dat", "12345");
    folder.file("User\\Local Settings\\TEMP\\b.tmp", "1234567");
    openPage();
    untickAll(kFileBoxes);
    box("CheckBox_WinTmpDIR").setChecked(true);
    std::vector<std::string> names;
    std::string count;
    WhenModal([&] {
        ASSERT_NE(cleanup::Form11, nullptr);
        for (int line = 0; line < cleanup::Form11->lineCount(); ++line)
            names.push_back(cleanup::Form11->entry(line).Name);
        count = cleanup::Form11->Label_Anzahl().caption();
        cleanup::Form11->find<ui::Button>("Button2").click();
    });

    page->Button_FILESUCHE().click();

    EXPECT_EQ(names, (std::vector<std::string>{"a.dat", "b.tmp"}));
    EXPECT_EQ(count, LangString(6950) + " 2 " + LangString(6951) + " 12 " + LangString(6952));
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(cleanup::Form11, nullptr);
}

TEST_F(CleanupPageTest, ARegistrySearchListsEachCheckThatFoundSomethingUnderItsGroup)
{
    WriteRawValue(HKLM, cleanup::kNtFontsKey, "Gone (TrueType)", REG_SZ, TextBytes("C:\\GONE\\GONE.TTF"));
    WriteRawValue(HKLM, cleanup::kNtFontsKey, "Also gone (TrueType)", REG_SZ, TextBytes("C:\\GONE\\ALSO.TTF"));
    openPage();
    int groups = 0;
    int entries = 0;
    std::string group;
    std::string count;
    WhenModal([&] {
        ASSERT_NE(cleanup::Form6, nullptr);
        groups = cleanup::Form6->groupCount();
        entries = cleanup::Form6->entryCount();
        auto& tree = cleanup::Form6->VirtualStringTree_REG();
        group = cleanup::Form6->entryOf(tree.firstChild(nullptr))->Title;
        count = cleanup::Form6->Label_Anzahl().caption();
        cleanup::Form6->find<ui::Button>("Button2").click();
    });

    page->Button_REGSUCHE().click();

    EXPECT_EQ(groups, 1);
    EXPECT_EQ(entries, 2);
    EXPECT_EQ(group, LangString(6914) + " (2 " + LangString(6901) + ")");
    EXPECT_EQ(count, LangString(6922) + " 2 " + LangString(6923));
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(cleanup::Form6, nullptr);
    EXPECT_TRUE(registry::RegValueExists(HKLM, cleanup::kNtFontsKey, "Gone (TrueType)"));
}

TEST_F(CleanupPageTest, ARegistrySearchNeedsAChoiceAndSaysWhenItFindsNothing)
{
    openPage();
    for (const char* name : kRegistryBoxes)
        box(name).setChecked(false);
    page->Button_REGSUCHE().click();
    box("CheckBox_COM").setChecked(true);
    page->Button_REGSUCHE().click();

    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, LangString(6900));
    EXPECT_EQ(boxes.shown()[1].text, LangString(6921));
}

TEST_F(CleanupPageTest, NothingIsClippedOrCoveredAndHelpShowsTheCleanupTopic)
{
    openPage().show();
    EXPECT_EQ(page->caption(), LangString(6000));
    EXPECT_EQ(page->PageControl1().activePageIndex(), 0);
    for (int sheet = 0; sheet < page->PageControl1().pageCount(); ++sheet) {
        page->PageControl1().setActivePageIndex(sheet);
        testing_support::ExpectNothingClippedOrCovered(page->handle());
    }
    page->find<ui::Button>("Button_hilfe").click();
    cleanup::TForm11 files;
    files.find<ui::Button>("Button1").click();
    cleanup::TForm6 entries;
    entries.find<ui::Button>("Button1").click();

    ASSERT_EQ(help.locations().size(), 3u);
    for (const std::string& location : help.locations())
        EXPECT_EQ(location.substr(location.size() - 22), "::/systemaufraumen.htm") << location;
}

TEST_F(CleanupPageTest, TheLanguageFileHoldsEveryTextTheCleanupAsksFor)
{
    const int numbers[] = {
        50,    51,    52,    53,    54,    55,    56,    6000,  6900,  6901,  6910,  6911,  6912,  6913,
        6914,  6917,  6920,  6921,  6922,  6923,  6930,  6931,  6940,  6941,  6942,  6943,  6944,  6950,
        6951,  6952,  16000, 16001, 16002, 16003, 16900, 16910, 16911, 16912, 16913, 16914, 16920, 16921,
        16930, 16931, 16932, 16940, 16941, 16942, 16950, 16951, 17000, 17900, 17901, 17902, 17910, 17911,
        17920, 17921,
    };
    for (int number : numbers)
        EXPECT_FALSE(LangString(number).empty()) << "language string " << number;
}
