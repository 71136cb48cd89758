// Every window used with the keyboard alone, by posted key messages as a user's keys
// arrive: Tab walks every control in reading order, Enter presses the default button,
// Escape the cancel button (or closes the window), Ctrl+Tab and Ctrl+Shift+Tab go round
// the sheets, Alt with an accelerator letter reaches its control, and F1 opens the
// window's help topic, in German and in English.
#include "every_window_fixture.h"
#include "search_fixture.h"
#include "app/main_window.h"
#include "app/search_box.h"
#include "harness/modal_driver.h"
#include "ui/application.h"
#include "ui/control_marker.h"
#include "ui/controls.h"
#include "ui/menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <tuple>

using every_window::EveryWindowTest;
using every_window::Languages;
using every_window::OpenWindow;
using every_window::Windows;

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

HWND Focus()
{
    return GetFocus();
}

void PressKey(WPARAM key)
{
    HWND target = Focus();
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    ui::ProcessMessages();
}

// Alt and a letter: the character message the system makes of them.
void PressAltWith(char letter)
{
    PostMessageA(Focus(), WM_SYSCHAR, static_cast<WPARAM>(static_cast<unsigned char>(letter)), 1 << 29);
    ui::ProcessMessages();
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string NameOf(HWND window)
{
    if (auto* control = ui::Control::fromHandle(window))
        return control->name();
    return ClassOf(window);
}

RECT ScreenRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool Shown(HWND window)
{
    return IsWindowVisible(window) && IsWindowEnabled(window);
}

// The accelerator letter of a caption, lower case; 0 when it has none.
char Mnemonic(const std::string& caption)
{
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != '&')
            continue;
        if (caption[at + 1] == '&') {
            ++at;
            continue;
        }
        if (caption[at + 1] != ' ')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[at + 1])));
    }
    return 0;
}

// The control of the window (or the window itself) that Enter reaches as a user would
// type it: the first control Tab stops at that is not a push button.
HWND TypingPlace(const ui::Form& form)
{
    HWND first = GetNextDlgTabItem(form.handle(), nullptr, FALSE);
    for (HWND item = first; item;) {
        const LRESULT code = SendMessageA(item, WM_GETDLGCODE, 0, 0);
        if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && !(code & DLGC_WANTALLKEYS))
            return item;
        item = GetNextDlgTabItem(form.handle(), item, FALSE);
        if (item == first)
            break;
    }
    return form.handle();
}

// The control that holds the focus: the edit inside a combo box counts as the box.
HWND FocusedControl()
{
    HWND focus = Focus();
    if (HWND parent = GetParent(focus); parent && ClassOf(parent) == "ComboBox")
        return parent;
    return focus;
}

// The windows that hold the focus one after the other when Tab is pressed, from the
// first control of the window round to it again.
std::vector<HWND> TabCycle(const ui::Form& form)
{
    std::vector<HWND> cycle;
    HWND first = GetNextDlgTabItem(form.handle(), nullptr, FALSE);
    if (!first)
        return cycle;
    SetFocus(first);
    cycle.push_back(FocusedControl());
    for (int step = 0; step < 400; ++step) {
        PressKey(VK_TAB);
        HWND now = FocusedControl();
        if (now == cycle.front() || std::find(cycle.begin(), cycle.end(), now) != cycle.end())
            break;
        cycle.push_back(now);
    }
    return cycle;
}

// The child of `ancestor` that holds `window` (or is it).
HWND ChildHolding(HWND ancestor, HWND window)
{
    while (window && GetParent(window) != ancestor)
        window = GetParent(window);
    return window;
}

HWND CommonAncestor(HWND first, HWND second)
{
    for (HWND ancestor = GetParent(first); ancestor; ancestor = GetParent(ancestor))
        if (IsChild(ancestor, second))
            return ancestor;
    return nullptr;
}

// Reading order: the second lies below the first, in a column to its right, or further
// right on the same row. What holds both is compared by the children that hold each.
std::string ReadingOrderFault(HWND from, HWND to)
{
    if (IsChild(from, to))
        return {};  // a container (the tabs) before what it holds
    const HWND ancestor = CommonAncestor(from, to);
    const RECT a = ScreenRect(ancestor ? ChildHolding(ancestor, from) : from);
    const RECT b = ScreenRect(ancestor ? ChildHolding(ancestor, to) : to);
    constexpr int kSameRow = 6;
    const bool sameRow = std::abs(b.top - a.top) <= kSameRow;
    if (sameRow && b.left < a.left)
        return "goes back left on its row";
    if (!sameRow && b.top < a.top && b.left < a.right - kSameRow)
        return "goes back up";
    return {};
}

