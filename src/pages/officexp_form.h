// The Office and Messenger page: the Windows Messenger (start with Windows, removable
// in the Control Panel, blocked, its background picture), Office XP (adaptive menus,
// assistants, error reports) and Outlook Express (splash screen, window title).
#pragma once

#include "pages/tweak_page.h"

#include <string>

namespace ui {
class TabSheet;
}

namespace pages {

class TForm_OfficeXP : public TweakPage {
public:
    TForm_OfficeXP();

    void LoadSettings() override;
    void SaveSettings() override;

    // The Outlook Express key of the first identity, and whether it exists; both are
    // worked out by LoadSettings.
    const std::string& OEKey() const { return oeKey_; }
    bool OEPresent() const { return oePresent_; }

    // "..." beside the picture: picks a GIF file for the Messenger background.
    void Button_BildLADENClick();
    // "Ändern": puts the chosen picture in place of the Messenger's background at once,
    // keeping the Messenger's own picture as a backup the first time.
    void Button_MessengerClick();

protected:
    void CreateFilters() override;
    TweakPage* singleInstance() const override;

private:
    void createMessengerSheet();
    void createOfficeSheet();
    void createOutlookSheet();
    ui::TabSheet& addSheet(const char* name, int tag, const char* caption);
    void findApplications();

    std::string oeKey_;
    bool oePresent_ = false;
    std::string gifFilter_;
};

// The page while it exists; its creator sets and clears it.
extern TForm_OfficeXP* Form_OfficeXP;

}  // namespace pages
