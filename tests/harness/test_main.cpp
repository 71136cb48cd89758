// Entry of every test program: initialises COM and the toolkit as the program does and
// makes sure no test ever waits for a person at a message box or a platform dialog,
// opens the help viewer or starts another program unasked.
#include "harness/dialog_seam.h"
#include "harness/help_seam.h"
#include "harness/platform_dialogs_seam.h"
#include "harness/programs_seam.h"
#include "ui/application.h"
#include "ui/handles.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // COM for the whole run, as the program has it from start-up (shell links).
    const ui::ComScope com;
    ui::App().initialize();
    testing_support::UnexpectedMessageBoxes unexpected;
    ui::SetMessageBoxSeam(&unexpected);
    testing_support::IgnoredHelp noViewer;
    ui::SetHelpSeam(&noViewer);
    testing_support::UnexpectedPrograms noPrograms;
    ui::SetProgramsSeam(&noPrograms);
    testing_support::UnexpectedPlatformDialogs noDialogs;
    ui::SetPlatformDialogsSeam(&noDialogs);
    const int result = RUN_ALL_TESTS();
    ui::SetPlatformDialogsSeam(nullptr);
    ui::SetProgramsSeam(nullptr);
    ui::SetHelpSeam(nullptr);
    ui::SetMessageBoxSeam(nullptr);
    return result;
}
