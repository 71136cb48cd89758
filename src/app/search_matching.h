// Matching a search query against the settings of the search index: letter case and
// the German umlaut spellings do not count (ä = ae, ö = oe, ü = ue, ß = ss), every
// character that is neither letter nor digit separates words, and a query of several
// words matches a setting that contains all of them. Matches are ranked by where the
// words were found: in the caption first, then in the registry value names, then
// anywhere around the setting (group, sheet, page and the labels beside it).
// Value names come after the captions that begin with the query, since some are
// common words ("Start").
#pragma once

#include <string>
#include <vector>

namespace app {

// One setting as the search knows it. The texts are those the localised page shows.
struct SearchEntry {
    int page = 0;               // which settings page (the index's page number)
    std::string control;        // the control that opening the match lands on
    std::vector<std::string> alsoFor;  // further bound controls this line stands for (a field after its button)
    std::string caption;        // the setting's caption, without accelerator marks
    std::string pageName;
    std::string sheet;          // the caption of its tab sheet; empty when the page has none
    std::string group;          // the caption of its group box; empty when it has none
    std::vector<std::string> notes;       // the explanatory labels beside it
    std::vector<std::string> valueNames;  // the registry values its binding rows name
};

// How well an entry matches, best first.
enum class MatchRank {
    Exact,            // the caption is the query
    CaptionStart,     // the caption begins with the query
    ValueName,        // the query is one of the registry value names
    CaptionWords,     // every word begins a word of the caption
    CaptionContains,  // every word lies inside the caption
    Context,          // every word lies in the caption, value names, group, sheet, page or labels
};

struct SearchMatch {
    std::size_t entry;  // index into the entries searched
    MatchRank rank;
};

// The text as the search compares it: lower case, umlauts and ß spelt out, accents
// removed, and every run of other characters turned into one blank, without blanks
// at either end. The text is Windows-1252.
std::string FoldForSearch(const std::string& text);

// A caption as it is shown: "&&" gives one "&", a single "&" (an accelerator mark)
// goes.
std::string WithoutAccelerators(const std::string& caption);

// The entries that match every word of the query, best rank first and in index order
// within a rank. A query without any word matches nothing.
std::vector<SearchMatch> FindMatches(const std::vector<SearchEntry>& entries, const std::string& query);

}  // namespace app
