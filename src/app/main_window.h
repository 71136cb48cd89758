// The main window: the launcher of the program. Twelve entries (a picture, a bold
// label and a description each) and the menu "Funktionen" open the twelve areas;
// the menu bar also offers undoing changes, quitting, the options page, help and the
// about box.
#pragma once

#include "components/mouse_image.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/menu.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace app {

class SearchBox;

// The twelve areas, in the order of the launcher's entries.
enum class Area { Assistent, Bericht, InternetZugang, CleanUp, IE, OfficeXP, System, Explorer, Startmenu, Anmelden, Autorun, Sonstiges };
constexpr int kAreaCount = 12;

// What one launcher entry is made of.
struct LauncherEntry {
    Area area;
    const char* labelName;
    int labelTag;
    const char* labelCaption;
    POINT labelAt;
    const char* imageName;
    POINT imageAt;
    int pictureResource;
    const char* descriptionName;
    int descriptionTag;
    const char* descriptionCaption;
    int descriptionTop;
    const char* menuItemName;
    int menuItemTag;
    const char* menuItemCaption;
};

const std::array<LauncherEntry, kAreaCount>& LauncherEntries();

class TForm1 : public ui::Form {
public:
    TForm1();
    ~TForm1() override;

    // What an area's label, picture and menu item open; an area without an action
    // does nothing yet.
    void setAreaAction(Area area, std::function<void()> action);
    void openArea(Area area);

    ui::Label& areaLabel(Area area) const;
    components::TMouseImage& areaImage(Area area) const;
    ui::MenuItem& areaMenuItem(Area area) const;

    ui::Image& Image1() const { return *image1_; }
    ui::Label& Label2() const { return *label2_; }
    ui::Label& Label_Help() const { return *labelHelp_; }
    // The search field and its list of matches, right of the logo.
    SearchBox& search() const { return *search_; }

    // Puts "hier." 4 pixels right of the sentence it ends, after localisation.
    void placeHelpLink();

    void FormCreate();
    void FormClose();
    void Beenden1Click() { close(); }
    // "Änderungen rückgängig machen...": the undo dialog of the change journal.
    void Aenderungenrueckgaengig1Click();
    void Passwortschutz1Click();
    void Inhalt1Click();
    void Label_HelpClick() { Inhalt1Click(); }
    void Info1Click();

private:
    void createBackground();
    void createLaunchers();
    void createFooter();
    void createMenu();
    void addHover(ui::Control& pointedAt, ui::Label& label);

    ui::Image* image1_ = nullptr;
    ui::Image* imagePerformance_ = nullptr;
    ui::Label* labelVelmora_ = nullptr;
    ui::Label* label2_ = nullptr;
    ui::Label* labelHelp_ = nullptr;
    std::array<ui::Label*, kAreaCount> labels_{};
    std::array<components::TMouseImage*, kAreaCount> images_{};
    std::array<ui::MenuItem*, kAreaCount> menuItems_{};
    std::array<std::function<void()>, kAreaCount> actions_{};
    std::unique_ptr<SearchBox> search_;
};

// The main window of the run; nullptr before start-up created it.
extern TForm1* Form1;

}  // namespace app
