#include "cleanup/file_results_form.h"

#include "cleanup/wait_window.h"
#include "language/language.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/layout.h"
#include "ui/look.h"

#include <windows.h>

#include <algorithm>
#include <optional>

namespace cleanup {

TForm11* Form11 = nullptr;

namespace {

using ui::layout::Bottom;
using ui::layout::Tagged;

constexpr int kClientWidth = 755;
constexpr int kClientHeight = 543;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 88;
constexpr int kWideButtonWidth = 110;
constexpr int kButtonHeight = 25;
constexpr int kRowHeight = 20;
constexpr const char* kHelpTopic = "systemaufraumen";

constexpr int kCaption = 16000;
constexpr int kColumnCaptions[] = {16001, 16002, 16003};
constexpr const char* kDesignedColumns[] = {"Dateiname", "Verzeichniss", "Grösse"};
constexpr int kColumnWidths[] = {180, 480, 100};

constexpr int kNothingTicked = 16900;
constexpr int kDeleteQuestion = 16910;
constexpr int kDeleteCount = 16911, kDeleteCountFiles = 16912, kDeleteSize = 16913, kDeleteSizeBytes = 16914;
constexpr int kCollecting = 16920, kRecycling = 16921;
constexpr int kAbortedFirst = 16930, kAbortedLast = 16932;
constexpr int kAbortedError = 16931, kAbortedErrorSecond = 16950, kAbortedErrorThird = 16951;
constexpr int kDoneFirst = 16940, kDoneLast = 16942;
constexpr int kMovedCount = 16960, kMovedOf = 16961, kDeletedForGood = 16962, kStillThere = 16963;

ui::Label& AddWrappedText(ui::Form& form, const char* name, int tag, const char* text, int top)
{
    auto& label = Tagged(form.add<ui::Label>(form, name, ui::Bounds{kMargin, top, kClientWidth - 2 * kMargin, 0}, text), tag);
    label.setWordWrap(true);
    label.setAutoSize(true);
    return label;
}

}  // namespace

TForm11::TForm11() : ui::Form("Form11", kClientWidth, kClientHeight, "Unnötige Dateien löschen")
{
    setFont(ui::ArialFont(11));
    setKeptOnTop(true);
    int top = kMargin;
    createTexts(top);
    createList(top, kClientHeight - kMargin - kButtonHeight - kMargin);
    createButtons();
    setCaption(language::LangString(kCaption));
    for (int column = 0; column < 3; ++column)
        list_->setColumnCaption(column, language::LangString(kColumnCaptions[column]));
}

void TForm11::createTexts(int& top)
{
    auto& explanation = AddWrappedText(
        *this, "Label7", 16100,
        "Es wurden unnötige Dateien gefunden. Diese können mit einem Klick auf \"Löschen\" in den Papierkorb "
        "verschoben werden.",
        top);
    auto& details = AddWrappedText(
        *this, "Label1", 16101,
        "Sie haben die Möglichkeit jeden gefundene Datei im Detail zu betrachten oder Ihre Löschung zu verhindern.",
        Bottom(explanation) + 2);
    const int countTop = Bottom(details) + 8;
    count_ = &add<ui::Label>(*this, "Label_Anzahl", ui::Bounds{kMargin, countTop, kClientWidth - 2 * kMargin, 0},
                             "Es wurden XXX mit XXX MB");
    count_->setFont(ui::ArialFont(11, true));
    count_->setAlignment(SS_CENTER);
    count_->setSize(kClientWidth - 2 * kMargin, ui::MeasureText(count_->font(), "Ag").cy + 2);
    top = Bottom(*count_) + 8;
}

void TForm11::createList(int top, int bottom)
{
    list_ = &add<FileListView>(*this, "VirtualStringTree_FILES",
                               ui::Bounds{kMargin, top, kClientWidth - 2 * kMargin, bottom - top});
    list_->setRowHeight(kRowHeight);
    for (int column = 0; column < 3; ++column)
        list_->addColumn(kDesignedColumns[column], kColumnWidths[column]);
    list_->cellText = [this](int line, int column) {
        const FileEntry& file = entries_[static_cast<std::size_t>(line)];
        return column == 0 ? file.Name : column == 1 ? file.Folder : std::to_string(file.Size);
    };
}

void TForm11::createButtons()
{
    const int top = kClientHeight - kMargin - kButtonHeight;
    const auto addButton = [&](const char* name, int tag, int left, int width, const char* caption) -> ui::Button& {
        return Tagged(add<ui::Button>(*this, name, ui::Bounds{left, top, width, kButtonHeight}, caption), tag);
    };
    auto& all = addButton("Button3", 16200, kMargin, kWideButtonWidth, "Alle markieren");
    auto& none = addButton("Button4", 16201, kMargin + kWideButtonWidth + kMargin, kWideButtonWidth, "Keine markieren");
    const int deleteLeft = kClientWidth - kMargin - kButtonWidth;
    const int cancelLeft = deleteLeft - kMargin - kButtonWidth;
    auto& help = addButton("Button1", 202, cancelLeft - kMargin - kButtonWidth, kButtonWidth, "Hilfe");
    auto& cancel = addButton("Button2", 201, cancelLeft, kButtonWidth, "Abbrechen");
    delete_ = &addButton("ButtonDELETE", 16202, deleteLeft, kButtonWidth, "Löschen");
    all.onClick = [this] { Button3Click(); };
    none.onClick = [this] { Button4Click(); };
    help.onClick = [this] { Button1Click(); };
    cancel.onClick = [this] { Button2Click(); };
    delete_->onClick = [this] { ButtonDELETEClick(); };
    setCancelButton(&cancel);
    setHelpButton(&help);
}

void TForm11::addFile(const FileEntry& entry)
{
    entries_.push_back(entry);
    list_->addLine(true);
}

void TForm11::clearFiles()
{
    entries_.clear();
    list_->clear();
}

int TForm11::checkedCount() const
{
    int count = 0;
    for (int line = 0; line < lineCount(); ++line)
        count += list_->checked(line) ? 1 : 0;
    return count;
}

std::int64_t TForm11::checkedSize() const
{
    std::int64_t total = 0;
    for (int line = 0; line < lineCount(); ++line)
        if (list_->checked(line))
            total += entries_[static_cast<std::size_t>(line)].Size;
    return total;
}

void TForm11::setAllChecked(bool checked)
{
    if (lineCount() == 0)
        return;
    list_->setAllChecked(checked);
    ui::ProcessMessages();
}

void TForm11::Button3Click()
{
    setAllChecked(true);
}

void TForm11::Button4Click()
{
    setAllChecked(false);
}

void TForm11::Button1Click()
{
    ui::ShowHelpTopic(kHelpTopic);
}

void TForm11::Button2Click()
{
    close();
}

// Every ticked file as a full path followed by a zero character, in list order.
std::string TForm11::checkedPaths() const
{
    std::string paths;
    for (int line = 0; line < lineCount(); ++line) {
        if (!list_->checked(line))
            continue;
        const FileEntry& file = entries_[static_cast<std::size_t>(line)];
        paths += file.Folder + "\\" + file.Name;
        paths += '\0';
    }
    return paths;
}

std::vector<DeletionMessage> RecycleReport(const RecycleOutcome& outcome)
{
    using language::LangString;
    using language::LangStringRange;
    if (outcome.stillThere == 0 && outcome.deletedForGood == 0 && !outcome.aborted)
        return {{ui::MsgKind::Information, LangStringRange(kDoneFirst, kDoneLast)}};
    if (outcome.stillThere == outcome.ticked && outcome.aborted)
        return {{ui::MsgKind::Information, LangStringRange(kAbortedFirst, kAbortedLast)},
                {ui::MsgKind::Error, language::LangStrings({kAbortedError, kAbortedErrorSecond, kAbortedErrorThird})}};
    // Say file by file what happened: how many lie in the Recycle Bin, how many are gone
    // for good and how many are where they were.
    std::vector<std::string> lines;
    if (outcome.aborted)
        lines.push_back(LangString(kAbortedFirst));
    lines.push_back(LangString(kMovedCount) + " " + std::to_string(outcome.inRecycleBin) + " " + LangString(kMovedOf) +
                    " " + std::to_string(outcome.ticked));
    if (outcome.deletedForGood > 0)
        lines.push_back(LangString(kDeletedForGood) + " " + std::to_string(outcome.deletedForGood));
    if (outcome.stillThere > 0) {
        lines.push_back(LangString(kStillThere) + " " + std::to_string(outcome.stillThere));
        lines.push_back(LangString(kAbortedErrorSecond));
        lines.push_back(LangString(kAbortedErrorThird));
    }
    if (outcome.inRecycleBin > 0)
        lines.push_back(LangString(kDoneFirst + 1));
    return {{ui::MsgKind::Warning, language::MessageLines(lines)}};
}

// The ticked files go to the Recycle Bin in one shell operation; what became of each
// is found out afterwards, since the shell's answer tells only that it ran.
RecycleOutcome TForm11::recycleTickedFiles()
{
    RecycleOutcome outcome;
    std::vector<std::string> files;
    for (int line = 0; line < lineCount(); ++line)
        if (list_->checked(line))
            files.push_back(entries_[static_cast<std::size_t>(line)].Folder + "\\" +
                            entries_[static_cast<std::size_t>(line)].Name);
    outcome.ticked = static_cast<int>(files.size());
    const std::optional<std::int64_t> binBefore = helpers::RecycleBinItemCount();
    helpers::RecycleFiles(checkedPaths(), outcome.aborted);
    const std::optional<std::int64_t> binAfter = helpers::RecycleBinItemCount();
    for (const std::string& file : files)
        if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES)
            ++outcome.stillThere;
    const int gone = outcome.ticked - outcome.stillThere;
    // Without the Recycle Bin's count the shell's word that it moved them must do.
    outcome.inRecycleBin = gone;
    if (binBefore && binAfter)
        outcome.inRecycleBin = static_cast<int>(std::clamp<std::int64_t>(*binAfter - *binBefore, 0, gone));
    outcome.deletedForGood = gone - outcome.inRecycleBin;
    return outcome;
}

