#include "cleanup/registry_results_form.h"

#include "cleanup/cleanup_places.h"
#include "cleanup/registry_backup.h"
#include "cleanup/wait_window.h"
#include "language/language.h"
#include "registry/change_journal.h"
#include "registry/registry.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/errors.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/layout.h"
#include "ui/image.h"
#include "ui/look.h"

#include "resource.h"

#include <commctrl.h>

#include <algorithm>

namespace cleanup {

TForm6* Form6 = nullptr;

namespace {

using ui::layout::Bottom;
using ui::layout::Tagged;

constexpr int kClientWidth = 680;
constexpr int kClientHeight = 520;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 25;
constexpr int kRowHeight = 48;
constexpr int kImageSize = 32;
constexpr int kGroupTextLeft = 36;
constexpr int kGroupTextTop = 16;
constexpr int kLineSpacing = 14;
constexpr const char* kHelpTopic = "systemaufraumen";

constexpr int kCaption = 17000;
constexpr int kFileTypeOf = 17900, kMissingFileIs = 17901, kEntryOf = 17902;
constexpr int kNothingTicked = 17910, kDeleteQuestion = 17911;
constexpr int kDeleting = 17920, kDeleted = 17921;
constexpr int kDeletedCount = 17922, kKeptUnbacked = 17923, kKeptRefused = 17924, kBackupOfDeleted = 17925;
constexpr int kDeletedOf = 17926, kNoneDeleted = 17927;

const std::string kClassesRoot = "HKEY_CLASSES_ROOT\\";
const std::string kLocalMachine = "HKEY_LOCAL_MACHINE\\";

ui::Label& AddWrappedText(ui::Form& form, const char* name, int tag, const char* text, int top)
{
    auto& label = Tagged(form.add<ui::Label>(form, name, ui::Bounds{kMargin, top, kClientWidth - 2 * kMargin, 0}, text), tag);
    label.setWordWrap(true);
    label.setAutoSize(true);
    return label;
}

// The extension as a file pattern: ".xyz" shows as "*.xyz".
std::string ExtensionPattern(const std::string& extension)
{
    return "*" + (extension.empty() || extension.front() == '.' ? extension : "." + extension);
}

// The backup run of one deletion, ended (its file dated) on every path.
class BackupRun {
public:
    explicit BackupRun(const std::string& appDir) { BeginBackupRun(appDir); }
    BackupRun(const BackupRun&) = delete;
    BackupRun& operator=(const BackupRun&) = delete;
    ~BackupRun()
    {
        try {
            EndBackupRun();
        } catch (...) {
            // The collecting file stays; the next run gives it its dated name.
        }
    }
};

enum class Outcome { Deleted, BackupFailed, NotDeleted };

// The outcome of an entry with two keys: a failed backup counts before a refused
// deletion, and the entry is deleted only when both went.
Outcome Worse(Outcome a, Outcome b)
{
    const auto rank = [](Outcome outcome) {
        return outcome == Outcome::BackupFailed ? 2 : outcome == Outcome::NotDeleted ? 1 : 0;
    };
    return rank(a) >= rank(b) ? a : b;
}

// A key of HKCR, exported first and removed only after its export.
Outcome BackUpAndRemove(const std::string& key)
{
    if (!BackupKey(kClassesRoot + key))
        return Outcome::BackupFailed;
    return registry::RegKeyRemove(HKCR, key) ? Outcome::Deleted : Outcome::NotDeleted;
}

bool HasSubkeysBut(const std::string& key, std::initializer_list<const char*> ignored)
{
    for (const std::string& name : registry::RegSubkeyNames(HKCR, key)) {
        const bool skipped = std::any_of(ignored.begin(), ignored.end(),
                                         [&](const char* other) { return lstrcmpiA(name.c_str(), other) == 0; });
        if (!skipped)
            return true;
    }
    return false;
}

// A type library's missing file: only the key that names it goes, and above it each
// key it leaves without content: the locale, the version when no locale is left
// (FLAGS and HELPDIR are none), and the library when no version is left. Versions
// and locales whose files are there stay.
Outcome RemoveTypeLibraryFile(const RegEntry& entry)
{
    const std::string library = "TypeLib\\" + entry.Key;
    const auto versionEnd = entry.FileKey.find('\\');
    const auto localeEnd = versionEnd == std::string::npos ? versionEnd : entry.FileKey.find('\\', versionEnd + 1);
    if (entry.Key.empty() || localeEnd == std::string::npos)
        return Outcome::NotDeleted;
    if (!BackupKey(kClassesRoot + library))
        return Outcome::BackupFailed;
    if (!registry::RegKeyRemove(HKCR, library + "\\" + entry.FileKey))
        return Outcome::NotDeleted;
    const std::string locale = library + "\\" + entry.FileKey.substr(0, localeEnd);
    const std::string version = library + "\\" + entry.FileKey.substr(0, versionEnd);
    if (!HasSubkeysBut(locale, {}) && registry::RegValueNames(HKCR, locale).empty())
        registry::RegKeyRemove(HKCR, locale);
    if (!HasSubkeysBut(version, {"FLAGS", "HELPDIR"}))
        registry::RegKeyRemove(HKCR, version);
    if (!HasSubkeysBut(library, {}))
        registry::RegKeyRemove(HKCR, library);
    return Outcome::Deleted;
}

// The keys that hold the values of several entries are exported once per run, on
// first use, and tried again for the next entry while the export has failed.
struct SharedKeyBackups {
    bool sharedDlls = false;
    bool fonts = false;
};

Outcome RemoveSharedValue(const std::string& key, const std::string& value, bool& exported)
{
    if (value.empty())
        return Outcome::NotDeleted;
    if (!exported)
        exported = BackupKey(kLocalMachine + key);
    if (!exported)
        return Outcome::BackupFailed;
    return registry::RegValueDelete(HKLM, key, value) ? Outcome::Deleted : Outcome::NotDeleted;
}

Outcome DeleteEntry(const RegEntry& entry, SharedKeyBackups& shared)
{
    switch (entry.Kind) {
    case KindFileTypes: {
        if (entry.Extension.empty() && entry.Title.empty())
            return Outcome::NotDeleted;
        Outcome outcome = Outcome::Deleted;
        if (!entry.Extension.empty())
            outcome = Worse(outcome, BackUpAndRemove(entry.Extension));
        if (!entry.Title.empty())
            outcome = Worse(outcome, BackUpAndRemove(entry.Title));
        return outcome;
    }
    case KindComServers:
        return entry.Key.empty() ? Outcome::NotDeleted : BackUpAndRemove("CLSID\\" + entry.Key);
    case KindTypeLibraries:
        return RemoveTypeLibraryFile(entry);
    case KindSharedDlls:
        return RemoveSharedValue(kSharedDllsKey, entry.ValueName.empty() ? entry.MissingFile : entry.ValueName,
                                 shared.sharedDlls);
    case KindFonts:
        return RemoveSharedValue(FontsKey(), entry.ValueName.empty() ? entry.Title : entry.ValueName, shared.fonts);
    case KindIcons:
        if (entry.Key.empty())
            return Outcome::NotDeleted;
        if (!BackupKey(kClassesRoot + entry.Key))
            return Outcome::BackupFailed;
        // The key stays; only the icon it names is cleared. A key that refuses to be
        // written keeps its icon, and the others are still done.
        try {
            return registry::RegUpdateText(HKCR, entry.Key, "", "") ? Outcome::Deleted : Outcome::NotDeleted;
        } catch (const ui::ERegistryError&) {
            return Outcome::NotDeleted;
        }
    default:
        return Outcome::NotDeleted;
    }
}

}  // namespace

ui::ImageListHandle RegistryKindImages()
{
    struct KindPicture {
        RegCheckKind kind;
        int resource;
    };
    constexpr KindPicture kPictures[] = {
        {KindFileTypes, IDI_REGISTRY_FILETYPE}, {KindComServers, IDI_REGISTRY_COM},
        {KindTypeLibraries, IDI_REGISTRY_ACTIVEX}, {KindSharedDlls, IDI_REGISTRY_SHAREDDLL},
        {KindFonts, IDI_REGISTRY_FONT},         {KindIcons, IDI_REGISTRY_ICON},
    };
    ui::ImageListHandle images(ImageList_Create(kImageSize, kImageSize, ILC_COLOR32 | ILC_MASK, KindIcons + 1, 0));
    // One place per kind number, so a kind is its own picture's index; unused ones stay empty.
    ImageList_SetImageCount(images.get(), KindIcons + 1);
    for (const KindPicture& picture : kPictures) {
        // Shared icons belong to the system's icon cache and are never destroyed.
        const auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(picture.resource),
                                                        IMAGE_ICON, kImageSize, kImageSize, LR_SHARED));
        if (icon)
            ImageList_ReplaceIcon(images.get(), picture.kind, icon);
    }
    return images;
}

