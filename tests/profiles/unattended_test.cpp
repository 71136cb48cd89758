// Unattended runs from the command line, in this process as Wine starts the program:
// no window and no message box appears, the log is written, the exit code says how
// it went, and what the run changed is one change set that undo takes back exactly.
#include "machines.h"
#include "profiles_fixture.h"

#include "app/globals.h"
#include "app/startup.h"
#include "harness/page_contract.h"
#include "harness/source_files.h"
#include "password/password.h"
#include "profiles/profile_run.h"
#include "profiles/unattended.h"
#include "registry/change_journal_sets.h"
#include "ui/application.h"

namespace {

using profile_test::LiveIn;
using profile_test::Lived;

// Every top-level window that is created visible or activated on this thread while it lives.
class WindowWatch {
public:
    WindowWatch() : hook_(SetWindowsHookExA(WH_CBT, &WindowWatch::Hook, nullptr, GetCurrentThreadId())) { shown_ = 0; }
    ~WindowWatch() { UnhookWindowsHookEx(hook_); }
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
    int shown() const { return shown_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM window, LPARAM data)
    {
        if (code == HCBT_ACTIVATE)
            ++shown_;
        if (code == HCBT_CREATEWND) {
            const CREATESTRUCTA& created = *reinterpret_cast<CBT_CREATEWNDA*>(data)->lpcs;
            if (!(created.style & WS_CHILD) && (created.style & WS_VISIBLE))
                ++shown_;
        }
        return CallNextHookEx(nullptr, code, window, data);
    }
    static inline int shown_ = 0;
    HHOOK hook_;
};


class UnattendedTest : public ProfileTest {
protected:
    void SetUp() override
    {
        ProfileTest::SetUp();
        savedAppDir_ = app::AppDir;
        app::AppDir = programFolder;
        folder.file("Velmora\\velmora.dat", FileBytes(testing_support::SourceFile("lang\\velmora.dat")));
        logFile = folder.path() + "lauf.log";
        profile = folder.path() + "Büro.ini";
    }
    void TearDown() override
    {
        app::AppDir = savedAppDir_;
        ui::App().resetTermination();
        ProfileTest::TearDown();
    }

    testing_support::PageContract places() const { return profile_test::EveryPagesPlaces(winIni(), commonStartup, userStartup); }

    // Runs the program with these arguments as Wine starts it, and checks that no
    // window and no message box appeared.
    int run(const std::vector<std::string>& arguments, bool administrator = true)
    {
        int code = -1;
        {
            const WindowWatch watch;
            app::Program program;
            code = program.run({arguments, [administrator] { return administrator; }, true});
            EXPECT_EQ(watch.shown(), 0) << "a window appeared";
        }
        EXPECT_TRUE(profiles::VisibleWindowsOfProcess().empty());
        EXPECT_TRUE(boxes.shown().empty()) << boxes.shown().front().text;
        // The program's end switches the journal off; the test reads it.
        journal::SetJournalFolder(journalFolder, programFolder);
        return code;
    }

    std::string log() const { return FileBytes(logFile); }

    void saveProfileOf(unsigned seed)
    {
        LiveIn(places(), seed, Lived::Readably);
        ASSERT_TRUE(profiles::WriteProfile(profile, profiles::CaptureProfile({"1.0.0", "Deutsch", "5.1", "heute"})));
    }

    std::string logFile;
    std::string profile;

private:
    std::string savedAppDir_;
};

TEST_F(UnattendedTest, ApplyingAProfileIsOneSetThatUndoTakesBackExactly)
{
    saveProfileOf(71);
    LiveIn(places(), 72, Lived::AnyHow);
    const auto before = testing_support::SnapshotRegistry();
    const auto files = testing_support::SnapshotFiles(places().files);

    EXPECT_EQ(run({"-APPLY", profile, "-LOG", logFile}), 0) << log();
    EXPECT_NE(log().find("Fertig: das Profil ist ganz angewandt."), std::string::npos) << log();
    EXPECT_NE(log().find("Rückgabewert: 0"), std::string::npos);
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].action, "Profil anwenden: Büro");

    journal::CarryOutUndo(journal::PlanUndo(sets[0].id), true, "Rückgängig");
    EXPECT_EQ(testing_support::RegistryDifferences(before, testing_support::SnapshotRegistry()), "");
    EXPECT_EQ(testing_support::FileDifferences(files, testing_support::SnapshotFiles(places().files)), "");
}

TEST_F(UnattendedTest, WithoutLogTheLogLiesBesideTheProfile)
{
    saveProfileOf(73);
    EXPECT_EQ(run({"-apply", profile}), 0);
    EXPECT_NE(FileBytes(folder.path() + "Büro.log").find("Rückgabewert: 0"), std::string::npos);
    // A profile of this machine changes nothing and stores no set.
    EXPECT_TRUE(journal::ListSets().empty());
}

struct Refusal {
    const char* what;
    std::vector<std::string> arguments;  // -LOG is added
    bool administrator;
    const char* password;  // set before the run; nullptr: none
    int exitCode;
    const char* logged;
};

