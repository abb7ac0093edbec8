#pragma once

// The session clock decides when passings are timed. States: Stopped
// (never started), Starting (countdown and decoder handshake), Running and
// Paused (stopped after a first start). The first
// confirmed start takes the session's tick and counter bases; they are never
// taken again while the program runs, so every passing of the day shares
// one time base. One instance, owned by the main window and driven by its
// timer and its two buttons.

#include "common/core/high_res_counter.h"
#include "common/core/sound_player.h"
#include "common/core/tick_source.h"
#include "session/core/clock_decoder_side.h"
#include "session/core/lap_timing.h"
#include "session/core/live_timing.h"
#include "session/core/session_notifications.h"

#include <cstdint>
#include <string>

namespace tallimo::session {

class PassingJournal;

inline const char* const kSoundStart = "sons/nokia-sms.wav";
inline const char* const kSoundGo = "sons/foghorn.wav";
inline const char* const kSoundPause = "sons/truckhorn.wav";

inline const char* const kModelVela1 = "Tallimo";
inline const char* const kModelVela2Usb = "TallimoVela2";
inline const char* const kModelVela2Bluetooth = "TallimoVela2Bluetooth";

enum class ClockState { Stopped, Starting, Running, Paused };

// The end of a session minute for every timing kart: one more minute run,
// and the run over at its booked minutes. The clock and the journal's
// replay both go through it.
void EndMinuteForTimingKarts(LiveTiming& live);

class SessionClock {
public:
    SessionClock(const common::TickSource& ticks, const common::HighResCounter& counter,
                 common::SoundPlayer& sounds, ClockDecoderSide& decoder,
                 SessionNotifications& notifications);

    // The start button.
    void StartPressed();
    // The pause button; `userSessionFileKnown` decides whether "save" is
    // enabled again.
    void PausePressed(bool userSessionFileKnown);
    // Every timer tick, after the decoder's settings, keep-alive and
    // recovery work and before the passing assembly.
    void ClockTick(LiveTiming& live);

    // Starts, resumes, pauses and minute ends are journalled; none when null.
    void setJournal(PassingJournal* journal) { m_journal = journal; }
    // After a restart that restored the session from the journal: the
    // clock had started before, so it is paused on the same bases and the
    // next start resumes without resetting the decoder's clock, keeping
    // the runs on track timed on the clock their laps were timed on.
    void continueAfterRestore(std::uint32_t sessionStartTick, std::int64_t counterBase);

    // A new or opened session: duration 24:00, countdown and texts reset.
    // The first start's bases and `startedOnce` are kept.
    void resetForNewSession();

    ClockState state() const { return m_state; }
    // A start may be pressed again while starting (it restarts the
    // countdown), never while running.
    bool startAllowed() const { return m_state != ClockState::Running; }
    bool starting() const { return m_state == ClockState::Starting; }
    bool running() const { return m_state == ClockState::Running; }
    bool startedOnce() const { return m_startedOnce; }
    bool startConfirmed() const { return m_startConfirmed; }
    // Starting and the countdown is over: the decoder's handshake may run.
    bool countdownOver() const { return starting() && m_remainingCountdown <= 0; }

    std::uint32_t sessionStartTick() const { return m_sessionStartTick; }
    CounterTimeBase counterTimeBase() const;

    const std::string& durationText() const { return m_durationText; }
    const std::string& elapsedText() const { return m_elapsedText; }
    const std::string& remainingText() const { return m_remainingText; }

    int countdownSeconds() const { return m_countdownSeconds; }
    void setCountdownSeconds(int seconds) { m_countdownSeconds = seconds; }
    void setDuration(int hours, int minutes);

private:
    void tickStarting();
    void tickRunning(LiveTiming& live);
    void endMinuteForTimingKarts(LiveTiming& live);

    const common::TickSource& m_ticks;
    const common::HighResCounter& m_counter;
    common::SoundPlayer& m_sounds;
    ClockDecoderSide& m_decoder;
    SessionNotifications& m_notifications;

    ClockState m_state = ClockState::Stopped;
    bool m_startedOnce = false;
    bool m_startConfirmed = false;
    bool m_durationOverSignalled = false;

    int m_countdownSeconds = 0;
    std::uint32_t m_countdownStartTick = 0;
    int m_remainingCountdown = 0;

    int m_durationHours = 24;
    int m_durationMinutes = 0;

    std::uint32_t m_sessionStartTick = 0;
    std::int64_t m_sessionCounterBase = 0;

    int m_elapsedHours = 0, m_elapsedMinutes = 0, m_elapsedSeconds = 0, m_elapsedMs = 0;
    int m_remainingHours = 0, m_remainingMinutes = 0, m_remainingSeconds = 0;
    std::uint32_t m_lastDisplayUpdate = 0;

    std::string m_durationText = "24:00:00";
    std::string m_elapsedText = "0:00:00";
    std::string m_remainingText = "0:00:00";
    PassingJournal* m_journal = nullptr;
};

} // namespace tallimo::session