TForm6::TForm6() : ui::Form("Form6", kClientWidth, kClientHeight, "Einträge in der Registrierdatenbank löschen")
{
    setFont(ui::ArialFont(11));
    setKeptOnTop(true);
    auto& explanation = AddWrappedText(*this, "Label7", 17100,
                                       "Es wurden unnötige Einträge gefunden. Diese können mit einem Klick auf "
                                       "\"Löschen\" aus der Registrierdatenbank entfernt werden.",
                                       kMargin);
    auto& details = AddWrappedText(*this, "Label1", 17101,
                                   "Sie haben die Möglichkeit jeden gefundenen Eintrag im Detail zu betrachten oder "
                                   "dessen Löschung zu verhindern.",
                                   Bottom(explanation) + 2);
    count_ = &add<ui::Label>(*this, "Label_Anzahl", ui::Bounds{kMargin, Bottom(details) + 8, kClientWidth - 2 * kMargin, 0},
                             "Es wurden XXX");
    count_->setFont(ui::ArialFont(11, true));
    count_->setAlignment(SS_CENTER);
    count_->setSize(kClientWidth - 2 * kMargin, ui::MeasureText(count_->font(), "Ag").cy + 2);

    const int listTop = Bottom(*count_) + 8;
    const int buttonTop = kClientHeight - kMargin - kButtonHeight;
    list_ = &add<ui::VirtualTree>(*this, "VirtualStringTree_REG",
                                  ui::Bounds{kMargin, listTop, kClientWidth - 2 * kMargin, buttonTop - kMargin - listTop});
    list_->setNodeHeight(kRowHeight);
    list_->onDrawNode = [this](HDC dc, ui::TreeNode node, const RECT& content) {
        VirtualStringTree_REGDrawNode(dc, node, content);
    };
    list_->onChecked = [this](ui::TreeNode node) { VirtualStringTree_REGChecked(node); };
    images_ = RegistryKindImages();

    const int deleteLeft = kClientWidth - kMargin - kButtonWidth;
    const int cancelLeft = deleteLeft - kMargin - kButtonWidth;
    const auto addButton = [&](const char* name, int tag, int left, const char* caption) -> ui::Button& {
        return Tagged(add<ui::Button>(*this, name, ui::Bounds{left, buttonTop, kButtonWidth, kButtonHeight}, caption), tag);
    };
    auto& help = addButton("Button1", 202, cancelLeft - kMargin - kButtonWidth, "Hilfe");
    auto& cancel = addButton("Button2", 201, cancelLeft, "Abbrechen");
    delete_ = &addButton("ButtonDELETE", 17200, deleteLeft, "Löschen");
    help.onClick = [this] { Button1Click(); };
    cancel.onClick = [this] { Button2Click(); };
    delete_->onClick = [this] { ButtonDELETEClick(); };
    setCancelButton(&cancel);
    setHelpButton(&help);

    setCaption(language::LangString(kCaption));
    // The words of every entry's lines, looked up once for all the entries.
    fileTypeOf_ = language::LangString(kFileTypeOf);
    missingFileIs_ = language::LangString(kMissingFileIs);
    entryOf_ = language::LangString(kEntryOf);
}

