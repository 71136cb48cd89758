// The Office and Messenger page keeps the contract of every settings page: with every
// application installed and hostile content in every place its table binds and in
// sysoc.inf, "Ok" changes only those places, reports what it cannot read and leaves it
// as stored, and a second "Ok" changes nothing more.
#include "pages_fixture.h"

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
    const std::string outlook = "Identities\\{1}" + office::kOutlookExpressBelowIdentity;

    testing_support::PageContract contract;
    for (const pages::BindingRow& row : office::OfficeBindingTable())
        if (row.root && row.key != office::kIdentitiesKey)
            contract.places.push_back({row.root, row.key, row.value});
    contract.places.push_back({HKEY_CURRENT_USER, outlook, "WindowTitle"});
    contract.places.push_back({HKEY_CURRENT_USER, outlook, "NoSplash"});
    contract.places.push_back({HKEY_CURRENT_USER, office::kMessengerSettingsKey, "AppSettings"});
    for (const pages::BindingRow& row : office::OfficeBindingTable())
        if (row.control == "CheckBox_AdaptiveMenus_XP" || row.control == "CheckBox_AsstState_XP" ||
            row.control == "CheckBox_ErrorReport" || row.control == "CheckBox_PreventRun")
            contract.numberPlaces.push_back({row.root, row.key, row.value});
    contract.files.push_back(office::SysocFile());
    int round = 0;
    contract.prepare = [&](const testing_support::HostileContent&) {
        registry::RegKeyEnsure(HKCU, office::kOfficeKey);
        registry::RegKeyEnsure(HKCU, outlook);
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
