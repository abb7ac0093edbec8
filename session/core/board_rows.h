#pragma once

#include "session/core/rental_session.h"

#include <array>
#include <string>

namespace tallimo::session {

constexpr int kBoardRowCapacity = 180;
// The state number a heading row has in the tool's output.
constexpr int kBoardRowHeading = 1;

// One line of the timing board, as text ready to paint.
struct BoardRow {
    std::string kartLabel;
    std::string transponder;
    std::string driver;
    std::string spare;
    std::string duration;
    std::string elapsed;
    std::string laps;
    std::string totalTime;
    std::string lastLap;
    std::string bestLap;
    int categoryIndex = -1;
    bool heading = false;                    // a category heading, not a kart
    TrackState state = TrackState::Finished; // the kart's
    int lapJustDone = 0;
    int newPersonalBest = 0;
    int sessionBestHolder = 0;
    int reservedFlag = 0; // kept for the board's layout; nothing sets it
};

using BoardRows = std::array<BoardRow, kBoardRowCapacity>;

// The row's state as the tool prints it: kBoardRowHeading, or the kart's
// trackState number.
constexpr int BoardRowStateNumber(const BoardRow& row) {
    return row.heading ? kBoardRowHeading : TrackStateNumber(row.state);
}

void ClearBoardRows(BoardRows& rows);

// Fills rows from `firstRow` on; returns the number of the next free row.
int BuildBoardRows(BoardRows& rows, const RentalSession& session, int firstRow);

// The driver column: surname, a blank, the first five characters of the
// first name and a full stop when the first name is longer.
std::string BoardDriverText(const SessionKart& kart);
void AppendDriverText(std::string& out, const SessionKart& kart);

} // namespace tallimo::session
