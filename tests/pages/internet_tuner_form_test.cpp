// The Internet access tuner: the MTU of every interface, the receive window, the
// packet lifetime and the four options, its presets, the reset to Windows' defaults,
// and its own frame of two group boxes.
#include "pages_fixture.h"

#include "harness/help_seam.h"
#include "harness/layout_check.h"
#include "pages/internet_tuner_form.h"
#include "pages/internet_tuner_rows.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/spinedit.h"

#include <gtest/gtest.h>

#include <memory>

using pages::Form_InternetTuner;
using pages::TForm_InternetTuner;
namespace tuner = pages::tuner;

namespace {

const std::string kFirst = tuner::kInterfacesKey + "\\{AAAA}";
const std::string kSecond = tuner::kInterfacesKey + "\\{BBBB}";

class TunerTest : public PageTest {
protected:
    void TearDown() override
    {
        Form_InternetTuner = nullptr;
        page.reset();
        PageTest::TearDown();
    }

    TForm_InternetTuner& create()
    {
        page = std::make_unique<TForm_InternetTuner>();
        Form_InternetTuner = page.get();
        language::LocalizeComponent(*page);
        return *page;
    }
    void twoInterfaces()
    {
        registry::RegKeyEnsure(HKLM, kFirst);
        registry::RegKeyEnsure(HKLM, kSecond);
    }
    void pressApply() { page->find<ui::Button>("Button_Apply").click(); }
    ui::CheckBox& box(const std::string& name) const { return page->find<ui::CheckBox>(name); }
    int spin(const std::string& name) const { return page->find<ui::SpinEdit>(name).value(); }

