#include "app/undo_form.h"

#include "app/globals.h"
#include "cleanup/registry_backup.h"
#include "language/language.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "ui/controls.h"
#include "ui/datepicker.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/handles.h"
#include "ui/help.h"
#include "ui/layout.h"
#include "ui/listview.h"
#include "ui/look.h"
#include "ui/pagecontrol.h"

#include <algorithm>
#include <cstdio>

namespace app {

TForm_Undo* Form_Undo = nullptr;

namespace {

using journal::Change;
using registry::KeyImage;
using registry::ValueImage;
using ui::layout::Bottom;
using ui::layout::Caption;
using ui::layout::GroupFlow;
using ui::layout::Right;
using ui::layout::Tagged;
using ui::layout::kFieldHeight;
using ui::layout::kInset;
using ui::layout::kSheetMargin;

constexpr int kClientWidth = 720;
constexpr int kClientHeight = 520;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 25;
constexpr int kSheetButtonWidth = 150;
constexpr int kSetsHeight = 136;
constexpr int kListGap = 6;

// Language strings of the dialog.
constexpr int kTitle = 20000;
constexpr int kMissing = 20901;
constexpr int kKeyValues = 20902;
constexpr int kFileBytes = 20903;
constexpr int kChangedSince = 20904;
constexpr int kTouchedLater = 20905;
constexpr int kDefaultValue = 20906;
constexpr int kUndoQuestion = 20910;
constexpr int kNewerSets = 20911;
constexpr int kGoOn = 20912;
constexpr int kChangedSinceQuestion = 20915;  // 20915-20916
constexpr int kUndoAction = 20918;
constexpr int kImportQuestion = 20920;
constexpr int kImportNote = 20921;
constexpr int kImportAction = 20923;
constexpr int kImportFailed = 20924;
constexpr int kNoOlderSets = 20935;
constexpr int kRemoveQuestion = 20936;
constexpr int kRemoveNote = 20937;

// Sets older than this many days are offered for removal at first.
constexpr int kDefaultAgeInDays = 30;
// Binary data is shown up to this many bytes.
constexpr std::size_t kShownBytes = 16;

std::string RootShortName(HKEY root)
{
    if (root == HKEY_CLASSES_ROOT)
        return "HKCR";
    if (root == HKEY_CURRENT_USER)
        return "HKCU";
    if (root == HKEY_LOCAL_MACHINE)
        return "HKLM";
    if (root == HKEY_USERS)
        return "HKU";
    return "HKCC";
}

std::string LastPart(const std::string& path)
{
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The place a change concerns: its name first (the value, the key or the file), and
// where it lies.
std::string PlaceName(const Change& change)
{
    switch (change.kind) {
    case Change::Kind::Value:
        return change.name.empty() ? language::LangString(kDefaultValue) : registry::AnsiText(change.name);
    case Change::Kind::Key:
        return LastPart(registry::AnsiText(change.key)) + "\\";
    case Change::Kind::File:
        return LastPart(change.file);
    }
    return {};
}

std::string PlaceLocation(const Change& change)
{
    if (change.kind == Change::Kind::File)
        return change.file;
    return RootShortName(change.root) + "\\" + registry::AnsiText(change.key);
}

// A set's time ("2024-05-01 14:03:22") in the user's date and time format.
std::string SetTimeText(const std::string& time)
{
    SYSTEMTIME when{};
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (std::sscanf(time.c_str(), "%u-%u-%u %u:%u:%u", &year, &month, &day, &hour, &minute, &second) != 6)
        return time;
    when.wYear = static_cast<WORD>(year);
    when.wMonth = static_cast<WORD>(month);
    when.wDay = static_cast<WORD>(day);
    when.wHour = static_cast<WORD>(hour);
    when.wMinute = static_cast<WORD>(minute);
    when.wSecond = static_cast<WORD>(second);
    char date[64] = {};
    char clock[64] = {};
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, sizeof date) ||
        !GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &when, nullptr, clock, sizeof clock))
        return time;
    return std::string(date) + " " + clock;
}

