#include "pages/system_form.h"

#include "language/language.h"
#include "ui/layout.h"
#include "pages/system_rows.h"
#include "registry/change_journal.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/pagecontrol.h"
#include "ui/spinedit.h"

#include <algorithm>

namespace pages {

TForm_System* Form_System = nullptr;

using ui::layout::Caption;
using ui::layout::GroupFlow;
using ui::layout::Tagged;
using namespace ui::layout;
using namespace system;

namespace {

const PageDesign kDesign{"Form_System", kTitle, "System- , Speicher-, Booteinstellungen", "systemeinstellungen"};

constexpr int kComboWidth = 170;
constexpr int kSpinWidth = 80;
constexpr int kFieldGap = 8;
constexpr int kAppletNodeHeight = 48;
constexpr int kAppletListHeight = 264;

const std::vector<std::string> kServiceItems = {"Deaktivieren (empfohlen)", "Manuell", "Automatisch"};
const std::vector<std::string> kHelpsvcItems = {"Deaktivieren", "Manuell (empfohlen)", "Automatisch"};

// The "Setzen" handlers in the order of the shell-folder rows.
using SetDirHandler = void (TForm_System::*)();
constexpr SetDirHandler kSetDirHandlers[kShellFolderCount] = {
    &TForm_System::Button_SetDir_FavoritesClick, &TForm_System::Button_SetDir_PersonalClick,
    &TForm_System::Button_SetDir_StartmenuClick, &TForm_System::Button_SetDir_ProgramsClick,
    &TForm_System::Button_SetDir_StartUpClick,   &TForm_System::Button_SetDir_TemplatesClick,
    &TForm_System::Button_SetDir_SendToClick,
};

// A spin edit with a text on either side, on one line of a group: "text [ 123 ] text".
ui::SpinEdit& AddSpinLine(GroupFlow& group, int left, const Caption* before, const char* spinName, int minValue,
                          int maxValue, int increment, int value, const Caption* after)
{
    ui::GroupBox& box = group.box();
    int x = left;
    if (before)
        x = Right(group.inlineLabel(*before, x)) + 4;
    auto& spin = box.add<ui::SpinEdit>(box, spinName, ui::Bounds{x, group.y(), kSpinWidth, kFieldHeight}, minValue,
                                       maxValue, increment, value);
    if (after)
        group.inlineLabel(*after, SpinRight(spin) + 6);
    group.rowEndsAt(group.y() + kFieldHeight);
    return spin;
}

// A radio button as wide as its caption, followed on its line by a field of width
// fieldWidth (the radio button is centred on the field's line).
ui::RadioButton& AddRadioBeforeField(GroupFlow& group, const Caption& caption, int& fieldLeft)
{
    ui::GroupBox& box = group.box();
    const int top = group.y();
    const int width = ButtonWidthFor(box, caption.text);
    auto& radio = Tagged(box.add<ui::RadioButton>(box, caption.name,
                                                  ui::Bounds{kInset, top + (kFieldHeight - kLineHeight) / 2, width,
                                                             kLineHeight},
                                                  caption.text),
                         caption.tag);
    fieldLeft = Right(radio) + kFieldGap;
    return radio;
}

}  // namespace

TForm_System::TForm_System() : TweakPage(kDesign)
{
    createSettingsSheet();
    createFoldersSheet();
    createCacheSheet();
    createHardwareSheet();
    createServiceSheet("TabSheet6", 15005, "Dienste", 0, 5);
    createServiceSheet("TabSheet7", 15006, "Dienste - Sicherheit", 5, 10);
    createRestrictionsSheet();
    createOtherSheet();
    finishCreation();
}

ui::TabSheet& TForm_System::addSheet(const char* name, int tag, const char* caption)
{
    return Tagged(PageControl1().add<ui::TabSheet>(PageControl1(), name, caption), tag);
}

void TForm_System::createSettingsSheet()
{
    auto& sheet = addSheet("TabSheet2", 15001, "Einstellungen");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox3", 15100, "Bootvorgang"});
        group.checkBox({"CheckBox_BootOptimizeFunction", 15101,
                        "Bootdateien automatisch defragmentieren (beschleunigt Bootvorgang)"});
        group.checkBox({"CheckBox_ParseAutoexec", 15102,
                        "Umgebungsvariablen aus der Datei Autoexec.bat beim Booten zum System hinzufügen (wenn Datei "
                        "vorhanden)"});
        group.note({"Label1", 15105,
                    "Windows legt die beim Start benötigten Dateien zusammenhängend auf die Festplatte, wenn es "
                    "die Festplatte in Leerlaufzeiten defragmentiert."},
                   kGlyph);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox4", 15110, "Schwere Fehler, Abstürze"});
        group.checkBox({"CheckBox_AutoReboot", 15111,
                        "Computer neu starten wenn \"Blauer Bildschirm\" angezeigt werden sollte durch sehr schweren "
                        "Systemfehler"});
        group.checkBox({"CheckBox_AutoRestartShell", 15112,
                        "Bei einem Absturz nach Möglichkeit nur den Explorer neu starten anstatt das ganze System"});
        group.checkBox({"CheckBox_AutoEndTasks", 15113, "Automatisch nicht mehr reagierende Anwendungen schliessen"});
        const Caption before{"Label_AutoEndTasks1", 15116, "Wenn Anwendung mind. "};
        const Caption after{"Label_AutoEndTasks2", 15117, "Millisekunden nicht reagiert."};
        AddSpinLine(group, kInset + kGlyph, &before, "SpinEdit_AutoEndTasks", 0, 999999, 100, 0, &after);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox5", 15120, "Arbeitsspeicher"});
        group.checkBox({"CheckBox_AlwaysUnLoadDLL", 15121,
                        "Dynamische gelinkte Bibliotheken (DLLs) nach Freigabe sofort aus dem Arbeitsspeicher "
                        "entfernen"});
        group.checkBox({"CheckBox_DisablePagingExecutive", 15122,
                        "XP-Kernel komplett im Arbeitsspeicher halten und keinen Teil davon auf Festplatte auslagern"});
        group.note({"Label2", 15125, "Diese Einstellungen wirken erst nach einem Neustart von Windows."}, kGlyph);
    }
}

