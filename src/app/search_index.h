// The search index: one entry for every bound control of every settings page and for
// every option of the wizard page, read from the pages themselves (created as the
// program creates them, localised and never shown), so that it says what the pages
// show in the language of the loaded language file. It is built once per run, the
// first time the user searches, behind the wait window.
#pragma once

#include "app/search_matching.h"

#include <functional>
#include <string>
#include <vector>

namespace ui {
class Form;
}

namespace app {

struct SettingsPage;

// Language strings of the search.
enum SearchStrings {
    kSearchLabel = 22001,        // the field's label, with its accelerator
    kSearchHint = 22002,         // the hint the empty field shows
    kSearchPath = 22010,         // "%s › %s": a page and its sheet, a sheet and its group
    kSearchNothingFound = 22011,
    kSearchCancelled = 22012,
    kSearchPagesUnread = 22013,  // before the pages that could not be read, each with its error
    kSearchReadingPages = 22020,  // the wait window's headline while the index is built
};

// The entries of one settings page (number: its place in the list of pages read),
// created and localised. Each bound control gets one entry, except a field (a spin
// edit, a list, an edit) that follows the button or box its caption comes from: it
// joins that entry.
std::vector<SearchEntry> IndexPage(const SettingsPage& settingsPage, std::size_t pageNumber, const ui::Form& page);

// A page whose creation failed: its settings are missing from the index.
struct UnreadPage {
    std::string pageName;
    std::string error;
};

struct SearchEntries {
    std::vector<SearchEntry> entries;
    std::vector<UnreadPage> unread;
    bool stopped = false;  // goOn stopped the building; the entries are incomplete
};

// Builds the entries of the pages (the program reads SettingsPages()). goOn runs
// before each page (with the number of pages done and of all pages) and stops the
// building when it answers false. A page that cannot be created is left out and
// named among the unread ones. Messages the pages show while they load their
// settings are answered without being shown: the page shows them when it is opened.
SearchEntries BuildSearchEntries(const std::vector<SettingsPage>& pages,
                                 const std::function<bool(std::size_t done, std::size_t count)>& goOn);

// The index of the run, built on the first call behind the wait window, whose
// "Abbrechen" stops it: then nullptr, and the next call starts again. Pages that could
// not be read are named in a warning afterwards; the index keeps the others.
const std::vector<SearchEntry>* SearchIndex();

// Forgets the index, so that the next search builds it again (another language file).
void ForgetSearchIndex();

// How long building the index took the last time, in milliseconds.
double LastSearchIndexBuildTime();

}  // namespace app
