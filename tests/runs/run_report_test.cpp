#include "runs/core/run_report.h"

#include <gtest/gtest.h>

namespace tallimo::runs {
namespace {

TEST(RunReportTest, DetailEntriesGiveLapTimesOrPassingTimesForEveryLap) {
    DriverRun run;
    run.lastLapIndex = 3;
    run.passingTimes[1] = 61'234;
    run.passingTimes[2] = 122'221;
    run.passingTimes[3] = 3'722'221; // a lap of one hour: both formats show hours
    const std::vector<DetailEntry> laps = RunDetailEntries(run, RunReportKind::Laps);
    EXPECT_EQ(laps, (std::vector<DetailEntry>{
                        {"T 1", "1:01.234"}, {"T 2", "1:00.987"}, {"T 3", "1:00:00.000"}}));
    const std::vector<DetailEntry> passings = RunDetailEntries(run, RunReportKind::Passings);
    EXPECT_EQ(passings, (std::vector<DetailEntry>{
                            {"T 1", "1:01.234"}, {"T 2", "2:02.221"}, {"T 3", "1:02:02.221"}}));

    run.passingTimes[1] = 999; // under a minute: the clock time keeps its minutes
    EXPECT_EQ(RunDetailEntries(run, RunReportKind::Passings).front().time, "0:00.999");
    EXPECT_EQ(RunDetailEntries(run, RunReportKind::Laps).front().time, "0.999");
    EXPECT_TRUE(RunDetailEntries(run, RunReportKind::Synthesis).empty());

    run.lastLapIndex = 250; // a hand-edited file: the tables end at lap 99
    EXPECT_EQ(RunDetailEntries(run, RunReportKind::Laps).size(), 99u);
    run.lastLapIndex = -1;
    EXPECT_TRUE(RunDetailEntries(run, RunReportKind::Laps).empty());
}

TEST(RunReportTest, RangeFollowsTheAnalysisWindowsEdits) {
    struct Row {
        const char* name;
        int last;
        std::optional<int> from;
        std::optional<int> to;
        LapRange expected;
    };
    const Row rows[] = {
        {"whole_run_by_default", 20, {}, {}, {1, 20}},
        {"to_below_from_stays_empty", 20, 8, 4, {8, 4}},
        {"to_zero_stays_empty", 20, 1, 0, {1, 0}},
        {"no_laps_no_range", 0, 1, 1, {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ClampReportRange(row.last, row.from, row.to), row.expected) << row.name;
}

} // namespace
} // namespace tallimo::runs