void TForm_System::createFoldersSheet()
{
    auto& sheet = addSheet("TabSheet1", 15002, "Systemordner");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox1", 15200, "Pfad zu Windows-Installationsdateien"});
        group.note({"Label3", 15205,
                    "Hier sucht Windows nach seinen Installationsdateien, wenn Sie Komponenten nachinstallieren."});
        ui::GroupBox& box = group.box();
        const int labelRoom = ui::MeasureText(ui::DefaultFont(), "Ag").cy + 3;
        group.space(labelRoom);
        auto& edit = Tagged(box.add<ui::LabelledEdit>(box, "Edit_SourcePath",
                                                      ui::Bounds{kInset, group.y(), group.widthFrom(kInset),
                                                                 kFieldHeight},
                                                      "Verzeichniss"),
                            15203);
        group.rowEndsAt(Bottom(edit));
    }
    {
        GroupFlow group(sheet, top, {"GroupBox2", 15210, "Systemordner"});
        group.note({"Label4", 15215,
                    "Geben Sie den neuen Pfad eines Ordners ein und klicken Sie auf \"Setzen\": Der Pfad gilt sofort, "
                    "auch wenn Sie die Seite danach mit \"Abbrechen\" verlassen. Der Ordner selbst wird nicht "
                    "verschoben."});
        group.space(4);
        ui::GroupBox& box = group.box();
        constexpr int kLabelWidth = 140;
        constexpr int kButtonWidth = 75;
        const int editLeft = kInset + kLabelWidth;
        const int buttonLeft = group.innerRight() - kButtonWidth;
        for (int row = 0; row < kShellFolderCount; ++row) {
            const ShellFolderDesign& folder = kShellFolders[row];
            const int lineTop = group.y();
            group.inlineLabel({folder.label, folder.labelTag, folder.labelText}, kInset);
            box.add<ui::Edit>(box, folder.edit,
                              ui::Bounds{editLeft, lineTop, buttonLeft - kFieldGap - editLeft, kFieldHeight});
            auto& button = Tagged(box.add<ui::Button>(box, folder.button,
                                                      ui::Bounds{buttonLeft, lineTop - 1, kButtonWidth, kButtonHeight},
                                                      "Setzen"),
                                  15230);
            const auto handler = kSetDirHandlers[row];
            button.onClick = [this, handler] { (this->*handler)(); };
            group.rowEndsAt(lineTop + kButtonHeight + 2);
        }
    }
}

