#include "pages/internet_tuner_rows.h"

#include "language/language.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/spinedit.h"

namespace pages::tuner {

using namespace registry;

const Preset kPresets[kPresetCount] = {
    {576, 8576, 128, false, true, true, true},
    {1492, 185856, 128, false, true, true, true},
    {1500, 373760, 128, false, true, true, true},
};

namespace {

constexpr int kDefaultMtu = 1500;
constexpr int kDefaultRwin = 8760;
constexpr int kDefaultTtl = 32;
constexpr int kLargeWindows = 3;

ui::CheckBox& BoxOf(ui::Component& page, const BindingRow& row)
{
    return page.find<ui::CheckBox>(row.control);
}

ui::SpinEdit& SpinOf(ui::Component& page, const BindingRow& row)
{
    return page.find<ui::SpinEdit>(row.spinEdit);
}

// A number of its own: the box unchecked with the Windows default in the spin edit,
// or, when the value exists, checked with the stored number (brought into range).
void LoadOwnNumber(ui::Component& page, const BindingRow& row, const std::string& key, int windowsDefault)
{
    BoxOf(page, row).setChecked(false);
    SpinOf(page, row).setValue(windowsDefault);
    if (!RegValueExists(row.root, key, row.value))
        return;
    SpinOf(page, row).setValue(RegReadInt(row.root, key, row.value));
    BoxOf(page, row).setChecked(true);
}

// --- MTU of every interface ---------------------------------------------------------

void LoadMtu(ui::Component& page, const BindingRow& row)
{
    const auto interfaces = RegSubkeyNames(row.root, row.key);
    if (interfaces.empty())
        return;
    LoadOwnNumber(page, row, row.key + "\\" + interfaces.front(), kDefaultMtu);
}

void SaveMtu(ui::Component& page, const BindingRow& row)
{
    const auto interfaces = RegSubkeyNames(row.root, row.key);
    if (interfaces.empty()) {
        ui::MessageDlg(language::LangString(kNoInterface) + "\r" + language::LangString(kNoInterface + 1),
                       ui::MsgKind::Error, {ui::MsgButton::OK});
        return;
    }
    const bool own = BoxOf(page, row).checked();
    const int mtu = SpinOf(page, row).value();
    for (const std::string& name : interfaces) {
        const std::string key = row.key + "\\" + name;
        if (own)
            RegWriteInt(row.root, key, row.value, mtu);
        else if (RegValueExists(row.root, key, row.value))
            RegValueRemove(row.root, key, row.value);
    }
}

// --- Receive window ---------------------------------------------------------------------

void LoadRwin(ui::Component& page, const BindingRow& row)
{
    LoadOwnNumber(page, row, row.key, kDefaultRwin);
}

// The window size goes into both values, and both go together.
void SaveRwin(ui::Component& page, const BindingRow& row)
{
    for (const char* value : {"TcpWindowSize", "GlobalMaxTcpWindowSize"}) {
        if (BoxOf(page, row).checked())
            RegWriteInt(row.root, row.key, value, SpinOf(page, row).value());
        else
            RegValueRemove(row.root, row.key, value);
    }
}

// --- Packet lifetime --------------------------------------------------------------------

void LoadTtl(ui::Component& page, const BindingRow& row)
{
    LoadOwnNumber(page, row, row.key, kDefaultTtl);
}

void SaveTtl(ui::Component& page, const BindingRow& row)
{
    if (BoxOf(page, row).checked())
        RegWriteInt(row.root, row.key, row.value, SpinOf(page, row).value());
    else
        RegValueRemove(row.root, row.key, row.value);
}

// --- Large windows: 3 for on, 0 for off ---------------------------------------------

void LoadLargeWindows(ui::Component& page, const BindingRow& row)
{
    BoxOf(page, row).setChecked(RegReadInt(row.root, row.key, row.value) == kLargeWindows);
}

void SaveLargeWindows(ui::Component& page, const BindingRow& row)
{
    RegWriteInt(row.root, row.key, row.value, BoxOf(page, row).checked() ? kLargeWindows : 0);
}

BindingRow NumberRow(const char* box, const std::string& key, const char* value, const char* spin, RowFunction load,
                     RowFunction save)
{
    BindingRow row = SpecialRow(box, HKLM, key, value, load, save);
    row.spinEdit = spin;
    return row;
}

BindingTable BuildTable()
{
    BindingTable table;
    table.push_back(NumberRow("CheckBox_MTU", kInterfacesKey, "MTU", "SpinEdit_MTU", LoadMtu, SaveMtu));
    table.push_back(NumberRow("CheckBox_RWIN", kParametersKey, "TcpWindowSize", "SpinEdit_RWIN", LoadRwin, SaveRwin));
    table.push_back(NumberRow("CheckBox_TTL", kParametersKey, "DefaultTTL", "SpinEdit_TTL", LoadTtl, SaveTtl));
    table.push_back(BoundRow("CheckBox_PMTUDiscovery", HKLM, kParametersKey, "EnablePMTUDiscovery", Rule::DwordFlag));
    table.push_back(BoundRow("CheckBox_PMTUBlackHole", HKLM, kParametersKey, "EnablePMTUBHDetect", Rule::DwordFlag));
    table.push_back(BoundRow("CheckBox_SackOpts", HKLM, kParametersKey, "SackOpts", Rule::DwordFlag));
    table.push_back(
        SpecialRow("CheckBox_Tcp1323Opts", HKLM, kParametersKey, "Tcp1323Opts", LoadLargeWindows, SaveLargeWindows));
    return table;
}

}  // namespace

const BindingTable& TunerBindingTable()
{
    static const BindingTable table = BuildTable();
    return table;
}

}  // namespace pages::tuner
