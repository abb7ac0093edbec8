#include "app/core/tool_command_line.h"
#include "common/core/cp1252.h"
#include "common/core/date_index.h"
#include "databases/core/countries_file.h"
#include "databases/core/first_names_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "emails/core/club_contact_file.h"
#include "finances/core/discounts_file.h"
#include "finances/core/loyalty_files.h"
#include "finances/core/session_prices.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tallimo::app {
namespace {

// A working folder on 10 June 2026 in which one e-mail of every kind is
// due: Anne Martin's birthday (11 June), Jean Petit's nameday (13 June),
// the event "Été" (15 June) to both, and the loyalty mailing to Anne (120
// points, a free session costs 100). "Sans Adresse" has no valid address.
class EmailToolTest : public ::testing::Test {
protected:
    EmailToolTest() {
        testing::RecordingMessageSink sink;
        emails::ClubContact contact;
        contact.contactName = "Kart & Co";
        contact.contactEmail = "club@kart.fr";
        emails::SaveClubContactDatabase(folder, contact, sink);
        databases::CategoryTable categories{};
        categories[0].name = "Adultes";
        databases::SaveCategoriesDatabase(folder, categories, sink);
        dir.write(databases::kCountriesFileName, "France\n");

        databases::SubscriberTable subscribers = databases::MakeSubscriberTable();
        subscribers[0].name = "Martin";
        subscribers[0].firstName = "Anne";
        subscribers[0].email = "anne@kart.fr";
        databases::SetBirthDate(subscribers[0], {10, 5, 90});
        subscribers[1].name = "Petit";
        subscribers[1].firstName = "Jean";
        subscribers[1].email = "jean@kart.fr";
        subscribers[2].name = "Sans";
        subscribers[2].firstName = "Adresse";
        subscribers[2].email = "none";
        databases::SetBirthDate(subscribers[2], {10, 5, 90});
        databases::SaveSubscribersDatabase(folder, subscribers, sink);
        databases::FirstNameTable names = databases::MakeFirstNameTable(2);
        names[0] = {"Jean", 12, 5};
        databases::SaveSubscriberFirstNamesDatabase(folder, names, sink);

        finances::PriceTable prices{};
        prices.rentalPrices[0][0] = {10, 20, 0};
        finances::SavePricesDatabase(folder, prices, sink);
        finances::DiscountTable discounts{};
        for (int index : {0, 1, 2}) {
            finances::DiscountEvent& event = discounts.events[static_cast<std::size_t>(index)];
            event.eventName = index == 2 ? "\xC9t\xE9" : "Fixed";
            event.discountActive = event.mailActive = 1;
            event.mailDaysBefore = index == 2 ? 10 : 7;
            event.daysBefore = index == 2 ? 0 : 2;
            event.daysAfter = index == 2 ? 0 : 1;
            event.rentalDiscounts[0][0] = 5;
        }
        discounts.events[2].eventDay = 14;
        discounts.events[2].eventMonth = 5;
        finances::SaveDiscountsDatabase(folder, discounts, sink);
        finances::LoyaltyBalances balances;
        balances.header = {1, 1, 6, 0};
        balances.accounts = {{"Martin", "Anne", 120}, {"Gone", "Away", 40}};
        finances::SaveBalancesDatabase(folder, balances, sink);
        finances::SessionPointsTables points{};
        points.freeSessionCost[0][0] = 100;
        finances::SaveSessionPointsDatabase(folder, points, sink);
        EXPECT_TRUE(sink.messages().empty());
    }