void TForm_System::createCacheSheet()
{
    auto& sheet = addSheet("TabSheet3", 15003, "Systemcache");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox9", 15300, "Cachegrösse für das Dateisystem"});
        group.note({"Label5", 15305,
                    "Legt fest, wie viel Arbeitsspeicher Windows für Ein- und Ausgaben des Dateisystems sperren "
                    "darf. Ein grösserer Wert kann Dateizugriffe beschleunigen, wenn genug Arbeitsspeicher "
                    "vorhanden ist."});
        group.space(4);
        group.radioButton({"RadioButton_IoPageLockLimit1", 15301, "Windows soll die Cachegrösse festlegen"});
        int fieldLeft = 0;
        AddRadioBeforeField(group, {"RadioButton_IoPageLockLimit2", 15302, "Cachegrösse selber festlegen auf"},
                            fieldLeft);
        const Caption unit{"Label_IoPageLockLimit", 15321, "KB (1024 = 1 MB)"};
        AddSpinLine(group, fieldLeft, nullptr, "SpinEdit_IoPageLockLimit", 0, 65536, 1, 16384, &unit);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox7", 15310, "Einstellungen"});
        group.checkBox({"CheckBox_LargeSystemCache", 15311,
                        "Grossen Systemcache verfügbar machen (sollte nur ab 256 MB Arbeitsspeicher aktiviert "
                        "werden)"});
        group.checkBox({"CheckBox_ClearPageFileAtShutdown", 15312,
                        "Auslagerungsdatei bei Herunterfahren von Windows löschen"});
        group.note({"Label6", 15315,
                    "Das Löschen der Auslagerungsdatei schützt vertrauliche Daten, verlängert aber das "
                    "Herunterfahren."},
                   kGlyph);
    }
}

