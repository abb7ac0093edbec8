#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// Pictures of the windows' controls: indicator lights, the scan indicator,
// check boxes and picture buttons. Each draws over the whole rectangle.
namespace tallimo::app::assets {

void drawRedLight(QPainter& painter, const QRectF& rect);
void drawGreenLight(QPainter& painter, const QRectF& rect);
// Phase 1 to 4 of the transponder scan: the chip sends one to four waves.
void drawScanPhase(QPainter& painter, const QRectF& rect, int phase);
void drawEmptyBox(QPainter& painter, const QRectF& rect);
void drawTickedBox(QPainter& painter, const QRectF& rect);
// The button that keeps only the ticked rows: a small funnel.
void drawKeepTickedButton(QPainter& painter, const QRectF& rect);
void drawPrinter(QPainter& painter, const QRectF& rect);
void drawViewEmails(QPainter& painter, const QRectF& rect);
void drawSendEmails(QPainter& painter, const QRectF& rect);

} // namespace tallimo::app::assets
