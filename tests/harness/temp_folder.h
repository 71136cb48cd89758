// A fresh, uniquely named folder under the Windows temporary folder for one test,
// removed with everything in it (read-only, hidden and system entries included)
// when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // The folder's full path with a trailing backslash.
    const std::string& path() const { return path_; }
    // Creates (or overwrites) the file path() + relative with these bytes; returns its full path.
    std::string file(const std::string& relative, const std::string& contents = {}) const;
    // Creates the folder path() + relative and every missing folder above it; returns
    // its full path with a trailing backslash.
    std::string makeDir(const std::string& relative) const;

private:
    std::string path_;
};

// Removes a folder and everything in it; junctions are unlinked, not followed.
void RemoveFolderTree(const std::string& folder);

}  // namespace testing_support

// Fixture: every test gets its own temporary folder.
class TempFolderTest : public ::testing::Test {
protected:
    const std::string& path() const { return temp_.path(); }
    std::string file(const std::string& relative, const std::string& contents = {}) const
    {
        return temp_.file(relative, contents);
    }
    std::string makeDir(const std::string& relative) const { return temp_.makeDir(relative); }

private:
    testing_support::TempFolder temp_;
};
