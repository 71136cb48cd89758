// The change journal: what an action changes is recorded at its first touch and put
// back exactly by undo, whatever the places held; an action that changes nothing
// stores nothing; undoing a set undoes every newer one first; places changed outside
// the program since are put back only on the user's word; a journal that cannot be
// written asks before anything changes; the stored file restores on its own.
#include <gtest/gtest.h>

#include "harness/dialog_seam.h"
#include "harness/german_sandbox.h"
#include "harness/page_contract.h"
#include "harness/programs_seam.h"
#include "harness/temp_file.h"
#include "harness/temp_folder.h"
#include "registry/change_journal.h"
#include "registry/change_journal_sets.h"
#include "registry/helpers.h"
#include "registry/registry.h"
#include "ui/application.h"
#include "ui/errors.h"
#include "ui/handles.h"
#include "ui/programs.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>

using namespace registry;
using testing_support::RegistrySnapshot;
using testing_support::SnapshotRegistry;

namespace {

const std::string kKey = "Software\\Velmora\\Journal";

std::vector<BYTE> DwordBytes(DWORD number)
{
    return {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
            static_cast<BYTE>(number >> 24)};
}

// What the snapshots differ in, for a readable failure.
std::string Differences(const RegistrySnapshot& expected, const RegistrySnapshot& actual)
{
    std::string text;
    for (const auto& [entry, value] : expected) {
        const auto found = actual.find(entry);
        if (found == actual.end())
            text += "missing: " + entry + "\n";
        else if (value.has_value() != found->second.has_value() ||
                 (value && (value->type != found->second->type || value->data != found->second->data)))
            text += "differs: " + entry + "\n";
    }
    for (const auto& [entry, value] : actual)
        if (!expected.count(entry))
            text += "added: " + entry + "\n";
    return text;
}

bool SameRegistry(const RegistrySnapshot& a, const RegistrySnapshot& b)
{
    return Differences(a, b).empty();
}

class JournalTest : public GermanRegistrySandbox {
protected:
    void SetUp() override
    {
        GermanRegistrySandbox::SetUp();
        journal::SetJournalFolder(journalFolder());
    }
    void TearDown() override
    {
        journal::SetJournalFolder({});
        GermanRegistrySandbox::TearDown();
    }

    std::string journalFolder() const { return temp.path() + "BACKUP\\Journal"; }

