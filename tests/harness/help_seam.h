// The help seam of the tests: keeps the locations the program asked the help
// viewer for, instead of opening the viewer.
#pragma once

#include "ui/help.h"

#include <string>
#include <vector>

namespace testing_support {

class RecordedHelp : public ui::HelpSeam {
public:
    RecordedHelp() : previous_(ui::SetHelpSeam(this)) {}
    ~RecordedHelp() override { ui::SetHelpSeam(previous_); }
    RecordedHelp(const RecordedHelp&) = delete;
    RecordedHelp& operator=(const RecordedHelp&) = delete;

    void display(const std::string& location) override { locations_.push_back(location); }
    const std::vector<std::string>& locations() const { return locations_; }

private:
    ui::HelpSeam* previous_;
    std::vector<std::string> locations_;
};

// Installed for the whole test run, so that no test opens the real viewer.
class IgnoredHelp : public ui::HelpSeam {
public:
    void display(const std::string&) override {}
};

}  // namespace testing_support
