#include "report/bericht_form.h"

#include "language/language.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "registry/registry.h"
#include "report/report_texts.h"
#include "ui/application.h"
#include "ui/canvas.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/drive_pictures.h"
#include "ui/errors.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/image.h"
#include "ui/layout.h"
#include "ui/listview.h"
#include "ui/look.h"
#include "ui/pagecontrol.h"
#include "ui/programs.h"

#include <shellapi.h>

#include <algorithm>
#include <initializer_list>

namespace report {

TForm_Bericht* Form_Bericht = nullptr;

namespace {

using ui::layout::Bottom;
using ui::layout::GroupFlow;
using ui::layout::Right;
using ui::layout::Tagged;
using ui::layout::kGroupBottom;
using ui::layout::kCaptionTop;
using ui::layout::kInset;
using ui::layout::kSheetMargin;

// Language strings the report asks for.
enum Strings {
    kMegabyteUnit = 61,
    kCapacityMegabyteUnit = 62,
    kTitle = 5000,
    kFontColumn = 5490,
    kSampleColumn = 5491,
    kNoFact = 5900,
    kNoIpAddress = 5901,
    kByteUnit = 5902,
    kReportHeading = 5910,
    kFontSample = 5920,
    kNoDriveFact = 5930,
    kReportFileName = 5940,
    kOldReportKept = 5941,
};

const char* const kFontsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char* const kDescriptionKey = "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters";
const char* const kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

using ui::layout::kPageClientWidth;
using ui::layout::kPageClientHeight;
using ui::layout::kPageControlBounds;
using ui::layout::kFrameButtonTop;
using ui::layout::kFrameButtonWidth;
using ui::layout::kFrameButtonHeight;
constexpr int kSheetButtonWidth = 100;
constexpr int kValueGap = 12;
constexpr int kSamplerInterval = 750;

// The graph of the processor load: a black picture a green line is drawn across,
// 4 pixels a sample, scrolling left once it has reached its right edge.
constexpr int kGraphWidth = 301;
constexpr int kGraphHeight = 100;
constexpr int kGraphBottom = 99;
constexpr int kGraphStep = 4;
constexpr int kGraphEnd = 300;
constexpr COLORREF kGraphBackground = RGB(0, 0, 0);
constexpr COLORREF kGraphLine = RGB(0, 128, 0);
constexpr int kGraphLineWidth = 2;

constexpr int kDriveIconSize = 32;
constexpr int kFontRowHeight = 24;
constexpr int kFontNameColumnWidth = 250;
constexpr int kFontSamplePoints = 12;
constexpr int kFontTextIndent = 4;

// A caption label (Tagged) and the value label it names (Tag 0, "XXX" until filled).
struct ValueRow {
    const char* captionName;
    int tag;
    const char* caption;
    const char* valueName;
};

// The value labels of the drive group, in the order the report file lists them.
constexpr const char* kDriveValues[] = {
    "Label_DriveTyp1",     "Label_DriveName1", "Label_DriveSerial1", "Label_DriveCapacity1", "Label_DriveBytesFree1",
    "Label_DrivePercent1", "Label_DriveBPS1",  "Label_DriveSPC1",    "Label_DriveTC1",       "Label_DriveFC1",
};

bool IsFloppyItem(const std::string& item)
{
    return item.size() >= 2 && (item[0] == 'A' || item[0] == 'a') && item[1] == ':';
}

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

}  // namespace

TForm_Bericht::TForm_Bericht()
    : ui::Form("Form_Bericht", kPageClientWidth, kPageClientHeight, "Systembericht"),
      programFolder_(sysinfo::ProgramFolder()),
      systemFolder_(sysinfo::SystemFolder())
{
    // Children take their parent's font when they are created, so it comes first.
    setFont(ui::ArialFont(11));
    setKeptOnTop(true);
    systemInfo_ = &add<sysinfo::TMSystemInfo>("MSystemInfo1");
    cpuUsage_ = &add<TMCPUUsage>("MCPUUsage1", kSamplerInterval);
    cpuUsage_->OnInterval = [this](int load) { MCPUUsage1Interval(load); };

    pageControl_ = &add<ui::PageControl>(*this, "PageControl1", kPageControlBounds);
    createSystemSheet();
    createMemorySheet();
    createDriveSheet();
    createFontSheet();
    addButtons();
    arrangeValueColumns();
    onClose = [this] { FormClose(); };

    // Creation: title, column titles, first sheet, graph, and the sampler when its box is ticked.
    setCaption(language::LangString(kTitle));
    fonts_->setColumnCaption(0, language::LangString(kFontColumn));
    fonts_->setColumnCaption(1, language::LangString(kSampleColumn));
    pageControl_->setActivePageIndex(0);
    startGraph();
    if (measuring_->checked())
        ui::App().runEvent([this] { cpuUsage_->setActive(true); });
}

TForm_Bericht::~TForm_Bericht()
{
    cpuUsage_->setActive(false);
}

ui::TabSheet& TForm_Bericht::addSheet(const char* name, int tag, const char* caption)
{
    return Tagged(pageControl_->add<ui::TabSheet>(*pageControl_, name, caption), tag);
}

namespace {

// The rows of a group: each caption on its own line, its value label beside it
// (placed by arrangeValueColumns).
std::vector<std::pair<ui::Label*, ui::Label*>> AddValueRows(GroupFlow& group, std::initializer_list<ValueRow> rows)
{
    ui::GroupBox& box = group.box();
    std::vector<std::pair<ui::Label*, ui::Label*>> lines;
    for (const ValueRow& row : rows) {
        const int top = group.y();
        auto& caption =
            Tagged(box.add<ui::Label>(box, row.captionName, ui::Bounds{kInset, top, 0, 0}, row.caption), row.tag);
        caption.setAutoSize(true);
        auto& value = box.add<ui::Label>(box, row.valueName, ui::Bounds{kInset, top, 1, caption.height()}, "XXX");
        value.setShowsData(true);
        lines.emplace_back(&caption, &value);
        group.rowEndsAt(top + caption.height());
    }
    return lines;
}

}  // namespace

void TForm_Bericht::createSystemSheet()
{
    auto& sheet = addSheet("TabSheet1", 5001, "OS, Computer, Auslastung");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox1", 5100, "Windows-Version"});
        valueGroups_.push_back({&group.box(), AddValueRows(group, {
            {"Label_Build", 5101, "Build-Nummer dieser Windows-Version:", "Label_Build1"},
            {"Label_SP", 5102, "Installierte Service-Packs:", "Label_SP1"},
            {"Label_CPUVersion", 5103, "Prozessor-Version:", "Label_CPUVersion1"},
            {"Label_ComputerOwner", 5104, "Registriert auf (Person):", "Label_ComputerOwner1"},
            {"Label_ComputerOwnerCompany", 5105, "Registriert auf (Firma):", "Label_ComputerOwnerCompany1"},
        })});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox2", 5110, "Informationen zum Computer"});
        valueGroups_.push_back({&group.box(), AddValueRows(group, {
            {"Label_ComputerName", 5111, "Computername:", "Label_ComputerName1"},
            {"Label_Desc", 5112, "Computerbeschreibung:", "Label_Desc1"},
            {"Label_ComputerUser", 5113, "Aktueller Benutzer:", "Label_ComputerUser1"},
            {"Label_IP", 5114, "Aktuelle IP-Adresse:", "Label_IP1"},
        })});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox3", 5120, "Prozessorauslastung"});
        ui::GroupBox& box = group.box();
        const int lineTop = group.y();
        auto& current = Tagged(box.add<ui::Label>(box, "Label21", ui::Bounds{kInset, lineTop, 0, 0}, "Aktuell:"), 5121);
        current.setAutoSize(true);
        const int loadLeft = Right(current) + kValueGap;
        currentLoad_ = &Tagged(box.add<ui::Label>(box, "Label_CPUUsage",
                                                  ui::Bounds{loadLeft, lineTop, group.widthFrom(loadLeft), current.height()},
                                                  "Bitte warten..."),
                               5123);
        group.rowEndsAt(lineTop + current.height());
        group.space(3);
        graph_ = &box.add<ui::Image>(box, "Image1", ui::Bounds{kInset, group.y(), kGraphWidth, kGraphHeight});
        group.rowEndsAt(Bottom(*graph_));
        group.space(3);
        measuring_ = &group.checkBox({"CheckBox_CPUUsage", 5122, "Überwachung der Prozessorauslastung aktiv"});
        measuring_->setChecked(true);
        measuring_->onClick = [this] { CheckBox_CPUUsageClick(); };
    }
}

