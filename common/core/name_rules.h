#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::common {

// Rules for names typed by the operator (Windows-1252 text).

// Every '-' becomes '_'.
std::string ReplaceDashes(std::string_view name);

// Empty names and names that begin with a blank are refused.
bool IsRefusedName(std::string_view name);

// Compares ignoring case, accented letters included.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Whether `name` may join `existing`: not refused, no duplicate ignoring
// case, and the table below its limit. Refusals carry no message.
bool CanAddName(std::string_view name, const std::vector<std::string>& existing, std::size_t limit);

} // namespace tallimo::common

namespace tallimo::common {

// The form in which first names are compared (namedays, discounts): accents
// dropped, Æ and Œ lowered, quotes, commas, dashes, underscores and macrons
// turned into blanks, then lowercased.
std::string NormaliseName(std::string_view name);

} // namespace tallimo::common
