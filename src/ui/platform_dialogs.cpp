#include "ui/platform_dialogs.h"

#include "ui/handles.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace ui {

namespace {

// "a|b|c|d" becomes "a\0b\0c\0d\0\0", as the open dialog takes its filter.
std::string DialogFilter(const std::string& filter)
{
    std::string result = filter;
    for (char& character : result)
        if (character == '|')
            character = '\0';
    return result + std::string(2, '\0');
}

// The item list the folder dialog answers, freed by the shell's allocator.
struct ShellItemList {
    LPITEMIDLIST items = nullptr;
    ShellItemList() = default;
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;
    ~ShellItemList() { if (items) CoTaskMemFree(items); }
};

int CALLBACK SelectInitialFolder(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

using PickIconDlgFunction = int(WINAPI*)(HWND, PWSTR, UINT, int*);

class RealDialogs : public PlatformDialogsSeam {
public:
    std::optional<std::string> openFile(HWND owner, const OpenDialogRequest& request) override
    {
        const std::string filter = DialogFilter(request.filter);
        std::vector<char> file(32768, '\0');
        request.fileName.copy(file.data(), file.size() - 1);
        OPENFILENAMEA dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
        dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
        dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING |
                       (request.fileMustExist ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : 0);
        dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
        if (request.saving) {
            dialog.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
            if (!GetSaveFileNameA(&dialog))
                return std::nullopt;
        } else if (!GetOpenFileNameA(&dialog)) {
            return std::nullopt;
        }
        return std::string(file.data());
    }

    std::optional<std::string> browseFolder(HWND owner, const FolderDialogRequest& request) override
    {
        const ComScope com;
        char display[MAX_PATH] = {};
        ShellItemList root;
        SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &root.items);
        BROWSEINFOA browse{};
        browse.hwndOwner = owner;
        browse.pidlRoot = root.items;
        browse.pszDisplayName = display;
        browse.lpszTitle = request.title.c_str();
        browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
        browse.lpfn = SelectInitialFolder;
        browse.lParam = request.initialFolder.empty() ? 0 : reinterpret_cast<LPARAM>(request.initialFolder.c_str());
        ShellItemList chosen;
        chosen.items = SHBrowseForFolderA(&browse);
        if (!chosen.items)
            return std::nullopt;
        char path[MAX_PATH] = {};
        if (!SHGetPathFromIDListA(chosen.items, path))
            return std::nullopt;
        return std::string(path);
    }

    std::optional<IconChoice> pickIcon(HWND owner, const IconChoice& current) override
    {
        const ModuleHandle shell(LoadLibraryA("shell32.dll"));
        const auto pick = reinterpret_cast<PickIconDlgFunction>(
            reinterpret_cast<void*>(GetProcAddress(shell.get(), MAKEINTRESOURCEA(62))));
        if (!pick)
            return std::nullopt;
        // A path buffer of 1024 wide characters holding the current file.
        std::vector<wchar_t> path(1024, L'\0');
        MultiByteToWideChar(CP_ACP, 0, current.file.c_str(), -1, path.data(), static_cast<int>(path.size() - 1));
        int index = current.index;
        if (!pick(owner, path.data(), static_cast<UINT>(path.size()), &index))
            return std::nullopt;
        const int size = WideCharToMultiByte(CP_ACP, 0, path.data(), -1, nullptr, 0, nullptr, nullptr);
        std::string file(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
        WideCharToMultiByte(CP_ACP, 0, path.data(), -1, file.data(), size, nullptr, nullptr);
        file.resize(file.find('\0'));
        return IconChoice{file, index};
    }
};

PlatformDialogsSeam* currentSeam = nullptr;

PlatformDialogsSeam& Dialogs()
{
    static RealDialogs real;
    return currentSeam ? *currentSeam : real;
}

}  // namespace

PlatformDialogsSeam* SetPlatformDialogsSeam(PlatformDialogsSeam* seam)
{
    PlatformDialogsSeam* previous = currentSeam;
    currentSeam = seam;
    return previous;
}

std::optional<std::string> OpenFileDialog(HWND owner, const OpenDialogRequest& request)
{
    return Dialogs().openFile(owner, request);
}

std::optional<std::string> BrowseFolderDialog(HWND owner, const FolderDialogRequest& request)
{
    return Dialogs().browseFolder(owner, request);
}

std::optional<IconChoice> PickIconDialog(HWND owner, const IconChoice& current)
{
    return Dialogs().pickIcon(owner, current);
}

}  // namespace ui
