#pragma once

// Runs a SimulatedDecoder on a pseudo-terminal in a background thread.
//
// Ownership and invariants: the host owns the engine, the pseudo-terminal,
// the ports/COMn link and the record file. One mutex guards all of them; the
// worker thread takes it for each step (read commands, advance, write), the
// public functions take it for their work, so every function may be called
// from any thread. Event lines go to the sink outside that mutex, one at a
// time, so a sink may call back into the host.

#include "decoder/sim/driven_passing.h"
#include "decoder/sim/port_link.h"
#include "decoder/sim/pseudo_terminal.h"
#include "decoder/sim/simulated_decoder.h"
#include "decoder/sim/simulated_decoder_config.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tallimo::decoder::sim {

struct DecoderSimulatorHostConfig {
    SimulatedDecoderConfig decoder;
    // With a port ("COM7"), workingFolder/ports/COM7 follows the pty.
    std::filesystem::path workingFolder;
    std::string port;
    std::filesystem::path playbackPath;                // read at start into decoder.playback
    std::filesystem::path recordPath;                  // every byte sent is appended here
    bool removeLinkOnVanish = false;                   // false: the link is left dangling
    std::function<void(const std::string&)> eventSink; // one line per event
};

class DecoderSimulatorHost {
public:
    explicit DecoderSimulatorHost(DecoderSimulatorHostConfig config);
    ~DecoderSimulatorHost();
    DecoderSimulatorHost(const DecoderSimulatorHost&) = delete;
    DecoderSimulatorHost& operator=(const DecoderSimulatorHost&) = delete;

    // False with lastError() when the pty, the link, the playback or the
    // record file cannot be set up; nothing is left running then.
    bool start();
    // Stops the thread, closes the pty, removes the link if it still points
    // at this simulator's pty (the current one, or the one that vanished).
    void stop();

    std::string lastError() const;
    bool running() const;
    std::string slavePath() const;          // empty while vanished
    std::filesystem::path linkPath() const; // empty without a port

    // The pty goes away (the program's reads and writes fail); the decoder
    // keeps its clock and its karts, but what it would send is lost.
    bool vanish();
    // A new pty, the link moved to it.
    bool comeBack();
    bool vanished() const;

    void inject(std::vector<std::uint8_t> bytes);
    void triggerPassing(int transponder);

    std::vector<DrivenPassing> drivenPassings() const;
    CommandCounts commandCounts() const;
    std::vector<std::uint8_t> sentBytes() const;     // written to the program
    std::vector<std::uint8_t> receivedBytes() const; // written by the program
    std::vector<std::string> eventLines() const;
    std::int64_t decoderClockMs() const;
    // Moves the decoder's time forward at once, so a test can lap a kart
    // without waiting for the wall clock to pass the protection time.
    void skipAhead(std::int64_t ms);

private:
    using Lines = std::vector<std::string>;

    void run();
    Lines step();
    void writePending();
    std::int64_t elapsedMs() const;
    void publish(const Lines& lines);
    void fail(const std::string& reason);

    DecoderSimulatorHostConfig m_config;
    std::optional<PortLink> m_link;

    mutable std::mutex m_mutex;
    std::optional<SimulatedDecoder> m_engine;
    PseudoTerminal m_pty;
    std::ofstream m_record;
    std::vector<std::uint8_t> m_pending; // taken from the engine, not yet written
    std::vector<std::uint8_t> m_sent;
    std::vector<std::uint8_t> m_received;
    std::vector<std::string> m_lines;
    std::string m_lastError;
    std::string m_linkTarget; // where this host last pointed the link
    bool m_running = false;
    bool m_vanished = false;
    std::chrono::steady_clock::time_point m_startedAt;
    std::int64_t m_skippedMs = 0;

    std::mutex m_sinkMutex;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

} // namespace tallimo::decoder::sim
