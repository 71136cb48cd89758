#include "app/search_box.h"

#include "app/open_page.h"
#include "app/search_index.h"
#include "app/settings_pages.h"
#include "language/language.h"
#include "ui/application.h"
#include "ui/control_marker.h"
#include "ui/fonts.h"
#include "ui/handles.h"
#include "ui/look.h"
#include "ui/pagecontrol.h"

#include <algorithm>

#include <commctrl.h>

namespace app {

namespace {

// The search lies in the area right of the logo, below the headline and above the
// launcher entries; the list opens over the entries of the right column.
constexpr ui::Bounds kLabelAt{408, 95, 0, 0};
constexpr ui::Bounds kFieldBounds{472, 92, 296, 21};
constexpr int kListLeft = 408;
constexpr int kListTop = 115;
constexpr int kListWidth = 360;
constexpr int kListBottom = 545;

constexpr int kLinePadding = 4;  // around a line's texts
constexpr int kPathGap = 1;      // between a line's caption and its path

// The search is busy (building the index, opening a match) while this lives; then the
// field gets the focus back, where the window is there to take it.
class BusyWhile {
public:
    BusyWhile(bool& busy, const ui::Form& window, ui::Control& field) : busy_(busy), window_(window), field_(field)
    {
        busy_ = true;
    }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;
    ~BusyWhile()
    {
        busy_ = false;
        if (IsWindowVisible(window_.handle()) && IsWindowEnabled(window_.handle()))
            field_.setFocus();
    }

private:
    bool& busy_;
    const ui::Form& window_;
    ui::Control& field_;
};

HFONT CaptionFont()
{
    return ui::ArialFont(11, true);
}

HFONT PathFont()
{
    return ui::ArialFont(11);
}

}  // namespace

// ----- SearchEdit -------------------------------------------------------------------

SearchEdit::SearchEdit(ui::Control& parent, std::string name, const ui::Bounds& bounds)
    : ui::Edit(parent, std::move(name), bounds)
{
}

void SearchEdit::setCaption(const std::string& text)
{
    hint_ = text;
    InvalidateRect(handle(), nullptr, TRUE);
}

void SearchEdit::handleCommand(int code)
{
    // The hint comes and goes with the text: the whole field is painted again.
    if (code == EN_CHANGE)
        InvalidateRect(handle(), nullptr, TRUE);
    ui::Edit::handleCommand(code);
}

// The hint in the grey of disabled texts where the empty field's text would begin,
// focused or not (the edit's own cue banner shows on Windows XP only without the focus,
// and the field has it from the start).
void SearchEdit::paintHint()
{
    if (hint_.empty() || GetWindowTextLengthA(handle()) > 0)
        return;
    RECT text{};
    SendMessageA(handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    const ui::WindowDC dc(handle());
    const ui::SelectedObject font(dc.get(), this->font());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc.get(), hint_.c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT SearchEdit::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        const LRESULT result = ui::Edit::handleMessage(message, wParam, lParam);
        paintHint();
        return result;
    }
    case WM_GETDLGCODE: {
        LRESULT code = ui::Edit::handleMessage(message, wParam, lParam);
        // Enter and (while the search uses it) Escape come to the field instead of
        // pressing the window's buttons.
        if (const auto* key = reinterpret_cast<const MSG*>(lParam); key && key->message == WM_KEYDOWN) {
            if (key->wParam == VK_RETURN || (key->wParam == VK_ESCAPE && wantsEscape && wantsEscape()))
                code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_KEYDOWN:
        if (onSearchKey) {
            bool used = false;
            ui::App().runEvent([&] { used = onSearchKey(wParam); });
            if (used)
                return 0;
        }
        break;
    case WM_CHAR:
        // The characters of Enter and Escape, which the search has used already.
        if (wParam == '\r' || wParam == '\n' || wParam == VK_ESCAPE)
            return 0;
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = ui::Edit::handleMessage(message, wParam, lParam);
        if (onFocusLost)
            onFocusLost(reinterpret_cast<HWND>(wParam));
        return result;
    }
    case WM_MOUSEWHEEL:
        if (onWheel) {
            onWheel(wParam, lParam);
            return 0;
        }
        break;
    default:
        break;
    }
    return ui::Edit::handleMessage(message, wParam, lParam);
}

// ----- MatchList ----------------------------------------------------------------------

MatchList::MatchList(ui::Control& parent, std::string name, const ui::Bounds& bounds)
    : ui::Control(&parent, std::move(name),
                  WindowSpec{"LISTBOX",
                             WS_VSCROLL | WS_BORDER | WS_CLIPSIBLINGS | LBS_OWNERDRAWVARIABLE | LBS_NOINTEGRALHEIGHT
                                 | LBS_DISABLENOSCROLL | LBS_NOTIFY,
                             0,
                             {}},
                  bounds)
{
}

int MatchList::textWidth() const
{
    RECT client{};
    GetClientRect(handle(), &client);
    return std::max<int>(1, client.right - 2 * kLinePadding);
}

SIZE MatchList::captionSize(const Line& line) const
{
    return ui::MeasureText(CaptionFont(), line.caption, textWidth());
}

SIZE MatchList::pathSize(const Line& line) const
{
    if (line.path.empty())
        return SIZE{0, 0};
    return ui::MeasureText(PathFont(), line.path, textWidth());
}

void MatchList::setLines(std::vector<Line> lines)
{
    lines_ = std::move(lines);
    SendMessageA(handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(handle(), LB_RESETCONTENT, 0, 0);
    for (std::size_t line = 0; line < lines_.size(); ++line)
        SendMessageA(handle(), LB_ADDSTRING, 0, static_cast<LPARAM>(line));  // the line's number is its data
    SendMessageA(handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle(), nullptr, TRUE);
}

int MatchList::selected() const
{
    return static_cast<int>(SendMessageA(handle(), LB_GETCURSEL, 0, 0));
}

void MatchList::select(int line)
{
    SendMessageA(handle(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

int MatchList::linesShown() const
{
    RECT client{};
    GetClientRect(handle(), &client);
    int shown = 0;
    for (int line = static_cast<int>(SendMessageA(handle(), LB_GETTOPINDEX, 0, 0));
         line < static_cast<int>(lines_.size()); ++line) {
        RECT item{};
        SendMessageA(handle(), LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
        if (item.bottom > client.bottom)
            break;
        ++shown;
    }
    return std::max(shown, 1);
}

int MatchList::heightFor(int maximum) const
{
    RECT window{};
    RECT client{};
    GetWindowRect(handle(), &window);
    GetClientRect(handle(), &client);
    int height = (window.bottom - window.top) - client.bottom;  // the frame
    for (std::size_t line = 0; line < lines_.size() && height < maximum; ++line)
        height += static_cast<int>(SendMessageA(handle(), LB_GETITEMHEIGHT, line, 0));
    return std::min(height, maximum);
}

void MatchList::textRects(int line, RECT& caption, RECT& path) const
{
    RECT item{};
    SendMessageA(handle(), LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
    const Line& shown = lines_.at(static_cast<std::size_t>(line));
    const SIZE captionText = captionSize(shown);
    caption = RECT{item.left + kLinePadding, item.top + kLinePadding, item.left + kLinePadding + textWidth(),
                   item.top + kLinePadding + captionText.cy};
    path = RECT{caption.left, caption.bottom + kPathGap, caption.right, caption.bottom + kPathGap + pathSize(shown).cy};
}

bool MatchList::handleMeasureItem(MEASUREITEMSTRUCT& item)
{
    if (item.itemData >= lines_.size())
        return false;
    const Line& line = lines_[item.itemData];
    const SIZE path = pathSize(line);
    item.itemHeight = static_cast<UINT>(2 * kLinePadding + captionSize(line).cy + (path.cy ? kPathGap + path.cy : 0));
    return true;
}

bool MatchList::handleDrawItem(DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1) || item.itemData >= lines_.size())
        return true;
    const Line& line = lines_[item.itemData];
    const bool chosen = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(item.hDC, TRANSPARENT);
    RECT caption{};
    RECT path{};
    textRects(static_cast<int>(item.itemID), caption, path);
    {
        const ui::SelectedObject font(item.hDC, CaptionFont());
        const bool notice = line.path.empty();
        SetTextColor(item.hDC, GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : notice ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        DrawTextA(item.hDC, line.caption.c_str(), -1, &caption, DT_WORDBREAK | DT_NOPREFIX);
    }
    if (!line.path.empty()) {
        const ui::SelectedObject font(item.hDC, PathFont());
        SetTextColor(item.hDC, GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
        DrawTextA(item.hDC, line.path.c_str(), -1, &path, DT_WORDBREAK | DT_NOPREFIX);
    }
    return true;
}

LRESULT MatchList::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A click chooses the line under the mouse and opens it on release, without the
    // list taking the focus from the field.
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const auto hit = static_cast<DWORD>(SendMessageA(handle(), LB_ITEMFROMPOINT, 0, lParam));
        if (HIWORD(hit) == 0)
            select(LOWORD(hit));
        return 0;
    }
    case WM_LBUTTONUP: {
        const auto hit = static_cast<DWORD>(SendMessageA(handle(), LB_ITEMFROMPOINT, 0, lParam));
        if (HIWORD(hit) == 0 && LOWORD(hit) == selected() && onChoose) {
            const int line = LOWORD(hit);
            ui::App().runEvent([&] { onChoose(line); });
        }
        return 0;
    }
    default:
        break;
    }
    return ui::Control::handleMessage(message, wParam, lParam);
}

// ----- SearchBox ----------------------------------------------------------------------

SearchBox::SearchBox(ui::Form& window) : window_(window)
{
    label_ = &window.add<ui::Label>(window, "Label_Suchen", kLabelAt, "&Suchen:");
    label_->setTag(kSearchLabel);
    label_->setTransparent(true);
    label_->setTextColor(ui::kTextOnBlue);
    label_->setFont(ui::ArialFont(11, true));
    label_->setAutoSize(true);
    label_->setTop(kFieldBounds.top + (kFieldBounds.height - label_->height()) / 2);

    field_ = &window.add<SearchEdit>(window, "Edit_Suchen", kFieldBounds);
    field_->setTag(kSearchHint);
    field_->setCaption("Einstellung suchen");
    field_->onChange = [this] { update(); };
    field_->onSearchKey = [this](WPARAM key) { return handleKey(key); };
    field_->wantsEscape = [this] { return listOpen() || !field_->text().empty(); };
    field_->onFocusLost = [this](HWND focus) {
        if (!busy_ && focus != list_->handle())
            closeList();
    };
    field_->onWheel = [this](WPARAM wParam, LPARAM lParam) {
        if (listOpen())
            SendMessageA(list_->handle(), WM_MOUSEWHEEL, wParam, lParam);
    };

    list_ = &window.add<MatchList>(window, "ListBox_Treffer", ui::Bounds{kListLeft, kListTop, kListWidth, 0});
    list_->onChoose = [this](int) { openChosen(); };

    window.addShortcut('F', true, [this] { focusField(); });
}

SearchBox::~SearchBox()
{
    field_->onChange = nullptr;
    field_->onSearchKey = nullptr;
    field_->wantsEscape = nullptr;
    field_->onFocusLost = nullptr;
    field_->onWheel = nullptr;
    list_->onChoose = nullptr;
}

void SearchBox::focusField()
{
    field_->setFocus();
    SendMessageA(field_->handle(), EM_SETSEL, 0, -1);
}

bool SearchBox::listOpen() const
{
    return (GetWindowLongA(list_->handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

const SearchEntry* SearchBox::entryOf(const SearchMatch& match) const
{
    return index_ && match.entry < index_->size() ? &(*index_)[match.entry] : nullptr;
}

std::string SearchBox::pathOf(const SearchEntry& entry) const
{
    const std::string text = language::LangString(kSearchPath);
    // (the single right-pointing angle quotation mark where the language file has none)
    const std::string mark = text.empty() ? std::string(1, '\x9B') : text;
    std::string path = entry.pageName;
    for (const std::string* part : {&entry.sheet, &entry.group})
        if (!part->empty()) {
            path += ' ';
            path += mark;
            path += ' ';
            path += *part;
        }
    return path;
}

void SearchBox::update()
{
    if (busy_)
        return;
    if (FoldForSearch(field_->text()).empty()) {
        closeList();
        return;
    }
    if (!index_) {
        const BusyWhile building(busy_, window_, *field_);
        index_ = SearchIndex();
    }
    if (!index_) {
        matches_.clear();
        showList({{language::LangString(kSearchCancelled), {}}}, -1);
        return;
    }
    if (FoldForSearch(field_->text()).empty()) {  // emptied while the index was built
        closeList();
        return;
    }
    matches_ = FindMatches(*index_, field_->text());
    if (matches_.empty()) {
        showList({{language::LangString(kSearchNothingFound), {}}}, -1);
        return;
    }
    std::vector<MatchList::Line> lines;
    lines.reserve(matches_.size());
    for (const SearchMatch& match : matches_) {
        const SearchEntry& entry = (*index_)[match.entry];
        lines.push_back({entry.caption, pathOf(entry)});
    }
    showList(std::move(lines), 0);
}

void SearchBox::showList(std::vector<MatchList::Line> lines, int chosen)
{
    if (!siblingsClipped_) {
        // What lies below the open list must not paint over it (done on the first
        // search, so the window's start costs nothing more).
        for (HWND sibling = GetWindow(window_.handle(), GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT))
            SetWindowLongA(sibling, GWL_STYLE, GetWindowLongA(sibling, GWL_STYLE) | WS_CLIPSIBLINGS);
        siblingsClipped_ = true;
    }
    list_->setLines(std::move(lines));
    const int height = list_->heightFor(kListBottom - kListTop);
    // Above every launcher entry it covers while it is open.
    SetWindowPos(list_->handle(), HWND_TOP, kListLeft, kListTop, kListWidth, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    list_->select(chosen);
}

void SearchBox::closeList()
{
    matches_.clear();
    if (listOpen())
        ShowWindow(list_->handle(), SW_HIDE);
}

void SearchBox::moveChoice(int lines)
{
    if (matches_.empty())
        return;
    const int last = static_cast<int>(matches_.size()) - 1;
    const int now = list_->selected();
    list_->select(std::clamp(now < 0 ? (lines > 0 ? 0 : last) : now + lines, 0, last));
}

bool SearchBox::handleKey(WPARAM key)
{
    switch (key) {
    case VK_DOWN:
        if (!listOpen())
            update();
        else
            moveChoice(1);
        return true;
    case VK_UP:
        if (!listOpen())
            return false;
        moveChoice(-1);
        return true;
    case VK_NEXT:
    case VK_PRIOR:
        if (!listOpen())
            return false;
        moveChoice(key == VK_NEXT ? list_->linesShown() : -list_->linesShown());
        return true;
    case VK_RETURN:
        if (!listOpen())
            update();
        openChosen();
        return true;
    case VK_ESCAPE:
        if (listOpen()) {
            closeList();
            return true;
        }
        if (!field_->text().empty()) {
            field_->setText({});
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool SearchBox::openChosen()
{
    if (matches_.empty() || !listOpen())
        return false;
    const int line = std::max(list_->selected(), 0);
    const SearchEntry* found = entryOf(matches_.at(static_cast<std::size_t>(line)));
    if (!found)
        return false;
    const SearchEntry entry = *found;
    closeList();
    open(entry);
    return true;
}

void SearchBox::open(const SearchEntry& entry)
{
    const BusyWhile opening(busy_, window_, *field_);
    OpenSearchEntry(entry);
}

// ----- Opening a match ------------------------------------------------------------------

void LandOnControl(ui::Form& page, const std::string& controlName)
{
    auto* control = dynamic_cast<ui::Control*>(page.findComponent(controlName));
    if (!control)
        return;
    auto* sheet = dynamic_cast<ui::TabSheet*>(control);  // a match that is a whole sheet
    if (!sheet)
        sheet = ui::SheetHolding(*control);
    if (sheet)
        sheet->pageControl().setActivePage(*sheet);
    if (sheet != control && IsWindowVisible(control->handle()) && IsWindowEnabled(control->handle())) {
        control->setFocus();
    } else if (sheet) {
        // A control that cannot take the focus: the keyboard stays on its sheet.
        HWND first = GetNextDlgTabItem(sheet->handle(), nullptr, FALSE);
        if (first && IsChild(sheet->handle(), first))
            SetFocus(first);
        else
            sheet->pageControl().setFocus();
    }
    ui::MarkControl(*control);
}

void OpenSearchEntry(const SearchEntry& entry)
{
    const Area area = SettingsPages().at(static_cast<std::size_t>(entry.page)).area;
    OpenArea(area, [control = entry.control](ui::Form& page) { LandOnControl(page, control); });
}

}  // namespace app
