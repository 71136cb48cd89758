// The options page: the general options it loads at creation and saves at every
// close, its help topics, and a layout in which nothing is clipped or covered.
#include "password_fixture.h"

#include "harness/help_seam.h"
#include "harness/layout_check.h"
#include "password/options_form.h"
#include "password/password_form.h"
#include "ui/controls.h"
#include "ui/pagecontrol.h"

#include <gtest/gtest.h>

#include <functional>

using password::kOptionsKey;
using password::TForm_Options;

namespace {

const char* const kOptionNames[] = {"ENDMESSAGE", "CPU", "SAVE_CLEANUP"};

std::optional<int> StoredOption(const char* name)
{
    const auto raw = ReadRawValue(HKEY_LOCAL_MACHINE, kOptionsKey, name);
    if (!raw || raw->type != REG_DWORD || raw->data.size() != 4)
        return std::nullopt;
    return static_cast<int>(raw->data[0] | raw->data[1] << 8 | raw->data[2] << 16 | raw->data[3] << 24);
}

void StoreOption(const char* name, int value)
{
    WriteRawValue(HKEY_LOCAL_MACHINE, kOptionsKey, name, REG_DWORD,
                  {static_cast<BYTE>(value), 0, 0, 0});
}

class OptionsPageTest : public PasswordTest {
protected:
    void TearDown() override
    {
        page.reset();
        PasswordTest::TearDown();
    }
    TForm_Options& create()
    {
        page.emplace();
        return *page;
    }
    std::vector<bool> checks() const
    {
        return {page->CheckBox_END().checked(), page->CheckBox_CPU().checked(),
                page->CheckBox_SAVE_CLEANUP().checked()};
    }
    std::vector<std::optional<int>> stored() const
    {
        return {StoredOption("ENDMESSAGE"), StoredOption("CPU"), StoredOption("SAVE_CLEANUP")};
    }

    std::optional<TForm_Options> page;
};

}  // namespace

TEST_F(OptionsPageTest, TheFirstRunShowsTheDesignedOptionsAndClosingStoresThem)
{
    create();
    EXPECT_EQ(page->caption(), "Einstellungen zu dieser Software");
    EXPECT_EQ(page->PageControl1().activePageIndex(), 0);
    EXPECT_EQ(checks(), (std::vector<bool>{true, false, true}));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kOptionsKey));  // creating writes nothing
    page->find<ui::Button>("Button_Apply").click();
    EXPECT_EQ(stored(), (std::vector<std::optional<int>>{1, 0, 1}));
}

TEST_F(OptionsPageTest, StoredOptionsReplaceTheDesignedStateAndMissingOnesKeepIt)
{
    StoreOption("ENDMESSAGE", 0);
    StoreOption("CPU", 1);
    create();
    EXPECT_EQ(checks(), (std::vector<bool>{false, true, true}));
}

TEST_F(OptionsPageTest, EveryWayOfClosingSavesTheOptions)
{
    struct Way {
        const char* what;
        std::function<void(TForm_Options&)> close;
    };
    const Way ways[] = {
        {"Ok", [](TForm_Options& form) { form.find<ui::Button>("Button_Apply").click(); }},
        {"close box", [](TForm_Options& form) { SendMessageA(form.handle(), WM_CLOSE, 0, 0); }},
        {"Escape", [](TForm_Options& form) { SendMessageA(form.handle(), WM_COMMAND, IDCANCEL, 0); }},
    };
    create();
    bool state = false;
    for (const Way& way : ways) {
        page->show();
        page->CheckBox_END().setChecked(state);
        page->CheckBox_CPU().setChecked(!state);
        page->CheckBox_SAVE_CLEANUP().setChecked(state);
        way.close(*page);
        EXPECT_FALSE(page->visible()) << way.what;
        const int on = state ? 1 : 0;
        EXPECT_EQ(stored(), (std::vector<std::optional<int>>{on, 1 - on, on})) << way.what;
        state = !state;
    }
}

TEST_F(OptionsPageTest, AModalShowingEndsWithOkAndSaves)
{
    create();
    PostMessageA(page->handle(), WM_COMMAND, IDOK, 0);
    page->showModal();
    EXPECT_EQ(stored(), (std::vector<std::optional<int>>{1, 0, 1}));
}

TEST_F(OptionsPageTest, ARefusedSaveShowsTheWriteErrorAndTheOptionsStayAsSet)
{
    create();
    page->CheckBox_CPU().setChecked(true);
    makeReadOnly(HKEY_LOCAL_MACHINE);
    page->find<ui::Button>("Button_Apply").click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "Fehler beim Setzen der Daten für 'ENDMESSAGE'");
    EXPECT_EQ(checks(), (std::vector<bool>{true, true, true}));
}

TEST_F(OptionsPageTest, HelpShowsTheTopicOfTheActiveSheet)
{
    testing_support::RecordedHelp help;
    create();
    auto& button = page->find<ui::Button>("Button_hilfe");
    button.click();
    page->PageControl1().setActivePageIndex(1);
    button.click();
    page->PageControl1().setActivePageIndex(0);
    button.click();
    EXPECT_EQ(help.locations(), (std::vector<std::string>{ui::HelpLocation(ui::HelpFilePath, "passwort"),
                                                          ui::HelpLocation(ui::HelpFilePath, "optionen"),
                                                          ui::HelpLocation(ui::HelpFilePath, "passwort")}));
}

TEST_F(OptionsPageTest, ShowingAgainKeepsTheSheetAndTheEntries)
{
    create();
    page->show();
    page->Edit1().setText("halb");
    page->PageControl1().setActivePageIndex(1);
    page->close();
    page->show();
    EXPECT_EQ(page->PageControl1().activePageIndex(), 1);
    EXPECT_EQ(page->Edit1().text(), "halb");
    page->close();
}

// --- Layout ------------------------------------------------------------------------

namespace {

RECT ScreenRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

POINT OnSheet(const ui::Control& control, const ui::Control& sheet)
{
    RECT rect = ScreenRect(control.handle());
    MapWindowPoints(nullptr, sheet.handle(), reinterpret_cast<POINT*>(&rect), 2);
    return POINT{rect.left, rect.top};
}

}  // namespace

TEST_F(OptionsPageTest, NothingIsClippedOrCoveredAndTheEntriesLieWhereDesigned)
{
    create();
    EXPECT_EQ(page->clientWidth(), 660);
    EXPECT_EQ(page->clientHeight(), 540);
    testing_support::ExpectNothingClippedOrCovered(page->handle());
    const auto& sheet = page->find<ui::TabSheet>("TabSheet1");
    struct Place {
        const char* name;
        LONG left;
        LONG top;
    };
    for (const Place& place : {Place{"Edit1", 256, 128}, Place{"Edit2", 256, 164}, Place{"Button_PasswortDELETE", 352, 212},
                               Place{"Button_PasswortSET", 484, 212}}) {
        const POINT at = OnSheet(page->find<ui::Control>(place.name), sheet);
        EXPECT_EQ(at.x, place.left) << place.name;
        EXPECT_EQ(at.y, place.top) << place.name;
    }
}

TEST_F(OptionsPageTest, ThePasswordDialogClipsAndCoversNothingButItsPicture)
{
    password::TForm_Passwort dialog;
    testing_support::ExpectNothingClippedOrCovered(dialog.handle(), {"Image1"});
}
