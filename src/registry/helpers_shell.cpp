// The shell's special folders.
#include "registry/helpers.h"

#include <objbase.h>
#include <shlobj.h>

#include "ui/handles.h"

namespace helpers {

namespace {

// An item identifier list the shell allocated for us.
struct ItemIdListTraits {
    using Handle = LPITEMIDLIST;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { CoTaskMemFree(h); }
};
using ItemIdList = ui::UniqueHandle<ItemIdListTraits>;

}  // namespace

std::string SpecialFolderPath(HWND owner, int csidl)
{
    ItemIdList folder;
    if (FAILED(SHGetSpecialFolderLocation(owner, csidl, folder.out())) || !folder)
        return {};
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(folder.get(), path))
        return {};
    return path;
}

}  // namespace helpers
