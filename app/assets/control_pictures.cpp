#include "app/assets/control_pictures.h"

#include "app/assets/picture_drawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tallimo::app::assets {
namespace {

void drawBoxFrame(QPainter& painter, const QRectF& rect) {
    const QRectF box = rect.adjusted(1.5, 1.5, -1.5, -1.5);
    drawVerticalGradientRoundedRect(painter, box, 2.0, QColor(255, 255, 255), QColor(228, 232, 238),
                                    QColor(95, 105, 120));
}

} // namespace

void drawRedLight(QPainter& painter, const QRectF& rect) {
    drawIndicatorLight(painter, rect, QColor(225, 30, 30));
}

void drawGreenLight(QPainter& painter, const QRectF& rect) {
    drawIndicatorLight(painter, rect, QColor(30, 200, 60));
}

void drawScanPhase(QPainter& painter, const QRectF& rect, int phase) {
    const double w = rect.width();
    const double h = rect.height();
    drawTransponderCase(painter,
                        QRectF(rect.left() + w * 0.05, rect.top() + h * 0.22, w * 0.3, h * 0.56));
    const QPointF source(rect.left() + w * 0.33, rect.center().y());
    // The arcs not yet sent stay faintly visible so the picture keeps its shape.
    drawRadioArcs(painter, source, w * 0.12, w * 0.13, 4, QColor(200, 206, 215), w / 18.0);
    drawRadioArcs(painter, source, w * 0.12, w * 0.13, std::clamp(phase, 0, 4),
                  QColor(20, 110, 220), w / 18.0);
}

void drawEmptyBox(QPainter& painter, const QRectF& rect) {
    drawBoxFrame(painter, rect);
}

void drawTickedBox(QPainter& painter, const QRectF& rect) {
    drawBoxFrame(painter, rect);
    const double w = rect.width();
    const double h = rect.height();
    QPen pen(QColor(20, 150, 50), std::max(1.8, w / 7.0), Qt::SolidLine, Qt::RoundCap,
             Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    QPolygonF tick;
    tick << QPointF(rect.left() + w * 0.24, rect.top() + h * 0.52)
         << QPointF(rect.left() + w * 0.43, rect.top() + h * 0.72)
         << QPointF(rect.left() + w * 0.78, rect.top() + h * 0.28);
    painter.drawPolyline(tick);
}

void drawKeepTickedButton(QPainter& painter, const QRectF& rect) {
    drawVerticalGradientRoundedRect(painter, rect.adjusted(0.5, 0.5, -0.5, -0.5), 2.5,
                                    QColor(250, 250, 252), QColor(200, 205, 214),
                                    QColor(110, 115, 125));
    const double w = rect.width();
    const double h = rect.height();
    painter.setPen(QPen(QColor(20, 50, 110), 0.8));
    painter.setBrush(QColor(40, 90, 190));
    QPolygonF funnel;
    funnel << QPointF(rect.left() + w * 0.18, rect.top() + h * 0.22)
           << QPointF(rect.left() + w * 0.82, rect.top() + h * 0.22)
           << QPointF(rect.left() + w * 0.57, rect.top() + h * 0.52)
           << QPointF(rect.left() + w * 0.57, rect.top() + h * 0.80)
           << QPointF(rect.left() + w * 0.43, rect.top() + h * 0.70)
           << QPointF(rect.left() + w * 0.43, rect.top() + h * 0.52);
    painter.drawPolygon(funnel);
}

void drawPrinter(QPainter& painter, const QRectF& rect) {
    const double w = rect.width();
    const double h = rect.height();
    auto r = [&](double x, double y, double rw, double rh) {
        return QRectF(rect.left() + x * w, rect.top() + y * h, rw * w, rh * h);
    };
    // Paper going in, the body, then the printed sheet coming out.
    painter.setPen(QPen(QColor(120, 120, 120), 1.0));
    painter.setBrush(Qt::white);
    painter.drawRect(r(0.25, 0.06, 0.5, 0.34));
    drawVerticalGradientRoundedRect(painter, r(0.06, 0.34, 0.88, 0.38), w * 0.08,
                                    QColor(120, 130, 145), QColor(55, 62, 75), QColor(30, 34, 42));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 220, 90));
    painter.drawEllipse(r(0.76, 0.42, 0.08, 0.08));
    painter.setPen(QPen(QColor(120, 120, 120), 1.0));
    painter.setBrush(Qt::white);
    painter.drawRect(r(0.22, 0.58, 0.56, 0.36));
    painter.setPen(QPen(QColor(40, 90, 190), std::max(1.0, h / 24.0)));
    for (int i = 0; i < 3; ++i) {
        const double y = rect.top() + h * (0.68 + 0.08 * i);
        painter.drawLine(QPointF(rect.left() + w * 0.3, y), QPointF(rect.left() + w * 0.7, y));
    }
}

void drawViewEmails(QPainter& painter, const QRectF& rect) {
    const double w = rect.width();
    const double h = rect.height();
    drawEnvelope(painter,
                 QRectF(rect.left() + w * 0.04, rect.top() + h * 0.14, w * 0.74, h * 0.52));
    // Magnifier over the lower right corner.
    const QPointF lens(rect.left() + w * 0.62, rect.top() + h * 0.62);
    const double radius = w * 0.19;
    painter.setPen(QPen(QColor(90, 60, 20), w / 8.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(lens + QPointF(radius * 0.7, radius * 0.7),
                     lens + QPointF(radius * 1.8, radius * 1.8));
    painter.setPen(QPen(QColor(40, 40, 48), w / 14.0));
    painter.setBrush(QColor(200, 230, 255, 200));
    painter.drawEllipse(lens, radius, radius);
}

void drawSendEmails(QPainter& painter, const QRectF& rect) {
    const double w = rect.width();
    const double h = rect.height();
    drawEnvelope(painter, QRectF(rect.left() + w * 0.04, rect.top() + h * 0.2, w * 0.7, h * 0.5));
    // A green arrow leaving to the right.
    painter.setPen(QPen(QColor(10, 100, 30), 0.8));
    painter.setBrush(QColor(40, 180, 70));
    QPolygonF arrow;
    arrow << QPointF(rect.left() + w * 0.44, rect.top() + h * 0.66)
          << QPointF(rect.left() + w * 0.70, rect.top() + h * 0.66)
          << QPointF(rect.left() + w * 0.70, rect.top() + h * 0.54)
          << QPointF(rect.left() + w * 0.96, rect.top() + h * 0.76)
          << QPointF(rect.left() + w * 0.70, rect.top() + h * 0.98)
          << QPointF(rect.left() + w * 0.70, rect.top() + h * 0.86)
          << QPointF(rect.left() + w * 0.44, rect.top() + h * 0.86);
    painter.drawPolygon(arrow);
}

} // namespace tallimo::app::assets
