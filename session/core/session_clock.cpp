#include "session/core/session_clock.h"

#include "session/core/passing_journal.h"

#include <cstdio>

namespace tallimo::session {
namespace {

std::string HoursMinutesSeconds(int hours, int minutes, int seconds) {
    char text[40];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", hours, minutes, seconds);
    return text;
}

} // namespace

SessionClock::SessionClock(const common::TickSource& ticks, const common::HighResCounter& counter,
                           common::SoundPlayer& sounds, ClockDecoderSide& decoder,
                           SessionNotifications& notifications)
    : m_ticks(ticks), m_counter(counter), m_sounds(sounds), m_decoder(decoder),
      m_notifications(notifications) {}

void SessionClock::setDuration(int hours, int minutes) {
    m_durationHours = hours;
    m_durationMinutes = minutes;
    char text[40];
    std::snprintf(text, sizeof text, "%d:%02d:00", hours, minutes);
    m_durationText = text;
}

void SessionClock::resetForNewSession() {
    m_countdownSeconds = 0;
    m_remainingCountdown = 0;
    setDuration(24, 0);
    m_elapsedText = "0:00:00";
    m_remainingText = "0:00:00";
    m_durationOverSignalled = false;
}

void SessionClock::continueAfterRestore(std::uint32_t sessionStartTick, std::int64_t counterBase) {
    m_startedOnce = true;
    m_startConfirmed = true;
    m_state = ClockState::Paused;
    m_sessionStartTick = sessionStartTick;
    m_sessionCounterBase = counterBase;
}

CounterTimeBase SessionClock::counterTimeBase() const {
    return CounterTimeBase{m_sessionCounterBase, m_counter.frequency()};
}

void SessionClock::StartPressed() {
    m_decoder.clearAssemblers();
    if (!startAllowed())
        return;
    m_notifications.sessionCommandsEnabled(false, false);
    m_decoder.discardInput();
    // Synchronous on purpose: the marshal hears the start before timing begins.
    m_sounds.play(kSoundStart, false);
    m_countdownStartTick = m_ticks.tickMs();
    m_state = ClockState::Starting;
    m_startConfirmed = false;
    m_remainingCountdown = 1;
}

void SessionClock::PausePressed(bool userSessionFileKnown) {
    m_notifications.sessionCommandsEnabled(true, userSessionFileKnown);
    if (m_state == ClockState::Starting)
        m_state = m_startedOnce ? ClockState::Paused : ClockState::Stopped;
    if (m_state == ClockState::Running) {
        m_state = ClockState::Paused;
        if (m_journal)
            m_journal->append(
                ClockRecord{ClockEvent::Pause, m_sessionStartTick, m_sessionCounterBase});
        m_sounds.play(kSoundPause, true);
        m_notifications.redrawClockArea();
    }
}

void SessionClock::ClockTick(LiveTiming& live) {
    if (m_state == ClockState::Starting)
        tickStarting();
    // A start confirmed by this tick is timed from this tick on.
    if (m_state == ClockState::Running)
        tickRunning(live);
}

void SessionClock::tickStarting() {
    const std::uint32_t now = m_ticks.tickMs();
    if (m_remainingCountdown > 0) {
        const std::int64_t elapsed = static_cast<std::uint32_t>(now - m_countdownStartTick);
        m_remainingCountdown = static_cast<int>(
            (static_cast<std::int64_t>(m_countdownSeconds) * 1000 - elapsed + 1000) / 1000);
        m_decoder.discardInput();
    }

    if (m_remainingCountdown <= 0 && !m_startConfirmed) {
        const std::string model = m_decoder.decoderModel();
        if (model == kModelVela1) {
            m_startConfirmed = true;
            if (!m_startedOnce)
                m_sessionCounterBase = m_counter.counter();
        } else if (model == kModelVela2Usb || model == kModelVela2Bluetooth) {
            if (m_startedOnce) {
                // A resume keeps the decoder's clock running: no reset.
                m_startConfirmed = true;
            } else if (m_decoder.clockResetHandshake()) {
                m_startConfirmed = true;
                m_sessionCounterBase = m_counter.counter();
            }
        }
        // Any other model (no decoder settings read) waits for the pause
        // button to cancel the start.
    }

    if (m_startConfirmed) {
        m_sounds.play(kSoundGo, true);
        const bool first = !m_startedOnce;
        if (first) {
            m_sessionStartTick = now;
            m_sessionCounterBase = m_counter.counter();
        }
        if (m_journal)
            m_journal->append(ClockRecord{first ? ClockEvent::FirstStart : ClockEvent::Resume,
                                          m_sessionStartTick, m_sessionCounterBase});
        m_startedOnce = true;
        m_state = ClockState::Running;
        m_lastDisplayUpdate = now;
        m_remainingSeconds = 1;
    }
}

void SessionClock::tickRunning(LiveTiming& live) {
    if (m_remainingHours <= 0 && m_remainingMinutes <= 0 && m_remainingSeconds <= 0) {
        if (!m_durationOverSignalled) {
            m_durationOverSignalled = true;
            m_sounds.play(kSoundGo, true);
        }
        return;
    }

    const std::uint32_t now = m_ticks.tickMs();
    const std::int64_t e = static_cast<std::uint32_t>(now - m_sessionStartTick);
    m_elapsedHours = static_cast<int>(e / 3600000);
    m_elapsedMinutes = static_cast<int>(e % 3600000 / 60000);
    m_elapsedSeconds = static_cast<int>(e % 60000 / 1000);
    m_elapsedMs = static_cast<int>(e % 1000);

    // Truncation toward zero with the added second rounds the remaining
    // time up to the next whole second.
    const std::int64_t r = static_cast<std::int64_t>(m_durationHours) * 3600000 +
                           static_cast<std::int64_t>(m_durationMinutes) * 60000 - e + 1000;
    m_remainingHours = static_cast<int>(r / 3600000);
    m_remainingMinutes = static_cast<int>(r % 3600000 / 60000);
    m_remainingSeconds = static_cast<int>(r % 60000 / 1000);

    if (m_elapsedMs >= 1 && m_elapsedMs <= 99 &&
        static_cast<std::uint32_t>(now - m_lastDisplayUpdate) > 200) {
        m_lastDisplayUpdate = now;
        setDuration(m_durationHours, m_durationMinutes);
        m_elapsedText = HoursMinutesSeconds(m_elapsedHours, m_elapsedMinutes, m_elapsedSeconds);
        m_remainingText =
            HoursMinutesSeconds(m_remainingHours, m_remainingMinutes, m_remainingSeconds);
        m_notifications.redrawClockArea();
        if (m_remainingSeconds == 0)
            endMinuteForTimingKarts(live);
    }
}

void EndMinuteForTimingKarts(LiveTiming& live) {
    for (SessionCategory& category : live.session.categories) {
        for (SessionKart& kart : category.karts) {
            if (kart.trackState != TrackState::Timing)
                continue;
            ++kart.elapsedMinutes;
            // At or past the booked minutes: a duration shortened while the
            // kart ran must still end its run.
            if (kart.elapsedMinutes >= kart.durationMinutes)
                kart.trackState = TrackState::Finished;
        }
    }
    live.rebuildBoardRows();
}

void SessionClock::endMinuteForTimingKarts(LiveTiming& live) {
    if (m_journal)
        m_journal->append(MinuteEndRecord{m_ticks.tickMs()});
    EndMinuteForTimingKarts(live);
    m_notifications.redrawBoard();
}

} // namespace tallimo::session
