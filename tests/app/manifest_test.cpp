// The manifest every program of the project carries (res/velmora.manifest.in, made for the
// program's processor): read from this test program's own resources, as Windows reads it.
#include "runtime/tick_count64.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include <windows.h>

namespace {

std::string OwnManifest()
{
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(self, found);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes ? std::string(bytes, SizeofResource(self, found)) : std::string();
}

std::size_t Occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

}  // namespace

TEST(ProgramManifest, AsksForTheHighestRightsInTheFormWindowsXPAccepts)
{
    const std::string manifest = OwnManifest();
    ASSERT_FALSE(manifest.empty());
    // trustInfo declares its own namespace; in the assembly's asm.v1 namespace XP refuses it.
    EXPECT_NE(manifest.find("<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v2\">"), std::string::npos);
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"/>"),
              std::string::npos);
    // No namespace is declared twice (a prefixed declaration beside the default one can
    // bring down XP SP2's side-by-side loader): every declaration is a default one, each once.
    EXPECT_EQ(Occurrences(manifest, "xmlns:"), 0u);
    for (const char* urn : {"urn:schemas-microsoft-com:asm.v1", "urn:schemas-microsoft-com:asm.v2",
                            "urn:schemas-microsoft-com:compatibility.v1"})
        EXPECT_EQ(Occurrences(manifest, std::string("xmlns=\"") + urn + "\""), 1u) << urn;
}

TEST(ProgramManifest, NamesTheProgramsProcessorAndTheWindowsItKnows)
{
    const std::string manifest = OwnManifest();
    // The program and its common controls of version 6 are of the program's own processor:
    // a 64-bit program that asks for the 32-bit controls does not start on 64-bit Windows.
    const std::string architecture = sizeof(void*) == 8 ? "amd64" : "X86";
    EXPECT_EQ(Occurrences(manifest, "processorArchitecture=\"" + architecture + "\""), 2u);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    const char* const windows[] = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const char* id : windows)
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos) << id;
}

// On Windows XP the runtime's 64-bit tick count is the 32-bit one widened by its wraps.
TEST(TickCountOfWindowsXP, CountsTheWrapsOfTheThirtyTwoBitTickCount)
{
    runtime::WidenedTickCount ticks;
    struct Reading {
        DWORD tick;
        ULONGLONG widened;
    };
    const Reading readings[] = {
        {1000, 1000},
        {1000, 1000},  // the same reading twice is no wrap
        {0xFFFFFFF0u, 0xFFFFFFF0ull},
        {5, 0x100000005ull},  // wrapped once
        {0x80000000u, 0x180000000ull},
        {3, 0x200000003ull},  // and again
    };
    for (const Reading& reading : readings)
        EXPECT_EQ(ticks.widen(reading.tick), reading.widened) << reading.tick;
}

// The threading runtime's timed waits measure their timeouts with the 64-bit tick count,
// which reaches them through the program's own import pointer: they still time out.
TEST(TickCountOfWindowsXP, TheRuntimesTimedWaitsStillTimeOut)
{
    std::mutex mutex;
    std::condition_variable never;
    std::unique_lock<std::mutex> lock(mutex);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(never.wait_for(lock, std::chrono::milliseconds(30)), std::cv_status::timeout);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(20));
}
