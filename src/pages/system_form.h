// The System page: boot, crash, memory, file-system cache, CPU and NTFS settings,
// the start type of ten Windows services, seven shell folders, the installation
// source path and the restrictions of the Control Panel with its applet list.
#pragma once

#include "pages/tweak_page.h"
#include "ui/virtual_tree.h"

#include <string>
#include <vector>

namespace ui {
class CheckBox;
class TabSheet;
}

namespace pages {

class TForm_System : public TweakPage {
public:
    TForm_System();

    void LoadSettings() override;
    void SaveSettings() override;

    // The start type of a service as the index of its drop-down list: 0 for "Start"
    // = 4 (disabled), 1 for 3 (manual), 2 for 2 (automatic); -1 when the service's
    // key does not exist or "Start" holds any other number.
    int ServiceStartIndex(const std::string& serviceName) const;

    // "Setzen" of the shell folders: writes the edit's path at once.
    void Button_SetDir_FavoritesClick();
    void Button_SetDir_PersonalClick();
    void Button_SetDir_StartmenuClick();
    void Button_SetDir_ProgramsClick();
    void Button_SetDir_StartUpClick();
    void Button_SetDir_TemplatesClick();
    void Button_SetDir_SendToClick();

    // Draws one applet of the Control Panel list: its icon and its name.
    void VirtualDrawTree_CPLDrawNode(HDC dc, ui::TreeNode node, const RECT& content);

    ui::VirtualTree& VirtualDrawTree_CPL() const { return *appletList_; }

protected:
    void CreateComboItems() override;
    TweakPage* singleInstance() const override;

private:
    void createSettingsSheet();
    void createFoldersSheet();
    void createCacheSheet();
    void createHardwareSheet();
    void createServiceSheet(const char* sheetName, int sheetTag, const char* sheetCaption, int first, int last);
    void createRestrictionsSheet();
    void createOtherSheet();
    ui::TabSheet& addSheet(const char* name, int tag, const char* caption);
    void setShellFolder(int row);

    ui::VirtualTree* appletList_ = nullptr;
};

// The page while it exists; its creator sets and clears it.
extern TForm_System* Form_System;

}  // namespace pages
