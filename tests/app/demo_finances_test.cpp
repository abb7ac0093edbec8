// The demo's business files as the reservation windows read them: on the
// day the demo is written a walk-in driver is offered the day's event, even
// across New Year, and the demo's bookings are sessions of the price list.

#include "app/core/demo_working_folder.h"
#include "finances/core/booking_rules.h"
#include "session/core/session_file.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tallimo::app {
namespace {

constexpr int kAdultCategory = 0;
constexpr int kDayEvent = 2;

class DemoFinancesTest : public ::testing::Test {
protected:
    void writeAndLoad(const common::LocalDateTime& today) {
        ASSERT_TRUE(WriteDemoWorkingFolder(m_folder, today));
        testing::RecordingMessageSink messages;
        ASSERT_TRUE(finances::LoadBookingData(m_folder, m_data, messages));
        EXPECT_TRUE(messages.messages().empty());
    }

    int adultSession(int minutes) const {
        return finances::SessionIndexOf(m_data.prices.rentalPrices[kAdultCategory], minutes);
    }

    testing::TemporaryFolder m_temporary;
    common::WorkingFolder m_folder{m_temporary.path()};
    finances::BookingData m_data;
};

struct DemoDay {
    const char* name;
    common::LocalDateTime today;
    friend void PrintTo(const DemoDay& day, std::ostream* out) { *out << day.name; }
};

class DemoDayTest : public DemoFinancesTest, public ::testing::WithParamInterface<DemoDay> {};

TEST_P(DemoDayTest, AWalkInDriverIsOfferedTheDaysEvent) {
    const common::LocalDateTime today = GetParam().today;
    writeAndLoad(today);
    const common::DateIndex date{today.day - 1, today.month - 1, today.year - 1900};

    const int session = adultSession(10);
    ASSERT_GE(session, 0);
    const std::int32_t price = m_data.prices.rentalPrices[kAdultCategory][session].price;
    const auto offer =
        finances::BestDiscountOffer(m_data, kAdultCategory, session, price, "Dupont", "", date);
    ASSERT_TRUE(offer.has_value());
    EXPECT_EQ(offer->event, kDayEvent);
    EXPECT_GT(offer->price, 0);
    EXPECT_LT(offer->price, price);
}

INSTANTIATE_TEST_SUITE_P(Dates, DemoDayTest,
                         ::testing::Values(DemoDay{"AnOrdinaryDay", {2026, 12, 7, 21, 0, 0}},
                                           DemoDay{"NewYearsEve", {2026, 12, 31, 23, 59, 0}},
                                           DemoDay{"NewYearsDay", {2027, 1, 1, 0, 0, 0}},
                                           DemoDay{"LeapDay", {2028, 2, 29, 12, 0, 0}}),
                         [](const ::testing::TestParamInfo<DemoDay>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(DemoFinancesTest, EveryBookedDriverHasAPricedSessionAndOneMayPayWithPoints) {
    writeAndLoad({2026, 12, 7, 21, 0, 0});
    EXPECT_TRUE(m_data.loyaltyActive());

    session::RentalSession rental;
    session::SessionHeader header;
    ASSERT_TRUE(session::LoadSessionFile(m_folder, rental, header));
    int booked = 0;
    for (int c = 0; c < session::kCategoryCount; ++c)
        for (int k = 0; k < session::kKartsPerCategory; ++k) {
            const session::SessionKart& kart = rental.kart(c, k);
            if (kart.driverName.empty())
                continue;
            ++booked;
            EXPECT_GE(finances::SessionIndexOf(finances::PriceRowOf(m_data.prices, c),
                                               kart.durationMinutes),
                      0)
                << kart.driverName << " " << kart.durationMinutes << " min";
        }
    EXPECT_GT(booked, 0);

    const auto free = finances::FreeSessionOfferFor(m_data, kAdultCategory, adultSession(15),
                                                    "Bernard", "Hugo", /*positiveCostOnly=*/true);
    ASSERT_TRUE(free.has_value());
    EXPECT_GT(free->cost, 0);
    EXPECT_LE(free->cost, free->points);
    // Private karts must not be free for nothing.
    EXPECT_FALSE(finances::FreeSessionOfferFor(m_data, session::kPrivateCategoryIndex, 0, "Martin",
                                               "Lucie", false));
}

} // namespace
} // namespace tallimo::app
