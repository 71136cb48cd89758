// The Logon page: what "Ok" writes, the two questions SaveSettings asks (also for a
// page a wizard saves without showing it), the hidden-account list with its buttons,
// and its sheets.
#include "page_fixture.h"

#include "harness/help_seam.h"
#include "harness/layout_check.h"
#include "pages/anmelden_form.h"
#include "pages/anmelden_rows.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"
#include "ui/spinedit.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using pages::Form_Anmelden;
using pages::TForm_Anmelden;
using namespace pages::anmelden;
using ui::MsgButton;

namespace {

std::optional<Stored> Winlogon(const std::string& name)
{
    return Read(HKEY_LOCAL_MACHINE, kWinlogonKey, name);
}

std::optional<Stored> UserList(const std::string& name)
{
    return Read(HKEY_LOCAL_MACHINE, kUserListKey, name);
}

class AnmeldenPageTest : public PageFixture<TForm_Anmelden, Form_Anmelden> {
protected:
    ui::ListView& accounts() const { return page->ListView_UserList(); }
    ui::Edit& edit(const std::string& name) const { return control<ui::Edit>(name); }

    std::vector<std::string> listed() const
    {
        std::vector<std::string> names;
        for (int index = 0; index < accounts().itemCount(); ++index)
            names.push_back(accounts().caption(index) + (accounts().checked(index) ? " shown" : " hidden"));
        return names;
    }
    int itemOf(const std::string& name) const
    {
        for (int index = 0; index < accounts().itemCount(); ++index)
            if (accounts().caption(index) == name)
                return index;
        return -1;
    }
};

TEST_F(AnmeldenPageTest, TheFrameHasItsCaptionSheetsColumnAndHelpTopic)
{
    testing_support::RecordedHelp help;
    create();
    EXPECT_EQ(page->caption(), "Einstellungen zur Windows-Anmeldung");
    ASSERT_EQ(page->PageControl1().pageCount(), 3);
    EXPECT_EQ(page->PageControl1().page(2).caption(), "Unsichtbare Benutzerkonten");
    EXPECT_EQ(accounts().columnCaption(0), "Unsichtbare Benutzerkonten (unsichtbar = kein Häkchen)");
    EXPECT_EQ(control<ui::LabelledEdit>("Edit_Domain").editLabel().caption(), "Netzwerk-Domäne");
    EXPECT_EQ(control<ui::SpinEdit>("SpinEdit_AutoLogonCount").maxValue(), 999);
    click("Button_hilfe");
    EXPECT_EQ(help.locations(), (std::vector<std::string>{ui::HelpLocation(ui::HelpFilePath, "anmelden")}));
}

TEST_F(AnmeldenPageTest, OkWithoutChangesWritesEveryRowAsLoaded)
{
    create();
    pressOk();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(UserList("Administrator"), Dword(0));
    EXPECT_EQ(Winlogon("LegalNoticeCaption"), Text(""));
    EXPECT_EQ(Winlogon("LegalNoticeText"), Text(""));
    EXPECT_EQ(Winlogon("AutoAdminLogon"), Text("0"));
    EXPECT_EQ(Winlogon("ForceAutoLogon"), Text("0"));
    EXPECT_EQ(Winlogon("DefaultUserName"), std::nullopt);  // the stored account stays as it was
    EXPECT_EQ(Winlogon("LogonType"), Dword(1));
    EXPECT_EQ(Winlogon("DisableCAD"), Dword(1));
    EXPECT_EQ(Winlogon("IgnoreShiftOverride"), Text("0"));
    EXPECT_EQ(Winlogon("AllowMultipleTSSessions"), Dword(0));
    EXPECT_EQ(Winlogon("AutoLogonCount"), std::nullopt);
}

TEST_F(AnmeldenPageTest, StoredValuesLoadIntoTheControlsAndComeBackUnchanged)
{
    Write(HKLM, kUserListKey, "Administrator", Dword(1));
    Write(HKLM, kWinlogonKey, "LegalNoticeCaption", Text("Achtung"));
    Write(HKLM, kWinlogonKey, "LegalNoticeText", Text("Nur für Befugte"));
    Write(HKLM, kWinlogonKey, "LogonType", Dword(0));
    Write(HKLM, kWinlogonKey, "DisableCAD", Dword(0));
    Write(HKLM, kWinlogonKey, "IgnoreShiftOverride", Text("1"));
    Write(HKLM, kWinlogonKey, "AllowMultipleTSSessions", Dword(1));
    Write(HKLM, kWinlogonKey, "AutoLogonCount", Text("3"));
    create();
    for (const char* name : {"CheckBox_Administrator", "CheckBox_LegalNotice", "CheckBox_LogonType",
                             "CheckBox_DisableCAD", "CheckBox_IgnoreShiftOverride", "CheckBox_AllowMultipleTSSessions",
                             "CheckBox_AutoLogonCount"})
        EXPECT_TRUE(box(name).checked()) << name;
    EXPECT_EQ(edit("Edit_LegalNoticeCaption").text(), "Achtung");
    EXPECT_EQ(edit("Edit_LegalNoticeText").text(), "Nur für Befugte");
    EXPECT_EQ(control<ui::SpinEdit>("SpinEdit_AutoLogonCount").value(), 3);
    pressOk();
    EXPECT_EQ(UserList("Administrator"), Dword(1));
    EXPECT_EQ(Winlogon("LegalNoticeCaption"), Text("Achtung"));
    EXPECT_EQ(Winlogon("LegalNoticeText"), Text("Nur für Befugte"));
    EXPECT_EQ(Winlogon("LogonType"), Dword(0));
    EXPECT_EQ(Winlogon("DisableCAD"), Dword(0));
    EXPECT_EQ(Winlogon("IgnoreShiftOverride"), Text("1"));
    EXPECT_EQ(Winlogon("AllowMultipleTSSessions"), Dword(1));
    EXPECT_EQ(Winlogon("AutoLogonCount"), Text("3"));
}

TEST_F(AnmeldenPageTest, TheLogonCountIsAStringWhileCheckedAndGoesWhenUnchecked)
{
    Write(HKLM, kWinlogonKey, "AutoLogonCount", Text("7"));
    create();
    box("CheckBox_AutoLogonCount").setChecked(false);
    page->SaveSettings();
    EXPECT_EQ(Winlogon("AutoLogonCount"), std::nullopt);
    box("CheckBox_AutoLogonCount").setChecked(true);
    control<ui::SpinEdit>("SpinEdit_AutoLogonCount").setValue(3);
    page->SaveSettings();
    EXPECT_EQ(Winlogon("AutoLogonCount"), Text("3"));
}

// --- Hidden accounts -------------------------------------------------------------

TEST_F(AnmeldenPageTest, OnlyDwordAccountsAreListedAndServiceAccountsLeftOut)
{
    Write(HKLM, kUserListKey, "Administrator", Dword(0));
    Write(HKLM, kUserListKey, "Gast", Dword(1));
    Write(HKLM, kUserListKey, "Notiz", Text("0"));
    Write(HKLM, kUserListKey, "IUSR_PC1", Dword(0));
    for (const char* service : {"IUSR_", "iwam_", "NetShowServices", "VUSR_", "SQLAgentCmdExec", "TsInternetUser"})
        Write(HKLM, kUserListKey, service, Dword(0));
    create();
    EXPECT_EQ(listed(), (std::vector<std::string>{"Administrator hidden", "Gast shown", "IUSR_PC1 hidden"}));
    EXPECT_FALSE(box("CheckBox_Administrator").checked());
    pressOk();
    EXPECT_EQ(UserList("Notiz"), Text("0"));  // not listed, not touched
    EXPECT_EQ(UserList("IUSR_"), Dword(0));
    EXPECT_EQ(UserList("Gast"), Dword(1));
}

// "Administrator" is both an item of the list and the check box: the list is written
// first, the check box last, so the check box decides.
TEST_F(AnmeldenPageTest, TheAdministratorCheckBoxDecidesOverTheListItem)
{
    Write(HKLM, kUserListKey, "Administrator", Dword(0));
    create();
    ASSERT_EQ(itemOf("Administrator"), 0);
    EXPECT_FALSE(accounts().checked(0));
    box("CheckBox_Administrator").setChecked(true);
    pressOk();
    EXPECT_EQ(UserList("Administrator"), Dword(1));

    create();
    accounts().setChecked(itemOf("Administrator"), true);
    box("CheckBox_Administrator").setChecked(false);
    pressOk();
    EXPECT_EQ(UserList("Administrator"), Dword(0));
}

TEST_F(AnmeldenPageTest, SelectingAnAccountFillsTheEditAndTheButtonsFollowTheEdit)
{
    Write(HKLM, kUserListKey, "Gast", Dword(0));
    create();
    auto& remove = control<ui::Button>("Button_Entfernen");
    auto& add = control<ui::Button>("Button_Hinzufuegen");
    EXPECT_FALSE(remove.enabled());
    EXPECT_FALSE(add.enabled());
    accounts().setSelectedIndex(0);
    EXPECT_EQ(edit("Edit_User").text(), "Gast");
    EXPECT_TRUE(remove.enabled());
    EXPECT_TRUE(add.enabled());
    edit("Edit_User").setText("");
    EXPECT_FALSE(remove.enabled());
    EXPECT_FALSE(add.enabled());
    edit("Edit_User").setText("Hans");
    EXPECT_TRUE(add.enabled());
}

TEST_F(AnmeldenPageTest, AnAddedAccountIsHiddenAndWrittenOnlyOnOkOncePerItem)
{
    create();
    edit("Edit_User").setText("Hans");
    click("Button_Hinzufuegen");
    click("Button_Hinzufuegen");
    EXPECT_EQ(listed(), (std::vector<std::string>{"Hans hidden", "Hans hidden"}));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kUserListKey));
    accounts().setChecked(1, true);  // the last item decides
    pressOk();
    EXPECT_EQ(UserList("Hans"), Dword(1));
}

