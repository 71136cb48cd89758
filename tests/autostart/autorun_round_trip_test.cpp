// The exact round trip of the change journal over the Autostart & Autorun page: random
// sequences of drive settings, entries marked for removal, edited and added, "Ok" and
// "Abbrechen", started from Run keys, startup links and win.ini files of every kind,
// are all undone at the end; the registry, win.ini and both startup folders are then
// exactly as before the first action, links taken from the Recycle Bin's copies.
#include "autostart_fixture.h"
#include "autorun_places.h"

#include "harness/journal_round_trip.h"
#include "harness/page_contract.h"
#include "registry/change_journal.h"
#include "registry/change_journal_sets.h"

namespace {

using testing_support::FileStart;
using testing_support::PageAction;
using testing_support::RoundTripContext;

constexpr DWORD kHiddenSystemFile = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// win.ini, each seed another: both sections with odd lines, no sections, empty.
const std::vector<FileStart>& WinIniStarts()
{
    static const std::vector<FileStart> starts{
        {"[windows]\r\nload=C:\\load.exe\r\n[RUN]\r\nplain=C:\\plain.exe\r\nquoted=\"C:\\Program Files\\x.exe\" /s\r\n"
         "empty=\r\n[LOAD]\r\nload1=C:\\load1.exe\r\n",
         FILE_ATTRIBUTE_READONLY},
        {"[RUN]\r\n  spaced  =  C:\\spaced.exe  \r\ndup=first\r\ndup=second\r\numlaut=C:\\Programme\\Übersicht.exe\r\n",
         kHiddenSystemFile},
        {"[windows]\r\nrun=C:\\run.exe\r\n", FILE_ATTRIBUTE_HIDDEN},
        {"[LOAD]\r\nnoequals\r\n=nameless\r\nload2=C:\\load2.exe\r\n"},
    };
    return starts;
}

// Sets the edits by chance, then presses the button on a random row: an edit, or an
// entry added.
PageAction WithEdits(const std::string& button)
{
    return {button + " with new texts", [button](ui::Form& page, RoundTripContext& context) {
                testing_support::SelectRandomRow(page, "VirtualDrawTree_Autorun", context);
                const std::vector<std::string> names{"Werkzeug.lnk", "Neu", "Umbenannt.lnk", "plain", ""};
                const std::vector<std::string> commands{"C:\\Programme\\neu.exe /s", "C:\\tool.exe", "",
                                                        "C:\\Programme\\Übersicht.exe"};
                if (context.chance(2))
                    page.find<ui::Edit>("Edit_AutoRunNAME").setText(context.oneOf(names));
                if (context.chance(2))
                    page.find<ui::Edit>("Edit_AutoRunCOMMAND").setText(context.oneOf(commands));
                page.find<ui::Button>(button).click();
            }};
}

class AutorunRoundTripTest : public AutostartTest {
protected:
    void SetUp() override
    {
        AutostartTest::SetUp();
        journal::SetJournalFolder(journal.path() + "Journal");
    }
    void TearDown() override
    {
        journal::SetJournalFolder({});
        AutostartTest::TearDown();
    }

    // A startup folder anew with links by chance: to a program, with arguments, hidden
    // and read-only, broken, in a subfolder, and a file that is no link.
    void fillStartupFolder(const std::string& folder, RoundTripContext& context) const
    {
        testing_support::RemoveFolderTree(folder + "\\");
        CreateDirectoryA(folder.c_str(), nullptr);
        if (context.chance(2))
            MakeLink(folder + "\\Werkzeug.lnk", program("tool.exe"));
        if (context.chance(2))
            MakeLink(folder + "\\Leise.lnk", program("quiet.exe"), "-quiet");
        if (context.chance(2)) {
            MakeLink(folder + "\\Versteckt.lnk", program("hidden.exe"));
            SetFileAttributesA((folder + "\\Versteckt.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
        }
        if (context.chance(3))
            MakeLink(folder + "\\Verschwunden.lnk", temp.path() + "Programs\\vanished.exe");
        if (context.chance(3)) {
            CreateDirectoryA((folder + "\\Sub").c_str(), nullptr);
            MakeLink(folder + "\\Sub\\Tief.lnk", program("deep.exe"));
        }
        if (context.chance(3))
            testing_support::PutFile(folder + "\\Keine.lnk", {"this is no link"});
    }

    void prepare(RoundTripContext& context) const
    {
        WriteRawValue(HKEY_CURRENT_USER, kShellFolders, "StartUp", REG_SZ, TextBytes(userFolder));
        // Every Run key with a few entries of any kind.
        const auto& contents = testing_support::HostileContents();
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            for (const char* name : {"Run", "RunOnce", "RunServices", "RunServicesOnce"})
                for (const char* entry : {"plain", "Neu", "Hilfe"}) {
                    const auto& content = contents[context.below(contents.size())];
                    if (content.value && context.chance(2))
                        WriteRawValue(root, autostart::kWindowsKey + "\\" + name, entry, content.value->type,
                                      content.value->data);
                }
        fillStartupFolder(commonFolder, context);
        fillStartupFolder(userFolder, context);
        testing_support::PutFile(iniFile, context.inTurn(WinIniStarts()));
    }

    testing_support::TempFolder journal;
    testing_support::ScriptedPlatformDialogs dialogs;
};

TEST_F(AutorunRoundTripTest, UndoingEverythingLeavesTheRegistryWinIniAndTheLinksExactlyAsBefore)
{
    const testing_support::RoundTripPage page{
        "Autorun",
        testing_support::OpenAs(autostart::Form_Autorun),
        [this] { return AutorunPlaces(iniFile, commonFolder, userFolder); },
        {
            testing_support::PressOnRandomRow("VirtualDrawTree_Autorun", "Button_AutorunDELETE"),
            testing_support::PressOnRandomRow("VirtualDrawTree_Autorun", "Button_AutoRunNOTDELETE"),
            WithEdits("Button_AutorunBEARBEITEN"),
            WithEdits("Button_AutoRunADD"),
        },
        [this](RoundTripContext& context) { prepare(context); },
    };
    testing_support::ExpectExactRoundTrip(page, {1, 2, 3, 4, 5, 6}, boxes, dialogs);
}

// Opening the page makes the missing Run keys and makes win.ini writable before anything
// is confirmed: a change set of its own, which undo takes back; a second opening that
// finds everything in place records nothing.
TEST_F(AutorunRoundTripTest, OpeningThePageIsAChangeSetOfItsOwnWhenItMakesKeysOrWinIniWritable)
{
    const DWORD hidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    ASSERT_TRUE(SetFileAttributesA(iniFile.c_str(), hidden));
    const DWORD iniAttributes = GetFileAttributesA(iniFile.c_str());
    const auto registryBefore = testing_support::SnapshotRegistry();

    { OpenedPage page; }
    auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].action, language::LangString(4000) + ": beim Öffnen der Seite");
    EXPECT_GT(sets[0].values, 0) << "the Run keys made";
    EXPECT_EQ(sets[0].files, 1) << "win.ini";
    { OpenedPage page; }
    EXPECT_EQ(journal::ListSets().size(), 1u) << "the second opening changed nothing";

    journal::CarryOutUndo(journal::PlanUndo(sets[0].id), true, "Rückgängig");

    EXPECT_EQ(testing_support::RegistryDifferences(registryBefore, testing_support::SnapshotRegistry()), "");
    EXPECT_EQ(GetFileAttributesA(iniFile.c_str()), iniAttributes);
    SetFileAttributesA(iniFile.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
