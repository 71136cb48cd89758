// The link component against the shell's real link object: what it writes is read
// back past the component, and what it reads comes from links the shell made.
#include "components/shortcut_link.h"
#include "harness/registry_sandbox.h"
#include "harness/temp_folder.h"
#include "ui/handles.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

using components::EShortcutError;
using components::TShortcutLink;
using components::TShowCmd;

// A link file as the shell reads it, past the component.
struct StoredLink {
    std::string target;
    std::string workingDir;
    std::string arguments;
    std::string description;
    std::string iconFile;
    int iconIndex = 0;
    WORD hotKey = 0;
};

// The window state a link file records: the header's show command, a number at byte
// 0x3C (the shell object does not give it back after loading on every platform).
DWORD StoredShowCommand(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() < 0x40)
        return 0;
    DWORD number = 0;
    for (int index = 3; index >= 0; --index)
        number = (number << 8) | static_cast<unsigned char>(bytes[0x3C + index]);
    return number;
}

ui::ComPtr<IShellLinkA> NewShellLink()
{
    ui::ComPtr<IShellLinkA> link;
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.outVoid()), S_OK);
    return link;
}

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

StoredLink ReadStored(const std::string& file)
{
    StoredLink stored;
    auto link = NewShellLink();
    ui::ComPtr<IPersistFile> persist;
    EXPECT_EQ(link->QueryInterface(IID_IPersistFile, persist.outVoid()), S_OK);
    EXPECT_EQ(persist->Load(Wide(file).c_str(), STGM_READ), S_OK) << file;
    char text[1024] = {};
    link->GetPath(text, sizeof text, nullptr, SLGP_UNCPRIORITY);
    stored.target = text;
    link->GetWorkingDirectory(text, sizeof text);
    stored.workingDir = text;
    link->GetArguments(text, sizeof text);
    stored.arguments = text;
    link->GetDescription(text, sizeof text);
    stored.description = text;
    link->GetIconLocation(text, sizeof text, &stored.iconIndex);
    stored.iconFile = text;
    link->GetHotkey(&stored.hotKey);
    return stored;
}

// A link the shell makes itself, to the target with the given working directory.
void MakeLink(const std::string& file, const std::string& target, const std::string& workingDir = {})
{
    auto link = NewShellLink();
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(workingDir.c_str());
    ui::ComPtr<IPersistFile> persist;
    ASSERT_EQ(link->QueryInterface(IID_IPersistFile, persist.outVoid()), S_OK);
    ASSERT_EQ(persist->Save(Wide(file).c_str(), TRUE), S_OK) << file;
}

class ShortcutLinkTest : public TempFolderTest {};

TEST_F(ShortcutLinkTest, ReadingGivesTargetWorkingFolderAndWhetherTheTargetIsAFolder)
{
    const std::string program = file("Tools\\tool.exe", "MZ");
    const std::string folder = makeDir("Documents");
    MakeLink(path() + "program.lnk", program, path() + "Tools");
    MakeLink(path() + "folder.lnk", folder.substr(0, folder.size() - 1));

    TShortcutLink link;
    link.setShortcutFile(path() + "program.lnk");
    link.ReadLink();
    EXPECT_TRUE(link.Success());
    EXPECT_EQ(link.Target(), program);
    EXPECT_EQ(link.WorkingDir(), path() + "Tools");
    EXPECT_FALSE(link.IsDir());

    link.setShortcutFile(path() + "folder.lnk");
    link.ReadLink();
    EXPECT_TRUE(link.Success());
    EXPECT_EQ(link.Target(), folder.substr(0, folder.size() - 1));
    EXPECT_TRUE(link.IsDir());
}

TEST_F(ShortcutLinkTest, AFileThatIsNoLinkRaisesOrQuietlyLeavesTheTargetAsItWas)
{
    struct Case {
        const char* what;
        std::string file;
    };
    const Case cases[] = {
        {"a text file", file("notes.lnk", "this is no link")},
        {"an empty file", file("empty.lnk")},
        {"a missing file", path() + "missing.lnk"},
        {"a path longer than the link object takes", path() + std::string(300, 'x') + ".lnk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TShortcutLink link;
        link.setShortcutFile(c.file);
        link.setTarget("C:\\before.exe");
        link.setSuccess(true);
        EXPECT_EQ(RaisedText([&] { link.ReadLink(); }), "Unable to open link file");
        EXPECT_FALSE(link.Success());

        link.setQuiet(true);
        link.ReadLink();
        EXPECT_FALSE(link.Success());
        EXPECT_EQ(link.Target(), "C:\\before.exe");
    }
}

TEST_F(ShortcutLinkTest, ALinkWithoutAFileSystemTargetHasNoTarget)
{
    // A link to the Control Panel names a shell object, not a file.
    auto shellLink = NewShellLink();
    LPITEMIDLIST controls = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_CONTROLS, &controls), S_OK);
    shellLink->SetIDList(controls);
    CoTaskMemFree(controls);
    ui::ComPtr<IPersistFile> persist;
    ASSERT_EQ(shellLink->QueryInterface(IID_IPersistFile, persist.outVoid()), S_OK);
    ASSERT_EQ(persist->Save(Wide(path() + "controls.lnk").c_str(), TRUE), S_OK);

    TShortcutLink link;
    link.setShortcutFile(path() + "controls.lnk");
    link.setTarget("C:\\before.exe");
    EXPECT_EQ(RaisedText([&] { link.ReadLink(); }), "Error in getting Target");
    EXPECT_FALSE(link.Success());
    EXPECT_EQ(link.Target(), "C:\\before.exe");
}

