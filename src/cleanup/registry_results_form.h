// The registry result dialog "Einträge in der Registrierdatenbank löschen": the
// findings of the registry search, one group line per check with its entries below,
// all ticked. "Löschen" exports every key before it deletes from it.
#pragma once

#include "cleanup/registry_scanner.h"
#include "ui/form.h"
#include "ui/virtual_tree.h"

#include <array>
#include <string>

namespace ui {
class Button;
class Label;
class ProgressBar;
}

namespace cleanup {

// The record of a line of the registry result list.
struct RegEntry {
    std::string Title;
    int Kind = -1;  // the entry's check, -1 for a group line
    std::string Extension;
    std::string MissingFile;
    std::string Key;
    std::string ValueName;  // the stored value a kind 3 or 6 entry removes
    std::string FileKey;    // kind 2: the missing file's key below the library key
    int GroupKind = 0;      // the group's check (its picture), 0 for an entry
};

// What became of the ticked entries of one deletion run.
struct DeletionCounts {
    int deleted = 0;
    int backupFailed = 0;  // kept: their key could not be backed up
    int notDeleted = 0;    // backed up, but the registry refused the deletion
};

// The final message of a deletion run: what was deleted, and what was kept and why.
std::string DeletionReport(const DeletionCounts& counts);

class TForm6 : public ui::Form {
public:
    TForm6();

    ui::VirtualTree& VirtualStringTree_REG() const { return *list_; }
    ui::Label& Label_Anzahl() const { return *count_; }
    ui::Button& ButtonDELETE() const { return *delete_; }

    // A ticked group line for a check, and a ticked entry below it.
    ui::TreeNode addGroup(RegCheckKind kind, const std::string& title);
    ui::TreeNode addEntry(ui::TreeNode group, RegCheckKind kind, const RegFinding& finding);
    void clearLines() { list_->clear(); }
    RegEntry* entryOf(ui::TreeNode node) { return list_->recordAs<RegEntry>(node); }
    // The lines that are no group lines.
    int entryCount() const;
    int groupCount() const;

    // The three text lines an entry shows (a group line shows only the first).
    std::array<std::string, 3> lineTexts(const RegEntry& entry) const;

    void Button1Click();  // "Hilfe"
    void Button2Click();  // "Abbrechen"
    void ButtonDELETEClick();
    void VirtualStringTree_REGDrawNode(HDC dc, ui::TreeNode node, const RECT& content);
    // Ticking a group ticks its entries; an entry's tick sets its group's state.
    void VirtualStringTree_REGChecked(ui::TreeNode node);

protected:
    // Shown, every group is opened: entries are added to closed groups, which is fast.
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void expandGroups();
    DeletionCounts deleteTickedEntries(ui::ProgressBar& progress);

    ui::Label* count_ = nullptr;
    ui::VirtualTree* list_ = nullptr;
    ui::Button* delete_ = nullptr;
    ui::ImageListHandle images_;
    std::string fileTypeOf_;
    std::string missingFileIs_;
    std::string entryOf_;
};

// The dialog while it exists; the clean-up page sets and clears it.
extern TForm6* Form6;

// The picture list of the registry result list, indexed by check kind (0 to 10).
ui::ImageListHandle RegistryKindImages();

}  // namespace cleanup
