// A driver's run file at its fullest (100 runs of 99 laps): saving into the
// last free slot, removing, listing and loading; the statistics of a whole
// run; and the curve view painted over 99 laps.

#include "bench/offscreen_bench_main.h"
#include "common/core/message_sink.h"
#include "runs/core/run_file.h"
#include "runs/core/run_stats.h"
#include "runs/gui/run_views.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace tallimo;

class QuietSink : public common::MessageSink {
public:
    void show(const std::string&, const std::string&) override {}
};

runs::DriverRun NinetyNineLaps() {
    runs::DriverRun run;
    run.driverName = "Lef\xE8vre";
    run.driverFirstName = "Fr\xE9"
                          "d\xE9ric";
    run.lastLapIndex = runs::kMaxRunLaps;
    for (int lap = 1; lap <= runs::kMaxRunLaps; ++lap)
        run.passingTimes[lap] = run.passingTimes[lap - 1] + 45000 + (lap * 7919) % 3100;
    runs::ComputeLapTimes(run);
    return run;
}

runs::RunWhen WhenOf(int index) {
    return runs::RunWhen{2026, 1 + index / 28, 1 + index % 28, 10 + index % 12, index % 60, 7};
}

// 100 runs stored, the full flag set by the hundredth.
std::filesystem::path FullRunFile() {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "tallimo_runs_bench.bdr";
    std::ofstream(path, std::ios::binary) << "1\t0\t\n";
    QuietSink sink;
    const runs::DriverRun run = NinetyNineLaps();
    const runs::RunDetails details{"Adultes", "Circuit des Pins", {}};
    for (int index = 0; index < 100; ++index)
        runs::SaveRunTo(path, run, runs::RunTitle(WhenOf(index)), details, sink);
    return path;
}

// The last run removed and saved again: the free slot searched is the last.
void BM_SaveIntoTheLastFreeSlot(benchmark::State& state) {
    const auto path = FullRunFile();
    QuietSink sink;
    const runs::DriverRun run = NinetyNineLaps();
    const std::string title = runs::RunTitle(WhenOf(99));
    runs::WriteRunFileFlags(path, 1, 0);
    for (auto _ : state) {
        state.PauseTiming();
        runs::RemoveRun(path, title, sink);
        state.ResumeTiming();
        runs::SaveRunTo(path, run, title, {"Adultes", "Circuit des Pins", WhenOf(99)}, sink);
    }
}
BENCHMARK(BM_SaveIntoTheLastFreeSlot)->Unit(benchmark::kMicrosecond);

void BM_RemoveTheLastRun(benchmark::State& state) {
    const auto path = FullRunFile();
    QuietSink sink;
    const runs::DriverRun run = NinetyNineLaps();
    const std::string title = runs::RunTitle(WhenOf(99));
    for (auto _ : state) {
        runs::RemoveRun(path, title, sink);
        state.PauseTiming();
        runs::SaveRunTo(path, run, title, {"Adultes", "Circuit des Pins", WhenOf(99)}, sink);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveTheLastRun)->Unit(benchmark::kMicrosecond);

void BM_ListAndSortTitles(benchmark::State& state) {
    const auto path = FullRunFile();
    for (auto _ : state) {
        runs::RunTitleList list;
        runs::ListRunTitles(path, list);
        runs::SortRunTitles(list.titles);
        benchmark::DoNotOptimize(list.titles.data());
    }
}
BENCHMARK(BM_ListAndSortTitles)->Unit(benchmark::kMicrosecond);

void BM_LoadTheLastRun(benchmark::State& state) {
    const auto path = FullRunFile();
    QuietSink sink;
    const std::string title = runs::RunTitle(WhenOf(99));
    for (auto _ : state) {
        runs::DriverRun run;
        runs::RunDetails details;
        runs::LoadRun(path, title, run, details, sink);
        benchmark::DoNotOptimize(run.lastLapIndex);
    }
}
BENCHMARK(BM_LoadTheLastRun)->Unit(benchmark::kMicrosecond);

void BM_StatsAndHistogramOf99Laps(benchmark::State& state) {
    const runs::DriverRun run = NinetyNineLaps();
    for (auto _ : state) {
        const runs::RunStats stats = runs::ComputeRunStats(run, 1, runs::kMaxRunLaps);
        const runs::RunHistogram histogram = runs::ComputeRunHistogram(run, 1, runs::kMaxRunLaps);
        benchmark::DoNotOptimize(stats.deviation);
        benchmark::DoNotOptimize(histogram.histCount[0]);
    }
}
BENCHMARK(BM_StatsAndHistogramOf99Laps);

void BM_PaintTheCurveOf99Laps(benchmark::State& state) {
    const runs::DriverRun run = NinetyNineLaps();
    QImage image(640, 220, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        runs::PaintRunCurve(painter, QRectF(0, 0, 620, 198), run, 1, runs::kMaxRunLaps);
    }
}
BENCHMARK(BM_PaintTheCurveOf99Laps)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunOffscreenBenchmarks(argc, argv);
}
