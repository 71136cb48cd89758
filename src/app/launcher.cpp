// Which page each launcher entry opens. An area whose page the program does not
// have yet stays without an action.
#include "app/open_page.h"
#include "app/startup.h"
#include "autostart/autorun_form.h"
#include "pages/system_form.h"

namespace app {

void WireLauncher(TForm1& mainWindow)
{
    mainWindow.setAreaAction(Area::System, [] { OpenPage(pages::Form_System); });
    mainWindow.setAreaAction(Area::Autorun, [] { OpenPage(autostart::Form_Autorun); });
}

}  // namespace app
