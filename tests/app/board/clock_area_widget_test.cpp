#include "app/gui/clock_area_widget.h"

#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace tallimo::app {
namespace {

int Count(const QImage& image, const QRect& rect, QRgb colour) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

// Running reads "En cours" in green, stopped or paused "En pause" in red.
TEST(ClockArea, StatusColourFollowsTheClockAndTheFiguresFillTheirThird) {
    const QRgb green = qRgb(0, 160, 0), red = qRgb(230, 0, 0);
    for (const bool running : {true, false}) {
        SCOPED_TRACE(running ? "running" : "paused");
        ClockAreaWidget clock;
        clock.resize(640, 170);
        clock.setRunning(true);
        clock.setRunning(running);
        clock.setClockTexts("0:45:00", "0:12:34", "0:32:26");
        QImage image(clock.size(), QImage::Format_RGB32);
        clock.render(&image);
        EXPECT_EQ(image.pixel(2, 2), qRgb(220, 220, 220));
        EXPECT_GT(Count(image, image.rect(), running ? green : red), 200);
        EXPECT_EQ(Count(image, image.rect(), running ? red : green), 0);

        // The figures fill their third of the width: readable across the track.
        const int firstTimeRow = image.height() * 34 / 100 + (image.height() * 66 / 100) * 28 / 100;
        const int column = image.width() / 3;
        for (int figure = 0; figure < 3; ++figure) {
            int inkLeft = image.width();
            int inkRight = -1;
            for (int y = firstTimeRow; y < image.height(); ++y)
                for (int x = figure * column; x < (figure + 1) * column; ++x)
                    if (qGray(image.pixel(x, y)) < 60) {
                        inkLeft = std::min(inkLeft, x);
                        inkRight = std::max(inkRight, x);
                    }
            EXPECT_GT(inkRight - inkLeft, column * 6 / 10) << "clock " << figure;
        }
    }
}

} // namespace
} // namespace tallimo::app
