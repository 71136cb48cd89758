// The preview before a profile is applied, "Profil anwenden": per page the settings
// that would change, each with its caption, its state now and its state in the
// profile; settings already as the profile says are not listed. "Anwenden" confirms,
// "Abbrechen" and the close box leave everything as it is.
#pragma once

#include "profiles/profile_run.h"
#include "ui/form.h"

#include <string>

namespace ui {
class Button;
class Label;
class ListView;
}

namespace app {

class TForm_Profil : public ui::Form {
public:
    TForm_Profil();

    // Fills the list from the plan of the profile at profilePath.
    void showPlan(const std::string& profilePath, const profiles::ProfilePlan& plan);
    bool confirmed() const { return confirmed_; }

    ui::ListView& ListView_Changes() const { return *changes_; }
    ui::Label& Label_Count() const { return *count_; }
    ui::Button& Button_Apply() const { return *apply_; }

    void Button_ApplyClick();
    void Button_hilfeClick();

private:
    ui::Label* file_ = nullptr;
    ui::ListView* changes_ = nullptr;
    ui::Label* count_ = nullptr;
    ui::Button* apply_ = nullptr;
    bool confirmed_ = false;
};

extern TForm_Profil* Form_Profil;

}  // namespace app
