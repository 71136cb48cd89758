// Message boxes of the toolkit: four kinds (warning, error, information,
// confirmation) plus the plain box, with captions and button texts taken from the
// toolkit text table. Every box goes through one seam, so tests can answer it.
#pragma once

#include <string>
#include <vector>

namespace ui {

enum class MsgKind { Warning, Error, Information, Confirmation, Plain };

enum class MsgButton { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help };

// What a message box shows, with every text already resolved.
struct MessageBoxButton {
    MsgButton id;
    std::string text;
};

struct MessageBoxRequest {
    MsgKind kind = MsgKind::Plain;
    std::string caption;
    std::string text;
    std::vector<MessageBoxButton> buttons;
};

// The seam through which every message box is shown. The default one shows a
// real Windows message box.
class MessageBoxSeam {
public:
    virtual ~MessageBoxSeam() = default;
    virtual MsgButton show(const MessageBoxRequest& request) = 0;
};

// Installs a seam (nullptr restores the real one); returns the one it replaced.
MessageBoxSeam* SetMessageBoxSeam(MessageBoxSeam* seam);

// Builds the request for a box of the given kind and buttons from the toolkit texts.
MessageBoxRequest BuildMessageBox(const std::string& text, MsgKind kind, const std::vector<MsgButton>& buttons);

// Shows a box of the given kind; returns the pressed button.
MsgButton MessageDlg(const std::string& text, MsgKind kind, const std::vector<MsgButton>& buttons);

// The plain box: the application title as caption, no symbol, one OK button.
void ShowMessage(const std::string& text);

// --- Toolkit texts -------------------------------------------------------------
// The toolkit's own dialog and button texts are numbered like the language strings
// that replace them (10 to 36).
constexpr int kFirstToolkitText = 10;
constexpr int kLastToolkitText = 36;

namespace toolkit_text {
constexpr int ButtonOK = 10, ButtonCancel = 11, ButtonYes = 12, ButtonNo = 13, ButtonHelp = 14,
              ButtonClose = 15, ButtonIgnore = 16, ButtonRetry = 17, ButtonAbort = 18, ButtonAll = 19;
constexpr int CaptionWarning = 20, CaptionError = 21, CaptionInformation = 22, CaptionConfirmation = 23;
constexpr int MsgYes = 24, MsgNo = 25, MsgOK = 26, MsgCancel = 27, MsgHelp = 28;
constexpr int NoHelpNotice = 29, NoHelpCaption = 30;
constexpr int MsgAbort = 31, MsgRetry = 32, MsgIgnore = 33, MsgAll = 34, MsgNoToAll = 35, MsgYesToAll = 36;
}  // namespace toolkit_text

// The current text of a toolkit text number (10-36); empty for any other number.
std::string ToolkitText(int number);
// Replaces one toolkit text for every dialog and button created afterwards.
void SetToolkitText(int number, const std::string& text);
// Restores the built-in texts (tests).
void ResetToolkitTexts();

}  // namespace ui
