#include "wizards/assistenten_form.h"

#include "components/mouse_image.h"
#include "language/language.h"
#include "pages/system_rows.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "sysinfo/system_info.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/errors.h"
#include "ui/gradient_panel.h"
#include "ui/help.h"
#include "ui/layout.h"
#include "ui/look.h"
#include "ui/pagecontrol.h"
#include "ui/programs.h"
#include "ui/single_instance.h"
#include "wizards/physical_memory.h"

#include "resource.h"

#include <algorithm>
#include <iterator>

#include <commctrl.h>

namespace wizards {

TForm_Assistenten* Form_Assistenten = nullptr;

using language::LangString;
using ui::layout::Bottom;
using ui::layout::Caption;
using ui::layout::GroupFlow;
using ui::layout::Right;
using ui::layout::Tagged;
using namespace ui::layout;

namespace {

constexpr int kClientWidth = 660;
constexpr int kClientHeight = 540;
constexpr ui::Bounds kPageControl{8, 8, 641, 489};
constexpr int kButtonTop = 508;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 25;
constexpr int kStartButtonWidth = 130;
constexpr int kPictureSize = 48;
constexpr int kComboWidth = 220;

// The panel of the first sheet: a light gradient with dark texts.
constexpr COLORREF kPanelTop = RGB(255, 255, 255);
constexpr COLORREF kPanelBottom = RGB(198, 211, 247);
constexpr COLORREF kEntryColor = RGB(33, 61, 156);

// One wizard of the first sheet: its name label, picture, description and sheet.
struct WizardEntry {
    const char* label;
    int labelTag;
    const char* labelText;
    const char* picture;
    int pictureResource;
    const char* description;
    int descriptionTag;
    const char* descriptionText;
    WizardSheet sheet;
};

const WizardEntry kEntries[] = {
    {"Label_SPEED", 3120, "SPEED-Assistent benutzen", "MouseImage_SPEED", IDI_WIZARD_SPEED, "Label8", 3121,
     "Stellt Windows auf höchste Leistung ein, auch Speicher, Cache und Prozessor. Für Benutzer, die ihren "
     "Computer kennen.",
     kSheetSpeed},
    {"Label_STANDARD", 3130, "STANDARD-Assistent benutzen", "MouseImage_STANDARD", IDI_WIZARD_STANDARD, "Label6", 3131,
     "Nimmt nur sichere Einstellungen vor, die auf jedem Computer die Leistung verbessern.", kSheetStandard},
    {"Label_POLICY", 3140, "Policy-Assistent benutzen", "MouseImage_POLICY", IDI_WIZARD_POLICY, "Label4", 3141,
     "Sperrt für den angemeldeten Benutzer die wichtigsten Systemeinstellungen, etwa für Kinder oder Gäste.",
     kSheetPolicy},
    {"Label_RETTUNG", 3150, "Rettungs-Assistent benutzen", "MouseImage_RETTUNG", IDI_WIZARD_RETTUNG, "Label2", 3151,
     "Setzt viele Einstellungen auf die Vorgaben von Windows zurück und hebt Sperren für diesen Benutzer wieder "
     "auf.",
     kSheetRescue},
};

// A word-wrapped text straight on a sheet, from its left margin to its right margin.
ui::Label& AddSheetNote(ui::Control& sheet, int& top, const Caption& caption, bool bold = false)
{
    const int width = sheet.clientWidth() - 2 * kSheetMargin;
    auto& label = Tagged(
        sheet.add<ui::Label>(sheet, caption.name, ui::Bounds{kSheetMargin, top, width, 0}, caption.text), caption.tag);
    if (bold)
        label.setFont(ui::ArialFont(11, true));
    label.setWordWrap(true);
    label.setAutoSize(true);
    top = Bottom(label) + 6;
    return label;
}

// Short texts in two columns of a group, row by row.
void AddTwoColumns(GroupFlow& group, const std::vector<Caption>& items)
{
    ui::GroupBox& box = group.box();
    const int columnWidth = group.widthFrom(kInset) / 2;
    for (std::size_t index = 0; index < items.size(); index += 2) {
        int bottom = group.y();
        for (std::size_t column = 0; column < 2 && index + column < items.size(); ++column) {
            const Caption& item = items[index + column];
            const int left = kInset + static_cast<int>(column) * columnWidth;
            auto& label =
                Tagged(box.add<ui::Label>(box, item.name, ui::Bounds{left, group.y(), columnWidth - 8, 0}, item.text),
                       item.tag);
            label.setWordWrap(true);
            label.setAutoSize(true);
            bottom = std::max(bottom, Bottom(label));
        }
        group.rowEndsAt(bottom);
    }
}

// An option box across a group, as high as its caption needs. Font substitutes draw some
// texts a few pixels wider than they measure, and the box wraps its caption by the
// measure: a caption that only just fits on one line would lose its end. Such a box is
// made narrower than its caption, so that its last words go to a second line.
ui::CheckBox& AddOption(GroupFlow& group, const Caption& caption, bool checked = false)
{
    ui::GroupBox& box = group.box();
    int width = group.widthFrom(kInset);
    const int room = width - kGlyph;
    const int oneLine = ui::MeasureText(box.font(), caption.text).cx;
    if (oneLine <= room && oneLine + oneLine / 40 + 4 > room)
        width = kGlyph + oneLine - oneLine / 10;
    const SIZE text = ui::MeasureText(box.font(), caption.text, width - kGlyph);
    const int height = std::max(kLineHeight, static_cast<int>(text.cy) + 4);
    auto& option =
        Tagged(box.add<ui::CheckBox>(box, caption.name, ui::Bounds{kInset, group.y(), width, height}, caption.text),
               caption.tag);
    option.setChecked(checked);
    group.rowEndsAt(group.y() + height);
    return option;
}

// A label, a drop-down list and a remark on one line of a group; the list starts at fieldLeft.
ui::ComboBox& AddListLine(GroupFlow& group, const Caption& before, int fieldLeft, const char* listName,
                          const Caption& after)
{
    ui::GroupBox& box = group.box();
    group.inlineLabel(before, kInset);
    auto& list = box.add<ui::ComboBox>(box, listName, ui::Bounds{fieldLeft, group.y(), kComboWidth, kFieldHeight});
    auto& remark = group.inlineLabel(after, Right(list) + 8);
    remark.setAutoSize(false);
    remark.setSize(group.innerRight() - remark.left(), remark.height());
    group.rowEndsAt(group.y() + kFieldHeight);
    return list;
}

// The hourglass while a run drives the pages, the previous pointer afterwards.
class HourglassScope {
public:
    HourglassScope() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    HourglassScope(const HourglassScope&) = delete;
    HourglassScope& operator=(const HourglassScope&) = delete;
    ~HourglassScope() { SetCursor(previous_); }

private:
    HCURSOR previous_;  // a shared system cursor, never destroyed
};

}  // namespace

TForm_Assistenten::TForm_Assistenten()
    : ui::Form("Form_Assistenten", kClientWidth, kClientHeight, "Assistenten verwenden"),
      programFolder_(sysinfo::ProgramFolder()),
      systemFolder_(sysinfo::SystemFolder())
{
    setFont(ui::ArialFont(11));
    setKeptOnTop(true);
    pageControl_ = &add<ui::PageControl>(*this, "PageControl1", kPageControl);
    const HWND tabs = pageControl_->handle();
    SetWindowLongA(tabs, GWL_STYLE, GetWindowLongA(tabs, GWL_STYLE) | TCS_MULTILINE);
    createChoiceSheet();
    createSpeedSheet();
    createStandardSheet();
    createPolicySheet();
    createRescueSheet();
    createResultSheet();

    auto& help = Tagged(
        add<ui::Button>(*this, "Button_hilfe", ui::Bounds{464, kButtonTop, kButtonWidth, kButtonHeight}, "Hilfe"), 202);
    auto& back = Tagged(
        add<ui::Button>(*this, "Button_Apply", ui::Bounds{560, kButtonTop, kButtonWidth, kButtonHeight}, "Zurück"),
        203);
    help.onClick = [this] { Button_hilfeClick(); };
    back.onClick = [this] { Button_ApplyClick(); };
    setCancelButton(&back);
    setHelpButton(&help);
    steps_ = std::make_unique<WizardSteps>(*log_);
    FormCreate();
}

TForm_Assistenten::~TForm_Assistenten() = default;

ui::TabSheet& TForm_Assistenten::addSheet(const char* name, int tag, const char* caption)
{
    return Tagged(pageControl_->add<ui::TabSheet>(*pageControl_, name, caption), tag);
}

// --- The sheets ----------------------------------------------------------------------

void TForm_Assistenten::createChoiceSheet()
{
    auto& sheet = addSheet("TabSheet1", 3001, "Verfügbare Assistenten");
    int top = kSheetMargin;
    AddSheetNote(sheet, top, {"Label1", 3100, "Viele Einstellungen in einem Schritt ändern"}, true);
    AddSheetNote(sheet, top,
                 {"Label3", 3101,
                  "Ein Assistent ändert auf einmal viele Einstellungen auf mehreren Seiten dieses Programms, genau so, "
                  "wie Sie sie dort von Hand ändern würden."});
    AddSheetNote(sheet, top,
                 {"Label5", 3102,
                  "Jeder Assistent zeigt auf seiner Seite, was er ändert, und lässt Sie mit einigen Optionen wählen, "
                  "wie weit er gehen soll. Erst \"Assistent starten\" ändert etwas."});
    AddSheetNote(
        sheet, top,
        {"Label7", 3103,
         "Danach steht jede geänderte Einstellung auf der Seite \"Ergebnis\". Im Hauptfenster nimmt \"Datei\" - "
         "\"Änderungen rückgängig machen...\" alle Änderungen eines Assistenten in einem Schritt zurück."});
    AddSheetNote(sheet, top,
                 {"Label9", 3104, "Klicken Sie auf den Namen oder das Symbol eines Assistenten, um ihn auszuwählen."});

    const int panelHeight = sheet.clientHeight() - kSheetMargin - top;
    auto& panel = sheet.add<ui::GradientPanel>(
        sheet, "Panel1", ui::Bounds{kSheetMargin, top, sheet.clientWidth() - 2 * kSheetMargin, panelHeight}, kPanelTop,
        kPanelBottom);
    auto& heading =
        Tagged(panel.add<ui::Label>(panel, "Label11", ui::Bounds{16, 12, 0, 0}, "Wählen Sie einen Assistenten"), 3110);
    heading.setTransparent(true);
    heading.setTextColor(kEntryColor);
    heading.setFont(ui::ArialFont(16, true));
    heading.setAutoSize(true);
    // The entries share the panel's height below the heading evenly.
    const int entriesTop = Bottom(heading) + 14;
    const int count = static_cast<int>(std::size(kEntries));
    const int slot = (panel.clientHeight() - entriesTop - 4) / count;
    for (int index = 0; index < count; ++index)
        addWizardEntry(panel, entriesTop + index * slot, index);
}

void TForm_Assistenten::addWizardEntry(ui::Control& panel, int top, int index)
{
    const WizardEntry& entry = kEntries[index];
    constexpr int kTextLeft = 16 + kPictureSize + 14;
    auto& picture =
        panel.add<components::TMouseImage>(panel, entry.picture, ui::Bounds{16, top, kPictureSize, kPictureSize});
    picture.setSharedIcon(
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(entry.pictureResource), IMAGE_ICON,
                                      kPictureSize, kPictureSize, LR_SHARED)));
    picture.setCursor(IDC_HAND);

    auto& label =
        Tagged(panel.add<ui::Label>(panel, entry.label, ui::Bounds{kTextLeft, top + 2, 0, 0}, entry.labelText),
               entry.labelTag);
    label.setTransparent(true);
    label.setTextColor(kEntryColor);
    label.setFont(ui::ArialFont(11, true));
    label.setAutoSize(true);
    label.setCursor(IDC_HAND);

    auto& description =
        Tagged(panel.add<ui::Label>(panel, entry.description,
                                    ui::Bounds{kTextLeft, Bottom(label) + 3, panel.clientWidth() - kTextLeft - 16, 0},
                                    entry.descriptionText),
               entry.descriptionTag);
    description.setTransparent(true);
    description.setWordWrap(true);
    description.setAutoSize(true);

    const WizardSheet sheet = entry.sheet;
    label.onClick = [this, sheet] { pageControl_->setActivePageIndex(sheet); };
    picture.onClick = [this, sheet] { pageControl_->setActivePageIndex(sheet); };
    addHover(label, label);
    addHover(picture, label);
}

