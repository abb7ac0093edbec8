#include "runs/core/driver_run.h"

#include <algorithm>
#include <limits>

namespace tallimo::runs {

int UsableLastLap(const DriverRun& run) {
    return std::clamp<int>(run.lastLapIndex, 0, kMaxRunLaps);
}

std::int32_t LapTimeOf(const DriverRun& run, int lap) {
    const std::int64_t time = std::int64_t{run.passingTimes[lap]} - run.passingTimes[lap - 1];
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        time, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void ComputeLapTimes(DriverRun& run) {
    run.lapTimes.fill(0);
    const int last = UsableLastLap(run);
    for (int lap = 1; lap <= last; ++lap)
        run.lapTimes[lap] = LapTimeOf(run, lap);
}

} // namespace tallimo::runs
