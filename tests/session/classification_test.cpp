#include "session/core/classification.h"

#include "session/core/session_file.h"

#include <gtest/gtest.h>

#include <random>

namespace tallimo::session {
namespace {

SessionKart& Timed(RentalSession& session, int c, int k, const char* name, const char* firstName,
                   int laps, std::int32_t total, std::int32_t best,
                   TrackState state = TrackState::Timing) {
    SessionKart& kart = session.kart(c, k);
    kart.kartLabel = KartLabelFor(c, k);
    kart.driverName = name;
    kart.driverFirstName = firstName;
    kart.usage = KartUsage::InSession;
    kart.trackState = state;
    kart.lapCount = laps;
    kart.totalTime = total;
    kart.bestLap = best;
    return kart;
}

std::vector<std::string> Labels(const ClassificationTable& table) {
    std::vector<std::string> labels;
    for (const ClassificationEntry& entry : table)
        labels.push_back(entry.kartLabel);
    return labels;
}

ClassificationTable Shown(const RentalSession& session, ClassificationMode mode,
                          const ClassificationFilter& filter = {},
                          const std::vector<ClassificationPerson>& people = {},
                          const std::vector<ClassificationAgeCategory>& ages = {}) {
    ClassificationTable full = BuildFullClassification(session, people, ages);
    SelectRows(full, filter);
    return ShownClassification(full, mode);
}

constexpr auto kByLaps = ClassificationMode::CLASSEMENTToursTemps;
constexpr auto kByBest = ClassificationMode::CLASSEMENTMeilleurTour;

TEST(ClassificationTest, OnlyTimingAndFinishedKartsOfTheSessionAreClassified) {
    RentalSession session;
    Timed(session, 0, 0, "A", "a", 1, 1000, 1000);
    Timed(session, 0, 1, "B", "b", 1, 1000, 1000, TrackState::Finished);
    Timed(session, 0, 2, "C", "c", 0, 0, 0, TrackState::Reserved);
    Timed(session, 0, 3, "D", "d", 0, 0, 0, TrackState::Free);
    Timed(session, 1, 0, "E", "e", 5, 5000, 900).usage = KartUsage::BrokenDown;
    Timed(session, 2, 0, "F", "f", 5, 5000, 900).usage = KartUsage::NotInSession;
    Timed(session, 5, 29, "G", "g", 2, 2000, 950);
    session.categories[5].categoryName = kPrivateCategoryName;

    const ClassificationTable full = BuildFullClassification(session, {}, {});
    EXPECT_EQ(Labels(full), (std::vector<std::string>{"K1", "K2", "KP30"}));
    EXPECT_EQ(full[2].categoryIndex, 5);
    EXPECT_EQ(full[2].kartCategory, kPrivateCategoryName);
}

TEST(ClassificationTest, TheTwoOrdersWithTheirSubstitutesAndTies) {
    RentalSession session;
    Timed(session, 0, 0, "Start", "only", 0, 0, 0); // on its start passing
    Timed(session, 0, 1, "A", "a", 10, 300000, 29100);
    Timed(session, 0, 2, "B", "b", 10, 299500, 29400);
    Timed(session, 0, 3, "Slow", "s", 1, 600000, 600000);
    Timed(session, 0, 4, "Damaged", "d", 1, 700000, -5); // a negative best lap is no lap
    EXPECT_EQ(Labels(Shown(session, kByLaps)),
              (std::vector<std::string>{"K3", "K2", "K4", "K5", "K1"}));
    EXPECT_EQ(Labels(Shown(session, kByBest)),
              (std::vector<std::string>{"K2", "K3", "K4", "K5", "K1"}));

    // Equal on every key: session order, earlier category first, whatever
    // the number of rows the sort has to shuffle around them.
    RentalSession ties;
    std::vector<std::string> expected;
    for (int c = 4; c >= 0; --c)
        Timed(ties, c, 29 - c, "Other", "o", 3 + c, 9000, 3000 + c); // behind in both orders
    for (int c = 0; c < 5; ++c) {
        for (int k = 0; k < 10; ++k) {
            Timed(ties, c, k, "Tie", "t", 12, 36000, 2900);
            expected.push_back(KartLabelFor(c, k));
        }
    }
    for (const ClassificationMode mode : {kByLaps, kByBest}) {
        std::vector<std::string> labels = Labels(Shown(ties, mode));
        labels.resize(expected.size());
        EXPECT_EQ(labels, expected);
    }
}

TEST(ClassificationTest, SubscribersGiveTeamSexAndTheLastMatchingAgeCategory) {
    RentalSession session;
    Timed(session, 0, 0, "Martin", "Julie", 3, 3000, 900);
    Timed(session, 0, 1, "Martin", "Paul", 3, 3000, 900);
    Timed(session, 0, 2, "martin", "Paul", 3, 3000, 900); // names compare exactly
    Timed(session, 0, 3, "Durand", "Luc", 3, 3000, 900);  // no birth date
    const std::vector<ClassificationPerson> people = {
        {"Martin", "Paul", "Les As", 1, 97, 5},   // June 1997
        {"Martin", "Julie", "Rapides", 0, 97, 5}, //
        {"Martin", "Paul", "Second", 0, 50, 0},   // a duplicate: the first answers
        {"Durand", "Luc", "", 1, 0, 0},
    };
    const std::vector<ClassificationAgeCategory> ages = {
        {"A", "Nineties", 1, 90, 0, 99, 11}, {"B", "Late", 1, 95, 0, 105, 11},
        {"W", "Women", 0, 97, 5, 97, 5}, // both ends included
        {"", "", 1, 0, 0, 200, 11},      // the end of the table
        {"Z", "Beyond", 1, 0, 0, 200, 11},
    };
    const ClassificationTable full = BuildFullClassification(session, people, ages);
    ASSERT_EQ(full.size(), 4u);
    EXPECT_EQ(full[0].team, "Rapides");
    EXPECT_EQ(full[0].sex, 0);
    EXPECT_EQ(full[0].ageCode, "W");
    EXPECT_EQ(full[1].team, "Les As");
    EXPECT_EQ(full[1].ageCode, "B");
    EXPECT_EQ(full[1].ageCategory, "Late");
    EXPECT_EQ(full[1].ageIndex, 1);
    EXPECT_EQ(full[2].team, "");
    EXPECT_EQ(full[2].sex, 1);
    EXPECT_EQ(full[2].ageIndex, kAllCategories);
    EXPECT_EQ(full[3].ageCode, "");

    const struct {
        const char* name;
        ClassificationFilter filter;
        std::vector<std::string> labels;
    } filters[] = {
        {"both sexes", {}, {"K1", "K2", "K3", "K4"}},
        {"men only: a non-subscriber counts as a man",
         {kAllCategories, "", kAllCategories, "", kSexFilterMen},
         {"K2", "K3", "K4"}},
        {"women only", {kAllCategories, "", kAllCategories, "", kSexFilterWomen}, {"K1"}},
        {"no sex ticked", {kAllCategories, "", kAllCategories, "", kSexFilterNone}, {}},
        {"age category B", {kAllCategories, "", 1, "B (Late)", kSexFilterBoth}, {"K2"}},
    };
    for (const auto& row : filters)
        EXPECT_EQ(Labels(Shown(session, kByLaps, row.filter, people, ages)), row.labels)
            << row.name;
    EXPECT_EQ(SexFilterOf(true, true), kSexFilterBoth);
    EXPECT_EQ(SexFilterOf(true, false), kSexFilterMen);
    EXPECT_EQ(SexFilterOf(false, true), kSexFilterWomen);
    EXPECT_EQ(SexFilterOf(false, false), kSexFilterNone);
}

// A database category may carry the name of one of the list's own items:
// the filter still picks karts by the category the item stands for.
TEST(ClassificationTest, CategoryNamedLikeTheListItemsFiltersItsOwnKarts) {
    RentalSession session;
    const std::array<std::string, kRentalCategoryCount> names = {kAllText, "", kPrivateKartsText,
                                                                 "Adultes", ""};
    for (int c = 0; c < kRentalCategoryCount; ++c)
        session.categories[c].categoryName = names[c];
    session.categories[5].categoryName = kPrivateCategoryName;
    Timed(session, 0, 0, "In", "toutes", 1, 1000, 1000);
    Timed(session, 2, 0, "In", "fake private", 1, 1000, 1000);
    Timed(session, 3, 0, "In", "adultes", 1, 1000, 1000);
    Timed(session, 5, 0, "In", "private", 1, 1000, 1000);

    const std::vector<ClassificationChoice> choices = KartCategoryChoices(names);
    ASSERT_EQ(choices.size(), 5u);
    const std::vector<std::vector<std::string>> expected = {
        {"K1", "K201", "K301", "KP1"}, {"K1"}, {"K201"}, {"K301"}, {"KP1"}};
    for (std::size_t i = 0; i < choices.size(); ++i) {
        ClassificationFilter filter;
        filter.kartCategory = choices[i].index;
        EXPECT_EQ(Labels(Shown(session, kByLaps, filter)), expected[i]) << i;
    }
    EXPECT_EQ(choices[0].text, kAllText);
    EXPECT_EQ(choices[4].text, kPrivateKartsText);

    const std::vector<ClassificationChoice> ages =
        AgeCategoryChoices({{"U12", "Minimes"}, {"", "gone"}, {"X", "hidden"}});
    ASSERT_EQ(ages.size(), 2u);
    EXPECT_EQ(ages[1].text, "U12 (Minimes)");
    EXPECT_EQ(ages[1].index, 0);
}

TEST(ClassificationTest, TitleFollowsTheAppliedFilters) {
    const struct {
        ClassificationFilter filter;
        const char* screen;
        const char* paper;
    } rows[] = {
        {{},
         "Classement de la s\xE9"
         "ance",
         "Classement de la S\xE9"
         "ance"},
        {{2, "Adultes", kAllCategories, "", kSexFilterMen},
         "Classement de la s\xE9"
         "ance : Adultes / Hommes",
         "Classement de la S\xE9"
         "ance : Adultes / Hommes"},
        {{kAllCategories, "", 0, "U12 (Minimes)", kSexFilterWomen},
         "Classement de la s\xE9"
         "ance : U12 (Minimes) / Femmes",
         "Classement de la S\xE9"
         "ance : U12 (Minimes) / Femmes"},
        {{5, kPrivateKartsText, 3, "V (Vet)", kSexFilterBoth},
         "Classement de la s\xE9"
         "ance : Karts priv\xE9s / V (Vet)",
         "Classement de la S\xE9"
         "ance : Karts priv\xE9s / V (Vet)"},
        {{kAllCategories, kAllText, kAllCategories, kAllText, kSexFilterNone},
         kNoSexSelectedText,
         "Classement de la S\xE9"
         "ance"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ClassificationTitle(row.filter, false), row.screen);
        EXPECT_EQ(ClassificationTitle(row.filter, true), row.paper);
    }
}

TEST(ClassificationTest, RowTextsCutTheFirstNameAndLeaveMissingTimesEmpty) {
    ClassificationEntry entry;
    entry.kartLabel = "K12";
    entry.driverName = "Lef\xE8vre";
    entry.driverFirstName = "Fr\xE9"
                            "d\xE9ric";
    entry.ageCode = "S";
    entry.team = "Les As";
    entry.kartCategory = "Adultes";
    entry.laps = 12;
    entry.totalTime = 3723004;
    entry.bestLap = 59999;
    EXPECT_EQ(ClassificationRow(entry, 3), (ClassificationRowTexts{"3", "K12",
                                                                   "Lef\xE8vre Fr\xE9"
                                                                   "d\xE9.",
                                                                   "S", "M", "Les As", "Adultes",
                                                                   "12", "1:02:03.004", "59.999"}));

    entry.driverFirstName = "Louis";
    entry.sex = 0;
    entry.laps = 0;
    entry.totalTime = 0;
    entry.bestLap = 0;
    const ClassificationRowTexts texts = ClassificationRow(entry, 1);
    EXPECT_EQ(texts[2], "Lef\xE8vre Louis");
    EXPECT_EQ(texts[4], "F");
    EXPECT_EQ(texts[7], "");
    EXPECT_EQ(texts[8], "");
    EXPECT_EQ(texts[9], "");
}

TEST(ClassificationTest, ScrollRangeAndPages) {
    EXPECT_EQ(ClassificationScrollRange(0), 0);
    EXPECT_EQ(ClassificationScrollRange(18), 0);
    EXPECT_EQ(ClassificationScrollRange(19), 1);
    EXPECT_EQ(ClassificationScrollRange(180), 162);

    const auto table = [](int rows) {
        ClassificationTable shown(static_cast<std::size_t>(rows));
        for (int r = 0; r < rows; ++r)
            shown[static_cast<std::size_t>(r)].kartLabel = "K" + std::to_string(r + 1);
        return shown;
    };
    EXPECT_TRUE(ClassificationPages(table(0)).empty());
    const std::vector<ClassificationPrintedPage> one = ClassificationPages(table(30));
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].rows.size(), 30u);
    EXPECT_EQ(PageNumberText(one[0].number, one[0].count), "Page 1 /1");

