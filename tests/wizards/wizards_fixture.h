// What the wizard tests share: the registry sandbox with the German texts, the files
// the driven pages read and write (sysoc.inf, win.ini, both startup folders) in the
// test's own folder, the machine's memory as the test chooses it, the wizard page
// created as the program creates it, and a registry that a user has lived in.
#pragma once

#include "autostart/autorun.h"
#include "harness/dialog_seam.h"
#include "harness/german_sandbox.h"
#include "harness/page_contract.h"
#include "harness/registry_sandbox.h"
#include "harness/temp_folder.h"
#include "language/language.h"
#include "pages/officexp_rows.h"
#include "registry/registry.h"
#include "ui/controls.h"
#include "ui/pagecontrol.h"
#include "wizards/assistenten_form.h"
#include "wizards/physical_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

namespace wizard_test {

inline const std::string kExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline const std::string kSystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline const std::string kDesktop = "Control Panel\\Desktop";
inline const std::string kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline const std::string kIEMain = "Software\\Microsoft\\Internet Explorer\\Main";
inline const std::string kIEToolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
inline const std::string kIERestrictions = "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
inline const std::string kIEControlPanel = "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";
inline const std::string kIECache = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";
inline const std::string kMemory = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
inline const std::string kServices = "SYSTEM\\CurrentControlSet\\Services\\";
inline const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline const std::string kUserList = kWinlogon + "\\SpecialAccounts\\UserList";
inline const std::string kMessengerPolicy = "Software\\Policies\\Microsoft\\Messenger\\Client";
inline const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

inline std::vector<BYTE> DwordBytes(DWORD number)
{
    return {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
            static_cast<BYTE>(number >> 24)};
}
inline void SetDword(HKEY root, const std::string& key, const std::string& name, DWORD number)
{
    WriteRawValue(root, key, name, REG_DWORD, DwordBytes(number));
}
inline void SetText(HKEY root, const std::string& key, const std::string& name, const std::string& text)
{
    WriteRawValue(root, key, name, REG_SZ, TextBytes(text));
}
// A DWORD value as a number; -1 when it is missing or of another kind.
inline long long DwordOf(HKEY root, const std::string& key, const std::string& name)
{
    const auto raw = ReadRawValue(root, key, name);
    if (!raw || raw->type != REG_DWORD || raw->data.size() != 4)
        return -1;
    return static_cast<long long>(raw->data[0] | raw->data[1] << 8 | raw->data[2] << 16 |
                                  static_cast<DWORD>(raw->data[3]) << 24);
}
// A string value's text; "(missing)" when there is none.
inline std::string TextOf(HKEY root, const std::string& key, const std::string& name)
{
    const auto raw = ReadRawValue(root, key, name);
    if (!raw)
        return "(missing)";
    std::string text(raw->data.begin(), raw->data.end());
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

inline std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The memory the machine reports, as each test sets it.
inline std::uint64_t& MemoryBytes()
{
    static std::uint64_t bytes = 511ull * 1024 * 1024;
    return bytes;
}
inline std::uint64_t ChosenMemory()
{
    return MemoryBytes();
}

inline std::string Describe(const std::optional<RawRegValue>& value)
{
    if (!value)
        return "(key)";
    std::ostringstream out;
    out << "type " << value->type << " [";
    for (BYTE b : value->data)
        out << ' ' << static_cast<int>(b);
    out << " ]";
    return out.str();
}

// The places where two snapshots differ, one line each; empty when they are the same.
inline std::string Differences(const testing_support::RegistrySnapshot& first,
                               const testing_support::RegistrySnapshot& second)
{
    std::ostringstream out;
    for (const auto& [place, value] : first) {
        const auto other = second.find(place);
        if (other == second.end())
            out << "only in the first: " << place << " = " << Describe(value) << "\n";
        else if (other->second.has_value() != value.has_value() ||
                 (value && (value->type != other->second->type || value->data != other->second->data)))
            out << place << ": first " << Describe(value) << ", then " << Describe(other->second) << "\n";
    }
    for (const auto& [place, value] : second)
        if (!first.count(place))
            out << "only in the second: " << place << " = " << Describe(value) << "\n";
    return out.str();
}

// Removes every key of the four sandboxed roots, so that a second run starts afresh.
inline void EmptyRegistry()
{
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS})
        for (const std::string& key : registry::RegSubkeyNames(root, ""))
            registry::RegKeyRemove(root, key);
}

}  // namespace wizard_test

