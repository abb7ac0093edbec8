#include "finances/core/reservation_editor.h"
#include "runs/core/run_file.h"
#include "session/core/session_file.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <deque>

namespace tallimo::finances {
namespace {

using testing::RecordedMessage;
using testing::RecordingMessageSink;
using testing::TemporaryFolder;

// Answers the questions in order; an unexpected question fails the test.
class ScriptedQuestions final : public OperatorQuestions {
public:
    void expect(std::string text, bool answer) { m_script.push_back({std::move(text), answer}); }
    bool ask(const std::string& text) override {
        if (m_script.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return false;
        }
        const auto [expected, answer] = m_script.front();
        m_script.pop_front();
        EXPECT_EQ(text, expected);
        return answer;
    }
    bool done() const { return m_script.empty(); }

private:
    std::deque<std::pair<std::string, bool>> m_script;
};

const std::string kFreeSessionQuestion = "Points fid\xE9lit\xE9 Anne = 120\nLa s\xE9"
                                         "ance gratuite coute 100 points\nS\xE9"
                                         "ance gratuite ?";

// A category of free karts, Anne Martin with 120 points, 10 minutes for 20
// (a free session costs 100 points) and no date that applies on the day.
class ReservationTest : public ::testing::Test {
protected:
    ReservationTest() {
        data.categoryNames[0] = "Adultes";
        data.categories[0].name = "Adultes";
        data.categories[0].karts[2] = {"K3", "004711"};
        data.prices.rentalPrices[0][0] = {10, 20, 0};
        data.subscribers[0].name = "Martin";
        data.subscribers[0].firstName = "Anne";
        data.balances.header.loyaltyActive = 1;
        data.balances.accounts = {{"Martin", "Anne", 120}};
        data.points.freeSessionCost[0][0] = 100;
        data.points.sessionPoints[0][0] = 15;
        rental.categories[0].categoryName = "Adultes";
        for (int slot = 0; slot < session::kKartsPerCategory; ++slot) {
            session::SessionKart& kart = rental.kart(0, slot);
            kart.kartLabel = session::KartLabelFor(0, slot);
            kart.usage = session::KartUsage::InSession;
            kart.trackState = session::TrackState::Free;
        }
    }

