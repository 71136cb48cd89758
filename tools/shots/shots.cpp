// Takes a picture of every window of the program, with the German texts: the main
// window, each tab sheet of every page, the dialogs and a message box. Each window
// is created as the program creates it, shown, and copied from the screen into a
// bitmap file named after it in the folder given on the command line.
#include "app/about_form.h"
#include "app/globals.h"
#include "app/main_window.h"
#include "app/profile_form.h"
#include "app/search_box.h"
#include "profiles/profile_file.h"
#include "profiles/profile_run.h"
#include "autostart/autorun_form.h"
#include "ui/drawn_list.h"
#include "app/undo_form.h"
#include "cleanup/cleanup_form.h"
#include "cleanup/file_results_form.h"
#include "cleanup/registry_results_form.h"
#include "components/wait_form.h"
#include "language/language.h"
#include "password/options_form.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/startmenu_form.h"
#include "pages/ie_form.h"
#include "pages/internet_tuner_form.h"
#include "pages/officexp_form.h"
#include "pages/sonstige_form.h"
#include "pages/system_form.h"
#include "password/password_form.h"
#include "report/bericht_form.h"
#include "registry/change_journal.h"
#include "registry/registry.h"
#include "ui/application.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/image.h"
#include "ui/handles.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"
#include "ui/single_instance.h"
#include "wizards/assistenten_form.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace {

std::string outputFolder;
std::string messageBoxName;

// Lets the window paint completely before it is copied.
void Settle()
{
    for (int round = 0; round < 6; ++round) {
        ui::ProcessMessages();
        Sleep(60);
    }
}

// Copies the window's area of the screen (frame included) into a 24-bit bitmap file.
void SaveWindowPicture(HWND window, const std::string& name)
{
    RECT area{};
    GetWindowRect(window, &area);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    ui::WindowDC screen(nullptr);
    ui::MemoryDC memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ui::GdiObject bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return;
    {
        ui::SelectedObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
    GdiFlush();
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + rowBytes * static_cast<DWORD>(height);
    std::ofstream out(outputFolder + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(rowBytes) * height);
    std::printf("%s\n", name.c_str());
}

void ShootForm(ui::Form& form, const std::string& name)
{
    form.show();
    Settle();
    SaveWindowPicture(form.handle(), name);
}

// A form with page controls gets one picture per tab sheet.
void ShootFormAndTabs(ui::Form& form, const std::string& name)
{
    form.show();
    std::vector<ui::PageControl*> pageControls;
    std::function<void(const ui::Component&)> collect = [&](const ui::Component& owner) {
        for (ui::Component* component : owner.components()) {
            if (auto* pages = dynamic_cast<ui::PageControl*>(component))
                pageControls.push_back(pages);
            collect(*component);
        }
    };
    collect(form);
    if (pageControls.empty()) {
        ShootForm(form, name);
        return;
    }
    for (ui::PageControl* pages : pageControls)
        for (int index = 0; index < pages->pageCount(); ++index) {
            pages->setActivePageIndex(index);
            Settle();
            SaveWindowPicture(form.handle(), name + "-" + std::to_string(index + 1));
        }
}

template <class FormClass>
void ShootLocalised(const std::string& name, const std::function<void(FormClass&)>& prepare = {})
{
    auto form = std::make_unique<FormClass>();
    language::LocalizeComponent(*form);
    if (prepare)
        prepare(*form);
    ShootFormAndTabs(*form, name);
}

// The preview of a profile that changes a few settings of three pages.
void ShootProfilePreview()
{
    const std::string profile = app::AppDir + "\\Buero.ini";
    const std::string text = "[Velmora Profile]\r\nFormat=1\r\nLanguage=" + language::LangString(21000) +
                             "\r\n[TForm_System]\r\nCheckBox_AutoReboot=1\r\nCheckBox_LargeSystemCache=1\r\n"
                             "RadioButton_IoPageLockLimit2=1\r\nSpinEdit_IoPageLockLimit=32768\r\n"
                             "[TForm_Startmenu]\r\nCheckBox_NoRun=1\r\nCheckBox_NoClose=1\r\n"
                             "[TForm_IE]\r\nCheckBox_WindowTitle=1\r\nEdit_WindowTitle=Internet im Buero\r\n[End]\r\n";
    const profiles::ProfilePlan plan = profiles::PlanProfile(profiles::ParseProfile(text));
    ShootLocalised<app::TForm_Profil>("profile-preview",
                                      [&](app::TForm_Profil& preview) { preview.showPlan(profile, plan); });
}

// A picture file of 24 x 24 pixels in two colours, for the pages' picture previews.
std::string SamplePicture()
{
    constexpr int kSize = 24;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = kSize;
    info.biHeight = kSize;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + kSize * kSize * 3;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const bool light = (x / 6 + y / 6) % 2 == 0;
            bytes += light ? "\xF0\xE0\xC8" : "\xC0\x90\x50";  // blue, green, red
        }
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "velmora-shot.bmp";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Photographs the message box that opens next, then closes it.
void CALLBACK ShootMessageBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = GetForegroundWindow();
    if (!box || ui::Control::fromHandle(box))
        box = GetActiveWindow();
    if (!box || ui::Control::fromHandle(box))
        return;  // not open yet
    KillTimer(nullptr, timer);
    Sleep(200);
    SaveWindowPicture(box, messageBoxName);
    // Enter presses the box's default button, whichever buttons it has.
    PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(box, WM_KEYUP, VK_RETURN, 0);
}

