// The Explorer page keeps the contract of every settings page: with hostile content in
// every place its table binds, "Ok" changes only those places, reports what it cannot
// read and leaves it as stored, and a second "Ok" changes nothing more. The shell
// icons it reads hold the same content and must stay as they are.
#include "pages_fixture.h"

#include "harness/page_contract.h"
#include "pages/explorer_form.h"
#include "pages/explorer_rows.h"
#include "pages/shell_icons.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ExplorerContractTest : public PageTest {};

TEST_F(ExplorerContractTest, OkChangesOnlyWhatTheTableBindsAndKeepsWhatItCannotRead)
{
    using namespace pages::explorer;
    using namespace pages::shell_icons;
    const std::string thumbnailIcons = "Paint.Picture\\DefaultIcon";

    // The rows "Ok" writes; the shell icons and the arrow are only read, and the
    // thumbnails row reads the file type of ".bmp" and writes below it.
    pages::BindingTable written;
    for (const pages::BindingRow& row : ExplorerBindingTable())
        if ((row.rule != pages::Rule::Special || row.save) && row.control != "CheckBox_PaintPicture")
            written.push_back(row);
    testing_support::PageContract contract;
    testing_support::AddTablePlaces(contract, written);
    contract.places.push_back({HKEY_CLASSES_ROOT, kCommandPromptKey, "", true});
    contract.places.push_back({HKEY_LOCAL_MACHINE, kUnknownShellKey + "\\Notepad", "", true});
    contract.places.push_back({HKEY_CURRENT_USER, kDesktopKey, "Wallpaperoriginy"});
    contract.places.push_back({HKEY_CLASSES_ROOT, thumbnailIcons, ""});
    contract.places.push_back({HKEY_CLASSES_ROOT, thumbnailIcons, "Old"});
    using testing_support::NumberKind;
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, kExplorerPoliciesKey, "NoDrives"});
    contract.numberPlaces.push_back({HKEY_CURRENT_USER, kDesktopKey, "FontSmoothingType"});
    // The wallpaper's coordinates are texts of digits; an empty one means none.
    for (const char* name : {"Wallpaperoriginx", "Wallpaperoriginy"})
        contract.numberPlaces.push_back({HKEY_CURRENT_USER, kDesktopKey, name, false, NumberKind::DigitsText});
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
