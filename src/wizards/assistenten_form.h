// The wizard page "Assistenten verwenden": four presets (SPEED, STANDARD, Policy,
// Rescue), each of which changes many settings of several pages at once by driving
// the pages themselves, and the result log of the last run, which "Notepad" saves
// and opens.
#pragma once

#include "ui/form.h"
#include "wizards/wizard_presets.h"
#include "wizards/wizard_steps.h"

#include <memory>
#include <string>

namespace ui {
class Button;
class ComboBox;
class Control;
class Label;
class Memo;
class PageControl;
class TabSheet;
}  // namespace ui

namespace wizards {

// Language strings the page asks for.
enum FormStrings {
    kTitle = 3000,
    kConfirmRun = 3920,         // 3920, 3921: the question before every run
    kNoProcessorChosen = 3930,  // 3930-3932: SPEED without a processor
    kRamItems = 3940,           // 3940-3945: the memory list
    kIgnoreProcessor = 3950,    // the processor list's first item
    kResultFileName = 3960,
    kOldResultKept = 3961,  // the previous result file could not go to the Recycle Bin
    kPolicyWarning = 3970,  // 3970-3974: before the Policy wizard
};

// The sheets of PageControl1, by page index.
enum WizardSheet { kSheetChoice = 0, kSheetSpeed, kSheetStandard, kSheetPolicy, kSheetRescue, kSheetResult };

class TForm_Assistenten : public ui::Form {
public:
    TForm_Assistenten();
    ~TForm_Assistenten() override;

    // Caption, the log's first line, the processor list from the System page, the
    // memory list with the item of this machine's memory, and the first sheet.
    void FormCreate();

    // Ask, then run the preset and show its result.
    void Button_SPEEDClick();
    void Button_STANDARDClick();
    void Button_POLICYClick();
    void Button_RETTUNGClick();
    // Saves the log to the result file beside the program (the previous one goes to
    // the Recycle Bin) and opens it in Notepad.
    void Button_NOTEPADClick();
    void Button_hilfeClick();
    // "Zurück": closes the page.
    void Button_ApplyClick();

    // The end of a run: the result sheet, the closing lines and the message.
    void FinishWizard();

    ui::PageControl& PageControl1() const { return *pageControl_; }
    ui::Memo& Memo_Ergebniss() const { return *log_; }
    ui::ComboBox& ComboBox_SPEED_RAM() const { return *ramList_; }
    ui::ComboBox& ComboBox_Speed_CPU() const { return *cpuList_; }
    WizardSteps& steps() { return *steps_; }

    // The file "Notepad" writes: the program's folder + "\" + language string 3960.
    std::string resultFile() const;
    // The program's folder (for the result file) and the system folder (for Notepad);
    // the running program's own unless set (tests).
    void setFolders(std::string programFolder, std::string systemFolder);

private:
    void createChoiceSheet();
    void createSpeedSheet();
    void createStandardSheet();
    void createPolicySheet();
    void createRescueSheet();
    void createResultSheet();
    ui::TabSheet& addSheet(const char* name, int tag, const char* caption);
    void addWizardEntry(ui::Control& panel, int top, int index);
    ui::Button& addStartButton(ui::TabSheet& sheet, const char* name, int noteTag, const char* note);
    void addHover(ui::Control& pointedAt, ui::Label& label);
    void fillProcessorList();

    // Empties the log, drives the preset's pages as one change, and finishes.
    void runPreset(const Preset& preset, WizardSheet sheet);
    bool confirmed(const std::string& question, bool warning = false) const;

    ui::PageControl* pageControl_ = nullptr;
    ui::Memo* log_ = nullptr;
    ui::ComboBox* ramList_ = nullptr;
    ui::ComboBox* cpuList_ = nullptr;
    ui::Button* notepad_ = nullptr;
    std::string programFolder_;
    std::string systemFolder_;
    std::unique_ptr<WizardSteps> steps_;
};

// The page while it exists; its creator sets and clears it.
extern TForm_Assistenten* Form_Assistenten;

}  // namespace wizards
