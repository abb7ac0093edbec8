#include "common/core/time_format.h"

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

namespace {

// The board formats four times per kart at every passing: plain digit
// writing into a buffer instead of snprintf keeps a board rebuild cheap.
char* WriteNumber(char* out, int value, int width) {
    if (value < 0) {
        // As printf does, the sign counts in the width.
        *out++ = '-';
        value = -value;
        --width;
    }
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int pad = count; pad < width; ++pad)
        *out++ = '0';
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

std::string FormatTime(std::int32_t milliseconds, bool alwaysMinutes) {
    const SplitTimeParts t = SplitTime(milliseconds);
    char text[48];
    char* end = text;
    if (t.hours != 0) {
        end = WriteNumber(end, t.hours, 1);
        *end++ = ':';
        end = WriteNumber(end, t.minutes, 2);
        *end++ = ':';
        end = WriteNumber(end, t.seconds, 2);
    } else if (t.minutes != 0 || alwaysMinutes) {
        end = WriteNumber(end, t.minutes, 1);
        *end++ = ':';
        end = WriteNumber(end, t.seconds, 2);
    } else {
        end = WriteNumber(end, t.seconds, 1);
    }
    *end++ = '.';
    end = WriteNumber(end, t.milliseconds, 3);
    return std::string(text, end);
}

} // namespace

std::string FormatLapTime(std::int32_t milliseconds) {
    return FormatTime(milliseconds, false);
}

std::string FormatClockTime(std::int32_t milliseconds) {
    return FormatTime(milliseconds, true);
}

} // namespace tallimo::common