void TForm_Bericht::createMemorySheet()
{
    auto& sheet = addSheet("TabSheet2", 5002, "Speicher, Auflösungen");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox4", 5200, "Speicher"});
        valueGroups_.push_back({&group.box(), AddValueRows(group, {
            {"Label_MemTotalPhysical", 5201, "Installierter Physikalischer Speicher:", "Label_MemTotalPhysical1"},
            {"Label_MemFreePhysical", 5202, "Freier physikalischer Speicher:", "Label_MemFreePhysical1"},
            {"Label_MemSwapFileSize", 5203, "Größe der Auslagerungsdatei:", "Label_MemSwapFileSize1"},
            {"Label_SwapFileUsage", 5204, "Auslagerungsdatei ausgenutzt zu:", "Label_SwapFileUsage1"},
            {"Label_MemLoad", 5205, "Speicherausnutzung insgesammt", "Label_MemLoad1"},
        })});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox5", 5210, "Verfügbare Bildschirmauflösungen"});
        ui::GroupBox& box = group.box();
        const int height = sheet.clientHeight() - kSheetMargin - top - kCaptionTop - kGroupBottom;
        displayModes_ =
            &box.add<ui::Memo>(box, "Memo_DisplayModes", ui::Bounds{kInset, group.y(), group.widthFrom(kInset), height});
        displayModes_->setReadOnly(true);
        group.rowEndsAt(Bottom(*displayModes_));
    }
}

