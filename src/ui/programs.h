// Outside programs the program starts: documents, web and mail addresses opened with
// the shell's "open" verb, command lines started with WinExec (Explorer, Notepad), and
// command lines run to their end (the registry editor). They go through one seam, so
// tests can see what would have been started, and answer for it, instead of starting it.
#pragma once

#include <string>

namespace ui {

// What run-and-wait answers for a program that has not ended within its time: the
// exit code Windows reports for a process that is still running (STILL_ACTIVE).
constexpr int kStillRunning = 259;

// How long run-and-wait waits for a program: far longer than any export or import of
// the registry editor takes, so only a program that hangs reaches it.
constexpr unsigned long kRunAndWaitLimitMs = 5 * 60 * 1000;

class ProgramsSeam {
public:
    virtual ~ProgramsSeam() = default;
    // ShellExecute with the "open" verb; true when the shell started something.
    virtual bool shellOpen(const std::string& target, const std::string& parameters) = 0;
    // WinExec of a command line with a show command (SW_SHOWNORMAL, ...); true when
    // the program was started.
    virtual bool winExec(const std::string& commandLine, int showCommand) = 0;
    // Starts the command line as a new process and waits for its end: its exit code,
    // -1 when it could not be started, kStillRunning when it did not end in time.
    virtual int runAndWait(const std::string& commandLine, int showCommand) = 0;
};

// Installs a seam (nullptr restores the real one); returns the one it replaced.
ProgramsSeam* SetProgramsSeam(ProgramsSeam* seam);
// The real one, which starts the programs (tests that run the real registry editor).
ProgramsSeam& SystemPrograms();

bool ShellOpen(const std::string& target, const std::string& parameters = {});
bool WinExec(const std::string& commandLine, int showCommand);

// CreateProcess without an application name (the program is looked up along the
// search path), without handle inheritance, with a new console and normal priority,
// the caller's environment and folder, and the show command; waits at most
// kRunAndWaitLimitMs. A program still running then is ended and kStillRunning is
// returned, so a hung program never blocks Velmora for good. A command line of more
// than 511 characters is not started (-1): the program keeps command lines in a
// buffer of 512 characters and never cuts one.
int RunAndWait(const std::string& commandLine, int showCommand);

// The real run-and-wait with a time limit of the caller's (the system's programs use
// kRunAndWaitLimitMs).
int RunAndWaitWithin(const std::string& commandLine, int showCommand, unsigned long limitMs);

}  // namespace ui
