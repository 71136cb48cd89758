// The places each settings page binds, built once for the page's contract test and for
// the change journal's round trip: the values and keys of its binding table and of its
// special rows and lists, the values it reads as numbers, and its settings files.
// Pages whose files lie in a folder of the test's own take that folder first.
#pragma once

#include "harness/page_contract.h"
#include "pages/internet_tuner_rows.h"
#include "pages/officexp_rows.h"

#include <string>

// Keys that the places name and that the tests make exist: two network interfaces,
// and the Outlook Express key of the first identity.
inline const std::string kFirstTunerInterface = pages::tuner::kInterfacesKey + "\\{AAAA}";
inline const std::string kSecondTunerInterface = pages::tuner::kInterfacesKey + "\\{BBBB}";
inline const std::string kFirstOutlookIdentity = "Identities\\{1}" + pages::officexp::kOutlookExpressBelowIdentity;
// The file type of ".bmp" that the thumbnails row writes below.
inline const std::string kBitmapIconKey = "Paint.Picture\\DefaultIcon";

testing_support::PageContract SystemPlaces();
// What the Explorer page's "Ok" writes; the shell icons are only read by it.
testing_support::PageContract ExplorerPlaces();
// What the shell icon buttons of the Explorer page write at once.
testing_support::PageContract ShellIconPlaces();
testing_support::PageContract StartmenuPlaces();
testing_support::PageContract AnmeldenPlaces();
testing_support::PageContract IEPlaces();
// With sysoc.inf of the Windows folder the page works on now.
testing_support::PageContract OfficePlaces();
// With oeminfo.ini and oemlogo.bmp of the system folder the page works on now.
testing_support::PageContract SonstigePlaces();
testing_support::PageContract TunerPlaces();
