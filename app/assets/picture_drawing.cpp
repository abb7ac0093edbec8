#include "app/assets/picture_drawing.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace tallimo::app::assets {

QImage makeCanvas(int width, int height, QColor background) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

RgbPicture toRgbPicture(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    RgbPicture picture;
    picture.width = rgb.width();
    picture.height = rgb.height();
    picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            picture.pixels.push_back(line[x] & 0xFFFFFFu);
    }
    return picture;
}

QFont pictureFont(double pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(std::floor(pixelSize))));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

double fittingPixelSize(const QString& text, double width, double maxPixelSize, bool bold) {
    for (double size = std::floor(maxPixelSize); size > 4.0; size -= 1.0) {
        if (QFontMetricsF(pictureFont(size, bold)).horizontalAdvance(text) <= width)
            return size;
    }
    return 4.0;
}

void drawVerticalGradientRoundedRect(QPainter& painter, const QRectF& rect, double radius,
                                     QColor top, QColor bottom, QColor border) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, bottom);
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(gradient);
    painter.drawRoundedRect(rect, radius, radius);
}

void drawChequer(QPainter& painter, const QRectF& rect, int columns, int rows, double wave) {
    const double cellW = rect.width() / columns;
    const double cellH = rect.height() / rows;
    auto offset = [&](double x) {
        return wave * std::sin((x - rect.left()) / rect.width() * 2.0 * 3.14159265358979);
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    QPolygonF outline;
    outline << QPointF(rect.left(), rect.top() + offset(rect.left()));
    for (int c = 1; c <= columns; ++c) {
        const double x = rect.left() + c * cellW;
        outline << QPointF(x, rect.top() + offset(x));
    }
    for (int c = columns; c >= 0; --c) {
        const double x = rect.left() + c * cellW;
        outline << QPointF(x, rect.bottom() + offset(x));
    }
    painter.drawPolygon(outline);

    painter.setBrush(QColor(20, 20, 20));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if ((r + c) % 2 != 0)
                continue;
            const double x0 = rect.left() + c * cellW;
            const double x1 = x0 + cellW;
            const double y0 = rect.top() + r * cellH;
            const double y1 = y0 + cellH;
            QPolygonF cell;
            cell << QPointF(x0, y0 + offset(x0)) << QPointF(x1, y0 + offset(x1))
                 << QPointF(x1, y1 + offset(x1)) << QPointF(x0, y1 + offset(x0));
            painter.drawPolygon(cell);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 20, 20), std::max(1.0, rect.height() / 40.0)));
    painter.drawPolygon(outline);
}

void drawTransponderCase(QPainter& painter, const QRectF& rect) {
    const double radius = rect.width() * 0.18;
    drawVerticalGradientRoundedRect(painter, rect, radius, QColor(70, 74, 82), QColor(25, 27, 32),
                                    QColor(10, 10, 12));
    // Label band and status light.
    const QRectF band(rect.left() + rect.width() * 0.15, rect.top() + rect.height() * 0.55,
                      rect.width() * 0.7, rect.height() * 0.22);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 200, 40));
    painter.drawRoundedRect(band, band.height() * 0.3, band.height() * 0.3);
    const double led = rect.width() * 0.22;
    const QPointF ledCentre(rect.center().x(), rect.top() + rect.height() * 0.28);
    QRadialGradient glow(ledCentre, led);
    glow.setColorAt(0.0, QColor(190, 255, 190));
    glow.setColorAt(0.6, QColor(40, 210, 70));
    glow.setColorAt(1.0, QColor(10, 110, 30));
    painter.setBrush(glow);
    painter.drawEllipse(ledCentre, led * 0.55, led * 0.55);
}

void drawRadioArcs(QPainter& painter, QPointF centre, double firstRadius, double step, int count,
                   QColor colour, double width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const double r = firstRadius + i * step;
        painter.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
    }
}

void drawEnvelope(QPainter& painter, const QRectF& rect) {
    drawVerticalGradientRoundedRect(painter, rect, rect.height() * 0.08, QColor(255, 255, 255),
                                    QColor(225, 232, 240), QColor(70, 90, 120));
    QPen pen(QColor(70, 90, 120), std::max(1.0, rect.height() / 14.0));
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(QColor(205, 218, 235));
    QPolygonF flap;
    flap << rect.topLeft() << QPointF(rect.center().x(), rect.top() + rect.height() * 0.58)
         << rect.topRight();
    painter.drawPolygon(flap);
}

