#include "session/core/board_rows.h"

#include <gtest/gtest.h>

namespace tallimo::session {
namespace {

SessionKart& Put(RentalSession& session, int c, int k, KartUsage usage, TrackState state) {
    SessionKart& kart = session.kart(c, k);
    kart.kartLabel = KartLabelFor(c, k);
    kart.usage = usage;
    kart.trackState = state;
    return kart;
}

TEST(BoardRowsTest, HeadingThenReservedTimingAndFinishedKarts) {
    RentalSession session;
    session.categories[0].categoryName = "Adultes";
    session.categories[5].categoryName = kPrivateCategoryName;
    Put(session, 0, 0, KartUsage::InSession, TrackState::Finished);
    Put(session, 0, 1, KartUsage::InSession, TrackState::Timing).lapCount = 4;
    Put(session, 0, 2, KartUsage::InSession, TrackState::Reserved);
    Put(session, 0, 3, KartUsage::InSession, TrackState::Free);
    Put(session, 0, 4, KartUsage::BrokenDown, TrackState::Finished);
    Put(session, 0, 5, KartUsage::InSession, TrackState::Timing).runtime.lapJustDone = 1;
    Put(session, 5, 0, KartUsage::InSession, TrackState::Reserved);

    BoardRows rows;
    ClearBoardRows(rows);
    ASSERT_EQ(BuildBoardRows(rows, session, 0), 7);
    const std::vector<std::string> labels = {"", "K3", "K2", "K6", "K1", "", "KP1"};
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(rows[r].kartLabel, labels[r]) << r;
    EXPECT_TRUE(rows[0].heading);
    EXPECT_EQ(BoardRowStateNumber(rows[0]), kBoardRowHeading);
    EXPECT_EQ(rows[5].categoryIndex, 5);
    EXPECT_TRUE(rows[1].laps.empty()); // reserved: no times
    EXPECT_EQ(rows[2].laps, "4");
    EXPECT_EQ(rows[2].totalTime, "0:00.000");
    EXPECT_EQ(rows[3].lapJustDone, 1);
    EXPECT_EQ(rows[7].categoryIndex, -1);
}

TEST(BoardRowsTest, NeverMoreThanTheBoardHolds) {
    RentalSession session;
    for (int c = 0; c < kCategoryCount; ++c) {
        session.categories[c].categoryName = "C";
        for (int k = 0; k < kKartsPerCategory; ++k)
            Put(session, c, k, KartUsage::InSession, TrackState::Timing);
    }
    BoardRows rows;
    EXPECT_EQ(BuildBoardRows(rows, session, 0), kBoardRowCapacity);
    EXPECT_EQ(rows[kBoardRowCapacity - 1].categoryIndex, 5);
}

TEST(BoardRowsTest, DriverTextShortensLongFirstNames) {
    SessionKart kart;
    kart.driverName = "Dupont";
    kart.driverFirstName = "Louis";
    EXPECT_EQ(BoardDriverText(kart), "Dupont Louis");
    kart.driverFirstName = "Louise";
    EXPECT_EQ(BoardDriverText(kart), "Dupont Louis.");
    kart.driverFirstName = "";
    EXPECT_EQ(BoardDriverText(kart), "Dupont ");
}

} // namespace
} // namespace tallimo::session
