// Layout of tab sheets: group boxes stacked down a sheet, and inside
// each group its rows stacked down, check boxes and notes as high as their wrapped
// German texts need. Pages name their controls and texts; the coordinates come from here.
#pragma once

#include "ui/controls.h"

#include <string>

namespace ui::layout {

constexpr int kSheetMargin = 8;    // between the sheet's edge and its group boxes
constexpr int kInset = 12;         // between a group box's frame and its rows
constexpr int kCaptionTop = 18;    // first row below a group box's caption
constexpr int kGroupBottom = 10;   // below the last row of a group box
constexpr int kGroupGap = 6;       // between two group boxes
constexpr int kRowGap = 3;         // between two rows
constexpr int kGlyph = 20;         // check mark or radio dot and the gap to the text
constexpr int kLineHeight = 17;    // a check box or radio button of one line
constexpr int kFieldHeight = 21;   // edits, spin edits and drop-down lists
constexpr int kButtonHeight = 23;  // buttons inside a sheet

// The frame of the program's pages (the settings pages, the clean-up, the report and
// the options page): the client area, the tab control, and the row of buttons below it.
constexpr int kPageClientWidth = 660;
constexpr int kPageClientHeight = 540;
constexpr Bounds kPageControlBounds{8, 8, 641, 489};
constexpr int kFrameButtonTop = 508;
constexpr int kFrameButtonWidth = 88;
constexpr int kFrameButtonHeight = 25;

// A component's name, Tag and caption as the form defines them.
struct Caption {
    const char* name;
    int tag;
    const char* text;
};

template <class T>
T& Tagged(T& component, int tag)
{
    component.setTag(tag);
    return component;
}

inline int Right(const ui::Control& control)
{
    return control.left() + control.width();
}
inline int Bottom(const ui::Control& control)
{
    return control.top() + control.height();
}

// The right edge of a spin edit together with its arrow buttons.
int SpinRight(const ui::Control& spinEdit);

// The width a check box or radio button needs to show its caption on one line.
int ButtonWidthFor(const ui::Control& parent, const std::string& caption);

// A group box placed at the next free place of a sheet, spanning its width; its rows
// are placed from top to bottom. finish() (or the destructor) gives the box the
// height of its rows and moves the sheet's free place below it.
class GroupFlow {
public:
    GroupFlow(ui::Control& sheet, int& sheetTop, const Caption& group);
    GroupFlow(const GroupFlow&) = delete;
    GroupFlow& operator=(const GroupFlow&) = delete;
    ~GroupFlow() { finish(); }

    ui::GroupBox& box() const { return *box_; }
    int y() const { return y_; }
    // The row's free width from `left` to the group box's inner right edge.
    int widthFrom(int left) const { return innerRight() - left; }
    int innerRight() const;

    // A check box or radio button from left to the inner right edge (or of the given
    // width), as high as its caption wrapped to that width.
    ui::CheckBox& checkBox(const Caption& caption, int indent = 0, int width = 0);
    ui::RadioButton& radioButton(const Caption& caption, int indent = 0, int width = 0);
    // A word-wrapped text from left to the inner right edge.
    ui::Label& note(const Caption& caption, int indent = 0);
    // A single-line label at (left, y) of the current row, centred on a field line.
    ui::Label& inlineLabel(const Caption& caption, int left);

    // Moves on below a row that the page placed itself (bottom in the box's coordinates).
    void rowEndsAt(int bottom) { y_ = bottom + kRowGap; }
    void space(int pixels) { y_ += pixels; }
    void finish();

private:
    template <class T>
    T& addButton(const Caption& caption, int indent, int width);

    ui::Control& sheet_;
    int& sheetTop_;
    ui::GroupBox* box_;
    int y_ = kCaptionTop;
    bool finished_ = false;
};

}  // namespace ui::layout
