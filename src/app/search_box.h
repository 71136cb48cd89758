// The search of the main window: a field with its label ("Suchen:", Alt+S, and Ctrl+F
// anywhere in the window) that shows a hint while it is empty, and below it the list
// of matching settings, updated as the user types. Each line shows a setting's caption
// and, below it, its page, sheet and group. Up and Down move through the list, Enter
// opens the chosen match (the first one unless another is chosen), Escape closes the
// list and then empties the field. Opening a match opens its page as the launcher
// does, selects the sheet, focuses the control and marks it.
#pragma once

#include "app/search_matching.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <functional>
#include <string>
#include <vector>

namespace app {

// The field: an edit whose "Caption" is the hint it shows while empty.
class SearchEdit : public ui::Edit {
public:
    SearchEdit(ui::Control& parent, std::string name, const ui::Bounds& bounds);

    bool hasCaption() const override { return true; }
    std::string caption() const override { return hint_; }
    void setCaption(const std::string& text) override;
    bool exportsCaption() const override { return true; }

    // The keys the search takes before the edit and the window do: true when used.
    std::function<bool(WPARAM key)> onSearchKey;
    // Whether Escape belongs to the search now (otherwise the window gets it).
    std::function<bool()> wantsEscape;
    // The field lost the focus to the given window.
    std::function<void(HWND focus)> onFocusLost;
    // The mouse wheel turned while the field had the focus.
    std::function<void(WPARAM wParam, LPARAM lParam)> onWheel;

    void handleCommand(int code) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paintHint();

    std::string hint_;
};

// The list of matches: owner-drawn lines as high as their wrapped texts, which never
// take the focus from the field.
class MatchList : public ui::Control {
public:
    struct Line {
        std::string caption;
        std::string path;  // page, sheet and group; empty for a notice
    };

    MatchList(ui::Control& parent, std::string name, const ui::Bounds& bounds);

    void setLines(std::vector<Line> lines);
    const std::vector<Line>& lines() const { return lines_; }
    int selected() const;
    void select(int line);
    // The lines that fit into the list at once.
    int linesShown() const;
    // The height the lines need together (with the frame), up to the given maximum.
    int heightFor(int maximum) const;
    // Where a line's texts are drawn, in the list's client coordinates: caption and path.
    void textRects(int line, RECT& caption, RECT& path) const;

    // The user clicked a line.
    std::function<void(int line)> onChoose;

    bool handleDrawItem(DRAWITEMSTRUCT& item) override;
    bool handleMeasureItem(MEASUREITEMSTRUCT& item) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int textWidth() const;
    SIZE captionSize(const Line& line) const;
    SIZE pathSize(const Line& line) const;

    std::vector<Line> lines_;
};

class SearchBox {
public:
    // Creates the label, the field and the list on the main window, and Ctrl+F.
    explicit SearchBox(ui::Form& window);
    // The controls live on with the window a little longer: they call the search no more.
    ~SearchBox();
    SearchBox(const SearchBox&) = delete;
    SearchBox& operator=(const SearchBox&) = delete;

    ui::Label& label() const { return *label_; }
    SearchEdit& field() const { return *field_; }
    MatchList& list() const { return *list_; }

    // Ctrl+F: the focus goes to the field, whose text is selected.
    void focusField();
    bool listOpen() const;
    // The matches the list shows, best first (empty while it shows a notice).
    const std::vector<SearchMatch>& matches() const { return matches_; }
    const SearchEntry* entryOf(const SearchMatch& match) const;
    // Opens the chosen match (the first when none is chosen); false when there is none.
    bool openChosen();

    // Shows the matches of the field's text (the index is built first when needed).
    void update();
    void closeList();

private:
    bool handleKey(WPARAM key);
    void moveChoice(int lines);
    void showList(std::vector<MatchList::Line> lines, int chosen);
    void open(const SearchEntry& entry);
    std::string pathOf(const SearchEntry& entry) const;

    ui::Form& window_;
    ui::Label* label_ = nullptr;
    SearchEdit* field_ = nullptr;
    MatchList* list_ = nullptr;
    const std::vector<SearchEntry>* index_ = nullptr;
    std::vector<SearchMatch> matches_;
    bool busy_ = false;  // building the index or opening a match: changes wait
    bool siblingsClipped_ = false;
};

// Opens the page of a match as its launcher entry does, selects the control's sheet,
// gives the control the focus (when it can take it) and marks it.
void OpenSearchEntry(const SearchEntry& entry);

// On a shown page: selects the sheet that holds the named control, focuses the
// control when it can take the focus, and marks it.
void LandOnControl(ui::Form& page, const std::string& controlName);

}  // namespace app
