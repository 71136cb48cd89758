// The change journal's exact round trip over the wizards: on a system a user has lived
// in, every wizard runs in turn with its options and lists set by chance; each run is
// one change set, and undoing from the first puts the registry, sysoc.inf, win.ini and
// both startup folders back exactly, bytes and attributes.
#include "wizards_fixture.h"

#include "harness/journal_round_trip.h"
#include "harness/platform_dialogs_seam.h"
#include "registry/change_journal.h"
#include "registry/change_journal_sets.h"

#include <random>

using namespace wizard_test;

namespace {

class WizardRoundTripTest : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        journal::SetJournalFolder(journal.path() + "Journal");
    }
    void TearDown() override
    {
        journal::SetJournalFolder({});
        for (const std::string& file : {sysocFile(), winIni()})
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        WizardTest::TearDown();
    }

    // The lived-in system afresh, its settings files read-only (and sysoc.inf hidden
    // too) on every other seed.
    void startAfresh(bool protectedFiles) const
    {
        for (const std::string& file : {sysocFile(), winIni()})
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        EmptyRegistry();
        writeFiles();
        prepareUser();
        prepareLivedInSystem();
        if (protectedFiles) {
            SetFileAttributesA(sysocFile().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
            SetFileAttributesA(winIni().c_str(), FILE_ATTRIBUTE_READONLY);
        }
    }

    testing_support::TempFolder journal;
    testing_support::ScriptedPlatformDialogs dialogs;
};

TEST_F(WizardRoundTripTest, EveryWizardRunIsOneChangeSetAndUndoingThemAllLeavesEverythingAsBefore)
{
    const std::vector<std::string> files{sysocFile(), winIni(), commonStartup + "\\", userStartup + "\\"};
    for (const unsigned seed : {1u, 2u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        startAfresh(seed % 2 == 0);
        const auto registryBefore = testing_support::SnapshotRegistry();
        const auto filesBefore = testing_support::SnapshotFiles(files);
        const std::size_t setsBefore = journal::ListSets().size();

        std::mt19937 random(seed);
        testing_support::RoundTripContext context{random, boxes, dialogs};
        for (const char* button : {"Button_SPEED", "Button_STANDARD", "Button_POLICY", "Button_RETTUNG"}) {
            SCOPED_TRACE(button);
            openWizard();
            testing_support::SetControlsAtRandom(*wizard, context);
            const std::size_t setsBeforeRun = journal::ListSets().size();
            start(button);
            EXPECT_LE(journal::ListSets().size(), setsBeforeRun + 1) << "a run is one change set";
        }
        destroyWizard();
        const auto sets = journal::ListSets();
        ASSERT_GT(sets.size(), setsBefore) << "no run changed anything";

        journal::CarryOutUndo(journal::PlanUndo(sets[setsBefore].id), true, "Rückgängig");

        EXPECT_EQ(testing_support::RegistryDifferences(registryBefore, testing_support::SnapshotRegistry()), "");
        EXPECT_EQ(testing_support::FileDifferences(filesBefore, testing_support::SnapshotFiles(files)), "");
    }
}

}  // namespace
