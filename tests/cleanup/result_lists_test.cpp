// The two result dialogs: their lists with check boxes, what "Löschen" takes (only
// ticked lines, files to the Recycle Bin, registry keys after their export) and what
// it reports.
#include "cleanup_fixture.h"
#include "fake_regedit.h"

#include "cleanup/file_results_form.h"
#include "cleanup/registry_backup.h"
#include "cleanup/registry_results_form.h"
#include "harness/layout_check.h"
#include "harness/registry_sandbox.h"
#include "language/language.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "registry/registry.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

using cleanup::RegFinding;
using cleanup::TForm11;
using cleanup::TForm6;
using language::LangString;
using language::LangStringRange;

namespace {

// Presses the space bar on a line of a tree, as a user ticks or unticks it.
void PressSpaceOn(ui::VirtualTree& tree, ui::TreeNode node)
{
    TreeView_SelectItem(tree.handle(), node);
    SendMessageA(tree.handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(tree.handle(), WM_KEYUP, VK_SPACE, 0);
}

}  // namespace

class FileResultsTest : public CleanupTest {
protected:
    void SetUp() override
    {
        CleanupTest::SetUp();
        dialog = std::make_unique<TForm11>();
        language::LocalizeComponent(*dialog);
    }

    // A found file in the test's folder, listed ticked.
    std::string listFile(const std::string& relative, const std::string& contents)
    {
        const std::string path = folder.file(relative, contents);
        const auto slash = path.find_last_of('\\');
        dialog->addFile({path.substr(slash + 1), path.substr(0, slash), static_cast<std::int64_t>(contents.size())});
        return path;
    }

