#include "finances/core/settings_printouts.h"

#include "i18n/core/language_settings.h"
#include "i18n/core/shipped_translations.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

using i18n::LanguageCode;

const std::array<std::string, kPriceRows> kCategories{"Adultes", "", "Enfants", "", ""};

// Adultes: 10 minutes at 20, 20 at 35; an unnamed category with a price
// left over; Enfants without sessions; private karts: 15 minutes at 40.
PriceTable Prices() {
    PriceTable prices;
    PriceRowOf(prices, 0)[0] = {10, 20, 0};
    PriceRowOf(prices, 0)[1] = {20, 35, 0};
    PriceRowOf(prices, 1)[0] = {5, 8, 0};
    PriceRowOf(prices, kPriceRows)[0] = {15, 40, 0};
    return prices;
}

std::vector<std::string> Labels(const SettingsPrintout& printout, ListLineKind kind) {
    std::vector<std::string> labels;
    for (const ListLine& line : printout.lines) {
        if (line.kind == kind)
            labels.push_back(line.label);
    }
    return labels;
}

const ListLine* FindLine(const SettingsPrintout& printout, const std::string& label) {
    for (const ListLine& line : printout.lines) {
        if (line.label == label)
            return &line;
    }
    return nullptr;
}

TEST(DiscountListPrintoutTest, ListsTheEventsInTableOrderWithTheirDatesAndSessions) {
    DiscountTable table;
    table.events[0].eventName = "Anniversaire abonn\xE9s";
    table.events[1].eventName = "F\xEAte pr\xE9nom abonn\xE9s";
    table.events[2] = {"No\xEBl", 24, 11, 1, 0, 3, 2};
    table.events[3] = {"Halloween", 30, 9};
    table.events[5].eventName = "After a gap"; // not listed: the list ends at the gap
    table.events[2].rentalDiscounts[0][1] = 5;
    table.events[2].privateDiscounts[0] = 10;

    const SettingsPrintout printout = DiscountListPrintout(
        table, Prices(), kCategories, FactorySettingsTexts(LanguageCode::English));

    EXPECT_EQ(printout.title, "Rental discounts");
    EXPECT_EQ(printout.subtitle, "Discounts in : \x80");
    // The fixed events are named in the report language.
    EXPECT_EQ(Labels(printout, ListLineKind::Event),
              (std::vector<std::string>{"Subscribers birthday", "Subscribers name day", "No\xEBl",
                                        "Halloween"}));
    EXPECT_EQ(FindLine(printout, "Subscribers birthday")->value, "Date Birthday");
    EXPECT_EQ(FindLine(printout, "No\xEBl")->value, "25 December");
    EXPECT_EQ(FindLine(printout, "Halloween")->value, "31 October");

    // Each event: its block of detail, Adultes' two sessions, the private one.
    const std::vector<ListLine> expectedNoel{
        {ListLineKind::Event, "No\xEBl", "", "25 December", false, true},
        {ListLineKind::EventDetail, "Enable discounts", "3 days before, 2 days after the date", "",
         true, false},
        {ListLineKind::Section, "Rental karts : Adultes", "", "", false, false},
        {ListLineKind::Entry, "Session 10 minutes", "0 \x80", "=>  Session = 20 \x80", false,
         false},
        {ListLineKind::Entry, "Session 20 minutes", "-5 \x80", "=>  Session = 30 \x80", false,
         false},
        {ListLineKind::Section, "Private karts (track rental)", "", "", false, false},
        {ListLineKind::Entry, "Session 15 minutes", "-10 \x80", "=>  Session = 30 \x80", false,
         false},
    };
    ASSERT_EQ(printout.lines.size(), 4 * expectedNoel.size());
    EXPECT_EQ(std::vector<ListLine>(printout.lines.begin() + 14, printout.lines.begin() + 21),
              expectedNoel);
}

struct DiscountRow {
    const char* why;
    int mode;
    std::int32_t discount;
    const char* middle;
    const char* value;
};

class DiscountedPriceLineTest : public ::testing::TestWithParam<DiscountRow> {};

