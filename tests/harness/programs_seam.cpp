#include "harness/programs_seam.h"

#include <gtest/gtest.h>

namespace testing_support {

bool UnexpectedPrograms::shellOpen(const std::string& target, const std::string& parameters)
{
    ADD_FAILURE() << "unexpected start of " << target << " " << parameters;
    return false;
}

bool UnexpectedPrograms::winExec(const std::string& commandLine, int)
{
    ADD_FAILURE() << "unexpected start of " << commandLine;
    return false;
}

int UnexpectedPrograms::runAndWait(const std::string& commandLine, int)
{
    ADD_FAILURE() << "unexpected start of " << commandLine;
    return -1;
}

}  // namespace testing_support
