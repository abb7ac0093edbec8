#pragma once

// Geometry of the timing board. Every size is a fraction of the screen, so
// the board fills a maximised window on any screen. The board is a title
// band and then a column of slots; each category is a block (its heading row
// and its kart rows) that takes one slot, and as many more as its kart lines
// need: the lines run on at the same spacing into the next slot, so a long
// category reads as one even list. Scrolling moves by whole blocks. Painting and hit testing both
// read the same placement, so a click always lands on the line that was drawn.

#include "session/core/board_rows.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tallimo::app {

// The board is drawn on a 1600 x 900 reference screen and scaled to the
// real one; every position and size below is given on that screen.
constexpr double kReferenceScreenWidth = 1600.0;
constexpr double kReferenceScreenHeight = 900.0;

// Each category block's colour, 0xRRGGBB, by category index (the sixth is
// the private karts'); the drivers' board and its web page use the same.
constexpr std::array<std::uint32_t, session::kCategoryCount> kCategoryBlockColours{
    0xBEFFBE, 0x5AD75A, 0x41A041, 0x8CF0F0, 0x5F96BE, 0xFFFA87,
};

constexpr int kMaxVisibleSlots = 6;
constexpr int kBoardScrollPage = 5;
constexpr int kTrophyWidth = 20;
constexpr int kTrophyHeight = 18;

// Kart lines 10/900 of the screen height apart only fit a 10-pixel font on
// a 1080-line screen, far too small to read from the track; the spacing is
// doubled, which still puts a full category of thirty karts on six slots.
constexpr double kReadableLineScale = 2.0;

struct BoardGeometry {
    double titleBandHeight = 0; // the "Location de karts" heading above the slots
    double slotHeight = 0;
    double headingOffset = 0;   // heading text below the top of its slot
    double firstLineOffset = 0; // first kart line below the top of the block
    double linePitch = 0;
    double trophyX = 0; // from the board's left
    double trophyY = 0; // below the top of the slot

    // Kart lines a block of `slots` slots holds, and the slots `kartLines`
    // lines need (at least one, for the heading).
    int linesIn(int slots) const;
    int slotsFor(int kartLines) const;
};

BoardGeometry ComputeBoardGeometry(int screenWidth, int screenHeight,
                                   double lineScale = kReadableLineScale);

struct BoardRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    bool contains(double px, double py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

struct CategoryBlock {
    int category = -1;
    int headingRow = -1; // -1 for kart rows that came without a heading
    int firstKartRow = 0;
    int kartRowCount = 0;
    int slotCount = 1;
};

struct PlacedBlock {
    int block = 0;
    double top = 0;
    double bottom = 0; // of the last visible slot of the block
};

struct PlacedLine {
    int row = 0;
    int block = 0;
    bool heading = false;
    double top = 0;
    double bottom = 0;
};

enum class BoardHitKind { Nothing, Trophy, Heading, KartRow };

struct BoardHit {
    BoardHitKind kind = BoardHitKind::Nothing;
    int category = -1;
    int row = -1; // the heading row or the kart row
    bool operator==(const BoardHit&) const = default;
};

class BoardLayout {
public:
    BoardLayout();

    // The board area in pixels, its geometry taken from the screen size.
    void setGeometry(const BoardGeometry& geometry, double boardWidth, double boardHeight);
    void setRows(const session::BoardRows& rows, int rowCount);
    // Clamped to 0 ... scrollMaximum().
    void setScrollPosition(int firstBlock);

    const BoardGeometry& geometry() const { return m_geometry; }
    double boardWidth() const { return m_width; }
    const std::vector<CategoryBlock>& blocks() const { return m_blocks; }
    int visibleSlotCount() const { return m_visibleSlots; }
    int totalSlotCount() const;
    int scrollPosition() const { return m_scroll; }
    // The first block from which the rest of the board fits, or the last
    // block when even that one alone does not.
    int scrollMaximum() const;
    bool needsScrollBar() const { return totalSlotCount() > m_visibleSlots; }

    double slotTop(int visibleSlot) const;
    const std::vector<PlacedBlock>& placedBlocks() const { return m_placedBlocks; }
    const std::vector<PlacedLine>& placedLines() const { return m_placedLines; }
    BoardRect trophyRect(const PlacedBlock& block) const;

    BoardHit hitTest(double x, double y) const;

private:
    void place();

    BoardGeometry m_geometry;
    double m_width = 0;
    double m_height = 0;
    int m_visibleSlots = 1;
    int m_scroll = 0;
    std::vector<CategoryBlock> m_blocks;
    std::vector<PlacedBlock> m_placedBlocks;
    std::vector<PlacedLine> m_placedLines;
};

} // namespace tallimo::app
