// The Internet access tuner keeps the contract of every settings page: with hostile
// content in every place its table binds (the MTU of two interfaces among them),
// "Übernehmen" changes only those places, reports what it cannot read and leaves it as
// stored, and a second "Übernehmen" changes nothing more.
#include "pages_fixture.h"
#include "page_places.h"

#include "harness/page_contract.h"
#include "pages/internet_tuner_form.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TunerContractTest : public PageTest {};

TEST_F(TunerContractTest, UebernehmenChangesOnlyWhatTheTableBindsAndKeepsWhatItCannotRead)
{
    testing_support::PageContract contract = TunerPlaces();
    contract.prepare = [&](const testing_support::HostileContent&) {
        registry::RegKeyEnsure(HKLM, kFirstTunerInterface);
        registry::RegKeyEnsure(HKLM, kSecondTunerInterface);
    };
    contract.openAndPressOk = [] {
        auto page = std::make_unique<pages::TForm_InternetTuner>();
        pages::Form_InternetTuner = page.get();
        language::LocalizeComponent(*page);
        page->find<ui::Button>("Button_Apply").click();
        pages::Form_InternetTuner = nullptr;
    };
    testing_support::ExpectPageContract(contract, boxes);
}

}  // namespace
