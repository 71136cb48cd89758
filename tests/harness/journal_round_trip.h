// The exact round trip of the change journal over one page: random sequences of
// actions (controls set by name as the wizards set them; buttons that act at once or
// mark what "Ok" does; then "Ok" or "Abbrechen"), started from places that hold every
// kind of content and from settings files of every kind, are all undone at the end.
// The sandboxed registry and every file the page may change are then exactly as before
// the first action: names, kinds and data, keys made and removed, bytes and attributes.
// Each test program keeps a short table of its pages; the journal folder is the caller's.
#pragma once

#include "harness/dialog_seam.h"
#include "harness/page_contract.h"
#include "harness/platform_dialogs_seam.h"
#include "language/language.h"
#include "ui/form.h"

#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace testing_support {

// What the steps of a round trip draw on: chance, the scripted dialogs, and which of
// the round trip's seeds runs (for starting states that each seed takes in turn).
struct RoundTripContext {
    std::mt19937& random;
    ScriptedMessageBoxes& boxes;
    ScriptedPlatformDialogs& dialogs;
    std::size_t round = 0;

    // A number from 0 to count - 1, by chance (count > 0).
    std::size_t below(std::size_t count) const { return random() % count; }
    bool chance(unsigned inEvery) const { return random() % inEvery == 0; }
    template <class T>
    const T& oneOf(const std::vector<T>& choices) const
    {
        return choices[below(choices.size())];
    }
    // The choice of this round: each seed takes the next one, so a few seeds cover a
    // table of starting states.
    template <class T>
    const T& inTurn(const std::vector<T>& choices) const
    {
        return choices[round % choices.size()];
    }
};

// Something a user does on the open page besides setting controls: a button that acts
// at once, or one that marks what "Ok" will do.
struct PageAction {
    std::string what;
    std::function<void(ui::Form& page, RoundTripContext& context)> act;
};
// Clicks the named button (nothing happens while it is disabled or hidden).
PageAction Press(const std::string& button);
// Selects a row of the named list by chance, when it has rows.
void SelectRandomRow(ui::Form& page, const std::string& list, RoundTripContext& context);
// Selects a row of the named list by chance (when it has rows), then clicks the button.
PageAction PressOnRandomRow(const std::string& list, const std::string& button);

struct RoundTripPage {
    std::string name;
    // Creates the page as the program does; destroying it clears its reference.
    std::function<std::shared_ptr<ui::Form>()> open;
    // The places the page binds (each gets random content first) and its files.
    std::function<PageContract()> places;
    std::vector<PageAction> actions;
    // Further starting content of the page's own, by chance (optional): settings files,
    // list entries, what its buttons need.
    std::function<void(RoundTripContext&)> prepare;
};

// Creates the page into its single-instance reference and localises it, as the main
// window opens a page; the reference is cleared when the page goes.
template <class Page>
std::function<std::shared_ptr<ui::Form>()> OpenAs(Page*& reference)
{
    return [&reference] {
        std::shared_ptr<ui::Form> page(new Page(), [&reference](ui::Form* form) {
            reference = nullptr;
            delete form;
        });
        reference = static_cast<Page*>(page.get());
        language::LocalizeComponent(*page);
        return page;
    };
}

// Sets controls of the page by chance, as a user or a wizard would: check boxes, radio
// buttons, spin edits, drop-down lists, edits, lists and the check boxes of lists.
// Disabled controls are left alone.
void SetControlsAtRandom(ui::Component& owner, RoundTripContext& context);

// A settings file as a round trip starts from: these bytes (none: the file is missing)
// with these attributes.
struct FileStart {
    std::optional<std::string> bytes;
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
};
void PutFile(const std::string& path, const FileStart& start);
// Attributes a settings file may carry, by chance: none, read-only, hidden, system.
DWORD RandomFileAttributes(RoundTripContext& context);

// For each seed: empties the sandbox, fills the page's places by chance, prepares,
// takes the snapshots, opens the page and confirms it as it opened (what "Ok" alone
// changes), opens it three times more with random steps, undoes every set they stored,
// and expects the registry and the page's files as they were.
void ExpectExactRoundTrip(const RoundTripPage& page, const std::vector<unsigned>& seeds, ScriptedMessageBoxes& boxes,
                          ScriptedPlatformDialogs& dialogs);

}  // namespace testing_support
