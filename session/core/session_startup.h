#pragma once

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "session/core/live_timing.h"

namespace tallimo::session {

inline constexpr const char* kCrashCopyFileName = "PcCrashFile.rent";

// Names the five rental categories after the fleet and labels their karts;
// the sixth category is the private karts. Everything else is cleared.
void BuildSessionFromFleet(RentalSession& session, const FleetLayout& fleet);

// Of a loaded session only which karts are in use carries over; a kart in
// use comes back free.
void TakeUsageFromLoaded(RentalSession& session, const RentalSession& loaded);

// Whether a session holds anything of a run that the start-up rebuild
// drops: drivers, bookings, laps and passing times. Transponders are not
// run data: the fleet hands them out again at every start.
bool HoldsRunData(const RentalSession& session);

inline constexpr const char* kDamagedSessionFileText =
    "Error: the 'Rental session' file could not be read. It has been kept as 'PcCrashFile.rent'.";

struct StartupOutcome {
    // The crash copy now holds the previous session file.
    bool crashCopyWritten = false;
    bool sessionLoaded = false;
    // The file was read but its bytes do not make a whole session.
    bool sessionDamaged = false;
    bool sessionSaved = false;
};

// The session part of program start: keep the previous session in the crash
// copy (a damaged file whatever it holds, a readable one when it holds run
// data or no copy exists yet, so a restart never replaces a crashed
// session's copy with an empty one), rebuild the session from the fleet,
// take the header and the karts' usage from the previous file and write the
// result back. Failures to load or save are reported through `messages`;
// the rebuilt session is kept.
StartupOutcome RebuildSessionAtStartup(const common::WorkingFolder& folder,
                                       const FleetLayout& fleet, LiveTiming& live,
                                       common::MessageSink& messages);

} // namespace tallimo::session
