// The wait window, the about box, and the language file's texts for every form.
#include "app/about_form.h"
#include "app/language_export.h"
#include "app_fixture.h"
#include "components/wait_form.h"
#include "harness/programs_seam.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

// The "number=text" lines of a language file.
std::map<int, std::string> ReadLanguageLines(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::map<int, std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            lines[std::stoi(line.substr(0, equals))] = line.substr(equals + 1);
    }
    return lines;
}

}  // namespace

class SmallWindowsTest : public AppTest {};

TEST_F(SmallWindowsTest, TheWaitWindowsCancelButtonOnlyRequestsCancelling)
{
    loadLanguage();
    components::TWarteForm wait;
    language::LocalizeComponent(wait);
    EXPECT_EQ(wait.caption(), language::LangString(18000));
    EXPECT_EQ(wait.clientWidth(), 600);
    EXPECT_EQ(wait.clientHeight(), 154);
    EXPECT_EQ(wait.ProgressBar1().minimum(), 0);
    EXPECT_EQ(wait.ProgressBar1().maximum(), 100);
    wait.show();
    ui::CancelRequested = false;

    wait.Button1().click();

    EXPECT_TRUE(ui::CancelRequested);
    EXPECT_TRUE(IsWindowVisible(wait.handle()));  // the operation hides it, not the button
    wait.close();  // the close box asks to cancel as well and leaves the window to the operation
    EXPECT_TRUE(IsWindowVisible(wait.handle()));
    ui::CancelRequested = false;
}

TEST_F(SmallWindowsTest, TheAboutBoxOpensItsWebAndMailAddressesAndPlacesThemAfterTheirCaptions)
{
    loadLanguage();
    testing_support::RecordedPrograms programs;
    app::TAbout about;
    language::LocalizeComponent(about);
    about.placeFollowingLabels();
    auto& webCaption = about.find<ui::Label>("Label_WebCaption");
    auto& web = about.find<ui::Label>("Label_Web");
    auto& mail = about.find<ui::Label>("Label_Mail");
    EXPECT_EQ(web.left(), webCaption.left() + webCaption.width() + 8);
    EXPECT_EQ(about.caption(), language::LangString(19000));

    SendMessageA(about.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(web.handle()), STN_CLICKED),
                 reinterpret_cast<LPARAM>(web.handle()));
    SendMessageA(about.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(mail.handle()), STN_CLICKED),
                 reinterpret_cast<LPARAM>(mail.handle()));

    ASSERT_EQ(programs.opened.size(), 2u);
    EXPECT_EQ(programs.opened[0].commandLine, web.caption());
    EXPECT_EQ(programs.opened[1].commandLine, "mailto:" + mail.caption());
}

TEST_F(SmallWindowsTest, TheLanguageFileHoldsTheDesignedTextOfEveryTagOfEveryForm)
{
    folder().makeDir("Language");
    for (const app::ExportedForm& form : app::ExportedForms())
        form.exportTo(app::AppDir + form.fileName);

    const auto languageFile = ReadLanguageLines(testing_support::SourceFile("lang\\velmora.dat"));
    for (const app::ExportedForm& form : app::ExportedForms())
        for (const auto& [number, designed] : ReadLanguageLines(app::AppDir + form.fileName)) {
            const auto line = languageFile.find(number);
            ASSERT_NE(line, languageFile.end()) << form.formClass << ": Tag " << number << " has no line";
            // The German file is the designed one, except where one Tag serves several forms.
            if (number != 201) {
                EXPECT_EQ(line->second, designed) << form.formClass << ": Tag " << number;
            }
        }
}

TEST_F(SmallWindowsTest, TheLanguageFileHoldsEveryMessageTheShellAsksFor)
{
    const auto languageFile = ReadLanguageLines(testing_support::SourceFile("lang\\velmora.dat"));
    std::vector<int> numbers{100, 101, 102, 103, 110, 111, 112, 113, 114, 1900, 18000, 19000, 11000, 12000};
    for (int number = 1910; number <= 1915; ++number)
        numbers.push_back(number);
    for (int number : {11900, 11910, 11911, 11920, 11921, 11930, 11940, 11941, 11950, 11951, 11955, 11960, 12900, 12901})
        numbers.push_back(number);
    for (int number : numbers)
        EXPECT_TRUE(languageFile.count(number)) << "language string " << number << " is missing";
}
