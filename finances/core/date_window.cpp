#include "finances/core/date_window.h"

#include <algorithm>

namespace tallimo::finances {
namespace {

// Wider than any useful window and far from overflowing a day number.
constexpr int kMaxWindowDays = 100000;

DateWindow OccurrenceIn(int yearIndex, int day, int month, int daysBefore, int daysAfter) {
    DateWindow window;
    window.yearIndex = yearIndex;
    window.dayNumber = common::DayNumber({0, month, yearIndex}) + day;
    window.startDayNumber = window.dayNumber - daysBefore;
    window.endDayNumber = window.dayNumber + daysAfter;
    return window;
}

} // namespace

std::optional<DateWindow> WindowOfDate(int day, int month, int daysBefore, int daysAfter,
                                       const common::DateIndex& today) {
    if (month < 0 || month > 11 || day < 0 || day > 30)
        return std::nullopt;
    daysBefore = std::clamp(daysBefore, -kMaxWindowDays, kMaxWindowDays);
    daysAfter = std::clamp(daysAfter, -kMaxWindowDays, kMaxWindowDays);
    const int todayNumber = common::DayNumber(today);
    DateWindow window = OccurrenceIn(today.year, day, month, daysBefore, daysAfter);
    if (window.endDayNumber < todayNumber)
        window = OccurrenceIn(today.year + 1, day, month, daysBefore, daysAfter);
    return window;
}

} // namespace tallimo::finances