// Pointing at a wizard's name or its picture underlines the name.
void TForm_Assistenten::addHover(ui::Control& pointedAt, ui::Label& label)
{
    pointedAt.onMouseEnter = [&label] { label.setFont(ui::ArialFont(11, true, true)); };
    pointedAt.onMouseLeave = [&label] { label.setFont(ui::ArialFont(11, true)); };
}

ui::Button& TForm_Assistenten::addStartButton(ui::TabSheet& sheet, const char* name, int noteTag, const char* note)
{
    const int buttonLeft = sheet.clientWidth() - kSheetMargin - kStartButtonWidth;
    const int buttonTop = sheet.clientHeight() - kSheetMargin - kButtonHeight;
    auto& button =
        Tagged(sheet.add<ui::Button>(sheet, name, ui::Bounds{buttonLeft, buttonTop, kStartButtonWidth, kButtonHeight},
                                     "Assistent starten"),
               3800);
    const int noteWidth = buttonLeft - 2 * kSheetMargin - 4;
    auto& label = Tagged(sheet.add<ui::Label>(sheet, std::string("Label") + std::to_string(noteTag),
                                              ui::Bounds{kSheetMargin, buttonTop, noteWidth, 0}, note),
                         noteTag);
    label.setWordWrap(true);
    label.setAutoSize(true);
    // Centred on the button's line, and up from the sheet's bottom when it takes more lines.
    label.setTop(std::min(buttonTop + (kButtonHeight - label.height()) / 2,
                          sheet.clientHeight() - kSheetMargin - label.height()));
    return button;
}

