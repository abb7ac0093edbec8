#include "session/core/session_clock.h"
#include "tests/session/recording_notifications.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/recording_sound_player.h"

#include <gtest/gtest.h>

namespace tallimo::session {
namespace {

using testing::FakeHighResCounter;
using testing::FakeTickSource;
using testing::PlayedSound;
using testing::RecordingNotifications;
using testing::RecordingSoundPlayer;

class FakeDecoderSide final : public ClockDecoderSide {
public:
    void clearAssemblers() override { ++clears; }
    void discardInput() override { ++discards; }
    std::string decoderModel() const override { return model; }
    bool clockResetHandshake() override {
        ++handshakeTicks;
        return handshakeTicks > rejectTicks;
    }

    std::string model = kModelVela1;
    int rejectTicks = 0;
    int clears = 0;
    int discards = 0;
    int handshakeTicks = 0;
};

class SessionClockTest : public ::testing::Test {
protected:
    SessionClockTest() : clock(ticks, counter, sounds, decoder, notifications) {}

    // The main window's timer: one call every 10 ms.
    void runFor(int ms) {
        for (int passed = 0; passed < ms; passed += 10) {
            ticks.advance(10);
            counter.advanceMs(10);
            clock.ClockTick(live);
        }
    }

    void startAndRun() {
        clock.StartPressed();
        runFor(10);
        ASSERT_TRUE(clock.running());
    }

    SessionKart& timingKart(int slot, int minutes) {
        SessionKart& kart = live.session.kart(0, slot);
        kart.kartLabel = KartLabelFor(0, slot);
        kart.usage = KartUsage::InSession;
        kart.trackState = TrackState::Timing;
        kart.durationMinutes = minutes;
        return kart;
    }

