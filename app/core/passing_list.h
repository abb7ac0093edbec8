#pragma once

#include "common/core/passing.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallimo::app {

// A list of passings as text: one per line, a six-digit transponder, a TAB
// and a time in milliseconds. Empty lines and lines starting with '#' are
// skipped.
struct PassingListResult {
    std::vector<common::Passing> passings;
    int badLine = 0; // 1-based number of the first line that could not be read
    std::string problem;
};

PassingListResult ParsePassingList(std::string_view text);

} // namespace tallimo::app
