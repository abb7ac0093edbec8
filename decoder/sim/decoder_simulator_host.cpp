#include "decoder/sim/decoder_simulator_host.h"

#include <cstdio>
#include <iterator>

namespace tallimo::decoder::sim {
namespace {

std::string IdentityText(int identity) {
    char text[16];
    std::snprintf(text, sizeof text, "%06d", identity);
    return text;
}

} // namespace

DecoderSimulatorHost::DecoderSimulatorHost(DecoderSimulatorHostConfig config)
    : m_config(std::move(config)) {
    if (!m_config.port.empty())
        m_link.emplace(m_config.workingFolder, m_config.port);
}

DecoderSimulatorHost::~DecoderSimulatorHost() {
    stop();
}

void DecoderSimulatorHost::fail(const std::string& reason) {
    m_lastError = reason;
    m_pty.close();
    m_record.close();
    m_engine.reset();
}

bool DecoderSimulatorHost::start() {
    Lines lines;
    {
        std::lock_guard lock(m_mutex);
        if (m_running)
            return true;
        m_lastError.clear();
        if (m_link &&
            (!PortLink::isValidPortName(m_config.port) || m_config.workingFolder.empty())) {
            fail("a port needs a name COM1 to COM99 and a working folder");
            return false;
        }
        SimulatedDecoderConfig decoder = m_config.decoder;
        if (!m_config.playbackPath.empty()) {
            std::ifstream in(m_config.playbackPath, std::ios::binary);
            if (!in) {
                fail("cannot read " + m_config.playbackPath.string());
                return false;
            }
            decoder.playback.assign(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
        }
        if (!m_config.recordPath.empty()) {
            m_record.open(m_config.recordPath, std::ios::binary | std::ios::trunc);
            if (!m_record) {
                fail("cannot write " + m_config.recordPath.string());
                return false;
            }
        }
        if (!m_pty.open()) {
            fail(m_pty.lastError());
            return false;
        }
        lines.push_back("decoder " + std::string(DecoderModelName(decoder.model)) + " identity " +
                        IdentityText(decoder.identity) + " on " + m_pty.slavePath());
        if (m_link) {
            const bool existed = m_link->exists();
            std::string error;
            if (!m_link->pointTo(m_pty.slavePath(), error)) {
                fail(error);
                return false;
            }
            m_linkTarget = m_pty.slavePath();
            lines.push_back(std::string(existed ? "link updated: " : "link created: ") +
                            m_link->path().string() + " -> " + m_pty.slavePath());
        }
        m_engine.emplace(std::move(decoder));
        m_pending.clear();
        m_vanished = false;
        m_running = true;
        m_startedAt = std::chrono::steady_clock::now();
        m_skippedMs = 0;
        m_stopping = false;
        m_lines.insert(m_lines.end(), lines.begin(), lines.end());
        m_thread = std::thread([this] { run(); });
    }
    publish(lines);
    return true;
}

void DecoderSimulatorHost::stop() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_running)
            return;
    }
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    Lines lines;
    {
        std::lock_guard lock(m_mutex);
        m_pty.close();
        // Another simulator may have taken the name meanwhile; leave its link.
        if (m_link && !m_linkTarget.empty() && m_link->pointsAt(m_linkTarget)) {
            m_link->remove();
            lines.push_back("link removed: " + m_link->path().string());
        }
        m_record.close();
        m_running = false;
        lines.push_back("stopped");
        m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    }
    publish(lines);
}

void DecoderSimulatorHost::run() {
    while (!m_stopping) {
        int fd = -1;
        {
            std::lock_guard lock(m_mutex);
            fd = m_pty.masterFd();
        }
        // Waiting outside the lock keeps the public functions responsive; if
        // the pty is replaced meanwhile, the wait only ends early or late.
        if (fd >= 0)
            PseudoTerminal::waitReadable(fd, 2);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        publish(step());
    }
}

DecoderSimulatorHost::Lines DecoderSimulatorHost::step() {
    std::lock_guard lock(m_mutex);
    std::vector<std::uint8_t> incoming;
    if (m_pty.isOpen()) {
        std::uint8_t buffer[512];
        for (;;) {
            const long count = m_pty.read(buffer, sizeof buffer);
            if (count <= 0)
                break;
            incoming.insert(incoming.end(), buffer, buffer + count);
        }
    }
    m_received.insert(m_received.end(), incoming.begin(), incoming.end());
    m_engine->advanceTo(elapsedMs());
    m_engine->receive(incoming);
    const std::vector<std::uint8_t> out = m_engine->takeOutput();
    m_pending.insert(m_pending.end(), out.begin(), out.end());
    writePending();

    Lines lines;
    for (const SimulatorEvent& event : m_engine->takeEvents()) {
        switch (event.kind) {
        case SimulatorEventKind::IdentificationAnswered:
            lines.push_back("identification answered: identity " +
                            IdentityText(m_engine->config().identity));
            break;
        case SimulatorEventKind::ClockResetAcknowledged:
            lines.push_back("clock reset acknowledged: decoder clock restarted from 0");
            break;
        case SimulatorEventKind::ClockResetRejected:
            lines.push_back("clock reset rejected: decoder clock at " +
                            std::to_string(m_engine->clockMs()) + " ms");
            break;
        }
    }
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    return lines;
}

