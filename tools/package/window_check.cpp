// The check of a release package (scripts/package --test): waits until a Velmora main
// window is visible and tells whether it shows the headline of the given language
// file (language string 1001), then closes it. The headline is the label the main
// window is localised with first, so it tells which language file the program read.
//
//   velmora_window_check <language file> [seconds to wait]
//
// Exit code 0: the window shows the file's headline; 1: it shows another or none came.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <windows.h>

namespace {

// The text of one number in a language file ("number=text" lines, CR LF).
std::string LanguageText(const std::string& file, const std::string& number)
{
    std::ifstream lines(file, std::ios::binary);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, number.size() + 1, number + "=") == 0)
            return line.substr(number.size() + 1);
    }
    return {};
}

std::string TextOf(HWND window)
{
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1);
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

BOOL CALLBACK FindMainWindow(HWND window, LPARAM found)
{
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    // The main window is the program's form that has a menu bar.
    if (IsWindowVisible(window) && lstrcmpA(className, "VelmoraForm") == 0 && GetMenu(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectTexts(HWND window, LPARAM texts)
{
    reinterpret_cast<std::vector<std::string>*>(texts)->push_back(TextOf(window));
    return TRUE;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora_window_check <language file> [seconds]\n");
        return 2;
    }
    const std::string headline = LanguageText(argv[1], "1001");
    const int seconds = argc >= 3 ? std::atoi(argv[2]) : 60;
    if (headline.empty()) {
        std::printf("the language file %s has no headline (1001)\n", argv[1]);
        return 1;
    }
    HWND main = nullptr;
    for (int waited = 0; !main && waited < seconds * 10; ++waited) {
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&main));
        if (!main)
            Sleep(100);
    }
    if (!main) {
        std::printf("no Velmora main window appeared within %d seconds\n", seconds);
        return 1;
    }
    std::vector<std::string> texts;
    EnumChildWindows(main, CollectTexts, reinterpret_cast<LPARAM>(&texts));
    bool shown = false;
    for (const std::string& text : texts)
        shown = shown || text == headline;
    std::printf("main window \"%s\": %s the headline \"%s\"\n", TextOf(main).c_str(), shown ? "shows" : "does NOT show",
                headline.c_str());
    if (!shown)
        for (const std::string& text : texts)
            if (!text.empty())
                std::printf("  it shows \"%s\"\n", text.c_str());
    PostMessageA(main, WM_CLOSE, 0, 0);
    return shown ? 0 : 1;
}
