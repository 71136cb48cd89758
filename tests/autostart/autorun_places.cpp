#include "autorun_places.h"

#include "autostart/autorun_rows.h"

testing_support::PageContract AutorunPlaces(const std::string& winIni, const std::string& commonFolder,
                                            const std::string& userFolder)
{
    testing_support::PageContract contract;
    testing_support::AddTablePlaces(contract, autostart::AutorunBindingTable());
    // Saving takes the machine's drive policies away, so that the user's count.
    contract.places.push_back({HKEY_LOCAL_MACHINE, autostart::kExplorerPoliciesKey, "NoDriveTypeAutoRun"});
    contract.places.push_back({HKEY_LOCAL_MACHINE, autostart::kExplorerPoliciesKey, "NoDriveAutoRun"});
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, autostart::kExplorerPoliciesKey, "NoDriveAutoRun"});
    contract.files = {winIni, commonFolder + "\\", userFolder + "\\"};
    return contract;
}