TEST_F(AnmeldenPageTest, EntfernenAsksAndDeletesAtOnceAndAbbrechenDoesNotBringItBack)
{
    Write(HKLM, kUserListKey, "Gast", Dword(0));
    Write(HKLM, kUserListKey, "Hans", Dword(0));
    create();
    page->show();
    accounts().setSelectedIndex(itemOf("Hans"));

    boxes.answer(MsgButton::No);
    click("Button_Entfernen");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Confirmation);
    EXPECT_EQ(boxes.last().text, language::LangString(2920) + " \"Hans\" " + language::LangString(2921) + "\r" +
                                     language::LangString(2922) + "\r" + language::LangString(2923));
    EXPECT_EQ(UserList("Hans"), Dword(0));

    boxes.answer(MsgButton::Yes);
    click("Button_Entfernen");
    EXPECT_EQ(UserList("Hans"), std::nullopt);
    EXPECT_EQ(listed(), (std::vector<std::string>{"Gast hidden"}));

    click("Button_Abbruch");
    EXPECT_EQ(UserList("Hans"), std::nullopt);
    EXPECT_EQ(UserList("Gast"), Dword(0));
}

TEST_F(AnmeldenPageTest, EntfernenWithoutASelectedAccountDoesNothing)
{
    Write(HKLM, kUserListKey, "Gast", Dword(0));
    create();
    edit("Edit_User").setText("Gast");
    click("Button_Entfernen");
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(UserList("Gast"), Dword(0));
}

