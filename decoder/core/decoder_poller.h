#pragma once

// The decoder work of every 10 ms timer tick, in a fixed order: settings,
// keep-alive, recovery, then the session clock (which runs the clock reset
// handshake while starting), then passing assembly while running or draining
// while idle. One instance, owned by the main window; it is the clock's
// decoder side. Everything runs on the thread that drives the timer. The
// settings are re-read from the file whenever `settingsLoaded` is cleared:
// the file is how other windows' identifications reach the poller.

#include "common/core/high_res_counter.h"
#include "common/core/message_sink.h"
#include "common/core/sound_player.h"
#include "common/core/tick_source.h"
#include "common/core/working_folder.h"
#include "decoder/core/decoder_settings.h"
#include "decoder/core/device_presence.h"
#include "decoder/core/passing_assembler.h"
#include "decoder/core/serial_port.h"
#include "decoder/core/sync_frame_assembler.h"
#include "session/core/clock_decoder_side.h"
#include "session/core/live_timing.h"
#include "session/core/passing_journal.h"
#include "session/core/session_clock.h"
#include "session/core/session_notifications.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tallimo::decoder {

inline constexpr std::uint32_t kKeepAlivePeriodMs = 400;
inline constexpr std::uint32_t kRecoveryPeriodMs = 4500;
// While the connection is lost the device is looked for this often, and a
// device that comes back is tried at once rather than at the next attempt.
inline constexpr std::uint32_t kDeviceWatchPeriodMs = 100;
inline constexpr std::int64_t kRecoveryReplyLimitMs = 100;
// Room for a loss report and a recovery report with hour-long session times
// (about 130 characters). The report is emptied once shown, so a loss is
// shown with the first recovery result only.
inline constexpr std::size_t kPendingLinkMessageCapacity = 256;

class DecoderPoller final : public session::ClockDecoderSide {
public:
    DecoderPoller(SerialPort& port, const common::TickSource& ticks,
                  const common::HighResCounter& counter, common::MessageSink& messages,
                  common::SoundPlayer& sounds, session::SessionNotifications& notifications,
                  common::WorkingFolder folder);

    // One timer tick; runs `clock.ClockTick(live)` at its place in the order.
    void PollDecoder(session::SessionClock& clock, session::LiveTiming& live);

    // ClockDecoderSide
    void clearAssemblers() override;
    void discardInput() override;
    std::string decoderModel() const override { return m_settings.decoderModel; }
    bool clockResetHandshake() override;

    // The main window stops watching before the decoder interface window
    // opens, and has the settings re-read after it closes.
    void stopWatching();
    void invalidateSettings() { m_settingsLoaded = false; }
    // Every passing handed to lap timing is journalled first; none when null.
    void setJournal(session::PassingJournal* journal) { m_journal = journal; }
    // Where the lost device is looked for; the file system unless set.
    void setDevicePresence(const DevicePresence* devices) { m_devices = devices; }
    // While the fleet window scans transponders it reads the port itself.
    void setFleetScanActive(bool active) { m_fleetScanActive = active; }

    const DecoderSettings& settings() const { return m_settings; }
    bool settingsLoaded() const { return m_settingsLoaded; }
    bool keepAliveActive() const { return m_keepAliveActive; }
    bool connectionLost() const { return m_connectionLost; }
    const std::string& pendingLinkMessage() const { return m_pendingLinkMessage; }
    // When bytes last came from the decoder, for the status display.
    bool hasHeardDecoder() const { return m_heardDecoder; }
    std::uint32_t lastInputTick() const { return m_lastInputTick; }

private:
    void loadSettings(std::uint32_t now);
    void keepAlive(std::uint32_t now, const session::SessionClock& clock);
    void declareLost(std::uint32_t now, const session::SessionClock& clock);
    void recover(std::uint32_t now, const session::SessionClock& clock, session::LiveTiming& live);
    DeviceIdentity lostDevice() const;
    bool deviceCameBack(std::uint32_t now);
    void assemblePassings(const session::SessionClock& clock, session::LiveTiming& live);
    void feedPassingByte(std::uint8_t byte, std::int64_t arrival,
                         const session::SessionClock& clock, session::LiveTiming& live);
    void deliver(const common::Passing& passing, const session::SessionClock& clock,
                 session::LiveTiming& live);
    void saveSettingsOrSay();
    void appendPending(const std::string& text);
    std::string elapsedSessionText(std::uint32_t now, const session::SessionClock& clock) const;
    std::size_t readChunk();

    SerialPort& m_port;
    const common::TickSource& m_ticks;
    const common::HighResCounter& m_counter;
    common::MessageSink& m_messages;
    common::SoundPlayer& m_sounds;
    session::SessionNotifications& m_notifications;
    common::WorkingFolder m_folder;

    DecoderSettings m_settings;
    bool m_settingsLoaded = false;
    bool m_keepAliveActive = false;
    int m_keepAliveFailures = 0;
    std::uint32_t m_lastProbeTick = 0;
    bool m_connectionLost = false;
    std::uint32_t m_lastRecoveryTick = 0;
    std::string m_pendingLinkMessage;
    FileSystemDevicePresence m_systemDevices;
    const DevicePresence* m_devices = &m_systemDevices;
    DeviceIdentity m_watchedDevice;
    std::uint32_t m_lastWatchTick = 0;
    bool m_fleetScanActive = false;
    session::PassingJournal* m_journal = nullptr;

    PassingAssembler m_passings;
    SyncFrameAssembler m_clockReset{0x02, 7};
    bool m_clockResetSent = false;
    // Bytes that followed an accepted clock reset acknowledgement in the same
    // read: the first passings after the start, timed on the next tick.
    std::vector<std::uint8_t> m_afterStart;

    std::vector<std::uint8_t> m_buffer;
    // The counter when each byte of `m_buffer` arrived.
    std::vector<std::int64_t> m_arrivals;
    // When the first byte of the counter-timed record being assembled came.
    std::int64_t m_recordArrival = kArrivalUnknown;
    bool m_heardDecoder = false;
    std::uint32_t m_lastInputTick = 0;
};

} // namespace tallimo::decoder
