#include "ui/programs.h"

#include "ui/handles.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace ui {

namespace {

constexpr std::size_t kCommandLineBuffer = 512;

class RealPrograms : public ProgramsSeam {
public:
    bool shellOpen(const std::string& target, const std::string& parameters) override
    {
        const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(
            nullptr, "open", target.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL));
        return result > 32;  // ShellExecute reports success with values above 32
    }

    bool winExec(const std::string& commandLine, int showCommand) override
    {
        return ::WinExec(commandLine.c_str(), static_cast<UINT>(showCommand)) > 31;  // above 31 is success
    }

    int runAndWait(const std::string& commandLine, int showCommand) override
    {
        return RunAndWaitWithin(commandLine, showCommand, kRunAndWaitLimitMs);
    }
};

ProgramsSeam* currentSeam = nullptr;

ProgramsSeam& Programs()
{
    return currentSeam ? *currentSeam : SystemPrograms();
}

}  // namespace

ProgramsSeam& SystemPrograms()
{
    static RealPrograms real;
    return real;
}

ProgramsSeam* SetProgramsSeam(ProgramsSeam* seam)
{
    ProgramsSeam* previous = currentSeam;
    currentSeam = seam;
    return previous;
}

int RunAndWaitWithin(const std::string& commandLine, int showCommand, unsigned long limitMs)
{
    if (commandLine.size() >= kCommandLineBuffer)
        return -1;
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.resize(kCommandLineBuffer, '\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &started))
        return -1;
    const KernelHandle process(started.hProcess);
    const KernelHandle thread(started.hThread);
    if (WaitForSingleObject(process.get(), limitMs) != WAIT_OBJECT_0) {
        // A program that hangs is ended, so that it cannot write its files later, in
        // the middle of what comes next.
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), 5000);
        return kStillRunning;
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.get(), &exitCode))
        return -1;
    return static_cast<int>(exitCode);
}

bool ShellOpen(const std::string& target, const std::string& parameters)
{
    return Programs().shellOpen(target, parameters);
}

bool WinExec(const std::string& commandLine, int showCommand)
{
    return Programs().winExec(commandLine, showCommand);
}

int RunAndWait(const std::string& commandLine, int showCommand)
{
    return Programs().runAndWait(commandLine, showCommand);
}

}  // namespace ui
