#include "app/open_page.h"

#include "components/wait_form.h"
#include "password/options_form.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace app {

namespace {

constexpr int kCollectingReport = 1900;

// Shows the main window and hides the wait window again on every path.
class WaitWindowScope {
public:
    WaitWindowScope()
    {
        if (Form1)
            Form1->hide();
        if (components::WarteForm)
            components::WarteForm->show();
        ui::ProcessMessages();
    }
    WaitWindowScope(const WaitWindowScope&) = delete;
    WaitWindowScope& operator=(const WaitWindowScope&) = delete;
    ~WaitWindowScope()
    {
        if (components::WarteForm)
            components::WarteForm->hide();
        if (Form1)
            Form1->show();
    }
};

}  // namespace

void CollectReport(ui::Form& report)
{
    const bool measurementOff = password::Form_Options && password::Form_Options->CheckBox_CPU().checked();
    report.find<ui::CheckBox>("CheckBox_CPUUsage").setChecked(!measurementOff);
    ui::CancelRequested = false;
    if (auto* wait = components::WarteForm) {
        wait->Label1().setCaption(language::LangString(kCollectingReport));
        wait->Label2().setCaption("");
        wait->Button1().setEnabled(false);
        wait->ProgressBar1().setVisible(false);
    }
    WaitWindowScope waiting;
    report.find<ui::Button>("Button_Reload").click();
}

}  // namespace app
