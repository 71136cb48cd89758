#include "report/report_texts.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr std::uint64_t kBytesPerMegabyte = 1048576;

struct ModuleSize {
    std::uint64_t from;
    std::uint64_t to;
    std::uint64_t size;
};
constexpr ModuleSize kModuleSizes[] = {{126, 130, 128}, {254, 258, 256}, {510, 514, 512}};

}  // namespace

std::uint64_t Megabytes(std::uint64_t bytes)
{
    return bytes / kBytesPerMegabyte;
}

std::uint64_t SnapToModuleSize(std::uint64_t megabytes)
{
    for (const ModuleSize& module : kModuleSizes)
        if (megabytes >= module.from && megabytes <= module.to)
            return module.size;
    return megabytes;
}

std::string MemoryText(std::uint64_t bytes, std::uint64_t megabytes, const std::string& byteUnit,
                       const std::string& megabyteUnit)
{
    return std::to_string(bytes) + " " + byteUnit + " = " + std::to_string(megabytes) + " " + megabyteUnit;
}

std::string GroupedNumber(std::uint64_t number, const std::string& separator)
{
    const std::string digits = std::to_string(number);
    std::string grouped;
    for (std::size_t index = 0; index < digits.size(); ++index) {
        if (index > 0 && (digits.size() - index) % 3 == 0)
            grouped += separator;
        grouped += digits[index];
    }
    return grouped;
}

std::string GroupedNumber(double number, const std::string& separator)
{
    const double rounded = std::round(number);
    if (rounded >= 0)
        return GroupedNumber(static_cast<std::uint64_t>(rounded), separator);
    std::string negative(1, '-');
    negative += GroupedNumber(static_cast<std::uint64_t>(-rounded), separator);
    return negative;
}

std::string ThousandsSeparator()
{
    char separator[8] = {};
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof(separator));
    return length > 1 ? std::string(separator, static_cast<std::size_t>(length - 1)) : std::string{};
}

std::optional<int> UsedPercentage(std::uint64_t capacity, std::uint64_t freeBytes)
{
    if (capacity == 0)
        return std::nullopt;
    const double used = (static_cast<double>(capacity) - static_cast<double>(freeBytes)) / static_cast<double>(capacity);
    return static_cast<int>(std::nearbyint(used * 100.0));
}

std::string FontFaceName(const std::string& valueName)
{
    const std::size_t open = valueName.find('(');
    if (open == std::string::npos || valueName.find(')') == std::string::npos)
        return valueName;
    return valueName.substr(0, open > 0 ? open - 1 : 0);
}

void SortIgnoringCase(std::vector<std::string>& names)
{
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size())) == CSTR_LESS_THAN;
    });
}

std::string TodayShortDate()
{
    char date[128] = {};
    const int length = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof(date));
    return length > 1 ? std::string(date, static_cast<std::size_t>(length - 1)) : std::string{};
}

}  // namespace report