std::string HexBytes(const std::vector<BYTE>& data)
{
    std::string text;
    char hex[4];
    for (std::size_t i = 0; i < data.size() && i < kShownBytes; ++i) {
        std::snprintf(hex, sizeof hex, "%02X", data[i]);
        if (i > 0)
            text += ' ';
        text += hex;
    }
    if (data.size() > kShownBytes)
        text += " ...";
    return text;
}

// A UTF-16 text of the registry as the program shows it.
std::string StoredText(const std::vector<BYTE>& data)
{
    std::wstring text(data.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const auto end = text.find(L'\0');
    return registry::AnsiText(end == std::wstring::npos ? text : text.substr(0, end));
}

std::string DescribeValue(const ValueImage& value)
{
    if (!value.exists)
        return language::LangString(kMissing);
    switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return "\"" + StoredText(value.data) + "\"";
    case REG_DWORD:
        if (value.data.size() == 4) {
            const DWORD number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                 (static_cast<DWORD>(value.data[3]) << 24);
            char text[32];
            std::snprintf(text, sizeof text, "%lu (0x%08lX)", static_cast<unsigned long>(number),
                          static_cast<unsigned long>(number));
            return text;
        }
        break;
    default:
        break;
    }
    return "[" + std::to_string(value.data.size()) + "] " + HexBytes(value.data);
}

std::string DescribeKey(const KeyImage& key)
{
    if (!key.exists)
        return language::LangString(kMissing);
    return language::LangString(kKeyValues) + " " + std::to_string(key.valueCount());
}

std::string DescribeFile(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!helpers::FileExists(path) || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return language::LangString(kMissing);
    const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return language::LangString(kFileBytes) + " " + std::to_string(size);
}

// The state before; a file's is its copy in the set's folder.
std::string DescribeBefore(const Change& change, const std::string& copyFolder)
{
    switch (change.kind) {
    case Change::Kind::Value:
        return DescribeValue(change.value);
    case Change::Kind::Key:
        return DescribeKey(change.tree);
    case Change::Kind::File:
        if (!change.fileExisted)
            return language::LangString(kMissing);
        return DescribeFile(copyFolder + "\\" + change.copy);
    }
    return {};
}

std::string DescribeNow(const Change& change)
{
    switch (change.kind) {
    case Change::Kind::Value:
        return DescribeValue(registry::ReadValueImage(change.root, change.key, change.name));
    case Change::Kind::Key:
        return DescribeKey(registry::ReadKeyImage(change.root, change.key));
    case Change::Kind::File:
        return DescribeFile(change.file);
    }
    return {};
}

std::string SizeText(std::uint64_t bytes)
{
    constexpr std::uint64_t kKilo = 1024;
    if (bytes < 10 * kKilo)
        return std::to_string(bytes) + " Bytes";
    if (bytes < 10 * kKilo * kKilo)
        return std::to_string((bytes + kKilo / 2) / kKilo) + " KB";
    return std::to_string((bytes + kKilo * kKilo / 2) / (kKilo * kKilo)) + " MB";
}

std::string LocalTimeText(const FILETIME& written)
{
    FILETIME local{};
    SYSTEMTIME time{};
    if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &time))
        return {};
    char date[64] = {};
    char clock[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock);
    return std::string(date) + " " + clock;
}

SYSTEMTIME DaysAgo(int days)
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME file{};
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    ticks.QuadPart -= static_cast<ULONGLONG>(days) * 24 * 60 * 60 * 10000000ULL;
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME then{};
    FileTimeToSystemTime(&file, &then);
    return then;
}

// The text, with its middle replaced by "..." when it is wider than width pixels.
std::string ShortenedToFit(const std::string& text, HFONT font, int width)
{
    if (width <= 0 || ui::MeasureText(font, text).cx <= width)
        return text;
    const std::size_t keepEnd = text.size() / 2;
    for (std::size_t cut = 1; cut < text.size(); ++cut) {
        const std::size_t front = keepEnd > cut ? keepEnd - cut : 0;
        const std::string shortened = text.substr(0, front) + "..." + text.substr(std::min(text.size(), keepEnd + cut));
        if (ui::MeasureText(font, shortened).cx <= width)
            return shortened;
    }
    return "...";
}

