// Outside programs the program starts: documents, web and mail addresses opened
// with the shell's "open" verb. They go through one seam, so tests can see what
// would have been started instead of starting it.
#pragma once

#include <string>

namespace ui {

class ProgramsSeam {
public:
    virtual ~ProgramsSeam() = default;
    // ShellExecute with the "open" verb; true when the shell started something.
    virtual bool shellOpen(const std::string& target, const std::string& parameters) = 0;
};

// Installs a seam (nullptr restores the real one); returns the one it replaced.
ProgramsSeam* SetProgramsSeam(ProgramsSeam* seam);

bool ShellOpen(const std::string& target, const std::string& parameters = {});

}  // namespace ui
