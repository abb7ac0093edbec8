// What the passing journal costs the 10 ms tick: one passing appended and
// written, the durable sync that follows at most every 100 ms, and the
// restart after a whole save, on the disk that holds the build folder.

#include "session/core/passing_journal.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

using namespace tallimo::session;

std::string JournalPath() {
    return (std::filesystem::current_path() / "journal_bench.journal").string();
}

LiveTiming BusySession() {
    LiveTiming live;
    for (int c = 0; c < kCategoryCount; ++c) {
        for (int k = 0; k < kKartsPerCategory; ++k) {
            SessionKart& kart = live.session.kart(c, k);
            kart.kartLabel = KartLabelFor(c, k);
            char transponder[8];
            std::snprintf(transponder, sizeof transponder, "%06d", 1000 + c * 100 + k);
            kart.transponder = transponder;
            kart.usage = KartUsage::InSession;
            kart.trackState = TrackState::Timing;
            kart.lastLapIndex = 40;
            for (int lap = 0; lap <= 40; ++lap) {
                kart.passingTimes[lap] = 30000 * lap;
                kart.lapTimes[lap] = 30000;
            }
        }
    }
    return live;
}

PassingRecord APassing(std::int64_t ms) {
    PassingRecord record;
    record.passing.transponder = "001017";
    record.passing.timeMs = ms;
    return record;
}

void BM_AppendAndFlushOnePassing(benchmark::State& state) {
    PassingJournal journal(MakePosixJournalFile());
    if (!journal.open(JournalPath(), {}, LiveTiming{})) {
        state.SkipWithError("cannot open the journal");
        return;
    }
    std::int64_t ms = 0;
    for (auto _ : state) {
        journal.append(APassing(ms += 30000));
        benchmark::DoNotOptimize(journal.flush());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(journal.writtenBytes()));
}
BENCHMARK(BM_AppendAndFlushOnePassing);

// The durable step: one passing written, then fdatasync.
void BM_AppendFlushAndSync(benchmark::State& state) {
    PassingJournal journal(MakePosixJournalFile());
    if (!journal.open(JournalPath(), {}, LiveTiming{})) {
        state.SkipWithError("cannot open the journal");
        return;
    }
    std::int64_t ms = 0;
    for (auto _ : state) {
        journal.append(APassing(ms += 30000));
        journal.flush();
        benchmark::DoNotOptimize(journal.sync());
    }
}
BENCHMARK(BM_AppendFlushAndSync)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The spread of one write and fdatasync, as the tick would see it every
// 100 ms: median, 99th percentile and maximum, in microseconds.
// With the argument 1, the sync runs on its own thread.
void BM_SyncLatencySpread(benchmark::State& state) {
    PassingJournal journal(state.range(0) != 0 ? SyncInBackground(MakePosixJournalFile())
                                               : MakePosixJournalFile());
    if (!journal.open(JournalPath(), {}, LiveTiming{})) {
        state.SkipWithError("cannot open the journal");
        return;
    }
    std::vector<double> micros;
    std::int64_t ms = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        journal.append(APassing(ms += 30000));
        journal.flush();
        journal.sync();
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin)
                .count());
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["max_us"] = micros.back();
}
BENCHMARK(BM_SyncLatencySpread)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// After every whole save: header and baseline of a full session, synced.
void BM_RestartAfterWholeSave(benchmark::State& state) {
    const LiveTiming live = BusySession();
    PassingJournal journal(MakePosixJournalFile());
    if (!journal.open(JournalPath(), {}, live)) {
        state.SkipWithError("cannot open the journal");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(journal.restart({}, live));
    state.counters["bytes"] = static_cast<double>(journal.writtenBytes());
}
BENCHMARK(BM_RestartAfterWholeSave)->Unit(benchmark::kMicrosecond)->UseRealTime();

std::string TenThousandPassings(const LiveTiming& start) {
    std::string bytes = EncodeJournalHeader({});
    bytes += EncodeJournalRecord(BaselineOf(start));
    for (int i = 0; i < 10000; ++i) {
        PassingRecord record = APassing(1230000 + i * 600);
        record.passing.transponder = start.session.kart(i % 6, i % 30).transponder;
        bytes += EncodeJournalRecord(record);
    }
    return bytes;
}

// Start-up: reading a journal of 10,000 passings, then replaying it (lap
// timing's own cost, the board rebuilt at every lap, dominates).
void BM_ReadTenThousandPassings(benchmark::State& state) {
    const std::string bytes = TenThousandPassings(BusySession());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJournal(bytes).records.size());
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadTenThousandPassings)->Unit(benchmark::kMillisecond);

void BM_ReadAndReplayTenThousandPassings(benchmark::State& state) {
    const LiveTiming start = BusySession();
    const std::string bytes = TenThousandPassings(start);
    for (auto _ : state) {
        LiveTiming live = start;
        const JournalReadResult read = ReadJournal(bytes);
        benchmark::DoNotOptimize(ReplayJournal(live, read.records));
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadAndReplayTenThousandPassings)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
