#include "app/gui/drivers_board_window.h"

#include "app/gui/board_rendering.h"
#include "common/core/time_format.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace tallimo::app {
namespace {

// Shares of the window: at most kMostRows kart rows at full size, and rows
// shrink for more karts down to the size kFewestRows would have; beyond
// that only the first rows are shown, still readable from the pit lane.
constexpr int kMostRows = 12;
constexpr int kFewestRows = 20;
// Rows are never thinner than this, whatever the window.
constexpr int kLeastRowPixels = 12;
constexpr double kHeaderShare = 0.17;
constexpr double kTitlesShare = 0.045;
constexpr double kFooterShare = 0.04;

constexpr int kColumnCount = 7;
struct Column {
    double left;
    double right;
    int alignment;
};
// After the category's colour band, from the left edge.
constexpr double kBandWidth = 0.012;
constexpr Column kColumns[kColumnCount] = {
    {0.020, 0.075, Qt::AlignRight},   // position
    {0.090, 0.180, Qt::AlignHCenter}, // kart
    {0.195, 0.500, Qt::AlignLeft},    // driver
    {0.500, 0.575, Qt::AlignRight},   // laps
    {0.585, 0.720, Qt::AlignRight},   // last lap
    {0.730, 0.865, Qt::AlignRight},   // best lap
    {0.880, 0.985, Qt::AlignRight},   // remaining of the run
};
constexpr const char* kColumnTitles[kColumnCount] = {"Pos",     "Kart",     "Pilote", "Tours",
                                                     "Dernier", "Meilleur", "Reste"};

// The header: the session clock's two times, then the day's best lap with
// its holder on the caption line beside the caption.
struct HeaderPart {
    double left;
    double right;
    const char* caption;
};
constexpr HeaderPart kHeaderParts[3] = {{0.02, 0.27,
                                         "\xC3\x89"
                                         "coul\xC3\xA9"},
                                        {0.29, 0.54, "Restant"},
                                        {0.56, 0.985, "Meilleur tour du jour"}};

const QColor kText(255, 255, 255);
const QColor kDimText(120, 120, 120);
const QColor kLabelText(160, 160, 160);
const QColor kGold(255, 200, 40);
const QColor kStripe(22, 22, 22);
const QColor kLapFlash(20, 60, 30);

int Scaled(int length, double share) {
    return static_cast<int>(std::lround(length * share));
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

// "m:ss.mmm" from the first lap on, whatever its length.
QString LapText(std::int32_t milliseconds) {
    return milliseconds > 0 ? Utf8(common::FormatClockTime(milliseconds)) : QString();
}

QString RunRemainingText(int seconds) {
    seconds = std::max(0, seconds);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QColor BandColour(const LiveBoardKart& kart) {
    const QColor colour(Utf8(kart.colour));
    return colour.isValid() ? colour : CategoryBlockColour(kart.categoryIndex);
}

// The board keeps each category together; within one, the fastest best lap
// comes first and karts still without a lap keep their board order after.
std::vector<const LiveBoardKart*> RankedKarts(const std::vector<LiveBoardKart>& karts) {
    std::vector<const LiveBoardKart*> ranked;
    ranked.reserve(karts.size());
    for (const LiveBoardKart& kart : karts)
        ranked.push_back(&kart);
    auto first = ranked.begin();
    while (first != ranked.end()) {
        const int category = (*first)->categoryIndex;
        auto last = std::find_if(first, ranked.end(), [category](const LiveBoardKart* kart) {
            return kart->categoryIndex != category;
        });
        std::stable_sort(first, last, [](const LiveBoardKart* a, const LiveBoardKart* b) {
            if ((a->bestLapMs > 0) != (b->bestLapMs > 0))
                return a->bestLapMs > 0;
            return a->bestLapMs > 0 && a->bestLapMs < b->bestLapMs;
        });
        first = last;
    }
    return ranked;
}

} // namespace

QScreen* DriversBoardScreen(const std::string& name) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const QString wanted = Utf8(name);
    for (QScreen* screen : screens)
        if (!wanted.isEmpty() && screen->name() == wanted)
            return screen;
    QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : screens)
        if (screen != primary)
            return screen;
    return primary;
}

