// A page control: a tab control whose tabs show one tab sheet each. The sheets are
// containers for the controls of their page.
#pragma once

#include "ui/control.h"

#include <vector>

namespace ui {

class TabSheet;

class PageControl : public Control {
public:
    PageControl(Control& parent, std::string name, const Bounds& bounds);

    int pageCount() const { return static_cast<int>(pages_.size()); }
    TabSheet& page(int index) const { return *pages_.at(static_cast<std::size_t>(index)); }
    int activePageIndex() const;
    TabSheet* activePage() const;
    void setActivePage(TabSheet& sheet);
    void setActivePageIndex(int index);

    // The area inside the tabs where sheets lie, in the page control's coordinates.
    RECT displayArea() const;

    Event onChange;
    std::optional<LRESULT> handleNotify(NMHDR& header) override;

private:
    friend class TabSheet;
    int addPage(TabSheet& sheet);
    void removePage(TabSheet& sheet);
    void showActivePage();

    std::vector<TabSheet*> pages_;
};

class TabSheet : public Control {
public:
    TabSheet(PageControl& pageControl, std::string name, const std::string& caption = {});
    ~TabSheet() override;

    bool hasCaption() const override { return true; }
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& text) override;
    bool exportsCaption() const override { return true; }

    int pageIndex() const;
    PageControl& pageControl() const { return pageControl_; }

private:
    PageControl& pageControl_;
    std::string caption_;
};

// The tab sheet that holds the control, at any depth; nullptr when none does.
TabSheet* SheetHolding(const Control& control);

}  // namespace ui
