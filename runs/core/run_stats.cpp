#include "runs/core/run_stats.h"

#include "common/core/time_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tallimo::runs {
namespace {

constexpr std::int32_t kBestStart = 1'500'000'000;
constexpr std::array<std::int32_t, kRunClasses> kClassOffsets = {0,    100,  200,  500,  1000,
                                                                 1500, 2000, 3000, 4000, 5000};

std::int32_t ToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The laps the range covers, or nothing when it is empty or leaves the run.
bool IsUsableRange(const DriverRun& run, int from, int to) {
    const int last = UsableLastLap(run);
    return last > 0 && from >= 1 && from <= to && to <= last;
}

// The elapsed time of the range over its laps: the truncated mean of the
// lap times, without adding them up.
std::int32_t MeanLap(const DriverRun& run, int from, int to) {
    const std::int64_t elapsed = std::int64_t{run.passingTimes[to]} - run.passingTimes[from - 1];
    return ToInt32(elapsed / (to - from + 1));
}

std::string Format(const char* format, long long a, long long b) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

} // namespace

RunStats ComputeRunStats(const DriverRun& run, int from, int to) {
    RunStats stats;
    if (!IsUsableRange(run, from, to))
        return stats;
    stats.count = to - from + 1;
    stats.mean = MeanLap(run, from, to);
    stats.best = kBestStart;
    long double sum = 0;
    for (int lap = from; lap <= to; ++lap) {
        const std::int32_t time = LapTimeOf(run, lap);
        if (time < stats.best) {
            stats.best = time;
            stats.bestLap = lap;
        }
        if (time > stats.worst) {
            stats.worst = time;
            stats.worstLap = lap;
        }
        // A lap minutes away from the mean squares past 32 bits; the
        // distance of two 32-bit values squares exactly in 64 unsigned bits.
        const std::uint64_t distance =
            static_cast<std::uint64_t>(std::llabs(std::int64_t{time} - stats.mean));
        sum += static_cast<long double>(distance * distance) / stats.count;
    }
    stats.deviation = ToInt32(static_cast<std::int64_t>(std::sqrt(sum)));

    const std::int32_t base = stats.best / 100 * 100;
    for (int k = 0; k < kRunClasses; ++k)
        stats.bound[k] = base + kClassOffsets[k];
    for (int lap = from; lap <= to; ++lap) {
        const std::int32_t time = LapTimeOf(run, lap);
        if (time >= stats.bound[kRunClasses - 1]) {
            ++stats.classCount[kRunClasses - 1];
            continue;
        }
        for (int k = 0; k < kRunClasses - 1; ++k) {
            if (stats.bound[k] <= time && time < stats.bound[k + 1])
                ++stats.classCount[k];
        }
    }
    for (int k = 0; k < kRunClasses; ++k)
        stats.classShare[k] = stats.classCount[k] * 1000 / stats.count;
    return stats;
}

RunHistogram ComputeRunHistogram(const DriverRun& run, int from, int to) {
    RunHistogram histogram;
    if (!IsUsableRange(run, from, to))
        return histogram;
    histogram.count = to - from + 1;
    histogram.mean = MeanLap(run, from, to);
    histogram.best = kBestStart;
    for (int lap = from; lap <= to; ++lap)
        histogram.best = std::min(histogram.best, LapTimeOf(run, lap));
    const std::int32_t base = histogram.best / 1000 * 1000;
    for (int k = 0; k < kHistogramClasses; ++k)
        histogram.bound[k] = base + kHistogramClassMs * k;
    for (int lap = from; lap <= to; ++lap) {
        const std::int32_t time = LapTimeOf(run, lap);
        if (time >= histogram.bound[kHistogramClasses - 1]) {
            ++histogram.histCount[kHistogramClasses - 1];
            continue;
        }
        for (int k = 0; k < kHistogramClasses - 1; ++k) {
            if (histogram.bound[k] <= time && time < histogram.bound[k + 1])
                ++histogram.histCount[k];
        }
    }
    return histogram;
}