std::array<std::string, 3> TForm6::lineTexts(const RegEntry& entry) const
{
    if (entry.Kind == -1)
        return {entry.Title, {}, {}};
    const std::string first = entry.Kind == KindFileTypes
                                  ? entry.Title + " - " + fileTypeOf_ + " " + ExtensionPattern(entry.Extension)
                                  : entryOf_ + " \"" + entry.Title + "\"";
    return {first, missingFileIs_, entry.MissingFile};
}

ui::TreeNode TForm6::addGroup(RegCheckKind kind, const std::string& title)
{
    RegEntry group;
    group.Title = title;
    group.Kind = -1;
    group.GroupKind = kind;
    // The node's text is its widest line: the list scrolls sideways as far as it reaches.
    return list_->addNode(nullptr, "        " + title, group, ui::CheckType::CheckBox, ui::CheckState::Checked);
}

ui::TreeNode TForm6::addEntry(ui::TreeNode group, RegCheckKind kind, const RegFinding& finding)
{
    RegEntry entry;
    entry.Title = finding.Title;
    entry.Kind = kind;
    entry.Extension = finding.Extension;
    entry.MissingFile = finding.MissingFile;
    entry.Key = finding.Key;
    entry.ValueName = finding.ValueName;
    entry.FileKey = finding.FileKey;
    const auto lines = lineTexts(entry);
    const std::string widest = *std::max_element(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        return a.size() < b.size();
    });
    return list_->addNode(group, widest + "    ", entry, ui::CheckType::CheckBox, ui::CheckState::Checked);
}

