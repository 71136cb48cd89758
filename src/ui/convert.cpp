#include "ui/convert.h"

#include <algorithm>

#include "ui/errors.h"

#include <cstdint>

#include <windows.h>

namespace ui {

std::optional<int> TryStrToInt(const std::string& text)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<int>(value);
}

int StrToInt(const std::string& text)
{
    if (auto value = TryStrToInt(text))
        return *value;
    throw EConvertError::notAnInteger(text);
}

std::string UpperCase(std::string text)
{
    if (!text.empty())
        CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string Trim(const std::string& text)
{
    const auto kept = [](char ch) { return static_cast<unsigned char>(ch) > ' '; };
    const auto first = std::find_if(text.begin(), text.end(), kept);
    const auto last = std::find_if(text.rbegin(), text.rend(), kept).base();
    return first < last ? std::string(first, last) : std::string{};
}

}  // namespace ui
