#pragma once

// The files a reservation window reads, built with the core's own save
// functions so that the windows' tests start from what the program writes.
// The defaults: one rental category "Adultes" whose 30 karts are in the
// session and free (K3 has a fleet transponder); 10 minutes at 20 and 20
// minutes at 35 in euros; Anne Martin (born 10 June 1990) and Paul Durand
// with 120 and 0 loyalty points; the programme on, 15 points earned by a
// 10-minute run and a free 10-minute session costing 100 points; no
// discount active. Tests change the tables, then call `write`.

#include "common/core/data_file.h"
#include "common/core/working_folder.h"
#include "databases/core/first_names_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "finances/core/discounts_file.h"
#include "finances/core/loyalty_files.h"
#include "finances/core/session_prices.h"
#include "session/core/rental_session.h"
#include "session/core/session_file.h"
#include "tests/support/recording_message_sink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace tallimo::testing {

inline constexpr int kEuroCurrency = 0;

struct BookingFixture {
    enum class File {
        Categories,
        Subscribers,
        FirstNames,
        Prices,
        Discounts,
        Balances,
        SessionPoints,
        Session
    };

    databases::CategoryTable categories;
    databases::SubscriberTable subscribers = databases::MakeSubscriberTable();
    databases::FirstNameTable firstNames =
        databases::MakeFirstNameTable(databases::kSubscriberFirstNames);
    finances::PriceTable prices;
    finances::DiscountTable discounts;
    finances::LoyaltyBalances balances;
    finances::SessionPointsTables points;
    session::RentalSession rental;
    session::SessionHeader header;

    BookingFixture() {
        categories[0].name = "Adultes";
        categories[0].karts[2] = {"K3", "004711"};
        finances::PriceRowOf(prices, 0)[0] = {10, 20, kEuroCurrency};
        finances::PriceRowOf(prices, 0)[1] = {20, 35, kEuroCurrency};
        addSubscriber(0, "Martin", "Anne", {9, 5, 90});
        addSubscriber(1, "Durand", "Paul", {0, 0, 80});
        firstNames[0] = {"Anne", 25, 6};
        firstNames[1] = {"Paul", 28, 5};
        balances.header.loyaltyActive = 1;
        balances.accounts = {{"Martin", "Anne", 120}, {"Durand", "Paul", 0}};
        points.sessionPoints[0][0] = 15;
        points.freeSessionCost[0][0] = 100;
        discounts.events[finances::kBirthdayEvent].eventName = "Anniversaire abonn\xE9s";
        discounts.events[finances::kNamedayEvent].eventName = "F\xEAte pr\xE9nom abonn\xE9s";
        rental.categories[0].categoryName = "Adultes";
        rental.categories[session::kPrivateCategoryIndex].categoryName =
            session::kPrivateCategoryName;
        for (int slot = 0; slot < session::kKartsPerCategory; ++slot) {
            session::SessionKart& kart = rental.kart(0, slot);
            kart.kartLabel = session::KartLabelFor(0, slot);
            kart.usage = session::KartUsage::InSession;
            kart.trackState = session::TrackState::Free;
        }
        header.trackName = "Circuit du Lac";
    }

    void addSubscriber(int index, const char* name, const char* firstName,
                       const common::DateIndex& birth) {
        subscribers[index].name = name;
        subscribers[index].firstName = firstName;
        databases::SetBirthDate(subscribers[index], birth);
    }

    // An active discount of `discount` on the first session of category 0,
    // for the dates from `daysBefore` days before the event to the event.
    void activateEvent(int event, const char* name, common::DateIndex date, int discount,
                       int daysBefore = 0) {
        finances::DiscountEvent& e = discounts.events[event];
        e.eventName = name;
        e.eventDay = date.day;
        e.eventMonth = date.month;
        e.discountActive = 1;
        e.daysBefore = daysBefore;
        e.rentalDiscounts[0][0] = discount;
    }

    // Every file but those in `missing`, and the drivers' empty run files.
    void write(const common::WorkingFolder& folder, const std::set<File>& missing = {}) const {
        RecordingMessageSink messages;
        const auto wanted = [&](File file) { return !missing.contains(file); };
        if (wanted(File::Categories))
            databases::SaveCategoriesDatabase(folder, categories, messages);
        if (wanted(File::Subscribers))
            databases::SaveSubscribersDatabase(folder, subscribers, messages);
        if (wanted(File::FirstNames))
            databases::SaveSubscriberFirstNamesDatabase(folder, firstNames, messages);
        if (wanted(File::Prices))
            finances::SavePricesDatabase(folder, prices, messages);
        if (wanted(File::Discounts))
            finances::SaveDiscountsDatabase(folder, discounts, messages);
        if (wanted(File::Balances))
            finances::SaveBalancesDatabase(folder, balances, messages);
        if (wanted(File::SessionPoints))
            finances::SaveSessionPointsDatabase(folder, points, messages);
        if (wanted(File::Session)) {
            EXPECT_TRUE(session::SaveSessionFile(folder, rental, header));
        }
        std::filesystem::create_directories(folder.path("Runs"));
        for (const auto& account : balances.accounts) {
            EXPECT_TRUE(common::WriteFileAtomically(
                folder.path("Runs/" + account.name + "_" + account.firstName + ".bdr"),
                "1\t0\t\n"));
        }
        EXPECT_TRUE(messages.messages().empty());
    }
};

} // namespace tallimo::testing
