#include "databases/core/subscribers_file.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::databases {
namespace {

using testing::TemporaryFolder;

SubscriberTable Named(std::initializer_list<std::pair<const char*, const char*>> people) {
    SubscriberTable table = MakeSubscriberTable();
    int index = 0;
    for (const auto& [name, firstName] : people) {
        table[index].name = name;
        table[index++].firstName = firstName;
    }
    return table;
}

std::vector<std::string> ListLines(const SubscriberTable& table) {
    std::vector<std::string> lines;
    for (int i = 0; i < CountSubscribers(table); ++i)
        lines.push_back(SubscriberListText(table[i]));
    return lines;
}

std::string Line(const std::string& name) {
    return "1\t0\t0\t" + name + "\tF\t\t\t\t\t\t\t\t0\t0\t0\t\t\t\t\t\n";
}

TEST(SubscribersFileTest, GoldenFileRoundTripsByteForByte) {
    SubscriberTable table = Named({{"Lef\xE8vre", "Ren\xE9"}, {"Roy", "Anne"}});
    table[0] = {"Lef\xE8vre", "Ren\xE9",    "1 rue Haute", "b\xE2t. B", "75001",     "Paris",
                "France",     "0102030405", "r@x.fr",      "spare",     "Kart Club", "123456",
                "C:\\p.jpg",  "28",         "1",           "84"};
    DeriveBirthDate(table[0]);
    table[0].extra1 = 30000;
    table[0].extra2 = -2;
    table[1].sex = 0;
    const std::string golden =
        "1\t30000\t-2\tLef\xE8vre\tRen\xE9\t1 rue Haute\tb\xE2t. B\t75001\tParis\t"
        "France\t0102030405\tr@x.fr\t28\t1\t84\tspare\tKart Club\t123456\tC:\\p.jpg\t\n"
        "0\t0\t0\tRoy\tAnne\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\n";
    TemporaryFolder folder;
    ASSERT_TRUE(SaveSubscribers(table, 2, folder / "s.bdp4"));
    EXPECT_EQ(folder.read("s.bdp4"), golden);
    SubscriberTable loaded = Named({{"stale", "x"}});
    ASSERT_TRUE(LoadSubscribers(loaded, folder / "s.bdp4"));
    EXPECT_EQ(loaded, table);
    EXPECT_EQ(loaded[0].birthDate(), (common::DateIndex{28, 1, 84}));
}

TEST(SubscribersFileTest, LongFieldsAreCutAndTheNextRecordStillRead) {
    const std::string bytes = "1\t0\t0\t" + std::string(40, 'N') + "\t" + std::string(30, 'f') +
                              "\t\t\t\t\t\t\t\t12345\t1\t2\t\t" + std::string(20, 'c') +
                              "\t12345678\t" + std::string(300, 'p') + "\t\n" + Line("Next");
    SubscriberTable table;
    ParseSubscribersFile(bytes, table);
    ASSERT_EQ(CountSubscribers(table), 2);
    EXPECT_EQ(table[0].name, std::string(24, 'N'));
    EXPECT_EQ(table[0].firstName, std::string(19, 'f'));
    EXPECT_EQ(table[0].birthDayText, "12");
    EXPECT_EQ(table[0].club, std::string(14, 'c'));
    EXPECT_EQ(table[0].transponder, "123456");
    EXPECT_EQ(table[0].photoPath, std::string(259, 'p'));
    EXPECT_EQ(table[1].name, "Next");
}

TEST(SubscribersFileTest, DamagedFilesLoadWhatFits) {
    std::string many;
    for (int i = 0; i < 501; ++i)
        many += Line("N" + std::to_string(i));
    const struct {
        const char* why;
        std::string bytes;
        std::size_t count;
    } cases[] = {{"cut in the middle of a record", Line("A") + "1\t0\t0\tB\tBe", 2},
                 {"cut after the numbers", "1\t0\t", 0},
                 {"line without a name passed over", Line("A") + Line("") + Line("C"), 2},
                 {"end byte where a record begins", Line("A") + "\xFF" + Line("B"), 1},
                 {"501 records", many, 500}};
    for (const auto& c : cases) {
        SubscriberTable table = Named({{"stale", "x"}});
        ParseSubscribersFile(c.bytes, table);
        EXPECT_EQ(CountSubscribers(table), static_cast<int>(c.count)) << c.why;
        EXPECT_EQ(table.size(), 500u) << c.why;
    }
}

TEST(SubscribersFileTest, SortOrdersByLoweredKeyBlankKeysLastLaterEqualFirst) {
    SubscriberTable table = Named({{"martin", "Zo\xE9"},
                                   {"Dupont", "Jean"},
                                   {"", ""},
                                   {"\xC9lise", "A"},
                                   {"DUPONT", "jean"},
                                   {"dupont", "Anne"},
                                   {"Ab", "C"}});
    table[1].town = "first";
    table[4].town = "second";
    SortSubscribers(table);
    EXPECT_EQ(ListLines(table),
              (std::vector<std::string>{"Ab C", "dupont Anne", "DUPONT jean", "Dupont Jean",
                                        "martin Zo\xE9", "\xC9lise A"}));
    EXPECT_EQ(table[3].town, "first") << "fields move with their record";
}

TEST(SubscribersFileTest, AddReplacesDashesCutsAndRefusesSilently) {
    SubscriberTable table = Named({{"Zorro", "Diego"}});
    ASSERT_EQ(AddSubscriber(table, "Dupont-Martin", "Jean-Luc"), 0);
    EXPECT_EQ(SubscriberListText(table[0]), "Dupont_Martin Jean_Luc");
    const struct {
        const char* why;
        std::string name, firstName;
    } refused[] = {{"same pair ignoring case", "dupont_martin", "JEAN-luc"},
                   {"empty name", "", "Jean"},
                   {"empty first name", "Roy", ""},
                   {"blank-led name", " Roy", "Jean"},
                   {"blank-led first name", "Roy", " Jean"}};
    for (const auto& r : refused)
        EXPECT_EQ(AddSubscriber(table, r.name, r.firstName), -1) << r.why;
    EXPECT_EQ(CountSubscribers(table), 2);

    const int index = AddSubscriber(table, std::string(30, 'n'), std::string(30, 'f'));
    ASSERT_GE(index, 0);
    EXPECT_EQ(table[index].name.size() + table[index].firstName.size(), 24u + 19u);
    for (int i = 3; i < kMaxSubscribers; ++i)
        ASSERT_GE(AddSubscriber(table, "N" + std::to_string(i), "F"), 0);
    EXPECT_EQ(AddSubscriber(table, "Extra", "One"), -1) << "the 501st";
}

TEST(SubscribersFileTest, NegativeOrFutureBirthDatesBecomeNoDate) {
    const int today = TodayDayNumber({2024, 3, 15, 10, 0, 0}); // year index 124
    const struct {
        const char* why;
        std::string day, month, year;
        bool reset;
    } cases[] = {{"29 February of a long year", "28", "1", "84", false},
                 {"today", "14", "2", "124", false},
                 {"tomorrow", "15", "2", "124", true},
                 {"next year", "0", "0", "125", true},
                 {"negative day", "-1", "0", "80", true},
                 {"negative year", "0", "0", "-3", true}};
    for (const auto& c : cases) {
        Subscriber s;
        s.birthDayText = c.day;
        s.birthMonthText = c.month;
        s.birthYearText = c.year;
        EXPECT_EQ(ValidateBirthDate(s, today), c.reset) << c.why;
        const std::string texts = s.birthDayText + "/" + s.birthMonthText + "/" + s.birthYearText;
        EXPECT_EQ(texts, c.reset ? "0/0/0" : c.day + "/" + c.month + "/" + c.year) << c.why;
        EXPECT_EQ(std::to_string(s.birthDay), s.birthDayText) << c.why;
    }
}

TEST(SubscribersFileTest, ClubsOutsideTheClubComboAreCleared) {
    std::vector<std::string> items{""};
    for (int i = 1; i < 120; ++i)
        items.push_back("Club" + std::to_string(i));
    SubscriberTable table = Named({{"A", "a"}, {"B", "b"}, {"C", "c"}, {"D", "d"}});
    table[0].club = "Club100"; // the last of a full clubs database
    table[1].club = "Club101";
    table[2].club = "club99";
    ValidateSubscribers(table, 0, items);
    EXPECT_EQ(table[0].club + "|" + table[1].club + "|" + table[2].club + "|" + table[3].club,
              "Club100|||");
}

TEST(SubscribersFileTest, DatabaseLoadAndSaveReportTheirMessage) {
    TemporaryFolder root;
    testing::RecordingMessageSink messages;
    SubscriberTable table = Named({{"stale", "x"}});
    EXPECT_FALSE(LoadSubscribersDatabase(common::WorkingFolder(root.path()), table, messages));
    EXPECT_EQ(CountSubscribers(table), 0);
    EXPECT_FALSE(SaveSubscribersDatabase(common::WorkingFolder(root / "nowhere"), table, messages));
    EXPECT_EQ(messages.messages(),
              (std::vector<testing::RecordedMessage>(
                  2, {"Error", "Error : 'Subscribers' database file not found"})));
}

} // namespace
} // namespace tallimo::databases