class WizardTest : public GermanRegistrySandbox {
protected:
    void SetUp() override
    {
        GermanRegistrySandbox::SetUp();
        wizard_test::MemoryBytes() = 511ull * 1024 * 1024;
        previousProbe_ = wizards::SetPhysicalMemoryProbe(&wizard_test::ChosenMemory);
        windowsFolder = folder.makeDir("Windows");
        windowsFolder.pop_back();
        pages::officexp::SetWindowsFolder(windowsFolder);
        folder.makeDir("Windows\\inf");
        commonStartup = folder.makeDir("All Users Startup");
        commonStartup.pop_back();
        userStartup = folder.makeDir("User Startup");
        userStartup.pop_back();
        programFolder = folder.makeDir("Velmora");
        programFolder.pop_back();
        autostart::AutostartFileLocations() = {commonStartup, windowsFolder + "\\win.ini"};
        writeFiles();
        prepareUser();
    }

    void TearDown() override
    {
        destroyWizard();
        autostart::AutostartFileLocations() = {};
        pages::officexp::SetWindowsFolder("");
        wizards::SetPhysicalMemoryProbe(previousProbe_);
        GermanRegistrySandbox::TearDown();
    }

    // The files the pages work on, as a fresh system has them.
    void writeFiles() const
    {
        folder.file("Windows\\win.ini", "[windows]\r\nload=\r\nrun=\r\n");
        folder.file("Windows\\inf\\sysoc.inf", "[Components]\r\nmsmsgs=msgrocm.dll,OcEntry,msmsgs.inf,hide,7\r\n");
    }
    std::string sysocFile() const { return windowsFolder + "\\inf\\sysoc.inf"; }
    std::string winIni() const { return windowsFolder + "\\win.ini"; }

    // What every user has: his startup folder.
    void prepareUser() const
    {
        wizard_test::SetText(HKEY_CURRENT_USER, wizard_test::kShellFolders, "Startup", userStartup);
    }

    // A registry a user has lived in: many settings the other way round from what the
    // presets want, some already as they want them, services of every start type,
    // the Messenger and Office installed, automatic logon on.
    void prepareLivedInSystem() const;

    // The wizard page, created and localised as the main window creates it; its result
    // file goes to the test's program folder.
    wizards::TForm_Assistenten& openWizard()
    {
        destroyWizard();
        wizard = std::make_unique<wizards::TForm_Assistenten>();
        wizards::Form_Assistenten = wizard.get();
        language::LocalizeComponent(*wizard);
        wizard->setFolders(programFolder, "C:\\WINDOWS\\system32");
        return *wizard;
    }
    void destroyWizard()
    {
        wizards::Form_Assistenten = nullptr;
        wizard.reset();
    }

    ui::CheckBox& option(const std::string& name) const { return wizard->find<ui::CheckBox>(name); }
    void tick(std::initializer_list<const char*> names, bool ticked = true) const
    {
        for (const char* name : names)
            option(name).setChecked(ticked);
    }
    // Presses a wizard's "Assistent starten"; the questions take the answers scripted before.
    void start(const std::string& button) const { wizard->find<ui::Button>(button).click(); }

    std::vector<std::string> logLines() const { return wizard->Memo_Ergebniss().lines(); }

    testing_support::TempFolder folder;
    testing_support::ScriptedMessageBoxes boxes;
    std::string windowsFolder;
    std::string commonStartup;
    std::string userStartup;
    std::string programFolder;
    std::unique_ptr<wizards::TForm_Assistenten> wizard;

private:
    wizards::PhysicalMemoryProbe previousProbe_ = nullptr;
};