// Whether a radio button's group (its siblings from the last WS_GROUP on) has a
// member in the cycle.
bool GroupReached(HWND radio, const std::vector<HWND>& cycle)
{
    HWND first = radio;
    while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP) && GetWindow(first, GW_HWNDPREV))
        first = GetWindow(first, GW_HWNDPREV);
    for (HWND member = first; member; member = GetWindow(member, GW_HWNDNEXT)) {
        if (member != first && (GetWindowLongA(member, GWL_STYLE) & WS_GROUP))
            break;
        if (std::find(cycle.begin(), cycle.end(), member) != cycle.end())
            return true;
    }
    return false;
}

bool IsRadio(HWND window)
{
    const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return ClassOf(window) == "Button" && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
}

// Every descendant that the user sees and can use.
std::vector<HWND> ShownDescendants(HWND window)
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!Shown(child))
            continue;
        found.push_back(child);
        const auto inner = ShownDescendants(child);
        found.insert(found.end(), inner.begin(), inner.end());
    }
    return found;
}

}  // namespace

class KeyboardTest : public EveryWindowTest, public testing::WithParamInterface<std::tuple<int, int>> {
protected:
    const every_window::Language& language() const { return Languages()[std::get<0>(GetParam())]; }
    const every_window::WindowCase& window() const { return Windows()[std::get<1>(GetParam())]; }

    OpenWindow show()
    {
        useLanguage(language());
        OpenWindow opened = open(window());
        opened->show();
        ui::ProcessMessages();
        return opened;
    }

    // Runs check on the window once per sheet of its first page control (once when it has none).
    void onEverySheet(ui::Form& form, const std::function<void(const std::string&)>& check)
    {
        const auto pageControls = every_window::PageControls(form);
        if (pageControls.empty()) {
            check("the window");
            return;
        }
        ui::PageControl& pages = *pageControls.front();
        for (int sheet = 0; sheet < pages.pageCount(); ++sheet) {
            pages.setActivePageIndex(sheet);
            ui::ProcessMessages();
            check(pages.name() + " sheet " + std::to_string(sheet + 1));
        }
    }
};

