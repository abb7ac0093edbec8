#pragma once

// When a yearly date (a birthday, a nameday, an event) applies around today:
// the occurrence of the current year, or the next year's once the current
// one's window has wholly passed. Each occurrence is placed in its own
// year's calendar, so windows that cross New Year in a 366-day year are
// neither shifted nor stretched.

#include "common/core/date_index.h"

#include <optional>

namespace tallimo::finances {

struct DateWindow {
    int yearIndex = 0; // year of the occurrence, counted from 1900
    int dayNumber = 0; // the occurrence, as a day number
    int startDayNumber = 0;
    int endDayNumber = 0;

    bool contains(int day) const { return startDayNumber <= day && day <= endDayNumber; }
    // Days from `today` to the occurrence; negative once it has passed.
    int distanceFrom(int today) const { return dayNumber - today; }
};

// No window for a month outside 0..11 (an unknown nameday is stored as
// 100) or a day outside 0..30; a day past its month's end runs into the next
// month, as the files have always counted it.
std::optional<DateWindow> WindowOfDate(int day, int month, int daysBefore, int daysAfter,
                                       const common::DateIndex& today);

} // namespace tallimo::finances
