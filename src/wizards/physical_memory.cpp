#include "wizards/physical_memory.h"

#include <initializer_list>

#include <windows.h>

namespace wizards {

namespace {

std::uint64_t SystemPhysicalMemory()
{
    MEMORYSTATUS status{};
    status.dwLength = sizeof(status);
    GlobalMemoryStatus(&status);
    return status.dwTotalPhys;
}

PhysicalMemoryProbe installedProbe = nullptr;

// A memory size in whole MB, brought to the module size it is a few MB short of (or over).
std::uint64_t SnappedMegabytes(std::uint64_t bytes)
{
    const std::uint64_t megabytes = bytes / (1024 * 1024);
    for (const std::uint64_t module : {128u, 256u, 512u})
        if (megabytes + 2 >= module && megabytes <= module + 2)
            return module;
    return megabytes;
}

}  // namespace

std::uint64_t PhysicalMemoryBytes()
{
    return installedProbe ? installedProbe() : SystemPhysicalMemory();
}

PhysicalMemoryProbe SetPhysicalMemoryProbe(PhysicalMemoryProbe probe)
{
    const PhysicalMemoryProbe previous = installedProbe;
    installedProbe = probe;
    return previous;
}

int RamItemForMemory(std::uint64_t bytes)
{
    const std::uint64_t megabytes = SnappedMegabytes(bytes);
    if (megabytes <= 128)
        return 0;
    if (megabytes < 256)
        return 1;
    if (megabytes == 256)
        return 2;
    if (megabytes < 512)
        return 3;
    if (megabytes == 512)
        return 4;
    return 5;
}

}  // namespace wizards
