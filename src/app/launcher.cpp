// Which page each launcher entry opens. An area whose page the program does not
// have yet stays without an action.
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

void WireLauncher(TForm1& mainWindow)
{
    mainWindow.setAreaAction(Area::Assistent, [] { OpenPage(wizards::Form_Assistenten, MainWindowDuring::Hidden); });
    mainWindow.setAreaAction(Area::Bericht, [] { OpenSystemReport(report::Form_Bericht); });
    mainWindow.setAreaAction(Area::System, [] { OpenPage(pages::Form_System); });
    mainWindow.setAreaAction(Area::Explorer, [] { OpenPage(pages::Form_Explorer); });
    mainWindow.setAreaAction(Area::Startmenu, [] { OpenPage(pages::Form_Startmenu); });
    mainWindow.setAreaAction(Area::Anmelden, [] { OpenPage(pages::Form_Anmelden); });
    mainWindow.setAreaAction(Area::Autorun, [] { OpenPage(autostart::Form_Autorun); });
    mainWindow.setAreaAction(Area::IE, [] { OpenPage(pages::Form_IE); });
    mainWindow.setAreaAction(Area::OfficeXP, [] { OpenPage(pages::Form_OfficeXP); });
    mainWindow.setAreaAction(Area::Sonstiges, [] { OpenPage(pages::Form_Sonstige); });
    mainWindow.setAreaAction(Area::InternetZugang, [] { OpenPage(pages::Form_InternetTuner); });
    mainWindow.setAreaAction(Area::CleanUp, [] {
        cleanup::Places() = {AppDir, WindowsDir, IsNTFamily, std::nullopt};
        OpenPage(cleanup::Form_CleanUP, MainWindowDuring::Hidden);
    });
}

}  // namespace app
