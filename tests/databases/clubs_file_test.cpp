#include "databases/core/clubs_file.h"
#include "databases/core/countries_file.h"
#include "databases/core/country_names.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace tallimo::databases {
namespace {

using testing::RecordedMessage;
using testing::RecordingMessageSink;
using testing::TemporaryFolder;

// Each club's full name records the slot it came from, so the order of
// equal names can be seen.
ClubTable Named(const std::vector<std::string>& names) {
    ClubTable table;
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
        table[slot].clubName = names[slot];
        table[slot].fullName = "from " + std::to_string(slot);
    }
    return table;
}

std::vector<std::string> Names(const ClubTable& table) {
    std::vector<std::string> names;
    for (const Club& club : table)
        names.push_back(club.clubName);
    while (!names.empty() && names.back().empty())
        names.pop_back();
    return names;
}

std::string Line(const std::string& name) {
    return name + "\t\t\t\t\t\t\t\t\t\t\n";
}

TEST(ClubsFileTest, GoldenFileRoundTripsByteForByte) {
    ClubTable table;
    table[0] = {"ASK Ch\xE2teau",
                "Association sportive du kart",
                "1 rue du Lac",
                "BP 12",
                "F-45000",
                "Orl\xE9"
                "ans",
                "France",
                "02 38 00 00 00",
                "ask@example.org",
                "C:\\logos\\ask.jpg"};
    table[1].clubName = "Lac";
    const std::string golden = "ASK Ch\xE2teau\tAssociation sportive du kart\t1 rue du Lac\tBP 12\t"
                               "F-45000\tOrl\xE9"
                               "ans\tFrance\t02 38 00 00 00\task@example.org\t"
                               "C:\\logos\\ask.jpg\t\n" +
                               Line("Lac");
    TemporaryFolder folder;
    ASSERT_TRUE(SaveClubs(table, CountClubs(table), folder / "c.bdc2"));
    EXPECT_EQ(folder.read("c.bdc2"), golden);
    ClubTable loaded = Named({"stale"});
    ASSERT_TRUE(LoadClubs(loaded, folder / "c.bdc2"));
    EXPECT_EQ(loaded, table);
}

TEST(ClubsFileTest, ReaderCutsFieldsSkipsNamelessLinesAndStopsAtOneHundred) {
    std::string bytes = std::string(20, 'N') + "\t" + std::string(50, 'F') + "\t\n" + Line("");
    for (int i = 0; i < 120; ++i)
        bytes += Line("C" + std::to_string(i));
    ClubTable table;
    ParseClubsFile(bytes, table);
    EXPECT_EQ(table[0].clubName, std::string(14, 'N'));
    EXPECT_EQ(table[0].fullName, std::string(39, 'F'));
    EXPECT_EQ(table[1].clubName, "C0");
    EXPECT_EQ(table[99].clubName, "C98");
    EXPECT_EQ(CountClubs(table), 100);
}

TEST(ClubsFileTest, SortOrdersLowercasedBytesWithFreeRecordsLast) {
    const struct {
        const char* name;
        std::vector<std::string> before, after;
        std::vector<int> from; // slots the clubs came from, in sorted order
    } cases[] = {
        {"case ignored", {"b", "A", "c"}, {"A", "b", "c"}, {1, 0, 2}},
        {"equal names later first", {"x", "Kart", "kart"}, {"kart", "Kart", "x"}, {2, 1, 0}},
        {"gaps closed", {"", "b", "", "a"}, {"a", "b"}, {3, 1}},
        {"high bytes after ASCII",
         {"\xFF"
          "a",
          "\xE9t\xE9", "z"},
         {"z", "\xE9t\xE9",
          "\xFF"
          "a"},
         {2, 1, 0}}};
    for (const auto& c : cases) {
        ClubTable table = Named(c.before);
        SortClubs(table);
        EXPECT_EQ(Names(table), c.after) << c.name;
        for (std::size_t i = 0; i < c.from.size(); ++i)
            EXPECT_EQ(table[i].fullName, "from " + std::to_string(c.from[i])) << c.name << i;
    }
}

TEST(ClubsFileTest, SortingKeepsEveryRecordWhateverItsBytes) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        std::vector<std::string> names;
        for (int i = 0; i < kClubSlots; ++i) {
            std::string name(random() % 4, '\0');
            for (char& c : name)
                c = static_cast<char>(random() % 4 == 0 ? 0x80 + random() % 128
                                                        : 'A' + random() % 4);
            names.push_back(name);
        }
        ClubTable table = Named(names);
        std::multiset<std::string> before;
        for (const Club& club : table)
            before.insert(club.fullName + "|" + club.clubName);
        SortClubs(table);
        std::multiset<std::string> after;
        for (const Club& club : table)
            after.insert(club.fullName + "|" + club.clubName);
        ASSERT_EQ(after, before) << "round " << round;
        const int count = CountClubs(table);
        for (int i = count; i < kClubSlots; ++i)
            ASSERT_TRUE(table[i].clubName.empty()) << "free records last, round " << round;
    }
}

