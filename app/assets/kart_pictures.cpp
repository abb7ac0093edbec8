#include "app/assets/kart_pictures.h"

#include "app/assets/picture_drawing.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace tallimo::app::assets {
namespace {

struct KartLivery {
    QColor body;
    QColor helmet;
};

// Five liveries far apart in hue, so that the slots never look alike.
const KartLivery kLiveries[kKartCategorySlots] = {
    {QColor(220, 35, 35), QColor(250, 250, 250)}, {QColor(30, 100, 220), QColor(255, 210, 0)},
    {QColor(250, 200, 0), QColor(30, 30, 30)},    {QColor(30, 170, 70), QColor(240, 240, 240)},
    {QColor(240, 120, 20), QColor(40, 90, 190)},
};

void drawTrackScene(QPainter& painter, const QRectF& rect) {
    const double w = rect.width();
    const double h = rect.height();
    QLinearGradient sky(rect.topLeft(), QPointF(rect.left(), rect.top() + h * 0.7));
    sky.setColorAt(0.0, QColor(120, 180, 240));
    sky.setColorAt(1.0, QColor(220, 238, 252));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRect(rect);

    // Grass bank and tyre wall far behind the kart.
    painter.setBrush(QColor(110, 185, 90));
    painter.drawRect(QRectF(rect.left(), rect.top() + h * 0.56, w, h * 0.16));
    for (int i = 0; i < 14; ++i) {
        painter.setBrush(i % 2 == 0 ? QColor(40, 40, 44) : QColor(230, 230, 230));
        painter.drawEllipse(QRectF(rect.left() + w * i / 13.0 - w * 0.03, rect.top() + h * 0.58,
                                   w * 0.06, h * 0.07));
    }

    painter.setBrush(QColor(95, 98, 105));
    painter.drawRect(QRectF(rect.left(), rect.top() + h * 0.70, w, h * 0.30));
    // Red and white kerb under the kart.
    const double kerbTop = rect.top() + h * 0.905;
    for (int i = 0; i < 12; ++i) {
        painter.setBrush(i % 2 == 0 ? QColor(215, 30, 30) : QColor(250, 250, 250));
        painter.drawRect(QRectF(rect.left() + w * i / 12.0, kerbTop, w / 12.0 + 0.5, h * 0.06));
    }

    // Speed lines behind the kart.
    painter.setPen(
        QPen(QColor(255, 255, 255, 200), std::max(1.0, h / 90.0), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        const double y = rect.top() + h * (0.42 + 0.1 * i);
        painter.drawLine(QPointF(rect.left() + w * (0.88 + 0.02 * i), y),
                         QPointF(rect.right() - w * 0.01, y));
    }
}

} // namespace

void drawKartCategory(QPainter& painter, const QRectF& rect, int slot) {
    const int index = std::clamp(slot, 1, kKartCategorySlots) - 1;
    drawTrackScene(painter, rect);
    const double w = rect.width();
    const double h = rect.height();
    const QRectF kart(rect.left() + w * 0.04, rect.top() + h * 0.06, w * 0.86, h * 0.9);
    drawKartSideView(painter, kart, kLiveries[index].body, kLiveries[index].helmet, index + 1);
}

} // namespace tallimo::app::assets
