#include "common/core/data_file.h"
#include "databases/core/subscribers_saving.h"
#include "runs/core/run_file_path.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::databases {
namespace {

using testing::RecordedMessage;
using testing::TemporaryFolder;

SubscriberTable Named(std::initializer_list<std::pair<const char*, const char*>> people) {
    SubscriberTable table = MakeSubscriberTable();
    int index = 0;
    for (const auto& [name, firstName] : people) {
        table[index].name = name;
        table[index].firstName = firstName;
        ++index;
    }
    return table;
}

FirstNameTable Calendar(std::initializer_list<SubscriberFirstName> entries, int size) {
    FirstNameTable table = MakeFirstNameTable(size);
    int index = 0;
    for (const SubscriberFirstName& entry : entries)
        table[index++] = entry;
    return table;
}

TEST(SubscriberFirstNamesTest, OneEntryPerNormalisedFormWithItsNameday) {
    const SubscriberTable subscribers = Named({{"A", "Jean"},
                                               {"B", "J\xE9"
                                                     "an"},
                                               {"C", "Zo\xE9"},
                                               {"D", "Anne"},
                                               {"E", "Kevin"},
                                               {"F", "Odd"}});
    const FirstNameTable previous =
        Calendar({{"Anne", 25, 6}, {"Zoe", kUnknownNameday, kUnknownNameday}, {"Odd", 31, 2}}, 500);
    const FirstNameTable calendar =
        Calendar({{"Jean", 23, 5}, {"Zo\xE9", 1, 4}, {"Anne", 0, 0}}, 1350);

    const FirstNameTable names = BuildSubscriberFirstNames(subscribers, previous, calendar);
    ASSERT_EQ(names.size(), 500u);
    ASSERT_EQ(CountFirstNames(names), 5);
    const std::vector<SubscriberFirstName> expected{
        {"Anne", 25, 6},                             // the previous file wins over the calendar
        {"Jean", 23, 5},                             // Jéan joins Jean, spelled as the first
        {"Kevin", kUnknownNameday, kUnknownNameday}, // in neither list
        {"Odd", kUnknownNameday, kUnknownNameday},   // day 31 is impossible
        {"Zo\xE9", 1, 4},                            // unknown before, taken from the calendar
    };
    EXPECT_EQ(std::vector<SubscriberFirstName>(names.begin(), names.begin() + 5), expected);
}

class RunFilesTest : public ::testing::Test {
protected:
    RunFilesTest() : folder(root.path()) { std::filesystem::create_directory(root / "Runs"); }

    std::filesystem::path runFile(const char* name, const char* firstName) const {
        return runs::RunFilePath(folder, name, firstName);
    }
    std::string contents(const char* name, const char* firstName) const {
        std::string bytes;
        common::ReadWholeFile(runFile(name, firstName), bytes);
        return bytes;
    }
    void writeRuns(const char* name, const char* firstName) const {
        common::WriteFileAtomically(runFile(name, firstName), "1\t0\t\n\nRun 2024\t\n1\t\n");
    }

    TemporaryFolder root;
    common::WorkingFolder folder;
    testing::RecordingMessageSink messages;
};

TEST_F(RunFilesTest, RenamedRemovedAndNewSubscribersFollowTheTable) {
    SubscriberTable table = Named({{"Dupont", "Jean"}, {"Roy", "Anne"}});
    const OpeningList opening = TakeOpeningList(table);
    writeRuns("Dupont", "Jean");
    writeRuns("Roy", "Anne");

    ASSERT_TRUE(RemoveSubscriber(table, 0));
    ASSERT_GE(AddSubscriber(table, "Dupont", "Jehan"), 0);
    ASSERT_GE(AddSubscriber(table, "../../evil", "x"), 0);
    ASSERT_GE(AddSubscriber(table, "Kept", "K"), 0);
    writeRuns("Kept", "K");
    ASSERT_TRUE(SyncRunFiles(folder, opening, table, messages));

    EXPECT_FALSE(std::filesystem::exists(runFile("Dupont", "Jean")));
    EXPECT_EQ(contents("Dupont", "Jehan"), "0\t0\t\n");
    EXPECT_EQ(contents("Roy", "Anne"), "1\t0\t\n\nRun 2024\t\n1\t\n")
        << "an unchanged subscriber keeps his runs";
    EXPECT_EQ(root.read("Runs/..-..-evil_x.bdr"), "0\t0\t\n") << "unsafe names stay inside Runs";
    EXPECT_EQ(contents("Kept", "K"), "1\t0\t\n\nRun 2024\t\n1\t\n")
        << "a file already there keeps its runs";
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(RunFilesTest, ARemovedSubscriberSharingAFileNameWithACurrentOneLeavesItsRuns) {
    SubscriberTable table = Named({{"A_B", "C"}, {"A", "B_C"}});
    const OpeningList opening = TakeOpeningList(table);
    writeRuns("A", "B_C");
    ASSERT_TRUE(RemoveSubscriber(table, 0));
    ASSERT_EQ(SubscriberListText(table[0]), "A B_C");
    ASSERT_TRUE(SyncRunFiles(folder, opening, table, messages));
    EXPECT_EQ(contents("A", "B_C"), "1\t0\t\n\nRun 2024\t\n1\t\n");
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(RunFilesTest, AFileThatCannotBeCreatedIsReportedAndTheOthersAreStillHandled) {
    SubscriberTable table = Named({{"Gone", "Away"}});
    const OpeningList opening = TakeOpeningList(table);
    writeRuns("Gone", "Away");
    ASSERT_TRUE(RemoveSubscriber(table, 0));
    ASSERT_GE(AddSubscriber(table, "Blocked", "B"), 0);
    ASSERT_GE(AddSubscriber(table, "Zed", "Z"), 0);
    // A folder in the way of the file makes its creation fail.
    std::filesystem::create_directory(runFile("Blocked", "B"));

    EXPECT_FALSE(SyncRunFiles(folder, opening, table, messages));
    EXPECT_EQ(messages.messages(),
              (std::vector<RecordedMessage>{
                  {"Error", "Error : 'Drivers Runs' database file not created"}}));
    EXPECT_FALSE(std::filesystem::exists(runFile("Gone", "Away")));
    EXPECT_EQ(contents("Zed", "Z"), "0\t0\t\n");
}

TEST_F(RunFilesTest, OkWritesAllThreeAndReportsEachFailure) {
    SubscriberTable table = Named({{"Dupont", "Jean"}});
    const OpeningList opening = TakeOpeningList(MakeSubscriberTable());
    ASSERT_TRUE(SaveSubscribersOnOk(folder, table, opening, MakeFirstNameTable(500),
                                    MakeFirstNameTable(1350), messages));
    EXPECT_EQ(root.read(kSubscribersFileName),
              "1\t0\t0\tDupont\tJean\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\n");
    EXPECT_EQ(root.read(kSubscriberFirstNamesFileName), "100\t100\tJean\t\n");
    EXPECT_EQ(contents("Dupont", "Jean"), "0\t0\t\n");
    EXPECT_TRUE(messages.messages().empty());

    const common::WorkingFolder missing(root / "nowhere");
    EXPECT_FALSE(SaveSubscribersOnOk(missing, table, opening, MakeFirstNameTable(500),
                                     MakeFirstNameTable(1350), messages));
    EXPECT_EQ(messages.messages(),
              (std::vector<RecordedMessage>{
                  {"Error", "Error : 'Subscribers' database file not found"},
                  {"Error", "Error : 'Subscribers first names' database file not found"},
                  {"Error", "Error : 'Drivers Runs' database file not created"}}));
}

} // namespace
} // namespace tallimo::databases