    std::unique_ptr<TForm11> dialog;
};

TEST_F(FileResultsTest, ListsEachFileWithNameFolderAndSize)
{
    const std::string path = listFile("DATA\\OLD.BAK", "12345");

    auto& list = dialog->VirtualStringTree_FILES();
    EXPECT_EQ(dialog->caption(), LangString(16000));
    EXPECT_EQ(list.columnCaption(0), LangString(16001));
    EXPECT_EQ(list.columnCaption(1), LangString(16002));
    EXPECT_EQ(list.columnCaption(2), LangString(16003));
    ASSERT_EQ(list.lineCount(), 1);
    EXPECT_EQ(list.text(0, 0), "OLD.BAK");
    EXPECT_EQ(list.text(0, 1), path.substr(0, path.size() - 8));
    EXPECT_EQ(list.text(0, 2), "5");
    EXPECT_TRUE(list.checked(0));
    EXPECT_EQ(ListView_GetItemCount(list.handle()), 0);  // the view learns its length when it is shown
    dialog->show();
    UpdateWindow(dialog->handle());
    EXPECT_EQ(ListView_GetItemCount(list.handle()), 1);
    testing_support::ExpectNothingClippedOrCovered(dialog->handle());
}

TEST_F(FileResultsTest, AClickOnACheckBoxOrTheSpaceBarTogglesItsLine)
{
    listFile("DATA\\A.TMP", "a");
    listFile("DATA\\B.TMP", "b");
    dialog->show();
    auto& list = dialog->VirtualStringTree_FILES();
    UpdateWindow(list.handle());
    RECT box{};
    ASSERT_TRUE(ListView_GetItemRect(list.handle(), 1, &box, LVIR_ICON) || ListView_GetItemRect(list.handle(), 1, &box, LVIR_BOUNDS));
    LVHITTESTINFO hit{};
    for (hit.pt = POINT{1, (box.top + box.bottom) / 2}; hit.pt.x < 40; ++hit.pt.x) {
        if (ListView_HitTest(list.handle(), &hit) == 1 && (hit.flags & LVHT_ONITEMSTATEICON))
            break;
    }
    ASSERT_LT(hit.pt.x, 40) << "no check box found on the second line";

    SendMessageA(list.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
    SendMessageA(list.handle(), WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x, hit.pt.y));
    EXPECT_TRUE(list.checked(0));
    EXPECT_FALSE(list.checked(1));
    SendMessageA(list.handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(list.handle(), WM_CHAR, ' ', 0);
    SendMessageA(list.handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(list.checked(1));
    EXPECT_EQ(dialog->checkedCount(), 2);
}

TEST_F(FileResultsTest, WithEveryLineUntickedNothingIsDeleted)
{
    const std::string first = listFile("DATA\\A.TMP", "a");
    const std::string second = listFile("DATA\\B.TMP", "b");
    dialog->find<ui::Button>("Button4").click();  // "Keine markieren"
    EXPECT_EQ(dialog->checkedCount(), 0);

    dialog->ButtonDELETE().click();

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, LangString(16900));
    EXPECT_TRUE(helpers::FileExists(first));
    EXPECT_TRUE(helpers::FileExists(second));
    dialog->find<ui::Button>("Button3").click();  // "Alle markieren"
    EXPECT_EQ(dialog->checkedCount(), 2);
}

TEST_F(FileResultsTest, DeletingMovesTheTickedFilesAwayAndTidiesTheTemporaryFolders)
{
    const std::string kept = listFile("DATA\\KEEP.TMP", "keep");
    const std::string first = listFile("DATA\\A.TMP", "aaa");
    const std::string second = listFile("WINDOWS\\TEMP\\SUB\\B.TMP", "bbbb");
    folder.makeDir("WINDOWS\\TEMP\\EMPTY\\EMPTIER");
    folder.file("WINDOWS\\TEMP\\FULL\\f.txt", "f");
    dialog->VirtualStringTree_FILES().setChecked(0, false);
    cleanup::PrepareFileScan();
    cleanup::FileScanFlags.WinTmpDir = true;
    boxes.answer(ui::MsgButton::Yes);

    dialog->ButtonDELETE().click();

    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].kind, ui::MsgKind::Confirmation);
    EXPECT_EQ(boxes.shown()[0].text, LangString(16910) + "\r" + LangString(16911) + " 2 " + LangString(16912) + "\r" +
                                         LangString(16913) + " 7 " + LangString(16914));
    EXPECT_EQ(boxes.shown()[1].kind, ui::MsgKind::Information);
    EXPECT_EQ(boxes.shown()[1].text, LangStringRange(16940, 16942));
    EXPECT_TRUE(helpers::FileExists(kept));
    EXPECT_FALSE(helpers::FileExists(first));
    EXPECT_FALSE(helpers::FileExists(second));
    EXPECT_FALSE(helpers::FolderExists(folder.path() + "WINDOWS\\TEMP\\EMPTY"));
    EXPECT_FALSE(helpers::FolderExists(folder.path() + "WINDOWS\\TEMP\\SUB"));
    EXPECT_TRUE(helpers::FileExists(folder.path() + "WINDOWS\\TEMP\\FULL\\f.txt"));
    EXPECT_TRUE(helpers::FolderExists(folder.path() + "WINDOWS\\TEMP"));
}

TEST_F(FileResultsTest, AnsweringNoDeletesNothing)
{
    const std::string file = listFile("DATA\\A.TMP", "a");
    boxes.answer(ui::MsgButton::No);
    dialog->ButtonDELETE().click();
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(helpers::FileExists(file));
}

