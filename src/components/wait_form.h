// The wait window that long operations show: a headline, a detail line, a
// progress bar and a cancel button. It is created once at start-up, shown and
// hidden by the operations themselves, and lives until the program ends.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/image.h"

namespace components {

class TWarteForm : public ui::Form {
public:
    TWarteForm();

    ui::Label& Label1() { return *label1_; }  // headline of the running operation
    ui::Label& Label2() { return *label2_; }  // current file, key or count
    ui::ProgressBar& ProgressBar1() { return *progressBar1_; }
    ui::Button& Button1() { return *button1_; }  // enabled when the operation can be cancelled

    // Sets CancelRequested and does nothing else.
    void Button1Click();

private:
    ui::Label* label1_;
    ui::Label* label2_;
    ui::ProgressBar* progressBar1_;
    ui::Button* button1_;
};

// The single wait window of the run; nullptr before start-up created it.
extern TWarteForm* WarteForm;

}  // namespace components