// A price of 20 with the discount of the row, in the row's unit.
TEST_P(DiscountedPriceLineTest, ShowsThePriceTheDiscountLeaves) {
    DiscountTable table;
    table.discountMode = GetParam().mode;
    table.events[0].rentalDiscounts[0][0] = GetParam().discount;
    const SettingsPrintout printout = DiscountListPrintout(
        table, Prices(), kCategories, FactorySettingsTexts(LanguageCode::French));
    const ListLine* line = FindLine(printout, "S\xE9"
                                              "ance 10 minutes");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->middle, GetParam().middle);
    EXPECT_EQ(line->value, GetParam().value);
}

std::string RowName(const ::testing::TestParamInfo<DiscountRow>& row) {
    std::string name;
    for (const char c : std::string(row.param.why))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(DiscountList, DiscountedPriceLineTest,
                         ::testing::Values(DiscountRow{"percent", 1, 25, "-25 %",
                                                       "=>  S\xE9"
                                                       "ance = 15 \x80"},
                                           DiscountRow{"amount above the price", 0, 25, "-25 \x80",
                                                       "=>  S\xE9"
                                                       "ance = 0 \x80"},
                                           DiscountRow{"amount", 0, 5, "-5 \x80",
                                                       "=>  S\xE9"
                                                       "ance = 15 \x80"},
                                           DiscountRow{"any mode but 0 is percent", 7, 50, "-50 %",
                                                       "=>  S\xE9"
                                                       "ance = 10 \x80"}),
                         RowName);

LoyaltyCard Card() {
    LoyaltyCard card;
    card.categoryNames = kCategories;
    card.prices = Prices();
    card.points.sessionPoints[0] = {15, 30, 99, 0, 0, 0}; // 99: a session not offered
    card.points.freeSessionCost[0] = {100, 180, 0, 0, 0, 0};
    card.points.sessionPoints[1][0] = 4; // unnamed category
    card.points.privateSessionPoints[0] = 25;
    card.points.privateFreeSessionCost[0] = 300;
    return card;
}

std::vector<std::pair<std::string, std::string>> Entries(const SettingsPrintout& printout) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const ListLine& line : printout.lines)
        entries.emplace_back(line.label, line.value);
    return entries;
}

TEST(LoyaltyListPrintoutTest, SessionListsShowTheOfferedSessionsOfNamedCategories) {
    const SettingsPrintoutTexts texts = FactorySettingsTexts(LanguageCode::English);
    const SettingsPrintout earned = LoyaltyListPrintout(Card(), LoyaltyList::Earned, texts);
    EXPECT_EQ(earned.title, "Loyalty points");
    EXPECT_EQ(earned.subtitle, "Points per session");
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(Entries(earned), (std::vector<Entry>{{"Rental karts : Adultes", ""},
                                                   {"Session 10 minutes", "15"},
                                                   {"Session 20 minutes", "30"},
                                                   {"Private karts (track rental)", ""},
                                                   {"Session 15 minutes", "25"}}));

    const SettingsPrintout free = LoyaltyListPrintout(Card(), LoyaltyList::FreeSession, texts);
    EXPECT_EQ(free.subtitle, "Free session");
    EXPECT_EQ(Entries(free), (std::vector<Entry>{{"Rental karts : Adultes", ""},
                                                 {"Session 10 minutes", "100"},
                                                 {"Session 20 minutes", "180"},
                                                 {"Private karts (track rental)", ""},
                                                 {"Session 15 minutes", "300"}}));
    // Each category starts a block, so a page never breaks inside one.
    EXPECT_TRUE(free.lines[3].startsBlock);
}

TEST(LoyaltyListPrintoutTest, SubscribersListShowsEveryNamedAccountOverPages) {
    LoyaltyCard card = Card();
    for (int i = 0; i < 80; ++i)
        card.balances.accounts.push_back({"Name" + std::to_string(i), "First", i * 10});
    card.balances.accounts.push_back({"", "", 5}); // no subscriber: nothing to print
    const SettingsPrintout printout = LoyaltyListPrintout(
        card, LoyaltyList::Subscribers, FactorySettingsTexts(LanguageCode::French));

    EXPECT_EQ(printout.title, "Points fid\xE9lit\xE9");
    EXPECT_EQ(printout.columnHeads, (std::vector<std::string>{"Abonn\xE9", "points acquis"}));
    ASSERT_EQ(printout.lines.size(), 80u);
    EXPECT_EQ(printout.lines[79].label, "Name79 First");
    EXPECT_EQ(printout.lines[79].value, "790");

    const int perPage = kListPageHeight / LineHeight(ListLineKind::Entry);
    const std::vector<LineSpan> pages = PaginateLines(printout.lines);
    ASSERT_EQ(pages.size(), static_cast<std::size_t>((80 + perPage - 1) / perPage));
    EXPECT_EQ(pages[0], (LineSpan{0, perPage}));
    EXPECT_EQ(pages.back().first + pages.back().count, 80);
}

