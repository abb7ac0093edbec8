#pragma once

// The rules of booking a kart, as pure functions over the loaded tables and
// today's date: the greetings when a subscriber is chosen, the discount and
// free-session offers when a duration is chosen, the points when a kart is
// freed, and the group's "Total à payer". Texts are the system's own,
// Windows-1252, caption "Tallimo".

#include "common/core/date_index.h"
#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "databases/core/first_names_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "finances/core/discounts_file.h"
#include "finances/core/loyalty_files.h"
#include "finances/core/session_prices.h"
#include "runs/core/driver_run.h"
#include "session/core/rental_session.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::finances {

inline const char* const kBookingCaption = "Tallimo";
// `loyaltyCode` of a run paid with n points: this plus n.
constexpr int kFreeSessionCodeBase = 10000;

// Everything the reservation windows load when they open. The accounts are
// aligned with the subscribers (account i is subscriber i).
struct BookingData {
    databases::CategoryTable categories; // the names and the fleet's transponders
    std::array<std::string, kPriceRows> categoryNames;
    PriceTable prices;
    DiscountTable discounts;
    LoyaltyBalances balances;
    SessionPointsTables points;
    databases::SubscriberTable subscribers = databases::MakeSubscriberTable();
    databases::FirstNameTable subscriberFirstNames =
        databases::MakeFirstNameTable(databases::kSubscriberFirstNames);

    bool loyaltyActive() const { return balances.header.loyaltyActive == 1; }
};

// Loads the categories, subscribers, their first names (sorted), prices,
// discounts, balances and session points of the working folder, each with
// its message on failure (its table then stays cleared), and empties the
// prices, discounts and points of unnamed categories. False when any failed.
bool LoadBookingData(const common::WorkingFolder& folder, BookingData& data,
                     common::MessageSink& messages);

// The subscriber whose name and first name are the driver's, or -1; a
// driver without a first name (a walk-in) is never one.
int FindSubscriber(const databases::SubscriberTable& subscribers, std::string_view name,
                   std::string_view firstName);

// price - discount in amount mode, (100 - discount) x price / 100 truncated
// otherwise; never below 0, and computed wide enough for any file values.
std::int32_t DiscountedPrice(std::int32_t price, std::int32_t discount, int discountMode);
// The currency unit in amount mode, "%" otherwise.
std::string DiscountUnit(int discountMode, int currency);

// The information messages when subscriber `name` `firstName` is chosen,
// in order: birthday, namedays, loyalty points.
std::vector<std::string> SubscriberChosenMessages(const BookingData& data, std::string_view name,
                                                  std::string_view firstName,
                                                  const common::DateIndex& today);

struct DiscountOffer {
    int event = -1; // the `loyaltyCode` it sets
    std::int32_t discount = 0;
    std::int32_t price = 0;
    std::string question;
};

// The best discount for the driver on session `session` of category
// `category` at `price`: the birthday whenever it applies, otherwise the
// nameday or event whose price is strictly lowest, first one first.
std::optional<DiscountOffer> BestDiscountOffer(const BookingData& data, int category, int session,
                                               std::int32_t price, std::string_view name,
                                               std::string_view firstName,
                                               const common::DateIndex& today);

struct FreeSessionOffer {
    int account = -1;
    std::int32_t points = 0;
    std::int32_t cost = 0;
    std::string question;
    std::string remainingMessage; // shown after Yes
};

// A session paid with points, when the programme is on and the driver's
// account holds the cost. The group window offers only sessions that cost
// something (`positiveCostOnly`).
std::optional<FreeSessionOffer> FreeSessionOfferFor(const BookingData& data, int category,
                                                    int session, std::string_view name,
                                                    std::string_view firstName,
                                                    bool positiveCostOnly);

struct FreeingOutcome {
    std::optional<runs::DriverRun> run; // the run to store on "Ok"
    std::vector<std::string> messages;  // points earned or spent
    bool balancesChanged = false;
};

// What freeing `kart` of `category` does: a finished run with at least one
// lap is kept, and only then are its points credited (at most 99999) or
// spent (never below 0) on the driver's account in `data`.
FreeingOutcome ApplyFreeing(BookingData& data, int category, const session::SessionKart& kart);

// The "Total à payer" of a group: the gap between the sum of the group
// prices and `amountToPay` is taken off one unit at a time, kart after kart
// and round again, skipping karts at 0 or below, until it is used up or no
// kart can give more. An amount at or above the sum changes nothing.
std::vector<std::int32_t> RedistributeTotal(const std::vector<std::int32_t>& groupPrices,
                                            std::int64_t amountToPay);

// printf into a string, for the texts above.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace tallimo::finances
