// The 64-bit tick count on Windows XP, which has only the 32-bit one.
#pragma once

#include <windows.h>

namespace runtime {

// Widens readings of the 32-bit tick count, which wraps every 49.7 days, to 64 bits by
// counting its wraps. The readings must come at least once per wrap, in order.
class WidenedTickCount {
public:
    ULONGLONG widen(DWORD reading)
    {
        if (reading < lastReading_)
            ++wraps_;
        lastReading_ = reading;
        return (static_cast<ULONGLONG>(wraps_) << 32) | reading;
    }

private:
    DWORD lastReading_ = 0;
    DWORD wraps_ = 0;
};

}  // namespace runtime
