#include "ui/timer.h"

#include <map>

namespace ui {

namespace {

// The running timers by the id Windows gave them: a tick finds its timer here, and a
// tick still queued for a timer that is gone finds nothing.
std::map<UINT_PTR, Timer*>& RunningTimers()
{
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}

}  // namespace

Timer::Timer(unsigned intervalMs) : interval_(intervalMs) {}

Timer::~Timer()
{
    stop();
}

void Timer::setInterval(unsigned intervalMs)
{
    interval_ = intervalMs;
    if (enabled()) {
        stop();
        start();
    }
}

bool Timer::setEnabled(bool enabled)
{
    if (enabled && !this->enabled())
        start();
    else if (!enabled)
        stop();
    return this->enabled() == enabled;
}

void Timer::start()
{
    id_ = SetTimer(nullptr, 0, interval_, &Timer::Tick);
    if (id_ != 0)
        RunningTimers()[id_] = this;
}

void Timer::stop()
{
    if (id_ == 0)
        return;
    KillTimer(nullptr, id_);
    RunningTimers().erase(id_);
    id_ = 0;
}

void CALLBACK Timer::Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    const auto found = RunningTimers().find(id);
    if (found == RunningTimers().end())
        return;
    Control::fire(found->second->onTimer);
}

}  // namespace ui