void TForm_Assistenten::createSpeedSheet()
{
    auto& sheet = addSheet("TabSheet3", 3002, "SPEED-Assistent");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox1", 3200, "Was der SPEED-Assistent ändert"});
        group.note({"Label3201", 3201,
                    "Der SPEED-Assistent stellt Windows auf möglichst hohe Leistung ein. Er ändert dazu Einstellungen "
                    "der Seiten System, Explorer und Desktop, Internet Explorer, Startmenü und Sonstige Software:"});
        group.note({"Label3202", 3202, "• Arbeitsspeicher und Cache werden auf Ihren Computer abgestimmt."}, kGlyph);
        group.note({"Label3203", 3203, "• Der Bootvorgang wird beschleunigt, Anwendungen bekommen mehr Prozessorzeit."},
                   kGlyph);
        group.note({"Label3204", 3204, "• Selten gebrauchte und potentiell gefährliche Dienste werden deaktiviert."},
                   kGlyph);
        group.note({"Label3205", 3205,
                    "• Die Sprechblasen im Infobereich werden ausgeschaltet, der Messenger wird deinstallierbar."},
                   kGlyph);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox2", 3220, "Ihr Computer"});
        group.note({"Label3221", 3221,
                    "Geben Sie an, wieviel Arbeitsspeicher Ihr Computer hat und welcher Prozessor eingebaut ist. Der "
                    "Arbeitsspeicher ist bereits so gewählt, wie Windows ihn meldet."});
        const Caption ram{"Label3222", 3222, "Arbeitsspeicher:"};
        const Caption cpu{"Label3224", 3224, "Prozessor:"};
        const int fieldLeft = kInset +
                              std::max(ui::MeasureText(group.box().font(), ram.text).cx,
                                       ui::MeasureText(group.box().font(), cpu.text).cx) +
                              12;
        ramList_ = &AddListLine(group, ram, fieldLeft, "ComboBox_SPEED_RAM",
                                {"Label3223", 3223, "bestimmt Kernel-Auslagerung und Cachegrösse"});
        cpuList_ = &AddListLine(group, cpu, fieldLeft, "ComboBox_Speed_CPU",
                                {"Label3225", 3225, "bestimmt den Second Level Cache"});
        group.note({"Label3226", 3226,
                    "Kennen Sie Ihren Prozessor nicht, wählen Sie \"Ignorieren\": Der Second Level Cache bleibt dann "
                    "so, wie Windows ihn festlegt."});
        group.note({"Label3227", 3227,
                    "Einige Änderungen, etwa die des Arbeitsspeichers, wirken erst nach einem Neustart von Windows."});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox3", 3230, "Zusätzlich soll der Assistent einstellen, dass"});
        AddOption(group,
                  {"CheckBox_SPEED_Optik1", 3231,
                   "Schriftenglättung und andere Effekte ausschalten werden, die viel Leistung verbrauchen können"},
                  true);
        AddOption(group, {"CheckBox_SPEED_Optik2", 3232,
                          "Alle optischen Effekte ausgeschaltet werden, welche die Leistung verringern (egal wieviel "
                          "Leistung diese verbrauchen)"});
        AddOption(group, {"CheckBox_SPEED_MSMSGS", 3233,
                          "Der Windows Messenger nicht mehr beim Starten von Windows geladen wird"});
        AddOption(group, {"CheckBox_SPEED_NoRecentDocsHistory", 3234,
                          "Zu dem Ordner \"Dokumente\" im Startmenü keine Objekte mehr hinzugefügt werden sollen"});
    }
    addStartButton(sheet, "Button_SPEED", 3228,
                   "Alle Änderungen lassen sich im Hauptfenster über \"Datei\" - \"Änderungen rückgängig machen...\" "
                   "wieder zurücknehmen.")
        .onClick = [this] { Button_SPEEDClick(); };
}

