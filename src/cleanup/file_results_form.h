// The file result dialog "Unnötige Dateien löschen": the files the search found, each
// a ticked line with its name, folder and size. "Löschen" moves the ticked files to
// the Recycle Bin in one shell operation.
#pragma once

#include "cleanup/file_list_view.h"
#include "cleanup/file_scanner.h"
#include "ui/dialogs.h"
#include "ui/form.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ui {
class Button;
class Label;
}

namespace cleanup {

// What became of the ticked files after the shell's operation.
struct RecycleOutcome {
    int ticked = 0;
    int inRecycleBin = 0;
    int deletedForGood = 0;  // gone, but not in the Recycle Bin: the shell could not take
                             // them there and the user let it delete them at its warning
    int stillThere = 0;
    bool aborted = false;    // the user cancelled part of the shell's operation
};

// The final message of a deletion: its kind and text.
struct DeletionMessage {
    ui::MsgKind kind;
    std::string text;
};
std::vector<DeletionMessage> RecycleReport(const RecycleOutcome& outcome);

class TForm11 : public ui::Form, public FileResultList {
public:
    TForm11();

    FileListView& VirtualStringTree_FILES() const { return *list_; }
    ui::Label& Label_Anzahl() const { return *count_; }
    ui::Button& ButtonDELETE() const { return *delete_; }

    // A line for a file, ticked.
    void addFile(const FileEntry& entry) override;
    void clearFiles();
    int lineCount() const { return static_cast<int>(entries_.size()); }
    const FileEntry& entry(int line) const { return entries_.at(static_cast<std::size_t>(line)); }
    int checkedCount() const;
    std::int64_t checkedSize() const;

    void Button3Click();  // "Alle markieren"
    void Button4Click();  // "Keine markieren"
    void Button1Click();  // "Hilfe"
    void Button2Click();  // "Abbrechen"
    void ButtonDELETEClick();

private:
    void createTexts(int& top);
    void createList(int top, int bottom);
    void createButtons();
    void setAllChecked(bool checked);
    std::string checkedPaths() const;
    RecycleOutcome recycleTickedFiles();

    ui::Label* count_ = nullptr;
    FileListView* list_ = nullptr;
    ui::Button* delete_ = nullptr;
    std::vector<FileEntry> entries_;
};

// The dialog while it exists; the clean-up page sets and clears it.
extern TForm11* Form11;

// The size of the ticked files as the count line shows it: digits grouped by the
// user's thousands separator.
std::string GroupedNumber(std::int64_t number);

}  // namespace cleanup