TEST(ClubsFileTest, AddSortsTheNewClubInAndRefusesTheHundredAndFirst) {
    ClubTable table;
    EXPECT_EQ(AddClub(table, "RC-Nord"), 0);
    EXPECT_EQ(AddClub(table, "rc_nord"), -1);
    EXPECT_EQ(AddClub(table, " Lac"), -1);
    EXPECT_EQ(AddClub(table, ""), -1);
    // The index returned is where the new club landed after the sort.
    EXPECT_EQ(AddClub(table, "Association-Kart"), 0);
    EXPECT_EQ(Names(table), (std::vector<std::string>{"Association_K", "RC_Nord"}));
    for (int i = 2; i < kClubSlots; ++i)
        ASSERT_GE(AddClub(table, "C" + std::to_string(i)), 0);
    EXPECT_EQ(AddClub(table, "Zz"), -1);
    EXPECT_EQ(CountClubs(table), kClubSlots);
}

TEST(ClubsFileTest, RemovingKeepsTheOthersSortedAndRefusesFreeRecords) {
    ClubTable table = Named({"A", "B", "C"});
    EXPECT_FALSE(RemoveClub(table, 3));
    EXPECT_FALSE(RemoveClub(table, -1));
    EXPECT_TRUE(RemoveClub(table, 1));
    EXPECT_EQ(Names(table), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(table[1].fullName, "from 2");
    EXPECT_EQ(table[2], Club{});
}

TEST(ClubsFileTest, DatabaseReportsMissingAndUnwritableFiles) {
    TemporaryFolder folder;
    RecordingMessageSink messages;
    ClubTable table = Named({"stale"});
    EXPECT_FALSE(LoadClubs(table, folder / "absent.bdc2"));
    EXPECT_EQ(Names(table), std::vector<std::string>{"stale"}) << "a failed import keeps it";
    EXPECT_FALSE(LoadClubsDatabase(common::WorkingFolder(folder.path()), table, messages));
    EXPECT_EQ(CountClubs(table), 0);
    EXPECT_FALSE(
        SaveClubsDatabase(common::WorkingFolder(folder / "absent"), Named({"A"}), messages));
    const RecordedMessage missing{"Error", "Error : 'Clubs/Teams' database file not found"};
    EXPECT_EQ(messages.messages(), (std::vector<RecordedMessage>{missing, missing}));

    messages.clear();
    ASSERT_TRUE(
        SaveClubsDatabase(common::WorkingFolder(folder.path()), Named({"A", "B"}), messages));
    ASSERT_TRUE(LoadClubsDatabase(common::WorkingFolder(folder.path()), table, messages));
    EXPECT_EQ(Names(table), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(messages.messages().empty());
}

TEST(ClubsFileTest, ClubNamesAreTheFirstFieldsInFileOrder) {
    TemporaryFolder folder;
    folder.write("c.bd1", Line("Zolder") + Line("") + std::string(20, 'L') + "\tx\n" + "Aix");
    std::vector<std::string> names{"stale"};
    ASSERT_TRUE(LoadClubNames(folder / "c.bd1", names));
    EXPECT_EQ(names, (std::vector<std::string>{"Zolder", std::string(14, 'L'), "Aix"}));
    EXPECT_FALSE(LoadClubNames(folder / "absent.bd1", names));
}

TEST(CountriesFileTest, LinesAreCutCleanedAndLimited) {
    std::string bytes = "France\r\nBelgique\tdu Nord\n" + std::string(40, 'X') + "\n";
    for (int i = 0; i < 300; ++i)
        bytes += "P" + std::to_string(i) + "\n";
    const std::vector<std::string> names = ParseCountriesFile(bytes);
    ASSERT_EQ(names.size(), 208u);
    EXPECT_EQ(names[0], "France");
    EXPECT_EQ(names[1], "Belgique du Nord");
    EXPECT_EQ(names[2], std::string(34, 'X'));
    EXPECT_EQ(names[207], "P204");
    EXPECT_EQ(ParseCountriesFile("Suisse"), std::vector<std::string>{"Suisse"});
}

TEST(CountriesFileTest, ShippedListRoundTripsThroughTheFile) {
    const std::vector<std::string>& shipped = ShippedCountryNames();
    ASSERT_EQ(shipped.size(), 208u);
    EXPECT_EQ(std::set<std::string>(shipped.begin(), shipped.end()).size(), 208u);
    for (const std::string& name : shipped) {
        EXPECT_FALSE(name.empty());
        EXPECT_LE(name.size(), kCountryNameChars) << name;
        EXPECT_EQ(name.find_first_of("\t\n\r"), std::string::npos) << name;
    }
    TemporaryFolder folder;
    std::vector<std::string> loaded;
    ASSERT_TRUE(SaveCountryNames(folder / "BaseDonn\xC3\xA9"
                                          "esPays.bd",
                                 shipped));
    ASSERT_TRUE(LoadCountryNames(folder / "BaseDonn\xC3\xA9"
                                          "esPays.bd",
                                 loaded));
    EXPECT_EQ(loaded, shipped);
}

} // namespace
} // namespace tallimo::databases
