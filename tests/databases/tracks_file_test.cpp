#include "databases/core/tracks_file.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::databases {
namespace {

using testing::TemporaryFolder;

// Each track's length records the slot it came from.
TrackTable Named(std::initializer_list<const char*> names) {
    TrackTable table;
    int slot = 0;
    for (const char* name : names) {
        table[slot].name = name;
        table[slot].length = std::to_string(slot + 1);
        ++slot;
    }
    return table;
}

std::vector<std::string> Names(const TrackTable& table) {
    std::vector<std::string> names;
    for (int i = 0; i < kMaxTracks; ++i)
        names.push_back(table[i].name);
    while (!names.empty() && names.back().empty())
        names.pop_back();
    return names;
}

Track Row(std::string name, std::string length = "") {
    Track track;
    track.name = std::move(name);
    track.length = std::move(length);
    return track;
}

std::string Lines(int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += "T" + std::to_string(i) + "\t\t\t\t0\t\t\t\t\t\n";
    return bytes;
}

TEST(TracksFileTest, GoldenFileRoundTripsByteForByte) {
    TrackTable table = Named({"Ch\xE2teau", "Lac"});
    table[0] = {"Ch\xE2teau", "1250",    "12",         "1:02.345",
                "Lef\xE8vre", "Ren\xE9", "03/05/2021", "C:\\images\\piste.jpg",
                62345,        {}};
    const std::string golden = "Ch\xE2teau\t1250\t12\t1:02.345\t62345\tLef\xE8vre\tRen\xE9\t"
                               "03/05/2021\tC:\\images\\piste.jpg\t\nLac\t2\t\t\t0\t\t\t\t\t\n";
    TemporaryFolder folder;
    ASSERT_TRUE(SaveTracks(table, 2, folder / "t.bdt2"));
    EXPECT_EQ(folder.read("t.bdt2"), golden);
    TrackTable loaded = Named({"stale"});
    ASSERT_TRUE(LoadTracks(loaded, folder / "t.bdt2"));
    EXPECT_EQ(loaded, table);
}

TEST(TracksFileTest, ReaderTakesWhatTheLinesHold) {
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> names;
        Track first;
    } cases[] = {
        {"long fields are cut",
         "Vingt caracteres et plus\t123456\t1234\t\t7\t\t\t\t\t\n",
         {"Vingt caracteres et"},
         {"Vingt caracteres et", "1234", "123", "", "", "", "", "", 7, {}}},
        {"byte FF ends the file", "A\t\t\t\t0\t\t\t\t\t\n\xFF" + Lines(1), {"A"}, Row("A")},
        {"ten lines at most",
         Lines(12),
         {"T0", "T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", "T9"},
         Row("T0")},
        {"short line leaves the next intact",
         "A\t900\nB\t\t\t\tx\t\t\t\t\t\r\n",
         {"A", "B"},
         Row("A", "900")},
        {"nameless line leaves no gap", "\t1\t\t\t0\t\t\t\t\t\n\n" + Lines(1), {"T0"}, Row("T0")},
        {"empty file", "", {}, {}}};
    for (const auto& c : cases) {
        TrackTable table = Named({"stale"});
        ParseTracksFile(c.bytes, table);
        EXPECT_EQ(Names(table), c.names) << c.name;
        EXPECT_EQ(table[0], c.first) << c.name;
        EXPECT_EQ(table[kNoTrack], Track{}) << c.name;
    }
}

TEST(TracksFileTest, FailedLoadReportsAndKeepsNothingStale) {
    TemporaryFolder folder;
    TrackTable table = Named({"Lac"});
    EXPECT_FALSE(LoadTracks(table, folder / "missing.bdt2"));
    EXPECT_EQ(Names(table), std::vector<std::string>{"Lac"}); // a failed import keeps the edits
    EXPECT_FALSE(SaveTracks(table, 1, folder / "no-folder" / "t.bd1"));

    testing::RecordingMessageSink messages;
    const common::WorkingFolder working(folder.path());
    EXPECT_FALSE(LoadTracksDatabase(working, table, messages));
    EXPECT_EQ(table, TrackTable{});
    ASSERT_TRUE(SaveTracksDatabase(working, Named({"B", "A"}), messages));
    EXPECT_EQ(folder.read("BaseDonn\xC3\xA9"
                          "esPistes.bd1"),
              "B\t1\t\t\t0\t\t\t\t\t\nA\t2\t\t\t0\t\t\t\t\t\n");
    EXPECT_EQ(messages.messages(), (std::vector<testing::RecordedMessage>{
                                       {"Error", "Error: 'Race tracks' database file not found"}}));
}

