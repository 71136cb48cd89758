#include "ui/application.h"

namespace ui {

bool CancelRequested = false;

Application& App()
{
    static Application application;
    return application;
}

void Application::processMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void ProcessMessages()
{
    App().processMessages();
}

}  // namespace ui
