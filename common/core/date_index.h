#pragma once

#include "common/core/local_clock.h"

namespace tallimo::common {

// Dates of people and events as the files store them: day 0..30 (0 is the
// 1st), month 0..11, year counted from 1900.
struct DateIndex {
    int day = 0;
    int month = 0;
    int year = 0;

    friend bool operator==(const DateIndex&, const DateIndex&) = default;
};

// The files' calendar: every year whose index is divisible by 4 has 366 days
// (1900 included), the others 365.
bool IsLongYear(int yearIndex);
int DaysInYear(int yearIndex);
int DaysInMonth(int month, int yearIndex);

bool IsValidDate(const DateIndex& date);

// Days since 1 January 1900 (day number 0) in that calendar; negative
// before it.
int DayNumber(const DateIndex& date);
DateIndex DateFromDayNumber(int dayNumber);

// The date of a clock reading, as the files index it.
DateIndex DateIndexOf(const LocalDateTime& when);

} // namespace tallimo::common
