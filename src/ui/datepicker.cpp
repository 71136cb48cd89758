#include "ui/datepicker.h"

#include <commctrl.h>

namespace ui {

DatePicker::DatePicker(Control& parent, std::string name, const Bounds& bounds)
    : Control(&parent, std::move(name), WindowSpec{DATETIMEPICK_CLASSA, WS_VISIBLE | WS_TABSTOP | DTS_SHORTDATEFORMAT, 0, {}},
              bounds)
{
}

SYSTEMTIME DatePicker::date() const
{
    SYSTEMTIME date{};
    SendMessageA(handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    date.wHour = date.wMinute = date.wSecond = date.wMilliseconds = 0;
    return date;
}

void DatePicker::setDate(const SYSTEMTIME& date)
{
    SYSTEMTIME day = date;
    day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
    SendMessageA(handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&day));
    noteChange();
}

}  // namespace ui
