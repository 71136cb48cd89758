// The autostart list: what is collected from the twelve sources, in which order and
// how, and what "Ok" writes back for removed, edited and added entries.
#include "autostart_fixture.h"

#include "autostart/autorun_rows.h"
#include "harness/page_contract.h"
#include "registry/control_binding.h"
#include "registry/helpers.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/convert.h"

#include <algorithm>

using autostart::AutostartEntry;
using autostart::TForm_Autorun;
using language::LangString;

namespace {

std::vector<BYTE> Dword(DWORD number)
{
    return {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
            static_cast<BYTE>(number >> 24)};
}

// Whether two snapshots of the registry hold the same keys and values, byte for byte.
bool SameRegistry(const testing_support::RegistrySnapshot& a, const testing_support::RegistrySnapshot& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.first == y.first && x.second.has_value() == y.second.has_value() &&
               (!x.second || (x.second->type == y.second->type && x.second->data == y.second->data));
    });
}

std::string IniLabel(const char* section)
{
    return LangString(40) + " \"Win.ini\" [" + section + "]";
}

std::string NotepadPath()
{
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\notepad.exe";
}

class AutostartListTest : public AutostartTest {};

// --- Collecting ----------------------------------------------------------------------

TEST_F(AutostartListTest, EverySourceIsListedInItsOrderWithItsCommand)
{
    const std::string docs = temp.makeDir("Docs");
    MakeLink(commonFolder + "\\b.lnk", docs.substr(0, docs.size() - 1));
    MakeLink(commonFolder + "\\a.lnk", program("a.exe"));
    temp.file("All Users Startup\\notes.lnk", "this is no link");
    temp.file("All Users Startup\\readme.txt", "no link at all");
    temp.makeDir("All Users Startup\\Sub");
    MakeLink(commonFolder + "\\Sub\\c.lnk", program("c.exe"));
    MakeLink(userFolder + "\\u.lnk", program("u.exe"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kHklmRun, "HklmTool", REG_SZ, TextBytes("C:\\hklm.exe"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kHklmRun + "ServicesOnce", "Svc", REG_SZ, TextBytes("C:\\svc.exe"));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "", REG_SZ, TextBytes("C:\\default.exe"));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRunOnce, "Count", REG_DWORD, Dword(42));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun + "Services", "Expand", REG_EXPAND_SZ, TextBytes("%windir%\\x.exe"));
    writeIni("[windows]\r\nload=C:\\notload.exe\r\nrun=C:\\notrun.exe\r\n[RUN]\r\nRunTool=C:\\run.exe\r\n"
             "[LOAD]\r\nLoadTool=C:\\load.exe\r\n");

    OpenedPage page;

    struct Row {
        std::string name;
        std::string command;
        std::string label;
    };
    const std::vector<Row> expected{
        {"a.lnk", program("a.exe"), LangString(4800)},
        {"b.lnk", docs.substr(0, docs.size() - 1), LangString(4800)},
        {"notes.lnk", "", LangString(4800)},  // no link: read quietly, no command
        {"c.lnk", program("c.exe"), LangString(4800)},  // from the subfolder
        {"u.lnk", program("u.exe"), LangString(4801)},
        {"HklmTool", "C:\\hklm.exe", LangString(4802)},
        {"Svc", "C:\\svc.exe", LangString(4805)},
        {"", "C:\\default.exe", LangString(4806)},  // the key's default value
        {"Count", "42", LangString(4807)},          // a DWORD as its decimal text
        {"Expand", "%windir%\\x.exe", LangString(4808)},
        {"RunTool", "C:\\run.exe", IniLabel("RUN")},
        {"LoadTool", "C:\\load.exe", IniLabel("LOAD")},
    };
    autostart::AutostartManager& list = page->autostart();
    ASSERT_EQ(list.rowCount(), static_cast<int>(expected.size()));
    for (int index = 0; index < list.rowCount(); ++index) {
        const AutostartEntry& entry = list.row(index)->entry;
        SCOPED_TRACE("row " + std::to_string(index) + " " + entry.Name);
        EXPECT_EQ(entry.Name, expected[static_cast<std::size_t>(index)].name);
        EXPECT_EQ(entry.Command, expected[static_cast<std::size_t>(index)].command);
        EXPECT_EQ(entry.SourceLabel, expected[static_cast<std::size_t>(index)].label);
        EXPECT_EQ(entry.Row, index);
        EXPECT_FALSE(entry.Modified || entry.IsNew || list.row(index)->markedForRemoval);
    }
    EXPECT_EQ(EntryNamed(*page, "c.lnk").LinkFile, ui::UpperCase(commonFolder) + "\\Sub\\c.lnk");
    EXPECT_EQ(EntryNamed(*page, "Count").RegRoot, HKEY_CURRENT_USER);
    EXPECT_EQ(EntryNamed(*page, "Count").RegKey, kHkcuRunOnce);
    EXPECT_EQ(EntryNamed(*page, "LoadTool").IniSection, "LOAD");

    // The name and command columns fit the longest texts.
    ui::MeasuringCanvas measuring(page->VirtualDrawTree_Autorun().font());
    EXPECT_EQ(page->VirtualDrawTree_Autorun().columnWidth(0),
              helpers::MaxTextWidth(list.AutostartNames(), measuring.canvas()) + 72);
    EXPECT_EQ(page->VirtualDrawTree_Autorun().columnWidth(2),
              helpers::MaxTextWidth(list.AutostartCommands(), measuring.canvas()) + 16);
}

