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

TEST(FirstNamesFileTest, SortsPutEmptyNamesLastAndEqualNamesLaterFirst) {
    using Sort = void (*)(FirstNameTable&);
    const struct {
        const char* name;
        Sort sort;
        std::vector<SubscriberFirstName> entries;
        std::vector<std::string> sorted;
    } cases[] = {
        {"alphabetical",
         SortFirstNames,
         {{"paul", 1, 1}, {"", 100, 100}, {"Anne", 2, 2}, {"Paul", 3, 3}, {"\xFDves", 4, 4}},
         {"Anne", "Paul", "paul", "\xFDves", "", ""}},
        {"by month and day, unknown namedays last",
         SortFirstNamesByDate,
         {{"Inconnu", 100, 100},
          {"Lucie", 9, 1},
          {"Agathe", 4, 1},
          {"Blaise", 2, 1},
          {"Ad\xE8le", 23, 11}},
         {"Blaise", "Agathe", "Lucie", "Ad\xE8le", "Inconnu", ""}},
        {"by date, nameless after their date and equal ones later first",
         SortFirstNamesByDate,
         {{"", 2, 1}, {"Blaise", 2, 1}, {"Anne", 2, 1}, {"blaise", 2, 1}, {"Agathe", 4, 1}},
         {"Anne", "blaise", "Blaise", "", "Agathe", ""}}};
    for (const auto& c : cases) {
        FirstNameTable table = TableOf(6, c.entries);
        c.sort(table);
        EXPECT_EQ(Names(table), c.sorted) << c.name;
    }
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
    EXPECT_EQ(FindNormalisedFirstName(table, "J\xE9r\xF4mes"), -1);
    EXPECT_EQ(FindNormalisedFirstName(table, ""), -1) << "free records are never found";
}

TEST(FirstNamesFileTest, ACalendarFileNeverFillsMoreThanTheTable) {
    std::string bytes;
    for (int i = 0; i <= kCalendarFirstNames; ++i)
        bytes += "0\t0\tN" + std::to_string(i) + "\t\n";
    FirstNameTable calendar = MakeFirstNameTable(kCalendarFirstNames);
    ParseFirstNamesFile(bytes, calendar);
    ASSERT_EQ(calendar.size(), static_cast<std::size_t>(kCalendarFirstNames));
    EXPECT_EQ(calendar.back().firstName, "N1349") << "the 1351st line is left out";
}

// (case, names there, name typed, added, name stored)
struct AddRow {
    const char* name;
    std::vector<SubscriberFirstName> there;
    std::string typed;
    bool added;
    std::string stored;
};

TEST(FirstNamesFileTest, AddingFollowsTheNameRules) {
    const AddRow rows[] = {
        {"dashes become underscores", {}, "Anne-Marie", true, "Anne_Marie"},
        {"same name in other case refused", {{"Anne_Marie", 9, 5}}, "anne_marie", false, ""},
        {"accented capital matches", {{"\xC9lodie", 21, 9}}, "\xE9LODIE", false, ""},
        {"empty refused", {}, "", false, ""},
        {"blank-led refused", {}, " Paul", false, ""},
        {"cut to nineteen letters", {}, std::string(25, 'x'), true, std::string(19, 'x')},
        {"full table refused", {{"A", 0, 0}, {"B", 0, 0}, {"C", 0, 0}}, "D", false, ""},
    };
    for (const AddRow& row : rows) {
        FirstNameTable table = TableOf(3, row.there);
        // A free record in the middle is the one used.
        if (row.there.empty())
            table[0] = {"Zo\xE9", 1, 4};
        EXPECT_EQ(AddFirstName(table, row.typed), row.added) << row.name;
        if (row.added) {
            EXPECT_EQ(table[1], (SubscriberFirstName{row.stored, kUnknownNameday, kUnknownNameday}))
                << row.name;
        }
    }
}

TEST(FirstNamesFileTest, SavingWritesEveryNamedRecordAndMakesTheCalendarFolder) {
    testing::TemporaryFolder root;
    const common::WorkingFolder folder(root.path());
    testing::RecordingMessageSink messages;
    // As the date order leaves a record that has a date but no name.
    const FirstNameTable table = TableOf(4, {{"Blaise", 2, 1}, {"", 2, 1}, {"Agathe", 4, 1}});
    EXPECT_TRUE(SaveCalendarDatabase(folder, table, messages));
    EXPECT_TRUE(SaveSubscriberFirstNamesDatabase(folder, table, messages));
    const std::string expected = "2\t1\tBlaise\t\n4\t1\tAgathe\t\n";
    EXPECT_EQ(root.read(kCalendarFileName), expected);
    EXPECT_EQ(root.read(kSubscriberFirstNamesFileName), expected);
    EXPECT_TRUE(messages.messages().empty());

    root.write("Blocked", "a file where the folder should be");
    EXPECT_FALSE(SaveCalendarDatabase(common::WorkingFolder(root / "Blocked"), table, messages));
    EXPECT_EQ(messages.messages(),
              (std::vector<testing::RecordedMessage>{{"Error", kCalendarErrorText}}));
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
}

TEST(FirstNamesFileTest, TheShippedCalendarHoldsValidDistinctSortedNames) {
    const FirstNameTable calendar = ShippedFirstNameCalendar();
    ASSERT_EQ(calendar.size(), static_cast<std::size_t>(kCalendarFirstNames));
    const int count = CountFirstNames(calendar);
    EXPECT_GE(count, 400);
    EXPECT_LT(count, kCalendarFirstNames) << "the operator can still add names";
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
