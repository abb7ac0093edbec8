#pragma once

#include "app/assets/bmp_writer.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>

class QPainter;

// Shapes shared by several pictures. The pictures are drawn in a unit-free
// way from the rectangle they get, so a size change is a one-line edit.
// Text needs a QGuiApplication (the font database).
namespace tallimo::app::assets {

// An opaque 32-bit canvas filled with background.
QImage makeCanvas(int width, int height, QColor background);
RgbPicture toRgbPicture(const QImage& image);

// The font every picture uses; DejaVu Sans ships with Qt's usual Linux set
// and renders the same on every run.
QFont pictureFont(double pixelSize, bool bold);
// The largest pixel size, up to maxPixelSize, at which text fits width.
double fittingPixelSize(const QString& text, double width, double maxPixelSize, bool bold);

void drawVerticalGradientRoundedRect(QPainter& painter, const QRectF& rect, double radius,
                                     QColor top, QColor bottom, QColor border);
// A black-and-white chequered area; `wave` bends the columns like cloth.
void drawChequer(QPainter& painter, const QRectF& rect, int columns, int rows, double wave);
// A kart transponder: dark case, green status light.
void drawTransponderCase(QPainter& painter, const QRectF& rect);
// Concentric radio arcs opening to the right from centre.
void drawRadioArcs(QPainter& painter, QPointF centre, double firstRadius, double step, int count,
                   QColor colour, double width);
// A letter envelope, the base of both e-mail buttons.
void drawEnvelope(QPainter& painter, const QRectF& rect);
// A glossy round light: a bezel, the lit colour and a highlight.
void drawIndicatorLight(QPainter& painter, const QRectF& rect, QColor lit);
// A rental kart seen from its left side, with its driver.
void drawKartSideView(QPainter& painter, const QRectF& rect, QColor body, QColor helmet,
                      int number);

} // namespace tallimo::app::assets