void TForm_Assistenten::createStandardSheet()
{
    auto& sheet = addSheet("TabSheet2", 3003, "Standard-Assistent");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox4", 3300, "Was der Standard-Assistent ändert"});
        group.note({"Label3301", 3301,
                    "Der Standard-Assistent nimmt nur Einstellungen vor, die auf jedem Computer sicher sind und die "
                    "Leistung verbessern. Er stellt ein:"});
        AddTwoColumns(group, {
                                 {"Label3302", 3302, "• Bootdateien automatisch defragmentieren"},
                                 {"Label3303", 3303, "• Neustart nach einem schweren Systemfehler"},
                                 {"Label3304", 3304, "• Nach einem Absturz nur den Explorer neu starten"},
                                 {"Label3305", 3305, "• Auslagerungsdatei beim Herunterfahren behalten"},
                                 {"Label3306", 3306, "• Keinen grossen Systemcache verwenden"},
                                 {"Label3307", 3307, "• Mehr Prozessorzeit für Anwendungen"},
                                 {"Label3308", 3308, "• NTFS merkt sich keinen letzten Zugriff mehr"},
                                 {"Label3309", 3309, "• Windows legt die Cachegrösse selbst fest"},
                                 {"Label3310", 3310, "• Dienste \"Drahtlose Verbindung\" und \"Indexdienst\" aus"},
                                 {"Label3311", 3311, "• Dienste \"Ablagemappe\" und \"Seriennummer\" aus"},
                                 {"Label3312", 3312, "• \"Hilfe und Support\" nur bei Bedarf starten"},
                                 {"Label3313", 3313, "• Telnet, Remote-Registrierung, NetMeeting aus"},
                                 {"Label3314", 3314, "• Dienst \"Windows-Zeitgeber\" aus"},
                                 {"Label3315", 3315, "• Messenger deinstallierbar machen"},
                                 {"Label3316", 3316, "• Sprechblasen im Infobereich ausschalten"},
                             });
    }
    {
        GroupFlow group(sheet, top, {"GroupBox5", 3320, "Zusätzlich soll der Assistent einstellen, dass"});
        AddOption(group,
                  {"CheckBox_STANDARD_Optik1", 3321,
                   "Schriftenglättung und andere Effekte ausschalten werden, die viel Leistung verbrauchen können"});
        AddOption(group, {"CheckBox_STANDARD_Optik2", 3322,
                          "Alle optischen Effekte ausgeschaltet werden, welche die Leistung verringern (egal wieviel "
                          "Leistung diese verbrauchen)"});
        AddOption(group, {"CheckBox_STANDARD_MSMSGS", 3323,
                          "Der Windows Messenger nicht mehr beim Starten von Windows geladen wird"});
        AddOption(group, {"CheckBox_STANDARD_NoRecentDocsHistory", 3324,
                          "Zu dem Ordner \"Dokumente\" im Startmenü keine Objekte mehr hinzugefügt werden sollen"});
    }
    addStartButton(sheet, "Button_STANDARD", 3317, "Einige Änderungen wirken erst nach einem Neustart von Windows.")
        .onClick = [this] { Button_STANDARDClick(); };
}

