#include "ui/help.h"

#include "ui/handles.h"

#include <algorithm>
#include <cctype>

#include <windows.h>

namespace ui {

std::string HelpFilePath;

namespace {

// The extension of a path: from its last dot on, unless a folder separator follows it.
std::string::size_type ExtensionStart(const std::string& path)
{
    const auto dot = path.find_last_of('.');
    const auto separator = path.find_last_of("\\:");
    if (dot == std::string::npos || (separator != std::string::npos && separator > dot))
        return std::string::npos;
    return dot;
}

std::string WithExtension(const std::string& path, const std::string& extension)
{
    const auto start = ExtensionStart(path);
    return (start == std::string::npos ? path : path.substr(0, start)) + extension;
}

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// HH_DISPLAY_TOPIC of the HTML Help API.
constexpr UINT kDisplayTopic = 0;
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

class HtmlHelpViewer : public HelpSeam {
public:
    void display(const std::string& location) override
    {
        if (HtmlHelpFunction function = htmlHelp())
            function(nullptr, location.c_str(), kDisplayTopic, 0);
    }

private:
    // The library is looked for once; it stays loaded while the viewer may be open.
    HtmlHelpFunction htmlHelp()
    {
        if (!searched_) {
            searched_ = true;
            library_.reset(LoadLibraryA("HHCTRL.OCX"));
            if (library_)
                function_ = reinterpret_cast<HtmlHelpFunction>(
                    reinterpret_cast<void*>(GetProcAddress(library_.get(), "HtmlHelpA")));
        }
        return function_;
    }

    bool searched_ = false;
    ModuleHandle library_;
    HtmlHelpFunction function_ = nullptr;
};

HtmlHelpViewer& RealViewer()
{
    static HtmlHelpViewer viewer;
    return viewer;
}

HelpSeam* currentSeam = nullptr;

}  // namespace

std::string HelpLocation(const std::string& helpFile, const std::string& topic)
{
    std::string page = topic;
    const auto start = ExtensionStart(page);
    const std::string extension = start == std::string::npos ? std::string() : LowerCase(page.substr(start));
    if (extension.rfind(".htm", 0) != 0)
        page += ".htm";
    return WithExtension(helpFile, ".chm") + "::/" + page;
}

HelpSeam* SetHelpSeam(HelpSeam* seam)
{
    HelpSeam* previous = currentSeam;
    currentSeam = seam;
    return previous;
}

void ShowHelpTopic(const std::string& topic)
{
    HelpSeam& viewer = currentSeam ? *currentSeam : RealViewer();
    viewer.display(HelpLocation(HelpFilePath, topic));
}

}  // namespace ui
