#include "sysinfo/processor_load.h"

#include "registry/registry.h"
#include "ui/errors.h"
#include "ui/handles.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace sysinfo {

namespace {

// ZwQuerySystemInformation and what the idle-time measurement asks of it.
using QuerySystemInformation = LONG(WINAPI*)(ULONG infoClass, PVOID buffer, ULONG length, PULONG returned);
constexpr ULONG kProcessorPerformance = 8;  // one record per processor, idle time first
constexpr std::size_t kRecordSize = 44;
constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
// The buffer grows by one record per refusal; a query that never stops refusing
// gives up here instead of growing without end.
constexpr std::size_t kMostRecords = 1024;

constexpr double kHundredNanosecondsPerSecond = 10000000.0;

class IdleTimeLoadSource : public ProcessorLoadSource {
public:
    bool start() override
    {
        stop();
        ntdll_.reset(LoadLibraryA("NTDLL.DLL"));
        if (!ntdll_)
            return false;
        // Through void (*)() the cast names what it does without a function-type warning.
        query_ = reinterpret_cast<QuerySystemInformation>(
            reinterpret_cast<void (*)()>(GetProcAddress(ntdll_.get(), "ZwQuerySystemInformation")));
        if (!query_)
            return false;
        buffer_.assign(kRecordSize, 0);
        LONG status = ask();
        while (status == kLengthMismatch && buffer_.size() < kRecordSize * kMostRecords) {
            buffer_.resize(buffer_.size() + kRecordSize);
            status = ask();
        }
        if (status != 0) {
            stop();
            return false;
        }
        return true;
    }

    int sample(unsigned intervalMs) override
    {
        if (buffer_.empty() || ask() != 0)
            return -1;
        LONGLONG idle = 0;
        std::memcpy(&idle, buffer_.data(), sizeof(idle));
        const int load = LoadFromIdleTimes(previousIdle_, idle, intervalMs);
        previousIdle_ = idle;
        return load;
    }

    void stop() override
    {
        buffer_.clear();
        query_ = nullptr;
        ntdll_.reset();
        previousIdle_ = 0;
    }

private:
    LONG ask()
    {
        ULONG returned = 0;
        return query_(kProcessorPerformance, buffer_.data(), static_cast<ULONG>(buffer_.size()), &returned);
    }

    ui::ModuleHandle ntdll_;
    QuerySystemInformation query_ = nullptr;
    std::vector<BYTE> buffer_;
    LONGLONG previousIdle_ = 0;
};

const char* const kStartKey = "PerfStats\\StartStat";
const char* const kDataKey = "PerfStats\\StatData";
const char* const kStopKey = "PerfStats\\StopStat";
const char* const kProcessorUsage = "KERNEL\\CPUUsage";

class PerformanceStatisticsSource : public ProcessorLoadSource {
public:
    explicit PerformanceStatisticsSource(HKEY root) : root_(root) {}

    bool start() override
    {
        if (!registry::RegKeyExists(root_, kStartKey))
            throw ui::Exception("Unable to start performance monitoring");
        if (!read(kStartKey))
            throw ui::Exception("Unable to read performance data");
        started_ = true;
        return true;
    }

    int sample(unsigned) override { return read(kDataKey).value_or(-1); }

    void stop() override
    {
        if (started_)
            read(kStopKey);
        started_ = false;
    }

private:
    // Reading a statistics value is what starts, takes or stops the measurement.
    std::optional<int> read(const char* key) const
    {
        if (registry::RegValueKind(root_, key, kProcessorUsage) == registry::RegDataKind::None)
            return std::nullopt;
        try {
            return registry::RegReadInt(root_, key, kProcessorUsage);
        } catch (const ui::Exception&) {
            return std::nullopt;
        }
    }

    HKEY root_;
    bool started_ = false;
};

}  // namespace

int LoadFromIdleTimes(LONGLONG previousIdle, LONGLONG idle, unsigned intervalMs)
{
    if (intervalMs == 0)
        return -1;
    const double idlePerSecond = static_cast<double>(idle - previousIdle) / (intervalMs / 1000.0);
    // Busy time per second as a percentage of a second: divided by a hundredth of it.
    const double load = std::nearbyint((kHundredNanosecondsPerSecond - idlePerSecond) / (kHundredNanosecondsPerSecond / 100.0));
    if (!(load >= -1.0 && load <= 101.0))
        return -1;
    return static_cast<int>(load);
}

std::unique_ptr<ProcessorLoadSource> IdleTimeLoad()
{
    return std::make_unique<IdleTimeLoadSource>();
}

std::unique_ptr<ProcessorLoadSource> PerformanceStatisticsLoad(HKEY root)
{
    return std::make_unique<PerformanceStatisticsSource>(root);
}

std::unique_ptr<ProcessorLoadSource> FactsSource::processorLoad()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    const bool nt = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    if (nt)
        return IdleTimeLoad();
    return PerformanceStatisticsLoad();
}

}  // namespace sysinfo