void TForm6::expandGroups()
{
    for (ui::TreeNode group = list_->firstChild(nullptr); group; group = list_->nextSibling(group))
        TreeView_Expand(list_->handle(), group, TVE_EXPAND);
}

LRESULT TForm6::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SHOWWINDOW && wParam)
        expandGroups();
    return ui::Form::handleMessage(message, wParam, lParam);
}

int TForm6::entryCount() const
{
    return list_->nodeCount() - groupCount();
}

int TForm6::groupCount() const
{
    int groups = 0;
    for (ui::TreeNode node = list_->firstChild(nullptr); node; node = list_->nextSibling(node))
        ++groups;
    return groups;
}

void TForm6::VirtualStringTree_REGDrawNode(HDC dc, ui::TreeNode node, const RECT& content)
{
    const RegEntry* entry = entryOf(node);
    if (!entry)
        return;
    const auto lines = lineTexts(*entry);
    const int left = content.left + 2;
    if (entry->Kind == -1) {
        ImageList_Draw(images_.get(), entry->GroupKind, dc, left, content.top + (kRowHeight - kImageSize) / 2,
                       ILD_TRANSPARENT);
        TextOutA(dc, left + kGroupTextLeft, content.top + kGroupTextTop, lines[0].c_str(), static_cast<int>(lines[0].size()));
        return;
    }
    for (int line = 0; line < 3; ++line) {
        const std::string& text = lines[static_cast<std::size_t>(line)];
        TextOutA(dc, left, content.top + 3 + line * kLineSpacing, text.c_str(), static_cast<int>(text.size()));
    }
}

