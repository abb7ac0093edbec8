#pragma once

#include "session/core/live_timing.h"

#include <ostream>

namespace tallimo::app {

// Views of a session for operators and for diagnosis. All output is UTF-8;
// the session's texts are converted from Windows-1252.

// Every value the session file holds, per category and kart, then the
// board rows. Slots that hold nothing are counted, not listed.
void WriteSessionText(std::ostream& out, const session::LiveTiming& live);

// The same as one JSON document, every slot included.
void WriteSessionJson(std::ostream& out, const session::LiveTiming& live);

// One line per timed kart: category, kart, driver, laps, total time, best
// lap, last lap.
void WriteTimedKartsCsv(std::ostream& out, const session::RentalSession& session);

// The board rows as the board shows them.
void WriteBoardRows(std::ostream& out, const session::LiveTiming& live);

} // namespace tallimo::app
