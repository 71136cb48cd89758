// Controls: components that are real Windows windows, created in their constructor
// (so a form that is never shown still has real controls). State lives in the
// window. Every control window runs through one window procedure that sends the
// notifications Windows gives to a parent back to the control they came from.
#pragma once

#include "ui/component.h"
#include "ui/handles.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace ui {

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

using Event = std::function<void()>;

class Control : public Component {
public:
    ~Control() override;

    HWND handle() const { return window_.get(); }
    // The control that a window belongs to; nullptr for foreign windows.
    static Control* fromHandle(HWND window);

    Bounds bounds() const;
    void setBounds(const Bounds& bounds);
    int left() const { return bounds().left; }
    int top() const { return bounds().top; }
    int width() const { return bounds().width; }
    int height() const { return bounds().height; }
    int clientWidth() const;
    int clientHeight() const;
    void setLeft(int left);
    void setTop(int top);
    void setSize(int width, int height);

    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const;
    void setEnabled(bool enabled);
    void setFocus();

    // The window text, for kinds that show one.
    std::string windowText() const;
    void setWindowText(const std::string& text);

    // Controls take their parent's font when they are created.
    HFONT font() const;
    void setFont(HFONT font);

    // The mouse pointer shown over the control (a system cursor such as IDC_HAND).
    void setCursor(LPCSTR systemCursor);

    // Mouse enter and leave, as a picture or label reports hovering.
    Event onMouseEnter;
    Event onMouseLeave;

    // Notifications Windows sends to the parent, handed to the control they concern.
    virtual void handleCommand(int /*code*/) {}
    virtual std::optional<LRESULT> handleNotify(NMHDR& /*header*/) { return std::nullopt; }
    // WM_CTLCOLOR*: a brush to paint the control's background, or nothing for the default.
    virtual std::optional<HBRUSH> handleColor(HDC /*dc*/) { return std::nullopt; }
    virtual bool handleDrawItem(DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool handleMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }

    // Runs an event through the application's general error handler.
    static void fire(const Event& event);

    // How often the control's value was set, by the program or by the user. Comparing
    // two readings tells whether anybody touched the control in between, even when
    // the value set was the one it already showed.
    unsigned changeCount() const { return changes_; }

    // Paints what lies behind the children: the window's colour and the pictures
    // placed on it. Children that show their parent through themselves (transparent
    // labels, pictures) paint this into their own area.
    virtual void paintBackground(HDC dc);
    // The plain colour of that background: children that paint their own
    // background (check boxes, labels, group boxes) take this brush.
    virtual HBRUSH backgroundBrush() const;
    // The background brush of the window this control lies on.
    HBRUSH parentBackgroundBrush() const;
    // Paints the parent's background into this control's area of dc.
    void paintParentBackground(HDC dc);

protected:
    struct WindowSpec {
        const char* className;
        DWORD style = 0;
        DWORD exStyle = 0;
        std::string text;
    };

    // Creates the control's window as a child of parent (or a top-level window when
    // parent is nullptr, for forms).
    Control(Control* parent, std::string name, const WindowSpec& description, const Bounds& bounds);

    // Every message of the window passes here; the default routes parent
    // notifications to their controls and then calls the window's own procedure.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT callDefault(UINT message, WPARAM wParam, LPARAM lParam);

    void changeStyle(DWORD add, DWORD remove);
    // Controls with a value call this whenever it is set or edited.
    void noteChange() { ++changes_; }
    // Called after setFont gave the control a new font.
    virtual void fontChanged() {}
    // Called when the mouse has entered or left the control, after the events ran.
    virtual void mouseEntered() {}
    virtual void mouseLeft() {}

private:
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    std::optional<LRESULT> routeToChild(UINT message, WPARAM wParam, LPARAM lParam);
    void trackMouse(UINT message);
    // A new child window goes just above the pictures among this window's children.
    void keepAbovePictures(HWND window) const;
    friend class Image;  // registers its window among its parent's pictures

    // The picture windows among the children, in the order they were made.
    std::vector<HWND> pictures_;

    WindowHandle window_;
    WNDPROC originalProc_ = nullptr;
    bool mouseInside_ = false;
    HCURSOR cursor_ = nullptr;  // a shared system cursor, never destroyed
    unsigned changes_ = 0;
};

// Window classes of the toolkit's own windows (forms and containers).
extern const char* const kFormClass;
extern const char* const kContainerClass;
void RegisterToolkitClasses();

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ui
