// Lap timing and the session file on a full session: six categories of
// thirty karts, each 99 laps into its run.

#include "session/core/lap_timing.h"
#include "session/core/session_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace {

using namespace tallimo::session;

class NoSound final : public tallimo::common::SoundPlayer {
public:
    void play(const std::string&, bool) override {}
};

class NoNotifications final : public SessionNotifications {
public:
    void redrawBoard() override {}
    void redrawClockArea() override {}
    void lapAccepted(const SessionKart&) override {}
    void sessionCommandsEnabled(bool, bool) override {}
};

std::string TransponderOf(int category, int slot) {
    char text[8];
    std::snprintf(text, sizeof text, "%06d", 1000 + category * 100 + slot);
    return text;
}

LiveTiming FullSession() {
    LiveTiming live;
    for (int c = 0; c < kCategoryCount; ++c) {
        live.session.categories[c].categoryName =
            c == kPrivateCategoryIndex ? kPrivateCategoryName : "Cat\xE9gorie " + std::to_string(c);
        for (int k = 0; k < kKartsPerCategory; ++k) {
            SessionKart& kart = live.session.kart(c, k);
            kart.kartLabel = KartLabelFor(c, k);
            kart.transponder = TransponderOf(c, k);
            kart.driverName = "Lef\xE8vre-Dupont";
            kart.driverFirstName = "Fr\xE9"
                                   "d\xE9ric";
            kart.usage = KartUsage::InSession;
            kart.trackState = TrackState::Timing;
            kart.durationMinutes = 600;
            kart.price = 25;
            kart.paid = 1;
            kart.runtime.startTime = 1000 + k;
            for (int lap = 1; lap <= kMaxLapIndex; ++lap) {
                kart.passingTimes[lap] = lap * 45000 + (lap * 37 + k) % 900;
                kart.lapTimes[lap] = kart.passingTimes[lap] - kart.passingTimes[lap - 1];
            }
            kart.lastLapIndex = kart.lapCount = kMaxLapIndex;
            kart.totalTime = kart.passingTimes[kMaxLapIndex];
            kart.bestLap = 44000;
            kart.elapsedMinutes = kart.totalTime / 60000;
        }
    }
    live.rebuildBoardRows();
    return live;
}

void BM_ProcessPassingOnFullSession(benchmark::State& state) {
    LiveTiming live = FullSession();
    NoSound sounds;
    NoNotifications notifications;
    const CounterTimeBase base;
    tallimo::common::Passing passing;
    std::int64_t t = 5000000;
    int next = 0;
    for (auto _ : state) {
        passing.transponder = TransponderOf(next / kKartsPerCategory, next % kKartsPerCategory);
        passing.timeMs = t += 250;
        ProcessPassing(live, passing, base, sounds, notifications);
        next = (next + 1) % (kCategoryCount * kKartsPerCategory);
    }
    benchmark::DoNotOptimize(live.boardRowCount);
}
BENCHMARK(BM_ProcessPassingOnFullSession)->Unit(benchmark::kMicrosecond);

void BM_SaveFullSessionFile(benchmark::State& state) {
    const LiveTiming live = FullSession();
    const auto path = std::filesystem::temp_directory_path() / "tallimo-bench-save.rent";
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveSessionFileAs(path, live.session, live.header));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveFullSessionFile)->Unit(benchmark::kMillisecond);

void BM_LoadFullSessionFile(benchmark::State& state) {
    const LiveTiming live = FullSession();
    const auto path = std::filesystem::temp_directory_path() / "tallimo-bench-load.rent";
    SaveSessionFileAs(path, live.session, live.header);
    RentalSession loaded;
    SessionHeader header;
    for (auto _ : state) {
        ClearSession(loaded);
        header = SessionHeader{};
        benchmark::DoNotOptimize(LoadSessionFileFrom(path, loaded, header));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadFullSessionFile)->Unit(benchmark::kMillisecond);

void BM_FormatAndParseFullSession(benchmark::State& state) {
    const LiveTiming live = FullSession();
    RentalSession parsed;
    SessionHeader header;
    for (auto _ : state) {
        const std::string bytes = FormatSessionFile(live.session, live.header);
        ClearSession(parsed);
        ParseSessionFile(bytes, parsed, header);
        benchmark::DoNotOptimize(parsed);
    }
}
BENCHMARK(BM_FormatAndParseFullSession)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
