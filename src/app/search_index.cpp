#include "app/search_index.h"

#include "app/main_window.h"
#include "app/settings_pages.h"
#include "cleanup/wait_window.h"
#include "language/language.h"
#include "ui/application.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/pagecontrol.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>

namespace app {

namespace {

// ----- Where a control lies and what names it ---------------------------------------

ui::Control* ParentControl(const ui::Control& control)
{
    if (!(GetWindowLongA(control.handle(), GWL_STYLE) & WS_CHILD))
        return nullptr;
    return ui::Control::fromHandle(GetParent(control.handle()));
}

template <class Container>
const Container* Around(const ui::Control& control)
{
    for (const ui::Control* parent = ParentControl(control); parent; parent = ParentControl(*parent))
        if (auto* found = dynamic_cast<const Container*>(parent))
            return found;
    return nullptr;
}

RECT ScreenRect(const ui::Control& control)
{
    RECT rect{};
    GetWindowRect(control.handle(), &rect);
    return rect;
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == ':'))
        text.pop_back();
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// A caption as the search shows it: without accelerator marks and a closing colon.
std::string Shown(const std::string& caption)
{
    return Trimmed(WithoutAccelerators(caption));
}

// The text the control itself shows as its caption; empty for fields.
std::string OwnCaption(const ui::Control& control)
{
    if (ui::Label* label = const_cast<ui::Control&>(control).boundLabel())
        return Shown(label->caption());
    if (dynamic_cast<const ui::CaptionedControl*>(&control))
        return Shown(control.caption());
    return {};
}

// Whether a label shows one line only (a field's name, not an explanation above it).
bool OneLine(const ui::Control& label)
{
    const RECT own = ScreenRect(label);
    return own.bottom - own.top < 2 * ui::MeasureText(label.font(), "Ag").cy;
}

// The captioned control that names a field: the nearest label, check box or radio
// button of the same container left of it on its row, or else a label of one line
// right above it.
const ui::Control* NamingControl(const ui::Control& field)
{
    const RECT own = ScreenRect(field);
    const ui::Control* best = nullptr;
    long bestDistance = 0;
    constexpr long kAbovePenalty = 10000;  // a name on the field's own row comes first
    for (HWND sibling = GetWindow(GetParent(field.handle()), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        const ui::Control* candidate = ui::Control::fromHandle(sibling);
        if (!candidate || candidate == &field
            || !(dynamic_cast<const ui::Label*>(candidate) || dynamic_cast<const ui::CheckableButton*>(candidate))
            || OwnCaption(*candidate).empty())
            continue;
        const RECT other = ScreenRect(*candidate);
        long distance = -1;
        if (other.top < own.bottom && other.bottom > own.top && other.right <= own.left + 2)
            distance = own.left - other.right;
        else if (other.bottom <= own.top + 2 && other.left < own.right && other.right > own.left
                 && dynamic_cast<const ui::Label*>(candidate) && OneLine(*candidate))
            distance = kAbovePenalty + own.top - other.bottom;
        if (distance >= 0 && (!best || distance < bestDistance)) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

std::string PageName(Area area)
{
    for (const LauncherEntry& entry : LauncherEntries())
        if (entry.area == area) {
            const std::string text = language::LangString(entry.menuItemTag);
            return Shown(text.empty() ? entry.menuItemCaption : text);
        }
    return {};
}

// The explanatory labels that share the control's container, except its own caption.
std::vector<std::string> NotesBeside(const ui::Control& control, const std::string& caption)
{
    std::vector<std::string> notes;
    for (HWND sibling = GetWindow(GetParent(control.handle()), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        auto* label = dynamic_cast<const ui::Label*>(ui::Control::fromHandle(sibling));
        if (!label)
            continue;
        if (std::string text = Shown(label->caption());
            !text.empty() && text != caption && std::find(notes.begin(), notes.end(), text) == notes.end())
            notes.push_back(std::move(text));
    }
    return notes;
}

// Whether the control shows on its page (once its sheet is selected): pictures
// and lists that a page keeps hidden are no setting to find.
bool Shows(const ui::Control& control)
{
    for (HWND window = control.handle(); window; window = GetParent(window)) {
        if (dynamic_cast<const ui::TabSheet*>(ui::Control::fromHandle(window))
            || !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
            return true;
        if (!(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE))
            return false;
    }
    return true;
}

// ----- The entries of one page ----------------------------------------------------

// The value a binding row names: its value name, or the key's last part for a
// row about a key's unnamed value or the key itself.
std::string ValueNameOf(const pages::BindingRow& row)
{
    if (!row.value.empty())
        return row.value;
    return row.key.substr(row.key.find_last_of('\\') + 1);
}

struct Bound {
    std::string control;
    std::vector<std::string> valueNames;
};

void AddBound(std::vector<Bound>& bound, const std::string& control, const std::string& valueName)
{
    if (control.empty())
        return;
    auto known = std::find_if(bound.begin(), bound.end(), [&](const Bound& b) { return b.control == control; });
    if (known == bound.end()) {
        bound.push_back({control, {}});
        known = bound.end() - 1;
    }
    if (!valueName.empty()
        && std::find(known->valueNames.begin(), known->valueNames.end(), valueName) == known->valueNames.end())
        known->valueNames.push_back(valueName);
}

// The controls of a binding table in table order, each with the values it binds.
std::vector<Bound> BoundControls(const pages::BindingTable& table)
{
    std::vector<Bound> bound;
    for (const pages::BindingRow& row : table) {
        const std::string valueName = ValueNameOf(row);
        AddBound(bound, row.control, valueName);
        AddBound(bound, row.ownButton, valueName);
        AddBound(bound, row.spinEdit, valueName);
    }
    return bound;
}

// The wizard page's options: its check boxes and lists, in creation order.
void CollectOptions(const ui::Component& owner, std::vector<Bound>& options)
{
    for (const ui::Component* component : owner.components()) {
        if (dynamic_cast<const ui::CheckBox*>(component) || dynamic_cast<const ui::ComboBox*>(component))
            options.push_back({component->name(), {}});
        CollectOptions(*component, options);
    }
}

}  // namespace

std::vector<SearchEntry> IndexPage(const SettingsPage& settingsPage, std::size_t pageNumber, const ui::Form& page)
{
    std::vector<Bound> bound;
    if (settingsPage.table)
        bound = BoundControls(*settingsPage.table);
    else
        CollectOptions(page, bound);

    const std::string pageName = PageName(settingsPage.area);
    std::vector<SearchEntry> entries;
    std::map<std::string, std::size_t> entryOf;  // control name -> its entry
    for (const Bound& item : bound) {
        const auto* control = dynamic_cast<const ui::Control*>(page.findComponent(item.control));
        if (!control || !Shows(*control))
            continue;
        const ui::GroupBox* group = Around<ui::GroupBox>(*control);
        const auto* ownSheet = dynamic_cast<const ui::TabSheet*>(control);  // a row about a whole sheet
        const ui::TabSheet* sheet = ownSheet ? ownSheet : Around<ui::TabSheet>(*control);
        std::string caption = ownSheet ? Shown(ownSheet->caption()) : OwnCaption(*control);
        const ui::Control* naming = caption.empty() ? NamingControl(*control) : nullptr;
        if (naming) {
            // A field after its button or box is part of that setting.
            if (const auto joined = entryOf.find(naming->name()); joined != entryOf.end()) {
                SearchEntry& entry = entries[joined->second];
                entry.alsoFor.push_back(item.control);
                for (const std::string& name : item.valueNames)
                    if (std::find(entry.valueNames.begin(), entry.valueNames.end(), name) == entry.valueNames.end())
                        entry.valueNames.push_back(name);
                entryOf[item.control] = joined->second;
                continue;
            }
            caption = OwnCaption(*naming);
        }
        if (caption.empty() && group)
            caption = Shown(group->caption());
        if (caption.empty() && sheet)
            caption = Shown(sheet->caption());
        if (caption.empty())
            caption = item.control;

        SearchEntry entry;
        entry.page = static_cast<int>(pageNumber);
        entry.control = item.control;
        entry.caption = caption;
        entry.pageName = pageName;
        entry.sheet = sheet ? Shown(sheet->caption()) : std::string();
        entry.group = group ? Shown(group->caption()) : std::string();
        if (entry.group == entry.caption)
            entry.group.clear();
        entry.notes = NotesBeside(*control, caption);
        entry.valueNames = item.valueNames;
        entryOf[item.control] = entries.size();
        entries.push_back(std::move(entry));
    }
    return entries;
}

namespace {

// Answers every message box without showing it, while the index reads the pages:
// No, Cancel or OK where the box offers them.
class QuietMessages : public ui::MessageBoxSeam {
public:
    QuietMessages() : previous_(ui::SetMessageBoxSeam(this)) {}
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;
    ~QuietMessages() override { ui::SetMessageBoxSeam(previous_); }

    ui::MsgButton show(const ui::MessageBoxRequest& request) override
    {
        for (ui::MsgButton wanted : {ui::MsgButton::No, ui::MsgButton::Cancel, ui::MsgButton::OK})
            for (const ui::MessageBoxButton& button : request.buttons)
                if (button.id == wanted)
                    return wanted;
        return request.buttons.empty() ? ui::MsgButton::OK : request.buttons.front().id;
    }

private:
    ui::MessageBoxSeam* previous_;
};

// The main window takes no input while the index is built, so no page opens meanwhile.
class MainWindowWaits {
public:
    MainWindowWaits() : window_(Form1 ? Form1->handle() : nullptr)
    {
        if (window_)
            EnableWindow(window_, FALSE);
    }
    MainWindowWaits(const MainWindowWaits&) = delete;
    MainWindowWaits& operator=(const MainWindowWaits&) = delete;
    ~MainWindowWaits()
    {
        if (window_) {
            EnableWindow(window_, TRUE);
            SetForegroundWindow(window_);
        }
    }

private:
    HWND window_;
};

std::optional<std::vector<SearchEntry>>& Index()
{
    static std::optional<std::vector<SearchEntry>> index;
    return index;
}

double& BuildTime()
{
    static double milliseconds = 0;
    return milliseconds;
}

}  // namespace

SearchEntries BuildSearchEntries(const std::vector<SettingsPage>& pages,
                                 const std::function<bool(std::size_t done, std::size_t count)>& goOn)
{
    const QuietMessages quiet;
    SearchEntries built;
    for (std::size_t number = 0; number < pages.size(); ++number) {
        if (goOn && !goOn(number, pages.size())) {
            built.stopped = true;
            break;
        }
        try {
            const HiddenPage page = pages[number].createHidden();
            std::vector<SearchEntry> ofPage = IndexPage(pages[number], number, *page);
            built.entries.insert(built.entries.end(), std::make_move_iterator(ofPage.begin()),
                                 std::make_move_iterator(ofPage.end()));
        } catch (const std::exception& error) {
            built.unread.push_back({PageName(pages[number].area), error.what()});
        }
    }
    return built;
}

const std::vector<SearchEntry>* SearchIndex()
{
    if (Index())
        return &*Index();
    const auto started = std::chrono::steady_clock::now();
    const auto& settingsPages = SettingsPages();
    ui::CancelRequested = false;
    SearchEntries built;
    {
        const MainWindowWaits mainWindowWaits;
        cleanup::WaitWindowScope wait(true, language::LangString(kSearchReadingPages),
                                      static_cast<int>(settingsPages.size()), true);
        wait.show();
        built = BuildSearchEntries(settingsPages, [&](std::size_t done, std::size_t) {
            wait.window().ProgressBar1().setPosition(static_cast<int>(done));
            wait.setDetail(PageName(settingsPages[done].area));
            ui::ProcessMessages();
            return !ui::CancelRequested;
        });
    }
    BuildTime() = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    if (built.stopped)
        return nullptr;
    Index() = std::move(built.entries);
    if (!built.unread.empty()) {
        std::string message = language::LangString(kSearchPagesUnread);
        for (const UnreadPage& page : built.unread)
            message += "\r" + page.pageName + ": " + page.error;
        ui::MessageDlg(message, ui::MsgKind::Warning, {ui::MsgButton::OK});
    }
    return &*Index();
}

void ForgetSearchIndex()
{
    Index().reset();
}

double LastSearchIndexBuildTime()
{
    return BuildTime();
}

}  // namespace app
