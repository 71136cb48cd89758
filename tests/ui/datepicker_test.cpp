// The date field: the day set is the day read back, without a time of day.
#include "ui/datepicker.h"
#include "ui/form.h"

#include <gtest/gtest.h>

using namespace ui;

TEST(DatePicker, GivesBackTheDaySetAtMidnight)
{
    Form form("Form_Date", 200, 60);
    auto& picker = form.add<DatePicker>(form, "DatePicker_Day", Bounds{8, 8, 120, 21});
    for (const SYSTEMTIME set : {SYSTEMTIME{2024, 2, 4, 29, 13, 45, 10, 5}, SYSTEMTIME{1999, 12, 5, 31, 23, 59, 59, 0}}) {
        const unsigned before = picker.changeCount();

        picker.setDate(set);

        const SYSTEMTIME day = picker.date();
        EXPECT_EQ(day.wYear, set.wYear);
        EXPECT_EQ(day.wMonth, set.wMonth);
        EXPECT_EQ(day.wDay, set.wDay);
        EXPECT_EQ(day.wHour + day.wMinute + day.wSecond + day.wMilliseconds, 0);
        EXPECT_GT(picker.changeCount(), before);
    }
}
