// The password dialog: it lets the program go on only with the stored password.
#include "password_fixture.h"

#include "harness/help_seam.h"
#include "password/password_form.h"
#include "ui/controls.h"
#include "ui/image.h"

#include <gtest/gtest.h>

using password::TForm_Passwort;

namespace {

class PasswordDialogTest : public PasswordTest {
protected:
    void SetUp() override
    {
        PasswordTest::SetUp();
        StorePassword("Geheim1");
        dialog.emplace();
    }
    void TearDown() override
    {
        dialog.reset();
        PasswordTest::TearDown();
    }

    ui::Button& button(const char* name) { return dialog->find<ui::Button>(name); }
    void post(UINT message, WPARAM wParam = 0) { PostMessageA(dialog->handle(), message, wParam, 0); }

    std::optional<TForm_Passwort> dialog;
};

}  // namespace

TEST_F(PasswordDialogTest, OpensWithAnEmptyMaskedEntryThatHasTheFocus)
{
    EXPECT_EQ(dialog->caption(), "Passwortschutz");
    EXPECT_FALSE(dialog->accepted());
    auto& edit = dialog->find<ui::Edit>("Edit1");
    EXPECT_EQ(&edit, &dialog->Edit1());
    EXPECT_EQ(edit.text(), "");
    EXPECT_EQ(edit.passwordChar(), '*');
    EXPECT_EQ(dialog->clientWidth(), 600);
    EXPECT_EQ(dialog->clientHeight(), 400);
    dialog->show();
    EXPECT_EQ(GetFocus(), edit.handle());
    dialog->hide();
}

TEST_F(PasswordDialogTest, TheRightPasswordIsAcceptedAndClosesTheDialog)
{
    dialog->show();
    dialog->Edit1().setText("Geheim1");
    button("Button_Ok").click();
    EXPECT_TRUE(dialog->accepted());
    EXPECT_FALSE(dialog->visible());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(PasswordDialogTest, AWrongPasswordKeepsTheDialogOpenWithItsTextForAnotherTry)
{
    dialog->show();
    for (const char* wrong : {"geheim1", "", "Geheim"}) {
        boxes.clear();
        dialog->Edit1().setText(wrong);
        button("Button_Ok").click();
        EXPECT_FALSE(dialog->accepted()) << wrong;
        EXPECT_TRUE(dialog->visible()) << wrong;
        EXPECT_EQ(dialog->Edit1().text(), wrong);
        ASSERT_EQ(boxes.shown().size(), 1u) << wrong;
        EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
        EXPECT_EQ(boxes.last().text, TwoLines(12900, 12901));
    }
    dialog->Edit1().setText("Geheim1");
    button("Button_Ok").click();
    EXPECT_TRUE(dialog->accepted());
    EXPECT_FALSE(dialog->visible());
}

TEST_F(PasswordDialogTest, WithoutAStoredPasswordAnyEntryIsAccepted)
{
    ASSERT_TRUE(registry::RegValueRemove(HKLM, password::kPasswordKey, password::kPasswordValue));
    button("Button_Ok").click();
    EXPECT_TRUE(dialog->accepted());
}

TEST_F(PasswordDialogTest, EnterPressesOkAndEscapeCancelsTheModalDialog)
{
    dialog->Edit1().setText("Geheim1");
    post(WM_COMMAND, IDOK);
    EXPECT_EQ(dialog->showModal(), ui::ModalResult::Ok);
    EXPECT_TRUE(dialog->accepted());

    TForm_Passwort second;
    second.Edit1().setText("Geheim1");  // even with the right text, cancelling refuses
    PostMessageA(second.handle(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(second.showModal(), ui::ModalResult::Cancel);
    EXPECT_FALSE(second.accepted());
}

TEST_F(PasswordDialogTest, CancelAndTheCloseBoxCloseWithoutAccepting)
{
    dialog->show();
    button("Button_abbruch").click();
    EXPECT_FALSE(dialog->visible());
    EXPECT_FALSE(dialog->accepted());

    dialog->show();
    SendMessageA(dialog->handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog->visible());
    EXPECT_FALSE(dialog->accepted());
}

TEST_F(PasswordDialogTest, HelpShowsThePasswordTopic)
{
    testing_support::RecordedHelp help;
    button("Button_Hilfe").click();
    ASSERT_EQ(help.locations().size(), 1u);
    EXPECT_EQ(help.locations()[0], ui::HelpLocation(ui::HelpFilePath, "passwort"));
}

TEST_F(PasswordDialogTest, ThePictureLiesBehindTheEntryAndTheButtons)
{
    // Windows paints and hit-tests siblings from the top of the z-order down: the
    // picture must come last so nothing on it is hidden.
    HWND last = GetWindow(dialog->Image1().handle(), GW_HWNDLAST);
    EXPECT_EQ(last, dialog->Image1().handle());
}
