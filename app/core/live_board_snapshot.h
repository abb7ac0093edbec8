#pragma once

// What the drivers' board shows, taken from the live session once per
// change: the second-screen window paints it and the web server sends its
// JSON, so neither touches the session itself. Texts are UTF-8.

#include "session/core/live_timing.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tallimo::app {

struct LiveBoardKart {
    int categoryIndex = 0; // 0..5, 5 = private karts
    std::string category;
    std::string colour; // "#RRGGBB", the category block's colour on the board
    std::string kart;
    std::string driver; // as the board's driver column
    int laps = 0;
    std::int32_t lastLapMs = 0; // 0: none yet
    std::int32_t bestLapMs = 0; // 0: none yet
    bool dayBest = false;       // holds the day's best lap
    bool finished = false;      // run over
    bool newLap = false;        // a lap was just done
    int remainingSeconds = 0;   // of the booked run, at least 0
};

struct LiveBoardSnapshot {
    std::uint64_t sequence = 0; // grows with every change
    std::string title;          // e.g. the track name, may be empty
    std::string elapsed;        // the session clock's texts, "0:12:34"
    std::string remaining;
    bool clockRunning = false;
    std::int32_t dayBestLapMs = 0; // 0: none
    std::string dayBestDriver;
    std::string dayBestKart;
    std::vector<LiveBoardKart> karts; // karts on track, board order
};

// Built from the live session and its board rows; the clock texts are passed in.
LiveBoardSnapshot BuildLiveBoardSnapshot(const session::LiveTiming& live,
                                         const std::string& elapsed, const std::string& remaining,
                                         bool clockRunning, std::uint64_t sequence);

// One line, UTF-8, no trailing newline.
std::string LiveBoardJson(const LiveBoardSnapshot& snapshot);

} // namespace tallimo::app
