// A page under test, created as the main window and the wizards create it: constructed
// into its single-instance reference (which runs LoadSettings) and localised. Controls
// are reached by name, as the wizards reach them.
#pragma once

#include "pages_fixture.h"

#include "ui/controls.h"

#include <memory>
#include <string>

template <class Page, Page*& Reference>
class PageFixture : public PageTest {
protected:
    void TearDown() override
    {
        destroy();
        PageTest::TearDown();
    }

    Page& create()
    {
        destroy();
        page = std::make_unique<Page>();
        Reference = page.get();
        language::LocalizeComponent(*page);
        return *page;
    }

    void destroy()
    {
        Reference = nullptr;
        page.reset();
    }

    template <class T>
    T& control(const std::string& name) const
    {
        return page->template find<T>(name);
    }
    ui::CheckBox& box(const std::string& name) const { return control<ui::CheckBox>(name); }
    ui::RadioButton& radio(const std::string& name) const { return control<ui::RadioButton>(name); }
    void click(const std::string& button) const { control<ui::Button>(button).click(); }
    void pressOk() const { click("Button_Apply"); }

    std::unique_ptr<Page> page;
};