    std::unique_ptr<TForm_InternetTuner> page;
};

TEST_F(TunerTest, OnlyTheFirstInterfaceCountsForLoadingAndEveryOneIsWritten)
{
    twoInterfaces();
    Write(HKLM, kSecond, "MTU", Dword(1400));
    create();
    EXPECT_FALSE(box("CheckBox_MTU").checked());
    EXPECT_EQ(spin("SpinEdit_MTU"), 1500);
    box("CheckBox_MTU").setChecked(true);
    pressApply();
    EXPECT_EQ(Read(HKLM, kFirst, "MTU"), Dword(1500));
    EXPECT_EQ(Read(HKLM, kSecond, "MTU"), Dword(1500));

    // Unchecked removes it from every interface.
    create();
    EXPECT_TRUE(box("CheckBox_MTU").checked());
    box("CheckBox_MTU").setChecked(false);
    pressApply();
    EXPECT_EQ(Read(HKLM, kFirst, "MTU"), std::nullopt);
    EXPECT_EQ(Read(HKLM, kSecond, "MTU"), std::nullopt);
}

TEST_F(TunerTest, StoredNumbersAreBroughtIntoTheirRanges)
{
    twoInterfaces();
    Write(HKLM, kFirst, "MTU", Dword(9000));
    Write(HKLM, tuner::kParametersKey, "DefaultTTL", Dword(0));
    Write(HKLM, tuner::kParametersKey, "TcpWindowSize", Dword(64240));
    create();
    EXPECT_TRUE(box("CheckBox_MTU").checked());
    EXPECT_EQ(spin("SpinEdit_MTU"), 1500);
    EXPECT_EQ(spin("SpinEdit_TTL"), 1);
    EXPECT_EQ(spin("SpinEdit_RWIN"), 64240);
    pressApply();
    EXPECT_EQ(Read(HKLM, kFirst, "MTU"), Dword(1500));
    EXPECT_EQ(Read(HKLM, tuner::kParametersKey, "DefaultTTL"), Dword(1));
    EXPECT_EQ(Read(HKLM, tuner::kParametersKey, "GlobalMaxTcpWindowSize"), Dword(64240));
}

TEST_F(TunerTest, APresetAndUebernehmenWriteItsEightValues)
{
    twoInterfaces();
    create();
    EXPECT_EQ(page->find<ui::ComboBox>("ComboBox_OPTIMIZEFOR").itemIndex(), 0);
    EXPECT_EQ(page->find<ui::ComboBox>("ComboBox_OPTIMIZEFOR").items(),
              (std::vector<std::string>{language::LangString(9900), language::LangString(9901),
                                        language::LangString(9902)}));
    box("CheckBox_PMTUBlackHole").setChecked(true);
    page->find<ui::ComboBox>("ComboBox_OPTIMIZEFOR").setItemIndex(1);
    page->find<ui::Button>("Button_Einstellen").click();
    pressApply();
    const std::string& parameters = tuner::kParametersKey;
    EXPECT_EQ(Read(HKLM, kFirst, "MTU"), Dword(1492));
    EXPECT_EQ(Read(HKLM, kSecond, "MTU"), Dword(1492));
    EXPECT_EQ(Read(HKLM, parameters, "TcpWindowSize"), Dword(185856));
    EXPECT_EQ(Read(HKLM, parameters, "GlobalMaxTcpWindowSize"), Dword(185856));
    EXPECT_EQ(Read(HKLM, parameters, "DefaultTTL"), Dword(128));
    EXPECT_EQ(Read(HKLM, parameters, "EnablePMTUDiscovery"), Dword(1));
    EXPECT_EQ(Read(HKLM, parameters, "EnablePMTUBHDetect"), Dword(0));
    EXPECT_EQ(Read(HKLM, parameters, "SackOpts"), Dword(1));
    EXPECT_EQ(Read(HKLM, parameters, "Tcp1323Opts"), Dword(3));
}

TEST_F(TunerTest, TheResetLeavesNoneOfTheValuesAndShowsTheDefaults)
{
    twoInterfaces();
    create();
    page->find<ui::ComboBox>("ComboBox_OPTIMIZEFOR").setItemIndex(2);
    page->find<ui::Button>("Button_Einstellen").click();
    pressApply();

    create();
    boxes.answer(ui::MsgButton::No);
    page->find<ui::Button>("Button_Standard").click();
    EXPECT_EQ(boxes.last().text, language::LangString(9920));
    EXPECT_EQ(Read(HKLM, tuner::kParametersKey, "SackOpts"), Dword(1));

    boxes.answer(ui::MsgButton::Yes);
    page->find<ui::Button>("Button_Standard").click();
    for (const std::string& key : {kFirst, kSecond})
        EXPECT_EQ(Read(HKLM, key, "MTU"), std::nullopt);
    for (const char* value : {"TcpWindowSize", "GlobalMaxTcpWindowSize", "DefaultTTL", "EnablePMTUDiscovery",
                              "EnablePMTUBHDetect", "SackOpts", "Tcp1323Opts"})
        EXPECT_EQ(Read(HKLM, tuner::kParametersKey, value), std::nullopt) << value;
    for (const char* name : {"CheckBox_MTU", "CheckBox_RWIN", "CheckBox_TTL", "CheckBox_PMTUDiscovery",
                             "CheckBox_PMTUBlackHole", "CheckBox_SackOpts", "CheckBox_Tcp1323Opts"})
        EXPECT_FALSE(box(name).checked()) << name;
    EXPECT_EQ(spin("SpinEdit_MTU"), 1500);
    EXPECT_EQ(spin("SpinEdit_RWIN"), 8760);
    EXPECT_EQ(spin("SpinEdit_TTL"), 32);
}

TEST_F(TunerTest, WithoutInterfacesTheErrorIsShownAndTheOtherRowsAreSaved)
{
    create();
    box("CheckBox_MTU").setChecked(true);
    box("CheckBox_TTL").setChecked(true);
    box("CheckBox_SackOpts").setChecked(true);
    pressApply();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, language::LangString(9910) + "\r" + language::LangString(9911));
    EXPECT_EQ(Read(HKLM, tuner::kParametersKey, "DefaultTTL"), Dword(32));
    EXPECT_EQ(Read(HKLM, tuner::kParametersKey, "SackOpts"), Dword(1));
    EXPECT_EQ(Read(HKLM, tuner::kParametersKey, "Tcp1323Opts"), Dword(0));
}

TEST_F(TunerTest, ItsOwnFrameHelpAndLayout)
{
    testing_support::RecordedHelp help;
    create();
    EXPECT_EQ(page->caption(), language::LangString(9000));
    RECT client{};
    GetClientRect(page->handle(), &client);
    EXPECT_EQ(client.right, 660);
    EXPECT_EQ(client.bottom, 506);
    EXPECT_FALSE(GetWindowLongA(page->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(page->find<ui::Button>("Button_Apply").tag(), 204);
    EXPECT_EQ(page->find<ui::Button>("Button_Apply").caption(), language::LangString(204));
    page->find<ui::Button>("Button_Hilfe").click();
    EXPECT_EQ(help.locations(), (std::vector<std::string>{ui::HelpLocation(ui::HelpFilePath, "internetzugang")}));
    testing_support::ExpectNothingClippedOrCovered(page->handle());
}

}  // namespace
