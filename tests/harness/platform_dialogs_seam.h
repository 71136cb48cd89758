// The platform dialogs of the tests: answers open dialogs, folder dialogs and the icon
// picker from a script and keeps what each was asked. A dialog the script does not
// answer is cancelled.
#pragma once

#include "ui/platform_dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class ScriptedPlatformDialogs : public ui::PlatformDialogsSeam {
public:
    ScriptedPlatformDialogs() : previous_(ui::SetPlatformDialogsSeam(this)) {}
    ~ScriptedPlatformDialogs() override { ui::SetPlatformDialogsSeam(previous_); }
    ScriptedPlatformDialogs(const ScriptedPlatformDialogs&) = delete;
    ScriptedPlatformDialogs& operator=(const ScriptedPlatformDialogs&) = delete;

    // The next dialogs of each kind answer these, in order (nothing: cancelled).
    void answerFile(std::optional<std::string> file) { files_.push_back(std::move(file)); }
    void answerFolder(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }
    void answerIcon(std::optional<ui::IconChoice> icon) { icons_.push_back(std::move(icon)); }

    std::optional<std::string> openFile(HWND, const ui::OpenDialogRequest& request) override
    {
        openRequests.push_back(request);
        return next(files_);
    }
    std::optional<std::string> browseFolder(HWND, const ui::FolderDialogRequest& request) override
    {
        folderRequests.push_back(request);
        return next(folders_);
    }
    std::optional<ui::IconChoice> pickIcon(HWND, const ui::IconChoice& current) override
    {
        iconRequests.push_back(current);
        return next(icons_);
    }

    std::vector<ui::OpenDialogRequest> openRequests;
    std::vector<ui::FolderDialogRequest> folderRequests;
    std::vector<ui::IconChoice> iconRequests;

private:
    template <class T>
    static std::optional<T> next(std::deque<std::optional<T>>& answers)
    {
        if (answers.empty())
            return std::nullopt;
        auto answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }

    ui::PlatformDialogsSeam* previous_;
    std::deque<std::optional<std::string>> files_;
    std::deque<std::optional<std::string>> folders_;
    std::deque<std::optional<ui::IconChoice>> icons_;
};

// Installed for the whole test run: a dialog that no test expected fails the test
// instead of waiting for a person.
class UnexpectedPlatformDialogs : public ui::PlatformDialogsSeam {
public:
    std::optional<std::string> openFile(HWND, const ui::OpenDialogRequest& request) override;
    std::optional<std::string> browseFolder(HWND, const ui::FolderDialogRequest& request) override;
    std::optional<ui::IconChoice> pickIcon(HWND, const ui::IconChoice& current) override;
};

}  // namespace testing_support
