// The Miscellaneous page: the list of installed programs as the Control Panel shows
// it (rename an entry, change its uninstall command, remove it from the list), the
// manufacturer's information of the System control panel, and the registered owner.
#pragma once

#include "pages/sonstige_rows.h"
#include "pages/tweak_page.h"

#include <string>
#include <vector>

namespace ui {
class Image;
class ListView;
class TabSheet;
}

namespace pages {

class TForm_Sonstige : public TweakPage {
public:
    TForm_Sonstige();

    void LoadSettings() override;
    void SaveSettings() override;

    // Fills the installed-programs list anew; nothing is selected afterwards.
    void LoadUninstallList();
    void ListView_UninstallSelectItem(int index, bool selected);
    // Act at once on the selected entry of the list.
    void Button_AendernClick();
    void Button_EntfernenClick();
    void Button_ReloadClick() { acting<TForm_Sonstige>().LoadUninstallList(); }

    // The OEM logo: choose a picture, remove it (both written on "Ok"), or remove all
    // OEM information from the system at once.
    void Button_OEMBildClick();
    void Button_OemBildDELETEClick();
    void Button_OemDELETEClick();

    ui::ListView& ListView_Uninstall() const { return *uninstallList_; }
    ui::Image& Image_Oemlogo() const { return *logo_; }

    // Loads the logo file into the picture. A file that cannot be read leaves the
    // picture empty and is kept on "Ok" unless the user chooses or removes a picture.
    void loadLogo(const std::string& path);
    bool logoKeptUnread() const { return logoUnread_; }

protected:
    void CreateFilters() override;
    TweakPage* singleInstance() const override;

private:
    template <class Page>
    Page& acting()
    {
        return static_cast<Page&>(TweakPage::acting());
    }
    void createProgramsSheet();
    void createOemSheet();
    void createOwnerSheet();
    ui::TabSheet& addSheet(const char* name, int tag, const char* caption);
    // The program of the selected item, or null when none is selected.
    const sonstige::InstalledProgram* selectedProgram() const;

    ui::ListView* uninstallList_ = nullptr;
    ui::Image* logo_ = nullptr;
    std::vector<sonstige::InstalledProgram> programs_;
    bool logoUnread_ = false;
    std::string pictureFilter_;
};

// The page while it exists; its creator sets and clears it.
extern TForm_Sonstige* Form_Sonstige;

}  // namespace pages