TEST_F(AutostartListTest, TheUsersFolderIsNotListedAgainWhenItIsTheCommonOne)
{
    MakeLink(commonFolder + "\\tool.lnk", program("tool.exe"));
    const std::pair<const char*, std::string> spellings[] = {
        {"upper-cased", ui::UpperCase(commonFolder)},
        {"as the shell spells it", commonFolder},
        {"with a final backslash", commonFolder + "\\"},
    };
    for (const auto& [how, folder] : spellings) {
        SCOPED_TRACE(how);
        WriteRawValue(HKEY_CURRENT_USER, kShellFolders, "StartUp", REG_SZ, TextBytes(folder));
        OpenedPage page;
        ASSERT_EQ(page->autostart().rowCount(), 1);
        EXPECT_EQ(page->autostart().row(0)->entry.SourceLabel, LangString(4800));
    }
}

TEST_F(AutostartListTest, AQuotedProgramPathHasItsIconACommandWithArgumentsHasNone)
{
    std::string quoted = NotepadPath();
    quoted.insert(quoted.begin(), '"');
    quoted.push_back('"');
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Quoted", REG_SZ, TextBytes(quoted));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Arguments", REG_SZ, TextBytes(NotepadPath() + " /start"));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Missing", REG_SZ, TextBytes("C:\\no such program.exe"));
    MakeLink(commonFolder + "\\editor.lnk", NotepadPath());

    OpenedPage page;

    EXPECT_GE(EntryNamed(*page, "Quoted").IconIndex, 0);
    EXPECT_EQ(EntryNamed(*page, "Arguments").IconIndex, -1);
    EXPECT_EQ(EntryNamed(*page, "Missing").IconIndex, -1);
    EXPECT_GE(EntryNamed(*page, "editor.lnk").IconIndex, 0);  // a link shows its target's icon
    EXPECT_EQ(ImageList_GetImageCount(page->autostart().AutostartIcons()), 2);
}

// Without administrator rights the machine's Run keys cannot be created: the error is
// told once, and everything else is still listed and loaded.
TEST_F(AutostartListTest, ARunKeyThatCannotBeCreatedIsToldAndTheRestIsListed)
{
    MakeLink(commonFolder + "\\tool.lnk", program("tool.exe"));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Mine", REG_SZ, TextBytes("C:\\mine.exe"));
    WriteRawValue(HKEY_CURRENT_USER, autostart::kExplorerPoliciesKey, "NoDriveAutoRun", REG_DWORD, Dword(4));
    makeReadOnly(HKEY_LOCAL_MACHINE);

    OpenedPage page;

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "Erzeugung von Schlüssel " + kHklmRun + " mißlungen");
    EXPECT_GE(RowNamed(*page, "tool.lnk"), 0);
    EXPECT_GE(RowNamed(*page, "Mine"), 0);
    EXPECT_FALSE(page->ListView_AutorunDrives().checked(2));  // C: loads as stored
}

