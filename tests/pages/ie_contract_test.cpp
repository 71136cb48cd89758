// The Internet Explorer page keeps the contract of every settings page: with hostile
// content in every place its table binds, "Ok" changes only those places, reports what
// it cannot read and leaves it as stored, and a second "Ok" changes nothing more.
#include "pages_fixture.h"
#include "page_places.h"

#include "harness/page_contract.h"
#include "pages/ie_form.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class IEContractTest : public PageTest {};

TEST_F(IEContractTest, OkChangesOnlyWhatTheTableBindsAndKeepsWhatItCannotRead)
{
    testing_support::PageContract contract = IEPlaces();
    contract.openAndPressOk = [] {
        auto page = std::make_unique<pages::TForm_IE>();
        pages::Form_IE = page.get();
        language::LocalizeComponent(*page);
        page->find<ui::Button>("Button_Apply").click();
        pages::Form_IE = nullptr;
    };
    testing_support::ExpectPageContract(contract, boxes);
}

}  // namespace
