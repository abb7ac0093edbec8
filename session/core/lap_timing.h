#pragma once

#include "common/core/passing.h"
#include "common/core/sound_player.h"
#include "session/core/live_timing.h"
#include "session/core/session_notifications.h"

#include <cstdint>

namespace tallimo::session {

inline const char* const kSoundBeep = "sons/beep1.wav";
inline const char* const kSoundBuzz = "sons/buzz.wav";
inline const char* const kSoundPersonalBest = "sons/youpi.wav";
inline const char* const kSoundRunOver = "sons/nokia-sms.wav";

// How counter-timed passings become milliseconds: the counter at the
// session's first start and the counter's counts per second.
struct CounterTimeBase {
    std::int64_t counterBase = 0;
    std::int64_t frequency = 0;
};

// Applies one passing to every kart in use that carries its transponder.
void ProcessPassing(LiveTiming& live, const common::Passing& passing, const CounterTimeBase& base,
                    common::SoundPlayer& sounds, SessionNotifications& notifications);

} // namespace tallimo::session
