#include "harness/journal_round_trip.h"

#include "registry/change_journal_sets.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/listview.h"
#include "ui/spinedit.h"
#include "ui/virtual_tree.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <fstream>

namespace testing_support {

namespace {

// What a user may type into an edit: nothing, a path, umlauts (stored as ANSI and read
// back in UTF-16), a number, and a long text.
const std::vector<std::string>& EditTexts()
{
    static const std::vector<std::string> texts{
        "", "D:\\Ordner 7", "Müller & Söhne GmbH", "42", std::string(400, 'w'),
    };
    return texts;
}

// Every place the page binds gets a random content of every kind there is, or none.
void FillPlaces(const PageContract& contract, RoundTripContext& context)
{
    const auto& contents = HostileContents();
    for (const BoundPlace& place : contract.places) {
        const HostileContent& content = contents[context.below(contents.size())];
        if (content.value)
            WriteRawValue(place.root, place.key, place.value, content.value->type, content.value->data);
    }
}

void SetListAtRandom(ui::ListView& list, RoundTripContext& context)
{
    if (list.itemCount() == 0)
        return;
    if (ListView_GetExtendedListViewStyle(list.handle()) & LVS_EX_CHECKBOXES) {
        for (int item = 0; item < list.itemCount(); ++item)
            if (context.chance(3))
                list.setChecked(item, !list.checked(item));
    } else {
        list.setSelectedIndex(static_cast<int>(context.below(static_cast<std::size_t>(list.itemCount()))));
    }
}

void SetControlAtRandom(ui::Control& control, RoundTripContext& context)
{
    if (auto* box = dynamic_cast<ui::CheckBox*>(&control))
        box->setChecked(!box->checked());
    else if (auto* radio = dynamic_cast<ui::RadioButton*>(&control))
        radio->setChecked(true);
    else if (auto* spin = dynamic_cast<ui::SpinEdit*>(&control))
        spin->setValue(spin->minValue() +
                       static_cast<int>(context.below(static_cast<std::size_t>(spin->maxValue() - spin->minValue()) + 1)));
    else if (auto* combo = dynamic_cast<ui::ComboBox*>(&control); combo && combo->itemCount() > 0)
        combo->setItemIndex(static_cast<int>(context.below(static_cast<std::size_t>(combo->itemCount()))));
    else if (auto* edit = dynamic_cast<ui::Edit*>(&control))
        edit->setText(context.oneOf(EditTexts()));
    else if (auto* list = dynamic_cast<ui::ListView*>(&control))
        SetListAtRandom(*list, context);
    else if (auto* tree = dynamic_cast<ui::VirtualTree*>(&control))
        for (ui::TreeNode node : tree->allNodes())
            if (tree->checkType(node) == ui::CheckType::CheckBox && context.chance(2))
                tree->setCheckState(node, tree->checkState(node) == ui::CheckState::Checked ? ui::CheckState::Unchecked
                                                                                             : ui::CheckState::Checked);
}

// The page opened and confirmed as it is: what "Ok" alone changes.
void ConfirmThePageAsItOpens(const RoundTripPage& page)
{
    const std::shared_ptr<ui::Form> form = page.open();
    form->find<ui::Button>("Button_Apply").click();
}

// One opening of the page: controls set by chance, up to two actions, then "Ok" (three
// times in four) or "Abbrechen".
void UseThePageOnce(const RoundTripPage& page, RoundTripContext& context)
{
    const std::shared_ptr<ui::Form> form = page.open();
    SetControlsAtRandom(*form, context);
    for (std::size_t step = context.below(4); step > 0 && !page.actions.empty(); --step) {
        const PageAction& action = context.oneOf(page.actions);
        SCOPED_TRACE(action.what);
        action.act(*form, context);
    }
    const bool cancel = context.chance(4);
    form->find<ui::Button>(cancel ? "Button_Abbruch" : "Button_Apply").click();
}

}  // namespace

PageAction Press(const std::string& button)
{
    return {button, [button](ui::Form& page, RoundTripContext&) { page.find<ui::Button>(button).click(); }};
}

void SelectRandomRow(ui::Form& page, const std::string& list, RoundTripContext& context)
{
    auto& rows = page.find<ui::ListView>(list);
    if (rows.itemCount() > 0)
        rows.setSelectedIndex(static_cast<int>(context.below(static_cast<std::size_t>(rows.itemCount()))));
}

PageAction PressOnRandomRow(const std::string& list, const std::string& button)
{
    return {button + " on a row of " + list, [list, button](ui::Form& page, RoundTripContext& context) {
                SelectRandomRow(page, list, context);
                page.find<ui::Button>(button).click();
            }};
}

void SetControlsAtRandom(ui::Component& owner, RoundTripContext& context)
{
    for (ui::Component* component : owner.components()) {
        SetControlsAtRandom(*component, context);
        auto* control = dynamic_cast<ui::Control*>(component);
        if (control && control->enabled() && context.chance(3))
            SetControlAtRandom(*control, context);
    }
}

void PutFile(const std::string& path, const FileStart& start)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!start.bytes) {
        DeleteFileA(path.c_str());
        return;
    }
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << *start.bytes;
        ASSERT_TRUE(out.good()) << "cannot write " << path;
    }
    SetFileAttributesA(path.c_str(), start.attributes);
}

DWORD RandomFileAttributes(RoundTripContext& context)
{
    static const std::vector<DWORD> attributes{
        FILE_ATTRIBUTE_ARCHIVE,
        FILE_ATTRIBUTE_NORMAL,
        FILE_ATTRIBUTE_READONLY,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE,
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
    };
    return context.oneOf(attributes);
}

void ExpectExactRoundTrip(const RoundTripPage& page, const std::vector<unsigned>& seeds, ScriptedMessageBoxes& boxes,
                          ScriptedPlatformDialogs& dialogs)
{
    const PageContract places = page.places();
    for (std::size_t round = 0; round < seeds.size(); ++round) {
        const unsigned seed = seeds[round];
        SCOPED_TRACE(page.name + " page, seed " + std::to_string(seed));
        std::mt19937 random(seed);
        RoundTripContext context{random, boxes, dialogs, round};
        EmptyRegistry();
        FillPlaces(places, context);
        if (page.prepare)
            page.prepare(context);
        const RegistrySnapshot registryBefore = SnapshotRegistry();
        const FileSnapshot filesBefore = SnapshotFiles(places.files);
        const std::size_t setsBefore = journal::ListSets().size();

        ConfirmThePageAsItOpens(page);
        for (int opening = 0; opening < 3; ++opening)
            UseThePageOnce(page, context);
        const auto sets = journal::ListSets();
        ASSERT_GT(sets.size(), setsBefore) << "no action changed anything";

        journal::CarryOutUndo(journal::PlanUndo(sets[setsBefore].id), true, "Rückgängig");

        EXPECT_EQ(RegistryDifferences(registryBefore, SnapshotRegistry()), "");
        EXPECT_EQ(FileDifferences(filesBefore, SnapshotFiles(places.files)), "");
    }
}

}  // namespace testing_support
