#include "session/core/lap_timing.h"

namespace tallimo::session {
namespace {

enum class PassingOutcome { Ignored, Counted, PastLapLimit };

// Steps 1 to 6 for one kart: the time of the passing, the short-lap filter
// with its warning, and the accepted lap.
PassingOutcome ApplyToKart(LiveTiming& live, int category, int slot, const common::Passing& passing,
                           const CounterTimeBase& base, common::SoundPlayer& sounds,
                           SessionNotifications& notifications) {
    SessionKart& kart = live.session.kart(category, slot);
    KartRuntime& run = kart.runtime;

    if (passing.timedByCounter) {
        run.lastPassingCounter = passing.counter;
        // Without a frequency the kart keeps its previous passing time.
        if (base.frequency != 0)
            run.passingTime = (passing.counter - base.counterBase) * 1000 / base.frequency;
    } else {
        run.passingTime = passing.timeMs;
    }
    const auto t = static_cast<std::int32_t>(run.passingTime);

    // Computed wide and then narrowed as 32-bit times do, so that absurd
    // decoder times wrap instead of overflowing.
    run.currentLapTime =
        static_cast<std::int32_t>(static_cast<std::int64_t>(t) - run.startTime - kart.totalTime);
    run.sinceBuzz =
        static_cast<std::int32_t>(static_cast<std::int64_t>(t) - run.startTime - run.lastBuzzAt);

    const std::int64_t minLap = static_cast<std::int64_t>(live.header.minLapSeconds) * 1000;
    if (run.currentLapTime > minLap) {
        if (kart.lastLapIndex > kMaxLapIndex - 1)
            return PassingOutcome::PastLapLimit;
    } else {
        const bool firstPassing =
            kart.lastLapIndex == 0 && run.startTime == 0 && kart.lapTimes[0] == 0;
        if (!firstPassing) {
            // A transponder is often reported several times in one pass:
            // only a real short lap warns, and not twice within a second.
            if (run.sinceBuzz > 1000 && run.currentLapTime > 2000) {
                sounds.play(kSoundBuzz, true);
                run.lastBuzzAt =
                    static_cast<std::int32_t>(static_cast<std::int64_t>(t) - run.startTime);
            }
            return PassingOutcome::Ignored;
        }
    }

    kart.trackState = TrackState::Timing;
    RecordLap(live.session, category, slot);
    MarkSessionBest(live.bestLapMark, live.session, category, slot);
    notifications.lapAccepted(kart);
    return PassingOutcome::Counted;
}

} // namespace

void ProcessPassing(LiveTiming& live, const common::Passing& passing, const CounterTimeBase& base,
                    common::SoundPlayer& sounds, SessionNotifications& notifications) {
    // Every kart carrying the transponder is timed: two karts may share one.
    for (int category = 0; category < kCategoryCount; ++category) {
        for (int slot = 0; slot < kKartsPerCategory; ++slot) {
            SessionKart& kart = live.session.kart(category, slot);
            if (kart.transponder != passing.transponder || kart.usage != KartUsage::InSession ||
                kart.trackState == TrackState::Free)
                continue;

            if (ApplyToKart(live, category, slot, passing, base, sounds, notifications) ==
                PassingOutcome::Ignored)
                continue;

            if (static_cast<std::int64_t>(kart.durationMinutes) * 60000 <= kart.totalTime)
                kart.trackState = TrackState::Finished;

            live.rebuildBoardRows();

            if (kart.runtime.newPersonalBest == 1 && kart.trackState != TrackState::Finished)
                sounds.play(kSoundPersonalBest, true);
            else if (kart.trackState == TrackState::Finished)
                sounds.play(kSoundRunOver, true);
            else
                sounds.play(kSoundBeep, true);

            notifications.redrawBoard();
            kart.runtime.lapJustDone = 0;
        }
    }
}

} // namespace tallimo::session