TEST_P(KeyboardTest, TabReachesEveryControlInReadingOrder)
{
    auto opened = show();
    onEverySheet(*opened, [&](const std::string& where) {
        SCOPED_TRACE(where);
        const std::vector<HWND> cycle = TabCycle(*opened);
        for (std::size_t step = 1; step < cycle.size(); ++step) {
            const std::string fault = ReadingOrderFault(cycle[step - 1], cycle[step]);
            EXPECT_EQ(fault, "") << "Tab from " << NameOf(cycle[step - 1]) << " to " << NameOf(cycle[step]);
        }
        for (HWND control : ShownDescendants(opened->handle())) {
            const auto style = GetWindowLongA(control, GWL_STYLE);
            if (IsRadio(control)) {
                EXPECT_TRUE(GroupReached(control, cycle)) << "Tab reaches no radio button of the group of "
                                                          << NameOf(control);
            } else if ((style & WS_TABSTOP) && !(GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) {
                // (a container such as the tab strip is walked into, not stopped at)
                EXPECT_NE(std::find(cycle.begin(), cycle.end(), control), cycle.end())
                    << "Tab never reaches " << NameOf(control);
            }
        }
    });
    opened->hide();
}

TEST_P(KeyboardTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton)
{
    auto opened = show();
    std::map<std::string, int> pressed;
    for (const std::string& name : {window().enterPresses, window().escapePresses})
        if (!name.empty())
            opened->find<ui::Button>(name).onClick = [&pressed, name] { ++pressed[name]; };

    SetFocus(TypingPlace(*opened));
    PressKey(VK_RETURN);
    if (window().enterPresses.empty()) {
        EXPECT_TRUE(pressed.empty()) << "Enter in " << NameOf(Focus()) << " pressed a button";
        EXPECT_TRUE(IsWindowVisible(opened->handle())) << "Enter closed a window without a default button";
    } else {
        EXPECT_EQ(pressed, (std::map<std::string, int>{{window().enterPresses, 1}})) << "Enter in " << NameOf(Focus());
    }

    pressed.clear();
    SetFocus(TypingPlace(*opened));
    PressKey(VK_ESCAPE);
    if (window().escapePresses.empty())
        EXPECT_FALSE(IsWindowVisible(opened->handle())) << "Escape did not close the window";
    else
        EXPECT_EQ(pressed, (std::map<std::string, int>{{window().escapePresses, 1}})) << "Escape in " << NameOf(Focus());
    opened->hide();
}

TEST_P(KeyboardTest, CtrlTabAndCtrlShiftTabGoRoundTheSheets)
{
    auto opened = show();
    const auto pageControls = every_window::PageControls(*opened);
    if (pageControls.empty() || pageControls.front()->pageCount() < 2) {
        opened->hide();
        return;  // a window of one sheet has nothing to switch
    }
    ui::PageControl& pages = *pageControls.front();
    const int count = pages.pageCount();
    SetFocus(GetNextDlgTabItem(opened->handle(), nullptr, FALSE));
    {
        const HeldKeys ctrl{VK_CONTROL};
        for (int step = 1; step <= count; ++step) {
            PressKey(VK_TAB);
            EXPECT_EQ(pages.activePageIndex(), step % count) << "after " << step << " Ctrl+Tab";
            EXPECT_TRUE(IsChild(opened->handle(), Focus())) << "the focus left the window";
        }
    }
    {
        const HeldKeys ctrlShift{VK_CONTROL, VK_SHIFT};
        PressKey(VK_TAB);
        EXPECT_EQ(pages.activePageIndex(), count - 1);
    }
    opened->hide();
}

// Each accelerator letter is used once among the controls the user sees together, and
// Alt with it presses the button, ticks the box or chooses the radio button, or puts the
// focus on the field that a label names.
TEST_P(KeyboardTest, AcceleratorLettersAreUniqueAndReachTheirControls)
{
    auto opened = show();
    onEverySheet(*opened, [&](const std::string& where) {
        SCOPED_TRACE(where);
        std::map<char, std::string> taken;
        std::vector<std::pair<char, HWND>> accelerated;
        for (HWND control : ShownDescendants(opened->handle())) {
            auto* component = ui::Control::fromHandle(control);
            if (!component || !component->hasCaption() || dynamic_cast<ui::GroupBox*>(component))
                continue;
            const char letter = Mnemonic(component->caption());
            if (!letter)
                continue;
            const auto [place, fresh] = taken.emplace(letter, component->name());
            EXPECT_TRUE(fresh) << "'" << letter << "' marks both " << place->second << " and " << component->name();
            accelerated.emplace_back(letter, control);
        }
        for (const auto& [letter, control] : accelerated) {
            auto* component = ui::Control::fromHandle(control);
            SetFocus(TypingPlace(*opened));
            if (auto* button = dynamic_cast<ui::Button*>(component)) {
                int pressed = 0;
                const auto original = button->onClick;
                button->onClick = [&] { ++pressed; };
                PressAltWith(letter);
                button->onClick = original;
                EXPECT_EQ(pressed, 1) << "Alt+" << letter << " does not press " << button->name();
            } else if (auto* box = dynamic_cast<ui::CheckableButton*>(component)) {
                const bool before = box->checked();
                PressAltWith(letter);
                EXPECT_TRUE(box->checked() != before || IsRadio(control)) << "Alt+" << letter << " leaves " << box->name();
                EXPECT_EQ(Focus(), control) << "Alt+" << letter << " does not reach " << box->name();
            } else {
                PressAltWith(letter);
                EXPECT_NE(Focus(), control);
                EXPECT_TRUE(IsChild(opened->handle(), Focus())) << "Alt+" << letter << " after " << component->name();
            }
        }
    });
    // The menus: each letter once per menu.
    if (HMENU bar = GetMenu(opened->handle())) {
        std::function<void(HMENU, const std::string&)> checkMenu = [&](HMENU menu, const std::string& where) {
            std::set<char> letters;
            for (int item = 0; item < GetMenuItemCount(menu); ++item) {
                char text[256] = {};
                GetMenuStringA(menu, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION);
                if (const char letter = Mnemonic(text)) {
                    EXPECT_TRUE(letters.insert(letter).second) << where << ": '" << letter << "' twice, at " << text;
                }
                if (HMENU popup = GetSubMenu(menu, item))
                    checkMenu(popup, text);
            }
        };
        checkMenu(bar, "the menu bar");
    }
    opened->hide();
}

// F1 shows the window's topic, on each sheet the sheet's where it has one per sheet.
TEST_P(KeyboardTest, F1OpensTheHelpTopicOfTheWindow)
{
    auto opened = show();
    const auto& topics = window().helpTopics;
    const auto pageControls = every_window::PageControls(*opened);
    const int sheets = topics.size() > 1 ? pageControls.front()->pageCount() : 1;
    ASSERT_TRUE(topics.size() <= 1 || static_cast<int>(topics.size()) == sheets);
    for (int sheet = 0; sheet < sheets; ++sheet) {
        if (topics.size() > 1)
            pageControls.front()->setActivePageIndex(sheet);
        SetFocus(TypingPlace(*opened));
        const std::size_t before = help.locations().size();
        PressKey(VK_F1);
        if (topics.empty()) {
            EXPECT_EQ(help.locations().size(), before) << "F1 asked for help in a window without any";
            continue;
        }
        ASSERT_EQ(help.locations().size(), before + 1) << "F1 showed no help on sheet " << sheet + 1;
        const std::string& location = help.locations().back();
        const std::string expected = "::/" + topics[topics.size() > 1 ? sheet : 0] + ".htm";
        EXPECT_EQ(location.substr(location.size() - std::min(location.size(), expected.size())), expected) << location;
    }
    opened->hide();
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, KeyboardTest,
                         testing::Combine(testing::Range(0, static_cast<int>(Languages().size())),
                                          testing::Range(0, static_cast<int>(Windows().size()))),
                         [](const testing::TestParamInfo<std::tuple<int, int>>& info) {
                             return std::string(Languages()[std::get<0>(info.param)].name) + "_" +
                                    every_window::CaseName(Windows()[std::get<1>(info.param)]);
                         });

// The main window's search with the keyboard alone: Ctrl+F reaches the field, typing
// shows the matches, Down and Up choose one, Enter opens it on its control, and Escape
// closes the list and then empties the field, leaving the window open.
class SearchKeyboardTest : public search_testing::SearchTest, public testing::WithParamInterface<int> {};

TEST_P(SearchKeyboardTest, CtrlFTypingDownEnterAndEscape)
{
    useSearchLanguage(Languages()[static_cast<std::size_t>(GetParam())]);
    app::TForm1 window;
    app::Form1 = &window;
    language::LocalizeComponent(window);
    window.show();
    ui::ProcessMessages();
    app::SearchBox& search = window.search();
    SetFocus(window.handle());
    {
        const HeldKeys ctrl{VK_CONTROL};
        PressKey('F');
    }
    ASSERT_EQ(Focus(), search.field().handle()) << "Ctrl+F does not reach the search field";

    // The caption of "show the clock", typed.
    const app::SearchEntry* clock = entryFor(6, "CheckBox_HideClock");
    ASSERT_NE(clock, nullptr);
    const std::string query = app::FoldForSearch(clock->caption).substr(0, 5);
    for (const char character : query) {
        PostMessageA(Focus(), WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(character)), 1);
        ui::ProcessMessages();
    }
    EXPECT_EQ(search.field().text(), query);
    ASSERT_TRUE(search.listOpen()) << "typing \"" << query << "\" shows no matches";
    ASSERT_GE(search.matches().size(), 2u) << query;
    EXPECT_EQ(search.list().selected(), 0);
    PressKey(VK_DOWN);
    EXPECT_EQ(search.list().selected(), 1);
    PressKey(VK_DOWN);
    PressKey(VK_UP);
    EXPECT_EQ(search.list().selected(), 1);
    EXPECT_EQ(Focus(), search.field().handle()) << "the list took the focus";

    const app::SearchEntry chosen = *search.entryOf(search.matches()[1]);
    std::string marked;
    testing_support::WhenModal([&] {
        auto* control = ui::Control::fromHandle(ui::MarkedWindow());
        marked = control ? control->name() : "?";
        PressKey(VK_ESCAPE);  // "Abbrechen" of the page
    });
    PressKey(VK_RETURN);
    EXPECT_EQ(marked, chosen.control) << "Enter did not open the chosen match";
    EXPECT_TRUE(IsWindowVisible(window.handle()));
    EXPECT_EQ(Focus(), search.field().handle()) << "the focus did not come back to the field";
    EXPECT_FALSE(search.listOpen());

    PressKey(VK_DOWN);
    EXPECT_TRUE(search.listOpen()) << "Down does not show the matches again";
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(search.listOpen()) << "Escape leaves the list open";
    EXPECT_EQ(search.field().text(), query);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(search.field().text(), "") << "the second Escape leaves the query";
    EXPECT_TRUE(IsWindowVisible(window.handle())) << "Escape in the search closed the window";
    window.hide();
    app::Form1 = nullptr;
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, SearchKeyboardTest, testing::Range(0, static_cast<int>(Languages().size())),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(Languages()[static_cast<std::size_t>(info.param)].name);
                         });
