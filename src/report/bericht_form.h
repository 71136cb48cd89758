// The system report: a read-only report of the machine on four sheets (operating
// system, computer and processor load; memory and display modes; drives; installed
// fonts), which "Speichern" writes into a text file beside the program and opens in
// Notepad. The facts come from the system information collector MSystemInfo1, the
// processor load from the sampler MCPUUsage1, drawn as a scrolling graph.
#pragma once

#include "report/cpu_usage.h"
#include "sysinfo/system_info.h"
#include "ui/form.h"
#include "ui/handles.h"

#include <string>
#include <utility>
#include <vector>

namespace ui {
class Button;
class CheckBox;
class ComboBox;
class Image;
class Label;
class ListView;
class Memo;
class PageControl;
class TabSheet;
}

namespace report {

class TForm_Bericht : public ui::Form {
public:
    TForm_Bericht();
    ~TForm_Bericht() override;

    // "Neu einlesen": fonts, system facts, display modes, the labels, memory and drives.
    void Button_ReloadClick();
    // The drive group for the drive chosen in ComboBox_Drives.
    void ComboBox_DrivesChange();
    void Button_ReloadDISKClick();
    // Writes the report file (the old one goes to the Recycle Bin first) and opens it in Notepad.
    void Button_SpeichernClick();
    // Opens the Windows folder of the fonts in Explorer.
    void Button_FontsClick();
    void Button_ApplyClick();
    void Button_hilfeClick();
    // The sampler runs exactly while the check box is ticked.
    void CheckBox_CPUUsageClick();
    // Draws one sample of the processor load; a value outside 0..100 changes nothing.
    void MCPUUsage1Interval(int value);
    // Column 0: the font's entry; column 1: a sample text in the font's face.
    void VirtualDrawTree_FontsDrawNode(HDC dc, int node, int column, const RECT& cell);
    void FormClose();

    sysinfo::TMSystemInfo& MSystemInfo1() const { return *systemInfo_; }
    TMCPUUsage& MCPUUsage1() const { return *cpuUsage_; }
    ui::PageControl& PageControl1() const { return *pageControl_; }
    ui::Image& Image1() const { return *graph_; }
    ui::CheckBox& CheckBox_CPUUsage() const { return *measuring_; }
    ui::Label& Label_CPUUsage() const { return *currentLoad_; }
    ui::Memo& Memo_DisplayModes() const { return *displayModes_; }
    ui::ComboBox& ComboBox_Drives() const { return *drives_; }
    ui::Image& Image_DriveTyp() const { return *driveIcon_; }
    ui::ListView& VirtualDrawTree_Fonts() const { return *fonts_; }

    // The x position where the graph draws its next sample.
    int graphPosition() const { return graphX_; }

    // The folder the report file is written to and the folder Notepad lies in: the
    // program's folder and the system folder unless set otherwise.
    void setFolders(std::string programFolder, std::string systemFolder);
    // The report file: the program's folder and the file name of the language file.
    std::string reportPath() const;

private:
    // A caption label and the value label it names, on one line of a group.
    using ValueLine = std::pair<ui::Label*, ui::Label*>;
    struct ValueGroup {
        ui::Control* box;
        std::vector<ValueLine> lines;
    };

    void createSystemSheet();
    void createMemorySheet();
    void createDriveSheet();
    void createFontSheet();
    ui::TabSheet& addSheet(const char* name, int tag, const char* caption);
    void addButtons();
    // Puts the values of every sheet right of its widest caption, as the captions now read.
    void arrangeValueColumns();

    void fillFonts();
    void fillSystemLabels();
    void fillMemoryLabels();
    void fillDrives();
    void updateDrive();
    void showDriveIcon(const sysinfo::DriveFacts& drive);
    void startGraph();
    std::vector<std::string> reportLines();
    void addGroupLines(std::vector<std::string>& lines, const ValueGroup& group) const;
    int firstReportedDrive() const;

    sysinfo::TMSystemInfo* systemInfo_ = nullptr;
    TMCPUUsage* cpuUsage_ = nullptr;
    ui::PageControl* pageControl_ = nullptr;
    ui::Image* graph_ = nullptr;
    ui::CheckBox* measuring_ = nullptr;
    ui::Label* currentLoad_ = nullptr;
    ui::Memo* displayModes_ = nullptr;
    ui::ComboBox* drives_ = nullptr;
    ui::Image* driveIcon_ = nullptr;
    ui::ListView* fonts_ = nullptr;
    ui::Button* save_ = nullptr;

    std::vector<ValueGroup> valueGroups_;  // GroupBox1, 2, 4, 6 in this order
    ui::GdiObject graphPen_;
    POINT graphPenAt_{};
    int graphX_ = 4;
    bool busy_ = false;  // a reload or a save is running (it lets messages through)
    std::string programFolder_;
    std::string systemFolder_;
};

// The report while it exists; its creator sets and clears it.
extern TForm_Bericht* Form_Bericht;

}  // namespace report