    FakeTickSource ticks;
    FakeHighResCounter counter;
    RecordingSoundPlayer sounds;
    FakeDecoderSide decoder;
    RecordingNotifications notifications;
    LiveTiming live;
    SessionClock clock;
};

TEST_F(SessionClockTest, StartGraysTheCommandsAndRunsOnTheNextTick) {
    live.session.categories[0].categoryName = "Adultes";
    clock.StartPressed();
    EXPECT_TRUE(clock.starting());
    EXPECT_FALSE(notifications.commandsEnabled);
    EXPECT_EQ(decoder.clears, 1);
    EXPECT_EQ(decoder.discards, 1);
    EXPECT_EQ(sounds.played(), (std::vector<PlayedSound>{{kSoundStart, false}}));

    const std::int64_t counterAtStart = counter.counter() + counter.frequency() / 100;
    runFor(10);
    EXPECT_TRUE(clock.running());
    EXPECT_FALSE(clock.startAllowed());
    EXPECT_TRUE(clock.startedOnce());
    EXPECT_EQ(clock.sessionStartTick(), ticks.tickMs());
    EXPECT_EQ(clock.counterTimeBase().counterBase, counterAtStart);
    EXPECT_EQ(sounds.played().back(), (PlayedSound{kSoundGo, true}));
}

TEST_F(SessionClockTest, CountdownHoldsTheStartAndDrainsTheInput) {
    clock.setCountdownSeconds(3);
    clock.StartPressed();
    runFor(2900);
    EXPECT_TRUE(clock.starting());
    EXPECT_GT(decoder.discards, 250);
    runFor(200);
    EXPECT_TRUE(clock.running());
}

TEST_F(SessionClockTest, FramedDecoderStartsOnlyWhenItsClockResetIsAcknowledged) {
    decoder.model = kModelVela2Usb;
    decoder.rejectTicks = 3;
    clock.StartPressed();
    runFor(30);
    EXPECT_TRUE(clock.starting());
    EXPECT_TRUE(clock.countdownOver());
    runFor(10);
    EXPECT_TRUE(clock.running());
    EXPECT_EQ(decoder.handshakeTicks, 4);
}

TEST_F(SessionClockTest, ResumeKeepsTheFirstStartsBasesAndSkipsTheReset) {
    decoder.model = kModelVela2Bluetooth;
    startAndRun();
    const std::uint32_t startTick = clock.sessionStartTick();
    const std::int64_t base = clock.counterTimeBase().counterBase;

    clock.PausePressed(true);
    EXPECT_EQ(clock.state(), ClockState::Paused);
    EXPECT_TRUE(clock.startAllowed());
    EXPECT_TRUE(notifications.commandsEnabled);
    EXPECT_TRUE(notifications.saveCommandEnabled);
    EXPECT_EQ(sounds.played().back(), (PlayedSound{kSoundPause, true}));

    runFor(5000);
    clock.resetForNewSession(); // a new session in between changes nothing
    const int handshakes = decoder.handshakeTicks;
    clock.StartPressed();
    runFor(10);
    EXPECT_TRUE(clock.running());
    EXPECT_EQ(decoder.handshakeTicks, handshakes);
    EXPECT_EQ(clock.sessionStartTick(), startTick);
    EXPECT_EQ(clock.counterTimeBase().counterBase, base);
}

TEST_F(SessionClockTest, AfterARestoreTheStartResumesOnTheRestoredBases) {
    // The program restarted after a crash: the decoder's clock kept running
    // since the first start, so it must not be reset.
    decoder.model = kModelVela2Usb;
    runFor(1000);
    clock.continueAfterRestore(400, 123456);
    EXPECT_EQ(clock.state(), ClockState::Paused);
    EXPECT_TRUE(clock.startedOnce());

    clock.StartPressed();
    runFor(10);
    EXPECT_TRUE(clock.running());
    EXPECT_EQ(decoder.handshakeTicks, 0);
    EXPECT_EQ(clock.sessionStartTick(), 400u);
    EXPECT_EQ(clock.counterTimeBase().counterBase, 123456);
}

TEST_F(SessionClockTest, WithoutAKnownDecoderTheStartWaitsUntilPaused) {
    decoder.model = "";
    clock.StartPressed();
    runFor(1000);
    EXPECT_TRUE(clock.starting());
    clock.PausePressed(false);
    // Never started: back to stopped, not paused.
    EXPECT_EQ(clock.state(), ClockState::Stopped);
    EXPECT_TRUE(clock.startAllowed());
    EXPECT_TRUE(notifications.commandsEnabled);
    EXPECT_FALSE(notifications.saveCommandEnabled);
    // Cancelling a start is not a pause: no horn.
    EXPECT_EQ(sounds.played().size(), 1U);
}

TEST_F(SessionClockTest, StartButtonDoesNothingWhileRunning) {
    startAndRun();
    const std::size_t soundsBefore = sounds.played().size();
    clock.StartPressed();
    EXPECT_TRUE(clock.running());
    EXPECT_FALSE(clock.starting());
    EXPECT_EQ(sounds.played().size(), soundsBefore);
    EXPECT_EQ(decoder.clears, 2); // the assemblers are still cleared
}

TEST_F(SessionClockTest, TextsShowElapsedAndRemainingTimeRoundedUp) {
    EXPECT_EQ(clock.durationText(), "24:00:00");
    EXPECT_EQ(clock.elapsedText(), "0:00:00");
    startAndRun();
    // Texts change once a second, just after the second begins.
    runFor(60050);
    EXPECT_EQ(clock.elapsedText(), "0:01:00");
    EXPECT_EQ(clock.remainingText(), "23:59:00");
    runFor(1000);
    EXPECT_EQ(clock.elapsedText(), "0:01:01");
    EXPECT_EQ(clock.remainingText(), "23:58:59");
    EXPECT_GE(notifications.clockRedraws, 60);
    EXPECT_LE(notifications.clockRedraws, 62);
}

// Each session minute, just after it begins, adds one to the karts timing.
TEST_F(SessionClockTest, ATimingKartCountsSessionMinutesAndWithoutPassingsEndsAtItsLast) {
    SessionKart& kart = timingKart(0, 10);
    SessionKart& shortened = timingKart(1, 5);
    shortened.elapsedMinutes = 6; // the booking was cut while the kart ran
    SessionKart& reserved = timingKart(2, 10);
    reserved.trackState = TrackState::Reserved;
    startAndRun();
    runFor(60500);
    EXPECT_EQ(kart.elapsedMinutes, 1);
    EXPECT_EQ(shortened.trackState, TrackState::Finished) << "ends at the next minute";
    runFor(59000);
    EXPECT_EQ(kart.elapsedMinutes, 1);
    runFor(7 * 60000 + 1000);
    EXPECT_EQ(kart.trackState, TrackState::Timing);
    runFor(60000);
    EXPECT_EQ(kart.elapsedMinutes, 10);
    EXPECT_EQ(kart.trackState, TrackState::Finished);
    runFor(60000);
    EXPECT_EQ(kart.elapsedMinutes, 10);
    EXPECT_EQ(reserved.elapsedMinutes, 0);
}

TEST_F(SessionClockTest, EndOfTheSessionDurationSoundsTheHornOnce) {
    clock.setDuration(0, 2);
    startAndRun();
    runFor(125000);
    const std::string frozen = clock.remainingText();
    runFor(30000);
    int horns = 0;
    for (const PlayedSound& sound : sounds.played())
        horns += sound.file == kSoundGo ? 1 : 0;
    EXPECT_EQ(horns, 2); // the start and the end of the duration
    EXPECT_EQ(clock.remainingText(), frozen);
    EXPECT_EQ(clock.elapsedText(), "0:02:00");
}

TEST_F(SessionClockTest, ElapsedTimeSurvivesTheTickCounterWrapping) {
    ticks.set(0xFFFFFFFFu - 5000);
    startAndRun();
    runFor(61050);
    EXPECT_EQ(clock.elapsedText(), "0:01:01");
}

} // namespace
} // namespace tallimo::session
