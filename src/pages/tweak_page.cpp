#include "pages/tweak_page.h"

#include "ui/layout.h"

#include "language/language.h"
#include "registry/change_journal.h"
#include "ui/look.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/pagecontrol.h"

#include <commctrl.h>

namespace pages {

namespace {

using ui::layout::kPageClientWidth;
using ui::layout::kPageClientHeight;
using ui::layout::kPageControlBounds;
using ui::layout::kFrameButtonTop;
using ui::layout::kFrameButtonWidth;
using ui::layout::kFrameButtonHeight;

// What the change journal calls the changes that opening a page makes.
constexpr int kWhileOpening = 20952;

ui::Button& AddFrameButton(ui::Form& form, const char* name, int tag, int left, const char* caption)
{
    auto& button = form.add<ui::Button>(form, name, ui::Bounds{left, kFrameButtonTop, kFrameButtonWidth, kFrameButtonHeight}, caption);
    button.setTag(tag);
    return button;
}

}  // namespace

TweakPage::TweakPage(const PageDesign& design)
    : ui::Form(design.name, kPageClientWidth, kPageClientHeight, design.defaultCaption),
      titleString_(design.titleString),
      helpTopic_(design.helpTopic)
{
    // Children take their parent's font when they are created, so it comes first.
    setFont(ui::ArialFont(11));
    setKeptOnTop(true);

    pageControl_ = &add<ui::PageControl>(*this, "PageControl1", kPageControlBounds);
    // Tabs that do not fit in one row wrap into further rows, so every sheet's tab stays visible.
    const HWND tabs = pageControl_->handle();
    SetWindowLongA(tabs, GWL_STYLE, GetWindowLongA(tabs, GWL_STYLE) | TCS_MULTILINE);
    help_ = &AddFrameButton(*this, "Button_hilfe", 202, 368, "Hilfe");
    cancel_ = &AddFrameButton(*this, "Button_Abbruch", 201, 464, "Abbrechen");
    apply_ = &AddFrameButton(*this, "Button_Apply", 200, 560, "Ok");
    help_->onClick = [this] { Button_hilfeClick(); };
    cancel_->onClick = [this] { Button_AbbruchClick(); };
    apply_->onClick = [this] { Button_ApplyClick(); };
    setDefaultButton(apply_);
    setCancelButton(cancel_);
    setHelpButton(help_);
}

void TweakPage::finishCreation()
{
    setCaption(language::LangString(titleString_));
    CreateComboItems();
    CreateFilters();
    {
        // Loading may have to change something before it can read (a key made, a file
        // made writable): that is a change set of its own, so it can be undone too.
        const journal::ChangeScope change(caption() + ": " + language::LangString(kWhileOpening));
        LoadSettings();
    }
    if (pageControl_->pageCount() > 0)
        pageControl_->setActivePageIndex(0);
}

TweakPage& TweakPage::acting()
{
    TweakPage* instance = singleInstance();
    return instance ? *instance : *this;
}

void TweakPage::Button_ApplyClick()
{
    TweakPage& page = acting();
    {
        const journal::ChangeScope change(page.caption());
        page.SaveSettings();  // a write error leaves here, and the page stays open
    }
    page.close();
}

void TweakPage::Button_AbbruchClick()
{
    acting().close();
}

void TweakPage::Button_hilfeClick()
{
    ui::ShowHelpTopic(helpTopic_);
}

std::string PictureFilter()
{
    std::string filter = language::LangString(70);
    filter += "|*.jpg;*.jpeg;*.bmp|";
    filter += language::LangString(71);
    filter += "|*.jpg|";
    filter += language::LangString(72);
    filter += "|*.jpeg|";
    filter += language::LangString(73);
    filter += "|*.bmp";
    return filter;
}

}  // namespace pages
