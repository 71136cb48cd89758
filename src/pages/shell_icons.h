// Replacement of Windows' shell icons on the Explorer page: the 59 slots of the
// shell's icon table (17 of them shown by a picture of the page), the Control Panel
// icon and the shortcut arrow, how their registry texts read and write, and the
// steps that apply, reset and pick icons. Unlike the page's other settings these
// are written at once, by their own buttons, and Explorer is told to redraw.
#pragma once

#include "ui/handles.h"

#include <array>
#include <optional>
#include <string>

#include <windows.h>

namespace ui {
class Image;
}

namespace pages::shell_icons {

inline const std::string kShellIconsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";
inline const std::string kControlPanelIconKey = "Software\\Classes\\{21EC2020-3AEA-1069-A2DD-08002B30309D}\\DefaultIcon";
inline const std::string kControlPanelClassIconKey =
    "Software\\Classes\\CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}\\DefaultIcon";
inline const std::string kMyComputerIconKey = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon";

constexpr int kSlotCount = 59;
constexpr int kArrowSlot = 29;
constexpr int kControlPanelIndex = 57;  // the Control Panel's icon in shell32.dll

// Language strings of the questions and notes.
enum Strings {
    kArrowWarning = 7920,   // to 7923
    kApplyWarning = 7930,   // to 7936
    kApplied = 7940,
    kResetQuestion = 7950,  // to 7952
};

// An entry of "Shell Icons" (named by the slot number), or the Control Panel's icon.
enum class SlotKind { ShellIcon = 0, ControlPanel = 1 };

// An icon: the file that holds it and its index there.
struct IconLocation {
    std::string file;
    int index = 0;
    bool operator==(const IconLocation&) const = default;
};

struct IconSlot {
    std::string file;
    int index = -1;  // -1 while the slot is unused
    ui::Image* image = nullptr;
    SlotKind kind = SlotKind::ShellIcon;
    // The stored text could not be read: applying leaves it alone until an icon is picked.
    bool unread = false;
};

// The 17 pictures of the tab, in the order of their group boxes and rows.
struct SlotPicture {
    const char* image;
    int slot;
    SlotKind kind;
    int group;  // 0, 1 or 2: the group box from the left
    const char* label;
    int labelTag;
    const char* labelText;
};
constexpr int kPictureCount = 17;
extern const SlotPicture kSlotPictures[kPictureCount];

// The icon file Windows' own icons come from: shell32.dll in the system folder.
std::string DefaultIconFile();
// The Windows folder, without a trailing backslash.
std::string WindowsFolder();

// A slot's stored text: the file before the first comma (blanks trimmed) and the
// number after it; the whole text with index 0 when there is no comma; the fallback
// when the text is empty. A number that is not decimal raises the conversion error.
IconLocation ParseSlotText(const std::string& text, const IconLocation& fallback);
// The text a slot is stored as: the file in capitals, " ," and the index.
std::string SlotText(const IconLocation& icon);

// The shortcut arrow's stored text, split at its last comma; an empty file is shell32,
// an empty index 29. A text without a comma is a file with index 0.
IconLocation ParseArrowText(const std::string& text);
// The arrow's text: the file as it is, "," and the index.
std::string ArrowText(const IconLocation& icon);

// The icon at that place, or an empty handle when the file holds none there.
ui::IconHandle ExtractShellIcon(const IconLocation& icon);

// Runs the shell's icon picker from `current`; the choice when the user confirmed one
// that differs in file or index, nothing otherwise.
std::optional<IconLocation> PickDifferentIcon(HWND owner, const IconLocation& current);

// Explorer rebuilds its icon cache and the shell reloads the icons it shows.
void NotifyShell();

class ShellIconSlots {
public:
    // Empties all 59 slots.
    void clear();
    // Reads one slot into its picture. A stored index that is no number leaves the
    // slot with its picture, unread, and raises the conversion error.
    void loadSlot(SlotKind kind, ui::Image& image, int slot);
    // Empties the slots, then reads the 17 pictured ones; when texts could not be
    // read, the first error is raised after all the others are loaded.
    void loadAll(const std::array<ui::Image*, kPictureCount>& images);

    const IconSlot& slot(int number) const { return slots_.at(static_cast<std::size_t>(number)); }
    // The slot a picture shows; nullptr for none.
    IconSlot* slotOf(const ui::Image& image);

    // Lets the user pick another icon for the slot; its picture shows the choice at once.
    bool pick(HWND owner, IconSlot& slot);

    // Writes every pictured slot: a slot showing Windows' own icon has its value
    // removed, every other one is written; then the shell is told.
    void apply() const;

private:
    std::array<IconSlot, kSlotCount> slots_{};
};

// The icon texts "Zurücksetzen" writes before the slots are read and applied again.
void ResetShellIconValues();

}  // namespace pages::shell_icons
