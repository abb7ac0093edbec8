#include "common/core/time_format.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tallimo::common {
namespace {

struct TimeCase {
    const char* name;
    std::int32_t ms;
    const char* lap;
    const char* clock;
};

class TimeFormatTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeFormatTest, FormatsLapAndClockTimes) {
    const TimeCase& c = GetParam();
    EXPECT_EQ(FormatLapTime(c.ms), c.lap);
    EXPECT_EQ(FormatClockTime(c.ms), c.clock);
}

INSTANTIATE_TEST_SUITE_P(
    Durations, TimeFormatTest,
    ::testing::Values(TimeCase{"zero", 0, "0.000", "0:00.000"},
                      TimeCase{"under_a_second", 999, "0.999", "0:00.999"},
                      TimeCase{"seconds_only", 45123, "45.123", "0:45.123"},
                      TimeCase{"one_minute_exactly", 60000, "1:00.000", "1:00.000"},
                      TimeCase{"minutes", 83456, "1:23.456", "1:23.456"},
                      TimeCase{"one_hour_exactly", 3600000, "1:00:00.000", "1:00:00.000"},
                      TimeCase{"hours", 3723004, "1:02:03.004", "1:02:03.004"},
                      TimeCase{"a_day", 86399999, "23:59:59.999", "23:59:59.999"}),
    [](const auto& test) { return std::string(test.param.name); });

// The texts must stay those of the printf formats, negative times included.
TEST(TimeFormatTest, MatchesThePrintfFormats) {
    for (std::int32_t ms = -3700000; ms <= 3700000; ms += 997) {
        const SplitTimeParts t = SplitTime(ms);
        char lap[48], clock[48];
        if (t.hours != 0) {
            std::snprintf(lap, sizeof lap, "%d:%02d:%02d.%03d", t.hours, t.minutes, t.seconds,
                          t.milliseconds);
            std::snprintf(clock, sizeof clock, "%s", lap);
        } else {
            std::snprintf(clock, sizeof clock, "%d:%02d.%03d", t.minutes, t.seconds,
                          t.milliseconds);
            if (t.minutes != 0)
                std::snprintf(lap, sizeof lap, "%s", clock);
            else
                std::snprintf(lap, sizeof lap, "%d.%03d", t.seconds, t.milliseconds);
        }
        ASSERT_EQ(FormatLapTime(ms), lap) << ms;
        ASSERT_EQ(FormatClockTime(ms), clock) << ms;
    }
}

TEST(SplitTimeTest, SplitsByTruncatingDivision) {
    const SplitTimeParts parts = SplitTime(3723004);
    EXPECT_EQ(parts.hours, 1);
    EXPECT_EQ(parts.minutes, 2);
    EXPECT_EQ(parts.seconds, 3);
    EXPECT_EQ(parts.milliseconds, 4);

    const SplitTimeParts negative = SplitTime(-1500);
    EXPECT_EQ(negative.seconds, -1);
    EXPECT_EQ(negative.milliseconds, -500);
}

} // namespace
} // namespace tallimo::common