void TForm_Bericht::createDriveSheet()
{
    auto& sheet = addSheet("TabSheet3", 5003, "Laufwerke");
    int top = kSheetMargin;
    {
        constexpr int kComboWidth = 260;
        constexpr int kFieldGap = 8;
        auto& caption = Tagged(sheet.add<ui::Label>(sheet, "Label_AktDrive", ui::Bounds{kSheetMargin + 4, top, 0, 0},
                                                    "Laufwerk:"),
                               5300);
        caption.setAutoSize(true);
        caption.setTop(top + (ui::layout::kButtonHeight - caption.height()) / 2);
        const int comboLeft = Right(caption) + kFieldGap;
        drives_ = &sheet.add<ui::ComboBox>(sheet, "ComboBox_Drives",
                                           ui::Bounds{comboLeft, top + 1, kComboWidth, ui::layout::kFieldHeight});
        drives_->onChange = [this] { ComboBox_DrivesChange(); };
        auto& reload = Tagged(sheet.add<ui::Button>(sheet, "Button_ReloadDISK",
                                                    ui::Bounds{comboLeft + kComboWidth + kFieldGap, top,
                                                               kSheetButtonWidth, ui::layout::kButtonHeight},
                                                    "Neu einlesen"),
                              5301);
        reload.onClick = [this] { Button_ReloadDISKClick(); };
        top += ui::layout::kButtonHeight + 8;
    }
    GroupFlow group(sheet, top, {"GroupBox6", 5310, "Informationen zum ausgewählten Laufwerk"});
    valueGroups_.push_back({&group.box(), AddValueRows(group, {
        {"Label_DriveTyp", 5311, "Laufwerksart:", "Label_DriveTyp1"},
        {"Label_DriveName", 5312, "Name:", "Label_DriveName1"},
        {"Label_DriveSerial", 5313, "Seriennummer des Laufwerks:", "Label_DriveSerial1"},
        {"Label_DriveCapacity", 5314, "Laufwerksgröße (formatiert):", "Label_DriveCapacity1"},
        {"Label_DriveBytesFree", 5315, "Bytes frei auf dem Laufwerk:", "Label_DriveBytesFree1"},
        {"Label_DrivePercent", 5316, "Laufwerk ist ausgenutzt zu:", "Label_DrivePercent1"},
        {"Label_DriveBPS", 5317, "Bytes pro Sektor:", "Label_DriveBPS1"},
        {"Label_DriveSPC", 5318, "Sektoren pro Cluster:", "Label_DriveSPC1"},
        {"Label_DriveTC", 5319, "Cluster auf dem Laufwerk:", "Label_DriveTC1"},
        {"Label_DriveFC", 5320, "Davon freie Cluster:", "Label_DriveFC1"},
    })});
    ui::GroupBox& box = group.box();
    group.space(3);
    const int iconTop = group.y();
    auto& caption = Tagged(box.add<ui::Label>(box, "Label53", ui::Bounds{kInset, iconTop, 0, 0}, "Symbol:"), 5321);
    caption.setAutoSize(true);
    caption.setTop(iconTop + (kDriveIconSize - caption.height()) / 2);
    driveIcon_ = &box.add<ui::Image>(box, "Image_DriveTyp", ui::Bounds{kInset, iconTop, kDriveIconSize, kDriveIconSize});
    group.rowEndsAt(iconTop + kDriveIconSize);
}

