#include "session/core/breakdown_file.h"

#include <gtest/gtest.h>

#include <memory>

namespace tallimo::session {
namespace {

std::unique_ptr<BreakdownTable> EmptyTable() {
    auto table = std::make_unique<BreakdownTable>();
    ClearBreakdowns(*table);
    return table;
}

TEST(BreakdownFile, WritesOnlySheetsWithACauseOrAnActionAndReadsLineBreaksBack) {
    auto table = EmptyTable();
    (*table)[0] = {"K3", "Cha\xEEne", "Commander\r\nChanger le pignon"};
    (*table)[1] = {"K7", "", ""};
    (*table)[2] = {"K12", "Tab\there", "Pneus"};
    const std::string bytes = FormatBreakdownFile(*table);
    EXPECT_EQ(bytes, "K3\tCha\xEEne\tCommander\r\nChanger le pignon\t\n"
                     "K12\tTab here\tPneus\t\n");
    auto read = EmptyTable();
    ParseBreakdownFile(bytes, *read);
    EXPECT_EQ((*read)[0], (*table)[0]);
    EXPECT_EQ((*read)[1], (BreakdownEntry{"K12", "Tab here", "Pneus"}));
    EXPECT_EQ((*read)[2], BreakdownEntry{});
}

struct ParseCase {
    const char* name;
    std::string bytes;
    std::vector<BreakdownEntry> expected; // the first entries; the rest empty
};

class ParseBreakdownFileTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseBreakdownFileTest, ReadsTheEntries) {
    auto table = EmptyTable();
    (*table)[5] = {"OLD", "left over", ""};
    ParseBreakdownFile(GetParam().bytes, *table);
    const std::vector<BreakdownEntry>& expected = GetParam().expected;
    for (std::size_t i = 0; i < table->size(); ++i)
        EXPECT_EQ((*table)[i], i < expected.size() ? expected[i] : BreakdownEntry{}) << i;
}

std::string ManyLines(int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += "K1\tc\t\t\n";
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseBreakdownFileTest,
    ::testing::Values(
        ParseCase{"StopsAtAByteFF", "K1\ta\tb\t\n\xFFK2\tc\td\t\n", {{"K1", "a", "b"}}},
        ParseCase{"SkipsWhatFollowsTheAction",
                  "K1\ta\tb\tx\t\nK2\tc\t\t\n",
                  {{"K1", "a", "b"}, {"K2", "c", ""}}},
        ParseCase{"ShortLineDoesNotSwallowTheNext",
                  "K1\tcause\r\nK2\tc\td\t\n",
                  {{"K1", "cause", ""}, {"K2", "c", "d"}}},
        ParseCase{"LastLineWithoutItsEnd", "K1\ta\tb", {{"K1", "a", "b"}}},
        ParseCase{"FieldsCutToTheirWidth",
                  "K1234\t" + std::string(60, 'c') + "\t" + std::string(210, 'a') + "\t\n",
                  {{"K123", std::string(49, 'c'), std::string(199, 'a')}}},
        ParseCase{"AtMostOneHundredFiftyEntries", ManyLines(151) + "K2\tc\t\t\n",
                  std::vector<BreakdownEntry>(kBreakdownCapacity, {"K1", "c", ""})}),
    [](const ::testing::TestParamInfo<ParseCase>& test) { return std::string(test.param.name); });

struct TreeItemCase {
    const char* name;
    int item;
    bool isKart;
    int category;
    int slot;
};

class BreakdownTreeItemTest : public ::testing::TestWithParam<TreeItemCase> {};

TEST_P(BreakdownTreeItemTest, NamesTheKart) {
    const TreeItemCase& c = GetParam();
    int category = -7, slot = -7;
    EXPECT_EQ(BreakdownKartOfTreeItem(c.item, category, slot), c.isKart);
    EXPECT_EQ(category, c.isKart ? c.category : -7);
    EXPECT_EQ(slot, c.isKart ? c.slot : -7);
}

INSTANTIATE_TEST_SUITE_P(Cases, BreakdownTreeItemTest,
                         ::testing::Values(TreeItemCase{"FirstKart", 1001, true, 0, 0},
                                           TreeItemCase{"LastKart", 1430, true, 4, 29},
                                           TreeItemCase{"Heading", 1000, false, 0, 0},
                                           TreeItemCase{"CategoryCode", 1200, false, 0, 0},
                                           TreeItemCase{"BeyondThirty", 1131, false, 0, 0},
                                           TreeItemCase{"PrivateKart", 1501, false, 0, 0},
                                           TreeItemCase{"KartInItsCategory", 103, false, 0, 0}),
                         [](const ::testing::TestParamInfo<TreeItemCase>& test) {
                             return std::string(test.param.name);
                         });

TEST(BreakdownSheet, OpensTheKartsOwnSheetBeforeAnUnlabelledOne) {
    auto table = EmptyTable();
    (*table)[1] = {"K3", "Frein", "Purger"};
    BreakdownSheet sheet;
    ASSERT_TRUE(sheet.open(*table, "K3"));
    EXPECT_EQ(sheet.entry(), &(*table)[1]);
    EXPECT_EQ((*table)[0].kartLabel, "");
}

TEST(BreakdownSheet, IsRefusedWhenEveryEntryBelongsToAnotherKart) {
    auto table = EmptyTable();
    for (int i = 0; i < kBreakdownCapacity; ++i)
        (*table)[i] = {"K" + std::to_string(i), "c", ""};
    const auto before = std::make_unique<BreakdownTable>(*table);
    BreakdownSheet sheet;
    EXPECT_FALSE(sheet.open(*table, "K999"));
    sheet.setCause("ignored");
    EXPECT_EQ(*table, *before);
}

} // namespace
} // namespace tallimo::session
