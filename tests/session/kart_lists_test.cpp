#include "session/core/kart_lists.h"
#include "session/core/session_startup.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/recording_sound_player.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tallimo::session {
namespace {

// "Adultes" holds K1..K3; K3 is listed again under "Enfants" with another
// transponder.
struct Fleet {
    FleetLayout layout;
    FleetTransponderTable transponders;
    Fleet() {
        layout.categoryNames[0] = "Adultes";
        for (int k = 0; k < 3; ++k) {
            layout.kartIds[0][k] = KartLabelFor(0, k);
            transponders[0][k] = "00010" + std::to_string(k + 1);
        }
        transponders[0][1] = "";
        layout.categoryNames[2] = "Enfants";
        layout.kartIds[2][5] = "K3";
        transponders[2][5] = "009999";
    }
};

struct AddCase {
    const char* name;
    std::function<void(RentalSession&)> prepare;
    const char* kartId;
    KartListChange expected;
    const char* transponder; // of slot 1 or 2 after the add
};

class AddRentalKartTest : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddRentalKartTest, TakesTheKartOrRefusesIt) {
    const AddCase& c = GetParam();
    Fleet fleet;
    auto session = std::make_unique<RentalSession>();
    BuildSessionFromFleet(*session, fleet.layout);
    session->kart(0, 1).transponder = "000777";
    c.prepare(*session);
    testing::RecordingSoundPlayer sounds;
    testing::RecordingMessageSink messages;

    EXPECT_EQ(
        AddRentalKart(*session, 0, c.kartId, fleet.layout, fleet.transponders, sounds, messages),
        c.expected);
    EXPECT_TRUE(messages.messages().empty());
    const bool added = c.expected == KartListChange::Added;
    EXPECT_EQ(sounds.files(),
              added ? std::vector<std::string>{kKartListSound} : std::vector<std::string>{});
    const SessionKart& kart = session->kart(0, std::string(c.kartId) == "K3" ? 2 : 1);
    EXPECT_EQ(kart.transponder, c.transponder);
    if (added) {
        EXPECT_EQ(kart.trackState, TrackState::Free);
        EXPECT_EQ(kart.driverName, "");
        EXPECT_EQ(kart.loyaltyCode, kNoLoyaltyOffer);
        EXPECT_EQ(kart.passingTimes[3], 0);
    }
}

void StaleRun(RentalSession& s) {
    SessionKart& k3 = s.kart(0, 2);
    k3.driverName = "Durand";
    k3.loyaltyCode = 4;
    k3.passingTimes[3] = 61000;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddRentalKartTest,
    ::testing::Values(AddCase{"LastFleetEntryGivesTheTransponderAndTheRunIsCleared", StaleRun, "K3",
                              KartListChange::Added, "009999"},
                      AddCase{"KartMissingFromTheFleetKeepsItsTransponder",
                              [](RentalSession& s) { s.kart(0, 1).kartLabel = "K9"; }, "K9",
                              KartListChange::Added, "000777"},
                      AddCase{"ThirtyKartsUsedAlready",
                              [](RentalSession& s) {
                                  for (int k = 0; k < kKartsPerCategory; ++k)
                                      s.kart(0, k).usage = KartUsage::InSession;
                              },
                              "K99", KartListChange::ListFull, "000777"}),
    [](const ::testing::TestParamInfo<AddCase>& test) { return std::string(test.param.name); });

} // namespace
} // namespace tallimo::session
