#include "ui/form.h"

#include "ui/application.h"
#include "ui/controls.h"
#include "ui/image.h"
#include "ui/menu.h"
#include "ui/pagecontrol.h"

#include <utility>

namespace ui {

namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

Bounds FrameFor(int clientWidth, int clientHeight)
{
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
    return Bounds{0, 0, frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

Form::Form(std::string name, int clientWidth, int clientHeight, const std::string& caption)
    : Control(nullptr, std::move(name), WindowSpec{kFormClass, kFormStyle, kFormExStyle, caption},
              FrameFor(clientWidth, clientHeight))
{
    // Every form but the main one belongs to the main window (one taskbar button).
    if (HWND main = App().mainWindow())
        SetWindowLongPtrA(handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(main));
    centerOnScreen();
}

Form::~Form()
{
    destroyComponents();
    if (App().mainForm() == this)
        App().setMainForm(nullptr);
}

void Form::setClientSize(int width, int height)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(handle(), GWL_STYLE)), GetMenu(handle()) != nullptr,
                       static_cast<DWORD>(GetWindowLongA(handle(), GWL_EXSTYLE)));
    setSize(frame.right - frame.left, frame.bottom - frame.top);
}

void Form::centerOnScreen()
{
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const Bounds b = bounds();
    setBounds({work.left + (work.right - work.left - b.width) / 2, work.top + (work.bottom - work.top - b.height) / 2,
               b.width, b.height});
}

