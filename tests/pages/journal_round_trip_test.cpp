// The exact round trip of the change journal over every settings page: random
// sequences of controls set by name, buttons that act at once ("Setzen", the shell
// icons, "Entfernen", "Ändern", "Alle Werte auf Windows-Standard setzen"), "Ok" and
// "Abbrechen", started from places that hold every kind of content and from settings
// files of every kind, are all undone at the end; the registry and the page's files
// (sysoc.inf, the Messenger background, oeminfo.ini, oemlogo.bmp) are then exactly as
// before the first action.
#include "page_places.h"
#include "pages_fixture.h"

#include "harness/journal_round_trip.h"
#include "harness/temp_folder.h"
#include "pages/anmelden_form.h"
#include "pages/anmelden_rows.h"
#include "pages/explorer_form.h"
#include "pages/ie_form.h"
#include "pages/internet_tuner_form.h"
#include "pages/officexp_form.h"
#include "pages/shell_icons.h"
#include "pages/sonstige_form.h"
#include "pages/sonstige_rows.h"
#include "pages/startmenu_form.h"
#include "pages/system_form.h"
#include "pages/system_rows.h"
#include "registry/change_journal.h"
#include "registry/registry.h"
#include "ui/controls.h"
#include "ui/image.h"

#include <gtest/gtest.h>

