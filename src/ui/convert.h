// Text conversions as the whole program uses them. Integers: an optional sign and
// decimal digits that fit a signed 32-bit integer, nothing else.
#pragma once

#include <optional>
#include <string>

namespace ui {

std::optional<int> TryStrToInt(const std::string& text);

// Raises EConvertError "'<text>' ist kein gültiger Integerwert" for anything else.
int StrToInt(const std::string& text);

// The text in capitals by the user's locale (umlauts included), as Windows compares
// names without regard to case.
std::string UpperCase(std::string text);

// The text without blanks and control characters (tabs, line breaks) at either end.
std::string Trim(const std::string& text);

}  // namespace ui
