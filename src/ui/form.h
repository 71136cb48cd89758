// Forms: top-level windows with a fixed dialog frame, created hidden and centred,
// shown modally (or as the main window) and closed by close().
#pragma once

#include "ui/control.h"
#include "ui/handles.h"

#include <vector>

namespace ui {

class Button;

enum class ModalResult { None, Ok, Cancel, Abort, Retry, Ignore, Yes, No };

class Form : public Control {
public:
    // A form whose client area has the given size, centred on the screen, hidden.
    Form(std::string name, int clientWidth, int clientHeight, const std::string& caption = {});
    ~Form() override;

    bool hasCaption() const override { return true; }
    std::string caption() const override { return windowText(); }
    void setCaption(const std::string& text) override { setWindowText(text); }
    bool exportsCaption() const override { return true; }

    void setClientSize(int width, int height);
    void centerOnScreen();
    void setKeptOnTop(bool onTop);
    // A single border with the program's icon (resource 1) in the caption, instead of
    // the dialog frame every form starts with; the client size stays.
    void useSingleBorder();
    // Fills the client area with a plain colour instead of the dialog colour.
    void setColor(COLORREF color);
    void paintBackground(HDC dc) override;
    HBRUSH backgroundBrush() const override;

    // Shows the form and runs its own message loop until a modal result is set or
    // the form is closed; the window that was active is disabled meanwhile.
    ModalResult showModal();
    bool isModal() const { return modal_; }
    ModalResult modalResult() const { return modalResult_; }
    // Setting a result other than None ends a modal loop.
    void setModalResult(ModalResult result) { modalResult_ = result; }

    void show();
    void hide();
    // Asks onCloseQuery, then ends the modal loop (result Cancel when none is set),
    // or hides the form; runs onClose. Closing the main form ends the application.
    void close();

    Event onClose;
    std::function<bool()> onCloseQuery;  // false keeps the form open
    // Runs each time show() has shown the form and given its first control the focus.
    Event onShow;

    // The buttons that Enter, Escape and F1 press.
    void setDefaultButton(Button* button);
    void setCancelButton(Button* button);
    void setHelpButton(Button* button) { helpButton_ = button; }
    // F1 on a form without a help button (the main window's help, say).
    Event onHelp;
    // A key (with or without Ctrl held) that runs an action wherever the focus is in
    // the form, before the control with the focus sees it.
    void addShortcut(UINT key, bool withControl, Event action);

    // The keys a form handles before the dialog keys: Ctrl+Tab and Ctrl+Shift+Tab switch
    // the sheets of its page control, F1 asks for help, and its shortcuts run. True when
    // the key was used.
    // The toolkit's message loops call it for every message.
    static bool handleFormKey(const MSG& message);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void pressDefault();
    void pressCancel();
    void pressHelp();
    // Ctrl+Tab: the next sheet (or the previous one) of the page control that holds the
    // focus, or of the form's first page control.
    bool switchSheet(HWND focus, bool backwards);
    void focusFirstControl();

    struct Shortcut {
        UINT key;
        bool withControl;
        Event action;
    };
    std::vector<Shortcut> shortcuts_;
    bool modal_ = false;
    ModalResult modalResult_ = ModalResult::None;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    Button* helpButton_ = nullptr;
    GdiObject backgroundBrush_;
};

}  // namespace ui