namespace {

using testing_support::PageAction;
using testing_support::PageContract;
using testing_support::FileStart;
using testing_support::PutFile;
using testing_support::RoundTripContext;
using testing_support::RoundTripPage;
namespace office = pages::officexp;
namespace sonstige = pages::sonstige;
namespace shell_icons = pages::shell_icons;

constexpr DWORD kHiddenSystemFile = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The folders of the test's own that the pages with files work in.
struct Folders {
    std::string windows;    // holds inf\sysoc.inf
    std::string system;     // holds oeminfo.ini and oemlogo.bmp
    std::string messenger;  // the Messenger's folder with its background lvback.gif
    std::string pictures;   // pictures a user picks
};

PageContract Joined(PageContract contract, const PageContract& more)
{
    contract.places.insert(contract.places.end(), more.places.begin(), more.places.end());
    contract.files.insert(contract.files.end(), more.files.begin(), more.files.end());
    return contract;
}

// ---- System: the shell folders' "Setzen" -------------------------------------------

std::vector<PageAction> ShellFolderButtons()
{
    std::vector<PageAction> buttons;
    for (const auto& folder : pages::system::kShellFolders)
        buttons.push_back(testing_support::Press(folder.button));
    return buttons;
}

// Shell folders with a path, so their edits and "Setzen" buttons are enabled.
void PrepareSystem(RoundTripContext& context)
{
    for (const auto& folder : pages::system::kShellFolders)
        if (context.chance(2))
            WriteRawValue(HKEY_CURRENT_USER, pages::system::kShellFoldersKey, folder.value, REG_SZ,
                          TextBytes(std::string("C:\\Dokumente\\") + folder.value));
}

// ---- Explorer: the shell icons and the shortcut arrow ---------------------------------

// An icon the picker answers: Windows' own one for the slot (its value is removed), or
// another one.
ui::IconChoice RandomIcon(RoundTripContext& context, int slot)
{
    const std::vector<ui::IconChoice> icons{
        {shell_icons::DefaultIconFile(), slot},
        {"C:\\ICONS\\ORDNER.ICO", 1},
        {"%SystemRoot%\\system32\\shell32.dll", 4},
    };
    return context.oneOf(icons);
}

std::vector<PageAction> ShellIconActions()
{
    return {
        {"an icon picked for a picture",
         [](ui::Form& form, RoundTripContext& context) {
             auto& page = dynamic_cast<pages::TForm_Explorer&>(form);
             const auto& picture = shell_icons::kSlotPictures[context.below(shell_icons::kPictureCount)];
             context.dialogs.answerIcon(RandomIcon(context, picture.slot));
             page.Image_Shell_15Click(page.find<ui::Image>(picture.image));
         }},
        {"a shortcut arrow picked",
         [](ui::Form& form, RoundTripContext& context) {
             context.dialogs.answerIcon(RandomIcon(context, shell_icons::kArrowSlot));
             form.find<ui::Button>("Button_LNKSymbol").click();
         }},
        testing_support::Press("Button_SymboleAPPLY"),
        testing_support::Press("Button_SymboleRESET"),
    };
}

void PrepareExplorer(RoundTripContext&)
{
    WriteRawValue(HKEY_CLASSES_ROOT, ".bmp", "", REG_SZ, TextBytes("Paint.Picture"));
}

// ---- Logon: the hidden accounts' "Entfernen" ------------------------------------------

void PrepareAnmelden(RoundTripContext& context)
{
    for (const char* account : {"Gast", "Anna", "Hilfeassistent"})
        if (context.chance(2))
            WriteRawValue(HKEY_LOCAL_MACHINE, pages::anmelden::kUserListKey, account, REG_DWORD,
                          {static_cast<BYTE>(context.below(2)), 0, 0, 0});
}

// ---- Office and Messenger: sysoc.inf and the Messenger background's "Ändern" ---------

std::vector<PageAction> MessengerActions(const Folders& folders)
{
    return {{"a Messenger background picked and changed", [folders](ui::Form& page, RoundTripContext& context) {
                 const std::vector<std::string> pictures{folders.pictures + "hell.gif", folders.pictures + "dunkel.gif",
                                                         folders.pictures + "fehlt.gif"};
                 page.find<ui::Edit>("Edit_lvBack").setText(context.oneOf(pictures));
                 page.find<ui::Button>("Button_Messenger").click();
             }}};
}

void PrepareOffice(const Folders& folders, RoundTripContext& context)
{
    registry::RegKeyEnsure(HKCU, office::kOfficeKey);
    registry::RegKeyEnsure(HKCU, kFirstOutlookIdentity);
    registry::RegWriteText(HKLM, office::kMessengerPathKey, "", "C:\\Programme\\msmsgs.exe");
    // The Messenger's entry of the components list, each seed another: hidden, shown,
    // odd, very long, none, no file.
    const std::vector<FileStart> sysoc{
        {"[Components]\r\nmsmsgs=" + office::kStandardSysocEntry + "\r\nother=keep\r\n", FILE_ATTRIBUTE_READONLY},
        {"[Components]\r\nmsmsgs=msgrocm.dll,OcEntry,msmsgs.inf,,7\r\n", kHiddenSystemFile},
        {"[Components]\r\nmsmsgs=a=b,hide,=c\r\n"},
        {"[Components]\r\nmsmsgs=" + std::string(3000, 'x') + ",hide,\r\n", FILE_ATTRIBUTE_HIDDEN},
        {""},
        {std::nullopt},
    };
    PutFile(office::SysocFile(), context.inTurn(sysoc));
    // The Messenger's folder with its background, and a backup of an earlier change.
    if (!context.chance(5))
        registry::RegWriteText(HKLM, office::kMessengerServiceKey, "InstallationDirectory",
                               folders.messenger.substr(0, folders.messenger.size() - 1));
    const std::vector<FileStart> backgrounds{
        {"GIF89a Messenger", FILE_ATTRIBUTE_READONLY}, {"GIF89a", kHiddenSystemFile}, {"GIF89a alt"}, {std::nullopt}};
    PutFile(folders.messenger + "lvback.gif", context.inTurn(backgrounds));
    PutFile(folders.messenger + "lvback_velmora.gif", context.oneOf(backgrounds));
    PutFile(folders.pictures + "hell.gif", {"GIF89a hell"});
    PutFile(folders.pictures + "dunkel.gif", {"GIF89a dunkel", FILE_ATTRIBUTE_READONLY});
}

// ---- Miscellaneous: the programs' "Entfernen" and "Ändern", the OEM files ------------

std::vector<PageAction> SonstigeActions(const Folders& folders)
{
    return {
        testing_support::PressOnRandomRow("ListView_Uninstall", "Button_Entfernen"),
        {"a program's name and command changed",
         [](ui::Form& page, RoundTripContext& context) {
             testing_support::SelectRandomRow(page, "ListView_Uninstall", context);
             const std::vector<std::string> texts{"", "Neuer Name", "C:\\Programme\\Neu\\uninst.exe /x"};
             page.find<ui::Edit>("Edit_DisplayName").setText(context.oneOf(texts));
             page.find<ui::Edit>("Edit_UninstallString").setText(context.oneOf(texts));
             page.find<ui::Button>("Button_Aendern").click();
         }},
        testing_support::Press("Button_OemDELETE"),
        testing_support::Press("Button_OemBildDELETE"),
        {"a logo picked",
         [folders](ui::Form& page, RoundTripContext& context) {
             context.dialogs.answerFile(folders.pictures + "logo.bmp");
             page.find<ui::Button>("Button_OEMBild").click();
         }},
    };
}

void PrepareSonstige(const Folders& folders, RoundTripContext& context)
{
    const auto& contents = testing_support::HostileContents();
    for (const char* subkey : {"Alpha", "Beta", "Gamma"}) {
        const std::string key = sonstige::kUninstallKey + "\\" + subkey;
        WriteRawValue(HKLM, key, "DisplayName", REG_SZ, TextBytes(std::string("Programm ") + subkey));
        const auto& command = contents[context.below(contents.size())];
        if (command.value)
            WriteRawValue(HKLM, key, "UninstallString", command.value->type, command.value->data);
        WriteRawValue(HKLM, key + "\\Details", "Size", REG_DWORD, {1, 2, 3, 4});
    }
    // oeminfo.ini and oemlogo.bmp, each seed others: as the page writes them (so that
    // "Ok" changes at most their attributes), odd, empty, missing.
    const std::vector<FileStart> oemInfo{
        {"[General]\r\nManufacturer=Hersteller\r\nModel=Modell\r\n[Support Information]\r\nLine1=Erste\r\n",
         FILE_ATTRIBUTE_READONLY},
        {"[Support Information]\r\nA=1=2\r\nB=\r\n\r\n[General]\r\nModel=a;b\r\nOther=keep\r\n", kHiddenSystemFile},
        {"no section at all\r\n=\r\n", FILE_ATTRIBUTE_HIDDEN},
        {"[General]\r\nManufacturer=Hersteller\r\n", kHiddenSystemFile},
        {""},
        {std::nullopt},
    };
    PutFile(sonstige::OemInfoFile(), context.inTurn(oemInfo));
    const std::vector<FileStart> logos{
        {BitmapFile(3, 2, 0, 0, 255), FILE_ATTRIBUTE_READONLY}, {"not a bitmap"}, {std::nullopt}};
    PutFile(sonstige::OemLogoFile(), context.inTurn(logos));
    PutFile(folders.pictures + "logo.bmp", {BitmapFile(4, 4, 0, 128, 0)});
}

// ---- Internet access tuner -------------------------------------------------------------

void PrepareTuner(RoundTripContext&)
{
    registry::RegKeyEnsure(HKLM, kFirstTunerInterface);
    registry::RegKeyEnsure(HKLM, kSecondTunerInterface);
}

// One line per page.
std::vector<RoundTripPage> Pages(const Folders& folders)
{
    using testing_support::OpenAs;
    return {
        {"System", OpenAs(pages::Form_System), SystemPlaces, ShellFolderButtons(), PrepareSystem},
        {"Explorer", OpenAs(pages::Form_Explorer), [] { return Joined(ExplorerPlaces(), ShellIconPlaces()); },
         ShellIconActions(), PrepareExplorer},
        {"Startmenu", OpenAs(pages::Form_Startmenu), StartmenuPlaces, {}, nullptr},
        {"Anmelden", OpenAs(pages::Form_Anmelden), AnmeldenPlaces,
         {testing_support::PressOnRandomRow("ListView_UserList", "Button_Entfernen"),
          testing_support::Press("Button_Hinzufuegen")},
         PrepareAnmelden},
        {"IE", OpenAs(pages::Form_IE), IEPlaces, {}, nullptr},
        {"OfficeXP", OpenAs(pages::Form_OfficeXP),
         [folders] {
             PageContract places = OfficePlaces();
             places.files.push_back(folders.messenger);
             return places;
         },
         MessengerActions(folders), [folders](RoundTripContext& context) { PrepareOffice(folders, context); }},
        {"Sonstige", OpenAs(pages::Form_Sonstige), SonstigePlaces, SonstigeActions(folders),
         [folders](RoundTripContext& context) { PrepareSonstige(folders, context); }},
        {"InternetTuner", OpenAs(pages::Form_InternetTuner), TunerPlaces,
         {testing_support::Press("Button_Standard"), testing_support::Press("Button_Einstellen")}, PrepareTuner},
    };
}

class JournalRoundTripTest : public PageTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        journal::SetJournalFolder(journal.path() + "Journal");
        folders.windows = files.makeDir("Windows");
        folders.system = files.makeDir("Windows\\system32");
        folders.messenger = files.makeDir("Messenger");
        folders.pictures = files.makeDir("Bilder");
        files.makeDir("Windows\\inf");
        office::SetWindowsFolder(folders.windows.substr(0, folders.windows.size() - 1));
        sonstige::SetSystemFolder(folders.system.substr(0, folders.system.size() - 1));
    }
    void TearDown() override
    {
        sonstige::SetSystemFolder("");
        office::SetWindowsFolder("");
        journal::SetJournalFolder({});
        PageTest::TearDown();
    }

    testing_support::TempFolder journal;
    testing_support::TempFolder files;
    testing_support::ScriptedPlatformDialogs dialogs;
    Folders folders;
};

TEST_P(JournalRoundTripTest, UndoingEverythingLeavesTheRegistryAndTheFilesExactlyAsBefore)
{
    for (const RoundTripPage& page : Pages(folders))
        if (page.name == GetParam())
            testing_support::ExpectExactRoundTrip(page, {1, 2, 3, 4}, boxes, dialogs);
}

INSTANTIATE_TEST_SUITE_P(EveryPage, JournalRoundTripTest,
                         ::testing::Values("System", "Explorer", "Startmenu", "Anmelden", "IE", "OfficeXP", "Sonstige",
                                           "InternetTuner"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
