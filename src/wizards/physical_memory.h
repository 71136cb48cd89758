// The machine's physical memory, behind a seam so that tests can choose the figure,
// and the item of the SPEED wizard's memory list it stands for.
#pragma once

#include <cstdint>

namespace wizards {

// The total physical memory in bytes, as GlobalMemoryStatus reports it.
std::uint64_t PhysicalMemoryBytes();

// Where PhysicalMemoryBytes comes from: the system, unless a test installed its own
// figure. Installing nullptr restores the system's; returns the one it replaced.
using PhysicalMemoryProbe = std::uint64_t (*)();
PhysicalMemoryProbe SetPhysicalMemoryProbe(PhysicalMemoryProbe probe);

// The memory list's items: 0 "128 MB or less", 1 "between 128 and 256 MB", 2 "256 MB",
// 3 "between 256 and 512 MB", 4 "512 MB", 5 "more than 512 MB".
constexpr int kRamItemCount = 6;

// The item for a memory size. Windows reports a few MB less than the modules hold (the
// graphics card or the BIOS keeps some), so sizes within a few MB of 128, 256 and 512 MB
// count as exactly that size.
int RamItemForMemory(std::uint64_t bytes);

}  // namespace wizards
