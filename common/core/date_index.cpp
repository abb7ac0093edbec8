#include "common/core/date_index.h"

namespace tallimo::common {
namespace {

constexpr int kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Floor division, so that years before 1900 fall into the right cycle.
int FloorDiv(int a, int b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

constexpr int kDaysPerCycle = 4 * 365 + 1;

int DaysBeforeYear(int yearIndex) {
    const int cycles = FloorDiv(yearIndex, 4);
    const int inCycle = yearIndex - cycles * 4;
    return cycles * kDaysPerCycle + (inCycle == 0 ? 0 : 366 + (inCycle - 1) * 365);
}

} // namespace

bool IsLongYear(int yearIndex) {
    return yearIndex % 4 == 0;
}

int DaysInYear(int yearIndex) {
    return IsLongYear(yearIndex) ? 366 : 365;
}

int DaysInMonth(int month, int yearIndex) {
    if (month < 0 || month > 11)
        return 0;
    return month == 1 && IsLongYear(yearIndex) ? 29 : kMonthLengths[month];
}

bool IsValidDate(const DateIndex& date) {
    return date.month >= 0 && date.month <= 11 && date.day >= 0 &&
           date.day < DaysInMonth(date.month, date.year);
}

int DayNumber(const DateIndex& date) {
    int days = DaysBeforeYear(date.year);
    for (int month = 0; month < date.month && month < 12; ++month)
        days += DaysInMonth(month, date.year);
    return days + date.day;
}

DateIndex DateFromDayNumber(int dayNumber) {
    DateIndex date;
    const int cycles = FloorDiv(dayNumber, kDaysPerCycle);
    int rest = dayNumber - cycles * kDaysPerCycle;
    date.year = cycles * 4;
    while (rest >= DaysInYear(date.year)) {
        rest -= DaysInYear(date.year);
        ++date.year;
    }
    while (rest >= DaysInMonth(date.month, date.year)) {
        rest -= DaysInMonth(date.month, date.year);
        ++date.month;
    }
    date.day = rest;
    return date;
}

DateIndex DateIndexOf(const LocalDateTime& when) {
    return {when.day - 1, when.month - 1, when.year - 1900};
}

} // namespace tallimo::common
