// The System page's applet list, read from the system folder's "*.cpl" files and
// "Control Panel\don't load", and the layout of its sheets.
#include "pages_fixture.h"

#include "harness/layout_check.h"

#include "pages/system_form.h"
#include "pages/system_rows.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/handles.h"
#include "ui/pagecontrol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using pages::TForm_System;
using pages::system::AppletNode;
using pages::system::kDontLoadKey;

namespace {

std::vector<std::string> AppletFilesSorted()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    ui::FindHandle search(FindFirstFileA((pages::system::AppletFolder() + "\\*.cpl").c_str(), &found));
    if (search) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.emplace_back(found.cFileName);
        } while (FindNextFileA(search.get(), &found));
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return names;
}

bool Named(const std::string& a, const char* b)
{
    return lstrcmpiA(a.c_str(), b) == 0;
}

class AppletListTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        files = AppletFilesSorted();
        // The system folder of a Windows XP (or Wine) installation holds these applets.
        for (const char* needed : {"appwiz.cpl", "joy.cpl", "inetcpl.cpl"})
            ASSERT_TRUE(std::any_of(files.begin(), files.end(), [&](const std::string& f) { return Named(f, needed); }))
                << needed;
    }
    void TearDown() override
    {
        page.reset();
        PageTest::TearDown();
    }
    TForm_System& create()
    {
        page = std::make_unique<TForm_System>();
        language::LocalizeComponent(*page);
        return *page;
    }
    ui::VirtualTree& tree() const { return page->VirtualDrawTree_CPL(); }
    ui::TreeNode nodeOf(const char* file) const
    {
        for (ui::TreeNode node = tree().firstChild(nullptr); node; node = tree().nextSibling(node))
            if (Named(tree().recordAs<AppletNode>(node)->fileName, file))
                return node;
        return nullptr;
    }

    std::vector<std::string> files;
    std::unique_ptr<TForm_System> page;
};

TEST_F(AppletListTest, EveryAppletIsListedInOrderAndNoHidesIt)
{
    Write(HKCU, kDontLoadKey, "joy.cpl", Text("nO"));
    Write(HKCU, kDontLoadKey, "inetcpl.cpl", Text("yes"));
    create();
    std::vector<std::string> listed;
    for (ui::TreeNode node = tree().firstChild(nullptr); node; node = tree().nextSibling(node)) {
        const auto* applet = tree().recordAs<AppletNode>(node);
        ASSERT_NE(applet, nullptr);
        listed.push_back(applet->fileName);
        EXPECT_EQ(tree().checkType(node), ui::CheckType::CheckBox);
        EXPECT_EQ(tree().checkState(node) == ui::CheckState::Checked, !Named(applet->fileName, "joy.cpl"))
            << applet->fileName;
        EXPECT_EQ(tree().firstChild(node), nullptr);
    }
    EXPECT_EQ(listed, files);
    EXPECT_EQ(tree().nodeHeight(), 48);
    EXPECT_TRUE(tree().flatList());
    EXPECT_FALSE(page->find<ui::CheckBox>("CheckBox_CPL").checked());
}

TEST_F(AppletListTest, WithTheOptionOnOkShowsAndHidesAppletsAndLeavesOtherEntries)
{
    Write(HKCU, kDontLoadKey, "joy.cpl", Text("no"));
    Write(HKCU, kDontLoadKey, "inetcpl.cpl", Text("yes"));
    create();
    page->find<ui::CheckBox>("CheckBox_CPL").setChecked(true);
    tree().setCheckState(nodeOf("appwiz.cpl"), ui::CheckState::Unchecked);
    page->find<ui::Button>("Button_Apply").click();
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDontLoadKey, "appwiz.cpl"), Text("No"));
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDontLoadKey, "inetcpl.cpl"), std::nullopt);  // still ticked: shown again
    EXPECT_EQ(Read(HKEY_CURRENT_USER, kDontLoadKey, "joy.cpl"), Text("no"));  // an existing entry stays as it is
    EXPECT_EQ(tree().nodeCount(), 0);
}

TEST_F(AppletListTest, WithTheOptionOffNothingIsWritten)
{
    create();
    tree().setCheckState(nodeOf("appwiz.cpl"), ui::CheckState::Unchecked);
    page->SaveSettings();
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kDontLoadKey));
    EXPECT_EQ(tree().nodeCount(), static_cast<int>(files.size()));
}

TEST_F(AppletListTest, KnownAppletsShowTheirNameAndOthersTheirFileName)
{
    struct Case {
        const char* file;
        const char* caption;
    };
    const Case cases[] = {{"APPWIZ.cpl", "Software"}, {"desk.CPL", "Anzeige"}, {"inetcpl.cpl", "Internetoptionen"},
                          {"powercfg.cpl", "Energieoptionen"}, {"bthprops.cpl", "bthprops.cpl"}};
    for (const Case& item : cases)
        EXPECT_EQ(pages::system::AppletCaption(item.file), item.caption) << item.file;
}

TEST_F(AppletListTest, ANodeIsDrawnAsItsIconAndItsName)
{
    create();
    const ui::TreeNode node = nodeOf("appwiz.cpl");
    constexpr int kWidth = 200;
    constexpr int kHeight = 48;
    ui::WindowDC screen(nullptr);
    ui::MemoryDC dc(CreateCompatibleDC(screen.get()));
    ui::GdiObject bitmap(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    ui::SelectedObject selected(dc.get(), bitmap.get());
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc.get(), TRANSPARENT);
    page->VirtualDrawTree_CPLDrawNode(dc.get(), node, all);
    const auto inked = [&](int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += GetPixel(dc.get(), x, y) != RGB(255, 255, 255);
        return count;
    };
    const auto& icon = tree().recordAs<AppletNode>(node)->icon;
    if (icon && *icon) {
        EXPECT_GT(inked(0, 6, 32, 38), 0);
    }
    EXPECT_EQ(inked(0, 0, kWidth, 6), 0);       // nothing above the icon
    EXPECT_GT(inked(36, 16, kWidth, kHeight), 0);  // the name "Software"
    EXPECT_EQ(inked(33, 0, 36, kHeight), 0);    // between icon and name
}

// --- Layout ------------------------------------------------------------------------

TEST_F(AppletListTest, NothingOnAnySheetIsClippedOrCovered)
{
    create();
    testing_support::ExpectNothingClippedOrCovered(page->handle());
    // Long captions that need two lines get them.
    for (const char* name : {"CheckBox_AutoReboot", "CheckBox_CPL", "CheckBox_NtfsDisable8dot3NameCreation"}) {
        auto& box = page->find<ui::CheckBox>(name);
        const SIZE text = ui::MeasureText(box.font(), box.caption(), box.width() - 20);
        EXPECT_GE(box.height(), text.cy) << name << "; font " << testing_support::FontReport(box.font());
    }
}

}  // namespace
