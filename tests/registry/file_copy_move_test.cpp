// Copying and renaming files through the helpers: a copy replaces its target, a
// replacing rename swaps the target in one step, a keeping rename never replaces.
#include "harness/temp_folder.h"
#include "registry/helpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

class FileCopyMoveTest : public TempFolderTest {};

TEST_F(FileCopyMoveTest, CopiesReplaceAndRenamesReplaceOnlyWhenAsked)
{
    const std::string source = file("source.txt", "new");
    const std::string target = file("target.txt", "old");

    EXPECT_TRUE(helpers::CopyFileTo(source, target, true));
    EXPECT_EQ(Contents(target), "new");
    EXPECT_FALSE(helpers::CopyFileTo(path() + "missing.txt", target, true));

    const std::string kept = file("kept.txt", "kept");
    EXPECT_FALSE(helpers::RenameFile(source, kept));
    EXPECT_EQ(Contents(kept), "kept");
    EXPECT_TRUE(helpers::FileExists(source));
    EXPECT_TRUE(helpers::RenameFile(source, path() + "moved.txt"));
    EXPECT_FALSE(helpers::FileExists(source));

    EXPECT_TRUE(helpers::MoveFileReplacing(path() + "moved.txt", kept));
    EXPECT_EQ(Contents(kept), "new");
    EXPECT_FALSE(helpers::FileExists(path() + "moved.txt"));
}
