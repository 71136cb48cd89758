// The standard controls: label, push button, check box, radio button, group box,
// edit (with password character), labelled edit and panel.
#pragma once

#include "ui/control.h"

#include <string>
#include <vector>

namespace ui {

// A control whose window text is its "Caption" property.
class CaptionedControl : public Control {
public:
    bool hasCaption() const override { return true; }
    std::string caption() const override { return windowText(); }
    void setCaption(const std::string& text) override;

protected:
    using Control::Control;
    // Called after the caption changed (labels resize themselves).
    virtual void captionChanged() {}
};

// A static text. With autoSize it takes the size of its caption (wrapped to its
// width when wordWrap is set); transparent labels show the parent's background.
class Label : public CaptionedControl {
public:
    Label(Control& parent, std::string name, const Bounds& bounds, const std::string& caption = {});

    bool exportsCaption() const override { return true; }

    void setAutoSize(bool autoSize);
    void setWordWrap(bool wordWrap);
    void setTransparent(bool transparent);
    void setTextColor(COLORREF color);
    void setAlignment(DWORD ssAlignment);  // SS_LEFT, SS_CENTER or SS_RIGHT
    // For labels that show data rather than a caption: every "&" stays visible, and a
    // single line too long for the label ends in "..." instead of being cut off.
    void setShowsData(bool showsData);
    void fitToText();

    Event onClick;

    void handleCommand(int code) override;
    std::optional<HBRUSH> handleColor(HDC dc) override;

protected:
    void captionChanged() override;
    void fontChanged() override { captionChanged(); }
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // A transparent label draws its parent's background and then its text itself.
    void paintTransparent();

    bool autoSize_ = false;
    bool wordWrap_ = false;
    bool transparent_ = false;
    std::optional<COLORREF> textColor_;
};

class Button : public CaptionedControl {
public:
    Button(Control& parent, std::string name, const Bounds& bounds, const std::string& caption = {});

    bool exportsCaption() const override { return true; }

    // Enter presses the default button of a form, Escape its cancel button.
    void setDefault(bool isDefault);
    bool isDefault() const { return default_; }
    void setCancel(bool isCancel) { cancel_ = isCancel; }
    bool isCancel() const { return cancel_; }

    // Presses the button as the user would.
    void click();
    Event onClick;

    void handleCommand(int code) override;

private:
    bool default_ = false;
    bool cancel_ = false;
};

// What check boxes and radio buttons share: a checked state kept by the window, a
// click event and a background of the dialog colour.
class CheckableButton : public CaptionedControl {
public:
    bool exportsCaption() const override { return true; }
    bool checked() const;
    Event onClick;
    std::optional<HBRUSH> handleColor(HDC dc) override;

protected:
    using CaptionedControl::CaptionedControl;
    // Sets the window's check mark; true when the state changed.
    bool changeCheck(bool checked);
};

class CheckBox : public CheckableButton {
public:
    CheckBox(Control& parent, std::string name, const Bounds& bounds, const std::string& caption = {});

    // Changing the state runs onClick, as a click by the user would.
    void setChecked(bool checked);
    void handleCommand(int code) override;
};

// Radio buttons form one group per parent window; setGroupStart() begins a further
// group among the same parent's children.
class RadioButton : public CheckableButton {
public:
    RadioButton(Control& parent, std::string name, const Bounds& bounds, const std::string& caption = {});

    // Checking a button unchecks the others of its group and runs onClick.
    void setChecked(bool checked);
    void setGroupStart();
    void handleCommand(int code) override;

protected:
    // A button that loses its check to another of its group (by the system, for the
    // user's click, or by the program) counts as set.
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void becomeCheckedOfGroup();
    void uncheckGroupSiblings();
};

// A framed, captioned box that holds controls (they take it as their parent).
class GroupBox : public CaptionedControl {
public:
    GroupBox(Control& parent, std::string name, const Bounds& bounds, const std::string& caption = {});
    bool exportsCaption() const override { return true; }
    HBRUSH backgroundBrush() const override { return parentBackgroundBrush(); }
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& text) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string caption_;
};

// A plain container without a frame text.
class Panel : public Control {
public:
    Panel(Control& parent, std::string name, const Bounds& bounds);
};

class Edit : public Control {
public:
    Edit(Control& parent, std::string name, const Bounds& bounds, const std::string& text = {});

    std::string text() const { return windowText(); }
    void setText(const std::string& text) { setWindowText(text); }
    // Shows this character instead of every typed one (0 shows the text).
    void setPasswordChar(char character);
    char passwordChar() const;
    void setMaxLength(int length);
    void setReadOnly(bool readOnly);

    Event onChange;
    void handleCommand(int code) override;

protected:
    // An edit of another kind (a memo) with its own window style.
    Edit(Control& parent, std::string name, const Bounds& bounds, DWORD style);
};

// A multi-line edit whose text is a list of lines.
class Memo : public Edit {
public:
    Memo(Control& parent, std::string name, const Bounds& bounds);

    // The lines between the line breaks; a break at the very end starts no further line.
    std::vector<std::string> lines() const;
    // Shows every line followed by a line break.
    void setLines(const std::vector<std::string>& lines);
    // Adds one line at the end (one item of data a line: the display modes of the report).
    void addLine(const std::string& line);
    void clear() { setText({}); }

protected:
    // Tab and Shift+Tab move on to the next control instead of being typed into the
    // text, so that the keyboard can leave the memo; in a read-only memo Enter presses
    // the default button.
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// An edit with a label bound above it; the label carries the text of the Tag.
class LabelledEdit : public Edit {
public:
    LabelledEdit(Control& parent, std::string name, const Bounds& bounds, const std::string& labelCaption = {});

    Label* boundLabel() override { return label_; }
    Label& editLabel() { return *label_; }

private:
    Label* label_;
};

}  // namespace ui