void TForm_Bericht::createFontSheet()
{
    auto& sheet = addSheet("TabSheet4", 5004, "Schriftarten");
    int top = kSheetMargin;
    // The folder group below the list: its caption, one button, its bottom.
    const int folderGroupHeight = kCaptionTop + ui::layout::kButtonHeight + kGroupBottom;
    {
        GroupFlow group(sheet, top, {"GroupBox7", 5400, "Installierte Schriftarten auf diesem Computer"});
        ui::GroupBox& box = group.box();
        const int height = sheet.clientHeight() - top - kCaptionTop - kGroupBottom - ui::layout::kGroupGap -
                           folderGroupHeight - kSheetMargin;
        ui::ListViewOptions options;
        options.wholeRowSelect = true;
        fonts_ = &box.add<ui::ListView>(box, "VirtualDrawTree_Fonts",
                                        ui::Bounds{kInset, group.y(), group.widthFrom(kInset), height}, options);
        fonts_->setRowHeight(kFontRowHeight);
        fonts_->addColumn("", kFontNameColumnWidth);
        fonts_->addColumn("", fonts_->clientWidth() - kFontNameColumnWidth - GetSystemMetrics(SM_CXVSCROLL));
        fonts_->onDrawCell = [this](HDC dc, int node, int column, const RECT& cell) {
            VirtualDrawTree_FontsDrawNode(dc, node, column, cell);
        };
        group.rowEndsAt(Bottom(*fonts_));
    }
    GroupFlow group(sheet, top, {"GroupBox8", 5410, "Zum Windows-Ordner \"Schriftarten\""});
    ui::GroupBox& box = group.box();
    auto& folder = Tagged(box.add<ui::Button>(box, "Button_Fonts",
                                              ui::Bounds{kInset, group.y(), kSheetButtonWidth, ui::layout::kButtonHeight},
                                              "Zum Ordner"),
                          5411);
    folder.onClick = [this] { Button_FontsClick(); };
    group.rowEndsAt(Bottom(folder));
}

