#include "ui/controls.h"

#include "ui/fonts.h"

#include <string>
#include <vector>

namespace ui {

void CaptionedControl::setCaption(const std::string& text)
{
    setWindowText(text);
    captionChanged();
}

// --- Label ----------------------------------------------------------------------

Label::Label(Control& parent, std::string name, const Bounds& bounds, const std::string& caption)
    : CaptionedControl(&parent, std::move(name),
                       WindowSpec{"STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOTIFY, 0, caption}, bounds)
{
}

void Label::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (autoSize_)
        fitToText();
}

void Label::setWordWrap(bool wordWrap)
{
    wordWrap_ = wordWrap;
    changeStyle(wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP, wordWrap ? SS_LEFTNOWORDWRAP : SS_LEFT);
    if (autoSize_)
        fitToText();
}

void Label::setAlignment(DWORD ssAlignment)
{
    changeStyle(ssAlignment, SS_LEFT | SS_CENTER | SS_RIGHT | SS_LEFTNOWORDWRAP);
}

void Label::setShowsData(bool showsData)
{
    const DWORD dataStyle = SS_NOPREFIX | SS_ENDELLIPSIS;
    changeStyle(showsData ? dataStyle : 0, showsData ? 0 : dataStyle);
}

void Label::setTransparent(bool transparent)
{
    transparent_ = transparent;
    if (autoSize_)
        fitToText();
    InvalidateRect(handle(), nullptr, TRUE);
}

void Label::setTextColor(COLORREF color)
{
    textColor_ = color;
    InvalidateRect(handle(), nullptr, TRUE);
}

namespace {

// Some font substitutes draw a line a few pixels wider than they measure it (seen
// with Wine's replacement for Arial). Texts the window draws itself get this room;
// a transparent label draws its single line at the measured advances instead.
int RoomForDrawing(int measuredWidth)
{
    return measuredWidth > 0 ? measuredWidth / 40 + 2 : 0;
}

// The text a static control shows for a caption: "&&" is one "&", a single "&"
// only marks the accelerator letter.
std::string ShownText(const std::string& caption)
{
    std::string shown;
    for (std::size_t index = 0; index < caption.size(); ++index) {
        if (caption[index] == '&' && index + 1 < caption.size())
            ++index;
        shown += caption[index];
    }
    return shown;
}

// Draws one line at the advances the font reports for its characters, so that it
// takes exactly the width that measuring gave.
void DrawLineAtMeasuredAdvances(HDC dc, const std::string& line, const RECT& area, UINT alignment)
{
    std::vector<INT> advances(line.size());
    int width = 0;
    for (std::size_t index = 0; index < line.size(); ++index) {
        const auto character = static_cast<unsigned char>(line[index]);
        INT advance = 0;
        GetCharWidth32A(dc, character, character, &advance);
        advances[index] = advance;
        width += advance;
    }
    int left = area.left;
    if (alignment == DT_CENTER)
        left = area.left + (area.right - area.left - width) / 2;
    else if (alignment == DT_RIGHT)
        left = area.right - width;
    ExtTextOutA(dc, left, area.top, 0, nullptr, line.c_str(), static_cast<UINT>(line.size()), advances.data());
}

}  // namespace

void Label::fitToText()
{
    const SIZE size = MeasureText(font(), caption(), wordWrap_ ? width() : 0);
    if (wordWrap_)
        setSize(width(), size.cy);
    else
        setSize(size.cx + (transparent_ ? 0 : RoomForDrawing(size.cx)), size.cy);
}

void Label::captionChanged()
{
    if (autoSize_)
        fitToText();
    if (transparent_) {
        // A transparent label leaves old text behind unless its parent repaints the spot.
        RECT area{};
        GetWindowRect(handle(), &area);
        HWND parent = GetParent(handle());
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        InvalidateRect(parent, &area, TRUE);
    }
    InvalidateRect(handle(), nullptr, TRUE);
}

LRESULT Label::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (transparent_) {
        if (message == WM_ERASEBKGND)
            return 1;
        if (message == WM_PAINT) {
            paintTransparent();
            return 0;
        }
    }
    return CaptionedControl::handleMessage(message, wParam, lParam);
}

void Label::paintTransparent()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    paintParentBackground(dc);
    RECT client{};
    GetClientRect(handle(), &client);
    const auto style = static_cast<DWORD>(GetWindowLongA(handle(), GWL_STYLE));
    UINT alignment = DT_LEFT;
    if ((style & SS_TYPEMASK) == SS_CENTER)
        alignment = DT_CENTER;
    else if ((style & SS_TYPEMASK) == SS_RIGHT)
        alignment = DT_RIGHT;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(handle()) ? textColor_.value_or(GetSysColor(COLOR_WINDOWTEXT)) : GetSysColor(COLOR_GRAYTEXT));
    SelectedObject selectedFont(dc, font());
    const std::string text = caption();
    if (wordWrap_)
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_WORDBREAK | alignment);
    else
        DrawLineAtMeasuredAdvances(dc, ShownText(text), client, alignment);
    EndPaint(handle(), &paint);
}

