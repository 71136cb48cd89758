// The options page: setting and removing the program password, and the general
// options that are saved when the page closes and loaded when it is created.
// Created once at start-up and kept for the whole run; the main menu shows it.
#pragma once

#include "ui/form.h"

#include <string>

namespace ui {
class Button;
class CheckBox;
class Edit;
class GroupBox;
class Label;
class PageControl;
class TabSheet;
}

namespace password {

inline const std::string kOptionsKey = "SOFTWARE\\Divodozide\\Velmora";

class TForm_Options : public ui::Form {
public:
    TForm_Options();

    // The general options other parts of the program read.
    ui::CheckBox& CheckBox_END() const { return *checkEnd_; }
    ui::CheckBox& CheckBox_CPU() const { return *checkCpu_; }
    ui::CheckBox& CheckBox_SAVE_CLEANUP() const { return *checkSaveCleanup_; }

    ui::PageControl& PageControl1() const { return *pages_; }
    ui::Edit& Edit1() const { return *edit1_; }
    ui::Edit& Edit2() const { return *edit2_; }

    void Button_ApplyClick();
    void Button_hilfeClick();
    void Button_PasswortSETClick();
    void Button_PasswortDELETEClick();
    // Runs at every close (Ok, Escape or the close box): saves the general options.
    void FormClose();

private:
    void createPasswordSheet(ui::TabSheet& sheet);
    void createOptionsSheet(ui::TabSheet& sheet);
    void loadOptions();

    ui::PageControl* pages_ = nullptr;
    ui::Edit* edit1_ = nullptr;
    ui::Edit* edit2_ = nullptr;
    ui::CheckBox* checkEnd_ = nullptr;
    ui::CheckBox* checkCpu_ = nullptr;
    ui::CheckBox* checkSaveCleanup_ = nullptr;
};

// The options page of the run; created at start-up after the password dialog.
extern TForm_Options* Form_Options;

}  // namespace password
