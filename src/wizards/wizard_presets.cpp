#include "wizards/wizard_presets.h"

#include "autostart/autorun_form.h"
#include "language/language.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/ie_form.h"
#include "pages/officexp_form.h"
#include "pages/startmenu_form.h"
#include "pages/system_form.h"
#include "ui/application.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/single_instance.h"
#include "ui/spinedit.h"
#include "wizards/wizard_steps.h"

#include <initializer_list>
#include <memory>

namespace wizards {

namespace {

// Builds the rows of one page in their order.
class Rows {
public:
    Rows& on(std::initializer_list<const char*> boxes, const char* option = "") { return set(boxes, 1, option); }
    Rows& off(std::initializer_list<const char*> boxes, const char* option = "") { return set(boxes, 0, option); }
    Rows& select(const char* radio, const char* option = "")
    {
        rows_.push_back({Step::Radio, radio, 0, option});
        return *this;
    }
    Rows& services(std::initializer_list<const char*> names, StartType type)
    {
        for (const char* name : names)
            rows_.push_back({Step::Service, name, type, ""});
        return *this;
    }
    Rows& spin(const char* spinEdit, int number)
    {
        rows_.push_back({Step::SpinValue, spinEdit, number, ""});
        return *this;
    }
    Rows& item(const char* comboBox, int index)
    {
        rows_.push_back({Step::ComboItem, comboBox, index, ""});
        return *this;
    }
    Rows& click(const char* button)
    {
        rows_.push_back({Step::Click, button, 0, ""});
        return *this;
    }
    operator std::vector<PresetRow>() const { return rows_; }

private:
    Rows& set(std::initializer_list<const char*> boxes, int state, const char* option)
    {
        for (const char* box : boxes)
            rows_.push_back({Step::Check, box, state, option});
        return *this;
    }

