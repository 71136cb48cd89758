#include "ui/pagecontrol.h"

#include <algorithm>

#include <commctrl.h>

namespace ui {

namespace {

Bounds SheetBounds(const PageControl& pageControl)
{
    const RECT area = pageControl.displayArea();
    return Bounds{area.left, area.top, area.right - area.left, area.bottom - area.top};
}

}  // namespace

PageControl::PageControl(Control& parent, std::string name, const Bounds& bounds)
    : Control(&parent, std::move(name),
              WindowSpec{WC_TABCONTROLA, WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, {}},
              bounds)
{
}

RECT PageControl::displayArea() const
{
    RECT area{};
    GetClientRect(handle(), &area);
    TabCtrl_AdjustRect(handle(), FALSE, &area);
    return area;
}

int PageControl::addPage(TabSheet& sheet)
{
    pages_.push_back(&sheet);
    const int index = pageCount() - 1;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("");
    SendMessageA(handle(), TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (activePageIndex() < 0)
        SendMessageA(handle(), TCM_SETCURSEL, 0, 0);
    showActivePage();
    return index;
}

void PageControl::removePage(TabSheet& sheet)
{
    auto found = std::find(pages_.begin(), pages_.end(), &sheet);
    if (found == pages_.end())
        return;
    SendMessageA(handle(), TCM_DELETEITEM, static_cast<WPARAM>(found - pages_.begin()), 0);
    pages_.erase(found);
}

int PageControl::activePageIndex() const
{
    return static_cast<int>(SendMessageA(handle(), TCM_GETCURSEL, 0, 0));
}

TabSheet* PageControl::activePage() const
{
    const int index = activePageIndex();
    return index >= 0 && index < pageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

void PageControl::setActivePage(TabSheet& sheet)
{
    setActivePageIndex(sheet.pageIndex());
}

void PageControl::setActivePageIndex(int index)
{
    if (index < 0 || index >= pageCount() || index == activePageIndex())
        return;
    SendMessageA(handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    showActivePage();
    fire(onChange);
}

void PageControl::showActivePage()
{
    const TabSheet* active = activePage();
    for (TabSheet* sheet : pages_)
        if (sheet != active)
            sheet->setVisible(false);
    if (active) {
        SetWindowPos(active->handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    }
}

std::optional<LRESULT> PageControl::handleNotify(NMHDR& header)
{
    if (header.code == static_cast<UINT>(TCN_SELCHANGE)) {
        showActivePage();
        fire(onChange);
        return 0;
    }
    return std::nullopt;
}

TabSheet::TabSheet(PageControl& pageControl, std::string name, const std::string& caption)
    : Control(&pageControl, std::move(name),
              WindowSpec{kContainerClass, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, {}},
              SheetBounds(pageControl)),
      pageControl_(pageControl)
{
    pageControl_.addPage(*this);
    setCaption(caption);
}

TabSheet::~TabSheet()
{
    pageControl_.removePage(*this);
}

void TabSheet::setCaption(const std::string& text)
{
    caption_ = text;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption_.c_str());
    SendMessageA(pageControl_.handle(), TCM_SETITEMA, static_cast<WPARAM>(pageIndex()), reinterpret_cast<LPARAM>(&item));
    // Tabs may now take another row, which moves the display area.
    const Bounds area = SheetBounds(pageControl_);
    for (int i = 0; i < pageControl_.pageCount(); ++i)
        pageControl_.page(i).setBounds(area);
}

int TabSheet::pageIndex() const
{
    for (int i = 0; i < pageControl_.pageCount(); ++i)
        if (&pageControl_.page(i) == this)
            return i;
    return -1;
}

TabSheet* SheetHolding(const Control& control)
{
    for (HWND window = control.handle(); window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD);) {
        window = GetParent(window);
        if (auto* sheet = dynamic_cast<TabSheet*>(Control::fromHandle(window)))
            return sheet;
    }
    return nullptr;
}

}  // namespace ui
