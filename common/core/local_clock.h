#pragma once

namespace tallimo::common {

struct LocalDateTime {
    int year = 1900; // full year
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Local calendar date and time of day.
class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual LocalDateTime now() const = 0;
};

} // namespace tallimo::common
