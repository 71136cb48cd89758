#include "pages/explorer_rows.h"

#include "language/language.h"
#include "pages/drive_letters.h"
#include "pages/shell_icons.h"
#include "registry/registry.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/convert.h"
#include "ui/errors.h"
#include "ui/listview.h"
#include "ui/spinedit.h"

namespace pages::explorer {

using namespace registry;

namespace {

// The shell icons are read after every other row.
constexpr int kShellIconStage = 1;

ui::CheckBox& BoxOf(ui::Component& page, const BindingRow& row)
{
    return page.find<ui::CheckBox>(row.control);
}

ShellIconPage* HostOf(ui::Component& page)
{
    return dynamic_cast<ShellIconPage*>(&page);
}

// Copies a text value within one key, keeping an expandable text expandable.
void CopyText(RootKey root, const std::string& key, const std::string& from, const std::string& to)
{
    const std::string text = RegReadText(root, key, from);
    if (RegValueKind(root, key, from) == RegDataKind::ExpandString)
        RegWriteExpandText(root, key, to, text);
    else
        RegWriteText(root, key, to, text);
}

// --- Menu shadows: one bit pattern in byte 2 of the 4-byte user preference mask ---------

constexpr int kMaskSize = 4;
constexpr std::size_t kShadowByte = 2;
constexpr std::uint8_t kShadowsOn = 7;
constexpr std::uint8_t kShadowsOff = 3;

// Whether the value is the 4-byte mask this row can change; its bytes are then in BinaryScratch.
bool ReadPreferenceMask(const BindingRow& row)
{
    return RegValueKind(row.root, row.key, row.value) == RegDataKind::Binary &&
           RegReadBinary(row.root, row.key, row.value) == kMaskSize;
}

void LoadMenuShadows(ui::Component& page, const BindingRow& row)
{
    const bool off = ReadPreferenceMask(row) && BinaryScratch[kShadowByte] == kShadowsOff;
    BoxOf(page, row).setChecked(!off);
}

void SaveMenuShadows(ui::Component& page, const BindingRow& row)
{
    if (!ReadPreferenceMask(row))
        return;
    BinaryScratch[kShadowByte] = BoxOf(page, row).checked() ? kShadowsOn : kShadowsOff;
    RegUpdateBinary(row.root, row.key, row.value, kMaskSize);
}

// --- Toolbar background picture --------------------------------------------------------

void LoadToolbarPicture(ui::Component& page, const BindingRow& row)
{
    BoxOf(page, row).setChecked(false);
    page.find<ui::Edit>("Edit_backbitmapShell").setText("");
    const std::string path = RegReadText(row.root, row.key, row.value);
    if (path.empty())
        return;
    BoxOf(page, row).setChecked(true);
    if (ShellIconPage* host = HostOf(page))
        host->ShowToolbarPicture(path);
}

void SaveToolbarPicture(ui::Component& page, const BindingRow& row)
{
    if (BoxOf(page, row).checked())
        RegWriteText(row.root, row.key, row.value, page.find<ui::Edit>("Edit_backbitmapShell").text());
    else
        RegValueRemove(row.root, row.key, row.value);
}

// --- "Eingabeaufforderung von hier" in the folders' context menu ----------------------

void LoadCommandPrompt(ui::Component& page, const BindingRow& row)
{
    BoxOf(page, row).setChecked(!RegReadText(row.root, row.key, row.value).empty());
}

void SaveCommandPrompt(ui::Component& page, const BindingRow& row)
{
    auto& box = BoxOf(page, row);
    if (!box.enabled())
        return;
    if (!box.checked()) {
        RegKeyRemove(row.root, kCommandPromptKey);
        return;
    }
    RegWriteText(row.root, kCommandPromptKey, "", language::LangString(kCommandPromptMenuText));
    RegWriteText(row.root, kCommandPromptKey + "\\Command", "", "cmd.exe /k cd \"%1\"");
}

// --- "Verknüpfung mit ..." before the names of new shortcuts -------------------------

void LoadShortcutNames(ui::Component& page, const BindingRow& row)
{
    BoxOf(page, row).setChecked(RegValueExists(row.root, row.key, row.value));
}

void SaveShortcutNames(ui::Component& page, const BindingRow& row)
{
    if (BoxOf(page, row).checked())
        RegStoreInt(row.root, row.key, row.value, 0);
    else
        RegValueRemove(row.root, row.key, row.value);
}

// --- Unknown file types open with Notepad ------------------------------------------

void LoadNotepad(ui::Component& page, const BindingRow& row)
{
    BoxOf(page, row).setChecked(ui::UpperCase(RegReadText(row.root, row.key, row.value)) == "NOTEPAD");
}

void SaveNotepad(ui::Component& page, const BindingRow& row)
{
    if (BoxOf(page, row).checked()) {
        RegWriteText(row.root, row.key, row.value, "Notepad");
        RegWriteText(row.root, row.key + "\\Notepad\\Command", "", "notepad.exe %1");
    } else {
        RegWriteText(row.root, row.key, row.value, "openas");
        RegKeyRemove(row.root, row.key + "\\Notepad");
    }
}

// --- Hidden drives -----------------------------------------------------------------

void LoadHiddenDrives(ui::Component& page, const BindingRow& row)
{
    auto& list = page.find<ui::ListView>(row.control);
    const std::string word = language::LangString(kDriveWord);
    try {
        FillDriveLetters(list, word, static_cast<std::uint32_t>(RegReadInt(row.root, row.key, row.value)),
                         TickMeans::BitSet);
    } catch (const ui::Exception&) {
        // The letters stay choosable; the stored mask is kept until one of them is ticked.
        FillDriveLetters(list, word, 0, TickMeans::BitSet);
        throw;
    }
}

void SaveHiddenDrives(ui::Component& page, const BindingRow& row)
{
    const std::uint32_t mask = DriveLetterMask(page.find<ui::ListView>(row.control), TickMeans::BitSet);
    if (mask != 0)
        RegWriteInt(row.root, row.key, row.value, static_cast<int>(mask));
    else if (RegValueExists(row.root, row.key, row.value))
        RegValueRemove(row.root, row.key, row.value);
}

// --- Wallpaper at a pixel position -------------------------------------------------

const char* const kOriginX = "Wallpaperoriginx";
const char* const kOriginY = "Wallpaperoriginy";

int OriginOf(const BindingRow& row, const char* name)
{
    const std::string text = RegReadText(row.root, row.key, name);
    return text.empty() ? 0 : ui::StrToInt(text);
}

void LoadWallpaperOrigin(ui::Component& page, const BindingRow& row)
{
    BoxOf(page, row).setChecked(false);
    const int x = OriginOf(row, kOriginX);
    const int y = OriginOf(row, kOriginY);
    if (x == 0 || y == 0)
        return;
    BoxOf(page, row).setChecked(true);
    page.find<ui::SpinEdit>("SpinEdit_WallPaperOriginX").setValue(x);
    page.find<ui::SpinEdit>("SpinEdit_WallPaperOriginY").setValue(y);
}

void SaveWallpaperOrigin(ui::Component& page, const BindingRow& row)
{
    const bool placed = BoxOf(page, row).checked();
    const auto origin = [&](const char* spin) {
        return placed ? std::to_string(page.find<ui::SpinEdit>(spin).value()) : std::string("0");
    };
    RegWriteText(row.root, row.key, kOriginX, origin("SpinEdit_WallPaperOriginX"));
    RegWriteText(row.root, row.key, kOriginY, origin("SpinEdit_WallPaperOriginY"));
}

// --- Shortcut arrow and shell icons: read here, written by their own buttons ---------

void LoadShortcutArrow(ui::Component& page, const BindingRow&)
{
    if (ShellIconPage* host = HostOf(page))
        host->LoadShortcutArrow();
}

void LoadShellIcons(ui::Component& page, const BindingRow&)
{
    if (ShellIconPage* host = HostOf(page))
        host->LoadShellIcons();
}

// --- BMP thumbnails as file icons ---------------------------------------------------

const char* const kThumbnail = "%1";
const char* const kOldIcon = "Old";

void LoadThumbnails(ui::Component& page, const BindingRow& row)
{
    const std::string type = BitmapFileType();
    BoxOf(page, row).setChecked(!type.empty() && RegReadText(row.root, type + "\\DefaultIcon", "") == kThumbnail);
}

// Checked: the icon becomes the picture itself, the icon it had is kept in "Old".
// Unchecked: the kept icon comes back.
void SaveThumbnails(ui::Component& page, const BindingRow& row)
{
    const std::string type = BitmapFileType();
    if (type.empty())
        return;
    const std::string iconKey = type + "\\DefaultIcon";
    if (BoxOf(page, row).checked()) {
        if (RegReadText(row.root, iconKey, "") != kThumbnail) {
            CopyText(row.root, iconKey, "", kOldIcon);
            RegWriteText(row.root, iconKey, "", kThumbnail);
        }
    } else if (RegValueExists(row.root, iconKey, kOldIcon)) {
        CopyText(row.root, iconKey, kOldIcon, "");
        RegValueRemove(row.root, iconKey, kOldIcon);
    }
}

// --- Font smoothing ------------------------------------------------------------------

void LoadFontSmoothing(ui::Component& page, const BindingRow& row)
{
    BoxOf(page, row).setChecked(RegReadText(row.root, row.key, row.value) == "2");
}

void SaveFontSmoothing(ui::Component& page, const BindingRow& row)
{
    RegWriteText(row.root, row.key, row.value, BoxOf(page, row).checked() ? "2" : "0");
}

constexpr int kClearTypeItem = 1;
constexpr int kClearType = 2;
constexpr int kStandardSmoothing = 1;

void LoadSmoothingType(ui::Component& page, const BindingRow& row)
{
    const bool clearType = RegReadInt(row.root, row.key, row.value) == kClearType;
    page.find<ui::ComboBox>(row.control).setItemIndex(clearType ? kClearTypeItem : 0);
}

void SaveSmoothingType(ui::Component& page, const BindingRow& row)
{
    int type = 0;
    if (page.find<ui::CheckBox>("CheckBox_FontSmoothing").checked())
        type = page.find<ui::ComboBox>(row.control).itemIndex() == kClearTypeItem ? kClearType : kStandardSmoothing;
    RegWriteInt(row.root, row.key, row.value, type);
}

// --- The table -------------------------------------------------------------------------

BindingTable BuildTable()
{
    const std::string& policies = kExplorerPoliciesKey;
    const std::string& system = kSystemPoliciesKey;
    const auto flag = [](const char* control, RootKey root, const std::string& key, const char* value) {
        return BoundRow(control, root, key, value, Rule::DwordFlag);
    };
    const auto special = [](const char* control, RootKey root, const std::string& key, const std::string& value,
                            RowFunction load, RowFunction save) {
        return SpecialRow(control, root, key, value, load, save);
    };
    const auto shortcutMark = [](const char* control, const char* fileType) {
        BindingRow row = BoundRow(control, HKCR, fileType, "IsShortCut", Rule::Presence);
        row.presence.kind = PresenceDetails::Kind::Text;  // an empty text
        return row;
    };

    BindingTable table;
    table.push_back(special("CheckBox_MenuSchatten", HKCU, kDesktopKey, "UserPreferencesMask", LoadMenuShadows,
                            SaveMenuShadows));
    table.push_back(special("CheckBox_BackBitmapShell", HKCU, kToolbarKey, "BackBitmapShell", LoadToolbarPicture,
                            SaveToolbarPicture));
    table.push_back(special("CheckBox_CommandPrompt", HKCR, kCommandPromptKey + "\\Command", "", LoadCommandPrompt,
                            SaveCommandPrompt));
    table.push_back(flag("CheckBox_NoCDBurning", HKCU, policies, "NoCDBurning"));
    table.push_back(flag("CheckBox_NukeOnDelete", HKLM, kBitBucketKey, "NukeOnDelete"));
    table.push_back(shortcutMark("CheckBox_LNKs", "Lnkfile"));
    table.push_back(special("CheckBox_LNKsmit", HKCU, kExplorerKey, "Link", LoadShortcutNames, SaveShortcutNames));
    table.push_back(shortcutMark("CheckBox_PIFs", "Piffile"));
    table.push_back(flag("CheckBox_PaintDesktopVersion", HKCU, kDesktopKey, "PaintDesktopVersion"));
    table.push_back(BoundRow("CheckBox_NoInstrumentation", HKCU, policies, "NoInstrumentation", Rule::RemovedPolicyFlag));
    table.push_back(special("CheckBox_Notepad", HKLM, kUnknownShellKey, "", LoadNotepad, SaveNotepad));
    table.push_back(flag("CheckBox_NoActiveDesktop", HKCU, policies, "NoActiveDesktop"));
    table.push_back(flag("CheckBox_NoDispCPL", HKCU, system, "NoDispCPL"));
    table.push_back(flag("CheckBox_NoDispAppearancePage", HKCU, system, "NoDispAppearancePage"));
    table.push_back(flag("CheckBox_NoDispBackgroundPage", HKCU, system, "NoDispBackgroundPage"));
    table.push_back(flag("CheckBox_NoDispSettingsPage", HKCU, system, "NoDispSettingsPage"));
    table.push_back(flag("CheckBox_NoDispScrSavPage", HKCU, system, "NoDispScrSavPage"));
    table.push_back(flag("CheckBox_NoViewContextMenu", HKCU, policies, "NoViewContextMenu"));
    table.push_back(flag("CheckBox_NoWinKeys", HKCU, policies, "NoWinKeys"));
    table.push_back(flag("CheckBox_NoShellSearchButton_XP", HKCU, policies, "NoShellSearchButton"));
    table.push_back(flag("CheckBox_NoFileAssociate_XP", HKCU, policies, "NoFileAssociate"));
    table.push_back(flag("CheckBox_NoFileMenu", HKCU, policies, "NoFileMenu"));
    table.push_back(flag("CheckBox_NoFolderOptions", HKCU, policies, "NoFolderOptions"));
    table.push_back(special("ListView_NoDrives", HKCU, policies, "NoDrives", LoadHiddenDrives, SaveHiddenDrives));
    table.push_back(special("CheckBox_WallPaperXY", HKCU, kDesktopKey, kOriginX, LoadWallpaperOrigin,
                            SaveWallpaperOrigin));
    // Read here, written only by "Symbol ändern".
    table.push_back(special("Image_LNK", HKLM, shell_icons::kShellIconsKey, std::to_string(shell_icons::kArrowSlot),
                            LoadShortcutArrow, nullptr));
    table.push_back(special("CheckBox_PaintPicture", HKCR, ".bmp", "", LoadThumbnails, SaveThumbnails));
    table.push_back(special("CheckBox_FontSmoothing", HKCU, kDesktopKey, "FontSmoothing", LoadFontSmoothing,
                            SaveFontSmoothing));
    // Windows keeps the name in this spelling.
    table.push_back(BoundRow("CheckBox_DragFullWindows", HKCU, kDesktopKey, "Dragfullwindows", Rule::TextFlag));
    table.push_back(special("ComboBox_FontSmoothingType", HKCU, kDesktopKey, "FontSmoothingType", LoadSmoothingType,
                            SaveSmoothingType));
    // Read last, written only by "Anwenden" and "Zurücksetzen".
    table.push_back(SpecialRow("TabSheet6", HKLM, shell_icons::kShellIconsKey, "", LoadShellIcons, nullptr,
                               kShellIconStage));
    return table;
}

}  // namespace

const BindingTable& ExplorerBindingTable()
{
    static const BindingTable table = BuildTable();
    return table;
}

std::string BitmapFileType()
{
    if (!RegKeyExists(HKCR, ".bmp"))
        return {};
    return RegReadText(HKCR, ".bmp", "");
}

}  // namespace pages::explorer
