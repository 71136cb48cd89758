// Binding tables: a page's bound controls as data. Every row names its control,
// the registry value it stands for and the rule that moves the value between the
// two; the rules are implemented once, in binding.cpp. Rows that fit no rule name
// a small load and save function of their own, kept beside their page.
#pragma once

#include "registry/registry.h"

#include <map>
#include <string>
#include <vector>

namespace ui {
class Component;
}

namespace pages {

// The recurring rules of the tweak pages.
enum class Rule {
    DwordFlag = 1,          // 1: checked when the integer is 1; saves DWORD 1 or 0
    InvertedDwordFlag = 2,  // 2: checked when the integer is not 1; saves DWORD 0 or 1
    TextFlag = 3,           // 3: checked when the text is "1"; saves REG_SZ "1" or "0"
    Presence = 4,           // 4: checked when the value (or key) exists; created or deleted
    RemovedPolicyFlag = 5,  // 5: loads as 1; saves DWORD 1 or deletes the value
    DefaultOrOwnNumber = 6, // 6: default button, or own-number button with a spin edit
    NumberAsText = 7,       // 7: spin edit whose number the registry keeps as decimal text
    YesNoText = 8,          // Y: checked unless the trimmed text is "no" in any case; saves "yes" or "No"
    Special = 0,            // the row's own load and save functions
};

struct BindingRow;

// A special row's load or save step. page is the form whose controls the row names.
using RowFunction = void (*)(ui::Component& page, const BindingRow& row);

// What rule 4 creates when its box is checked.
struct PresenceDetails {
    enum class Kind { Key, Dword, Text } kind = Kind::Dword;
    int number = 1;    // Kind::Dword
    std::string text;  // Kind::Text
};

struct BindingRow {
    // The bound control: the check box (rules 1-5), the spin edit (rule 7), the
    // default radio button (rule 6) or, for special rows, the control the row is about.
    std::string control;
    registry::RootKey root = nullptr;
    std::string key;
    std::string value;  // "" is the key's unnamed value
    Rule rule = Rule::Special;

    // Rule 6: the own-number radio button and its spin edit; whether only numbers
    // greater than 0 count as an own number (otherwise every number but 0 does).
    std::string ownButton;
    std::string spinEdit;
    bool positiveOnly = false;

    int defaultNumber = 0;     // rule 7: the number shown for an empty text
    PresenceDetails presence;  // rule 4

    // Special rows. A row without a save function is only loaded (and the other way round).
    RowFunction load = nullptr;
    RowFunction save = nullptr;

    // Rows are loaded in the order of their stage, and in table order within a stage;
    // saving always follows the table.
    int loadStage = 0;
};

using BindingTable = std::vector<BindingRow>;

// A row that follows one of the rules.
BindingRow BoundRow(const std::string& control, registry::RootKey root, const std::string& key,
                    const std::string& value, Rule rule);
// A row with its own load and save functions (either may be missing).
BindingRow SpecialRow(const std::string& control, registry::RootKey root, const std::string& key,
                      const std::string& value, RowFunction load, RowFunction save, int loadStage = 0);

// The rows whose reading failed, each with the change counts its controls had right
// after the failure. Such a row shows a number nobody chose (the form's default), so
// saving leaves its stored value alone until one of its controls is set again, by the
// user or by a wizard.
class LoadFailures {
public:
    void add(ui::Component& page, const BindingRow& row);
    // Whether saving leaves the row as stored: its reading failed and none of its
    // controls was set since.
    bool keepsStored(const ui::Component& page, const BindingRow& row) const;
    bool empty() const { return counts_.empty(); }
    // Whether a failed row binds the named control (as its control, own-number button
    // or spin edit): what such a control shows is no setting of this machine.
    bool bindsControl(const std::string& control) const;

private:
    std::map<const BindingRow*, std::vector<unsigned>> counts_;
};

// Reads every row into its control. A row whose reading raises a toolkit error
// (a stored text that is not a number) has its error shown by the application's
// general error handler, and the remaining rows still load. The failed rows are
// returned for SaveRows.
LoadFailures LoadRows(ui::Component& page, const BindingTable& table);

// Writes every row in table order, except the failed rows that LoadFailures keeps as
// stored. The first error ends the walk at that row and propagates to the caller;
// the rows after it are not written.
void SaveRows(ui::Component& page, const BindingTable& table, const LoadFailures& failures = {});

// Rule 6 each way, for special rows that add a choice of their own to it.
void LoadDefaultOrOwnNumber(ui::Component& page, const BindingRow& row);
void SaveDefaultOrOwnNumber(ui::Component& page, const BindingRow& row);

// One row each way (LoadRows and SaveRows use these).
void LoadRow(ui::Component& page, const BindingRow& row);
void SaveRow(ui::Component& page, const BindingRow& row);

}  // namespace pages
