// Reading and writing whole files in tests, byte for byte.
#pragma once

#include <string>

namespace testing_support {

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// A unique file name in the Windows temporary folder (the file is not created).
std::string TempFileName(const std::string& stem);

}  // namespace testing_support
