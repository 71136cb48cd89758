// The password dialog shown at start-up while a program password is set: the
// program goes on only when the user enters the stored password.
#pragma once

#include "ui/form.h"

namespace ui {
class Button;
class Edit;
class Image;
class Label;
}

namespace password {

class TForm_Passwort : public ui::Form {
public:
    TForm_Passwort();

    // True once "Ok" was pressed with the stored password; closing otherwise leaves it false.
    bool accepted() const { return accepted_; }

    ui::Edit& Edit1() const { return *edit1_; }
    // Start-up shows the main window's program picture here.
    ui::Image& Image1() const { return *image1_; }

    void Button_OkClick();
    void Button_abbruchClick();
    void Button_HilfeClick();

private:
    void createLabels();
    void createButtons();

    bool accepted_ = false;
    ui::Edit* edit1_ = nullptr;
    ui::Image* image1_ = nullptr;
};

// The one password dialog while it exists; its creator sets and clears it.
extern TForm_Passwort* Form_Passwort;

}  // namespace password
