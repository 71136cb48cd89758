// The file result list: a list view with columns, a check box per line and full-row
// selection that holds no items of its own. Its lines live in the list's owner (tens
// of thousands of found files), the view asks for the texts of the lines it shows, and
// the check marks are kept here, one per line. So a search adds a line as fast as it
// finds a file, and a long list opens, scrolls and closes at once.
#pragma once

#include "ui/control.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cleanup {

class FileListView : public ui::Control {
public:
    FileListView(ui::Control& parent, std::string name, const ui::Bounds& bounds);

    void addColumn(const std::string& caption, int width);
    void setColumnCaption(int column, const std::string& caption);
    std::string columnCaption(int column) const;
    // Every line as high as this.
    void setRowHeight(int height);

    // The text of a line's column, asked for when the line is shown.
    std::function<std::string(int line, int column)> cellText;

    // Appends a line with its check mark; the view learns the new length before it paints.
    void addLine(bool checked);
    void clear();
    int lineCount() const { return static_cast<int>(checked_.size()); }

    bool checked(int line) const { return checked_.at(static_cast<std::size_t>(line)) != 0; }
    void setChecked(int line, bool checked);
    void setAllChecked(bool checked);

    // The text the view shows for a line's column (empty for a line that does not exist).
    std::string text(int line, int column) const;

    std::optional<LRESULT> handleNotify(NMHDR& header) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void toggle(int line);
    void updateLength();

    std::vector<char> checked_;
    int shownLength_ = 0;
    ui::ImageListHandle rowHeight_;
};

}  // namespace cleanup