ui::Label& AddText(ui::Control& parent, const Caption& caption, int left, int top, int width)
{
    auto& label =
        Tagged(parent.add<ui::Label>(parent, caption.name, ui::Bounds{left, top, width, 0}, caption.text), caption.tag);
    label.setWordWrap(width > 0);
    label.setAutoSize(true);
    return label;
}

// A column of a list: the language string of its caption and its width.
struct Column {
    int caption;
    int width;
};

ui::ListView& AddList(ui::Control& parent, const char* name, const ui::Bounds& bounds, std::initializer_list<Column> columns)
{
    auto& list = parent.add<ui::ListView>(parent, name, bounds, ui::ListViewOptions{ui::ListViewStyle::Report, false, true});
    for (const Column& column : columns)
        list.addColumn(language::LangString(column.caption), column.width);
    return list;
}

}  // namespace

std::vector<RegistryBackup> ListRegistryBackups(const std::string& backupFolder)
{
    std::vector<RegistryBackup> backups;
    WIN32_FIND_DATAA found;
    const ui::FindHandle search(FindFirstFileA((backupFolder + "\\Backup *.reg").c_str(), &found));
    if (!search)
        return backups;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        RegistryBackup backup;
        backup.name = found.cFileName;
        backup.path = backupFolder + "\\" + found.cFileName;
        backup.written = found.ftLastWriteTime;
        backup.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        backups.push_back(std::move(backup));
    } while (FindNextFileA(search.get(), &found));
    std::sort(backups.begin(), backups.end(), [](const RegistryBackup& a, const RegistryBackup& b) {
        return CompareFileTime(&a.written, &b.written) > 0;
    });
    return backups;
}

void NotifyShellOfChanges()
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer);
    helpers::RefreshShellIcons();
}

TForm_Undo::TForm_Undo() : ui::Form("Form_Undo", kClientWidth, kClientHeight, "Änderungen rückgängig machen")
{
    // Children take their parent's font when they are created, so it comes first.
    setFont(ui::ArialFont(11));
    setKeptOnTop(true);

    const int buttonTop = kClientHeight - kButtonHeight - 8;
    pages_ = &add<ui::PageControl>(*this, "PageControl1",
                                   ui::Bounds{8, 8, kClientWidth - 16, buttonTop - 8 - 8});
    createChangesSheet();
    createBackupsSheet();
    createSpaceSheet();

    auto& help = Tagged(add<ui::Button>(*this, "Button_hilfe",
                                        ui::Bounds{kClientWidth - 8 - 2 * kButtonWidth - 8, buttonTop, kButtonWidth,
                                                   kButtonHeight},
                                        "Hilfe"),
                        202);
    help.onClick = [this] { Button_hilfeClick(); };
    auto& close = Tagged(add<ui::Button>(*this, "Button_Close",
                                         ui::Bounds{kClientWidth - 8 - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight},
                                         "Schließen"),
                         20005);
    close.onClick = [this] { this->close(); };
    setCancelButton(&close);
    setHelpButton(&help);

    setCaption(language::LangString(kTitle));
    before_->setDate(DaysAgo(kDefaultAgeInDays));
    refresh();
    pages_->setActivePageIndex(0);
}