// --- Removing ------------------------------------------------------------------------

TEST_F(AutostartListTest, OkRemovesExactlyTheMarkedEntriesAndTellsOnceRegistryFirst)
{
    const std::string goneLink = unique("gone");
    MakeLink(commonFolder + "\\" + goneLink, program("gone.exe"));
    MakeLink(userFolder + "\\stays.lnk", program("stays.exe"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kHklmRun, "Gone", REG_SZ, TextBytes("C:\\gone.exe"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kHklmRun, "Stays", REG_SZ, TextBytes("C:\\stays.exe"));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "", REG_SZ, TextBytes("C:\\default.exe"));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Kept", REG_SZ, TextBytes("C:\\kept.exe"));
    writeIni("[RUN]\r\ngone=C:\\gone.exe\r\nstays=C:\\stays.exe\r\n[LOAD]\r\ngone=C:\\load.exe\r\n");
    {
        OpenedPage page;
        markForRemoval(*page, goneLink);
        markForRemoval(*page, "Gone");
        markForRemoval(*page, "");
        ASSERT_TRUE(Select(*page, "gone"));  // the [RUN] entry comes before the [LOAD] one
        boxes.answer(ui::MsgButton::Yes);
        page->find<ui::Button>("Button_AutorunDELETE").click();
        boxes.clear();

        pressOk(*page);

        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.last().kind, ui::MsgKind::Information);
        EXPECT_EQ(boxes.last().text, LangString(4821) + "\r" + LangString(4820));
        EXPECT_EQ(page->autostart().rowCount(), 0);
    }
    EXPECT_FALSE(Exists(commonFolder + "\\" + goneLink));
    EXPECT_TRUE(InRecycleBin(goneLink));
    EXPECT_TRUE(Exists(userFolder + "\\stays.lnk"));
    EXPECT_FALSE(ReadRawValue(HKEY_LOCAL_MACHINE, kHklmRun, "Gone"));
    EXPECT_TRUE(ReadRawValue(HKEY_LOCAL_MACHINE, kHklmRun, "Stays"));
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, ""));
    EXPECT_TRUE(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Kept"));
    EXPECT_EQ(helpers::ReadIniSection(iniFile, "RUN"), (std::vector<std::string>{"stays=C:\\stays.exe"}));
    EXPECT_EQ(helpers::ReadIniSection(iniFile, "LOAD"), (std::vector<std::string>{"gone=C:\\load.exe"}));
}

TEST_F(AutostartListTest, TheMessageAfterOkSaysWhatKindOfSourceChanged)
{
    struct Case {
        const char* what;
        std::string markedName;
        std::vector<ui::MsgKind> kinds;
        std::string text;
    };
    const std::string link = unique("link only");
    const Case cases[] = {
        {"a link", link, {ui::MsgKind::Plain}, LangString(4820)},
        {"a registry value", "Value", {ui::MsgKind::Information}, LangString(4821)},
        {"a win.ini entry", "IniTool", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MakeLink(commonFolder + "\\" + link, program("tool.exe"));
        WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Value", REG_SZ, TextBytes("C:\\value.exe"));
        writeIni("[LOAD]\r\nIniTool=C:\\tool.exe\r\n");
        OpenedPage page;
        markForRemoval(*page, c.markedName);
        boxes.clear();

        pressOk(*page);

        std::vector<ui::MsgKind> kinds;
        for (const auto& shown : boxes.shown())
            kinds.push_back(shown.kind);
        EXPECT_EQ(kinds, c.kinds);
        if (!c.kinds.empty()) {
            EXPECT_EQ(boxes.last().text, c.text);
        }
    }
}

// --- Adding --------------------------------------------------------------------------

TEST_F(AutostartListTest, AnAddedEntryBecomesAnHkcuRunStringUnlessItIsMarkedBeforeOk)
{
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Existing", REG_SZ, TextBytes("C:\\existing.exe"));
    OpenedPage page;
    const auto add = [&](const std::string& name, const std::string& command) {
        page->find<ui::Edit>("Edit_AutoRunNAME").setText(name);
        page->find<ui::Edit>("Edit_AutoRunCOMMAND").setText(command);
        page->find<ui::Button>("Button_AutoRunADD").click();
    };
    add("New Tool", "\"C:\\Program Files\\Tool\\tool.exe\" /tray");
    add("Dropped", "C:\\dropped.exe");
    const AutostartEntry& added = EntryNamed(*page, "New Tool");
    EXPECT_TRUE(added.IsNew);
    EXPECT_EQ(added.SourceLabel, LangString(4806));
    EXPECT_EQ(RowNamed(*page, "New Tool"), 1);  // at the end of the list
    markForRemoval(*page, "Dropped");
    // A name the Run key already holds would replace that entry.
    add("existing", "C:\\other.exe");
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Warning);
    EXPECT_EQ(boxes.last().text, LangString(4912) + "\r" + LangString(4913));
    EXPECT_EQ(page->autostart().rowCount(), 3);
    boxes.clear();

    pressOk(*page);

    EXPECT_TRUE(boxes.shown().empty());
    const auto written = ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "New Tool");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(written->data, TextBytes("\"C:\\Program Files\\Tool\\tool.exe\" /tray"));
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Dropped"));
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Existing")->data, TextBytes("C:\\existing.exe"));
}

