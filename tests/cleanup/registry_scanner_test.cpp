// The registry scanner: what each of the six checks reports as pointing to a missing
// file, what it never reports, and the form in which a path is reported.
#include "cleanup_fixture.h"

#include "cleanup/registry_scanner.h"
#include "harness/registry_sandbox.h"
#include "registry/registry.h"
#include "ui/convert.h"

#include <gtest/gtest.h>

using cleanup::RegFinding;
using cleanup::RegFindings;

namespace {

void SetText(HKEY root, const std::string& key, const std::string& name, const std::string& text, DWORD type = REG_SZ)
{
    WriteRawValue(root, key, name, type, TextBytes(text));
}

void SetDefault(HKEY root, const std::string& key, const std::string& text)
{
    SetText(root, key, "", text);
}

struct Reported {
    std::string title;
    std::string missingFile;
    std::string key;
    std::string extension;
    bool operator==(const Reported&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Reported& finding)
{
    return out << "{" << finding.title << " | " << finding.missingFile << " | " << finding.key << " | "
               << finding.extension << "}";
}

std::vector<Reported> Reports(const RegFindings& findings)
{
    std::vector<Reported> reports;
    for (const RegFinding& finding : findings)
        reports.push_back({finding.Title, finding.MissingFile, finding.Key, finding.Extension});
    return reports;
}

}  // namespace

class RegistryScannerTest : public CleanupTest {
protected:
    void SetUp() override
    {
        CleanupTest::SetUp();
        // Paths as the listing spells them: a short temporary folder would be reported long.
        char longPath[MAX_PATH] = {};
        const DWORD length = GetLongPathNameA(folder.path().c_str(), longPath, MAX_PATH);
        base = length > 0 && length < MAX_PATH ? std::string(longPath, length) : folder.path();
        folder.file("Program\\APP.EXE", "MZ");
        existing = base + "Program\\APP.EXE";
        gone = base + "gone\\";
        TickRegistryDrive(static_cast<char>(ui::UpperCase(folder.path().substr(0, 1))[0]));
    }

    std::string upper(const std::string& text) const { return ui::UpperCase(text); }

