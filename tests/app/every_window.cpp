#include "every_window.h"

#include "app/about_form.h"
#include "app/main_window.h"
#include "app/profile_form.h"
#include "app/undo_form.h"
#include "autostart/autorun_form.h"
#include "cleanup/cleanup_form.h"
#include "cleanup/file_results_form.h"
#include "cleanup/registry_results_form.h"
#include "components/wait_form.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/ie_form.h"
#include "pages/internet_tuner_form.h"
#include "pages/officexp_form.h"
#include "pages/sonstige_form.h"
#include "pages/startmenu_form.h"
#include "pages/system_form.h"
#include "password/options_form.h"
#include "password/password_form.h"
#include "report/bericht_form.h"
#include "wizards/assistenten_form.h"

namespace every_window {

namespace {

template <class FormClass>
std::function<OpenWindow()> Into(FormClass*& reference)
{
    return [&reference] {
        auto form = std::make_unique<FormClass>();
        FormClass* previous = reference;
        reference = form.get();
        return OpenWindow(std::move(form), [&reference, previous] { reference = previous; });
    };
}

// The frame of a tweak page: Ok, Abbrechen and Hilfe.
WindowCase TweakPage(std::string formClass, std::function<OpenWindow()> create, std::string topic,
                     std::vector<std::string> behind = {})
{
    return {std::move(formClass), std::move(create), {}, {std::move(topic)}, std::move(behind), "Button_Apply",
            "Button_Abbruch"};
}

// What the preview of a profile shows: long captions, a skipped setting.
profiles::ProfilePlan SamplePlan()
{
    profiles::ProfilePlan plan;
    profiles::PagePlan page;
    page.caption = "Einstellungen zu Explorer und Desktop";
    page.changes = {{"CheckBox_FontSmoothing", "Kanten der Bildschirmschriftarten glätten", "aus", "an"},
                    {"ComboBox_FontSmoothingType", "Schriftenglättung aktivieren im Modus", "Standard (empfohlen)", "ClearType"}};
    page.notHere = {"Startverhalten für den Dienst \"Telnet\" ändern (ComboBox_Tlntsvr)"};
    plan.pages.push_back(page);
    return plan;
}

}  // namespace

const std::vector<WindowCase>& Windows()
{
    static const std::vector<WindowCase> windows{
        {"TForm1", Into(app::Form1), [](ui::Form& form) { static_cast<app::TForm1&>(form).placeHelpLink(); },
         {"start"}, {"Image1", "Image2"}, "", ""},
        TweakPage("TForm_Anmelden", Into(pages::Form_Anmelden), "anmelden"),
        {"TForm_Assistenten", Into(wizards::Form_Assistenten), {}, {"assistenten"}, {}, "", "Button_Apply"},
        TweakPage("TForm_Autorun", Into(autostart::Form_Autorun), "autostartautorun"),
        {"TForm_Bericht", Into(report::Form_Bericht),
         [](ui::Form& form) { static_cast<report::TForm_Bericht&>(form).MCPUUsage1().setActive(false); },
         {"systembericht"}, {}, "Button_Apply", "Button_Apply"},
        {"TForm_CleanUP", Into(cleanup::Form_CleanUP), {}, {"systemaufraumen"}, {}, "", "Button_Apply"},
        TweakPage("TForm_Explorer", Into(pages::Form_Explorer), "explorerdesktop", {"Image_Explorer", "Image_Explorer_Dummy"}),
        TweakPage("TForm_IE", Into(pages::Form_IE), "ie6", {"Image_IE5", "Image_IE5_Dummy", "Label20"}),
        {"TForm_InternetTuner", Into(pages::Form_InternetTuner), {}, {"internetzugang"}, {}, "Button_Apply",
         "Button_Abbruch"},
        TweakPage("TForm_OfficeXP", Into(pages::Form_OfficeXP), "sonstigesoftware"),
        {"TForm_Options", Into(password::Form_Options), {}, {"passwort", "optionen"}, {}, "Button_Apply", ""},
        {"TForm_Passwort", Into(password::Form_Passwort), {}, {"passwort"}, {"Image1"}, "Button_Ok", "Button_abbruch"},
        TweakPage("TForm_Sonstige", Into(pages::Form_Sonstige), "sonstige", {"Image_Oemlogo", "Memo_oem_dummy"}),
        TweakPage("TForm_Startmenu", Into(pages::Form_Startmenu), "startmenu"),
        TweakPage("TForm_System", Into(pages::Form_System), "systemeinstellungen"),
        {"TForm11", Into(cleanup::Form11), {}, {"systemaufraumen"}, {}, "", "Button2"},
        {"TForm6", Into(cleanup::Form6), {}, {"systemaufraumen"}, {}, "", "Button2"},
        {"TWarteForm", Into(components::WarteForm), {}, {}, {}, "", "Button1"},
        {"TAbout", Into(app::About), [](ui::Form& form) { static_cast<app::TAbout&>(form).placeFollowingLabels(); },
         {}, {"Image1"}, "Button_Ok", "Button_Ok"},
        {"TForm_Undo", Into(app::Form_Undo), {}, {"rueckgaengig"}, {}, "", "Button_Close"},
        {"TForm_Profil", Into(app::Form_Profil),
         [](ui::Form& form) {
             static_cast<app::TForm_Profil&>(form).showPlan("C:\\Dokumente und Einstellungen\\Administrator\\Eigene "
                                                            "Dateien\\Profile f\xfcr alle Rechner\\B\xfcro.ini",
                                                            SamplePlan());
         },
         {"profile"}, {}, "Button_Apply", "Button_Abbruch"},
    };
    return windows;
}

std::string CaseName(const WindowCase& window)
{
    return window.formClass;
}

}  // namespace every_window
