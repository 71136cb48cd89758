// What the tests of the application shell share: a program folder of their own
// holding the German language file, a registry sandbox, scripted message boxes,
// recorded help, and a fresh application state for every start-up.
#pragma once

#include "app/globals.h"
#include "autostart/autorun.h"
#include "harness/dialog_seam.h"
#include "harness/help_seam.h"
#include "harness/modal_driver.h"
#include "harness/registry_sandbox.h"
#include "harness/source_files.h"
#include "harness/temp_folder.h"
#include "language/language.h"
#include "ui/application.h"
#include "ui/dialogs.h"

#include <fstream>
#include <iterator>
#include <string>

class AppTest : public RegistrySandbox {
protected:
    void SetUp() override
    {
        RegistrySandbox::SetUp();
        language::ClearLanguageTable();
        ui::ResetToolkitTexts();
        ui::App().resetTermination();
        savedAppDir_ = app::AppDir;
        savedIsWinXP_ = app::IsWinXP;
        // The program's folder is the temporary folder, without its trailing backslash.
        app::AppDir = folder_.path().substr(0, folder_.path().size() - 1);
        app::IsWinXP = true;
        // Pages that read the startup folders and win.ini (the autostart page, also when
        // the language export creates it) read files of the test's own.
        autostart::AutostartFileLocations() = {folder_.makeDir("Startup"), folder_.file("win.ini")};
    }

    void TearDown() override
    {
        testing_support::CancelWhenModal();
        autostart::AutostartFileLocations() = {};
        app::AppDir = savedAppDir_;
        app::IsWinXP = savedIsWinXP_;
        ui::App().resetTermination();
        ui::ResetToolkitTexts();
        language::ClearLanguageTable();
        RegistrySandbox::TearDown();
    }

    // Puts the German language file beside the program.
    void installLanguageFile() const
    {
        std::ifstream source(testing_support::SourceFile("lang\\velmora.dat"), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>()};
        folder_.file("velmora.dat", bytes);
    }

    // Loads the German language file into the table, as start-up does.
    static void loadLanguage()
    {
        language::LoadLanguageFile(testing_support::SourceFile("lang\\velmora.dat"));
    }

    const testing_support::TempFolder& folder() const { return folder_; }

    testing_support::ScriptedMessageBoxes boxes;
    testing_support::RecordedHelp help;

private:
    testing_support::TempFolder folder_;
    std::string savedAppDir_;
    bool savedIsWinXP_ = false;
};
