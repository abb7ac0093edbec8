#include "decoder/core/decoder_poller.h"

#include "common/core/time_format.h"
#include "decoder/core/com_port_name.h"
#include "decoder/core/decoder_frames.h"
#include "decoder/core/identify_decoder.h"
#include "session/core/lap_timing.h"

#include <algorithm>

namespace tallimo::decoder {
namespace {

const char* const kErrorCaption = "Error";
const char* const kSettingsUnreadableText = "Error : 'Decoder interface' file not found";
const char* const kSettingsUnwritableText = "Error : 'COM port' file not found";
const char* const kLossText = "Perte connexion du d\xE9"
                              "codeur Vela2/Vela3 USB \xE0 ";
const char* const kRecoveredText = "R\xE9"
                                   "cup\xE9ration connexion d\xE9"
                                   "codeur Vela2/Vela3 USB r\xE9ussie \xE0 ";
const char* const kRecoveryFailedText = "Echec \xE0 la r\xE9"
                                        "cup\xE9ration.";
const char* const kRecoveredCaption = "Message";
const char* const kRecoveryFailedCaption = "Erreur";

// See IdentifyDecoder: a stuck counter must not hold the tick for ever.
constexpr int kMaximumRecoveryReads = 200000;

} // namespace

DecoderPoller::DecoderPoller(SerialPort& port, const common::TickSource& ticks,
                             const common::HighResCounter& counter, common::MessageSink& messages,
                             common::SoundPlayer& sounds,
                             session::SessionNotifications& notifications,
                             common::WorkingFolder folder)
    : m_port(port), m_ticks(ticks), m_counter(counter), m_messages(messages), m_sounds(sounds),
      m_notifications(notifications), m_folder(std::move(folder)), m_buffer(256, 0),
      m_arrivals(256, kArrivalUnknown) {}

void DecoderPoller::PollDecoder(session::SessionClock& clock, session::LiveTiming& live) {
    const std::uint32_t now = m_ticks.tickMs();
    if (!m_settingsLoaded)
        loadSettings(now);
    if (m_keepAliveActive)
        keepAlive(now, clock);
    recover(now, clock, live);

    clock.ClockTick(live);

    if (clock.running()) {
        assemblePassings(clock, live);
    } else if (!clock.starting() && !m_fleetScanActive) {
        m_afterStart.clear();
        readChunk();
    }
}

void DecoderPoller::loadSettings(std::uint32_t now) {
    m_settingsLoaded = true;
    m_settings.comPort.clear();
    m_settings.decoderModel.clear();
    if (!LoadDecoderSettings(m_folder, m_settings))
        m_messages.show(kErrorCaption, kSettingsUnreadableText);
    if (m_settings.decoderModel == session::kModelVela2Usb && m_settings.connected == 1) {
        m_keepAliveActive = true;
        m_keepAliveFailures = 0;
        m_lastProbeTick = now;
    }
}

void DecoderPoller::keepAlive(std::uint32_t now, const session::SessionClock& clock) {
    if (static_cast<std::uint32_t>(now - m_lastProbeTick) <= kKeepAlivePeriodMs)
        return;
    m_lastProbeTick = now;
    // A write cut short by the time-out still reports false, but a decoder
    // that took some of the probe is there: only a probe that sent nothing
    // counts as failed.
    std::size_t written = 0;
    m_port.WriteComPort(kKeepAliveProbe.data(), kKeepAliveProbe.size(), written);
    if (written > 0) {
        m_keepAliveFailures = 0;
        return;
    }
    // One failed probe can be a hiccup; two in a row mean the device is gone.
    if (m_keepAliveFailures > 0)
        declareLost(now, clock);
    ++m_keepAliveFailures;
}

void DecoderPoller::declareLost(std::uint32_t now, const session::SessionClock& clock) {
    m_port.CloseComPort();
    m_settings.connected = 0;
    m_lastRecoveryTick = now;
    saveSettingsOrSay();
    m_keepAliveActive = false;
    m_connectionLost = true;
    m_watchedDevice = lostDevice();
    m_lastWatchTick = now;
    m_pendingLinkMessage.clear();
    if (clock.running())
        appendPending(kLossText + elapsedSessionText(now, clock) + ".\n");
}

void DecoderPoller::recover(std::uint32_t now, const session::SessionClock& clock,
                            session::LiveTiming& live) {
    if (m_settings.decoderModel != session::kModelVela2Usb || m_settings.connected != 0 ||
        !m_connectionLost)
        return;
    const bool cameBack = deviceCameBack(now);
    if (!cameBack && static_cast<std::uint32_t>(now - m_lastRecoveryTick) <= kRecoveryPeriodMs)
        return;
    m_lastRecoveryTick = now;
    if (!m_port.OpenComPort(m_settings.comPort))
        return;

    std::size_t written = 0;
    m_port.WriteComPort(kIdentificationQuery.data(), kIdentificationQuery.size(), written);

    // The reply and the passings around it may come cut anywhere across
    // reads. Passings go through the passing assembler, so one cut by the end
    // of the wait is completed by the next tick's read.
    IdentificationAssembler reply;
    const std::int64_t start = m_counter.counter();
    const auto waitedMs = [&] {
        const std::int64_t frequency = m_counter.frequency();
        return frequency > 0 ? (m_counter.counter() - start) * 1000 / frequency
                             : kRecoveryReplyLimitMs;
    };
    for (int reads = 0; reads < kMaximumRecoveryReads && m_settings.connected == 0 &&
                        waitedMs() < kRecoveryReplyLimitMs;
         ++reads) {
        std::size_t count = 0;
        if (!m_port.ReadComPort(m_buffer.data(), kReadChunk, count))
            count = 0;
        for (std::size_t i = 0; i < std::min(count, kReadChunk); ++i) {
            const std::uint8_t byte = m_buffer[i];
            const auto identified = reply.feed(byte);
            if (identified && identified->type == kIdentityTypeUsb) {
                m_settings.connected = 1;
                m_settingsLoaded = false;
                m_keepAliveActive = false;
                m_connectionLost = false;
            }
            if (const auto framed = m_passings.feedFramed(byte); framed && clock.running())
                deliver({TransponderText(framed->transponder), framed->timeMs, false, 0}, clock,
                        live);
        }
    }

    if (m_settings.connected == 1) {
        saveSettingsOrSay();
        if (clock.running()) {
            appendPending(kRecoveredText + elapsedSessionText(now, clock) + ".");
            m_messages.show(kRecoveredCaption, m_pendingLinkMessage);
            m_pendingLinkMessage.clear();
        }
    } else {
        appendPending(kRecoveryFailedText);
        m_messages.show(kRecoveryFailedCaption, m_pendingLinkMessage);
        // The operator has seen the loss: later attempts report only their
        // own result.
        m_pendingLinkMessage.clear();
    }
}

DeviceIdentity DecoderPoller::lostDevice() const {
    const auto device = ComPortDevicePath(m_folder, m_settings.comPort);
    return device && m_devices ? m_devices->identify(*device) : DeviceIdentity{};
}

bool DecoderPoller::deviceCameBack(std::uint32_t now) {
    if (static_cast<std::uint32_t>(now - m_lastWatchTick) < kDeviceWatchPeriodMs)
        return false;
    m_lastWatchTick = now;
    const DeviceIdentity seen = lostDevice();
    // A device that is still there, unchanged, is left to the usual attempts:
    // it may be the one that stopped answering.
    const bool cameBack = seen.present && seen != m_watchedDevice;
    m_watchedDevice = seen;
    return cameBack;
}

bool DecoderPoller::clockResetHandshake() {
    if (!m_clockResetSent) {
        readChunk();
        std::size_t written = 0;
        m_port.WriteComPort(kClockResetCommand.data(), kClockResetCommand.size(), written);
        m_clockResetSent = true;
    }
    const std::size_t count = readChunk();
    for (std::size_t i = 0; i < count; ++i) {
        if (!m_clockReset.feed(m_buffer[i]))
            continue;
        const auto& reply = m_clockReset.frame();
        m_clockResetSent = false;
        if (reply[4] == 0 && reply[5] == 0 && reply[6] == 0) {
            m_passings.clear();
            m_clockReset.clear();
            // The decoder's clock runs from the acknowledgement on: what came
            // after it are passings to time.
            m_afterStart.assign(m_buffer.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                m_buffer.begin() + static_cast<std::ptrdiff_t>(count));
            return true;
        }
    }
    return false;
}

void DecoderPoller::clearAssemblers() {
    m_passings.clear();
    m_clockReset.clear();
    m_clockResetSent = false;
    m_afterStart.clear();
}

void DecoderPoller::discardInput() {
    readChunk();
}

void DecoderPoller::stopWatching() {
    m_keepAliveActive = false;
    m_connectionLost = false;
}

void DecoderPoller::assemblePassings(const session::SessionClock& clock,
                                     session::LiveTiming& live) {
    if (!m_afterStart.empty()) {
        const std::vector<std::uint8_t> carried = std::move(m_afterStart);
        m_afterStart.clear();
        for (const std::uint8_t byte : carried)
            feedPassingByte(byte, kArrivalUnknown, clock, live);
    }
    const std::size_t count = readChunk();
    for (std::size_t i = 0; i < count; ++i)
        feedPassingByte(m_buffer[i], m_arrivals[i], clock, live);
}

void DecoderPoller::feedPassingByte(std::uint8_t byte, std::int64_t arrival,
                                    const session::SessionClock& clock, session::LiveTiming& live) {
    const std::string& model = m_settings.decoderModel;
    if (model == session::kModelVela1) {
        // The decoder sends the record as the kart crosses the loop, and the
        // second byte comes at least a byte time (about 1 ms at 9600 baud)
        // after the first, later still when the driver hands them over apart:
        // the first byte's arrival is the closest to the passing.
        if (m_passings.heldCounterBytes() == 0)
            m_recordArrival = arrival != kArrivalUnknown ? arrival : m_counter.counter();
        if (const auto transponder = m_passings.feedCounterTimed(byte))
            deliver({TransponderText(*transponder), 0, true, m_recordArrival}, clock, live);
    } else if (model == session::kModelVela2Usb || model == session::kModelVela2Bluetooth) {
        if (const auto framed = m_passings.feedFramed(byte))
            deliver({TransponderText(framed->transponder), framed->timeMs, false, 0}, clock, live);
    }
}

void DecoderPoller::deliver(const common::Passing& passing, const session::SessionClock& clock,
                            session::LiveTiming& live) {
    if (m_journal)
        m_journal->append(session::PassingRecord{passing, clock.counterTimeBase()});
    session::ProcessPassing(live, passing, clock.counterTimeBase(), m_sounds, m_notifications);
}

void DecoderPoller::saveSettingsOrSay() {
    if (!SaveDecoderSettings(m_folder, m_settings))
        m_messages.show(kErrorCaption, kSettingsUnwritableText);
}

void DecoderPoller::appendPending(const std::string& text) {
    m_pendingLinkMessage += text;
    if (m_pendingLinkMessage.size() > kPendingLinkMessageCapacity - 1)
        m_pendingLinkMessage.resize(kPendingLinkMessageCapacity - 1);
}

std::string DecoderPoller::elapsedSessionText(std::uint32_t now,
                                              const session::SessionClock& clock) const {
    const std::uint32_t elapsed = now - clock.sessionStartTick();
    return common::FormatLapTime(static_cast<std::int32_t>(elapsed - elapsed % 100));
}

std::size_t DecoderPoller::readChunk() {
    std::size_t count = 0;
    if (!m_port.ReadStampedComPort(m_buffer.data(), m_arrivals.data(), kReadChunk, count))
        return 0;
    if (count > 0) {
        m_heardDecoder = true;
        m_lastInputTick = m_ticks.tickMs();
    }
    return std::min(count, kReadChunk);
}

} // namespace tallimo::decoder
