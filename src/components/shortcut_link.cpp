#include "components/shortcut_link.h"

#include "registry/change_journal.h"
#include "ui/handles.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <optional>
#include <vector>

namespace components {

namespace {

constexpr std::size_t kPathBuffer = MAX_PATH;  // 260 characters, as the link object's paths
constexpr std::size_t kTextBuffer = 4096;      // arguments and descriptions

// The shell's link object, asked for its IShellLinkA interface; link stays empty when
// it cannot be made.
HRESULT CreateShellLink(ui::ComPtr<IShellLinkA>& link)
{
    const HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.outVoid());
    if (FAILED(result))
        link.reset();
    return result;
}

// The link object's file interface; file stays empty when the object has none.
bool QueryPersistFile(IShellLinkA& link, ui::ComPtr<IPersistFile>& file)
{
    if (SUCCEEDED(link.QueryInterface(IID_IPersistFile, file.outVoid())))
        return true;
    file.reset();
    return false;
}

// The path in UTF-16 by the ANSI code page, as the link object's file interface takes
// it; nothing when it does not fit the link object's path buffer of 260 characters.
std::optional<std::wstring> LinkPathForLoading(const std::string& path)
{
    wchar_t buffer[kPathBuffer] = {};
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, buffer, static_cast<int>(kPathBuffer)) == 0)
        return std::nullopt;
    return std::wstring(buffer);
}

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length) - 1);
    return wide;
}

// A link object with a link file loaded into it.
struct LoadedLink {
    ui::ComPtr<IShellLinkA> link;
    ui::ComPtr<IPersistFile> file;
    bool loaded = false;

    explicit LoadedLink(const std::string& shortcutFile)
    {
        if (FAILED(CreateShellLink(link)) || !QueryPersistFile(*link.get(), file))
            return;
        const auto path = LinkPathForLoading(shortcutFile);
        loaded = path && SUCCEEDED(file->Load(path->c_str(), STGM_READ));
    }
};

}  // namespace

TShortcutLink::TShortcutLink(std::string name) : ui::Component(std::move(name)) {}

std::string TShortcutLink::HotKey() const
{
    const unsigned char code = hotKeyCode_ == 0 ? ' ' : hotKeyCode_;
    return std::string(1, static_cast<char>(code));
}

void TShortcutLink::setHotKey(const std::string& text)
{
    char character[2] = {text.empty() ? ' ' : text.front(), '\0'};
    CharUpperBuffA(character, 1);
    const auto code = static_cast<unsigned char>(character[0]);
    hotKeyCode_ = code < ' ' ? static_cast<unsigned char>(' ') : code;
}

TShowCmd TShortcutLink::ShowCmd() const
{
    switch (showCmdNumber_) {
    case kShowMaximized: return TShowCmd::scShowMaximized;
    case kShowMinimized: return TShowCmd::scShowMinimized;
    default: return TShowCmd::scShowNormal;
    }
}

void TShortcutLink::setShowCmd(TShowCmd showCmd)
{
    switch (showCmd) {
    case TShowCmd::scShowMaximized: showCmdNumber_ = kShowMaximized; break;
    case TShowCmd::scShowMinimized: showCmdNumber_ = kShowMinimized; break;
    case TShowCmd::scShowNormal: showCmdNumber_ = kShowNormal; break;
    }
}

void TShortcutLink::ReadLink()
{
    success_ = false;
    ui::ComPtr<IShellLinkA> link;
    ui::ComPtr<IPersistFile> file;
    if (FAILED(CreateShellLink(link)) || !QueryPersistFile(*link.get(), file))
        return;

    const auto path = LinkPathForLoading(shortcutFile_);
    if (!path || FAILED(file->Load(path->c_str(), STGM_READ))) {
        if (!quiet_)
            throw EShortcutError("Unable to open link file");
        return;
    }

    char folder[kPathBuffer] = {};
    if (FAILED(link->GetWorkingDirectory(folder, static_cast<int>(kPathBuffer)))) {
        if (!quiet_)
            throw EShortcutError("Error in getting WorkingDir");
        return;
    }
    workingDir_ = folder;

    char target[kPathBuffer] = {};
    WIN32_FIND_DATAA found{};
    if (link->GetPath(target, static_cast<int>(kPathBuffer), &found, SLGP_UNCPRIORITY) != S_OK) {
        if (!quiet_)
            throw EShortcutError("Error in getting Target");
        return;
    }
    target_ = target;
    isDir_ = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    success_ = true;
}

bool TShortcutLink::ReadLinkDetails()
{
    // What the link does not tell stays as a new component has it, never as an
    // earlier link had it.
    arguments_.clear();
    description_.clear();
    iconLocation_.clear();
    iconNumber_ = 0;
    hotKeyCode_ = 0;
    hotKeyModifiers_ = kCtrlAlt;
    showCmdNumber_ = kShowNormal;
    const LoadedLink loaded(shortcutFile_);
    if (!loaded.loaded)
        return false;
    IShellLinkA& link = *loaded.link.get();

    std::vector<char> text(kTextBuffer, '\0');
    if (SUCCEEDED(link.GetArguments(text.data(), static_cast<int>(text.size()))))
        arguments_ = text.data();
    text.assign(kTextBuffer, '\0');
    if (SUCCEEDED(link.GetDescription(text.data(), static_cast<int>(text.size()))))
        description_ = text.data();

    char iconFile[kPathBuffer] = {};
    int iconIndex = 0;
    if (SUCCEEDED(link.GetIconLocation(iconFile, static_cast<int>(kPathBuffer), &iconIndex))) {
        iconLocation_ = iconFile;
        iconNumber_ = static_cast<std::uint16_t>(iconIndex);
    }

    WORD hotKey = 0;
    if (SUCCEEDED(link.GetHotkey(&hotKey))) {
        hotKeyCode_ = LOBYTE(hotKey);
        hotKeyModifiers_ = HIBYTE(hotKey);
    }

    int showCmd = 0;
    if (SUCCEEDED(link.GetShowCmd(&showCmd)))
        showCmdNumber_ = showCmd;
    return true;
}

void TShortcutLink::WriteLink()
{
    ui::ComPtr<IShellLinkA> link;
    if (const HRESULT created = CreateShellLink(link); FAILED(created))
        throw ui::EOSError::fromCode(static_cast<unsigned long>(created));

    // The results of the setters are not checked: what the link object refuses stays
    // as a new link has it, and saving tells whether the file came to be.
    link->SetPath(target_.c_str());
    link->SetWorkingDirectory(workingDir_.c_str());
    link->SetArguments(arguments_.c_str());
    link->SetDescription(description_.c_str());
    link->SetShowCmd(showCmdNumber_);
    if (hotKeyCode_ > ' ')
        link->SetHotkey(MAKEWORD(hotKeyCode_, hotKeyModifiers_));
    link->SetIconLocation(iconLocation_.c_str(), iconNumber_);

    ui::ComPtr<IPersistFile> file;
    // Startup links are settings of the system: the change journal keeps the old file.
    journal::BeforeFileChange(shortcutFile_);
    if (!QueryPersistFile(*link.get(), file) || FAILED(file->Save(Wide(shortcutFile_).c_str(), TRUE)))
        throw EShortcutError("Unable to create .lnk file");
}

}  // namespace components
