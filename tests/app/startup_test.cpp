// The start-up decisions: the language data file, the two questions, the export of
// the forms' texts and the password gate, up to the message loop.
#include "app/language_export.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "app_fixture.h"
#include "components/wait_form.h"
#include "harness/modal_driver.h"
#include "password/options_form.h"
#include "password/password.h"
#include "password/password_form.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_support::ButtonText;
using testing_support::WhenModal;
using ui::MsgButton;
using ui::MsgKind;

namespace {

struct AdministratorTest {
    bool answer = true;
    int calls = 0;
    std::function<bool()> function()
    {
        return [this] {
            ++calls;
            return answer;
        };
    }
};

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

class StartupTest : public AppTest {
protected:
    int start(std::vector<std::string> arguments = {})
    {
        app::StartupOptions options;
        options.arguments = std::move(arguments);
        options.isAdministrator = administrator.function();
        options.runMessageLoop = false;
        return program.run(options);
    }

    AdministratorTest administrator;
    app::Program program;
};

TEST_F(StartupTest, AMissingLanguageFileIsReportedAndNothingElseHappens)
{
    const int exitCode = start();

    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, MsgKind::Error);
    EXPECT_EQ(boxes.last().text,
              "Needed File \"" + app::AppDir + "\\velmora.dat\" not found! Please reinstall the software!");
    EXPECT_EQ(ButtonText(boxes.last(), MsgButton::OK), "OK");
    EXPECT_EQ(language::LangString(1001), "");  // no language table
    EXPECT_EQ(administrator.calls, 0);          // no question
    EXPECT_EQ(app::Form1, nullptr);             // no window
}

TEST_F(StartupTest, OnWindowsXPAsAdministratorNoQuestionIsAskedAndEveryWindowExists)
{
    installLanguageFile();

    EXPECT_EQ(start(), 0);

    EXPECT_TRUE(boxes.shown().empty());
    ASSERT_NE(app::Form1, nullptr);
    EXPECT_EQ(ui::App().mainForm(), app::Form1);
    EXPECT_NE(components::WarteForm, nullptr);
    EXPECT_NE(password::Form_Options, nullptr);
    EXPECT_FALSE(ui::App().terminated());
    // Localised, and the help link follows the translated sentence at 4 pixels.
    EXPECT_EQ(app::Form1->Label_Help().left(), app::Form1->Label2().left() + app::Form1->Label2().width() + 4);
    EXPECT_EQ(components::WarteForm->caption(), language::LangString(18000));
}

TEST_F(StartupTest, NoToTheWindowsQuestionEndsBeforeTheAdministratorQuestion)
{
    installLanguageFile();
    app::IsWinXP = false;
    administrator.answer = false;
    boxes.answer(MsgButton::No);

    EXPECT_EQ(start(), 0);

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, MsgKind::Confirmation);
    EXPECT_EQ(boxes.last().text, language::LangStrings({100, 101, 102, 103}));
    EXPECT_EQ(ButtonText(boxes.last(), MsgButton::No), "&Nein");  // toolkit texts are already translated
    EXPECT_EQ(administrator.calls, 0);
    EXPECT_EQ(app::Form1, nullptr);
}

TEST_F(StartupTest, TheAdministratorQuestionFollowsAYesAndItsNoEndsTheProgram)
{
    installLanguageFile();
    app::IsWinXP = false;
    administrator.answer = false;
    boxes.answer(MsgButton::Yes);
    boxes.answer(MsgButton::No);

    EXPECT_EQ(start(), 0);

    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].kind, MsgKind::Confirmation);
    EXPECT_EQ(boxes.shown()[1].text, language::LangStringRange(110, 114));
    EXPECT_EQ(app::Form1, nullptr);
}

TEST_F(StartupTest, YesToTheAdministratorQuestionStartsTheProgram)
{
    installLanguageFile();
    administrator.answer = false;
    boxes.answer(MsgButton::Yes);

    EXPECT_EQ(start(), 0);

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_NE(app::Form1, nullptr);
}

TEST_F(StartupTest, OnlyAnExactFirstSaveArgumentExportsTheTexts)
{
    installLanguageFile();
    folder().makeDir("Language");
    const std::vector<std::vector<std::string>> noExport{{"-save"}, {"/SAVE"}, {"-SAVEALL"}, {"x", "-SAVE"}};
    for (const auto& arguments : noExport) {
        app::Program run;
        app::StartupOptions options;
        options.arguments = arguments;
        options.isAdministrator = [] { return true; };
        options.runMessageLoop = false;
        EXPECT_EQ(run.run(options), 0);
        EXPECT_TRUE(boxes.shown().empty()) << arguments.front();
        EXPECT_FALSE(Exists(folder().path() + "Language\\Form1.ini")) << arguments.front();
    }
}