    // The files directly in the journal folder.
    std::vector<std::string> journalFiles() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((journalFolder() + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

    // Undoes the given set (and every newer one), putting back places changed since.
    static void Undo(const journal::SetInfo& set, bool restoreChangedSince = true)
    {
        journal::CarryOutUndo(journal::PlanUndo(set.id), restoreChangedSince, "Rückgängig: " + set.action);
    }

    testing_support::TempFolder temp;
    testing_support::ScriptedMessageBoxes boxes;
};

// ---- Recording and undoing every kind of change ----

struct ActionCase {
    const char* what;
    std::function<void()> act;
};

void PrepareTree()
{
    WriteRawValue(HKEY_CURRENT_USER, kKey + "\\Tree", "top", REG_SZ, TextBytes("oben"));
    WriteRawValue(HKEY_CURRENT_USER, kKey + "\\Tree\\A", "", REG_DWORD, DwordBytes(7));
    WriteRawValue(HKEY_CURRENT_USER, kKey + "\\Tree\\A\\Deep", "bin", REG_BINARY, {1, 2, 3});
    WriteRawValue(HKEY_CURRENT_USER, kKey + "\\Tree\\B", "list", REG_MULTI_SZ, {'a', 0, 'b', 0, 0});
    RegKeyEnsure(HKEY_CURRENT_USER, kKey + "\\Tree\\Empty");
}

const std::vector<ActionCase>& Actions()
{
    static const std::vector<ActionCase> actions{
        {"a number written over it", [] { RegWriteInt(HKEY_CURRENT_USER, kKey, "Place", 5); }},
        {"a text written over it", [] { RegWriteText(HKEY_CURRENT_USER, kKey, "Place", "neu"); }},
        {"an expandable text written over it", [] { RegWriteExpandText(HKEY_CURRENT_USER, kKey, "Place", "%TEMP%"); }},
        {"a number stored by its kind", [] { RegStoreInt(HKEY_CURRENT_USER, kKey, "Place", 9); }},
        {"binary written over it",
         [] {
             BinaryScratch.fill(0x5A);
             RegWriteBinary(HKEY_CURRENT_USER, kKey, "Place", 2048);
         }},
        {"it removed", [] { RegValueRemove(HKEY_CURRENT_USER, kKey, "Place"); }},
        {"the default value of a new deep key", [] { RegWriteText(HKEY_CURRENT_USER, kKey + "\\New\\Deeper", "", "x"); }},
        {"a key tree removed", [] { RegKeyRemove(HKEY_CURRENT_USER, kKey + "\\Tree"); }},
        {"a key tree removed and made anew",
         [] {
             RegWriteInt(HKEY_CURRENT_USER, kKey + "\\Tree\\A", "", 8);
             RegKeyRemove(HKEY_CURRENT_USER, kKey + "\\Tree");
             RegWriteInt(HKEY_CURRENT_USER, kKey + "\\Tree\\B", "other", 1);
         }},
        {"values changed inside a key that is then removed",
         [] {
             RegWriteText(HKEY_CURRENT_USER, kKey + "\\Tree\\A\\Deep", "bin", "text");
             RegValueRemove(HKEY_CURRENT_USER, kKey + "\\Tree", "top");
             RegKeyRemove(HKEY_CURRENT_USER, kKey + "\\Tree\\A");
         }},
        {"a key ensured below a new one", [] { RegKeyEnsure(HKEY_LOCAL_MACHINE, "SOFTWARE\\Made\\By\\Velmora"); }},
        {"places in every root",
         [] {
             RegWriteInt(HKEY_CLASSES_ROOT, ".velmora", "n", 1);
             RegWriteInt(HKEY_USERS, ".DEFAULT\\Velmora", "n", 1);
             RegWriteInt(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora", "n", 1);
         }},
    };
    return actions;
}

TEST_F(JournalTest, UndoPutsBackWhateverAnActionChangedWhateverThePlaceHeld)
{
    for (const testing_support::HostileContent& content : testing_support::HostileContents())
        for (const ActionCase& action : Actions()) {
            SCOPED_TRACE(std::string(action.what) + " where the place held " + content.what);
            RegKeyRemove(HKEY_CURRENT_USER, "Software");
            PrepareTree();
            if (content.value)
                WriteRawValue(HKEY_CURRENT_USER, kKey, "Place", content.value->type, content.value->data);
            const RegistrySnapshot before = SnapshotRegistry();
            const std::size_t setsBefore = journal::ListSets().size();
            {
                const journal::ChangeScope change("Test");
                action.act();
            }
            const auto sets = journal::ListSets();
            if (SameRegistry(before, SnapshotRegistry())) {
                EXPECT_EQ(sets.size(), setsBefore) << "a set stored for an action that changed nothing";
                continue;
            }
            ASSERT_EQ(sets.size(), setsBefore + 1);

            Undo(sets.back());

            EXPECT_TRUE(SameRegistry(before, SnapshotRegistry())) << Differences(before, SnapshotRegistry());
        }
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(JournalTest, NamesOutsideTheAnsiCodePageComeBackExactly)
{
    const HKEY root = HKEY_CURRENT_USER;
    const std::wstring key = WideText(kKey) + L"\\\u03A9mega";
    const std::wstring text = L"\u0394elta";
    PutValueImage(root, key, L"\u03A3igma",
                  ValueImage{true, REG_SZ, std::vector<BYTE>(reinterpret_cast<const BYTE*>(text.c_str()),
                                                             reinterpret_cast<const BYTE*>(text.c_str() + text.size() + 1))});
    const KeyImage before = ReadKeyImage(root, WideText(kKey));
    const std::string backup = temp.file("Backup.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Velmora]\r\n");
    testing_support::RecordedPrograms programs;
    programs.onRunAndWait = [&](const std::string&) {
        PutKeyImage(root, WideText(kKey), KeyImage{});
        return 0;
    };
    journal::ImportRegistryFile(backup, "Sicherung");
    ASSERT_FALSE(RegKeyExists(root, kKey));

    Undo(journal::ListSets().back());

    EXPECT_TRUE(ReadKeyImage(root, WideText(kKey)) == before);
    EXPECT_TRUE(ReadValueImage(root, key, L"\u03A3igma") == before.subkeys.at(0).image.values.at(0).image);
}

// ---- What is stored ----

TEST_F(JournalTest, AnActionThatLeavesEveryPlaceAsItWasStoresNothing)
{
    WriteRawValue(HKEY_CURRENT_USER, kKey, "Flag", REG_DWORD, DwordBytes(1));
    WriteRawValue(HKEY_CURRENT_USER, kKey, "Name", REG_SZ, TextBytes("x"));
    {
        const journal::ChangeScope change("Test");
        RegWriteInt(HKEY_CURRENT_USER, kKey, "Flag", 1);    // rewritten as it was
        RegWriteText(HKEY_CURRENT_USER, kKey, "Name", "x");
        RegValueRemove(HKEY_CURRENT_USER, kKey, "Missing");  // gone already
        RegWriteInt(HKEY_CURRENT_USER, kKey + "\\Brief", "n", 1);  // made and taken away again
        RegKeyRemove(HKEY_CURRENT_USER, kKey + "\\Brief");
    }
    EXPECT_TRUE(journal::ListSets().empty());
    EXPECT_TRUE(journalFiles().empty());
}

TEST_F(JournalTest, ScopesOpenedInsideOneJoinItsSetAndTheSetIsNamedByTimeAndAction)
{
    RegKeyEnsure(HKEY_CURRENT_USER, kKey);
    {
        const journal::ChangeScope wizard("Assistent: Geschwindigkeit");
        {
            const journal::ChangeScope page("Systemeinstellungen");
            RegWriteInt(HKEY_CURRENT_USER, kKey, "A", 1);
        }
        {
            const journal::ChangeScope page("Explorer: Symbole");
            RegWriteInt(HKEY_CURRENT_USER, kKey, "B", 1);
        }
        EXPECT_TRUE(journal::ListSets().empty()) << "stored before the outer action ended";
    }
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].action, "Assistent: Geschwindigkeit");
    EXPECT_EQ(sets[0].values, 2);
    EXPECT_EQ(sets[0].files, 0);
    // "2024-05-01 14.03.22 Assistent- Geschwindigkeit": date, time and a file-name form of the action.
    EXPECT_EQ(sets[0].id.substr(0, 10), sets[0].time.substr(0, 10));
    EXPECT_NE(sets[0].id.find(" Assistent- Geschwindigkeit"), std::string::npos) << sets[0].id;
    EXPECT_EQ(journal::LoadSet(sets[0]).changes.size(), 2u);
}

TEST_F(JournalTest, SetsOfTheSameSecondAndActionNeverReplaceEachOther)
{
    for (int round = 0; round < 3; ++round) {
        const journal::ChangeScope change("Gleich");
        RegWriteInt(HKEY_CURRENT_USER, kKey, "N", round + 10);
    }
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_NE(sets[0].id, sets[1].id);
    EXPECT_NE(sets[1].id, sets[2].id);
    for (const auto& set : sets)
        EXPECT_EQ(journal::LoadSet(set).changes.size(), 1u);
}

// ---- Undoing ----

TEST_F(JournalTest, UndoingTheMiddleSetUndoesTheNewerOnesAndLeavesTheOlderApplied)
{
    const auto step = [](const char* action, int number, const char* other) {
        const journal::ChangeScope change(action);
        RegWriteInt(HKEY_CURRENT_USER, kKey, "Shared", number);
        RegWriteInt(HKEY_CURRENT_USER, kKey, other, number);
    };
    step("Erste", 1, "First");
    const RegistrySnapshot afterFirst = SnapshotRegistry();
    step("Zweite", 2, "Second");
    step("Dritte", 3, "Third");
    const RegistrySnapshot afterThird = SnapshotRegistry();
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 3u);

    const journal::UndoPlan plan = journal::PlanUndo(sets[1].id);
    ASSERT_EQ(plan.sets.size(), 2u);
    EXPECT_EQ(plan.sets[0].info.action, "Dritte");  // newest first
    EXPECT_FALSE(plan.anyChangedSince());
    journal::CarryOutUndo(plan, false, "Rückgängig: Zweite");

    EXPECT_TRUE(SameRegistry(afterFirst, SnapshotRegistry())) << Differences(afterFirst, SnapshotRegistry());
    // The undo is a set of its own, and undoing it brings the newer sets back.
    const auto withUndo = journal::ListSets();
    ASSERT_EQ(withUndo.size(), 4u);
    EXPECT_EQ(withUndo.back().action, "Rückgängig: Zweite");
    Undo(withUndo.back());
    EXPECT_TRUE(SameRegistry(afterThird, SnapshotRegistry())) << Differences(afterThird, SnapshotRegistry());
}

TEST_F(JournalTest, APlaceChangedOutsideSinceIsPutBackOnlyOnTheUsersWord)
{
    for (const bool restore : {false, true}) {
        SCOPED_TRACE(restore ? "the user says yes" : "the user says no");
        RegKeyRemove(HKEY_CURRENT_USER, "Software");
        WriteRawValue(HKEY_CURRENT_USER, kKey, "Kept", REG_DWORD, DwordBytes(0));
        WriteRawValue(HKEY_CURRENT_USER, kKey, "Other", REG_DWORD, DwordBytes(0));
        const auto first = journal::ListSets().size();
        {
            const journal::ChangeScope change("Älter");
            RegWriteInt(HKEY_CURRENT_USER, kKey, "Kept", 1);
        }
        {
            const journal::ChangeScope change("Neuer");
            RegWriteInt(HKEY_CURRENT_USER, kKey, "Kept", 2);
            RegWriteInt(HKEY_CURRENT_USER, kKey, "Other", 2);
        }
        WriteRawValue(HKEY_CURRENT_USER, kKey, "Kept", REG_SZ, TextBytes("von Hand"));  // outside the program

        const auto sets = journal::ListSets();
        const journal::UndoPlan plan = journal::PlanUndo(sets[first].id);
        ASSERT_EQ(plan.sets.size(), 2u);
        ASSERT_EQ(plan.changedSince[0].size(), 2u);
        // Only the newest set's record of the place is compared; the older one is what it puts back.
        const auto& newest = plan.sets[0].changes;
        for (std::size_t i = 0; i < newest.size(); ++i)
            EXPECT_EQ(plan.changedSince[0][i], newest[i].name == L"Kept") << i;
        EXPECT_FALSE(plan.changedSince[1][0]);

        journal::CarryOutUndo(plan, restore, "Rückgängig");

        EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, kKey, "Other")->data, DwordBytes(0));
        const auto kept = ReadRawValue(HKEY_CURRENT_USER, kKey, "Kept");
        if (restore)
            EXPECT_EQ(kept->data, DwordBytes(0));
        else
            EXPECT_EQ(kept->data, TextBytes("von Hand"));
    }
}