void TForm_Assistenten::createPolicySheet()
{
    auto& sheet = addSheet("TabSheet4", 3004, "Policy-Assistent");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox6", 3400, "Was der Policy-Assistent sperrt"});
        group.note({"Label3401", 3401,
                    "Der Policy-Assistent schränkt den angemeldeten Benutzer ein, damit er das System nicht verstellen "
                    "kann. Starten Sie ihn unter dem Benutzerkonto, das Sie einschränken wollen:"});
        AddTwoColumns(group, {
                                 {"Label3402", 3402, "• Reiter \"Allgemein\" der Internetoptionen sperren"},
                                 {"Label3403", 3403, "• Reiter \"Sicherheit\" und \"Inhalt\" sperren"},
                                 {"Label3404", 3404, "• Reiter \"Verbindungen\" und \"Programme\" sperren"},
                                 {"Label3405", 3405, "• Reiter \"Erweitert\" sperren"},
                                 {"Label3406", 3406, "• Sicherheitsstufe und Sites sperren"},
                                 {"Label3407", 3407, "• Zertifikate im Reiter \"Inhalt\" sperren"},
                                 {"Label3408", 3408, "• Assistenten für den Internetzugang sperren"},
                                 {"Label3409", 3409, "• \"Webeinstellungen zurücksetzen\" sperren"},
                                 {"Label3410", 3410, "• Temporäre Internetdateien beim Beenden leeren"},
                                 {"Label3411", 3411, "• Auslagerungsdatei beim Herunterfahren löschen"},
                                 {"Label3412", 3412, "• Systemsteuerung verstecken und sperren"},
                                 {"Label3413", 3413, "• Registrierungs-Editoren sperren"},
                                 {"Label3414", 3414, "• Gelöschte Dateien in den Papierkorb legen"},
                                 {"Label3415", 3415, "• \"Eigenschaften von Anzeige\" sperren"},
                                 {"Label3416", 3416, "• Änderungen an Dateitypen nicht zulassen"},
                                 {"Label3417", 3417, "• \"Verwaltung\" und \"Ausführen\" ausblenden"},
                                 {"Label3418", 3418, "• Position und Grösse der Taskleiste sperren"},
                                 {"Label3419", 3419, "• \"Benutzer wechseln\" nicht anzeigen"},
                                 {"Label3420", 3420, "• SHIFT umgeht die automatische Anmeldung nicht"},
                             });
        group.note({"Label3421", 3421,
                    "Die Sperren heben Sie mit dem Rettungs-Assistenten oder auf den einzelnen Seiten wieder auf."});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox7", 3430, "Zusätzlich soll der Assistent einstellen, dass"});
        AddOption(group, {"CheckBox_NoBrowserSaveAs", 3431,
                          "Internet-Seiten mit dem Internet-Explorer nicht gespeichert werden können"});
        AddOption(group, {"CheckBox_PreventRun", 3432, "Der Windows Messenger nicht ausgeführt werden kann"});
        AddOption(group,
                  {"CheckBox_Administrator", 3433, "Konto \"Administrator\" nicht anzeigen bei der Windows-Anmeldung"});
        AddOption(group,
                  {"CheckBox_NoFolderOptions", 3434, "Änderungen an den Ordneroptionen nicht mehr erlaubt sind"});
        AddOption(group,
                  {"CheckBox_NoClose", 3435, "Der Computer nicht mehr ausgeschaltet werden kann über das Startmenü"});
        AddOption(group, {"CheckBox_NoCDBurning", 3436,
                          "Das bei Windows XP eingebaute Feature zum Brennen von CDs nicht mehr erlaubt ist"});
    }
    addStartButton(sheet, "Button_POLICY", 3422, "Der Assistent warnt vor dem Start noch einmal.").onClick = [this] {
        Button_POLICYClick();
    };
}

