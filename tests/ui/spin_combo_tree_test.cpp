// The spin edit and the drop-down list of the tweak pages, and the check-box tree
// as the applet list uses it: tall owner-drawn nodes in a flat list.
#include "ui/application.h"
#include "ui/combobox.h"
#include "ui/form.h"
#include "ui/spinedit.h"
#include "ui/virtual_tree.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace ui;

namespace {

// Sends a notification to the control's parent as Windows does.
void Notify(Control& control, int code)
{
    SendMessageA(GetParent(control.handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control.handle()), code),
                 reinterpret_cast<LPARAM>(control.handle()));
}

HWND ArrowsOf(const SpinEdit& spin)
{
    HWND arrows = GetWindow(GetParent(spin.handle()), GW_CHILD);
    for (; arrows; arrows = GetWindow(arrows, GW_HWNDNEXT))
        if (reinterpret_cast<HWND>(SendMessageA(arrows, UDM_GETBUDDY, 0, 0)) == spin.handle())
            return arrows;
    return nullptr;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

struct SpinForm : Form {
    SpinForm() : Form("Form_Spin", 300, 200)
    {
        spin = &add<SpinEdit>(*this, "SpinEdit_Size", Bounds{10, 10, 80, 21}, 1, 100, 5, 10);
        other = &add<SpinEdit>(*this, "SpinEdit_Other", Bounds{10, 40, 80, 21}, 0, 10);
    }
    SpinEdit* spin;
    SpinEdit* other;
};

}  // namespace

TEST(SpinEdit, HoldsItsNumberWithinTheRange)
{
    SpinForm form;
    EXPECT_EQ(form.spin->value(), 10);
    EXPECT_EQ(form.spin->increment(), 5);
    EXPECT_EQ(form.other->increment(), 1);
    const struct {
        int set;
        int expected;
    } values[] = {{0, 1}, {-7, 1}, {101, 100}, {1, 1}, {100, 100}, {42, 42}};
    for (const auto& c : values) {
        form.spin->setValue(c.set);
        EXPECT_EQ(form.spin->value(), c.expected) << "setValue(" << c.set << ")";
        EXPECT_EQ(form.spin->windowText(), std::to_string(c.expected));
    }
}

TEST(SpinEdit, ReadsTextsThatAreNoNumberInRangeAsTheNearestBoundOrTheMinimum)
{
    SpinForm form;
    const struct {
        const char* text;
        int expected;
    } texts[] = {{"abc", 1}, {"", 1}, {"99999999999", 1}, {"-5", 1}, {"12a", 1}, {"250", 100},
                 {"0", 1}, {" 37 ", 37}, {"007", 7}};
    for (const auto& c : texts) {
        form.spin->setWindowText(c.text);
        EXPECT_EQ(form.spin->value(), c.expected) << '"' << c.text << '"';
        // Leaving the field puts the number read into it.
        Notify(*form.spin, EN_KILLFOCUS);
        EXPECT_EQ(form.spin->windowText(), std::to_string(c.expected)) << '"' << c.text << '"';
    }
}

