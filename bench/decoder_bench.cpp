// What the poller and lap timing absorb: ticks that each read a full
// 255-byte buffer of framed passings, against the line's 960 bytes/s.

#include "decoder/core/decoder_frames.h"
#include "decoder/core/decoder_poller.h"
#include "decoder/core/decoder_settings.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <vector>

namespace {

using namespace tallimo;

struct Ticks final : common::TickSource {
    std::uint32_t tickMs() const override { return now; }
    std::uint32_t now = 1000;
};

struct Counter final : common::HighResCounter {
    std::int64_t counter() const override { return 0; }
    std::int64_t frequency() const override { return 1000000; }
};

struct Quiet final : common::MessageSink, common::SoundPlayer, session::SessionNotifications {
    void show(const std::string&, const std::string&) override {}
    void play(const std::string&, bool) override {}
    void redrawBoard() override {}
    void redrawClockArea() override {}
    void lapAccepted(const session::SessionKart&) override {}
    void sessionCommandsEnabled(bool, bool) override {}
};

// Plays a long recorded stream, 255 bytes a read, from the start again when
// it runs out.
struct StreamPort final : decoder::SerialPort {
    bool OpenComPort(const std::string&) override { return true; }
    bool CloseComPort() override { return true; }
    bool ReadComPort(std::uint8_t* buffer, std::size_t maximum, std::size_t& read) override {
        if (at + maximum > stream.size())
            at = 0;
        std::memcpy(buffer, stream.data() + at, maximum);
        at += maximum;
        read = maximum;
        return true;
    }
    bool WriteComPort(const std::uint8_t*, std::size_t count, std::size_t& written) override {
        written = count;
        return true;
    }
    std::vector<std::uint8_t> stream;
    std::size_t at = 0;
};

std::vector<std::uint8_t> FramedStream(int karts, int firstTransponder) {
    std::vector<std::uint8_t> stream;
    for (int i = 0; i < 200000; ++i) {
        const int transponder = firstTransponder + i % karts;
        const std::int64_t ms = 1000 + (i / karts) * 45000LL + (i % karts) * 97;
        const int seconds = static_cast<int>(ms / 1000);
        const int fraction =
            decoder::kFractionCounterBase + static_cast<int>(((ms % 1000) * 12000 + 255) / 256);
        const std::uint8_t frame[] = {0xFF,
                                      0xFF,
                                      0xFF,
                                      0xF0,
                                      static_cast<std::uint8_t>(transponder >> 8),
                                      static_cast<std::uint8_t>(transponder),
                                      static_cast<std::uint8_t>(seconds / 3600),
                                      static_cast<std::uint8_t>(seconds / 60 % 60),
                                      static_cast<std::uint8_t>(seconds % 60),
                                      static_cast<std::uint8_t>(fraction >> 8),
                                      static_cast<std::uint8_t>(fraction)};
        stream.insert(stream.end(), std::begin(frame), std::end(frame));
    }
    return stream;
}

void RunFullBufferTicks(benchmark::State& state, int firstTransponder) {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / "tallimo-decoder-bench";
    std::filesystem::create_directories(root);
    const common::WorkingFolder folder(root);
    decoder::SaveDecoderSettings(folder, {"COM3", 1, "TallimoVela2Bluetooth"});

    Ticks ticks;
    Counter counter;
    Quiet quiet;
    StreamPort port;
    decoder::DecoderPoller poller(port, ticks, counter, quiet, quiet, quiet, folder);
    session::SessionClock clock(ticks, counter, quiet, poller, quiet);
    session::LiveTiming live;
    live.header.minLapSeconds = 10;
    live.session.categories[0].categoryName = "Adultes";
    for (int slot = 0; slot < 20; ++slot) {
        session::SessionKart& kart = live.session.kart(0, slot);
        kart.kartLabel = session::KartLabelFor(0, slot);
        kart.transponder = decoder::TransponderText(1000 + slot);
        kart.usage = session::KartUsage::InSession;
        kart.trackState = session::TrackState::Reserved;
        kart.durationMinutes = 10000;
    }
    // Reach Running: the first reads acknowledge the clock reset.
    port.stream = {0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0};
    port.stream.resize(255 * 2, 0);
    clock.StartPressed();
    for (int i = 0; i < 4 && !clock.running(); ++i) {
        ticks.now += 10;
        port.at = i == 0 ? 255 : 0;
        poller.PollDecoder(clock, live);
    }
    if (!clock.running()) {
        state.SkipWithError("the clock did not start");
        return;
    }
    port.stream = FramedStream(20, firstTransponder);
    port.at = 0;
    for (auto _ : state) {
        ticks.now += 10;
        poller.PollDecoder(clock, live);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 255);
}

void BM_FullBufferTickOfUnknownTransponders(benchmark::State& state) {
    RunFullBufferTicks(state, 30000);
}
BENCHMARK(BM_FullBufferTickOfUnknownTransponders)->Unit(benchmark::kMicrosecond);

void BM_FullBufferTickOfTimedKarts(benchmark::State& state) {
    RunFullBufferTicks(state, 1000);
}
BENCHMARK(BM_FullBufferTickOfTimedKarts)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