// ---- A journal that cannot be written ----

TEST_F(JournalTest, AJournalThatCannotBeWrittenAsksFirstAndNoChangesNothing)
{
    // A file where the journal's folder should be: nothing can be stored below it.
    const std::string blocked = temp.file("blocked", "x");
    journal::SetJournalFolder(blocked + "\\Journal");
    WriteRawValue(HKEY_CURRENT_USER, kKey, "A", REG_DWORD, DwordBytes(0));
    const RegistrySnapshot before = SnapshotRegistry();

    boxes.answer(ui::MsgButton::No);
    std::string raised = "(nothing raised)";
    {
        const journal::ChangeScope change("Test");
        try {
            RegWriteInt(HKEY_CURRENT_USER, kKey, "A", 1);
        } catch (const ui::EAbort&) {
            raised = "EAbort";
        }
        // Whoever goes on after the refusal still changes nothing.
        EXPECT_THROW(RegWriteInt(HKEY_CURRENT_USER, kKey, "B", 1), ui::EAbort);
        EXPECT_THROW(RegKeyRemove(HKEY_CURRENT_USER, kKey), ui::EAbort);
    }
    EXPECT_EQ(raised, "EAbort");
    EXPECT_TRUE(SameRegistry(before, SnapshotRegistry())) << Differences(before, SnapshotRegistry());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Confirmation);
    EXPECT_NE(boxes.last().text.find(language::LangString(20951)), std::string::npos) << boxes.last().text;
    EXPECT_NE(boxes.last().text.find(blocked), std::string::npos) << boxes.last().text;

    boxes.answer(ui::MsgButton::Yes);
    {
        const journal::ChangeScope change("Test");
        RegWriteInt(HKEY_CURRENT_USER, kKey, "A", 1);
        RegWriteInt(HKEY_CURRENT_USER, kKey, "B", 1);
    }
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, kKey, "A")->data, DwordBytes(1));
    EXPECT_EQ(boxes.shown().size(), 2u) << "asked more than once for one action";
    EXPECT_TRUE(journal::ListSets().empty());
}

