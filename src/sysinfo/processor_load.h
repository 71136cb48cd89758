// The two ways the processor load is measured: on Windows NT from the idle time of
// the first processor (ZwQuerySystemInformation of NTDLL.DLL), on Windows 9x from
// the kernel's performance statistics below HKEY_DYN_DATA.
#pragma once

#include "sysinfo/system_info.h"

#include <memory>

#include <windows.h>

namespace sysinfo {

// The load in percent of a processor that was idle from previousIdle to idle (in
// 100-ns units) during intervalMs: round((10000000 - idle per second) / 100000),
// halves to even. Values far outside 0..100 (the first sample, whose previous idle
// time is 0) come back as -1; an interval of 0 gives -1 as well.
int LoadFromIdleTimes(LONGLONG previousIdle, LONGLONG idle, unsigned intervalMs);

// Windows NT: starting fails when NTDLL.DLL lacks the function or the query fails.
std::unique_ptr<ProcessorLoadSource> IdleTimeLoad();

// Windows 9x, below root (HKEY_DYN_DATA): starting raises "Unable to start performance
// monitoring" when "PerfStats\StartStat" cannot be opened and "Unable to read
// performance data" when its "KERNEL\CPUUsage" cannot be read; a sample that cannot
// be read is -1.
std::unique_ptr<ProcessorLoadSource> PerformanceStatisticsLoad(HKEY root = HKEY_DYN_DATA);

}  // namespace sysinfo