TEST(GroupedNumber, GroupsDigitsByThree)
{
    char separator[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    const std::string s = separator;
    EXPECT_EQ(cleanup::GroupedNumber(0), "0");
    EXPECT_EQ(cleanup::GroupedNumber(999), "999");
    EXPECT_EQ(cleanup::GroupedNumber(1000), "1" + s + "000");
    EXPECT_EQ(cleanup::GroupedNumber(12345678901LL), "12" + s + "345" + s + "678" + s + "901");
}

class RegistryResultsTest : public CleanupTest {
protected:
    void SetUp() override
    {
        CleanupTest::SetUp();
        dialog = std::make_unique<TForm6>();
        language::LocalizeComponent(*dialog);
    }

    ui::TreeNode addGroup(cleanup::RegCheckKind kind, const std::vector<RegFinding>& findings)
    {
        const ui::TreeNode group = dialog->addGroup(kind, "Gruppe " + std::to_string(kind));
        for (const RegFinding& finding : findings)
            dialog->addEntry(group, kind, finding);
        return group;
    }

    static RegFinding ValueFinding(const std::string& name) { return {name, "C:\\GONE\\" + name, {}, {}, name}; }

    static std::string Dated(const std::string& appDir)
    {
        WIN32_FIND_DATAA found;
        const ui::FindHandle search(FindFirstFileA((appDir + "\\BACKUP\\Backup *.reg").c_str(), &found));
        return search ? appDir + "\\BACKUP\\" + found.cFileName : std::string();
    }

    std::unique_ptr<TForm6> dialog;
    FakeRegedit regedit;
};

TEST_F(RegistryResultsTest, ShowsGroupsWithTheirEntriesAndTheirTexts)
{
    addGroup(cleanup::KindFileTypes, {{"OldViewer", "C:\\OLD\\VIEWER.EXE", {}, ".old", {}}});
    addGroup(cleanup::KindComServers, {{"Gone server", "C:\\GONE\\SERVER.DLL", "{B2}", {}, {}}});

    EXPECT_EQ(dialog->caption(), LangString(17000));
    EXPECT_EQ(dialog->groupCount(), 2);
    EXPECT_EQ(dialog->entryCount(), 2);
    auto& tree = dialog->VirtualStringTree_REG();
    EXPECT_EQ(tree.nodeHeight(), 48);
    const ui::TreeNode fileTypes = tree.firstChild(nullptr);
    const auto* group = dialog->entryOf(fileTypes);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->Kind, -1);
    EXPECT_EQ(group->GroupKind, cleanup::KindFileTypes);
    EXPECT_EQ(dialog->lineTexts(*dialog->entryOf(tree.firstChild(fileTypes))),
              (std::array<std::string, 3>{"OldViewer - " + LangString(17900) + " *.old", LangString(17901),
                                          "C:\\OLD\\VIEWER.EXE"}));
    const ui::TreeNode com = tree.firstChild(tree.nextSibling(fileTypes));
    EXPECT_EQ(dialog->lineTexts(*dialog->entryOf(com))[0], LangString(17902) + " \"Gone server\"");
    for (ui::TreeNode node : tree.allNodes())
        EXPECT_EQ(tree.checkState(node), ui::CheckState::Checked);
    dialog->show();
    testing_support::ExpectNothingClippedOrCovered(dialog->handle());
}

TEST_F(RegistryResultsTest, UntickingAGroupUnticksItsEntries)
{
    const ui::TreeNode group = addGroup(cleanup::KindFonts, {ValueFinding("A"), ValueFinding("B")});
    auto& tree = dialog->VirtualStringTree_REG();
    const ui::TreeNode first = tree.firstChild(group);
    dialog->show();

    PressSpaceOn(tree, group);
    EXPECT_EQ(tree.checkState(group), ui::CheckState::Unchecked);
    EXPECT_EQ(tree.checkState(first), ui::CheckState::Unchecked);
    EXPECT_EQ(tree.checkState(tree.nextSibling(first)), ui::CheckState::Unchecked);

    PressSpaceOn(tree, first);
    EXPECT_EQ(tree.checkState(group), ui::CheckState::Mixed);
    PressSpaceOn(tree, tree.nextSibling(first));
    EXPECT_EQ(tree.checkState(group), ui::CheckState::Checked);
}