    BookingData data;
    session::RentalSession rental;
    common::DateIndex today{10, 5, 126};
    RecordingMessageSink messages;
    ScriptedQuestions questions;
};

TEST_F(ReservationTest, FreeSessionIsPaidWithPointsSpentWhenTheRunIsFreed) {
    ReservationEditor editor(data, rental, 0, 0, today, messages, questions);
    editor.chooseSubscriber(0);
    questions.expect(kFreeSessionQuestion, true);
    ASSERT_TRUE(editor.chooseDuration(0));
    const session::SessionKart& kart = rental.kart(0, 0);
    EXPECT_EQ(kart.price, 0);
    EXPECT_EQ(kart.loyaltyCode, 10100);
    EXPECT_EQ(kart.paid, 1);
    EXPECT_EQ(data.balances.accounts[0].points, 120) << "points move only when freed";

    rental.kart(0, 0).trackState = session::TrackState::Finished;
    rental.kart(0, 0).lastLapIndex = 2;
    questions.expect(kFreeKartQuestion, true);
    ASSERT_TRUE(editor.freeKart());
    EXPECT_TRUE(kart.driverName.empty());
    EXPECT_EQ(kart.loyaltyCode, session::kNoLoyaltyOffer);
    EXPECT_EQ(data.balances.accounts[0].points, 20);
    EXPECT_TRUE(editor.keptRun());
    EXPECT_EQ(messages.messages(),
              (std::vector<RecordedMessage>{
                  {"Tallimo", "Points fid\xE9lit\xE9 Anne = 120"},
                  {"Tallimo", "Il restera 20 points fid\xE9lit\xE9"},
                  {"Tallimo", "100 points de fid\xE9lit\xE9 ont \xE9t\xE9 utilis\xE9s par Anne.\n"
                              " Il lui restera 20 points fid\xE9lit\xE9."},
              }));
    EXPECT_TRUE(questions.done());
}

TEST_F(ReservationTest, OkWritesTheSessionTheRunAndTheBalancesAndNothingBefore) {
    TemporaryFolder folder;
    const common::WorkingFolder root(folder.path());
    folder.write("Runs/Martin_Anne.bdr", "1\t0\t\n");
    session::SessionKart& kart = rental.kart(0, 0);
    kart.driverName = "Martin";
    kart.driverFirstName = "Anne";
    kart.durationMinutes = 10;
    kart.trackState = session::TrackState::Finished;
    kart.lastLapIndex = 1;
    kart.passingTimes[1] = 61000;
    ReservationEditor editor(data, rental, 0, 0, today, messages, questions);
    EXPECT_EQ(editor.selectedSession(), 0);
    questions.expect(kFreeKartQuestion, true);
    ASSERT_TRUE(editor.freeKart());
    EXPECT_FALSE(std::filesystem::exists(folder / kBalancesFileName));
    EXPECT_EQ(data.balances.accounts[0].points, 135);

    session::SessionHeader header;
    header.trackName = "Circuit";
    ASSERT_TRUE(editor.confirm(root, header, {2026, 6, 11, 14, 5, 9}));
    EXPECT_EQ(folder.read(kBalancesFileName), "1\t0\t6\t0\t\nMartin\tAnne\t135\t\n");
    EXPECT_NE(folder.read("Runs/Martin_Anne.bdr").find("Run 2026 / 06 / 11  (14:05:09)"),
              std::string::npos);
    session::RentalSession reloaded;
    session::SessionHeader reloadedHeader;
    ASSERT_TRUE(session::LoadSessionFile(root, reloaded, reloadedHeader));
    EXPECT_TRUE(reloaded.kart(0, 0).driverName.empty());
}

TEST_F(ReservationTest, ADurationNeedsADriverAndAWalkInGetsNoLoyaltyOffer) {
    ReservationEditor editor(data, rental, 0, 0, today, messages, questions);
    EXPECT_FALSE(editor.chooseDuration(0));
    editor.typeWalkInName("Dupont de la Tour du Pin et Ailleurs");
    EXPECT_EQ(rental.kart(0, 0).driverName, "Dupont de la Tour du Pi");
    ASSERT_TRUE(editor.chooseDuration(0));
    EXPECT_EQ(rental.kart(0, 0).price, 20);
    EXPECT_FALSE(editor.chooseDuration(1)) << "the row offers one duration";
    EXPECT_EQ(messages.messages(), (std::vector<RecordedMessage>{{"Tallimo", kNoDriverText}}));
}

TEST_F(ReservationTest, GroupBooksTenKartsAtMostAndSharesTheAmountToPay) {
    GroupReservation group(data, rental, 0, today, messages, questions);
    EXPECT_FALSE(group.chooseKart(0));
    ASSERT_TRUE(group.chooseDuration(0));
    for (int slot = 0; slot < 11; ++slot) {
        ASSERT_TRUE(group.chooseKart(slot));
        group.holdDriver("Pilote" + std::to_string(slot), "");
        EXPECT_EQ(group.add(), slot < 10) << slot;
    }
    EXPECT_EQ(group.driversBooked(), 10);
    EXPECT_EQ(group.discountedTotal(), 200);
    EXPECT_EQ(rental.kart(0, 2).transponder, "004711") << "taken from the fleet";

    group.setAmountToPay(196);
    EXPECT_EQ(rental.kart(0, 0).price, 19);
    EXPECT_EQ(rental.kart(0, 3).price, 19);
    EXPECT_EQ(rental.kart(0, 4).price, 20);
    group.setAmountToPay(500);
    EXPECT_EQ(rental.kart(0, 0).price, 20) << "group prices come back";
    group.setPaid(true);
    EXPECT_EQ(rental.kart(0, 9).paid, 1);
    EXPECT_EQ(rental.kart(0, 10).paid, 0);
    EXPECT_EQ(messages.messages(), (std::vector<RecordedMessage>{{"Tallimo", kNoDurationText}}));
}

TEST_F(ReservationTest, GroupDriverTakenOffLeavesNoFreeSessionBehind) {
    GroupReservation group(data, rental, 0, today, messages, questions);
    ASSERT_TRUE(group.chooseDuration(0));
    ASSERT_TRUE(group.chooseKart(1));
    group.holdDriver("Martin", "Anne");
    questions.expect(kFreeSessionQuestion, true);
    ASSERT_TRUE(group.add());
    EXPECT_EQ(rental.kart(0, 1).loyaltyCode, 10100);
    EXPECT_EQ(rental.kart(0, 1).paid, 0) << "the group takes one payment";
    EXPECT_EQ(group.normalTotal(), 20);
    EXPECT_EQ(group.discountedTotal(), 0);

    group.holdDriver("", "");
    ASSERT_TRUE(group.add());
    EXPECT_EQ(rental.kart(0, 1).loyaltyCode, session::kNoLoyaltyOffer);
    EXPECT_EQ(rental.kart(0, 1).durationMinutes, 0);
    EXPECT_EQ(group.normalTotal(), 0);
    EXPECT_TRUE(questions.done());
    EXPECT_TRUE(messages.messages().empty());
}

TEST(BookingDataTest, EveryMissingFileIsReportedAndUnnamedCategoriesOfferNothing) {
    TemporaryFolder folder;
    const common::WorkingFolder root(folder.path());
    RecordingMessageSink messages;
    BookingData data;
    EXPECT_FALSE(LoadBookingData(root, data, messages));
    EXPECT_EQ(messages.messages(), (std::vector<RecordedMessage>{
                                       {"Error", databases::kCategoriesFileErrorText},
                                       {"Error", databases::kSubscribersFileErrorText},
                                       {"Error", databases::kSubscriberFirstNamesErrorText},
                                       {"Error", kPricesFileErrorText},
                                       {"Error", kDiscountsFileErrorText},
                                       {"Error", kBalancesFileErrorText},
                                       {"Error", kSessionPointsFileErrorText},
                                   }));
    EXPECT_FALSE(data.loyaltyActive());

    // Files written while two categories existed, read after the second
    // was deleted.
    databases::CategoryTable categories;
    categories[0].name = "Adultes";
    folder.write(databases::kCategoriesFileName, databases::FormatCategoriesFile(categories, 5));
    folder.write(databases::kSubscribersFileName,
                 "1\t0\t0\tMartin\tAnne\t\t\t\t\t\t\t\t0\t0\t90\t\t\t\t\t\n");
    folder.write(databases::kSubscriberFirstNamesFileName, "0\t0\tAnne\t\n");
    PriceTable prices;
    prices.rentalPrices[0][0] = prices.rentalPrices[1][0] = {10, 20, 0};
    folder.write(kPricesFileName, FormatPricesFile(prices));
    DiscountTable discounts;
    discounts.events[2].eventName = "F\xEAte";
    discounts.events[2].rentalDiscounts[1][0] = 5;
    folder.write(kDiscountsFileName, FormatDiscountsFile(discounts, 3));
    folder.write(kBalancesFileName, "1\t0\t6\t0\t\nGone\tX\t5\t\nMartin\tAnne\t40\t\n");
    SessionPointsTables points;
    points.sessionPoints[1][0] = 7;
    folder.write(kSessionPointsFileName, FormatSessionPointsFile(points));

    messages.clear();
    ASSERT_TRUE(LoadBookingData(root, data, messages));
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(UsedSessionCount(data.prices.rentalPrices[0]), 1);
    EXPECT_EQ(UsedSessionCount(data.prices.rentalPrices[1]), 0);
    EXPECT_EQ(DiscountOf(data.discounts.events[2], 1, 0), 0);
    EXPECT_EQ(SessionPointsOf(data.points, 1, 0), 0);
    EXPECT_EQ(data.balances.accounts, (std::vector<LoyaltyAccount>{{"Martin", "Anne", 40}}));
    EXPECT_EQ(data.subscribers[0].birthYear, 90);
}

TEST_F(ReservationTest, TheLastKartWithTheLabelIsTheOneBooked) {
    rental.kart(session::kPrivateCategoryIndex, 3).kartLabel = "K2";
    const auto place = FindKartByLabel(rental, "K2");
    ASSERT_TRUE(place);
    EXPECT_EQ(place->category, session::kPrivateCategoryIndex);
    EXPECT_EQ(place->slot, 3);
    EXPECT_FALSE(FindKartByLabel(rental, "K2 "));
}

} // namespace
} // namespace tallimo::finances
