#include "pages/startmenu_form.h"

#include "pages/startmenu_rows.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/pagecontrol.h"
#include "ui/spinedit.h"

namespace pages {

TForm_Startmenu* Form_Startmenu = nullptr;

using namespace ui::layout;
using namespace startmenu;

namespace {

const PageDesign kDesign{"Form_Startmenu", kTitle, "Einstellungen zu Startmenü, Taskleiste und Infobereich",
                         "startmenu"};

constexpr int kSpinWidth = 70;

}  // namespace

TForm_Startmenu::TForm_Startmenu() : TweakPage(kDesign)
{
    createStartMenuSheet();
    createRestrictionsSheet();
    createNotificationSheet();
    createTaskbarSheet();
    finishCreation();
}

ui::TabSheet& TForm_Startmenu::addSheet(const char* name, int tag, const char* caption)
{
    return Tagged(PageControl1().add<ui::TabSheet>(PageControl1(), name, caption), tag);
}

void TForm_Startmenu::createStartMenuSheet()
{
    auto& sheet = addSheet("TabSheet2", 14001, "Startmenü");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox3", 14110, "Klassisches Startmenü"});
        group.checkBox({"CheckBox_NoSimpleStartMenu", 14111,
                        "Das alte, klassische Startmenü aus früheren Windows-Versionen erzwingen"});
        group.note({"Label1", 14115,
                    "Der Benutzer kann dann nicht mehr zum Startmenü von Windows XP wechseln. Die Änderung wirkt "
                    "nach dem nächsten Anmelden."},
                   kGlyph);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox6", 14120, "Ordner \"Dokumente\""});
        group.checkBox({"CheckBox_NoRecentDocsHistory", 14121,
                        "Zu dem Ordner \"Dokumente\" im Startmenü keine Objekte mehr hinzufügen"});
        group.checkBox({"CheckBox_ClearRecentDocsOnExit", 14122,
                        "Alle Objekte im Ordner \"Dokumente\" bei Beenden von Windows löschen (verlangsamt das "
                        "Neustarten von Windows)"});
    }
    {
        GroupFlow group(sheet, top,
                        {"GroupBox7", 14130, "Zeit bis zum Erscheinen von Programmgruppen unter \"Alle Programme\""});
        group.radioButton({"RadioButton_MenuShowDelay3", 14131, "Windows-Standard verwenden (nach ca 400 Millisekunden)"});
        group.radioButton({"RadioButton_MenuShowDelay1", 14132, "Programmgruppen sollen sich nur nach Mausklick öffnen"});
        group.radioButton({"RadioButton_MenuShowDelay2", 14133,
                           "Programmgruppen sollen sich sofort durch Berührung des Mauszeigers öffnen"});
        // "Nach [ 400 ] Millisekunden öffnen" on one line.
        ui::GroupBox& box = group.box();
        const int lineTop = group.y();
        const char* const after = "Nach";
        auto& own = Tagged(box.add<ui::RadioButton>(box, "RadioButton_MenuShowDelay",
                                                    ui::Bounds{kInset, lineTop + (kFieldHeight - kLineHeight) / 2,
                                                               ButtonWidthFor(box, after), kLineHeight},
                                                    after),
                           14134);
        auto& spin = box.add<ui::SpinEdit>(box, "SpinEdit_MenuShowDelay",
                                           ui::Bounds{Right(own) + 4, lineTop, kSpinWidth, kFieldHeight},
                                           kShortestDelay, kLongestDelay, 1, 1);
        group.inlineLabel({"Label_MenuShowDelay", 14137, "Millisekunden öffnen"}, SpinRight(spin) + 6);
        group.rowEndsAt(lineTop + kFieldHeight);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox11", 14100, "Einstellungen"});
        group.checkBox({"CheckBox_Start_NotifyNewApps", 14101, "Neu installierte Anwendungen im Startmenü hervorheben"});
        group.checkBox({"CheckBox_StartMenuAdminTools", 14102,
                        "Programmgruppe \"Verwaltung\" mit Tools für Administrator im Startmenü anzeigen"});
    }
}

