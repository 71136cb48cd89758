// The menu bar of a form and its items. Items are components of the form (so
// localisation and export reach them); each one sits in the menu of its parent item.
#pragma once

#include "ui/component.h"
#include "ui/control.h"
#include "ui/handles.h"

namespace ui {

class Form;

// Something menu items can be added to: the menu bar or an item with a submenu.
class MenuParent : public Component {
public:
    using Component::Component;
    virtual HMENU submenu() = 0;
    virtual void refresh() = 0;  // redraws what shows a change of one of its items
};

class MainMenu : public MenuParent {
public:
    // Becomes the menu bar of the form.
    MainMenu(Form& form, std::string name);
    ~MainMenu() override;

    HMENU submenu() override { return menu_.get(); }
    void refresh() override;

private:
    Form& form_;
    MenuHandle menu_;
};

// A menu entry; the caption "-" makes it a separator.
class MenuItem : public MenuParent {
public:
    MenuItem(MenuParent& parent, std::string name, const std::string& caption = {});
    ~MenuItem() override;

    bool hasCaption() const override { return true; }
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& text) override;
    bool exportsCaption() const override { return true; }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool checked() const { return checked_; }
    void setChecked(bool checked);

    int commandId() const { return commandId_; }
    HMENU submenu() override;
    // A submenu is drawn anew each time it opens.
    void refresh() override {}

    // Chooses the item as the user would.
    void click();
    Event onClick;

    // The item of a menu command id; nullptr when there is none.
    static MenuItem* fromCommand(int commandId);

private:
    void applyState();

    MenuParent& parent_;
    std::string caption_;
    int commandId_;
    HMENU popup_ = nullptr;  // owned by the parent's menu once attached
    bool enabled_ = true;
    bool checked_ = false;
};

}  // namespace ui
