#include "app/gui/board_rendering.h"

#include "common/gui/text_conversion.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tallimo::app {
namespace {

using session::BoardRow;

const QColor kJustLappedText(255, 0, 0);
const QColor kRowText(0, 0, 0);

} // namespace

QFont SansFont(int pixelSize, QFont::Weight weight) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(6, pixelSize));
    font.setWeight(weight);
    return font;
}

namespace {

// A picture scaled once to the size it is drawn at; a null image when the
// file is missing or unreadable.
QImage LoadPicture(const std::filesystem::path& root, const char* relative, QSize size) {
    if (root.empty())
        return {};
    const std::filesystem::path file = root / std::filesystem::path(relative);
    QImage image(QString::fromStdU16String(file.u16string()));
    if (image.isNull())
        return {};
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QStaticText Prepared(const QString& text, const QFont& font) {
    QStaticText prepared(text);
    prepared.setTextFormat(Qt::PlainText);
    prepared.setPerformanceHint(QStaticText::AggressiveCaching);
    prepared.prepare(QTransform(), font);
    return prepared;
}

} // namespace

QColor CategoryBlockColour(int category) {
    if (category < 0 || category >= session::kCategoryCount)
        return QColor(255, 255, 255);
    return QColor(static_cast<QRgb>(kCategoryBlockColours[static_cast<std::size_t>(category)]));
}

QColor ColourOf(std::int32_t colourValue) {
    const RgbColour c = ColourFromValue(colourValue);
    return QColor(c.red, c.green, c.blue);
}

BoardRenderer::BoardRenderer() : m_title(QString::fromLatin1(kBoardTitle)) {
    setScreenSize(m_screen);
}

void BoardRenderer::setDisplaySettings(const DisplaySettings* settings) {
    m_settings = settings;
    prepareColumns();
    prepareRowTexts();
}

void BoardRenderer::setCategoryNames(const CategoryNames& names) {
    m_categoryNames = names;
    prepareRowTexts();
}

void BoardRenderer::setWorkingFolder(const std::filesystem::path& root) {
    m_root = root;
    loadPictures();
}

void BoardRenderer::loadPictures() {
    const std::filesystem::path& root = m_root;
    m_trophy = LoadPicture(root, kTrophyImage, QSize(kTrophyWidth, kTrophyHeight));
    const int flag = static_cast<int>(std::lround(m_layout.geometry().linePitch * 0.8));
    m_finishFlag = LoadPicture(root, kFinishFlagImage, QSize(flag * 4 / 3, flag));
}

void BoardRenderer::setScreenSize(QSize screen) {
    if (screen.width() <= 0 || screen.height() <= 0)
        screen = QSize(static_cast<int>(kReferenceScreenWidth),
                       static_cast<int>(kReferenceScreenHeight));
    m_screen = screen;
    m_layout.setGeometry(ComputeBoardGeometry(screen.width(), screen.height()), m_area.width(),
                         m_area.height());
    prepareFonts();
    prepareColumns();
    prepareRowTexts();
    loadPictures();
    m_watermarkArea = QSize();
}

void BoardRenderer::setAreaSize(QSize area) {
    m_area = area.expandedTo(QSize(0, 0));
    m_layout.setGeometry(m_layout.geometry(), m_area.width(), m_area.height());
}

void BoardRenderer::setLiveTiming(const session::LiveTiming* live) {
    m_live = live;
    rowsChanged();
}

void BoardRenderer::rowsChanged() {
    prepareRowTexts();
    if (m_live != nullptr)
        m_layout.setRows(m_live->boardRows, m_live->boardRowCount);
    else
        m_layout.setRows(session::BoardRows{}, 0);
}

void BoardRenderer::prepareFonts() {
    const BoardGeometry& g = m_layout.geometry();
    const double pitch = g.linePitch;
    const double band = g.firstLineOffset - g.headingOffset;
    m_rowFont = SansFont(static_cast<int>(std::lround(pitch * 0.8)), QFont::Medium);
    m_rowBoldFont = SansFont(static_cast<int>(std::lround(pitch * 0.8)), QFont::Bold);
    m_headingFont = SansFont(static_cast<int>(std::lround(band * 0.95)), QFont::Bold);
    m_columnTitleFont = SansFont(static_cast<int>(std::lround(band * 0.7)), QFont::Normal);
    m_titleFont = SansFont(static_cast<int>(std::lround(g.titleBandHeight * 0.6)), QFont::Bold);
    m_hoverFont = SansFont(12, QFont::Normal);
}

void BoardRenderer::prepareColumns() {
    const DisplaySettings none{};
    m_columns = BoardColumns(m_settings != nullptr ? *m_settings : none);
    for (int c = 0; c < kShownColumnCount; ++c)
        m_columnTitles[static_cast<std::size_t>(c)] = Prepared(
            common::FromCp1252(m_columns[static_cast<std::size_t>(c)].title), m_columnTitleFont);
}

const QFont& BoardRenderer::cellFont(int column) const {
    return column == kColumnDriver || column == kColumnBooked ? m_rowFont : m_rowBoldFont;
}

QString BoardRenderer::categoryName(int category) const {
    if (category == session::kPrivateCategoryIndex)
        return common::FromCp1252(session::kPrivateCategoryName);
    if (category >= 0 && category < session::kRentalCategoryCount) {
        const std::string& name = m_categoryNames[static_cast<std::size_t>(category)];
        if (!name.empty())
            return common::FromCp1252(name);
        if (m_live != nullptr)
            return common::FromCp1252(
                m_live->session.categories[static_cast<std::size_t>(category)].categoryName);
    }
    return {};
}

void BoardRenderer::prepareRowTexts() {
    for (int c = 0; c < session::kCategoryCount; ++c)
        m_headingNames[static_cast<std::size_t>(c)] = Prepared(categoryName(c), m_headingFont);
    const int count =
        m_live != nullptr ? std::clamp(m_live->boardRowCount, 0, session::kBoardRowCapacity) : 0;
    const QFontMetrics driverMetrics(m_rowFont);
    const double driverWidth =
        m_columns[kColumnDriver].width / kReferenceScreenWidth * m_screen.width();
    std::array<QString, kShownColumnCount> cells;
    for (int i = 0; i < count; ++i) {
        const BoardRow& row = m_live->boardRows[static_cast<std::size_t>(i)];
        RowTexts& texts = m_rows[static_cast<std::size_t>(i)];
        texts = RowTexts{};
        if (row.heading || row.categoryIndex < 0)
            continue;
        for (QString& cell : cells)
            cell.clear();
        cells[kColumnKart] = common::FromCp1252(row.kartLabel) + QStringLiteral(" :");
        cells[kColumnDriver] = driverMetrics.elidedText(
            common::FromCp1252(row.driver), Qt::ElideRight, static_cast<int>(driverWidth));
        if (!row.duration.empty())
            cells[kColumnBooked] = QStringLiteral(" %1' ").arg(common::FromCp1252(row.duration));
        const bool timed =
            row.state == session::TrackState::Finished || row.state == session::TrackState::Timing;
        if (timed && !row.laps.empty())
            cells[kColumnLaps] = common::FromCp1252(row.laps) + QLatin1Char('t');
        cells[kColumnRunTime] = common::FromCp1252(row.totalTime);
        cells[kColumnLastLap] = common::FromCp1252(row.lastLap);
        cells[kColumnBestLap] = common::FromCp1252(row.bestLap);
        for (int c = 0; c < kShownColumnCount; ++c)
            if (!cells[static_cast<std::size_t>(c)].isEmpty())
                texts.cells[static_cast<std::size_t>(c)] =
                    Prepared(cells[static_cast<std::size_t>(c)], cellFont(c));
        texts.finished = row.state == session::TrackState::Finished;
    }
}

void BoardRenderer::drawAligned(QPainter& painter, const QStaticText& text, const QRectF& rect,
                                int alignment) const {
    const QSizeF size = text.size();
    double x = rect.left();
    if (alignment == kAlignRight)
        x = rect.right() - size.width();
    else if (alignment == kAlignCentre)
        x = rect.center().x() - size.width() / 2;
    painter.drawStaticText(
        QPointF(std::round(x), std::round(rect.center().y() - size.height() / 2)), text);
}

void BoardRenderer::prepareWatermark() const {
    const QColor board = ColourOf(m_settings != nullptr ? m_settings->boardColour() : 0);
    const RgbColour dark = Darkened({board.red(), board.green(), board.blue()}, 10);
    const QColor colour(dark.red, dark.green, dark.blue);
    if (m_watermarkArea == m_area && m_watermarkColour == colour && !m_watermark.isNull())
        return;
    m_watermarkArea = m_area;
    m_watermarkColour = colour;
    const QString text = QString::fromLatin1(kWatermarkText);
    QFont font;
    font.setFamilies(
        {QStringLiteral("Arial Black"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Black);
    // One sixth of the width high, but never wider than the board: the
    // watermark must stay whole behind the rows.
    int pixelSize = std::max(8, m_area.width() / 6);
    font.setPixelSize(pixelSize);
    const int room = m_area.width() * 92 / 100;
    const int advance = QFontMetrics(font).horizontalAdvance(text);
    if (advance > room && advance > 0) {
        pixelSize = std::max(8, pixelSize * room / advance);
        font.setPixelSize(pixelSize);
    }
    const QFontMetrics metrics(font);
    const QSize size(std::max(1, metrics.horizontalAdvance(text)), std::max(1, metrics.height()));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, text);
    }
    m_watermark = QPixmap::fromImage(image);
}

QRectF BoardRenderer::columnRect(int column, const PlacedLine& line) const {
    const ColumnPlacement& c = m_columns[static_cast<std::size_t>(column)];
    const double unit = m_screen.width() / kReferenceScreenWidth;
    return QRectF(c.x * unit, line.top, c.width * unit, line.bottom - line.top);
}

void BoardRenderer::paint(QPainter& painter) const {
    const QRect area(QPoint(0, 0), m_area);
    painter.fillRect(area, ColourOf(m_settings != nullptr ? m_settings->boardColour() : 0));
    painter.setRenderHint(QPainter::TextAntialiasing);

    prepareWatermark();
    const int watermarkTop =
        static_cast<int>(std::lround(170.0 / kReferenceScreenHeight * m_screen.height()));
    painter.drawPixmap((m_area.width() - m_watermark.width()) / 2, watermarkTop, m_watermark);

    const BoardGeometry& g = m_layout.geometry();
    painter.setFont(m_titleFont);
    painter.setPen(kRowText);
    painter.drawText(QRectF(0, 0, m_area.width(), g.titleBandHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, m_title);

    paintBlocks(painter);
    paintHover(painter);
}

void BoardRenderer::paintFrozen(QPainter& painter) const {
    painter.fillRect(QRect(QPoint(0, 0), m_area),
                     ColourOf(m_settings != nullptr ? m_settings->windowBackground() : 0));
}

void BoardRenderer::paintBlocks(QPainter& painter) const {
    const double gap = std::max(2.0, 3.0 / kReferenceScreenHeight * m_screen.height());
    const double inset = std::max(2.0, 4.0 / kReferenceScreenWidth * m_screen.width());
    const auto& blocks = m_layout.blocks();
    for (const PlacedBlock& placed : m_layout.placedBlocks()) {
        const CategoryBlock& block = blocks[static_cast<std::size_t>(placed.block)];
        painter.fillRect(
            QRectF(inset, placed.top, m_area.width() - 2 * inset, placed.bottom - placed.top - gap),
            CategoryBlockColour(block.category));
    }
    const auto& placedBlocks = m_layout.placedBlocks();
    std::size_t current = 0;
    for (const PlacedLine& line : m_layout.placedLines()) {
        if (line.heading) {
            while (current + 1 < placedBlocks.size() && placedBlocks[current].block != line.block)
                ++current;
            paintHeading(painter, line, placedBlocks[current]);
        } else {
            paintKartLine(painter, line);
        }
    }
}

void BoardRenderer::paintHeading(QPainter& painter, const PlacedLine& line,
                                 const PlacedBlock& block) const {
    const BoardGeometry& g = m_layout.geometry();
    const CategoryBlock& category = m_layout.blocks()[static_cast<std::size_t>(line.block)];
    const double left = m_columns[kColumnKart].x * m_screen.width() / kReferenceScreenWidth;
    painter.setFont(m_headingFont);
    painter.setPen(kRowText);
    const QRectF nameRect(left, line.top, g.trophyX - left - 4, line.bottom - line.top);
    painter.save();
    painter.setClipRect(nameRect.adjusted(0, -4, 0, 4));
    drawAligned(painter,
                m_headingNames[static_cast<std::size_t>(std::clamp(category.category, 0, 5))],
                nameRect, kAlignLeft);
    painter.restore();
    const BoardRect trophy = m_layout.trophyRect(block);
    if (!m_trophy.isNull())
        painter.drawImage(QPointF(trophy.x, trophy.y), m_trophy);

    // Column titles only right of the trophy: the name has the space before it.
    painter.setFont(m_columnTitleFont);
    const double titlesFrom = trophy.x + trophy.width + 6;
    for (int c = 0; c < kShownColumnCount; ++c) {
        const ColumnPlacement& column = m_columns[static_cast<std::size_t>(c)];
        const QRectF rect = columnRect(c, line);
        if (!column.shown || rect.left() < titlesFrom)
            continue;
        drawAligned(painter, m_columnTitles[static_cast<std::size_t>(c)], rect, column.alignment);
    }
}

void BoardRenderer::paintKartLine(QPainter& painter, const PlacedLine& line) const {
    const BoardRow& row = m_live->boardRows[static_cast<std::size_t>(line.row)];
    const RowTexts& texts = m_rows[static_cast<std::size_t>(line.row)];
    painter.setPen(row.lapJustDone == 1 ? kJustLappedText : kRowText);
    for (int c = 0; c < kShownColumnCount; ++c) {
        const ColumnPlacement& column = m_columns[static_cast<std::size_t>(c)];
        const QStaticText& text = texts.cells[static_cast<std::size_t>(c)];
        if (!column.shown)
            continue;
        const QRectF rect = columnRect(c, line);
        if (c == kColumnLaps && texts.finished && !m_finishFlag.isNull())
            painter.drawImage(
                QPointF(rect.left(), std::round(rect.center().y() - m_finishFlag.height() / 2.0)),
                m_finishFlag);
        if (text.text().isEmpty())
            continue;
        painter.setFont(cellFont(c));
        drawAligned(painter, text, rect, column.alignment);
    }
}

QString BoardRenderer::transponderOf(int row) const {
    if (m_live == nullptr || row < 0 || row >= session::kBoardRowCapacity)
        return {};
    const BoardRow& boardRow = m_live->boardRows[static_cast<std::size_t>(row)];
    if (!boardRow.transponder.empty())
        return common::FromCp1252(boardRow.transponder);
    for (const session::SessionCategory& category : m_live->session.categories)
        for (const session::SessionKart& kart : category.karts)
            if (!kart.kartLabel.empty() && kart.kartLabel == boardRow.kartLabel)
                return common::FromCp1252(kart.transponder);
    return {};
}

QString BoardRenderer::hoverLine(int row) const {
    if (m_live == nullptr || row < 0 || row >= session::kBoardRowCapacity)
        return {};
    return QStringLiteral("%1 Tranpd : %2")
        .arg(common::FromCp1252(m_live->boardRows[static_cast<std::size_t>(row)].kartLabel),
             transponderOf(row));
}

QRect BoardRenderer::hoverBoxRect(QPoint pointer) const {
    const BoardHit hit = m_layout.hitTest(pointer.x(), pointer.y());
    int width = 130;
    if (hit.kind == BoardHitKind::KartRow && m_live != nullptr) {
        const QFontMetrics metrics(m_hoverFont);
        const int text =
            std::max(metrics.horizontalAdvance(hoverLine(hit.row)),
                     metrics.horizontalAdvance(common::FromCp1252(
                         m_live->boardRows[static_cast<std::size_t>(hit.row)].driver)));
        width = std::max(width, text + 12);
    }
    return QRect(pointer.x() - width / 2, pointer.y() - 45, width, 45);
}

void BoardRenderer::paintHover(QPainter& painter) const {
    if (!m_hover || m_live == nullptr)
        return;
    const BoardHit hit = m_layout.hitTest(m_hover->x(), m_hover->y());
    if (hit.kind != BoardHitKind::KartRow)
        return;
    const QRect box = hoverBoxRect(*m_hover);
    painter.setPen(kRowText);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setBrush(Qt::NoBrush);
    painter.setFont(m_hoverFont);
    const int y = m_hover->y();
    const int textLeft = box.left() + 6;
    const int textWidth = box.width() - 12;
    painter.drawText(QRect(textLeft, y - 38, textWidth, 15), Qt::AlignLeft | Qt::AlignTop,
                     hoverLine(hit.row));
    painter.drawText(
        QRect(textLeft, y - 23, textWidth, 15), Qt::AlignLeft | Qt::AlignTop,
        common::FromCp1252(m_live->boardRows[static_cast<std::size_t>(hit.row)].driver));
}

QImage RenderBoardToImage(const session::LiveTiming& live, const DisplaySettings& settings,
                          QSize size, const BoardImageOptions& options) {
    BoardRenderer renderer;
    renderer.setDisplaySettings(&settings);
    renderer.setCategoryNames(options.categoryNames);
    renderer.setScreenSize(options.screenSize.isEmpty() ? size : options.screenSize);
    renderer.setAreaSize(size);
    renderer.setWorkingFolder(options.workingFolder);
    renderer.setLiveTiming(&live);
    renderer.setScrollPosition(options.scrollPosition);
    renderer.setHover(options.hover);
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    renderer.paint(painter);
    painter.end();
    return image;
}

} // namespace tallimo::app
