#include "app/core/passing_list.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace tallimo::app {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

PassingListResult ParsePassingList(std::string_view text) {
    PassingListResult result;
    int lineNumber = 0;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(begin, end - begin);
        begin = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;

        const std::size_t tab = line.find('\t');
        const std::string_view transponder = line.substr(0, tab);
        if (tab == std::string_view::npos || transponder.size() != 6 ||
            !std::all_of(transponder.begin(), transponder.end(), IsDigit)) {
            result.badLine = lineNumber;
            result.problem = "expected a six-digit transponder, a TAB and a time in ms";
            return result;
        }
        std::string_view time = line.substr(tab + 1);
        if (!time.empty() && time.back() == '\t')
            time.remove_suffix(1);
        std::int64_t ms = 0;
        const auto [ptr, error] = std::from_chars(time.data(), time.data() + time.size(), ms);
        if (time.empty() || error != std::errc() || ptr != time.data() + time.size() ||
            ms < INT32_MIN || ms > INT32_MAX) {
            result.badLine = lineNumber;
            result.problem = "the time is not a whole number of milliseconds";
            return result;
        }
        common::Passing passing;
        passing.transponder = std::string(transponder);
        passing.timeMs = ms;
        result.passings.push_back(passing);
    }
    return result;
}

} // namespace tallimo::app
