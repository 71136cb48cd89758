// Text to integer conversion as the whole program uses it: an optional sign and
// decimal digits that fit a signed 32-bit integer, nothing else.
#pragma once

#include <optional>
#include <string>

namespace ui {

std::optional<int> TryStrToInt(const std::string& text);

// Raises EConvertError "'<text>' ist kein gültiger Integerwert" for anything else.
int StrToInt(const std::string& text);

}  // namespace ui
