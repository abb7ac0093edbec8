#include "session/core/lap_timing.h"
#include "tests/session/recording_notifications.h"
#include "tests/support/recording_sound_player.h"

#include <gtest/gtest.h>

namespace tallimo::session {
namespace {

using testing::RecordingNotifications;
using testing::RecordingSoundPlayer;
using Sounds = std::vector<std::string>;

class LapTimingTest : public ::testing::Test {
protected:
    LapTimingTest() {
        live.session.categories[0].categoryName = "Adultes";
        live.header.minLapSeconds = 2;
        book(0, 0, "000123", 10);
    }

    SessionKart& book(int category, int slot, const char* transponder, int minutes) {
        SessionKart& kart = live.session.kart(category, slot);
        kart.kartLabel = KartLabelFor(category, slot);
        kart.transponder = transponder;
        kart.driverName = "Martin";
        kart.driverFirstName = "Lucie";
        kart.usage = KartUsage::InSession;
        kart.trackState = TrackState::Reserved;
        kart.durationMinutes = minutes;
        return kart;
    }

    void pass(std::int64_t ms, const char* transponder = "000123") {
        common::Passing passing;
        passing.transponder = transponder;
        passing.timeMs = ms;
        ProcessPassing(live, passing, base, sounds, notifications);
    }

    SessionKart& k1() { return live.session.kart(0, 0); }