TEST_F(RegistryResultsTest, SharedDllsAndFontsKeysAreExportedOnceEachIntoOneDatedFile)
{
    const std::string shared = cleanup::kSharedDllsKey;
    const std::string fonts = cleanup::kNtFontsKey;
    for (const char* name : {"C:\\GONE\\A.DLL", "C:\\GONE\\B.DLL", "C:\\KEEP.DLL"})
        WriteRawValue(HKLM, shared, name, REG_DWORD, {1, 0, 0, 0});
    for (const char* name : {"Gone A", "Gone B", "Kept"})
        WriteRawValue(HKLM, fonts, name, REG_SZ, TextBytes("x.ttf"));
    regedit.canExport("HKEY_LOCAL_MACHINE\\" + shared);
    regedit.canExport("HKEY_LOCAL_MACHINE\\" + fonts);
    addGroup(cleanup::KindSharedDlls, {ValueFinding("C:\\GONE\\A.DLL"), ValueFinding("C:\\GONE\\B.DLL")});
    addGroup(cleanup::KindFonts, {ValueFinding("Gone A"), ValueFinding("Gone B")});
    boxes.answer(ui::MsgButton::Yes);

    dialog->ButtonDELETE().click();

    EXPECT_EQ(regedit.exported(),
              (std::vector<std::string>{"HKEY_LOCAL_MACHINE\\" + shared, "HKEY_LOCAL_MACHINE\\" + fonts}));
    EXPECT_EQ(registry::RegValueNames(HKLM, shared), (std::vector<std::string>{"C:\\KEEP.DLL"}));
    EXPECT_EQ(registry::RegValueNames(HKLM, fonts), (std::vector<std::string>{"Kept"}));
    const std::string dated = Dated(cleanup::Places().appDir);
    ASSERT_FALSE(dated.empty());
    cleanup::RegFileText text;
    ASSERT_TRUE(cleanup::ReadRegFileText(dated, text));
    EXPECT_EQ(std::count_if(text.lines.begin(), text.lines.end(), [](const std::wstring& line) { return line[0] == L'['; }), 2);
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, LangString(17911));
    EXPECT_EQ(boxes.shown()[1].text, LangString(17921));
}

TEST_F(RegistryResultsTest, AnIconEntryKeepsItsKeyAndOnlyItsIconIsCleared)
{
    WriteRawValue(HKCR, "appfile\\DefaultIcon", "", REG_EXPAND_SZ, TextBytes("%TEMP%\\GONE\\APP.EXE,2"));
    WriteRawValue(HKCR, "appfile\\DefaultIcon", "Other", REG_SZ, TextBytes("kept"));
    regedit.canExport("HKEY_CLASSES_ROOT\\appfile\\DefaultIcon");
    addGroup(cleanup::KindIcons, {{"DefaultIcon", "C:\\GONE\\APP.EXE", "appfile\\DefaultIcon", {}, {}}});
    boxes.answer(ui::MsgButton::Yes);

    dialog->ButtonDELETE().click();

    EXPECT_TRUE(registry::RegKeyExists(HKCR, "appfile\\DefaultIcon"));
    EXPECT_EQ(registry::RegReadText(HKCR, "appfile\\DefaultIcon", ""), "");
    EXPECT_EQ(registry::RegReadText(HKCR, "appfile\\DefaultIcon", "Other"), "kept");
}

TEST_F(RegistryResultsTest, OnlyTickedEntriesWhoseExportSucceededAreDeleted)
{
    for (const char* key : {"CLSID\\{A1}", "CLSID\\{B2}", "CLSID\\{C3}", ".old", "OldViewer"})
        WriteRawValue(HKCR, key, "", REG_SZ, TextBytes("x"));
    regedit.canExport("HKEY_CLASSES_ROOT\\CLSID\\{A1}");
    regedit.canExport("HKEY_CLASSES_ROOT\\CLSID\\{C3}");
    regedit.canExport("HKEY_CLASSES_ROOT\\.old");
    regedit.canExport("HKEY_CLASSES_ROOT\\OldViewer");
    addGroup(cleanup::KindComServers, {{"A", "C:\\GONE\\A.DLL", "{A1}", {}, {}},
                                       {"B", "C:\\GONE\\B.DLL", "{B2}", {}, {}},   // cannot be exported
                                       {"C", "C:\\GONE\\C.DLL", "{C3}", {}, {}}}); // not ticked
    addGroup(cleanup::KindFileTypes, {{"OldViewer", "C:\\OLD\\VIEWER.EXE", {}, ".old", {}}});
    auto& tree = dialog->VirtualStringTree_REG();
    const ui::TreeNode c3 = tree.nextSibling(tree.nextSibling(tree.firstChild(tree.firstChild(nullptr))));
    tree.setCheckState(c3, ui::CheckState::Unchecked);
    boxes.answer(ui::MsgButton::Yes);

    dialog->ButtonDELETE().click();

    EXPECT_FALSE(registry::RegKeyExists(HKCR, "CLSID\\{A1}"));
    EXPECT_TRUE(registry::RegKeyExists(HKCR, "CLSID\\{B2}"));
    EXPECT_TRUE(registry::RegKeyExists(HKCR, "CLSID\\{C3}"));
    EXPECT_FALSE(registry::RegKeyExists(HKCR, ".old"));
    EXPECT_FALSE(registry::RegKeyExists(HKCR, "OldViewer"));
    EXPECT_EQ(regedit.exported(), (std::vector<std::string>{"HKEY_CLASSES_ROOT\\CLSID\\{A1}", "HKEY_CLASSES_ROOT\\CLSID\\{B2}",
                                                            "HKEY_CLASSES_ROOT\\.old", "HKEY_CLASSES_ROOT\\OldViewer"}));
}