    const std::vector<ClassificationPrintedPage> two = ClassificationPages(table(31));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(PageNumberText(two[1].number, two[1].count), "Page 2 /2");
    ASSERT_EQ(two[1].rows.size(), 1u);
    // Rank, kart, driver, team, category: no age or sex on paper.
    EXPECT_EQ(two[1].rows[0][0], "31");
    EXPECT_EQ(two[1].rows[0][1], "K31");
    EXPECT_EQ(two[1].rows[0][3], "");
}

TEST(ClassificationTest, CsvIsUtf8WithQuotedFields) {
    ClassificationEntry entry;
    entry.kartLabel = "K1";
    entry.driverName = "O\"Neil";
    entry.driverFirstName = "Zo\xE9";
    entry.team = "Vite, vite";
    entry.kartCategory = "Cat\xE9gorie";
    entry.laps = 2;
    entry.totalTime = 61000;
    entry.bestLap = 30000;
    EXPECT_EQ(ClassificationCsv({entry}),
              "\xEF\xBB\xBFPos,Kart,Pilote,Age,Sexe,Team,Cat\xC3\xA9gorie,Tours,Temps,Meilleur\r\n"
              "1,K1,\"O\"\"Neil Zo\xC3\xA9\",,M,\"Vite, vite\",Cat\xC3\xA9gorie,2,1:01.000,"
              "30.000\r\n");
}

