#include "app/main_window.h"

#include "app/about_form.h"
#include "app/globals.h"
#include "app/open_page.h"
#include "app/profile_commands.h"
#include "app/search_box.h"
#include "app/undo_form.h"
#include "language/language.h"
#include "password/options_form.h"
#include "registry/helpers.h"
#include "ui/look.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/help.h"

#include "resource.h"

#include <memory>

namespace app {

TForm1* Form1 = nullptr;

namespace {

constexpr int kClientWidth = 780;
constexpr int kClientHeight = 553;
constexpr int kPictureSize = 48;
constexpr int kDescriptionWidth = 304;
constexpr int kDescriptionHeight = 27;

// The restart reminder shown on quitting.
constexpr int kRestartReminderFirst = 1910;
constexpr int kRestartReminderLast = 1915;

std::string SeparatorName(int number)
{
    std::string name = "N";
    name += std::to_string(number);
    return name;
}

std::size_t IndexOf(Area area)
{
    return static_cast<std::size_t>(area);
}

}  // namespace

const std::array<LauncherEntry, kAreaCount>& LauncherEntries()
{
    static const std::array<LauncherEntry, kAreaCount> entries{{
        {Area::Assistent, "Label_Assistent", 1010, "Assistenten aufrufen", {72, 132}, "MouseImage_Assistent", {16, 132},
         IDB_LAUNCHER_ASSISTENT, "Label8", 1011,
         "Optimiert je nach Zweck viele Einstellungen automatisch, z. B. für mehr Geschwindigkeit oder Sicherheit.", 148,
         "Assistentenaufrufen1", 1201, "Assistenten aufrufen"},
        {Area::Bericht, "Label_Bericht", 1020, "Systembericht", {72, 196}, "MouseImage_Bericht", {16, 196},
         IDB_LAUNCHER_BERICHT, "Label3", 1021,
         "Zeigt Informationen über dieses System an und speichert sie auf Wunsch als Textdatei.", 216,
         "Systembericht1", 1202, "Systembericht"},
        {Area::InternetZugang, "Label_InternetZugang", 1030, "Internet-Zugang optimieren", {72, 260},
         "MouseImage_InternetZugang", {16, 260}, IDB_LAUNCHER_INTERNETZUGANG, "Label18", 1031,
         "Den Internet-Zugang beschleunigen (nach Möglichkeit)", 276, "InternetZugangoptimieren1", 1203,
         "Internet-Zugang optimieren"},
        {Area::CleanUp, "Label_CleanUp", 1040, "System aufräumen", {72, 324}, "MouseImage_CleanUP", {16, 324},
         IDB_LAUNCHER_CLEANUP, "Label17", 1041,
         "Überflüssige Dateien löschen und verwaiste Einträge aus der Registrierung entfernen.", 340,
         "Systemaufrumen1", 1204, "System aufräumen"},
        {Area::IE, "Label_IE", 1050, "Microsoft Internet Explorer 6 bearbeiten", {72, 388}, "MouseImage_IE", {16, 388},
         IDB_LAUNCHER_IE, "Label4", 1051,
         "Versteckte Einstellungen zum Internet Explorer ändern, Cache, Cookies und Verlauf löschen.", 404,
         "MicrosoftInternetExplorer61", 1210, "Microsoft Internet Explorer 6"},
        {Area::OfficeXP, "Label_OfficeXP", 1060, "Sonstige Software (Messenger, Office XP) bearbeiten", {72, 452},
         "MouseImage_officeXP", {16, 452}, IDB_LAUNCHER_OFFICEXP, "Label16", 1061,
         "Besondere Einstellungen zum installierten Office XP und zum Windows Messenger.", 472,
         "MicrosoftOfficeXP1", 1211, "Sonstige Software (Messenger, Office XP)"},
        {Area::System, "Label_System", 1070, "Systemeinstellungen bearbeiten", {464, 132}, "MouseImage_System", {408, 132},
         IDB_LAUNCHER_SYSTEM, "Label12", 1071,
         "Systemeinstellungen, Hardwareeinstellungen, Dienste, Speicher und Systemordner.", 148,
         "SystemSystemSteuerung1", 1220, "Systemeinstellungen"},
        {Area::Explorer, "Label_Explorer", 1080, "Explorer && Desktop bearbeiten", {464, 196}, "MouseImage_Explorer",
         {408, 196}, IDB_LAUNCHER_EXPLORER, "Label13", 1081,
         "Einstelllungen zum Desktop und Explorer bearbeiten und Symbole des Systems ersetzen.", 212,
         "ExplorerDesktop1", 1221, "Explorer && Desktop"},
        {Area::Startmenu, "Label_Startmenu", 1090, "Startmenü, Taskleiste, Infobereich bearbeiten", {464, 260},
         "MouseImage_Startmenu", {408, 260}, IDB_LAUNCHER_STARTMENU, "Label10", 1091,
         "Einstellungen zum Windows-Startmenü bearbeiten, Taskleiste und Infobereich anpassen.", 276,
         "StartmenTaskleistInfobereich1", 1222, "Startmenü, Taskleiste, Infobereich"},
        {Area::Anmelden, "Label_Anmelden", 1100, "Windows-Anmeldung bearbeiten", {464, 324}, "MouseImage_Anmelden",
         {408, 324}, IDB_LAUNCHER_ANMELDEN, "Label9", 1101,
         "Windows-Anmeldung verändern: Willkommenseite, automatische Anmeldung und Hinweise.", 340, "Anmelden1", 1223,
         "Anmelden"},
        {Area::Autorun, "Label_Autorun", 1110, "Autostart && Autorun bearbeiten", {464, 392}, "MouseImage_Autostart",
         {408, 388}, IDB_LAUNCHER_AUTOSTART, "Label7", 1111,
         "Beim Anmelden startende Programme bearbeiten und das Autorun von Laufwerken einstellen.", 408,
         "AutostartAutorun1", 1224, "Autostart && Autorun"},
        {Area::Sonstiges, "Label_Sonstiges", 1120, "Sonstige Einstellungen bearbeiten", {464, 452}, "MouseImage_Sonstiges",
         {408, 452}, IDB_LAUNCHER_SONSTIGES, "Label5", 1121,
         "Liste der installierten Anwendungen bearbeiten, OEM-Informationen und Besitzer ändern.", 468, "Sonstiges1",
         1225, "Sonstiges"},
    }};
    return entries;
}

TForm1::TForm1()
    : Form("Form1", kClientWidth, kClientHeight, "Velmora (Version 1.07)")
{
    changeStyle(WS_MINIMIZEBOX, 0);
    useSingleBorder();
    setFont(ui::ArialFont(11));
    setColor(ui::kProgramBlue);
    createBackground();
    createLaunchers();
    createFooter();
    createMenu();
    search_ = std::make_unique<SearchBox>(*this);
    setClientSize(kClientWidth, kClientHeight);  // the menu bar takes its height from the frame
    centerOnScreen();
    onClose = [this] { FormClose(); };
    onHelp = [this] { Inhalt1Click(); };
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::createBackground()
{
    // Created first, so they lie at the bottom of the z-order, behind every entry.
    image1_ = &add<ui::Image>(*this, "Image1", ui::Bounds{392, 252, 392, 299});
    image1_->setAutoSize(true);
    image1_->loadFromResource(IDB_PROGRAM_PICTURE);
    auto& logo = add<ui::Image>(*this, "Image2", ui::Bounds{12, 8, 346, 105});
    logo.setAutoSize(true);
    logo.loadFromResource(IDB_LOGO);
    labelVelmora_ = &add<ui::Label>(*this, "Label_Velmora", ui::Bounds{408, 36, 0, 0}, "Wählen Sie eine Funktion");
    labelVelmora_->setTag(1001);
    labelVelmora_->setTransparent(true);
    labelVelmora_->setFont(ui::ArialFont(24, true));
    labelVelmora_->setAutoSize(true);
    imagePerformance_ = &add<ui::Image>(*this, "Image_Performance", ui::Bounds{140, 52, 128, 14});
}

void TForm1::createLaunchers()
{
    for (const LauncherEntry& entry : LauncherEntries()) {
        const std::size_t index = IndexOf(entry.area);
        auto& image = add<components::TMouseImage>(
            *this, entry.imageName, ui::Bounds{entry.imageAt.x, entry.imageAt.y, kPictureSize, kPictureSize});
        image.loadFromResource(entry.pictureResource);
        image.setCursor(IDC_HAND);

        auto& label = add<ui::Label>(*this, entry.labelName, ui::Bounds{entry.labelAt.x, entry.labelAt.y, 0, 0},
                                     entry.labelCaption);
        label.setTag(entry.labelTag);
        label.setTransparent(true);
        label.setTextColor(ui::kTextOnBlue);
        label.setFont(ui::ArialFont(11, true));
        label.setAutoSize(true);
        label.setCursor(IDC_HAND);

        auto& description = add<ui::Label>(
            *this, entry.descriptionName,
            ui::Bounds{entry.labelAt.x, entry.descriptionTop, kDescriptionWidth, kDescriptionHeight},
            entry.descriptionCaption);
        description.setTag(entry.descriptionTag);
        description.setTransparent(true);
        description.setTextColor(ui::kTextOnBlue);
        description.setWordWrap(true);

        const Area area = entry.area;
        label.onClick = [this, area] { openArea(area); };
        image.onClick = [this, area] { openArea(area); };
        addHover(label, label);
        addHover(image, label);
        labels_[index] = &label;
        images_[index] = &image;
    }
}

// Pointing at a launcher label or its picture underlines the label.
void TForm1::addHover(ui::Control& pointedAt, ui::Label& label)
{
    pointedAt.onMouseEnter = [&label] { label.setFont(ui::ArialFont(11, true, true)); };
    pointedAt.onMouseLeave = [&label] { label.setFont(ui::ArialFont(11, true)); };
}

void TForm1::createFooter()
{
    label2_ = &add<ui::Label>(*this, "Label2", ui::Bounds{8, 534, 0, 0},
                              "Um eine Funktion aufzurufen, klicken Sie auf den Namen oder das Symbol der Funktion. "
                              "Wenn Sie Hilfe benötigen, klicken Sie");
    label2_->setTag(1002);
    label2_->setTransparent(true);
    label2_->setTextColor(ui::kTextOnBlue);
    label2_->setFont(ui::ArialFont(11, true));
    label2_->setAutoSize(true);

    labelHelp_ = &add<ui::Label>(*this, "Label_Help", ui::Bounds{8, 534, 0, 0}, "hier.");
    labelHelp_->setTag(1003);
    labelHelp_->setTransparent(true);
    labelHelp_->setTextColor(ui::kTextOnBlue);
    labelHelp_->setFont(ui::ArialFont(11, true, true));
    labelHelp_->setAutoSize(true);
    labelHelp_->setCursor(IDC_HAND);
    labelHelp_->onClick = [this] { Label_HelpClick(); };
    placeHelpLink();
}

void TForm1::createMenu()
{
    auto& menu = add<ui::MainMenu>(*this, "MainMenu1");
    auto item = [this](ui::MenuParent& parent, const char* name, int tag, const char* caption) -> ui::MenuItem& {
        auto& created = add<ui::MenuItem>(parent, name, caption);
        created.setTag(tag);
        return created;
    };
    auto& datei = item(menu, "Datei1", 1190, "&Datei");
    item(datei, "Aenderungenrueckgaengig1", 20006, "Änderungen &rückgängig machen...").onClick = [this] {
        Aenderungenrueckgaengig1Click();
    };
    item(datei, "NProfile", 0, "-");
    item(datei, "Profilspeichern1", 21300, "Profil &speichern...").onClick = [] { SaveProfileCommand(); };
    item(datei, "Profilanwenden1", 21301, "Profil &anwenden...").onClick = [] { ApplyProfileCommand(); };
    item(datei, "NUndo", 0, "-");
    item(datei, "Beenden1", 1191, "&Beenden").onClick = [this] { Beenden1Click(); };

    auto& funktionen = item(menu, "Funktionen1", 1200, "Funktionen");
    int separator = 1;
    for (const LauncherEntry& entry : LauncherEntries()) {
        // The functions are grouped: the four larger jobs, the two programs, the system areas.
        if (entry.area == Area::IE || entry.area == Area::System)
            item(funktionen, SeparatorName(separator++).c_str(), 0, "-");
        auto& entryItem = item(funktionen, entry.menuItemName, entry.menuItemTag, entry.menuItemCaption);
        const Area area = entry.area;
        entryItem.onClick = [this, area] { openArea(area); };
        menuItems_[IndexOf(entry.area)] = &entryItem;
    }

    auto& optionen = item(menu, "Optionen1", 1300, "Optionen");
    item(optionen, "Passwortschutz1", 1301, "Optionen bearbeiten").onClick = [this] { Passwortschutz1Click(); };

    auto& hilfe = item(menu, "Hilfe1", 1400, "&Hilfe");
    item(hilfe, "Inhalt1", 1401, "&Inhalt").onClick = [this] { Inhalt1Click(); };
    item(hilfe, SeparatorName(separator++).c_str(), 0, "-");
    item(hilfe, "Info1", 1402, "In&fo...").onClick = [this] { Info1Click(); };
}

void TForm1::FormCreate()
{
    labelVelmora_->setTextColor(ui::kHeadlineColor);
    const std::string performancePicture = AppDir + "\\performance.bmp";
    if (helpers::FileExists(performancePicture))
        imagePerformance_->loadFromFile(performancePicture);
    ui::HelpFilePath = AppDir + "\\velmora.chm";
}

void TForm1::placeHelpLink()
{
    labelHelp_->setLeft(label2_->left() + label2_->width() + 4);
}

void TForm1::setAreaAction(Area area, std::function<void()> action)
{
    actions_[IndexOf(area)] = std::move(action);
}

void TForm1::openArea(Area area)
{
    if (const auto& action = actions_[IndexOf(area)])
        action();
}

ui::Label& TForm1::areaLabel(Area area) const
{
    return *labels_[IndexOf(area)];
}

components::TMouseImage& TForm1::areaImage(Area area) const
{
    return *images_[IndexOf(area)];
}

ui::MenuItem& TForm1::areaMenuItem(Area area) const
{
    return *menuItems_[IndexOf(area)];
}

void TForm1::FormClose()
{
    hide();
    if (password::Form_Options && password::Form_Options->CheckBox_END().checked()) {
        ui::MessageDlg(language::LangStringRange(kRestartReminderFirst, kRestartReminderLast), ui::MsgKind::Information,
                       {ui::MsgButton::OK});
    }
}

void TForm1::Passwortschutz1Click()
{
    if (password::Form_Options)
        password::Form_Options->showModal();
}

void TForm1::Aenderungenrueckgaengig1Click()
{
    OpenPage(Form_Undo);
}

void TForm1::Inhalt1Click()
{
    ui::ShowHelpTopic("start");
}

void TForm1::Info1Click()
{
    ShowAboutBox(*image1_);
}

}  // namespace app
