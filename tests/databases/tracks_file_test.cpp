#include "databases/core/tracks_file.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::databases {
namespace {

using testing::TemporaryFolder;

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

struct ParseCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> names;
    Track first;
    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }
};

class TracksParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(TracksParseTest, ReadsWhatTheLinesHold) {
    TrackTable table;
    ParseTracksFile(GetParam().bytes, table);
    EXPECT_EQ(Names(table), GetParam().names);
    EXPECT_EQ(table[0], GetParam().first);
    EXPECT_EQ(table[kNoTrack], Track{});
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

INSTANTIATE_TEST_SUITE_P(
    Lines, TracksParseTest,
    ::testing::Values(ParseCase{"LongFieldsAreCut",
                                "Vingt caracteres et plus\t123456\t1234\t\t7\t\t\t\t\t\n",
                                {"Vingt caracteres et"},
                                {"Vingt caracteres et", "1234", "123", "", "", "", "", "", 7, {}}},
                      ParseCase{"ByteFFEndsTheFile",
                                "A\t\t\t\t0\t\t\t\t\t\n\xFF"
                                "B\t\t\t\t0\t\t\t\t\t\n",
                                {"A"},
                                Row("A")},
                      ParseCase{"TenLinesAtMost",
                                Lines(12),
                                {"T0", "T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", "T9"},
                                Row("T0")},
                      ParseCase{"ShortLineLeavesNextLineIntact",
                                "A\t900\nB\t\t\t\tx\t\t\t\t\t\r\n",
                                {"A", "B"},
                                Row("A", "900")},
                      ParseCase{"NamelessLineLeavesNoGap",
                                "\t1\t\t\t0\t\t\t\t\t\n\nC\t\t\t\t0\t\t\t\t\t\n",
                                {"C"},
                                Row("C")},
                      ParseCase{"EmptyFile", "", {}, {}}),
    [](const auto& info) { return info.param.name; });

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

struct SortCase {
    const char* name;
    std::vector<const char*> slots; // "" = free slot
    std::vector<std::string> sorted;
    std::vector<std::string> lengths; // the records travel with their names
    friend void PrintTo(const SortCase& c, std::ostream* os) { *os << c.name; }
};

class SortTracksTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortTracksTest, OrdersNamesAndMovesFreeSlotsLast) {
    TrackTable table;
    for (std::size_t i = 0; i < GetParam().slots.size(); ++i) {
        table[i].name = GetParam().slots[i];
        table[i].length = std::to_string(i);
    }
    SortTracks(table);
    EXPECT_EQ(Names(table), GetParam().sorted);
    for (std::size_t i = 0; i < GetParam().lengths.size(); ++i)
        EXPECT_EQ(table[i].length, GetParam().lengths[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Orders, SortTracksTest,
    ::testing::Values(
        SortCase{"IgnoringCase", {"b", "A", "c"}, {"A", "b", "c"}, {"1", "0", "2"}},
        SortCase{"FreeSlotsBetween", {"", "Lac", "", "Bois"}, {"Bois", "Lac"}, {"3", "1"}},
        SortCase{
            "EqualNamesLaterSlotFirst", {"lac", "x", "LAC"}, {"LAC", "lac", "x"}, {"2", "0", "1"}},
        SortCase{"HighBytesAreNotLost",
                 {"\xFA"
                  "beda",
                  "\xFF", "Lac"},
                 {"Lac",
                  "\xFA"
                  "beda",
                  "\xFF"},
                 {"2", "0", "1"}}),
    [](const auto& info) { return info.param.name; });

struct AddCase {
    const char* name;
    const char* typed;
    bool added;
    std::vector<std::string> names;
    friend void PrintTo(const AddCase& c, std::ostream* os) { *os << c.name; }
};

class AddTrackTest : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddTrackTest, FollowsTheNameRules) {
    TrackTable table = Named({"Bois", "Lac"});
    EXPECT_EQ(AddTrack(table, GetParam().typed), GetParam().added);
    EXPECT_EQ(Names(table), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AddTrackTest,
    ::testing::Values(
        AddCase{"DashesBecomeUnderscores", "Val-de-Loire", true, {"Bois", "Lac", "Val_de_Loire"}},
        AddCase{"SortedIn", "Dune", true, {"Bois", "Dune", "Lac"}},
        AddCase{
            "CutToNineteen", "abcdefghijklmnopqrstu", true, {"abcdefghijklmnopqrs", "Bois", "Lac"}},
        AddCase{"DuplicateInOtherCase", "LAC", false, {"Bois", "Lac"}},
        AddCase{"BlankLed", " Mer", false, {"Bois", "Lac"}},
        AddCase{"Empty", "", false, {"Bois", "Lac"}}),
    [](const auto& info) { return info.param.name; });

TEST(TracksTableTest, EleventhTrackIsRefused) {
    TrackTable table;
    for (int i = 0; i < kMaxTracks; ++i)
        ASSERT_TRUE(AddTrack(table, "T" + std::to_string(i)));
    EXPECT_FALSE(AddTrack(table, "Onze"));
    EXPECT_EQ(CountTracks(table), kMaxTracks);
    EXPECT_EQ(table[kNoTrack], Track{});
}

TEST(TracksTableTest, DeletingTheMiddleTrackKeepsTheOthersInOrder) {
    TrackTable table = Named({"A", "b", "c"});
    EXPECT_FALSE(DeleteTrack(table, "B"));
    ASSERT_TRUE(DeleteTrack(table, "b"));
    EXPECT_EQ(Names(table), (std::vector<std::string>{"A", "c"}));
    EXPECT_EQ(FormatTracksFile(table, CountTracks(table)),
              "A\t1\t\t\t0\t\t\t\t\t\nc\t3\t\t\t0\t\t\t\t\t\n");
}

TEST(TracksTableTest, FindTrackNeedsTheExactName) {
    const TrackTable table = Named({"Bois", "Lac"});
    EXPECT_EQ(FindTrack(table, "Lac"), 1);
    EXPECT_EQ(FindTrack(table, "lac"), kNoTrack);
    EXPECT_EQ(FindTrack(table, ""), kNoTrack); // free slots have empty names
}

TEST(TracksTableTest, ClearingTheRecordKeepsTheTrack) {
    TrackTable table;
    table[0] = {"Lac", "900", "10", "59.1", "Nom", "Pr", "1/1", "p.bmp", 59100, {1, 2, 3}};
    ClearTrackRecord(table, 0);
    EXPECT_EQ(table[0], (Track{"Lac", "900", "10", "", "", "", "", "p.bmp", 0, {}}));
}

TEST(TracksTableTest, ExportNameGetsItsExtension) {
    EXPECT_EQ(WithTracksExportExtension("/home/pistes"), "/home/pistes.bdt2");
    EXPECT_EQ(WithTracksExportExtension("/home/pistes.bdt2"), "/home/pistes.bdt2");
}

} // namespace
} // namespace tallimo::databases
