#include "common/core/time_format.h"

#include <cstdio>

namespace tallimo::common {

SplitTimeParts SplitTime(std::int32_t milliseconds) {
    SplitTimeParts parts;
    parts.hours = milliseconds / 3600000;
    std::int32_t rest = milliseconds % 3600000;
    parts.minutes = rest / 60000;
    rest %= 60000;
    parts.seconds = rest / 1000;
    parts.milliseconds = rest % 1000;
    return parts;
}

std::string FormatLapTime(std::int32_t milliseconds) {
    const SplitTimeParts t = SplitTime(milliseconds);
    char text[48];
    if (t.hours != 0)
        std::snprintf(text, sizeof text, "%d:%02d:%02d.%03d", t.hours, t.minutes, t.seconds,
                      t.milliseconds);
    else if (t.minutes != 0)
        std::snprintf(text, sizeof text, "%d:%02d.%03d", t.minutes, t.seconds, t.milliseconds);
    else
        std::snprintf(text, sizeof text, "%d.%03d", t.seconds, t.milliseconds);
    return text;
}

std::string FormatClockTime(std::int32_t milliseconds) {
    const SplitTimeParts t = SplitTime(milliseconds);
    char text[48];
    if (t.hours != 0)
        std::snprintf(text, sizeof text, "%d:%02d:%02d.%03d", t.hours, t.minutes, t.seconds,
                      t.milliseconds);
    else
        std::snprintf(text, sizeof text, "%d:%02d.%03d", t.minutes, t.seconds, t.milliseconds);
    return text;
}

} // namespace tallimo::common