// --- Editing -------------------------------------------------------------------------

TEST_F(AutostartListTest, ANewCommandRewritesTheLinkWithEverythingElseItHeld)
{
    const std::string name = unique("tool");
    const std::string link = commonFolder + "\\" + name;
    MakeLink(link, program("old.exe"), "-quiet");
    OpenedPage page;
    ASSERT_TRUE(Select(*page, name));
    EXPECT_EQ(page->find<ui::Edit>("Edit_AutoRunNAME").text(), name);
    EXPECT_EQ(page->find<ui::Edit>("Edit_AutoRunCOMMAND").text(), program("old.exe"));
    page->find<ui::Edit>("Edit_AutoRunCOMMAND").setText(program("new.exe"));
    page->find<ui::Button>("Button_AutorunBEARBEITEN").click();
    EXPECT_TRUE(EntryNamed(*page, name).Modified);

    pressOk(*page);

    components::TShortcutLink written;
    written.setShortcutFile(link);
    written.ReadLink();
    ASSERT_TRUE(written.ReadLinkDetails());
    EXPECT_EQ(written.Target(), program("new.exe"));
    EXPECT_EQ(written.Arguments(), "-quiet");
    EXPECT_TRUE(InRecycleBin(name));  // the old link can be restored
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, LangString(4820));
}

TEST_F(AutostartListTest, ANewNameRenamesTheEntryAndLeavesNoCopyUnderTheOldOne)
{
    const std::string oldLink = unique("old");
    MakeLink(commonFolder + "\\" + oldLink, program("tool.exe"), "-quiet");
    const auto linkBytes = FileBytes(commonFolder + "\\" + oldLink);
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Counter", REG_DWORD, Dword(7));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Plain", REG_SZ, TextBytes("C:\\plain.exe"));
    writeIni("[LOAD]\r\nold=C:\\old.exe\r\nother=C:\\other.exe\r\n");
    const std::string newLink = "renamed " + oldLink;
    {
        OpenedPage page;
        const auto rename = [&](const std::string& from, const std::string& typed, const std::string& command,
                                const std::string& shown) {
            ASSERT_TRUE(Select(*page, from)) << from;
            page->find<ui::Edit>("Edit_AutoRunNAME").setText(typed);
            page->find<ui::Edit>("Edit_AutoRunCOMMAND").setText(command);
            page->find<ui::Button>("Button_AutorunBEARBEITEN").click();
            EXPECT_GE(RowNamed(*page, shown), 0) << shown;
        };
        // A link's new name typed without its extension keeps it.
        rename(oldLink, newLink.substr(0, newLink.size() - 4), program("tool.exe"), newLink);
        rename("Counter", "Zähler", "7", "Zähler");
        rename("old", "new", "C:\\new.exe", "new");
        boxes.clear();
        pressOk(*page);
    }
    EXPECT_FALSE(Exists(commonFolder + "\\" + oldLink));
    EXPECT_EQ(FileBytes(commonFolder + "\\" + newLink), linkBytes);  // moved, not rewritten
    EXPECT_FALSE(InRecycleBin(oldLink));
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Counter"));
    const auto counter = ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Zähler");
    ASSERT_TRUE(counter);
    EXPECT_EQ(counter->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(counter->data, Dword(7));
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Plain")->data, TextBytes("C:\\plain.exe"));
    EXPECT_EQ(helpers::ReadIniSection(iniFile, "LOAD"), (std::vector<std::string>{"new=C:\\new.exe", "other=C:\\other.exe"}));
}