// --- Logon message -----------------------------------------------------------------

TEST_F(AnmeldenPageTest, AnUncheckedMessageClearsBothTextsAndATextWithoutTitleIsNotKept)
{
    Write(HKLM, kWinlogonKey, "LegalNoticeCaption", Text("Achtung"));
    Write(HKLM, kWinlogonKey, "LegalNoticeText", Text("Text"));
    create();
    box("CheckBox_LegalNotice").setChecked(false);
    page->SaveSettings();
    EXPECT_EQ(Winlogon("LegalNoticeCaption"), Text(""));
    EXPECT_EQ(Winlogon("LegalNoticeText"), Text(""));
    EXPECT_TRUE(boxes.shown().empty());
}

// Yes to the empty-title question ends saving at the message: the rows before it are
// written, the message and every row after it are not, and the page closes.
TEST_F(AnmeldenPageTest, YesToTheEmptyTitleQuestionStopsTheSaveAtTheMessage)
{
    Write(HKLM, kWinlogonKey, "LegalNoticeCaption", Text("Alt"));
    Write(HKLM, kWinlogonKey, "LegalNoticeText", Text("Alter Text"));
    Write(HKLM, kWinlogonKey, "LogonType", Dword(1));
    create();
    page->show();
    edit("Edit_LegalNoticeCaption").setText("");
    edit("Edit_LegalNoticeText").setText("Neuer Text");
    box("CheckBox_Administrator").setChecked(true);   // before the message
    box("CheckBox_LogonType").setChecked(true);       // after it
    box("CheckBox_AllowMultipleTSSessions").setChecked(true);
    boxes.answer(MsgButton::Yes);
    pressOk();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Warning);
    EXPECT_EQ(boxes.last().text, language::LangString(2900) + "\r" + language::LangString(2901));
    EXPECT_EQ(testing_support::ButtonText(boxes.last(), MsgButton::No), "&Nein");
    EXPECT_FALSE(page->visible());
    EXPECT_EQ(UserList("Administrator"), Dword(1));
    EXPECT_EQ(Winlogon("LegalNoticeCaption"), Text("Alt"));
    EXPECT_EQ(Winlogon("LegalNoticeText"), Text("Alter Text"));
    EXPECT_EQ(Winlogon("AutoAdminLogon"), std::nullopt);
    EXPECT_EQ(Winlogon("LogonType"), Dword(1));
    EXPECT_EQ(Winlogon("AllowMultipleTSSessions"), std::nullopt);
}