    std::string base;      // the test's folder, long
    std::string existing;  // a file that exists
    std::string gone;      // a folder that does not
};

TEST_F(RegistryScannerTest, FileTypesAreReportedWhenTheirProgramIsMissing)
{
    const auto fileType = [](const std::string& extension, const std::string& progId, const std::string& command) {
        SetDefault(HKCR, extension, progId);
        if (!command.empty())
            SetDefault(HKCR, (progId.empty() ? extension : progId) + "\\shell\\open\\command", command);
    };
    fileType(".exe", "exefile", gone + "PROGRAM.EXE %1");
    fileType(".dllx", "dllxfile", gone + "DLLX.EXE %1");
    fileType(".txt", "txtfile", "%SystemRoot%\\system32\\NOTEPAD.EXE %1");
    fileType(".old", "OldViewer", "\"" + gone + "Viewer.exe\" \"%1\"");
    fileType(".noprog", "", gone + "NOPROG.EXE /open %1");
    fileType(".clsid", "CLSID\\{11111111-0000-0000-0000-000000000000}", gone + "CLSID.EXE");
    fileType(".nocmd", "NoCommand", "");
    fileType(".here", "HereFile", existing + " %1");
    fileType(".doc2", "Doc2File", "\"" + gone + "WORDPAD.EXE\"");
    // The verb of the ProgID's shell key names the command; "open" is not looked at then.
    SetDefault(HKCR, "Doc2File\\shell", "print");
    SetDefault(HKCR, "Doc2File\\shell\\print\\command", existing + " /p %1");
    SetDefault(HKCR, "notanextension", "PlainFile");
    SetDefault(HKCR, "PlainFile\\shell\\open\\command", gone + "PLAIN.EXE");

    const RegFindings findings = cleanup::ScanFileTypes();

    EXPECT_EQ(Reports(findings), (std::vector<Reported>{
                                     {"", upper(gone + "NOPROG.EXE"), "", ".noprog"},
                                     {"OldViewer", upper(gone + "VIEWER.EXE"), "", ".old"},
                                 }));
}

TEST_F(RegistryScannerTest, ComClassesNeedADescriptionAndAnInprocServer)
{
    SetDefault(HKCR, "CLSID\\{B0000000-0000-0000-0000-000000000002}", "Gone server");
    SetDefault(HKCR, "CLSID\\{B0000000-0000-0000-0000-000000000002}\\InprocServer32", gone + "Server.dll");
    SetDefault(HKCR, "CLSID\\{A0000000-0000-0000-0000-000000000001}\\InprocServer32", gone + "NODESC.DLL");
    SetDefault(HKCR, "CLSID\\{C0000000-0000-0000-0000-000000000003}", "Present server");
    SetDefault(HKCR, "CLSID\\{C0000000-0000-0000-0000-000000000003}\\InprocServer32", existing);
    SetDefault(HKCR, "CLSID\\{D0000000-0000-0000-0000-000000000004}", "Local server only");
    SetDefault(HKCR, "CLSID\\{D0000000-0000-0000-0000-000000000004}\\LocalServer32", gone + "LOCAL.EXE");
    SetDefault(HKCR, "CLSID\\{E0000000-0000-0000-0000-000000000005}", "Installer");
    SetDefault(HKCR, "CLSID\\{E0000000-0000-0000-0000-000000000005}\\InprocServer32",
               "{90110407-6000-11D3-8CFE-0150048383C9}\\INSTALLER\\X.DLL");

    EXPECT_EQ(Reports(cleanup::ScanComServers()),
              (std::vector<Reported>{{"Gone server", upper(gone + "SERVER.DLL"), "{B0000000-0000-0000-0000-000000000002}", ""}}));
}

TEST_F(RegistryScannerTest, TypeLibrariesStoredAsAResourceOfAModuleAreNeverReported)
{
    SetDefault(HKCR, "TypeLib\\{L0}\\1.0", "Resource library");
    SetDefault(HKCR, "TypeLib\\{L0}\\1.0\\0\\win32", gone + "LIB.DLL\\3");
    SetDefault(HKCR, "TypeLib\\{L1}\\2.0", "Gone library");
    SetDefault(HKCR, "TypeLib\\{L1}\\2.0\\9\\win32", gone + "LIB.TLB");
    SetDefault(HKCR, "TypeLib\\{L1}\\2.0\\0\\win64", gone + "LIB64.TLB");
    SetDefault(HKCR, "TypeLib\\{L2}\\1.0", "Present library");
    SetDefault(HKCR, "TypeLib\\{L2}\\1.0\\0\\win32", existing);

    EXPECT_EQ(Reports(cleanup::ScanTypeLibraries()),
              (std::vector<Reported>{{"Gone library", upper(gone + "LIB.TLB"), "{L1}", ""}}));
}

TEST_F(RegistryScannerTest, SharedDllsAndFontsKeepTheStoredValueName)
{
    const std::string shared = cleanup::kSharedDllsKey;
    WriteRawValue(HKLM, shared, gone + "Shared.dll", REG_DWORD, {1, 0, 0, 0});
    WriteRawValue(HKLM, shared, existing, REG_DWORD, {1, 0, 0, 0});
    WriteRawValue(HKLM, shared, gone + "NOEXTENSION", REG_DWORD, {1, 0, 0, 0});
    folder.makeDir("Fonts");
    const std::string fonts = base + "Fonts\\";
    folder.file("Fonts\\arial.ttf", "font");
    SetText(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
            fonts.substr(0, fonts.size() - 1));
    SetText(HKLM, cleanup::kNtFontsKey, "Arial (TrueType)", "arial.ttf");
    SetText(HKLM, cleanup::kNtFontsKey, "Gone (TrueType)", "gone.ttf");
    SetText(HKLM, cleanup::kNtFontsKey, "Placed (TrueType)", existing);  // a full path is tested as it stands
    SetText(HKLM, cleanup::kNtFontsKey, "Placed gone (TrueType)", gone + "placed.ttf");

    const RegFindings dlls = cleanup::ScanSharedDlls();
    const RegFindings installedFonts = cleanup::ScanFonts();

    EXPECT_EQ(Reports(dlls), (std::vector<Reported>{{"Shared.dll", gone + "Shared.dll", "", ""}}));
    ASSERT_EQ(dlls.size(), 1u);
    EXPECT_EQ(dlls[0].ValueName, gone + "Shared.dll");
    EXPECT_EQ(Reports(installedFonts),
              (std::vector<Reported>{{"Gone (TrueType)", fonts + "GONE.TTF", "", ""},
                                     {"Placed gone (TrueType)", upper(gone + "placed.ttf"), "", ""}}));
}

TEST_F(RegistryScannerTest, IconsAreTestedAsTheModuleThatHoldsThem)
{
    SetDefault(HKCR, "CLSID\\{F0000000-0000-0000-0000-000000000006}\\ToolboxBitmap32", gone + "TOOLS.OCX, 1");
    SetDefault(HKCR, "appfile\\DefaultIcon", gone + "App.exe,2");
    SetDefault(HKCR, "icofile\\DefaultIcon", gone + "APP.ICO");
    SetDefault(HKCR, "pictfile\\DefaultIcon", "%1");
    SetDefault(HKCR, "presentfile\\DefaultIcon", existing + ",0");
    SetDefault(HKCR, "libfile\\DefaultIcon", gone + "LIB.DLL,-101");

    EXPECT_EQ(Reports(cleanup::ScanIcons()),
              (std::vector<Reported>{
                  {"DefaultIcon", upper(gone + "APP.EXE"), "appfile\\DefaultIcon", ""},
                  {"DefaultIcon", upper(gone + "LIB.DLL"), "libfile\\DefaultIcon", ""},
                  {"ToolboxBitmap32", upper(gone + "TOOLS.OCX"), "CLSID\\{F0000000-0000-0000-0000-000000000006}\\ToolboxBitmap32", ""},
              }));
}

TEST_F(RegistryScannerTest, NothingOnADriveThatIsNotTickedIsReported)
{
    SetDefault(HKCR, ".old", "OldViewer");
    SetDefault(HKCR, "OldViewer\\shell\\open\\command", gone + "VIEWER.EXE %1");
    SetDefault(HKCR, "CLSID\\{B0000000-0000-0000-0000-000000000002}", "Gone server");
    SetDefault(HKCR, "CLSID\\{B0000000-0000-0000-0000-000000000002}\\InprocServer32", gone + "SERVER.DLL");
    SetDefault(HKCR, "TypeLib\\{L1}\\2.0\\0\\win32", gone + "LIB.TLB");
    WriteRawValue(HKLM, cleanup::kSharedDllsKey, gone + "SHARED.DLL", REG_DWORD, {1, 0, 0, 0});
    SetText(HKLM, cleanup::kNtFontsKey, "Gone", gone + "GONE.TTF");
    SetDefault(HKCR, "appfile\\DefaultIcon", gone + "APP.EXE,0");
    components::RegDriveFlags.fill(0);

    for (cleanup::RegCheckKind kind : {cleanup::KindFileTypes, cleanup::KindComServers, cleanup::KindTypeLibraries,
                                       cleanup::KindSharedDlls, cleanup::KindFonts, cleanup::KindIcons})
        EXPECT_TRUE(cleanup::RunRegistryCheck(kind).empty()) << "kind " << kind;

    // Ticked, the same entries are all found; and a cancelled search finds nothing.
    TickRegistryDrive(static_cast<char>(ui::UpperCase(folder.path().substr(0, 1))[0]));
    for (cleanup::RegCheckKind kind : {cleanup::KindFileTypes, cleanup::KindComServers, cleanup::KindTypeLibraries,
                                       cleanup::KindSharedDlls, cleanup::KindFonts, cleanup::KindIcons})
        EXPECT_EQ(cleanup::RunRegistryCheck(kind).size(), 1u) << "kind " << kind;
    ui::CancelRequested = true;
    for (cleanup::RegCheckKind kind : {cleanup::KindFileTypes, cleanup::KindComServers, cleanup::KindTypeLibraries,
                                       cleanup::KindSharedDlls, cleanup::KindFonts, cleanup::KindIcons})
        EXPECT_TRUE(cleanup::RunRegistryCheck(kind).empty()) << "kind " << kind;
}

TEST_F(RegistryScannerTest, AShortPathIsReportedLong)
{
    folder.makeDir("Program Files Old\\OLDAPP");
    const std::string longFolder = base + "Program Files Old\\OLDAPP\\";
    char shortFolder[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(longFolder.c_str(), shortFolder, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortFolder), longFolder);
    SetDefault(HKCR, "CLSID\\{B0000000-0000-0000-0000-000000000002}", "Old application");
    SetDefault(HKCR, "CLSID\\{B0000000-0000-0000-0000-000000000002}\\InprocServer32", std::string(shortFolder) + "X.DLL");

    const RegFindings findings = cleanup::ScanComServers();

    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(upper(findings[0].MissingFile), upper(longFolder + "X.DLL"));
    EXPECT_NE(findings[0].MissingFile.find("Program Files Old\\OLDAPP\\X.DLL"), std::string::npos) << findings[0].MissingFile;
    // A relative path is not read against the current folder.
    EXPECT_EQ(cleanup::ExpandShortPath("PROGRA~1\\X.DLL"), "PROGRA~1\\X.DLL");
}