void TForm_System::createHardwareSheet()
{
    auto& sheet = addSheet("TabSheet4", 15004, "Hardware, CPU");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox6", 15400, "UDMA66 auf Intel-Systemen"});
        group.checkBox({"CheckBox_EnableUDMA66", 15401, "UDMA66 auf Intel-Chipsätzen zwangsweise aktivieren"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox10", 15410, "CPU: Second Level Cache Grösse anpassen"});
        group.note({"Label7", 15415,
                    "Windows erkennt die Grösse des Second Level Cache nicht bei jedem Prozessor richtig. Geben "
                    "Sie die Grösse selbst an oder wählen Sie Ihren Prozessor."});
        group.space(4);
        group.radioButton({"RadioButton_L2Cache1", 15411, "Cachegrösse nicht speziell festlegen (Standard)"});
        // The size and the CPU type start at the same place, right of the longer caption.
        ui::GroupBox& box = group.box();
        const Caption own{"RadioButton_L2Cache3", 15412, "Cachegrösse festlegen auf"};
        const Caption type{"RadioButton_L2Cache2", 15414, "Cachegrösse in KB einstellen auf diesen CPU-Typ:"};
        const int fieldLeft = kInset + std::max(ButtonWidthFor(box, own.text), ButtonWidthFor(box, type.text)) + kFieldGap;
        int ignored = 0;
        AddRadioBeforeField(group, own, ignored);
        const Caption unit{"Label_L2Cache", 15413, "KB"};
        AddSpinLine(group, fieldLeft, nullptr, "SpinEdit_L2Cache", 16, 8192, 1, 256, &unit);
        AddRadioBeforeField(group, type, ignored);
        auto& combo = box.add<ui::ComboBox>(box, "ComboBox_L2Cache", ui::Bounds{fieldLeft, group.y(), 220, kFieldHeight},
                                            CpuTypeItems());
        combo.setItemIndex(0);
        group.rowEndsAt(group.y() + kFieldHeight);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox14", 15420, "CPU-Nutzung verteilen"});
        group.radioButton({"RadioButton_Win32PrioritySeparation1", 15421,
                           "Mehr Prozessorzeit für Anwendungen als für Dienste bereitstellen (empfohlen)"});
        group.radioButton({"RadioButton_Win32PrioritySeparation2", 15422,
                           "Mehr Prozessorzeit für Dienste als für Anwendungen bereitstellen (nur für Server "
                           "empfohlen)"});
    }
}

void TForm_System::createServiceSheet(const char* sheetName, int sheetTag, const char* sheetCaption, int first, int last)
{
    auto& sheet = addSheet(sheetName, sheetTag, sheetCaption);
    int top = kSheetMargin;
    const bool security = first > 0;
    GroupFlow group(sheet, top,
                    security ? Caption{"GroupBox13", 15610,
                                       "Potentiell gefährliche Dienste (Sicherheitsbedenken, Fernzugriff aus dem "
                                       "Internet möglich)"}
                             : Caption{"GroupBox11", 15510, "Meist völlig unnötige Dienste"});
    group.note({security ? "Label9" : "Label8", security ? 15605 : 15505,
                "Markieren Sie einen Dienst, um sein Startverhalten beim Klick auf \"Ok\" auf die gewählte Art zu "
                "setzen. Nicht markierte Dienste bleiben, wie sie sind."});
    group.space(6);
    ui::GroupBox& box = group.box();
    const int comboLeft = group.innerRight() - kComboWidth;
    for (int index = first; index < last; ++index) {
        const ServiceDesign& service = kServices[index];
        const std::string name = service.name;
        const int lineTop = group.y();
        Tagged(box.add<ui::CheckBox>(box, "CheckBox_" + name,
                                     ui::Bounds{kInset, lineTop + (kFieldHeight - kLineHeight) / 2,
                                                comboLeft - kFieldGap - kInset, kLineHeight},
                                     service.caption),
               service.tag);
        box.add<ui::ComboBox>(box, "ComboBox_" + name, ui::Bounds{comboLeft, lineTop, kComboWidth, kFieldHeight},
                              name == "Helpsvc" ? kHelpsvcItems : kServiceItems);
        group.rowEndsAt(lineTop + kFieldHeight);
        auto& status = Tagged(box.add<ui::Label>(box, "LabelStatus_" + name, ui::Bounds{kInset + kGlyph, group.y(), 0, 0},
                                                 "Status:"),
                              15560);
        status.setAutoSize(true);
        box.add<ui::Label>(box, "Label_" + name, ui::Bounds{Right(status) + 6, group.y(), 300, status.height()}, "XXXX");
        group.rowEndsAt(Bottom(status));
        group.space(6);
    }
}

void TForm_System::createRestrictionsSheet()
{
    auto& sheet = addSheet("TabSheet8", 15007, "Einschränkungen");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox12", 15710, "Einschränkungen"});
        group.checkBox({"CheckBox_DisableRegistryTools", 15711,
                        "Ausführen der Anwendungen \"Regedit.exe\" und \"Regedt32.exe\" sperren"});
        group.space(4);
        group.checkBox({"CheckBox_CPL", 15712,
                        "Folgende, markierte Applets sollen in der Systemsteuerung sichtbar sein  (Änderungen nur "
                        "wenn diese Option aktiv)"});
        ui::GroupBox& box = group.box();
        const int left = kInset + kGlyph;
        appletList_ = &box.add<ui::VirtualTree>(box, "VirtualDrawTree_CPL",
                                                ui::Bounds{left, group.y(), group.widthFrom(left), kAppletListHeight});
        appletList_->setFlatList(true);
        appletList_->setNodeHeight(kAppletNodeHeight);
        appletList_->onDrawNode = [this](HDC dc, ui::TreeNode node, const RECT& content) {
            VirtualDrawTree_CPLDrawNode(dc, node, content);
        };
        group.rowEndsAt(Bottom(*appletList_));
    }
    {
        GroupFlow group(sheet, top, {"GroupBox15", 15700, "Systemsteuerung verstecken und sperren"});
        group.checkBox({"CheckBox_NoControlPanel", 15701, "Systemsteuerung nicht anzeigen und Aufruf aller Applets sperren"});
    }
}

