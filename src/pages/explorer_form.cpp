#include "pages/explorer_form.h"

#include "language/language.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "registry/registry.h"
#include "ui/application.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/drive_pictures.h"
#include "ui/image.h"
#include "ui/layout.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"
#include "ui/platform_dialogs.h"
#include "ui/spinedit.h"

namespace pages {

TForm_Explorer* Form_Explorer = nullptr;

using namespace ui::layout;
using namespace explorer;
using shell_icons::IconLocation;

namespace {

const PageDesign kDesign{"Form_Explorer", kTitle, "Einstellungen zu Explorer und Desktop", "explorerdesktop"};

constexpr int kFieldGap = 8;
constexpr int kComboWidth = 170;
constexpr int kSpinWidth = 70;
constexpr int kIconSize = 32;

// The toolbar picture's preview.
constexpr int kPreviewWidth = 593;
constexpr int kPreviewHeight = 81;

// The tab "Symbole": three group boxes side by side, an icon and its label every 40
// pixels, the two buttons below.
constexpr int kSymbolGroupTop = 88;
constexpr int kSymbolGroupLefts[3] = {8, 216, 424};
constexpr int kSymbolGroupWidth = 196;
constexpr int kSymbolGroupHeight = 321;
constexpr int kSymbolFirstRow = 24;
constexpr int kSymbolRowStep = 40;
constexpr int kSymbolImageLeft = 12;
constexpr int kSymbolLabelLeft = 52;
constexpr int kSymbolButtonTop = 424;
constexpr int kSymbolButtonWidth = 128;
constexpr int kSymbolButtonHeight = 25;

const std::vector<std::string> kSmoothingTypes = {"Standard (empfohlen)", "ClearType"};

// A word-wrapped text at (left, top) of the given width, as high as its text.
ui::Label& AddNote(ui::Control& parent, const Caption& caption, int left, int top, int width)
{
    auto& label = Tagged(parent.add<ui::Label>(parent, caption.name, ui::Bounds{left, top, width, 0}, caption.text),
                         caption.tag);
    label.setWordWrap(true);
    label.setAutoSize(true);
    return label;
}

// A check box as wide as its caption at the start of a field line.
ui::CheckBox& AddLeadingCheckBox(GroupFlow& group, const Caption& caption, int left)
{
    ui::GroupBox& box = group.box();
    return Tagged(box.add<ui::CheckBox>(box, caption.name,
                                        ui::Bounds{left, group.y() + (kFieldHeight - kLineHeight) / 2,
                                                   ButtonWidthFor(box, caption.text), kLineHeight},
                                        caption.text),
                  caption.tag);
}

}  // namespace

TForm_Explorer::TForm_Explorer() : TweakPage(kDesign), driveImages_(ui::DriveImageList(kIconSize))
{
    createLookSheet();
    createWindowSheet();
    createSymbolSheet();
    createSettingsSheet();
    createDrivesSheet();
    createRestrictionsSheet();
    finishCreation();
}

TForm_Explorer::~TForm_Explorer()
{
    // The drive pictures go before the list that shows them.
    if (drives_)
        drives_->setLargeImages(nullptr);
}

ui::TabSheet& TForm_Explorer::addSheet(const char* name, int tag, const char* caption)
{
    return Tagged(PageControl1().add<ui::TabSheet>(PageControl1(), name, caption), tag);
}

void TForm_Explorer::createLookSheet()
{
    auto& sheet = addSheet("TabSheet1", 7001, "Darstellung");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox5", 7100, "Verknüpfungen"});
        group.checkBox({"CheckBox_LNKs", 7101, "Verknüpfungen mit einem Symbol (kleiner Pfeil) kennzeichnen"});
        group.checkBox({"CheckBox_PIFs", 7102,
                        "Verknüpfungen zu DOS-Anwendungen (PIF-Dateien) auch mit einem Symbol (kleiner Pfeil) "
                        "kennzeichnen"});
        group.checkBox({"CheckBox_LNKsmit", 7103,
                        "Neu erstellte Verknüpfungen mit dem Namenszusatz \"Verknüpfung mit...\" kennzeichnen"});
        // "Symbol für Verknüpfungen: [arrow] [Symbol ändern]"
        ui::GroupBox& box = group.box();
        group.space(2);
        const int lineTop = group.y();
        auto& label = Tagged(box.add<ui::Label>(box, "Label_LNK", ui::Bounds{kInset + kGlyph, lineTop, 0, 0},
                                                "Symbol für Verknüpfungen (kleiner Pfeil):"),
                             7110);
        label.setAutoSize(true);
        label.setTop(lineTop + (kIconSize - label.height()) / 2);
        auto& arrow = box.add<ui::Image>(box, "Image_LNK",
                                         ui::Bounds{Right(label) + kFieldGap, lineTop, kIconSize, kIconSize});
        auto& change = Tagged(box.add<ui::Button>(box, "Button_LNKSymbol",
                                                  ui::Bounds{Right(arrow) + 12, lineTop + (kIconSize - 25) / 2, 120, 25},
                                                  "Symbol ändern"),
                              7119);
        change.onClick = [this] { Button_LNKSymbolClick(); };
        group.rowEndsAt(lineTop + kIconSize);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox7", 7120, "Sonstige Darstellung"});
        group.checkBox({"CheckBox_PaintDesktopVersion", 7121,
                        "Windows-Version in der rechten, unteren Ecke auf dem Desktop anzeigen"});
        group.checkBox({"CheckBox_DragFullWindows", 7122,
                        "Fensterinhalt während Verschieben && Größe ändern anzeigen (sonst nur Fensterrahmen)"});
        // "Schriftenglättung aktivieren im Modus [Standard (empfohlen)]"
        ui::GroupBox& box = group.box();
        auto& smoothing = AddLeadingCheckBox(group, {"CheckBox_FontSmoothing", 7123, "Schriftenglättung aktivieren im Modus"},
                                             kInset);
        box.add<ui::ComboBox>(box, "ComboBox_FontSmoothingType",
                              ui::Bounds{Right(smoothing) + 4, group.y(), kComboWidth, kFieldHeight}, kSmoothingTypes);
        group.rowEndsAt(group.y() + kFieldHeight);
        group.checkBox({"CheckBox_MenuSchatten", 7124, "Schatten unter allen Menüs (in allen Fenstern) anzeigen"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox2", 7130, "Hintergrundbild - Position"});
        // "[ ] Hintergrundbild nicht zentrieren, sondern auf Pixel-Position  X: [ 1 ]  Y: [ 1 ]"
        ui::GroupBox& box = group.box();
        auto& place = AddLeadingCheckBox(
            group, {"CheckBox_WallPaperXY", 7131, "Hintergrundbild nicht zentrieren, sondern auf Pixel-Position"},
            kInset);
        int x = Right(place) + kFieldGap;
        const auto addCoordinate = [&](const Caption& caption, const char* spinName) {
            x = Right(group.inlineLabel(caption, x)) + 4;
            auto& spin = box.add<ui::SpinEdit>(box, spinName, ui::Bounds{x, group.y(), kSpinWidth, kFieldHeight}, 1,
                                               4096, 1, 1);
            x = SpinRight(spin) + 12;
        };
        addCoordinate({"Label_WallPaperOriginX", 7132, "X:"}, "SpinEdit_WallPaperOriginX");
        addCoordinate({"Label_WallPaperOriginY", 7133, "Y:"}, "SpinEdit_WallPaperOriginY");
        group.rowEndsAt(group.y() + kFieldHeight);
        group.note({"Label1", 7135,
                    "Die Position gilt für die linke, obere Ecke des Hintergrundbilds, gemessen in Pixeln vom "
                    "linken, oberen Bildschirmrand."},
                   kGlyph);
    }
}

void TForm_Explorer::createWindowSheet()
{
    auto& sheet = addSheet("TabSheet3", 7002, "Explorer-Fenster");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox6", 7200, "Toolbar - Hintergrundmuster"});
        group.note({"Label2", 7205,
                    "Das Bild wird als Muster hinter die Symbolleisten der Explorer-Fenster gelegt und dazu "
                    "nebeneinander wiederholt."});
        group.space(4);
        // "[ ] Diese Bilddatei verwenden: [path          ] [...]"
        ui::GroupBox& box = group.box();
        auto& use = AddLeadingCheckBox(group, {"CheckBox_BackBitmapShell", 7201, "Diese Bilddatei verwenden:"}, kInset);
        constexpr int kBrowseWidth = 25;
        const int browseLeft = group.innerRight() - kBrowseWidth;
        const int editLeft = Right(use) + 4;
        box.add<ui::Edit>(box, "Edit_backbitmapShell",
                          ui::Bounds{editLeft, group.y(), browseLeft - 4 - editLeft, kFieldHeight});
        auto& browse = box.add<ui::Button>(box, "Button_BildLADEN",
                                           ui::Bounds{browseLeft, group.y() - 1, kBrowseWidth, kFieldHeight + 2}, "...");
        browse.onClick = [this] { Button_BildLADENClick(); };
        group.rowEndsAt(group.y() + kFieldHeight);
        group.space(4);
        const ui::Bounds preview{kInset, group.y(), kPreviewWidth, kPreviewHeight};
        box.add<ui::Image>(box, "Image_Explorer", preview).setVisible(false);
        auto& dummy = box.add<ui::Image>(box, "Image_Explorer_Dummy", preview);
        dummy.setVisible(false);
        dummy.setAutoSize(true);
        group.rowEndsAt(preview.top + preview.height);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox4", 7210, "Inhalt von BMP-Dateien direkt als Symbol verwenden für die Datei"});
        group.checkBox({"CheckBox_PaintPicture", 7211, "Inhalt von BMP-Bilddateien als Dateisymbol verwenden"});
        group.note({"Label3", 7215,
                    "Explorer zeigt dann statt eines Symbols ein verkleinertes Bild jeder Bitmap-Datei. Ordner mit "
                    "vielen Bildern öffnen sich dadurch langsamer."},
                   kGlyph);
    }
}

void TForm_Explorer::createSymbolSheet()
{
    auto& sheet = addSheet("TabSheet6", 7003, "Symbole");
    const int width = sheet.clientWidth() - 2 * kSheetMargin;
    int y = kSheetMargin;
    const Caption notes[] = {
        {"Label_Symbole1", 7300, "Hier ersetzen Sie die Symbole, die Windows für Systemobjekte, Ordner und Laufwerke zeigt."},
        {"Label_Symbole2", 7301, "Klicken Sie auf ein Symbol, um ein anderes aus einer Symbol-, DLL- oder Programmdatei zu wählen."},
        {"Label_Symbole3", 7302,
         "\"Anwenden\" übernimmt die gewählten Symbole sofort; \"Ok\" und \"Abbrechen\" ändern daran nichts."},
        {"Label_Symbole4", 7303, "\"Zurücksetzen\" stellt die Symbole von Windows wieder her."},
    };
    for (const Caption& note : notes)
        y = Bottom(AddNote(sheet, note, kSheetMargin, y, width)) + 2;

    const Caption groups[3] = {{"GroupBox15", 7310, "Symbole für System-Objekte"},
                               {"GroupBox14", 7320, "Symbole für Explorer"},
                               {"GroupBox9", 7330, "Symbole für Laufwerke"}};
    ui::GroupBox* boxes[3] = {};
    for (int index = 0; index < 3; ++index)
        boxes[index] = &Tagged(sheet.add<ui::GroupBox>(sheet, groups[index].name,
                                                       ui::Bounds{kSymbolGroupLefts[index], kSymbolGroupTop,
                                                                  kSymbolGroupWidth, kSymbolGroupHeight},
                                                       groups[index].text),
                               groups[index].tag);
    int rows[3] = {};
    for (const shell_icons::SlotPicture& picture : shell_icons::kSlotPictures) {
        ui::GroupBox& box = *boxes[picture.group];
        const int rowTop = kSymbolFirstRow + kSymbolRowStep * rows[picture.group]++;
        auto& image = box.add<ui::Image>(box, picture.image, ui::Bounds{kSymbolImageLeft, rowTop, kIconSize, kIconSize});
        image.setCursor(IDC_HAND);
        image.onClick = [this, &image] { Image_Shell_15Click(image); };
        auto& label = AddNote(box, {picture.label, picture.labelTag, picture.labelText}, kSymbolLabelLeft, rowTop,
                              kSymbolGroupWidth - kSymbolLabelLeft - kInset);
        label.setTop(rowTop + (kIconSize - label.height()) / 2);
    }

    const auto addButton = [&](const Caption& caption, int left) -> ui::Button& {
        return Tagged(sheet.add<ui::Button>(sheet, caption.name,
                                            ui::Bounds{left, kSymbolButtonTop, kSymbolButtonWidth, kSymbolButtonHeight},
                                            caption.text),
                      caption.tag);
    };
    auto& doNow = addButton({"Button_DOSymboleNOW", 7352, "Anwenden"}, kSheetMargin);
    doNow.setVisible(false);
    doNow.onClick = [this] { Button_DOSymboleNOWClick(); };
    addButton({"Button_SymboleRESET", 7351, "Zurücksetzen"}, 352).onClick = [this] { Button_SymboleRESETClick(); };
    addButton({"Button_SymboleAPPLY", 7350, "Anwenden"}, 492).onClick = [this] { Button_SymboleAPPLYClick(); };
}

void TForm_Explorer::createSettingsSheet()
{
    auto& sheet = addSheet("TabSheet2", 7004, "Einstellungen");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox1", 7430, "Sonstiges"});
        group.checkBox({"CheckBox_CommandPrompt", 7431,
                        "\"Eingabeaufforderung von hier\" zum Kontextmenü für Ordner hinzufügen"});
        group.checkBox({"CheckBox_Notepad", 7432,
                        "Unbekannte Dateitypen bei Doppelklick immer mit dem Notepad öffnen (keine Abfrage mehr \"mit "
                        "welcher Anwendung...\")"});
        group.checkBox({"CheckBox_NukeOnDelete", 7433,
                        "Dateien die in den Papierkorb verschoben werden sofort löschen (Dateien können nicht "
                        "wiederhergestellt werden!)"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox3", 7410, "CD-Brenner"});
        group.checkBox({"CheckBox_NoCDBurning", 7411, "Integriertes CD-Brennen abschalten für diesen Benutzer"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox8", 7400, "Benutzerüberwachung"});
        group.checkBox({"CheckBox_NoInstrumentation", 7401, "Benutzerüberwachung deaktivieren"});
        group.note({"Label4", 7405,
                    "Windows merkt sich dann nicht mehr, welche Programme und Dokumente Sie wie oft öffnen."},
                   kGlyph);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox10", 7420, "ActiveDesktop"});
        group.checkBox({"CheckBox_NoActiveDesktop", 7421, "ActiveDesktop deaktivieren"});
    }
}

void TForm_Explorer::createDrivesSheet()
{
    auto& sheet = addSheet("TabSheet5", 7005, "Laufwerke verstecken");
    const int width = sheet.clientWidth() - 2 * kSheetMargin;
    auto& label = AddNote(sheet, {"Label_NoDrives", 7503, "Unsichtbare Laufwerke mit Häkchen markieren"}, kSheetMargin,
                          kSheetMargin, width);
    const int bottom = sheet.clientHeight() - kSheetMargin;
    auto& note = AddNote(sheet,
                         {"Label5", 7505,
                          "Versteckte Laufwerke fehlen im Arbeitsplatz und in den Explorer-Fenstern dieses Benutzers. "
                          "Über ihren Pfad bleiben sie erreichbar."},
                         kSheetMargin, 0, width);
    note.setTop(bottom - note.height());
    ui::ListViewOptions options;
    options.style = ui::ListViewStyle::LargeIcons;
    options.checkBoxes = true;
    const int listTop = Bottom(label) + 6;
    drives_ = &sheet.add<ui::ListView>(sheet, "ListView_NoDrives",
                                       ui::Bounds{kSheetMargin, listTop, width, note.top() - 8 - listTop}, options);
    drives_->setLargeImages(driveImages_.get());
}

void TForm_Explorer::createRestrictionsSheet()
{
    auto& sheet = addSheet("TabSheet4", 7006, "Einschränkungen");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox11", 7610, "Systemsteuerung - Anzeige"});
        group.checkBox({"CheckBox_NoDispCPL", 7611,
                        "Aufruf von \"Eigenschaften von Anzeige\" sperren (Benutzer kann keine Änderungen an der "
                        "Anzeige machen)"});
        group.checkBox({"CheckBox_NoDispBackgroundPage", 7612, "Reiter \"Desktop\" sperren"});
        group.checkBox({"CheckBox_NoDispScrSavPage", 7613, "Reiter \"Bildschirmschoner\" sperren"});
        group.checkBox({"CheckBox_NoDispAppearancePage", 7614, "Reiter \"Darstellung\" und Reiter \"Designs\" sperren"});
        group.checkBox({"CheckBox_NoDispSettingsPage", 7615, "Reiter \"Einstellungen\" sperren"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox12", 7620, "Sonstige"});
        group.checkBox({"CheckBox_NoViewContextMenu", 7621,
                        "Kontextmenü (rechte Maustaste) für den Windows-Desktop und für alle Explorer-Fenster "
                        "sperren"});
        group.checkBox({"CheckBox_NoWinKeys", 7622,
                        "Windows-Taste sperren (alles ausser Aufruf des Startmenüs - auch z.B. Windows-Taste+TAB)"});
        group.checkBox({"CheckBox_NoFileAssociate_XP", 7623,
                        "Änderungen an Dateitypen nicht zulassen (Explorer - Menü \"Extras\" unter \"Ordneroptionen\")"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox13", 7630, "Explorer-Fenster"});
        group.checkBox({"CheckBox_NoShellSearchButton_XP", 7631, "Schaltfäche \"Suchen\" sperren"});
        group.checkBox({"CheckBox_NoFileMenu", 7632, "Menü \"Datei\" sperren"});
        group.checkBox({"CheckBox_NoFolderOptions", 7633,
                        "\"Ordneroptionen\" im Menü\" Extras\" sperren (Benutzer kann keine Änderungen an der Ansicht "
                        "der Ordner vornehmen)"});
    }
}

void TForm_Explorer::CreateComboItems()
{
    auto& types = find<ui::ComboBox>("ComboBox_FontSmoothingType");
    types.setItems({language::LangString(kFontSmoothingStandard), language::LangString(kFontSmoothingStandard + 1)});
    types.setItemIndex(0);
}

void TForm_Explorer::CreateFilters()
{
    pictureFilter_ = PictureFilter();
}

TweakPage* TForm_Explorer::singleInstance() const
{
    return Form_Explorer;
}

TForm_Explorer& TForm_Explorer::page()
{
    return static_cast<TForm_Explorer&>(acting());
}

void TForm_Explorer::LoadSettings()
{
    loadRows(ExplorerBindingTable());
}

void TForm_Explorer::SaveSettings()
{
    saveRows(ExplorerBindingTable());
}

// --- Toolbar picture -------------------------------------------------------------

void TForm_Explorer::ShowToolbarPicture(const std::string& path)
{
    find<ui::Edit>("Edit_backbitmapShell").setText(path);
    auto& preview = find<ui::Image>("Image_Explorer");
    auto& picture = find<ui::Image>("Image_Explorer_Dummy");
    // A file that is gone (or holds no picture) keeps its path, without a preview.
    if (!helpers::FileExists(path) || !picture.loadFromFile(path)) {
        preview.setVisible(false);
        return;
    }
    preview.tile(picture);
    preview.setVisible(true);
}

void TForm_Explorer::Button_BildLADENClick()
{
    TForm_Explorer& form = page();
    ui::OpenDialogRequest request;
    request.title = language::LangString(kPictureDialogTitle);
    request.filter = form.pictureFilter_;
    request.fileMustExist = true;
    if (const auto file = ui::OpenFileDialog(form.handle(), request))
        form.ShowToolbarPicture(*file);
}

// --- Shell icons -----------------------------------------------------------------

std::array<ui::Image*, shell_icons::kPictureCount> TForm_Explorer::slotImages() const
{
    std::array<ui::Image*, shell_icons::kPictureCount> images{};
    for (int index = 0; index < shell_icons::kPictureCount; ++index)
        images[static_cast<std::size_t>(index)] = &find<ui::Image>(shell_icons::kSlotPictures[index].image);
    return images;
}

void TForm_Explorer::LoadShellIcons()
{
    slots_.loadAll(slotImages());
}

void TForm_Explorer::LoadShortcutArrow()
{
    auto& image = find<ui::Image>("Image_LNK");
    arrow_ = shell_icons::ParseArrowText("");
    image.setIcon(ui::IconHandle());
    arrow_ = shell_icons::ParseArrowText(
        registry::RegReadText(HKLM, shell_icons::kShellIconsKey, std::to_string(shell_icons::kArrowSlot)));
    image.setIcon(shell_icons::ExtractShellIcon(arrow_));
}

void TForm_Explorer::Image_Shell_15Click(ui::Image& sender)
{
    TForm_Explorer& form = page();
    if (shell_icons::IconSlot* slot = form.slots_.slotOf(form.find<ui::Image>(sender.name())))
        form.slots_.pick(form.handle(), *slot);
}

void TForm_Explorer::Button_SymboleAPPLYClick()
{
    TForm_Explorer& form = page();
    const journal::ChangeScope change(form.caption() + ": " + form.find<ui::Button>("Button_SymboleAPPLY").caption());
    if (ui::MessageDlg(language::LangStringRange(shell_icons::kApplyWarning, shell_icons::kApplyWarning + 6),
                       ui::MsgKind::Warning, {ui::MsgButton::OK, ui::MsgButton::Cancel}) != ui::MsgButton::OK)
        return;
    form.Button_DOSymboleNOWClick();
    ui::ShowMessage(language::LangString(shell_icons::kApplied));
}

void TForm_Explorer::Button_DOSymboleNOWClick()
{
    TForm_Explorer& form = page();
    const journal::ChangeScope change(form.caption() + ": " + form.find<ui::TabSheet>("TabSheet6").caption());
    form.slots_.apply();
}

void TForm_Explorer::Button_SymboleRESETClick()
{
    TForm_Explorer& form = page();
    const journal::ChangeScope change(form.caption() + ": " + form.find<ui::Button>("Button_SymboleRESET").caption());
    if (ui::MessageDlg(language::LangStringRange(shell_icons::kResetQuestion, shell_icons::kResetQuestion + 2),
                       ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) != ui::MsgButton::Yes)
        return;
    shell_icons::ResetShellIconValues();
    form.LoadShellIcons();
    form.slots_.apply();
}

void TForm_Explorer::Button_LNKSymbolClick()
{
    TForm_Explorer& form = page();
    const journal::ChangeScope change(form.caption() + ": " + form.find<ui::Button>("Button_LNKSymbol").caption());
    const auto chosen = shell_icons::PickDifferentIcon(form.handle(), form.arrow_);
    if (!chosen)
        return;
    if (ui::MessageDlg(language::LangStringRange(shell_icons::kArrowWarning, shell_icons::kArrowWarning + 3),
                       ui::MsgKind::Warning, {ui::MsgButton::OK, ui::MsgButton::Cancel}) != ui::MsgButton::OK)
        return;
    form.arrow_ = *chosen;
    form.find<ui::Image>("Image_LNK").setIcon(shell_icons::ExtractShellIcon(form.arrow_));
    ui::ProcessMessages();
    registry::RegWriteText(HKLM, shell_icons::kShellIconsKey, std::to_string(shell_icons::kArrowSlot),
                           shell_icons::ArrowText(form.arrow_));
    shell_icons::NotifyShell();
}

}  // namespace pages
