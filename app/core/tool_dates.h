#pragma once

// The dates and plain numbers the tool's commands take on the command line.

#include "common/core/date_index.h"

#include <optional>
#include <string_view>

namespace tallimo::app {

// Digits only, fitting an int.
std::optional<int> ParseDigits(std::string_view text);

// "YYYY-MM-DD" of a day that exists, from 1900 on (the files count years
// from there). The files' calendar has a 29 February in 1900 and 2100; the
// real one decides.
std::optional<common::DateIndex> ParseDate(std::string_view text);

} // namespace tallimo::app
