// Making Explorer rebuild its icon cache.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "harness/registry_sandbox.h"
#include "registry/helpers.h"
#include "registry/registry.h"
#include "ui/handles.h"

namespace {

const char* const kMetrics = "Control Panel\\Desktop\\WindowMetrics";
const char* const kIconSize = "Shell Icon Size";

// A hidden top-level window that notes the icon size each metrics broadcast finds.
class BroadcastListener {
public:
    BroadcastListener()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &BroadcastListener::procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
        window_.reset(CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
        seen_.clear();
    }
    bool ready() const { return static_cast<bool>(window_); }
    static const std::vector<std::string>& seen() { return seen_; }

private:
    static constexpr const char* kClassName = "VelmoraBroadcastListener";

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_WININICHANGE && wParam == SPI_SETNONCLIENTMETRICS) {
            seen_.push_back(registry::RegValueExists(HKCU, kMetrics, kIconSize)
                                ? registry::RegReadText(HKCU, kMetrics, kIconSize)
                                : "(none)");
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static inline std::vector<std::string> seen_;
    ui::WindowHandle window_;
};

class HelpersRefreshShellIcons : public RegistrySandbox {
protected:
    void writeIconSize(const std::string& text)
    {
        WriteRawValue(HKCU, kMetrics, kIconSize, REG_SZ, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1));
    }
    std::string iconSize() { return registry::RegReadText(HKCU, kMetrics, kIconSize); }
    bool iconSizeExists() { return registry::RegValueExists(HKCU, kMetrics, kIconSize); }
};

TEST_F(HelpersRefreshShellIcons, NudgesAnExistingSizeUpAndBack)
{
    writeIconSize("32");
    BroadcastListener listener;
    ASSERT_TRUE(listener.ready());

    EXPECT_TRUE(helpers::RefreshShellIcons());

    EXPECT_EQ(BroadcastListener::seen(), (std::vector<std::string>{"33", "32"}));
    EXPECT_EQ(iconSize(), "32");
}

TEST_F(HelpersRefreshShellIcons, LeavesNoValueWhereThereWasNone)
{
    BroadcastListener listener;
    ASSERT_TRUE(listener.ready());

    EXPECT_TRUE(helpers::RefreshShellIcons());

    EXPECT_EQ(BroadcastListener::seen(), (std::vector<std::string>{"33", "32"}));
    EXPECT_FALSE(iconSizeExists());
}

TEST_F(HelpersRefreshShellIcons, AnEmptySizeStopsWithoutBroadcast)
{
    writeIconSize("");
    BroadcastListener listener;

    EXPECT_FALSE(helpers::RefreshShellIcons());

    EXPECT_TRUE(BroadcastListener::seen().empty());
    EXPECT_TRUE(iconSizeExists());
    EXPECT_EQ(iconSize(), "");
}

TEST_F(HelpersRefreshShellIcons, ASizeThatIsNoNumberRaisesTheConversionErrorAndChangesNothing)
{
    writeIconSize("groß");
    EXPECT_EQ(RaisedText([] { helpers::RefreshShellIcons(); }), "'groß' ist kein gültiger Integerwert");
    EXPECT_EQ(iconSize(), "groß");
}

// One more than the largest integer must not wrap round to a negative size.
TEST_F(HelpersRefreshShellIcons, TheLargestSizeIsRestoredUnchanged)
{
    writeIconSize("2147483647");
    BroadcastListener listener;

    EXPECT_TRUE(helpers::RefreshShellIcons());

    EXPECT_EQ(BroadcastListener::seen(), (std::vector<std::string>{"2147483648", "2147483647"}));
    EXPECT_EQ(iconSize(), "2147483647");
}

// A hidden window registered with the shell for association changes; it counts the
// notifications it is sent.
class AssociationListener {
public:
    static constexpr UINT kMessage = WM_APP + 17;

    AssociationListener()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &AssociationListener::procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
        window_.reset(CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
        SHChangeNotifyEntry everything{nullptr, TRUE};
        registration_ = SHChangeNotifyRegister(window_.get(), SHCNRF_ShellLevel | SHCNRF_InterruptLevel,
                                               SHCNE_ASSOCCHANGED, kMessage, 1, &everything);
        notified_ = 0;
    }
    ~AssociationListener()
    {
        if (registration_)
            SHChangeNotifyDeregister(registration_);
    }
    bool ready() const { return window_ && registration_; }
    // Lets posted notifications arrive.
    int notified() const
    {
        for (int round = 0; round < 20 && notified_ == 0; ++round) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(10);
        }
        return notified_;
    }

private:
    static constexpr const char* kClassName = "VelmoraAssociationListener";

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kMessage)
            ++notified_;
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static inline int notified_ = 0;
    ui::WindowHandle window_;
    ULONG registration_ = 0;
};

TEST(HelpersNotifyAssociationsChanged, TheShellHearsOfChangedAssociations)
{
    AssociationListener listener;
    ASSERT_TRUE(listener.ready());
    helpers::NotifyAssociationsChanged();
    EXPECT_GE(listener.notified(), 1);
}

}  // namespace
