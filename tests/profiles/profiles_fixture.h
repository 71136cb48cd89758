// What the profile tests share: the registry sandbox with the German texts, the files
// the settings pages read and write (sysoc.inf, win.ini, both startup folders,
// oeminfo.ini) in the test's own folder, the change journal in that folder, and the
// scripted message boxes.
#pragma once

#include "autostart/autorun.h"
#include "harness/dialog_seam.h"
#include "harness/german_sandbox.h"
#include "harness/registry_sandbox.h"
#include "harness/temp_folder.h"
#include "pages/officexp_rows.h"
#include "pages/sonstige_rows.h"
#include "profiles/profile_file.h"
#include "registry/change_journal.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

class ProfileTest : public GermanRegistrySandbox {
protected:
    void SetUp() override
    {
        GermanRegistrySandbox::SetUp();
        windowsFolder = WithoutBackslash(folder.makeDir("Windows"));
        systemFolder = WithoutBackslash(folder.makeDir("Windows\\system32"));
        folder.makeDir("Windows\\inf");
        commonStartup = WithoutBackslash(folder.makeDir("All Users Startup"));
        userStartup = WithoutBackslash(folder.makeDir("User Startup"));
        programFolder = WithoutBackslash(folder.makeDir("Velmora"));
        journalFolder = programFolder + "\\BACKUP\\Journal";
        pages::officexp::SetWindowsFolder(windowsFolder);
        pages::sonstige::SetSystemFolder(systemFolder);
        autostart::AutostartFileLocations() = {commonStartup, winIni()};
        journal::SetJournalFolder(journalFolder, programFolder);
        writeFiles();
    }

    void TearDown() override
    {
        journal::SetJournalFolder({});
        autostart::AutostartFileLocations() = {};
        pages::sonstige::SetSystemFolder("");
        pages::officexp::SetWindowsFolder("");
        GermanRegistrySandbox::TearDown();
    }

    static std::string WithoutBackslash(std::string path)
    {
        path.pop_back();
        return path;
    }

    // The files the pages work on, as a fresh system has them.
    void writeFiles() const
    {
        folder.file("Windows\\win.ini", "[windows]\r\nload=\r\nrun=\r\n");
        folder.file("Windows\\inf\\sysoc.inf", "[Components]\r\nmsmsgs=msgrocm.dll,OcEntry,msmsgs.inf,hide,7\r\n");
    }
    std::string winIni() const { return windowsFolder + "\\win.ini"; }
    std::string sysocFile() const { return windowsFolder + "\\inf\\sysoc.inf"; }

    static std::string FileBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    testing_support::TempFolder folder;
    testing_support::ScriptedMessageBoxes boxes;
    std::string windowsFolder;
    std::string systemFolder;
    std::string commonStartup;
    std::string userStartup;
    std::string programFolder;
    std::string journalFolder;
};