TEST(TracksTableTest, SortOrdersNamesAndMovesFreeSlotsLast) {
    const struct {
        const char* name;
        std::vector<const char*> slots; // "" = free slot
        std::vector<std::string> sorted;
        std::vector<std::string> lengths; // the records travel with their names
    } cases[] = {
        {"ignoring case", {"b", "A", "c"}, {"A", "b", "c"}, {"2", "1", "3"}},
        {"free slots between", {"", "Lac", "", "Bois"}, {"Bois", "Lac"}, {"4", "2"}},
        {"equal names later slot first", {"lac", "x", "LAC"}, {"LAC", "lac", "x"}, {"3", "1", "2"}},
        {"high bytes are not lost",
         {"\xFA"
          "beda",
          "\xFF", "Lac"},
         {"Lac",
          "\xFA"
          "beda",
          "\xFF"},
         {"3", "1", "2"}}};
    for (const auto& c : cases) {
        TrackTable table;
        for (std::size_t i = 0; i < c.slots.size(); ++i)
            table[i] = Row(c.slots[i], std::to_string(i + 1));
        SortTracks(table);
        EXPECT_EQ(Names(table), c.sorted) << c.name;
        for (std::size_t i = 0; i < c.lengths.size(); ++i)
            EXPECT_EQ(table[i].length, c.lengths[i]) << c.name << " " << i;
    }
}

TEST(TracksTableTest, AddFollowsTheNameRulesAndRefusesTheEleventh) {
    TrackTable table = Named({"Bois", "Lac"});
    EXPECT_FALSE(AddTrack(table, "LAC"));
    EXPECT_FALSE(AddTrack(table, " Mer"));
    ASSERT_TRUE(AddTrack(table, "abcdefghijklmnopqrstu"));
    ASSERT_TRUE(AddTrack(table, "Val-de-Loire"));
    EXPECT_EQ(Names(table),
              (std::vector<std::string>{"abcdefghijklmnopqrs", "Bois", "Lac", "Val_de_Loire"}));
    for (int i = 4; i < kMaxTracks; ++i)
        ASSERT_TRUE(AddTrack(table, "T" + std::to_string(i)));
    EXPECT_FALSE(AddTrack(table, "Onze"));
    EXPECT_EQ(CountTracks(table), kMaxTracks);
    EXPECT_EQ(table[kNoTrack], Track{});
}

TEST(TracksTableTest, DeleteFindAndClearTouchOnlyTheNamedTrack) {
    TrackTable table = Named({"A", "b", "c"});
    EXPECT_EQ(FindTrack(table, "c"), 2);
    EXPECT_EQ(FindTrack(table, "C"), kNoTrack);
    EXPECT_EQ(FindTrack(table, ""), kNoTrack); // free slots have empty names
    EXPECT_FALSE(DeleteTrack(table, "B"));
    ASSERT_TRUE(DeleteTrack(table, "b"));
    EXPECT_EQ(FormatTracksFile(table, CountTracks(table)),
              "A\t1\t\t\t0\t\t\t\t\t\nc\t3\t\t\t0\t\t\t\t\t\n");

    table[0] = {"Lac", "900", "10", "59.1", "Nom", "Pr", "1/1", "p.bmp", 59100, {1, 2, 3}};
    ClearTrackRecord(table, 0);
    EXPECT_EQ(table[0], (Track{"Lac", "900", "10", "", "", "", "", "p.bmp", 0, {}}));
}

} // namespace
} // namespace tallimo::databases