DriversBoardWindow::DriversBoardWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("driversBoardWindow"));
    setWindowTitle(QStringLiteral("Affichage pilotes"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    prepareFonts();
}

void DriversBoardWindow::show(const LiveBoardSnapshot& snapshot) {
    m_snapshot = snapshot;
    m_textsStale = true;
    update();
}

void DriversBoardWindow::openOn(QScreen* screen) {
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
    showFullScreen();
}

int DriversBoardWindow::shownRowCount() const {
    return std::min(static_cast<int>(m_snapshot.karts.size()), computeGeometry().rowCount);
}

DriversBoardWindow::Geometry DriversBoardWindow::computeGeometry() const {
    Geometry geometry;
    const int h = height();
    geometry.headerHeight = Scaled(h, kHeaderShare);
    geometry.titlesHeight = Scaled(h, kTitlesShare);
    geometry.rowTop = geometry.headerHeight + geometry.titlesHeight;
    const int area = std::max(0, h - geometry.rowTop - Scaled(h, kFooterShare));
    const int karts = static_cast<int>(m_snapshot.karts.size());
    const int rows = std::clamp(karts, kMostRows, kFewestRows);
    geometry.rowHeight = std::max(kLeastRowPixels, area / rows);
    geometry.rowCount = std::min(rows, area / geometry.rowHeight);
    return geometry;
}

void DriversBoardWindow::prepareFonts() {
    const int h = std::max(1, height());
    const int w = std::max(1, width());
    m_fontsSize = size();
    m_geometry = computeGeometry();
    // Wide screens are bound by height and narrow ones by width.
    const auto fit = [w](int byHeight, double widthShare) {
        return std::min(byHeight, Scaled(w, widthShare));
    };
    m_labelFont = SansFont(fit(Scaled(h, 0.03), 0.022), QFont::Normal);
    m_labelBoldFont = SansFont(m_labelFont.pixelSize(), QFont::Bold);
    m_titleFont = SansFont(fit(Scaled(h, 0.028), 0.02), QFont::Bold);
    m_clockFont = SansFont(fit(Scaled(h, 0.085), 0.05), QFont::Bold);
    m_columnTitleFont = SansFont(fit(Scaled(h, 0.03), 0.02), QFont::Normal);
    prepareRowFonts();
}

void DriversBoardWindow::prepareRowFonts() {
    const int pixels = std::min(Scaled(m_geometry.rowHeight, 0.6), Scaled(width(), 0.026));
    if (pixels == m_rowFont.pixelSize())
        return;
    m_rowFont = SansFont(pixels, QFont::Normal);
    m_rowBoldFont = SansFont(pixels, QFont::Bold);
}

void DriversBoardWindow::prepareTexts() {
    m_textsStale = false;
    // The kart count sets the row height.
    m_geometry = computeGeometry();
    prepareRowFonts();
    m_title = Utf8(m_snapshot.title);
    m_elapsed = Utf8(m_snapshot.elapsed);
    m_remaining = Utf8(m_snapshot.remaining);
    m_dayBestTime = LapText(m_snapshot.dayBestLapMs);
    m_dayBestHolder.clear();
    if (m_snapshot.dayBestLapMs > 0) {
        m_dayBestHolder = Utf8(m_snapshot.dayBestDriver);
        if (!m_snapshot.dayBestKart.empty())
            m_dayBestHolder += QStringLiteral(" (%1)").arg(Utf8(m_snapshot.dayBestKart));
        const HeaderPart& part = kHeaderParts[2];
        m_dayBestHolderLeft =
            QFontMetrics(m_labelFont).horizontalAdvance(QString::fromUtf8(part.caption)) +
            Scaled(width(), 0.012);
        const int room =
            Scaled(width(), part.right) - Scaled(width(), part.left) - m_dayBestHolderLeft;
        m_dayBestHolder = QFontMetrics(m_labelBoldFont)
                              .elidedText(m_dayBestHolder, Qt::ElideRight, std::max(0, room));
    }

    const QFontMetrics metrics(m_rowFont);
    const int driverWidth = cellRect(2, 0, 1).width();
    const std::vector<const LiveBoardKart*> ranked = RankedKarts(m_snapshot.karts);
    const int shown = std::min(static_cast<int>(ranked.size()), m_geometry.rowCount);
    m_rows.assign(static_cast<std::size_t>(shown), Row{});
    int position = 0;
    int category = -1;
    for (int index = 0; index < shown; ++index) {
        const LiveBoardKart& kart = *ranked[static_cast<std::size_t>(index)];
        if (kart.categoryIndex != category) {
            category = kart.categoryIndex;
            position = 0;
        }
        Row& row = m_rows[static_cast<std::size_t>(index)];
        row.band = BandColour(kart);
        if (kart.bestLapMs > 0)
            row.cells[0] = QString::number(++position);
        row.cells[1] = Utf8(kart.kart);
        row.cells[2] = metrics.elidedText(Utf8(kart.driver), Qt::ElideRight, driverWidth);
        row.cells[3] = QString::number(kart.laps);
        row.cells[4] = LapText(kart.lastLapMs);
        row.cells[5] = LapText(kart.bestLapMs);
        row.cells[6] =
            kart.finished ? QStringLiteral("Fin") : RunRemainingText(kart.remainingSeconds);
        row.dayBest = kart.dayBest;
        row.finished = kart.finished;
        row.newLap = kart.newLap;
    }
    const int hidden = static_cast<int>(ranked.size()) - shown;
    m_hiddenRows = hidden > 0 ? QStringLiteral("+ %1").arg(hidden) : QString();
}

QRect DriversBoardWindow::cellRect(int column, int top, int height) const {
    const Column& placement = kColumns[column];
    const int left = Scaled(width(), placement.left);
    return {left, top, Scaled(width(), placement.right) - left, height};
}

void DriversBoardWindow::paintEvent(QPaintEvent*) {
    if (m_fontsSize != size()) {
        prepareFonts();
        m_textsStale = true;
    }
    if (m_textsStale)
        prepareTexts();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    paintHeader(painter);
    paintColumnTitles(painter);
    int top = m_geometry.rowTop;
    for (std::size_t index = 0; index < m_rows.size(); ++index) {
        if (index % 2 == 1)
            painter.fillRect(0, top, width(), m_geometry.rowHeight, kStripe);
        paintRow(painter, m_rows[index], top);
        top += m_geometry.rowHeight;
    }

    const int footerTop = height() - Scaled(height(), kFooterShare);
    const QRect footer(Scaled(width(), 0.02), footerTop, Scaled(width(), 0.96),
                       height() - footerTop);
    painter.setFont(m_labelFont);
    painter.setPen(kLabelText);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, m_title);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, m_hiddenRows);
}

