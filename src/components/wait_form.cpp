#include "components/wait_form.h"

#include "language/language.h"
#include "ui/application.h"

namespace components {

TWarteForm* WarteForm = nullptr;

namespace {

constexpr int kWindowCaption = 18000;

}  // namespace

TWarteForm::TWarteForm()
    : Form("WarteForm", 600, 154)
{
    setKeptOnTop(true);
    label1_ = &add<ui::Label>(*this, "Label1", ui::Bounds{8, 8, 580, 16});
    label1_->setAlignment(SS_CENTER);
    label2_ = &add<ui::Label>(*this, "Label2", ui::Bounds{8, 32, 580, 32});
    label2_->setAlignment(SS_CENTER);
    label2_->setWordWrap(true);
    progressBar1_ = &add<ui::ProgressBar>(*this, "ProgressBar1", ui::Bounds{8, 76, 581, 16});
    button1_ = &add<ui::Button>(*this, "Button1", ui::Bounds{248, 120, 96, 25}, "Abbrechen");
    button1_->setTag(201);
    button1_->onClick = [this] { Button1Click(); };
    setCancelButton(button1_);
    // The operation hides the window when it ends; closing it asks to cancel instead.
    onCloseQuery = [this] {
        if (button1_->enabled())
            Button1Click();
        return false;
    };
    setCaption(language::LangString(kWindowCaption));
}

void TWarteForm::Button1Click()
{
    ui::CancelRequested = true;
}

}  // namespace components
