#include "finances/core/discounts_file.h"
#include "finances/core/loyalty_files.h"
#include "finances/core/session_prices.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <random>

namespace tallimo::finances {
namespace {

using testing::RecordedMessage;
using testing::RecordingMessageSink;
using testing::TemporaryFolder;

std::string PricesGolden() {
    std::string bytes = "5\t12\t3\t\n10\t20\t3\t\n20\t35\t3\t\n";
    for (int i = 3; i < 36; ++i)
        bytes += i == 30 ? "15\t40\t3\t\n" : "0\t0\t3\t\n";
    return bytes;
}

TEST(PricesFileTest, GoldenFileRoundTripsByteForByte) {
    TemporaryFolder folder;
    folder.write("p.btk2", PricesGolden());
    PriceTable table;
    ASSERT_TRUE(LoadPrices(table, folder / "p.btk2"));
    EXPECT_EQ(table.rentalPrices[0][1], (SessionPrice{10, 20, 3}));
    EXPECT_EQ(table.privatePrices[0], (SessionPrice{15, 40, 3}));
    EXPECT_EQ(CurrencyUnit(CurrentCurrency(table)), "CHF");
    ASSERT_TRUE(SavePrices(table, folder / "again.btk2"));
    EXPECT_EQ(folder.read("again.btk2"), PricesGolden());
}

TEST(PricesFileTest, DamagedFilesGiveWhatCanBeReadInOfferOrder) {
    PriceTable table;
    ParsePricesFile("20\t35\t0\t\n0\t0\t0\t\nabc\t9\t0\t\n5\t12\t0", table);
    EXPECT_EQ(table.rentalPrices[0][0], (SessionPrice{5, 12, 0}));
    EXPECT_EQ(table.rentalPrices[0][1], (SessionPrice{20, 35, 0}));
    EXPECT_EQ(UsedSessionCount(table.rentalPrices[0]), 2);
    EXPECT_EQ(table.rentalPrices[1], PriceRow{}) << "a short file leaves the rest cleared";

    RecordingMessageSink messages;
    TemporaryFolder folder;
    table.rentalPrices[2][0] = {5, 5, 5};
    EXPECT_FALSE(LoadPricesDatabase(common::WorkingFolder(folder.path()), table, messages));
    EXPECT_EQ(table, PriceTable{});
    EXPECT_EQ(messages.messages(), (std::vector<RecordedMessage>{{"Error", kPricesFileErrorText}}));
}

TEST(PricesFileTest, RowsKeepOfferOrderAndUnnamedCategoriesOfferNothing) {
    PriceRow row{};
    row[0] = {20, 35, 0};
    row[2] = {5, 12, 0};
    row[4] = {10, 20, 0};
    SortPriceRow(row);
    EXPECT_EQ(row[0].durationMinutes, 5);
    EXPECT_EQ(row[1].price, 20);
    EXPECT_EQ(row[2].durationMinutes, 20);
    EXPECT_EQ(SessionIndexOf(row, 20), 2);
    EXPECT_EQ(SessionIndexOf(row, 15), -1);
    EXPECT_EQ(SessionIndexOf(row, 0), -1) << "a free entry is no session";

    PriceTable table;
    table.rentalPrices[1] = row;
    SetCurrency(table, 4);
    ZeroUnnamedCategoryRows(table, {"Adultes", "", "", "", ""});
    EXPECT_EQ(UsedSessionCount(table.rentalPrices[1]), 0);
    EXPECT_EQ(table.rentalPrices[1][0].currency, 4);
}

TEST(PricesFileTest, CurrencyUnitsNeverReadPastTheTable) {
    EXPECT_EQ(CurrencyUnit(0), "\x80");
    EXPECT_EQ(CurrencyComboText(2), "\xA3 (GBP)");
    EXPECT_EQ(CurrencyUnit(12), "leu");
    EXPECT_EQ(CurrencyUnit(13), "");
    EXPECT_EQ(CurrencyUnit(-1), "");
    EXPECT_EQ(CurrencyComboText(100), "");
}

std::string DiscountLine(const std::string& name, int day, int month, int first) {
    std::string line = name + "\t" + std::to_string(day) + "\t" + std::to_string(month) +
                       "\t1\t0\t3\t2\t7\t45000\t";
    for (int i = 0; i < 36; ++i)
        line += std::to_string(first + i) + "\t";
    return line + "\n";
}

TEST(DiscountsFileTest, GoldenFileRoundTripsByteForByte) {
    const std::string golden = "1\t\n" + DiscountLine("Anniversaire abonn\xE9s", 0, 0, 1) +
                               DiscountLine("F\xEAte pr\xE9nom abonn\xE9s", 0, 0, 100) +
                               DiscountLine("No\xEBl", 24, 11, 200);
    TemporaryFolder folder;
    folder.write("r.brk2", golden);
    DiscountTable table;
    ASSERT_TRUE(LoadDiscounts(table, folder / "r.brk2"));
    EXPECT_EQ(table.discountMode, 1);
    EXPECT_EQ(ListedEventCount(table), 3);
    const DiscountEvent& noel = table.events[2];
    EXPECT_EQ(noel.eventDay, 24);
    EXPECT_EQ(noel.spareInt, 45000);
    EXPECT_EQ(DiscountOf(noel, 5, 0), 200) << "private sessions come first";
    EXPECT_EQ(DiscountOf(noel, 0, 0), 206);
    EXPECT_EQ(DiscountOf(noel, 4, 5), 235);
    EXPECT_EQ(DiscountOf(noel, 6, 0), 0);
    ASSERT_TRUE(SaveDiscounts(table, 3, folder / "again.brk2"));
    EXPECT_EQ(folder.read("again.brk2"), golden);
}

TEST(DiscountsFileTest, ReaderCutsNamesSkipsEmptyLinesAndStopsAtFifty) {
    std::string bytes = "0\t\n\n" + DiscountLine(std::string(40, 'x'), 1, 1, 0) + "\n\n";
    for (int i = 0; i < 60; ++i)
        bytes += DiscountLine("E" + std::to_string(i), 0, 0, 0);
    DiscountTable table;
    ParseDiscountsFile(bytes, table);
    EXPECT_EQ(table.events[0].eventName, std::string(kEventNameChars, 'x'));
    EXPECT_EQ(table.events[1].eventName, "E0");
    EXPECT_EQ(table.events[49].eventName, "E48");
    EXPECT_EQ(ListedEventCount(table), 50);

    ParseDiscountsFile("1\t\nTronqu\xE9\t4\t", table);
    EXPECT_EQ(table.events[0].eventName, "Tronqu\xE9");
    EXPECT_EQ(table.events[0].eventDay, 4);
    EXPECT_EQ(table.events[0].eventMonth, 0);
}

TEST(LoyaltyFilesTest, BalancesRoundTripAndHandEditedPointsAreClamped) {
    const std::string golden = "1\t0\t6\t45001\t\nLef\xE8vre\tRen\xE9\t120\t\nMartin\tAnne\t0\t\n";
    TemporaryFolder folder;
    folder.write("c.bcf2", golden);
    LoyaltyBalances balances;
    ASSERT_TRUE(LoadBalances(balances, folder / "c.bcf2"));
    EXPECT_EQ(balances.header, (LoyaltyHeader{1, 0, 6, 45001}));
    ASSERT_EQ(balances.accounts.size(), 2u);
    ASSERT_TRUE(SaveBalances(balances, folder / "d.bcf2"));
    EXPECT_EQ(folder.read("d.bcf2"), golden);

    ParseBalancesFile("1\t0\t6\t0\t\nA\tB\t123456\t\nC\tD\t-40\t\n", balances);
    EXPECT_EQ(balances.accounts[0].points, kMaxLoyaltyPoints);
    EXPECT_EQ(balances.accounts[1].points, 0);

    ParseBalancesFile("1\t", balances);
    EXPECT_EQ(balances.header, (LoyaltyHeader{1, 0, 6, 0})) << "missing numbers keep the defaults";
}

TEST(LoyaltyFilesTest, SessionPointsRoundTripWithTheirExportTwin) {
    SessionPointsTables tables;
    tables.sessionPoints[0] = {10, 20, 30, 0, 0, 0};
    tables.freeSessionCost[4] = {100, 0, 0, 0, 0, 7};
    tables.privateFreeSessionCost[5] = 99;
    TemporaryFolder folder;
    const auto twin = SessionPointsTwinPath(folder / "card.bcf2");
    EXPECT_EQ(twin.filename(), "card.bcfb");
    ASSERT_TRUE(SaveSessionPoints(tables, twin));
    const std::string bytes = folder.read("card.bcfb");
    EXPECT_EQ(bytes.substr(0, bytes.find('\n') + 1), "10\t20\t30\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\n");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 6);
    SessionPointsTables loaded;
    ASSERT_TRUE(LoadSessionPoints(loaded, twin));
    EXPECT_EQ(loaded, tables);
    EXPECT_EQ(FreeSessionCostOf(loaded, 5, 5), 99);
    EXPECT_EQ(SessionPointsOf(loaded, 0, 6), 0);
}

TEST(LoyaltyFilesTest, AccountsFollowTheSubscribersAndMissingFilesAreReported) {
    databases::SubscriberTable subscribers = databases::MakeSubscriberTable();
    subscribers[0].name = "Martin";
    subscribers[0].firstName = "Anne";
    subscribers[1].name = "Petit";
    subscribers[1].firstName = "Luc";
    const auto accounts = AlignAccounts(subscribers, {{"Petit", "Luc", 70}, {"Gone", "X", 9}});
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[0].points, 0);
    EXPECT_EQ(accounts[1].points, 70);
    EXPECT_EQ(FindAccount(accounts, "Petit", ""), -1);

