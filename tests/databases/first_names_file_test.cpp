#include "databases/core/first_names_file.h"

#include "common/core/date_index.h"
#include "common/core/name_rules.h"
#include "databases/core/first_names_calendar.h"

#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tallimo::databases {
namespace {

FirstNameTable TableOf(int size, const std::vector<SubscriberFirstName>& entries) {
    FirstNameTable table = MakeFirstNameTable(size);
    for (std::size_t i = 0; i < entries.size(); ++i)
        table[i] = entries[i];
    return table;
}

std::vector<std::string> Names(const FirstNameTable& table) {
    std::vector<std::string> names;
    for (const SubscriberFirstName& entry : table)
        names.push_back(entry.firstName);
    return names;
}

TEST(FirstNamesFileTest, RoundTripsByteForByteAndCutsWhatDoesNotFit) {
    const FirstNameTable table =
        TableOf(4, {{"Am\xE9lie", 18, 8}, {"Zo\xE9", 1, 4}, {"Inconnu", 100, 100}});
    const std::string bytes = FormatFirstNamesFile(table, 3);
    EXPECT_EQ(bytes, "18\t8\tAm\xE9lie\t\n1\t4\tZo\xE9\t\n100\t100\tInconnu\t\n");
    FirstNameTable back = MakeFirstNameTable(4);
    ParseFirstNamesFile(bytes, back);
    EXPECT_EQ(back, table);

    // An overlong name is cut, a truncated last line keeps what it has, and
    // a table never takes more lines than it holds.
    FirstNameTable two = MakeFirstNameTable(2);
    ParseFirstNamesFile("3\t1\t" + std::string(40, 'x') + "\t\n7\t2", two);
    EXPECT_EQ(two[0].firstName, std::string(kFirstNameChars, 'x'));
    EXPECT_EQ(two[1].namedayDay, 7);
    EXPECT_EQ(two[1].firstName, "");
    ParseFirstNamesFile(bytes, two);
    EXPECT_EQ(Names(two), (std::vector<std::string>{"Am\xE9lie", "Zo\xE9"}));
}

TEST(FirstNamesFileTest, AlphabeticalSortPutsEmptyNamesLastAndEqualNamesLaterFirst) {
    FirstNameTable table = TableOf(
        6, {{"paul", 1, 1}, {"", 100, 100}, {"Anne", 2, 2}, {"Paul", 3, 3}, {"\xFDves", 4, 4}});
    SortFirstNames(table);
    EXPECT_EQ(Names(table), (std::vector<std::string>{"Anne", "Paul", "paul", "\xFDves", "", ""}));
    EXPECT_EQ(table[1].namedayDay, 3) << "the later of two equal names comes first";
}

TEST(FirstNamesFileTest, DateOrderSortsByMonthDayThenNameWithUnknownNamedaysLast) {
    FirstNameTable table = TableOf(6, {{"Inconnu", 100, 100},
                                       {"Lucie", 9, 1},
                                       {"Agathe", 4, 1},
                                       {"Blaise", 2, 1},
                                       {"Ad\xE8le", 23, 11}});
    SortFirstNamesByDate(table);
    EXPECT_EQ(Names(table),
              (std::vector<std::string>{"Blaise", "Agathe", "Lucie", "Ad\xE8le", "Inconnu", ""}));
}

TEST(FirstNamesFileTest, SortingNeverLosesOrDoublesARecord) {
    FirstNameTable table = MakeFirstNameTable(kCalendarFirstNames);
    for (int i = 0; i < 900; ++i)
        table[static_cast<std::size_t>(i)] = {
            std::string(1, static_cast<char>(0x41 + (i * 37) % 190)) + std::to_string(i % 50),
            i % 31, (i * 7) % 13 == 12 ? 100 : (i * 7) % 12};
    std::multiset<std::string> before;
    for (const auto& entry : table)
        before.insert(entry.firstName + "/" + std::to_string(entry.namedayDay));
    for (auto sort : {SortFirstNames, SortFirstNamesByDate}) {
        sort(table);
        std::multiset<std::string> after;
        for (const auto& entry : table)
            after.insert(entry.firstName + "/" + std::to_string(entry.namedayDay));
        EXPECT_EQ(after, before);
        EXPECT_EQ(CountFirstNames(table), 900);
    }
}

TEST(FirstNamesFileTest, FindsANameByItsNormalisedForm) {
    const FirstNameTable table = TableOf(3, {{"Anne_Marie", 9, 5}, {"J\xE9r\xF4me", 29, 8}});
    EXPECT_EQ(FindNormalisedFirstName(table, "anne-marie"), 0);
    EXPECT_EQ(FindNormalisedFirstName(table, "JEROME"), 1);
    EXPECT_EQ(FindNormalisedFirstName(table, ""), -1) << "free records are never found";
}

TEST(FirstNamesFileTest, MissingFilesAreReportedAndLeaveClearedTables) {
    testing::TemporaryFolder root;
    const common::WorkingFolder folder(root.path());
    testing::RecordingMessageSink messages;
    FirstNameTable subscribers = TableOf(2, {{"Reste", 1, 1}});
    FirstNameTable calendar = MakeFirstNameTable(2);
    EXPECT_FALSE(LoadSubscriberFirstNamesDatabase(folder, subscribers, messages));
    EXPECT_FALSE(LoadCalendarDatabase(folder, calendar, messages));
    EXPECT_EQ(CountFirstNames(subscribers), 0);
    EXPECT_EQ(messages.messages(),
              (std::vector<testing::RecordedMessage>{{"Error", kSubscriberFirstNamesErrorText},
                                                     {"Error", kCalendarErrorText}}));
    EXPECT_EQ(WithFirstNamesExportExtension("liste"), "liste.bdpr2");
    EXPECT_EQ(WithFirstNamesExportExtension("liste.bdpr2"), "liste.bdpr2");
}

TEST(FirstNamesFileTest, TheShippedCalendarHoldsValidDistinctSortedNames) {
    const FirstNameTable calendar = ShippedFirstNameCalendar();
    ASSERT_EQ(calendar.size(), static_cast<std::size_t>(kCalendarFirstNames));
    const int count = CountFirstNames(calendar);
    EXPECT_GE(count, 300);
    std::set<std::string> normalised;
    for (int i = 0; i < count; ++i) {
        const SubscriberFirstName& entry = calendar[static_cast<std::size_t>(i)];
        EXPECT_LE(entry.firstName.size(), kFirstNameChars) << entry.firstName;
        EXPECT_TRUE(entry.namedayMonth >= 0 && entry.namedayMonth < 12 && entry.namedayDay >= 0 &&
                    entry.namedayDay < common::DaysInMonth(entry.namedayMonth, 0))
            << entry.firstName;
        EXPECT_TRUE(normalised.insert(common::NormaliseName(entry.firstName)).second)
            << entry.firstName;
    }
    FirstNameTable sorted = calendar;
    SortFirstNames(sorted);
    EXPECT_EQ(sorted, calendar);
    // What the first start writes reads back the same.
    FirstNameTable back = MakeFirstNameTable(kCalendarFirstNames);
    ParseFirstNamesFile(FormatFirstNamesFile(calendar, count), back);
    EXPECT_EQ(back, calendar);
}

} // namespace
} // namespace tallimo::databases