void DriversBoardWindow::paintHeader(QPainter& painter) const {
    const int w = width();
    const int labelTop = Scaled(height(), 0.015);
    const int labelHeight = QFontMetrics(m_labelFont).height();
    const int clockTop = labelTop + labelHeight;
    const int clockHeight = m_geometry.headerHeight - clockTop;
    QRect areas[3];
    for (int part = 0; part < 3; ++part) {
        areas[part] = QRect(
            Scaled(w, kHeaderParts[part].left), clockTop,
            Scaled(w, kHeaderParts[part].right) - Scaled(w, kHeaderParts[part].left), clockHeight);
        painter.setFont(m_labelFont);
        painter.setPen(kLabelText);
        painter.drawText(QRect(areas[part].left(), labelTop, areas[part].width(), labelHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromUtf8(kHeaderParts[part].caption));
    }

    painter.setFont(m_clockFont);
    painter.setPen(m_snapshot.clockRunning ? kText : kDimText);
    painter.drawText(areas[0], Qt::AlignLeft | Qt::AlignVCenter, m_elapsed);
    painter.drawText(areas[1], Qt::AlignLeft | Qt::AlignVCenter, m_remaining);

    if (m_dayBestTime.isEmpty())
        return;
    painter.setPen(kGold);
    painter.drawText(areas[2], Qt::AlignLeft | Qt::AlignVCenter, m_dayBestTime);
    painter.setFont(m_labelBoldFont);
    painter.setPen(kText);
    painter.drawText(QRect(areas[2].left() + m_dayBestHolderLeft, labelTop,
                           areas[2].width() - m_dayBestHolderLeft, labelHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, m_dayBestHolder);
}

void DriversBoardWindow::paintColumnTitles(QPainter& painter) const {
    painter.setFont(m_columnTitleFont);
    painter.setPen(kLabelText);
    const int top = m_geometry.headerHeight;
    for (int column = 0; column < kColumnCount; ++column)
        painter.drawText(cellRect(column, top, m_geometry.titlesHeight),
                         kColumns[column].alignment | Qt::AlignBottom,
                         QString::fromUtf8(kColumnTitles[column]));
    painter.fillRect(0, m_geometry.rowTop - 2, width(), 2, kDimText);
}

void DriversBoardWindow::paintRow(QPainter& painter, const Row& row, int top) const {
    const int h = m_geometry.rowHeight;
    const int gap = std::max(1, h / 12);
    if (row.newLap)
        painter.fillRect(0, top, width(), h, kLapFlash);
    painter.fillRect(0, top + gap, Scaled(width(), kBandWidth), h - 2 * gap, row.band);

    const QColor text = row.finished ? kDimText : kText;
    for (int column = 0; column < kColumnCount; ++column) {
        const bool best = row.dayBest && (column == 2 || column == 5);
        painter.setFont(best || column == 1 ? m_rowBoldFont : m_rowFont);
        painter.setPen(best ? kGold : text);
        painter.drawText(cellRect(column, top, h), kColumns[column].alignment | Qt::AlignVCenter,
                         row.cells[column]);
    }
}

void DriversBoardWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    prepareFonts();
    m_textsStale = true; // the driver names are cut to the new width
}

void DriversBoardWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DriversBoardWindow::mouseDoubleClickEvent(QMouseEvent*) {
    close();
}

void DriversBoardWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace tallimo::app
