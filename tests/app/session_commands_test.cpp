#include "app/core/session_commands.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::app {
namespace {

using namespace session;
using testing::RecordedMessage;

class SessionCommandsTest : public ::testing::Test {
protected:
    SessionCommandsTest() {
        fleet.categoryNames = {"Adultes", "Enfants", "", "", ""};
        for (int k = 0; k < 3; ++k) {
            fleet.kartIds[0][k] = KartLabelFor(0, k);
            fleet.kartIds[1][k] = KartLabelFor(1, k);
            transponders[0][k] = "00010" + std::to_string(k);
            transponders[1][k] = "00020" + std::to_string(k);
        }
        std::filesystem::create_directories(folder / "Private");
    }

    SessionKart& book(LiveTiming& into, int c, int k, const char* driver, TrackState state) {
        SessionKart& kart = into.session.kart(c, k);
        kart.usage = KartUsage::InSession;
        kart.trackState = state;
        kart.driverName = driver;
        kart.durationMinutes = 10;
        return kart;
    }

    testing::TemporaryFolder folder;
    common::WorkingFolder root{folder.path()};
    testing::RecordingMessageSink messages;
    FleetLayout fleet;
    FleetTransponders transponders;
    LiveTiming live;
};

TEST_F(SessionCommandsTest, SavingEndsTheRunsStillTimingAndNothingElse) {
    BuildSessionFromFleet(live.session, fleet);
    book(live, 0, 0, "Timing", TrackState::Timing);
    book(live, 0, 1, "Reserved", TrackState::Reserved);
    SessionKart& notInSession = live.session.kart(1, 0);
    notInSession.trackState = TrackState::Timing; // only karts in use end their run
    ASSERT_TRUE(SaveWorkingSession(root, live, messages));
    EXPECT_EQ(live.session.kart(0, 0).trackState, TrackState::Finished);
    EXPECT_EQ(live.session.kart(0, 1).trackState, TrackState::Reserved);
    EXPECT_EQ(notInSession.trackState, TrackState::Timing);

    RentalSession reread;
    SessionHeader header;
    ASSERT_TRUE(LoadSessionFile(root, reread, header));
    EXPECT_EQ(reread.kart(0, 0).trackState, TrackState::Finished);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(SessionCommandsTest, AFailedSaveCopyOrOpenIsReportedAndKeepsTheSession) {
    testing::TemporaryFolder other;
    other.write("plain-file", "");
    const common::WorkingFolder noPrivate{other / "plain-file"}; // no folder can be made under it
    book(live, 0, 0, "Kept", TrackState::Reserved);
    EXPECT_FALSE(SaveWorkingSession(noPrivate, live, messages));
    EXPECT_FALSE(CopyWorkingSessionTo(noPrivate, other / "copy.rent", messages));
    EXPECT_FALSE(std::filesystem::exists(other / "copy.rent"));
    const std::vector<RecordedMessage> expected(
        2, {"Error", "Error: 'Rental session' file not found"});
    EXPECT_EQ(messages.messages(), expected);
    EXPECT_FALSE(OpenUserSession(root, folder / "none.rent", fleet, transponders, live, messages));
    EXPECT_EQ(messages.messages().size(), 3u);
    EXPECT_EQ(live.session.kart(0, 0).driverName, "Kept");
}

TEST(UserSessionFiles, NamesAndTitles) {
    EXPECT_EQ(UserSessionFileName("/home/op/samedi"), "/home/op/samedi.rent");
    EXPECT_EQ(UserSessionFileName("/home/op/samedi.rent"), "/home/op/samedi.rent");
    EXPECT_EQ(MainWindowTitle(""), "Tallimo");
    EXPECT_EQ(MainWindowTitle("/home/op/samedi.rent"), "Tallimo:   /home/op/samedi.rent");
}

TEST_F(SessionCommandsTest, ANewSessionClearsTheKartsButKeepsLabelsAndFleetTransponders) {
    BuildSessionFromFleet(live.session, fleet);
    ApplyFleetTransponders(live.session, transponders);
    SessionKart& rental = book(live, 0, 1, "Martin", TrackState::Timing);
    rental.lapCount = 7;
    rental.passingTimes[3] = 99;
    SessionKart& privateKart = book(live, kPrivateCategoryIndex, 0, "Priv", TrackState::Reserved);
    privateKart.transponder = "004711";
    live.header = {1, 301, "Circuit", 9};

    StartNewSession(live);
    EXPECT_EQ(rental.kartLabel, "K2");
    EXPECT_EQ(rental.transponder, "000101");
    EXPECT_EQ(rental.usage, KartUsage::NotInSession);
    EXPECT_EQ(rental.trackState, TrackState::Finished);
    EXPECT_TRUE(rental.driverName.empty());
    EXPECT_EQ(rental.lapCount, 0);
    EXPECT_EQ(rental.passingTimes[3], 0);
    EXPECT_EQ(privateKart.kartLabel, "KP1");
    EXPECT_TRUE(privateKart.transponder.empty());
    EXPECT_EQ(live.header.selectedTreeItem, 10000);
    EXPECT_EQ(live.header.boardFrozen, 0);
    EXPECT_TRUE(live.header.trackName.empty());
    EXPECT_EQ(live.header.minLapSeconds, 2);
    EXPECT_EQ(live.boardRowCount, 3)
        << "the headings of the two categories and the private karts, no kart rows";
}

TEST_F(SessionCommandsTest, OpeningCarriesDriversOverByCategoryNameAndPosition) {
    // A file written when "Enfants" was the first category and "Adultes" the second.
    LiveTiming old;
    FleetLayout oldFleet = fleet;
    oldFleet.categoryNames = {"Enfants", "Adultes", "", "", ""};
    BuildSessionFromFleet(old.session, oldFleet);
    book(old, 0, 2, "Petit", TrackState::Reserved).transponder = "000777";
    book(old, 1, 0, "Grand", TrackState::Finished).lapCount = 4;
    SessionKart& privateKart = book(old, kPrivateCategoryIndex, 1, "Priv", TrackState::Reserved);
    privateKart.transponder = "004711";
    old.header = {0, 5, "Circuit des Pins", 12};
    ASSERT_TRUE(SaveSessionFileAs(folder / "samedi.rent", old.session, old.header));

    ASSERT_TRUE(OpenUserSession(root, folder / "samedi.rent", fleet, transponders, live, messages));
    EXPECT_EQ(live.session.kart(1, 2).driverName, "Petit");
    EXPECT_EQ(live.session.kart(1, 2).transponder, "000777");
    EXPECT_EQ(live.session.kart(1, 2).kartLabel, "K103") << "labels follow the current fleet";
    EXPECT_EQ(live.session.kart(0, 0).driverName, "Grand");
    EXPECT_EQ(live.session.kart(0, 0).lapCount, 4);
    EXPECT_EQ(live.session.kart(0, 1).transponder, "000101")
        << "the fleet fills what the file lacked";
    EXPECT_EQ(live.session.kart(kPrivateCategoryIndex, 1).transponder, "004711");
    EXPECT_EQ(live.header.trackName, "Circuit des Pins");
    EXPECT_EQ(live.header.minLapSeconds, 12);
    EXPECT_EQ(live.header.selectedTreeItem, 10000);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(SessionCommandsTest, ChangedCategoriesRenameRelabelAndClearTheSession) {
    BuildSessionFromFleet(live.session, fleet);
    book(live, 0, 0, "Stays", TrackState::Reserved);
    book(live, 1, 0, "Goes", TrackState::Reserved);
    databases::CategoryTable categories;
    databases::ClearCategories(categories);
    categories[0].name = "Adultes 390";
    categories[0].karts[0] = {"K1", "004711"};
    // "Enfants" was deleted: its slot is free now.
    ApplyCategoriesToSession(live.session, categories);
    EXPECT_EQ(live.session.categories[0].categoryName, "Adultes 390");
    EXPECT_EQ(live.session.kart(0, 0).driverName, "Stays");
    EXPECT_EQ(live.session.kart(0, 0).transponder, "004711");
    EXPECT_EQ(live.session.kart(0, 0).kartLabel, "K1");
    EXPECT_TRUE(live.session.categories[1].categoryName.empty());
    EXPECT_TRUE(live.session.kart(1, 0).driverName.empty());
    EXPECT_TRUE(live.session.kart(1, 0).kartLabel.empty());
    EXPECT_EQ(live.session.kart(kPrivateCategoryIndex, 0).kartLabel, "KP1")
        << "private karts are not the fleet's";
}

} // namespace
} // namespace tallimo::app
