// Which page each launcher entry opens. An area whose page the program does not
// have yet stays without an action.
#include "app/open_page.h"
#include "app/startup.h"
#include "pages/ie_form.h"
#include "pages/internet_tuner_form.h"
#include "pages/officexp_form.h"
#include "pages/sonstige_form.h"
#include "pages/system_form.h"

namespace app {

void WireLauncher(TForm1& mainWindow)
{
    mainWindow.setAreaAction(Area::System, [] { OpenPage(pages::Form_System); });
    mainWindow.setAreaAction(Area::IE, [] { OpenPage(pages::Form_IE); });
    mainWindow.setAreaAction(Area::OfficeXP, [] { OpenPage(pages::Form_OfficeXP); });
    mainWindow.setAreaAction(Area::Sonstiges, [] { OpenPage(pages::Form_Sonstige); });
    mainWindow.setAreaAction(Area::InternetZugang, [] { OpenPage(pages::Form_InternetTuner); });
}

}  // namespace app
