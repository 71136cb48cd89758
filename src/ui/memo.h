// A memo: a text of several lines in a box with a vertical scroll bar, one item of
// data a line (the display modes of the system report). It can be made read-only.
#pragma once

#include "ui/control.h"

#include <string>
#include <vector>

namespace ui {

class Memo : public Control {
public:
    Memo(Control& parent, std::string name, const Bounds& bounds);

    void setReadOnly(bool readOnly);

    // The lines as shown, without their line breaks; none for an empty memo.
    std::vector<std::string> lines() const;
    void clear();
    void addLine(const std::string& line);
};

}  // namespace ui
