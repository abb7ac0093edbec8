#include "runs/gui/run_views.h"

#include "common/core/time_format.h"
#include "common/gui/text_conversion.h"
#include "runs/core/run_stats.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace tallimo::runs {
namespace {

const QColor kBackground(250, 251, 253);
const QColor kBorder(150, 160, 175);
const QColor kText(30, 35, 45);
const QColor kMutedText(90, 98, 112);
const QColor kGrid(214, 220, 229);
const QColor kAccent(32, 102, 190);
const QColor kAccentFill(72, 138, 220);
const QColor kMean(200, 40, 40);
const QColor kHeaderFill(222, 231, 243);
const QColor kStripeFill(242, 245, 250);
const QColor kBubbleFill(255, 249, 196);

// The measure every size of a view follows: about one line of text.
qreal UnitOf(const QRectF& area) {
    return std::max<qreal>(1.0, std::min(area.height() / 16.0, area.width() / 40.0));
}

QFont ViewFont(qreal pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

// The font made smaller until `text` fits in `width`.
QFont FittedFont(QFont font, const QString& text, qreal width) {
    while (font.pixelSize() > 1 && QFontMetricsF(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QString Text(const std::string& cp1252) {
    return common::FromCp1252(cp1252);
}

QString LapTime(std::int32_t milliseconds) {
    return Text(common::FormatLapTime(milliseconds));
}

// The box every view is drawn in; the empty view is the box alone.
void PaintBox(QPainter& painter, const QRectF& area) {
    painter.setPen(QPen(kBorder, std::max<qreal>(1.0, UnitOf(area) / 12.0)));
    painter.setBrush(kBackground);
    painter.drawRect(area);
    painter.setBrush(Qt::NoBrush);
}

// Keeps the painter's state and the drawing inside the area.
class ViewPainting {
public:
    ViewPainting(QPainter& painter, const QRectF& area) : m_painter(painter) {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        m_painter.setRenderHint(QPainter::TextAntialiasing, true);
        m_painter.setClipRect(area, Qt::IntersectClip);
        PaintBox(m_painter, area);
    }
    ~ViewPainting() { m_painter.restore(); }
    ViewPainting(const ViewPainting&) = delete;
    ViewPainting& operator=(const ViewPainting&) = delete;

private:
    QPainter& m_painter;
};

void DrawText(QPainter& painter, const QRectF& box, int flags, const QString& text,
              const QFont& font, const QColor& colour) {
    painter.setFont(FittedFont(font, text, box.width()));
    painter.setPen(colour);
    painter.drawText(box, flags | Qt::TextSingleLine, text);
}

// --- The figures and the class table --------------------------------------

void PaintFigures(QPainter& painter, const QRectF& block, const RunStats& stats, qreal unit) {
    struct Line {
        QString label;
        QString value;
    };
    const Line lines[] = {
        {QString::fromUtf8("Meilleur tour :"),
         LapTime(stats.best) + QStringLiteral("  (T %1)").arg(stats.bestLap)},
        {QString::fromUtf8("Moins bon tour :"),
         LapTime(stats.worst) + QStringLiteral("  (T %1)").arg(stats.worstLap)},
        {QString::fromUtf8("Tour moyen :"), LapTime(stats.mean)},
        {QString::fromUtf8("Ecart type :"), QStringLiteral("+/- ") + LapTime(stats.deviation)},
    };
    const qreal lineHeight = std::min(block.height() / 6.0, unit * 1.9);
    const qreal top = block.center().y() - lineHeight * 2.6;
    const qreal labelWidth = block.width() * 0.52;
    // One size for all the values, the one the widest of them fits in.
    QFont labelFont = ViewFont(unit * 0.95);
    QFont valueFont = ViewFont(unit * 1.0, true);
    for (const Line& line : lines) {
        labelFont = FittedFont(labelFont, line.label, labelWidth - unit * 0.4);
        valueFont = FittedFont(valueFont, line.value, block.width() - labelWidth);
    }
    for (int i = 0; i < 4; ++i) {
        const qreal y = top + lineHeight * i * 1.1;
        DrawText(painter, QRectF(block.left(), y, labelWidth - unit * 0.4, lineHeight),
                 Qt::AlignRight | Qt::AlignVCenter, lines[i].label, labelFont, kMutedText);
        DrawText(painter,
                 QRectF(block.left() + labelWidth, y, block.width() - labelWidth, lineHeight),
                 Qt::AlignLeft | Qt::AlignVCenter, lines[i].value, valueFont, kText);
    }
    DrawText(painter,
             QRectF(block.left() + labelWidth, top + lineHeight * 4 * 1.1 - lineHeight * 0.3,
                    block.width() - labelWidth, lineHeight),
             Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8("(régularité)"),
             ViewFont(unit * 0.85), kMutedText);
}

void PaintClassTable(QPainter& painter, const QRectF& table, const RunStats& stats, qreal unit) {
    const qreal rowHeight = table.height() / (kRunClasses + 1);
    const qreal columns[] = {table.width() * 0.56, table.width() * 0.18, table.width() * 0.26};
    const QFont headerFont = ViewFont(std::min(unit * 0.9, rowHeight * 0.72), true);
    const QFont cellFont = ViewFont(std::min(unit * 0.9, rowHeight * 0.72));
    const qreal pad = unit * 0.3;

    auto cells = [&](qreal y, const QString(&texts)[3], const QFont& font, const QColor& colour) {
        qreal x = table.left();
        for (int c = 0; c < 3; ++c) {
            const int flags = (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
            DrawText(painter, QRectF(x + pad, y, columns[c] - 2 * pad, rowHeight), flags, texts[c],
                     font, colour);
            x += columns[c];
        }
    };

    painter.fillRect(QRectF(table.left(), table.top(), table.width(), rowHeight), kHeaderFill);
    const QString header[3] = {QStringLiteral("Temps au tour"), QStringLiteral("Tours"),
                               QStringLiteral("% tours")};
    cells(table.top(), header, headerFont, kText);
    for (int k = 0; k < kRunClasses; ++k) {
        const qreal y = table.top() + rowHeight * (k + 1);
        if (k % 2 == 1)
            painter.fillRect(QRectF(table.left(), y, table.width(), rowHeight), kStripeFill);
        const QString row[3] = {Text(ClassRowText(stats, k)), QString::number(stats.classCount[k]),
                                Text(ClassShareText(stats.classShare[k]))};
        cells(y, row, cellFont, stats.classCount[k] > 0 ? kText : kMutedText);
    }
    painter.setPen(QPen(kBorder, std::max<qreal>(0.5, unit / 14.0)));
    painter.drawRect(table);
    painter.drawLine(QPointF(table.left(), table.top() + rowHeight),
                     QPointF(table.right(), table.top() + rowHeight));
}

// --- The curve's frame, shared by the painting and the pointing ------------

struct CurveFrame {
    CurveScale scale;
    RunRange range;
    QRectF plot;
    int from = 0;
    int to = 0;
    qreal unit = 1;

    qreal x(int lap) const {
        return plot.left() + plot.width() * (lap - from) / static_cast<qreal>(to - from);
    }
    qreal y(std::int64_t time) const {
        const qreal span = static_cast<qreal>(scale.upper - scale.lower);
        return plot.bottom() - plot.height() * static_cast<qreal>(time - scale.lower) / span;
    }
};

// Nothing when the range has no curve: fewer than two laps, or none at all.
std::optional<CurveFrame> CurveFrameOf(const QRectF& area, const DriverRun& run, int from, int to) {
    CurveFrame frame;
    frame.range = ComputeRunRange(run, from, to);
    frame.scale = ComputeCurveScale(frame.range, from, to);
    if (frame.range.count < 2 || frame.scale.lines <= 0 || frame.scale.upper <= frame.scale.lower)
        return std::nullopt;
    frame.from = from;
    frame.to = to;
    frame.unit = UnitOf(area);
    const qreal u = frame.unit;
    frame.plot = area.adjusted(u * 3.6, u * 1.0, -u * 1.2, -u * 1.9);
    if (frame.plot.width() <= 0 || frame.plot.height() <= 0)
        return std::nullopt;
    return frame;
}

QPointF PointOf(const CurveFrame& frame, const DriverRun& run, int lap) {
    return {frame.x(lap), frame.y(LapTimeOf(run, lap))};
}

} // namespace

void PaintRunSynthesis(QPainter& painter, const QRectF& area, const DriverRun& run, int from,
                       int to) {
    ViewPainting painting(painter, area);
    const RunStats stats = ComputeRunStats(run, from, to);
    if (stats.count <= 0)
        return;
    const qreal u = UnitOf(area);
    const QRectF inner = area.adjusted(u * 0.6, u * 0.6, -u * 0.6, -u * 0.6);
    const qreal figuresWidth = inner.width() * 0.42;
    PaintFigures(painter, QRectF(inner.left(), inner.top(), figuresWidth, inner.height()), stats,
                 u);
    PaintClassTable(painter,
                    QRectF(inner.left() + figuresWidth + u * 0.6, inner.top(),
                           inner.width() - figuresWidth - u * 0.6, inner.height()),
                    stats, u);
}

void PaintRunHistogram(QPainter& painter, const QRectF& area, const DriverRun& run, int from,
                       int to) {
    ViewPainting painting(painter, area);
    const RunHistogram histogram = ComputeRunHistogram(run, from, to);
    const HistogramScale scale = ComputeHistogramScale(histogram);
    // One lap makes no distribution: like the curve, it shows the empty view.
    if (histogram.count < 2 || scale.top <= 0)
        return;
    const qreal u = UnitOf(area);
    const QRectF plot = area.adjusted(u * 2.8, u * 1.0, -u * 1.4, -u * 3.0);
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    const QFont labelFont = ViewFont(u * 0.8);
    const qreal thin = std::max<qreal>(0.5, u / 14.0);
    const qreal barWidth = plot.width() / kHistogramClasses;
    const std::int32_t base = histogram.bound[0];
    auto xOf = [&](std::int64_t time) {
        const qreal bars = static_cast<qreal>(time - base) / kHistogramClassMs;
        return std::clamp(plot.left() + bars * barWidth, plot.left(), plot.right());
    };

    for (const std::int32_t value : scale.gridValues) {
        const qreal y = plot.bottom() - plot.height() * value / scale.top;
        painter.setPen(QPen(kGrid, thin));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        DrawText(painter,
                 QRectF(area.left(), y - u * 0.6, plot.left() - area.left() - u * 0.3, u * 1.2),
                 Qt::AlignRight | Qt::AlignVCenter, QString::number(value), labelFont, kMutedText);
    }

    painter.setPen(QPen(kAccent, thin));
    painter.setBrush(kAccentFill);
    for (int k = 0; k < kHistogramClasses; ++k) {
        if (histogram.histCount[k] <= 0)
            continue;
        const qreal height = plot.height() * histogram.histCount[k] / scale.top;
        painter.drawRect(QRectF(plot.left() + barWidth * k + barWidth * 0.08,
                                plot.bottom() - height, barWidth * 0.84, height));
    }
    painter.setBrush(Qt::NoBrush);

    painter.setPen(QPen(kText, thin * 1.5));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    for (const AxisLabel& label : scale.timeLabels) {
        const qreal x = xOf(label.value);
        painter.setPen(QPen(kText, thin));
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + u * 0.3));
        DrawText(painter, QRectF(x - u * 1.3, plot.bottom() + u * 0.3, u * 2.6, u * 1.1),
                 Qt::AlignHCenter | Qt::AlignTop, Text(label.text), labelFont, kText);
    }

    // The mean: a dashed line through the bars, its value under the axis.
    const qreal meanX = xOf(histogram.mean);
    painter.setPen(QPen(kMean, thin * 2, Qt::DashLine));
    painter.drawLine(QPointF(meanX, plot.top()), QPointF(meanX, plot.bottom() + u * 1.4));
    const QString meanText = QStringLiteral("moy ") + Text(scale.meanText);
    const qreal meanWidth = u * 5.0;
    const qreal meanLeft = std::clamp(meanX - meanWidth / 2, area.left() + u * 0.2,
                                      area.right() - meanWidth - u * 0.2);
    DrawText(painter, QRectF(meanLeft, plot.bottom() + u * 1.5, meanWidth, u * 1.3),
             Qt::AlignHCenter | Qt::AlignVCenter, meanText, ViewFont(u * 0.9, true), kMean);
}

void PaintRunCurve(QPainter& painter, const QRectF& area, const DriverRun& run, int from, int to) {
    ViewPainting painting(painter, area);
    const std::optional<CurveFrame> frame = CurveFrameOf(area, run, from, to);
    if (!frame)
        return;
    const qreal u = frame->unit;
    const QRectF& plot = frame->plot;
    const CurveScale& scale = frame->scale;
    const QFont labelFont = ViewFont(u * 0.8);
    const qreal thin = std::max<qreal>(0.5, u / 14.0);

    painter.setPen(QPen(kGrid, thin));
    for (int k = 0; k < scale.drawnLines; ++k) {
        const qreal y = frame->y(std::int64_t{scale.lower} + 1000LL * k);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    for (const AxisLabel& label : scale.lapLabels) {
        const qreal x = frame->x(label.value);
        painter.setPen(QPen(kGrid, thin));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(QPen(kText, thin));
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + u * 0.3));
        DrawText(painter, QRectF(x - u * 1.2, plot.bottom() + u * 0.35, u * 2.4, u * 1.1),
                 Qt::AlignHCenter | Qt::AlignTop, Text(label.text), labelFont, kText);
    }
    for (const AxisLabel& label : scale.timeLabels) {
        const qreal y = frame->y(label.value);
        DrawText(painter,
                 QRectF(area.left(), y - u * 0.6, plot.left() - area.left() - u * 0.3, u * 1.2),
                 Qt::AlignRight | Qt::AlignVCenter, Text(label.text), labelFont, kMutedText);
    }
    painter.setPen(QPen(kText, thin * 1.5));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    if (scale.meanLineShown) {
        const qreal y = frame->y(frame->range.mean);
        painter.setPen(QPen(kMean, thin * 2, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        DrawText(painter, QRectF(plot.right() - u * 3, y - u * 1.2, u * 3, u * 1.1),
                 Qt::AlignRight | Qt::AlignBottom, QStringLiteral("moy"), ViewFont(u * 0.8, true),
                 kMean);
    }

    painter.setPen(QPen(kAccent, thin * 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int lap = from; lap < to; ++lap) {
        if (IsOnCurve(LapTimeOf(run, lap)) && IsOnCurve(LapTimeOf(run, lap + 1)))
            painter.drawLine(PointOf(*frame, run, lap), PointOf(*frame, run, lap + 1));
    }
    painter.setBrush(Qt::white);
    const qreal radius = std::max<qreal>(1.0, u * 0.22);
    for (int lap = from; lap <= to; ++lap) {
        if (IsOnCurve(LapTimeOf(run, lap)))
            painter.drawEllipse(PointOf(*frame, run, lap), radius, radius);
    }
    painter.setBrush(Qt::NoBrush);
}

void PaintRunView(QPainter& painter, const QRectF& area, const DriverRun& run, int from, int to,
                  RunView view) {
    switch (view) {
    case RunView::Histogram:
        PaintRunHistogram(painter, area, run, from, to);
        return;
    case RunView::Curve:
        PaintRunCurve(painter, area, run, from, to);
        return;
    case RunView::Synthesis:
        break;
    }
    PaintRunSynthesis(painter, area, run, from, to);
}

int CurveLapAt(const QRectF& area, const DriverRun& run, int from, int to, const QPointF& point) {
    if (to - from + 1 < 1 || to - from + 1 > kMaxRunLaps)
        return 0;
    const std::optional<CurveFrame> frame = CurveFrameOf(area, run, from, to);
    if (!frame)
        return 0;
    const qreal reach = std::max<qreal>(3.0, frame->unit * 0.45);
    int nearest = 0;
    qreal nearestDistance = reach;
    for (int lap = from; lap <= to; ++lap) {
        if (!IsOnCurve(LapTimeOf(run, lap)))
            continue;
        const QPointF offset = PointOf(*frame, run, lap) - point;
        const qreal distance = std::hypot(offset.x(), offset.y());
        if (distance <= nearestDistance) {
            nearest = lap;
            nearestDistance = distance;
        }
    }
    return nearest;
}

void PaintCurveBubble(QPainter& painter, const QRectF& area, const DriverRun& run, int from, int to,
                      int lap) {
    const std::optional<CurveFrame> frame = CurveFrameOf(area, run, from, to);
    if (!frame || lap < from || lap > to || !IsOnCurve(LapTimeOf(run, lap)))
        return;
    const qreal u = frame->unit;
    const QPointF point = PointOf(*frame, run, lap);
    const QString text = Text(CurveBubbleText(LapTimeOf(run, lap), lap));
    const QFont font = ViewFont(u * 0.9, true);
    const qreal width = QFontMetricsF(font).horizontalAdvance(text) + u * 2.4;
    const qreal height = u * 2.2;
    // Above and right of the point, turned back where the box would cut it.
    qreal left = point.x() + u * 0.4;
    if (left + width > area.right())
        left = point.x() - u * 0.4 - width;
    qreal top = point.y() - u * 0.4 - height;
    if (top < area.top())
        top = point.y() + u * 0.4;
    const QRectF bubble(left, top, width, height);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(area, Qt::IntersectClip);
    const qreal thin = std::max<qreal>(0.5, u / 14.0);
    painter.setPen(QPen(kText, thin * 1.5));
    painter.setBrush(kBubbleFill);
    painter.drawEllipse(bubble);
    painter.setBrush(kAccent);
    const qreal radius = std::max<qreal>(1.0, u * 0.3);
    painter.drawEllipse(point, radius, radius);
    painter.setFont(font);
    painter.setPen(kText);
    painter.drawText(bubble, Qt::AlignCenter | Qt::TextSingleLine, text);
    painter.restore();
}

} // namespace tallimo::runs
