#include "profiles/page_settings.h"

#include "language/language.h"
#include "profiles/profile_texts.h"
#include "pages/system_rows.h"
#include "profiles/settings_pages.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/listview.h"
#include "ui/spinedit.h"
#include "ui/virtual_tree.h"
#include "wizards/wizard_steps.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <set>
#include <utility>

namespace profiles {

using language::LangString;

namespace {

// Controls of the settings pages that a profile leaves out, by form: inputs of
// buttons that act at once, lists that cannot move between machines, and passwords.
const std::set<std::pair<std::string, std::string>>& LeftOut()
{
    static const std::set<std::pair<std::string, std::string>> leftOut{
        // The shell folders name this user's folders; "Setzen" writes each one at once.
        {"Form_System", "Dirs_Favorites"},
        {"Form_System", "Dirs_Personal"},
        {"Form_System", "Dirs_Startmenu"},
        {"Form_System", "Dirs_Programs"},
        {"Form_System", "Dirs_Startup"},
        {"Form_System", "Dirs_Templates"},
        {"Form_System", "Dirs_SendTo"},
        // The account that "Entfernen" takes off the list of hidden accounts.
        {"Form_Anmelden", "Edit_User"},
        // The automatic logon's password stays on the machine it was typed on.
        {"Form_Anmelden", "Edit_Kennwort"},
        // The autostart programs name files of this machine; the page writes them itself.
        {"Form_Autorun", "VirtualDrawTree_Autorun"},
        {"Form_Autorun", "Edit_AutoRunNAME"},
        {"Form_Autorun", "Edit_AutoRunCOMMAND"},
        // The account has a check box of its own on the page, which saving writes last.
        {"Form_Anmelden", "ListView_UserList[Administrator]"},
        // The installed programs are this machine's; "Entfernen" acts at once.
        {"Form_Sonstige", "ListView_Uninstall"},
        // A hidden helper of the support text, not a setting.
        {"Form_Sonstige", "Memo_oem_dummy"},
        // Chooses what "Einstellen" puts into the fields; saving does not read it.
        {"Form_InternetTuner", "ComboBox_OPTIMIZEFOR"},
        // The Messenger background is changed by its own button at once.
        {"Form_OfficeXP", "Edit_lvBack"},
    };
    return leftOut;
}

// Check boxes that only let saving write another control ("change this service's
// start", "change the applets"): no setting of their own. Applying a guarded control
// ticks its guard, as the user does before changing it.
struct Guard {
    std::string form;
    std::string guard;
    std::string guarded;  // a control, or a list whose entries it guards
};

const std::vector<Guard>& Guards()
{
    static const std::vector<Guard> guards = [] {
        std::vector<Guard> all{{"Form_System", "CheckBox_CPL", "VirtualDrawTree_CPL"}};
        for (const auto& service : pages::system::kServices)
            all.push_back({"Form_System", std::string("CheckBox_") + service.name, std::string("ComboBox_") + service.name});
        return all;
    }();
    return guards;
}

bool IsGuard(const ui::Form& page, const std::string& name)
{
    return std::any_of(Guards().begin(), Guards().end(),
                       [&](const Guard& guard) { return guard.form == page.name() && guard.guard == name; });
}

// Whether a profile can set the control here: it is enabled, or its guard is, which
// enables it when ticked.
bool Usable(const ui::Form& page, const ui::Control& control)
{
    if (control.enabled())
        return true;
    for (const Guard& guard : Guards())
        if (guard.form == page.name() && guard.guarded == control.name())
            if (auto* box = dynamic_cast<const ui::Control*>(page.findComponent(guard.guard)))
                return box->enabled();
    return false;
}

// A service's list on the System page offers what to do, not what is: its state in a
// profile is the item of the service's start type now (nothing for a start type of
// its own), and applying changes the start type only where it differs.
std::optional<std::string> ServiceName(const ui::Form& page, const std::string& name)
{
    if (page.name() != "Form_System")
        return std::nullopt;
    for (const auto& service : pages::system::kServices)
        if (name == std::string("ComboBox_") + service.name)
            return std::string(service.name);
    return std::nullopt;
}

std::optional<std::string> ServiceState(const ui::Form& page, const std::string& service)
{
    int index = -1;
    try {
        index = pages::system::ServiceStartIndex(service);
    } catch (const std::exception&) {
        // A start value that is no number: a start type of its own.
    }
    const auto* combo = dynamic_cast<const ui::ComboBox*>(page.findComponent("ComboBox_" + service));
    if (!combo || index < 0 || index >= combo->itemCount())
        return std::nullopt;
    return combo->items()[static_cast<std::size_t>(index)];
}

bool HasCheckBoxes(const ui::ListView& list)
{
    return (ListView_GetExtendedListViewStyle(list.handle()) & LVS_EX_CHECKBOXES) != 0;
}

bool IsPasswordEdit(const ui::Edit& edit)
{
    return edit.passwordChar() != 0;
}

// Whether the control is one a profile can hold, by its kind (any state).
bool HoldsSetting(const ui::Form& page, const ui::Control& control)
{
    if (control.name().empty() || LeftOut().count({page.name(), control.name()}) || IsGuard(page, control.name()))
        return false;
    if (auto* edit = dynamic_cast<const ui::Edit*>(&control))
        return !IsPasswordEdit(*edit);
    if (auto* list = dynamic_cast<const ui::ListView*>(&control))
        return HasCheckBoxes(*list);
    return dynamic_cast<const ui::CheckBox*>(&control) || dynamic_cast<const ui::RadioButton*>(&control) ||
           dynamic_cast<const ui::SpinEdit*>(&control) || dynamic_cast<const ui::ComboBox*>(&control) ||
           dynamic_cast<const ui::VirtualTree*>(&control);
}

void CollectControls(const ui::Form& page, const ui::Component& owner, std::vector<ui::Control*>& controls)
{
    for (ui::Component* component : owner.components()) {
        if (auto* control = dynamic_cast<ui::Control*>(component); control && HoldsSetting(page, *control))
            controls.push_back(control);
        CollectControls(page, *component, controls);
    }
}

// "List[entry]": the list's name and the entry; nothing for a plain name.
struct EntryName {
    std::string list;
    std::string entry;
};

std::optional<EntryName> SplitEntry(const std::string& name)
{
    const std::size_t open = name.find('[');
    if (open == std::string::npos || open == 0 || name.back() != ']')
        return std::nullopt;
    return EntryName{name.substr(0, open), name.substr(open + 1, name.size() - open - 2)};
}

std::string EntryLineName(const std::string& list, const std::string& entry)
{
    return list + "[" + entry + "]";
}

int ListEntry(const ui::ListView& list, const std::string& entry)
{
    for (int index = 0; index < list.itemCount(); ++index)
        if (list.caption(index) == entry)
            return index;
    return -1;
}

std::vector<ui::TreeNode> CheckNodes(const ui::VirtualTree& tree)
{
    std::vector<ui::TreeNode> nodes;
    for (ui::TreeNode node : tree.allNodes())
        if (tree.checkType(node) == ui::CheckType::CheckBox)
            nodes.push_back(node);
    return nodes;
}

ui::TreeNode TreeEntry(const ui::VirtualTree& tree, const std::string& entry)
{
    for (ui::TreeNode node : CheckNodes(tree))
        if (tree.text(node) == entry)
            return node;
    return nullptr;
}

// The profile's control of that name on the page, or nullptr.
ui::Control* ProfileControl(const ui::Form& page, const std::string& name)
{
    auto* control = dynamic_cast<ui::Control*>(page.findComponent(name));
    // The page's name search ignores letter case; a profile names a control exactly.
    return control && control->name() == name && HoldsSetting(page, *control) ? control : nullptr;
}

bool IsList(const ui::Control& control)
{
    return dynamic_cast<const ui::ListView*>(&control) || dynamic_cast<const ui::VirtualTree*>(&control);
}

std::string OnOff(bool on)
{
    return on ? "1" : "0";
}

// A decimal number and nothing else, within int.
std::optional<int> Number(const std::string& text)
{
    if (text.empty() || text.size() > 11)
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX ||
        !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-'))
        return std::nullopt;
    return static_cast<int>(value);
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

SettingVerdict Bad(int text, const std::string& state)
{
    return {SettingCheck::BadState, LangString(text) + " " + Quoted(state)};
}

// The state of a plain control (not a list) as the profile writes it.
std::string StateOf(const ui::Control& control)
{
    if (auto* box = dynamic_cast<const ui::CheckBox*>(&control))
        return OnOff(box->checked());
    if (auto* radio = dynamic_cast<const ui::RadioButton*>(&control))
        return OnOff(radio->checked());
    if (auto* spin = dynamic_cast<const ui::SpinEdit*>(&control))
        return std::to_string(spin->value());
    if (auto* combo = dynamic_cast<const ui::ComboBox*>(&control))
        return combo->text();
    if (auto* edit = dynamic_cast<const ui::Edit*>(&control))
        return edit->text();
    return {};
}

// The caption a user reads beside a control without one of its own: its label (the
// captioned control created just before it on the same parent).
std::string FieldLabel(const ui::Control& control)
{
    if (auto* bound = const_cast<ui::Control&>(control).boundLabel())
        return bound->caption();
    const ui::Component* owner = control.owner();
    if (!owner)
        return {};
    const std::vector<ui::Component*> siblings = owner->components();
    auto at = std::find(siblings.begin(), siblings.end(), &control);
    while (at != siblings.begin()) {
        --at;
        if ((dynamic_cast<ui::Label*>(*at) || dynamic_cast<ui::CheckableButton*>(*at)) && !(*at)->caption().empty())
            return (*at)->caption();
    }
    if (owner->hasCaption())
        return owner->caption();
    return {};
}

std::string ControlCaption(const ui::Control& control)
{
    const std::string caption =
        dynamic_cast<const ui::CheckableButton*>(&control) ? control.caption() : FieldLabel(control);
    const std::string shown = wizards::ShownText(caption);
    return shown.empty() ? control.name() : shown;
}

}  // namespace

std::vector<SettingState> ReadSettings(OpenedPage& opened)
{
    std::vector<ui::Control*> controls;
    CollectControls(opened.form(), opened.form(), controls);
    std::vector<SettingState> settings;
    const ui::Form& page = opened.form();
    auto addEntry = [&](const std::string& list, const std::string& entry, bool on) {
        const std::string name = EntryLineName(list, entry);
        if (!LeftOut().count({page.name(), name}))
            settings.push_back({name, OnOff(on)});
    };
    for (ui::Control* control : controls) {
        if (!Usable(page, *control) || opened.readFailed(control->name()))
            continue;
        if (auto* list = dynamic_cast<ui::ListView*>(control)) {
            for (int index = 0; index < list->itemCount(); ++index)
                addEntry(list->name(), list->caption(index), list->checked(index));
        } else if (auto* tree = dynamic_cast<ui::VirtualTree*>(control)) {
            for (ui::TreeNode node : CheckNodes(*tree))
                addEntry(tree->name(), tree->text(node), tree->checkState(node) == ui::CheckState::Checked);
        } else if (const std::optional<std::string> service = ServiceName(page, control->name())) {
            if (const std::optional<std::string> state = ServiceState(page, *service))
                settings.push_back({control->name(), *state});
        } else {
            settings.push_back({control->name(), StateOf(*control)});
        }
    }
    return settings;
}

SettingVerdict CheckSetting(const ui::Form& page, const std::string& name, const std::string& state)
{
    if (const std::optional<EntryName> entry = SplitEntry(name)) {
        const ui::Control* list = ProfileControl(page, entry->list);
        if (!list || !IsList(*list) || LeftOut().count({page.name(), name}))
            return {SettingCheck::Unknown, LangString(kUnknownControl) + " " + Quoted(name)};
        if (state != "1" && state != "0")
            return Bad(kNotOnOrOff, state);
        if (!Usable(page, *list))
            return {SettingCheck::NotHere, {}};
        const auto* listView = dynamic_cast<const ui::ListView*>(list);
        const bool present = listView ? ListEntry(*listView, entry->entry) >= 0
                                      : TreeEntry(dynamic_cast<const ui::VirtualTree&>(*list), entry->entry) != nullptr;
        return {present ? SettingCheck::Sound : SettingCheck::NotHere, {}};
    }
    const ui::Control* control = ProfileControl(page, name);
    if (!control || IsList(*control))
        return {SettingCheck::Unknown, LangString(kUnknownControl) + " " + Quoted(name)};
    if (dynamic_cast<const ui::CheckableButton*>(control)) {
        if (state != "1" && state != "0")
            return Bad(kNotOnOrOff, state);
    } else if (auto* spin = dynamic_cast<const ui::SpinEdit*>(control)) {
        const std::optional<int> number = Number(state);
        if (!number)
            return Bad(kNoNumber, state);
        if (*number < spin->minValue() || *number > spin->maxValue())
            return {SettingCheck::BadState, LangString(kOutOfRange) + " " + std::to_string(spin->minValue()) + "-" +
                                                std::to_string(spin->maxValue()) + ": " + state};
    } else if (auto* combo = dynamic_cast<const ui::ComboBox*>(control)) {
        const std::vector<std::string> items = combo->items();
        if (combo->style() == ui::ComboStyle::DropDownList && std::find(items.begin(), items.end(), state) == items.end())
            return Bad(kNotAnItem, state);
    }
    return {Usable(page, *control) ? SettingCheck::Sound : SettingCheck::NotHere, {}};
}

std::optional<std::string> CurrentState(const ui::Form& page, const std::string& name)
{
    if (const std::optional<EntryName> entry = SplitEntry(name)) {
        const ui::Control* list = ProfileControl(page, entry->list);
        if (!list || !Usable(page, *list))
            return std::nullopt;
        if (auto* listView = dynamic_cast<const ui::ListView*>(list)) {
            const int index = ListEntry(*listView, entry->entry);
            return index >= 0 ? std::optional<std::string>(OnOff(listView->checked(index))) : std::nullopt;
        }
        if (auto* tree = dynamic_cast<const ui::VirtualTree*>(list)) {
            const ui::TreeNode node = TreeEntry(*tree, entry->entry);
            return node ? std::optional<std::string>(OnOff(tree->checkState(node) == ui::CheckState::Checked))
                        : std::nullopt;
        }
        return std::nullopt;
    }
    const ui::Control* control = ProfileControl(page, name);
    if (!control || !Usable(page, *control) || IsList(*control))
        return std::nullopt;
    if (const std::optional<std::string> service = ServiceName(page, name))
        return ServiceState(page, *service).value_or(std::string());
    return StateOf(*control);
}

void ApplySetting(ui::Form& page, const std::string& name, const std::string& state)
{
    const bool on = state == "1";
    if (const std::optional<std::string> service = ServiceName(page, name); service && ServiceState(page, *service) == state)
        return;  // the service starts so already
    const std::optional<EntryName> entry = SplitEntry(name);
    const std::string controlName = entry ? entry->list : name;
    for (const Guard& guard : Guards())
        if (guard.form == page.name() && guard.guarded == controlName)
            if (auto* box = dynamic_cast<ui::CheckBox*>(page.findComponent(guard.guard)); box && box->enabled())
                box->setChecked(true);
    ui::Control* control = ProfileControl(page, controlName);
    if (!control || !control->enabled())
        return;
    // Every setting is set, also to the state it shows: a control whose stored value
    // could not be read shows a default, and only a control that was set is saved.
    if (entry) {
        if (auto* listView = dynamic_cast<ui::ListView*>(control)) {
            if (const int index = ListEntry(*listView, entry->entry); index >= 0)
                listView->setChecked(index, on);
        } else if (auto* tree = dynamic_cast<ui::VirtualTree*>(control)) {
            if (const ui::TreeNode node = TreeEntry(*tree, entry->entry))
                tree->setCheckState(node, on ? ui::CheckState::Checked : ui::CheckState::Unchecked);
        }
    } else if (auto* box = dynamic_cast<ui::CheckBox*>(control)) {
        box->setChecked(on);
    } else if (auto* radio = dynamic_cast<ui::RadioButton*>(control)) {
        if (on)
            radio->setChecked(true);
    } else if (auto* spin = dynamic_cast<ui::SpinEdit*>(control)) {
        if (const std::optional<int> number = Number(state))
            spin->setValue(*number);
    } else if (auto* combo = dynamic_cast<ui::ComboBox*>(control)) {
        const std::vector<std::string> items = combo->items();
        const auto item = std::find(items.begin(), items.end(), state);
        if (item != items.end())
            combo->setItemIndex(static_cast<int>(item - items.begin()));
        else
            combo->setText(state);
    } else if (auto* edit = dynamic_cast<ui::Edit*>(control)) {
        edit->setText(state);
    }
}

std::string SettingCaption(const ui::Form& page, const std::string& name)
{
    if (const std::optional<EntryName> entry = SplitEntry(name)) {
        const ui::Control* list = ProfileControl(page, entry->list);
        return (list ? ControlCaption(*list) : entry->list) + ": " + entry->entry;
    }
    const ui::Control* control = ProfileControl(page, name);
    return control ? ControlCaption(*control) : name;
}

std::string ShownState(const ui::Form& page, const std::string& name, const std::string& state)
{
    const ui::Control* control = ProfileControl(page, SplitEntry(name) ? SplitEntry(name)->list : name);
    const bool onOff = control && (IsList(*control) || dynamic_cast<const ui::CheckableButton*>(control));
    if (onOff)
        return LangString(state == "1" ? kStateOn : kStateOff);
    if (state.empty())
        return LangString(kEmptyText);
    return state;
}

}  // namespace profiles
