// Which page each launcher entry opens. An area whose page the program does not
// have yet stays without an action.
#include "app/globals.h"
#include "app/open_page.h"
#include "cleanup/cleanup_form.h"
#include "cleanup/cleanup_places.h"
#include "app/startup.h"
#include "pages/system_form.h"

namespace app {

void WireLauncher(TForm1& mainWindow)
{
    mainWindow.setAreaAction(Area::System, [] { OpenPage(pages::Form_System); });
    mainWindow.setAreaAction(Area::CleanUp, [] {
        cleanup::Places() = {AppDir, WindowsDir, IsNTFamily, std::nullopt};
        OpenPage(cleanup::Form_CleanUP, MainWindowDuring::Hidden);
    });
}

}  // namespace app
