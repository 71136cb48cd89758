// Program entry: loads the language table beside the program, gives the toolkit
// its texts and runs the main window until it is closed.
#include "language/language.h"
#include "ui/application.h"
#include "ui/form.h"

#include <string>

#include <windows.h>

namespace {

// The program's folder without a trailing backslash.
std::string ProgramFolder()
{
    std::string path(MAX_PATH, '\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return path.substr(0, path.find_last_of('\\'));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ui::Application& app = ui::App();
    app.initialize();
    app.setTitle("Velmora");
    language::LoadLanguageFile(ProgramFolder() + "\\velmora.dat");
    language::ApplyToolkitTexts();

    ui::Form mainWindow("Form1", 640, 480, "Velmora");
    app.setMainForm(&mainWindow);
    app.run();
    return 0;
}
