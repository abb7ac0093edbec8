// Random line bytes into every assembler and into the poller through a
// running session: nothing may crash, hang or time a kart it should not.

#include "decoder/core/capture_decoding.h"
#include "decoder/core/decoder_frames.h"
#include "decoder/core/decoder_poller.h"
#include "decoder/core/decoder_settings.h"
#include "decoder/core/identify_decoder.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <string>

namespace {

using namespace tallimo;

struct Ticks final : common::TickSource {
    std::uint32_t tickMs() const override { return now; }
    std::uint32_t now = 1000;
};

struct Counter final : common::HighResCounter {
    std::int64_t counter() const override { return value; }
    std::int64_t frequency() const override { return 1000000; }
    mutable std::int64_t value = 0;
};

// Hands out the fuzz input in chunks whose sizes the input chooses; one in
// a few writes fails, as on a device that comes and goes.
struct ScriptedPort final : decoder::SerialPort {
    bool OpenComPort(const std::string&) override { return true; }
    bool CloseComPort() override { return true; }
    bool ReadComPort(std::uint8_t* buffer, std::size_t maximum, std::size_t& read) override {
        counter->value += 1000;
        read = 0;
        if (at >= size)
            return true;
        const std::size_t want = std::min<std::size_t>(data[at++] % 32, maximum);
        read = std::min(want, size - at);
        std::memcpy(buffer, data + at, read);
        at += read;
        return true;
    }
    bool WriteComPort(const std::uint8_t*, std::size_t count, std::size_t& written) override {
        written = (++writes % 3 == 0) ? 0 : count;
        return written == count;
    }
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t at = 0;
    int writes = 0;
    Counter* counter = nullptr;
};

struct Silent final : common::MessageSink, common::SoundPlayer, session::SessionNotifications {
    void show(const std::string&, const std::string&) override {}
    void play(const std::string&, bool) override {}
    void redrawBoard() override {}
    void redrawClockArea() override {}
    void lapAccepted(const session::SessionKart&) override {}
    void sessionCommandsEnabled(bool, bool) override {}
};

const std::filesystem::path& WorkingRoot() {
    static const std::filesystem::path root = [] {
        char pattern[] = "/tmp/tallimo-fuzz-XXXXXX";
        return std::filesystem::path(mkdtemp(pattern));
    }();
    return root;
}

const char* const kModels[] = {"Tallimo", "TallimoVela2", "TallimoVela2Bluetooth"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    for (const char* model : kModels)
        decoder::DecodeCapture(model, bytes);
    decoder::IdentificationAssembler identification;
    for (const char byte : bytes)
        identification.feed(static_cast<std::uint8_t>(byte));

    const common::WorkingFolder folder(WorkingRoot());
    decoder::SaveDecoderSettings(folder, {"COM3", 1, kModels[data[0] % 3]});

    Ticks ticks;
    Counter counter;
    ScriptedPort port;
    port.data = data + 1;
    port.size = size - 1;
    port.counter = &counter;
    Silent silent;
    decoder::DecoderPoller poller(port, ticks, counter, silent, silent, silent, folder);
    session::SessionClock clock(ticks, counter, silent, poller, silent);
    session::LiveTiming live;
    live.header.minLapSeconds = 1;
    for (int slot = 0; slot < 3; ++slot) {
        session::SessionKart& kart = live.session.kart(0, slot);
        kart.kartLabel = session::KartLabelFor(0, slot);
        kart.transponder = decoder::TransponderText(slot * 257);
        kart.usage = session::KartUsage::InSession;
        kart.trackState = session::TrackState::Reserved;
        kart.durationMinutes = 1 + slot;
    }
    clock.StartPressed();
    // Ticks of varied length so the keep-alive and recovery paths run too.
    for (int tick = 0; port.at < port.size && tick < 4096; ++tick) {
        ticks.now += (data[0] & 0x80) ? 450 : 10;
        if (tick % 64 == 63)
            clock.PausePressed(false);
        else if (tick % 64 == 1)
            clock.StartPressed();
        poller.PollDecoder(clock, live);
    }
    return 0;
}