// A set can also fail after its first change: a file that cannot be copied before it
// changes, or an index that cannot be written at the end. "No" then takes back what
// the action had changed so far; "Yes" keeps it, without a set.
TEST_F(JournalTest, ASetThatFailsLaterAsksAndNoTakesBackWhatTheActionChanged)
{
    struct Failure {
        const char* what;
        std::function<void()> arrange;
        std::function<void()> act;
        std::function<void()> cleanUp;
    };
    const std::string ini = temp.file("win.ini", "[windows]\r\nload=\r\n");
    const std::string index = journalFolder() + "\\index.txt";
    ui::FileHandle lock;
    const std::vector<Failure> failures{
        {"a file that cannot be copied",
         [&] { lock.reset(CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)); },
         [&] { helpers::WriteIniText(ini, "windows", "load", "x"); }, [&] { lock.reset(); }},
        {"an index that cannot be written",
         [&] {
             CreateDirectoryA((temp.path() + "BACKUP").c_str(), nullptr);
             CreateDirectoryA(journalFolder().c_str(), nullptr);
             CreateDirectoryA(index.c_str(), nullptr);
         },
         [] {}, [&] { RemoveDirectoryA(index.c_str()); }},
    };
    for (const ui::MsgButton answer : {ui::MsgButton::No, ui::MsgButton::Yes})
        for (const Failure& failure : failures) {
            SCOPED_TRACE(std::string(failure.what) + (answer == ui::MsgButton::No ? ", answered No" : ", answered Yes"));
            WriteRawValue(HKEY_CURRENT_USER, kKey, "A", REG_DWORD, DwordBytes(0));
            const RegistrySnapshot before = SnapshotRegistry();
            boxes.clear();
            failure.arrange();
            boxes.answer(answer);
            {
                const journal::ChangeScope change("Test");
                try {
                    RegWriteInt(HKEY_CURRENT_USER, kKey, "A", 1);
                    failure.act();
                } catch (const ui::EAbort&) {
                    EXPECT_EQ(answer, ui::MsgButton::No);
                }
            }
            failure.cleanUp();
            EXPECT_EQ(boxes.shown().size(), 1u);
            if (answer == ui::MsgButton::No)
                EXPECT_TRUE(SameRegistry(before, SnapshotRegistry())) << Differences(before, SnapshotRegistry());
            else
                EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, kKey, "A")->data, DwordBytes(1));
            EXPECT_TRUE(journal::ListSets().empty());
            EXPECT_TRUE(journalFiles().empty()) << journalFiles().front();
        }
}

