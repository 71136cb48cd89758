// The processor load: the NT measurement from the idle time, and the Windows 9x
// measurement from the performance statistics (here below a sandboxed root).
#include "harness/registry_sandbox.h"
#include "sysinfo/processor_load.h"
#include "ui/errors.h"

#include <gtest/gtest.h>

namespace {

TEST(ProcessorLoad, FollowsFromTheIdleTimeBetweenTwoSamples)
{
    constexpr LONGLONG kSecond = 10000000;  // in 100-ns units
    const struct {
        LONGLONG previous;
        LONGLONG idle;
        unsigned interval;
        int load;
    } cases[] = {
        {1000 * kSecond, 1000 * kSecond + kSecond * 3 / 4, 750, 0},   // idle all the time
        {1000 * kSecond, 1000 * kSecond, 750, 100},                   // never idle
        {1000 * kSecond, 1000 * kSecond + kSecond * 3 / 8, 750, 50},
        {5 * kSecond, 5 * kSecond + kSecond / 4, 1000, 75},
        {5 * kSecond, 5 * kSecond + 25000, 1000, 100},                // 99.75 rounds up
        {5 * kSecond, 5 * kSecond + 9950000, 1000, 0},                // 0.5 rounds to even
        {5 * kSecond, 5 * kSecond + 9850000, 1000, 2},                // 1.5 rounds to even
        {0, 1000 * kSecond, 750, -1},                                 // the first sample
        {1000 * kSecond, 1000 * kSecond + 2 * kSecond, 750, -1},      // a late tick: more idle than time
        {1000 * kSecond, 1000 * kSecond, 0, -1},                      // no interval
    };
    for (const auto& sample : cases)
        EXPECT_EQ(sysinfo::LoadFromIdleTimes(sample.previous, sample.idle, sample.interval), sample.load)
            << sample.previous << " -> " << sample.idle << " in " << sample.interval << " ms";
}

TEST(ProcessorLoad, TheNTMeasurementStartsAndItsFirstSampleIsNoMeasurement)
{
    auto load = sysinfo::IdleTimeLoad();
    ASSERT_TRUE(load->start());
    EXPECT_EQ(load->sample(750), -1);
    Sleep(20);
    const int second = load->sample(20);
    EXPECT_GE(second, -1);
    EXPECT_LE(second, 101);
    load->stop();
    EXPECT_EQ(load->sample(750), -1);  // stopped: nothing to ask
    ASSERT_TRUE(load->start());
    EXPECT_EQ(load->sample(750), -1);  // a new start begins again without a previous sample
}

class PerformanceStatistics : public RegistrySandbox {
protected:
    // The statistics of Windows 9x, as HKEY_DYN_DATA holds them, below HKCU of the sandbox.
    static void writeStatistic(const char* key, std::vector<BYTE> value)
    {
        WriteRawValue(HKEY_CURRENT_USER, key, "KERNEL\\CPUUsage", REG_BINARY, value);
    }
};

TEST_F(PerformanceStatistics, StartingWithoutStatisticsRaisesTheirMessages)
{
    auto load = sysinfo::PerformanceStatisticsLoad(HKEY_CURRENT_USER);
    EXPECT_EQ(RaisedText([&] { load->start(); }), "Unable to start performance monitoring");

    writeStatistic("PerfStats\\StatData", {1, 0, 0, 0});
    WriteRawValue(HKEY_CURRENT_USER, "PerfStats\\StartStat", "Other", REG_BINARY, {1, 0, 0, 0});
    EXPECT_EQ(RaisedText([&] { load->start(); }), "Unable to read performance data");
}

TEST_F(PerformanceStatistics, SamplesAreTheKernelsProcessorUsageOrMinusOne)
{
    writeStatistic("PerfStats\\StartStat", {0, 0, 0, 0});
    writeStatistic("PerfStats\\StatData", {42, 0, 0, 0});
    writeStatistic("PerfStats\\StopStat", {0, 0, 0, 0});
    auto load = sysinfo::PerformanceStatisticsLoad(HKEY_CURRENT_USER);
    ASSERT_TRUE(load->start());
    EXPECT_EQ(load->sample(750), 42);
    writeStatistic("PerfStats\\StatData", {1, 2, 3, 4, 5, 6});  // not a number
    EXPECT_EQ(load->sample(750), -1);
    RegDeleteKeyA(HKEY_CURRENT_USER, "PerfStats\\StatData");
    EXPECT_EQ(load->sample(750), -1);
    load->stop();
}

}  // namespace
