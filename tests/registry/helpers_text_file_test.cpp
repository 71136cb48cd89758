// Writing a text file of lines: the report's file beside the program.
#include "harness/temp_folder.h"
#include "registry/helpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class HelpersTextFile : public TempFolderTest {};

TEST_F(HelpersTextFile, EveryLineEndsWithCarriageReturnAndLineFeedAndKeepsItsBytes)
{
    const std::string path = this->path() + "Systembericht.txt";
    ASSERT_TRUE(helpers::WriteTextLines(path, {"Systembericht vom 01.02.2003", "", "Größe: 12 %"}));
    EXPECT_EQ(Bytes(path), "Systembericht vom 01.02.2003\r\n\r\nGr\xF6\xDF" "e: 12 %\r\n");

    // A shorter report replaces a longer one completely.
    ASSERT_TRUE(helpers::WriteTextLines(path, {"kurz"}));
    EXPECT_EQ(Bytes(path), "kurz\r\n");
    ASSERT_TRUE(helpers::WriteTextLines(path, {}));
    EXPECT_EQ(Bytes(path), "");
}

TEST_F(HelpersTextFile, AFileThatCannotBeCreatedIsReported)
{
    EXPECT_FALSE(helpers::WriteTextLines(path() + "missing\\Systembericht.txt", {"x"}));
    EXPECT_FALSE(helpers::WriteTextLines(makeDir("Ordner"), {"x"}));
    EXPECT_FALSE(helpers::WriteTextLines(path() + "a\"b.txt", {"x"}));
}

}  // namespace