void Label::handleCommand(int code)
{
    if (code == STN_CLICKED)
        fire(onClick);
}

std::optional<HBRUSH> Label::handleColor(HDC dc)
{
    if (textColor_)
        SetTextColor(dc, *textColor_);
    if (transparent_) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return std::nullopt;  // the parent gives its own background
}

// --- Button ---------------------------------------------------------------------

Button::Button(Control& parent, std::string name, const Bounds& bounds, const std::string& caption)
    : CaptionedControl(&parent, std::move(name),
                       WindowSpec{"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, caption}, bounds)
{
}

void Button::setDefault(bool isDefault)
{
    default_ = isDefault;
    SendMessageA(handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::click()
{
    if (enabled() && visible())
        fire(onClick);
}

void Button::handleCommand(int code)
{
    if (code == BN_CLICKED)
        fire(onClick);
}

// --- CheckBox -------------------------------------------------------------------

bool CheckableButton::checked() const
{
    return SendMessageA(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool CheckableButton::changeCheck(bool checked)
{
    if (checked == this->checked())
        return false;
    SendMessageA(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

std::optional<HBRUSH> CheckableButton::handleColor(HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    return parentBackgroundBrush();
}

CheckBox::CheckBox(Control& parent, std::string name, const Bounds& bounds, const std::string& caption)
    : CheckableButton(&parent, std::move(name),
                       WindowSpec{"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 0, caption},
                       bounds)
{
}

void CheckBox::setChecked(bool checked)
{
    noteChange();
    if (changeCheck(checked))
        fire(onClick);
}

void CheckBox::handleCommand(int code)
{
    if (code == BN_CLICKED) {
        noteChange();
        fire(onClick);
    }
}

// --- RadioButton ----------------------------------------------------------------

RadioButton::RadioButton(Control& parent, std::string name, const Bounds& bounds, const std::string& caption)
    : CheckableButton(&parent, std::move(name),
                       WindowSpec{"BUTTON", WS_VISIBLE | BS_AUTORADIOBUTTON | BS_MULTILINE, 0, caption}, bounds)
{
}

void RadioButton::setChecked(bool checked)
{
    noteChange();
    if (changeCheck(checked) && checked)
        becomeCheckedOfGroup();
}

void RadioButton::becomeCheckedOfGroup()
{
    uncheckGroupSiblings();
    // Only the checked button of a group is reached with Tab.
    changeStyle(WS_TABSTOP, 0);
    fire(onClick);
}

void RadioButton::setGroupStart()
{
    changeStyle(WS_GROUP, 0);
}

LRESULT RadioButton::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BM_SETCHECK && wParam == BST_UNCHECKED && checked())
        noteChange();
    return CheckableButton::handleMessage(message, wParam, lParam);
}

namespace {

bool IsRadioButton(HWND window)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpiA(className, "BUTTON") != 0)
        return false;
    const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
}

bool StartsGroup(HWND window)
{
    return (GetWindowLongA(window, GWL_STYLE) & WS_GROUP) != 0;
}

}  // namespace

void RadioButton::uncheckGroupSiblings()
{
    // The group runs from the last WS_GROUP window at or before this one up to the next one.
    HWND first = handle();
    while (!StartsGroup(first)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous)
            break;
        first = previous;
    }
    for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != first && StartsGroup(sibling))
            break;
        if (sibling != handle() && IsRadioButton(sibling)) {
            SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
            if (auto* radio = dynamic_cast<RadioButton*>(Control::fromHandle(sibling)))
                radio->changeStyle(0, WS_TABSTOP);
        }
    }
}

void RadioButton::handleCommand(int code)
{
    if (code == BN_CLICKED) {
        noteChange();
        becomeCheckedOfGroup();
    }
}

// --- GroupBox and Panel ---------------------------------------------------------

GroupBox::GroupBox(Control& parent, std::string name, const Bounds& bounds, const std::string& caption)
    : CaptionedControl(&parent, std::move(name),
                       WindowSpec{"BUTTON", WS_VISIBLE | BS_GROUPBOX | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, caption},
                       bounds)
{
    setCaption(caption);
}

void GroupBox::setCaption(const std::string& text)
{
    // The frame's own text drawing cuts the last letter with some font substitutes
    // (Wine's replacement for Arial); a trailing space gives it room and stays invisible.
    caption_ = text;
    setWindowText(text.empty() ? text : text + " ");
}

LRESULT GroupBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The standard group box answers hit tests as transparent, which would pass
    // clicks meant for its controls to the window below.
    if (message == WM_NCHITTEST)
        return HTCLIENT;
    // The box shows what it lies on; its own window class leaves its inside unpainted.
    if (message == WM_ERASEBKGND) {
        paintParentBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    }
    return Control::handleMessage(message, wParam, lParam);
}

Panel::Panel(Control& parent, std::string name, const Bounds& bounds)
    : Control(&parent, std::move(name), WindowSpec{kContainerClass, WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, {}},
              bounds)
{
}

// --- Edit -----------------------------------------------------------------------

Edit::Edit(Control& parent, std::string name, const Bounds& bounds, const std::string& text)
    : Control(&parent, std::move(name),
              WindowSpec{"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, text}, bounds)
{
}

Edit::Edit(Control& parent, std::string name, const Bounds& bounds, DWORD style)
    : Control(&parent, std::move(name), WindowSpec{"EDIT", style, WS_EX_CLIENTEDGE, {}}, bounds)
{
}

void Edit::setPasswordChar(char character)
{
    SendMessageA(handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(character), 0);
    InvalidateRect(handle(), nullptr, TRUE);
}

char Edit::passwordChar() const
{
    return static_cast<char>(SendMessageA(handle(), EM_GETPASSWORDCHAR, 0, 0));
}

void Edit::setMaxLength(int length)
{
    SendMessageA(handle(), EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

void Edit::setReadOnly(bool readOnly)
{
    SendMessageA(handle(), EM_SETREADONLY, readOnly, 0);
}

void Edit::handleCommand(int code)
{
    if (code == EN_CHANGE) {
        noteChange();
        fire(onChange);
    }
}

// --- Memo -----------------------------------------------------------------------

Memo::Memo(Control& parent, std::string name, const Bounds& bounds)
    : Edit(parent, std::move(name), bounds,
           WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN)
{
    // The single-line default of about 32000 characters would cut long texts.
    SendMessageA(handle(), EM_LIMITTEXT, 0, 0);
}

LRESULT Memo::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT code = Edit::handleMessage(message, wParam, lParam);
    if (message != WM_GETDLGCODE)
        return code;
    code &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    if (!key || key->message != WM_KEYDOWN)
        return code;
    const bool readOnly = (GetWindowLongA(handle(), GWL_STYLE) & ES_READONLY) != 0;
    if (key->wParam == VK_TAB || (readOnly && key->wParam == VK_RETURN))
        code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
    return code;
}

std::vector<std::string> Memo::lines() const
{
    const std::string all = text();
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < all.size()) {
        const auto end = all.find("\r\n", start);
        if (end == std::string::npos) {
            result.push_back(all.substr(start));
            break;
        }
        result.push_back(all.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

void Memo::setLines(const std::vector<std::string>& lines)
{
    // Every line ends with a break, so that a last empty line is kept.
    std::string all;
    for (const std::string& line : lines)
        all += line + "\r\n";
    setText(all);
}

void Memo::addLine(const std::string& line)
{
    setText(text() + line + "\r\n");
}

// --- LabelledEdit ---------------------------------------------------------------

namespace {

Bounds LabelAbove(const Bounds& edit)
{
    const int labelHeight = MeasureText(DefaultFont(), "Ag").cy;
    return Bounds{edit.left, edit.top - labelHeight - 3, edit.width, labelHeight};
}

}  // namespace

LabelledEdit::LabelledEdit(Control& parent, std::string name, const Bounds& bounds, const std::string& labelCaption)
    : Edit(parent, std::move(name), bounds)
{
    label_ = &add<Label>(parent, this->name() + "SubLabel", LabelAbove(bounds), labelCaption);
}

}  // namespace ui
