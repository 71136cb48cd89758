// Program entry: sets up the application object and the global facts, then runs
// the start-up and the message loop.
#include "app/globals.h"
#include "app/startup.h"
#include "ui/application.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ui::Application& app = ui::App();
    app.initialize();
    app.setTitle("Velmora");
    app::DetermineGlobals();

    app::StartupOptions options;
    for (int index = 1; index < __argc; ++index)
        options.arguments.emplace_back(__argv[index]);
    app::Program program;
    return program.run(options);
}