RunRange ComputeRunRange(const DriverRun& run, int from, int to) {
    RunRange range;
    if (!IsUsableRange(run, from, to))
        return range;
    range.count = to - from + 1;
    range.mean = MeanLap(run, from, to);
    range.best = kBestStart;
    for (int lap = from; lap <= to; ++lap) {
        const std::int32_t time = LapTimeOf(run, lap);
        range.best = std::min(range.best, time);
        range.worst = std::max(range.worst, time);
    }
    return range;
}

std::string ClassRowText(const RunStats& stats, int row) {
    if (row < 0 || row >= kRunClasses)
        return {};
    if (row == kRunClasses - 1)
        return common::FormatLapTime(stats.bound[row]) + " < t ";
    return common::FormatLapTime(stats.bound[row]) + " < t < " +
           common::FormatLapTime(stats.bound[row + 1]);
}

std::string ClassShareText(std::int32_t share) {
    return Format("%lld.%01lld %%", share / 10, share % 10);
}

HistogramScale ComputeHistogramScale(const RunHistogram& histogram) {
    HistogramScale scale;
    const std::int32_t most =
        *std::max_element(histogram.histCount.begin(), histogram.histCount.end());
    // Bars are drawn as count / top: no lap, no scale.
    if (most <= 0)
        return scale;
    if (most <= 10)
        scale.top = most;
    else if (most <= 99)
        scale.top = 10 * (most / 10) + 10;
    else if (most == 100)
        scale.top = 100;
    else
        scale.top = 100 * (most / 100) + 100;
    if (scale.top <= 10) {
        for (std::int32_t value = 1; value <= scale.top; ++value)
            scale.gridValues.push_back(value);
    } else {
        for (std::int32_t k = 1; k <= 5; ++k)
            scale.gridValues.push_back(k * scale.top / 5);
    }
    const std::int32_t base = histogram.bound[0];
    for (std::int32_t k = 0; k < 16; ++k) {
        const std::int64_t value = std::int64_t{base} + 500 * k;
        scale.timeLabels.push_back(
            {ToInt32(value), Format("%lld.%lld", value / 1000, value % 1000 / 100)});
    }
    scale.meanText = Format("%lld.%03lld", histogram.mean / 1000, histogram.mean % 1000);
    return scale;
}

CurveScale ComputeCurveScale(const RunRange& range, int from, int to) {
    CurveScale scale;
    // The laps are spread over to - from steps, and a range without laps
    // has no best and worst to span.
    if (to - from < 1 || range.count < 2)
        return scale;
    scale.lower = range.best / 1000 * 1000;
    scale.upper = (std::int64_t{range.worst} / 1000 + 1) * 1000;
    scale.lines = (scale.upper - scale.lower) / 1000 + 1;
    scale.drawnLines = static_cast<int>(std::min<std::int64_t>(scale.lines, 21));
    scale.meanLineShown = range.mean <= kCurveLapLimitMs;
    const std::int64_t step = scale.lines <= 9 ? 500 : 500 * (scale.lines / 5);
    for (std::int64_t value = scale.lower; value <= scale.upper; value += step)
        scale.timeLabels.push_back(
            {ToInt32(value), Format("%lld.%01lld", value / 1000, value % 1000 / 100)});
    for (int lap = from; lap <= to; ++lap) {
        if (to - from + 1 < 20 || lap % 5 == 0)
            scale.lapLabels.push_back({lap, std::to_string(lap)});
    }
    return scale;
}

bool IsOnCurve(std::int32_t lapTime) {
    return lapTime <= kCurveLapLimitMs;
}

std::string CurveBubbleText(std::int32_t lapTime, int lap) {
    return common::FormatLapTime(lapTime) + " (T" + std::to_string(lap) + ")";
}

} // namespace tallimo::runs
