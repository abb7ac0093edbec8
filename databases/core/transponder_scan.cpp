#include "databases/core/transponder_scan.h"

#include "decoder/core/decoder_frames.h"
#include "session/core/session_clock.h"

#include <array>

namespace tallimo::databases {
namespace {

// Hundredths of a second into the indicator cycle at which each phase may
// begin; a cycle lasts 0.84 s.
constexpr std::uint32_t kPhaseOneBefore = 20;
constexpr std::uint32_t kPhaseTwoFrom = 21;
constexpr std::uint32_t kPhaseTwoTo = 40;
constexpr std::uint32_t kPhaseThreeFrom = 42;
constexpr std::uint32_t kPhaseThreeTo = 61;
constexpr std::uint32_t kPhaseFourFrom = 63;
constexpr std::uint32_t kPhaseFourTo = 82;
constexpr std::uint32_t kNewCycleFrom = 84;

void Drain(decoder::SerialPort& port) {
    std::array<std::uint8_t, decoder::kReadChunk> discarded{};
    std::size_t count = 0;
    port.ReadComPort(discarded.data(), discarded.size(), count);
}

} // namespace

ScanFraming ScanFramingFor(std::string_view decoderModel) {
    if (decoderModel == session::kModelVela1)
        return ScanFraming::Pairs;
    if (decoderModel == session::kModelVela2Usb || decoderModel == session::kModelVela2Bluetooth)
        return ScanFraming::Framed;
    return ScanFraming::None;
}

TransponderScan::TransponderScan(std::string_view decoderModel)
    : m_framing(ScanFramingFor(decoderModel)) {}

void TransponderScan::switchOn(decoder::SerialPort& port, std::uint32_t nowMs) {
    Drain(port);
    // Half a record from before the switch must not join the first bytes read now.
    m_assembler.clear();
    m_active = true;
    m_phase = 1;
    m_cycleStartMs = nowMs;
}

void TransponderScan::switchOff() {
    m_active = false;
    m_phase = 0;
}

ScanTick TransponderScan::tick(decoder::SerialPort& port, std::uint32_t nowMs) {
    ScanTick result;
    if (!m_active) {
        m_assembler.clear();
        Drain(port);
        return result;
    }
    std::array<std::uint8_t, decoder::kReadChunk> bytes{};
    std::size_t count = 0;
    if (port.ReadComPort(bytes.data(), bytes.size(), count)) {
        for (std::size_t i = 0; i < count && i < bytes.size(); ++i)
            feed(bytes[i], result.transponders);
    }
    result.indicatorChanged = animate(nowMs);
    return result;
}

void TransponderScan::feed(std::uint8_t byte, std::vector<std::string>& transponders) {
    switch (m_framing) {
    case ScanFraming::Pairs:
        if (const auto number = m_assembler.feedCounterTimed(byte))
            transponders.push_back(decoder::TransponderText(*number));
        break;
    case ScanFraming::Framed:
        if (const auto passing = m_assembler.feedFramed(byte))
            transponders.push_back(decoder::TransponderText(passing->transponder));
        break;
    case ScanFraming::None:
        break;
    }
}

bool TransponderScan::animate(std::uint32_t nowMs) {
    const std::uint32_t d = (nowMs - m_cycleStartMs) / 10;
    const int before = m_phase;
    if (m_phase == 0 && d < kPhaseOneBefore)
        m_phase = 1;
    else if (m_phase == 1 && d >= kPhaseTwoFrom && d <= kPhaseTwoTo)
        m_phase = 2;
    else if (m_phase == 2 && d >= kPhaseThreeFrom && d <= kPhaseThreeTo)
        m_phase = 3;
    else if (m_phase == 3 && d >= kPhaseFourFrom && d <= kPhaseFourTo)
        m_phase = 4;
    else if (d >= kNewCycleFrom) {
        // Also past the end of the cycle's window: a tick held up by a
        // message box would otherwise leave the indicator frozen.
        m_phase = 0;
        m_cycleStartMs = nowMs;
    }
    return m_phase != before;
}

} // namespace tallimo::databases
