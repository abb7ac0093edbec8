#pragma once

#include <cstdint>
#include <string>

namespace tallimo::common {

struct SplitTimeParts {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int milliseconds = 0;
};

// Whole hours, minutes, seconds and milliseconds of a duration in ms, by
// truncating integer division (a negative duration gives negative parts).
SplitTimeParts SplitTime(std::int32_t milliseconds);

// Lap times drop the leading zero units: "1:02:03.004", "1:23.456", "0.999".
std::string FormatLapTime(std::int32_t milliseconds);

// Clock times always show minutes: "1:02:03.004", "0:00.999".
std::string FormatClockTime(std::int32_t milliseconds);

} // namespace tallimo::common
