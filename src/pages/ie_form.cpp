#include "pages/ie_form.h"

#include "components/wait_form.h"
#include "language/language.h"
#include "pages/ie_rows.h"
#include "registry/change_journal.h"
#include "registry/helpers.h"
#include "ui/application.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/image.h"
#include "ui/layout.h"
#include "ui/pagecontrol.h"
#include "ui/platform_dialogs.h"
#include "ui/programs.h"

#include <shlobj.h>

namespace pages {

TForm_IE* Form_IE = nullptr;

using namespace ui::layout;
using namespace ie;
using cache::CacheKind;

namespace {

const PageDesign kDesign{"Form_IE", kTitle, "Einstellungen zum Internet Explorer", "ie6"};

constexpr int kPreviewWidth = 593;
constexpr int kPreviewHeight = 81;
constexpr int kDotsWidth = 25;    // the "..." buttons
constexpr int kFieldGap = 8;
constexpr int kSheetButtonWidth = 150;

// The texts of one kind's clean-up: what the wait window says while counting, the
// message when there is nothing, the question (its parts around the count and the
// size) and what the wait window says while deleting.
struct CleanUpTexts {
    int counting;
    int nothingFound;
    int question;     // the question's first line
    int countBefore;  // before the count
    int countAfter;   // after the count
    int sizeAfter;    // after the size in KB; 0 when the kind shows no size
    const char* end;  // after the last text
    int deleting;
};

CleanUpTexts TextsOf(CacheKind kind)
{
    switch (kind) {
    case CacheKind::Cookies: return {8910, 8911, 8912, 8913, 8914, 8915, "", 8916};
    case CacheKind::History: return {8920, 8921, 8922, 8923, 8924, 0, "", 8925};
    case CacheKind::Cache: break;
    }
    return {8900, 8901, 8902, 8903, 8904, kCacheSizeUnit, ".", 8905};
}

std::string Question(CacheKind kind)
{
    using language::LangString;
    const CleanUpTexts texts = TextsOf(kind);
    const cache::CacheCount& count = cache::CountOf(kind);
    std::string text = LangString(texts.question);
    text += '\r';
    text += LangString(texts.countBefore);
    text += ' ';
    text += std::to_string(count.EntryCount);
    text += ' ';
    text += LangString(texts.countAfter);
    if (texts.sizeAfter) {
        text += ' ';
        text += std::to_string(count.ByteTotal >> 10);
        text += ' ';
        text += LangString(texts.sizeAfter);
        text += texts.end;
    }
    return text;
}

// A check box as wide as its caption, followed on its line by an edit up to the
// "..." button (or to the right edge when there is none).
ui::Edit& AddBoxWithEdit(GroupFlow& group, const Caption& box, const char* editName, const char* dotsName = nullptr)
{
    ui::GroupBox& frame = group.box();
    const int top = group.y();
    const int width = ButtonWidthFor(frame, box.text);
    Tagged(frame.add<ui::CheckBox>(frame, box.name,
                                   ui::Bounds{kInset, top + (kFieldHeight - kLineHeight) / 2, width, kLineHeight},
                                   box.text),
           box.tag);
    const int editLeft = kInset + width + kFieldGap;
    const int editRight = dotsName ? group.innerRight() - kDotsWidth - 4 : group.innerRight();
    auto& edit = frame.add<ui::Edit>(frame, editName, ui::Bounds{editLeft, top, editRight - editLeft, kFieldHeight});
    if (dotsName)
        frame.add<ui::Button>(frame, dotsName, ui::Bounds{editRight + 4, top, kDotsWidth, kFieldHeight}, "...");
    group.rowEndsAt(top + kFieldHeight);
    return edit;
}

// A row of buttons at the group's left edge.
void AddButtonRow(GroupFlow& group, std::initializer_list<Caption> buttons)
{
    ui::GroupBox& frame = group.box();
    int left = kInset;
    for (const Caption& caption : buttons) {
        Tagged(frame.add<ui::Button>(frame, caption.name, ui::Bounds{left, group.y(), kSheetButtonWidth, kButtonHeight},
                                     caption.text),
               caption.tag);
        left += kSheetButtonWidth + kFieldGap;
    }
    group.rowEndsAt(group.y() + kButtonHeight);
}

}  // namespace

TForm_IE::TForm_IE() : TweakPage(kDesign)
{
    createLookSheet();
    createOtherSheet();
    createCacheSheet();
    createRestrictionsSheet();
    createOptionsSheet();
    find<ui::Button>("Button_BildLADEN").onClick = [this] { Button_BildLADENClick(); };
    find<ui::Button>("Button_DownloadDIR").onClick = [this] { Button_DownloadDIRClick(); };
    find<ui::Button>("Button_CacheSEHEN").onClick = [this] { Button_CacheSEHENClick(); };
    find<ui::Button>("Button_CacheDELETE").onClick = [this] { Button_CacheDELETEClick(); };
    find<ui::Button>("Button_CookiesSEHEN").onClick = [this] { Button_CookiesSEHENClick(); };
    find<ui::Button>("Button_CookiesDELETE").onClick = [this] { Button_CookiesDELETEClick(); };
    find<ui::Button>("Button_HistoryDELETE").onClick = [this] { Button_HistoryDELETEClick(); };
    finishCreation();
}

ui::TabSheet& TForm_IE::addSheet(const char* name, int tag, const char* caption)
{
    return Tagged(PageControl1().add<ui::TabSheet>(PageControl1(), name, caption), tag);
}

void TForm_IE::createLookSheet()
{
    auto& sheet = addSheet("TabSheet1", 8001, "Darstellung");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox1", 8100, "Fenstertitel"});
        group.note({"Label1", 8105, "Dieser Text steht in der Titelleiste jedes Browserfensters."});
        group.space(2);
        AddBoxWithEdit(group, {"CheckBox_WindowTitle", 8101, "Diesen Fenstertitel verwenden:"}, "Edit_WindowTitle");
    }
    {
        GroupFlow group(sheet, top, {"GroupBox2", 8110, "Toolbar - Hintergrundmuster"});
        AddBoxWithEdit(group, {"CheckBox_BackBitmap", 8111, "Diese Bilddatei verwenden:"}, "Edit_backbitmap",
                       "Button_BildLADEN");
        group.space(3);
        ui::GroupBox& frame = group.box();
        const ui::Bounds area{kInset, group.y(), kPreviewWidth, kPreviewHeight};
        // The label lies under the preview and says so while no picture is shown.
        noPicture_ = &Tagged(frame.add<ui::Label>(frame, "Label20", area, "Kein Bild gewählt..."), 8115);
        noPicture_->setAlignment(SS_CENTER | SS_CENTERIMAGE);
        preview_ = &frame.add<ui::Image>(frame, "Image_IE5", area);
        picture_ = &frame.add<ui::Image>(frame, "Image_IE5_Dummy", ui::Bounds{kInset, group.y(), 1, 1});
        picture_->setVisible(false);
        picture_->setAutoSize(true);
        group.rowEndsAt(group.y() + kPreviewHeight);
        showPreview(false);
    }
    {
        GroupFlow group(sheet, top, {"GroupBox3", 8120, "Menüs und Schaltflächen"});
        group.checkBox({"CheckBox_FavIntelliMenus", 8121,
                        "Das Menü \"Favoriten\" soll nur die häufig verwendeten Einträge anzeigen (Persönliche "
                        "angepasste Menüs verwenden)"});
        group.checkBox({"CheckBox_ShowGoButton", 8122, "Schaltfläche \"Wechseln zu\" anzeigen"});
    }
}

