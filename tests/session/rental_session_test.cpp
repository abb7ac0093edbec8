#include "session/core/rental_session.h"

#include <gtest/gtest.h>

namespace tallimo::session {
namespace {

void Pass(RentalSession& session, int c, int k, std::int64_t time, std::int32_t lapTime) {
    SessionKart& kart = session.kart(c, k);
    kart.runtime.passingTime = time;
    kart.runtime.currentLapTime = lapTime;
    RecordLap(session, c, k);
}

TEST(RentalSessionTest, KartLabelsFollowCategoryAndSlot) {
    const std::pair<int, int> kSlots[] = {{0, 0}, {0, 29}, {4, 0}, {5, 29}};
    const char* const kLabels[] = {"K1", "K30", "K401", "KP30"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(KartLabelFor(kSlots[i].first, kSlots[i].second), kLabels[i]);
}

TEST(RentalSessionTest, ResetKeepsLapTimingsWorkingFieldsOnly) {
    RentalSession session;
    SessionKart& kart = session.kart(1, 3);
    kart.driverName = "Rossi";
    kart.usage = KartUsage::InSession;
    kart.loyaltyCode = 4;
    kart.lapTimes[2] = 40000;
    kart.runtime.startTime = 5000;
    ResetSessionKeepRuntime(session);
    EXPECT_TRUE(kart.driverName.empty());
    EXPECT_EQ(kart.usage, KartUsage::NotInSession);
    EXPECT_EQ(kart.loyaltyCode, -1);
    EXPECT_EQ(kart.lapTimes[2], 0);
    EXPECT_EQ(kart.runtime.startTime, 5000);
    ClearSession(session);
    EXPECT_EQ(kart.runtime.startTime, 0);
}

TEST(RecordLapTest, ADamagedLapIndexNeverWritesOutsideTheRecord) {
    RentalSession session;
    SessionKart& kart = session.kart(0, 0);
    kart.runtime.startTime = 1000;
    kart.lastLapIndex = 250;
    Pass(session, 0, 0, 61000, 30000);
    EXPECT_EQ(kart.lastLapIndex, kMaxLapIndex);
    EXPECT_EQ(kart.passingTimes[kMaxLapIndex], 60000);
    kart.lastLapIndex = -7;
    Pass(session, 0, 0, 91000, 30000);
    EXPECT_EQ(kart.lastLapIndex, 0);
}

TEST(MarkSessionBestTest, TheLaterOfEqualTimesTakesTheMark) {
    RentalSession session;
    std::int32_t mark = kInitialBestLapMark;
    session.kart(0, 0).bestLap = 40000;
    MarkSessionBest(mark, session, 0, 0);
    EXPECT_EQ(mark, 40000);
    session.kart(3, 7).bestLap = 40000;
    MarkSessionBest(mark, session, 3, 7);
    EXPECT_EQ(session.kart(0, 0).runtime.sessionBestHolder, 0);
    EXPECT_EQ(session.kart(3, 7).runtime.sessionBestHolder, 1);
    // No lap yet, or a slower one: the mark stays.
    session.kart(1, 0).bestLap = 0;
    MarkSessionBest(mark, session, 1, 0);
    session.kart(1, 1).bestLap = 41000;
    MarkSessionBest(mark, session, 1, 1);
    EXPECT_EQ(mark, 40000);
    EXPECT_EQ(session.kart(3, 7).runtime.sessionBestHolder, 1);
}

class CarryOverTest : public ::testing::Test {
protected:
    CarryOverTest() {
        fresh.categories[0].categoryName = "Adultes";
        fresh.categories[1].categoryName = "Juniors";
        fleet.kartIds[0][0] = "K1";
        fleet.kartIds[0][1] = "K2";
        fleet.kartIds[1][0] = "K101";
        old.categories[2].categoryName = "Adultes"; // moved to another index
        old.categories[0].categoryName = "Juniors";
        fillOld(2, 0, "Durand");
        fillOld(2, 1, "Martin");
        fillOld(2, 2, "Petit"); // no kart at this position in the fleet
        fillOld(0, 0, "Rossi");
    }

    void fillOld(int c, int k, const char* name) {
        SessionKart& kart = old.kart(c, k);
        kart.kartLabel = "OLD";
        kart.transponder = "999999";
        kart.driverName = name;
        kart.usage = KartUsage::InSession;
        kart.trackState = TrackState::Timing;
        kart.lastLapIndex = 2;
        kart.passingTimes[2] = 90000;
        kart.lapTimes[2] = 45000;
        kart.runtime.startTime = 123;
    }

    RentalSession fresh, old;
    FleetLayout fleet;
};

TEST_F(CarryOverTest, CopiesDriversByCategoryNameWhereTheFleetHasAKart) {
    fresh.kart(0, 0).kartLabel = "K1";
    fresh.kart(0, 0).transponder = "000001";
    CarryOverDrivers(fresh, old, fleet);
    const SessionKart& k1 = fresh.kart(0, 0);
    EXPECT_EQ(k1.driverName, "Durand");
    EXPECT_EQ(k1.trackState, TrackState::Timing);
    EXPECT_EQ(k1.passingTimes[2], 90000);
    EXPECT_EQ(k1.kartLabel, "K1");
    EXPECT_EQ(k1.transponder, "000001");
    EXPECT_EQ(k1.lapTimes[2], 0);
    EXPECT_EQ(k1.runtime.startTime, 0);
    EXPECT_EQ(fresh.kart(0, 1).driverName, "Martin");
    EXPECT_TRUE(fresh.kart(0, 2).driverName.empty());
    EXPECT_EQ(fresh.kart(1, 0).driverName, "Rossi");
}

TEST_F(CarryOverTest, TheLastCategoryOfTheSameNameWinsWithItsEmptySlots) {
    old.categories[4].categoryName = "Adultes";
    fillOld(4, 0, "Bernard");
    CarryOverDrivers(fresh, old, fleet);
    EXPECT_EQ(fresh.kart(0, 0).driverName, "Bernard");
    EXPECT_TRUE(fresh.kart(0, 1).driverName.empty());
}

TEST_F(CarryOverTest, PrivateKartsAreCopiedWithTheirTransponder) {
    fillOld(5, 4, "Garcia");
    fresh.kart(5, 4).kartLabel = "KP5";
    CarryOverDrivers(fresh, old, fleet);
    EXPECT_TRUE(fresh.kart(5, 4).driverName.empty());
    CopyPrivateKarts(fresh, old);
    EXPECT_EQ(fresh.kart(5, 4).driverName, "Garcia");
    EXPECT_EQ(fresh.kart(5, 4).transponder, "999999");
    EXPECT_EQ(fresh.kart(5, 4).kartLabel, "KP5");
}

} // namespace
} // namespace tallimo::session
