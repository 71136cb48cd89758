// Program entry: works out the global facts, loads the language table beside the
// program, gives the toolkit its texts and runs the main window until it is closed.
#include "app/globals.h"
#include "language/language.h"
#include "ui/application.h"
#include "ui/form.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ui::Application& app = ui::App();
    app.initialize();
    app.setTitle("Velmora");
    app::DetermineGlobals();
    language::LoadLanguageFile(app::AppDir + "\\velmora.dat");
    language::ApplyToolkitTexts();

    ui::Form mainWindow("Form1", 640, 480, "Velmora");
    app.setMainForm(&mainWindow);
    app.run();
    return 0;
}
