#include "runs/core/run_report.h"

#include "common/core/time_format.h"

#include <algorithm>
#include <cstdio>

namespace tallimo::runs {

RunReportHeader StoredRunHeader(const DriverRun& run, const RunDetails& details) {
    const RunWhen& when = details.when;
    char date[96];
    std::snprintf(date, sizeof date, "Date : %02d / %02d / %d  (%d:%02d:%02d)", when.day,
                  when.month, when.year, when.hour, when.minute, when.second);
    return {run.driverFirstName + " " + run.driverName, "Piste : " + details.trackName,
            "Cat\xE9gorie : " + details.categoryName, date};
}

std::vector<DetailEntry> RunDetailEntries(const DriverRun& run, RunReportKind kind) {
    std::vector<DetailEntry> entries;
    if (kind == RunReportKind::Synthesis)
        return entries;
    const int last = UsableLastLap(run);
    for (int lap = 1; lap <= last; ++lap) {
        entries.push_back(
            {"T " + std::to_string(lap), kind == RunReportKind::Laps
                                             ? common::FormatLapTime(LapTimeOf(run, lap))
                                             : common::FormatClockTime(run.passingTimes[lap])});
    }
    return entries;
}

LapRange ClampReportRange(int lastLap, std::optional<int> from, std::optional<int> to) {
    if (lastLap <= 0)
        return {};
    const int first = std::max(1, std::min(from.value_or(1), lastLap));
    const int end = std::min(to.value_or(lastLap), lastLap);
    return {first, end};
}

} // namespace tallimo::runs