// A page height of 100 units, lines of the heights LineHeight gives.
class PaginateLinesTest : public ::testing::Test {
protected:
    void add(ListLineKind kind, bool startsBlock = false) {
        lines.push_back({kind, "line " + std::to_string(lines.size()), {}, {}, false, startsBlock});
    }
    void addBlock(int entries) {
        add(ListLineKind::Section, true);
        for (int i = 0; i < entries; ++i)
            add(ListLineKind::Entry);
    }
    std::vector<ListLine> lines;
};

TEST_F(PaginateLinesTest, KeepsBlocksTogetherAndNeverEndsAPageOnAHeading) {
    EXPECT_EQ(PaginateLines(lines, 100), (std::vector<LineSpan>{{0, 0}}))
        << "an empty list still prints its title";

    addBlock(2); // 24 + 34 = 58
    addBlock(2); // does not fit the 42 left: starts page 2
    EXPECT_EQ(PaginateLines(lines, 100), (std::vector<LineSpan>{{0, 3}, {3, 3}}));

    // A block longer than a page runs over rather than leaving a blank page.
    lines.clear();
    addBlock(1);  // 41
    addBlock(10); // 24 + 170
    const std::vector<LineSpan> pages = PaginateLines(lines, 100);
    EXPECT_EQ(pages, (std::vector<LineSpan>{{0, 5}, {5, 5}, {10, 3}}));

    // A section whose first entry does not fit goes over with it.
    lines.clear();
    addBlock(3);                       // 75 units: the section alone would fit
    add(ListLineKind::Section, false); // inside the block
    for (int i = 0; i < 4; ++i)
        add(ListLineKind::Entry);
    EXPECT_EQ(PaginateLines(lines, 100), (std::vector<LineSpan>{{0, 4}, {4, 5}}));
}

TEST(SettingsPrintoutTextsTest, WordsInTheReportLanguageAndFactoryWordsForAMissingFile) {
    testing::TemporaryFolder folder;
    ASSERT_TRUE(i18n::WriteShippedTranslations(folder / "Translation"));
    const common::WorkingFolder root(folder.path());
    ASSERT_TRUE(i18n::WriteLanguageSettings(root, {LanguageCode::French, LanguageCode::German}));
    // The operator's own word wins over the factory one.
    std::string remises = folder.read("Translation/FenetreRemises.trans");
    const std::size_t at = remises.find("\tRabatte in\t");
    ASSERT_NE(at, std::string::npos);
    folder.write("Translation/FenetreRemises.trans",
                 remises.replace(at, 12, "\tRabatte in W\xE4hrung\t"));
    std::filesystem::remove(folder / "Translation/FenetreTarifs.trans");

    testing::RecordingMessageSink messages;
    const SettingsPrintoutTexts discounts = LoadDiscountListTexts(root, messages);
    EXPECT_EQ(discounts.language, LanguageCode::German);
    EXPECT_EQ(discounts.session, "Sitzung");
    EXPECT_EQ(discounts.discountsIn, "Rabatte in W\xE4hrung");
    EXPECT_EQ(
        messages.messages(),
        (std::vector<testing::RecordedMessage>{
            {"Error", "Error: The translation file 'FenetreTarifs.trans' has not been found"}}));

    messages.clear();
    std::filesystem::remove(folder / "Translation/FenetreFidelite.trans");
    const SettingsPrintoutTexts loyalty = LoadLoyaltyListTexts(root, messages);
    EXPECT_EQ(loyalty.pointsPerSession, "Punkte pro Sitzung");
    EXPECT_EQ(
        messages.messages(),
        (std::vector<testing::RecordedMessage>{
            {"Error", "Error: The translation file 'FenetreFidelite.trans' has not been found"},
            {"Error", "Error: The translation file 'FenetreTarifs.trans' has not been found"}}));
}

} // namespace
} // namespace tallimo::finances
