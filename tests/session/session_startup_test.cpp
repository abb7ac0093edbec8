#include "session/core/session_file.h"
#include "session/core/session_startup.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::session {
namespace {

using testing::RecordedMessage;
using testing::RecordingMessageSink;
using testing::TemporaryFolder;

const RecordedMessage kSessionError{kSessionFileErrorCaption, kSessionFileErrorText};

FleetLayout TwoCategoryFleet() {
    FleetLayout fleet;
    fleet.categoryNames[0] = "Adultes";
    fleet.categoryNames[2] = "Enfants";
    return fleet;
}

class SessionStartupTest : public ::testing::Test {
protected:
    // A session as the program left it: drivers, laps, a booking.
    void writePreviousSession() {
        RentalSession previous;
        BuildSessionFromFleet(previous, TwoCategoryFleet());
        SessionKart& k3 = previous.kart(0, 2);
        k3.transponder = "004711";
        k3.driverName = "Durand";
        k3.usage = KartUsage::InSession;
        k3.trackState = TrackState::Timing;
        k3.lastLapIndex = 2;
        k3.lapCount = 2;
        previous.kart(2, 0).usage = KartUsage::BrokenDown;
        SessionHeader header;
        header.trackName = "Piste du lac";
        header.minLapSeconds = 12;
        header.selectedTreeItem = 203;
        ASSERT_TRUE(SaveSessionFile(common::WorkingFolder(folder.path()), previous, header));
    }

    StartupOutcome start() {
        return RebuildSessionAtStartup(common::WorkingFolder(folder.path()), TwoCategoryFleet(),
                                       live, messages);
    }

