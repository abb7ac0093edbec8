#include "finances/core/booking_rules.h"
#include "finances/core/date_window.h"

#include <gtest/gtest.h>

#include <limits>

namespace tallimo::finances {
namespace {

using common::DateIndex;

// Year indexes: 124 (2024) has 366 days, 125 and 126 have 365.
struct WindowCase {
    const char* name;
    int day, month, before, after;
    DateIndex today;
    bool applies;
    int distance; // from today to the occurrence, when it applies
};

class DateWindowTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(DateWindowTest, OccurrenceAppliesAroundToday) {
    const WindowCase& c = GetParam();
    const auto window = WindowOfDate(c.day, c.month, c.before, c.after, c.today);
    const int today = common::DayNumber(c.today);
    const bool applies = window && window->contains(today);
    ASSERT_EQ(applies, c.applies);
    if (applies) {
        EXPECT_EQ(window->distanceFrom(today), c.distance);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateWindowTest,
    ::testing::Values(
        WindowCase{"NewYearEventFromTwentyNinthDecember", 0, 0, 3, 2, {28, 11, 125}, true, 3},
        WindowCase{"NewYearEventUntilThirdJanuary", 0, 0, 3, 2, {2, 0, 126}, true, -2},
        WindowCase{"NewYearEventOverOnFourthJanuary", 0, 0, 3, 2, {3, 0, 126}, false, 0},
        WindowCase{"NewYearEventNotYetOnTwentyEighth", 0, 0, 3, 2, {27, 11, 125}, false, 0},
        WindowCase{"BirthdayNextYearInThreeDays", 1, 0, 5, 0, {29, 11, 125}, true, 3},
        WindowCase{"LastYearsBirthdayIsNotLookedBack", 30, 11, 0, 5, {1, 0, 126}, false, 0},
        WindowCase{"LongYearNewYearIsTomorrowOnThirtyFirst", 0, 0, 1, 0, {30, 11, 124}, true, 1},
        WindowCase{"LongYearWindowStartsOnTwentyNinth", 0, 0, 3, 0, {28, 11, 124}, true, 3},
        WindowCase{"LongYearWindowNotOnTwentyEighth", 0, 0, 3, 0, {27, 11, 124}, false, 0},
        WindowCase{"LeapDayBirthdayToday", 28, 1, 0, 0, {28, 1, 124}, true, 0},
        WindowCase{"UnknownNamedayMonth", 100, 100, 400, 400, {0, 0, 126}, false, 0},
        WindowCase{"HandEditedMonthTwelve", 0, 12, 400, 400, {0, 0, 126}, false, 0},
        WindowCase{"NegativeDay", -1, 3, 400, 400, {0, 3, 126}, false, 0},
        WindowCase{"HugeDaysBeforeDoNotOverflow",
                   0,
                   5,
                   std::numeric_limits<int>::max(),
                   0,
                   {0, 0, 126},
                   true,
                   151}),
    [](const ::testing::TestParamInfo<WindowCase>& row) { return std::string(row.param.name); });

TEST(DiscountedPriceTest, NeverBelowZeroNorOverflowing) {
    const struct {
        std::int32_t price, discount;
        int mode;
        std::int32_t expected;
    } cases[] = {
        {20, 25, 1, 15},
        {20, 25, kAmountMode, 0},
        {20, 5, kAmountMode, 15},
        {20, 150, 1, 0},
        {50000000, 10, 1, 45000000},
        {std::numeric_limits<std::int32_t>::max(), -100, 1,
         std::numeric_limits<std::int32_t>::max()},
        {10, std::numeric_limits<std::int32_t>::min(), kAmountMode,
         std::numeric_limits<std::int32_t>::max()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DiscountedPrice(c.price, c.discount, c.mode), c.expected)
            << c.price << " " << c.discount << " " << c.mode;
    EXPECT_EQ(DiscountUnit(kAmountMode, 3), "CHF");
    EXPECT_EQ(DiscountUnit(2, 3), "%");
    EXPECT_EQ(DiscountUnit(kAmountMode, 77), "");
}

// Anne Martin, born 2 January 2000, and a walk-in; today 30 December 2025.
class BookingRulesTest : public ::testing::Test {
protected:
    BookingRulesTest() {
        data.categoryNames[0] = "Adultes";
        data.prices.rentalPrices[0][0] = {10, 20, 0};
        data.prices.rentalPrices[0][1] = {20, 35, 0};
        databases::Subscriber& anne = data.subscribers[0];
        anne.name = "Martin";
        anne.firstName = "Anne";
        databases::SetBirthDate(anne, {1, 0, 100});
        data.subscriberFirstNames[0] = {"Anne", 29, 11}; // 30 December
        data.subscriberFirstNames[1] = {"Ann\xE9", 100, 100};
        data.balances.accounts = {{"Martin", "Anne", 120}};
        data.balances.header.loyaltyActive = 1;
        data.points.freeSessionCost[0] = {100, 200, 0, 0, 0, 0};
        data.points.sessionPoints[0] = {20, 30, 0, 0, 0, 0};
        DiscountEvent& birthday = data.discounts.events[kBirthdayEvent];
        birthday.discountActive = 1;
        birthday.daysBefore = 5;
        birthday.rentalDiscounts[0] = {5, 5, 0, 0, 0, 0};
        DiscountEvent& nameday = data.discounts.events[kNamedayEvent];
        nameday.discountActive = 1;
        nameday.rentalDiscounts[0] = {5, 10, 0, 0, 0, 0};
    }

    DiscountEvent& addEvent(const char* name, int day, int month, std::int32_t discount) {
        DiscountEvent& event = data.discounts.events[DatedEventEnd(data.discounts)];
        event.eventName = name;
        event.eventDay = day;
        event.eventMonth = month;
        event.discountActive = 1;
        event.daysBefore = 1;
        event.daysAfter = 1;
        event.rentalDiscounts[0].fill(discount);
        return event;
    }

    BookingData data;
    DateIndex today{29, 11, 125};
};

TEST_F(BookingRulesTest, ChoosingASubscriberGreetsWithTheOccurrencesYear) {
    EXPECT_EQ(SubscriberChosenMessages(data, "Martin", "Anne", today),
              (std::vector<std::string>{
                  "Joyeux anniversaire Anne !\n\n Dans 3 jours, 26 ans (2/01/2000)",
                  "Bonne f\xEAte Anne !\n\n Aujourd'hui (30/12/ 2025)",
                  "Points fid\xE9lit\xE9 Anne = 120",
              }));
    data.balances.header.loyaltyActive = 0;
    data.discounts.events[kBirthdayEvent].discountActive = 0;
    EXPECT_EQ(SubscriberChosenMessages(data, "Martin", "Anne", {31, 11, 125}),
              (std::vector<std::string>{}))
        << "namedays apply only inside their window";
    EXPECT_EQ(SubscriberChosenMessages(data, "Martin", "", today), (std::vector<std::string>{}));
}

TEST_F(BookingRulesTest, BirthdayWinsUnlessAnOfferIsStrictlyLower) {
    // Birthday 20 - 5 = 15, nameday 20 - 5 = 15: the birthday is asked.
    auto offer = BestDiscountOffer(data, 0, 0, 20, "Martin", "Anne", today);
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->event, kBirthdayEvent);
    EXPECT_EQ(offer->question, "C'est l'anniversaire de Anne !\nApplication Remise (-5\x80) ?");

    // Session 1: nameday 35 - 10 beats birthday 35 - 5.
    offer = BestDiscountOffer(data, 0, 1, 35, "Martin", "Anne", today);
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->event, kNamedayEvent);
    EXPECT_EQ(offer->price, 25);