// A journal with a few sets (one of its values changed since by hand) and a backup of
// the clean-up, for the undo dialog. The shots run in a prefix of their own.
void PrepareJournal()
{
    journal::SetJournalFolder(app::AppDir + "\\BACKUP\\Journal", app::AppDir);
    const std::string memory = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
    const std::string policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    const std::string folders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    registry::RegKeyEnsure(HKCU, policies);
    {
        const journal::ChangeScope change("System- , Speicher-, Booteinstellungen");
        registry::RegWriteInt(HKLM, memory, "LargeSystemCache", 1);
        registry::RegWriteInt(HKLM, memory, "DisablePagingExecutive", 1);
        registry::RegWriteInt(HKLM, memory, "SecondLevelDataCache", 512);
    }
    {
        const journal::ChangeScope change("System- , Speicher-, Booteinstellungen: Favoriten");
        registry::RegWriteExpandText(HKCU, folders, "Favorites", "D:\\Favoriten");
    }
    {
        const journal::ChangeScope change("System- , Speicher-, Booteinstellungen");
        registry::RegWriteInt(HKCU, policies, "NoControlPanel", 1);
        registry::RegWriteInt(HKCU, policies, "NoRun", 1);
        registry::RegWriteInt(HKLM, memory, "LargeSystemCache", 0);
    }
    registry::RegWriteInt(HKCU, policies, "NoRun", 0);  // changed by hand since

    const std::string backups = app::AppDir + "\\BACKUP";
    for (const char* name : {"Backup 03.05.2024.reg", "Backup 12.05.2024 (2).reg"}) {
        std::ofstream backup(backups + "\\" + name, std::ios::binary);
        backup << "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\CLSID\\{00000000-0000-0000-0000-000000000000}]\r\n";
    }
}

// Answers every message box with its first button (Yes, OK), so that a wizard runs
// through its questions unattended.
class FirstButtonAnswers : public ui::MessageBoxSeam {
public:
    FirstButtonAnswers() : previous_(ui::SetMessageBoxSeam(this)) {}
    ~FirstButtonAnswers() override { ui::SetMessageBoxSeam(previous_); }
    FirstButtonAnswers(const FirstButtonAnswers&) = delete;
    FirstButtonAnswers& operator=(const FirstButtonAnswers&) = delete;
    ui::MsgButton show(const ui::MessageBoxRequest& request) override
    {
        return request.buttons.empty() ? ui::MsgButton::OK : request.buttons.front().id;
    }

private:
    ui::MessageBoxSeam* previous_;
};

