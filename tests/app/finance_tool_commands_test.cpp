#include "app/core/tool_command_line.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "finances/core/discounts_file.h"
#include "finances/core/loyalty_files.h"
#include "finances/core/session_prices.h"
#include "runs/core/run_file.h"
#include "runs/core/run_file_header.h"
#include "runs/core/run_file_path.h"
#include "session/core/session_file.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

namespace tallimo::app {
namespace {

struct GroupTotalCase {
    const char* name;
    std::vector<std::string> arguments;
    int exitCode;
    std::string out;
};

class GroupTotalToolTest : public ::testing::TestWithParam<GroupTotalCase> {};

TEST_P(GroupTotalToolTest, PrintsThePricesOrTheUsage) {
    const GroupTotalCase& c = GetParam();
    std::vector<std::string> arguments{"group-total"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    std::ostringstream out, err;
    EXPECT_EQ(RunToolCommandLine(arguments, out, err), c.exitCode) << err.str();
    EXPECT_EQ(out.str(), c.out);
    if (c.exitCode == 2) {
        EXPECT_NE(err.str().find("usage:"), std::string::npos);
        EXPECT_NE(err.str().find("group-total --prices"), std::string::npos);
    } else {
        EXPECT_EQ(err.str(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, GroupTotalToolTest,
    ::testing::Values(
        GroupTotalCase{
            "ThreeTensPayingTwentySix", {"--prices", "10,10,10", "--pay", "26"}, 0, "8,9,9\n"},
        GroupTotalCase{"OptionsInAnyOrder", {"--pay", "0", "--prices", "3,0,2"}, 0, "0,0,0\n"},
        GroupTotalCase{"AmountAboveTheTotal", {"--prices", "10", "--pay", "9999999"}, 0, "10\n"},
        GroupTotalCase{"NoPay", {"--prices", "10"}, 2, ""},
        GroupTotalCase{"PayWithoutValue", {"--prices", "10", "--pay"}, 2, ""},
        GroupTotalCase{"NegativePrice", {"--prices", "10,-1", "--pay", "5"}, 2, ""},
        GroupTotalCase{"EmptyPrice", {"--prices", "10,,10", "--pay", "5"}, 2, ""},
        GroupTotalCase{"ElevenKarts", {"--prices", "1,1,1,1,1,1,1,1,1,1,1", "--pay", "5"}, 2, ""},
        GroupTotalCase{"EightDigitAmount", {"--prices", "10", "--pay", "10000000"}, 2, ""},
        GroupTotalCase{"PriceTooLarge", {"--prices", "2147483648", "--pay", "5"}, 2, ""},
        GroupTotalCase{"AmountNotANumber", {"--prices", "10", "--pay", "12e3"}, 2, ""},
        GroupTotalCase{"UnknownOption", {"--prices", "10", "--pay", "5", "--json"}, 2, ""},
        GroupTotalCase{"PricesTwice", {"--prices", "10", "--prices", "5", "--pay", "1"}, 2, ""}),
    [](const ::testing::TestParamInfo<GroupTotalCase>& row) {
        return std::string(row.param.name);
    });

// A working folder on 11 June 2026: category "Adultes" with K1 free,
// K2 free, K3 reserved and K4 finished after two laps by Anne Martin,
// born on 11 June 1990 with 120 points; 10 minutes cost 20 (25 % off on a
// birthday, or 100 points), 20 minutes cost 35. The first names file is
// missing.
class WindowCommandTest : public ::testing::Test {
protected:
    WindowCommandTest() {
        testing::RecordingMessageSink sink;
        databases::CategoryTable categories{};
        categories[0].name = "Adultes";
        databases::SaveCategoriesDatabase(folder, categories, sink);
        databases::SubscriberTable subscribers = databases::MakeSubscriberTable();
        subscribers[0].name = "Martin";
        subscribers[0].firstName = "Anne";
        databases::SetBirthDate(subscribers[0], common::DateIndex{10, 5, 90});
        databases::SaveSubscribersDatabase(folder, subscribers, sink);
        finances::PriceTable prices;
        prices.rentalPrices[0][0] = {10, 20, 0};
        prices.rentalPrices[0][1] = {20, 35, 0};
        finances::SavePricesDatabase(folder, prices, sink);
        finances::DiscountTable discounts;
        discounts.discountMode = 1;
        discounts.events[0].discountActive = 1;
        discounts.events[0].rentalDiscounts[0][0] = 25;
        finances::SaveDiscountsDatabase(folder, discounts, sink);
        finances::LoyaltyBalances balances;
        balances.header.loyaltyActive = 1;
        balances.accounts = {{"Martin", "Anne", 120}};
        finances::SaveBalancesDatabase(folder, balances, sink);
        finances::SessionPointsTables points;
        points.sessionPoints[0][0] = 15;
        points.freeSessionCost[0][0] = 100;
        finances::SaveSessionPointsDatabase(folder, points, sink);
        const auto runFile = runs::RunFilePath(folder, "Martin", "Anne");
        std::filesystem::create_directories(runFile.parent_path());
        EXPECT_TRUE(runs::CreateRunFile(runFile));
        EXPECT_TRUE(runs::WriteRunFileFlags(runFile, 1, 0));

        auto rental = std::make_unique<session::RentalSession>();
        session::ClearSession(*rental);
        rental->categories[0].categoryName = "Adultes";
        for (int slot = 0; slot < 4; ++slot) {
            session::SessionKart& kart = rental->kart(0, slot);
            kart.kartLabel = session::KartLabelFor(0, slot);
            kart.usage = session::KartUsage::InSession;
            kart.trackState = session::TrackState::Free;
        }
        rental->kart(0, 2).trackState = session::TrackState::Reserved;
        session::SessionKart& done = rental->kart(0, 3);
        done.trackState = session::TrackState::Finished;
        done.driverName = "Martin";
        done.driverFirstName = "Anne";
        done.durationMinutes = 10;
        done.price = 20;
        done.lastLapIndex = 2;
        done.passingTimes[0] = 1000;
        done.passingTimes[1] = 31000;
        done.passingTimes[2] = 62000;
        session::SessionHeader header;
        header.trackName = "Circuit";
        session::SaveSessionFile(folder, *rental, header);
        EXPECT_TRUE(sink.messages().empty());
    }

    int run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin() + 1,
                         {"--working-folder",
                          reinterpret_cast<const char*>(temporary.path().u8string().c_str())});
        out.str({});
        err.str({});
        return RunToolCommandLine(arguments, out, err);
    }

    session::SessionKart savedKart(int slot) const {
        auto rental = std::make_unique<session::RentalSession>();
        session::SessionHeader header;
        EXPECT_TRUE(session::LoadSessionFile(folder, *rental, header));
        return rental->kart(0, slot);
    }

    std::int32_t savedPoints() const {
        finances::LoyaltyBalances balances;
        testing::RecordingMessageSink sink;
        EXPECT_TRUE(finances::LoadBalancesDatabase(folder, balances, sink));
        return balances.accounts.at(0).points;
    }

    testing::TemporaryFolder temporary;
    common::WorkingFolder folder{temporary.path()};
    std::ostringstream out, err;
};

const char* const kFirstNamesMissing =
    "Error\tinfo\tError : 'Subscribers first names' database file not found\n";

TEST_F(WindowCommandTest, BirthdayOfferAnsweredYesAndTheFreeSessionRefusedByDefault) {
    const std::string before = temporary.read(session::kSessionFileName);
    ASSERT_EQ(run({"book", "--kart", "K1", "--subscriber", "Martin", "Anne", "--duration", "10",
                   "--date", "2026-06-11", "--answer", "yes"}),
              0)
        << err.str();
    EXPECT_EQ(out.str(),
              std::string(kFirstNamesMissing) +
                  "Tallimo\tinfo\tJoyeux anniversaire Anne !\\n\\n Aujourd'hui, 36 ans "
                  "(11/06/1990)\n"
                  "Tallimo\tinfo\tPoints fidélité Anne = 120\n"
                  "Tallimo\tquestion\tC'est l'anniversaire de Anne !\\nApplication Remise (-25%) "
                  "?\n"
                  "Tallimo\tquestion\tPoints fidélité Anne = 120\\nLa séance gratuite coute 100 "
                  "points\\nSéance gratuite ?\n"
                  "price=15 loyaltyCode=0 paid=0\n");
    EXPECT_EQ(temporary.read(session::kSessionFileName), before);
}

TEST_F(WindowCommandTest, WalkInSavedOnlyWithSave) {
    ASSERT_EQ(run({"book", "--kart", "K2", "--walk-in", "Zoé", "--duration", "20", "--date",
                   "2026-06-11", "--save"}),
              0)
        << err.str();
    EXPECT_EQ(out.str(), std::string(kFirstNamesMissing) + "price=35 loyaltyCode=-1 paid=0\n");
    const session::SessionKart kart = savedKart(1);
    EXPECT_EQ(kart.driverName, "Zo\xE9");
    EXPECT_EQ(kart.driverFirstName, "");
    EXPECT_EQ(kart.durationMinutes, 20);
    EXPECT_EQ(kart.price, 35);

    // No driver: the window's refusal, and the booking stays empty.
    ASSERT_EQ(
        run({"book", "--kart", "K1", "--walk-in", "", "--duration", "10", "--date", "2026-06-11"}),
        0);
    EXPECT_NE(out.str().find("Tallimo\tinfo\tAucun pilote n'a pour l'instant été sélectionné !\n"
                             "price=0 loyaltyCode=-1 paid=0\n"),
              std::string::npos);
}

TEST_F(WindowCommandTest, GroupBookingGreetsOffersAndSavesTheKart) {
    ASSERT_EQ(
        run({"book", "--kart", "K2", "--group", "--subscriber", "Martin", "Anne", "--duration",
             "10", "--date", "2026-06-11", "--answer", "no", "--answer", "yes", "--save"}),
        0)
        << err.str();
    EXPECT_NE(out.str().find("Tallimo\tinfo\tPoints fidélité Anne = 120\n"), std::string::npos);
    // The group window's free session is not paid at once.
    EXPECT_NE(out.str().find("price=0 loyaltyCode=10100 paid=0\n"), std::string::npos);
    EXPECT_EQ(savedKart(1).loyaltyCode, 10100);
}

TEST_F(WindowCommandTest, FreeingStoresTheRunAndCreditsThePoints) {
    ASSERT_EQ(run({"free", "--kart", "K4", "--when", "2026-06-11T15:04:05"}), 0)
        << err.str() << out.str();
    EXPECT_EQ(out.str(), std::string(kFirstNamesMissing) +
                             "Tallimo\tquestion\tSouhaitez-vous libérer la kart ?\n"
                             "Tallimo\tinfo\t15 points de fidélité ont été gagnés par Anne.\\n Il "
                             "possède maintenant 135 points fidélité.\n");
    EXPECT_EQ(savedPoints(), 135);
    EXPECT_EQ(savedKart(3).driverName, "");
    runs::DriverRun stored;
    runs::RunDetails details;
    testing::RecordingMessageSink sink;
    ASSERT_EQ(runs::LoadRun(runs::RunFilePath(folder, "Martin", "Anne"),
                            "Run 2026 / 06 / 11  (15:04:05)", stored, details, sink),
              runs::RunFileOutcome::Done);
    EXPECT_EQ(stored.lastLapIndex, 2);
    EXPECT_EQ(details.trackName, "Circuit");
}

TEST_F(WindowCommandTest, FreeingAnsweredNoKeepsTheDriverAndThePoints) {
    ASSERT_EQ(run({"free", "--kart", "K4", "--when", "2026-06-11T15:04:05", "--answer", "no"}), 0);
    EXPECT_EQ(savedKart(3).driverName, "Martin");
    EXPECT_EQ(savedPoints(), 120);
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> arguments;
    int exitCode;
};

class WindowCommandRefusalTest : public WindowCommandTest,
                                 public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(WindowCommandRefusalTest, ExitsWithoutTouchingTheSession) {
    const std::string before = temporary.read(session::kSessionFileName);
    EXPECT_EQ(run(GetParam().arguments), GetParam().exitCode) << out.str();
    EXPECT_NE(err.str(), "");
    EXPECT_EQ(err.str().find("usage:") != std::string::npos, GetParam().exitCode == 2);
    EXPECT_EQ(temporary.read(session::kSessionFileName), before);
}

const std::vector<std::string> kBookK1{"book",       "--kart", "K1",     "--walk-in",  "Zoé",
                                       "--duration", "10",     "--date", "2026-06-11", "--save"};

std::vector<std::string> BookWith(std::size_t index, const std::string& value) {
    std::vector<std::string> arguments = kBookK1;
    arguments[index] = value;
    return arguments;
}

INSTANTIATE_TEST_SUITE_P(
    Options, WindowCommandRefusalTest,
    ::testing::Values(RefusalCase{"KartNotInTheSession", BookWith(2, "K5"), 1},
                      RefusalCase{"SubscriberNotInTheDatabase",
                                  {"book", "--kart", "K1", "--subscriber", "Martin", "Paul",
                                   "--duration", "10", "--date", "2026-06-11", "--save"},
                                  1},
                      RefusalCase{"DurationNotInThePrices", BookWith(6, "15"), 1},
                      RefusalCase{"GroupKartReserved",
                                  {"book", "--kart", "K3", "--group", "--walk-in", "Zoé",
                                   "--duration", "10", "--date", "2026-06-11", "--save"},
                                  1},
                      RefusalCase{"FreeUnknownKart",
                                  {"free", "--kart", "K9", "--when", "2026-06-11T10:00:00"},
                                  1},
                      RefusalCase{"DayNotInTheMonth", BookWith(8, "2026-02-29"), 2},
                      RefusalCase{"NoLeapDayIn2100", BookWith(8, "2100-02-29"), 2},
                      RefusalCase{"BothDrivers",
                                  {"book", "--kart", "K1", "--walk-in", "A", "--subscriber",
                                   "Martin", "Anne", "--duration", "10", "--date", "2026-06-11"},
                                  2},
                      RefusalCase{"AnswerWithoutValue", BookWith(9, "--answer"), 2},
                      RefusalCase{"FreeAnsweredTwice",
                                  {"free", "--kart", "K4", "--when", "2026-06-11T10:00:00",
                                   "--answer", "yes", "--answer", "yes"},
                                  2}),
    [](const ::testing::TestParamInfo<RefusalCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace tallimo::app
