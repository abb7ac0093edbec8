#pragma once

// The demo: a working folder with a track, two kart categories with their
// transponders, karts booked in the session, and a decoder on COM7 that the
// decoder simulator plays, so that pressing "Départ" shows karts lapping.
// Its prices, discounts and loyalty card let a booking show the offers.

#include "common/core/local_clock.h"
#include "common/core/working_folder.h"
#include "session/core/rental_session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tallimo::app {

inline constexpr const char* kDemoPort = "COM7";
inline constexpr const char* kDemoFolderName = "Tallimo Pistara Demo";

struct DemoKart {
    int transponder = 0;
    std::int64_t meanLapMs = 0;
    std::int64_t spreadMs = 0;
    // Not in the session: out on the track before "Départ", for the fleet
    // window to scan.
    bool spare = false;
};

// Writes (or rewrites) the demo's databases, session and decoder settings;
// the resources (images, sounds, translations) come from the first start.
// One discount event is dated `today`, so that it is offered on the day.
bool WriteDemoWorkingFolder(const common::WorkingFolder& folder,
                            const common::LocalDateTime& today);

// Books the demo's drivers on their karts. The start-up rebuild keeps only
// which karts are in the session, so the demo books them again after it.
void BookDemoDrivers(session::RentalSession& rental);

// The karts the simulator drives: every kart booked in the demo session, and
// a few spare karts with transponders no category holds yet.
std::vector<DemoKart> DemoKarts();

} // namespace tallimo::app
