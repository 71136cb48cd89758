// The undo dialog: the journal's sets newest first with what the chosen one changed
// (before, now, changed since), undo after the user's answers, the clean-up's backups
// and their import, removing old sets, its texts and its layout, and the main window's
// menu item that opens it.
#include "app/main_window.h"
#include "app/undo_form.h"
#include "app_fixture.h"
#include "harness/layout_check.h"
#include "harness/programs_seam.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "registry/registry.h"
#include "ui/handles.h"
#include "ui/controls.h"
#include "ui/datepicker.h"
#include "ui/listview.h"
#include "ui/menu.h"
#include "ui/pagecontrol.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>

using testing_support::WhenModal;

namespace {

const std::string kKey = "Software\\Velmora\\Undo";

std::vector<BYTE> DwordBytes(DWORD number)
{
    return {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
            static_cast<BYTE>(number >> 24)};
}

std::optional<DWORD> Number(const std::string& name)
{
    const auto value = ReadRawValue(HKEY_CURRENT_USER, kKey, name);
    if (!value || value->type != REG_DWORD || value->data.size() != 4)
        return std::nullopt;
    return value->data[0] | (value->data[1] << 8) | (value->data[2] << 16) | (static_cast<DWORD>(value->data[3]) << 24);
}

void Change(const std::string& action, const std::map<std::string, int>& numbers)
{
    const journal::ChangeScope change(action);
    for (const auto& [name, number] : numbers)
        registry::RegWriteInt(HKEY_CURRENT_USER, kKey, name, number);
}

std::vector<std::string> Row(const ui::ListView& list, int index)
{
    std::vector<std::string> row;
    for (int column = 0; column < list.columnCount(); ++column)
        row.push_back(list.subItem(index, column));
    return row;
}

class UndoFormTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        loadLanguage();
        journal::SetJournalFolder(app::AppDir + "\\BACKUP\\Journal", app::AppDir);
        registry::RegKeyEnsure(HKEY_CURRENT_USER, kKey);
    }
    void TearDown() override
    {
        app::Form_Undo = nullptr;
        dialog.reset();
        journal::SetJournalFolder({});
        AppTest::TearDown();
    }

    app::TForm_Undo& open()
    {
        dialog = std::make_unique<app::TForm_Undo>();
        app::Form_Undo = dialog.get();
        language::LocalizeComponent(*dialog);
        dialog->refresh();
        return *dialog;
    }

    std::unique_ptr<app::TForm_Undo> dialog;
};

TEST_F(UndoFormTest, ListsTheSetsNewestFirstAndWhatTheChosenOneChangedBeforeAndNow)
{
    WriteRawValue(HKEY_CURRENT_USER, kKey, "A", REG_DWORD, DwordBytes(0));
    Change("Erste", {{"A", 1}});
    Change("Zweite", {{"B", 1}});
    WriteRawValue(HKEY_CURRENT_USER, kKey, "A", REG_SZ, TextBytes("von Hand"));  // outside the program since
    auto& form = open();

    auto& sets = form.ListView_Sets();
    ASSERT_EQ(sets.itemCount(), 2);
    EXPECT_EQ(sets.subItem(0, 1), "Zweite");
    EXPECT_EQ(sets.subItem(1, 1), "Erste");
    EXPECT_EQ(sets.subItem(0, 2), "1");  // values
    EXPECT_EQ(sets.subItem(0, 3), "0");  // files
    EXPECT_EQ(sets.selectedIndex(), 0);
    const std::string location = "HKCU\\" + kKey;
    auto& details = form.ListView_Details();
    ASSERT_EQ(details.itemCount(), 1);
    EXPECT_EQ(Row(details, 0), (std::vector<std::string>{"B", language::LangString(20901), "1 (0x00000001)", "", location}));

    sets.setSelectedIndex(1);

    ASSERT_EQ(details.itemCount(), 1);
    EXPECT_EQ(Row(details, 0), (std::vector<std::string>{"A", "0 (0x00000000)", "\"von Hand\"", language::LangString(20904),
                                                         location}));
    EXPECT_EQ(form.Label_Count().caption(), "2");
    EXPECT_NE(form.Label_Size().caption(), "0 Bytes");
}

