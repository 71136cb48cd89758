// The programs seam of the tests: keeps what the program would have started (opened
// documents and addresses, WinExec and run-and-wait command lines) instead of starting
// it. A test may let run-and-wait act as the program would (a registry editor that
// writes its export file, say) and answer with an exit code.
#pragma once

#include "ui/programs.h"

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

class RecordedPrograms : public ui::ProgramsSeam {
public:
    struct Started {
        std::string commandLine;  // for shellOpen: the target, a blank and the parameters
        int showCommand = 0;
    };

    RecordedPrograms() : previous_(ui::SetProgramsSeam(this)) {}
    ~RecordedPrograms() override { ui::SetProgramsSeam(previous_); }
    RecordedPrograms(const RecordedPrograms&) = delete;
    RecordedPrograms& operator=(const RecordedPrograms&) = delete;

    bool shellOpen(const std::string& target, const std::string& parameters) override
    {
        opened.push_back({parameters.empty() ? target : target + " " + parameters, 1});
        return true;
    }
    bool winExec(const std::string& commandLine, int showCommand) override
    {
        executed.push_back({commandLine, showCommand});
        return true;
    }
    int runAndWait(const std::string& commandLine, int showCommand) override
    {
        ran.push_back({commandLine, showCommand});
        return onRunAndWait ? onRunAndWait(commandLine) : 0;
    }

    // What run-and-wait does in place of the program; answers its exit code.
    std::function<int(const std::string& commandLine)> onRunAndWait;

    std::vector<Started> opened;
    std::vector<Started> executed;
    std::vector<Started> ran;

private:
    ui::ProgramsSeam* previous_;
};

// Installed for the whole test run, so that no test starts a real program by accident:
// it fails the test that does.
class UnexpectedPrograms : public ui::ProgramsSeam {
public:
    bool shellOpen(const std::string& target, const std::string& parameters) override;
    bool winExec(const std::string& commandLine, int showCommand) override;
    int runAndWait(const std::string& commandLine, int showCommand) override;
};

}  // namespace testing_support