TEST_F(AutostartListTest, AnEntryRenamedAndThenMarkedGoesUnderTheNameItIsStoredUnder)
{
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Stored", REG_SZ, TextBytes("C:\\tool.exe"));
    writeIni("[RUN]\r\nstored=C:\\tool.exe\r\nother=C:\\other.exe\r\n");
    {
        OpenedPage page;
        for (const std::string& name : {std::string("Stored"), std::string("stored")}) {
            ASSERT_TRUE(Select(*page, name));
            page->find<ui::Edit>("Edit_AutoRunNAME").setText("Renamed " + name);
            page->find<ui::Button>("Button_AutorunBEARBEITEN").click();
            markForRemoval(*page, "Renamed " + name);
        }
        pressOk(*page);
    }
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Stored"));
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Renamed Stored"));
    EXPECT_EQ(helpers::ReadIniSection(iniFile, "RUN"), (std::vector<std::string>{"other=C:\\other.exe"}));
}

TEST_F(AutostartListTest, ANameThatWouldOverwriteAnotherEntryOrCannotBeGivenIsRefused)
{
    MakeLink(commonFolder + "\\first.lnk", program("first.exe"));
    MakeLink(commonFolder + "\\second.lnk", program("second.exe"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kHklmRun, "A", REG_SZ, TextBytes("C:\\a.exe"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kHklmRun, "B", REG_SZ, TextBytes("C:\\b.exe"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kHklmRun, "C", REG_SZ, TextBytes("C:\\c.exe"));
    writeIni("[RUN]\r\none=C:\\one.exe\r\ntwo=C:\\two.exe\r\n[LOAD]\r\nthree=C:\\three.exe\r\n");
    OpenedPage page;
    const auto rename = [&](const std::string& from, const std::string& to) {
        boxes.clear();
        EXPECT_TRUE(Select(*page, from)) << from;
        page->find<ui::Edit>("Edit_AutoRunNAME").setText(to);
        page->find<ui::Button>("Button_AutorunBEARBEITEN").click();
        return boxes.shown().empty() ? std::string("accepted") : boxes.last().text;
    };
    const std::string taken = LangString(4912) + "\r" + LangString(4913);
    const std::string notAllowed = LangString(4914) + "\r" + LangString(4913);
    // "C" is renamed first; its value still stands under "C" until "Ok".
    EXPECT_EQ(rename("C", "D"), "accepted");

    const struct {
        const char* from;
        const char* to;
        const std::string& answer;
    } cases[] = {
        {"A", "b", taken},                // another value of the key
        {"A", "C", taken},                // the stored name of an entry renamed before
        {"A", "D", taken},                // the new name of an entry renamed before
        {"first.lnk", "Second", taken},   // another link of the folder
        {"first.lnk", "a:b", notAllowed},
        {"first.lnk", "", notAllowed},
        {"one", "TWO", taken},
        {"one", "", notAllowed},
        {"one", "x=y", notAllowed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " to " + c.to);
        EXPECT_EQ(rename(c.from, c.to), c.answer);
        EXPECT_GE(RowNamed(*page, c.from), 0);  // the entry keeps its name
        EXPECT_FALSE(EntryNamed(*page, c.from).Modified);
    }
    // The same name in another place is free.
    EXPECT_EQ(rename("three", "one"), "accepted");
    EXPECT_EQ(rename("A", "Z"), "accepted");
}

TEST_F(AutostartListTest, EditingWithoutAChangeWarnsAndLeavesTheEntry)
{
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Tool", REG_SZ, TextBytes("C:\\tool.exe"));
    OpenedPage page;
    ASSERT_TRUE(Select(*page, "Tool"));

    page->find<ui::Button>("Button_AutorunBEARBEITEN").click();

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Warning);
    EXPECT_EQ(boxes.last().text, LangString(4910) + "\r" + LangString(4911));
    EXPECT_FALSE(EntryNamed(*page, "Tool").Modified);
}

TEST_F(AutostartListTest, MarkingAsksFirstAndSwitchesTheButtons)
{
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Tool", REG_SZ, TextBytes("C:\\tool.exe"));
    OpenedPage page;
    auto& edit = page->find<ui::Button>("Button_AutorunBEARBEITEN");
    auto& remove = page->find<ui::Button>("Button_AutorunDELETE");
    auto& keep = page->find<ui::Button>("Button_AutoRunNOTDELETE");
    auto& add = page->find<ui::Button>("Button_AutoRunADD");
    EXPECT_FALSE(edit.enabled() || remove.enabled() || keep.enabled());  // no row yet
    EXPECT_TRUE(add.enabled());
    ASSERT_TRUE(Select(*page, "Tool"));
    EXPECT_TRUE(edit.enabled() && remove.enabled() && !keep.enabled());

    boxes.answer(ui::MsgButton::No);
    remove.click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Confirmation);
    EXPECT_EQ(boxes.last().text, LangString(4920) + " \"Tool\" " + LangString(4921));
    EXPECT_FALSE(page->autostart().row(0)->markedForRemoval);

    boxes.answer(ui::MsgButton::Yes);
    remove.click();
    EXPECT_TRUE(page->autostart().row(0)->markedForRemoval);
    EXPECT_TRUE(!edit.enabled() && !remove.enabled() && keep.enabled() && add.enabled());

    keep.click();
    EXPECT_FALSE(page->autostart().row(0)->markedForRemoval);
    EXPECT_TRUE(edit.enabled() && remove.enabled() && !keep.enabled());
}

TEST_F(AutostartListTest, CancellingAfterMarksEditsAndAdditionsChangesNoSource)
{
    const std::string link = unique("kept");
    MakeLink(commonFolder + "\\" + link, program("tool.exe"));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Tool", REG_SZ, TextBytes("C:\\tool.exe"));
    writeIni("[RUN]\r\nIni=C:\\ini.exe\r\n");
    const auto linkBefore = FileBytes(commonFolder + "\\" + link);
    const auto iniBefore = FileBytes(iniFile);
    testing_support::RegistrySnapshot registryBefore;
    {
        OpenedPage page;  // opening makes sure the eight Run keys exist
        registryBefore = testing_support::SnapshotRegistry();
        markForRemoval(*page, link);
        markForRemoval(*page, "Ini");
        ASSERT_TRUE(Select(*page, "Tool"));
        page->find<ui::Edit>("Edit_AutoRunCOMMAND").setText("C:\\changed.exe");
        page->find<ui::Button>("Button_AutorunBEARBEITEN").click();
        page->find<ui::Button>("Button_AutoRunADD").click();

        page->find<ui::Button>("Button_Abbruch").click();
    }
    EXPECT_EQ(FileBytes(commonFolder + "\\" + link), linkBefore);
    EXPECT_EQ(FileBytes(iniFile), iniBefore);
    EXPECT_TRUE(SameRegistry(testing_support::SnapshotRegistry(), registryBefore));
}

// A link that cannot be written ends "Ok" at its row: what came before is done (the
// removed link can be restored from the Recycle Bin), nothing after it is touched, and
// the list stays for another try.
TEST_F(AutostartListTest, ALinkThatCannotBeWrittenEndsOkAtItsRow)
{
    const std::string before = unique("a before");
    MakeLink(commonFolder + "\\" + before, program("before.exe"));
    temp.makeDir("All Users Startup\\Sub");
    MakeLink(commonFolder + "\\Sub\\edited.lnk", program("old.exe"));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "After", REG_SZ, TextBytes("C:\\after.exe"));
    OpenedPage page;
    markForRemoval(*page, before);
    ASSERT_TRUE(Select(*page, "edited.lnk"));
    page->find<ui::Edit>("Edit_AutoRunCOMMAND").setText(program("new.exe"));
    page->find<ui::Button>("Button_AutorunBEARBEITEN").click();
    markForRemoval(*page, "After");
    testing_support::RemoveFolderTree(commonFolder + "\\Sub\\");
    boxes.clear();

    pressOk(*page);

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "Unable to create .lnk file");
    EXPECT_TRUE(InRecycleBin(before));
    EXPECT_TRUE(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "After"));
    // The list shows the truth: the removed link is gone from it, the rest still waits.
    EXPECT_EQ(RowNamed(*page, before), -1);
    ASSERT_EQ(page->autostart().rowCount(), 2);
    EXPECT_TRUE(EntryNamed(*page, "edited.lnk").Modified);
    EXPECT_TRUE(page->autostart().row(RowNamed(*page, "After"))->markedForRemoval);
    for (int row = 0; row < page->autostart().rowCount(); ++row)
        EXPECT_EQ(page->autostart().row(row)->entry.Row, row);
}

