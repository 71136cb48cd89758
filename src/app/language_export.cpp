#include "app/language_export.h"

#include "app/about_form.h"
#include "app/main_window.h"
#include "autostart/autorun_form.h"
#include "cleanup/cleanup_form.h"
#include "cleanup/file_results_form.h"
#include "cleanup/registry_results_form.h"
#include "components/wait_form.h"
#include "language/language.h"
#include "password/options_form.h"
#include "password/password_form.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/startmenu_form.h"
#include "pages/ie_form.h"
#include "pages/internet_tuner_form.h"
#include "pages/officexp_form.h"
#include "pages/sonstige_form.h"
#include "pages/system_form.h"
#include "report/bericht_form.h"
#include "ui/dialogs.h"
#include "ui/single_instance.h"
#include "wizards/assistenten_form.h"

#include <memory>

namespace app {

namespace {

// Creates the form into its single-instance reference, exports it and destroys it.
template <class FormClass>
void ExportForm(FormClass*& reference, const std::string& path)
{
    auto form = std::make_unique<FormClass>();
    const ui::SingleInstanceScope scope(reference, *form);
    language::ExportFormTexts(path, *form);
}

// The clean-up page reads the options page's check boxes when it is created, so an
// options page of its own lives around it (the options page's own export comes later).
void ExportCleanupPage(const std::string& path)
{
    struct TemporaryOptionsPage {
        password::TForm_Options* previous = password::Form_Options;
        password::TForm_Options page;
        TemporaryOptionsPage() { password::Form_Options = &page; }
        ~TemporaryOptionsPage() { password::Form_Options = previous; }
    } options;
    ExportForm(cleanup::Form_CleanUP, path);
}

}  // namespace

const std::vector<ExportedForm>& ExportedForms()
{
    static const std::vector<ExportedForm> forms{
        {"TForm1", "\\Language\\Form1.ini", [](const std::string& path) { ExportForm(Form1, path); }},
        {"TForm_Anmelden", "\\Language\\Form_Anmelden.ini",
         [](const std::string& path) { ExportForm(pages::Form_Anmelden, path); }},
        {"TForm_Assistenten", "\\Language\\Form_Assistent.ini",
         [](const std::string& path) { ExportForm(wizards::Form_Assistenten, path); }},
        {"TForm_Autorun", "\\Language\\Form_Autorun.ini",
         [](const std::string& path) { ExportForm(autostart::Form_Autorun, path); }},
        {"TForm_Bericht", "\\Language\\Form_Bericht.ini",
         [](const std::string& path) { ExportForm(report::Form_Bericht, path); }},
        {"TForm_CleanUP", "\\Language\\Form_CleanUP.ini",
         [](const std::string& path) { ExportCleanupPage(path); }},
        {"TForm_Explorer", "\\Language\\Form_Explorer.ini",
         [](const std::string& path) { ExportForm(pages::Form_Explorer, path); }},
        {"TForm_IE", "\\Language\\Form_IE.ini", [](const std::string& path) { ExportForm(pages::Form_IE, path); }},
        {"TForm_InternetTuner", "\\Language\\Form_InternetTuner.ini",
         [](const std::string& path) { ExportForm(pages::Form_InternetTuner, path); }},
        {"TForm_OfficeXP", "\\Language\\Form_OfficeXP.ini",
         [](const std::string& path) { ExportForm(pages::Form_OfficeXP, path); }},
        {"TForm_Options", "\\Language\\Form_Options.ini",
         [](const std::string& path) { ExportForm(password::Form_Options, path); }},
        {"TForm_Passwort", "\\Language\\Form_Passwort.ini",
         [](const std::string& path) { ExportForm(password::Form_Passwort, path); }},
        {"TForm_Sonstige", "\\Language\\Form_Sonstige.ini",
         [](const std::string& path) { ExportForm(pages::Form_Sonstige, path); }},
        {"TForm_Startmenu", "\\Language\\Form_Startmenu.ini",
         [](const std::string& path) { ExportForm(pages::Form_Startmenu, path); }},
        {"TForm_System", "\\Language\\Form_System.ini",
         [](const std::string& path) { ExportForm(pages::Form_System, path); }},
        {"TForm11", "\\Language\\Form_11.ini", [](const std::string& path) { ExportForm(cleanup::Form11, path); }},
        {"TForm6", "\\Language\\Form_6.ini", [](const std::string& path) { ExportForm(cleanup::Form6, path); }},
        {"TWarteForm", "\\Language\\Form_WarteForm.ini",
         [](const std::string& path) { ExportForm(components::WarteForm, path); }},
        {"TAbout", "\\Language\\Form_About.ini", [](const std::string& path) { ExportForm(About, path); }},
    };
    return forms;
}

void ExportLanguageFiles(const std::string& appDir)
{
    ui::ShowMessage("Saving Language-Strings now");
    for (const ExportedForm& form : ExportedForms())
        form.exportTo(appDir + form.fileName);
    ui::ShowMessage("Saving done.");
}

}  // namespace app
