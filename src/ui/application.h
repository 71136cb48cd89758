// The application object: title, main form, message loop, termination and the
// general error handler through which every event handler runs.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include <windows.h>

namespace ui {

class Form;

class Application {
public:
    // Registers the window classes and initialises the common controls; idempotent.
    void initialize();

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }

    // The main form: shown by run(); closing it ends the message loop.
    Form* mainForm() const { return mainForm_; }
    void setMainForm(Form* form) { mainForm_ = form; }
    HWND mainWindow() const;

    // Shows the main form and dispatches messages until it closes or terminate() was called.
    void run();
    // Dispatches every pending message and returns (lets long work repaint and cancel).
    void processMessages();
    // Ends the message loop as soon as it runs (or at once when it is running).
    void terminate();
    bool terminated() const { return terminated_; }
    // Forgets a requested termination and its pending quit message, so that the
    // start-up can run again in the same process (the tests do).
    void resetTermination();

    // Runs an event handler; an exception that leaves it is shown in an error box.
    void runEvent(const std::function<void()>& handler);
    // The general error handler: shows the exception's text in an error message box
    // (nothing for ui::EAbort, which ends an action the user chose to stop).
    void showException(const std::exception& error);

    HINSTANCE instance() const;

private:
    bool dispatchOne(const MSG& message);

    std::string title_ = "Velmora";
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    bool initialized_ = false;
};

Application& App();

// Set by the wait window's cancel button; long operations poll it between steps.
extern bool CancelRequested;

// Shorthand for App().processMessages().
void ProcessMessages();

}  // namespace ui
