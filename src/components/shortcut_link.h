// TShortcutLink: reads the target and working directory of a shell link file (.lnk)
// and writes a link file from its properties, through the shell's own link object
// (IShellLinkA and IPersistFile). COM must be initialised for the thread, as the
// program does once at start-up. The autostart manager uses one of these to list
// the links of the startup folders and to rewrite an edited one.
#pragma once

#include "ui/component.h"
#include "ui/errors.h"

#include <cstdint>
#include <string>

namespace components {

// The show-window numbers the component keeps for its three window states.
constexpr int kShowMaximized = 3;
constexpr int kShowMinimized = 7;
constexpr int kShowNormal = 9;

// The window state the link's program starts in.
enum class TShowCmd { scShowMaximized, scShowMinimized, scShowNormal };

// The link component's own failures: "Unable to open link file", "Error in getting
// WorkingDir", "Error in getting Target" and "Unable to create .lnk file".
class EShortcutError : public ui::Exception {
public:
    using ui::Exception::Exception;
};

class TShortcutLink : public ui::Component {
public:
    explicit TShortcutLink(std::string name = {});

    // A quiet component returns from a failed read without raising.
    bool Quiet() const { return quiet_; }
    void setQuiet(bool quiet) { quiet_ = quiet; }

    // The full path of the .lnk file to read or write.
    const std::string& ShortcutFile() const { return shortcutFile_; }
    void setShortcutFile(const std::string& file) { shortcutFile_ = file; }

    // The link's target path; read and written.
    const std::string& Target() const { return target_; }
    void setTarget(const std::string& target) { target_ = target; }

    // Set by a successful read: the target is a folder.
    bool IsDir() const { return isDir_; }
    void setIsDir(bool isDir) { isDir_ = isDir; }

    // The link's working directory; read and written.
    const std::string& WorkingDir() const { return workingDir_; }
    void setWorkingDir(const std::string& folder) { workingDir_ = folder; }

    // Written only: description, arguments and the file holding the icon.
    const std::string& Description() const { return description_; }
    void setDescription(const std::string& text) { description_ = text; }
    const std::string& Arguments() const { return arguments_; }
    void setArguments(const std::string& text) { arguments_ = text; }
    const std::string& IconLocation() const { return iconLocation_; }
    void setIconLocation(const std::string& file) { iconLocation_ = file; }

    // The hot key's character; a space means none. Setting keeps the first character
    // of the text (a space for an empty text) in upper case, raised to a space when
    // it is a control character. A link gets the key with Ctrl and Alt.
    std::string HotKey() const;
    void setHotKey(const std::string& text);

    // The window state; the component keeps the Windows show-window number (3, 7 or
    // 9) and a new component holds 9 (normal).
    TShowCmd ShowCmd() const;
    void setShowCmd(TShowCmd showCmd);
    int showCmdNumber() const { return showCmdNumber_; }

    // The index of the icon in IconLocation; written only.
    std::uint16_t IconNumber() const { return iconNumber_; }
    void setIconNumber(std::uint16_t number) { iconNumber_ = number; }

    // True after a successful read; every read starts by setting it false.
    bool Success() const { return success_; }
    void setSuccess(bool success) { success_ = success; }

    // Reads ShortcutFile into WorkingDir, Target, IsDir and Success. A file that cannot
    // be loaded, or whose working directory or target cannot be read, raises
    // EShortcutError unless Quiet; the properties the read did not reach keep their
    // values. A link object that cannot be created is always a silent failure.
    void ReadLink();

    // Reads the properties that WriteLink writes besides the target and the working
    // directory (arguments, description, icon, hot key and its modifier keys, window
    // state), so that a link can be written again without losing them. They are first
    // reset to those of a new component; false, leaving them so, when ShortcutFile
    // cannot be loaded as a link.
    bool ReadLinkDetails();

    // Creates or overwrites ShortcutFile from the properties. A link that cannot be
    // saved raises EShortcutError "Unable to create .lnk file", also when Quiet; a link
    // object that cannot be created raises the platform's error.
    void WriteLink();

private:
    bool quiet_ = false;
    std::string shortcutFile_;
    std::string target_;
    bool isDir_ = false;
    std::string workingDir_;
    std::string description_;
    std::string arguments_;
    std::string iconLocation_;
    unsigned char hotKeyCode_ = 0;
    // Ctrl and Alt unless a link read with ReadLinkDetails had others.
    static constexpr unsigned char kCtrlAlt = 0x06;  // HOTKEYF_CONTROL | HOTKEYF_ALT
    unsigned char hotKeyModifiers_ = kCtrlAlt;
    int showCmdNumber_ = kShowNormal;
    std::uint16_t iconNumber_ = 0;
    bool success_ = false;
};

}  // namespace components
