// The Logon page keeps the contract of every settings page: with hostile content in
// every place its table binds, "Ok" changes only those places, reports what it cannot
// read and leaves it as stored, and a second "Ok" changes nothing more. Its questions
// are answered with their first button, "Ja".
#include "pages_fixture.h"
#include "page_places.h"

#include "harness/page_contract.h"
#include "pages/anmelden_form.h"
#include "pages/anmelden_rows.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class AnmeldenContractTest : public PageTest {};

TEST_F(AnmeldenContractTest, OkChangesOnlyWhatTheTableBindsAndKeepsWhatItCannotRead)
{
    using pages::anmelden::kUserListKey;
    testing_support::PageContract contract = AnmeldenPlaces();
    // Accounts of every kind beside the one the table names.
    contract.prepare = [](const testing_support::HostileContent& content) {
        WriteRawValue(HKEY_LOCAL_MACHINE, kUserListKey, "Gast", REG_DWORD, {0, 0, 0, 0});
        if (content.value)
            WriteRawValue(HKEY_LOCAL_MACHINE, kUserListKey, "Anderes", content.value->type, content.value->data);
    };
    contract.openAndPressOk = [] {
        auto page = std::make_unique<pages::TForm_Anmelden>();
        pages::Form_Anmelden = page.get();
        language::LocalizeComponent(*page);
        page->find<ui::Button>("Button_Apply").click();
        pages::Form_Anmelden = nullptr;
    };
    testing_support::ExpectPageContract(contract, boxes);
}

}  // namespace
