#include "decoder/sim/simulated_decoder.h"

#include "decoder/sim/framed_passing_encoding.h"

#include <algorithm>
#include <utility>

namespace tallimo::decoder::sim {

SimulatedDecoder::SimulatedDecoder(SimulatedDecoderConfig config)
    : m_config(std::move(config)), m_random(m_config.seed),
      m_rejectionsLeft(std::max(0, m_config.clockResetRejections)) {
    m_config.identity = std::clamp(m_config.identity, 0, 0xFFFF);
    for (SimulatedKart kart : m_config.karts) {
        kart.transponder = std::clamp(kart.transponder, 0, 0xFFFF);
        kart.meanLapMs = std::max<std::int64_t>(1, kart.meanLapMs);
        // Every lap stays at least 1 ms long.
        kart.spreadMs = std::clamp<std::int64_t>(kart.spreadMs, 0, kart.meanLapMs - 1);
        m_karts.push_back(KartState{kart, 0, false});
    }
    for (KartState& state : m_karts) {
        if (state.kart.crossesBeforeStart)
            startKart(state);
    }
    if (m_config.trafficStart == TrafficStart::Immediately)
        startTraffic();
}

void SimulatedDecoder::receive(std::span<const std::uint8_t> bytes) {
    if (!m_online)
        return;
    for (std::uint8_t byte : bytes) {
        if (const std::optional<Command> command = m_window.push(byte))
            handleCommand(*command);
    }
}

void SimulatedDecoder::handleCommand(const Command& command) {
    if (command == kIdentificationQuery) {
        ++m_counts.identificationQueries;
        if (!framed())
            return;
        const std::uint8_t type = m_config.model == DecoderModel::Vela2Bluetooth
                                      ? kIdentityTypeBluetooth
                                      : kIdentityTypeUsb;
        const std::array<std::uint8_t, kIdentificationReplySize> answer{
            0xFF,
            0xFF,
            0xFF,
            kIdentificationReplyTag,
            type,
            static_cast<std::uint8_t>(m_config.identity >> 8),
            static_cast<std::uint8_t>(m_config.identity & 0xFF)};
        reply(answer);
        m_events.push_back({SimulatorEventKind::IdentificationAnswered, m_nowMs});
    } else if (command == kClockResetCommand) {
        ++m_counts.clockResets;
        if (!framed())
            return;
        if (m_rejectionsLeft > 0) {
            --m_rejectionsLeft;
            reply(kClockResetRefusal);
            m_events.push_back({SimulatorEventKind::ClockResetRejected, m_nowMs});
            return;
        }
        reply(kClockResetAcknowledgement);
        m_clockOriginMs = m_nowMs;
        ++m_clockEpoch;
        m_events.push_back({SimulatorEventKind::ClockResetAcknowledged, m_nowMs});
        if (!m_trafficStarted && m_config.trafficStart == TrafficStart::OnClockReset)
            startTraffic();
    } else if (command == kKeepAliveProbe) {
        ++m_counts.keepAliveProbes;
        if (framed() && m_config.replyToKeepAlive)
            reply(kKeepAliveReply);
    }
}

void SimulatedDecoder::reply(std::span<const std::uint8_t> bytes) {
    queueFrame(bytes, std::nullopt);
}

void SimulatedDecoder::startTraffic() {
    m_trafficStarted = true;
    m_trafficStartMs = m_nowMs;
    // Karts are spread around the track when timing begins; those already
    // out keep their rhythm.
    for (KartState& state : m_karts) {
        if (!state.running)
            startKart(state);
    }
}

void SimulatedDecoder::startKart(KartState& state) {
    state.running = true;
    state.nextPassMs = m_nowMs + m_random.below(state.kart.meanLapMs);
}

void SimulatedDecoder::advanceTo(std::int64_t nowMs) {
    nowMs = std::max(nowMs, m_nowMs);
    for (;;) {
        KartState* kart = nullptr;
        for (KartState& state : m_karts) {
            if (state.running && (kart == nullptr || state.nextPassMs < kart->nextPassMs))
                kart = &state;
        }
        const bool duplicateFirst =
            !m_duplicates.empty() &&
            (kart == nullptr || m_duplicates.front().atMs <= kart->nextPassMs);
        if (duplicateFirst) {
            if (m_duplicates.front().atMs > nowMs)
                break;
            const Report due = m_duplicates.front();
            m_duplicates.erase(m_duplicates.begin());
            m_nowMs = std::max(m_nowMs, due.atMs);
            report(due.transponder, true);
        } else {
            if (kart == nullptr || kart->nextPassMs > nowMs)
                break;
            m_nowMs = std::max(m_nowMs, kart->nextPassMs);
            pass(kart->kart.transponder);
            const std::int64_t lap =
                kart->kart.meanLapMs + m_random.between(-kart->kart.spreadMs, kart->kart.spreadMs);
            kart->nextPassMs += lap;
        }
    }
    m_nowMs = nowMs;
    flowPlayback();
}

void SimulatedDecoder::triggerPassing(int transponder) {
    pass(std::clamp(transponder, 0, 0xFFFF));
}

void SimulatedDecoder::pass(int transponder) {
    report(transponder, false);
    for (int extra = 1; extra <= m_config.faults.duplicateReports; ++extra) {
        const Report later{m_nowMs + std::int64_t{extra} * m_config.faults.duplicateGapMs,
                           transponder};
        const auto at = std::upper_bound(
            m_duplicates.begin(), m_duplicates.end(), later.atMs,
            [](std::int64_t atMs, const Report& queued) { return atMs < queued.atMs; });
        m_duplicates.insert(at, later);
    }
}

void SimulatedDecoder::report(int transponder, bool duplicate) {
    if (!m_online)
        return;
    const DrivenPassing passing{transponder, clockMs(), m_clockEpoch, duplicate};
    if (framed()) {
        queueFrame(EncodeFramedPassing(transponder, passing.decoderTimeMs), passing);
    } else {
        const std::array<std::uint8_t, kCounterTimedPassingSize> frame{
            static_cast<std::uint8_t>(transponder >> 8),
            static_cast<std::uint8_t>(transponder & 0xFF)};
        queueFrame(frame, passing);
    }
}

void SimulatedDecoder::queueFrame(std::span<const std::uint8_t> frame,
                                  std::optional<DrivenPassing> passing) {
    const LineFaults& faults = m_config.faults;
    if (faults.noiseBytes > 0) {
        // Never FF, so noise cannot fake a sync prefix.
        std::vector<std::uint8_t> noise(static_cast<std::size_t>(faults.noiseBytes));
        for (std::uint8_t& byte : noise)
            byte = static_cast<std::uint8_t>(m_random.below(0xFF));
        queue(m_nowMs, noise);
    }
    ++m_framesSent;
    const bool split = faults.splitEveryNthFrame > 0 && frame.size() >= 2 &&
                       m_framesSent % static_cast<std::uint64_t>(faults.splitEveryNthFrame) == 0;
    if (!split) {
        queue(m_nowMs, frame, passing);
        return;
    }
    const auto cut =
        static_cast<std::size_t>(1 + m_random.below(static_cast<std::int64_t>(frame.size()) - 1));
    queue(m_nowMs, frame.first(cut));
    queue(m_nowMs + faults.splitGapMs, frame.subspan(cut), passing);
}

void SimulatedDecoder::queue(std::int64_t dueMs, std::span<const std::uint8_t> bytes,
                             std::optional<DrivenPassing> passing) {
    m_output.push_back(OutputEntry{dueMs, {bytes.begin(), bytes.end()}, passing});
}

void SimulatedDecoder::flowPlayback() {
    if (!m_trafficStarted || m_playbackSent >= m_config.playback.size())
        return;
    std::size_t due = m_config.playback.size();
    if (m_config.playbackBytesPerSecond > 0) {
        const std::int64_t flowed =
            (m_nowMs - m_trafficStartMs) * m_config.playbackBytesPerSecond / 1000;
        due = std::min(due, static_cast<std::size_t>(flowed));
    }
    if (due <= m_playbackSent)
        return;
    if (m_online)
        queue(m_nowMs, std::span(m_config.playback).subspan(m_playbackSent, due - m_playbackSent));
    m_playbackSent = due;
}

std::vector<std::uint8_t> SimulatedDecoder::takeOutput() {
    std::vector<std::uint8_t> out;
    while (!m_output.empty() && m_output.front().dueMs <= m_nowMs) {
        OutputEntry& entry = m_output.front();
        out.insert(out.end(), entry.bytes.begin(), entry.bytes.end());
        if (entry.completes)
            m_driven.push_back(*entry.completes);
        m_output.pop_front();
    }
    return out;
}

std::vector<SimulatorEvent> SimulatedDecoder::takeEvents() {
    return std::exchange(m_events, {});
}

void SimulatedDecoder::inject(std::span<const std::uint8_t> bytes) {
    if (m_online)
        queue(m_nowMs, bytes);
}

void SimulatedDecoder::setOnline(bool online) {
    if (!online) {
        m_output.clear();
        m_window.clear();
    }
    m_online = online;
}

} // namespace tallimo::decoder::sim
