// The menu items "Profil speichern..." and "Profil anwenden...": the file dialogs, the
// preview, and what a refusal, a broken file or "Abbrechen" leaves.
#include "machines.h"
#include "profiles_fixture.h"

#include "app/globals.h"
#include "app/profile_commands.h"
#include "app/profile_form.h"
#include "harness/modal_driver.h"
#include "harness/page_contract.h"
#include "harness/platform_dialogs_seam.h"
#include "registry/change_journal_sets.h"
#include "registry/registry.h"
#include "ui/controls.h"
#include "ui/listview.h"

namespace {

using profile_test::LiveIn;
using profile_test::Lived;

const std::string kChanges = "[Velmora Profile]\r\nFormat=1\r\nLanguage=Deutsch\r\n[TForm_Startmenu]\r\nCheckBox_NoRun=1\r\n"
                             "[TForm_System]\r\nCheckBox_AutoReboot=1\r\n[End]\r\n";

class ProfileMenuTest : public ProfileTest {
protected:
    void SetUp() override
    {
        ProfileTest::SetUp();
        savedAppDir_ = app::AppDir;
        app::AppDir = programFolder;
        LiveIn(profile_test::EveryPagesPlaces(winIni(), commonStartup, userStartup), 91, Lived::Readably);
        registry::RegValueRemove(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoRun");
    }
    void TearDown() override
    {
        testing_support::CancelWhenModal();
        app::AppDir = savedAppDir_;
        ProfileTest::TearDown();
    }

    // The preview's rows as "page | setting | now | profile".
    static std::vector<std::string> PreviewRows()
    {
        std::vector<std::string> rows;
        auto& list = app::Form_Profil->ListView_Changes();
        for (int row = 0; row < list.itemCount(); ++row)
            rows.push_back(list.caption(row) + " | " + list.subItem(row, 1) + " | " + list.subItem(row, 2) + " | " +
                           list.subItem(row, 3));
        return rows;
    }

    bool noRun() const
    {
        const auto value = ReadRawValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoRun");
        return value && value->data == std::vector<BYTE>{1, 0, 0, 0};
    }

    testing_support::ScriptedPlatformDialogs dialogs;

private:
    std::string savedAppDir_;
};

TEST_F(ProfileMenuTest, ThePreviewListsWhatChangesAndApplyingIsOneSetWithALog)
{
    const std::string path = folder.file("Büro.ini", kChanges);
    dialogs.answerFile(path);
    std::vector<std::string> shown;
    testing_support::WhenModal([&] {
        shown = PreviewRows();
        app::Form_Profil->Button_Apply().click();
    });
    app::ApplyProfileCommand();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), "Einstellungen zu Startmenü, Taskleiste und Infobereich | Die Option \"Ausführen\"  aus dem "
                             "Startmenü ausblenden | aus | an")
        << shown.front();
    EXPECT_TRUE(noRun());
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].action, "Profil anwenden: Büro");
    EXPECT_NE(FileBytes(folder.path() + "Büro.log").find("Fertig: das Profil ist ganz angewandt."), std::string::npos);
    EXPECT_EQ(boxes.last().text.rfind("Das Profil wurde angewandt. Das Protokoll steht in:\r", 0), 0u) << boxes.last().text;
}

TEST_F(ProfileMenuTest, CancellingThePreviewOrTheDialogChangesNothing)
{
    const auto before = testing_support::SnapshotRegistry();
    dialogs.answerFile(std::nullopt);
    app::ApplyProfileCommand();

    dialogs.answerFile(folder.file("Büro.ini", kChanges));
    testing_support::WhenModal([] { app::Form_Profil->find<ui::Button>("Button_Abbruch").click(); });
    app::ApplyProfileCommand();
    EXPECT_EQ(testing_support::RegistryDifferences(before, testing_support::SnapshotRegistry()), "");
    EXPECT_TRUE(journal::ListSets().empty());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(ProfileMenuTest, ABrokenProfileIsReportedWithItsLinesAndNothingIsWritten)
{
    const auto before = testing_support::SnapshotRegistry();
    dialogs.answerFile(folder.file("kaputt.ini", "[Velmora Profile]\r\nFormat=1\r\nLanguage=Deutsch\r\n[TForm_System]\r\n"
                                                 "CheckBox_AutoReboot=vielleicht\r\nCheckBox_Gibtsnicht=1\r\n[End]\r\n"));
    app::ApplyProfileCommand();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_NE(boxes.last().text.find("Zeile 5: Hier ist nur 1 (an) oder 0 (aus) möglich, nicht \"vielleicht\""),
              std::string::npos)
        << boxes.last().text;
    EXPECT_NE(boxes.last().text.find("Zeile 6: "), std::string::npos);
    EXPECT_EQ(testing_support::RegistryDifferences(before, testing_support::SnapshotRegistry()), "");
    EXPECT_TRUE(journal::ListSets().empty());
}

TEST_F(ProfileMenuTest, SavingAsksWhereAndSaysWhereItWent)
{
    const std::string path = folder.path() + "Neu.ini";
    dialogs.answerFile(path);
    app::SaveProfileCommand();
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_TRUE(dialogs.openRequests[0].saving);
    EXPECT_EQ(dialogs.openRequests[0].defaultExtension, "ini");
    EXPECT_EQ(boxes.last().text, "Das Profil wurde gespeichert. An diesem Rechner wurde nichts geändert:\r" + path);
    EXPECT_TRUE(profiles::ReadProfileFile(path).sound());

    // A profile of this machine then changes nothing, and says so.
    dialogs.answerFile(path);
    app::ApplyProfileCommand();
    EXPECT_EQ(boxes.last().text, "Das Profil ändert nichts: alle Einstellungen sind schon so, wie es sagt.");
    EXPECT_TRUE(journal::ListSets().empty());

    // A file that cannot be written is reported; nothing is claimed.
    dialogs.answerFile(folder.path() + "fehlt\\Neu.ini");
    app::SaveProfileCommand();
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text.rfind("Das Profil lässt sich nicht in diese Datei schreiben:", 0), 0u);
}

}  // namespace
