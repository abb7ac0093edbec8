#include "runs/core/run_stats.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tallimo::runs {
namespace {

DriverRun RunOfLaps(const std::vector<std::int32_t>& laps) {
    DriverRun run;
    run.driverName = "Dupont";
    run.driverFirstName = "Jean";
    run.lastLapIndex = static_cast<std::int32_t>(laps.size());
    for (std::size_t i = 0; i < laps.size(); ++i)
        run.passingTimes[i + 1] = run.passingTimes[i] + laps[i];
    return run;
}

template <std::size_t N>
std::array<std::int32_t, N> With(std::initializer_list<std::pair<int, std::int32_t>> entries) {
    std::array<std::int32_t, N> values{};
    for (const auto& [index, value] : entries)
        values[index] = value;
    return values;
}

TEST(RunStatsTest, SynthesisOfThreeLaps) {
    const DriverRun run = RunOfLaps({61234, 60987, 61500});
    RunStats expected;
    expected.count = 3;
    expected.best = 60987;
    expected.bestLap = 2;
    expected.worst = 61500;
    expected.worstLap = 3;
    expected.mean = 61240;
    expected.deviation = 209; // square root of 43 881.67
    expected.bound = {60900, 61000, 61100, 61400, 61900, 62400, 62900, 63900, 64900, 65900};
    expected.classCount = With<10>({{0, 1}, {2, 1}, {3, 1}});
    expected.classShare = With<10>({{0, 333}, {2, 333}, {3, 333}});
    EXPECT_EQ(ComputeRunStats(run, 1, 3), expected);
    EXPECT_EQ(ClassShareText(expected.classShare[0]), "33.3 %");
    EXPECT_EQ(ClassRowText(expected, 0), "1:00.900 < t < 1:01.000");
    EXPECT_EQ(ClassRowText(expected, 9), "1:05.900 < t ");
    EXPECT_EQ(ComputeRunRange(run, 1, 3), (RunRange{3, 60987, 61500, 61240}));
}

TEST(RunStatsTest, RangesWithoutLapsGiveTheZeroResults) {
    DriverRun tooMany = RunOfLaps(std::vector<std::int32_t>(99, 60000));
    tooMany.lastLapIndex = 150; // a hand-edited file
    const struct {
        const char* why;
        DriverRun run;
        int from, to;
    } cases[] = {
        {"to before from", RunOfLaps({60000, 61000, 62000}), 3, 2},
        {"no complete lap", RunOfLaps({}), 1, 1},
        {"lap 0", RunOfLaps({60000, 61000}), 0, 2},
        {"past the last lap", RunOfLaps({60000, 61000}), 1, 3},
        {"past the passing table", tooMany, 1, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComputeRunStats(c.run, c.from, c.to), RunStats{}) << c.why;
        EXPECT_EQ(ComputeRunHistogram(c.run, c.from, c.to), RunHistogram{}) << c.why;
        EXPECT_EQ(ComputeRunRange(c.run, c.from, c.to), RunRange{}) << c.why;
    }
    EXPECT_EQ(ComputeRunStats(tooMany, 1, 99).count, 99);
}

TEST(RunStatsTest, LapsAreChosenAndSpreadAsTheTableShows) {
    const struct {
        const char* why;
        std::vector<std::int32_t> laps;
        int from, to;
        std::int32_t best, bestLap, worst, worstLap, mean, deviation;
    } cases[] = {
        {"ties keep the earliest lap",
         {60000, 62000, 60000, 62000},
         1,
         4,
         60000,
         1,
         62000,
         2,
         61000,
         1000},
        {"one lap", {60000, 61234, 62000}, 2, 2, 61234, 2, 61234, 2, 61234, 0},
        {"a sub-range", {90000, 60000, 61000, 70000}, 2, 3, 60000, 2, 61000, 3, 60500, 500},
        {"laps minutes long square past 32 bits",
         {300000, 100000},
         1,
         2,
         100000,
         2,
         300000,
         1,
         200000,
         100000},
        {"mean truncates", {60001, 60000, 60000}, 1, 3, 60000, 2, 60001, 1, 60000, 0},
    };
    for (const auto& c : cases) {
        const RunStats stats = ComputeRunStats(RunOfLaps(c.laps), c.from, c.to);
        EXPECT_EQ((std::array{stats.best, stats.bestLap, stats.worst, stats.worstLap, stats.mean,
                              stats.deviation}),
                  (std::array{c.best, c.bestLap, c.worst, c.worstLap, c.mean, c.deviation}))
            << c.why;
    }
}

TEST(RunStatsTest, ClassAndBarEdgesAreLowerBoundsIncluded) {
    // Best 60 950: classes from 60 900, histogram from 60 000.
    const std::vector<std::int32_t> laps = {60950, 60999, 61000, 65899, 65900, 67799, 67800, 99000};
    const DriverRun run = RunOfLaps(laps);
    const RunStats stats = ComputeRunStats(run, 1, 8);
    EXPECT_EQ(stats.classCount, (With<10>({{0, 2}, {1, 1}, {8, 1}, {9, 4}})));
    EXPECT_EQ(std::accumulate(stats.classShare.begin(), stats.classShare.end(), 0), 1000);
    const RunHistogram histogram = ComputeRunHistogram(run, 1, 8);
    EXPECT_EQ(histogram.bound[0], 60000);
    EXPECT_EQ(histogram.bound[39], 67800);
    EXPECT_EQ(histogram.histCount, (With<40>({{4, 2}, {5, 1}, {29, 2}, {38, 1}, {39, 2}})));
    EXPECT_EQ(histogram.mean, (run.passingTimes[8]) / 8);
}

TEST(HistogramScaleTest, TopAndGridFollowTheLargestBar) {
    const struct {
        std::int32_t largest, top;
        std::vector<std::int32_t> grid;
    } cases[] = {
        {7, 7, {1, 2, 3, 4, 5, 6, 7}},     {10, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {11, 20, {4, 8, 12, 16, 20}},      {23, 30, {6, 12, 18, 24, 30}},
        {100, 100, {20, 40, 60, 80, 100}}, {150, 200, {40, 80, 120, 160, 200}},
    };
    for (const auto& c : cases) {
        RunHistogram histogram;
        histogram.histCount[3] = c.largest;
        histogram.histCount[5] = 1;
        const HistogramScale scale = ComputeHistogramScale(histogram);
        EXPECT_EQ(scale.top, c.top) << c.largest;
        EXPECT_EQ(scale.gridValues, c.grid) << c.largest;
    }
    // No lap: nothing to divide by.
    const HistogramScale empty = ComputeHistogramScale(RunHistogram{});
    EXPECT_EQ(empty.top, 0);
    EXPECT_TRUE(empty.gridValues.empty());
    EXPECT_TRUE(empty.timeLabels.empty());
}

TEST(HistogramScaleTest, TimeAxisHasSixteenLabelsEveryHalfSecond) {
    const RunHistogram histogram = ComputeRunHistogram(RunOfLaps({61234, 60987, 61500}), 1, 3);
    const HistogramScale scale = ComputeHistogramScale(histogram);
    ASSERT_EQ(scale.timeLabels.size(), 16U);
    EXPECT_EQ(scale.timeLabels[0], (AxisLabel{60000, "60.0"}));
    EXPECT_EQ(scale.timeLabels[1], (AxisLabel{60500, "60.5"}));
    EXPECT_EQ(scale.timeLabels[15], (AxisLabel{67500, "67.5"}));
    EXPECT_EQ(scale.meanText, "61.240");
}

TEST(CurveScaleTest, FrameSpansWholeSecondsAroundTheLaps) {
    const struct {
        const char* why;
        std::vector<std::int32_t> laps;
        std::int32_t lower;
        std::int64_t upper, lines;
        int drawn;
        std::vector<std::string> timeTexts;
    } cases[] = {
        {"narrow: every half second",
         {61234, 60987, 61500},
         60000,
         62000,
         3,
         3,
         {"60.0", "60.5", "61.0", "61.5", "62.0"}},
        {"nine lines still every half second",
         {60000, 67999},
         60000,
         68000,
         9,
         9,
         {"60.0", "60.5", "61.0", "61.5", "62.0", "62.5", "63.0", "63.5", "64.0", "64.5", "65.0",
          "65.5", "66.0", "66.5", "67.0", "67.5", "68.0"}},
        {"wide: lines / 5 half seconds",
         {60000, 79999},
         60000,
         80000,
         21,
         21,
         {"60.0", "62.0", "64.0", "66.0", "68.0", "70.0", "72.0", "74.0", "76.0", "78.0", "80.0"}},
        {"drawing stops at 21 lines",
         {60000, 119999},
         60000,
         120000,
         61,
         21,
         {"60.0", "66.0", "72.0", "78.0", "84.0", "90.0", "96.0", "102.0", "108.0", "114.0",
          "120.0"}},
    };
    for (const auto& c : cases) {
        const int to = static_cast<int>(c.laps.size());
        const CurveScale scale =
            ComputeCurveScale(ComputeRunRange(RunOfLaps(c.laps), 1, to), 1, to);
        EXPECT_EQ(scale.lower, c.lower) << c.why;
        EXPECT_EQ(scale.upper, c.upper) << c.why;
        EXPECT_EQ(scale.lines, c.lines) << c.why;
        EXPECT_EQ(scale.drawnLines, c.drawn) << c.why;
        std::vector<std::string> texts;
        for (const AxisLabel& label : scale.timeLabels)
            texts.push_back(label.text);
        EXPECT_EQ(texts, c.timeTexts) << c.why;
        EXPECT_TRUE(scale.meanLineShown) << c.why;
    }
}

TEST(CurveScaleTest, LapAxisAndLimits) {
    const DriverRun run = RunOfLaps(std::vector<std::int32_t>(30, 60000));
    const auto lapNumbers = [&](int from, int to) {
        std::vector<std::int32_t> laps;
        for (const AxisLabel& label :
             ComputeCurveScale(ComputeRunRange(run, from, to), from, to).lapLabels)
            laps.push_back(label.value);
        return laps;
    };
    EXPECT_EQ(lapNumbers(3, 7), (std::vector<std::int32_t>{3, 4, 5, 6, 7}));
    EXPECT_EQ(lapNumbers(2, 21), (std::vector<std::int32_t>{5, 10, 15, 20}));
    // One lap leaves no step between laps; to before from leaves no laps.
    EXPECT_TRUE(lapNumbers(4, 4).empty());
    EXPECT_EQ(ComputeCurveScale(ComputeRunRange(run, 4, 4), 4, 4).drawnLines, 0);
    EXPECT_EQ(ComputeCurveScale(ComputeRunRange(run, 5, 4), 5, 4).drawnLines, 0);

    const RunRange slow = ComputeRunRange(RunOfLaps({12'600'000, 12'600'002}), 1, 2);
    EXPECT_FALSE(ComputeCurveScale(slow, 1, 2).meanLineShown);
    EXPECT_TRUE(IsOnCurve(12'599'999));
    EXPECT_FALSE(IsOnCurve(12'600'000));
    EXPECT_EQ(CurveBubbleText(61234, 7), "1:01.234 (T7)");
}

} // namespace
} // namespace tallimo::runs