void TForm_IE::createOtherSheet()
{
    auto& sheet = addSheet("TabSheet2", 8002, "Sonstiges");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox4", 8200, "Updates"});
        group.checkBox({"CheckBox_NoUpdateCheck", 8201,
                        "Internet Explorer soll automatisch nach Updates im Internet suchen (wenn online)"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox5", 8210, "Temporäre Internetdateien"});
        group.checkBox({"CheckBox_Persistent", 8211,
                        "Den Ordner \"Temporäre Internet Dateien\" beim Beenden des Browsers leeren"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox6", 8220, "Downloads"});
        group.checkBox({"CheckBox_NotifyDownloadComplete", 8221, "Meldung ausgeben, wenn ein Download beendet wurde"});
        AddBoxWithEdit(group, {"CheckBox_DownloadDIR", 8222, "Diesen Ordner für Downloads vorgeben:"},
                       "Edit_DownloadDIR", "Button_DownloadDIR");
    }
    {
        GroupFlow group(sheet, top, {"GroupBox7", 8230, "Suchseite"});
        group.note({"Label2", 8235,
                    "Diese Adresse öffnet der Internet Explorer für die Suche. Wählen Sie eine der Adressen oder "
                    "geben Sie eine eigene ein; ein leeres Feld lässt die Suchseite unverändert."});
        group.space(2);
        ui::GroupBox& frame = group.box();
        const auto& label = group.inlineLabel({"Label3", 8231, "Adresse:"}, kInset);
        const int left = Right(label) + kFieldGap;
        frame.add<ui::ComboBox>(frame, "ComboBox_SearchPage",
                                ui::Bounds{left, group.y(), group.innerRight() - left, kFieldHeight},
                                std::vector<std::string>{}, ui::ComboStyle::DropDown);
        group.rowEndsAt(group.y() + kFieldHeight);
    }
}

void TForm_IE::createCacheSheet()
{
    auto& sheet = addSheet("TabSheet3", 8003, "Cache, Cookies, History");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox8", 8310, "Cache (Temporäre Internetdateien)"});
        group.note({"Label4", 8311,
                    "Der Internet Explorer legt besuchte Seiten und Bilder im Cache ab, um sie schneller wieder "
                    "anzuzeigen. Leeren gibt den belegten Platz frei."});
        group.space(4);
        AddButtonRow(group, {{"Button_CacheSEHEN", 8315, "Cache ansehen"}, {"Button_CacheDELETE", 8316, "Cache leeren"}});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox9", 8320, "Cookies"});
        group.note({"Label5", 8321,
                    "Cookies sind kleine Dateien, in denen Webseiten Anmeldungen und Einstellungen speichern. Nach "
                    "dem Löschen müssen Sie sich auf solchen Seiten neu anmelden."});
        group.space(4);
        AddButtonRow(group, {{"Button_CookiesSEHEN", 8325, "Cookies ansehen"},
                             {"Button_CookiesDELETE", 8326, "Cookies löschen"}});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox10", 8330, "History (Verlauf)"});
        group.note({"Label6", 8331, "Die History merkt sich die Adressen der besuchten Seiten."});
        group.space(4);
        AddButtonRow(group, {{"Button_HistoryDELETE", 8335, "History löschen"}});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox11", 8340, "Hinweis"});
        group.note({"Label7", 8341,
                    "Diese Schaltflächen löschen sofort, nach einer Rückfrage. \"Abbrechen\" macht das Löschen nicht "
                    "rückgängig."});
    }
}

void TForm_IE::createRestrictionsSheet()
{
    auto& sheet = addSheet("TabSheet4", 8004, "Einschränkungen");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox12", 8400, "Menüs"});
        group.checkBox({"CheckBox_NoFileNew", 8401, "\"Neu -> Fenster\" im Menü \"Datei\" sperren"});
        group.checkBox({"CheckBox_NoFileOpen", 8402, "\"Öffnen\" im Menü \"Datei\" sperren"});
        group.checkBox({"CheckBox_NoBrowserSaveAs", 8403, "\"Speichern unter...\" im Menü \"Datei\" sperren"});
        group.checkBox({"CheckBox_NoTheaterMode", 8404, "\"Vollbild\" im Menü \"Ansicht\" sperren"});
        group.checkBox({"CheckBox_NoFavorites", 8405, "Menü \"Favoriten\" sperren"});
        group.checkBox({"CheckBox_NoBrowserOptions", 8406, "\"Internetoptionen\" im Menü \"Extras\" sperren"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox13", 8410, "Browserfenster"});
        group.checkBox({"CheckBox_NoSelectDownloadDir", 8411, "Auswahl des Verzeichnisses für einen Download sperren"});
        group.checkBox({"CheckBox_NoBrowserContextMenu", 8412,
                        "Kontextmenü (rechte Maustaste) in allen Browser-Fenstern sperren"});
        group.checkBox({"CheckBox_NoBrowserClose", 8413, "Schliessen des Browserfensters (beenden) sperren"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox14", 8420, "Hinweis"});
        group.note({"Label8", 8421,
                    "Die Einschränkungen gelten für den angemeldeten Benutzer, sobald der Internet Explorer neu "
                    "gestartet wird."});
    }
}

void TForm_IE::createOptionsSheet()
{
    auto& sheet = addSheet("TabSheet5", 8005, "Einschränkungen - Internetoptionen");
    int top = kSheetMargin;
    {
        GroupFlow group(sheet, top, {"GroupBox15", 8500, "Reiter der Internetoptionen"});
        group.checkBox({"CheckBox_GeneralTab", 8501, "Reiter \"Allgemein\" sperren"});
        group.checkBox({"CheckBox_SecurityTab", 8502, "Reiter \"Sicherheit\" sperren"});
        group.checkBox({"CheckBox_ContentTab", 8503, "Reiter \"Inhalt\" sperren"});
        group.checkBox({"CheckBox_ConnectionsTab", 8504, "Reiter \"Verbindungen\" sperren"});
        group.checkBox({"CheckBox_ProgramsTab", 8505, "Reiter \"Programme\" sperren"});
        group.checkBox({"CheckBox_AdvancedTab", 8506, "Reiter \"Erweitert\" sperren"});
    }
    {
        GroupFlow group(sheet, top, {"GroupBox16", 8510, "Funktionen der Internetoptionen"});
        group.checkBox({"CheckBox_Connwiz_Admin_Lock", 8511, "Den Assistenten für den Internetzugang sperren"});
        group.checkBox({"CheckBox_SecChangeSettings", 8512, "\"Sicherheitsstufe\" im Reiter \"Sicherheit\" sperren"});
        group.checkBox({"CheckBox_SecAddSites", 8513, "\"Sites\" im Reiter \"Sicherheit\" sperren"});
        group.checkBox({"CheckBox_CertifPers", 8514, "\"Zertifikate\" im Reiter \"Inhalt\" sperren"});
        group.checkBox({"CheckBox_ResetWebSettings", 8515,
                        "\"Webeinstellungen zurücksetzen\" im Reiter \"Programme\" sperren"});
    }
}

void TForm_IE::CreateComboItems()
{
    auto& combo = find<ui::ComboBox>("ComboBox_SearchPage");
    combo.setItems({kSearchPages[0], kSearchPages[1]});
}

void TForm_IE::CreateFilters()
{
    pictureFilter_ = PictureFilter();
}

TweakPage* TForm_IE::singleInstance() const
{
    return Form_IE;
}

void TForm_IE::LoadSettings()
{
    loadRows(IEBindingTable());
}

void TForm_IE::SaveSettings()
{
    saveRows(IEBindingTable());
}

void TForm_IE::showPreview(bool shown)
{
    preview_->setVisible(shown);
    noPicture_->setVisible(!shown || !preview_->hasPicture());
}

void TForm_IE::ShowToolbarPicture(const std::string& path)
{
    find<ui::Edit>("Edit_backbitmap").setText(path);
    if (!helpers::FileExists(path)) {
        showPreview(false);
        return;
    }
    // A file that cannot be decoded shows no picture at all.
    if (!picture_->loadFromFile(path)) {
        showPreview(false);
        return;
    }
    preview_->tileWith(*picture_);
    showPreview(true);
}

void TForm_IE::Button_BildLADENClick()
{
    TForm_IE& page = static_cast<TForm_IE&>(acting());
    ui::OpenDialogRequest request;
    request.title = language::LangString(kPictureDialogTitle);
    request.filter = page.pictureFilter_;
    const auto file = ui::OpenFileDialog(page.handle(), request);
    if (file && !file->empty())
        page.ShowToolbarPicture(*file);
}

void TForm_IE::Button_DownloadDIRClick()
{
    TweakPage& page = acting();
    ui::FolderDialogRequest request;
    request.title = language::LangString(kFolderDialogTitle);
    const auto folder = ui::BrowseFolderDialog(page.handle(), request);
    if (folder && !folder->empty())
        page.find<ui::Edit>("Edit_DownloadDIR").setText(*folder);
}

void TForm_IE::Button_CookiesSEHENClick()
{
    // A failed start of Explorer is not reported.
    ui::WinExec("explorer.exe " + helpers::SpecialFolderPath(acting().handle(), CSIDL_COOKIES), SW_SHOWNORMAL);
}

void TForm_IE::Button_CacheSEHENClick()
{
    ui::WinExec("explorer.exe " + helpers::SpecialFolderPath(acting().handle(), CSIDL_INTERNET_CACHE), SW_SHOWNORMAL);
}

void TForm_IE::Button_CacheDELETEClick()
{
    static_cast<TForm_IE&>(acting()).deleteCacheEntries(CacheKind::Cache, "Button_CacheDELETE");
}

void TForm_IE::Button_CookiesDELETEClick()
{
    static_cast<TForm_IE&>(acting()).deleteCacheEntries(CacheKind::Cookies, "Button_CookiesDELETE");
}

void TForm_IE::Button_HistoryDELETEClick()
{
    static_cast<TForm_IE&>(acting()).deleteCacheEntries(CacheKind::History, "Button_HistoryDELETE");
}

namespace {

// The wait window in front of the page for one scope: the page hides while the wait
// window shows, and comes back when the scope ends, also when the work raised.
class WaitInFrontOf {
public:
    explicit WaitInFrontOf(ui::Form& page) : page_(page), pageShown_(page.visible())
    {
        page_.hide();
        if (auto* wait = components::WarteForm)
            wait->show();
        ui::ProcessMessages();
    }
    WaitInFrontOf(const WaitInFrontOf&) = delete;
    WaitInFrontOf& operator=(const WaitInFrontOf&) = delete;
    ~WaitInFrontOf()
    {
        if (pageShown_)
            page_.show();
        if (auto* wait = components::WarteForm)
            wait->hide();
    }

private:
    ui::Form& page_;
    bool pageShown_;
};

void PrepareWaitWindow(int headline, bool withProgress, std::uint32_t entries)
{
    auto* wait = components::WarteForm;
    if (!wait)
        return;
    wait->Label1().setCaption(language::LangString(headline));
    wait->Label2().setCaption("");
    wait->Button1().setEnabled(true);
    wait->ProgressBar1().setVisible(withProgress);
    if (withProgress) {
        // The bar's range is a signed number; a count beyond it fills the bar early.
        wait->ProgressBar1().setRange(0, static_cast<int>(std::min<std::uint32_t>(entries, 0x7FFFFFFF)));
        wait->ProgressBar1().setPosition(0);
    }
}

}  // namespace

void TForm_IE::deleteCacheEntries(CacheKind kind, const char* buttonName)
{
    const CleanUpTexts texts = TextsOf(kind);
    auto& button = find<ui::Button>(buttonName);
    ui::CancelRequested = false;
    PrepareWaitWindow(texts.counting, false, 0);
    {
        const WaitInFrontOf waiting(*this);
        cache::CountCacheEntries(kind);
    }
    if (ui::CancelRequested) {
        ui::CancelRequested = false;
        return;
    }
    if (cache::CountOf(kind).EntryCount == 0) {
        ui::ShowMessage(language::LangString(texts.nothingFound));
        button.setEnabled(false);
        return;
    }
    // Only Yes deletes.
    if (ui::MessageDlg(Question(kind), ui::MsgKind::Confirmation, {ui::MsgButton::Yes, ui::MsgButton::No}) !=
        ui::MsgButton::Yes)
        return;
    const journal::ChangeScope change(caption() + ": " + button.caption());
    ui::CancelRequested = false;
    PrepareWaitWindow(texts.deleting, true, cache::CountOf(kind).EntryCount);
    {
        const WaitInFrontOf waiting(*this);
        cache::DeleteCacheEntries(kind);
    }
    button.setEnabled(false);
}

}  // namespace pages
