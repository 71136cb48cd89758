// The report keeps the contract of the pages, and more: with hostile content in every
// registry value it reads, it opens, collects, saves its file and closes, shows no
// error, and changes nothing in the registry.
#include "report_fixture.h"

#include "harness/page_contract.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

const char* const kVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kFontsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

bool SameSnapshots(const testing_support::RegistrySnapshot& a, const testing_support::RegistrySnapshot& b)
{
    if (a.size() != b.size())
        return false;
    for (const auto& [entry, value] : a) {
        const auto other = b.find(entry);
        if (other == b.end() || value.has_value() != other->second.has_value())
            return false;
        if (value && (value->type != other->second->type || value->data != other->second->data))
            return false;
    }
    return true;
}

class ReportContractTest : public ReportTest {};

TEST_F(ReportContractTest, HostileValuesAreShownAsTheyAreSavedAndNothingInTheRegistryChanges)
{
    testing_support::PageContract contract;
    contract.places = {
        {HKEY_LOCAL_MACHINE, kVersionKey, "CurrentType"},
        {HKEY_LOCAL_MACHINE, kVersionKey, "RegisteredOwner"},
        {HKEY_LOCAL_MACHINE, kVersionKey, "RegisteredOrganization"},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters", "srvcomment"},
        {HKEY_LOCAL_MACHINE, kFontsKey, "Arial (TrueType)"},
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts"},
    };
    // Font entries whose names are hostile themselves: very long, brackets only, no kind.
    contract.prepare = [](const testing_support::HostileContent&) {
        for (const std::string& name : {std::string(3000, 'F') + " (TrueType)", std::string("()"), std::string("(")})
            WriteRawValue(HKEY_LOCAL_MACHINE, kFontsKey, name, REG_SZ, TextBytes("x.ttf"));
    };
    int saved = 0;
    contract.openAndPressOk = [&] {
        const testing_support::RegistrySnapshot before = testing_support::SnapshotRegistry();
        programs.executed.clear();
        auto page = openReport();
        page->find<ui::Button>("Button_Reload").click();
        page->find<ui::Button>("Button_Speichern").click();
        page->find<ui::Button>("Button_Fonts").click();
        page->find<ui::Button>("Button_Apply").click();
        page.reset();
        EXPECT_TRUE(SameSnapshots(before, testing_support::SnapshotRegistry())) << "the report changed the registry";
        EXPECT_EQ(programs.executed.size(), 2u) << "Notepad and Explorer";
        std::ifstream file(folder.path() + "Systembericht.txt", std::ios::binary);
        const std::string report{std::istreambuf_iterator<char>(file), {}};
        EXPECT_NE(report.find("Registriert auf (Person): "), std::string::npos);
        ++saved;
    };
    testing_support::ExpectPageContract(contract, boxes);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(saved, 2 * static_cast<int>(testing_support::HostileContents().size()));
}

}  // namespace
