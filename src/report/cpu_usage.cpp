#include "report/cpu_usage.h"

#include "ui/control.h"

namespace report {

TMCPUUsage::TMCPUUsage(std::string name, unsigned intervalMs) : Component(std::move(name)), timer_(intervalMs)
{
    timer_.onTimer = [this] { tick(); };
}

TMCPUUsage::~TMCPUUsage()
{
    deactivate();
}

void TMCPUUsage::setActive(bool active)
{
    if (active == this->active())
        return;
    deactivate();
    if (!active)
        return;
    auto source = sysinfo::Facts().processorLoad();
    if (!source || !source->start())
        return;
    source_ = std::move(source);
    if (!timer_.setEnabled(true))
        deactivate();
}

void TMCPUUsage::deactivate() noexcept
{
    timer_.setEnabled(false);
    if (!source_)
        return;
    try {
        source_->stop();
    } catch (...) {
        // Stopping only ends the statistics; there is nothing left to undo.
    }
    source_.reset();
}

void TMCPUUsage::tick()
{
    if (!source_)
        return;
    const int load = source_->sample(interval());
    if (OnInterval)
        OnInterval(load);
}

}  // namespace report
