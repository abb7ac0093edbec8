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

struct StatusCase {
    const char* name;
    bool running;
    QRgb shown;
    QRgb absent;
};

class ClockStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(ClockStatusTest, StatusColourFollowsTheClock) {
    const StatusCase& c = GetParam();
    ClockAreaWidget clock;
    clock.resize(640, 170);
    clock.setRunning(true);
    clock.setRunning(c.running);
    clock.setClockTexts("0:45:00", "0:12:34", "0:32:26");
    QImage image(clock.size(), QImage::Format_RGB32);
    clock.render(&image);
    EXPECT_EQ(image.pixel(2, 2), qRgb(220, 220, 220));
    EXPECT_GT(Count(image, image.rect(), c.shown), 200);
    EXPECT_EQ(Count(image, image.rect(), c.absent), 0);

    // The figures fill their third of the width: readable across the track.
    const int firstTimeRow = image.height() * 34 / 100 + (image.height() * 66 / 100) * 28 / 100;
    const int column = image.width() / 3;
    for (int clock = 0; clock < 3; ++clock) {
        int inkLeft = image.width();
        int inkRight = -1;
        for (int y = firstTimeRow; y < image.height(); ++y)
            for (int x = clock * column; x < (clock + 1) * column; ++x)
                if (qGray(image.pixel(x, y)) < 60) {
                    inkLeft = std::min(inkLeft, x);
                    inkRight = std::max(inkRight, x);
                }
        EXPECT_GT(inkRight - inkLeft, column * 6 / 10) << "clock " << clock;
    }
}

INSTANTIATE_TEST_SUITE_P(States, ClockStatusTest,
                         ::testing::Values(StatusCase{"running_reads_en_cours_in_green", true,
                                                      qRgb(0, 160, 0), qRgb(230, 0, 0)},
                                           StatusCase{"stopped_or_paused_reads_en_pause_in_red",
                                                      false, qRgb(230, 0, 0), qRgb(0, 160, 0)}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tallimo::app
