// A look into the Recycle Bin through the shell, as Explorer shows it.
#include "autostart_fixture.h"

#include "ui/handles.h"

#include <shlobj.h>
#include <shlwapi.h>

std::vector<std::string> RecycleBinNames()
{
    std::vector<std::string> names;
    ui::ComPtr<IShellFolder> desktop;
    LPITEMIDLIST bin = nullptr;
    if (FAILED(SHGetDesktopFolder(desktop.out())) || FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &bin)))
        return names;
    ui::ComPtr<IShellFolder> folder;
    const HRESULT bound = desktop->BindToObject(bin, nullptr, IID_IShellFolder, folder.outVoid());
    CoTaskMemFree(bin);
    ui::ComPtr<IEnumIDList> items;
    if (FAILED(bound) ||
        folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.out()) != S_OK)
        return names;
    LPITEMIDLIST item = nullptr;
    while (items->Next(1, &item, nullptr) == S_OK) {
        STRRET name{};
        char text[MAX_PATH] = {};
        if (SUCCEEDED(folder->GetDisplayNameOf(item, SHGDN_NORMAL, &name)) &&
            SUCCEEDED(StrRetToBufA(&name, item, text, MAX_PATH)))
            names.emplace_back(text);
        CoTaskMemFree(item);
    }
    return names;
}

bool InRecycleBin(const std::string& fileName)
{
    const std::string withoutExtension = fileName.substr(0, fileName.size() - 4);
    for (const std::string& name : RecycleBinNames())
        if (lstrcmpiA(name.c_str(), fileName.c_str()) == 0 || lstrcmpiA(name.c_str(), withoutExtension.c_str()) == 0)
            return true;
    return false;
}
