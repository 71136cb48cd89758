#include "ui/layout.h"

#include "ui/fonts.h"

#include <algorithm>

#include <commctrl.h>

namespace ui::layout {

int ButtonWidthFor(const ui::Control& parent, const std::string& caption)
{
    // Font substitutes may draw a few pixels wider than they measure (as labels allow for).
    const int text = ui::MeasureText(parent.font(), caption).cx;
    return kGlyph + text + text / 40 + 4;
}

int SpinRight(const ui::Control& spinEdit)
{
    int right = Right(spinEdit);
    HWND parent = GetParent(spinEdit.handle());
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (reinterpret_cast<HWND>(SendMessageA(sibling, UDM_GETBUDDY, 0, 0)) != spinEdit.handle())
            continue;
        RECT arrows{};
        GetWindowRect(sibling, &arrows);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&arrows), 2);
        right = std::max(right, static_cast<int>(arrows.right));
    }
    return right;
}

GroupFlow::GroupFlow(ui::Control& sheet, int& sheetTop, const Caption& group) : sheet_(sheet), sheetTop_(sheetTop)
{
    const int width = sheet.clientWidth() - 2 * kSheetMargin;
    box_ = &Tagged(sheet.add<ui::GroupBox>(sheet, group.name, ui::Bounds{kSheetMargin, sheetTop, width, 40}, group.text),
                   group.tag);
}

int GroupFlow::innerRight() const
{
    return box_->width() - kInset;
}

template <class T>
T& GroupFlow::addButton(const Caption& caption, int indent, int width)
{
    const int left = kInset + indent;
    if (width <= 0)
        width = widthFrom(left);
    const SIZE text = ui::MeasureText(box_->font(), caption.text, width - kGlyph);
    const int height = std::max(kLineHeight, static_cast<int>(text.cy) + 4);
    auto& button = Tagged(box_->add<T>(*box_, caption.name, ui::Bounds{left, y_, width, height}, caption.text),
                          caption.tag);
    rowEndsAt(y_ + height);
    return button;
}

ui::CheckBox& GroupFlow::checkBox(const Caption& caption, int indent, int width)
{
    return addButton<ui::CheckBox>(caption, indent, width);
}

ui::RadioButton& GroupFlow::radioButton(const Caption& caption, int indent, int width)
{
    return addButton<ui::RadioButton>(caption, indent, width);
}

ui::Label& GroupFlow::note(const Caption& caption, int indent)
{
    const int left = kInset + indent;
    auto& label = Tagged(box_->add<ui::Label>(*box_, caption.name, ui::Bounds{left, y_, widthFrom(left), 0}, caption.text),
                         caption.tag);
    label.setWordWrap(true);
    label.setAutoSize(true);
    rowEndsAt(Bottom(label));
    return label;
}

ui::Label& GroupFlow::inlineLabel(const Caption& caption, int left)
{
    auto& label = Tagged(box_->add<ui::Label>(*box_, caption.name, ui::Bounds{left, y_, 0, 0}, caption.text), caption.tag);
    label.setAutoSize(true);
    label.setTop(y_ + (kFieldHeight - label.height()) / 2);
    return label;
}

void GroupFlow::finish()
{
    if (finished_)
        return;
    finished_ = true;
    box_->setSize(box_->width(), y_ - kRowGap + kGroupBottom);
    sheetTop_ = Bottom(*box_) + kGroupGap;
}

}  // namespace ui::layout
