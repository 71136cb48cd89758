// The processor-load sampler of the report: while active, a timer asks the platform's
// processor-load measurement for the load at every interval and hands it to
// OnInterval. It is inactive until activated; activating starts the measurement and
// runs the timer only when that succeeded. Deactivating, or destroying the sampler,
// stops both.
#pragma once

#include "sysinfo/system_info.h"
#include "ui/component.h"
#include "ui/timer.h"

#include <functional>
#include <memory>

namespace report {

class TMCPUUsage : public ui::Component {
public:
    explicit TMCPUUsage(std::string name, unsigned intervalMs = 1000);
    ~TMCPUUsage() override;

    unsigned interval() const { return timer_.interval(); }
    void setInterval(unsigned intervalMs) { timer_.setInterval(intervalMs); }

    bool active() const { return timer_.enabled(); }
    // Activating may raise the measurement's own error (Windows 9x); a measurement that
    // cannot start leaves the sampler inactive.
    void setActive(bool active);

    // The load in percent at each tick; a value outside 0..100 is no measurement.
    std::function<void(int load)> OnInterval;

private:
    void tick();
    void deactivate() noexcept;

    ui::Timer timer_;
    std::unique_ptr<sysinfo::ProcessorLoadSource> source_;
};

}  // namespace report