TEST_F(JournalTest, TheGeneralErrorHandlerShowsNothingForAnActionTheUserStopped)
{
    ui::App().runEvent([] { throw ui::EAbort(); });
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(JournalTest, WithoutAJournalFolderNothingIsRecordedOrAsked)
{
    journal::SetJournalFolder({});
    {
        const journal::ChangeScope change("Test");
        RegWriteInt(HKEY_CURRENT_USER, kKey, "A", 1);
    }
    EXPECT_TRUE(journal::ListSets().empty());
    EXPECT_TRUE(boxes.shown().empty());
}

// ---- Files ----

TEST_F(JournalTest, SettingsFilesComeBackWithTheirBytesAndAttributes)
{
    const std::string ini = temp.file("oeminfo.ini", "[General]\r\nManufacturer=Alt\r\n");
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string logo = temp.file("oemlogo.bmp", std::string("BM\0\x01\x02", 5));
    const std::string picture = temp.file("neu.bmp", "BMneu");
    const std::string created = temp.path() + "lvback.gif";
    {
        const journal::ChangeScope change("Sonstiges");
        ASSERT_TRUE(helpers::WriteIniText(ini, "General", "Manufacturer", "Neu"));
        ASSERT_TRUE(helpers::RecycleFile(logo));
        ASSERT_TRUE(helpers::CopyFileTo(picture, created, false));
    }
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].files, 3);

    Undo(sets[0]);

    EXPECT_EQ(testing_support::ReadBytes(ini), "[General]\r\nManufacturer=Alt\r\n");
    EXPECT_EQ(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(testing_support::ReadBytes(logo), std::string("BM\0\x01\x02", 5));
    EXPECT_FALSE(helpers::FileExists(created)) << "a file the action made is not taken back";
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Making a settings file writable changes no byte of it, but undo must give the file
// its read-only, hidden and system attributes back.
TEST_F(JournalTest, AFileWhoseAttributesAloneChangedComesBackWithThem)
{
    const DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const std::string ini = temp.file("oeminfo.ini", "[General]\r\nManufacturer=Alt\r\n");
    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), attributes));
    const DWORD before = GetFileAttributesA(ini.c_str());
    {
        const journal::ChangeScope change("Sonstiges");
        ASSERT_TRUE(helpers::ClearFileAttributes(ini));
    }
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u) << "a change of the attributes alone was not recorded";
    EXPECT_EQ(sets[0].files, 1);

    Undo(sets[0]);

    EXPECT_EQ(GetFileAttributesA(ini.c_str()), before);
    EXPECT_EQ(testing_support::ReadBytes(ini), "[General]\r\nManufacturer=Alt\r\n");
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(JournalTest, TheCleanUpsRecycledFilesStayInTheRecycleBinUncopied)
{
    const std::string junk = temp.file("alt.tmp", "junk");
    {
        const journal::ChangeScope change("Aufräumen", journal::RecycledFiles::StayInBin);
        bool aborted = false;
        ASSERT_TRUE(helpers::RecycleFiles(junk + '\0', aborted));
    }
    EXPECT_TRUE(journal::ListSets().empty());
    EXPECT_TRUE(journalFiles().empty());
}