TEST_F(RegistryResultsTest, NothingTickedOrNoAnswerChangesNothing)
{
    WriteRawValue(HKCR, "CLSID\\{A1}", "", REG_SZ, TextBytes("x"));
    regedit.canExport("HKEY_CLASSES_ROOT\\CLSID\\{A1}");
    const ui::TreeNode group = addGroup(cleanup::KindComServers, {{"A", "C:\\GONE\\A.DLL", "{A1}", {}, {}}});

    boxes.answer(ui::MsgButton::No);
    dialog->ButtonDELETE().click();
    dialog->VirtualStringTree_REG().setCheckState(dialog->VirtualStringTree_REG().firstChild(group), ui::CheckState::Unchecked);
    dialog->ButtonDELETE().click();

    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, LangString(17911));
    EXPECT_EQ(boxes.shown()[1].kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.shown()[1].text, LangString(17910));
    EXPECT_TRUE(regedit.programs.ran.empty());
    EXPECT_TRUE(registry::RegKeyExists(HKCR, "CLSID\\{A1}"));
}

namespace {

// A journal whose folder cannot be made (a file stands in its way): the first change
// of an action asks whether to go on without undo. Switched off again at the end.
class UnwritableJournal {
public:
    explicit UnwritableJournal(testing_support::TempFolder& folder)
    {
        journal::SetJournalFolder(folder.file("blocked", "x") + "\\Journal", cleanup::Places().appDir);
    }
    ~UnwritableJournal() { journal::SetJournalFolder({}); }
    UnwritableJournal(const UnwritableJournal&) = delete;
    UnwritableJournal& operator=(const UnwritableJournal&) = delete;
};

}  // namespace

TEST_F(RegistryResultsTest, TheJournalsRefusalLeavesTheDialogShownAndTheBackupDated)
{
    WriteRawValue(HKCR, "CLSID\\{A1}", "", REG_SZ, TextBytes("x"));
    regedit.canExport("HKEY_CLASSES_ROOT\\CLSID\\{A1}");
    addGroup(cleanup::KindComServers, {{"A", "C:\\GONE\\A.DLL", "{A1}", {}, {}}});
    const UnwritableJournal journal(folder);
    dialog->show();
    boxes.answer(ui::MsgButton::Yes);  // delete the ticked entries
    boxes.answer(ui::MsgButton::No);   // not without undo

    dialog->ButtonDELETE().click();

    EXPECT_TRUE(IsWindowVisible(dialog->handle()));
    EXPECT_TRUE(registry::RegKeyExists(HKCR, "CLSID\\{A1}"));
    ASSERT_EQ(boxes.shown().size(), 2u) << "a report after the refusal";
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Confirmation);
    // The export made before the refusal is no run's collecting file any more.
    EXPECT_FALSE(helpers::FileExists(cleanup::Places().appDir + "\\BACKUP\\1.reg"));
    EXPECT_FALSE(Dated(cleanup::Places().appDir).empty());
}