// --- What "Ok" could not do ------------------------------------------------------------

TEST_F(AutostartListTest, WithoutAdministratorRightsTheUserSeesWhatWasAppliedAndCanLeaveThePage)
{
    for (const char* key : {"Run", "RunOnce", "RunServices", "RunServicesOnce"})
        WriteRawValue(HKEY_LOCAL_MACHINE, kHklmRun.substr(0, kHklmRun.size() - 3) + key, "", REG_SZ, TextBytes(""));
    WriteRawValue(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Cdrom", "AutoRun", REG_DWORD, Dword(1));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Gone", REG_SZ, TextBytes("C:\\gone.exe"));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Stays", REG_SZ, TextBytes("C:\\stays.exe"));
    makeReadOnly(HKEY_LOCAL_MACHINE);
    OpenedPage page;
    page->show();
    markForRemoval(*page, "Gone");
    boxes.clear();
    boxes.answer(ui::MsgButton::OK);  // the registry entries changed
    boxes.answer(ui::MsgButton::No);  // keep the page open

    pressOk(*page);

    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Gone"));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, LangString(4821));
    const auto& question = boxes.shown()[1];
    EXPECT_EQ(question.kind, ui::MsgKind::Warning);
    EXPECT_EQ(question.text.rfind(LangString(4830) + "\r" + LangString(4831) + "\r", 0), 0u) << question.text;
    EXPECT_NE(question.text.find("AutoRun"), std::string::npos) << question.text;
    EXPECT_EQ(question.text.substr(question.text.size() - LangString(4832).size()), LangString(4832));
    EXPECT_TRUE(IsWindowVisible(page->handle()));
    // The list shows the sources as they now are.
    EXPECT_EQ(RowNamed(*page, "Gone"), -1);
    EXPECT_GE(RowNamed(*page, "Stays"), 0);

    boxes.clear();
    boxes.answer(ui::MsgButton::Yes);
    pressOk(*page);

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text.rfind(LangString(4830), 0), 0u);
    EXPECT_FALSE(IsWindowVisible(page->handle()));
}