void TForm6::VirtualStringTree_REGChecked(ui::TreeNode node)
{
    const ui::TreeNode parent = list_->parentOf(node);
    if (!parent) {
        const ui::CheckState state = list_->checkState(node);
        for (ui::TreeNode child = list_->firstChild(node); child; child = list_->nextSibling(child))
            list_->setCheckState(child, state);
        return;
    }
    bool anyChecked = false;
    bool anyUnchecked = false;
    for (ui::TreeNode child = list_->firstChild(parent); child; child = list_->nextSibling(child)) {
        const bool checked = list_->checkState(child) == ui::CheckState::Checked;
        anyChecked = anyChecked || checked;
        anyUnchecked = anyUnchecked || !checked;
    }
    list_->setCheckState(parent, anyChecked && anyUnchecked ? ui::CheckState::Mixed
                                 : anyChecked                ? ui::CheckState::Checked
                                                             : ui::CheckState::Unchecked);
}

void TForm6::Button1Click()
{
    ui::ShowHelpTopic(kHelpTopic);
}

void TForm6::Button2Click()
{
    close();
}

void TForm6::ButtonDELETEClick()
{
    using language::LangString;
    int ticked = 0;
    for (ui::TreeNode node : list_->allNodes()) {
        const RegEntry* entry = entryOf(node);
        if (entry && entry->Kind != -1 && list_->checkState(node) == ui::CheckState::Checked)
            ++ticked;
    }
    if (ticked == 0) {
        ui::MessageDlg(LangString(kNothingTicked), ui::MsgKind::Error, {ui::MsgButton::OK});
        return;
    }
    if (ui::MessageDlg(LangString(kDeleteQuestion), ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) ==
        ui::MsgButton::No)
        return;

    DeletionCounts counts;
    {
        // Whatever ends the walk (the journal's refusal among others), the backup of
        // what was deleted gets its dated name, and the dialog comes back. The run
        // ends after the change set: its file is the program's own, no change of it.
        const BackupRun run(Places().appDir);
        const journal::ChangeScope change(LangString(kCaption));
        WaitWindowScope wait(false, LangString(kDeleting), ticked + 1, true);
        wait.show();
        const HiddenForm hidden(*this);
        counts = deleteTickedEntries(wait.window().ProgressBar1());
    }
    const bool allDeleted = counts.backupFailed == 0 && counts.notDeleted == 0;
    ui::MessageDlg(DeletionReport(counts), allDeleted ? ui::MsgKind::Information : ui::MsgKind::Warning,
                   {ui::MsgButton::OK});
    close();
}

// Every line in list order; each ticked entry is exported before it is deleted, and
// one whose export failed stays.
DeletionCounts TForm6::deleteTickedEntries(ui::ProgressBar& progress)
{
    DeletionCounts counts;
    SharedKeyBackups shared;
    for (ui::TreeNode node : list_->allNodes()) {
        progress.setPosition(progress.position() + 1);
        ui::ProcessMessages();
        const RegEntry* entry = entryOf(node);
        if (!entry || entry->Kind == -1 || list_->checkState(node) != ui::CheckState::Checked)
            continue;
        switch (DeleteEntry(*entry, shared)) {
        case Outcome::Deleted: ++counts.deleted; break;
        case Outcome::BackupFailed: ++counts.backupFailed; break;
        case Outcome::NotDeleted: ++counts.notDeleted; break;
        }
    }
    return counts;
}

std::string DeletionReport(const DeletionCounts& counts)
{
    using language::LangString;
    const int ticked = counts.deleted + counts.backupFailed + counts.notDeleted;
    if (counts.deleted == ticked)
        return LangString(kDeleted);
    std::vector<std::string> lines{counts.deleted == 0
                                       ? LangString(kNoneDeleted)
                                       : LangString(kDeletedCount) + " " + std::to_string(counts.deleted) + " " +
                                             LangString(kDeletedOf) + " " + std::to_string(ticked)};
    if (counts.backupFailed > 0)
        lines.push_back(LangString(kKeptUnbacked) + " " + std::to_string(counts.backupFailed));
    if (counts.notDeleted > 0)
        lines.push_back(LangString(kKeptRefused) + " " + std::to_string(counts.notDeleted));
    if (counts.deleted > 0)
        lines.push_back(LangString(kBackupOfDeleted));
    return language::MessageLines(lines);
}

}  // namespace cleanup