void TForm_Undo::createChangesSheet()
{
    auto& sheet = Tagged(pages_->add<ui::TabSheet>(*pages_, "TabSheet_Changes", "Änderungen"), 20001);
    const int width = sheet.clientWidth() - 2 * kSheetMargin;
    const int height = sheet.clientHeight();
    auto& setsCaption =
        AddText(sheet, {"Label_Sets", 20010, "Gespeicherte Änderungen, die neueste zuerst:"}, kSheetMargin, kSheetMargin, 0);
    sets_ = &AddList(sheet, "ListView_Sets", {kSheetMargin, Bottom(setsCaption) + 4, width, kSetsHeight},
                     {{20011, 150}, {20012, width - 150 - 2 * 70 - 22}, {20013, 70}, {20014, 70}});
    sets_->onSelectItem = [this](int index, bool selected) {
        if (selected)
            showDetails(index);
    };

    const int bottomRow = height - kSheetMargin - kButtonHeight;
    undo_ = &Tagged(sheet.add<ui::Button>(sheet, "Button_Undo",
                                          ui::Bounds{kSheetMargin + width - kSheetButtonWidth, bottomRow,
                                                     kSheetButtonWidth, kButtonHeight},
                                          "&Rückgängig machen"),
                    20021);
    undo_->onClick = [this] { Button_UndoClick(); };
    auto& note = AddText(sheet,
                         {"Label_UndoNote", 20020,
                          "Stellt den Stand vor der gewählten Änderung wieder her. Neuere Änderungen werden dabei "
                          "zuerst zurückgenommen, und auch das Rückgängigmachen lässt sich wieder rückgängig machen."},
                         kSheetMargin, bottomRow, width - kSheetButtonWidth - 12);
    note.setTop(bottomRow + kButtonHeight - note.height());

    auto& detailsCaption = AddText(sheet, {"Label_Details", 20015, "Was die gewählte Änderung verändert hat:"},
                                   kSheetMargin, Bottom(*sets_) + kListGap + 4, 0);
    const int detailsTop = Bottom(detailsCaption) + 4;
    details_ = &AddList(sheet, "ListView_Details",
                        {kSheetMargin, detailsTop, width, note.top() - kListGap - 4 - detailsTop},
                        {{20016, 170}, {20017, 120}, {20018, 120}, {20019, 200}, {20025, 320}});
}

void TForm_Undo::createBackupsSheet()
{
    auto& sheet = Tagged(pages_->add<ui::TabSheet>(*pages_, "TabSheet_Backups", "Sicherungen der Bereinigung"), 20002);
    const int width = sheet.clientWidth() - 2 * kSheetMargin;
    const int height = sheet.clientHeight();
    auto& note = AddText(sheet,
                         {"Label_Backups", 20030,
                          "Bevor \"System aufräumen\" Einträge aus der Registrierung löscht, sichert es sie in eine "
                          "Datei. Das Einlesen einer Sicherung stellt die gelöschten Einträge wieder her; es lässt "
                          "sich unter \"Änderungen\" rückgängig machen."},
                         kSheetMargin, kSheetMargin, width);
    const int bottomRow = height - kSheetMargin - kButtonHeight;
    const int listTop = Bottom(note) + 8;
    backups_ = &AddList(sheet, "ListView_Backups", {kSheetMargin, listTop, width, bottomRow - kListGap - listTop},
                        {{20031, width - 2 * 150 - 22}, {20032, 150}, {20033, 150}});
    import_ = &Tagged(sheet.add<ui::Button>(sheet, "Button_Import",
                                            ui::Bounds{kSheetMargin + width - kSheetButtonWidth, bottomRow,
                                                       kSheetButtonWidth, kButtonHeight},
                                            "Sicherung &einlesen"),
                      20034);
    import_->onClick = [this] { Button_ImportClick(); };
}

