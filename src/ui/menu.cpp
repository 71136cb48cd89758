#include "ui/menu.h"

#include "ui/form.h"

#include <map>

namespace ui {

namespace {

std::map<int, MenuItem*>& ItemsByCommand()
{
    static std::map<int, MenuItem*> items;
    return items;
}

// Menu commands use ids above the range of child windows.
int NextCommandId()
{
    static int next = 0x8000;
    while (ItemsByCommand().count(next))
        next = next >= 0xFFFF ? 0x8000 : next + 1;
    return next;
}

}  // namespace

MainMenu::MainMenu(Form& form, std::string name) : MenuParent(std::move(name)), form_(form), menu_(CreateMenu())
{
    SetMenu(form_.handle(), menu_.get());
}

MainMenu::~MainMenu()
{
    // Items go first, then the bar leaves the window before it is destroyed.
    destroyComponents();
    if (GetMenu(form_.handle()) == menu_.get())
        SetMenu(form_.handle(), nullptr);
}

void MainMenu::refresh()
{
    // A hidden form draws its bar when it is shown; redrawing it before costs a frame
    // recalculation per item while the menu is built and localised.
    if (IsWindowVisible(form_.handle()))
        DrawMenuBar(form_.handle());
}

MenuItem::MenuItem(MenuParent& parent, std::string name, const std::string& caption)
    : MenuParent(std::move(name)), parent_(parent), caption_(caption), commandId_(NextCommandId())
{
    ItemsByCommand()[commandId_] = this;
    AppendMenuA(parent_.submenu(), MF_STRING, static_cast<UINT_PTR>(commandId_), "");
    applyState();
}

MenuItem::~MenuItem()
{
    destroyComponents();
    // Removing the entry also destroys its submenu.
    DeleteMenu(parent_.submenu(), static_cast<UINT>(commandId_), MF_BYCOMMAND);
    ItemsByCommand().erase(commandId_);
    parent_.refresh();
}

MenuItem* MenuItem::fromCommand(int commandId)
{
    auto found = ItemsByCommand().find(commandId);
    return found == ItemsByCommand().end() ? nullptr : found->second;
}

HMENU MenuItem::submenu()
{
    if (!popup_) {
        popup_ = CreatePopupMenu();
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_SUBMENU;
        info.hSubMenu = popup_;
        SetMenuItemInfoA(parent_.submenu(), static_cast<UINT>(commandId_), FALSE, &info);
    }
    return popup_;
}

void MenuItem::setCaption(const std::string& text)
{
    caption_ = text;
    applyState();
}

void MenuItem::setEnabled(bool enabled)
{
    enabled_ = enabled;
    applyState();
}

void MenuItem::setChecked(bool checked)
{
    checked_ = checked;
    applyState();
}

void MenuItem::applyState()
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_TYPE | MIIM_STATE;
    const bool separator = caption_ == "-";
    info.fType = separator ? MFT_SEPARATOR : MFT_STRING;
    info.dwTypeData = separator ? nullptr : const_cast<char*>(caption_.c_str());
    info.fState = (enabled_ ? MFS_ENABLED : MFS_DISABLED) | (checked_ ? MFS_CHECKED : MFS_UNCHECKED);
    SetMenuItemInfoA(parent_.submenu(), static_cast<UINT>(commandId_), FALSE, &info);
    parent_.refresh();
}

void MenuItem::click()
{
    if (enabled_)
        Control::fire(onClick);
}

}  // namespace ui
