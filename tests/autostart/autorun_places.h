// The places the Autostart & Autorun page binds, built once for its contract test and
// for the change journal's round trip: the drive settings of its table, the machine's
// drive policies that saving takes away, and its files: win.ini and both startup
// folders with everything in them.
#pragma once

#include "harness/page_contract.h"

#include <string>

testing_support::PageContract AutorunPlaces(const std::string& winIni, const std::string& commonFolder,
                                            const std::string& userFolder);