// ---- Stored files ----

// The journal file restores the registry when the registry editor imports it, without
// the program. The sandbox's roots lie below the real HKEY_CURRENT_USER, so the file's
// keys are pointed there before the import.
TEST_F(JournalTest, TheRegistryEditorImportingASetFilePutsTheRegistryBack)
{
    PrepareTree();
    WriteRawValue(HKEY_CURRENT_USER, kKey, "Changed", REG_SZ, TextBytes("C:\\Pfad mit \"Anführung\"\\"));
    WriteRawValue(HKEY_CURRENT_USER, kKey, "Number", REG_DWORD, DwordBytes(0xFFFFFFFF));
    WriteRawValue(HKEY_CURRENT_USER, kKey, "Expand", REG_EXPAND_SZ, TextBytes("%SystemRoot%\\x"));
    WriteRawValue(HKEY_CURRENT_USER, kKey, "Long", REG_BINARY, std::vector<BYTE>(300, 0xAB));
    const RegistrySnapshot before = SnapshotRegistry();
    {
        const journal::ChangeScope change("Test");
        RegWriteInt(HKEY_CURRENT_USER, kKey, "Changed", 1);
        RegWriteText(HKEY_CURRENT_USER, kKey, "Number", "eins");
        RegValueRemove(HKEY_CURRENT_USER, kKey, "Expand");
        RegWriteInt(HKEY_CURRENT_USER, kKey, "Long", 2);
        RegWriteInt(HKEY_CURRENT_USER, kKey, "Created", 1);
        RegWriteInt(HKEY_LOCAL_MACHINE, "SOFTWARE\\Neu\\Tief", "x", 1);
        RegKeyRemove(HKEY_CURRENT_USER, kKey + "\\Tree");
    }
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u);

    std::ifstream in(journal::SetFile(sets[0].id), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_EQ(text.substr(0, 36), L"Windows Registry Editor Version 5.00");
    const std::wstring scratch = WideText(sandbox().scratchPath());
    for (const auto& [root, name] : {std::pair{L"HKEY_CURRENT_USER\\", L"HKCU"}, {L"HKEY_LOCAL_MACHINE\\", L"HKLM"}}) {
        const std::wstring real = std::wstring(L"HKEY_CURRENT_USER\\") + scratch + L"\\" + name + L"\\";
        for (const std::wstring opening : {L"[", L"[-"})
            for (auto at = text.find(opening + root); at != std::wstring::npos; at = text.find(opening + root, at + 1))
                text.replace(at + opening.size(), std::wcslen(root), real);
    }
    const std::string imported = temp.path() + "import.reg";
    {
        std::ofstream out(imported, std::ios::binary);
        out.write("\xFF\xFE", 2);
        out.write(reinterpret_cast<const char*>(text.data()), static_cast<std::streamsize>(text.size() * 2));
    }

    EXPECT_EQ(ui::SystemPrograms().runAndWait("REGEDIT /S \"" + imported + "\"", SW_HIDE), 0);

    EXPECT_TRUE(SameRegistry(before, SnapshotRegistry())) << Differences(before, SnapshotRegistry());
}

