#include "app/assets/board_pictures.h"

#include "app/assets/picture_drawing.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace tallimo::app::assets {
namespace {

const QColor kNavy(22, 44, 92);
const QColor kOrange(240, 120, 20);

// A round badge with a chequered flag, the mark of both logos.
void drawBadge(QPainter& painter, QPointF centre, double radius, QColor ring) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ring);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, radius * 0.84, radius * 0.84);
    const double side = radius * 1.05;
    const QRectF flag(centre.x() - side * 0.5, centre.y() - side * 0.42, side, side * 0.72);
    painter.setPen(
        QPen(QColor(60, 60, 60), std::max(1.0, radius / 14.0), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(flag.left(), flag.top() - radius * 0.05),
                     QPointF(flag.left(), centre.y() + radius * 0.62));
    drawChequer(painter, flag, 5, 4, radius * 0.06);
}

void drawSpeedLines(QPainter& painter, const QRectF& area, QColor colour, int count) {
    for (int i = 0; i < count; ++i) {
        const double y = area.top() + area.height() * (i + 0.5) / count;
        const double inset = area.width() * 0.18 * i;
        painter.setPen(QPen(colour, std::max(1.0, area.height() / (count * 3.0)), Qt::SolidLine,
                            Qt::RoundCap));
        painter.drawLine(QPointF(area.left() + inset, y), QPointF(area.right(), y));
    }
}

} // namespace

void drawLogo(QPainter& painter, const QRectF& rect) {
    const double h = rect.height();
    const QPointF badgeCentre(rect.left() + h * 0.5, rect.center().y());
    drawBadge(painter, badgeCentre, h * 0.45, kOrange);

    const QRectF textArea(rect.left() + h * 1.08, rect.top() + h * 0.06, rect.width() - h * 1.14,
                          h * 0.88);
    const QString name = QStringLiteral("TALLIMO");
    const QString place = QStringLiteral("PISTARA");
    const double nameSize = fittingPixelSize(name, textArea.width(), h * 0.46, true);
    painter.setPen(kNavy);
    painter.setFont(pictureFont(nameSize, true));
    painter.drawText(QRectF(textArea.left(), textArea.top(), textArea.width(), h * 0.5),
                     Qt::AlignLeft | Qt::AlignVCenter, name);

    const double placeSize = fittingPixelSize(place, textArea.width() * 0.62, h * 0.3, true);
    painter.setPen(kOrange);
    painter.setFont(pictureFont(placeSize, true));
    const QRectF placeRect(textArea.left(), textArea.top() + h * 0.5, textArea.width(), h * 0.36);
    painter.drawText(placeRect, Qt::AlignLeft | Qt::AlignVCenter, place);

    const double placeWidth = QFontMetricsF(pictureFont(placeSize, true)).horizontalAdvance(place);
    drawSpeedLines(painter,
                   QRectF(textArea.left() + placeWidth + h * 0.08, placeRect.top() + h * 0.06,
                          textArea.width() - placeWidth - h * 0.1, placeRect.height() - h * 0.12),
                   kNavy, 3);
}

void drawTicketLogo(QPainter& painter, const QRectF& rect) {
    const double h = rect.height();
    drawChequer(painter, QRectF(rect.left() + 2, rect.top() + 2, h * 0.9, h - 4), 4, 5, 0.0);
    const QRectF textArea(rect.left() + h * 1.05, rect.top(), rect.width() - h * 1.1, h);
    painter.setPen(Qt::black);
    const QString name = QStringLiteral("Tallimo");
    const QString place = QStringLiteral("Pistara karting");
    painter.setFont(pictureFont(fittingPixelSize(name, textArea.width(), h * 0.5, true), true));
    painter.drawText(QRectF(textArea.left(), textArea.top(), textArea.width(), h * 0.58),
                     Qt::AlignLeft | Qt::AlignVCenter, name);
    painter.setFont(pictureFont(fittingPixelSize(place, textArea.width(), h * 0.28, false), false));
    painter.drawText(QRectF(textArea.left(), textArea.top() + h * 0.56, textArea.width(), h * 0.38),
                     Qt::AlignLeft | Qt::AlignVCenter, place);
}

