// The Internet access tuner: packet size (MTU) of every network interface, TCP
// receive window, packet lifetime and four TCP/IP options, with presets for three
// kinds of connection and a button that gives everything back to Windows' defaults.
// Unlike the tab pages it is a plain dialog of two group boxes, not kept on top.
#pragma once

#include "pages/binding.h"
#include "ui/form.h"

#include <string>

namespace ui {
class Button;
}

namespace pages {

class TForm_InternetTuner : public ui::Form {
public:
    TForm_InternetTuner();

    // Reads every row into its controls; shows no message of its own.
    void LoadSettings();
    // Writes every row; the first write error ends it and propagates.
    void SaveSettings();

    // "Übernehmen": SaveSettings, then close; a write error leaves the page open.
    void Button_ApplyClick();
    void Button_AbbruchClick();
    void Button_HilfeClick();
    // "Einstellen": the preset of the chosen connection type into the controls.
    void Button_EinstellenClick();
    // "Alle Werte auf Windows-Standard setzen": removes the page's values at once.
    void Button_StandardClick();

    ui::Button& Button_Apply() const { return *apply_; }
    const std::string& helpTopic() const { return helpTopic_; }
    // Whether the named control belongs to a row whose stored value could not be read.
    bool readFailed(const std::string& control) const { return loadFailures_.bindsControl(control); }

private:
    void createPresetGroup(int& top);
    void createSettingsGroup(int& top);
    TForm_InternetTuner& acting();

    ui::Button* apply_ = nullptr;
    std::string helpTopic_ = "internetzugang";
    LoadFailures loadFailures_;
};

// The page while it exists; its creator sets and clears it.
extern TForm_InternetTuner* Form_InternetTuner;

}  // namespace pages
