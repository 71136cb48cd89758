// Check boxes bound to registry flags, and the measurements of lists and trees.
#include "harness/registry_sandbox.h"
#include "registry/control_binding.h"
#include "registry/registry.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/errors.h"
#include "ui/fonts.h"
#include "ui/form.h"
#include "ui/virtual_tree.h"

#include <gtest/gtest.h>

using namespace registry;

namespace {

const std::string kKey = "Software\\Velmora Test\\Flags";

class CheckBindingTest : public RegistrySandbox {
protected:
    ui::Form form{"Form_Test", 200, 100};
    ui::CheckBox& box = form.add<ui::CheckBox>(form, "CheckBox_Flag", ui::Bounds{0, 0, 150, 17}, "Flag");
    int clicks = 0;
    void SetUp() override
    {
        RegistrySandbox::SetUp();
        box.onClick = [this] { ++clicks; };
    }
};

}  // namespace

TEST_F(CheckBindingTest, TheBoxIsCheckedExactlyWhenTheValueReadsAsOne)
{
    struct Case {
        const char* what;
        std::function<void()> store;
        bool checked;
    };
    const Case cases[] = {
        {"DWORD 1", [] { RegWriteInt(HKCU, kKey, "Flag", 1); }, true},
        {"DWORD 2", [] { RegWriteInt(HKCU, kKey, "Flag", 2); }, false},
        {"DWORD 0", [] { RegWriteInt(HKCU, kKey, "Flag", 0); }, false},
        {"string 1", [] { RegWriteText(HKCU, kKey, "Flag", "1"); }, true},
        {"missing value", [] { RegValueRemove(HKCU, kKey, "Flag"); }, false},
        {"missing key", [] { RegKeyRemove(HKCU, kKey); }, false},
    };
    for (const Case& c : cases) {
        box.setChecked(true);
        c.store();
        helpers::LoadCheckFlag(box, HKCU, kKey, "Flag");
        EXPECT_EQ(box.checked(), c.checked) << c.what;
    }
}

TEST_F(CheckBindingTest, LoadingRunsTheClickHandlerLikeAUserClick)
{
    RegWriteInt(HKCU, kKey, "Flag", 1);
    helpers::LoadCheckFlag(box, HKCU, kKey, "Flag");
    EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBindingTest, AStoredTextThatIsNoNumberRaisesTheConversionError)
{
    RegWriteText(HKCU, kKey, "Flag", "ja");
    EXPECT_EQ(RaisedText([&] { helpers::LoadCheckFlag(box, HKCU, kKey, "Flag"); }),
              "'ja' ist kein gültiger Integerwert");
}

TEST_F(CheckBindingTest, IfPresentKeepsTheDesignedStateWhenNoValueBeginsWithTheName)
{
    box.setChecked(true);
    helpers::LoadCheckFlagIfPresent(box, HKCU, kKey, "Flag");
    EXPECT_TRUE(box.checked());
    RegWriteInt(HKCU, kKey, "FlagOther", 1);  // a value that begins with the name counts
    helpers::LoadCheckFlagIfPresent(box, HKCU, kKey, "Flag");
    EXPECT_FALSE(box.checked());  // the exact value is missing, so it reads as not 1
    RegWriteInt(HKCU, kKey, "Flag", 1);
    helpers::LoadCheckFlagIfPresent(box, HKCU, kKey, "Flag");
    EXPECT_TRUE(box.checked());
}

TEST_F(CheckBindingTest, SavingCreatesTheKeyAndWritesADwordZeroOrOne)
{
    RegWriteText(HKCU, kKey, "Flag", "alt");
    box.setChecked(true);
    helpers::SaveCheckFlag(box, HKCU, kKey, "Flag");
    EXPECT_EQ(RegValueKind(HKCU, kKey, "Flag"), RegDataKind::Integer);
    EXPECT_EQ(RegReadInt(HKCU, kKey, "Flag"), 1);
    box.setChecked(false);
    helpers::SaveCheckFlag(box, HKLM, "SOFTWARE\\New\\Path", "Flag");
    EXPECT_EQ(RegValueKind(HKLM, "SOFTWARE\\New\\Path", "Flag"), RegDataKind::Integer);
    EXPECT_EQ(RegReadInt(HKLM, "SOFTWARE\\New\\Path", "Flag"), 0);
}

TEST_F(CheckBindingTest, SavingWithoutRightsRaisesTheWriteError)
{
    RegWriteInt(HKLM, "SOFTWARE\\Locked", "Flag", 0);
    makeReadOnly(HKLM);
    box.setChecked(true);
    EXPECT_EQ(RaisedText([&] { helpers::SaveCheckFlag(box, HKLM, "SOFTWARE\\Locked", "Flag"); }),
              "Fehler beim Setzen der Daten für 'Flag'");
    EXPECT_EQ(RegReadInt(HKLM, "SOFTWARE\\Locked", "Flag"), 0);
}

TEST(ListMeasures, MaxTextWidthIsTheWidestLineInTheCanvasFont)
{
    ui::MeasuringCanvas measuring(ui::DefaultFont());
    ui::Canvas& canvas = measuring.canvas();
    EXPECT_EQ(helpers::MaxTextWidth({}, canvas), 0);
    const int wide = canvas.textWidth("C:\\Programme\\Ein langer Name\\start.exe");
    EXPECT_EQ(helpers::MaxTextWidth({"kurz", "C:\\Programme\\Ein langer Name\\start.exe", "mittel lang"}, canvas), wide);
    EXPECT_GT(wide, canvas.textWidth("kurz"));
}

TEST(ListMeasures, CountCheckedNodesCountsPlainlyCheckedBoxesAtAllLevels)
{
    ui::Form form("Form_Tree", 300, 200);
    auto& tree = form.add<ui::VirtualTree>(form, "VirtualStringTree1", ui::Bounds{0, 0, 300, 200});
    EXPECT_EQ(helpers::CountCheckedNodes(tree), 0);
    using ui::CheckState;
    using ui::CheckType;
    auto top = tree.addNode(nullptr, "Ordner", {}, CheckType::CheckBox, CheckState::Mixed);
    tree.addNode(top, "a.tmp", {}, CheckType::CheckBox, CheckState::Checked);
    auto deep = tree.addNode(top, "Unterordner", {}, CheckType::None, CheckState::Checked);
    tree.addNode(deep, "b.tmp", {}, CheckType::CheckBox, CheckState::Checked);
    tree.addNode(deep, "c.tmp", {}, CheckType::CheckBox, CheckState::Unchecked);
    tree.addNode(nullptr, "d.tmp", {}, CheckType::CheckBox, CheckState::Checked);
    // The mixed node and the node without a box do not count.
    EXPECT_EQ(helpers::CountCheckedNodes(tree), 3);
    tree.setCheckState(top, CheckState::Checked);
    EXPECT_EQ(helpers::CountCheckedNodes(tree), 4);
}