void Form::useSingleBorder()
{
    RECT client{};
    GetClientRect(handle(), &client);
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(handle(), GWL_EXSTYLE));
    SetWindowLongA(handle(), GWL_EXSTYLE, static_cast<LONG>(exStyle & ~WS_EX_DLGMODALFRAME));
    SetWindowPos(handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // Shared icons belong to the system's icon cache and are never destroyed.
    const HINSTANCE program = GetModuleHandleA(nullptr);
    for (const auto& [size, which] : {std::pair{SM_CXSMICON, ICON_SMALL}, std::pair{SM_CXICON, ICON_BIG}}) {
        const int pixels = GetSystemMetrics(size);
        if (HANDLE icon = LoadImageA(program, MAKEINTRESOURCEA(1), IMAGE_ICON, pixels, pixels, LR_SHARED))
            SendMessageA(handle(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
    setClientSize(client.right, client.bottom);
}

void Form::setKeptOnTop(bool onTop)
{
    SetWindowPos(handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::setDefaultButton(Button* button)
{
    if (defaultButton_)
        defaultButton_->setDefault(false);
    defaultButton_ = button;
    if (button)
        button->setDefault(true);
}

void Form::setCancelButton(Button* button)
{
    cancelButton_ = button;
    if (button)
        button->setCancel(true);
}

void Form::show()
{
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
    focusFirstControl();
    fire(onShow);
}

void Form::hide()
{
    ShowWindow(handle(), SW_HIDE);
}

void Form::focusFirstControl()
{
    if (HWND first = GetNextDlgTabItem(handle(), nullptr, FALSE))
        SetFocus(first);
}

ModalResult Form::showModal()
{
    HWND previous = GetActiveWindow();
    HWND owner = previous && previous != handle() ? previous : App().mainWindow();
    if (owner == handle())
        owner = nullptr;
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);

    modal_ = true;
    modalResult_ = ModalResult::None;
    show();
    while (modalResult_ == ModalResult::None) {
        MSG message;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // Termination: give the quit message back to the outer loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            App().terminate();
            modalResult_ = ModalResult::Cancel;
            break;
        }
        if (got < 0)
            break;
        if (!handleFormKey(message) && !IsDialogMessageA(handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    modal_ = false;
    // The owner gets its input back before this form hides, so it regains the focus.
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    hide();
    if (owner)
        SetActiveWindow(owner);
    return modalResult_;
}

void Form::close()
{
    if (onCloseQuery) {
        bool canClose = true;
        App().runEvent([&] { canClose = onCloseQuery(); });
        if (!canClose)
            return;
    }
    fire(onClose);
    if (modal_) {
        if (modalResult_ == ModalResult::None)
            modalResult_ = ModalResult::Cancel;
    } else if (App().mainForm() == this) {
        App().terminate();
    } else {
        hide();
    }
}

void Form::pressDefault()
{
    if (defaultButton_)
        defaultButton_->click();
}

void Form::pressCancel()
{
    if (cancelButton_)
        cancelButton_->click();
    else
        close();
}

void Form::pressHelp()
{
    if (helpButton_ && helpButton_->enabled())
        helpButton_->click();
    else
        fire(onHelp);
}

namespace {

PageControl* FirstPageControl(const Component& owner)
{
    for (Component* component : owner.components()) {
        if (auto* pages = dynamic_cast<PageControl*>(component); pages && pages->visible() && pages->pageCount() > 0)
            return pages;
        if (PageControl* nested = FirstPageControl(*component))
            return nested;
    }
    return nullptr;
}

PageControl* PageControlAround(HWND window)
{
    for (; window; window = GetParent(window))
        if (auto* pages = dynamic_cast<PageControl*>(Control::fromHandle(window)))
            return pages;
    return nullptr;
}

}  // namespace

bool Form::switchSheet(HWND focus, bool backwards)
{
    PageControl* pages = PageControlAround(focus);
    if (!pages || !IsChild(handle(), pages->handle()))
        pages = FirstPageControl(*this);
    if (!pages || pages->pageCount() < 2)
        return false;
    const int count = pages->pageCount();
    const int next = (pages->activePageIndex() + (backwards ? count - 1 : 1)) % count;
    pages->setActivePageIndex(next);
    fire(pages->onChange);
    const HWND sheet = pages->page(next).handle();
    if (HWND first = GetNextDlgTabItem(sheet, nullptr, FALSE); first && IsChild(sheet, first))
        SetFocus(first);
    else
        SetFocus(pages->handle());
    return true;
}

bool Form::handleFormKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN || !message.hwnd)
        return false;
    auto* form = dynamic_cast<Form*>(Control::fromHandle(GetAncestor(message.hwnd, GA_ROOT)));
    if (!form || !IsWindowEnabled(form->handle()))
        return false;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (message.wParam == VK_TAB && control)
        return form->switchSheet(message.hwnd, GetKeyState(VK_SHIFT) < 0);
    if (message.wParam == VK_F1 && !control) {
        form->pressHelp();
        return true;
    }
    for (const Shortcut& shortcut : form->shortcuts_)
        if (shortcut.key == message.wParam && shortcut.withControl == control) {
            fire(shortcut.action);
            return true;
        }
    return false;
}

void Form::addShortcut(UINT key, bool withControl, Event action)
{
    shortcuts_.push_back({key, withControl, std::move(action)});
}

void Form::setColor(COLORREF color)
{
    backgroundBrush_.reset(CreateSolidBrush(color));
    InvalidateRect(handle(), nullptr, TRUE);
}

HBRUSH Form::backgroundBrush() const
{
    return backgroundBrush_ ? static_cast<HBRUSH>(backgroundBrush_.get()) : Control::backgroundBrush();
}

void Form::paintBackground(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    FillRect(dc, &client, backgroundBrush());
    PaintPictures(*this, dc);
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        paintBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_CLOSE:
        close();
        return 0;
    case DM_GETDEFID:
        if (defaultButton_)
            return MAKELRESULT(GetDlgCtrlID(defaultButton_->handle()), DC_HASDEFID);
        return 0;
    case WM_COMMAND:
        if (lParam == 0 || LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            const int id = LOWORD(wParam);
            if (id == IDOK) {
                pressDefault();
                return 0;
            }
            if (id == IDCANCEL) {
                pressCancel();
                return 0;
            }
            if (MenuItem* item = MenuItem::fromCommand(id)) {
                item->click();
                return 0;
            }
            // Enter on a default button that is not a direct child arrives without its window.
            if (defaultButton_ && id == GetDlgCtrlID(defaultButton_->handle())) {
                pressDefault();
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return Control::handleMessage(message, wParam, lParam);
}

}  // namespace ui
