// The toolkit as forms and handlers use it: ownership and lookup, captions,
// controls that are real windows, events through the general error handler.
#include "harness/dialog_seam.h"
#include "harness/layout_check.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/convert.h"
#include "ui/convert.h"
#include "ui/errors.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/pagecontrol.h"
#include "ui/look.h"
#include "ui/spinedit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

using namespace ui;

namespace {

struct SmallForm : Form {
    SmallForm() : Form("Form_Small", 300, 200, "Klein")
    {
        group = &add<GroupBox>(*this, "GroupBox_Options", Bounds{8, 8, 200, 120}, "Optionen");
        box = &add<CheckBox>(*group, "CheckBox_First", Bounds{8, 20, 150, 17}, "Erste");
        radioA = &add<RadioButton>(*group, "RadioButton_A", Bounds{8, 40, 150, 17}, "A");
        radioB = &add<RadioButton>(*group, "RadioButton_B", Bounds{8, 60, 150, 17}, "B");
        edit = &add<Edit>(*this, "Edit_Name", Bounds{8, 140, 120, 21});
        ok = &add<Button>(*this, "Button_Ok", Bounds{210, 170, 80, 23}, "Ok");
    }
    GroupBox* group;
    CheckBox* box;
    RadioButton* radioA;
    RadioButton* radioB;
    Edit* edit;
    Button* ok;
};

}  // namespace

TEST(Toolkit, ComponentsAreOwnedInCreationOrderAndFoundByName)
{
    SmallForm form;
    const auto owned = form.components();
    ASSERT_EQ(owned.size(), 6u);
    EXPECT_EQ(owned[0]->name(), "GroupBox_Options");
    EXPECT_EQ(owned[5]->name(), "Button_Ok");
    EXPECT_EQ(owned[1]->owner(), &form);
    EXPECT_EQ(&form.find<CheckBox>("checkbox_first"), form.box);  // letter case ignored
    EXPECT_EQ(form.findComponent("Missing"), nullptr);
    EXPECT_THROW(form.find<Edit>("CheckBox_First"), Exception);  // wrong kind
}

TEST(Toolkit, ControlsAreRealChildWindowsOfTheirParent)
{
    SmallForm form;
    EXPECT_TRUE(IsWindow(form.box->handle()));
    EXPECT_EQ(GetParent(form.box->handle()), form.group->handle());
    EXPECT_FALSE(form.visible());  // forms are created hidden
    EXPECT_EQ(form.clientWidth(), 300);
    EXPECT_EQ(form.clientHeight(), 200);
    HWND boxWindow = form.box->handle();
    {
        SmallForm other;
    }
    EXPECT_TRUE(IsWindow(boxWindow));
}

TEST(Toolkit, CaptionsExistOnlyOnKindsThatHaveOne)
{
    SmallForm form;
    form.box->setCaption("Neu");
    EXPECT_EQ(form.box->caption(), "Neu");
    form.setCaption("Titel");
    EXPECT_EQ(form.caption(), "Titel");
    try {
        form.edit->setCaption("x");
        FAIL() << "an edit has no caption";
    } catch (const EPropertyError& error) {
        EXPECT_STREQ(error.what(), "Eigenschaft Caption existiert nicht");
    }
}

TEST(Toolkit, CheckingABoxRunsItsClickHandlerOnlyWhenTheStateChanges)
{
    SmallForm form;
    int clicks = 0;
    form.box->onClick = [&] { ++clicks; };
    form.box->setChecked(false);
    EXPECT_EQ(clicks, 0);
    form.box->setChecked(true);
    EXPECT_TRUE(form.box->checked());
    EXPECT_EQ(clicks, 1);
    SendMessageA(form.box->handle(), BM_CLICK, 0, 0);  // a user's click
    EXPECT_FALSE(form.box->checked());
    EXPECT_EQ(clicks, 2);
}

