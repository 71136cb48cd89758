// Entry of every test program: initialises the toolkit as the program does and
// makes sure no test ever waits for a person at a message box.
#include "harness/dialog_seam.h"
#include "ui/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ui::App().initialize();
    testing_support::UnexpectedMessageBoxes unexpected;
    ui::SetMessageBoxSeam(&unexpected);
    const int result = RUN_ALL_TESTS();
    ui::SetMessageBoxSeam(nullptr);
    return result;
}
