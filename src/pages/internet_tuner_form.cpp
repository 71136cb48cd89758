#include "pages/internet_tuner_form.h"

#include "language/language.h"
#include "pages/internet_tuner_rows.h"
#include "registry/change_journal.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/layout.h"
#include "ui/look.h"
#include "ui/spinedit.h"

#include <algorithm>

namespace pages {

TForm_InternetTuner* Form_InternetTuner = nullptr;

using namespace ui::layout;
using namespace tuner;

namespace {

constexpr int kClientWidth = 660;
constexpr int kClientHeight = 506;
constexpr int kButtonTop = 474;
constexpr int kButtonWidth = 88;
constexpr int kFrameButtonHeight = 25;
constexpr int kSpinWidth = 80;
constexpr int kFieldGap = 8;

ui::Button& AddFrameButton(ui::Form& form, const char* name, int tag, int left, const char* caption)
{
    return Tagged(form.add<ui::Button>(form, name, ui::Bounds{left, kButtonTop, kButtonWidth, kFrameButtonHeight}, caption),
                  tag);
}

struct NumberLine {
    Caption box;
    const char* spin;
    int minValue;
    int maxValue;
    int value;
};

}  // namespace

TForm_InternetTuner::TForm_InternetTuner()
    : ui::Form("Form_InternetTuner", kClientWidth, kClientHeight, "Internet-Zugang optimieren")
{
    setFont(ui::ArialFont(11));
    int top = kSheetMargin;
    createPresetGroup(top);
    createSettingsGroup(top);
    auto& help = AddFrameButton(*this, "Button_Hilfe", 202, 368, "Hilfe");
    auto& cancel = AddFrameButton(*this, "Button_Abbruch", 201, 464, "Abbrechen");
    apply_ = &AddFrameButton(*this, "Button_Apply", 204, 560, "Übernehmen");
    help.onClick = [this] { Button_HilfeClick(); };
    cancel.onClick = [this] { Button_AbbruchClick(); };
    apply_->onClick = [this] { Button_ApplyClick(); };
    find<ui::Button>("Button_Einstellen").onClick = [this] { Button_EinstellenClick(); };
    find<ui::Button>("Button_Standard").onClick = [this] { Button_StandardClick(); };
    setDefaultButton(apply_);
    setCancelButton(&cancel);
    setHelpButton(&help);

    // Creation: caption, the connection types with the first chosen, the stored values.
    setCaption(language::LangString(kTitle));
    auto& types = find<ui::ComboBox>("ComboBox_OPTIMIZEFOR");
    types.setItems({language::LangString(kFirstConnectionType), language::LangString(kFirstConnectionType + 1),
                    language::LangString(kFirstConnectionType + 2)});
    types.setItemIndex(0);
    LoadSettings();
}

void TForm_InternetTuner::createPresetGroup(int& top)
{
    GroupFlow group(*this, top, {"GroupBox1", 9110, "Internet-Zugang automatisch einstellen"});
    group.note({"Label1", 9111,
                "Wählen Sie die Art Ihres Internet-Zugangs und klicken Sie auf \"Einstellen\": Die Werte unten werden "
                "dafür eingestellt und mit \"Übernehmen\" gespeichert."});
    group.space(4);
    ui::GroupBox& frame = group.box();
    const auto& label = group.inlineLabel({"Label2", 9112, "Internet-Zugang:"}, kInset);
    const int comboLeft = Right(label) + kFieldGap;
    frame.add<ui::ComboBox>(frame, "ComboBox_OPTIMIZEFOR", ui::Bounds{comboLeft, group.y(), 300, kFieldHeight});
    Tagged(frame.add<ui::Button>(frame, "Button_Einstellen",
                                 ui::Bounds{comboLeft + 300 + kFieldGap, group.y() - 1, 100, kButtonHeight}, "Einstellen"),
           9114);
    group.rowEndsAt(group.y() + kButtonHeight);
}

void TForm_InternetTuner::createSettingsGroup(int& top)
{
    GroupFlow group(*this, top, {"GroupBox2", 9120, "Einstellungen"});
    ui::GroupBox& frame = group.box();
    const NumberLine lines[] = {
        {{"CheckBox_MTU", 9121, "Maximale Paketgrösse (MTU) festlegen auf:"}, "SpinEdit_MTU", 68, 1500, 1500},
        {{"CheckBox_RWIN", 9122, "TCP/IP Empfangsgrösse (RWIN) festlegen auf:"}, "SpinEdit_RWIN", 28, 999999, 8760},
        {{"CheckBox_TTL", 9123, "Lebensdauer der Pakete (TTL)  festlegen auf:"}, "SpinEdit_TTL", 1, 255, 32},
    };
    // The spin edits line up right of the longest caption.
    int spinLeft = 0;
    for (const NumberLine& line : lines)
        spinLeft = std::max(spinLeft, kInset + ButtonWidthFor(frame, line.box.text) + kFieldGap);
    for (const NumberLine& line : lines) {
        const int lineTop = group.y();
        Tagged(frame.add<ui::CheckBox>(frame, line.box.name,
                                       ui::Bounds{kInset, lineTop + (kFieldHeight - kLineHeight) / 2,
                                                  spinLeft - kFieldGap - kInset, kLineHeight},
                                       line.box.text),
               line.box.tag);
        frame.add<ui::SpinEdit>(frame, line.spin, ui::Bounds{spinLeft, lineTop, kSpinWidth, kFieldHeight}, line.minValue,
                                line.maxValue, 1, line.value);
        group.rowEndsAt(lineTop + kFieldHeight);
    }
    group.space(4);
    group.checkBox({"CheckBox_PMTUDiscovery", 9124, "TCP/IP - \"MTU Auto Discovery\"  aktiv"});
    group.checkBox({"CheckBox_PMTUBlackHole", 9125, "TCP/IP - \"Black Hole Detection\"  aktiv"});
    group.checkBox({"CheckBox_SackOpts", 9126, "TCP/IP - \"Selective Acknowledgment\"  aktiv"});
    group.checkBox({"CheckBox_Tcp1323Opts", 9127,
                    "TCP/IP - \"Large TCP Window Support\" (RWIN grösser als 64KB) zulassen"});
    group.space(4);
    group.note({"Label3", 9130,
                "Die neuen Werte gelten für alle Netzwerkverbindungen und wirken erst nach einem Neustart von "
                "Windows."});
    group.space(4);
    constexpr int kStandardWidth = 260;
    Tagged(frame.add<ui::Button>(frame, "Button_Standard", ui::Bounds{kInset, group.y(), kStandardWidth, kButtonHeight},
                                 "Alle Werte auf Windows-Standard setzen"),
           9132);
    group.rowEndsAt(group.y() + kButtonHeight);
}

TForm_InternetTuner& TForm_InternetTuner::acting()
{
    return Form_InternetTuner ? *Form_InternetTuner : *this;
}

void TForm_InternetTuner::LoadSettings()
{
    loadFailures_ = LoadRows(*this, TunerBindingTable());
}

void TForm_InternetTuner::SaveSettings()
{
    SaveRows(*this, TunerBindingTable(), loadFailures_);
}

void TForm_InternetTuner::Button_ApplyClick()
{
    TForm_InternetTuner& page = acting();
    {
        const journal::ChangeScope change(page.caption());
        page.SaveSettings();  // a write error leaves here, and the page stays open
    }
    page.close();
}

void TForm_InternetTuner::Button_AbbruchClick()
{
    acting().close();
}

void TForm_InternetTuner::Button_HilfeClick()
{
    ui::ShowHelpTopic(helpTopic_);
}

void TForm_InternetTuner::Button_EinstellenClick()
{
    TForm_InternetTuner& page = acting();
    const int index = page.find<ui::ComboBox>("ComboBox_OPTIMIZEFOR").itemIndex();
    if (index < 0 || index >= kPresetCount)
        return;
    const Preset& preset = kPresets[index];
    page.find<ui::SpinEdit>("SpinEdit_MTU").setValue(preset.mtu);
    page.find<ui::SpinEdit>("SpinEdit_RWIN").setValue(preset.rwin);
    page.find<ui::SpinEdit>("SpinEdit_TTL").setValue(preset.ttl);
    page.find<ui::CheckBox>("CheckBox_PMTUBlackHole").setChecked(preset.blackHoleDetection);
    page.find<ui::CheckBox>("CheckBox_PMTUDiscovery").setChecked(preset.mtuDiscovery);
    page.find<ui::CheckBox>("CheckBox_SackOpts").setChecked(preset.selectiveAcks);
    page.find<ui::CheckBox>("CheckBox_Tcp1323Opts").setChecked(preset.largeWindows);
    for (const char* name : {"CheckBox_MTU", "CheckBox_RWIN", "CheckBox_TTL"})
        page.find<ui::CheckBox>(name).setChecked(true);
}

void TForm_InternetTuner::Button_StandardClick()
{
    TForm_InternetTuner& page = acting();
    if (ui::MessageDlg(language::LangString(kResetQuestion), ui::MsgKind::Confirmation,
                       {ui::MsgButton::Yes, ui::MsgButton::No}) != ui::MsgButton::Yes)
        return;
    const journal::ChangeScope change(page.caption() + ": " + page.find<ui::Button>("Button_Standard").caption());
    for (const char* name : {"CheckBox_MTU", "CheckBox_TTL", "CheckBox_RWIN"})
        page.find<ui::CheckBox>(name).setChecked(false);
    page.SaveSettings();
    for (const char* value : kOptionValues)
        if (registry::RegValueExists(HKLM, kParametersKey, value))
            registry::RegValueRemove(HKLM, kParametersKey, value);
    page.LoadSettings();
}

}  // namespace pages
