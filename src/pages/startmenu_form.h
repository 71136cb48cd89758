// The Start menu and taskbar page: the classic Start menu, recent documents, the delay
// of program groups, entries shown or hidden in the Start menu, the notification area
// (balloon tips, icons, clock) and the taskbar (grouping, locking, toolbars).
#pragma once

#include "pages/tweak_page.h"

namespace ui {
class TabSheet;
}

namespace pages {

class TForm_Startmenu : public TweakPage {
public:
    TForm_Startmenu();

    void LoadSettings() override;
    void SaveSettings() override;

protected:
    TweakPage* singleInstance() const override;

private:
    void createStartMenuSheet();
    void createRestrictionsSheet();
    void createNotificationSheet();
    void createTaskbarSheet();
    ui::TabSheet& addSheet(const char* name, int tag, const char* caption);
};

// The page while it exists; its creator sets and clears it.
extern TForm_Startmenu* Form_Startmenu;

}  // namespace pages