    LiveTiming live;
    CounterTimeBase base;
    RecordingSoundPlayer sounds;
    RecordingNotifications notifications;
};

TEST_F(LapTimingTest, FirstPassingStartsTheRunAndPassingsWithinTheMinimumLapAreIgnored) {
    pass(5000);
    EXPECT_EQ(k1().runtime.startTime, 5000);
    EXPECT_EQ(k1().trackState, TrackState::Timing);
    EXPECT_EQ(notifications.acceptedLaps, std::vector<std::string>{"K1"});
    // The kart now shows under "timing", its lap flag already cleared on
    // the record but painted from the row.
    ASSERT_EQ(live.boardRowCount, 2);
    EXPECT_EQ(live.boardRows[1].state, TrackState::Timing);
    EXPECT_EQ(live.boardRows[1].lapJustDone, 1);
    EXPECT_EQ(k1().runtime.lapJustDone, 0);
    pass(6500);
    EXPECT_EQ(k1().lastLapIndex, 0);
    EXPECT_EQ(k1().lapCount, 0);
    EXPECT_EQ(sounds.files(), Sounds{kSoundBeep});
    EXPECT_EQ(notifications.boardRedraws, 1);

    pass(8000);
    EXPECT_EQ(k1().lastLapIndex, 1);
    EXPECT_EQ(k1().lapCount, 1);
    EXPECT_EQ(k1().lapTimes[1], 3000);
    EXPECT_EQ(k1().passingTimes[1], 3000);
    EXPECT_EQ(k1().totalTime, 3000);
    EXPECT_EQ(k1().bestLap, 3000);
    EXPECT_EQ(k1().runtime.newPersonalBest, 0);
    EXPECT_EQ(sounds.files(), (Sounds{kSoundBeep, kSoundBeep}));
}

TEST_F(LapTimingTest, ShortLapWarningIsNotRepeatedWithinASecond) {
    live.header.minLapSeconds = 30;
    pass(1000);
    pass(11000);       // 10 s after the start passing: too short, warns
    pass(11500);       // half a second later: silent
    pass(13500);       // two seconds after the warning: warns again
    pass(1000 + 1500); // under 2 s since the counted passing: never warns
    EXPECT_EQ(sounds.files(), (Sounds{kSoundBeep, kSoundBuzz, kSoundBuzz}));
    EXPECT_EQ(k1().lastLapIndex, 0);
    pass(32000); // 31 s: a lap
    EXPECT_EQ(k1().lastLapIndex, 1);
}

TEST_F(LapTimingTest, OnlyAStrictlyFasterLapIsAPersonalBest) {
    pass(10000);
    pass(55000);  // 45 000
    pass(99000);  // 44 000: better
    pass(143000); // 44 000: equal
    EXPECT_EQ(k1().bestLap, 44000);
    EXPECT_EQ(sounds.files(), (Sounds{kSoundBeep, kSoundBeep, kSoundPersonalBest, kSoundBeep}));
}

TEST_F(LapTimingTest, TheHundredthLapIsNotCountedButStillRefreshes) {
    k1().durationMinutes = 1000;
    std::int64_t t = 10000;
    pass(t);
    for (int lap = 1; lap <= 99; ++lap)
        pass(t += 30000 + lap); // slower each lap: no personal best
    ASSERT_EQ(k1().lastLapIndex, 99);
    const int redraws = notifications.boardRedraws;
    sounds.clear();
    pass(t += 30000);
    EXPECT_EQ(k1().lastLapIndex, 99);
    EXPECT_EQ(k1().lapCount, 99);
    EXPECT_EQ(notifications.boardRedraws, redraws + 1);
    EXPECT_EQ(sounds.files(), Sounds{kSoundBeep});
}

TEST_F(LapTimingTest, EveryKartCarryingTheTransponderIsTimed) {
    book(2, 4, "000123", 10);
    book(5, 0, "000999", 10);
    pass(5000);
    EXPECT_EQ(k1().runtime.startTime, 5000);
    EXPECT_EQ(live.session.kart(2, 4).runtime.startTime, 5000);
    EXPECT_EQ(live.session.kart(5, 0).runtime.startTime, 0);
    EXPECT_EQ(notifications.acceptedLaps, (std::vector<std::string>{"K1", "K205"}));
    EXPECT_EQ(sounds.files().size(), 2U);
}

TEST_F(LapTimingTest, FreeBrokenAndUnknownKartsAreNeverTimed) {
    k1().trackState = TrackState::Free;
    SessionKart& broken = book(0, 1, "000456", 10);
    broken.usage = KartUsage::BrokenDown;
    pass(5000);
    pass(5000, "000456");
    pass(5000, "065535");
    EXPECT_EQ(k1().runtime.startTime, 0);
    EXPECT_EQ(broken.runtime.startTime, 0);
    EXPECT_TRUE(sounds.played().empty());
    EXPECT_EQ(notifications.boardRedraws, 0);
}

TEST_F(LapTimingTest, RunEndsWhenTheBookedMinutesAreUsed) {
    k1().durationMinutes = 1;
    pass(1000);
    pass(31000);
    EXPECT_EQ(k1().trackState, TrackState::Timing);
    pass(61000); // total 60 000 = 1 minute
    EXPECT_EQ(k1().trackState, TrackState::Finished);
    EXPECT_EQ(k1().elapsedMinutes, 1);
    // A finished kart keeps being told at each lap that its run is over.
    pass(91000);
    EXPECT_EQ(k1().lastLapIndex, 3);
    EXPECT_EQ(k1().trackState, TrackState::Finished);
    EXPECT_EQ(sounds.files(), (Sounds{kSoundBeep, kSoundBeep, kSoundRunOver, kSoundRunOver}));

    // Booked for no minutes, the run is over at its start passing.
    book(0, 1, "000200", 0);
    pass(100000, "000200");
    EXPECT_EQ(live.session.kart(0, 1).trackState, TrackState::Finished);
    EXPECT_EQ(sounds.files().back(), kSoundRunOver);
}

TEST_F(LapTimingTest, BestLapMarkOutlivesTheSession) {
    live.bestLapMark = 30000; // set by an earlier session of the day
    pass(1000);
    pass(36000); // 35 000: not the day's best
    EXPECT_EQ(k1().runtime.sessionBestHolder, 0);
    EXPECT_EQ(live.bestLapMark, 30000);
    pass(66000); // 30 000: equal, takes the mark
    EXPECT_EQ(k1().runtime.sessionBestHolder, 1);

    SessionKart& other = book(0, 1, "000200", 10);
    pass(2000, "000200");
    pass(32000, "000200"); // also 30 000: the later kart takes it
    EXPECT_EQ(other.runtime.sessionBestHolder, 1);
    EXPECT_EQ(k1().runtime.sessionBestHolder, 0);
}

TEST_F(LapTimingTest, CounterTimedPassingsUseTheSessionBase) {
    base = CounterTimeBase{1000000, 1000000}; // counts in microseconds
    common::Passing passing;
    passing.transponder = "000123";
    passing.timedByCounter = true;
    passing.counter = 1000000 + 5000000; // 5 s after the base
    ProcessPassing(live, passing, base, sounds, notifications);
    EXPECT_EQ(k1().runtime.startTime, 5000);
    EXPECT_EQ(k1().runtime.lastPassingCounter, passing.counter);

    // Without a frequency the previous passing time stays: no lap.
    base.frequency = 0;
    passing.counter += 40000000;
    ProcessPassing(live, passing, base, sounds, notifications);
    EXPECT_EQ(k1().lastLapIndex, 0);
    EXPECT_EQ(k1().runtime.passingTime, 5000);
}

} // namespace
} // namespace tallimo::session
