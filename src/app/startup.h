// The start-up of the program, from the language data file to the message loop:
// the two start-up questions, the language export, the main window, the password
// gate and the two windows that live for the whole run.
#pragma once

#include "ui/handles.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace components {
class TWarteForm;
}
namespace password {
class TForm_Options;
}

namespace app {

class TForm1;

struct StartupOptions {
    std::vector<std::string> arguments;  // the command line, without the program
    std::function<bool()> isAdministrator;  // the administrator test (IsAdministrator when empty)
    bool runMessageLoop = true;  // false: return once the main window is ready (tests)
};

// Owns the windows of one run; destroying it destroys them and clears their references.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the start-up after the application object and the globals are set up;
    // gives the exit code (1 only after an error the start-up does not handle).
    int run(const StartupOptions& options);

private:
    int start(const StartupOptions& options);
    bool askStartupQuestions(const StartupOptions& options);
    void createMainWindow();
    bool passPasswordGate();
    void createLongLivedWindows();

    // COM for the whole run (shell links), first in and last out.
    ui::ComScope com_;
    std::unique_ptr<TForm1> mainWindow_;
    std::unique_ptr<components::TWarteForm> waitWindow_;
    std::unique_ptr<password::TForm_Options> optionsPage_;
};

// True when the first argument is exactly "-SAVE".
bool WantsLanguageExport(const std::vector<std::string>& arguments);

// Binds the launcher entries to the pages that open their areas.
void WireLauncher(TForm1& mainWindow);

}  // namespace app