TEST_F(JournalTest, ImportingABackupIsASetOfItsOwn)
{
    PrepareTree();
    const RegistrySnapshot before = SnapshotRegistry();
    const std::string backup = temp.file("Backup 01.05.2024.reg",
                                         "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Velmora\\Journal\\Tree]\r\n"
                                         "\"top\"=\"aus der Sicherung\"\r\n\r\n"
                                         "[HKEY_CURRENT_USER\\Software\\Velmora\\Journal\\Tree\\Restored]\r\n");
    testing_support::RecordedPrograms programs;
    // The registry editor, as it would import the file into the sandbox.
    programs.onRunAndWait = [](const std::string&) {
        RegWriteText(HKEY_CURRENT_USER, kKey + "\\Tree", "top", "aus der Sicherung");
        RegKeyEnsure(HKEY_CURRENT_USER, kKey + "\\Tree\\Restored");
        return 0;
    };

    EXPECT_EQ(journal::ImportRegistryFile(backup, "Sicherung eingelesen"), 0);

    ASSERT_EQ(programs.ran.size(), 1u);
    EXPECT_EQ(programs.ran[0].commandLine, "REGEDIT /S \"" + backup + "\"");
    EXPECT_EQ(programs.ran[0].showCommand, SW_HIDE);
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].action, "Sicherung eingelesen");
    Undo(sets[0]);
    EXPECT_TRUE(SameRegistry(before, SnapshotRegistry())) << Differences(before, SnapshotRegistry());
}

TEST_F(JournalTest, OldSetsAreRemovedToTheRecycleBinAndLeaveTheIndex)
{
    for (const char* action : {"Eins", "Zwei"}) {
        const journal::ChangeScope change(action);
        RegWriteInt(HKEY_CURRENT_USER, kKey, action, 1);
    }
    EXPECT_GT(journal::JournalSize(), 0u);
    SYSTEMTIME today{};
    GetLocalTime(&today);
    EXPECT_TRUE(journal::SetsBefore(today).empty());
    SYSTEMTIME future = today;
    future.wYear = static_cast<WORD>(future.wYear + 1);
    const auto older = journal::SetsBefore(future);
    ASSERT_EQ(older.size(), 2u);

    EXPECT_EQ(journal::RemoveSets({older[0]}), 1);

    const auto left = journal::ListSets();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].action, "Zwei");
    EXPECT_FALSE(helpers::FileExists(journal::SetFile(older[0].id)));
    EXPECT_EQ(testing_support::ReadBytes(journalFolder() + "\\index.txt").find("Eins"), std::string::npos);
}

}  // namespace
