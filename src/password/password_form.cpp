#include "password/password_form.h"

#include "language/language.h"
#include "password/password.h"
#include "ui/look.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/image.h"

namespace password {

TForm_Passwort* Form_Passwort = nullptr;

namespace {


constexpr int kCaptionText = 12000;
constexpr int kWrongPassword = 12900;  // and 12901

struct LabelDesign {
    const char* name;
    int tag;
    int left;
    int top;
    const char* caption;
};

const LabelDesign kExplanation[] = {
    {"Label2", 12101, 16, 70, "Diese Software wurde duch ein Passwort geschützt, welches Sie oder ein anderer Benutzer"},
    {"Label1", 12102, 16, 90, "für diesen Computer eingerichtet hat. Ohne das richtige Passwort kann die Software nicht"},
    {"Label3", 12103, 16, 110, "verwendet werden. Wenn Sie das Passwort nicht kennen, wenden Sie sich bitte an"},
    {"Label4", 12104, 16, 130, "den Administrator dieses Computers."},
    {"Label5", 12105, 16, 150, "Bitte geben Sie das aktuelle Passwort ein."},
    {"Label6", 12106, 172, 246, "Passwort:"},
};

ui::Label& AddLabel(ui::Form& form, const LabelDesign& design, COLORREF color)
{
    auto& label = form.add<ui::Label>(form, design.name, ui::Bounds{design.left, design.top, 0, 0}, design.caption);
    label.setTag(design.tag);
    label.setTransparent(true);
    label.setTextColor(color);
    label.setAutoSize(true);
    return label;
}

ui::Button& AddButton(ui::Form& form, const char* name, int tag, int left, const char* caption)
{
    auto& button = form.add<ui::Button>(form, name, ui::Bounds{left, 360, 96, 25}, caption);
    button.setTag(tag);
    return button;
}

}  // namespace

TForm_Passwort::TForm_Passwort() : ui::Form("Form_Passwort", 600, 400)
{
    // Children take their parent's font when they are created, so it comes first.
    setFont(ui::ArialFont(11));
    setColor(ui::kProgramBlue);
    setKeptOnTop(true);

    // The picture fills the lower right; labels, edit and buttons lie on top of it.
    image1_ = &add<ui::Image>(*this, "Image1", ui::Bounds{208, 100, 392, 299});
    createLabels();
    edit1_ = &add<ui::Edit>(*this, "Edit1", ui::Bounds{236, 240, 180, 22});
    edit1_->setPasswordChar('*');
    createButtons();

    setCaption(language::LangString(kCaptionText));
    accepted_ = false;
    edit1_->setText("");
}

void TForm_Passwort::createLabels()
{
    auto& headline = AddLabel(*this, {"Label_Velmora", 12100, 16, 16, "Anwendung durch Passwort geschützt"},
                              ui::kHeadlineColor);
    headline.setFont(ui::ArialFont(24, true));
    for (const LabelDesign& design : kExplanation)
        AddLabel(*this, design, ui::kTextOnBlue);
}

void TForm_Passwort::createButtons()
{
    auto& help = AddButton(*this, "Button_Hilfe", 202, 272, "Hilfe");
    help.onClick = [this] { Button_HilfeClick(); };
    setHelpButton(&help);
    auto& cancel = AddButton(*this, "Button_abbruch", 201, 380, "Abbruch");
    cancel.onClick = [this] { Button_abbruchClick(); };
    auto& ok = AddButton(*this, "Button_Ok", 200, 488, "Ok");
    ok.onClick = [this] { Button_OkClick(); };
    setDefaultButton(&ok);
    setCancelButton(&cancel);
}

void TForm_Passwort::Button_OkClick()
{
    accepted_ = PasswordMatches(edit1_->text());
    if (accepted_) {
        setModalResult(ui::ModalResult::Ok);
        close();
        return;
    }
    ui::MessageDlg(language::LangStrings({kWrongPassword, kWrongPassword + 1}),
                   ui::MsgKind::Error, {ui::MsgButton::OK});
}

void TForm_Passwort::Button_abbruchClick()
{
    close();
}

void TForm_Passwort::Button_HilfeClick()
{
    ui::ShowHelpTopic("passwort");
}

}  // namespace password
