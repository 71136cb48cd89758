// The about box: authorship, version, contact and acknowledgements on the main
// window's blue, with the program picture. Created, localised and destroyed on
// each use.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/image.h"

namespace app {

class TAbout : public ui::Form {
public:
    TAbout();

    ui::Image& Image1() const { return *image1_; }

    // The web and mail addresses follow their captions at 8 pixels; called again
    // after localisation changed the captions' widths.
    void placeFollowingLabels();

    void Button_OkClick() { close(); }
    // Opens a web address, or a mail to an address, that a label shows.
    static void OpenAddressOf(const ui::Label& label);

private:
    ui::Label& addText(const char* name, int tag, const char* caption, POINT at, HFONT font, COLORREF color);

    ui::Image* image1_ = nullptr;
    ui::Label* webCaption_ = nullptr;
    ui::Label* webAddress_ = nullptr;
    ui::Label* mailCaption_ = nullptr;
    ui::Label* mailAddress_ = nullptr;
};

// The about box while it is open; nullptr otherwise.
extern TAbout* About;

// Shows the about box with the given program picture.
void ShowAboutBox(const ui::Image& programPicture);

}  // namespace app
