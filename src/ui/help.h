// Help: pages of the program's HTML Help file, shown by the HTML Help viewer that
// Windows provides. Every "Hilfe" button calls ShowHelpTopic with its own topic.
#pragma once

#include <string>

namespace ui {

// The help file every help call passes; the main window sets it when it is created.
extern std::string HelpFilePath;

// The location the viewer is asked for: the help file with the extension ".chm",
// "::/", and the topic with ".htm" appended unless its extension begins with ".htm".
std::string HelpLocation(const std::string& helpFile, const std::string& topic);

// The viewer that shows a location. The real one loads "HHCTRL.OCX" on first use
// and calls its "HtmlHelpA"; without that library help shows nothing and reports
// nothing. Tests install their own to see what would be shown.
class HelpSeam {
public:
    virtual ~HelpSeam() = default;
    virtual void display(const std::string& location) = 0;
};

// Installs a viewer (nullptr restores the real one); returns the one it replaced.
HelpSeam* SetHelpSeam(HelpSeam* seam);

// Opens one topic of HelpFilePath without waiting for the viewer to close.
void ShowHelpTopic(const std::string& topic);

}  // namespace ui