TEST_F(AnmeldenPageTest, NoToTheEmptyTitleQuestionClearsTheMessageAndSavesTheRest)
{
    Write(HKLM, kWinlogonKey, "LegalNoticeCaption", Text("Alt"));
    create();
    edit("Edit_LegalNoticeCaption").setText("");
    edit("Edit_LegalNoticeText").setText("Neuer Text");
    box("CheckBox_LogonType").setChecked(true);
    boxes.answer(MsgButton::No);
    page->SaveSettings();  // as a wizard saves the hidden page
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(Winlogon("LegalNoticeCaption"), Text(""));
    EXPECT_EQ(Winlogon("LegalNoticeText"), Text(""));
    EXPECT_EQ(Winlogon("LogonType"), Dword(0));
}

// --- Automatic logon ----------------------------------------------------------------

TEST_F(AnmeldenPageTest, ConfirmedAutomaticLogonStoresTheAccount)
{
    create();
    box("CheckBox_AutoLogON").setChecked(true);
    edit("Edit_Konto").setText("Hans");
    edit("Edit_Kennwort").setText("geheim");
    edit("Edit_Domain").setText("BUERO");
    boxes.answer(MsgButton::Yes);
    page->SaveSettings();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Confirmation);
    EXPECT_EQ(boxes.last().text, language::LangString(2910) + "\r" + language::LangString(2911));
    EXPECT_EQ(Winlogon("DefaultUserName"), Text("Hans"));
    EXPECT_EQ(Winlogon("DefaultPassword"), Text("geheim"));
    EXPECT_EQ(Winlogon("DefaultDomainName"), Text("BUERO"));
    EXPECT_EQ(Winlogon("AutoAdminLogon"), Text("1"));
    EXPECT_EQ(Winlogon("ForceAutoLogon"), Text("1"));
    EXPECT_EQ(Winlogon("DontDisplayLastUserName"), Text("0"));

    create();  // reads the account back
    EXPECT_TRUE(box("CheckBox_AutoLogON").checked());
    EXPECT_EQ(edit("Edit_Kennwort").text(), "geheim");
    EXPECT_EQ(edit("Edit_Kennwort").passwordChar(), 0);  // shown in plain text
}

TEST_F(AnmeldenPageTest, NoToTheAutomaticLogonQuestionLeavesItAsItWasAndSavesTheRest)
{
    Write(HKLM, kWinlogonKey, "AutoAdminLogon", Text("1"));
    Write(HKLM, kWinlogonKey, "DefaultUserName", Text("Hans"));
    create();
    edit("Edit_Konto").setText("Grete");
    box("CheckBox_LogonType").setChecked(true);
    boxes.answer(MsgButton::No);
    pressOk();
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(Winlogon("AutoAdminLogon"), Text("1"));
    EXPECT_EQ(Winlogon("DefaultUserName"), Text("Hans"));
    EXPECT_EQ(Winlogon("ForceAutoLogon"), std::nullopt);
    EXPECT_EQ(Winlogon("LogonType"), Dword(0));
}

TEST_F(AnmeldenPageTest, SwitchingAutomaticLogonOffKeepsTheStoredAccount)
{
    Write(HKLM, kWinlogonKey, "AutoAdminLogon", Text("1"));
    Write(HKLM, kWinlogonKey, "DefaultPassword", Text("geheim"));
    create();
    box("CheckBox_AutoLogON").setChecked(false);
    pressOk();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(Winlogon("AutoAdminLogon"), Text("0"));
    EXPECT_EQ(Winlogon("ForceAutoLogon"), Text("0"));
    EXPECT_EQ(Winlogon("DefaultPassword"), Text("geheim"));
}

TEST_F(AnmeldenPageTest, ALogonCountThatIsNoNumberIsReportedAndKept)
{
    Write(HKLM, kWinlogonKey, "AutoLogonCount", Text("drei"));
    Write(HKLM, kWinlogonKey, "LogonType", Dword(0));
    create();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "'drei' ist kein gültiger Integerwert");
    EXPECT_TRUE(box("CheckBox_LogonType").checked());
    pressOk();
    EXPECT_EQ(Winlogon("AutoLogonCount"), Text("drei"));
}

// --- Layout ------------------------------------------------------------------------

TEST_F(AnmeldenPageTest, NothingOnAnySheetIsClippedOrCovered)
{
    Write(HKLM, kUserListKey, "Administrator", Dword(0));
    create();
    testing_support::ExpectNothingClippedOrCovered(page->handle());
    // The whole column is visible in the list.
    RECT client{};
    GetClientRect(accounts().handle(), &client);
    EXPECT_GE(client.right, 560);
}

}  // namespace