TEST_F(AutostartListTest, AnEntryItsSourceDidNotTakeIsNamedAndNotClaimedAsChanged)
{
    // A Run value of a kind that takes no text, and a link whose path is too long for
    // the Recycle Bin.
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Multi", REG_MULTI_SZ, {'a', 0, 0});
    std::string deep = "All Users Startup";
    while (temp.path().size() + deep.size() < 220)
        deep += "\\" + std::string(20, 'd');
    temp.makeDir(deep);
    // 256 characters: more than the Recycle Bin takes, few enough for a file.
    const std::string longLink = temp.path() + deep + "\\" + std::string(251 - temp.path().size() - deep.size(), 'x') + ".lnk";
    MakeLink(longLink, program("long.exe"));
    ASSERT_TRUE(Exists(longLink));
    const std::string linkName = longLink.substr(longLink.find_last_of('\\') + 1);
    OpenedPage page;
    ASSERT_TRUE(Select(*page, "Multi"));
    page->find<ui::Edit>("Edit_AutoRunCOMMAND").setText("C:\\new.exe");
    page->find<ui::Button>("Button_AutorunBEARBEITEN").click();
    markForRemoval(*page, linkName);
    boxes.clear();

    pressOk(*page);

    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Multi")->type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_TRUE(Exists(longLink));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Warning);
    EXPECT_EQ(boxes.last().text, language::MessageLines({LangString(4822), linkName + " (" + LangString(4800) + ")",
                                                         "Multi (" + LangString(4806) + ")"}));
}