void TForm_Undo::createSpaceSheet()
{
    auto& sheet = Tagged(pages_->add<ui::TabSheet>(*pages_, "TabSheet_Space", "Speicherplatz"), 20003);
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox_Journal", 20040, "Änderungsprotokoll"});
        const auto line = [&](const Caption& caption, const char* valueName) {
            spaceCaptions_.push_back(&group.inlineLabel(caption, kInset));
            auto& value = group.inlineLabel({valueName, 0, ""}, kInset);
            group.rowEndsAt(group.y() + kFieldHeight);
            return &value;
        };
        size_ = line({"Label_SizeCaption", 20041, "Belegter Speicherplatz:"}, "Label_Size");
        count_ = line({"Label_CountCaption", 20042, "Gespeicherte Änderungen:"}, "Label_Count");
        folder_ = line({"Label_FolderCaption", 20043, "Ordner:"}, "Label_Folder");
    }
    {
        GroupFlow group(sheet, top, {"GroupBox_Remove", 20045, "Alte Änderungen entfernen"});
        group.note({"Label_RemoveNote", 20046,
                    "Entfernt die Änderungen, die vor dem gewählten Tag gespeichert wurden. Sie lassen sich danach "
                    "nicht mehr rückgängig machen; ihre Dateien kommen in den Papierkorb."});
        group.space(4);
        auto& caption = group.inlineLabel({"Label_Before", 20047, "Gespeichert vor dem:"}, kInset);
        ui::GroupBox& box = group.box();
        before_ = &box.add<ui::DatePicker>(box, "DatePicker_Before", ui::Bounds{Right(caption) + 8, group.y(), 110, kFieldHeight});
        auto& remove = Tagged(box.add<ui::Button>(box, "Button_RemoveOld",
                                                  ui::Bounds{Right(*before_) + 12, group.y() - 2, kSheetButtonWidth,
                                                             kButtonHeight},
                                                  "&Entfernen..."),
                              20048);
        remove.onClick = [this] { Button_RemoveOldClick(); };
        group.rowEndsAt(Bottom(remove));
    }
}

void TForm_Undo::placeSpaceValues()
{
    int right = 0;
    for (const ui::Label* caption : spaceCaptions_)
        right = std::max(right, Right(*caption));
    const ui::Label* values[] = {size_, count_, folder_};
    for (std::size_t line = 0; line < spaceCaptions_.size(); ++line) {
        auto* value = const_cast<ui::Label*>(values[line]);
        value->setLeft(right + 8);
        value->setTop(spaceCaptions_[line]->top());
    }
}

void TForm_Undo::refresh()
{
    shownSets_ = journal::ListSets();
    std::reverse(shownSets_.begin(), shownSets_.end());
    sets_->clear();
    details_->clear();
    for (const journal::SetInfo& set : shownSets_) {
        const int item = sets_->addItem(SetTimeText(set.time));
        sets_->setSubItem(item, 1, set.action);
        sets_->setSubItem(item, 2, std::to_string(set.values));
        sets_->setSubItem(item, 3, std::to_string(set.files));
    }
    undo_->setEnabled(!shownSets_.empty());
    if (!shownSets_.empty())
        sets_->setSelectedIndex(0);

    // A clean-up cut off in the middle left its backup under the collecting file's
    // name: it gets its dated name and is listed like every other backup.
    cleanup::DateCollectingFile(AppDir + "\\BACKUP");
    shownBackups_ = ListRegistryBackups(AppDir + "\\BACKUP");
    backups_->clear();
    for (const RegistryBackup& backup : shownBackups_) {
        const int item = backups_->addItem(backup.name);
        backups_->setSubItem(item, 1, LocalTimeText(backup.written));
        backups_->setSubItem(item, 2, SizeText(backup.size));
    }
    import_->setEnabled(!shownBackups_.empty());
    if (!shownBackups_.empty())
        backups_->setSelectedIndex(0);

    showSpace();
}

void TForm_Undo::showDetails(int index)
{
    details_->clear();
    if (index < 0 || index >= static_cast<int>(shownSets_.size()))
        return;
    const journal::UndoPlan plan = journal::PlanUndo(shownSets_[static_cast<std::size_t>(index)].id);
    if (plan.sets.empty())
        return;
    const journal::ChangeSet& set = plan.sets.back();
    const std::string copies = journal::SetCopyFolder(set.info.id);
    for (std::size_t c = 0; c < set.changes.size(); ++c) {
        const Change& change = set.changes[c];
        const int item = details_->addItem(PlaceName(change));
        details_->setSubItem(item, 1, DescribeBefore(change, copies));
        details_->setSubItem(item, 2, DescribeNow(change));
        if (plan.changedSince.back()[c])
            details_->setSubItem(item, 3, language::LangString(kChangedSince));
        else if (plan.touchedLater.back()[c])
            details_->setSubItem(item, 3, language::LangString(kTouchedLater));
        details_->setSubItem(item, 4, PlaceLocation(change));
    }
}

