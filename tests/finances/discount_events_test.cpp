#include "finances/core/discount_events.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

using i18n::LanguageCode;

// The two fixed events in French, then `dated` named events.
DiscountEvents EventsNamed(const std::vector<std::string>& dated) {
    DiscountEvents events{};
    events[kBirthdayEvent].eventName = "Anniversaire abonn\xE9s";
    events[kNamedayEvent].eventName = "F\xEAte pr\xE9nom abonn\xE9s";
    for (std::size_t i = 0; i < dated.size(); ++i)
        events[kFirstDatedEvent + i].eventName = dated[i];
    return events;
}

std::vector<std::string> Names(const DiscountEvents& events) {
    std::vector<std::string> names;
    for (int i = 0; i < DatedEventEnd(events); ++i)
        names.push_back(events[static_cast<std::size_t>(i)].eventName);
    return names;
}

// A table row's test name: its words joined by underscores.
template <typename Row> std::string RowName(const ::testing::TestParamInfo<Row>& row) {
    std::string name;
    for (const char c : std::string(row.param.why))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

struct RefusedName {
    const char* why;
    std::string typed;
    int datedEvents = 1; // how many dated events the table holds
};

class RefusedEventNameTest : public ::testing::TestWithParam<RefusedName> {};

TEST_P(RefusedEventNameTest, LeavesTheEventsAsTheyWere) {
    std::vector<std::string> dated{"Soir\xE9"
                                   "e_club"};
    while (static_cast<int>(dated.size()) < GetParam().datedEvents)
        dated.push_back("Event " + std::to_string(dated.size()));
    DiscountEvents events = EventsNamed(dated);
    const DiscountEvents before = events;
    EXPECT_EQ(AddDiscountEvent(events, GetParam().typed), -1);
    EXPECT_EQ(events, before);
}

INSTANTIATE_TEST_SUITE_P(
    AddDiscountEvent, RefusedEventNameTest,
    ::testing::Values(RefusedName{"empty", ""}, RefusedName{"blank first", " Noel"},
                      RefusedName{"tab first", "\tNoel"},
                      RefusedName{"same name in capitals, accent included", "SOIR\xC9"
                                                                            "E_CLUB"},
                      RefusedName{"same name once its dash is replaced", "soir\xE9"
                                                                         "e-club"},
                      RefusedName{"a fixed event's name", "f\xCA"
                                                          "te pr\xC9nom abonn\xC9s"},
                      RefusedName{"fifty events already", "Noel", 48},
                      RefusedName{"first byte read as the end of the file", "\xFFvent"}),
    RowName<RefusedName>);

TEST(DiscountEventsTest, AddedEventsAreAppendedCutAndWithoutDashes) {
    DiscountEvents events = EventsNamed({"Zorro"});
    events[3].daysBefore = 9; // a stale slot past the list must not leak in
    EXPECT_EQ(AddDiscountEvent(events, "Ann\xE9"
                                       "e-scolaire"),
              3);
    EXPECT_EQ(AddDiscountEvent(events, "Une tr\xE8s longue f\xEAte-de-famille!"), 4);
    EXPECT_EQ(Names(events), (std::vector<std::string>{"Anniversaire abonn\xE9s",
                                                       "F\xEAte pr\xE9nom abonn\xE9s", "Zorro",
                                                       "Ann\xE9"
                                                       "e_scolaire",
                                                       "Une tr\xE8s longue f\xEAte_de_"}));
    EXPECT_EQ(events[3].daysBefore, 0);
    EXPECT_EQ(AddDiscountEvent(events, "Event 50"), 5);
}

TEST(DiscountEventsTest, RemovingMovesTheFollowingEventsUpAndNeverTouchesTheFixedOnes) {
    DiscountEvents events = EventsNamed({"A", "B", "C"});
    for (int i = 0; i < kMaxDiscountEvents; ++i)
        events[static_cast<std::size_t>(i)].daysAfter = i;
    const DiscountEvents before = events;
    for (const int refused : {kBirthdayEvent, kNamedayEvent, 5, -1, kMaxDiscountEvents}) {
        EXPECT_FALSE(RemoveDiscountEvent(events, refused)) << refused;
        EXPECT_EQ(events, before) << refused;
    }
    ASSERT_TRUE(RemoveDiscountEvent(events, 2));
    EXPECT_EQ(Names(events), (std::vector<std::string>{"Anniversaire abonn\xE9s",
                                                       "F\xEAte pr\xE9nom abonn\xE9s", "B", "C"}));
    EXPECT_EQ(events[2].daysAfter, 3) << "whole records move";
    EXPECT_EQ(events[kMaxDiscountEvents - 2].daysAfter, kMaxDiscountEvents - 1);
    EXPECT_EQ(events.back(), DiscountEvent{});

    // With a full table the last one goes too, and its slot is free again.
    DiscountEvents full = EventsNamed(std::vector<std::string>(48, "x"));
    for (int i = kFirstDatedEvent; i < kMaxDiscountEvents; ++i)
        full[static_cast<std::size_t>(i)].eventName = "E" + std::to_string(i);
    ASSERT_TRUE(RemoveDiscountEvent(full, kMaxDiscountEvents - 1));
    EXPECT_EQ(DatedEventEnd(full), kMaxDiscountEvents - 1);
    EXPECT_EQ(AddDiscountEvent(full, "Nouvel an"), kMaxDiscountEvents - 1);
}

struct MonthChange {
    const char* why;
    int day;
    int month;
    int expectedDay;
};

class EventMonthTest : public ::testing::TestWithParam<MonthChange> {};

TEST_P(EventMonthTest, TheDayStaysInsideTheMonth) {
    DiscountEvent event;
    event.eventDay = GetParam().day;
    SetEventMonth(event, GetParam().month);
    EXPECT_EQ(event.eventMonth, GetParam().month);
    EXPECT_EQ(event.eventDay, GetParam().expectedDay);
}

INSTANTIATE_TEST_SUITE_P(
    SetEventMonth, EventMonthTest,
    ::testing::Values(MonthChange{"the 31st to February gives the 29th", 30, 1, 28},
                      MonthChange{"the 29th fits February", 28, 1, 28},
                      MonthChange{"the 31st to April gives the 30th", 30, 3, 29},
                      MonthChange{"the 31st fits December", 30, 11, 30},
                      MonthChange{"a month that does not exist keeps the day", 30, 12, 30}),
    RowName<MonthChange>);

TEST(DiscountEventsTest, TheFixedEventsAreNamedInTheInterfaceLanguage) {
    struct Case {
        LanguageCode language;
        const char* birthday;
        const char* nameday;
    };
    const Case cases[] = {
        {LanguageCode::French, "Anniversaire abonn\xE9s", "F\xEAte pr\xE9nom abonn\xE9s"},
        {LanguageCode::German, "Geburtstag Abonnenten", "Namenstag Abonnenten"},
        {LanguageCode::Italian, "Compleanno abbonati", "Festa nome abbonati"},
        {LanguageCode::Portuguese, "Anivers\xE1rio assinantes", "Festa nome assinantes"},
        {LanguageCode::Spanish, "Cumplea\xF1os abonados", "Fiesta nombre abonados"},
        {LanguageCode::English, "Subscribers birthday", "Subscribers name day"},
        {static_cast<LanguageCode>(9), "Subscribers birthday", "Subscribers name day"},
    };
    for (const Case& c : cases) {
        DiscountTable table;
        table.events[kBirthdayEvent].eventName = "Old";
        table.events[2].eventName = "Noel";
        NameFixedEvents(table, c.language);
        EXPECT_EQ(table.events[kBirthdayEvent].eventName, c.birthday);
        EXPECT_EQ(table.events[kNamedayEvent].eventName, c.nameday);
        EXPECT_EQ(table.events[2].eventName, "Noel");
    }
}

} // namespace
} // namespace tallimo::finances