TEST_F(RegistryResultsTest, KeysThatRefuseToBeWrittenAreKeptAndTheReportSaysSo)
{
    const std::string fonts = cleanup::kNtFontsKey;
    WriteRawValue(HKCR, "CLSID\\{A1}", "", REG_SZ, TextBytes("x"));
    WriteRawValue(HKLM, fonts, "Gone A", REG_SZ, TextBytes("a.ttf"));
    WriteRawValue(HKCR, "appfile\\DefaultIcon", "", REG_SZ, TextBytes("C:\\GONE\\APP.EXE,1"));
    regedit.canExport("HKEY_CLASSES_ROOT\\CLSID\\{A1}");
    regedit.canExport("HKEY_LOCAL_MACHINE\\" + fonts);
    regedit.canExport("HKEY_CLASSES_ROOT\\appfile\\DefaultIcon");
    addGroup(cleanup::KindComServers, {{"A", "C:\\GONE\\A.DLL", "{A1}", {}, {}}});
    addGroup(cleanup::KindFonts, {ValueFinding("Gone A")});
    addGroup(cleanup::KindIcons, {{"DefaultIcon", "C:\\GONE\\APP.EXE", "appfile\\DefaultIcon", {}, {}}});
    // A user without administrator rights.
    makeReadOnly(HKCR);
    makeReadOnly(HKLM);
    boxes.answer(ui::MsgButton::Yes);

    dialog->ButtonDELETE().click();

    // Read as such a user can: with read access only.
    EXPECT_TRUE(RawKeyExists(HKCR, "CLSID\\{A1}"));
    EXPECT_TRUE(ReadRawValue(HKLM, fonts, "Gone A").has_value());
    EXPECT_EQ(ReadRawValue(HKCR, "appfile\\DefaultIcon", "")->data, TextBytes("C:\\GONE\\APP.EXE,1"));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Warning);
    EXPECT_EQ(boxes.last().text, LangString(17927) + "\r" + LangString(17924) + " 3");
}

TEST_F(RegistryResultsTest, TheReportCountsWhatWasDeletedAndWhatWasKept)
{
    const struct {
        cleanup::DeletionCounts counts;
        std::string report;
    } cases[] = {
        {{3, 0, 0}, LangString(17921)},
        {{2, 1, 0}, LangString(17922) + " 2 " + LangString(17926) + " 3\r" + LangString(17923) + " 1\r" + LangString(17925)},
        {{0, 2, 1}, LangString(17927) + "\r" + LangString(17923) + " 2\r" + LangString(17924) + " 1"},
        {{1, 0, 4}, LangString(17922) + " 1 " + LangString(17926) + " 5\r" + LangString(17924) + " 4\r" + LangString(17925)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cleanup::DeletionReport(c.counts), c.report);
}

TEST_F(RegistryResultsTest, AFailedExportKeepsItsEntryAndTheReportSaysSoInAWarning)
{
    for (const char* key : {"CLSID\\{A1}", "CLSID\\{B2}"})
        WriteRawValue(HKCR, key, "", REG_SZ, TextBytes("x"));
    regedit.canExport("HKEY_CLASSES_ROOT\\CLSID\\{A1}");
    addGroup(cleanup::KindComServers, {{"A", "C:\\GONE\\A.DLL", "{A1}", {}, {}}, {"B", "C:\\GONE\\B.DLL", "{B2}", {}, {}}});
    boxes.answer(ui::MsgButton::Yes);

    dialog->ButtonDELETE().click();

    EXPECT_FALSE(registry::RegKeyExists(HKCR, "CLSID\\{A1}"));
    EXPECT_TRUE(registry::RegKeyExists(HKCR, "CLSID\\{B2}"));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Warning);
    EXPECT_EQ(boxes.last().text, cleanup::DeletionReport({1, 1, 0}));
}