    std::vector<PresetRow> rows_;
};

// The option boxes that STANDARD and SPEED each have on their own sheet.
struct LookOptions {
    const char* fewerEffects;    // font smoothing and the effects that cost much
    const char* noEffects;       // every effect that costs any performance
    const char* messengerStart;  // the Messenger no longer starts with Windows
    const char* noRecentDocs;    // nothing more is added to "Dokumente"
};

const LookOptions kStandardOptions{"CheckBox_STANDARD_Optik1", "CheckBox_STANDARD_Optik2", "CheckBox_STANDARD_MSMSGS",
                                   "CheckBox_STANDARD_NoRecentDocsHistory"};
const LookOptions kSpeedOptions{"CheckBox_SPEED_Optik1", "CheckBox_SPEED_Optik2", "CheckBox_SPEED_MSMSGS",
                                "CheckBox_SPEED_NoRecentDocsHistory"};

// The Explorer, Internet Explorer, Office and Start menu pages of STANDARD and SPEED.
Preset LookPages(const LookOptions& options)
{
    return {
        {WizardPage::Explorer,
         Rows()
             .off({"CheckBox_FontSmoothing", "CheckBox_BackBitmapShell", "CheckBox_PaintPicture"}, options.fewerEffects)
             .off({"CheckBox_DragFullWindows", "CheckBox_MenuSchatten", "CheckBox_FontSmoothing",
                   "CheckBox_BackBitmapShell", "CheckBox_PaintPicture"},
                  options.noEffects)},
        {WizardPage::IE,
         Rows().off({"CheckBox_BackBitmap"}, options.fewerEffects).off({"CheckBox_BackBitmap"}, options.noEffects)},
        {WizardPage::OfficeXP, Rows().off({"CheckBox_MSMSGS"}, options.messengerStart).on({"CheckBox_MSMSGS_Hide"})},
        {WizardPage::Startmenu, Rows()
                                    .on({"CheckBox_NoRecentDocsHistory"}, options.noRecentDocs)
                                    .off({"CheckBox_EnableBalloonTips", "CheckBox_NoLowDiskSpaceChecks"})},
    };
}

// The services of STANDARD and SPEED: off, but "Hilfe und Support" on demand.
Rows& StandardServices(Rows& rows)
{
    return rows.services({"WZCSVC", "WMDMPMSP", "ClipSrv", "cisvc"}, kDisabled)
        .services({"Helpsvc"}, kManual)
        .services({"W32Time", "mnmsrvc", "RemoteRegistry", "Tlntsvr"}, kDisabled);
}

bool OptionTicked(const ui::Component& options, const std::string& name)
{
    const auto* box = dynamic_cast<const ui::CheckBox*>(options.findComponent(name));
    if (!box)
        throw WizardControlMissing(options.name(), name);
    return box->checked();
}

void ApplyRow(const PresetRow& row, WizardSteps& steps)
{
    switch (row.step) {
    case Step::Check: steps.WizardSetCheck(row.control, row.wanted != 0); break;
    case Step::Radio: steps.WizardSetRadio(row.control); break;
    case Step::Service: steps.WizardSetService(row.control, row.wanted); break;
    case Step::SpinValue:
        if (auto& spin = steps.control<ui::SpinEdit>(row.control); spin.enabled())
            spin.setValue(row.wanted);
        break;
    case Step::ComboItem:
        if (auto& combo = steps.control<ui::ComboBox>(row.control); combo.enabled())
            combo.setItemIndex(row.wanted);
        break;
    case Step::Click: steps.control<ui::Button>(row.control).click(); break;
    }
}

// Forgets the page on every path, so no step reaches a page that is gone.
struct LeavePage {
    WizardSteps& steps;
    ~LeavePage() { steps.leavePage(); }
};

template <class Page>
void RunPage(Page*& reference, const std::vector<PresetRow>& rows, WizardSteps& steps, const ui::Component& options)
{
    auto page = std::make_unique<Page>();  // its creation loads its settings
    const ui::SingleInstanceScope scope(reference, *page);
    language::LocalizeComponent(*page);
    const LeavePage leave{steps};
    steps.BeginWizardPage(*page);
    for (const PresetRow& row : rows)
        if (row.option.empty() || OptionTicked(options, row.option))
            ApplyRow(row, steps);
    steps.EndWizardPage();
    try {
        page->SaveSettings();
    } catch (const std::exception& error) {
        // As after "Ok": the rows after the failed one stay unwritten; the next page follows.
        ui::App().showException(error);
    }
}

}  // namespace

Preset StandardPreset()
{
    Preset preset = LookPages(kStandardOptions);
    Rows system;
    system.on({"CheckBox_BootOptimizeFunction", "CheckBox_AutoReboot", "CheckBox_AutoRestartShell"})
        .off({"CheckBox_ClearPageFileAtShutdown", "CheckBox_LargeSystemCache"})
        .select("RadioButton_Win32PrioritySeparation1")
        .on({"CheckBox_NTFSDisableLastAccessUpdate"})
        .select("RadioButton_IoPageLockLimit1");
    preset.push_back({WizardPage::System, StandardServices(system)});
    return preset;
}

Preset SpeedPreset(int ramItem, int cpuItem)
{
    Preset preset = LookPages(kSpeedOptions);
    constexpr int k512MB = 4;
    constexpr int kBetween128And256MB = 1;
    Rows system;
    if (ramItem >= k512MB)
        system.on({"CheckBox_DisablePagingExecutive"});
    else
        system.off({"CheckBox_DisablePagingExecutive"});
    system.select("RadioButton_IoPageLockLimit2")
        .spin("SpinEdit_IoPageLockLimit", ramItem <= kBetween128And256MB ? 16384 : 32768)
        .select("RadioButton_L2Cache1");
    if (cpuItem <= 0)
        system.select("RadioButton_L2Cache1");
    else
        system.select("RadioButton_L2Cache2").item("ComboBox_L2Cache", cpuItem - 1);
    system.on({"CheckBox_BootOptimizeFunction", "CheckBox_AutoReboot", "CheckBox_AutoRestartShell"})
        .off({"CheckBox_ClearPageFileAtShutdown"})
        .select("RadioButton_Win32PrioritySeparation1")
        .on({"CheckBox_NTFSDisableLastAccessUpdate"});
    preset.push_back({WizardPage::System, StandardServices(system)});
    return preset;
}

Preset PolicyPreset()
{
    return {
        {WizardPage::IE, Rows()
                             .on({"CheckBox_NoBrowserSaveAs"}, "CheckBox_NoBrowserSaveAs")
                             .on({"CheckBox_Persistent", "CheckBox_GeneralTab", "CheckBox_SecurityTab",
                                  "CheckBox_ContentTab", "CheckBox_ConnectionsTab", "CheckBox_ProgramsTab",
                                  "CheckBox_AdvancedTab", "CheckBox_Connwiz_Admin_Lock", "CheckBox_SecChangeSettings",
                                  "CheckBox_SecAddSites", "CheckBox_CertifPers", "CheckBox_ResetWebSettings"})},
        {WizardPage::OfficeXP, Rows().on({"CheckBox_PreventRun"}, "CheckBox_PreventRun")},
        {WizardPage::System,
         Rows().on({"CheckBox_ClearPageFileAtShutdown", "CheckBox_NoControlPanel", "CheckBox_DisableRegistryTools"})},
        {WizardPage::Explorer, Rows()
                                   .on({"CheckBox_NoFolderOptions"}, "CheckBox_NoFolderOptions")
                                   .on({"CheckBox_NoCDBurning"}, "CheckBox_NoCDBurning")
                                   .off({"CheckBox_NukeOnDelete"})
                                   .on({"CheckBox_NoDispCPL", "CheckBox_NoFileAssociate_XP"})},
        {WizardPage::Startmenu, Rows()
                                    .on({"CheckBox_NoClose"}, "CheckBox_NoClose")
                                    .off({"CheckBox_StartMenuAdminTools"})
                                    .on({"CheckBox_NoRun", "CheckBox_TaskbarSizeMove"})},
        // Unticking "Administrator anzeigen" hides the account on the Welcome screen.
        {WizardPage::Anmelden, Rows()
                                   .off({"CheckBox_Administrator"}, "CheckBox_Administrator")
                                   .off({"CheckBox_AllowMultipleTSSessions"})
                                   .on({"CheckBox_IgnoreShiftOverride"})},
    };
}

Preset RescuePreset()
{
    const char* const lift = "CheckBox_RETTUNG_Policy";
    return {
        {WizardPage::Anmelden, Rows()
                                   .off({"CheckBox_AutoLogON"}, "CheckBox_AutoLogON")
                                   .off({"CheckBox_IgnoreShiftOverride", "CheckBox_AutoLogonCount"})
                                   .on({"CheckBox_AllowMultipleTSSessions"})
                                   .off({"CheckBox_LogonType", "CheckBox_DisableCAD"})},
        {WizardPage::Autorun,
         Rows().on({"CheckBox_DriveTyp_CDROM", "CheckBox_DriveTyp_Removable", "CheckBox_DriveTyp_RAM",
                    "CheckBox_DriveTyp_Fixed", "CheckBox_CDROM_AutoRun"})},
        {WizardPage::Explorer,
         Rows()
             .off({"CheckBox_NoDispCPL", "CheckBox_NoDispSettingsPage", "CheckBox_NoViewContextMenu",
                   "CheckBox_NoFileMenu"},
                  lift)
             .on({"CheckBox_LNKs", "CheckBox_PIFs"})
             .off({"CheckBox_LNKsmit", "CheckBox_PaintDesktopVersion"})
             .on({"CheckBox_DragFullWindows", "CheckBox_MenuSchatten"})
             .off({"CheckBox_FontSmoothing", "CheckBox_WallPaperXY", "CheckBox_BackBitmapShell"})
             .click("Button_SymboleRESET")  // Windows' own icons, after the page's own question
             .off({"CheckBox_NoInstrumentation", "CheckBox_NoCDBurning", "CheckBox_NoActiveDesktop",
                   "CheckBox_CommandPrompt", "CheckBox_Notepad", "CheckBox_NukeOnDelete"})},
        {WizardPage::IE, Rows()
                             .off({"CheckBox_NoFileNew", "CheckBox_NoFavorites", "CheckBox_NoBrowserOptions",
                                   "CheckBox_NoSelectDownloadDir", "CheckBox_NoBrowserContextMenu",
                                   "CheckBox_NoBrowserClose", "CheckBox_GeneralTab", "CheckBox_ConnectionsTab",
                                   "CheckBox_AdvancedTab", "CheckBox_Connwiz_Admin_Lock", "CheckBox_ResetWebSettings"},
                                  lift)
                             .off({"CheckBox_WindowTitle", "CheckBox_Persistent", "CheckBox_NotifyDownloadComplete"})},
        {WizardPage::OfficeXP,
         Rows().on({"CheckBox_MSMSGS"}, "CheckBox_MSMSGS").off({"CheckBox_PreventRun"}, "CheckBox_MSMSGS")},
        // "Uhr anzeigen" (CheckBox_HideClock) states the opposite of the policy HideClock:
        // lifting the restriction shows the clock, as Windows does.
        {WizardPage::Startmenu,
         Rows()
             .on({"CheckBox_Start_NotifyNewApps"})
             .off({"CheckBox_NoSimpleStartMenu"})
             .select("RadioButton_MenuShowDelay3")
             .off({"CheckBox_StartMenuLogoff", "CheckBox_NoClose", "CheckBox_NoFind"})
             .on({"CheckBox_EnableBalloonTips", "CheckBox_HideClock"})
             .off({"CheckBox_NoTrayItemsDisplay", "CheckBox_NoToolbarsOnTaskbar", "CheckBox_NoTrayContextMenu"})},
        {WizardPage::System,
         Rows()
             .off({"CheckBox_NoControlPanel"}, lift)
             .on({"CheckBox_BootOptimizeFunction"})
             .off({"CheckBox_AlwaysUnLoadDLL", "CheckBox_DisablePagingExecutive"})
             .select("RadioButton_IoPageLockLimit1")
             .off({"CheckBox_ClearPageFileAtShutdown", "CheckBox_LargeSystemCache", "CheckBox_EnableUDMA66"})
             .select("RadioButton_L2Cache1")
             .select("RadioButton_Win32PrioritySeparation1")
             .services({"WZCSVC", "WMDMPMSP", "ClipSrv", "cisvc"}, kAutomatic)
             .services({"Helpsvc"}, kManual)
             .services({"wuauserv", "W32Time"}, kAutomatic)},
    };
}

void ApplyPreset(const Preset& preset, WizardSteps& steps, const ui::Component& options)
{
    for (const PresetPage& page : preset) {
        switch (page.page) {
        case WizardPage::Explorer: RunPage(pages::Form_Explorer, page.rows, steps, options); break;
        case WizardPage::IE: RunPage(pages::Form_IE, page.rows, steps, options); break;
        case WizardPage::OfficeXP: RunPage(pages::Form_OfficeXP, page.rows, steps, options); break;
        case WizardPage::Startmenu: RunPage(pages::Form_Startmenu, page.rows, steps, options); break;
        case WizardPage::System: RunPage(pages::Form_System, page.rows, steps, options); break;
        case WizardPage::Anmelden: RunPage(pages::Form_Anmelden, page.rows, steps, options); break;
        case WizardPage::Autorun: RunPage(autostart::Form_Autorun, page.rows, steps, options); break;
        }
    }
}

const char* PageFormName(WizardPage page)
{
    switch (page) {
    case WizardPage::Explorer: return "Form_Explorer";
    case WizardPage::IE: return "Form_IE";
    case WizardPage::OfficeXP: return "Form_OfficeXP";
    case WizardPage::Startmenu: return "Form_Startmenu";
    case WizardPage::System: return "Form_System";
    case WizardPage::Anmelden: return "Form_Anmelden";
    case WizardPage::Autorun: return "Form_Autorun";
    }
    return "";
}

}  // namespace wizards
