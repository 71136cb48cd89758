#include "app/startup.h"

#include "app/globals.h"
#include "app/language_export.h"
#include "app/main_window.h"
#include "app/profile_commands.h"
#include "components/wait_form.h"
#include "language/language.h"
#include "password/options_form.h"
#include "password/password.h"
#include "password/password_form.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/single_instance.h"

#include <exception>

namespace app {

namespace {

// A question of several language strings, joined by carriage returns; true unless answered No.
bool ConfirmStrings(int first, int last)
{
    return ui::MessageDlg(language::LangStringRange(first, last), ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) != ui::MsgButton::No;
}

}  // namespace

bool WantsLanguageExport(const std::vector<std::string>& arguments)
{
    return !arguments.empty() && arguments.front() == "-SAVE";
}

Program::Program() = default;

Program::~Program()
{
    // The journal records into the program's folder only while the program runs.
    journal::SetJournalFolder({});
    // The long-lived windows go before the main window they belong to.
    password::Form_Options = nullptr;
    components::WarteForm = nullptr;
    optionsPage_.reset();
    waitWindow_.reset();
    Form1 = nullptr;
    mainWindow_.reset();
}

int Program::run(const StartupOptions& options)
{
    try {
        return start(options);
    } catch (const std::exception& error) {
        ui::App().showException(error);
        return 1;
    }
}

int Program::start(const StartupOptions& options)
{
    const std::string languageDataFile = AppDir + "\\velmora.dat";
    const bool unattended = WantsUnattendedRun(options.arguments);
    if (!helpers::FileExists(languageDataFile)) {
        // An unattended run shows no window, not even this one.
        if (unattended)
            return kWrongInput;
        ui::MessageDlg("Needed File \"" + languageDataFile + "\" not found! Please reinstall the software!",
                       ui::MsgKind::Error, {ui::MsgButton::OK});
        return 0;
    }
    language::LoadLanguageFile(languageDataFile);
    language::ApplyToolkitTexts();
    // Every change from here on is recorded, so the user can undo it.
    journal::SetJournalFolder(AppDir + "\\BACKUP\\Journal", AppDir);
    // A run from the command line asks no start-up question and opens no window.
    if (unattended)
        return RunUnattended({options.arguments, options.isAdministrator});
    if (!askStartupQuestions(options))
        return 0;
    if (WantsLanguageExport(options.arguments))
        ExportLanguageFiles(AppDir);
    createMainWindow();
    if (passPasswordGate()) {
        // The main window shows before the windows it keeps for later are made, so
        // the user sees it as soon as it is ready.
        if (options.runMessageLoop) {
            Form1->show();
            UpdateWindow(Form1->handle());
        }
        createLongLivedWindows();
    } else {
        ui::App().terminate();
    }
    if (options.runMessageLoop)
        ui::App().run();
    return 0;
}

bool Program::askStartupQuestions(const StartupOptions& options)
{
    if (!IsWinXP && !ConfirmStrings(100, 103))
        return false;
    const bool administrator = options.isAdministrator ? options.isAdministrator() : IsAdministrator();
    return administrator || ConfirmStrings(110, 114);
}

void Program::createMainWindow()
{
    mainWindow_ = std::make_unique<TForm1>();
    Form1 = mainWindow_.get();
    ui::App().setMainForm(Form1);
    language::LocalizeComponent(*Form1);
    Form1->placeHelpLink();
    WireLauncher(*Form1);
}

bool Program::passPasswordGate()
{
    if (password::StoredPasswordSize() < 1)
        return true;
    auto dialog = std::make_unique<password::TForm_Passwort>();
    const ui::SingleInstanceScope reference(password::Form_Passwort, *dialog);
    language::LocalizeComponent(*dialog);
    dialog->Image1().assign(Form1->Image1());
    dialog->showModal();
    return dialog->accepted();
}

void Program::createLongLivedWindows()
{
    waitWindow_ = std::make_unique<components::TWarteForm>();
    components::WarteForm = waitWindow_.get();
    language::LocalizeComponent(*components::WarteForm);
    optionsPage_ = std::make_unique<password::TForm_Options>();
    password::Form_Options = optionsPage_.get();
    language::LocalizeComponent(*password::Form_Options);
}

}  // namespace app