void TForm_Startmenu::createRestrictionsSheet()
{
    auto& sheet = addSheet("TabSheet4", 14002, "Startmenü - Einschränkungen");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox8", 14200, "Optionen im Startmenü anzeigen / ausblenden"});
        group.checkBox({"CheckBox_StartMenuLogoff", 14201, "Die Option \"Abmelden\"  aus dem Startmenü ausblenden"});
        group.checkBox({"CheckBox_NoSMHelp", 14202, "Die Option \"Hilfe und Support\"  aus dem Startmenü ausblenden"});
        group.checkBox({"CheckBox_NoClose", 14203, "Die Option \"Ausschalten\"  aus dem Startmenü ausblenden"});
        group.checkBox({"CheckBox_NoFind", 14204, "Die Option \"Suchen\"  aus dem Startmenü ausblenden"});
        group.checkBox({"CheckBox_NoRun", 14205, "Die Option \"Ausführen\"  aus dem Startmenü ausblenden"});
        group.checkBox({"CheckBox_StartMenuFavorites", 14206, "Den Ordner \"Favoriten\"  im Startmenü anzeigen"});
        group.note({"Label2", 14215,
                    "Ausgeblendete Optionen fehlen im Startmenü dieses Benutzers; die zugehörigen Tastenkürzel "
                    "bleiben teilweise wirksam."},
                   kGlyph);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox10", 14210, "Programmgruppen sperren"});
        group.checkBox({"CheckBox_NoCommonGroups", 14211,
                        "Nur Anwendungen im Startmenü anzeigen, die nicht für alle Benutzer zur Verfügung stehen"});
    }
}

void TForm_Startmenu::createNotificationSheet()
{
    auto& sheet = addSheet("TabSheet1", 14003, "Infobereich");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox1", 14310, "Sprechblasen, Warnhinweise"});
        group.checkBox({"CheckBox_EnableBalloonTips", 14311,
                        "Allgemeine Sprechblasen aktiv (z.B. Aktivierung, neue Hardware gefunden, etc.)"});
        group.checkBox({"CheckBox_NoLowDiskSpaceChecks", 14312, "Sprechblase für \"Sehr wenig Speicherplatz auf...\" aktiv"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox2", 14320, "Symbole"});
        group.checkBox({"CheckBox_EnableAutoTray", 14321,
                        "Symbole, von nicht aktiven Anwendungen ausblenden aus dem Infobereich"});
        group.checkBox({"CheckBox_HideClock", 14322, "Uhr anzeigen"});
        group.checkBox({"CheckBox_NoTrayItemsDisplay", 14323, "Alle Symbole aus dem Infobereich entfernen (ausser der Uhr)"});
    }
}

void TForm_Startmenu::createTaskbarSheet()
{
    auto& sheet = addSheet("TabSheet3", 14004, "Taskleiste");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox4", 14420, "Symbole"});
        group.checkBox({"CheckBox_TaskbarGlomming", 14421, "Ähnliche Elemente gruppieren in der Taskleiste"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox5", 14410, "Einschränkungen"});
        group.checkBox({"CheckBox_TaskbarSizeMove", 14411, "Position und Größe der Taskleiste sperren (Taskleiste fixieren)"});
        group.checkBox({"CheckBox_NoToolbarsOnTaskbar", 14412,
                        "Alle Toolbars (auch Schnellstart-Leiste) entfernen und Option zum Reaktivieren sperren"});
        group.checkBox({"CheckBox_NoTrayContextMenu", 14413,
                        "Kontextmenüs für die Taskleiste, Uhr und \"Start\"-Schaltfläche sperren"});
    }
}

TweakPage* TForm_Startmenu::singleInstance() const
{
    return Form_Startmenu;
}

void TForm_Startmenu::LoadSettings()
{
    loadRows(StartmenuBindingTable());
}

void TForm_Startmenu::SaveSettings()
{
    saveRows(StartmenuBindingTable());
}

}  // namespace pages
