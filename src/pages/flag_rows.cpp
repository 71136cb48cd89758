#include "pages/flag_rows.h"

#include "registry/control_binding.h"
#include "registry/registry.h"
#include "ui/controls.h"

namespace pages {

using namespace registry;

namespace {

ui::CheckBox& BoxOf(ui::Component& page, const BindingRow& row)
{
    return page.find<ui::CheckBox>(row.control);
}

}  // namespace

void LoadZeroFlag(ui::Component& page, const BindingRow& row)
{
    const bool zero = RegValueExists(row.root, row.key, row.value) && RegReadInt(row.root, row.key, row.value) == 0;
    BoxOf(page, row).setChecked(zero);
}

void SaveZeroFlag(ui::Component& page, const BindingRow& row)
{
    RegWriteInt(row.root, row.key, row.value, BoxOf(page, row).checked() ? 0 : 1);
}

void LoadFlagUnlessZero(ui::Component& page, const BindingRow& row)
{
    const bool off = RegValueExists(row.root, row.key, row.value) && RegReadInt(row.root, row.key, row.value) == 0;
    BoxOf(page, row).setChecked(!off);
}

void SaveDwordFlag(ui::Component& page, const BindingRow& row)
{
    helpers::SaveCheckFlag(BoxOf(page, row), row.root, row.key, row.value);
}

}  // namespace pages