void TForm_Undo::showSpace()
{
    size_->setCaption(SizeText(journal::JournalSize()));
    count_->setCaption(std::to_string(shownSets_.size()));
    placeSpaceValues();
    // A long folder is shown with its middle left out, so it stays inside its group.
    const auto* group = dynamic_cast<const ui::Control*>(folder_->owner());
    const int room = group ? group->clientWidth() - kInset - folder_->left() : 0;
    folder_->setCaption(ShortenedToFit(journal::JournalFolder(), folder_->font(), room));
}

void TForm_Undo::Button_UndoClick()
{
    const int index = sets_->selectedIndex();
    if (index < 0 || index >= static_cast<int>(shownSets_.size()))
        return;
    const journal::SetInfo chosen = shownSets_[static_cast<std::size_t>(index)];
    const journal::UndoPlan plan = journal::PlanUndo(chosen.id);
    if (plan.sets.empty()) {
        refresh();
        return;
    }
    std::string question =
        language::LangString(kUndoQuestion) + "\r" + SetTimeText(chosen.time) + "  " + chosen.action;
    if (plan.sets.size() > 1)
        question += "\r" + language::LangString(kNewerSets) + " " + std::to_string(plan.sets.size() - 1);
    question += "\r" + language::LangString(kGoOn);
    if (ui::MessageDlg(question, ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) != ui::MsgButton::Yes)
        return;
    bool restoreChangedSince = true;
    if (plan.anyChangedSince()) {
        const ui::MsgButton answer =
            ui::MessageDlg(language::LangStringRange(kChangedSinceQuestion, kChangedSinceQuestion + 1),
                           ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No, ui::MsgButton::Cancel});
        if (answer != ui::MsgButton::Yes && answer != ui::MsgButton::No)
            return;
        restoreChangedSince = answer == ui::MsgButton::Yes;
    }
    {
        const std::string action = language::LangString(kUndoAction) + " " + chosen.action;
        const journal::ChangeScope change(action);
        journal::CarryOutUndo(plan, restoreChangedSince, action);
    }
    refresh();
    NotifyShellOfChanges();
}

void TForm_Undo::Button_ImportClick()
{
    const int index = backups_->selectedIndex();
    if (index < 0 || index >= static_cast<int>(shownBackups_.size()))
        return;
    const RegistryBackup backup = shownBackups_[static_cast<std::size_t>(index)];
    const std::string question =
        language::LangString(kImportQuestion) + "\r" + backup.name + "\r" + language::LangString(kImportNote);
    if (ui::MessageDlg(question, ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) != ui::MsgButton::Yes)
        return;
    int exitCode = 0;
    {
        const std::string action = language::LangString(kImportAction) + " " + backup.name;
        const journal::ChangeScope change(action);
        exitCode = journal::ImportRegistryFile(backup.path, action);
    }
    refresh();
    if (exitCode != 0)
        ui::MessageDlg(language::LangString(kImportFailed) + " " + std::to_string(exitCode), ui::MsgKind::Error,
                       {ui::MsgButton::OK});
    NotifyShellOfChanges();
}

void TForm_Undo::Button_RemoveOldClick()
{
    const std::vector<journal::SetInfo> older = journal::SetsBefore(before_->date());
    if (older.empty()) {
        ui::MessageDlg(language::LangString(kNoOlderSets), ui::MsgKind::Information, {ui::MsgButton::OK});
        return;
    }
    const std::string question = language::LangString(kRemoveQuestion) + " " + std::to_string(older.size()) + "\r" +
                                 language::LangString(kRemoveNote);
    if (ui::MessageDlg(question, ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) != ui::MsgButton::Yes)
        return;
    journal::RemoveSets(older);
    refresh();
}

void TForm_Undo::Button_hilfeClick()
{
    ui::ShowHelpTopic("rueckgaengig");
}

}  // namespace app
