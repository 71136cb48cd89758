#include "ui/programs.h"

#include <windows.h>
#include <shellapi.h>

namespace ui {

namespace {

class RealPrograms : public ProgramsSeam {
public:
    bool shellOpen(const std::string& target, const std::string& parameters) override
    {
        const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(
            nullptr, "open", target.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL));
        return result > 32;  // ShellExecute reports success with values above 32
    }
};

ProgramsSeam* currentSeam = nullptr;

}  // namespace

ProgramsSeam* SetProgramsSeam(ProgramsSeam* seam)
{
    ProgramsSeam* previous = currentSeam;
    currentSeam = seam;
    return previous;
}

bool ShellOpen(const std::string& target, const std::string& parameters)
{
    static RealPrograms real;
    return (currentSeam ? *currentSeam : real).shellOpen(target, parameters);
}

}  // namespace ui
