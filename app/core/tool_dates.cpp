#include "app/core/tool_dates.h"

#include <charconv>
#include <system_error>

namespace tallimo::app {

std::optional<int> ParseDigits(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<common::DateIndex> ParseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = ParseDigits(text.substr(0, 4));
    const auto month = ParseDigits(text.substr(5, 2));
    const auto day = ParseDigits(text.substr(8, 2));
    if (!year || !month || !day || *year < 1900 || *day < 1)
        return std::nullopt;
    const bool leapYear = (*year % 4 == 0 && *year % 100 != 0) || *year % 400 == 0;
    if (*month == 2 && *day == 29 && !leapYear)
        return std::nullopt;
    const common::DateIndex date{*day - 1, *month - 1, *year - 1900};
    if (!common::IsValidDate(date))
        return std::nullopt;
    return date;
}

} // namespace tallimo::app
