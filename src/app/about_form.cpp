#include "app/about_form.h"

#include "app/globals.h"
#include "language/language.h"
#include "registry/helpers.h"
#include "ui/look.h"
#include "ui/fonts.h"
#include "ui/programs.h"
#include "ui/single_instance.h"

#include "resource.h"

#include <memory>

namespace app {

TAbout* About = nullptr;

namespace {

constexpr int kWindowCaption = 19000;
constexpr int kFollowingGap = 8;

bool IsWebAddress(const std::string& text)
{
    for (const char* start : {"http://", "https://", "www."})
        if (text.rfind(start, 0) == 0)
            return true;
    return false;
}

bool IsMailAddress(const std::string& text)
{
    return text.find('@') != std::string::npos && text.find(' ') == std::string::npos;
}

}  // namespace

TAbout::TAbout()
    : Form("About", 700, 532, "Info")
{
    setKeptOnTop(true);
    setFont(ui::ArialFont(11));
    setColor(ui::kProgramBlue);
    image1_ = &add<ui::Image>(*this, "Image1", ui::Bounds{308, 233, 392, 299});
    image1_->setAutoSize(true);
    auto& logo = add<ui::Image>(*this, "Image_Logo", ui::Bounds{340, 24, 346, 105});
    logo.setAutoSize(true);
    logo.loadFromResource(IDB_LOGO);
    auto& publisher = add<ui::Image>(*this, "Image_Publisher", ui::Bounds{16, 380, 0, 0});
    publisher.setAutoSize(true);
    const std::string publisherPicture = AppDir + "\\PUBLISHER.BMP";
    if (helpers::FileExists(publisherPicture))
        publisher.loadFromFile(publisherPicture);

    const HFONT normal = ui::ArialFont(11);
    const HFONT bold = ui::ArialFont(11, true);
    addText("Label_Velmora", 19100, "Velmora", {16, 16}, ui::ArialFont(24, true), ui::kHeadlineColor);
    addText("Label_Version", 19101, "Version 1.07 für Windows XP", {16, 52}, bold, ui::kTextOnBlue);
    addText("Label_Description", 19102, "Einstellungen, Aufräumen und Autostart an einem Ort.", {16, 72}, normal, ui::kTextOnBlue);
    addText("Label_Copyright", 19110, "Copyright © 2026 Divodozide. Alle Rechte vorbehalten.", {16, 108}, normal, ui::kTextOnBlue);
    addText("Label_Authors", 19111, "Entwickelt vom Velmora-Team bei Divodozide.", {16, 126}, normal, ui::kTextOnBlue);

    webCaption_ = &addText("Label_WebCaption", 19200, "Im Internet:", {16, 162}, bold, ui::kTextOnBlue);
    webAddress_ = &addText("Label_Web", 19201, "http://www.divodozide.com/velmora", {16, 162}, ui::ArialFont(11, false, true), ui::kTextOnBlue);
    mailCaption_ = &addText("Label_MailCaption", 19210, "E-Mail:", {16, 180}, bold, ui::kTextOnBlue);
    mailAddress_ = &addText("Label_Mail", 19211, "velmora@divodozide.com", {16, 180}, ui::ArialFont(11, false, true), ui::kTextOnBlue);
    for (ui::Label* address : {webAddress_, mailAddress_}) {
        address->setCursor(IDC_HAND);
        address->onClick = [address] { OpenAddressOf(*address); };
    }

    addText("Label_Thanks", 19300, "Dank", {16, 216}, bold, ui::kTextOnBlue);
    auto& thanks = addText("Label_ThanksText", 19301,
                           "Wir danken allen Testern und Übersetzern, die mit Hinweisen, Geduld und guten Ideen zu dieser "
                           "Version beigetragen haben.",
                           {16, 234}, normal, ui::kTextOnBlue);
    thanks.setAutoSize(false);
    thanks.setWordWrap(true);
    thanks.setSize(280, 0);
    thanks.setAutoSize(true);

    auto& ok = add<ui::Button>(*this, "Button_Ok", ui::Bounds{16, 491, 96, 25}, "Ok");
    ok.setTag(200);
    ok.onClick = [this] { Button_OkClick(); };
    setDefaultButton(&ok);
    setCancelButton(&ok);

    setCaption(language::LangString(kWindowCaption));
    placeFollowingLabels();
}

ui::Label& TAbout::addText(const char* name, int tag, const char* caption, POINT at, HFONT font, COLORREF color)
{
    auto& label = add<ui::Label>(*this, name, ui::Bounds{at.x, at.y, 0, 0}, caption);
    label.setTag(tag);
    label.setTransparent(true);
    label.setTextColor(color);
    label.setFont(font);
    label.setAutoSize(true);
    return label;
}

void TAbout::placeFollowingLabels()
{
    webAddress_->setLeft(webCaption_->left() + webCaption_->width() + kFollowingGap);
    mailAddress_->setLeft(mailCaption_->left() + mailCaption_->width() + kFollowingGap);
}

void TAbout::OpenAddressOf(const ui::Label& label)
{
    const std::string text = label.caption();
    if (IsWebAddress(text))
        ui::ShellOpen(text);
    else if (IsMailAddress(text))
        ui::ShellOpen("mailto:" + text);
}

void ShowAboutBox(const ui::Image& programPicture)
{
    auto box = std::make_unique<TAbout>();
    const ui::SingleInstanceScope reference(About, *box);
    language::LocalizeComponent(*box);
    box->placeFollowingLabels();
    box->Image1().assign(programPicture);
    box->showModal();
}

}  // namespace app