void TForm_Bericht::addButtons()
{
    const auto addButton = [this](const char* name, int tag, int left, const char* caption) -> ui::Button& {
        return Tagged(add<ui::Button>(*this, name, ui::Bounds{left, kFrameButtonTop, kFrameButtonWidth, kFrameButtonHeight}, caption),
                      tag);
    };
    auto& reload = addButton("Button_Reload", 5130, 8, "Neu einlesen");
    save_ = &addButton("Button_Speichern", 5131, 104, "Speichern");
    auto& help = addButton("Button_hilfe", 202, 464, "Hilfe");
    auto& apply = addButton("Button_Apply", 200, 560, "Ok");
    reload.onClick = [this] { Button_ReloadClick(); };
    save_->onClick = [this] { Button_SpeichernClick(); };
    help.onClick = [this] { Button_hilfeClick(); };
    apply.onClick = [this] { Button_ApplyClick(); };
    setDefaultButton(&apply);
    setCancelButton(&apply);
}

void TForm_Bericht::arrangeValueColumns()
{
    // The groups of one sheet share their value column, so the values line up.
    for (const ValueGroup& group : valueGroups_) {
        int widest = 0;
        for (const ValueGroup& other : valueGroups_)
            if (other.box->owner() == group.box->owner())
                for (const auto& [caption, value] : other.lines)
                    widest = std::max(widest, caption->width());
        const int left = kInset + widest + kValueGap;
        const int width = std::max(1, group.box->width() - kInset - left);
        for (const auto& [caption, value] : group.lines)
            value->setBounds(ui::Bounds{left, caption->top(), width, caption->height()});
        if (group.box == driveIcon_->owner())
            driveIcon_->setLeft(left);
    }
}

void TForm_Bericht::setFolders(std::string programFolder, std::string systemFolder)
{
    programFolder_ = std::move(programFolder);
    systemFolder_ = std::move(systemFolder);
}

std::string TForm_Bericht::reportPath() const
{
    return programFolder_ + "\\" + language::LangString(kReportFileName);
}

// ---- Reload ----

namespace {

// Sets busy for one scope: a reload or a save lets messages through, and another
// reload or save started meanwhile from the same page would work on half-filled lists.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() { busy_ = false; }

private:
    bool& busy_;
};

std::string FactOr(const std::string& fact, int missingText)
{
    return fact.empty() ? language::LangString(missingText) : fact;
}

}  // namespace

void TForm_Bericht::Button_ReloadClick()
{
    if (busy_)
        return;
    const BusyScope busy(busy_);
    arrangeValueColumns();
    fillFonts();
    systemInfo_->refresh();
    displayModes_->clear();
    for (const std::string& mode : systemInfo_->displayModes())
        displayModes_->addLine(mode);
    fillSystemLabels();
    fillMemoryLabels();
    fillDrives();
}

void TForm_Bericht::fillFonts()
{
    std::vector<std::string> names = registry::RegValueNames(HKLM, kFontsKey);
    SortIgnoringCase(names);
    fonts_->clear();
    for (const std::string& name : names) {
        const int item = fonts_->addItem(name);
        fonts_->setSubItem(item, 1, FontFaceName(name));
    }
}

void TForm_Bericht::fillSystemLabels()
{
    const sysinfo::OperatingSystemFacts& system = systemInfo_->operatingSystem();
    const sysinfo::MachineFacts& machine = systemInfo_->machine();
    const auto set = [this](const char* name, const std::string& text) { find<ui::Label>(name).setCaption(text); };
    set("Label_Build1", system.buildNumber ? std::to_string(*system.buildNumber) : std::string{});
    set("Label_SP1", FactOr(system.servicePack, kNoFact));
    set("Label_CPUVersion1", system.processorVersion);
    set("Label_ComputerOwner1", FactOr(system.registeredOwner, kNoFact));
    set("Label_ComputerOwnerCompany1", FactOr(system.registeredOrganization, kNoFact));
    set("Label_ComputerName1", machine.computerName);
    set("Label_Desc1", FactOr(registry::RegReadText(HKLM, kDescriptionKey, "srvcomment"), kNoFact));
    set("Label_ComputerUser1", machine.userName);
    const auto& addresses = systemInfo_->ipAddresses();
    set("Label_IP1", addresses.empty() ? language::LangString(kNoIpAddress) : addresses.front());
}

