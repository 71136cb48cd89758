#include "ui/dialogs.h"

#include "ui/application.h"
#include "ui/handles.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include <windows.h>

namespace ui {

namespace {

// The built-in toolkit texts, indexed by number - 10.
const std::array<const char*, kLastToolkitText - kFirstToolkitText + 1> kDefaultTexts = {
    "OK",          "Abbrechen",   "&Ja",         "&Nein",       "&Hilfe",     "S&chließen", "&Ignorieren",
    "&Wiederholen", "Abbrechen",  "&Alle",       "Warnung",     "Fehler",     "Information", "Bestätigung",
    "&Ja",         "&Nein",       "OK",          "Abbrechen",   "&Hilfe",     "Keine Hilfe verfügbar",
    "Hilfe",       "&Abbrechen",  "&Wiederholen", "&Ignorieren", "&Alle",     "&Alle Nein",  "A&lle Ja"};

std::array<std::string, kDefaultTexts.size()>& Texts()
{
    static std::array<std::string, kDefaultTexts.size()> texts = [] {
        std::array<std::string, kDefaultTexts.size()> initial;
        std::copy(kDefaultTexts.begin(), kDefaultTexts.end(), initial.begin());
        return initial;
    }();
    return texts;
}

bool IsToolkitText(int number)
{
    return number >= kFirstToolkitText && number <= kLastToolkitText;
}

int ButtonTextNumber(MsgButton button)
{
    using namespace toolkit_text;
    switch (button) {
    case MsgButton::Yes: return MsgYes;
    case MsgButton::No: return MsgNo;
    case MsgButton::OK: return MsgOK;
    case MsgButton::Cancel: return MsgCancel;
    case MsgButton::Abort: return MsgAbort;
    case MsgButton::Retry: return MsgRetry;
    case MsgButton::Ignore: return MsgIgnore;
    case MsgButton::All: return MsgAll;
    case MsgButton::NoToAll: return MsgNoToAll;
    case MsgButton::YesToAll: return MsgYesToAll;
    case MsgButton::Help: return MsgHelp;
    }
    return MsgOK;
}

std::string KindCaption(MsgKind kind)
{
    using namespace toolkit_text;
    switch (kind) {
    case MsgKind::Warning: return ToolkitText(CaptionWarning);
    case MsgKind::Error: return ToolkitText(CaptionError);
    case MsgKind::Information: return ToolkitText(CaptionInformation);
    case MsgKind::Confirmation: return ToolkitText(CaptionConfirmation);
    case MsgKind::Plain: break;
    }
    return App().title();
}

// --- The real Windows message box -------------------------------------------------

struct NativeButton {
    MsgButton id;
    int windowsId;
};

const NativeButton kNativeButtons[] = {
    {MsgButton::Yes, IDYES},     {MsgButton::No, IDNO},       {MsgButton::OK, IDOK},
    {MsgButton::Cancel, IDCANCEL}, {MsgButton::Abort, IDABORT}, {MsgButton::Retry, IDRETRY},
    {MsgButton::Ignore, IDIGNORE}, {MsgButton::Help, IDHELP},
};

bool Has(const MessageBoxRequest& request, MsgButton id)
{
    return std::any_of(request.buttons.begin(), request.buttons.end(),
                       [id](const MessageBoxButton& button) { return button.id == id; });
}

UINT ButtonStyle(const MessageBoxRequest& request)
{
    UINT style = 0;
    if (Has(request, MsgButton::Yes) && Has(request, MsgButton::No))
        style = Has(request, MsgButton::Cancel) ? MB_YESNOCANCEL : MB_YESNO;
    else if (Has(request, MsgButton::Abort) && Has(request, MsgButton::Retry) && Has(request, MsgButton::Ignore))
        style = MB_ABORTRETRYIGNORE;
    else if (Has(request, MsgButton::Retry) && Has(request, MsgButton::Cancel))
        style = MB_RETRYCANCEL;
    else if (Has(request, MsgButton::OK) && Has(request, MsgButton::Cancel))
        style = MB_OKCANCEL;
    else if (Has(request, MsgButton::OK) || request.buttons.empty())
        style = MB_OK;
    else
        throw std::logic_error("message box button set not supported");
    if (Has(request, MsgButton::Help))
        style |= MB_HELP;
    return style;
}

UINT IconStyle(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning: return MB_ICONWARNING;
    case MsgKind::Error: return MB_ICONERROR;
    case MsgKind::Information: return MB_ICONINFORMATION;
    case MsgKind::Confirmation: return MB_ICONQUESTION;
    case MsgKind::Plain: break;
    }
    return 0;
}

thread_local const MessageBoxRequest* activeRequest = nullptr;
thread_local HHOOK activeHook = nullptr;

// The id of a message box's text in the box Windows builds.
constexpr int kMessageTextId = 0xFFFF;
// Room added to the text: some font substitutes draw a line a few pixels wider
// than the box measured it (seen under Wine), which would cut its last letter.
constexpr int kMessageTextRoom = 8;

void MoveChild(HWND box, HWND child, int dx, int dw)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
    SetWindowPos(child, nullptr, rect.left + dx, rect.top, rect.right - rect.left + dw, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void WidenMessageText(HWND box)
{
    HWND text = GetDlgItem(box, kMessageTextId);
    if (!text)
        return;
    RECT frame{};
    GetWindowRect(box, &frame);
    SetWindowPos(box, nullptr, frame.left - kMessageTextRoom / 2, frame.top, frame.right - frame.left + kMessageTextRoom,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == text)
            MoveChild(box, child, 0, kMessageTextRoom);
        else if (GetDlgCtrlID(child) != static_cast<int>(kMessageTextId) && SendMessageA(child, WM_GETDLGCODE, 0, 0) &
                                                                                  (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
            MoveChild(box, child, kMessageTextRoom / 2, 0);  // the buttons stay centred
    }
}

// Gives the buttons of the box that is being activated the toolkit's texts.
LRESULT CALLBACK RenameButtonsHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && activeRequest) {
        HWND box = reinterpret_cast<HWND>(wParam);
        for (const MessageBoxButton& button : activeRequest->buttons)
            for (const NativeButton& native : kNativeButtons)
                if (native.id == button.id)
                    SetDlgItemTextA(box, native.windowsId, button.text.c_str());
        WidenMessageText(box);
        activeRequest = nullptr;
    }
    return CallNextHookEx(activeHook, code, wParam, lParam);
}

class NativeMessageBox : public MessageBoxSeam {
public:
    MsgButton show(const MessageBoxRequest& request) override
    {
        const UINT style = ButtonStyle(request) | IconStyle(request.kind);
        HookHandle hook(SetWindowsHookExA(WH_CBT, RenameButtonsHook, nullptr, GetCurrentThreadId()));
        activeHook = hook.get();
        activeRequest = &request;
        HWND owner = GetActiveWindow();
        const int pressed = MessageBoxA(owner, request.text.c_str(), request.caption.c_str(), style);
        activeRequest = nullptr;
        activeHook = nullptr;
        for (const NativeButton& native : kNativeButtons)
            if (native.windowsId == pressed)
                return native.id;
        return MsgButton::Cancel;
    }
};

NativeMessageBox nativeMessageBox;
MessageBoxSeam* currentSeam = &nativeMessageBox;

}  // namespace