void drawFinishFlag(QPainter& painter, const QRectF& rect) {
    const double w = rect.width();
    const double h = rect.height();
    painter.setPen(QPen(QColor(90, 60, 30), std::max(1.5, w / 14.0), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(rect.left() + w * 0.14, rect.top() + h * 0.08),
                     QPointF(rect.left() + w * 0.14, rect.bottom() - h * 0.04));
    drawChequer(painter, QRectF(rect.left() + w * 0.18, rect.top() + h * 0.12, w * 0.76, h * 0.56),
                4, 3, h * 0.06);
}

void drawTransponder(QPainter& painter, const QRectF& rect) {
    const double w = rect.width();
    const double h = rect.height();
    drawTransponderCase(painter,
                        QRectF(rect.left() + w * 0.06, rect.top() + h * 0.2, w * 0.5, h * 0.62));
    drawRadioArcs(painter, QPointF(rect.left() + w * 0.5, rect.center().y()), w * 0.16, w * 0.14, 3,
                  QColor(20, 110, 220), std::max(1.2, w / 16.0));
}

void drawChronoWarning(QPainter& painter, const QRectF& rect) {
    const double w = rect.width();
    const QPointF centre(rect.center().x(), rect.top() + rect.height() * 0.56);
    const double radius = w * 0.4;
    // Crown and side button.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40));
    painter.drawRoundedRect(QRectF(centre.x() - w * 0.09, rect.top() + 0.5, w * 0.18, w * 0.13), 1,
                            1);
    painter.save();
    painter.translate(centre);
    painter.rotate(45);
    painter.drawRoundedRect(QRectF(-w * 0.06, -radius - w * 0.1, w * 0.12, w * 0.12), 1, 1);
    painter.restore();

    painter.setPen(QPen(QColor(30, 30, 30), std::max(1.5, w / 12.0)));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, radius, radius);
    // The elapsed sector, in red: the run is being timed.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 40, 30));
    const double inner = radius * 0.78;
    painter.drawPie(QRectF(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner), 90 * 16,
                    -120 * 16);
    painter.setPen(QPen(QColor(30, 30, 30), std::max(1.2, w / 16.0), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(0, -inner));
    painter.setBrush(QColor(30, 30, 30));
    painter.drawEllipse(centre, w * 0.05, w * 0.05);
}

void drawTrophy(QPainter& painter, const QRectF& rect) {
    const double w = rect.width();
    const double h = rect.height();
    QLinearGradient gold(rect.topLeft(), rect.topRight());
    gold.setColorAt(0.0, QColor(200, 140, 10));
    gold.setColorAt(0.45, QColor(255, 220, 70));
    gold.setColorAt(1.0, QColor(185, 120, 5));
    const QColor edge(120, 75, 0);

    // Handles first, so the cup covers their inner ends.
    painter.setPen(QPen(edge, std::max(1.2, w / 12.0)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(rect.left() + w * 0.06, rect.top() + h * 0.12, w * 0.3, h * 0.34));
    painter.drawEllipse(QRectF(rect.left() + w * 0.64, rect.top() + h * 0.12, w * 0.3, h * 0.34));

    painter.setPen(QPen(edge, 0.8));
    painter.setBrush(gold);
    QPainterPath cup;
    cup.moveTo(rect.left() + w * 0.22, rect.top() + h * 0.06);
    cup.lineTo(rect.left() + w * 0.78, rect.top() + h * 0.06);
    cup.cubicTo(rect.left() + w * 0.78, rect.top() + h * 0.52, rect.left() + w * 0.62,
                rect.top() + h * 0.62, rect.left() + w * 0.5, rect.top() + h * 0.62);
    cup.cubicTo(rect.left() + w * 0.38, rect.top() + h * 0.62, rect.left() + w * 0.22,
                rect.top() + h * 0.52, rect.left() + w * 0.22, rect.top() + h * 0.06);
    painter.drawPath(cup);
    painter.drawRect(QRectF(rect.left() + w * 0.44, rect.top() + h * 0.6, w * 0.12, h * 0.18));
    painter.drawRoundedRect(
        QRectF(rect.left() + w * 0.26, rect.top() + h * 0.76, w * 0.48, h * 0.18), 1, 1);
}

} // namespace tallimo::app::assets
