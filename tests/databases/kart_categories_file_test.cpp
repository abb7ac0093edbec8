#include "databases/core/kart_categories_file.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::databases {
namespace {

using testing::TemporaryFolder;

std::string Tabs(int count) {
    return std::string(static_cast<std::size_t>(count), '\t');
}

std::vector<std::string> Names(const CategoryTable& table) {
    std::vector<std::string> names;
    for (const KartCategory& category : table)
        names.push_back(category.name);
    return names;
}

CategoryTable SampleTable() {
    CategoryTable table;
    table[0].name = "Adultes";
    table[0].description = "Moteur 390 cm\xB3";
    table[0].characteristics = "Ligne 1\r\nLigne 2\r\n\xC9t\xE9 3";
    table[0].karts[0] = {"K1", "004711"};
    table[0].karts[1] = {"K2", ""};
    table[2].name = "Enfants";
    table[2].karts[0] = {"K301", "000007"};
    return table;
}

const std::string kSampleFile =
    "Adultes\tMoteur 390 cm\xB3\tLigne 1\r\nLigne 2\r\n\xC9t\xE9 3\tK1\tK2\t" + Tabs(28) +
    "004711\t" + Tabs(29) + "\n" + Tabs(63) + "\n" + "Enfants\t\t\tK301\t" + Tabs(29) + "000007\t" +
    Tabs(29) + "\n" + Tabs(63) + "\n" + Tabs(63) + "\n";

TEST(KartCategoriesFileTest, GoldenFileRoundTripsByteForByte) {
    TemporaryFolder folder;
    ASSERT_TRUE(SaveCategories(SampleTable(), kCategorySlots, folder / "c.bds2"));
    EXPECT_EQ(folder.read("c.bds2"), kSampleFile);
    CategoryTable loaded;
    loaded[4].name = "stale";
    ASSERT_TRUE(LoadCategories(loaded, folder / "c.bds2"));
    EXPECT_EQ(loaded, SampleTable());
}

KartCategory Category(std::string name, std::string description, std::string characteristics,
                      FleetKart first = {}) {
    KartCategory category{std::move(name), std::move(description), std::move(characteristics), {}};
    category.karts[0] = std::move(first);
    return category;
}

std::string Line(const std::string& name) {
    return name + Tabs(63) + "\n";
}

TEST(KartCategoriesFileTest, ReaderTakesWhatTheLinesHold) {
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> names;
        KartCategory first;
    } cases[] = {{"LongFieldsAreCut",
                  "Categorie tres longue\t\t\tK1234\t" + Tabs(29) + "1234567\t" + Tabs(29) + "\n",
                  {"Categorie tres ", "", "", "", ""},
                  Category("Categorie tres ", "", "", {"K123", "123456"})},
                 {"ByteFFEndsTheFile",
                  Line("A") + "\xFF" + Line("B"),
                  {"A", "", "", "", ""},
                  Category("A", "", "")},
                 {"FiveLinesAtMost",
                  Line("A") + Line("B") + Line("C") + Line("D") + Line("E") + Line("F"),
                  {"A", "B", "C", "D", "E"},
                  Category("A", "", "")},
                 {"CharacteristicsStartingWithALineBreak",
                  "A\t\t\nx\t" + Tabs(60) + "\n" + Line("B"),
                  {"A", "B", "", "", ""},
                  Category("A", "", "\nx")},
                 {"LineCutBeforeTheCharacteristics",
                  "A\tdesc\n" + Line("B"),
                  {"A", "B", "", "", ""},
                  Category("A", "desc", "")},
                 {"FileCutInsideTheCharacteristics",
                  "A\t\tno tab\r\n",
                  {"A", "", "", "", ""},
                  Category("A", "", "no tab")},
                 {"EmptyFile", "", {"", "", "", "", ""}, {}}};
    for (const auto& c : cases) {
        CategoryTable table;
        table[4].name = "stale";
        ParseCategoriesFile(c.bytes, table);
        EXPECT_EQ(Names(table), c.names) << c.name;
        EXPECT_EQ(table[0], c.first) << c.name;
    }
}