TEST_F(ShortcutLinkTest, WritingStoresEveryPropertyWithCtrlAltHotKeyAndNormalWindowByDefault)
{
    const std::string program = file("tool.exe", "MZ");
    TShortcutLink link;
    link.setShortcutFile(path() + "written.lnk");
    link.setTarget(program);
    link.setWorkingDir(path());
    link.setArguments("/quiet \"two words\"");
    link.setDescription("Werkzeug für Übersicht");
    link.setIconLocation(program);
    link.setIconNumber(2);
    link.setHotKey("k");
    link.WriteLink();

    const StoredLink stored = ReadStored(path() + "written.lnk");
    EXPECT_EQ(stored.target, program);
    EXPECT_EQ(stored.workingDir, path());
    EXPECT_EQ(stored.arguments, "/quiet \"two words\"");
    EXPECT_EQ(stored.description, "Werkzeug für Übersicht");
    EXPECT_EQ(stored.iconFile, program);
    EXPECT_EQ(stored.iconIndex, 2);
    EXPECT_EQ(stored.hotKey, MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT));
    EXPECT_EQ(StoredShowCommand(path() + "written.lnk"), 9u);  // the component was never given a window state
}

TEST_F(ShortcutLinkTest, AHotKeyOfASpaceOrAControlCharacterIsNoHotKey)
{
    for (const std::string& key : {std::string(" "), std::string(), std::string("\x01")}) {
        TShortcutLink link;
        link.setShortcutFile(path() + "nokey.lnk");
        link.setTarget(file("tool.exe", "MZ"));
        link.setHotKey(key);
        EXPECT_EQ(link.HotKey(), " ");
        link.WriteLink();
        EXPECT_EQ(ReadStored(path() + "nokey.lnk").hotKey, 0) << "hot key text \"" << key << "\"";
    }
}

TEST(ShortcutLinkProperties, HotKeyKeepsTheFirstCharacterInUpperCase)
{
    TShortcutLink link;
    EXPECT_EQ(link.HotKey(), " ");  // a new component has none
    const std::pair<std::string, std::string> cases[] = {{"k", "K"}, {"xyz", "X"}, {"7", "7"}, {"ä", "Ä"}, {"", " "}};
    for (const auto& [given, kept] : cases) {
        link.setHotKey(given);
        EXPECT_EQ(link.HotKey(), kept) << given;
    }
}

TEST(ShortcutLinkProperties, TheWindowStateIsKeptAsTheWindowsShowNumber)
{
    TShortcutLink link;
    EXPECT_EQ(link.ShowCmd(), TShowCmd::scShowNormal);
    EXPECT_EQ(link.showCmdNumber(), 9);
    const std::pair<TShowCmd, int> cases[] = {
        {TShowCmd::scShowMaximized, 3}, {TShowCmd::scShowMinimized, 7}, {TShowCmd::scShowNormal, 9}};
    for (const auto& [state, number] : cases) {
        link.setShowCmd(state);
        EXPECT_EQ(link.showCmdNumber(), number);
        EXPECT_EQ(link.ShowCmd(), state);
    }
}

TEST_F(ShortcutLinkTest, ALinkThatCannotBeSavedRaisesAlsoWhenQuiet)
{
    TShortcutLink link;
    link.setQuiet(true);
    link.setShortcutFile(path() + "no such folder\\x.lnk");
    link.setTarget(file("tool.exe", "MZ"));
    EXPECT_EQ(RaisedText([&] { link.WriteLink(); }), "Unable to create .lnk file");
}

TEST_F(ShortcutLinkTest, ReadingTheDetailsLetsALinkBeWrittenAgainWithoutLosingThem)
{
    // A link the shell made, with a hot key of other modifier keys than the component's own.
    const std::string program = file("tool.exe", "MZ");
    {
        auto original = NewShellLink();
        original->SetPath(program.c_str());
        original->SetArguments("-minimized");
        original->SetDescription("Startet leise");
        original->SetIconLocation(program.c_str(), 1);
        original->SetHotkey(MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
        ui::ComPtr<IPersistFile> persist;
        ASSERT_EQ(original->QueryInterface(IID_IPersistFile, persist.outVoid()), S_OK);
        ASSERT_EQ(persist->Save(Wide(path() + "old.lnk").c_str(), TRUE), S_OK);
    }
    const std::string other = file("other.exe", "MZ");

    TShortcutLink link;
    link.setShortcutFile(path() + "old.lnk");
    ASSERT_TRUE(link.ReadLinkDetails());
    link.setTarget(other);
    link.setShortcutFile(path() + "new.lnk");
    link.WriteLink();

    const StoredLink stored = ReadStored(path() + "new.lnk");
    EXPECT_EQ(stored.target, other);
    EXPECT_EQ(stored.arguments, "-minimized");
    EXPECT_EQ(stored.description, "Startet leise");
    EXPECT_EQ(stored.iconFile, program);
    EXPECT_EQ(stored.iconIndex, 1);
    EXPECT_EQ(stored.hotKey, MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_SHIFT));

    // A file that is no link leaves the details as a new component has them.
    link.setShortcutFile(file("plain.lnk", "no link"));
    EXPECT_FALSE(link.ReadLinkDetails());
    EXPECT_EQ(link.Arguments(), "");
    EXPECT_EQ(link.HotKey(), " ");
}

}  // namespace