void TForm_Bericht::fillMemoryLabels()
{
    const sysinfo::MemoryFigures memory = sysinfo::Facts().memory();
    const std::string bytes = language::LangString(kByteUnit);
    const std::string megabytes = language::LangString(kMegabyteUnit);
    const std::uint64_t swapUsed =
        memory.totalPageFile > memory.availablePageFile ? memory.totalPageFile - memory.availablePageFile : 0;
    const std::uint64_t swapUsage =
        memory.totalPageFile == 0 || memory.availablePageFile > memory.totalPageFile
            ? 0
            : 100 - memory.availablePageFile * 100 / memory.totalPageFile;
    const auto set = [this](const char* name, const std::string& text) { find<ui::Label>(name).setCaption(text); };
    set("Label_MemTotalPhysical1", MemoryText(memory.totalPhysical, SnapToModuleSize(Megabytes(memory.totalPhysical)),
                                              bytes, megabytes));
    set("Label_MemFreePhysical1",
        MemoryText(memory.availablePhysical, Megabytes(memory.availablePhysical), bytes, megabytes));
    set("Label_MemSwapFileSize1", MemoryText(swapUsed, Megabytes(swapUsed), bytes, megabytes));
    set("Label_MemLoad1", std::to_string(memory.memoryLoad) + " %");
    set("Label_SwapFileUsage1", std::to_string(swapUsage) + " %");
}

void TForm_Bericht::fillDrives()
{
    systemInfo_->refreshDrives();
    std::vector<std::string> items;
    for (const char letter : systemInfo_->availableDrives()) {
        const std::string drive = std::string(1, letter) + ":";
        std::string label;
        // The floppy drive is never asked: that would make it spin (or ask for a disk).
        if (!IsFloppyItem(drive)) {
            systemInfo_->setDrive(drive);
            systemInfo_->refreshDrive();
            if (systemInfo_->drive().mediaPresent)
                label = systemInfo_->drive().volumeLabel;
        }
        items.push_back(drive + " (" + label + ")");
    }
    drives_->setItems(items);
    drives_->setItemIndex(firstReportedDrive());
    updateDrive();
}

// The first drive the report shows: the second item when the first is the floppy
// drive A:, else the first; none when the list holds nothing else.
int TForm_Bericht::firstReportedDrive() const
{
    const int count = drives_->itemCount();
    const int first = count > 0 && IsFloppyItem(drives_->items().front()) ? 1 : 0;
    return first < count ? first : -1;
}

// ---- Drive group ----

void TForm_Bericht::ComboBox_DrivesChange()
{
    if (!busy_)
        updateDrive();
}

void TForm_Bericht::Button_ReloadDISKClick()
{
    if (!busy_)
        updateDrive();
}

void TForm_Bericht::updateDrive()
{
    const std::string missing = language::LangString(kNoDriveFact);
    for (const char* name : kDriveValues)
        find<ui::Label>(name).setCaption(missing);
    const std::string item = drives_->text();
    if (item.size() < 2) {
        driveIcon_->clear();
        return;
    }
    systemInfo_->setDrive(item.substr(0, 2));
    systemInfo_->refreshDrive();
    const sysinfo::DriveFacts& drive = systemInfo_->drive();
    find<ui::Label>("Label_DriveTyp1").setCaption(sysinfo::MediaTypeText(drive.mediaType) + " - " + drive.fileSystem);
    showDriveIcon(drive);
    if (!drive.mediaPresent)
        return;
    const std::string separator = ThousandsSeparator();
    const std::string bytes = language::LangString(kByteUnit);
    const std::string megabytes = language::LangString(kCapacityMegabyteUnit);
    const auto sizeText = [&](std::uint64_t size) {
        return GroupedNumber(size, separator) + " " + bytes + " = " +
               GroupedNumber(static_cast<double>(size) / 1048576.0, separator) + " " + megabytes;
    };
    const auto set = [this](const char* name, const std::string& text) { find<ui::Label>(name).setCaption(text); };
    set("Label_DriveName1", drive.volumeLabel);
    set("Label_DriveSerial1", drive.serialNumber);
    set("Label_DriveCapacity1", sizeText(drive.capacity));
    set("Label_DriveBytesFree1", sizeText(drive.freeBytes));
    if (const auto used = UsedPercentage(drive.capacity, drive.freeBytes))
        set("Label_DrivePercent1", std::to_string(*used) + " %");
    set("Label_DriveBPS1", GroupedNumber(std::uint64_t{drive.bytesPerSector}, separator));
    set("Label_DriveSPC1", GroupedNumber(std::uint64_t{drive.sectorsPerCluster}, separator));
    set("Label_DriveFC1", GroupedNumber(std::uint64_t{drive.freeClusters}, separator));
    set("Label_DriveTC1", GroupedNumber(std::uint64_t{drive.totalClusters}, separator));
}