// "Rückgängig machen" on the older of two sets, whose newer one changed B, which was
// changed again by hand since: the first answer confirms, the second decides about B.
TEST_F(UndoFormTest, UndoPutsBackTheChosenSetAndEveryNewerOnePlacesChangedSinceOnTheUsersWord)
{
    struct Case {
        ui::MsgButton aboutChangedSince;
        std::optional<DWORD> a;
        std::optional<DWORD> b;
        bool undone;
    };
    for (const Case& answer : {Case{ui::MsgButton::Yes, 0, std::nullopt, true}, Case{ui::MsgButton::No, 0, 7, true},
                               Case{ui::MsgButton::Cancel, 1, 7, false}}) {
        SCOPED_TRACE(testing_support::ButtonText(
            ui::BuildMessageBox("", ui::MsgKind::Confirmation, {answer.aboutChangedSince}), answer.aboutChangedSince));
        registry::RegKeyRemove(HKEY_CURRENT_USER, kKey);
        WriteRawValue(HKEY_CURRENT_USER, kKey, "A", REG_DWORD, DwordBytes(0));
        Change("Erste", {{"A", 1}});
        Change("Zweite", {{"B", 1}});
        WriteRawValue(HKEY_CURRENT_USER, kKey, "B", REG_DWORD, DwordBytes(7));
        auto& form = open();
        const int setsBefore = form.ListView_Sets().itemCount();
        form.ListView_Sets().setSelectedIndex(1);
        boxes.clear();
        boxes.answer(ui::MsgButton::Yes);
        boxes.answer(answer.aboutChangedSince);

        form.find<ui::Button>("Button_Undo").click();

        ASSERT_EQ(boxes.shown().size(), 2u);
        EXPECT_NE(boxes.shown()[0].text.find(language::LangString(20910)), std::string::npos);
        EXPECT_NE(boxes.shown()[0].text.find("Erste"), std::string::npos);
        EXPECT_NE(boxes.shown()[0].text.find(language::LangString(20911) + " 1"), std::string::npos);
        EXPECT_EQ(boxes.shown()[1].text, language::LangStrings({20915, 20916}));
        EXPECT_EQ(boxes.shown()[1].buttons.size(), 3u);
        EXPECT_EQ(Number("A"), answer.a);
        EXPECT_EQ(Number("B"), answer.b);
        ASSERT_EQ(form.ListView_Sets().itemCount(), setsBefore + (answer.undone ? 1 : 0));
        if (answer.undone) {
            EXPECT_EQ(form.ListView_Sets().subItem(0, 1), language::LangString(20918) + " Erste");
        }
    }
}

TEST_F(UndoFormTest, NoToTheFirstQuestionChangesNothing)
{
    Change("Erste", {{"A", 1}});
    auto& form = open();
    boxes.answer(ui::MsgButton::No);

    form.find<ui::Button>("Button_Undo").click();

    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(Number("A"), 1u);
    EXPECT_EQ(form.ListView_Sets().itemCount(), 1);
}

TEST_F(UndoFormTest, ABackupOfTheCleanUpIsImportedByTheRegistryEditorAsASetOfItsOwn)
{
    for (const int exitCode : {0, 1}) {
        SCOPED_TRACE("the registry editor ends with " + std::to_string(exitCode));
        folder().makeDir("BACKUP");
        const std::string backup = folder().file("BACKUP\\Backup 01.05.2024.reg",
                                                 "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + kKey + "\\Restored]\r\n");
        testing_support::RecordedPrograms programs;
        programs.onRunAndWait = [&](const std::string&) {
            registry::RegWriteInt(HKEY_CURRENT_USER, kKey + "\\Restored", "X", exitCode + 1);
            return exitCode;
        };
        auto& form = open();
        ASSERT_EQ(form.ListView_Backups().itemCount(), 1);
        EXPECT_EQ(form.ListView_Backups().caption(0), "Backup 01.05.2024.reg");
        boxes.clear();
        boxes.answer(ui::MsgButton::Yes);

        form.find<ui::Button>("Button_Import").click();

        ASSERT_EQ(programs.ran.size(), 1u);
        EXPECT_EQ(programs.ran[0].commandLine, "REGEDIT /S \"" + backup + "\"");
        EXPECT_EQ(programs.ran[0].showCommand, SW_HIDE);
        EXPECT_EQ(form.ListView_Sets().subItem(0, 1), language::LangString(20923) + " Backup 01.05.2024.reg");
        ASSERT_EQ(boxes.shown().size(), exitCode == 0 ? 1u : 2u);
        if (exitCode != 0) {
            EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
            EXPECT_EQ(boxes.last().text, language::LangString(20924) + " 1");
        }
    }
}

