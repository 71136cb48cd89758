#include "cleanup/cleanup_form.h"

#include "cleanup/file_results_form.h"
#include "cleanup/file_scanner.h"
#include "cleanup/registry_results_form.h"
#include "cleanup/registry_scanner.h"
#include "cleanup/scan_feedback.h"
#include "cleanup/wait_window.h"
#include "components/drive_flags.h"
#include "components/ostrel_drives.h"
#include "language/language.h"
#include "password/options_form.h"
#include "registry/control_binding.h"
#include "registry/helpers.h"
#include "registry/registry.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/errors.h"
#include "ui/help.h"
#include "ui/layout.h"
#include "ui/look.h"
#include "ui/pagecontrol.h"
#include "ui/single_instance.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

namespace cleanup {

TForm_CleanUP* Form_CleanUP = nullptr;

namespace {

using namespace ui::layout;

using ui::layout::kPageClientWidth;
using ui::layout::kPageClientHeight;
using ui::layout::kPageControlBounds;
using ui::layout::kFrameButtonTop;
using ui::layout::kFrameButtonWidth;
using ui::layout::kFrameButtonHeight;
constexpr int kStartWidth = 100;
constexpr int kDriveColumn = 215;  // the drive list's column inside a group box
constexpr int kColumnGap = 12;
constexpr int kDriveRows = 3;      // drive items the list shows without scrolling
constexpr int kDriveItemHeight = 40;
constexpr int kParagraphGap = 6;
constexpr const char* kHelpTopic = "systemaufraumen";

const std::string kProgramKey = password::kOptionsKey;
const std::string kFileDrivesKey = kProgramKey + "\\Drives-FILES";
const std::string kRegistryDrivesKey = kProgramKey + "\\Drives-REG";

constexpr int kCaption = 6000;
constexpr int kNothingChosen = 6900, kFindings = 6901;
constexpr int kCancelled = 6920, kNoRegistryFindings = 6921, kRegistryCountFirst = 6922, kRegistryCountLast = 6923;
constexpr int kNoDrive = 6930, kNoDriveHint = 6931;
constexpr int kSearchingFiles = 6940, kSearchingDrive = 6941, kSearchingTemp = 6942, kNoFiles = 6943, kFilesFound = 6944;
constexpr int kFileCountFirst = 6950, kFileCountMiddle = 6951, kFileCountLast = 6952;

struct OptionBox {
    Caption caption;
    bool designedChecked;
    const char* value;  // under the program key
};

// The file tab's boxes: the temporary folders first, then the categories in the order
// of the scanner's choices; the last two below their own note.
const OptionBox kFileBoxes[] = {
    {{"CheckBox_WinTmpDIR", 6121, "Inhalt des Temporären Windows-Ordners"}, true, "CLEANUP_WINTMPDIR"},
    {{"CheckBox_CHK", 6122, "Von Scandisk erzeugte Dateien (file*.chk, chkdsk.chk)"}, true, "CLEANUP_CHK"},
    {{"CheckBox_TMP", 6123, "Temporäre Dateien (*.TMP, *._MP, *.~MP)"}, true, "CLEANUP_TMP"},
    {{"CheckBox_BAK", 6124, "Backups (*.OLD, *.PRV, *.NAV, *.1ST, *.BAK, *.SYD)"}, true, "CLEANUP_BAK"},
    {{"CheckBox_BAK2", 6125, "Allgemeine Backup-Dateien (*.~*, *~.*, *.??~)"}, true, "CLEANUP_BAK2"},
    {{"CheckBox_OTHER", 6126, "Meist unnötige Dateien (z.B. : *.$$$, *.---, *.??~)"}, true, "CLEANUP_OTHER"},
    {{"CheckBox_LOG", 6131, "Log-Dateien (*.log)"}, false, "CLEANUP_LOG"},
    {{"CheckBox_GID", 6132, "GID-Dateien (*.gid)"}, false, "CLEANUP_GID"},
};
constexpr std::size_t kFirstOccasionalBox = 6;

struct RegistryBox {
    OptionBox box;
    RegCheckKind kind;
    int title;  // the check's headline in the wait window and its group line
};

const RegistryBox kRegistryBoxes[] = {
    {{{"CheckBox_File_Formate", 6211, "Verwaiste Dateiformate finden"}, true, "CLEANUP_FILE_FORMATE"}, KindFileTypes, 6910},
    {{{"CheckBox_COM", 6212, "Verwaiste COM- und OLE-Objekte finden"}, true, "CLEANUP_COM"}, KindComServers, 6911},
    {{{"CheckBox_ActiveX", 6213, "Verwaiste ActiveX-Objekte finden"}, true, "CLEANUP_ACTIVEX"}, KindTypeLibraries, 6912},
    {{{"CheckBox_Shared_DLLs", 6214, "Verwaiste Einträge über \"gemeinsame DLLs\" finden"}, true, "CLEANUP_SHARED_DLLS"},
     KindSharedDlls, 6913},
    {{{"CheckBox_Fonts", 6215, "Verwaiste Einträge zu Schriftarten finden"}, true, "CLEANUP_FONTS"}, KindFonts, 6914},
    {{{"CheckBox_Icons", 6216, "Verwaiste Symbole finden"}, true, "CLEANUP_ICONS"}, KindIcons, 6917},
};

ui::Label& AddParagraph(ui::Control& sheet, const Caption& caption, int top)
{
    auto& label = Tagged(sheet.add<ui::Label>(sheet, caption.name,
                                              ui::Bounds{kSheetMargin, top, sheet.clientWidth() - 2 * kSheetMargin, 0},
                                              caption.text),
                         caption.tag);
    label.setWordWrap(true);
    label.setAutoSize(true);
    return label;
}

// A drive list at the left of a group box, below its heading; returns the list.
components::TOstrelDrives& AddDriveList(GroupFlow& group, const char* name, const Caption* heading,
                                        components::TOstrelDrivesOptions options, int top)
{
    ui::GroupBox& box = group.box();
    if (heading) {
        auto& label = Tagged(box.add<ui::Label>(box, heading->name, ui::Bounds{kInset, top, kDriveColumn, 0}, heading->text),
                             heading->tag);
        label.setWordWrap(true);
        label.setAutoSize(true);
        top = Bottom(label) + 4;
    }
    auto& list = box.add<components::TOstrelDrives>(box, name, ui::Bounds{kInset, top, kDriveColumn, 0});
    list.Options = options;
    // As high as three items and the list's frame.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, 0, FALSE, WS_EX_CLIENTEDGE);
    list.setSize(kDriveColumn, kDriveRows * kDriveItemHeight + (frame.bottom - frame.top));
    return list;
}

ui::CheckBox& AddOptionBox(GroupFlow& group, const OptionBox& option, int indent)
{
    auto& box = group.checkBox(option.caption, indent);
    box.setChecked(option.designedChecked);
    return box;
}

// The drive letters C to Z selected for the file search whose roots can be reached.
std::string UsableFileDrives()
{
    std::string letters;
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if (components::FileDriveFlags[static_cast<std::size_t>(letter - 'A')] &&
            helpers::PathAccessible(std::string(1, letter) + ":\\"))
            letters += letter;
    return letters;
}

// Runs a load step; a remembered value that cannot be read is reported, and the box
// or drive keeps its designed state while the other choices still load.
template <class Step>
void LoadReporting(Step step)
{
    try {
        step();
    } catch (const ui::Exception& error) {
        ui::App().showException(error);
    }
}

// A remembered check box; one whose value cannot be read keeps its designed state.
void LoadOptionBox(ui::CheckBox& box, const OptionBox& option)
{
    LoadReporting([&] {
        try {
            helpers::LoadCheckFlagIfPresent(box, HKLM, kProgramKey, option.value);
        } catch (const ui::Exception&) {
            box.setChecked(option.designedChecked);
            throw;
        }
    });
}

// Sets a form's single-instance reference and the scanner's result list for one search.
class FileResultsScope {
public:
    explicit FileResultsScope(TForm11& dialog) : reference_(Form11, dialog) { SetFileResultList(&dialog); }
    FileResultsScope(const FileResultsScope&) = delete;
    FileResultsScope& operator=(const FileResultsScope&) = delete;
    ~FileResultsScope()
    {
        SetFileResultList(nullptr);
        SetScanFeedback(nullptr, nullptr);
    }

private:
    ui::SingleInstanceScope<TForm11> reference_;
};

// Points the registry scanner at the wait window for one search.
class RegistryScanScope {
public:
    explicit RegistryScanScope(components::TWarteForm& wait)
    {
        SetScanFeedback(&wait.Label2(), &wait.ProgressBar1());
        SetRegistryScanHeadline(&wait.Label1());
    }
    RegistryScanScope(const RegistryScanScope&) = delete;
    RegistryScanScope& operator=(const RegistryScanScope&) = delete;
    ~RegistryScanScope()
    {
        SetRegistryScanHeadline(nullptr);
        SetScanFeedback(nullptr, nullptr);
    }
};

// Runs the ticked checks one after the other and lists the findings of each under a
// group line of its own; stops when the user cancels.
void RunRegistryChecks(const std::vector<const RegistryBox*>& checks, TForm6& dialog, WaitWindowScope& wait)
{
    const RegistryScanScope scan(wait.window());
    const RegistrySearchScope search;
    ui::ProgressBar& progress = wait.window().ProgressBar1();
    for (const RegistryBox* check : checks) {
        const std::string title = language::LangString(check->title);
        wait.setHeadline(title);
        ScanPause(true);
        const RegFindings findings = RunRegistryCheck(check->kind);
        if (ui::CancelRequested)
            return;
        if (!findings.empty()) {
            const ui::TreeNode group = dialog.addGroup(
                check->kind, title + " (" + std::to_string(findings.size()) + " " + language::LangString(kFindings) + ")");
            for (const RegFinding& finding : findings) {
                ScanPause();
                dialog.addEntry(group, check->kind, finding);
            }
        }
        progress.setPosition(progress.position() + 1);
    }
}

}  // namespace

bool RemembersCleanupOptions()
{
    return password::Form_Options && password::Form_Options->CheckBox_SAVE_CLEANUP().checked();
}

TForm_CleanUP::TForm_CleanUP() : ui::Form("Form_CleanUP", kPageClientWidth, kPageClientHeight, "System aufräumen")
{
    // Children take their parent's font when they are created, so it comes first.
    setFont(ui::ArialFont(11));
    setKeptOnTop(true);

    pages_ = &add<ui::PageControl>(*this, "PageControl1", kPageControlBounds);
    driveImages_ = components::DriveClassImageList(32);
    createFileSheet(Tagged(pages_->add<ui::TabSheet>(*pages_, "TabSheet2", "Unnötige Dateien"), 6001));
    createRegistrySheet(Tagged(pages_->add<ui::TabSheet>(*pages_, "TabSheet1", "Registrierdatenbank"), 6002));

    auto& help = Tagged(add<ui::Button>(*this, "Button_hilfe", ui::Bounds{460, kFrameButtonTop, kFrameButtonWidth, kFrameButtonHeight}, "Hilfe"), 202);
    help.onClick = [this] { Button_hilfeClick(); };
    auto& back = Tagged(add<ui::Button>(*this, "Button_Apply", ui::Bounds{560, kFrameButtonTop, kFrameButtonWidth, kFrameButtonHeight}, "Zurück"), 203);
    back.onClick = [this] { Button_ApplyClick(); };
    setCancelButton(&back);
    setHelpButton(&help);
    onClose = [this] { FormClose(); };

    // Creation: caption, the drive lists with every fixed drive ticked, the remembered
    // choices, the first sheet.
    setCaption(language::LangString(kCaption));
    components::SetCleanupDriveLists(fileDrives_, registryDrives_);
    components::InitCleanupDriveLists();
    LoadCleanupOptions();
    pages_->setActivePageIndex(0);
}

TForm_CleanUP::~TForm_CleanUP()
{
    components::SetCleanupDriveLists(nullptr, nullptr);
}

void TForm_CleanUP::createFileSheet(ui::TabSheet& sheet)
{
    auto& intro = AddParagraph(sheet,
                               {"Label4", 6100,
                                "Im Laufe der Zeit sammeln sich auf Ihren Festplatten enorm viele unnötige Dateien an, "
                                "zum Beispiel Sicherungskopien, Protokolle und Reste abgebrochener Installationen."},
                               kSheetMargin);
    auto& more = AddParagraph(sheet,
                              {"Label5", 6101,
                               "Auch sind dies viele Dateien, die nur sehr kurz (temporär) benötigt wurden und danach "
                               "liegen geblieben sind. Gefundene Dateien werden in den Papierkorb verschoben."},
                              Bottom(intro) + kParagraphGap);
    int top = Bottom(more) + kParagraphGap + 2;
    {
        GroupFlow group(sheet, top, {"GroupBox2", 6110, "Einstellungen"});
        const Caption drivesHeading{"Label7", 6111, "Folgende Laufwerke durchsuchen:"};
        fileDrives_ = &AddDriveList(group, "OstrelDrives_FILES", &drivesHeading,
                                    components::ShowFixed | components::ShowRemovable | components::ShowRemote |
                                        components::ShowName | components::ShowImages,
                                    group.y());
        fileDrives_->ImageList = driveImages_.get();
        const int listBottom = Bottom(*fileDrives_);
        const int indent = kDriveColumn + kColumnGap;
        group.note({"Label3", 6120,
                    "Folgende Dateien suchen (siehe Hilfe-Datei für mehr Informationen zu den Elementen):"},
                   indent);
        for (std::size_t index = 0; index < std::size(kFileBoxes); ++index) {
            if (index == kFirstOccasionalBox) {
                group.space(kParagraphGap);
                group.note({"Label6", 6130,
                            "Folgende Dateien können ebenfalls ohne Probleme gelöscht werden da Sie meist unnötig "
                            "sind:"},
                           indent);
            }
            fileBoxes_[index] = &AddOptionBox(group, kFileBoxes[index], indent);
        }
        group.rowEndsAt(std::max(group.y() - kRowGap, listBottom));
    }
    fileSearch_ = &Tagged(sheet.add<ui::Button>(sheet, "Button_FILESUCHE",
                                                ui::Bounds{sheet.clientWidth() - kSheetMargin - kStartWidth, top + 2,
                                                           kStartWidth, kFrameButtonHeight},
                                                "Starten"),
                          6105);
    fileSearch_->onClick = [this] { Button_FILESUCHEClick(); };
}

void TForm_CleanUP::createRegistrySheet(ui::TabSheet& sheet)
{
    int top = kSheetMargin;
    const Caption paragraphs[] = {
        {"Label123", 6200,
         "Die Windows-Registrierdatenbank ist eine mächtige Datenbank, in der Windows und alle Programme ihre "
         "Einstellungen ablegen."},
        {"Label1", 6201,
         "Mit der Zeit sammeln sich in dieser Datenbank immer mehr verwaiste Einträge an, die auf längst gelöschte "
         "Programme und Dateien verweisen."},
        {"Label130", 6202,
         "Da eine größere Registrierdatenbank Ihr Windows-System unnötig verlangsamt, sollten Sie diese Einträge "
         "löschen."},
    };
    for (const Caption& paragraph : paragraphs)
        top = Bottom(AddParagraph(sheet, paragraph, top)) + kParagraphGap;
    top += 2;
    {
        GroupFlow group(sheet, top, {"GroupBox1", 6210, "Einstellungen"});
        group.note({"Label2", 6220,
                    "Die meisten Elemente enthalten Hinweise auf einen Laufwerksbuchstaben und damit auf ein "
                    "bestimmtes Laufwerk. Gemeldet werden nur Einträge, die auf eines der hier ausgewählten "
                    "Laufwerke verweisen."});
        group.space(kParagraphGap);
        const int columnsTop = group.y();
        registryDrives_ = &AddDriveList(group, "OstrelDrives_REG", nullptr,
                                        components::ShowFixed | components::ShowCDROM | components::ShowRemovable |
                                            components::ShowRemote | components::ShowName | components::ShowImages,
                                        columnsTop);
        registryDrives_->ImageList = driveImages_.get();
        const int indent = kDriveColumn + kColumnGap;
        for (std::size_t index = 0; index < std::size(kRegistryBoxes); ++index)
            registryBoxes_[index] = &AddOptionBox(group, kRegistryBoxes[index].box, indent);
        group.rowEndsAt(std::max(group.y() - kRowGap, Bottom(*registryDrives_)));
    }
    registrySearch_ = &Tagged(sheet.add<ui::Button>(sheet, "Button_REGSUCHE",
                                                    ui::Bounds{sheet.clientWidth() - kSheetMargin - kStartWidth,
                                                               top + 2, kStartWidth, kFrameButtonHeight},
                                                    "Starten"),
                              6205);
    registrySearch_->onClick = [this] { Button_REGSUCHEClick(); };
}

void TForm_CleanUP::loadDriveTicks(components::TOstrelDrives& list, const std::string& subkey)
{
    for (int index = 0; index < list.itemCount(); ++index) {
        const std::string letter(1, list.GetDriveChar(index));
        LoadReporting([&] {
            if (registry::RegValueExists(HKLM, subkey, letter))
                list.setChecked(index, registry::RegValueMatchesInt(HKLM, subkey, letter, 1));
        });
    }
}

void TForm_CleanUP::saveDriveTicks(components::TOstrelDrives& list, const std::string& subkey)
{
    // The key is replaced as a whole: a drive that is gone loses its value.
    if (registry::RegKeyExists(HKLM, subkey))
        registry::RegKeyRemove(HKLM, subkey);
    for (int index = 0; index < list.itemCount(); ++index)
        registry::RegWriteInt(HKLM, subkey, std::string(1, list.GetDriveChar(index)), list.checked(index) ? 1 : 0);
}

void TForm_CleanUP::LoadCleanupOptions()
{
    if (!RemembersCleanupOptions())
        return;
    loadDriveTicks(*fileDrives_, kFileDrivesKey);
    loadDriveTicks(*registryDrives_, kRegistryDrivesKey);
    for (std::size_t index = 0; index < std::size(kFileBoxes); ++index)
        LoadOptionBox(*fileBoxes_[index], kFileBoxes[index]);
    for (std::size_t index = 0; index < std::size(kRegistryBoxes); ++index)
        LoadOptionBox(*registryBoxes_[index], kRegistryBoxes[index].box);
}

void TForm_CleanUP::SaveCleanupOptions()
{
    if (!RemembersCleanupOptions())
        return;
    components::CaptureDriveSelection();
    saveDriveTicks(*fileDrives_, kFileDrivesKey);
    saveDriveTicks(*registryDrives_, kRegistryDrivesKey);
    for (std::size_t index = 0; index < std::size(kFileBoxes); ++index)
        helpers::SaveCheckFlag(*fileBoxes_[index], HKLM, kProgramKey, kFileBoxes[index].value);
    for (std::size_t index = 0; index < std::size(kRegistryBoxes); ++index)
        helpers::SaveCheckFlag(*registryBoxes_[index], HKLM, kProgramKey, kRegistryBoxes[index].box.value);
}

void TForm_CleanUP::FormClose()
{
    SaveCleanupOptions();
    ReleaseFileScan();
}

void TForm_CleanUP::Button_ApplyClick()
{
    close();
}

void TForm_CleanUP::Button_hilfeClick()
{
    ui::ShowHelpTopic(kHelpTopic);
}

void TForm_CleanUP::Button_FILESUCHEClick()
{
    using language::LangString;
    ui::CancelRequested = false;
    components::CaptureDriveSelection();
    auto dialog = std::make_unique<TForm11>();
    const FileResultsScope results(*dialog);
    language::LocalizeComponent(*dialog);
    dialog->clearFiles();
    PrepareFileScan();
    FileScanFlags = FileScanChoices{fileBoxes_[0]->checked(), fileBoxes_[1]->checked(), fileBoxes_[2]->checked(),
                                    fileBoxes_[3]->checked(), fileBoxes_[4]->checked(), fileBoxes_[5]->checked(),
                                    fileBoxes_[6]->checked(), fileBoxes_[7]->checked()};
    if (!FileScanFlags.WinTmpDir && !FileScanFlags.anyCategory()) {
        ui::MessageDlg(LangString(kNothingChosen), ui::MsgKind::Information, {ui::MsgButton::OK});
        return;
    }
    const std::string drives = UsableFileDrives();
    if (drives.empty()) {
        ui::ShowMessage(language::LangStrings({kNoDrive, kNoDriveHint}));
        return;
    }

    // The page comes back when the search ends, on every path.
    std::optional<HiddenForm> page;
    {
        WaitWindowScope wait(true, LangString(kSearchingFiles), static_cast<int>(drives.size()), true);
        SetScanFeedback(&wait.window().Label2(), nullptr);
        wait.show();
        page.emplace(*this);
        ui::ProgressBar& progress = wait.window().ProgressBar1();
        if (FileScanFlags.anyCategory()) {
            for (char letter : drives) {
                const std::string root = std::string(1, letter) + ":\\";
                if (ui::CancelRequested)
                    break;
                if (!helpers::PathAccessible(root))
                    continue;
                wait.setHeadline(LangString(kSearchingDrive) + " " + root);
                ScanPause(true);
                ScanDriveFolder(root, "");
                progress.setPosition(progress.position() + 1);
            }
        }
        if (!ui::CancelRequested && FileScanFlags.WinTmpDir && !TempFolders().empty()) {
            wait.setHeadline(LangString(kSearchingTemp));
            progress.setRange(0, static_cast<int>(TempFolders().size()));
            progress.setPosition(0);
            for (const std::string& folder : TempFolders()) {
                if (ui::CancelRequested)
                    break;
                wait.setDetail(folder);
                ScanPause(true);
                ScanTempFolder(folder);
                progress.setPosition(progress.position() + 1);
            }
        }
        if (ui::CancelRequested) {
            wait.hide();
            ui::ShowMessage(LangString(kCancelled));
            return;
        }
        if (dialog->lineCount() == 0) {
            wait.hide();
            ui::ShowMessage(LangString(kNoFiles));
            return;
        }
        wait.setHeadline(LangString(kFilesFound));
        ui::ProcessMessages();
    }
    dialog->Label_Anzahl().setCaption(LangString(kFileCountFirst) + " " + std::to_string(dialog->lineCount()) + " " +
                                      LangString(kFileCountMiddle) + " " + GroupedNumber(dialog->checkedSize()) + " " +
                                      LangString(kFileCountLast));
    dialog->showModal();
}

void TForm_CleanUP::Button_REGSUCHEClick()
{
    using language::LangString;
    ui::CancelRequested = false;
    std::vector<const RegistryBox*> checks;
    for (std::size_t index = 0; index < std::size(kRegistryBoxes); ++index)
        if (registryBoxes_[index]->checked())
            checks.push_back(&kRegistryBoxes[index]);
    if (checks.empty()) {
        ui::MessageDlg(LangString(kNothingChosen), ui::MsgKind::Information, {ui::MsgButton::OK});
        return;
    }
    auto dialog = std::make_unique<TForm6>();
    const ui::SingleInstanceScope reference(Form6, *dialog);
    language::LocalizeComponent(*dialog);
    dialog->clearLines();
    components::CaptureDriveSelection();

    std::optional<HiddenForm> page;
    bool found = false;
    {
        WaitWindowScope wait(true, "", static_cast<int>(checks.size()), true);
        wait.show();
        page.emplace(*this);
        RunRegistryChecks(checks, *dialog, wait);
        wait.hide();
        if (ui::CancelRequested)
            ui::MessageDlg(LangString(kCancelled), ui::MsgKind::Information, {ui::MsgButton::OK});
        else if (dialog->groupCount() == 0)
            ui::ShowMessage(LangString(kNoRegistryFindings));
        else
            found = true;
    }
    if (found) {
        dialog->Label_Anzahl().setCaption(LangString(kRegistryCountFirst) + " " + std::to_string(dialog->entryCount()) +
                                          " " + LangString(kRegistryCountLast));
        dialog->showModal();
    }
}

}  // namespace cleanup
