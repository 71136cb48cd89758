// The undo dialog "Änderungen rückgängig machen": the change sets of the journal with
// what each changed (the state before and now), undoing a set together with every
// newer one, the clean-up's registry backups and their import, and the space the
// journal takes with the removal of old sets.
#pragma once

#include "registry/change_journal_sets.h"
#include "ui/form.h"

#include <string>
#include <vector>

namespace ui {
class Button;
class DatePicker;
class Label;
class ListView;
class PageControl;
}

namespace app {

// A dated backup file of the clean-up in AppDir\BACKUP.
struct RegistryBackup {
    std::string path;
    std::string name;
    FILETIME written{};
    std::uint64_t size = 0;
};

// The clean-up's dated backups ("Backup *.reg"), newest first.
std::vector<RegistryBackup> ListRegistryBackups(const std::string& backupFolder);

class TForm_Undo : public ui::Form {
public:
    TForm_Undo();

    ui::PageControl& PageControl1() const { return *pages_; }
    ui::ListView& ListView_Sets() const { return *sets_; }
    ui::ListView& ListView_Details() const { return *details_; }
    ui::ListView& ListView_Backups() const { return *backups_; }
    ui::DatePicker& DatePicker_Before() const { return *before_; }
    ui::Label& Label_Size() const { return *size_; }
    ui::Label& Label_Count() const { return *count_; }

    // Reads the journal and the backups again and shows them; the newest set is selected.
    void refresh();

    // "Rückgängig machen": the selected set and every newer one, after a question.
    void Button_UndoClick();
    // "Sicherung einlesen": imports the selected backup with the registry editor.
    void Button_ImportClick();
    // "Entfernen...": removes the sets stored before the chosen day, after a question.
    void Button_RemoveOldClick();
    void Button_hilfeClick();

private:
    void createChangesSheet();
    void createBackupsSheet();
    void createSpaceSheet();
    void showDetails(int index);
    void showSpace();
    // The values of the space sheet start after the longest of their captions.
    void placeSpaceValues();

    ui::PageControl* pages_ = nullptr;
    ui::ListView* sets_ = nullptr;
    ui::ListView* details_ = nullptr;
    ui::ListView* backups_ = nullptr;
    ui::Button* undo_ = nullptr;
    ui::Button* import_ = nullptr;
    ui::DatePicker* before_ = nullptr;
    ui::Label* size_ = nullptr;
    ui::Label* count_ = nullptr;
    ui::Label* folder_ = nullptr;
    std::vector<ui::Label*> spaceCaptions_;

    std::vector<journal::SetInfo> shownSets_;  // in list order, newest first
    std::vector<RegistryBackup> shownBackups_;
};

// The dialog while it is open; nullptr otherwise.
extern TForm_Undo* Form_Undo;

// Tells the shell and the running programs that settings changed, as the pages do:
// the setting-change broadcast and Explorer's icons rebuilt.
void NotifyShellOfChanges();

}  // namespace app
