// Two machines in one registry sandbox, one after the other: every place that the
// settings pages bind gets content by chance, as a machine that users have lived in.
#pragma once

#include "harness/page_contract.h"

#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace profile_test {

// The places of every settings page, as their contract tests list them.
testing_support::PageContract EveryPagesPlaces(const std::string& winIni, const std::string& commonStartup,
                                               const std::string& userStartup);

enum class Lived {
    Readably,  // every place holds a value the page can read: the machine a profile is saved on
    AnyHow,    // anything at all, missing and unreadable values too
};

// Empties the sandbox and fills every place by chance; also the keys and entries the
// pages list (network interfaces, services, hidden accounts, the Messenger).
void LiveIn(const testing_support::PageContract& places, unsigned seed, Lived lived);

// The content of each place: a value, or for a whole key everything below it.
using PlaceContents = std::map<std::string, std::optional<RawRegValue>>;
PlaceContents ContentsOf(const testing_support::PageContract& places);
// Takes out the places that a profile does not move, or that a page writes by a rule
// of the machine's own (see LeaveOutUnmoved in machines.cpp).
void LeaveOutUnmoved(PlaceContents& contents);
// One line per place that differs; empty when none does.
std::string PlaceDifferences(const PlaceContents& first, const PlaceContents& second);

}  // namespace profile_test