    addEvent("No\xEBl", 24, 11, 40).daysAfter = 10;
    data.discounts.discountMode = 1;
    offer = BestDiscountOffer(data, 0, 0, 20, "Martin", "Anne", today);
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->event, 2);
    EXPECT_EQ(offer->price, 12);
    EXPECT_EQ(offer->question, "C'est No\xEBl !\nApplication Remise (-40%) ?");
}

TEST_F(BookingRulesTest, WalkInsGetEventsOnlyAndUnnamedEventsEndTheList) {
    EXPECT_FALSE(BestDiscountOffer(data, 0, 0, 20, "Dupont", "", today));
    addEvent("Saint-Sylvestre", 30, 11, 3);
    addEvent("", 29, 11, 10);
    data.discounts.events[4] = data.discounts.events[2];
    data.discounts.events[4].rentalDiscounts[0].fill(19);
    const auto offer = BestDiscountOffer(data, 0, 0, 20, "Dupont", "", today);
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->event, 2);
    EXPECT_FALSE(FreeSessionOfferFor(data, 0, 0, "Dupont", "", false));
}

TEST_F(BookingRulesTest, FreeSessionNeedsTheProgrammeAndEnoughPoints) {
    auto free = FreeSessionOfferFor(data, 0, 0, "Martin", "Anne", false);
    ASSERT_TRUE(free);
    EXPECT_EQ(free->question, "Points fid\xE9lit\xE9 Anne = 120\nLa s\xE9"
                              "ance gratuite coute 100 points\nS\xE9"
                              "ance gratuite ?");
    EXPECT_EQ(free->remainingMessage, "Il restera 20 points fid\xE9lit\xE9");
    EXPECT_FALSE(FreeSessionOfferFor(data, 0, 1, "Martin", "Anne", false)) << "200 > 120";
    EXPECT_TRUE(FreeSessionOfferFor(data, 0, 2, "Martin", "Anne", false)) << "cost 0 offered";
    EXPECT_FALSE(FreeSessionOfferFor(data, 0, 2, "Martin", "Anne", true)) << "not in a group";
    data.points.freeSessionCost[0][3] = -5;
    EXPECT_FALSE(FreeSessionOfferFor(data, 0, 3, "Martin", "Anne", false));
    data.balances.header.loyaltyActive = 0;
    EXPECT_FALSE(FreeSessionOfferFor(data, 0, 0, "Martin", "Anne", false));
}

