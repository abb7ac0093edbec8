#include "emails/core/due_emails.h"
#include "emails/core/email_texts.h"
#include "tests/emails/email_fixture.h"

#include <gtest/gtest.h>

namespace tallimo::emails {
namespace {

using testing::AddSubscriber;
using testing::Cp;
using testing::Date;
using testing::FrenchSources;

const EmailGroup* GroupOf(const DueEmails& due, EmailKind kind, int eventIndex = -1) {
    for (const EmailGroup& group : due.groups) {
        if (group.kind == kind && (eventIndex < 0 || group.eventIndex == eventIndex))
            return &group;
    }
    return nullptr;
}

struct BirthdayCase {
    const char* name;
    common::DateIndex birth;
    common::DateIndex today;
    int extra1Offset; // extra1 = the occasion's day number + this, or 0 when 999
    std::string email;
    bool due;
    common::DateIndex occasion;
};

class BirthdayWindowTest : public ::testing::TestWithParam<BirthdayCase> {};

TEST_P(BirthdayWindowTest, DueOnlyInsideTheWindowAndOncePerBirthday) {
    const BirthdayCase& c = GetParam();
    EmailSources sources = FrenchSources();
    databases::Subscriber& subscriber = AddSubscriber(sources, "Martin", "Anne", c.email, c.birth);
    // Set straight, as a hand-edited file may hold any index.
    subscriber.birthDay = c.birth.day;
    subscriber.birthMonth = c.birth.month;
    subscriber.birthYear = c.birth.year;
    if (c.extra1Offset != 999)
        subscriber.extra1 = common::DayNumber(c.occasion) + c.extra1Offset;

    const DueEmails due = ComputeDueEmails(sources, c.today);
    const EmailGroup* group = GroupOf(due, EmailKind::Birthday);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->due(), c.due);
    if (c.due) {
        EXPECT_EQ(common::DateFromDayNumber(group->recipients[0].occasionDay), c.occasion);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, BirthdayWindowTest,
    ::testing::Values(
        BirthdayCase{"ThirdOfJanuarySeenOnTwentyNinthOfDecember", Date(1990, 1, 3),
                     Date(2026, 12, 29), 999, "a@b.fr", true, Date(2027, 1, 3)},
        BirthdayCase{"OnTheDay", Date(1990, 6, 11), Date(2026, 6, 11), 999, "a@b.fr", true,
                     Date(2026, 6, 11)},
        BirthdayCase{"SevenDaysBefore", Date(1990, 6, 11), Date(2026, 6, 4), 999, "a@b.fr", true,
                     Date(2026, 6, 11)},
        BirthdayCase{
            "EightDaysBefore", Date(1990, 6, 11), Date(2026, 6, 3), 999, "a@b.fr", false, {}},
        BirthdayCase{"DayAfter", Date(1990, 6, 11), Date(2026, 6, 12), 999, "a@b.fr", false, {}},
        BirthdayCase{"AlreadySentForThisBirthday", Date(1990, 6, 11), Date(2026, 6, 9), 0, "a@b.fr",
                     false, Date(2026, 6, 11)},
        BirthdayCase{"SentLastYear", Date(1990, 6, 11), Date(2026, 6, 9), -365, "a@b.fr", true,
                     Date(2026, 6, 11)},
        BirthdayCase{"TwentyNinthOfFebruaryInAShortYear", Date(2000, 2, 29), Date(2026, 3, 1), 999,
                     "a@b.fr", true, Date(2026, 3, 1)},
        BirthdayCase{"InvalidAddress", Date(1990, 6, 11), Date(2026, 6, 11), 999, "a@b", false, {}},
        BirthdayCase{"NoYearOfBirth", {10, 5, 0}, Date(2026, 6, 11), 999, "a@b.fr", false, {}},
        BirthdayCase{"MonthTwelve", {10, 12, 90}, Date(2026, 12, 31), 999, "a@b.fr", false, {}},
        BirthdayCase{"MonthNinetyNine", {10, 99, 90}, Date(2026, 6, 11), 999, "a@b.fr", false, {}},
        BirthdayCase{"NegativeDay", {-1, 5, 90}, Date(2026, 6, 1), 999, "a@b.fr", false, {}}),
    [](const ::testing::TestParamInfo<BirthdayCase>& row) { return std::string(row.param.name); });

TEST(DueEmailsTest, BirthdayMailingOffSendsNoBirthdayEmail) {
    EmailSources sources = FrenchSources();
    AddSubscriber(sources, "Martin", "Anne", "a@b.fr", Date(1990, 6, 11));
    sources.discounts.events[0].mailActive = 0;
    EXPECT_FALSE(GroupOf(ComputeDueEmails(sources, Date(2026, 6, 11)), EmailKind::Birthday)->due());
}

TEST(DueEmailsTest, NamedaysMatchNormalisedFirstNamesOncePerSubscriber) {
    EmailSources sources = FrenchSources();
    AddSubscriber(sources, "Abel", "Jerome", "a@b.fr");
    AddSubscriber(sources, "Bart", "Pierre", "p@b.fr");
    AddSubscriber(sources, "Chat", "JÉRÔME", "c@b.fr");
    AddSubscriber(sources, "Dorn", "Jérômette", "d@b.fr");
    AddSubscriber(sources, "Eloi", "Jérôme", "no address");
    // 30 September, twice (a hand-edited file); Pierre with an unknown
    // nameday and on 31 September, which would run into the window.
    sources.firstNames[0] = {Cp("Jérôme"), 29, 8};
    sources.firstNames[1] = {"Jerome", 29, 8};
    sources.firstNames[2] = {"Pierre", databases::kUnknownNameday, databases::kUnknownNameday};
    sources.firstNames[3] = {"Pierre", 30, 8};

    const DueEmails due = ComputeDueEmails(sources, Date(2026, 9, 25));
    const EmailGroup* group = GroupOf(due, EmailKind::Nameday);
    ASSERT_EQ(group->recipients.size(), 2u);
    EXPECT_EQ(group->recipients[0].subscriber, 0);
    EXPECT_EQ(group->recipients[1].subscriber, 2);
    EXPECT_EQ(group->recipients[0].occasionDay, common::DayNumber(Date(2026, 9, 30)));
    ASSERT_EQ(group->namedays.size(), 1u);
    EXPECT_EQ(group->namedays[0].firstName, Cp("Jérôme"));
    EXPECT_EQ(group->namedays[0].subscribers, 2);

    sources.subscribers[0].extra2 = group->recipients[0].occasionDay;
    EXPECT_EQ(GroupOf(ComputeDueEmails(sources, Date(2026, 9, 25)), EmailKind::Nameday)
                  ->recipients.size(),
              1u);
}

struct EventCase {
    const char* name;
    int day, month, mailActive, spareOffset;
    common::DateIndex today;
    bool listed, due;
};

class EventDueTest : public ::testing::TestWithParam<EventCase> {};

TEST_P(EventDueTest, DueInItsWindowUntilItsMarkerIsSet) {
    const EventCase& c = GetParam();
    EmailSources sources = FrenchSources();
    AddSubscriber(sources, "Abel", "Jean", "a@b.fr");
    AddSubscriber(sources, "Bart", "Paul", "invalid");
    AddSubscriber(sources, "Chat", "Rémi", "c@b.fr");
    finances::DiscountEvent& event = sources.discounts.events[2];
    event = sources.discounts.events[0];
    event.eventName = Cp("Fête du club");
    event.eventDay = c.day;
    event.eventMonth = c.month;
    event.mailActive = c.mailActive;
    event.mailDaysBefore = 10;
    // The marker of the occurrence of 14 July 2026, moved by the case.
    event.spareInt = common::DayNumber(Date(2026, 7, 14)) + c.spareOffset;

    const DueEmails due = ComputeDueEmails(sources, c.today);
    const EmailGroup* group = GroupOf(due, EmailKind::Event, 2);
    ASSERT_EQ(group != nullptr, c.listed);
    if (!c.listed)
        return;
    ASSERT_EQ(group->due(), c.due);
    if (c.due) {
        ASSERT_EQ(group->recipients.size(), 2u);
        EXPECT_EQ(group->recipients[1].subscriber, 2);
        EXPECT_EQ(common::DateFromDayNumber(group->occurrenceDay).month, c.month);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Markers, EventDueTest,
    ::testing::Values(EventCase{"InWindowSentLastYear", 13, 6, 1, -365, Date(2026, 7, 5), true,
                                true},
                      EventCase{"AlreadySentThisYear", 13, 6, 1, 0, Date(2026, 7, 5), true, false},
                      EventCase{"BeforeTheWindow", 13, 6, 1, -365, Date(2026, 7, 3), true, false},
                      EventCase{"MailOff", 13, 6, 0, -365, Date(2026, 7, 5), false, false},
                      EventCase{"MonthOutOfRange", 13, 12, 1, -365, Date(2026, 7, 5), true, false},
                      EventCase{"NegativeMonth", 13, -1, 1, -365, Date(2026, 7, 5), true, false}),
    [](const ::testing::TestParamInfo<EventCase>& row) { return std::string(row.param.name); });

struct LoyaltyCase {
    const char* name;
    int daysSinceLastMailing;
    std::int32_t cost;
    bool due;
};

class LoyaltyDueTest : public ::testing::TestWithParam<LoyaltyCase> {};

TEST_P(LoyaltyDueTest, DueEveryFewMonthsWhenAFreeSessionHasACost) {
    const LoyaltyCase& c = GetParam();
    EmailSources sources = FrenchSources();
    AddSubscriber(sources, "Abel", "Jean", "a@b.fr");
    AddSubscriber(sources, "Bart", "Paul", "b@b.fr");
    AddSubscriber(sources, "Chat", "Rémi", "c@b.fr");
    sources.balances.accounts = {{"Chat", Cp("Rémi"), 250}, {"Bart", "Paul", 0}, {"Zed", "X", 9}};
    sources.balances.header = {1, 1, 6,
                               common::DayNumber(Date(2026, 7, 1)) - c.daysSinceLastMailing};
    sources.sessionPoints.freeSessionCost[0][0] = c.cost;
    // A cost of a session without a price does not count.
    sources.sessionPoints.freeSessionCost[1][0] = 7;

    const DueEmails due = ComputeDueEmails(sources, Date(2026, 7, 1));
    const EmailGroup* group = GroupOf(due, EmailKind::Loyalty);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->due(), c.due);
    if (c.due) {
        ASSERT_EQ(group->recipients.size(), 1u);
        EXPECT_EQ(group->recipients[0].subscriber, 2);
        EXPECT_EQ(group->recipients[0].points, 250);
    }
}

INSTANTIATE_TEST_SUITE_P(Months, LoyaltyDueTest,
                         ::testing::Values(LoyaltyCase{"SixMonthsOfThirtyOneDays", 186, 100, true},
                                           LoyaltyCase{"OneDayShort", 185, 100, false},
                                           LoyaltyCase{"NoFreeSessionCost", 400, 0, false}),
                         [](const ::testing::TestParamInfo<LoyaltyCase>& row) {
                             return std::string(row.param.name);
                         });

TEST(DiscountSummaryTest, OnlySessionsWithAPriceCountAndTheUnitFollowsTheMode) {
    EmailSources sources = FrenchSources();
    finances::DiscountEvent event;
    event.rentalDiscounts[0][0] = 5;
    event.rentalDiscounts[0][1] = 8;
    event.rentalDiscounts[2][0] = 99; // no price there
    sources.prices.rentalPrices[0][1] = {20, 35, 0};
    EXPECT_EQ(SummaryOf(event, sources.prices, 0), (DiscountSummary{5, 8, 0, 0, "\x80"}));
    EXPECT_EQ(SummaryOf(event, sources.prices, 1).unit, "%");
    finances::SetCurrency(sources.prices, 57); // a hand-edited index
    EXPECT_EQ(SummaryOf(event, sources.prices, 0).unit, "");
    EXPECT_EQ(SummaryOf(event, finances::PriceTable{}, 0), (DiscountSummary{0, 0, 0, 0, "\x80"}));
}

TEST(EmailTextsTest, ListShowsEachGroupWithItsDueEmailsOrNone) {
    EmailSources sources = FrenchSources();
    AddSubscriber(sources, "Martin", "Anne", "a@b.fr", Date(1990, 6, 11));
    AddSubscriber(sources, "Petit", "Jean", "j@b.fr");
    sources.firstNames[0] = {"Jean", 12, 5};
    sources.discounts.events[2] = sources.discounts.events[0];
    sources.discounts.events[2].eventName = "Noel";
    sources.discounts.events[2].eventMonth = 11;
    sources.balances.header = {1, 1, 6, common::DayNumber(Date(2026, 3, 2))};

    const std::string expected =
        Cp("  Anniversaires ( Karts location -5\x80 Karts privés -3\x80 ) :"
           "\r\n   - Martin Anne"
           "\r\n\r\n  Fêtes prénoms ( Karts location -5\x80 Karts privés "
           "-3\x80 ) :"
           "\r\n   - Jean (1 abonnés)"
           "\r\n\r\n  Noel ( Karts location -5\x80 Karts privés -3\x80 ) :"
           "\r\n   - Aucun email en attente"
           "\r\n\r\n  Carte fidélité ( Séance offerte ) :"
           "\r\n   - dernier email envoyé le 2 / 03 / 2026"
           "\r\n   - Aucun email en attente");
    // The euro sign went through the conversion above as a raw byte.
    std::string list = DueEmailsListText(ComputeDueEmails(sources, Date(2026, 6, 10)), sources);
    EXPECT_EQ(list, expected);
}

TEST(EmailTextsTest, QuestionListsFifteenNamesThenTheDottedLine) {
    EmailSources sources = FrenchSources();
    for (int i = 0; i < 20; ++i)
        AddSubscriber(sources, "Nom" + std::to_string(i), "P", "a@b.fr", Date(1990, 6, 11));
    const DueEmails due = ComputeDueEmails(sources, Date(2026, 6, 11));
    const std::string text = ConfirmationText(due.groups[0], sources);
    EXPECT_EQ(text.rfind(Cp("C'est l'anniversaire de :\n\n   - Nom0 P"), 0), 0u);
    EXPECT_NE(text.find("Nom14 P\n     . . . . . . .\n\n  Voulez-vous leur envoyer un email ?"),
              std::string::npos);
    EXPECT_EQ(text.find("Nom15"), std::string::npos);
    EXPECT_EQ(NothingToSendText(due.groups[1], sources),
              Cp("Fêtes prénoms : Aucun email à envoyer !"));
}

} // namespace
} // namespace tallimo::emails
