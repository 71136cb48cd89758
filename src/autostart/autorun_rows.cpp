#include "autostart/autorun_rows.h"

#include "language/language.h"
#include "pages/drive_letters.h"
#include "registry/registry.h"
#include "ui/controls.h"
#include "ui/listview.h"

#include <algorithm>

namespace autostart {

using namespace registry;
using pages::BindingRow;

const DriveTypeBox kDriveTypeBoxes[4] = {
    {"CheckBox_DriveTyp_CDROM", 0x20},
    {"CheckBox_DriveTyp_Removable", 0x04},
    {"CheckBox_DriveTyp_RAM", 0x40},
    {"CheckBox_DriveTyp_Fixed", 0x08},
};

namespace {

constexpr std::size_t kMaskBytes = 4;

// --- Drive types ---------------------------------------------------------------------

void LoadDriveTypes(ui::Component& page, const BindingRow& row)
{
    for (const DriveTypeBox& box : kDriveTypeBoxes)
        page.find<ui::CheckBox>(box.name).setChecked(false);
    const DriveTypeChecks checks = DecodeDriveTypeMask(DriveTypeMaskOf(row.root, row.key, row.value));
    page.find<ui::CheckBox>("CheckBox_DriveTyp_RAM").setChecked(checks.ram);
    page.find<ui::CheckBox>("CheckBox_DriveTyp_CDROM").setChecked(checks.cdrom);
    page.find<ui::CheckBox>("CheckBox_DriveTyp_Fixed").setChecked(checks.fixed);
    page.find<ui::CheckBox>("CheckBox_DriveTyp_Removable").setChecked(checks.removable);
}

// The page writes the policy under HKCU only; a machine-wide value would override it.
void SaveDriveTypes(ui::Component& page, const BindingRow& row)
{
    int mask = kDefaultDriveTypeMask;
    for (const DriveTypeBox& box : kDriveTypeBoxes)
        if (page.find<ui::CheckBox>(box.name).checked())
            mask -= box.bit;
    RegValueRemove(HKLM, row.key, row.value);
    RegValueRemove(HKCU, row.key, row.value);
    RegWriteInt(row.root, row.key, row.value, mask);
}

// --- Drive letters -------------------------------------------------------------------

void LoadDriveLetters(ui::Component& page, const BindingRow& row)
{
    auto& list = page.find<ui::ListView>(row.control);
    const std::string word = language::LangString(kDriveWord);
    // The 26 letters are there even when the stored mask cannot be read.
    pages::FillDriveLetters(list, word, 0, pages::TickMeans::BitClear);
    const auto mask = static_cast<std::uint32_t>(RegReadInt(row.root, row.key, row.value));
    pages::FillDriveLetters(list, word, mask, pages::TickMeans::BitClear);
}

void SaveDriveLetters(ui::Component& page, const BindingRow& row)
{
    const std::uint32_t mask = pages::DriveLetterMask(page.find<ui::ListView>(row.control), pages::TickMeans::BitClear);
    RegValueRemove(HKLM, row.key, row.value);
    RegValueRemove(HKCU, row.key, row.value);
    if (mask != 0)
        RegWriteInt(row.root, row.key, row.value, static_cast<int>(mask));
}

// --- Audio CDs -----------------------------------------------------------------------

void LoadAudioCd(ui::Component& page, const BindingRow& row)
{
    page.find<ui::Edit>(row.control).setText(RegReadText(row.root, row.key, row.value));
}

// A command stored as an expandable string stays one, so that the variables in it
// (%ProgramFiles%, say) are still expanded when a CD is played.
void SaveAudioCd(ui::Component& page, const BindingRow& row)
{
    const std::string command = page.find<ui::Edit>(row.control).text();
    if (RegValueKind(row.root, row.key, row.value) == RegDataKind::ExpandString)
        RegWriteExpandText(row.root, row.key, row.value, command);
    else
        RegWriteText(row.root, row.key, row.value, command);
}

pages::BindingTable BuildTable()
{
    pages::BindingTable table;
    table.push_back(pages::SpecialRow("CheckBox_DriveTyp_CDROM", HKEY_CURRENT_USER, kExplorerPoliciesKey,
                                      "NoDriveTypeAutoRun", LoadDriveTypes, SaveDriveTypes));
    table.push_back(pages::SpecialRow("ListView_AutorunDrives", HKEY_CURRENT_USER, kExplorerPoliciesKey,
                                      "NoDriveAutoRun", LoadDriveLetters, SaveDriveLetters));
    table.push_back(pages::BoundRow("CheckBox_CDROM_AutoRun", HKEY_LOCAL_MACHINE, kCdromKey, "AutoRun",
                                    pages::Rule::DwordFlag));
    table.push_back(pages::SpecialRow("Edit_AudioCD", HKEY_CLASSES_ROOT, kAudioCdKey, "", LoadAudioCd, SaveAudioCd));
    return table;
}

}  // namespace

int DriveTypeMaskOf(RootKey root, const std::string& key, const std::string& name)
{
    switch (RegValueKind(root, key, name)) {
    case RegDataKind::Integer:
        return RegReadInt(root, key, name);
    case RegDataKind::Binary: {
        const int size = RegReadBinary(root, key, name);
        // The shared buffer holds the data only for sizes of 1 to 2047 bytes.
        if (size < 1 || size >= static_cast<int>(kBinaryScratchSize))
            return kDefaultDriveTypeMask;
        for (std::size_t index = std::min(kMaskBytes, static_cast<std::size_t>(size)); index-- > 0;)
            if (BinaryScratch[index] != 0)
                return BinaryScratch[index];
        return kDefaultDriveTypeMask;
    }
    default:
        return kDefaultDriveTypeMask;
    }
}

DriveTypeChecks DecodeDriveTypeMask(int mask)
{
    DriveTypeChecks checks;
    int v = mask;
    if (v >= 128)
        v -= 128;
    checks.ram = v < 64;
    if (v >= 64)
        v -= 64;
    checks.cdrom = v < 32;
    if (v >= 32)
        v -= 32;
    if (v >= 16)
        v -= 16;
    checks.fixed = v < 8;
    if (v >= 8)
        v -= 8;
    checks.removable = v < 4;
    return checks;
}

const pages::BindingTable& AutorunBindingTable()
{
    static const pages::BindingTable table = BuildTable();
    return table;
}

}  // namespace autostart