    int run(const std::vector<std::string>& options) {
        std::vector<std::string> arguments{"emails"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        out.str("");
        err.str("");
        return RunToolCommandLine(arguments, out, err);
    }

    std::vector<std::string> on(const char* command, const char* date = "2026-06-10") const {
        return {command, "--working-folder", dir.path().string(), "--date", date};
    }

    testing::TemporaryFolder dir;
    common::WorkingFolder folder{dir.path()};
    std::ostringstream out;
    std::ostringstream err;
};

constexpr const char* kClub = "objet=envoiemail&emailkarting=club%40kart.fr"
                              "&clubkarting=Kart%20%26%20Co&phonekarting=&websitekarting=";
constexpr const char* kDiscounts = "&remiseminkartloc=5&remisemaxkartloc=5&remiseminkartprive=0"
                                   "&remisemaxkartprive=0&remiseunite=%E2%82%AC";

std::string ExpectedDue(const std::string& base) {
    const std::string anne = "&name=Martin&firstname=Anne&email=anne%40kart.fr";
    const std::string jean = "&name=Petit&firstname=Jean&email=jean%40kart.fr";
    const std::string event = "&event=%C3%89t%C3%A9";
    const std::string period = "&datemin=15%2006%202026&datemax=15%2006%202026";
    return "birthday\tMartin\tAnne\n" + base + "emailKartingAnniversaire.php?" + kClub + anne +
           kDiscounts + "&datemin=9%2006%202026&datemax=12%2006%202026\n" +
           "nameday\tPetit\tJean\n" + base + "emailKartingFetePrenom.php?" + kClub + jean +
           kDiscounts + "&datemin=11%2006%202026&datemax=14%2006%202026\n" +
           "event 2\tMartin\tAnne\n" + base + "emailKartingEvenement.php?" + kClub + anne + event +
           kDiscounts + period + "\n" + "event 2\tPetit\tJean\n" + base +
           "emailKartingEvenement.php?" + kClub + jean + event + kDiscounts + period + "\n" +
           "loyalty\tMartin\tAnne\n" + base + "emailKartingFidelite.php?" + kClub + anne +
           "&ptsfidelite=120&seancegratuiteloc=1&seancegratuiteprive=0&ptsseancegratuiteloc=100"
           "&ptsseancegratuiteprive=0\n";
}

TEST_F(EmailToolTest, DuePrintsEveryEmailInSendingOrderAndWritesNothing) {
    const std::string subscribersBefore = dir.read(databases::kSubscribersFileName);
    ASSERT_EQ(run(on("due")), 0);
    EXPECT_EQ(out.str(), ExpectedDue("https://mailing.invalid/"));
    // The missing files in loading order.
    EXPECT_EQ(err.str(),
              "Error: The translation file 'FenetrePrincipale.trans' has not been found\n"
              "Error: The translation file 'FenetreEmails.trans' has not been found\n"
              "Error: The translation file 'BaseClubs.trans' has not been found\n"
              "Error: The translation file 'BaseCategoriesAge.trans' has not been found\n"
              "Error: The translation file 'FenetreFidelite.trans' has not been found\n");
    EXPECT_EQ(dir.read(databases::kSubscribersFileName), subscribersBefore);

    dir.write("Private/Tallimo.ini", "mailing.formBase=https://m.example/forms\n");
    ASSERT_EQ(run(on("due")), 0);
    EXPECT_EQ(out.str(), ExpectedDue("https://m.example/forms/"));
    std::vector<std::string> options = on("due");
    options.insert(options.end(), {"--form-base", "http://other/"});
    ASSERT_EQ(run(options), 0);
    EXPECT_EQ(out.str(), ExpectedDue("http://other/"));
}

TEST_F(EmailToolTest, SendWritesTheMarkersSoNothingIsDueTwice) {
    ASSERT_EQ(run(on("send")), 0) << err.str();
    EXPECT_EQ(out.str(), ExpectedDue("https://mailing.invalid/"));
    ASSERT_EQ(run(on("due")), 0);
    EXPECT_EQ(out.str(), "");

    testing::RecordingMessageSink sink;
    finances::LoyaltyBalances balances;
    ASSERT_TRUE(finances::LoadBalancesDatabase(folder, balances, sink));
    const int today = common::DayNumber({9, 5, 126});
    EXPECT_EQ(balances.header.loyaltySpare, today);
    // Accounts of people who are no longer subscribers keep their points.
    EXPECT_EQ(balances.accounts.size(), 2u);
    finances::DiscountTable discounts;
    ASSERT_TRUE(finances::LoadDiscountsDatabase(folder, discounts, sink));
    EXPECT_EQ(discounts.events[2].spareInt, today + 5);
    // The next year's birthday is due again.
    ASSERT_EQ(run(on("due", "2027-06-10")), 0);
    EXPECT_NE(out.str().find("birthday\tMartin\tAnne\n"), std::string::npos);
}

TEST_F(EmailToolTest, SendRefusesAnInvalidClubAddressAndWritesNothing) {
    testing::RecordingMessageSink sink;
    emails::ClubContact contact;
    contact.contactName = "Kart";
    contact.contactEmail = "club@kart";
    emails::SaveClubContactDatabase(folder, contact, sink);
    const std::string subscribersBefore = dir.read(databases::kSubscribersFileName);
    EXPECT_EQ(run(on("send")), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("\nError, club email address extension is not valid\n"),
              std::string::npos);
    EXPECT_EQ(dir.read(databases::kSubscribersFileName), subscribersBefore);
}

TEST_F(EmailToolTest, WrongOptionsAreUsageErrors) {
    EXPECT_EQ(run(on("due", "2026-02-29")), 2);
    EXPECT_EQ(run({"due", "--working-folder", dir.path().string()}), 2);
    EXPECT_EQ(run({"list", "--working-folder", dir.path().string(), "--date", "2026-06-10"}), 2);
    std::vector<std::string> twice = on("due");
    twice.insert(twice.end(), {"--date", "2026-06-11"});
    EXPECT_EQ(run(twice), 2);
    EXPECT_NE(err.str().find("emails due|send"), std::string::npos);
    EXPECT_EQ(
        run({"due", "--working-folder", (dir.path() / "none").string(), "--date", "2026-06-10"}),
        1);
}

} // namespace
} // namespace tallimo::app
