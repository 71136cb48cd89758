#include "app/language_export.h"

#include "app/about_form.h"
#include "app/main_window.h"
#include "cleanup/cleanup_form.h"
#include "cleanup/file_results_form.h"
#include "cleanup/registry_results_form.h"
#include "components/wait_form.h"
#include "language/language.h"
#include "password/options_form.h"
#include "password/password_form.h"
#include "pages/system_form.h"
#include "ui/dialogs.h"
#include "ui/single_instance.h"

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
        {"TForm_CleanUP", "\\Language\\Form_CleanUP.ini",
         [](const std::string& path) { ExportCleanupPage(path); }},
        {"TForm_Options", "\\Language\\Form_Options.ini",
         [](const std::string& path) { ExportForm(password::Form_Options, path); }},
        {"TForm_Passwort", "\\Language\\Form_Passwort.ini",
         [](const std::string& path) { ExportForm(password::Form_Passwort, path); }},
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
