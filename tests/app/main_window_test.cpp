// The main window: its layout, the launcher entries with their hover underline,
// the menu, help, quitting, and opening pages.
#include "app/main_window.h"
#include "app/open_page.h"
#include "app/startup.h"
#include "autostart/autorun_form.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/startmenu_form.h"
#include "pages/ie_form.h"
#include "pages/internet_tuner_form.h"
#include "pages/officexp_form.h"
#include "pages/sonstige_form.h"
#include "pages/system_form.h"
#include "report/bericht_form.h"
#include "wizards/assistenten_form.h"
#include "app_fixture.h"
#include "components/wait_form.h"
#include "harness/layout_check.h"
#include "harness/modal_driver.h"
#include "password/options_form.h"
#include "ui/fonts.h"
#include "ui/help.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using app::Area;
using testing_support::WhenModal;

namespace {

bool Underlined(const ui::Control& control)
{
    LOGFONTA font{};
    GetObjectA(control.font(), sizeof(font), &font);
    return font.lfUnderline != 0;
}

bool Bold(const ui::Control& control)
{
    LOGFONTA font{};
    GetObjectA(control.font(), sizeof(font), &font);
    return font.lfWeight >= FW_BOLD;
}

// Clicks a label as the user does: the label tells its parent it was clicked.
void ClickLabel(const ui::Label& label)
{
    SendMessageA(GetParent(label.handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label.handle()), STN_CLICKED),
                 reinterpret_cast<LPARAM>(label.handle()));
}

void ChooseMenuItem(const ui::Form& form, const ui::MenuItem& item)
{
    SendMessageA(form.handle(), WM_COMMAND, MAKEWPARAM(item.commandId(), 0), 0);
}

}  // namespace

class MainWindowTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        loadLanguage();
        window = std::make_unique<app::TForm1>();
        app::Form1 = window.get();
        language::LocalizeComponent(*window);
        window->placeHelpLink();
    }

    void TearDown() override
    {
        password::Form_Options = nullptr;
        options.reset();
        app::Form1 = nullptr;
        window.reset();
        AppTest::TearDown();
    }

    void createOptionsPage()
    {
        options = std::make_unique<password::TForm_Options>();
        password::Form_Options = options.get();
    }

    std::unique_ptr<app::TForm1> window;
    std::unique_ptr<password::TForm_Options> options;
};

TEST_F(MainWindowTest, TheWindowHasItsSizeCaptionAndEntriesAtTheirPlaces)
{
    EXPECT_EQ(window->clientWidth(), 780);
    EXPECT_EQ(window->clientHeight(), 553);
    EXPECT_EQ(window->caption(), "Velmora (Version 1.07)");
    for (const app::LauncherEntry& entry : app::LauncherEntries()) {
        const ui::Label& label = window->areaLabel(entry.area);
        EXPECT_EQ(label.left(), entry.labelAt.x) << entry.labelName;
        EXPECT_EQ(label.top(), entry.labelAt.y) << entry.labelName;
        EXPECT_TRUE(Bold(label)) << entry.labelName;
        const ui::Bounds picture = window->areaImage(entry.area).bounds();
        EXPECT_EQ(picture.left, entry.imageAt.x) << entry.imageName;
        EXPECT_EQ(picture.top, entry.imageAt.y) << entry.imageName;
        EXPECT_EQ(picture.width, 48);
        EXPECT_EQ(picture.height, 48);
        EXPECT_TRUE(window->areaImage(entry.area).hasPicture()) << entry.imageName;
        const auto& description = window->find<ui::Label>(entry.descriptionName);
        EXPECT_EQ(description.bounds().left, entry.labelAt.x);
        EXPECT_EQ(description.bounds().top, entry.descriptionTop);
        EXPECT_EQ(description.width(), 304);
        EXPECT_EQ(description.height(), 27);
    }
    EXPECT_EQ(window->Image1().bounds().left, 392);
    EXPECT_EQ(window->Image1().bounds().top, 252);
    EXPECT_EQ(window->Image1().pictureSize().cx, 392);
    EXPECT_EQ(window->Image1().pictureSize().cy, 299);
}

