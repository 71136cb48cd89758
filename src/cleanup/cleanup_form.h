// The clean-up page "System aufräumen": what to search for and on which drives, the
// file search and the registry search behind the wait window, and the result dialog
// of each. Its choices are remembered under the program's key when the options say so.
#pragma once

#include "ui/form.h"

#include <array>
#include <string>

namespace components {
class TOstrelDrives;
}

namespace ui {
class Button;
class CheckBox;
class PageControl;
class TabSheet;
}

namespace cleanup {

class TForm_CleanUP : public ui::Form {
public:
    TForm_CleanUP();
    ~TForm_CleanUP() override;

    ui::PageControl& PageControl1() const { return *pages_; }
    components::TOstrelDrives& OstrelDrives_FILES() const { return *fileDrives_; }
    components::TOstrelDrives& OstrelDrives_REG() const { return *registryDrives_; }
    ui::Button& Button_FILESUCHE() const { return *fileSearch_; }
    ui::Button& Button_REGSUCHE() const { return *registrySearch_; }

    void Button_ApplyClick();  // "Zurück"
    void Button_hilfeClick();
    void Button_FILESUCHEClick();
    void Button_REGSUCHEClick();
    // Runs at every close: remembers the choices and forgets the last file search.
    void FormClose();

    // The remembered choices, read and written only when the options page asks for it.
    void LoadCleanupOptions();
    void SaveCleanupOptions();

private:
    void createFileSheet(ui::TabSheet& sheet);
    void createRegistrySheet(ui::TabSheet& sheet);
    void loadDriveTicks(components::TOstrelDrives& list, const std::string& subkey);
    void saveDriveTicks(components::TOstrelDrives& list, const std::string& subkey);

    ui::PageControl* pages_ = nullptr;
    components::TOstrelDrives* fileDrives_ = nullptr;
    components::TOstrelDrives* registryDrives_ = nullptr;
    ui::Button* fileSearch_ = nullptr;
    ui::Button* registrySearch_ = nullptr;
    std::array<ui::CheckBox*, 8> fileBoxes_{};
    std::array<ui::CheckBox*, 6> registryBoxes_{};
    ui::ImageListHandle driveImages_;
};

// The page while it exists; its creator sets and clears it.
extern TForm_CleanUP* Form_CleanUP;

// Whether the options page asks to remember the clean-up's choices.
bool RemembersCleanupOptions();

}  // namespace cleanup