TEST(ClassificationTest, UntickingAndLiveUpdates) {
    RentalSession session;
    Timed(session, 0, 0, "A", "a", 3, 3000, 900);
    Timed(session, 0, 1, "B", "b", 2, 2000, 900);
    ClassificationTable full = BuildFullClassification(session, {}, {});
    SelectRows(full, {});
    ClassificationTable shown = ShownClassification(full, kByLaps);
    shown[0].selected = false; // K1 unticked on screen
    RemoveUntickedRows(full, shown);
    EXPECT_EQ(Labels(ShownClassification(full, kByLaps)), (std::vector<std::string>{"K2"}));

    SessionKart lap = session.kart(0, 1);
    lap.lapCount = 4;
    lap.totalTime = 3900;
    lap.driverName = "B2";
    ApplyLiveKart(session, lap);
    EXPECT_EQ(session.kart(0, 1).lapCount, 4);
    EXPECT_EQ(session.kart(0, 1).driverName, "B2");
    EXPECT_EQ(Labels(Shown(session, kByLaps)), (std::vector<std::string>{"K2", "K1"}));

    SessionKart unlabelled;
    unlabelled.lapCount = 50;
    ApplyLiveKart(session, unlabelled); // matches no slot, not every unlabelled one
    EXPECT_EQ(session.kart(3, 3).lapCount, 0);
}

// Whatever a damaged session file holds, the ranking and its texts are made.
TEST(ClassificationTest, DamagedSessionFilesNeverBreakTheRanking) {
    RentalSession session;
    Timed(session, 0, 0, "A", "Alexandre", 3, 3000, 900);
    Timed(session, 5, 4, "B", "b", -7, -100, -3, TrackState::Finished);
    const std::string good = FormatSessionFile(session, SessionHeader{});
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes = good.substr(0, random() % good.size());
        for (int n = 0; n < 20 && !bytes.empty(); ++n)
            bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        RentalSession loaded;
        SessionHeader header;
        ParseSessionFile(bytes, loaded, header);
        for (const ClassificationMode mode : {kByLaps, kByBest}) {
            const ClassificationTable shown = Shown(loaded, mode);
            for (std::size_t r = 0; r < shown.size(); ++r)
                ClassificationRow(shown[r], static_cast<int>(r) + 1);
            ClassificationPages(shown);
            ClassificationCsv(shown);
        }
    }
}

} // namespace
} // namespace tallimo::session
