#include "harness/platform_dialogs_seam.h"

#include <gtest/gtest.h>

namespace testing_support {

std::optional<std::string> UnexpectedPlatformDialogs::openFile(HWND, const ui::OpenDialogRequest& request)
{
    ADD_FAILURE() << "unexpected open dialog \"" << request.title << "\"";
    return std::nullopt;
}

std::optional<std::string> UnexpectedPlatformDialogs::browseFolder(HWND, const ui::FolderDialogRequest& request)
{
    ADD_FAILURE() << "unexpected folder dialog \"" << request.title << "\"";
    return std::nullopt;
}

std::optional<ui::IconChoice> UnexpectedPlatformDialogs::pickIcon(HWND, const ui::IconChoice& current)
{
    ADD_FAILURE() << "unexpected icon picker for " << current.file << "," << current.index;
    return std::nullopt;
}

}  // namespace testing_support