// The shell's icon of the drive; where the shell has none, the program's picture of
// the drive's kind.
void TForm_Bericht::showDriveIcon(const sysinfo::DriveFacts& drive)
{
    // The shell writes the path of the icon's file into the buffer it is given.
    char path[MAX_PATH] = {};
    const std::string root = drive.drive + "\\";
    root.copy(path, std::min<std::size_t>(root.size(), MAX_PATH - 1));
    WORD index = 0;
    ui::IconHandle icon(ExtractAssociatedIconA(GetModuleHandleA(nullptr), path, &index));
    if (icon)
        driveIcon_->setIcon(std::move(icon));
    else
        driveIcon_->setSharedIcon(ui::DriveIcon(ui::DriveKindOfType(drive.mediaType), kDriveIconSize));
}

// ---- Save ----

void TForm_Bericht::Button_SpeichernClick()
{
    if (busy_)
        return;
    const BusyScope busy(busy_);
    const journal::ChangeScope change(caption() + ": " + save_->caption());
    const std::string path = reportPath();
    if (helpers::FileExists(path)) {
        helpers::RecycleFile(path);
        // Writing over a report that could not be put into the Recycle Bin would lose it.
        if (helpers::FileExists(path))
            throw ui::Exception(language::LangString(kOldReportKept) + "\r" + path);
    }
    const std::vector<std::string> lines = reportLines();
    if (!helpers::WriteTextLines(path, lines))
        throw ui::EFileCreateError::cannotCreate(path);
    ui::WinExec(systemFolder_ + "\\Notepad.exe " + Quoted(path), SW_SHOWNORMAL);
}

void TForm_Bericht::addGroupLines(std::vector<std::string>& lines, const ValueGroup& group) const
{
    lines.push_back(group.box->caption() + ":");
    for (const auto& [caption, value] : group.lines)
        lines.push_back(caption->caption() + " " + value->caption());
}

std::vector<std::string> TForm_Bericht::reportLines()
{
    std::vector<std::string> lines;
    lines.push_back(language::LangString(kReportHeading) + " " + TodayShortDate());
    lines.emplace_back();
    addGroupLines(lines, valueGroups_[0]);
    lines.emplace_back();
    addGroupLines(lines, valueGroups_[1]);
    lines.emplace_back();
    addGroupLines(lines, valueGroups_[2]);
    lines.emplace_back();
    lines.push_back(find<ui::GroupBox>("GroupBox5").caption() + ":");
    for (const std::string& mode : displayModes_->lines())
        lines.push_back(mode);

    const int first = firstReportedDrive();
    if (first < 0)
        return lines;
    const int selected = drives_->itemIndex();
    const std::vector<std::string> items = drives_->items();
    const std::string driveCaption = find<ui::Label>("Label_AktDrive").caption();
    const ValueGroup& driveGroup = valueGroups_[3];
    for (int index = first; index < static_cast<int>(items.size()); ++index) {
        drives_->setItemIndex(index);
        updateDrive();
        ui::ProcessMessages();
        lines.emplace_back();
        lines.push_back(driveCaption + " - " + items[static_cast<std::size_t>(index)] + ":");
        for (const char* name : kDriveValues) {
            const auto line = std::find_if(driveGroup.lines.begin(), driveGroup.lines.end(),
                                           [&](const ValueLine& value) { return value.second->name() == name; });
            lines.push_back(line->first->caption() + " " + line->second->caption());
        }
    }
    drives_->setItemIndex(selected);
    updateDrive();
    return lines;
}

