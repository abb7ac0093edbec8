// A board repaint with every one of its 180 rows at 1920 x 1080.

#include "app/core/display_settings.h"
#include "app/gui/board_rendering.h"
#include "bench/offscreen_bench_main.h"
#include "session/core/live_timing.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace tallimo;

// Six categories of thirty karts, every one timing with laps: 180 rows.
session::LiveTiming FullBoard() {
    session::LiveTiming live;
    for (int c = 0; c < session::kCategoryCount; ++c) {
        live.session.categories[c].categoryName = c == session::kPrivateCategoryIndex
                                                      ? session::kPrivateCategoryName
                                                      : "Cat\xE9gorie " + std::to_string(c);
        for (int k = 0; k < session::kKartsPerCategory; ++k) {
            session::SessionKart& kart = live.session.kart(c, k);
            kart.kartLabel = session::KartLabelFor(c, k);
            char transponder[8];
            std::snprintf(transponder, sizeof transponder, "%06d", 1000 + c * 100 + k);
            kart.transponder = transponder;
            kart.driverName = "Lef\xE8vre";
            kart.driverFirstName = "Fr\xE9"
                                   "d\xE9ric";
            kart.usage = session::KartUsage::InSession;
            kart.trackState = session::TrackState::Timing;
            kart.durationMinutes = 15;
            kart.lapCount = kart.lastLapIndex = 12;
            for (int lap = 1; lap <= 12; ++lap)
                kart.lapTimes[lap] = 45000 + (lap * 37 + k) % 900;
            kart.totalTime = 12 * 45300;
            kart.bestLap = 45012;
        }
    }
    live.rebuildBoardRows();
    return live;
}

void BM_RepaintFullBoard1920x1080(benchmark::State& state) {
    const session::LiveTiming live = FullBoard();
    const app::DisplaySettings settings = app::DefaultDisplaySettings();
    for (auto _ : state) {
        QImage image = app::RenderBoardToImage(live, settings, QSize(1920, 1080));
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_RepaintFullBoard1920x1080)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunOffscreenBenchmarks(argc, argv);
}
