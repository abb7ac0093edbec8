// The lines the price lists and the tickets print, as the counter reads them.

#include "finances/core/price_printouts.h"

#include "finances/core/booking_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

const std::string kEuro = "\x80";
const common::LocalDateTime kPrinted{2026, 6, 9, 8, 5, 3};

std::vector<std::string> Texts(const std::vector<TicketLine>& lines) {
    std::vector<std::string> texts;
    for (const TicketLine& line : lines)
        texts.push_back(line.kart + line.text);
    return texts;
}

std::vector<std::string> Warnings(const std::vector<TicketLine>& lines) {
    std::vector<std::string> texts;
    for (const TicketLine& line : lines) {
        if (line.warning)
            texts.push_back(line.text);
    }
    return texts;
}

TEST(PriceListLinesTest, OneLinePerOfferedDurationUpToTheFirstFreeEntry) {
    PriceRow row{};
    row[0] = {5, 12, 0};
    row[1] = {10, 20, 0};
    row[2] = {20, 35, 0};
    // A hand-edited file may leave an entry after a free one: it is not offered.
    row[4] = {30, 50, 0};
    const PriceListWords words{"S\xE9"
                               "ance",
                               "minutes"};
    EXPECT_EQ(PriceListLines(row, words, "CHF"), (std::vector<PriceListLine>{{"S\xE9"
                                                                              "ance 5 minutes :",
                                                                              "12 CHF"},
                                                                             {"S\xE9"
                                                                              "ance 10 minutes :",
                                                                              "20 CHF"},
                                                                             {"S\xE9"
                                                                              "ance 20 minutes :",
                                                                              "35 CHF"}}));
    EXPECT_TRUE(PriceListLines(PriceRow{}, words, "CHF").empty());
}

struct TicketCase {
    const char* name;
    session::SessionKart kart;
    std::vector<std::string> texts;
    std::vector<std::string> warnings;
};

session::SessionKart Kart(const char* name, const char* firstName, int minutes, int price, int paid,
                          int loyaltyCode = session::kNoLoyaltyOffer) {
    session::SessionKart kart;
    kart.kartLabel = "K3";
    kart.driverName = name;
    kart.driverFirstName = firstName;
    kart.durationMinutes = minutes;
    kart.price = price;
    kart.paid = paid;
    kart.loyaltyCode = loyaltyCode;
    return kart;
}

class ReservationTicket : public ::testing::TestWithParam<TicketCase> {};

TEST_P(ReservationTicket, ShowsTheKartAsBookedAndPaid) {
    const TicketCase& row = GetParam();
    const std::vector<TicketLine> lines =
        ReservationTicketLines("Adultes", row.kart, kEuro, kPrinted);
    EXPECT_EQ(Texts(lines), row.texts);
    EXPECT_EQ(Warnings(lines), row.warnings);
    EXPECT_EQ(lines.front().type, TicketType::Large);
    EXPECT_EQ(lines.back().type, TicketType::Small);
}

const char* const kSessionWarning = "Aucune s\xE9"
                                    "ance choisie !";

