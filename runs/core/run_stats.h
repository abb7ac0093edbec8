#pragma once

// The figures of a run over a range of laps from..to (1 <= from <= to <= N):
// the synthesis with its class table, the histogram of lap times in 200 ms
// classes and the range the evolution curve spans, with the scales and the
// labels the analysis views draw. Pure functions over a DriverRun; each
// result starts from zero, and a range that is empty or leaves the run
// gives the zero result.

#include "runs/core/driver_run.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tallimo::runs {

constexpr int kRunClasses = 10;
constexpr int kHistogramClasses = 40;
constexpr std::int32_t kHistogramClassMs = 200;
// Slower laps are left out of the curve, and the mean line with them.
constexpr std::int32_t kCurveLapLimitMs = 12'599'999;

struct RunStats {
    std::int32_t count = 0;
    std::int32_t best = 0;
    std::int32_t worst = 0;
    std::int32_t mean = 0;
    std::int32_t deviation = 0;
    std::int32_t bestLap = 0;
    std::int32_t worstLap = 0;
    std::array<std::int32_t, kRunClasses> bound{};
    std::array<std::int32_t, kRunClasses> classCount{};
    std::array<std::int32_t, kRunClasses> classShare{}; // tenths of a percent
    friend bool operator==(const RunStats&, const RunStats&) = default;
};

struct RunHistogram {
    std::int32_t count = 0;
    std::int32_t best = 0;
    std::int32_t mean = 0;
    std::array<std::int32_t, kHistogramClasses> bound{};
    std::array<std::int32_t, kHistogramClasses> histCount{}; // the last gathers slower laps
    friend bool operator==(const RunHistogram&, const RunHistogram&) = default;
};

struct RunRange {
    std::int32_t count = 0;
    std::int32_t best = 0;
    std::int32_t worst = 0;
    std::int32_t mean = 0;
    friend bool operator==(const RunRange&, const RunRange&) = default;
};

RunStats ComputeRunStats(const DriverRun& run, int from, int to);
RunHistogram ComputeRunHistogram(const DriverRun& run, int from, int to);
RunRange ComputeRunRange(const DriverRun& run, int from, int to);

// Row k of the class table: "bound[k] < t < bound[k+1]", the last row
// "bound[9] < t ".
std::string ClassRowText(const RunStats& stats, int row);
// "%d.%01d %" of a share in tenths of a percent.
std::string ClassShareText(std::int32_t share);

struct AxisLabel {
    std::int32_t value = 0; // ms on a time axis, the lap number on the lap axis
    std::string text;
    friend bool operator==(const AxisLabel&, const AxisLabel&) = default;
};

// The histogram's vertical scale and its time axis. Empty (top 0, no lines,
// no labels) when no lap is counted: the bars are drawn as count / top.
struct HistogramScale {
    std::int32_t top = 0;
    std::vector<std::int32_t> gridValues; // the grid lines, labelled "%d"
    std::vector<AxisLabel> timeLabels;    // every 500 ms from base, "%d.%d"
    std::string meanText;                 // "%d.%03d", shown under "moy"
};
HistogramScale ComputeHistogramScale(const RunHistogram& histogram);

// The evolution curve's frame. Empty (no lines, no labels) unless the range
// holds two laps or more: the laps are spread over to - from steps.
struct CurveScale {
    std::int32_t lower = 0; // ms, the best lap's whole second
    std::int64_t upper = 0; // ms, the whole second above the worst lap
    std::int64_t lines = 0; // one-second grid lines over the span
    int drawnLines = 0;     // at most 21
    bool meanLineShown = false;
    std::vector<AxisLabel> timeLabels; // "%d.%01d"
    std::vector<AxisLabel> lapLabels;  // "%d"
};
CurveScale ComputeCurveScale(const RunRange& range, int from, int to);

// Whether a lap time has a point on the curve.
bool IsOnCurve(std::int32_t lapTime);

// The bubble shown when pointing at lap `lap`: "<lap time> (T<lap>)".
std::string CurveBubbleText(std::int32_t lapTime, int lap);

} // namespace tallimo::runs
