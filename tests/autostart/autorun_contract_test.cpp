// The Autostart & Autorun page keeps the contract of every settings page, with hostile
// content in all twelve autostart sources as well: "Ok" without a mark changes nothing
// of them (not a registry value, not a byte of win.ini, not one link), and "Ok" with
// marks takes away exactly the marked entries.
#include "autostart_fixture.h"
#include "autorun_places.h"

#include "autostart/autorun_rows.h"
#include "harness/page_contract.h"
#include "registry/helpers.h"
#include "ui/controls.h"
#include "ui/convert.h"

#include <algorithm>
#include <map>
#include <set>

using testing_support::HostileContent;
using testing_support::HostileContents;

namespace {

struct RunKey {
    HKEY root;
    const char* rootName;
    std::string key;
};

const std::vector<RunKey>& RunKeys()
{
    static const std::vector<RunKey> keys = [] {
        std::vector<RunKey> all;
        for (const auto& [root, rootName] : {std::pair{HKEY_LOCAL_MACHINE, "HKLM"}, std::pair{HKEY_CURRENT_USER, "HKCU"}})
            for (const char* name : {"Run", "RunOnce", "RunServices", "RunServicesOnce"})
                all.push_back({root, rootName, std::string(autostart::kWindowsKey) + "\\" + name});
        return all;
    }();
    return keys;
}

// A value's entry in a snapshot of the registry.
std::string SnapshotPath(const RunKey& key, const std::string& name)
{
    return ui::UpperCase(std::string(key.rootName) + "\\" + key.key) + "\\[" + ui::UpperCase(name) + "]";
}

const char* const kHostileIni =
    "[windows]\r\nload=C:\\load.exe\r\nrun=C:\\run.exe\r\n"
    "[RUN]\r\nplain=C:\\plain.exe\r\nquoted=\"C:\\Program Files\\x.exe\" /s\r\nempty=\r\nnoequals\r\n"
    "  spaced  =  C:\\spaced.exe  \r\ndup=first\r\ndup=second\r\numlaut=C:\\Programme\\Übersicht.exe\r\n"
    "[LOAD]\r\nload1=C:\\load1.exe\r\n=nameless\r\n";

class AutorunContractTest : public AutostartTest {
protected:
    // Links to files and to folders, a broken link, files that are not links, a hidden
    // read-only link and links in a subfolder, in both startup folders, and a win.ini
    // with odd lines.
    void makeHostileFiles()
    {
        const std::string docs = temp.makeDir("Docs");
        MakeLink(commonFolder + "\\" + toFolder, docs.substr(0, docs.size() - 1));
        MakeLink(commonFolder + "\\to file.lnk", program("tool.exe"), "-quiet");
        const std::string vanished = program("vanished.exe");
        MakeLink(commonFolder + "\\" + broken, vanished);
        DeleteFileA(vanished.c_str());
        temp.file("All Users Startup\\" + noLink, "this is no link");
        temp.file("All Users Startup\\empty.lnk");
        temp.file("All Users Startup\\readme.txt", "text");
        temp.makeDir("All Users Startup\\Sub\\Deeper");
        MakeLink(commonFolder + "\\Sub\\Deeper\\" + deep, program("deep.exe"));
        MakeLink(userFolder + "\\" + userLink, program("user.exe"));
        MakeLink(userFolder + "\\hidden.lnk", program("hidden.exe"));
        SetFileAttributesA((userFolder + "\\hidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
        writeIni(kHostileIni);
        SetFileAttributesA(iniFile.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    }

    // Every kind of hostile value in every Run key, named after what it is, and the
    // default value holding `content`; the user's startup folder as the registry names it.
    void fillRunKeys(const HostileContent& content) const
    {
        for (const RunKey& key : RunKeys()) {
            for (const HostileContent& hostile : HostileContents())
                if (hostile.value)
                    WriteRawValue(key.root, key.key, hostile.what, hostile.value->type, hostile.value->data);
            if (content.value)
                WriteRawValue(key.root, key.key, "", content.value->type, content.value->data);
        }
        WriteRawValue(HKEY_CURRENT_USER, kShellFolders, "StartUp", REG_SZ, TextBytes(userFolder));
    }

    std::map<std::string, std::optional<std::string>> fileBytes() const
    {
        std::map<std::string, std::optional<std::string>> bytes;
        for (const std::string& folder : {commonFolder, userFolder}) {
            std::vector<std::string> files;
            helpers::CollectFiles(folder + "\\", "*.*", files);
            for (const std::string& file : files)
                bytes[file] = FileBytes(file);
        }
        bytes[iniFile] = FileBytes(iniFile);
        return bytes;
    }

    const std::string toFolder = unique("to folder");
    const std::string broken = unique("broken");
    const std::string noLink = unique("no link");
    const std::string deep = unique("deep");
    const std::string userLink = unique("user");
};

TEST_F(AutorunContractTest, OkWithoutAMarkChangesOnlyWhatTheTableBinds)
{
    makeHostileFiles();
    testing_support::PageContract contract = AutorunPlaces(iniFile, commonFolder, userFolder);
    contract.prepare = [this](const HostileContent& content) { fillRunKeys(content); };
    contract.openAndPressOk = [this] {
        const auto before = fileBytes();
        {
            OpenedPage page;
            for (const std::string& name : {toFolder, broken, noLink, deep, userLink, std::string("hidden.lnk"),
                                            std::string("quoted"), std::string("load1"),
                                            std::string("a text of 3000 characters")})
                EXPECT_GE(RowNamed(*page, name), 0) << name << " is not listed";
            pressOk(*page);
        }
        EXPECT_TRUE(fileBytes() == before) << "Ok without a mark changed a link or win.ini";
    };
    testing_support::ExpectPageContract(contract, boxes);
}

TEST_F(AutorunContractTest, OkWithMarksTakesAwayExactlyTheMarkedEntries)
{
    makeHostileFiles();
    const HostileContent& defaultValue = HostileContents()[1];  // an empty text
    fillRunKeys(defaultValue);
    const RunKey& hklmRun = RunKeys()[0];
    const RunKey& hklmServices = RunKeys()[2];
    const RunKey& hkcuRunOnce = RunKeys()[5];
    std::map<std::string, std::optional<std::string>> filesBefore;
    testing_support::RegistrySnapshot registryBefore;
    const auto runBefore = helpers::ReadIniSection(iniFile, "RUN");
    const auto loadBefore = helpers::ReadIniSection(iniFile, "LOAD");
    {
        OpenedPage page;
        filesBefore = fileBytes();
        registryBefore = testing_support::SnapshotRegistry();
        const auto markInKey = [&](const std::string& name, const RunKey& key) {
            for (int row = 0; row < page->autostart().rowCount(); ++row) {
                const auto& entry = page->autostart().row(row)->entry;
                if (entry.Name == name && entry.RegRoot == key.root && ui::UpperCase(entry.RegKey) == ui::UpperCase(key.key)) {
                    page->VirtualDrawTree_Autorun().setFocusedRow(row);
                    boxes.answer(ui::MsgButton::Yes);
                    page->find<ui::Button>("Button_AutorunDELETE").click();
                    return;
                }
            }
            ADD_FAILURE() << "no row " << name;
        };
        markInKey("a text of 3000 characters", hklmRun);
        markInKey("a list of texts", hklmServices);
        markInKey("", hkcuRunOnce);
        for (const std::string& link : {toFolder, broken, noLink, deep, userLink})
            markForRemoval(*page, link);
        markForRemoval(*page, "quoted");
        markForRemoval(*page, "load1");
        boxes.clear();

        pressOk(*page);
    }

    // The registry: exactly the marked values are gone; the page's own settings were written.
    const std::set<std::string> marked{SnapshotPath(hklmRun, "a text of 3000 characters"),
                                       SnapshotPath(hklmServices, "a list of texts"), SnapshotPath(hkcuRunOnce, "")};
    const auto after = testing_support::SnapshotRegistry();
    for (const std::string& path : marked) {
        EXPECT_TRUE(registryBefore.count(path)) << path;
        EXPECT_FALSE(after.count(path)) << path << " is still there";
    }
    for (const auto& [path, value] : registryBefore) {
        const bool pageSetting = path.find("\\POLICIES\\EXPLORER") != std::string::npos ||
                                 path.find("\\CDROM") != std::string::npos || path.find("AUDIOCD") != std::string::npos;
        if (!marked.count(path) && !pageSetting) {
            EXPECT_TRUE(after.count(path)) << path << " was taken away";
        }
    }

    // The links: exactly the marked ones are gone, into the Recycle Bin.
    const auto filesAfter = fileBytes();
    for (const auto& [file, bytes] : filesBefore) {
        const std::string name = file.substr(file.find_last_of('\\') + 1);
        const bool wasMarked = name == toFolder || name == broken || name == noLink || name == deep || name == userLink;
        SCOPED_TRACE(file);
        if (wasMarked) {
            EXPECT_FALSE(filesAfter.count(file));
            EXPECT_TRUE(InRecycleBin(name));
        } else if (file != iniFile) {
            EXPECT_TRUE(filesAfter.count(file) && filesAfter.at(file) == bytes);
        }
    }

    // win.ini: exactly the two marked entries are gone.
    const auto without = [](std::vector<std::string> lines, const std::string& name) {
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [&](const std::string& l) { return l.rfind(name + "=", 0) == 0; });
        EXPECT_NE(line, lines.end()) << name;
        if (line != lines.end())
            lines.erase(line);
        return lines;
    };
    const auto runExpected = without(runBefore, "quoted");
    const auto loadExpected = without(loadBefore, "load1");
    EXPECT_EQ(helpers::ReadIniSection(iniFile, "RUN"), runExpected);
    EXPECT_EQ(helpers::ReadIniSection(iniFile, "LOAD"), loadExpected);
    EXPECT_EQ(helpers::ReadIniSection(iniFile, "windows"),
              (std::vector<std::string>{"load=C:\\load.exe", "run=C:\\run.exe"}));
}

}  // namespace
