// The Office and Messenger page keeps the contract of every settings page: with every
// application installed and hostile content in every place its table binds and in
// sysoc.inf, "Ok" changes only those places, reports what it cannot read and leaves it
// as stored, and a second "Ok" changes nothing more.
#include "pages_fixture.h"
#include "page_places.h"

#include "harness/page_contract.h"
#include "harness/temp_folder.h"
#include "pages/officexp_form.h"
#include "pages/officexp_rows.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class OfficeContractTest : public PageTest {};

TEST_F(OfficeContractTest, OkChangesOnlyWhatTheTableBindsAndKeepsWhatItCannotRead)
{
    namespace office = pages::officexp;
    testing_support::TempFolder folder;
    folder.makeDir("inf");
    office::SetWindowsFolder(folder.path().substr(0, folder.path().size() - 1));

    testing_support::PageContract contract = OfficePlaces();
    int round = 0;
    contract.prepare = [&](const testing_support::HostileContent&) {
        registry::RegKeyEnsure(HKCU, office::kOfficeKey);
        registry::RegKeyEnsure(HKCU, kFirstOutlookIdentity);
        registry::RegWriteText(HKLM, office::kMessengerPathKey, "", "C:\\Programme\\msmsgs.exe");
        // Each round another entry: hidden, shown, odd, very long, none.
        const std::string entries[] = {office::kStandardSysocEntry, "msgrocm.dll,OcEntry,msmsgs.inf,,7",
                                       "a=b,hide,=c", std::string(3000, 'x') + ",hide,", ""};
        folder.file("inf\\sysoc.inf", "[Components]\r\nmsmsgs=" + entries[round++ % 5] + "\r\nother=keep\r\n");
    };
    contract.openAndPressOk = [] {
        auto page = std::make_unique<pages::TForm_OfficeXP>();
        pages::Form_OfficeXP = page.get();
        language::LocalizeComponent(*page);
        page->find<ui::Button>("Button_Apply").click();
        pages::Form_OfficeXP = nullptr;
    };
    testing_support::ExpectPageContract(contract, boxes);
    office::SetWindowsFolder("");
}

}  // namespace
