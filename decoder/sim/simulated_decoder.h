#pragma once

// The simulated decoder, without any OS call: commands come in through
// receive(), time through advanceTo(), bytes go out through takeOutput().
//
// Ownership and invariants:
// - Time only moves forward; receive() acts at the time of the last
//   advanceTo(). The decoder clock is that time minus the moment of the last
//   accepted clock reset.
// - The karts cross the line on the simulator's own timeline, so a clock
//   reset changes the times reported, never the rhythm of the karts.
// - Output leaves in the order it was queued; a part of a split frame that is
//   not yet due holds back everything behind it, as a decoder's UART would.
// - A passing counts as driven once the last byte of its frame has been
//   handed out by takeOutput(); what is lost while offline is not driven.

#include "decoder/core/decoder_frames.h"
#include "decoder/sim/command_window.h"
#include "decoder/sim/deterministic_random.h"
#include "decoder/sim/driven_passing.h"
#include "decoder/sim/simulated_decoder_config.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace tallimo::decoder::sim {

enum class SimulatorEventKind {
    IdentificationAnswered,
    ClockResetAcknowledged,
    ClockResetRejected,
};

struct SimulatorEvent {
    SimulatorEventKind kind;
    std::int64_t atMs = 0; // simulator time
    bool operator==(const SimulatorEvent&) const = default;
};

struct CommandCounts {
    int identificationQueries = 0;
    int clockResets = 0;
    int keepAliveProbes = 0;
    bool operator==(const CommandCounts&) const = default;
};

// What a keep-alive probe gets when replies are asked for: the probe echoed
// with a status byte; the program skips it as bytes it does not expect.
inline constexpr std::array<std::uint8_t, 6> kKeepAliveReply{0xFF, 0xFF, 0xFF, 0xE0, 0x04, 0x00};

// FF FF FF 02 a b c with a non-zero byte: the decoder refused to reset.
inline constexpr std::array<std::uint8_t, kClockResetReplySize> kClockResetRefusal{
    0xFF, 0xFF, 0xFF, kClockResetReplyTag, 0x00, 0x00, 0x01};
inline constexpr std::array<std::uint8_t, kClockResetReplySize> kClockResetAcknowledgement{
    0xFF, 0xFF, 0xFF, kClockResetReplyTag, 0x00, 0x00, 0x00};

class SimulatedDecoder {
public:
    explicit SimulatedDecoder(SimulatedDecoderConfig config);

    // Bytes the program wrote; replies are queued at once.
    void receive(std::span<const std::uint8_t> bytes);
    // Lets the karts cross and the playback flow up to `nowMs`.
    void advanceTo(std::int64_t nowMs);
    // Everything due by now, in order.
    std::vector<std::uint8_t> takeOutput();
    std::vector<SimulatorEvent> takeEvents();

    // Raw bytes queued now, behind what is already waiting.
    void inject(std::span<const std::uint8_t> bytes);
    // A transponder crosses now, listed kart or not (duplicates apply).
    void triggerPassing(int transponder);

    // Offline, the decoder hears nothing and what it would send is lost;
    // its clock and the karts go on.
    void setOnline(bool online);
    bool online() const { return m_online; }

    const std::vector<DrivenPassing>& drivenPassings() const { return m_driven; }
    CommandCounts commandCounts() const { return m_counts; }
    std::int64_t nowMs() const { return m_nowMs; }
    std::int64_t clockMs() const { return m_nowMs - m_clockOriginMs; }
    int clockEpoch() const { return m_clockEpoch; }
    bool trafficStarted() const { return m_trafficStarted; }
    const SimulatedDecoderConfig& config() const { return m_config; }

private:
    struct KartState {
        SimulatedKart kart;
        std::int64_t nextPassMs = 0;
        bool running = false;
    };
    struct Report {
        std::int64_t atMs;
        int transponder;
    };
    struct OutputEntry {
        std::int64_t dueMs;
        std::vector<std::uint8_t> bytes;
        std::optional<DrivenPassing> completes;
    };

    bool framed() const { return m_config.model != DecoderModel::Vela1Usb; }
    void handleCommand(const Command& command);
    void reply(std::span<const std::uint8_t> bytes);
    void startTraffic();
    void startKart(KartState& state);
    void pass(int transponder);
    void report(int transponder, bool duplicate);
    void queueFrame(std::span<const std::uint8_t> frame, std::optional<DrivenPassing> passing);
    void queue(std::int64_t dueMs, std::span<const std::uint8_t> bytes,
               std::optional<DrivenPassing> passing = std::nullopt);
    void flowPlayback();

    SimulatedDecoderConfig m_config;
    DeterministicRandom m_random;
    CommandWindow m_window;
    std::vector<KartState> m_karts;
    std::vector<Report> m_duplicates; // extra reports still to come, oldest first
    std::deque<OutputEntry> m_output;
    std::vector<DrivenPassing> m_driven;
    std::vector<SimulatorEvent> m_events;
    CommandCounts m_counts;
    std::int64_t m_nowMs = 0;
    std::int64_t m_clockOriginMs = 0;
    int m_clockEpoch = 0;
    int m_rejectionsLeft = 0;
    bool m_online = true;
    bool m_trafficStarted = false;
    std::int64_t m_trafficStartMs = 0;
    std::size_t m_playbackSent = 0;
    std::uint64_t m_framesSent = 0;
};

} // namespace tallimo::decoder::sim
