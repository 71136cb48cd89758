// Matching queries against settings: letter case and the umlaut spellings do not
// count, several words must all be there, and the ranks put the caption first.
#include "app/search_matching.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using app::FindMatches;
using app::FoldForSearch;
using app::MatchRank;
using app::SearchEntry;

namespace {

SearchEntry Entry(std::string caption, std::vector<std::string> valueNames = {}, std::string group = {},
                  std::vector<std::string> notes = {})
{
    SearchEntry entry;
    entry.control = "Control_" + caption;
    entry.caption = std::move(caption);
    entry.pageName = "Systemeinstellungen";
    entry.sheet = "Speicher";
    entry.group = std::move(group);
    entry.notes = std::move(notes);
    entry.valueNames = std::move(valueNames);
    return entry;
}

// The captions of the matches, best first.
std::vector<std::string> Found(const std::vector<SearchEntry>& entries, const std::string& query)
{
    std::vector<std::string> captions;
    for (const app::SearchMatch& match : FindMatches(entries, query))
        captions.push_back(entries[match.entry].caption);
    return captions;
}

}  // namespace

TEST(SearchMatching, FoldsCaseUmlautsAccentsAndSeparators)
{
    const struct {
        const char* text;
        const char* folded;
    } cases[] = {
        {"Cachegrösse", "cachegroesse"},
        {"GRÖSSE", "groesse"},
        {"Größe", "groesse"},
        {"Übernehmen", "uebernehmen"},
        {"Schriftenglättung", "schriftenglaettung"},
        {"Café Crème", "cafe creme"},
        {"Explorer && Desktop", "explorer desktop"},
        {"  Internet-Zugang:  optimieren... ", "internet zugang optimieren"},
        {"NoDriveTypeAutoRun", "nodrivetypeautorun"},
        {"L2-Cache (512 KB)", "l2 cache 512 kb"},
        {"...", ""},
    };
    for (const auto& example : cases)
        EXPECT_EQ(FoldForSearch(example.text), example.folded) << example.text;
}

TEST(SearchMatching, ShowsCaptionsWithoutAcceleratorMarks)
{
    EXPECT_EQ(app::WithoutAccelerators("&Suchen:"), "Suchen:");
    EXPECT_EQ(app::WithoutAccelerators("Explorer && Desktop"), "Explorer & Desktop");
    EXPECT_EQ(app::WithoutAccelerators("Ände&rungen && mehr"), "Änderungen & mehr");
    EXPECT_EQ(app::WithoutAccelerators("Ende&"), "Ende");
}

// Umlaut spellings and several words, each case a query and the captions it finds
// (in rank order) among a small set of settings.
TEST(SearchMatching, FindsUmlautSpellingsAndEveryWordOfTheQuery)
{
    const std::vector<SearchEntry> entries{
        Entry("Cachegrösse selber festlegen auf"),
        Entry("Größe der Auslagerungsdatei"),
        Entry("Fensterinhalt während Verschieben & Größe ändern anzeigen"),
        Entry("Uhr anzeigen", {"HideClock"}, "Infobereich"),
        Entry("Autorun für CD-ROM-Laufwerke", {"NoDriveTypeAutoRun"}),
        Entry("Schriftenglättung aktivieren", {}, "Sonstige Darstellung", {"ClearType ist für Flachbildschirme."}),
    };
    const struct {
        const char* query;
        std::vector<std::string> found;
    } cases[] = {
        {"Groesse Cache", {"Cachegrösse selber festlegen auf"}},
        {"cache GRÖSSE", {"Cachegrösse selber festlegen auf"}},
        {"größe",
         {"Größe der Auslagerungsdatei", "Fensterinhalt während Verschieben & Größe ändern anzeigen",
          "Cachegrösse selber festlegen auf"}},
        {"Grösse aendern", {"Fensterinhalt während Verschieben & Größe ändern anzeigen"}},
        {"glaettung", {"Schriftenglättung aktivieren"}},
        {"Schriftenglaettung aktivieren", {"Schriftenglättung aktivieren"}},
        {"uhr", {"Uhr anzeigen"}},
        {"anzeigen uhr", {"Uhr anzeigen"}},
        {"uhr taskleiste", {}},  // every word must be there
        {"Infobereich uhr", {"Uhr anzeigen"}},
        {"nodrivetypeautorun", {"Autorun für CD-ROM-Laufwerke"}},
        {"cleartype", {"Schriftenglättung aktivieren"}},
        {"speicher auslagerung", {"Größe der Auslagerungsdatei"}},
        {"", {}},
        {" - ", {}},
    };
    for (const auto& example : cases)
        EXPECT_EQ(Found(entries, example.query), example.found) << "query \"" << example.query << "\"";
}

TEST(SearchMatching, RanksTheCaptionBeforeValueNamesAndSurroundings)
{
    const std::vector<SearchEntry> entries{
        Entry("Dienste beim Hochfahren laden", {}, "Autostart"),    // inside the group's caption only
        Entry("Startmenü anpassen"),                                // inside the caption, not at its start
        Entry("Windows-Start beschleunigen"),                      // begins a word of the caption
        Entry("Automatische Updates", {"Start"}),                  // the value name
        Entry("Start"),                                            // the caption itself
        Entry("Start des Messengers verhindern"),                  // the caption begins with it
    };
    const auto matches = FindMatches(entries, "start");
    std::vector<std::pair<std::string, MatchRank>> ranked;
    for (const app::SearchMatch& match : matches)
        ranked.emplace_back(entries[match.entry].caption, match.rank);
    const std::vector<std::pair<std::string, MatchRank>> expected{
        {"Start", MatchRank::Exact},
        {"Startmenü anpassen", MatchRank::CaptionStart},
        {"Start des Messengers verhindern", MatchRank::CaptionStart},
        {"Automatische Updates", MatchRank::ValueName},
        {"Windows-Start beschleunigen", MatchRank::CaptionWords},
        {"Dienste beim Hochfahren laden", MatchRank::Context},
    };
    EXPECT_EQ(ranked, expected);
    // Inside a compound word of the caption ranks after a word start.
    const std::vector<SearchEntry> compound{Entry("Cachegrösse festlegen"), Entry("Grösse des Cache")};
    EXPECT_EQ(Found(compound, "grösse"), (std::vector<std::string>{"Grösse des Cache", "Cachegrösse festlegen"}));
}
