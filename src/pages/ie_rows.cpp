#include "pages/ie_rows.h"

#include "pages/ie_form.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/convert.h"

namespace pages::ie {

using namespace registry;

namespace {

// Checked: the edit's text as a string; unchecked: the value deleted.
void SaveTextOrDelete(ui::Component& page, const BindingRow& row, const char* editName)
{
    if (page.find<ui::CheckBox>(row.control).checked())
        RegWriteText(row.root, row.key, row.value, page.find<ui::Edit>(editName).text());
    else
        RegValueRemove(row.root, row.key, row.value);
}

// --- Window title ------------------------------------------------------------------

void LoadWindowTitle(ui::Component& page, const BindingRow& row)
{
    const std::string title = RegReadText(row.root, row.key, row.value);
    page.find<ui::Edit>("Edit_WindowTitle").setText(title);
    page.find<ui::CheckBox>(row.control).setChecked(!title.empty());
}

void SaveWindowTitle(ui::Component& page, const BindingRow& row)
{
    SaveTextOrDelete(page, row, "Edit_WindowTitle");
}

// --- Toolbar picture -----------------------------------------------------------------

void LoadToolbarPicture(ui::Component& page, const BindingRow& row)
{
    auto& box = page.find<ui::CheckBox>(row.control);
    box.setChecked(false);
    page.find<ui::Edit>("Edit_backbitmap").setText("");
    const std::string path = RegReadText(row.root, row.key, row.value);
    if (path.empty())
        return;
    box.setChecked(true);
    if (auto* form = dynamic_cast<TForm_IE*>(&page))
        form->ShowToolbarPicture(path);
}

void SaveToolbarPicture(ui::Component& page, const BindingRow& row)
{
    SaveTextOrDelete(page, row, "Edit_backbitmap");
}

// --- Emptying the temporary files when the browser closes ---------------------------

// Checked only for a stored 0; a missing value leaves the box unchecked.
void LoadPersistent(ui::Component& page, const BindingRow& row)
{
    auto& box = page.find<ui::CheckBox>(row.control);
    box.setChecked(false);
    if (RegValueExists(row.root, row.key, row.value) && RegReadInt(row.root, row.key, row.value) == 0)
        box.setChecked(true);
}

void SavePersistent(ui::Component& page, const BindingRow& row)
{
    RegWriteInt(row.root, row.key, row.value, page.find<ui::CheckBox>(row.control).checked() ? 0 : 1);
}

// --- Download folder ---------------------------------------------------------------

void LoadDownloadFolder(ui::Component& page, const BindingRow& row)
{
    auto& box = page.find<ui::CheckBox>(row.control);
    auto& edit = page.find<ui::Edit>("Edit_DownloadDIR");
    box.setChecked(false);
    edit.setText("");
    const std::string folder = ui::UpperCase(ui::Trim(RegReadText(row.root, row.key, row.value)));
    if (folder.empty())
        return;
    box.setChecked(true);
    edit.setText(folder);
}

void SaveDownloadFolder(ui::Component& page, const BindingRow& row)
{
    SaveTextOrDelete(page, row, "Edit_DownloadDIR");
}

// --- Search page -----------------------------------------------------------------------

void LoadSearchPage(ui::Component& page, const BindingRow& row)
{
    auto& combo = page.find<ui::ComboBox>(row.control);
    combo.setText("");
    const std::string address = RegReadText(row.root, row.key, row.value);
    if (!address.empty())
        combo.setText(address);
}

// An empty box leaves the stored address as it is.
void SaveSearchPage(ui::Component& page, const BindingRow& row)
{
    const std::string address = page.find<ui::ComboBox>(row.control).text();
    if (!address.empty())
        RegWriteText(row.root, row.key, row.value, address);
}

BindingTable BuildTable()
{
    BindingTable table;
    table.push_back(SpecialRow("CheckBox_WindowTitle", HKCU, kMainKey, "Window Title", LoadWindowTitle, SaveWindowTitle));
    table.push_back(
        SpecialRow("CheckBox_BackBitmap", HKCU, kToolbarKey, "BackBitmapIE5", LoadToolbarPicture, SaveToolbarPicture));
    table.push_back(BoundRow("CheckBox_FavIntelliMenus", HKCU, kMainKey, "FavIntelliMenus", Rule::YesNoText));
    table.push_back(BoundRow("CheckBox_ShowGoButton", HKCU, kMainKey, "ShowGoButton", Rule::YesNoText));
    table.push_back(BoundRow("CheckBox_NoUpdateCheck", HKCU, kMainKey, "NoUpdateCheck", Rule::InvertedDwordFlag));
    table.push_back(
        BoundRow("CheckBox_NotifyDownloadComplete", HKCU, kMainKey, "NotifyDownloadComplete", Rule::YesNoText));
    table.push_back(
        SpecialRow("CheckBox_Persistent", HKCU, kCacheSettingsKey, "Persistent", LoadPersistent, SavePersistent));
    table.push_back(SpecialRow("CheckBox_DownloadDIR", HKCU, kExplorerKey, "Download Directory", LoadDownloadFolder,
                               SaveDownloadFolder));
    table.push_back(SpecialRow("ComboBox_SearchPage", HKCU, kMainKey, "Search Page", LoadSearchPage, SaveSearchPage));
    for (const char* value : {"NoBrowserClose", "NoBrowserContextMenu", "NoBrowserOptions", "NoBrowserSaveAs",
                              "NoFavorites", "NoFileNew", "NoFileOpen", "NoSelectDownloadDir", "NoTheaterMode"})
        table.push_back(BoundRow(std::string("CheckBox_") + value, HKCU, kRestrictionsKey, value, Rule::DwordFlag));
    struct Lock {
        const char* control;
        const char* value;
    };
    for (const Lock& lock : {Lock{"CheckBox_GeneralTab", "GeneralTab"}, Lock{"CheckBox_SecurityTab", "SecurityTab"},
                             Lock{"CheckBox_ContentTab", "ContentTab"}, Lock{"CheckBox_ConnectionsTab", "ConnectionsTab"},
                             Lock{"CheckBox_ProgramsTab", "ProgramsTab"}, Lock{"CheckBox_AdvancedTab", "AdvancedTab"},
                             Lock{"CheckBox_CertifPers", "CertifPers"},
                             Lock{"CheckBox_SecChangeSettings", "SecChangeSettings"},
                             Lock{"CheckBox_SecAddSites", "SecAddSites"},
                             Lock{"CheckBox_Connwiz_Admin_Lock", "Connwiz Admin Lock"},
                             Lock{"CheckBox_ResetWebSettings", "ResetWebSettings"}})
        table.push_back(BoundRow(lock.control, HKCU, kControlPanelKey, lock.value, Rule::DwordFlag));
    return table;
}

}  // namespace

const BindingTable& IEBindingTable()
{
    static const BindingTable table = BuildTable();
    return table;
}

}  // namespace pages::ie