    TemporaryFolder folder;
    LiveTiming live;
    RecordingMessageSink messages;
};

TEST_F(SessionStartupTest, KeepsUsageAndHeaderButNoRunData) {
    writePreviousSession();
    const std::string previousBytes = folder.read(kSessionFileName);
    const StartupOutcome outcome = start();
    EXPECT_TRUE(outcome.sessionLoaded && outcome.sessionSaved && outcome.crashCopyWritten);
    EXPECT_TRUE(messages.messages().empty());

    EXPECT_EQ(folder.read(kCrashCopyFileName), previousBytes);
    const SessionKart& k3 = live.session.kart(0, 2);
    EXPECT_EQ(k3.kartLabel, "K3");
    EXPECT_EQ(k3.usage, KartUsage::InSession);
    EXPECT_EQ(k3.trackState, TrackState::Free);
    EXPECT_TRUE(k3.transponder.empty());
    EXPECT_TRUE(k3.driverName.empty());
    EXPECT_EQ(k3.lastLapIndex, 0);
    EXPECT_EQ(live.session.kart(2, 0).usage, KartUsage::BrokenDown);
    EXPECT_EQ(live.session.categories[1].categoryName, "");
    EXPECT_EQ(live.session.kart(1, 0).kartLabel, "");
    EXPECT_EQ(live.session.categories[5].categoryName, kPrivateCategoryName);
    EXPECT_EQ(live.session.kart(5, 29).kartLabel, "KP30");
    EXPECT_EQ(live.header.trackName, "Piste du lac");
    EXPECT_EQ(live.header.minLapSeconds, 12);
    EXPECT_EQ(live.header.selectedTreeItem, 203);

    // The rebuilt session is what the file now holds.
    RentalSession reloaded;
    SessionHeader header;
    ASSERT_TRUE(LoadSessionFile(common::WorkingFolder(folder.path()), reloaded, header));
    EXPECT_EQ(reloaded.kart(0, 2).usage, KartUsage::InSession);
    EXPECT_TRUE(reloaded.kart(0, 2).driverName.empty());
}

TEST_F(SessionStartupTest, ASecondRestartKeepsTheCrashCopyOfTheLostSession) {
    writePreviousSession();
    const std::string crashed = folder.read(kSessionFileName);
    start();
    LiveTiming again;
    RebuildSessionAtStartup(common::WorkingFolder(folder.path()), TwoCategoryFleet(), again,
                            messages);
    EXPECT_EQ(folder.read(kCrashCopyFileName), crashed);
    EXPECT_TRUE(messages.messages().empty());
}

TEST(HoldsRunDataTest, TranspondersAloneAreNotRunData) {
    RentalSession session;
    BuildSessionFromFleet(session, TwoCategoryFleet());
    session.kart(0, 0).transponder = "000100";
    session.kart(0, 0).usage = KartUsage::InSession;
    session.kart(0, 0).trackState = TrackState::Free;
    EXPECT_FALSE(HoldsRunData(session));
    const std::vector<std::pair<const char*, void (*)(SessionKart&)>> runs = {
        {"a driver", [](SessionKart& k) { k.driverName = "Durand"; }},
        {"a booking", [](SessionKart& k) { k.durationMinutes = 10; }},
        {"a lap count", [](SessionKart& k) { k.lapCount = 1; }},
        {"a passing time", [](SessionKart& k) { k.passingTimes[0] = 1200; }},
        {"a reserved kart", [](SessionKart& k) { k.trackState = TrackState::Reserved; }},
    };
    for (const auto& [what, set] : runs) {
        RentalSession one = session;
        set(one.kart(0, 0));
        EXPECT_TRUE(HoldsRunData(one)) << what;
    }
}

TEST_F(SessionStartupTest, ADamagedSessionFileIsKeptInTheCrashCopyAndReported) {
    writePreviousSession();
    const std::string damaged = "\xFF" + folder.read(kSessionFileName);
    folder.write(kSessionFileName, damaged);
    folder.write(kCrashCopyFileName, "an older copy");
    const StartupOutcome outcome = start();
    EXPECT_TRUE(outcome.sessionDamaged && outcome.crashCopyWritten);
    EXPECT_EQ(folder.read(kCrashCopyFileName), damaged);
    EXPECT_EQ(messages.messages(),
              (std::vector<RecordedMessage>{{kSessionFileErrorCaption, kDamagedSessionFileText}}));
    EXPECT_EQ(live.session.kart(0, 0).kartLabel, "K1") << "the session is rebuilt";

    // The next start finds a whole session without runs: the copy stays.
    LiveTiming again;
    RebuildSessionAtStartup(common::WorkingFolder(folder.path()), TwoCategoryFleet(), again,
                            messages);
    EXPECT_EQ(folder.read(kCrashCopyFileName), damaged);
    EXPECT_EQ(messages.messages().size(), 1u);
}

TEST_F(SessionStartupTest, MissingSessionFileIsReportedAndANewOneWritten) {
    const StartupOutcome outcome = start();
    EXPECT_FALSE(outcome.sessionLoaded);
    EXPECT_TRUE(outcome.sessionSaved);
    EXPECT_FALSE(outcome.crashCopyWritten);
    EXPECT_EQ(messages.messages(), std::vector<RecordedMessage>{kSessionError});
    EXPECT_EQ(live.header.minLapSeconds, 2);
    EXPECT_EQ(live.header.selectedTreeItem, 10000);
    EXPECT_TRUE(std::filesystem::exists(folder / kSessionFileName));
}

TEST_F(SessionStartupTest, UnwritableSessionFileIsReportedAndTheSessionKept) {
    // "Private" is a file: nothing can be written under it.
    folder.write("Private", "not a folder");
    const StartupOutcome outcome = start();
    EXPECT_FALSE(outcome.sessionSaved);
    EXPECT_EQ(messages.messages(), (std::vector<RecordedMessage>{kSessionError, kSessionError}));
    EXPECT_EQ(live.session.kart(0, 0).kartLabel, "K1");
    EXPECT_EQ(folder.read("Private"), "not a folder");
}

} // namespace
} // namespace tallimo::session
