#include "harness/modal_driver.h"

#include "ui/form.h"

#include <utility>

#include <windows.h>

namespace testing_support {

namespace {

std::function<void()>& Pending()
{
    static std::function<void()> pending;
    return pending;
}

BOOL CALLBACK FindModalForm(HWND window, LPARAM found)
{
    auto* form = dynamic_cast<ui::Form*>(ui::Control::fromHandle(window));
    if (form && form->isModal()) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool AModalFormRuns()
{
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), FindModalForm, reinterpret_cast<LPARAM>(&found));
    return found;
}

UINT_PTR& PendingTimer()
{
    static UINT_PTR timer = 0;
    return timer;
}

// Waits, timer message by timer message, until a modal form runs its loop.
void CALLBACK RunPending(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!AModalFormRuns())
        return;
    KillTimer(nullptr, timer);
    PendingTimer() = 0;
    std::function<void()> action = std::move(Pending());
    Pending() = nullptr;
    if (action)
        action();
}

}  // namespace

void WhenModal(std::function<void()> action)
{
    CancelWhenModal();
    Pending() = std::move(action);
    PendingTimer() = SetTimer(nullptr, 0, 1, RunPending);
}

bool CancelWhenModal()
{
    if (PendingTimer())
        KillTimer(nullptr, PendingTimer());
    PendingTimer() = 0;
    const bool wasPending = static_cast<bool>(Pending());
    Pending() = nullptr;
    return wasPending;
}

}  // namespace testing_support