TEST_F(StartupTest, SaveExportsEveryFormBetweenTwoPlainBoxesAndThenStartsNormally)
{
    installLanguageFile();
    folder().makeDir("Language");

    EXPECT_EQ(start({"-SAVE", "more"}), 0);

    // Between the two boxes only the notes of Tags that several controls share
    // (the "Setzen" buttons, the "Status:" labels of the System page).
    ASSERT_GE(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown().front().kind, MsgKind::Plain);
    EXPECT_EQ(boxes.shown().front().text, "Saving Language-Strings now");
    EXPECT_EQ(boxes.shown().front().caption, "Velmora");
    EXPECT_EQ(boxes.shown().back().text, "Saving done.");
    for (std::size_t index = 1; index + 1 < boxes.shown().size(); ++index)
        EXPECT_EQ(boxes.shown()[index].text.rfind("Tag ", 0), 0u) << boxes.shown()[index].text;
    for (const app::ExportedForm& form : app::ExportedForms())
        EXPECT_TRUE(Exists(app::AppDir + form.fileName)) << form.fileName;
    ASSERT_NE(app::Form1, nullptr);
    EXPECT_NE(password::Form_Options, nullptr);
}

// Translators get the files in one fixed order of the window classes.
TEST(LanguageExportOrder, FormsAreExportedInTheOrderOfTheExportTable)
{
    const std::vector<std::string> order{
        "TForm1",         "TForm_Anmelden", "TForm_Assistenten", "TForm_Autorun",  "TForm_Bericht",
        "TForm_CleanUP",  "TForm_Explorer", "TForm_IE",          "TForm_InternetTuner", "TForm_OfficeXP",
        "TForm_Options",  "TForm_Passwort", "TForm_Sonstige",    "TForm_Startmenu", "TForm_System",
        "TForm11",        "TForm6",         "TWarteForm",        "TAbout"};
    std::size_t previous = 0;
    for (const app::ExportedForm& form : app::ExportedForms()) {
        const auto place = std::find(order.begin(), order.end(), form.formClass);
        ASSERT_NE(place, order.end()) << form.formClass;
        const auto index = static_cast<std::size_t>(place - order.begin());
        EXPECT_GE(index, previous) << form.formClass << " comes too late";
        previous = index;
    }
}

TEST_F(StartupTest, AnExportWithoutTheLanguageFolderShowsTheFileErrorAndEndsWithCodeOne)
{
    installLanguageFile();

    EXPECT_EQ(start({"-SAVE"}), 1);

    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.last().kind, MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "Datei " + app::AppDir + "\\Language\\Form1.ini kann nicht erstellt werden");
    EXPECT_EQ(app::Form1, nullptr);
}

TEST_F(StartupTest, CancellingThePasswordDialogEndsTheProgramWithoutTheLongLivedWindows)
{
    installLanguageFile();
    WriteRawValue(HKEY_LOCAL_MACHINE, password::kPasswordKey, password::kPasswordValue, REG_BINARY,
                  password::ScrambledBytes("geheim1"));
    bool dialogShown = false;
    WhenModal([&] {
        ASSERT_NE(password::Form_Passwort, nullptr);
        dialogShown = IsWindowVisible(password::Form_Passwort->handle()) != FALSE;
        password::Form_Passwort->find<ui::Button>("Button_abbruch").click();
    });

    EXPECT_EQ(start(), 0);

    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(ui::App().terminated());
    EXPECT_EQ(components::WarteForm, nullptr);
    EXPECT_EQ(password::Form_Options, nullptr);
    EXPECT_EQ(password::Form_Passwort, nullptr);  // destroyed after it closed
}

TEST_F(StartupTest, TheRightPasswordOpensTheProgram)
{
    installLanguageFile();
    WriteRawValue(HKEY_LOCAL_MACHINE, password::kPasswordKey, password::kPasswordValue, REG_BINARY,
                  password::ScrambledBytes("geheim1"));
    WhenModal([] {
        password::Form_Passwort->Edit1().setText("geheim1");
        password::Form_Passwort->find<ui::Button>("Button_Ok").click();
    });

    EXPECT_EQ(start(), 0);

    EXPECT_FALSE(ui::App().terminated());
    EXPECT_NE(components::WarteForm, nullptr);
    EXPECT_NE(password::Form_Options, nullptr);
}

TEST_F(StartupTest, AnEmptyStoredPasswordOpensWithoutTheDialog)
{
    installLanguageFile();
    WriteRawValue(HKEY_LOCAL_MACHINE, password::kPasswordKey, password::kPasswordValue, REG_BINARY, {});
    WhenModal([] { password::Form_Passwort->close(); });

    EXPECT_EQ(start(), 0);

    EXPECT_TRUE(testing_support::CancelWhenModal()) << "a modal window was shown";
    EXPECT_NE(password::Form_Options, nullptr);
}
