#include "common/core/date_index.h"

#include <gtest/gtest.h>

namespace tallimo::common {
namespace {

TEST(DateIndexTest, CountsDaysFromTheFirstOfJanuary1900) {
    EXPECT_EQ(DayNumber({0, 0, 0}), 0);
    EXPECT_EQ(DayNumber({30, 11, 0}), 365); // 1900 counts 366 days
    EXPECT_EQ(DayNumber({0, 0, 1}), 366);
    EXPECT_EQ(DayNumber({0, 0, 4}), 366 + 3 * 365);
    EXPECT_EQ(DayNumber({0, 2, 0}), 31 + 29);
    EXPECT_EQ(DayNumber({0, 2, 1}), 366 + 31 + 28);
}

TEST(DateIndexTest, MonthLengthsFollowTheDivisibleByFourRule) {
    EXPECT_EQ(DaysInMonth(1, 0), 29);   // 1900
    EXPECT_EQ(DaysInMonth(1, 100), 29); // 2000
    EXPECT_EQ(DaysInMonth(1, 126), 28); // 2026
    EXPECT_EQ(DaysInMonth(1, 124), 29); // 2024
    EXPECT_EQ(DaysInMonth(3, 126), 30);
    EXPECT_EQ(DaysInMonth(11, 126), 31);
    EXPECT_EQ(DaysInMonth(12, 126), 0);
}

TEST(DateIndexTest, ValidatesDays) {
    EXPECT_TRUE(IsValidDate({28, 1, 124}));  // 29 February 2024
    EXPECT_FALSE(IsValidDate({28, 1, 126})); // 29 February 2026
    EXPECT_FALSE(IsValidDate({30, 3, 126})); // 31 April
    EXPECT_TRUE(IsValidDate({30, 11, 126}));
    EXPECT_FALSE(IsValidDate({-1, 0, 126}));
    EXPECT_FALSE(IsValidDate({0, 12, 126}));
}

TEST(DateIndexTest, DayNumbersAndDatesRoundTripAcrossYearBoundaries) {
    for (int dayNumber = -3000; dayNumber < 60000; ++dayNumber) {
        const DateIndex date = DateFromDayNumber(dayNumber);
        ASSERT_TRUE(IsValidDate(date)) << dayNumber;
        ASSERT_EQ(DayNumber(date), dayNumber);
    }
    EXPECT_EQ(DateFromDayNumber(DayNumber({30, 11, 126}) + 1), (DateIndex{0, 0, 127}));
    EXPECT_EQ(DateFromDayNumber(DayNumber({0, 0, 127}) - 1), (DateIndex{30, 11, 126}));
    EXPECT_EQ(DateFromDayNumber(DayNumber({27, 1, 124}) + 1), (DateIndex{28, 1, 124}));
}

TEST(DateIndexTest, ClockReadingsBecomeFileIndexes) {
    EXPECT_EQ(DateIndexOf({2026, 12, 31, 23, 59, 59}), (DateIndex{30, 11, 126}));
}

} // namespace
} // namespace tallimo::common