TEST_F(UndoFormTest, TheBackupOfACleanUpThatWasCutOffIsListedUnderItsDatedName)
{
    folder().makeDir("BACKUP");
    const std::string earlier = folder().file("BACKUP\\Backup 01.05.2024.reg", "REGEDIT4\r\n");
    const std::string content = "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\CLSID\\{Gone}]\r\n";
    // Left by a clean-up that ended in the middle: the only backup of keys already gone.
    const std::string leftover = folder().file("BACKUP\\1.reg", content);
    FILETIME later{};
    SYSTEMTIME now{};
    GetSystemTime(&now);
    SystemTimeToFileTime(&now, &later);
    {
        const ui::FileHandle file(CreateFileA(earlier.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        FILETIME older = later;
        older.dwHighDateTime -= 1000;
        SetFileTime(file.get(), nullptr, nullptr, &older);
    }

    auto& form = open();

    ASSERT_EQ(form.ListView_Backups().itemCount(), 2);
    const std::string name = form.ListView_Backups().caption(0);
    EXPECT_EQ(name.rfind("Backup ", 0), 0u) << name;
    EXPECT_NE(name, "Backup 01.05.2024.reg");
    EXPECT_EQ(form.ListView_Backups().caption(1), "Backup 01.05.2024.reg");
    EXPECT_FALSE(helpers::FileExists(leftover));
    std::ifstream dated(app::AppDir + "\\BACKUP\\" + name, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(dated), {}), content);
}

TEST_F(UndoFormTest, OldSetsAreRemovedOnlyAfterTheUserConfirms)
{
    Change("Erste", {{"A", 1}});
    Change("Zweite", {{"B", 1}});
    auto& form = open();
    SYSTEMTIME day{};
    GetLocalTime(&day);
    form.DatePicker_Before().setDate(day);

    form.find<ui::Button>("Button_RemoveOld").click();  // nothing is older than today

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, language::LangString(20935));

    day.wYear = static_cast<WORD>(day.wYear + 1);
    form.DatePicker_Before().setDate(day);
    boxes.answer(ui::MsgButton::No);
    form.find<ui::Button>("Button_RemoveOld").click();
    EXPECT_EQ(boxes.last().text, language::LangString(20936) + " 2\r" + language::LangString(20937));
    EXPECT_EQ(form.ListView_Sets().itemCount(), 2);

    boxes.answer(ui::MsgButton::Yes);
    form.find<ui::Button>("Button_RemoveOld").click();
    EXPECT_EQ(form.ListView_Sets().itemCount(), 0);
    EXPECT_EQ(form.Label_Count().caption(), "0");
    EXPECT_FALSE(form.find<ui::Button>("Button_Undo").enabled());
}

TEST_F(UndoFormTest, EverySheetShowsItsGermanTextsUnclippedAndTheLanguageFileHoldsThem)
{
    const char* const names[] = {"N0", "N1", "N2"};
    for (int i = 0; i < 3; ++i)
        Change(i % 2 ? "System- , Speicher-, Booteinstellungen" : "System- , Speicher-, Booteinstellungen: Favoriten",
               {{names[i], i}});
    auto& form = open();
    EXPECT_EQ(form.caption(), language::LangString(20000));
    for (int sheet = 0; sheet < form.PageControl1().pageCount(); ++sheet) {
        SCOPED_TRACE("sheet " + std::to_string(sheet + 1));
        form.PageControl1().setActivePageIndex(sheet);
        testing_support::ExpectNothingClippedOrCovered(form.handle());
    }

    // The designed texts are the German ones, and the language file has a line for each.
    const std::string exported = app::AppDir + "\\Form_Undo.ini";
    app::TForm_Undo designed;
    language::ExportFormTexts(exported, designed);
    std::ifstream file(exported, std::ios::binary);
    std::string line;
    int lines = 0;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << line;
        EXPECT_EQ(language::LangString(std::stoi(line.substr(0, equals))), line.substr(equals + 1)) << line;
        ++lines;
    }
    EXPECT_GT(lines, 10);
}

TEST_F(UndoFormTest, HelpShowsTheUndoTopic)
{
    auto& form = open();
    form.find<ui::Button>("Button_hilfe").click();
    ASSERT_EQ(help.locations().size(), 1u);
    EXPECT_NE(help.locations()[0].find("::/rueckgaengig.htm"), std::string::npos) << help.locations()[0];
}

TEST_F(UndoFormTest, TheFileMenuOfTheMainWindowOpensTheDialog)
{
    Change("Erste", {{"A", 1}});
    app::TForm1 window;
    language::LocalizeComponent(window);
    auto& item = window.find<ui::MenuItem>("Aenderungenrueckgaengig1");
    EXPECT_EQ(item.caption(), language::LangString(20006));
    int listed = -1;
    WhenModal([&] {
        ASSERT_NE(app::Form_Undo, nullptr);
        listed = app::Form_Undo->ListView_Sets().itemCount();
        app::Form_Undo->find<ui::Button>("Button_Close").click();
    });

    item.click();

    EXPECT_EQ(listed, 1);
    EXPECT_EQ(app::Form_Undo, nullptr);
}

}  // namespace
