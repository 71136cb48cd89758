// GetTickCount64 for the threading runtime, without importing it from kernel32.
//
// The compiler's threading runtime (winpthreads, linked in statically) measures the
// timeouts of its waits with kernel32's GetTickCount64, which exists only from Windows
// Vista on. Windows XP's loader refuses a program whose import table names a function
// its kernel32 lacks, before the program's first line runs. The runtime calls the
// function through the import pointer __imp_GetTickCount64; this file defines that
// pointer itself, so the linker takes it from here and never adds the import. The
// pointer leads to kernel32's own GetTickCount64 where Windows has one, and on Windows
// XP to the 32-bit tick count widened to 64 bits.
//
// This object is linked into every program of the project (see cmake/Velmora.cmake),
// ahead of the libraries, so the tested programs run the same runtime as the release.
// The import check (scripts/check-imports) fails the build's tests should the import
// ever come back.
#include "runtime/tick_count64.h"

namespace {

using TickCount64Function = ULONGLONG(WINAPI*)();

// Velmora runs on one thread, and so do the runtime's waits: one state serves them.
runtime::WidenedTickCount widenedTickCount;

ULONGLONG WINAPI TickCountOfWindowsXP()
{
    return widenedTickCount.widen(GetTickCount());
}

ULONGLONG WINAPI FirstTickCount64();

}  // namespace

#if defined(_WIN64)
#define VELMORA_TICKCOUNT64_IMPORT "__imp_GetTickCount64"
#else
#define VELMORA_TICKCOUNT64_IMPORT "__imp__GetTickCount64@0"
#endif

// The import pointer the runtime calls through; it starts at the resolver below.
extern "C" {
TickCount64Function velmoraTickCount64 __asm__(VELMORA_TICKCOUNT64_IMPORT) = FirstTickCount64;
}

namespace {

// The first call picks kernel32's function or the fallback and keeps the choice.
ULONGLONG WINAPI FirstTickCount64()
{
    TickCount64Function chosen = TickCountOfWindowsXP;
    if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
        if (FARPROC found = GetProcAddress(kernel, "GetTickCount64"))
            chosen = reinterpret_cast<TickCount64Function>(reinterpret_cast<void*>(found));
    }
    velmoraTickCount64 = chosen;
    return chosen();
}

}  // namespace
