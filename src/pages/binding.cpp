#include "pages/binding.h"

#include "registry/control_binding.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/controls.h"
#include "ui/convert.h"
#include "ui/errors.h"
#include "ui/spinedit.h"

#include <algorithm>

namespace pages {

using namespace registry;

namespace {

ui::CheckBox& BoxOf(ui::Component& page, const BindingRow& row)
{
    return page.find<ui::CheckBox>(row.control);
}

void WriteFlagText(const BindingRow& row, bool checked)
{
    RegWriteText(row.root, row.key, row.value, checked ? "1" : "0");
}

bool Present(const BindingRow& row)
{
    if (row.presence.kind == PresenceDetails::Kind::Key)
        return RegKeyExists(row.root, row.key);
    return RegValueExists(row.root, row.key, row.value);
}

void CreatePresent(const BindingRow& row)
{
    switch (row.presence.kind) {
    case PresenceDetails::Kind::Key:
        RegKeyEnsure(row.root, row.key);
        break;
    case PresenceDetails::Kind::Dword:
        RegWriteInt(row.root, row.key, row.value, row.presence.number);
        break;
    case PresenceDetails::Kind::Text:
        RegWriteText(row.root, row.key, row.value, row.presence.text);
        break;
    }
}

void RemovePresent(const BindingRow& row)
{
    if (row.presence.kind == PresenceDetails::Kind::Key)
        RegKeyRemove(row.root, row.key);
    else
        RegValueRemove(row.root, row.key, row.value);
}

void LoadNumberText(ui::Component& page, const BindingRow& row)
{
    const std::string text = RegReadText(row.root, row.key, row.value);
    page.find<ui::SpinEdit>(row.control).setValue(text.empty() ? row.defaultNumber : ui::StrToInt(text));
}

}  // namespace

void LoadDefaultOrOwnNumber(ui::Component& page, const BindingRow& row)
{
    page.find<ui::RadioButton>(row.control).setChecked(true);
    if (!RegValueExists(row.root, row.key, row.value))
        return;
    const int number = RegReadInt(row.root, row.key, row.value);
    if (row.positiveOnly ? number > 0 : number != 0) {
        page.find<ui::SpinEdit>(row.spinEdit).setValue(number);
        page.find<ui::RadioButton>(row.ownButton).setChecked(true);
    }
}

void SaveDefaultOrOwnNumber(ui::Component& page, const BindingRow& row)
{
    if (page.find<ui::RadioButton>(row.control).checked())
        RegValueRemove(row.root, row.key, row.value);
    else if (page.find<ui::RadioButton>(row.ownButton).checked())
        RegWriteInt(row.root, row.key, row.value, page.find<ui::SpinEdit>(row.spinEdit).value());
}

void LoadRow(ui::Component& page, const BindingRow& row)
{
    switch (row.rule) {
    case Rule::DwordFlag:
    case Rule::RemovedPolicyFlag:
        helpers::LoadCheckFlag(BoxOf(page, row), row.root, row.key, row.value);
        break;
    case Rule::InvertedDwordFlag:
        BoxOf(page, row).setChecked(!RegValueMatchesInt(row.root, row.key, row.value, 1));
        break;
    case Rule::TextFlag:
        BoxOf(page, row).setChecked(RegValueMatchesText(row.root, row.key, row.value, "1"));
        break;
    case Rule::Presence:
        BoxOf(page, row).setChecked(Present(row));
        break;
    case Rule::DefaultOrOwnNumber:
        LoadDefaultOrOwnNumber(page, row);
        break;
    case Rule::NumberAsText:
        LoadNumberText(page, row);
        break;
    case Rule::YesNoText:
        // A missing value reads as the empty text and so checks the box.
        BoxOf(page, row).setChecked(ui::UpperCase(ui::Trim(RegReadText(row.root, row.key, row.value))) != "NO");
        break;
    case Rule::Special:
        if (row.load)
            row.load(page, row);
        break;
    }
}

void SaveRow(ui::Component& page, const BindingRow& row)
{
    switch (row.rule) {
    case Rule::DwordFlag:
        helpers::SaveCheckFlag(BoxOf(page, row), row.root, row.key, row.value);
        break;
    case Rule::InvertedDwordFlag:
        RegWriteInt(row.root, row.key, row.value, BoxOf(page, row).checked() ? 0 : 1);
        break;
    case Rule::TextFlag:
        WriteFlagText(row, BoxOf(page, row).checked());
        break;
    case Rule::Presence:
        if (BoxOf(page, row).checked())
            CreatePresent(row);
        else
            RemovePresent(row);
        break;
    case Rule::RemovedPolicyFlag:
        if (BoxOf(page, row).checked())
            RegWriteInt(row.root, row.key, row.value, 1);
        else
            RegValueRemove(row.root, row.key, row.value);
        break;
    case Rule::DefaultOrOwnNumber:
        SaveDefaultOrOwnNumber(page, row);
        break;
    case Rule::NumberAsText:
        RegWriteText(row.root, row.key, row.value, std::to_string(page.find<ui::SpinEdit>(row.control).value()));
        break;
    case Rule::YesNoText:
        RegWriteText(row.root, row.key, row.value, BoxOf(page, row).checked() ? "yes" : "No");
        break;
    case Rule::Special:
        if (row.save)
            row.save(page, row);
        break;
    }
}

namespace {

// The controls a row reads into: its control and, for rule 6, the own-number button
// and its spin edit.
std::vector<const ui::Control*> ControlsOf(const ui::Component& page, const BindingRow& row)
{
    std::vector<const ui::Control*> controls;
    for (const std::string* name : {&row.control, &row.ownButton, &row.spinEdit})
        if (!name->empty())
            if (auto* control = dynamic_cast<const ui::Control*>(page.findComponent(*name)))
                controls.push_back(control);
    return controls;
}

std::vector<unsigned> ChangeCounts(const ui::Component& page, const BindingRow& row)
{
    std::vector<unsigned> counts;
    for (const ui::Control* control : ControlsOf(page, row))
        counts.push_back(control->changeCount());
    return counts;
}

}  // namespace

void LoadFailures::add(ui::Component& page, const BindingRow& row)
{
    counts_[&row] = ChangeCounts(page, row);
}

bool LoadFailures::keepsStored(const ui::Component& page, const BindingRow& row) const
{
    const auto failed = counts_.find(&row);
    return failed != counts_.end() && failed->second == ChangeCounts(page, row);
}

bool LoadFailures::bindsControl(const std::string& control) const
{
    for (const auto& [row, counts] : counts_)
        if (row->control == control || row->ownButton == control || row->spinEdit == control)
            return true;
    return false;
}

LoadFailures LoadRows(ui::Component& page, const BindingTable& table)
{
    LoadFailures failures;
    std::vector<const BindingRow*> order;
    for (const BindingRow& row : table)
        order.push_back(&row);
    std::stable_sort(order.begin(), order.end(),
                     [](const BindingRow* a, const BindingRow* b) { return a->loadStage < b->loadStage; });
    for (const BindingRow* row : order) {
        // A value that cannot be read is reported, and the rows after it still load, so
        // that a later "Ok" does not write the form's defaults over values never read.
        try {
            LoadRow(page, *row);
        } catch (const ui::Exception& error) {
            failures.add(page, *row);
            ui::App().showException(error);
        }
    }
    return failures;
}

void SaveRows(ui::Component& page, const BindingTable& table, const LoadFailures& failures)
{
    for (const BindingRow& row : table)
        if (!failures.keepsStored(page, row))
            SaveRow(page, row);
}

BindingRow BoundRow(const std::string& control, registry::RootKey root, const std::string& key,
                    const std::string& value, Rule rule)
{
    BindingRow row;
    row.control = control;
    row.root = root;
    row.key = key;
    row.value = value;
    row.rule = rule;
    return row;
}

BindingRow SpecialRow(const std::string& control, registry::RootKey root, const std::string& key,
                      const std::string& value, RowFunction load, RowFunction save, int loadStage)
{
    BindingRow row = BoundRow(control, root, key, value, Rule::Special);
    row.load = load;
    row.save = save;
    row.loadStage = loadStage;
    return row;
}

}  // namespace pages
