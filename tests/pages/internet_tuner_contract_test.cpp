// The Internet access tuner keeps the contract of every settings page: with hostile
// content in every place its table binds (the MTU of two interfaces among them),
// "Übernehmen" changes only those places, reports what it cannot read and leaves it as
// stored, and a second "Übernehmen" changes nothing more.
#include "pages_fixture.h"

#include "harness/page_contract.h"
#include "pages/internet_tuner_form.h"
#include "pages/internet_tuner_rows.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TunerContractTest : public PageTest {};

TEST_F(TunerContractTest, UebernehmenChangesOnlyWhatTheTableBindsAndKeepsWhatItCannotRead)
{
    namespace tuner = pages::tuner;
    const std::string first = tuner::kInterfacesKey + "\\{AAAA}";
    const std::string second = tuner::kInterfacesKey + "\\{BBBB}";
    testing_support::PageContract contract;
    testing_support::AddTablePlaces(contract, tuner::TunerBindingTable());
    contract.places.push_back({HKEY_LOCAL_MACHINE, first, "MTU"});
    contract.places.push_back({HKEY_LOCAL_MACHINE, second, "MTU"});
    contract.places.push_back({HKEY_LOCAL_MACHINE, tuner::kParametersKey, "GlobalMaxTcpWindowSize"});
    // The numbers that the special rows read: the first interface's MTU, the receive
    // window, the packet lifetime and the large-window option.
    for (const auto& [key, value] : {std::pair<std::string, const char*>{first, "MTU"},
                                     {tuner::kParametersKey, "TcpWindowSize"},
                                     {tuner::kParametersKey, "DefaultTTL"},
                                     {tuner::kParametersKey, "Tcp1323Opts"}})
        contract.numberPlaces.push_back({HKEY_LOCAL_MACHINE, key, value});
    contract.prepare = [&](const testing_support::HostileContent&) {
        registry::RegKeyEnsure(HKLM, first);
        registry::RegKeyEnsure(HKLM, second);
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