MessageBoxSeam* SetMessageBoxSeam(MessageBoxSeam* seam)
{
    MessageBoxSeam* previous = currentSeam;
    currentSeam = seam ? seam : &nativeMessageBox;
    return previous == &nativeMessageBox ? nullptr : previous;
}

MessageBoxRequest BuildMessageBox(const std::string& text, MsgKind kind, const std::vector<MsgButton>& buttons)
{
    MessageBoxRequest request;
    request.kind = kind;
    request.caption = KindCaption(kind);
    request.text = text;
    for (MsgButton button : buttons)
        request.buttons.push_back({button, ToolkitText(ButtonTextNumber(button))});
    return request;
}

MsgButton MessageDlg(const std::string& text, MsgKind kind, const std::vector<MsgButton>& buttons)
{
    return currentSeam->show(BuildMessageBox(text, kind, buttons));
}

void ShowMessage(const std::string& text)
{
    MessageDlg(text, MsgKind::Plain, {MsgButton::OK});
}

std::string ToolkitText(int number)
{
    return IsToolkitText(number) ? Texts()[static_cast<std::size_t>(number - kFirstToolkitText)] : std::string();
}

void SetToolkitText(int number, const std::string& text)
{
    if (IsToolkitText(number))
        Texts()[static_cast<std::size_t>(number - kFirstToolkitText)] = text;
}

void ResetToolkitTexts()
{
    std::copy(kDefaultTexts.begin(), kDefaultTexts.end(), Texts().begin());
}

}  // namespace ui