void TForm_Assistenten::createRescueSheet()
{
    auto& sheet = addSheet("TabSheet5", 3005, "Rettungs-Assistent");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox8", 3500, "Was der Rettungs-Assistent zurücksetzt"});
        group.note({"Label3501", 3501,
                    "Der Rettungs-Assistent stellt viele Einstellungen so ein, wie Windows sie vorgibt, und hebt "
                    "Sperren für den angemeldeten Benutzer wieder auf:"});
        AddTwoColumns(group, {
                                 {"Label3502", 3502, "• Willkommenseite und \"Benutzer wechseln\""},
                                 {"Label3503", 3503, "• SHIFT umgeht die automatische Anmeldung wieder"},
                                 {"Label3504", 3504, "• Autorun für CDs, Wechsel-, RAM- und Festplatten"},
                                 {"Label3505", 3505, "• Pfeile auf Verknüpfungen wieder anzeigen"},
                                 {"Label3506", 3506, "• Fensterinhalt beim Ziehen und Menüschatten"},
                                 {"Label3507", 3507, "• Symbole des Systems von Windows"},
                                 {"Label3508", 3508, "• Keine Zusätze in Kontextmenüs des Explorers"},
                                 {"Label3509", 3509, "• Internet Explorer ohne eigenen Fenstertitel"},
                                 {"Label3510", 3510, "• Startmenü mit \"Abmelden\", \"Ausschalten\", \"Suchen\""},
                                 {"Label3511", 3511, "• Infobereich mit Uhr, Symbolen und Sprechblasen"},
                                 {"Label3512", 3512, "• Speicher- und Cache-Einstellungen von Windows"},
                                 {"Label3513", 3513, "• Dienste wieder automatisch starten"},
                             });
    }
    {
        GroupFlow group(sheet, top, {"GroupBox9", 3520, "Zusätzlich soll der Assistent einstellen, dass"});
        AddOption(group, {"CheckBox_AutoLogON", 3521, "Die automatische Windows-Anmeldung ausschaltet wird"}, true);
        AddOption(group,
                  {"CheckBox_RETTUNG_Policy", 3522,
                   "Die wichtigsten Einschränkungen für diesen Benutzer aufgehoben werden (z.B. Systemsteuerung, "
                   "Internetoptionen)"},
                  true);
        AddOption(group, {"CheckBox_MSMSGS", 3523,
                          "Einschränkungen zum Windows Messenger aufgehoben werden und der Messenger nach  Anmelden "
                          "startet"});
    }
    addStartButton(sheet, "Button_RETTUNG", 3514,
                   "Bevor die Symbole des Systems zurückgesetzt werden, fragt der Assistent noch einmal nach.")
        .onClick = [this] { Button_RETTUNGClick(); };
}

