// The help files built beside the program, the German velmora.chm and the English one,
// hold a page for every topic a window asks for (the topics the keyboard test sees F1
// open on every window).
#include "every_window.h"
#include "harness/temp_file.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include <windows.h>

namespace {

// The build folder: the test programs lie in its "tests" folder.
std::string BuildFolder()
{
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    // Wine names a program that lies outside its drives "unix\..."; opened as such it
    // needs the "\\?\" prefix.
    if (folder.compare(0, 5, "unix\\") == 0)
        folder = "\\\\?\\" + folder;
    folder = folder.substr(0, folder.find_last_of('\\'));  // ...\tests
    return folder.substr(0, folder.find_last_of('\\'));
}

// A compiled help file lists the files it holds in its directory by their paths from
// the root ("/start.htm"), each after a byte with the length of the path.
bool HoldsPage(const std::string& helpFile, const std::string& page)
{
    const std::string path = "/" + page;
    for (std::size_t at = helpFile.find(path); at != std::string::npos; at = helpFile.find(path, at + 1))
        if (at > 0 && static_cast<unsigned char>(helpFile[at - 1]) == path.size())
            return true;
    return false;
}

std::set<std::string> TopicsAskedFor()
{
    std::set<std::string> topics;
    for (const every_window::WindowCase& window : every_window::Windows())
        topics.insert(window.helpTopics.begin(), window.helpTopics.end());
    return topics;
}

}  // namespace

TEST(HelpFiles, HoldAPageForEveryTopicTheWindowsAskFor)
{
    const std::set<std::string> topics = TopicsAskedFor();
    ASSERT_TRUE(topics.count("start"));
    for (const char* file : {"velmora.chm", "english\\velmora.chm"}) {
        SCOPED_TRACE(file);
        const std::string helpFile = testing_support::ReadBytes(BuildFolder() + "\\" + file);
        ASSERT_FALSE(helpFile.empty()) << "the build made no " << BuildFolder() << "\\" << file
                                       << " (chmcmd of fp-utils builds it)";
        ASSERT_EQ(helpFile.substr(0, 4), "ITSF") << "not a compiled help file";
        for (const std::string& topic : topics)
            EXPECT_TRUE(HoldsPage(helpFile, topic + ".htm")) << "no page for the topic \"" << topic << "\"";
        // The check tells a page apart from a longer name that ends like it.
        EXPECT_FALSE(HoldsPage(helpFile, "art.htm"));
    }
}