session::SessionKart FinishedKart(int duration, int code, int laps) {
    session::SessionKart kart;
    kart.driverName = "Martin";
    kart.driverFirstName = "Anne";
    kart.trackState = session::TrackState::Finished;
    kart.durationMinutes = duration;
    kart.loyaltyCode = code;
    kart.lastLapIndex = laps;
    for (int i = 0; i <= laps; ++i)
        kart.passingTimes[i] = 1000 * i;
    return kart;
}

TEST_F(BookingRulesTest, FreeingCreditsOrSpendsPointsOnlyForARunWithLaps) {
    FreeingOutcome outcome = ApplyFreeing(data, 0, FinishedKart(10, -1, 0));
    EXPECT_FALSE(outcome.run);
    EXPECT_FALSE(outcome.balancesChanged);
    EXPECT_EQ(data.balances.accounts[0].points, 120);

    outcome = ApplyFreeing(data, 0, FinishedKart(10, 10100, 3));
    ASSERT_TRUE(outcome.run);
    EXPECT_EQ(outcome.run->lastLapIndex, 3);
    EXPECT_EQ(outcome.run->passingTimes[3], 3000);
    EXPECT_EQ(data.balances.accounts[0].points, 20);
    EXPECT_EQ(outcome.messages, (std::vector<std::string>{
                                    "100 points de fid\xE9lit\xE9 ont \xE9t\xE9 utilis\xE9s par "
                                    "Anne.\n Il lui restera 20 points fid\xE9lit\xE9."}));

    data.balances.accounts[0].points = kMaxLoyaltyPoints - 10;
    outcome = ApplyFreeing(data, 0, FinishedKart(10, 2, 1));
    EXPECT_EQ(data.balances.accounts[0].points, kMaxLoyaltyPoints);
    EXPECT_EQ(outcome.messages[0], "20 points de fid\xE9lit\xE9 ont \xE9t\xE9 gagn\xE9s par Anne.\n"
                                   " Il poss\xE8"
                                   "de maintenant 99999 points fid\xE9lit\xE9.");

    // The row lost its durations after the kart was booked: the run is kept
    // but no session's points can be credited.
    data.prices.rentalPrices[0] = PriceRow{};
    outcome = ApplyFreeing(data, 0, FinishedKart(10, -1, 2));
    EXPECT_TRUE(outcome.run);
    EXPECT_FALSE(outcome.balancesChanged);
    EXPECT_TRUE(outcome.messages.empty());
}

TEST(RedistributeTotalTest, TakesUnitsKartAfterKartAndAlwaysEnds) {
    const struct {
        const char* name;
        std::vector<std::int32_t> prices;
        std::int64_t amount;
        std::vector<std::int32_t> expected;
    } cases[] = {
        {"three tens to 26", {10, 10, 10}, 26, {8, 9, 9}},
        {"amount above the total", {10, 10}, 30, {10, 10}},
        {"kart at zero skipped", {0, 5, 2}, 3, {0, 3, 0}},
        {"all free karts never loop", {0, 0, -3}, 0, {0, 0, -3}},
        {"gap larger than the prices", {4, 1}, 0, {0, 0}},
        {"large gap in whole rounds", {2000000000, 2000000000, 7}, 3, {1, 2, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RedistributeTotal(c.prices, c.amount), c.expected) << c.name;
}

} // namespace
} // namespace tallimo::finances