void TForm_Assistenten::createResultSheet()
{
    auto& sheet = addSheet("TabSheet6", 3006, "Ergebnis");
    int top = kSheetMargin;
    AddSheetNote(sheet, top, {"Label3600", 3600, "Ergebnis des zuletzt gestarteten Assistenten"}, true);
    AddSheetNote(sheet, top,
                 {"Label3601", 3601,
                  "Die Liste nennt jede Einstellung, die der Assistent geändert hat, unter der Seite, auf der sie "
                  "steht. Einstellungen, die schon so waren, wie der Assistent sie haben wollte, fehlen darin."});
    const int buttonTop = sheet.clientHeight() - kSheetMargin - kButtonHeight;
    log_ = &sheet.add<ui::Memo>(
        sheet, "Memo_Ergebniss",
        ui::Bounds{kSheetMargin, top, sheet.clientWidth() - 2 * kSheetMargin, buttonTop - 8 - top});
    log_->setReadOnly(true);
    notepad_ = &Tagged(sheet.add<ui::Button>(sheet, "Button_NOTEPAD",
                                             ui::Bounds{sheet.clientWidth() - kSheetMargin - kStartButtonWidth,
                                                        buttonTop, kStartButtonWidth, kButtonHeight},
                                             "Notepad"),
                       3801);
    notepad_->onClick = [this] { Button_NOTEPADClick(); };
    auto& note =
        Tagged(sheet.add<ui::Label>(sheet, "Label3602",
                                    ui::Bounds{kSheetMargin, buttonTop, notepad_->left() - 2 * kSheetMargin - 4, 0},
                                    "\"Notepad\" speichert die Liste als Textdatei und öffnet sie, etwa zum "
                                    "Ausdrucken."),
               3602);
    note.setWordWrap(true);
    note.setAutoSize(true);
    note.setTop(buttonTop + (kButtonHeight - note.height()) / 2);
}

// --- Creation --------------------------------------------------------------------------

void TForm_Assistenten::FormCreate()
{
    setCaption(LangString(kTitle));
    steps_->emptyLog();
    log_->addLine(LangString(kLogWelcome));
    notepad_->setEnabled(false);
    fillProcessorList();
    std::vector<std::string> ramItems;
    for (int item = 0; item < kRamItemCount; ++item)
        ramItems.push_back(LangString(kRamItems + item));
    ramList_->setItems(ramItems);
    ramList_->setItemIndex(RamItemForMemory(PhysicalMemoryBytes()));
    pageControl_->setActivePageIndex(kSheetChoice);
}

