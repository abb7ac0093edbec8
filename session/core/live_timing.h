#pragma once

// The live state the main window times into: its session and header, the
// board rows made from them, and the best-lap mark. `bestLapMark` belongs to
// the running program: it starts at kInitialBestLapMark and no new or opened
// session resets it.

#include "session/core/board_rows.h"
#include "session/core/rental_session.h"

namespace tallimo::session {

struct LiveTiming {
    RentalSession session;
    SessionHeader header;
    BoardRows boardRows;
    int boardRowCount = 0;
    std::int32_t bestLapMark = kInitialBestLapMark;

    void rebuildBoardRows() {
        ClearBoardRows(boardRows);
        boardRowCount = BuildBoardRows(boardRows, session, 0);
    }
};

} // namespace tallimo::session
