// Which page each launcher entry opens. An area whose page the program does not
// have yet stays without an action.
#include "app/open_page.h"
#include "app/startup.h"

namespace app {

void WireLauncher(TForm1& /*mainWindow*/)
{
}

}  // namespace app