TEST_F(RegistryResultsTest, ATypeLibraryFindingDeletesOnlyTheMissingFilesKeyAndWhatItLeavesEmpty)
{
    const auto set = [](const std::string& key, const std::string& text) {
        WriteRawValue(HKCR, "TypeLib\\" + key, "", REG_SZ, TextBytes(text));
    };
    // {L1}: version 2.0 goes whole (only FLAGS and HELPDIR are left), 1.0 stays.
    set("{L1}\\1.0", "Kept version");
    set("{L1}\\1.0\\0\\win32", "C:\\HERE\\LIB1.TLB");
    set("{L1}\\2.0", "Gone version");
    set("{L1}\\2.0\\0\\win32", "C:\\GONE\\LIB2.TLB");
    set("{L1}\\2.0\\FLAGS", "0");
    set("{L1}\\2.0\\HELPDIR", "C:\\GONE");
    // {L2}: the 32-bit file is gone, the 64-bit one of the same locale stays.
    set("{L2}\\3.0", "Mixed version");
    set("{L2}\\3.0\\0\\win32", "C:\\GONE\\LIB3.TLB");
    set("{L2}\\3.0\\0\\win64", "C:\\HERE\\LIB3_64.TLB");
    // {L3}: its one file is gone, so the whole library goes.
    set("{L3}\\4.0", "Only version");
    set("{L3}\\4.0\\9\\win32", "C:\\GONE\\LIB4.TLB");
    for (const char* library : {"{L1}", "{L2}", "{L3}"})
        regedit.canExport(std::string("HKEY_CLASSES_ROOT\\TypeLib\\") + library);
    addGroup(cleanup::KindTypeLibraries, {{"Gone version", "C:\\GONE\\LIB2.TLB", "{L1}", {}, {}, "2.0\\0\\win32"},
                                          {"Mixed version", "C:\\GONE\\LIB3.TLB", "{L2}", {}, {}, "3.0\\0\\win32"},
                                          {"Only version", "C:\\GONE\\LIB4.TLB", "{L3}", {}, {}, "4.0\\9\\win32"}});
    boxes.answer(ui::MsgButton::Yes);

    dialog->ButtonDELETE().click();

    EXPECT_TRUE(registry::RegKeyExists(HKCR, "TypeLib\\{L1}\\1.0\\0\\win32"));
    EXPECT_FALSE(registry::RegKeyExists(HKCR, "TypeLib\\{L1}\\2.0"));
    EXPECT_FALSE(registry::RegKeyExists(HKCR, "TypeLib\\{L2}\\3.0\\0\\win32"));
    EXPECT_EQ(registry::RegReadText(HKCR, "TypeLib\\{L2}\\3.0\\0\\win64", ""), "C:\\HERE\\LIB3_64.TLB");
    EXPECT_EQ(registry::RegReadText(HKCR, "TypeLib\\{L2}\\3.0", ""), "Mixed version");
    EXPECT_FALSE(registry::RegKeyExists(HKCR, "TypeLib\\{L3}"));
    EXPECT_EQ(regedit.exported(), (std::vector<std::string>{"HKEY_CLASSES_ROOT\\TypeLib\\{L1}", "HKEY_CLASSES_ROOT\\TypeLib\\{L2}",
                                                            "HKEY_CLASSES_ROOT\\TypeLib\\{L3}"}));
    EXPECT_EQ(boxes.last().text, LangString(17921));
}

TEST_F(FileResultsTest, TheReportSaysWhatBecameOfTheFiles)
{
    using Messages = std::vector<std::pair<ui::MsgKind, std::string>>;
    const auto shown = [](const cleanup::RecycleOutcome& outcome) {
        Messages messages;
        for (const auto& message : cleanup::RecycleReport(outcome))
            messages.emplace_back(message.kind, message.text);
        return messages;
    };
    const std::string inUse = std::string("\r") + language::LangStrings({16950, 16951});
    const struct {
        const char* label;
        cleanup::RecycleOutcome outcome;
        Messages messages;
    } cases[] = {
        {"all in the bin", {3, 3, 0, 0, false}, {{ui::MsgKind::Information, LangStringRange(16940, 16942)}}},
        {"all cancelled", {2, 0, 0, 2, true},
         {{ui::MsgKind::Information, LangStringRange(16930, 16932)},
          {ui::MsgKind::Error, language::LangStrings({16931, 16950, 16951})}}},
        {"part cancelled", {3, 1, 0, 2, true},
         {{ui::MsgKind::Warning, LangString(16930) + "\r" + LangString(16960) + " 1 " + LangString(16961) + " 3\r" +
                                     LangString(16963) + " 2" + inUse + "\r" + LangString(16941)}}},
        {"deleted for good at the shell's warning", {2, 1, 1, 0, false},
         {{ui::MsgKind::Warning, LangString(16960) + " 1 " + LangString(16961) + " 2\r" + LangString(16962) + " 1\r" +
                                     LangString(16941)}}},
        {"the shell failed without a word", {1, 0, 0, 1, false},
         {{ui::MsgKind::Warning, LangString(16960) + " 0 " + LangString(16961) + " 1\r" + LangString(16963) + " 1" + inUse}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shown(c.outcome), c.messages) << c.label;
}
