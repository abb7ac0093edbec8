#include "databases/core/record_rules.h"

#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallimo::databases {
namespace {

// Names as the list shows them, "|" for a free category slot in between.
std::string Listed(const CategoryTable& table) {
    std::string shown;
    for (int slot = 0; slot < kCategorySlots; ++slot)
        shown += (slot ? "|" : "") + table[static_cast<std::size_t>(slot)].name;
    return shown;
}

std::string Listed(const TrackTable& table) {
    std::string shown;
    for (const int i : TrackRules().listed(table))
        shown += (shown.empty() ? "" : ",") + table[static_cast<std::size_t>(i)].name;
    return shown;
}

CategoryTable Categories(const std::vector<std::string>& names) {
    CategoryTable table{};
    for (std::size_t slot = 0; slot < names.size(); ++slot)
        table[slot].name = names[slot];
    return table;
}

TrackTable Tracks(const std::vector<std::string>& names) {
    TrackTable table{};
    for (std::size_t i = 0; i < names.size(); ++i)
        table[i].name = names[i];
    return table;
}

// An editing step: "+name" adds, "-" removes the selection, "@row" selects.
template <typename Table> void Apply(RecordEditor<Table>& editor, const std::string& step) {
    if (step[0] == '+')
        editor.add(step.substr(1));
    else if (step[0] == '-')
        editor.remove();
    else
        editor.selectRow(std::stoi(step.substr(1)));
}

struct Steps {
    const char* name;
    std::vector<std::string> seeded;
    std::vector<std::string> steps;
    const char* listed;
    int selectedRow; // -1: nothing selected
    bool dirty;
};

TEST(RecordEditorTest, KartCategoriesKeepTheirSlots) {
    const Steps rows[] = {
        {"adding into an empty table", {}, {"+Adultes"}, "Adultes||||", 0, true},
        {"a new category fills the first gap", {"A", "", "C"}, {"+Neuf"}, "A|Neuf|C||", 1, true},
        {"a sixth is refused and nothing changes",
         {"A", "B", "C", "D", "E"},
         {"@2", "+F"},
         "A|B|C|D|E",
         2,
         false},
        {"a name there in other case is refused",
         {"Adultes"},
         {"+ADULTES"},
         "Adultes||||",
         0,
         false},
        {"removing leaves a gap and selects the first",
         {"A", "", "B", "C"},
         {"@1", "-"},
         "A|||C|",
         0,
         true},
        {"removing the last one selects nothing", {"A"}, {"-"}, "||||", -1, true},
        {"removing without a category refuses", {}, {"-"}, "||||", -1, false},
    };
    for (const Steps& row : rows) {
        SCOPED_TRACE(row.name);
        CategoryTable table = Categories(row.seeded);
        RecordEditor editor(table, KartCategoryRules());
        editor.selectFirst();
        for (const std::string& step : row.steps)
            Apply(editor, step);
        EXPECT_EQ(Listed(table), row.listed);
        EXPECT_EQ(editor.selectedRow(), row.selectedRow);
        EXPECT_EQ(editor.dirty(), row.dirty);
    }
}

TEST(RecordEditorTest, TracksStaySortedAndTheNextMovesUpOnRemoval) {
    const Steps rows[] = {
        {"the new track is selected where the sort put it",
         {"Anneau", "Zolder"},
         {"+Lac"},
         "Anneau,Lac,Zolder",
         1,
         true},
        {"a blank-led name is refused", {"Anneau"}, {"+ Lac"}, "Anneau", 0, false},
        {"the next track takes the removed one's row",
         {"A", "B", "C"},
         {"@1", "-"},
         "A,C",
         1,
         true},
        {"removing the last row selects the one above",
         {"A", "B", "C"},
         {"@2", "-"},
         "A,B",
         1,
         true},
        {"removing the only track selects nothing", {"A"}, {"-"}, "", -1, true},
    };
    for (const Steps& row : rows) {
        SCOPED_TRACE(row.name);
        TrackTable table = Tracks(row.seeded);
        RecordEditor editor(table, TrackRules());
        editor.selectFirst();
        for (const std::string& step : row.steps)
            Apply(editor, step);
        EXPECT_EQ(Listed(table), row.listed);
        EXPECT_EQ(editor.selectedRow(), row.selectedRow);
        EXPECT_EQ(editor.dirty(), row.dirty);
    }
}

TEST(RecordEditorTest, SelectingAFreeSlotOrARowOutOfTheListSelectsNothing) {
    CategoryTable table = Categories({"A", "", "C"});
    RecordEditor editor(table, KartCategoryRules());
    const struct {
        const char* name;
        int slot; // selected by index; -2: by row 5
        int selected;
    } rows[] = {{"a used slot", 2, 2},
                {"a free slot", 1, -1},
                {"past the table", 7, -1},
                {"a row past the list", -2, -1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        editor.selectFirst();
        if (row.slot == -2)
            editor.selectRow(5);
        else
            editor.select(row.slot);
        EXPECT_EQ(editor.selected(), row.selected);
        EXPECT_EQ(editor.current() != nullptr, row.selected >= 0);
    }
}

TEST(RecordEditorTest, AnEditReachesOnlyTheSelectedRecordAndMakesTheTableDirty) {
    CategoryTable table = Categories({"A", "", "C"});
    RecordEditor editor(table, KartCategoryRules());
    const auto describe = [](KartCategory& category) { category.description = "vite"; };
    EXPECT_FALSE(editor.edit(describe));
    EXPECT_FALSE(editor.dirty());
    EXPECT_EQ(table, Categories({"A", "", "C"}));

    editor.select(2);
    EXPECT_TRUE(editor.edit(describe));
    EXPECT_TRUE(editor.dirty());
    EXPECT_EQ(table[2].description, "vite");
    EXPECT_EQ(table[0].description, "");
    editor.markClean();
    EXPECT_FALSE(editor.dirty());
}

TEST(RecordEditorTest, AnImportReplacesTheTableOnlyWhenTheFileReads) {
    testing::TemporaryFolder folder;
    folder.write("good.bdt2", FormatTracksFile(Tracks({"Lac", "Zolder"}), 2));
    const struct {
        const char* file;
        bool read;
        const char* listed;
        int selectedRow;
    } rows[] = {{"good.bdt2", true, "Lac,Zolder", 0}, {"missing.bdt2", false, "Anneau,Bois", 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        TrackTable table = Tracks({"Anneau", "Bois"});
        table[1].recordTime = "1'02\"003";
        RecordEditor editor(table, TrackRules());
        editor.selectRow(1);
        EXPECT_EQ(editor.import(folder / row.file), row.read);
        EXPECT_EQ(Listed(table), row.listed);
        EXPECT_EQ(editor.selectedRow(), row.selectedRow);
        EXPECT_EQ(editor.dirty(), row.read);
        // The scratch table starts empty: nothing of the edited one stays.
        EXPECT_EQ(table[1].recordTime, row.read ? "" : "1'02\"003");
    }
}

} // namespace
} // namespace tallimo::databases
