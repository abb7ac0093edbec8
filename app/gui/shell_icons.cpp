#include "app/gui/shell_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace tallimo::app {
namespace {

constexpr int kSize = 32; // drawn large, shown small: Qt scales down cleanly

// The board's category colours, so the tree and the board read alike.
const QColor kCategoryColours[] = {QColor(190, 255, 190), QColor(90, 215, 90), QColor(65, 160, 65),
                                   QColor(140, 240, 240), QColor(95, 150, 190)};
const QColor kPrivateColour(255, 250, 135);
const QColor kInk(40, 48, 64);

QIcon Drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

// A kart seen from the side, in `body` colour.
void DrawKart(QPainter& p, const QColor& body) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(body);
    QPainterPath chassis;
    chassis.moveTo(4, 20);
    chassis.lineTo(9, 14);
    chassis.lineTo(20, 14);
    chassis.lineTo(24, 11);
    chassis.lineTo(28, 14);
    chassis.lineTo(29, 20);
    chassis.closeSubpath();
    p.drawPath(chassis);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(9, 22), 4, 4);
    p.drawEllipse(QPointF(24, 22), 4, 4);
    p.setBrush(QColor(230, 80, 40));
    p.drawEllipse(QPointF(15, 9), 3.5, 3.5); // the driver's helmet
}

void DrawChequeredFlag(QPainter& p) {
    p.setPen(QPen(kInk, 2));
    p.drawLine(6, 4, 6, 29);
    const int cell = 5;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) {
            p.fillRect(QRect(7 + column * cell, 5 + row * cell, cell, cell),
                       (row + column) % 2 ? Qt::white : kInk);
        }
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(7, 5, 4 * cell, 3 * cell));
}

void DrawTrack(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 8, 22, 16), 8, 8);
    p.setPen(QPen(Qt::white, 1, Qt::DashLine));
    p.drawRoundedRect(QRectF(5, 8, 22, 16), 8, 8);
    p.fillRect(QRect(14, 20, 4, 8), Qt::white);
    p.fillRect(QRect(14, 20, 2, 2), kInk);
    p.fillRect(QRect(16, 22, 2, 2), kInk);
}

void DrawWrench(QPainter& p) {
    DrawKart(p, QColor(200, 200, 200));
    p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(20, 3, 30, 13);
    p.drawLine(30, 3, 20, 13);
}

void DrawDisk(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(60, 110, 190));
    p.drawRoundedRect(QRectF(5, 5, 22, 22), 3, 3);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10, 5, 12, 8));
    p.setBrush(QColor(220, 220, 230));
    p.drawRect(QRectF(9, 17, 14, 10));
}

void DrawDocument(QPainter& p, const QColor& mark) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 4, 17, 24));
    p.setPen(QPen(mark, 2));
    for (int y = 10; y <= 22; y += 4)
        p.drawLine(11, y, 22, y);
}

void DrawPerson(QPainter& p, const QColor& colour) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(colour);
    p.drawEllipse(QPointF(16, 10), 5, 5);
    p.drawRoundedRect(QRectF(7, 17, 18, 11), 5, 5);
}

void DrawCoins(QPainter& p) {
    p.setPen(QPen(QColor(140, 100, 0), 1.5));
    p.setBrush(QColor(250, 200, 40));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QRectF(6, 18 - i * 6, 20, 9));
}

void DrawPercent(QPainter& p) {
    p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(8, 26, 24, 6);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(9, 9), 3.5, 3.5);
    p.drawEllipse(QPointF(23, 23), 3.5, 3.5);
}

void DrawCard(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(90, 160, 220));
    p.drawRoundedRect(QRectF(3, 8, 26, 17), 3, 3);
    p.fillRect(QRectF(3, 12, 26, 3), kInk);
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QPointF(23, 20), 3, 3);
}

void DrawEnvelope(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 8, 24, 17));
    p.drawLine(4, 8, 16, 18);
    p.drawLine(28, 8, 16, 18);
}

void DrawPlug(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(90, 90, 100));
    p.drawRoundedRect(QRectF(9, 12, 14, 12), 2, 2);
    p.setPen(QPen(kInk, 3));
    p.drawLine(13, 5, 13, 12);
    p.drawLine(19, 5, 19, 12);
    p.setPen(QPen(QColor(40, 170, 60), 3));
    p.drawLine(16, 24, 16, 30);
}

void DrawExit(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(170, 120, 70));
    p.drawRect(QRectF(6, 4, 14, 24));
    p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(16, 16, 29, 16);
    p.drawLine(24, 11, 29, 16);
    p.drawLine(24, 21, 29, 16);
}

void DrawStopwatch(QPainter& p) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 18), 11, 11);
    p.drawLine(16, 3, 16, 7);
    p.setPen(QPen(QColor(200, 40, 40), 2));
    p.drawLine(16, 18, 22, 12);
}

} // namespace

QIcon TreeIcon(int image) {
    switch (image) {
    case 0:
        return Drawn(DrawChequeredFlag);
    case 1:
        return Drawn(DrawTrack);
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        return Drawn([image](QPainter& p) { DrawKart(p, kCategoryColours[image - 2]); });
    case 7:
        return Drawn([](QPainter& p) { DrawKart(p, kPrivateColour); });
    case 8:
        return Drawn(DrawWrench);
    default:
        return {};
    }
}

QIcon CommandIcon(CommandId command) {
    switch (command) {
    case CommandId::NewSession:
        return Drawn([](QPainter& p) { DrawDocument(p, QColor(60, 150, 60)); });
    case CommandId::Save:
        return Drawn(DrawDisk);
    case CommandId::Quit:
        return Drawn(DrawExit);
    case CommandId::Tracks:
        return Drawn(DrawTrack);
    case CommandId::Clubs:
        return Drawn([](QPainter& p) { DrawPerson(p, QColor(90, 160, 220)); });
    case CommandId::Fleet:
        return Drawn([](QPainter& p) { DrawKart(p, kCategoryColours[1]); });
    case CommandId::Subscribers:
        return Drawn([](QPainter& p) { DrawPerson(p, QColor(250, 170, 60)); });
    case CommandId::DriverResults:
        return Drawn(DrawStopwatch);
    case CommandId::Prices:
        return Drawn(DrawCoins);
    case CommandId::Discounts:
        return Drawn(DrawPercent);
    case CommandId::LoyaltyCard:
        return Drawn(DrawCard);
    case CommandId::PromotionalEmails:
        return Drawn(DrawEnvelope);
    case CommandId::DecoderInterface:
        return Drawn(DrawPlug);
    default:
        return {};
    }
}

QIcon StartButtonIcon() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(QColor(20, 110, 30), 1.5));
        p.setBrush(QColor(40, 170, 60));
        p.drawPolygon(QPolygonF({QPointF(9, 5), QPointF(27, 16), QPointF(9, 27)}));
    });
}

QIcon PauseButtonIcon() {
    return Drawn([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(210, 50, 40));
        p.drawRoundedRect(QRectF(7, 5, 7, 22), 2, 2);
        p.drawRoundedRect(QRectF(18, 5, 7, 22), 2, 2);
    });
}

} // namespace tallimo::app
