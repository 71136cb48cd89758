// A timer that runs an event at a fixed interval while it is enabled, on the
// user-interface thread (its ticks arrive as messages, so they come only while a
// message loop runs or messages are processed). The Windows timer is killed when the
// timer is disabled or destroyed, on every path.
#pragma once

#include "ui/control.h"

#include <windows.h>

namespace ui {

class Timer {
public:
    explicit Timer(unsigned intervalMs = 1000);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    unsigned interval() const { return interval_; }
    // A running timer goes on at the new interval.
    void setInterval(unsigned intervalMs);

    bool enabled() const { return id_ != 0; }
    // False when Windows could not create the timer (it stays disabled).
    bool setEnabled(bool enabled);

    // Runs through the application's general error handler at every tick.
    Event onTimer;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    void start();
    void stop();

    unsigned interval_;
    UINT_PTR id_ = 0;
};

}  // namespace ui
