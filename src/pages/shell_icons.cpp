#include "pages/shell_icons.h"

#include "registry/helpers.h"
#include "registry/registry.h"
#include "ui/application.h"
#include "ui/convert.h"
#include "ui/errors.h"
#include "ui/image.h"
#include "ui/platform_dialogs.h"

#include <shellapi.h>

namespace pages::shell_icons {

using namespace registry;

const SlotPicture kSlotPictures[kPictureCount] = {
    {"Image_Shell_35", 35, SlotKind::ControlPanel, 0, "Label_Shell_35", 7311, "Systemsteuerung"},
    {"Image_shell_31", 31, SlotKind::ShellIcon, 0, "Label_Shell_31", 7312, "Papierkorb (leer)"},
    {"Image_Shell_32", 32, SlotKind::ShellIcon, 0, "Label_Shell_32", 7313, "Papierkorb (voll)"},
    {"Image_Shell_17", 17, SlotKind::ShellIcon, 0, "Label_Shell_17", 7314, "Netzwerkumgebung"},
    {"Image_Shell_18", 18, SlotKind::ShellIcon, 0, "Label_Shell_18", 7315, "Arbeitsgruppe"},
    {"Image_Shell_28", 28, SlotKind::ShellIcon, 0, "Label_Shell_28", 7316, "Freigabe"},
    {"Image_Shell_2", 2, SlotKind::ShellIcon, 1, "Label_Shell_2", 7321, "Anwendung (Standard)"},
    {"Image_Shell_0", 0, SlotKind::ShellIcon, 1, "Label_Shell_0", 7322, "Unbekannter Dateityp"},
    {"Image_Shell_3", 3, SlotKind::ShellIcon, 1, "Label_Shell_3", 7323, "Ordner (geschlossen)"},
    {"Image_Shell_4", 4, SlotKind::ShellIcon, 1, "Label_Shell_4", 7324, "Ordner (offen)"},
    {"Image_Shell_6", 6, SlotKind::ShellIcon, 2, "Label_Shell_6", 7331, "Diskette 3,5 Zoll"},
    {"Image_Shell_7", 7, SlotKind::ShellIcon, 2, "Label_Shell_7", 7332, "Wechsellaufwerk"},
    {"Image_Shell_8", 8, SlotKind::ShellIcon, 2, "Label_Shell_8", 7333, "Festplatte"},
    {"Image_Shell_9", 9, SlotKind::ShellIcon, 2, "Label_Shell_9", 7334, "Netzlaufwerk (verbunden)"},
    {"Image_Shell_10", 10, SlotKind::ShellIcon, 2, "Label_Shell_10", 7335, "Netzlaufwerk (getrennt)"},
    {"Image_Shell_11", 11, SlotKind::ShellIcon, 2, "Label_Shell_11", 7336, "CD-ROM / DVD"},
    {"Image_Shell_12", 12, SlotKind::ShellIcon, 2, "Label_Shell_12", 7337, "RAM-Disk"},
};

namespace {

// The order in which the pictured slots are read.
constexpr int kLoadOrder[kPictureCount] = {3, 4, 2, 17, 18, 31, 32, 35, 0, 6, 7, 8, 9, 10, 11, 12, 28};

// The "Shell Icons" values "Zurücksetzen" removes: every pictured slot but the Control Panel's.
constexpr int kResetSlots[] = {3, 4, 2, 17, 18, 31, 32, 0, 6, 7, 8, 9, 10, 11, 12, 28};

using FolderFunction = UINT(WINAPI*)(LPSTR, UINT);

std::string FolderFrom(FolderFunction folderOf)
{
    char folder[MAX_PATH] = {};
    const UINT length = folderOf(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string{};
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void ShowIcon(ui::Image& image, const IconLocation& icon)
{
    image.setIcon(ExtractShellIcon(icon));
}

}  // namespace

std::string DefaultIconFile()
{
    return FolderFrom(GetSystemDirectoryA) + "\\shell32.dll";
}

std::string WindowsFolder()
{
    return FolderFrom(GetWindowsDirectoryA);
}

IconLocation ParseSlotText(const std::string& text, const IconLocation& fallback)
{
    if (text.empty())
        return fallback;
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return {text, 0};
    return {Trimmed(text.substr(0, comma)), ui::StrToInt(text.substr(comma + 1))};
}

std::string SlotText(const IconLocation& icon)
{
    return ui::UpperCase(icon.file) + " ," + std::to_string(icon.index);
}

IconLocation ParseArrowText(const std::string& text)
{
    const auto comma = text.rfind(',');
    if (comma == std::string::npos)
        return {text.empty() ? DefaultIconFile() : text, text.empty() ? kArrowSlot : 0};
    std::string file = text.substr(0, comma);
    std::string index = text.substr(comma + 1);
    if (file.empty())
        file = DefaultIconFile();
    if (index.empty())
        index = std::to_string(kArrowSlot);
    return {file, ui::StrToInt(index)};
}

std::string ArrowText(const IconLocation& icon)
{
    return icon.file + "," + std::to_string(icon.index);
}

ui::IconHandle ExtractShellIcon(const IconLocation& icon)
{
    // Files picked from the system folder may name it by its environment variable.
    const std::string file = helpers::ExpandEnvText(icon.file);
    HICON extracted = ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), static_cast<UINT>(icon.index));
    // ExtractIcon answers 1 for a file that is no icon source at all.
    if (extracted == reinterpret_cast<HICON>(1))
        extracted = nullptr;
    return ui::IconHandle(extracted);
}

std::optional<IconLocation> PickDifferentIcon(HWND owner, const IconLocation& current)
{
    const auto chosen = ui::PickIconDialog(owner, ui::IconChoice{current.file, current.index});
    if (!chosen)
        return std::nullopt;
    const IconLocation picked{chosen->file, chosen->index};
    if (picked == current)
        return std::nullopt;
    return picked;
}

void NotifyShell()
{
    helpers::RefreshShellIcons();
    helpers::NotifyAssociationsChanged();
}

// --- The slots ---------------------------------------------------------------------

void ShellIconSlots::clear()
{
    slots_.fill(IconSlot{});
}

void ShellIconSlots::loadSlot(SlotKind kind, ui::Image& image, int number)
{
    IconSlot& slot = slots_.at(static_cast<std::size_t>(number));
    const bool controlPanel = kind == SlotKind::ControlPanel;
    const std::string text = controlPanel ? RegReadText(HKLM, kControlPanelIconKey, "")
                                          : RegReadText(HKLM, kShellIconsKey, std::to_string(number));
    const IconLocation fallback{DefaultIconFile(), controlPanel ? kControlPanelIndex : number};
    slot.image = &image;
    slot.kind = kind;
    try {
        const IconLocation icon = ParseSlotText(text, fallback);
        slot.file = icon.file;
        slot.index = icon.index;
        slot.unread = false;
        ShowIcon(image, icon);
    } catch (const ui::Exception&) {
        // Picking an icon starts from Windows' own one; the stored text stays until then.
        slot.file = fallback.file;
        slot.index = fallback.index;
        slot.unread = true;
        image.setIcon(ui::IconHandle());
        throw;
    }
}

void ShellIconSlots::loadAll(const std::array<ui::Image*, kPictureCount>& images)
{
    clear();
    std::optional<ui::EConvertError> firstError;
    for (int number : kLoadOrder) {
        for (int picture = 0; picture < kPictureCount; ++picture) {
            const SlotPicture& design = kSlotPictures[picture];
            if (design.slot != number || !images[static_cast<std::size_t>(picture)])
                continue;
            try {
                loadSlot(design.kind, *images[static_cast<std::size_t>(picture)], number);
            } catch (const ui::EConvertError& error) {
                if (!firstError)
                    firstError = error;
            }
        }
    }
    if (firstError)
        throw *firstError;
}

IconSlot* ShellIconSlots::slotOf(const ui::Image& image)
{
    for (IconSlot& slot : slots_)
        if (slot.image == &image)
            return &slot;
    return nullptr;
}

bool ShellIconSlots::pick(HWND owner, IconSlot& slot)
{
    const auto chosen = PickDifferentIcon(owner, IconLocation{slot.file, slot.index});
    if (!chosen)
        return false;
    slot.file = chosen->file;
    slot.index = chosen->index;
    slot.unread = false;
    if (slot.image)
        ShowIcon(*slot.image, *chosen);
    ui::ProcessMessages();
    return true;
}

void ShellIconSlots::apply() const
{
    const std::string defaultFile = DefaultIconFile();
    for (int number = 0; number < kSlotCount; ++number) {
        const IconSlot& slot = slots_.at(static_cast<std::size_t>(number));
        if (!slot.image || slot.unread)
            continue;
        const std::string text = SlotText(IconLocation{slot.file, slot.index});
        if (slot.kind == SlotKind::ControlPanel) {
            RegWriteText(HKLM, kControlPanelIconKey, "", text);
            RegWriteText(HKLM, kControlPanelClassIconKey, "", text);
            continue;
        }
        const std::string name = std::to_string(number);
        if (slot.file == defaultFile && slot.index == number) {
            if (RegValueExists(HKLM, kShellIconsKey, name))
                RegValueRemove(HKLM, kShellIconsKey, name);
        } else {
            RegWriteText(HKLM, kShellIconsKey, name, text);
        }
    }
    NotifyShell();
}

void ResetShellIconValues()
{
    for (int number : kResetSlots)
        RegValueRemove(HKLM, kShellIconsKey, std::to_string(number));
    RegWriteText(HKLM, kControlPanelIconKey, "", DefaultIconFile() + " ," + std::to_string(kControlPanelIndex));
    RegWriteText(HKCR, kMyComputerIconKey, "", WindowsFolder() + "\\explorer.exe ,0");
}

}  // namespace pages::shell_icons
