// The System page keeps the contract of every settings page: with hostile content in
// every place its table binds, "Ok" changes only those places, reports what it cannot
// read and leaves it as stored, and a second "Ok" changes nothing more.
#include "pages_fixture.h"
#include "page_places.h"

#include "harness/page_contract.h"
#include "pages/system_form.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SystemContractTest : public PageTest {};

TEST_F(SystemContractTest, OkChangesOnlyWhatTheTableBindsAndKeepsWhatItCannotRead)
{
    testing_support::PageContract contract = SystemPlaces();
    contract.openAndPressOk = [] {
        auto page = std::make_unique<pages::TForm_System>();
        pages::Form_System = page.get();
        language::LocalizeComponent(*page);
        page->find<ui::Button>("Button_Apply").click();
        pages::Form_System = nullptr;
    };
    testing_support::ExpectPageContract(contract, boxes);
}

}  // namespace