void DecoderSimulatorHost::writePending() {
    if (!m_pty.isOpen()) {
        m_pending.clear();
        return;
    }
    std::size_t written = 0;
    while (written < m_pending.size()) {
        const long count = m_pty.write(m_pending.data() + written, m_pending.size() - written);
        if (count <= 0)
            break; // line full: the rest waits for the next step
        written += static_cast<std::size_t>(count);
    }
    if (written == 0)
        return;
    const auto begin = m_pending.begin();
    const auto end = begin + static_cast<std::ptrdiff_t>(written);
    m_sent.insert(m_sent.end(), begin, end);
    if (m_record.is_open()) {
        m_record.write(reinterpret_cast<const char*>(m_pending.data()),
                       static_cast<std::streamsize>(written));
        m_record.flush();
    }
    m_pending.erase(begin, end);
}

std::int64_t DecoderSimulatorHost::elapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 m_startedAt)
               .count() +
           m_skippedMs;
}

void DecoderSimulatorHost::publish(const Lines& lines) {
    if (lines.empty() || !m_config.eventSink)
        return;
    std::lock_guard lock(m_sinkMutex);
    for (const std::string& line : lines)
        m_config.eventSink(line);
}

bool DecoderSimulatorHost::vanish() {
    Lines lines;
    {
        std::lock_guard lock(m_mutex);
        if (!m_running || m_vanished)
            return false;
        const std::string slave = m_pty.slavePath();
        m_pty.close();
        m_pending.clear();
        m_engine->advanceTo(elapsedMs());
        m_engine->setOnline(false);
        m_vanished = true;
        std::string line = "vanished: " + slave + " closed";
        if (m_link && m_link->pointsAt(slave)) {
            if (m_config.removeLinkOnVanish) {
                m_link->remove();
                m_linkTarget.clear();
                line += ", link removed";
            } else {
                line += ", link left dangling";
            }
        }
        lines.push_back(line);
        m_lines.push_back(line);
    }
    publish(lines);
    return true;
}

bool DecoderSimulatorHost::comeBack() {
    Lines lines;
    {
        std::lock_guard lock(m_mutex);
        if (!m_running || !m_vanished)
            return false;
        if (!m_pty.open()) {
            m_lastError = m_pty.lastError();
            return false;
        }
        std::string line = "back on " + m_pty.slavePath();
        if (m_link) {
            std::string error;
            if (m_link->pointTo(m_pty.slavePath(), error)) {
                m_linkTarget = m_pty.slavePath();
                line += ", link updated: " + m_link->path().string() + " -> " + m_pty.slavePath();
            } else {
                m_lastError = error;
                line += ", " + error;
            }
        }
        m_engine->advanceTo(elapsedMs());
        m_engine->setOnline(true);
        m_vanished = false;
        lines.push_back(line);
        m_lines.push_back(line);
    }
    publish(lines);
    return true;
}

bool DecoderSimulatorHost::vanished() const {
    std::lock_guard lock(m_mutex);
    return m_vanished;
}

std::string DecoderSimulatorHost::lastError() const {
    std::lock_guard lock(m_mutex);
    return m_lastError;
}

bool DecoderSimulatorHost::running() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

std::string DecoderSimulatorHost::slavePath() const {
    std::lock_guard lock(m_mutex);
    return m_pty.slavePath();
}

std::filesystem::path DecoderSimulatorHost::linkPath() const {
    return m_link ? m_link->path() : std::filesystem::path();
}

void DecoderSimulatorHost::inject(std::vector<std::uint8_t> bytes) {
    std::lock_guard lock(m_mutex);
    if (!m_engine)
        return;
    m_engine->advanceTo(elapsedMs());
    m_engine->inject(bytes);
}

void DecoderSimulatorHost::triggerPassing(int transponder) {
    std::lock_guard lock(m_mutex);
    if (!m_engine)
        return;
    m_engine->advanceTo(elapsedMs());
    m_engine->triggerPassing(transponder);
}

std::vector<DrivenPassing> DecoderSimulatorHost::drivenPassings() const {
    std::lock_guard lock(m_mutex);
    return m_engine ? m_engine->drivenPassings() : std::vector<DrivenPassing>{};
}

CommandCounts DecoderSimulatorHost::commandCounts() const {
    std::lock_guard lock(m_mutex);
    return m_engine ? m_engine->commandCounts() : CommandCounts{};
}

std::vector<std::uint8_t> DecoderSimulatorHost::sentBytes() const {
    std::lock_guard lock(m_mutex);
    return m_sent;
}

std::vector<std::uint8_t> DecoderSimulatorHost::receivedBytes() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

std::vector<std::string> DecoderSimulatorHost::eventLines() const {
    std::lock_guard lock(m_mutex);
    return m_lines;
}

std::int64_t DecoderSimulatorHost::decoderClockMs() const {
    std::lock_guard lock(m_mutex);
    return m_engine ? m_engine->clockMs() : 0;
}

void DecoderSimulatorHost::skipAhead(std::int64_t ms) {
    std::lock_guard lock(m_mutex);
    m_skippedMs += ms;
    if (m_engine)
        m_engine->advanceTo(elapsedMs());
}

} // namespace tallimo::decoder::sim