void drawIndicatorLight(QPainter& painter, const QRectF& rect, QColor lit) {
    const QPointF centre = rect.center();
    const double radius = std::min(rect.width(), rect.height()) / 2.0 - 1.0;
    QRadialGradient bezel(centre, radius);
    bezel.setColorAt(0.80, QColor(150, 150, 155));
    bezel.setColorAt(1.0, QColor(80, 80, 86));
    painter.setPen(QPen(QColor(60, 60, 64), 1.0));
    painter.setBrush(bezel);
    painter.drawEllipse(centre, radius, radius);

    const double lens = radius * 0.78;
    QRadialGradient body(centre + QPointF(-lens * 0.25, -lens * 0.3), lens * 1.3);
    body.setColorAt(0.0, lit.lighter(160));
    body.setColorAt(0.45, lit);
    body.setColorAt(1.0, lit.darker(220));
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawEllipse(centre, lens, lens);

    QRadialGradient shine(centre + QPointF(-lens * 0.3, -lens * 0.42), lens * 0.45);
    shine.setColorAt(0.0, QColor(255, 255, 255, 220));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(shine);
    painter.drawEllipse(centre + QPointF(-lens * 0.3, -lens * 0.42), lens * 0.45, lens * 0.32);
}

void drawKartSideView(QPainter& painter, const QRectF& rect, QColor body, QColor helmet,
                      int number) {
    const double w = rect.width();
    const double h = rect.height();
    auto at = [&](double fx, double fy) {
        return QPointF(rect.left() + fx * w, rect.top() + fy * h);
    };
    const QColor outline(25, 25, 30);
    const double line = std::max(1.0, w / 160.0);

    // Chassis tube.
    painter.setPen(QPen(QColor(120, 124, 130), line * 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(at(0.12, 0.78), at(0.93, 0.78));

    // Driver: body, arm to the wheel, helmet with visor.
    painter.setPen(QPen(outline, line));
    painter.setBrush(QColor(40, 60, 110));
    QPolygonF torso;
    torso << at(0.50, 0.70) << at(0.56, 0.36) << at(0.66, 0.34) << at(0.72, 0.66);
    painter.drawPolygon(torso);
    painter.setPen(QPen(QColor(40, 60, 110), line * 4.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(at(0.58, 0.44), at(0.43, 0.50));
    painter.setPen(QPen(outline, line));
    painter.setBrush(helmet);
    painter.drawEllipse(QRectF(at(0.525, 0.08), at(0.695, 0.36)));
    painter.setBrush(QColor(30, 40, 60));
    QPainterPath visor;
    visor.moveTo(at(0.527, 0.17));
    visor.lineTo(at(0.61, 0.17));
    visor.quadTo(at(0.62, 0.25), at(0.585, 0.28));
    visor.lineTo(at(0.535, 0.28));
    visor.closeSubpath();
    painter.drawPath(visor);

    // Steering wheel.
    painter.setPen(QPen(outline, line * 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(at(0.42, 0.42), at(0.45, 0.60));
    painter.drawLine(at(0.45, 0.60), at(0.36, 0.72));

    // Seat, side pod and nose fairing in the category colour.
    painter.setPen(QPen(outline, line));
    painter.setBrush(QColor(35, 35, 40));
    QPolygonF seat;
    seat << at(0.66, 0.74) << at(0.72, 0.40) << at(0.78, 0.42) << at(0.76, 0.74);
    painter.drawPolygon(seat);

    QLinearGradient shade(at(0, 0.5), at(0, 0.8));
    shade.setColorAt(0.0, body.lighter(130));
    shade.setColorAt(1.0, body.darker(140));
    painter.setBrush(shade);
    QPainterPath pod;
    pod.moveTo(at(0.34, 0.80));
    pod.lineTo(at(0.40, 0.64));
    pod.lineTo(at(0.66, 0.64));
    pod.lineTo(at(0.70, 0.80));
    pod.closeSubpath();
    painter.drawPath(pod);
    QPainterPath nose;
    nose.moveTo(at(0.05, 0.80));
    nose.quadTo(at(0.06, 0.60), at(0.18, 0.58));
    nose.lineTo(at(0.34, 0.60));
    nose.lineTo(at(0.38, 0.80));
    nose.closeSubpath();
    painter.drawPath(nose);

    // Number plate on the side pod, clear of the wheels.
    const QRectF plate(at(0.45, 0.655), at(0.60, 0.79));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(plate, plate.height() * 0.2, plate.height() * 0.2);
    painter.setPen(outline);
    painter.setFont(pictureFont(plate.height() * 0.85, true));
    painter.drawText(plate, Qt::AlignCenter, QString::number(number));

    // Wheels: the rear one larger, as on a real kart.
    auto wheel = [&](QPointF centre, double radius) {
        painter.setPen(QPen(outline, line));
        painter.setBrush(QColor(30, 30, 34));
        painter.drawEllipse(centre, radius, radius);
        QRadialGradient rim(centre, radius * 0.55);
        rim.setColorAt(0.0, QColor(235, 235, 240));
        rim.setColorAt(1.0, QColor(140, 145, 155));
        painter.setBrush(rim);
        painter.drawEllipse(centre, radius * 0.5, radius * 0.5);
        painter.setBrush(QColor(60, 60, 66));
        painter.drawEllipse(centre, radius * 0.12, radius * 0.12);
    };
    wheel(at(0.20, 0.80), h * 0.14);
    wheel(at(0.82, 0.78), h * 0.17);
}

} // namespace tallimo::app::assets
