#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>

#include <functional>
#include <string>
#include <vector>

class QPainter;

namespace tallimo::app::assets {

// A picture the program loads from its "images/" folder, by file name.
// BMP has no transparency, so each picture is drawn on the colour of the
// place where the program shows it.
struct PictureAsset {
    std::string fileName; // inside images/
    int width = 0;
    int height = 0;
    QColor background;
    std::function<void(QPainter&, const QRectF&)> draw;
};

// Every picture the program ships, in a fixed order.
const std::vector<PictureAsset>& shippedPictures();

// Draws the picture on an opaque canvas of its size. Needs a QGuiApplication.
QImage renderPicture(const PictureAsset& picture);

} // namespace tallimo::app::assets