// The wizard page with the log of a real SPEED run on the prefix, one picture per sheet,
// and its first sheet with a wizard's name underlined under the mouse.
void ShootWizardPage()
{
    auto page = std::make_unique<wizards::TForm_Assistenten>();
    const ui::SingleInstanceScope scope(wizards::Form_Assistenten, *page);
    language::LocalizeComponent(*page);
    {
        const FirstButtonAnswers answers;
        page->ComboBox_Speed_CPU().setItemIndex(7);
        page->find<ui::Button>("Button_SPEED").click();
    }
    ShootFormAndTabs(*page, "wizard-page");
    page->PageControl1().setActivePageIndex(0);
    SendMessageA(page->find<ui::Control>("MouseImage_POLICY").handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    Settle();
    SaveWindowPicture(page->handle(), "wizard-page-hover");
    SendMessageA(page->find<ui::Control>("MouseImage_POLICY").handle(), WM_MOUSELEAVE, 0, 0);
    page->hide();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora_shots <output folder> [program folder]\n");
        return 2;
    }
    outputFolder = argv[1];
    const ui::ComScope com;  // the autostart page reads shell links
    ui::Application& application = ui::App();
    application.initialize();
    application.setTitle("Velmora");
    app::DetermineGlobals();
    if (argc >= 3)
        app::AppDir = argv[2];
    language::LoadLanguageFile(app::AppDir + "\\velmora.dat");
    language::ApplyToolkitTexts();

    app::TForm1 mainWindow;
    app::Form1 = &mainWindow;
    application.setMainForm(&mainWindow);
    language::LocalizeComponent(mainWindow);
    mainWindow.placeHelpLink();
    ShootForm(mainWindow, "main-window");

    // Hovering the first entry underlines its label.
    SendMessageA(mainWindow.areaImage(app::Area::System).handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    Settle();
    SaveWindowPicture(mainWindow.handle(), "main-window-hover");
    SendMessageA(mainWindow.areaImage(app::Area::System).handle(), WM_MOUSELEAVE, 0, 0);

    // A query and its matches (the first search reads every page behind the wait window).
    app::SearchBox& search = mainWindow.search();
    search.focusField();
    search.field().setText("cache");
    Settle();
    SaveWindowPicture(mainWindow.handle(), "main-window-search");
    search.closeList();
    search.field().setText("");
    mainWindow.hide();

    ShootLocalised<pages::TForm_System>("system-page");
    ShootLocalised<pages::TForm_Explorer>("explorer-page", [](pages::TForm_Explorer& page) {
        // The main window's picture as toolbar pattern, to show the preview.
        page.find<ui::CheckBox>("CheckBox_BackBitmapShell").setChecked(true);
        page.ShowToolbarPicture(outputFolder + "\\main-window.bmp");
    });
    ShootLocalised<pages::TForm_Startmenu>("startmenu-page");
    {
        // A page as a match opens it: the sheet selected, the control focused and marked.
        pages::TForm_Startmenu page;
        const ui::SingleInstanceScope scope(pages::Form_Startmenu, page);
        language::LocalizeComponent(page);
        page.show();
        app::LandOnControl(page, "CheckBox_HideClock");
        Settle();
        SaveWindowPicture(page.handle(), "search-match-opened");
        page.hide();
    }
    ShootLocalised<pages::TForm_Anmelden>("anmelden-page", [](pages::TForm_Anmelden& page) {
        auto& accounts = page.ListView_UserList();
        accounts.addItem("Administrator", -1, false);
        accounts.addItem("Gast", -1, true);
        accounts.addItem("HelpAssistant", -1, false);
        accounts.setSelectedIndex(2);
    });
    ShootLocalised<report::TForm_Bericht>("system-report", [](report::TForm_Bericht& report) {
        report.MCPUUsage1().setActive(false);
        report.find<ui::Button>("Button_Reload").click();
        // A graph of some samples that already scrolls a little.
        for (int sample = 0; sample < 90; ++sample)
            report.MCPUUsage1Interval(static_cast<int>(35 + 25 * std::sin(sample / 6.0) + (sample % 7) * 3));
    });
    ShootLocalised<autostart::TForm_Autorun>("autostart-page", [](autostart::TForm_Autorun& page) {
        // Two entries added as a user adds them, the second marked for removal.
        autostart::AutostartManager& list = page.autostart();
        list.AddAutostartEntry("Editor", app::WindowsDir + "\\notepad.exe", 0);
        list.AddAutostartEntry("Kalender-Erinnerung", "\"C:\\Programme\\Kalender\\erinnerung.exe\" /minimiert", 0);
        list.row(list.rowCount() - 1)->markedForRemoval = true;
        page.VirtualDrawTree_Autorun().setFocusedRow(list.rowCount() - 2);
    });
    const std::string picture = SamplePicture();
    ShootLocalised<pages::TForm_IE>("ie-page", [&](pages::TForm_IE& page) {
        page.find<ui::CheckBox>("CheckBox_BackBitmap").setChecked(true);
        page.ShowToolbarPicture(picture);
    });
    ShootLocalised<pages::TForm_OfficeXP>("officexp-page");
    ShootLocalised<pages::TForm_Sonstige>("sonstige-page", [&](pages::TForm_Sonstige& page) {
        page.Image_Oemlogo().loadFromFile(picture);
    });
    ShootLocalised<pages::TForm_InternetTuner>("internet-tuner");
    ShootLocalised<cleanup::TForm_CleanUP>("cleanup-page");
    ShootLocalised<cleanup::TForm11>("cleanup-files", [](cleanup::TForm11& dialog) {
        const cleanup::FileEntry files[] = {
            {"~WRL0003.tmp", "C:\\Dokumente und Einstellungen\\Benutzer\\Lokale Einstellungen\\Temp", 48640},
            {"setup.log", "C:\\Programme\\Bildbetrachter", 12873},
            {"Bericht.bak", "C:\\Dokumente und Einstellungen\\Benutzer\\Eigene Dateien", 231424},
            {"CHKDSK.CHK", "C:\\FOUND.000", 4096},
            {"Brief~.doc", "C:\\Dokumente und Einstellungen\\Benutzer\\Eigene Dateien\\Briefe", 19968},
        };
        for (const cleanup::FileEntry& file : files)
            dialog.addFile(file);
        dialog.VirtualStringTree_FILES().setChecked(3, false);
        dialog.Label_Anzahl().setCaption(language::LangString(6950) + " 5 " + language::LangString(6951) + " " +
                                         cleanup::GroupedNumber(dialog.checkedSize()) + " " + language::LangString(6952));
    });
    ShootLocalised<cleanup::TForm6>("cleanup-registry", [](cleanup::TForm6& dialog) {
        const auto group = [&](cleanup::RegCheckKind kind, int title, const std::vector<cleanup::RegFinding>& findings) {
            const ui::TreeNode node = dialog.addGroup(kind, language::LangString(title) + " (" + std::to_string(findings.size()) +
                                                                " " + language::LangString(6901) + ")");
            for (const cleanup::RegFinding& finding : findings)
                dialog.addEntry(node, kind, finding);
        };
        group(cleanup::KindFileTypes, 6910, {{"Bildbetrachter.Dokument", "C:\\PROGRAMME\\BILDBETRACHTER\\VIEWER.EXE", {}, ".bbd", {}}});
        group(cleanup::KindComServers, 6911,
              {{"Bildbetrachter Vorschau", "C:\\PROGRAMME\\BILDBETRACHTER\\PREVIEW.DLL", "{6C2A1B10-4F3E-11D4-9A7B-0050DA2B8C11}", {}, {}}});
        group(cleanup::KindFonts, 6914,
              {{"Zierschrift (TrueType)", "C:\\WINDOWS\\Fonts\\ZIER.TTF", {}, {}, "Zierschrift (TrueType)"}});
        group(cleanup::KindIcons, 6917,
              {{"DefaultIcon", "C:\\PROGRAMME\\BILDBETRACHTER\\VIEWER.EXE", "Bildbetrachter.Dokument\\DefaultIcon", {}, {}}});
        dialog.Label_Anzahl().setCaption(language::LangString(6922) + " 4 " + language::LangString(6923));
    });
    ShootLocalised<password::TForm_Passwort>("password-dialog", [&](password::TForm_Passwort& dialog) {
        dialog.Image1().assign(mainWindow.Image1());
        dialog.Edit1().setText("geheim");
    });
    ShootLocalised<password::TForm_Options>("options-page");
    ShootLocalised<components::TWarteForm>("wait-window", [](components::TWarteForm& wait) {
        wait.Label1().setCaption("Dateien werden gesucht...");
        wait.Label2().setCaption("C:\\Dokumente und Einstellungen\\Benutzer\\Lokale Einstellungen\\Temp");
        wait.ProgressBar1().setPosition(40);
    });
    ShootWizardPage();
    PrepareJournal();
    ShootLocalised<app::TForm_Undo>("undo-dialog", [](app::TForm_Undo& undo) { undo.refresh(); });
    ShootProfilePreview();
    journal::SetJournalFolder({});
    ShootLocalised<app::TAbout>("about-box", [&](app::TAbout& about) {
        about.placeFollowingLabels();
        about.Image1().assign(mainWindow.Image1());
    });

    const auto shootMessageBox = [](const std::string& name, const std::string& text, ui::MsgKind kind,
                                    const std::vector<ui::MsgButton>& buttons) {
        messageBoxName = name;
        SetTimer(nullptr, 0, 100, ShootMessageBox);
        ui::MessageDlg(text, kind, buttons);
    };
    shootMessageBox("messagebox-windows-version", language::LangStringRange(100, 103), ui::MsgKind::Confirmation,
                    {ui::MsgButton::Yes, ui::MsgButton::No});
    shootMessageBox("messagebox-administrator", language::LangStringRange(110, 114), ui::MsgKind::Confirmation,
                    {ui::MsgButton::Yes, ui::MsgButton::No});
    shootMessageBox("messagebox-restart", language::LangStringRange(1910, 1915), ui::MsgKind::Information,
                    {ui::MsgButton::OK});
    shootMessageBox("messagebox-symbols-apply", language::LangStringRange(7930, 7936), ui::MsgKind::Warning,
                    {ui::MsgButton::OK, ui::MsgButton::Cancel});
    shootMessageBox("messagebox-logon-title", language::LangStrings({2900, 2901}), ui::MsgKind::Warning,
                    {ui::MsgButton::Yes, ui::MsgButton::No});
    shootMessageBox("messagebox-wizard-policy", language::LangStringRange(3970, 3974), ui::MsgKind::Warning,
                    {ui::MsgButton::Yes, ui::MsgButton::No});

    app::Form1 = nullptr;
    return 0;
}