TEST(SpinEdit, ArrowsStepByTheIncrementWithinTheRangeAndReportTheChange)
{
    SpinForm form;
    int changes = 0;
    form.spin->onChange = [&] { ++changes; };
    SendMessageA(form.spin->handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(form.spin->value(), 15);
    EXPECT_GT(changes, 0);
    form.spin->setValue(98);
    SendMessageA(form.spin->handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(form.spin->value(), 100);
    form.spin->setValue(3);
    SendMessageA(form.spin->handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(form.spin->value(), 1);
}

TEST(SpinEdit, ArrowsLieInTheBoundsAndFollowTheEdit)
{
    auto form = std::make_unique<SpinForm>();
    HWND arrows = ArrowsOf(*form->spin);
    ASSERT_NE(arrows, nullptr);
    const RECT edit = WindowRect(form->spin->handle());
    const RECT arrowRect = WindowRect(arrows);
    POINT origin{0, 0};
    ClientToScreen(form->handle(), &origin);
    EXPECT_EQ(edit.left - origin.x, 10);
    EXPECT_EQ(arrowRect.right - origin.x, 90);  // edit and arrows together are 80 wide
    EXPECT_LT(edit.right - edit.left, 80);

    form->spin->setTop(100);
    EXPECT_EQ(WindowRect(arrows).top - origin.y, 100);
    form->spin->setVisible(false);
    EXPECT_FALSE(IsWindowVisible(arrows) || (GetWindowLongA(arrows, GWL_STYLE) & WS_VISIBLE));
    form->spin->setVisible(true);
    EXPECT_TRUE(GetWindowLongA(arrows, GWL_STYLE) & WS_VISIBLE);
    form->spin->setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(arrows));
    form->spin->setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(arrows));

    // The arrows go with the spin edit, also when its form stays.
    HWND looseArrows = nullptr;
    {
        SpinEdit loose(*form, "SpinEdit_Loose", Bounds{10, 150, 60, 21}, 0, 5);
        looseArrows = ArrowsOf(loose);
        EXPECT_TRUE(IsWindow(looseArrows));
    }
    EXPECT_FALSE(IsWindow(looseArrows));
    form.reset();
    EXPECT_FALSE(IsWindow(arrows));
}

TEST(ComboBox, SelectsOneOfItsItemsOrNone)
{
    Form form("Form_Combo", 300, 200);
    auto& combo = form.add<ComboBox>(form, "ComboBox_Mode", Bounds{10, 10, 150, 21},
                                     std::vector<std::string>{"Aus", "Ein", "Automatisch"});
    EXPECT_EQ(combo.itemCount(), 3);
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"Aus", "Ein", "Automatisch"}));  // in the given order
    EXPECT_EQ(combo.itemIndex(), -1);
    EXPECT_EQ(combo.text(), "");
    combo.setItemIndex(2);
    EXPECT_EQ(combo.itemIndex(), 2);
    EXPECT_EQ(combo.text(), "Automatisch");
    for (int outside : {3, -1, -5}) {
        combo.setItemIndex(1);
        combo.setItemIndex(outside);
        EXPECT_EQ(combo.itemIndex(), -1) << outside;
        EXPECT_EQ(combo.text(), "");
    }
    combo.setItemIndex(0);
    combo.setItems({"Klein", "Groß"});
    EXPECT_EQ(combo.itemIndex(), -1);
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"Klein", "Groß"}));
    combo.setItems({});
    EXPECT_EQ(combo.itemCount(), 0);
}

TEST(ComboBox, ReportsTheUsersChoice)
{
    Form form("Form_Combo", 300, 200);
    auto& combo = form.add<ComboBox>(form, "ComboBox_Mode", Bounds{10, 10, 150, 21}, std::vector<std::string>{"a", "b"});
    std::string chosen;
    combo.onChange = [&] { chosen = combo.text(); };
    combo.setItemIndex(0);
    EXPECT_EQ(chosen, "");  // setting the index in code is no choice of the user
    SendMessageA(combo.handle(), CB_SETCURSEL, 1, 0);
    Notify(combo, CBN_SELCHANGE);
    EXPECT_EQ(chosen, "b");
}

