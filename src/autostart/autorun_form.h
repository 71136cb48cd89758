// The Autostart & Autorun page: the programs started at logon (listed, removed, edited
// and added through the autostart list model), which drive types and drive letters
// report a media change, the polling of CD-ROM drives and the command that plays
// audio CDs.
#pragma once

#include "autostart/autorun.h"
#include "pages/tweak_page.h"
#include "ui/handles.h"

#include <string>

namespace components {
class TShortcutLink;
}
namespace ui {
class Button;
class Exception;
class DrawnList;
class Edit;
class LabelledEdit;
class ListView;
class TabSheet;
}

namespace autostart {

// Language strings the page asks for.
enum PageStrings {
    kTitle = 4000,
    kSheetAutostart = 4001,
    kColumnName = 4190,  // 4190-4192: the column titles
    kMarkedPrefix = 4900,
    kSelectTitle = 4901,
    kUnchanged = 4910,    // 4910, 4911: nothing to change
    kNameTaken = 4912,    // 4912, 4914: a name that cannot be given; 4913 follows both
    kOtherName = 4913,
    kNameNotAllowed = 4914,
    kConfirmRemoval = 4920,  // 4920 "name" 4921
    kAutostartSaved = 4830,  // 4830, 4831, the error, 4832: a save that stopped after the list
    kSettingsRefused = 4831,
    kCloseAnyway = 4832,
};

class TForm_Autorun : public pages::TweakPage {
public:
    TForm_Autorun();
    ~TForm_Autorun() override;

    void LoadSettings() override;
    void SaveSettings() override;

    // The list reports another focused row: the edits show it, and the buttons offer
    // what can be done with it.
    void VirtualDrawTree_AutorunChange(int row);
    // Draws one cell of a row: icon and name, the source's label, the command.
    void VirtualDrawTree_AutorunDrawNode(HDC dc, int row, int column, const RECT& cell);

    void Button_AutorunSELECTClick();
    void Button_AutorunBEARBEITENClick();
    void Button_AutoRunADDClick();
    void Button_AutorunDELETEClick();
    void Button_AutoRunNOTDELETEClick();

    ui::DrawnList& VirtualDrawTree_Autorun() const { return *list_; }
    ui::ListView& ListView_AutorunDrives() const { return *drives_; }
    components::TShortcutLink& ShortcutLink1() const { return *shortcutLink_; }
    AutostartManager& autostart() { return manager_; }

protected:
    TweakPage* singleInstance() const override;

private:
    void createAutostartSheet();
    void createDriveSheet();
    void createOtherSheet();
    ui::TabSheet& addSheet(const char* name, int tag, const char* caption);
    TForm_Autorun& self();
    void showRowState(int row);
    void askToLeaveAfterPartialSave(const ui::Exception& error);
    void warnAboutName(NameProblem problem);

    ui::DrawnList* list_ = nullptr;
    ui::LabelledEdit* nameEdit_ = nullptr;
    ui::LabelledEdit* commandEdit_ = nullptr;
    ui::Button* editButton_ = nullptr;
    ui::Button* addButton_ = nullptr;
    ui::Button* removeButton_ = nullptr;
    ui::Button* keepButton_ = nullptr;
    ui::ListView* drives_ = nullptr;
    components::TShortcutLink* shortcutLink_ = nullptr;
    ui::ImageListHandle driveImages_;  // ImageList_AutorunDrives
    std::string chosenProgram_;        // the open dialog's last choice
    bool autostartApplied_ = false;    // an "Ok" wrote the list, although the page stayed open
    AutostartManager manager_;
};

// The page while it exists; its creator sets and clears it.
extern TForm_Autorun* Form_Autorun;

}  // namespace autostart