TEST_F(AutostartListTest, AnExpandableCommandStaysExpandableWhenEditedOrRenamed)
{
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Edited", REG_EXPAND_SZ, TextBytes("%ProgramFiles%\\a.exe"));
    WriteRawValue(HKEY_CURRENT_USER, kHkcuRun, "Old", REG_EXPAND_SZ, TextBytes("%ProgramFiles%\\b.exe"));
    {
        OpenedPage page;
        const auto edit = [&](const std::string& from, const std::string& name, const std::string& command) {
            ASSERT_TRUE(Select(*page, from)) << from;
            page->find<ui::Edit>("Edit_AutoRunNAME").setText(name);
            page->find<ui::Edit>("Edit_AutoRunCOMMAND").setText(command);
            page->find<ui::Button>("Button_AutorunBEARBEITEN").click();
        };
        edit("Edited", "Edited", "%ProgramFiles%\\c.exe");
        edit("Old", "New", "%ProgramFiles%\\b.exe");
        pressOk(*page);
    }
    const auto edited = ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Edited");
    const auto renamed = ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "New");
    ASSERT_TRUE(edited && renamed);
    EXPECT_EQ(edited->type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(edited->data, TextBytes("%ProgramFiles%\\c.exe"));
    EXPECT_EQ(renamed->type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(renamed->data, TextBytes("%ProgramFiles%\\b.exe"));
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kHkcuRun, "Old"));
}

// --- win.ini lines ----------------------------------------------------------------------

TEST_F(AutostartListTest, TwoWinIniLinesOfOneNameAreEachShownAndChangedOnTheirOwn)
{
    writeIni("[windows]\r\nrun=\r\n[RUN]\r\ntool=C:\\first.exe\r\nother=C:\\other.exe\r\ntool=C:\\second.exe\r\n");
    OpenedPage page;
    std::vector<std::string> commands;
    for (int row = 0; row < page->autostart().rowCount(); ++row)
        if (page->autostart().row(row)->entry.Name == "tool")
            commands.push_back(page->autostart().row(row)->entry.Command);
    EXPECT_EQ(commands, (std::vector<std::string>{"C:\\first.exe", "C:\\second.exe"}));
    const int second = RowNamed(*page, "other") + 1;
    page->VirtualDrawTree_Autorun().setFocusedRow(second);
    page->find<ui::Edit>("Edit_AutoRunCOMMAND").setText("C:\\changed.exe");
    page->find<ui::Button>("Button_AutorunBEARBEITEN").click();
    markForRemoval(*page, "tool");  // the first line

    pressOk(*page);

    EXPECT_EQ(FileBytes(iniFile), "[windows]\r\nrun=\r\n[RUN]\r\nother=C:\\other.exe\r\ntool=C:\\changed.exe\r\n");
}

TEST_F(AutostartListTest, RenamingAWinIniEntryWithAQuotedCommandLeavesOneLine)
{
    writeIni("[LOAD]\r\nquoted=\"C:\\Program Files\\Tool\\tool.exe\"\r\n");
    OpenedPage page;
    EXPECT_EQ(EntryNamed(*page, "quoted").Command, "\"C:\\Program Files\\Tool\\tool.exe\"");
    ASSERT_TRUE(Select(*page, "quoted"));
    page->find<ui::Edit>("Edit_AutoRunNAME").setText("renamed");
    page->find<ui::Button>("Button_AutorunBEARBEITEN").click();

    pressOk(*page);

    EXPECT_EQ(FileBytes(iniFile), "[LOAD]\r\nrenamed=\"C:\\Program Files\\Tool\\tool.exe\"\r\n");
}

}  // namespace
