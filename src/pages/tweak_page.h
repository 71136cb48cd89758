// The frame every tweak page shares: a dialog of 660 x 540 pixels, kept on top, with
// the tab control PageControl1 and the buttons "Hilfe", "Abbrechen" and "Ok" below it.
// A page builds its sheets and controls in its own constructor and then calls
// finishCreation(), which runs the creation steps in their order: caption from the
// title string, combo box items, file filters, LoadSettings, first sheet.
#pragma once

#include "pages/binding.h"
#include "ui/form.h"

#include <string>

namespace ui {
class Button;
class PageControl;
}

namespace pages {

// What tells one page apart from the others in the frame.
struct PageDesign {
    const char* name;            // the form's name, "Form_System"
    int titleString;             // language string of the window caption
    const char* defaultCaption;  // the caption of the form definition
    const char* helpTopic;       // the page's topic in the help file
};

class TweakPage : public ui::Form {
public:
    explicit TweakPage(const PageDesign& design);

    ui::PageControl& PageControl1() const { return *pageControl_; }
    ui::Button& Button_Apply() const { return *apply_; }
    ui::Button& Button_Abbruch() const { return *cancel_; }
    ui::Button& Button_hilfe() const { return *help_; }

    // Reads every bound value into its control; shows no message of its own.
    virtual void LoadSettings() = 0;
    // Writes every bound control; the first write error ends it and propagates.
    virtual void SaveSettings() = 0;

    // "Ok": SaveSettings, then close. A write error leaves the page open.
    void Button_ApplyClick();
    // "Abbrechen" and the close box: close without writing.
    void Button_AbbruchClick();
    // "Hilfe": the page's help topic.
    void Button_hilfeClick();

    const std::string& helpTopic() const { return helpTopic_; }

    // Whether the named control belongs to a row whose stored value could not be read
    // when the page loaded: it shows the form's default, not this machine's setting.
    bool readFailed(const std::string& control) const { return loadFailures_.bindsControl(control); }

protected:
    // The last step of every page's constructor.
    void finishCreation();

    // Creation step 2: the items and initial selection of the page's combo boxes.
    virtual void CreateComboItems() {}
    // Creation step 3: the filters of the page's open dialogs.
    virtual void CreateFilters() {}

    // The page's single-instance reference; the handlers act on the page it names.
    virtual TweakPage* singleInstance() const { return nullptr; }
    // The page the handlers act on: the single instance, or this page when none is set.
    TweakPage& acting();

    // LoadSettings and SaveSettings of a binding table: the rows whose reading failed
    // are remembered, and saving leaves them as stored until their controls are set.
    void loadRows(const BindingTable& table) { loadFailures_ = LoadRows(*this, table); }
    void saveRows(const BindingTable& table) { SaveRows(*this, table, loadFailures_); }

private:
    int titleString_;
    std::string helpTopic_;
    ui::PageControl* pageControl_ = nullptr;
    ui::Button* help_ = nullptr;
    ui::Button* cancel_ = nullptr;
    ui::Button* apply_ = nullptr;
    LoadFailures loadFailures_;
};

// The filter of the picture dialogs: all pictures, JPG, JPEG and bitmaps, with the
// names of language strings 70-73.
std::string PictureFilter();

}  // namespace pages
