#pragma once

// The figures printed when a timed run leaves: how long the 10 ms ticks
// took, so that a slow tick shows without a profiler.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tallimo::app {

struct TickFigures {
    std::size_t count = 0;
    double medianUs = 0;
    double percentile99Us = 0;
    double longestUs = 0;
};

// The rank taken for a fraction is the sorted index fraction * count, cut
// down and kept inside the table: the median of an even count is the upper
// of the middle two. Nothing without ticks.
std::optional<TickFigures> SummariseTicks(std::vector<std::int64_t> tickNanoseconds);

// "ticks N: median M us, 99th percentile P us, longest L us", one decimal,
// with its line end.
std::string TickFiguresLine(const TickFigures& figures);

} // namespace tallimo::app