TEST_F(UnattendedTest, WrongArgumentsAndRefusalsChangeNothing)
{
    saveProfileOf(75);
    folder.file("kaputt.ini", "[Velmora Profile]\r\nFormat=1\r\nLanguage=Deutsch\r\n[TForm_System]\r\nSpinEdit_IoPageLockLimit=1\r\n");
    const std::string broken = folder.path() + "kaputt.ini";
    const std::vector<Refusal> cases{
        {"a broken profile", {"-APPLY", broken}, true, nullptr, 2, "Zeile 6: Das Profil endet zu früh"},
        {"a profile that is missing", {"-APPLY", folder.path() + "fehlt.ini"}, true, nullptr, 2, "nicht lesen"},
        {"-APPLY without its file", {"-APPLY"}, true, nullptr, 2, "Falscher Aufruf: -APPLY ..."},
        {"an unknown switch", {"-APPLY", profile, "-SCHNELL"}, true, nullptr, 2, "Falscher Aufruf: \"-SCHNELL\""},
        {"both a profile and a preset", {"-APPLY", profile, "-PRESET", "SPEED"}, true, nullptr, 2, "Aufruf: velmora.exe"},
        {"options without a preset", {"-APPLY", profile, "-OPTIONS", "CheckBox_SPEED_Optik1"}, true, nullptr, 2,
         "Aufruf: velmora.exe"},
        {"an unknown preset", {"-PRESET", "TURBO"}, true, nullptr, 2, "-PRESET TURBO"},
        {"an unknown option", {"-PRESET", "STANDARD", "-OPTIONS", "CheckBox_Gibtsnicht"}, true, nullptr, 2,
         "Diese Option gibt es beim Assistenten nicht: CheckBox_Gibtsnicht=1"},
        {"no administrator", {"-APPLY", profile}, false, nullptr, 3, "ohne Administratorrechte"},
        {"a password and no -PASSWORD", {"-APPLY", profile}, true, "Geheim123", 3, "-PASSWORD fehlt oder ist falsch"},
        {"a wrong password", {"-APPLY", profile, "-PASSWORD", "geheim123"}, true, "Geheim123", 3, "fehlt oder ist falsch"},
    };
    for (const Refusal& refusal : cases) {
        SCOPED_TRACE(refusal.what);
        LiveIn(places(), 76, Lived::AnyHow);
        if (refusal.password) {
            password::SetPasswordFromEntries(refusal.password, refusal.password);
            boxes.clear();
        }
        const auto before = testing_support::SnapshotRegistry();
        std::vector<std::string> arguments = refusal.arguments;
        arguments.insert(arguments.end(), {"-LOG", logFile});
        EXPECT_EQ(run(arguments, refusal.administrator), refusal.exitCode);
        EXPECT_NE(log().find(refusal.logged), std::string::npos) << log();
        EXPECT_EQ(log().find("Geheim123"), std::string::npos) << "the password is not logged";
        EXPECT_EQ(testing_support::RegistryDifferences(before, testing_support::SnapshotRegistry()), "");
        EXPECT_TRUE(journal::ListSets().empty());
    }
}

TEST_F(UnattendedTest, TheRightPasswordLetsTheRunGoOn)
{
    saveProfileOf(77);
    password::SetPasswordFromEntries("Geheim123", "Geheim123");
    boxes.clear();
    EXPECT_EQ(run({"-APPLY", profile, "-PASSWORD", "Geheim123", "-LOG", logFile}), 0) << log();
    EXPECT_NE(log().find("-PASSWORD ***"), std::string::npos) << log();
}

// A question that no rule answers refuses its page: the message before logon shown
// with no title asks whether to go back, and nobody is there to answer.
TEST_F(UnattendedTest, AQuestionWithoutARuleRefusesItsPage)
{
    LiveIn(places(), 79, Lived::AnyHow);
    folder.file("leer.ini", "[Velmora Profile]\r\nFormat=1\r\nLanguage=Deutsch\r\n[TForm_Anmelden]\r\nCheckBox_LegalNotice=1\r\n"
                            "Edit_LegalNoticeCaption=\r\nEdit_LegalNoticeText=Bitte abmelden\r\n[TForm_Startmenu]\r\n"
                            "CheckBox_NoRun=1\r\n[End]\r\n");
    EXPECT_EQ(run({"-APPLY", folder.path() + "leer.ini", "-LOG", logFile}), 1) << log();
    EXPECT_NE(log().find("Abgelehnt, denn für diese Frage gibt es keine Regel"), std::string::npos) << log();
    // The other page is applied all the same.
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoRun")->data,
              (std::vector<BYTE>{1, 0, 0, 0}));
}

// On a machine whose values all read, so that no message of loading counts as a failure.
TEST_F(UnattendedTest, APresetRunsWithItsOptionsAsOneSet)
{
    LiveIn(places(), 80, Lived::Readably);
    const auto before = testing_support::SnapshotRegistry();
    EXPECT_EQ(run({"-PRESET", "standard", "-OPTIONS", "CheckBox_STANDARD_Optik1,CheckBox_STANDARD_MSMSGS=0", "-LOG", logFile}),
              0)
        << log();
    // The wizard's own confirmation is answered Yes: giving the command is the confirmation.
    std::string confirmation = language::LangStringRange(3920, 3921);
    confirmation[confirmation.find('\r')] = ' ';
    EXPECT_NE(log().find(confirmation), std::string::npos) << log();
    EXPECT_NE(log().find("Antwort: Ja"), std::string::npos) << log();
    const auto sets = journal::ListSets();
    ASSERT_EQ(sets.size(), 1u);
    journal::CarryOutUndo(journal::PlanUndo(sets[0].id), true, "Rückgängig");
    EXPECT_EQ(testing_support::RegistryDifferences(before, testing_support::SnapshotRegistry()), "");
}

}  // namespace
