#include "databases/core/fleet_editing.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tallimo::databases {
namespace {

using i18n::LanguageCode;

// Category "Adultes" in slot `slot` with karts at the given entries, each
// labelled as the window labels it.
CategoryTable Fleet(int slot, const std::vector<int>& entries) {
    CategoryTable table;
    table[slot].name = "Adultes";
    for (const int entry : entries)
        table[slot].karts[entry] = {FleetKartLabel(slot, entry), ""};
    return table;
}

std::vector<int> Range(int from, int to) {
    std::vector<int> entries;
    for (int entry = from; entry <= to; ++entry)
        entries.push_back(entry);
    return entries;
}

std::vector<std::string> ListedIds(const CategoryTable& table, int slot) {
    std::vector<std::string> ids;
    for (const int entry : ListedFleetEntries(table[slot]))
        ids.push_back(table[slot].karts[entry].kartId);
    return ids;
}

// ---- Adding takes the lowest free entry ----

struct AddCase {
    const char* name;
    int slot;
    std::vector<int> entries;
    std::optional<std::string> added; // nothing: refused
    int position;                     // of the current kart afterwards
};

class AddingKart : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddingKart, LabelsTheLowestFreeEntry) {
    const AddCase& c = GetParam();
    CategoryTable table = Fleet(c.slot, c.entries);
    const CategoryTable before = table;
    FleetEditor editor(table);
    editor.selectFirstCategory();
    const std::optional<FleetNotice> notice = editor.addKart(LanguageCode::English);
    if (!c.added) {
        EXPECT_FALSE(notice);
        EXPECT_EQ(table, before);
        return;
    }
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->text, "The Kart " + *c.added + " has been added");
    ASSERT_NE(editor.currentKart(), nullptr);
    EXPECT_EQ(editor.currentKart()->kartId, *c.added);
    EXPECT_EQ(editor.currentPosition(), c.position);
    EXPECT_EQ(ListedIds(table, c.slot).size(), c.entries.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Fleets, AddingKart,
    ::testing::Values(AddCase{"FirstKartOfTheFirstCategory", 0, {}, "K1", 1},
                      AddCase{"ThirdSlotCountsInHundreds", 2, {0, 1}, "K203", 3},
                      AddCase{"LowestOfSeveralGaps", 1, {1, 3, 4}, "K101", 1},
                      AddCase{"LastEntryOfTheLastSlot", 4, Range(0, 28), "K430", 30},
                      AddCase{"ThirtyFirstKartIsRefused", 3, Range(0, 29), std::nullopt, 0}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(FleetEditingTest, NewKartDoesNotInheritANumberLeftInItsFreeEntry) {
    CategoryTable table = Fleet(0, {0});
    table[0].karts[1].transponder = "004711";
    FleetEditor editor(table);
    editor.selectFirstCategory();
    ASSERT_TRUE(editor.addKart(LanguageCode::English));
    EXPECT_EQ(table[0].karts[1], (FleetKart{"K2", ""}));
}

TEST(FleetEditingTest, WithoutACategoryOrAKartNothingIsWrittenIntoAFreeEntry) {
    for (const CategoryTable& before : {CategoryTable{}, Fleet(0, {})}) {
        CategoryTable table = before;
        FleetEditor editor(table);
        editor.selectFirstCategory();
        if (before[0].name.empty()) {
            EXPECT_EQ(editor.currentCategory(), -1);
            EXPECT_FALSE(editor.addKart(LanguageCode::English));
        }
        EXPECT_FALSE(editor.storeTransponder("123456"));
        EXPECT_FALSE(editor.removeKart(LanguageCode::English));
        EXPECT_EQ(table, before);
    }
}

TEST(FleetEditingTest, NoticeIsInTheInterfaceLanguage) {
    CategoryTable table = Fleet(1, {});
    FleetEditor editor(table);
    editor.selectFirstCategory();
    EXPECT_EQ(editor.addKart(LanguageCode::German),
              (FleetNotice{"Nachricht", "Der Kart K101 wurde hinzugef\xFCgt"}));
}

// ---- Selection ----

TEST(FleetEditingTest, CategoriesAreFoundByNameAcrossFreeSlots) {
    CategoryTable table;
    table[1].name = "Enfants";
    table[3].name = "Adultes";
    table[3].karts[4] = {"K305", "000305"};
    FleetEditor editor(table);
    editor.selectFirstCategory();
    EXPECT_EQ(editor.currentCategory(), 1);
    EXPECT_EQ(editor.currentEntry(), 0);
    editor.selectCategory("Adultes");
    EXPECT_EQ(editor.currentCategory(), 3);
    EXPECT_EQ(editor.currentEntry(), 4);
    ASSERT_TRUE(editor.addKart(LanguageCode::English));
    EXPECT_EQ(editor.currentKart()->kartId, "K301");
    EXPECT_EQ(editor.currentPosition(), 1);
    editor.selectKart("K999");
    EXPECT_EQ(editor.currentKart()->kartId, "K301");
}

// ---- Typed transponders ----

TEST(FleetEditingTest, TypedTransponderIsStoredOnlyWhenCompleteOrEmpty) {
    const struct {
        const char* typed;
        bool stored;
        const char* transponder; // in the kart afterwards
    } cases[] = {{"12345", false, "000777"},
                 {"123456", true, "123456"},
                 {"", true, ""},
                 {"1234567", false, "000777"},
                 {"12a456", false, "000777"}};
    for (const auto& c : cases) {
        CategoryTable table = Fleet(0, {0});
        table[0].karts[0].transponder = "000777";
        FleetEditor editor(table);
        editor.selectFirstCategory();
        EXPECT_EQ(editor.storeTransponder(c.typed), c.stored) << c.typed;
        EXPECT_EQ(table[0].karts[0].transponder, c.transponder) << c.typed;
    }
}

} // namespace
} // namespace tallimo::databases
