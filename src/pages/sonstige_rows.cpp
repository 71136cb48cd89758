#include "pages/sonstige_rows.h"

#include "pages/sonstige_form.h"
#include "registry/helpers.h"
#include "ui/controls.h"
#include "ui/image.h"

namespace pages::sonstige {

using namespace registry;

namespace {

std::string systemFolder;

constexpr const char* kGeneral = "General";
constexpr const char* kSupport = "Support Information";

// --- Registered owner and organisation --------------------------------------------------

void LoadRegisteredText(ui::Component& page, const BindingRow& row)
{
    const std::string text = RegReadText(row.root, row.key, row.value);
    if (!text.empty())
        page.find<ui::Edit>(row.control).setText(text);
}

// An empty edit leaves the stored text; an existing value keeps its kind.
void SaveRegisteredText(ui::Component& page, const BindingRow& row)
{
    const std::string text = page.find<ui::Edit>(row.control).text();
    if (!text.empty())
        RegUpdateText(row.root, row.key, row.value, text);
}

// --- The OEM files --------------------------------------------------------------------

// oeminfo.ini may be read-only, hidden or a system file: saving clears that first.
void ClearOemInfoAttributes(ui::Component&, const BindingRow&)
{
    helpers::ClearFileAttributes(OemInfoFile());
}

void CreateOemInfoFile(ui::Component&, const BindingRow&)
{
    if (!helpers::FileExists(OemInfoFile()))
        helpers::WriteFileBytes(OemInfoFile(), "");
}

void LoadLogo(ui::Component& page, const BindingRow&)
{
    auto* form = dynamic_cast<TForm_Sonstige*>(&page);
    if (form && helpers::FileExists(OemLogoFile()))
        form->loadLogo(OemLogoFile());
}

void SaveLogo(ui::Component& page, const BindingRow&)
{
    auto* form = dynamic_cast<TForm_Sonstige*>(&page);
    if (!form)
        return;
    const ui::Image& logo = form->Image_Oemlogo();
    if (logo.hasPicture())
        helpers::WriteFileBytes(OemLogoFile(), logo.bitmapFileBytes());
    else if (helpers::FileExists(OemLogoFile()) && !form->logoKeptUnread())
        helpers::RecycleFile(OemLogoFile());
}

void LoadOemText(ui::Component& page, const BindingRow& row)
{
    auto& edit = page.find<ui::Edit>(row.control);
    edit.setText("");
    if (!helpers::FileExists(OemInfoFile()))
        return;
    const std::string text = helpers::ReadIniText(OemInfoFile(), kGeneral, row.value);
    if (!text.empty())
        edit.setText(text);
}

void SaveOemText(ui::Component& page, const BindingRow& row)
{
    const std::string text = page.find<ui::Edit>(row.control).text();
    if (!text.empty())
        helpers::WriteIniText(OemInfoFile(), kGeneral, row.value, text);
}

// Every entry of the support section is one line: the text after its first "=".
void LoadSupportText(ui::Component& page, const BindingRow& row)
{
    auto& memo = page.find<ui::Memo>(row.control);
    memo.setText("");
    if (!helpers::FileExists(OemInfoFile()))
        return;
    std::vector<std::string> lines;
    for (const std::string& entry : helpers::ReadIniSection(OemInfoFile(), kSupport)) {
        const auto equals = entry.find('=');
        lines.push_back(equals == std::string::npos ? std::string{} : entry.substr(equals + 1));
    }
    memo.setLines(lines);
}

// The section is written anew: Line1, Line2, ... for the memo's lines, nothing else.
void SaveSupportText(ui::Component& page, const BindingRow& row)
{
    const std::string file = OemInfoFile();
    helpers::EraseIniSection(file, kSupport);
    const std::vector<std::string> lines = page.find<ui::Memo>(row.control).lines();
    for (std::size_t index = 0; index < lines.size(); ++index)
        helpers::WriteIniText(file, kSupport, "Line" + std::to_string(index + 1), lines[index]);
}

BindingTable BuildTable()
{
    BindingTable table;
    table.push_back(
        SpecialRow("Edit_User", HKLM, kCurrentVersionKey, "RegisteredOwner", LoadRegisteredText, SaveRegisteredText));
    table.push_back(SpecialRow("Edit_Firma", HKLM, kCurrentVersionKey, "RegisteredOrganization", LoadRegisteredText,
                               SaveRegisteredText));
    // The file rows have no registry place.
    table.push_back(SpecialRow("Memo_oem_dummy", nullptr, "", "", nullptr, ClearOemInfoAttributes));
    table.push_back(SpecialRow("Image_Oemlogo", nullptr, "", "", LoadLogo, SaveLogo));
    table.push_back(SpecialRow("Memo_oem_dummy", nullptr, "", "", nullptr, CreateOemInfoFile));
    table.push_back(SpecialRow("Edit_Oem1", nullptr, "", "Manufacturer", LoadOemText, SaveOemText));
    table.push_back(SpecialRow("Edit_Oem2", nullptr, "", "Model", LoadOemText, SaveOemText));
    table.push_back(SpecialRow("Memo_OEM", nullptr, "", "", LoadSupportText, SaveSupportText));
    return table;
}

}  // namespace

std::string SystemFolder()
{
    if (!systemFolder.empty())
        return systemFolder;
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string{};
}

void SetSystemFolder(const std::string& folder)
{
    systemFolder = folder;
}

std::string OemInfoFile()
{
    return SystemFolder() + "\\oeminfo.ini";
}

std::string OemLogoFile()
{
    return SystemFolder() + "\\oemlogo.bmp";
}

std::vector<InstalledProgram> InstalledPrograms()
{
    std::vector<InstalledProgram> programs;
    for (const std::string& subkey : RegSubkeyNames(HKLM, kUninstallKey)) {
        const std::string key = kUninstallKey + "\\" + subkey;
        InstalledProgram program{RegReadText(HKLM, key, "DisplayName"), RegReadText(HKLM, key, "UninstallString"),
                                 subkey};
        if (!program.displayName.empty())
            programs.push_back(std::move(program));
    }
    return programs;
}

const BindingTable& SonstigeBindingTable()
{
    static const BindingTable table = BuildTable();
    return table;
}

}  // namespace pages::sonstige