INSTANTIATE_TEST_SUITE_P(
    Rows, ReservationTicket,
    ::testing::Values(
        TicketCase{"no_driver_no_session",
                   Kart("", "", 0, 0, 0),
                   {"Adultes", "Kart K3", "Aucun pilote choisi !", kSessionWarning, "0 \x80",
                    "NON PAYEE !", "2026 / 06 / 09 (8:05:03)"},
                   {"Aucun pilote choisi !", kSessionWarning, "0 \x80", "NON PAYEE !"}},
        TicketCase{"paid_with_120_loyalty_points",
                   Kart("Martin", "Anne", 10, 0, 1, kFreeSessionCodeBase + 120),
                   {"Adultes", "Kart K3", "Martin Anne",
                    "S\xE9"
                    "ance : 10 min",
                    "0 \x80", "PAYEE ( par 120 pts fid\xE9lit\xE9 )", "2026 / 06 / 09 (8:05:03)"},
                   {}},
        TicketCase{"paid_after_a_discount",
                   Kart("Martin", "Anne", 10, 15, 1, 2),
                   {"Adultes", "Kart K3", "Martin Anne",
                    "S\xE9"
                    "ance : 10 min",
                    "15 \x80", "PAYEE", "2026 / 06 / 09 (8:05:03)"},
                   {}},
        TicketCase{"booked_but_not_paid",
                   Kart("Durand", "", 20, 35, 0),
                   {"Adultes", "Kart K3", "Durand",
                    "S\xE9"
                    "ance : 20 min",
                    "35 \x80", "NON PAYEE !", "2026 / 06 / 09 (8:05:03)"},
                   {"35 \x80", "NON PAYEE !"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(GroupTicketTest, DriverLinesNameThePriceOrThePoints) {
    EXPECT_EQ(GroupDriverLine(Kart("Martin", "Anne", 10, 20, 0), kEuro), "Martin Anne (20 \x80)");
    EXPECT_EQ(GroupDriverLine(Kart("Durand", "", 10, 18, 0), kEuro), "Durand (18 \x80)");
    EXPECT_EQ(GroupDriverLine(Kart("Martin", "Anne", 10, 0, 1, kFreeSessionCodeBase + 100), kEuro),
              "Martin Anne (100 pts fid)");
    EXPECT_EQ(GroupDriverLine(Kart("Durand", "", 10, 0, 1, kFreeSessionCodeBase + 80), kEuro),
              "Durand (80 pts fid)");
}

TEST(GroupTicketTest, ListsEveryKartAndIsPaidOnlyWhenEveryKartIs) {
    std::vector<session::SessionKart> karts = {Kart("Martin", "Anne", 10, 20, 1),
                                               Kart("Durand", "", 10, 18, 0)};
    karts[1].kartLabel = "K12";
    std::vector<TicketLine> lines = GroupTicketLines("Adultes", karts, kEuro, kPrinted);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{
                                "Adultes", "K3-Martin Anne (20 \x80)", "K12-Durand (18 \x80)",
                                "S\xE9"
                                "ance : 10 min",
                                "38 \x80", "NON PAYEE !", "2026 / 06 / 09 (8:05:03)"}));
    EXPECT_EQ(Warnings(lines), (std::vector<std::string>{"38 \x80", "NON PAYEE !"}));

    karts[1].paid = 1;
    karts[1].durationMinutes = 20;
    lines = GroupTicketLines("Adultes", karts, kEuro, kPrinted);
    EXPECT_TRUE(Warnings(lines).empty());
    EXPECT_EQ(lines[3].text, "S\xE9"
                             "ance : 10 / 20 min");
    EXPECT_EQ(lines[5].text, "PAYEE");

    // Nothing booked: the ticket says so rather than claiming a payment.
    EXPECT_EQ(Warnings(GroupTicketLines("Adultes", {}, kEuro, kPrinted)),
              (std::vector<std::string>{"Aucun pilote choisi !", kSessionWarning, "0 \x80",
                                        "NON PAYEE !"}));
}

TEST(GroupTicketTest, ListsTheBookedKartsWhoseRunHasNotStarted) {
    session::RentalSession rental;
    session::ClearSession(rental);
    const auto book = [&rental](int slot, session::TrackState state, const char* driver,
                                int minutes) {
        session::SessionKart& kart = rental.kart(1, slot);
        kart.kartLabel = session::KartLabelFor(1, slot);
        kart.usage = session::KartUsage::InSession;
        kart.trackState = state;
        kart.driverName = driver;
        kart.durationMinutes = minutes;
    };
    book(0, session::TrackState::Free, "Martin", 10);
    book(1, session::TrackState::Reserved, "Durand", 10);
    book(2, session::TrackState::Timing, "Petit", 10);
    book(3, session::TrackState::Free, "Leroy", 0);
    book(4, session::TrackState::Free, "", 10);
    book(5, session::TrackState::Free, "Moreau", 10);
    rental.kart(1, 5).usage = session::KartUsage::NotInSession;

    const auto labels = [](const std::vector<session::SessionKart>& karts) {
        std::vector<std::string> texts;
        for (const session::SessionKart& kart : karts)
            texts.push_back(kart.kartLabel);
        return texts;
    };
    EXPECT_EQ(labels(GroupTicketKarts(rental, 1, {session::TrackState::Free})),
              std::vector<std::string>{"K101"});
    EXPECT_EQ(labels(GroupTicketKarts(rental, 1,
                                      {session::TrackState::Free, session::TrackState::Reserved})),
              (std::vector<std::string>{"K101", "K102"}));
    EXPECT_TRUE(GroupTicketKarts(rental, 6, {session::TrackState::Free}).empty());
}

TEST(TicketCategoryNameTest, PrivateKartsKeepTheirNameWhenTheSessionHasNone) {
    session::RentalSession rental;
    session::ClearSession(rental);
    rental.categories[0].categoryName = "Adultes";
    EXPECT_EQ(TicketCategoryName(rental, 0), "Adultes");
    EXPECT_EQ(TicketCategoryName(rental, session::kPrivateCategoryIndex),
              session::kPrivateCategoryName);
    EXPECT_EQ(TicketCategoryName(rental, 1), "");
    EXPECT_EQ(TicketCategoryName(rental, -1), "");
}

} // namespace
} // namespace tallimo::finances
