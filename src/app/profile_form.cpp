#include "app/profile_form.h"

#include "language/language.h"
#include "profiles/profile_texts.h"
#include "ui/controls.h"
#include "ui/look.h"
#include "ui/help.h"
#include "ui/layout.h"
#include "ui/listview.h"

namespace app {

TForm_Profil* Form_Profil = nullptr;

namespace {

using ui::layout::Bottom;
using ui::layout::Tagged;

constexpr int kClientWidth = 720;
constexpr int kClientHeight = 460;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 25;
constexpr int kPageColumn = 160;
constexpr int kSettingColumn = 330;
constexpr int kStateColumn = 100;

ui::Label& AddText(ui::Control& parent, const char* name, int tag, const char* text, int top, int width)
{
    auto& label = Tagged(parent.add<ui::Label>(parent, name, ui::Bounds{kMargin, top, width, 0}, text), tag);
    label.setWordWrap(true);
    label.setAutoSize(true);
    return label;
}

ui::Button& AddButton(ui::Form& form, const char* name, int tag, const char* caption, int left, int top)
{
    return Tagged(form.add<ui::Button>(form, name, ui::Bounds{left, top, kButtonWidth, kButtonHeight}, caption), tag);
}

}  // namespace

TForm_Profil::TForm_Profil() : ui::Form("Form_Profil", kClientWidth, kClientHeight, "Profil anwenden")
{
    // Children take their parent's font when they are created, so it comes first.
    setFont(ui::ArialFont(11));
    setKeptOnTop(true);
    setTag(profiles::kPreviewCaption);
    const int width = kClientWidth - 2 * kMargin;
    auto& intro = AddText(*this, "Label_Intro", profiles::kPreviewIntro,
                          "Diese Einstellungen ändert das Profil. Einstellungen, die schon so sind, wie das Profil "
                          "sagt, fehlen in der Liste. Erst \"Anwenden\" ändert etwas; die Änderung lässt sich unter "
                          "\"Datei > Änderungen rückgängig machen\" als Ganzes zurücknehmen.",
                          kMargin, width);
    file_ = &AddText(*this, "Label_File", 0, "", Bottom(intro) + 6, width);

    const int buttonTop = kClientHeight - kMargin - kButtonHeight;
    count_ = &AddText(*this, "Label_Count", 0, "", buttonTop, width - 3 * (kButtonWidth + kMargin));
    const int listTop = Bottom(*file_) + 6;
    changes_ = &add<ui::ListView>(*this, "ListView_Changes",
                                  ui::Bounds{kMargin, listTop, width, buttonTop - kMargin - listTop},
                                  ui::ListViewOptions{ui::ListViewStyle::Report, false, true});
    changes_->addColumn(language::LangString(profiles::kColumnPage), kPageColumn);
    changes_->addColumn(language::LangString(profiles::kColumnSetting), kSettingColumn);
    changes_->addColumn(language::LangString(profiles::kColumnNow), kStateColumn);
    changes_->addColumn(language::LangString(profiles::kColumnProfile), width - kPageColumn - kSettingColumn - kStateColumn - 22);

    auto& help = AddButton(*this, "Button_hilfe", 202, "Hilfe", kClientWidth - 3 * (kButtonWidth + kMargin), buttonTop);
    auto& cancel = AddButton(*this, "Button_Abbruch", 201, "Abbrechen", kClientWidth - 2 * (kButtonWidth + kMargin), buttonTop);
    apply_ = &AddButton(*this, "Button_Apply", profiles::kApplyButton, "&Anwenden", kClientWidth - kButtonWidth - kMargin,
                        buttonTop);
    help.onClick = [this] { Button_hilfeClick(); };
    cancel.onClick = [this] { close(); };
    apply_->onClick = [this] { Button_ApplyClick(); };
    setDefaultButton(apply_);
    setCancelButton(&cancel);
    setHelpButton(&help);
    setCaption(language::LangString(profiles::kPreviewCaption));
}

void TForm_Profil::showPlan(const std::string& profilePath, const profiles::ProfilePlan& plan)
{
    file_->setCaption(language::LangString(profiles::kPreviewProfile) + " " + profilePath);
    // The file's path may take two lines; the list starts below it and keeps its bottom.
    const int listBottom = Bottom(*changes_);
    const int listTop = Bottom(*file_) + 6;
    changes_->setBounds({changes_->left(), listTop, changes_->width(), listBottom - listTop});
    changes_->clear();
    std::size_t skipped = 0;
    for (const profiles::PagePlan& page : plan.pages) {
        skipped += page.notHere.size();
        // The page's caption stands on its first row only, so its settings read as a group.
        bool first = true;
        for (const profiles::SettingChange& change : page.changes) {
            const int row = changes_->addItem(first ? page.caption : std::string());
            first = false;
            changes_->setSubItem(row, 1, change.caption);
            changes_->setSubItem(row, 2, change.now);
            changes_->setSubItem(row, 3, change.profile);
        }
    }
    std::string count = language::LangString(profiles::kPreviewCount) + " " + std::to_string(plan.changeCount());
    if (skipped > 0) {
        count += '\r';
        count += language::LangString(profiles::kPreviewSkipped);
        count += ' ';
        count += std::to_string(skipped);
    }
    count_->setCaption(count);
    count_->setTop(apply_->top() + apply_->height() - count_->height());
    if (changes_->itemCount() > 0)
        changes_->setSelectedIndex(0);
}

void TForm_Profil::Button_ApplyClick()
{
    confirmed_ = true;
    close();
}

void TForm_Profil::Button_hilfeClick()
{
    ui::ShowHelpTopic("profile");
}

}  // namespace app
