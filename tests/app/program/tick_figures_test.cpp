#include "app/core/tick_figures.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tallimo::app {
namespace {

std::vector<std::int64_t> Microseconds(std::initializer_list<std::int64_t> values) {
    std::vector<std::int64_t> nanoseconds;
    for (const std::int64_t value : values)
        nanoseconds.push_back(value * 1000);
    return nanoseconds;
}

// 1..n microseconds, shuffled by a fixed stride so the order is not sorted.
std::vector<std::int64_t> OneToN(int n) {
    std::vector<std::int64_t> nanoseconds;
    for (int i = 0; i < n; ++i)
        nanoseconds.push_back(((i * 7) % n + 1) * 1000);
    return nanoseconds;
}

struct FiguresRow {
    const char* name;
    std::vector<std::int64_t> ticks;
    double median;
    double percentile99;
    double longest;
};

TEST(TickFiguresTest, RanksAreTakenFromTheSortedTicks) {
    const std::vector<FiguresRow> rows{
        {"one tick is every figure", Microseconds({42}), 42, 42, 42},
        {"an odd count has its middle", Microseconds({30, 10, 20}), 20, 30, 30},
        {"an even count takes the upper middle", Microseconds({40, 10, 30, 20}), 30, 40, 40},
        {"equal ticks", Microseconds({5, 5, 5, 5, 5}), 5, 5, 5},
        {"a hundred: the 99th rank is the longest", OneToN(100), 51, 100, 100},
        {"two hundred: the 99th rank is below the longest", OneToN(200), 101, 199, 200},
        {"a thousand", OneToN(1000), 501, 991, 1000},
        {"fractions of a microsecond are kept", {1500, 2250, 999}, 1.5, 2.25, 2.25},
    };
    for (const FiguresRow& row : rows) {
        const std::optional<TickFigures> figures = SummariseTicks(row.ticks);
        ASSERT_TRUE(figures) << row.name;
        EXPECT_EQ(figures->count, row.ticks.size()) << row.name;
        EXPECT_DOUBLE_EQ(figures->medianUs, row.median) << row.name;
        EXPECT_DOUBLE_EQ(figures->percentile99Us, row.percentile99) << row.name;
        EXPECT_DOUBLE_EQ(figures->longestUs, row.longest) << row.name;
    }
}

TEST(TickFiguresTest, NoTicksGiveNoFigures) {
    EXPECT_FALSE(SummariseTicks({}));
}

TEST(TickFiguresTest, TheLineHasOneDecimalAndEndsTheLine) {
    const struct {
        TickFigures figures;
        const char* line;
    } rows[]{
        {{757, 48.3, 207.6, 1191.7},
         "ticks 757: median 48.3 us, 99th percentile 207.6 us, longest 1191.7 us\n"},
        {{1, 0.04, 0.05, 12345.66},
         "ticks 1: median 0.0 us, 99th percentile 0.1 us, longest 12345.7 us\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TickFiguresLine(row.figures), row.line);
}

} // namespace
} // namespace tallimo::app