    TemporaryFolder folder;
    const common::WorkingFolder root(folder.path());
    RecordingMessageSink messages;
    LoyaltyBalances balances;
    SessionPointsTables tables;
    DiscountTable discounts;
    EXPECT_FALSE(LoadBalancesDatabase(root, balances, messages));
    EXPECT_FALSE(LoadSessionPointsDatabase(root, tables, messages));
    EXPECT_FALSE(LoadDiscountsDatabase(root, discounts, messages));
    EXPECT_EQ(balances.header.freeSessionMailMonths, 6);
    EXPECT_EQ(messages.messages(), (std::vector<RecordedMessage>{
                                       {"Error", kBalancesFileErrorText},
                                       {"Error", kSessionPointsFileErrorText},
                                       {"Error", kDiscountsFileErrorText},
                                   }));
}

// Damaged copies of the golden files and plain noise: every parser keeps its
// tables within their bounds, whatever the bytes.
TEST(FinanceFilesTest, HostileBytesKeepEveryTableInItsBounds) {
    std::mt19937 random(20261207);
    const std::string seeds[] = {PricesGolden(), "1\t\n" + DiscountLine("A", 1, 1, 1),
                                 "1\t0\t6\t0\t\nA\tB\t5\t\n", std::string(300, '9')};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = seeds[round % 4];
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = random() % bytes.size();
            const char noise[] = {'\t', '\n', '\r', '-', '9', static_cast<char>(0xFF), 'x'};
            bytes[at] = noise[random() % sizeof noise];
            if (random() % 4 == 0)
                bytes.erase(at, random() % 20);
        }
        PriceTable prices;
        ParsePricesFile(bytes, prices);
        for (const PriceRow& row : prices.rentalPrices) {
            const int used = UsedSessionCount(row);
            for (int s = 1; s < used; ++s)
                ASSERT_LE(row[s - 1].durationMinutes, row[s].durationMinutes) << round;
            for (int s = used; s < kSessionsPerRow; ++s)
                ASSERT_LE(row[s].durationMinutes, 0) << round;
        }
        DiscountTable discounts;
        ParseDiscountsFile(bytes, discounts);
        for (const DiscountEvent& event : discounts.events)
            ASSERT_LE(event.eventName.size(), kEventNameChars);
        LoyaltyBalances balances;
        ParseBalancesFile(bytes + bytes + bytes, balances);
        ASSERT_LE(balances.accounts.size(), static_cast<std::size_t>(kMaxLoyaltyAccounts));
        for (const LoyaltyAccount& account : balances.accounts) {
            ASSERT_GE(account.points, 0);
            ASSERT_LE(account.points, kMaxLoyaltyPoints);
            ASSERT_LE(account.firstName.size(), kAccountFirstNameChars);
        }
        SessionPointsTables points;
        ParseSessionPointsFile(bytes, points);
    }
}

} // namespace
} // namespace tallimo::finances
