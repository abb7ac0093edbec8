#include "databases/core/clubs_file.h"
#include "databases/core/countries_file.h"
#include "databases/core/country_names.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ClubsFileTest, MissingFileLeavesTheTableAndFailedImportKeepsIt) {
    TemporaryFolder folder;
    ClubTable table = Named({"Lac"});
    EXPECT_FALSE(LoadClubs(table, folder / "absent.bdc2"));
    EXPECT_EQ(Names(table), std::vector<std::string>{"Lac"});
}

struct SortCase {
    const char* name;
    std::vector<std::string> before;
    std::vector<std::string> after;
    // Slots the clubs came from, in sorted order.
    std::vector<int> from;
    friend void PrintTo(const SortCase& c, std::ostream* os) { *os << c.name; }
};

class ClubsSortTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(ClubsSortTest, OrdersLowercasedBytesWithFreeRecordsLast) {
    ClubTable table = Named(GetParam().before);
    SortClubs(table);
    EXPECT_EQ(Names(table), GetParam().after);
    for (std::size_t i = 0; i < GetParam().from.size(); ++i)
        EXPECT_EQ(table[i].fullName, "from " + std::to_string(GetParam().from[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ClubsSortTest,
    ::testing::Values(
        SortCase{"CaseIgnored", {"b", "A", "c"}, {"A", "b", "c"}, {1, 0, 2}},
        SortCase{"EqualNamesLaterFirst", {"x", "Kart", "kart"}, {"kart", "Kart", "x"}, {2, 1, 0}},
        SortCase{"GapsClosed", {"", "b", "", "a"}, {"a", "b"}, {3, 1}},
        SortCase{"HighBytesAfterAscii",
                 {"\xFF"
                  "a",
                  "\xE9t\xE9", "z"},
                 {"z", "\xE9t\xE9",
                  "\xFF"
                  "a"},
                 {2, 1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

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

struct AddCase {
    const char* name;
    std::vector<std::string> typed;
    std::vector<std::string> listed;
    friend void PrintTo(const AddCase& c, std::ostream* os) { *os << c.name; }
};

class ClubsAddTest : public ::testing::TestWithParam<AddCase> {};

TEST_P(ClubsAddTest, ListsWhatTheRulesAccept) {
    ClubTable table;
    for (const std::string& name : GetParam().typed) {
        // The index returned is where the new club landed after the sort.
        const int index = AddClub(table, name);
        if (index >= 0) {
            const auto& listed = GetParam().listed;
            EXPECT_NE(std::find(listed.begin(), listed.end(), table[index].clubName), listed.end());
            EXPECT_TRUE(table[index].fullName.empty());
        }
    }
    EXPECT_EQ(Names(table), GetParam().listed);
}

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back("C" + std::string(i < 10 ? "0" : "") + std::to_string(i));
    return names;
}

INSTANTIATE_TEST_SUITE_P(
    Names, ClubsAddTest,
    ::testing::Values(
        AddCase{"DashesBecomeUnderscoresAndCaseMatches", {"RC-Nord", "rc_nord"}, {"RC_Nord"}},
        AddCase{"CutToThirteen", {"Association-Kart"}, {"Association_K"}},
        AddCase{"EmptyOrBlankLedRefused", {"", " Lac"}, {}},
        AddCase{"SortedOnAdding", {"b", "A"}, {"A", "b"}},
        AddCase{"HundredAndFirstRefused",
                [] {
                    auto names = Numbered(100);
                    names.push_back("Zz");
                    return names;
                }(),
                Numbered(100)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClubsFileTest, RemovingKeepsTheOthersSortedAndRefusesFreeRecords) {
    ClubTable table = Named({"A", "B", "C"});
    EXPECT_FALSE(RemoveClub(table, 3));
    EXPECT_FALSE(RemoveClub(table, -1));
    EXPECT_TRUE(RemoveClub(table, 1));
    EXPECT_EQ(Names(table), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(table[1].fullName, "from 2");
    EXPECT_EQ(table[2], Club{});
}

TEST(ClubsFileTest, ExportExtensionIsAppendedOnlyWhenMissing) {
    EXPECT_EQ(WithClubsExportExtension("sauvegarde"), "sauvegarde.bdc2");
    EXPECT_EQ(WithClubsExportExtension("sauvegarde.bdc2"), "sauvegarde.bdc2");
}

TEST(ClubsFileTest, DatabaseReportsMissingAndUnwritableFiles) {
    TemporaryFolder folder;
    RecordingMessageSink messages;
    ClubTable table = Named({"stale"});
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
    EXPECT_NE(std::find(shipped.begin(), shipped.end(), "Alg\xE9rie"), shipped.end());

    TemporaryFolder folder;
    RecordingMessageSink messages;
    std::vector<std::string> loaded;
    EXPECT_FALSE(LoadCountriesDatabase(common::WorkingFolder(folder.path()), loaded, messages));
    EXPECT_EQ(messages.messages(), (std::vector<RecordedMessage>{
                                       {"Error", "Error : 'Countries' database file not found"}}));
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
