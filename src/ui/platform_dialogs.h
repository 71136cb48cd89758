// The modal dialogs of the platform that pages run: the open dialog, the folder dialog
// and the shell's icon picker. Each goes through one seam, so tests can answer it and
// see what it was asked; the program runs the real dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ui {

// An open dialog as the pages describe it. The filter is in the pages' notation:
// "name|patterns|name|patterns".
struct OpenDialogRequest {
    std::string title;
    std::string filter;
    std::string fileName;        // the initial file name (empty: none)
    std::string initialFolder;   // empty: the system's choice
    bool fileMustExist = true;   // the chosen file and its path must exist
    // A save dialog instead: asks before an existing file is replaced, and adds the
    // default extension (without the dot) to a name typed without one.
    bool saving = false;
    std::string defaultExtension;
};

struct FolderDialogRequest {
    std::string title;
    std::string initialFolder;  // empty: none; the dialog is rooted at My Computer
};

// The icon picker starts from a file and an icon index and answers the chosen ones.
struct IconChoice {
    std::string file;
    int index = 0;
};

class PlatformDialogsSeam {
public:
    virtual ~PlatformDialogsSeam() = default;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<std::string> openFile(HWND owner, const OpenDialogRequest& request) = 0;
    // The chosen folder (no trailing backslash but for a drive root), or nothing.
    virtual std::optional<std::string> browseFolder(HWND owner, const FolderDialogRequest& request) = 0;
    // The shell's icon picker (shell32 ordinal 62): the confirmed choice, or nothing.
    virtual std::optional<IconChoice> pickIcon(HWND owner, const IconChoice& current) = 0;
};

// Installs a seam (nullptr restores the real one); returns the one it replaced.
PlatformDialogsSeam* SetPlatformDialogsSeam(PlatformDialogsSeam* seam);

std::optional<std::string> OpenFileDialog(HWND owner, const OpenDialogRequest& request);
std::optional<std::string> BrowseFolderDialog(HWND owner, const FolderDialogRequest& request);
std::optional<IconChoice> PickIconDialog(HWND owner, const IconChoice& current);

}  // namespace ui
