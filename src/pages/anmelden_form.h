// The Logon page: automatic logon with stored account data and its limits, a message
// shown before logon, the classic logon dialog, Ctrl+Alt+Del, fast user switching and
// the accounts the Welcome screen hides. Saving may ask twice (an empty message title,
// the automatic logon), and removing a hidden account acts at once.
#pragma once

#include "pages/tweak_page.h"

namespace ui {
class ListView;
class TabSheet;
}

namespace pages {

class TForm_Anmelden : public TweakPage {
public:
    TForm_Anmelden();

    void LoadSettings() override;
    // Ends early, as after a complete save, when the user chooses to stop at an empty
    // message title.
    void SaveSettings() override;

    // The hidden-account list: selecting an account puts its name into the edit;
    // "Hinzufügen" adds the edit's name as a hidden account (written on "Ok");
    // "Entfernen" deletes the selected account's value at once, after asking.
    void ListView_UserListSelectItem(int index, bool selected);
    void Edit_UserChange();
    void Button_HinzufuegenClick();
    void Button_EntfernenClick();

    ui::ListView& ListView_UserList() const { return *accounts_; }

protected:
    TweakPage* singleInstance() const override;

private:
    void createAutoLogonSheet();
    void createSettingsSheet();
    void createAccountsSheet();
    ui::TabSheet& addSheet(const char* name, int tag, const char* caption);

    ui::ListView* accounts_ = nullptr;
};

// The page while it exists; its creator sets and clears it.
extern TForm_Anmelden* Form_Anmelden;

}  // namespace pages
