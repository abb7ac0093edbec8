#pragma once

#include <QRectF>

class QPainter;

// The picture of each of the five kart category slots: the same kart on the
// track, in the slot's own colours and with its number, so the operator
// tells the categories apart at a glance.
namespace tallimo::app::assets {

inline constexpr int kKartCategorySlots = 5;

// slot is 1 to kKartCategorySlots.
void drawKartCategory(QPainter& painter, const QRectF& rect, int slot);

} // namespace tallimo::app::assets
