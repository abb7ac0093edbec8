#pragma once

// One driver's run as the run file stores it and the analysis reads it:
// who drove, the last completed lap N and the passing times P[0..N] in ms
// from the first passing (P[0] = 0). The lap times L[i] = P[i] - P[i-1] are
// derived, never stored. Only the first N + 1 passing times mean anything.

#include <array>
#include <cstdint>
#include <string>

namespace tallimo::runs {

// The tables hold 100 entries; a run has at most 99 laps.
constexpr int kRunTableSize = 100;
constexpr int kMaxRunLaps = 99;

struct DriverRun {
    std::string driverName;      // at most 24 characters, Windows-1252
    std::string driverFirstName; // at most 19
    std::int32_t lastLapIndex = 0;
    std::array<std::int32_t, kRunTableSize> passingTimes{};
    std::array<std::int32_t, kRunTableSize> lapTimes{}; // [0] unused

    friend bool operator==(const DriverRun&, const DriverRun&) = default;
};

// The last lap index as far as the tables reach: a hand-edited file may say
// more than 99 or less than 0.
int UsableLastLap(const DriverRun& run);

// P[i] - P[i-1], held to 32 bits: hand-edited passing times may be far apart.
std::int32_t LapTimeOf(const DriverRun& run, int lap);

// Fills lapTimes[1..N] from the passing times, zeroes the rest.
void ComputeLapTimes(DriverRun& run);

} // namespace tallimo::runs
