// Files of the source tree that tests read (the language data file).
#pragma once

#include <string>

namespace testing_support {

// The Windows path of a file below the source folder, e.g. SourceFile("lang\\velmora.dat").
std::string SourceFile(const std::string& relative);

}  // namespace testing_support
