#include "ui/application.h"

#include "ui/control.h"
#include "ui/dialogs.h"
#include "ui/errors.h"
#include "ui/form.h"

#include <commctrl.h>

namespace ui {

bool CancelRequested = false;

Application& App()
{
    static Application application;
    return application;
}

void ProcessMessages()
{
    App().processMessages();
}

void Application::initialize()
{
    if (initialized_)
        return;
    initialized_ = true;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS
                                                        | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES
                                                        | ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES
                                                        | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterToolkitClasses();
}

HINSTANCE Application::instance() const
{
    return GetModuleHandleA(nullptr);
}

HWND Application::mainWindow() const
{
    return mainForm_ ? mainForm_->handle() : nullptr;
}

bool Application::dispatchOne(const MSG& message)
{
    if (Form::handleFormKey(message))
        return true;
    // Tab, arrow keys, Enter and Escape move and press as in a dialog.
    HWND active = GetActiveWindow();
    if (active && Control::fromHandle(active) && IsDialogMessageA(active, const_cast<MSG*>(&message)))
        return true;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void Application::run()
{
    if (terminated_)
        return;
    if (mainForm_)
        mainForm_->show();
    MSG message;
    while (!terminated_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0)
            break;
        dispatchOne(message);
    }
    terminated_ = true;
}

void Application::processMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit message for the loop that ends the program.
            PostQuitMessage(static_cast<int>(message.wParam));
            terminated_ = true;
            break;
        }
        dispatchOne(message);
    }
}

void Application::terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

void Application::resetTermination()
{
    terminated_ = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void Application::runEvent(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        showException(error);
    }
}

void Application::showException(const std::exception& error)
{
    if (dynamic_cast<const EAbort*>(&error))
        return;
    MessageDlg(error.what(), MsgKind::Error, {MsgButton::OK});
}

}  // namespace ui
