// The Explorer and desktop page: shortcut marks, menu shadows, font smoothing, the
// wallpaper position, a toolbar background picture, BMP thumbnails, two context-menu
// entries, the recycle bin, CD burning, user tracking, Active Desktop, hidden drives,
// Explorer and display restrictions, and the replacement of Windows' shell icons
// (tab "Symbole" and the shortcut arrow), whose buttons write at once.
#pragma once

#include "pages/explorer_rows.h"
#include "pages/shell_icons.h"
#include "pages/tweak_page.h"
#include "ui/handles.h"

#include <array>
#include <string>

namespace ui {
class Image;
class ListView;
class TabSheet;
}

namespace pages {

class TForm_Explorer : public TweakPage, public explorer::ShellIconPage {
public:
    TForm_Explorer();
    ~TForm_Explorer() override;

    void LoadSettings() override;
    void SaveSettings() override;

    void ShowToolbarPicture(const std::string& path) override;
    // "...": picks a toolbar picture; it is stored on "Ok" while its check box is checked.
    void Button_BildLADENClick();

    // The shell icons: every slot of the shell's icon table, the 17 pictured ones read.
    void LoadShellIcons() override;
    void LoadShortcutArrow() override;
    // Any of the 17 pictures: lets the user pick another icon for its slot (written by "Anwenden").
    void Image_Shell_15Click(ui::Image& sender);
    // "Anwenden": asks, writes the slots and tells the shell, then says it is done.
    void Button_SymboleAPPLYClick();
    // The writing step of "Anwenden" alone.
    void Button_DOSymboleNOWClick();
    // "Zurücksetzen": after asking, Windows' own icons come back.
    void Button_SymboleRESETClick();
    // "Symbol ändern": picks another shortcut arrow and writes it at once, after a warning.
    void Button_LNKSymbolClick();

    const shell_icons::ShellIconSlots& shellIcons() const { return slots_; }
    const shell_icons::IconLocation& shortcutArrow() const { return arrow_; }
    HIMAGELIST ImageList_AutorunDrives() const { return driveImages_.get(); }

protected:
    void CreateComboItems() override;
    void CreateFilters() override;
    TweakPage* singleInstance() const override;

private:
    void createLookSheet();
    void createWindowSheet();
    void createSymbolSheet();
    void createSettingsSheet();
    void createDrivesSheet();
    void createRestrictionsSheet();
    ui::TabSheet& addSheet(const char* name, int tag, const char* caption);
    // The page the handlers act on: the single instance while there is one.
    TForm_Explorer& page();
    std::array<ui::Image*, shell_icons::kPictureCount> slotImages() const;

    ui::ImageListHandle driveImages_;
    ui::ListView* drives_ = nullptr;
    std::string pictureFilter_;
    shell_icons::ShellIconSlots slots_;
    shell_icons::IconLocation arrow_;
};

// The page while it exists; its creator sets and clears it.
extern TForm_Explorer* Form_Explorer;

}  // namespace pages
