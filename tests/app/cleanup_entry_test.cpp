// The main window's clean-up entry: it opens the localised clean-up page with the
// main window hidden meanwhile, and hands the page the program's folders.
#include "app/globals.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "app_fixture.h"
#include "cleanup/cleanup_form.h"
#include "cleanup/cleanup_places.h"
#include "harness/modal_driver.h"
#include "ui/controls.h"
#include "ui/menu.h"

#include <gtest/gtest.h>

#include <memory>

class CleanupEntryTest : public AppTest {};

TEST_F(CleanupEntryTest, OpensTheCleanupPageWithTheMainWindowHidden)
{
    loadLanguage();
    const cleanup::CleanupPlaces saved = cleanup::Places();
    auto window = std::make_unique<app::TForm1>();
    app::Form1 = window.get();
    language::LocalizeComponent(*window);
    app::WireLauncher(*window);
    window->show();
    std::string caption;
    bool mainWindowShown = true;
    testing_support::WhenModal([&] {
        ASSERT_NE(cleanup::Form_CleanUP, nullptr);
        caption = cleanup::Form_CleanUP->caption();
        mainWindowShown = IsWindowVisible(window->handle()) != FALSE;
        cleanup::Form_CleanUP->find<ui::Button>("Button_Apply").click();
    });

    window->find<ui::MenuItem>("Systemaufrumen1").click();

    EXPECT_EQ(caption, language::LangString(6000));
    EXPECT_FALSE(mainWindowShown);
    EXPECT_TRUE(IsWindowVisible(window->handle()));
    EXPECT_EQ(cleanup::Form_CleanUP, nullptr);
    EXPECT_EQ(cleanup::Places().appDir, app::AppDir);
    EXPECT_EQ(cleanup::Places().windowsDir, app::WindowsDir);
    app::Form1 = nullptr;
    cleanup::Places() = saved;
}
