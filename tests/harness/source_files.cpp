#include "harness/source_files.h"

#include <cstdlib>
#include <stdexcept>

namespace testing_support {

std::string SourceFile(const std::string& relative)
{
    const char* folder = std::getenv("VELMORA_SOURCE_DIR");
    if (!folder || !*folder)
        throw std::runtime_error("VELMORA_SOURCE_DIR is not set; run the tests through ctest");
    return std::string(folder) + "\\" + relative;
}

}  // namespace testing_support
