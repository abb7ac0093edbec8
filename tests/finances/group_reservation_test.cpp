#include "finances/core/reservation_editor.h"
#include "tests/support/recording_message_sink.h"

#include <gtest/gtest.h>

namespace tallimo::finances {
namespace {

using testing::RecordedMessage;
using testing::RecordingMessageSink;

class NoQuestions final : public OperatorQuestions {
public:
    bool ask(const std::string& text) override {
        ADD_FAILURE() << "unexpected question: " << text;
        return false;
    }
};

// Three free karts and one on the track; 10 minutes for 10, no discount.
class GroupKartChoiceTest : public ::testing::Test {
protected:
    GroupKartChoiceTest() {
        data.categoryNames[0] = "Adultes";
        data.prices.rentalPrices[0][0] = {10, 10, 0};
        for (int slot = 0; slot < 4; ++slot)
            rental.kart(0, slot).trackState =
                slot < 3 ? session::TrackState::Free : session::TrackState::Timing;
    }

    void book(int slot, const char* name) {
        ASSERT_TRUE(group.chooseKart(slot));
        group.holdDriver(name, "");
        ASSERT_TRUE(group.add());
    }

    BookingData data;
    session::RentalSession rental;
    RecordingMessageSink messages;
    NoQuestions questions;
    GroupReservation group{data, rental, 0, common::DateIndex{10, 5, 126}, messages, questions};
};

TEST_F(GroupKartChoiceTest, ARefusedKartLeavesNoKartForAddToLandOn) {
    EXPECT_FALSE(group.chooseKart(-1)) << "the empty item, before any duration: no word";
    ASSERT_TRUE(group.chooseDuration(0));
    ASSERT_TRUE(group.chooseKart(1));
    EXPECT_FALSE(group.chooseKart(-1));
    group.holdDriver("Dupont", "");
    EXPECT_FALSE(group.add());
    ASSERT_TRUE(group.chooseKart(1));
    EXPECT_FALSE(group.chooseKart(3)) << "a kart on the track is not the group's";
    EXPECT_FALSE(group.add());
    EXPECT_TRUE(rental.kart(0, 1).driverName.empty());
    EXPECT_EQ(messages.messages(),
              (std::vector<RecordedMessage>{{"Tallimo", kNoKartText}, {"Tallimo", kNoKartText}}));
}

TEST_F(GroupKartChoiceTest, AddingAfterAnAmountWasTypedGivesBackTheGroupPrices) {
    ASSERT_TRUE(group.chooseDuration(0));
    book(0, "Un");
    book(1, "Deux");
    group.setAmountToPay(15);
    book(2, "Trois");
    EXPECT_EQ(group.amountToPay(), 30);
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_EQ(rental.kart(0, slot).price, 10) << "the prices add up to the amount shown";
}

} // namespace
} // namespace tallimo::finances
