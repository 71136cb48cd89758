// What the autostart tests share: the registry sandbox with the German texts, both
// startup folders and win.ini as files of the test's own temporary folder, the page
// opened as the program opens it, links made by the shell, and a look into the
// Recycle Bin.
#pragma once

#include "autostart/autorun.h"
#include "autostart/autorun_form.h"
#include "components/shortcut_link.h"
#include "harness/dialog_seam.h"
#include "harness/german_sandbox.h"
#include "harness/registry_sandbox.h"
#include "harness/temp_folder.h"
#include "language/language.h"
#include "ui/controls.h"
#include "ui/drawn_list.h"
#include "ui/single_instance.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

inline const std::string kHklmRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string kHkcuRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string kHkcuRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline const std::string kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The names the Recycle Bin shows for what it holds.
std::vector<std::string> RecycleBinNames();
// Whether the Recycle Bin holds a file of that name (its link extension may be hidden).
bool InRecycleBin(const std::string& fileName);

// The bytes of a file; nothing when it is missing.
inline std::optional<std::string> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The page while a test uses it, created and localised as the program creates it.
class OpenedPage {
public:
    OpenedPage() : page_(std::make_unique<autostart::TForm_Autorun>()), scope_(autostart::Form_Autorun, *page_)
    {
        language::LocalizeComponent(*page_);
    }
    autostart::TForm_Autorun* operator->() const { return page_.get(); }
    autostart::TForm_Autorun& operator*() const { return *page_; }

private:
    std::unique_ptr<autostart::TForm_Autorun> page_;
    ui::SingleInstanceScope<autostart::TForm_Autorun> scope_;
};

class AutostartTest : public GermanRegistrySandbox {
protected:
    void SetUp() override
    {
        GermanRegistrySandbox::SetUp();
        commonFolder = temp.makeDir("All Users Startup");
        userFolder = temp.makeDir("User Startup");
        iniFile = temp.file("win.ini", "[windows]\r\nload=C:\\notload.exe\r\nrun=C:\\notrun.exe\r\n");
        // The folders as the shell and the registry spell them: without the trailing backslash.
        commonFolder.pop_back();
        userFolder.pop_back();
        autostart::AutostartFileLocations() = {commonFolder, iniFile};
        WriteRawValue(HKEY_CURRENT_USER, kShellFolders, "StartUp", REG_SZ, TextBytes(userFolder));
    }

    void TearDown() override
    {
        autostart::AutostartFileLocations() = {};
        GermanRegistrySandbox::TearDown();
    }

    // A link the shell writes, to target.
    static void MakeLink(const std::string& file, const std::string& target, const std::string& arguments = {})
    {
        components::TShortcutLink link;
        link.setShortcutFile(file);
        link.setTarget(target);
        link.setArguments(arguments);
        link.WriteLink();
    }

    // A file name no earlier test run left in the Recycle Bin.
    std::string unique(const std::string& base) const
    {
        const std::string folder = temp.path().substr(0, temp.path().size() - 1);
        return base + " " + folder.substr(folder.find_last_of('\\') + 1) + ".lnk";
    }

    // A file of the temporary folder standing for a program.
    std::string program(const std::string& name) const { return temp.file("Programs\\" + name, "MZ"); }

    void writeIni(const std::string& contents) const { temp.file("win.ini", contents); }

    // The index of the row whose entry has the name; -1 when there is none.
    static int RowNamed(autostart::TForm_Autorun& page, const std::string& name)
    {
        autostart::AutostartManager& list = page.autostart();
        for (int row = 0; row < list.rowCount(); ++row)
            if (list.row(row)->entry.Name == name)
                return row;
        return -1;
    }

    static const autostart::AutostartEntry& EntryNamed(autostart::TForm_Autorun& page, const std::string& name)
    {
        const int row = RowNamed(page, name);
        EXPECT_GE(row, 0) << "no row named " << name;
        static const autostart::AutostartEntry none;
        return row >= 0 ? page.autostart().row(row)->entry : none;
    }

    // Selects the row as a click would; false when there is none of that name.
    static bool Select(autostart::TForm_Autorun& page, const std::string& name)
    {
        const int row = RowNamed(page, name);
        if (row < 0)
            return false;
        page.VirtualDrawTree_Autorun().setFocusedRow(row);
        return true;
    }

    // Selects the row and presses "Entfernen", answering Yes.
    void markForRemoval(autostart::TForm_Autorun& page, const std::string& name)
    {
        ASSERT_TRUE(Select(page, name)) << name;
        boxes.answer(ui::MsgButton::Yes);
        page.find<ui::Button>("Button_AutorunDELETE").click();
    }

    static void pressOk(autostart::TForm_Autorun& page) { page.find<ui::Button>("Button_Apply").click(); }

    testing_support::TempFolder temp;
    testing_support::ScriptedMessageBoxes boxes;
    std::string commonFolder;
    std::string userFolder;
    std::string iniFile;
};
