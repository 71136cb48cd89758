#include "cleanup/wait_window.h"

#include "language/language.h"
#include "ui/application.h"
#include "ui/form.h"

namespace cleanup {

HiddenForm::HiddenForm(ui::Form& form) : form_(form)
{
    form_.hide();
}

HiddenForm::~HiddenForm()
{
    form_.show();
}

WaitWindowScope::WaitWindowScope(bool cancellable, const std::string& headline, int progressMaximum,
                                 bool progressVisible)
{
    if (!components::WarteForm) {
        own_ = std::make_unique<components::TWarteForm>();
        language::LocalizeComponent(*own_);
    }
    window_ = own_ ? own_.get() : components::WarteForm;
    window_->Button1().setEnabled(cancellable);
    window_->Label1().setCaption(headline);
    window_->Label2().setCaption("");
    window_->ProgressBar1().setRange(0, progressMaximum);
    window_->ProgressBar1().setPosition(0);
    window_->ProgressBar1().setVisible(progressVisible);
}

WaitWindowScope::~WaitWindowScope()
{
    hide();
}

void WaitWindowScope::setHeadline(const std::string& text)
{
    window_->Label1().setCaption(text);
}

void WaitWindowScope::setDetail(const std::string& text)
{
    window_->Label2().setCaption(text);
}

void WaitWindowScope::show()
{
    window_->show();
}

void WaitWindowScope::hide()
{
    window_->hide();
}

}  // namespace cleanup
