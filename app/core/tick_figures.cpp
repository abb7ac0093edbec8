#include "app/core/tick_figures.h"

#include <algorithm>
#include <cstdio>

namespace tallimo::app {

std::optional<TickFigures> SummariseTicks(std::vector<std::int64_t> tickNanoseconds) {
    if (tickNanoseconds.empty())
        return std::nullopt;
    std::vector<std::int64_t>& sorted = tickNanoseconds;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double fraction) {
        const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size()));
        return static_cast<double>(sorted[std::min(sorted.size() - 1, index)]) / 1000.0;
    };
    return TickFigures{sorted.size(), at(0.5), at(0.99),
                       static_cast<double>(sorted.back()) / 1000.0};
}

std::string TickFiguresLine(const TickFigures& figures) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "ticks %zu: median %.1f us, 99th percentile %.1f us, longest %.1f us\n",
                  figures.count, figures.medianUs, figures.percentile99Us, figures.longestUs);
    return line;
}

} // namespace tallimo::app
