#include "app/core/board_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tallimo::app {
namespace {

using session::BoardRows;

struct CategoryRows {
    int category;
    int karts;
    bool heading = true;
};

// A board row table: per category an optional heading and `karts` kart rows.
int MakeRows(BoardRows& rows, const std::vector<CategoryRows>& categories) {
    session::ClearBoardRows(rows);
    int next = 0;
    for (const CategoryRows& c : categories) {
        if (c.heading) {
            rows[next].categoryIndex = c.category;
            rows[next].heading = true;
            ++next;
        }
        for (int k = 0; k < c.karts; ++k) {
            rows[next].categoryIndex = c.category;
            rows[next].state = session::TrackState::Timing;
            rows[next].kartLabel = "K" + std::to_string(100 * c.category + k + 1);
            ++next;
        }
    }
    return next;
}

BoardLayout LayoutFor(const std::vector<CategoryRows>& categories, int boardHeight = 800,
                      int scroll = 0) {
    static BoardRows rows;
    const int count = MakeRows(rows, categories);
    BoardLayout layout;
    layout.setGeometry(ComputeBoardGeometry(1600, 900), 1400, boardHeight);
    layout.setRows(rows, count);
    layout.setScrollPosition(scroll);
    return layout;
}

TEST(BoardGeometry, ScalesWithTheScreenAndEveryLineCountGetsJustEnoughSlots) {
    const struct {
        const char* why;
        int width, height;
        double lineScale, slotHeight, linePitch, trophyX;
        int linesInOneSlot, linesInSixSlots;
    } rows[] = {
        {"reference screen, readable pitch", 1600, 900, kReadableLineScale, 115, 20, 175, 4, 33},
        {"full HD keeps the line counts", 1920, 1080, kReadableLineScale, 138, 24, 210, 4, 33},
        {"square screen", 1280, 1024, kReadableLineScale, 115.0 / 900 * 1024,
         10.0 / 900 * 1024 * kReadableLineScale, 140, 4, 33},
        {"literal ten units pitch", 1600, 900, 1.0, 115, 10, 175, 9, 66},
        {"unknown screen taken as the reference", 0, 0, kReadableLineScale, 115, 20, 175, 4, 33},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        const BoardGeometry g = ComputeBoardGeometry(row.width, row.height, row.lineScale);
        EXPECT_DOUBLE_EQ(g.slotHeight, row.slotHeight);
        EXPECT_DOUBLE_EQ(g.linePitch, row.linePitch);
        EXPECT_DOUBLE_EQ(g.trophyX, row.trophyX);
        EXPECT_EQ(g.linesIn(1), row.linesInOneSlot);
        EXPECT_EQ(g.linesIn(6), row.linesInSixSlots);
        for (int lines = 0; lines <= 40; ++lines) {
            const int slots = g.slotsFor(lines);
            EXPECT_GE(g.linesIn(slots), lines) << lines << " lines";
            EXPECT_TRUE(slots == 1 || g.linesIn(slots - 1) < lines)
                << lines << " lines take a slot too many";
        }
    }
}

// --- blocks ---------------------------------------------------------------

struct BlocksCase {
    const char* name;
    std::vector<CategoryRows> categories;
    // category, heading row, first kart row, kart rows, slots
    std::vector<std::vector<int>> expected;
};

class CategoryBlocksTest : public ::testing::TestWithParam<BlocksCase> {};

TEST_P(CategoryBlocksTest, GroupsTheRowsByCategory) {
    const BlocksCase& c = GetParam();
    const BoardLayout layout = LayoutFor(c.categories);
    ASSERT_EQ(layout.blocks().size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        const CategoryBlock& b = layout.blocks()[i];
        EXPECT_EQ((std::vector<int>{b.category, b.headingRow, b.firstKartRow, b.kartRowCount,
                                    b.slotCount}),
                  c.expected[i])
            << "block " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CategoryBlocksTest,
    ::testing::Values(
        BlocksCase{"no_rows", {}, {}},
        BlocksCase{"heading_without_karts_takes_a_slot", {{2, 0}}, {{2, 0, 1, 0, 1}}},
        BlocksCase{"two_categories", {{0, 3}, {5, 2}}, {{0, 0, 1, 3, 1}, {5, 4, 5, 2, 1}}},
        BlocksCase{"four_karts_fill_the_first_slot", {{1, 4}}, {{1, 0, 1, 4, 1}}},
        BlocksCase{"fifth_kart_continues_in_the_next_slot", {{1, 5}}, {{1, 0, 1, 5, 2}}},
        BlocksCase{"ten_karts_fill_two_slots", {{1, 10}}, {{1, 0, 1, 10, 2}}},
        BlocksCase{"eleven_karts_need_three_slots", {{1, 11}}, {{1, 0, 1, 11, 3}}},
        BlocksCase{"full_category_of_thirty_takes_six_slots", {{0, 30}}, {{0, 0, 1, 30, 6}}},
        BlocksCase{"kart_rows_without_heading_form_their_own_block",
                   {{3, 2, false}, {4, 1}},
                   {{3, -1, 0, 2, 1}, {4, 2, 3, 1, 1}}}),
    [](const auto& test) { return std::string(test.param.name); });

// --- scrolling ------------------------------------------------------------

struct ScrollCase {
    const char* name;
    std::vector<int> kartsPerBlock;
    int boardHeight;
    int visibleSlots;
    int scrollMaximum;
    bool scrollBar;
};

class BoardScrollTest : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(BoardScrollTest, CountsInBlocks) {
    const ScrollCase& c = GetParam();
    std::vector<CategoryRows> categories;
    for (std::size_t i = 0; i < c.kartsPerBlock.size(); ++i)
        categories.push_back({static_cast<int>(i), c.kartsPerBlock[i]});
    BoardLayout layout = LayoutFor(categories, c.boardHeight);
    EXPECT_EQ(layout.visibleSlotCount(), c.visibleSlots);
    EXPECT_EQ(layout.scrollMaximum(), c.scrollMaximum);
    EXPECT_EQ(layout.needsScrollBar(), c.scrollBar);
    layout.setScrollPosition(99);
    EXPECT_EQ(layout.scrollPosition(), c.scrollMaximum);
    layout.setScrollPosition(-3);
    EXPECT_EQ(layout.scrollPosition(), 0);
}

// 4 karts take 1 slot, 10 take 2, 16 take 3, 35 take 7.
INSTANTIATE_TEST_SUITE_P(
    Boards, BoardScrollTest,
    ::testing::Values(
        ScrollCase{"no_rows", {}, 800, 6, 0, false},
        ScrollCase{"everything_fits", {2, 3, 1}, 800, 6, 0, false},
        ScrollCase{"exactly_six_slots", {10, 10, 10}, 800, 6, 0, false},
        ScrollCase{"one_slot_too_many", {10, 10, 16}, 800, 6, 1, true},
        ScrollCase{"six_single_slot_blocks_on_a_small_window", {1, 1, 1, 1, 1, 1}, 400, 3, 3, true},
        ScrollCase{"last_block_alone_taller_than_the_board", {1, 35}, 400, 3, 1, true},
        ScrollCase{
            "never_more_than_six_slots_on_a_tall_board", {1, 1, 1, 1, 1, 1}, 2000, 6, 0, false},
        ScrollCase{"board_lower_than_a_slot_still_shows_one", {1, 1}, 60, 1, 1, true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(BoardScroll, FewerRowsPullTheScrollPositionBack) {
    static BoardRows rows;
    BoardLayout layout;
    layout.setGeometry(ComputeBoardGeometry(1600, 900), 1400, 400);
    layout.setRows(rows, MakeRows(rows, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}));
    layout.setScrollPosition(1);
    ASSERT_EQ(layout.scrollPosition(), 1);
    layout.setRows(rows, MakeRows(rows, {{0, 1}, {1, 1}}));
    EXPECT_EQ(layout.scrollPosition(), 0);
    ASSERT_FALSE(layout.placedBlocks().empty());
    EXPECT_EQ(layout.placedBlocks().front().block, 0);
}

// --- placement ------------------------------------------------------------

// Every kart count at a few screen sizes: the lines of a block are in row
// order, never overlap and stay inside the visible part of the block.
TEST(BoardPlacement, KartLinesStayInsideTheirBlockAndNeverOverlap) {
    static BoardRows rows;
    for (const auto& [w, h] :
         std::vector<std::pair<int, int>>{{1600, 900}, {1920, 1080}, {1366, 768}, {1280, 1024}}) {
        for (int karts = 0; karts <= 30; ++karts) {
            BoardLayout layout;
            layout.setGeometry(ComputeBoardGeometry(w, h), w - 220, h);
            layout.setRows(rows, MakeRows(rows, {{0, karts}}));
            ASSERT_EQ(layout.placedBlocks().size(), 1u);
            const PlacedBlock& block = layout.placedBlocks().front();
            double previousBottom = block.top;
            int previousRow = -1;
            int kartLines = 0;
            for (const PlacedLine& line : layout.placedLines()) {
                SCOPED_TRACE(testing::Message()
                             << w << "x" << h << ", " << karts << " karts, row " << line.row);
                EXPECT_GT(line.row, previousRow);
                EXPECT_GE(line.top, previousBottom - 1e-9);
                EXPECT_LE(line.bottom, block.bottom + 1e-9);
                if (!line.heading) {
                    EXPECT_NEAR(line.bottom - line.top, layout.geometry().linePitch, 1e-9);
                }
                previousBottom = line.bottom;
                previousRow = line.row;
                kartLines += line.heading ? 0 : 1;
            }
            EXPECT_EQ(kartLines, karts) << "a full category fits the six slots";
        }
    }
}

// --- hit testing ----------------------------------------------------------

struct HitCase {
    const char* name;
    int boardHeight;
    int scroll;
    double x;
    double y;
    BoardHit expected;
};

class BoardHitTest : public ::testing::TestWithParam<HitCase> {};

// At 1600 x 900: title band 36, slots 115, heading zone 22, lines 20 apart.
// Category 0: heading row 0, karts 1-3 (slot 0, top 36; lines from 58).
// Category 1: heading row 4, karts 5-16 (slots 1-3, top 151; lines from 173).
// Private karts: heading row 17, kart 18 (slot 4, top 496; line at 518).
TEST_P(BoardHitTest, FindsWhatIsUnderThePointer) {
    const HitCase& c = GetParam();
    const BoardLayout layout = LayoutFor({{0, 3}, {1, 12}, {5, 1}}, c.boardHeight, c.scroll);
    EXPECT_EQ(layout.hitTest(c.x, c.y), c.expected);
}

constexpr auto kNothing = BoardHitKind::Nothing;
constexpr auto kTrophy = BoardHitKind::Trophy;
constexpr auto kHeading = BoardHitKind::Heading;
constexpr auto kKart = BoardHitKind::KartRow;

INSTANTIATE_TEST_SUITE_P(
    Points, BoardHitTest,
    ::testing::Values(
        HitCase{"title_band", 800, 0, 100, 20, {kNothing, -1, -1}},
        HitCase{"trophy_top_left_corner", 800, 0, 175, 43, {kTrophy, 0, 0}},
        HitCase{"just_right_of_the_trophy_is_the_heading", 800, 0, 195, 52, {kHeading, 0, 0}},
        HitCase{"just_above_the_trophy_is_the_heading", 800, 0, 185, 42, {kHeading, 0, 0}},
        HitCase{
            "trophy_wins_over_the_first_kart_line_it_overhangs", 800, 0, 185, 59, {kTrophy, 0, 0}},
        HitCase{"heading_row_left_of_the_trophy", 800, 0, 20, 45, {kHeading, 0, 0}},
        HitCase{"first_kart_line", 800, 0, 600, 59, {kKart, 0, 1}},
        HitCase{"last_pixel_of_the_third_kart_line", 800, 0, 600, 117.9, {kKart, 0, 3}},
        HitCase{"below_the_last_kart_of_a_short_block", 800, 0, 600, 125, {kNothing, -1, -1}},
        HitCase{"kart_line_across_a_slot_border", 800, 0, 600, 268, {kKart, 1, 9}},
        HitCase{"first_line_inside_the_second_slot", 800, 0, 600, 280, {kKart, 1, 10}},
        HitCase{"last_line_in_the_third_slot", 800, 0, 600, 400, {kKart, 1, 16}},
        HitCase{"below_the_last_line_of_a_long_block", 800, 0, 600, 420, {kNothing, -1, -1}},
        HitCase{"private_kart_line", 800, 0, 600, 519, {kKart, 5, 18}},
        HitCase{"below_the_last_block", 800, 0, 600, 700, {kNothing, -1, -1}},
        HitCase{"left_of_the_board", 800, 0, -1, 59, {kNothing, -1, -1}},
        HitCase{"right_of_the_board", 800, 0, 1400, 59, {kNothing, -1, -1}},
        HitCase{"scrolled_one_block_the_second_trophy_is_on_top", 400, 1, 185, 52, {kTrophy, 1, 4}},
        HitCase{"scrolled_one_block_first_line_is_its_first_kart", 400, 1, 600, 59, {kKart, 1, 5}},
        HitCase{"block_scrolled_out_of_view_is_not_hit", 400, 1, 600, 500, {kNothing, -1, -1}},
        HitCase{
            "line_cut_by_the_bottom_of_the_board_is_not_hit", 400, 0, 600, 375, {kNothing, -1, -1}},
        HitCase{"last_whole_line_above_the_bottom_of_the_board", 400, 0, 600, 360, {kKart, 1, 14}}),
    [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace tallimo::app
