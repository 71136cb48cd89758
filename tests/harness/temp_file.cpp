#include "harness/temp_file.h"

#include <fstream>
#include <sstream>

#include <windows.h>

namespace testing_support {

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string TempFileName(const std::string& stem)
{
    static int counter = 0;
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter)
           + ".tmp";
}

}  // namespace testing_support