TEST(Toolkit, CheckingARadioButtonUnchecksTheOthersOfItsGroup)
{
    SmallForm form;
    form.radioA->setChecked(true);
    form.radioB->setChecked(true);
    EXPECT_FALSE(form.radioA->checked());
    EXPECT_TRUE(form.radioB->checked());
    SendMessageA(form.radioA->handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(form.radioA->checked());
    EXPECT_FALSE(form.radioB->checked());
}

// A page that keeps a row as stored until one of its controls is set must see a
// button lose its check when the user picks another one of its group.
TEST(Toolkit, AButtonThatLosesItsCheckToASiblingCountsAsSet)
{
    SmallForm form;
    form.radioA->setChecked(true);
    const unsigned checkedBefore = form.radioA->changeCount();
    const unsigned uncheckedBefore = form.radioB->changeCount();
    SendMessageA(form.radioB->handle(), BM_CLICK, 0, 0);
    EXPECT_GT(form.radioA->changeCount(), checkedBefore);
    EXPECT_GT(form.radioB->changeCount(), uncheckedBefore);
    // A sibling that was unchecked already is not set again.
    const unsigned stillUnchecked = form.radioA->changeCount();
    form.radioB->setChecked(true);
    EXPECT_EQ(form.radioA->changeCount(), stillUnchecked);
}

TEST(Toolkit, AnExceptionInAnEventIsShownAsAnErrorBoxAndTheProgramGoesOn)
{
    testing_support::ScriptedMessageBoxes boxes;
    SmallForm form;
    form.ok->onClick = [] { throw ERegistryError::writeFailed("Start"); };
    SendMessageA(form.ok->handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, MsgKind::Error);
    EXPECT_EQ(boxes.last().caption, "Fehler");
    EXPECT_EQ(boxes.last().text, "Fehler beim Setzen der Daten für 'Start'");
    EXPECT_EQ(testing_support::ButtonText(boxes.last(), MsgButton::OK), "OK");
}

TEST(Toolkit, EditKeepsItsTextInTheWindowAndHidesItBehindThePasswordCharacter)
{
    SmallForm form;
    form.edit->setText("geheim");
    form.edit->setPasswordChar('*');
    EXPECT_EQ(form.edit->text(), "geheim");
    EXPECT_EQ(form.edit->passwordChar(), '*');
    char shown[32] = {};
    GetWindowTextA(form.edit->handle(), shown, sizeof(shown));
    EXPECT_STREQ(shown, "geheim");
}

TEST(Toolkit, LabelledEditCarriesItsLabelAboveTheEdit)
{
    Form form("Form_L", 200, 100);
    auto& edit = form.add<LabelledEdit>(form, "LabeledEdit_Name", Bounds{10, 40, 150, 21}, "Name:");
    ASSERT_NE(edit.boundLabel(), nullptr);
    EXPECT_EQ(edit.editLabel().caption(), "Name:");
    EXPECT_LT(edit.editLabel().top() + edit.editLabel().height(), edit.top() + 1);
    EXPECT_FALSE(edit.hasCaption());
}

TEST(Toolkit, AutoSizedLabelTakesTheWidthOfItsText)
{
    Form form("Form_L", 400, 100);
    auto& label = form.add<Label>(form, "Label_Text", Bounds{10, 10, 10, 10}, "kurz");
    label.setAutoSize(true);
    const int shortWidth = label.width();
    label.setCaption("ein deutlich längerer Text");
    EXPECT_GT(label.width(), shortWidth);
}

TEST(Toolkit, MenuItemsBuildTheMenuBarAndRunTheirHandler)
{
    Form form("Form_M", 200, 100);
    auto& menu = form.add<MainMenu>(form, "MainMenu1");
    auto& file = form.add<MenuItem>(menu, "Datei1", "&Datei");
    auto& quit = form.add<MenuItem>(file, "Beenden1", "&Beenden");
    form.add<MenuItem>(file, "N1", "-");
    int chosen = 0;
    quit.onClick = [&] { ++chosen; };
    ASSERT_EQ(GetMenu(form.handle()), menu.submenu());
    EXPECT_EQ(GetMenuItemCount(file.submenu()), 2);
    SendMessageA(form.handle(), WM_COMMAND, MAKEWPARAM(quit.commandId(), 0), 0);
    EXPECT_EQ(chosen, 1);
    quit.setCaption("&Ende");
    char text[32] = {};
    GetMenuStringA(file.submenu(), static_cast<UINT>(quit.commandId()), text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Ende");
}

TEST(Toolkit, PageControlShowsTheSheetOfTheActiveTab)
{
    Form form("Form_P", 400, 300);
    auto& pages = form.add<PageControl>(form, "PageControl1", Bounds{0, 0, 400, 300});
    auto& first = form.add<TabSheet>(pages, "TabSheet1", "Eins");
    auto& second = form.add<TabSheet>(pages, "TabSheet2", "Zwei");
    int changes = 0;
    pages.onChange = [&] { ++changes; };
    EXPECT_EQ(pages.activePageIndex(), 0);
    EXPECT_TRUE(first.visible());
    EXPECT_FALSE(second.visible());
    pages.setActivePage(second);
    EXPECT_EQ(pages.activePage(), &second);
    EXPECT_FALSE(first.visible());
    EXPECT_TRUE(second.visible());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(second.caption(), "Zwei");
    EXPECT_GT(second.clientWidth(), 300);
}

TEST(Toolkit, ShowModalRunsUntilAResultIsSetAndGivesTheOwnerBack)
{
    Form owner("Form_Owner", 200, 100);
    owner.show();
    Form dialog("Form_Dialog", 200, 100);
    auto& ok = dialog.add<Button>(dialog, "Button_Ok", Bounds{10, 10, 80, 23}, "Ok");
    bool ownerEnabledMeanwhile = true;
    ok.onClick = [&] {
        ownerEnabledMeanwhile = IsWindowEnabled(owner.handle()) != FALSE;
        dialog.setModalResult(ModalResult::Ok);
    };
    PostMessageA(ok.handle(), BM_CLICK, 0, 0);  // pressed once the modal loop runs
    const ModalResult result = dialog.showModal();
    EXPECT_EQ(result, ModalResult::Ok);
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_FALSE(dialog.visible());
    EXPECT_TRUE(IsWindowEnabled(owner.handle()));
}

TEST(Toolkit, ClosingAModalFormEndsItWithCancelUnlessCloseQueryRefuses)
{
    Form dialog("Form_Dialog", 200, 100);
    int asked = 0;
    dialog.onCloseQuery = [&] { return ++asked > 1; };
    PostMessageA(dialog.handle(), WM_CLOSE, 0, 0);  // refused
    PostMessageA(dialog.handle(), WM_CLOSE, 0, 0);  // accepted
    EXPECT_EQ(dialog.showModal(), ModalResult::Cancel);
    EXPECT_EQ(asked, 2);
}

TEST(Toolkit, EscapeAndEnterPressTheCancelAndDefaultButtons)
{
    Form dialog("Form_Dialog", 200, 100);
    auto& ok = dialog.add<Button>(dialog, "Button_Ok", Bounds{10, 10, 80, 23}, "Ok");
    auto& cancel = dialog.add<Button>(dialog, "Button_Abbruch", Bounds{100, 10, 80, 23}, "Abbrechen");
    dialog.setDefaultButton(&ok);
    dialog.setCancelButton(&cancel);
    std::string pressed;
    ok.onClick = [&] { pressed += "ok;"; };
    cancel.onClick = [&] { pressed += "cancel;"; };
    SendMessageA(dialog.handle(), WM_COMMAND, IDOK, 0);
    SendMessageA(dialog.handle(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(pressed, "ok;cancel;");
}

// The layout tests measure German texts in Arial. Without a face of Arial's metrics
// (Liberation Sans on Linux) Wine draws "Arial" with a wider face and they fail; this
// says so at once.
TEST(Toolkit, ArialIsDrawnWithArialMetrics)
{
    const std::string report = testing_support::FontReport(ui::ArialFont(11));
    EXPECT_TRUE(report == "Arial" || report == "Arial (drawn with Liberation Sans)") << report;
}

// Every kind of value control counts each time it is set, also to the value it shows,
// and when the user edits it; merely leaving a spin edit is no change.
TEST(Toolkit, ValueControlsCountEverySetting)
{
    ui::Form form("Form", 300, 200);
    auto& box = form.add<ui::CheckBox>(form, "Box", ui::Bounds{8, 8, 100, 17});
    auto& spin = form.add<ui::SpinEdit>(form, "Spin", ui::Bounds{8, 40, 60, 21}, 0, 100);
    const unsigned boxBefore = box.changeCount();
    box.setChecked(false);
    EXPECT_GT(box.changeCount(), boxBefore);
    const unsigned spinBefore = spin.changeCount();
    spin.setValue(spin.value());
    EXPECT_GT(spin.changeCount(), spinBefore);
    const unsigned spinSet = spin.changeCount();
    SendMessageA(form.handle(), WM_COMMAND, MAKEWPARAM(0, EN_KILLFOCUS), reinterpret_cast<LPARAM>(spin.handle()));
    EXPECT_EQ(spin.changeCount(), spinSet);
    SetWindowTextA(spin.handle(), "42");
    EXPECT_GT(spin.changeCount(), spinSet);
}

namespace {

// Holds keys down in the thread's keyboard state, as the user holding Ctrl or Shift would.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys)
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::copy(std::begin(saved_), std::end(saved_), state);
        for (int key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    ~HeldKeys() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256] = {};
};

void PressKey(HWND window, WPARAM key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
    ProcessMessages();
}

}  // namespace

// Ctrl+Tab and Ctrl+Shift+Tab go round the sheets and put the focus on the new sheet;
// F1 presses the help button, or asks the form's help handler where it has none.
TEST(Toolkit, CtrlTabSwitchesSheetsAndF1AsksForHelp)
{
    Form form("Form_K", 400, 300);
    auto& pages = form.add<PageControl>(form, "PageControl1", Bounds{0, 0, 400, 260});
    std::vector<Button*> buttons;
    for (int index = 0; index < 3; ++index) {
        auto& sheet = form.add<TabSheet>(pages, "TabSheet" + std::to_string(index), "Blatt");
        buttons.push_back(&sheet.add<Button>(sheet, "Button" + std::to_string(index), Bounds{8, 8, 80, 23}, "Knopf"));
    }
    auto& help = form.add<Button>(form, "Button_hilfe", Bounds{300, 270, 80, 23}, "Hilfe");
    int helpPressed = 0;
    help.onClick = [&] { ++helpPressed; };
    form.show();
    buttons[0]->setFocus();
    {
        const HeldKeys ctrl{VK_CONTROL};
        PressKey(GetFocus(), VK_TAB);
        EXPECT_EQ(pages.activePageIndex(), 1);
        EXPECT_EQ(GetFocus(), buttons[1]->handle());
    }
    {
        const HeldKeys ctrlShift{VK_CONTROL, VK_SHIFT};
        PressKey(GetFocus(), VK_TAB);
        PressKey(GetFocus(), VK_TAB);
        EXPECT_EQ(pages.activePageIndex(), 2);
    }
    PressKey(GetFocus(), VK_F1);
    EXPECT_EQ(helpPressed, 0);
    int asked = 0;
    form.onHelp = [&] { ++asked; };
    PressKey(GetFocus(), VK_F1);
    EXPECT_EQ(asked, 1);
    form.setHelpButton(&help);
    PressKey(GetFocus(), VK_F1);
    EXPECT_EQ(helpPressed, 1);
    EXPECT_EQ(asked, 1);
    form.hide();
}

TEST(Convert, TrimRemovesBlanksAndControlCharactersAtBothEndsOnly)
{
    const std::pair<const char*, const char*> cases[] = {
        {" no ", "no"}, {"\t c:\\dl \r\n", "c:\\dl"}, {"a b", "a b"}, {"   ", ""}, {"", ""}, {"x", "x"}, {"\xe4 ", "\xe4"},
    };
    for (const auto& [text, trimmed] : cases)
        EXPECT_EQ(Trim(text), trimmed) << text;
}