void TForm11::ButtonDELETEClick()
{
    using language::LangString;
    const int count = checkedCount();
    if (count == 0) {
        ui::MessageDlg(LangString(kNothingTicked), ui::MsgKind::Error, {ui::MsgButton::OK});
        return;
    }
    const std::string question = LangString(kDeleteQuestion) + "\r" + LangString(kDeleteCount) + " " +
                                 std::to_string(count) + " " + LangString(kDeleteCountFiles) + "\r" +
                                 LangString(kDeleteSize) + " " + std::to_string(checkedSize()) + " " +
                                 LangString(kDeleteSizeBytes);
    if (ui::MessageDlg(question, ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) ==
        ui::MsgButton::No)
        return;

    RecycleOutcome outcome;
    {
        // The deleted files wait in the Recycle Bin; the journal keeps no copies of them.
        const journal::ChangeScope change(LangString(kCaption), journal::RecycledFiles::StayInBin);
        WaitWindowScope wait(false, LangString(kCollecting), count + 1, false);
        wait.show();
        // The dialog comes back however the deletion ends (the journal's refusal too).
        const HiddenForm hidden(*this);
        wait.setHeadline(LangString(kRecycling));
        ui::ProcessMessages();
        outcome = recycleTickedFiles();
        if (FileScanFlags.WinTmpDir)
            for (const std::string& folder : TempFolders())
                helpers::RemoveEmptySubfolders(folder, 0);
        wait.hide();
        ui::ProcessMessages();
    }
    for (const DeletionMessage& message : RecycleReport(outcome))
        ui::MessageDlg(message.text, message.kind, {ui::MsgButton::OK});
    close();
}

std::string GroupedNumber(std::int64_t number)
{
    char separator[8] = {};
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator))
        separator[0] = '\0';
    std::string digits = std::to_string(number);
    const bool negative = digits.front() == '-';
    if (negative)
        digits.erase(0, 1);
    std::string grouped;
    for (std::size_t index = 0; index < digits.size(); ++index) {
        if (index > 0 && (digits.size() - index) % 3 == 0)
            grouped += separator;
        grouped += digits[index];
    }
    return negative ? "-" + grouped : grouped;
}

}  // namespace cleanup