TEST(ComboBox, IsAsHighAsItsBoundsAndKeepsRoomForTheListWhenResized)
{
    Form form("Form_Combo", 300, 300);
    auto& combo = form.add<ComboBox>(form, "ComboBox_Mode", Bounds{10, 10, 150, 24},
                                     std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"});
    const auto listHeight = [&] {
        RECT dropped{};
        SendMessageA(combo.handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        return dropped.bottom - dropped.top;
    };
    EXPECT_EQ(combo.height(), 24);
    EXPECT_GE(listHeight(), 150);
    combo.setBounds(Bounds{20, 30, 120, 24});
    EXPECT_EQ(combo.left(), 20);
    EXPECT_EQ(combo.width(), 120);
    EXPECT_EQ(combo.height(), 24);
    EXPECT_GE(listHeight(), 150);
    combo.setTop(40);
    EXPECT_EQ(combo.height(), 24);
    EXPECT_GE(listHeight(), 150);
}

namespace {

struct AppletRecord {
    std::string fileName;
    IconHandle icon;
};

struct TreeForm : Form {
    TreeForm() : Form("Form_Tree", 300, 200)
    {
        tree = &add<VirtualTree>(*this, "VirtualStringTree1", Bounds{0, 0, 300, 200});
    }
    VirtualTree* tree;
};

}  // namespace

TEST(VirtualTree, FlatListOfTallNodesKeepsCheckStatesAndRecords)
{
    TreeForm form;
    VirtualTree& tree = *form.tree;
    EXPECT_FALSE(tree.flatList());
    tree.setFlatList(true);
    tree.setNodeHeight(48);
    EXPECT_TRUE(tree.flatList());
    EXPECT_EQ(tree.nodeHeight(), 48);
    EXPECT_EQ(GetWindowLongA(tree.handle(), GWL_STYLE) & (TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT), 0);

    auto record = std::make_shared<AppletRecord>(AppletRecord{"desk.cpl", IconHandle(LoadIconA(nullptr, IDI_APPLICATION))});
    record->icon.release();  // a shared system icon, not ours to destroy
    std::weak_ptr<AppletRecord> watch = record;
    TreeNode desk = tree.addNode(nullptr, "Anzeige", std::move(record), CheckType::CheckBox, CheckState::Checked);
    TreeNode mouse = tree.addNode(nullptr, "Maus", {}, CheckType::CheckBox, CheckState::Unchecked);
    tree.setCheckState(mouse, CheckState::Checked);
    tree.setCheckState(desk, CheckState::Unchecked);
    EXPECT_EQ(tree.checkState(mouse), CheckState::Checked);
    EXPECT_EQ(tree.checkState(desk), CheckState::Unchecked);
    auto* stored = tree.recordAs<std::shared_ptr<AppletRecord>>(desk);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ((*stored)->fileName, "desk.cpl");

    tree.clear();
    EXPECT_EQ(tree.nodeCount(), 0);
    EXPECT_TRUE(watch.expired());  // clearing lets go of the records
    tree.setFlatList(false);
    EXPECT_FALSE(tree.flatList());
}

TEST(VirtualTree, DrawsNodeContentRightOfTheCheckBox)
{
    TreeForm form;
    VirtualTree& tree = *form.tree;
    tree.setFlatList(true);
    tree.setNodeHeight(48);
    tree.addNode(nullptr, "Anzeige", {}, CheckType::CheckBox, CheckState::Checked);
    TreeNode second = tree.addNode(nullptr, "Maus", {}, CheckType::CheckBox, CheckState::Unchecked);
    struct Drawn {
        TreeNode node;
        RECT content;
        COLORREF textColor;
    };
    std::vector<Drawn> drawn;
    const COLORREF mark = RGB(0, 200, 0);
    tree.onDrawNode = [&](HDC dc, TreeNode node, const RECT& content) {
        drawn.push_back({node, content, GetTextColor(dc)});
        RECT spot{content.left + 40, content.top + 10, content.left + 50, content.top + 20};
        GdiObject brush(CreateSolidBrush(mark));
        FillRect(dc, &spot, static_cast<HBRUSH>(brush.get()));
    };
    TreeView_SelectItem(tree.handle(), second);
    form.show();
    tree.setFocus();
    InvalidateRect(tree.handle(), nullptr, TRUE);
    UpdateWindow(tree.handle());
    ProcessMessages();

    ASSERT_GE(drawn.size(), 2u);
    for (const Drawn& d : drawn) {
        RECT row{};
        std::memcpy(&row, &d.node, sizeof(d.node));
        SendMessageA(tree.handle(), TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&row));
        EXPECT_EQ(d.content.top, row.top);
        EXPECT_EQ(d.content.bottom, row.bottom);
        EXPECT_GE(d.content.left, 16);  // the check box lies left of the content
        EXPECT_EQ(d.content.right, tree.clientWidth());
        const bool selected = d.node == second;
        EXPECT_EQ(d.textColor, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        EXPECT_EQ(d.content.top, selected ? 48 : 0);
    }
    // What the handler drew stays on the screen.
    WindowDC screen(tree.handle());
    const RECT& content = drawn.front().content;
    EXPECT_EQ(GetPixel(screen.get(), content.left + 45, content.top + 15), mark);
    form.hide();
}
