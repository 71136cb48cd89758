// Which page each launcher entry opens.
#include "app/globals.h"
#include "app/open_page.h"
#include "cleanup/cleanup_form.h"
#include "cleanup/cleanup_places.h"
#include "app/startup.h"
#include "autostart/autorun_form.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/startmenu_form.h"
#include "pages/ie_form.h"
#include "pages/internet_tuner_form.h"
#include "pages/officexp_form.h"
#include "pages/sonstige_form.h"
#include "pages/system_form.h"
#include "report/bericht_form.h"
#include "wizards/assistenten_form.h"

namespace app {

void OpenArea(Area area, const PageShown& whenShown)
{
    switch (area) {
    case Area::Assistent: OpenPage(wizards::Form_Assistenten, MainWindowDuring::Hidden, whenShown); break;
    case Area::Bericht: OpenSystemReport(report::Form_Bericht); break;
    case Area::System: OpenPage(pages::Form_System, MainWindowDuring::Shown, whenShown); break;
    case Area::Explorer: OpenPage(pages::Form_Explorer, MainWindowDuring::Shown, whenShown); break;
    case Area::Startmenu: OpenPage(pages::Form_Startmenu, MainWindowDuring::Shown, whenShown); break;
    case Area::Anmelden: OpenPage(pages::Form_Anmelden, MainWindowDuring::Shown, whenShown); break;
    case Area::Autorun: OpenPage(autostart::Form_Autorun, MainWindowDuring::Shown, whenShown); break;
    case Area::IE: OpenPage(pages::Form_IE, MainWindowDuring::Shown, whenShown); break;
    case Area::OfficeXP: OpenPage(pages::Form_OfficeXP, MainWindowDuring::Shown, whenShown); break;
    case Area::Sonstiges: OpenPage(pages::Form_Sonstige, MainWindowDuring::Shown, whenShown); break;
    case Area::InternetZugang: OpenPage(pages::Form_InternetTuner, MainWindowDuring::Shown, whenShown); break;
    case Area::CleanUp:
        cleanup::Places() = {AppDir, WindowsDir, IsNTFamily, std::nullopt};
        OpenPage(cleanup::Form_CleanUP, MainWindowDuring::Hidden, whenShown);
        break;
    }
}

void WireLauncher(TForm1& mainWindow)
{
    for (const LauncherEntry& entry : LauncherEntries()) {
        const Area area = entry.area;
        mainWindow.setAreaAction(area, [area] { OpenArea(area); });
    }
}

}  // namespace app