// ---- The other buttons ----

void TForm_Bericht::Button_FontsClick()
{
    const std::string folder = registry::RegReadText(HKCU, kShellFoldersKey, "Fonts");
    ui::WinExec(folder.empty() ? std::string("explorer.exe") : "explorer.exe " + Quoted(folder), SW_SHOWNORMAL);
}

void TForm_Bericht::Button_ApplyClick()
{
    close();
}

void TForm_Bericht::Button_hilfeClick()
{
    ui::ShowHelpTopic("systembericht");
}

void TForm_Bericht::FormClose()
{
    cpuUsage_->setActive(false);
}

// ---- Processor load ----

void TForm_Bericht::CheckBox_CPUUsageClick()
{
    cpuUsage_->setActive(measuring_->checked());
}

void TForm_Bericht::startGraph()
{
    graph_->newPicture(kGraphWidth, kGraphHeight, kGraphBackground);
    graphPen_.reset(CreatePen(PS_SOLID, kGraphLineWidth, kGraphLine));
    graphPenAt_ = POINT{0, kGraphBottom};
    graphX_ = kGraphStep;
}

void TForm_Bericht::MCPUUsage1Interval(int value)
{
    // Anything above 100 read as unsigned (so every negative value too) is no measurement.
    if (static_cast<unsigned>(value) > 100)
        return;
    currentLoad_->setCaption(std::to_string(value) + "%");
    const int y = kGraphBottom - value;
    graph_->drawOn([&](HDC dc) {
        const ui::SelectedObject pen(dc, graphPen_.get());
        MoveToEx(dc, graphPenAt_.x, graphPenAt_.y, nullptr);
        LineTo(dc, graphX_, y);
        graphPenAt_ = POINT{graphX_, y};
        graphX_ += kGraphStep;
        if (graphX_ < kGraphEnd)
            return;
        const int kept = kGraphEnd - kGraphStep;
        BitBlt(dc, 0, 0, kept, kGraphHeight, dc, kGraphStep, 0, SRCCOPY);
        ui::GdiObject black(CreateSolidBrush(kGraphBackground));
        const RECT freed{kept, 0, kGraphWidth, kGraphHeight};
        FillRect(dc, &freed, static_cast<HBRUSH>(black.get()));
        graphPenAt_ = POINT{kept, y};
        graphX_ = kGraphEnd;
    });
}

// ---- Font list ----

void TForm_Bericht::VirtualDrawTree_FontsDrawNode(HDC dc, int node, int column, const RECT& cell)
{
    SetTextColor(dc, RGB(0, 0, 0));
    if (column == 0) {
        const std::string name = fonts_->caption(node);
        ui::Canvas canvas(dc, font());
        canvas.textOut(cell.left + kFontTextIndent, cell.top + (cell.bottom - cell.top - canvas.textHeight("Ag")) / 2,
                       name);
        return;
    }
    const std::string face = fonts_->subItem(node, 1);
    LOGFONTA description{};
    description.lfHeight = -MulDiv(kFontSamplePoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    description.lfCharSet = DEFAULT_CHARSET;
    face.copy(description.lfFaceName, sizeof(description.lfFaceName) - 1);
    const ui::GdiObject sampleFont(CreateFontIndirectA(&description));
    if (!sampleFont)
        return;
    // The canvas gives the list's font back when it ends.
    ui::Canvas canvas(dc, static_cast<HFONT>(sampleFont.get()));
    const std::string sample = language::LangString(kFontSample);
    canvas.textOut(cell.left + kFontTextIndent, cell.top + (cell.bottom - cell.top - canvas.textHeight("Ag")) / 2,
                   sample);
}

}  // namespace report