// A fixed single border with the system menu and the minimise box, and the program's
// icon in the caption; the pages keep their dialog frame.
TEST_F(MainWindowTest, TheWindowHasASingleBorderWithTheProgramIcon)
{
    const auto style = static_cast<DWORD>(GetWindowLongA(window->handle(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(window->handle(), GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
    EXPECT_EQ(exStyle & WS_EX_DLGMODALFRAME, 0u);
    EXPECT_NE(SendMessageA(window->handle(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(SendMessageA(window->handle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(window->clientWidth(), 780);
    EXPECT_EQ(window->clientHeight(), 553);
}

TEST_F(MainWindowTest, EveryGermanTextFitsWithoutClipping)
{
    for (const app::LauncherEntry& entry : app::LauncherEntries()) {
        const auto& description = window->find<ui::Label>(entry.descriptionName);
        const SIZE needed = ui::MeasureText(description.font(), description.caption(), description.width());
        EXPECT_LE(needed.cy, description.height())
            << entry.descriptionName << ": " << description.caption() << "; font "
            << testing_support::FontReport(description.font());
        const ui::Label& label = window->areaLabel(entry.area);
        EXPECT_LE(label.left() + label.width(), window->clientWidth())
            << entry.labelName << "; font " << testing_support::FontReport(label.font());
    }
    EXPECT_LE(window->Label_Help().left() + window->Label_Help().width(), window->clientWidth())
        << "font " << testing_support::FontReport(window->Label_Help().font());
}

TEST_F(MainWindowTest, PointingAtALabelOrItsPictureUnderlinesTheLabel)
{
    const ui::Label& label = window->areaLabel(Area::System);
    const HWND picture = window->areaImage(Area::System).handle();
    EXPECT_FALSE(Underlined(label));

    SendMessageA(picture, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(Underlined(label));
    EXPECT_TRUE(Bold(label));
    SendMessageA(picture, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(Underlined(label));
    EXPECT_TRUE(Bold(label));

    // Underlined by pointing at the label itself, then removed by leaving the picture.
    SendMessageA(label.handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(Underlined(label));
    SendMessageA(picture, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(picture, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(Underlined(label));
    EXPECT_FALSE(Underlined(window->areaLabel(Area::Explorer)));  // other entries stay as they are
}

TEST_F(MainWindowTest, LabelPictureAndMenuItemOpenTheSameArea)
{
    for (const app::LauncherEntry& entry : app::LauncherEntries()) {
        std::vector<Area> opened;
        for (const app::LauncherEntry& other : app::LauncherEntries())
            window->setAreaAction(other.area, [&opened, area = other.area] { opened.push_back(area); });

        ClickLabel(window->areaLabel(entry.area));
        SendMessageA(window->areaImage(entry.area).handle(), WM_LBUTTONUP, 0, 0);
        ChooseMenuItem(*window, window->areaMenuItem(entry.area));

        EXPECT_EQ(opened, std::vector<Area>(3, entry.area)) << entry.labelName;
    }
}

// A page as the launcher opens them: tagged controls and a modal loop.
struct TestPage : ui::Form {
    TestPage() : Form("Form_Test", 200, 100, "Test")
    {
        auto& ok = add<ui::Button>(*this, "Button_Apply", ui::Bounds{10, 10, 80, 25}, "Ok-designed");
        ok.setTag(200);
        ok.onClick = [this] { close(); };
    }
};
TestPage* Form_Test = nullptr;

TEST_F(MainWindowTest, OpenPageLocalisesShowsModallyAndDestroysThePage)
{
    window->show();
    window->setAreaAction(Area::System, [] { app::OpenPage(Form_Test); });
    std::string captionWhileOpen;
    bool mainVisibleWhileOpen = true;
    WhenModal([&] {
        ASSERT_NE(Form_Test, nullptr);
        captionWhileOpen = Form_Test->find<ui::Button>("Button_Apply").caption();
        mainVisibleWhileOpen = IsWindowVisible(window->handle()) != FALSE;
        Form_Test->find<ui::Button>("Button_Apply").click();
    });

    ClickLabel(window->areaLabel(Area::System));

    EXPECT_EQ(captionWhileOpen, language::LangString(200));
    EXPECT_TRUE(mainVisibleWhileOpen);
    EXPECT_EQ(Form_Test, nullptr);
}

TEST_F(MainWindowTest, PagesThatHideTheMainWindowShowItAgainAfterwards)
{
    window->show();
    bool mainVisibleWhileOpen = true;
    WhenModal([&] {
        mainVisibleWhileOpen = IsWindowVisible(window->handle()) != FALSE;
        Form_Test->close();
    });

    app::OpenPage(Form_Test, app::MainWindowDuring::Hidden);

    EXPECT_FALSE(mainVisibleWhileOpen);
    EXPECT_TRUE(IsWindowVisible(window->handle()));
}

TEST_F(MainWindowTest, HelpShowsTheStartTopicOfTheHelpFileBesideTheProgram)
{
    ClickLabel(window->Label_Help());
    window->find<ui::MenuItem>("Inhalt1").click();

    const std::string expected = app::AppDir + "\\velmora.chm::/start.htm";
    EXPECT_EQ(help.locations(), std::vector<std::string>(2, expected));
}

TEST_F(MainWindowTest, QuittingRemindsOfARestartOnlyWhenTheOptionIsChecked)
{
    createOptionsPage();
    options->CheckBox_END().setChecked(true);
    window->show();

    window->find<ui::MenuItem>("Beenden1").click();

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Information);
    EXPECT_EQ(boxes.last().text, language::LangStringRange(1910, 1915));
    EXPECT_FALSE(IsWindowVisible(window->handle()));

    boxes.clear();
    options->CheckBox_END().setChecked(false);
    window->FormClose();
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(MainWindowTest, TheOptionsMenuItemShowsTheLongLivedOptionsPage)
{
    createOptionsPage();
    bool shown = false;
    WhenModal([&] {
        shown = IsWindowVisible(options->handle()) != FALSE;
        options->close();
    });

    window->find<ui::MenuItem>("Passwortschutz1").click();

    EXPECT_TRUE(shown);
    EXPECT_EQ(password::Form_Options, options.get());  // neither created nor destroyed
}

// A report as the report entry drives it: the measurement check box and the
// button that collects the facts.
struct TestReport : ui::Form {
    TestReport() : Form("Form_Bericht", 300, 200, "Bericht")
    {
        cpuUsage = &add<ui::CheckBox>(*this, "CheckBox_CPUUsage", ui::Bounds{10, 10, 200, 20}, "CPU");
        auto& reload = add<ui::Button>(*this, "Button_Reload", ui::Bounds{10, 40, 80, 25}, "Neu einlesen");
        reload.onClick = [this] {
            const components::TWarteForm& wait = *components::WarteForm;
            waitShown = IsWindowVisible(wait.handle()) != FALSE;
            mainShown = IsWindowVisible(app::Form1->handle()) != FALSE;
            headline = const_cast<components::TWarteForm&>(wait).Label1().caption();
            cancelEnabled = const_cast<components::TWarteForm&>(wait).Button1().enabled();
            progressShown = const_cast<components::TWarteForm&>(wait).ProgressBar1().visible();
            ++collected;
        };
    }
    ui::CheckBox* cpuUsage;
    bool waitShown = false, mainShown = true, cancelEnabled = true, progressShown = true;
    std::string headline;
    int collected = 0;
};
TestReport* Form_Bericht = nullptr;

TEST_F(MainWindowTest, TheReportCollectsBehindTheWaitWindowWithTheMeasurementOptionApplied)
{
    createOptionsPage();
    components::TWarteForm wait;
    components::WarteForm = &wait;
    window->show();
    for (const bool measurementOff : {true, false}) {
        options->CheckBox_CPU().setChecked(measurementOff);
        bool measuring = measurementOff;
        TestReport seen;
        WhenModal([&] {
            measuring = Form_Bericht->cpuUsage->checked();
            seen.waitShown = Form_Bericht->waitShown;
            seen.mainShown = Form_Bericht->mainShown;
            seen.headline = Form_Bericht->headline;
            seen.cancelEnabled = Form_Bericht->cancelEnabled;
            seen.progressShown = Form_Bericht->progressShown;
            seen.collected = Form_Bericht->collected;
            Form_Bericht->close();
        });

        app::OpenSystemReport(Form_Bericht);

        EXPECT_EQ(measuring, !measurementOff);
        EXPECT_EQ(seen.collected, 1);
        EXPECT_TRUE(seen.waitShown);
        EXPECT_FALSE(seen.mainShown);
        EXPECT_EQ(seen.headline, language::LangString(1900));
        EXPECT_FALSE(seen.cancelEnabled);
        EXPECT_FALSE(seen.progressShown);
        EXPECT_FALSE(IsWindowVisible(wait.handle()));
        EXPECT_TRUE(IsWindowVisible(window->handle()));
        EXPECT_EQ(Form_Bericht, nullptr);
    }
    components::WarteForm = nullptr;
}

TEST_F(MainWindowTest, TheReportEntryOpensTheLocalisedReportWithItsFactsCollected)
{
    app::WireLauncher(*window);
    createOptionsPage();
    options->CheckBox_CPU().setChecked(true);  // no processor-load measurement at the start
    std::string caption;
    std::string build;
    bool measuring = true;
    WhenModal([&] {
        ASSERT_NE(report::Form_Bericht, nullptr);
        caption = report::Form_Bericht->caption();
        build = report::Form_Bericht->find<ui::Label>("Label_Build1").caption();
        measuring = report::Form_Bericht->CheckBox_CPUUsage().checked() || report::Form_Bericht->MCPUUsage1().active();
        report::Form_Bericht->find<ui::Button>("Button_Apply").click();
    });

    window->find<ui::MenuItem>("Systembericht1").click();

    EXPECT_EQ(caption, language::LangString(5000));
    EXPECT_EQ(build, "2600");
    EXPECT_FALSE(measuring);
    EXPECT_EQ(report::Form_Bericht, nullptr);
    EXPECT_TRUE(IsWindowVisible(window->handle()));
}

TEST_F(MainWindowTest, TheSystemEntryOpensTheLocalisedSystemPage)
{
    app::WireLauncher(*window);
    std::string caption;
    WhenModal([&] {
        ASSERT_NE(pages::Form_System, nullptr);
        caption = pages::Form_System->caption();
        pages::Form_System->find<ui::Button>("Button_Abbruch").click();
    });

    window->find<ui::MenuItem>("SystemSystemSteuerung1").click();

    EXPECT_EQ(caption, language::LangString(15000));
    EXPECT_EQ(pages::Form_System, nullptr);
}

// Each entry of these areas opens its page, localised, from its label and from its
// menu item; the page's reference is cleared when it closes.
TEST_F(MainWindowTest, TheExplorerStartMenuAndLogonEntriesOpenTheirLocalisedPages)
{
    struct Entry {
        Area area;
        const char* menuItem;
        int title;
        std::function<ui::Form*()> reference;
    };
    const Entry entries[] = {
        {Area::Explorer, "ExplorerDesktop1", 7000, [] { return static_cast<ui::Form*>(pages::Form_Explorer); }},
        {Area::Startmenu, "StartmenTaskleistInfobereich1", 14000,
         [] { return static_cast<ui::Form*>(pages::Form_Startmenu); }},
        {Area::Anmelden, "Anmelden1", 2000, [] { return static_cast<ui::Form*>(pages::Form_Anmelden); }},
    };
    app::WireLauncher(*window);
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.menuItem);
        for (const bool byMenu : {true, false}) {
            std::string caption;
            std::string cancel;
            WhenModal([&] {
                ui::Form* page = entry.reference();
                ASSERT_NE(page, nullptr);
                caption = page->caption();
                auto& button = page->find<ui::Button>("Button_Abbruch");
                cancel = button.caption();
                button.click();
            });
            if (byMenu)
                window->find<ui::MenuItem>(entry.menuItem).click();
            else
                ClickLabel(window->areaLabel(entry.area));
            EXPECT_EQ(caption, language::LangString(entry.title));
            EXPECT_EQ(cancel, language::LangString(201));
            EXPECT_EQ(entry.reference(), nullptr);
        }
    }
}

// The wizards' entry and its menu item open the localised wizard page; the main window
// is hidden while it is open and comes back when it closes.
TEST_F(MainWindowTest, TheWizardEntryAndItsMenuItemOpenTheWizardPageWithTheMainWindowHidden)
{
    app::WireLauncher(*window);
    window->show();
    for (int opening = 0; opening < 2; ++opening) {
        std::string caption;
        bool mainVisible = true;
        WhenModal([&] {
            ASSERT_NE(wizards::Form_Assistenten, nullptr);
            caption = wizards::Form_Assistenten->caption();
            mainVisible = IsWindowVisible(window->handle()) != FALSE;
            wizards::Form_Assistenten->find<ui::Button>("Button_Apply").click();
        });

        if (opening == 0)
            ClickLabel(window->areaLabel(Area::Assistent));
        else
            window->find<ui::MenuItem>("Assistentenaufrufen1").click();

        EXPECT_EQ(caption, language::LangString(3000));
        EXPECT_FALSE(mainVisible);
        EXPECT_EQ(wizards::Form_Assistenten, nullptr);
        EXPECT_TRUE(IsWindowVisible(window->handle()));
    }
}

TEST_F(MainWindowTest, TheAutorunEntryAndItsMenuItemOpenTheLocalisedAutorunPage)
{
    app::WireLauncher(*window);
    for (int opening = 0; opening < 2; ++opening) {
        std::string caption;
        WhenModal([&] {
            ASSERT_NE(autostart::Form_Autorun, nullptr);
            caption = autostart::Form_Autorun->caption();
            autostart::Form_Autorun->find<ui::Button>("Button_Abbruch").click();
        });

        if (opening == 0)
            ClickLabel(window->areaLabel(Area::Autorun));
        else
            window->find<ui::MenuItem>("AutostartAutorun1").click();

        EXPECT_EQ(caption, language::LangString(4000));
        EXPECT_EQ(autostart::Form_Autorun, nullptr);
    }
}

TEST_F(MainWindowTest, TheInternetOfficeMiscellaneousAndTunerEntriesOpenTheirLocalisedPages)
{
    app::WireLauncher(*window);
    // Each menu item with the page it opens: its reference, its caption string and how it closes.
    struct Entry {
        const char* menuItem;
        std::function<ui::Form*()> page;
        int title;
        const char* cancelButton;
    };
    const Entry entries[] = {
        {"MicrosoftInternetExplorer61", [] { return static_cast<ui::Form*>(pages::Form_IE); }, 8000, "Button_Abbruch"},
        {"MicrosoftOfficeXP1", [] { return static_cast<ui::Form*>(pages::Form_OfficeXP); }, 10000, "Button_Abbruch"},
        {"Sonstiges1", [] { return static_cast<ui::Form*>(pages::Form_Sonstige); }, 13000, "Button_Abbruch"},
        {"InternetZugangoptimieren1", [] { return static_cast<ui::Form*>(pages::Form_InternetTuner); }, 9000,
         "Button_Abbruch"},
    };
    for (const Entry& entry : entries) {
        std::string caption;
        WhenModal([&] {
            ui::Form* page = entry.page();
            ASSERT_NE(page, nullptr) << entry.menuItem;
            caption = page->caption();
            page->find<ui::Button>(entry.cancelButton).click();
        });
        window->find<ui::MenuItem>(entry.menuItem).click();
        EXPECT_EQ(caption, language::LangString(entry.title)) << entry.menuItem;
        EXPECT_EQ(entry.page(), nullptr) << entry.menuItem;
    }
}
