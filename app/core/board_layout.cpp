#include "app/core/board_layout.h"

#include <algorithm>
#include <cmath>

namespace tallimo::app {
namespace {

// Keeps 5.0000001 lines from becoming 4 on screens whose height is not a
// multiple of 900.
constexpr double kSlack = 1e-6;

} // namespace

int BoardGeometry::linesIn(int slots) const {
    if (linePitch <= 0)
        return 0;
    const double room = slots * slotHeight - firstLineOffset;
    return std::max(0, static_cast<int>(std::floor(room / linePitch + kSlack)));
}

int BoardGeometry::slotsFor(int kartLines) const {
    if (slotHeight <= 0)
        return 1;
    const double needed = firstLineOffset + std::max(0, kartLines) * linePitch;
    return std::max(1, static_cast<int>(std::ceil(needed / slotHeight - kSlack)));
}

BoardGeometry ComputeBoardGeometry(int screenWidth, int screenHeight, double lineScale) {
    const double w = screenWidth > 0 ? screenWidth : kReferenceScreenWidth;
    const double h = screenHeight > 0 ? screenHeight : kReferenceScreenHeight;
    BoardGeometry g;
    g.titleBandHeight = 36.0 / kReferenceScreenHeight * h;
    g.slotHeight = 115.0 / kReferenceScreenHeight * h;
    g.headingOffset = 5.0 / kReferenceScreenHeight * h;
    g.firstLineOffset = 22.0 / kReferenceScreenHeight * h;
    g.linePitch = 10.0 / kReferenceScreenHeight * h * (lineScale > 0 ? lineScale : 1.0);
    g.trophyX = 175.0 / kReferenceScreenWidth * w;
    g.trophyY = 7.0 / kReferenceScreenHeight * h;
    return g;
}

BoardLayout::BoardLayout() {
    m_blocks.reserve(session::kBoardRowCapacity);
    m_placedBlocks.reserve(session::kBoardRowCapacity);
    m_placedLines.reserve(session::kBoardRowCapacity);
}

void BoardLayout::setGeometry(const BoardGeometry& geometry, double boardWidth,
                              double boardHeight) {
    m_geometry = geometry;
    m_width = std::max(0.0, boardWidth);
    m_height = std::max(0.0, boardHeight);
    const double room = m_height - m_geometry.titleBandHeight;
    const int slots = m_geometry.slotHeight > 0
                          ? static_cast<int>(std::floor(room / m_geometry.slotHeight + kSlack))
                          : 1;
    m_visibleSlots = std::clamp(slots, 1, kMaxVisibleSlots);
    for (CategoryBlock& block : m_blocks)
        block.slotCount = m_geometry.slotsFor(block.kartRowCount);
    m_scroll = std::clamp(m_scroll, 0, scrollMaximum());
    place();
}

void BoardLayout::setRows(const session::BoardRows& rows, int rowCount) {
    m_blocks.clear();
    const int count = std::clamp(rowCount, 0, session::kBoardRowCapacity);
    for (int i = 0; i < count; ++i) {
        const session::BoardRow& row = rows[static_cast<std::size_t>(i)];
        if (row.categoryIndex < 0)
            continue;
        const bool heading = row.heading;
        if (heading || m_blocks.empty() || m_blocks.back().category != row.categoryIndex ||
            m_blocks.back().firstKartRow + m_blocks.back().kartRowCount != i) {
            CategoryBlock block;
            block.category = row.categoryIndex;
            block.headingRow = heading ? i : -1;
            block.firstKartRow = heading ? i + 1 : i;
            m_blocks.push_back(block);
        }
        if (!heading)
            ++m_blocks.back().kartRowCount;
    }
    for (CategoryBlock& block : m_blocks)
        block.slotCount = m_geometry.slotsFor(block.kartRowCount);
    m_scroll = std::clamp(m_scroll, 0, scrollMaximum());
    place();
}

void BoardLayout::setScrollPosition(int firstBlock) {
    m_scroll = std::clamp(firstBlock, 0, scrollMaximum());
    place();
}

int BoardLayout::totalSlotCount() const {
    int total = 0;
    for (const CategoryBlock& block : m_blocks)
        total += block.slotCount;
    return total;
}

int BoardLayout::scrollMaximum() const {
    const int n = static_cast<int>(m_blocks.size());
    int slots = 0;
    for (int p = n - 1; p >= 0; --p) {
        slots += m_blocks[static_cast<std::size_t>(p)].slotCount;
        if (slots > m_visibleSlots)
            return std::min(p + 1, n - 1);
    }
    return 0;
}

double BoardLayout::slotTop(int visibleSlot) const {
    return m_geometry.titleBandHeight + visibleSlot * m_geometry.slotHeight;
}

void BoardLayout::place() {
    m_placedBlocks.clear();
    m_placedLines.clear();
    const BoardGeometry& g = m_geometry;
    int slot = 0;
    for (int b = m_scroll; b < static_cast<int>(m_blocks.size()) && slot < m_visibleSlots; ++b) {
        const CategoryBlock& block = m_blocks[static_cast<std::size_t>(b)];
        const int shownSlots = std::min(block.slotCount, m_visibleSlots - slot);
        const double top = slotTop(slot);
        m_placedBlocks.push_back({b, top, slotTop(slot + shownSlots)});
        if (block.headingRow >= 0)
            m_placedLines.push_back(
                {block.headingRow, b, true, top + g.headingOffset, top + g.firstLineOffset});
        // Lines cut by the bottom of the board are left out, not half drawn.
        const int shownLines = std::min(block.kartRowCount, g.linesIn(shownSlots));
        for (int k = 0; k < shownLines; ++k) {
            const double lineTop = top + g.firstLineOffset + k * g.linePitch;
            m_placedLines.push_back(
                {block.firstKartRow + k, b, false, lineTop, lineTop + g.linePitch});
        }
        slot += shownSlots;
    }
}

BoardRect BoardLayout::trophyRect(const PlacedBlock& block) const {
    return {m_geometry.trophyX, block.top + m_geometry.trophyY, kTrophyWidth, kTrophyHeight};
}

BoardHit BoardLayout::hitTest(double x, double y) const {
    if (x < 0 || x >= m_width)
        return {};
    for (const PlacedBlock& placed : m_placedBlocks) {
        const CategoryBlock& block = m_blocks[static_cast<std::size_t>(placed.block)];
        if (y < placed.top || y >= placed.bottom)
            continue;
        if (block.headingRow >= 0) {
            if (trophyRect(placed).contains(x, y))
                return {BoardHitKind::Trophy, block.category, block.headingRow};
            if (y < placed.top + m_geometry.firstLineOffset)
                return {BoardHitKind::Heading, block.category, block.headingRow};
        }
        break;
    }
    for (const PlacedLine& line : m_placedLines) {
        if (!line.heading && y >= line.top && y < line.bottom)
            return {BoardHitKind::KartRow, m_blocks[static_cast<std::size_t>(line.block)].category,
                    line.row};
    }
    return {};
}

} // namespace tallimo::app