void TForm_System::createOtherSheet()
{
    auto& sheet = addSheet("TabSheet5", 15008, "Sonstiges");
    int top = kSheetMargin;
    GroupFlow group(sheet, top, {"GroupBox8", 15800, "NTFS-Einstellungen"});
    group.checkBox({"CheckBox_NTFSDisableLastAccessUpdate", 15801,
                    "NTFS-Dateisystem soll sich das Datum des letzten Zugriffs auf Verzeichnisse nicht mehr merken"});
    group.checkBox({"CheckBox_NtfsDisable8dot3NameCreation", 15802,
                    "Unter NTFS Dateinamen nach dem Muster 8.3 erstellen (8 Zeichen für Name + 3 Zeichen für Endung - "
                    "wie unter DOS)"});
    group.note({"Label10", 15805,
                "Diese Einstellungen gelten für alle NTFS-Laufwerke und wirken nach einem Neustart von Windows."},
               kGlyph);
}

void TForm_System::CreateComboItems()
{
    const std::vector<std::string> items = {language::LangString(kStartDisabled), language::LangString(kStartDisabled + 1),
                                            language::LangString(kStartDisabled + 2)};
    for (const ServiceDesign& service : kServices) {
        auto& combo = find<ui::ComboBox>(std::string("ComboBox_") + service.name);
        combo.setItems(items);
        combo.setItemIndex(service.initialSelection);
    }
    find<ui::ComboBox>("ComboBox_L2Cache").setItemIndex(0);
}

TweakPage* TForm_System::singleInstance() const
{
    return Form_System;
}

void TForm_System::LoadSettings()
{
    loadRows(SystemBindingTable());
}

void TForm_System::SaveSettings()
{
    saveRows(SystemBindingTable());
}

int TForm_System::ServiceStartIndex(const std::string& serviceName) const
{
    return system::ServiceStartIndex(serviceName);
}

void TForm_System::setShellFolder(int row)
{
    const journal::ChangeScope change(caption() + ": " + find<ui::Label>(kShellFolders[row].label).caption());
    WriteShellFolder(acting(), kShellFolders[row]);
}

void TForm_System::Button_SetDir_FavoritesClick() { setShellFolder(0); }
void TForm_System::Button_SetDir_PersonalClick() { setShellFolder(1); }
void TForm_System::Button_SetDir_StartmenuClick() { setShellFolder(2); }
void TForm_System::Button_SetDir_ProgramsClick() { setShellFolder(3); }
void TForm_System::Button_SetDir_StartUpClick() { setShellFolder(4); }
void TForm_System::Button_SetDir_TemplatesClick() { setShellFolder(5); }
void TForm_System::Button_SetDir_SendToClick() { setShellFolder(6); }

void TForm_System::VirtualDrawTree_CPLDrawNode(HDC dc, ui::TreeNode node, const RECT& content)
{
    const auto* applet = appletList_->recordAs<AppletNode>(node);
    if (!applet)
        return;
    if (applet->icon && *applet->icon)
        DrawIcon(dc, content.left, content.top + 6, applet->icon->get());
    const std::string caption = AppletCaption(applet->fileName);
    TextOutA(dc, content.left + 36, content.top + 16, caption.c_str(), static_cast<int>(caption.size()));
}

}  // namespace pages
