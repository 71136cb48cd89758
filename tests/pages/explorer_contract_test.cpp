// The Explorer page keeps the contract of every settings page: with hostile content in
// every place its table binds, "Ok" changes only those places, reports what it cannot
// read and leaves it as stored, and a second "Ok" changes nothing more. The shell
// icons it reads hold the same content and must stay as they are.
#include "pages_fixture.h"
#include "page_places.h"

#include "harness/page_contract.h"
#include "pages/explorer_form.h"
#include "pages/shell_icons.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ExplorerContractTest : public PageTest {};

TEST_F(ExplorerContractTest, OkChangesOnlyWhatTheTableBindsAndKeepsWhatItCannotRead)
{
    using namespace pages::shell_icons;
    testing_support::PageContract contract = ExplorerPlaces();
    contract.prepare = [&](const testing_support::HostileContent& content) {
        WriteRawValue(HKEY_CLASSES_ROOT, ".bmp", "", REG_SZ, TextBytes("Paint.Picture"));
        if (!content.value)
            return;
        // Read but never written by "Ok".
        for (const char* slot : {"3", "29", "35"})
            WriteRawValue(HKEY_LOCAL_MACHINE, kShellIconsKey, slot, content.value->type, content.value->data);
        WriteRawValue(HKEY_LOCAL_MACHINE, kControlPanelIconKey, "", content.value->type, content.value->data);
    };
    contract.openAndPressOk = [] {
        auto page = std::make_unique<pages::TForm_Explorer>();
        pages::Form_Explorer = page.get();
        language::LocalizeComponent(*page);
        page->find<ui::Button>("Button_Apply").click();
        pages::Form_Explorer = nullptr;
    };
    testing_support::ExpectPageContract(contract, boxes);
}

}  // namespace