TEST(KartCategoriesFileTest, FailedLoadReportsAndKeepsTheEdits) {
    TemporaryFolder folder;
    CategoryTable table = SampleTable();
    EXPECT_FALSE(LoadCategories(table, folder / "missing.bds2"));
    EXPECT_EQ(table, SampleTable());
    EXPECT_FALSE(SaveCategories(table, kCategorySlots, folder / "no-folder" / "c.bd1"));

    testing::RecordingMessageSink messages;
    const common::WorkingFolder working(folder.path());
    EXPECT_FALSE(LoadCategoriesDatabase(working, table, messages));
    EXPECT_EQ(table, CategoryTable{});
    ASSERT_TRUE(SaveCategoriesDatabase(working, SampleTable(), messages));
    EXPECT_EQ(folder.read("BaseDonneesCategories.bd1"), kSampleFile);
    EXPECT_EQ(messages.messages(),
              (std::vector<testing::RecordedMessage>{
                  {"Error", "Error : 'Go-karts categories' database file not found"}}));
}

TEST(KartCategoriesTableTest, AddFollowsTheNameRulesAndTakesTheFreeSlot) {
    const struct {
        const char* typed;
        int slot;
        const char* stored; // the name slot 1 ends with
    } cases[] = {{"Val-de-Loire", 1, "Val_de_Loire"},
                 {"abcdefghijklmnop", 1, "abcdefghijklmn"},
                 {"ADULTES", -1, ""},
                 {" Mini", -1, ""},
                 {"", -1, ""}};
    for (const auto& c : cases) {
        CategoryTable table = SampleTable();  // slot 1 is free
        table[1].karts[3] = {"K4", "000001"}; // left over by a hand-edited file
        CategoryTable expected = SampleTable();
        expected[1].name = c.stored;
        if (c.slot < 0)
            expected[1].karts[3] = table[1].karts[3];
        EXPECT_EQ(AddCategory(table, c.typed), c.slot) << c.typed;
        EXPECT_EQ(table, expected) << c.typed;
    }
}

TEST(KartCategoriesTableTest, AccentsFoldAndDeleteNeedsTheExactName) {
    CategoryTable table;
    ASSERT_EQ(AddCategory(table, "\xC9t\xE9"), 0);
    ASSERT_EQ(AddCategory(table, "Hiver"), 1);
    EXPECT_EQ(AddCategory(table, "\xE9T\xC9"), -1); // accented letters fold too
    EXPECT_FALSE(DeleteCategory(table, "hiver"));
    ASSERT_TRUE(DeleteCategory(table, "Hiver"));
    EXPECT_EQ(ListedCategorySlots(table), (std::vector<int>{0}));
    EXPECT_EQ(FindCategory(table, "\xC9t\xE9"), 0);
}

TEST(KartCategoriesTableTest, FleetFollowsTheSlots) {
    CategoryTable table = SampleTable();
    table[4].name = "Course";
    table[4].karts[29] = {"K2", "009999"}; // a duplicated identifier: the last one wins

    const session::FleetLayout fleet = FleetLayoutFromCategories(table);
    EXPECT_EQ(fleet.categoryNames,
              (std::array<std::string, 5>{"Adultes", "", "Enfants", "", "Course"}));
    EXPECT_EQ(fleet.kartIds[0][1], "K2");
    EXPECT_EQ(fleet.kartIds[2][0], "K301");
    EXPECT_EQ(fleet.kartIds[4][29], "K2");
    EXPECT_EQ(FleetTranspondersFromCategories(table)[2][0], "000007");

    std::string transponder = "unchanged";
    EXPECT_FALSE(FindFleetTransponder(table, "K5", transponder));
    EXPECT_EQ(transponder, "unchanged");
    ASSERT_TRUE(FindFleetTransponder(table, "K2", transponder));
    EXPECT_EQ(transponder, "009999");
    EXPECT_EQ(FindCategoryOfKart(table, "K301"), 2);
    EXPECT_EQ(FindCategoryOfKart(table, "KP1"), -1);
    EXPECT_EQ(FindCategoryOfKart(table, ""), -1);
}

} // namespace
} // namespace tallimo::databases
