// A date field with a drop-down calendar (the common date picker), showing the date
// in the user's short date format.
#pragma once

#include "ui/control.h"

namespace ui {

class DatePicker : public Control {
public:
    DatePicker(Control& parent, std::string name, const Bounds& bounds);

    // The date shown; the time of day is midnight.
    SYSTEMTIME date() const;
    void setDate(const SYSTEMTIME& date);
};

}  // namespace ui
