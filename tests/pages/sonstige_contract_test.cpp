// The Miscellaneous page keeps the contract of every settings page: with hostile
// content in the owner values, the installed-programs list and oeminfo.ini, "Ok"
// changes only the places it binds, and a second "Ok" changes nothing more.
#include "pages_fixture.h"
#include "page_places.h"

#include "harness/page_contract.h"
#include "harness/temp_folder.h"
#include "pages/sonstige_form.h"
#include "pages/sonstige_rows.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SonstigeContractTest : public PageTest {};

TEST_F(SonstigeContractTest, OkChangesOnlyWhatTheTableBindsAndLeavesTheListAlone)
{
    namespace sonstige = pages::sonstige;
    testing_support::TempFolder folder;
    sonstige::SetSystemFolder(folder.path().substr(0, folder.path().size() - 1));

    testing_support::PageContract contract = SonstigePlaces();
    int round = 0;
    contract.prepare = [&](const testing_support::HostileContent& content) {
        // Programs whose names and commands hold the same hostile content; "Ok" leaves them.
        for (const char* subkey : {"A", "B"}) {
            const std::string key = sonstige::kUninstallKey + "\\" + subkey;
            if (content.value) {
                WriteRawValue(HKLM, key, "DisplayName", content.value->type, content.value->data);
                WriteRawValue(HKLM, key, "UninstallString", content.value->type, content.value->data);
            }
        }
        const std::string files[] = {
            "[General]\r\nManufacturer=" + std::string(3000, 'm') + "\r\n[Support Information]\r\nA=1=2\r\nB=\r\n",
            "[Support Information]\r\nLine9=x\r\n\r\n[General]\r\nModel=a;b\r\n",
            "no section at all\r\n=\r\n",
            "",
        };
        folder.file("oeminfo.ini", files[round % 4]);
        if (round % 2)
            folder.file("oemlogo.bmp", "not a bitmap");
        ++round;
    };
    contract.openAndPressOk = [] {
        auto page = std::make_unique<pages::TForm_Sonstige>();
        pages::Form_Sonstige = page.get();
        language::LocalizeComponent(*page);
        page->find<ui::Button>("Button_Apply").click();
        pages::Form_Sonstige = nullptr;
    };
    testing_support::ExpectPageContract(contract, boxes);
    sonstige::SetSystemFolder("");
}

}  // namespace
