// The exact round trip of the change journal over every page: random sequences of
// actions (controls set by name as the wizards set them, then "Ok"; buttons that act
// at once; "Abbrechen"), started from places that hold every kind of content, are all
// undone at the end, and the registry and the page's files are then exactly as before
// the first action: names, kinds and data, keys made and removed.
#include "pages_fixture.h"

#include "harness/page_contract.h"
#include "harness/temp_folder.h"
#include "pages/system_form.h"
#include "pages/system_rows.h"
#include "registry/change_journal.h"
#include "registry/change_journal_sets.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/spinedit.h"
#include "ui/virtual_tree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>

namespace {

using testing_support::RegistrySnapshot;
using testing_support::SnapshotRegistry;

// A page as the program opens it: created into its single-instance reference and
// localised; `forget` clears the reference before the page goes.
struct RoundTripPage {
    const char* name;
    std::function<std::unique_ptr<pages::TweakPage>()> open;
    std::function<void()> forget;
    // The places the page binds: they are filled with random content first.
    std::function<testing_support::PageContract()> places;
    // Buttons that change something at once.
    std::vector<std::string> actAtOnce;
    // Further starting content of the page's own, by chance (optional).
    std::function<void(std::mt19937&)> prepare;
};

template <class Page>
std::function<std::unique_ptr<pages::TweakPage>()> Opener(Page*& reference)
{
    return [&reference] {
        auto page = std::make_unique<Page>();
        reference = page.get();
        language::LocalizeComponent(*page);
        return std::unique_ptr<pages::TweakPage>(std::move(page));
    };
}

std::vector<std::string> SystemButtons()
{
    std::vector<std::string> buttons;
    for (const auto& folder : pages::system::kShellFolders)
        buttons.emplace_back(folder.button);
    return buttons;
}

// Shell folders with a path, so their edits and "Setzen" buttons are enabled.
void PrepareSystem(std::mt19937& random)
{
    for (const auto& folder : pages::system::kShellFolders)
        if (random() % 2)
            WriteRawValue(HKEY_CURRENT_USER, pages::system::kShellFoldersKey, folder.value, REG_SZ,
                          TextBytes(std::string("C:\\Dokumente\\") + folder.value));
}

testing_support::PageContract SystemPlaces()
{
    testing_support::PageContract contract;
    testing_support::AddTablePlaces(contract, pages::system::SystemBindingTable());
    contract.places.push_back({HKEY_LOCAL_MACHINE, pages::system::kSetupKeyNT, "SourcePath"});
    contract.places.push_back({HKEY_CURRENT_USER, pages::system::kDontLoadKey, "", true});
    return contract;
}

// One line per page.
const std::vector<RoundTripPage>& Pages()
{
    static const std::vector<RoundTripPage> pages{
        {"System", Opener(pages::Form_System), [] { pages::Form_System = nullptr; }, SystemPlaces, SystemButtons(),
         PrepareSystem},
    };
    return pages;
}

void EmptyRegistry()
{
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS})
        for (const std::string& key : registry::RegSubkeyNames(root, ""))
            registry::RegKeyRemove(root, key);
}

// Every place the page binds gets a random content of every kind there is, or none.
void FillPlaces(const testing_support::PageContract& contract, std::mt19937& random)
{
    const auto& contents = testing_support::HostileContents();
    for (const testing_support::BoundPlace& place : contract.places) {
        const auto& content = contents[random() % contents.size()];
        if (content.value)
            WriteRawValue(place.root, place.key, place.value, content.value->type, content.value->data);
    }
}

// Sets controls of the page by chance, as a user or a wizard would: check boxes, radio
// buttons, spin edits, drop-down lists, edits and the check boxes of lists. Disabled
// controls are left alone.
void SetControlsAtRandom(ui::Component& owner, std::mt19937& random)
{
    for (ui::Component* component : owner.components()) {
        SetControlsAtRandom(*component, random);
        auto* control = dynamic_cast<ui::Control*>(component);
        if (!control || !control->enabled() || random() % 3 != 0)
            continue;
        if (auto* box = dynamic_cast<ui::CheckBox*>(control))
            box->setChecked(!box->checked());
        else if (auto* radio = dynamic_cast<ui::RadioButton*>(control))
            radio->setChecked(true);
        else if (auto* spin = dynamic_cast<ui::SpinEdit*>(control))
            spin->setValue(spin->minValue() + static_cast<int>(random() % (spin->maxValue() - spin->minValue() + 1u)));
        else if (auto* combo = dynamic_cast<ui::ComboBox*>(control); combo && combo->itemCount() > 0)
            combo->setItemIndex(static_cast<int>(random() % static_cast<unsigned>(combo->itemCount())));
        else if (auto* edit = dynamic_cast<ui::Edit*>(control))
            edit->setText("D:\\Ordner " + std::to_string(random() % 100));
        else if (auto* tree = dynamic_cast<ui::VirtualTree*>(control))
            for (ui::TreeNode node : tree->allNodes())
                if (tree->checkType(node) == ui::CheckType::CheckBox && random() % 2)
                    tree->setCheckState(node, tree->checkState(node) == ui::CheckState::Checked
                                                  ? ui::CheckState::Unchecked
                                                  : ui::CheckState::Checked);
    }
}

class JournalRoundTripTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        journal::SetJournalFolder(folder.path() + "Journal");
    }
    void TearDown() override
    {
        journal::SetJournalFolder({});
        PageTest::TearDown();
    }

    testing_support::TempFolder folder;
};

TEST_F(JournalRoundTripTest, UndoingEverythingLeavesTheRegistryExactlyAsBeforeTheFirstAction)
{
    for (const RoundTripPage& page : Pages())
        for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
            SCOPED_TRACE(std::string(page.name) + " page, seed " + std::to_string(seed));
            std::mt19937 random(seed);
            EmptyRegistry();
            FillPlaces(page.places(), random);
            if (page.prepare)
                page.prepare(random);
            const RegistrySnapshot before = SnapshotRegistry();
            const std::size_t setsBefore = journal::ListSets().size();

            for (int action = 0; action < 4; ++action) {
                auto form = page.open();
                SetControlsAtRandom(*form, random);
                if (random() % 2 && !page.actAtOnce.empty())
                    form->find<ui::Button>(page.actAtOnce[random() % page.actAtOnce.size()]).click();
                form->find<ui::Button>(random() % 4 ? "Button_Apply" : "Button_Abbruch").click();
                page.forget();
            }
            const auto sets = journal::ListSets();
            ASSERT_GT(sets.size(), setsBefore) << "no action changed anything";

            journal::CarryOutUndo(journal::PlanUndo(sets[setsBefore].id), true, "Rückgängig");

            const RegistrySnapshot after = SnapshotRegistry();
            for (const auto& [entry, value] : before) {
                const auto now = after.find(entry);
                EXPECT_TRUE(now != after.end() && now->second.has_value() == value.has_value() &&
                            (!value || (value->type == now->second->type && value->data == now->second->data)))
                    << "not as before: " << entry;
            }
            for (const auto& [entry, value] : after)
                EXPECT_TRUE(before.count(entry)) << "left behind: " << entry;
        }
}

}  // namespace