// "Ignorieren", then the processors of the System page's list in its order, so that
// item i + 1 here is processor i there. The list comes from the table the System page
// fills its own from: making the whole page for it would double the time this page
// takes to open, and would load the System page's settings for nothing.
void TForm_Assistenten::fillProcessorList()
{
    std::vector<std::string> items{LangString(kIgnoreProcessor)};
    for (const std::string& processor : pages::system::CpuTypeItems())
        items.push_back(processor);
    cpuList_->setItems(items);
    cpuList_->setItemIndex(0);
}

void TForm_Assistenten::setFolders(std::string programFolder, std::string systemFolder)
{
    programFolder_ = std::move(programFolder);
    systemFolder_ = std::move(systemFolder);
}

std::string TForm_Assistenten::resultFile() const
{
    return programFolder_ + "\\" + LangString(kResultFileName);
}

// --- The runs ----------------------------------------------------------------------------

bool TForm_Assistenten::confirmed(const std::string& question, bool warning) const
{
    return ui::MessageDlg(question, warning ? ui::MsgKind::Warning : ui::MsgKind::Confirmation,
                          {ui::MsgButton::Yes, ui::MsgButton::No}) == ui::MsgButton::Yes;
}

void TForm_Assistenten::runPreset(const Preset& preset, WizardSheet sheet)
{
    {
        const HourglassScope hourglass;
        // One change for the whole run, so that undo takes back every page it saved.
        const journal::ChangeScope change(caption() + ": " + pageControl_->page(sheet).caption());
        steps_->emptyLog();
        ApplyPreset(preset, *steps_, *this);
    }
    FinishWizard();
}

void TForm_Assistenten::Button_SPEEDClick()
{
    // Without a processor the question says what is left out, and is the only one.
    const bool processorChosen = cpuList_->itemIndex() > 0;
    const std::string question = processorChosen
                                     ? language::LangStringRange(kConfirmRun, kConfirmRun + 1)
                                     : language::LangStringRange(kNoProcessorChosen, kNoProcessorChosen + 2);
    if (!confirmed(question))
        return;
    runPreset(SpeedPreset(ramList_->itemIndex(), cpuList_->itemIndex()), kSheetSpeed);
}

void TForm_Assistenten::Button_STANDARDClick()
{
    if (!confirmed(language::LangStringRange(kConfirmRun, kConfirmRun + 1)))
        return;
    runPreset(StandardPreset(), kSheetStandard);
}

void TForm_Assistenten::Button_POLICYClick()
{
    if (!confirmed(language::LangStringRange(kPolicyWarning, kPolicyWarning + 4), true) ||
        !confirmed(language::LangStringRange(kConfirmRun, kConfirmRun + 1)))
        return;
    runPreset(PolicyPreset(), kSheetPolicy);
}

void TForm_Assistenten::Button_RETTUNGClick()
{
    if (!confirmed(language::LangStringRange(kConfirmRun, kConfirmRun + 1)))
        return;
    runPreset(RescuePreset(), kSheetRescue);
}

void TForm_Assistenten::FinishWizard()
{
    pageControl_->setActivePageIndex(kSheetResult);
    if (steps_->lineCount() > 0) {
        log_->addLine(LangString(kDoneFirst));
        log_->addLine(LangString(kDoneSecond));
        notepad_->setEnabled(true);
        ui::MessageDlg(LangString(kDoneMessage), ui::MsgKind::Information, {ui::MsgButton::OK});
    } else {
        log_->addLine(LangString(kNothingChanged));
        notepad_->setEnabled(false);
        ui::MessageDlg(LangString(kNothingChangedWarning), ui::MsgKind::Warning, {ui::MsgButton::OK});
    }
}

// --- The other buttons ---------------------------------------------------------------------

void TForm_Assistenten::Button_NOTEPADClick()
{
    const journal::ChangeScope change(caption() + ": " + notepad_->caption());
    const std::string file = resultFile();
    if (helpers::FileExists(file)) {
        helpers::RecycleFile(file);
        // Writing over a result that could not be put into the Recycle Bin would lose it.
        if (helpers::FileExists(file))
            throw ui::Exception(LangString(kOldResultKept) + "\r" + file);
    }
    if (!helpers::WriteTextLines(file, log_->lines()))
        throw ui::EFileCreateError::cannotCreate(file);
    ui::WinExec(systemFolder_ + "\\Notepad.exe " + file, SW_SHOWNORMAL);
}

void TForm_Assistenten::Button_hilfeClick()
{
    ui::ShowHelpTopic("assistenten");
}

void TForm_Assistenten::Button_ApplyClick()
{
    close();
}

}  // namespace wizards
