#pragma once

#include <QRectF>

class QPainter;

// Pictures of the timing board, the reservation banner and the printed
// reports. Each draws over the whole rectangle it is given.
namespace tallimo::app::assets {

void drawLogo(QPainter& painter, const QRectF& rect);
// The ticket logo: tickets often go to a thermal printer, so it is bold and
// nearly black and white.
void drawTicketLogo(QPainter& painter, const QRectF& rect);
void drawFinishFlag(QPainter& painter, const QRectF& rect);
void drawTransponder(QPainter& painter, const QRectF& rect);
// Drawn on the "CHRONO" banner, whose yellow it shares.
void drawChronoWarning(QPainter& painter, const QRectF& rect);
void drawTrophy(QPainter& painter, const QRectF& rect);

} // namespace tallimo::app::assets
