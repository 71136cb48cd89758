// The Start menu page keeps the contract of every settings page: with hostile content
// in every place its table binds, "Ok" changes only those places, reports what it
// cannot read and leaves it as stored, and a second "Ok" changes nothing more.
#include "pages_fixture.h"

#include "harness/page_contract.h"
#include "pages/startmenu_form.h"
#include "pages/startmenu_rows.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class StartmenuContractTest : public PageTest {};

TEST_F(StartmenuContractTest, OkChangesOnlyWhatTheTableBindsAndKeepsWhatItCannotRead)
{
    using namespace pages::startmenu;
    using testing_support::NumberKind;
    testing_support::PageContract contract;
    testing_support::AddTablePlaces(contract, StartmenuBindingTable());
    // Rows of their own that read numbers: the two flags whose missing value means
    // "on" or "off", and the delay, a text of digits.
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, kAdvancedKey, "EnableBalloonTips"});
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, kAdvancedKey, "TaskbarSizeMove"});
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, kDesktopKey, "MenuShowDelay", false, NumberKind::DigitsText});
    contract.openAndPressOk = [] {
        auto page = std::make_unique<pages::TForm_Startmenu>();
        pages::Form_Startmenu = page.get();
        language::LocalizeComponent(*page);
        page->find<ui::Button>("Button_Apply").click();
        pages::Form_Startmenu = nullptr;
    };
    testing_support::ExpectPageContract(contract, boxes);
}

}  // namespace
