// The round trip with the real registry editor: search the registry, delete every
// finding, import the dated backup, and find the registry exactly as before.
#include "cleanup_fixture.h"

#include "cleanup/registry_results_form.h"
#include "cleanup/registry_scanner.h"
#include "harness/page_contract.h"
#include "harness/registry_sandbox.h"
#include "language/language.h"
#include "registry/registry.h"
#include "ui/controls.h"
#include "ui/programs.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The real registry editor, with the roots of its command lines pointed at the keys
// that stand in for them in the sandbox (another process does not see the sandbox's
// redirection of the roots).
class SandboxedRegedit : public ui::ProgramsSeam {
public:
    explicit SandboxedRegedit(const std::string& scratchPath)
        : scratch_("HKEY_CURRENT_USER\\" + scratchPath + "\\"), previous_(ui::SetProgramsSeam(this))
    {
    }
    ~SandboxedRegedit() override { ui::SetProgramsSeam(previous_); }
    SandboxedRegedit(const SandboxedRegedit&) = delete;
    SandboxedRegedit& operator=(const SandboxedRegedit&) = delete;

    bool shellOpen(const std::string&, const std::string&) override { return false; }
    bool winExec(const std::string&, int) override { return false; }
    int runAndWait(const std::string& commandLine, int showCommand) override
    {
        std::string translated = commandLine;
        for (const auto& [root, stand] : {std::pair{"\"HKEY_CLASSES_ROOT\\", "HKCR\\"}, std::pair{"\"HKEY_LOCAL_MACHINE\\", "HKLM\\"}}) {
            const auto at = translated.find(root);
            if (at != std::string::npos)
                translated.replace(at + 1, std::string(root).size() - 1, scratch_ + stand);
        }
        ran.push_back(translated);
        return ui::SystemPrograms().runAndWait(translated, showCommand);
    }

    std::vector<std::string> ran;

private:
    std::string scratch_;
    ui::ProgramsSeam* previous_;
};

void Set(HKEY root, const std::string& key, const std::string& name, DWORD type, const std::vector<BYTE>& data)
{
    WriteRawValue(root, key, name, type, data);
}

}  // namespace

class BackupRoundTripTest : public CleanupTest {};

TEST_F(BackupRoundTripTest, ImportingTheDatedBackupRestoresEveryDeletedEntryExactly)
{
    const std::string kept = folder.file("Program\\KEPT.DLL", "MZ");
    const std::string server = "CLSID\\{B0000000-0000-0000-0000-000000000002}";
    Set(HKCR, server, "", REG_SZ, TextBytes("Gone server (Größe)"));
    Set(HKCR, server, "Data", REG_BINARY, {0x00, 0x01, 0xFF, 0x7F, 0x80});
    Set(HKCR, server, "Count", REG_DWORD, {7, 0, 0, 0x80});
    Set(HKCR, server + "\\InprocServer32", "", REG_EXPAND_SZ, TextBytes("%SystemDrive%\\GONE\\SERVER.DLL"));
    Set(HKCR, server + "\\InprocServer32", "ThreadingModel", REG_SZ, TextBytes("Both"));
    Set(HKCR, server + "\\ProgID", "", REG_SZ, TextBytes("Gone.Server.1"));
    Set(HKCR, server + "\\Empty", "Nothing", REG_SZ, TextBytes(""));
    Set(HKCR, ".old", "", REG_SZ, TextBytes("OldViewer"));
    Set(HKCR, ".old", "Content Type", REG_SZ, TextBytes("application/x-old"));
    Set(HKCR, "OldViewer", "EditFlags", REG_BINARY, {0, 0, 1, 0});
    Set(HKCR, "OldViewer\\shell\\open\\command", "", REG_SZ, TextBytes("\"C:\\OLD\\VIEWER.EXE\" \"%1\""));
    Set(HKCR, "TypeLib\\{C0000000-0000-0000-0000-000000000003}\\2.0", "", REG_SZ, TextBytes("Gone library"));
    Set(HKCR, "TypeLib\\{C0000000-0000-0000-0000-000000000003}\\2.0\\0\\win32", "", REG_SZ, TextBytes("C:\\GONE\\LIB.TLB"));
    Set(HKCR, "appfile\\DefaultIcon", "", REG_EXPAND_SZ, TextBytes("%SystemDrive%\\GONE\\APP.EXE,2"));
    Set(HKLM, cleanup::kSharedDllsKey, "C:\\GONE\\SHARED.DLL", REG_DWORD, {3, 0, 0, 0});
    Set(HKLM, cleanup::kSharedDllsKey, kept, REG_DWORD, {1, 0, 0, 0});
    Set(HKLM, cleanup::kNtFontsKey, "Gone (TrueType)", REG_SZ, TextBytes("C:\\GONE\\GONE.TTF"));
    Set(HKLM, cleanup::kNtFontsKey, "Kept (TrueType)", REG_SZ, TextBytes(kept));
    TickRegistryDrive('C');

    auto dialog = std::make_unique<cleanup::TForm6>();
    language::LocalizeComponent(*dialog);
    for (cleanup::RegCheckKind kind : {cleanup::KindFileTypes, cleanup::KindComServers, cleanup::KindTypeLibraries,
                                       cleanup::KindSharedDlls, cleanup::KindFonts, cleanup::KindIcons}) {
        const cleanup::RegFindings findings = cleanup::RunRegistryCheck(kind);
        ASSERT_EQ(findings.size(), 1u) << "kind " << kind;
        dialog->addEntry(dialog->addGroup(kind, "Gruppe"), kind, findings[0]);
    }
    const auto before = testing_support::SnapshotRegistry();
    SandboxedRegedit regedit(sandbox().scratchPath());
    boxes.answer(ui::MsgButton::Yes);

    dialog->ButtonDELETE().click();

    EXPECT_FALSE(registry::RegKeyExists(HKCR, server));
    EXPECT_FALSE(registry::RegKeyExists(HKCR, ".old"));
    EXPECT_FALSE(registry::RegKeyExists(HKCR, "OldViewer"));
    EXPECT_FALSE(registry::RegKeyExists(HKCR, "TypeLib\\{C0000000-0000-0000-0000-000000000003}"));
    EXPECT_EQ(registry::RegValueNames(HKLM, cleanup::kSharedDllsKey), (std::vector<std::string>{kept}));
    EXPECT_EQ(registry::RegValueNames(HKLM, cleanup::kNtFontsKey), (std::vector<std::string>{"Kept (TrueType)"}));
    EXPECT_EQ(registry::RegReadText(HKCR, "appfile\\DefaultIcon", ""), "");
    EXPECT_EQ(regedit.ran.size(), 7u);

    WIN32_FIND_DATAA found;
    const ui::FindHandle search(FindFirstFileA((cleanup::Places().appDir + "\\BACKUP\\Backup *.reg").c_str(), &found));
    ASSERT_TRUE(search);
    const std::string dated = cleanup::Places().appDir + "\\BACKUP\\" + found.cFileName;
    ASSERT_EQ(ui::SystemPrograms().runAndWait("REGEDIT /S \"" + dated + "\"", SW_HIDE), 0);

    EXPECT_EQ(SnapshotDifferences(before, testing_support::SnapshotRegistry()), std::vector<std::string>{});
}
