#pragma once

// The fleet window's transponder scan. While the window is open it has the
// decoder port to itself and its 10 ms timer calls `tick`: with scanning off
// every byte is read and thrown away, so that no stale passing is taken when
// scanning starts; with scanning on the bytes are assembled by the decoder
// model read from the settings file and every complete passing yields its
// transponder number. The scan also runs the four-step indicator that shows
// the operator it is listening.
//
// Ownership and invariants: the scan owns its assembler and its stopwatch,
// never the port (it neither opens nor closes it). The assembler is empty
// whenever scanning is off; the indicator phase is 0 whenever scanning is off.

#include "decoder/core/passing_assembler.h"
#include "decoder/core/serial_port.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::databases {

// How the decoder model in the settings file sends its passings.
enum class ScanFraming {
    Pairs,  // "Tallimo": two bytes per transponder, high byte first, no sync
    Framed, // "TallimoVela2", "TallimoVela2Bluetooth": 11-byte records
    None,   // anything else: the bytes are ignored
};

// Exact comparison of the whole identifier.
ScanFraming ScanFramingFor(std::string_view decoderModel);

// Indicator phases: 0 draws nothing, 1 to 4 the four pictures in turn.
inline constexpr int kScanIndicatorPhases = 4;

struct ScanTick {
    // "%06d" of every transponder completed in this tick, in arrival order;
    // a later one overwrites an earlier one in the kart.
    std::vector<std::string> transponders;
    // The indicator must be repainted.
    bool indicatorChanged = false;
};

class TransponderScan {
public:
    explicit TransponderScan(std::string_view decoderModel);

    bool active() const { return m_active; }
    int indicatorPhase() const { return m_phase; }
    ScanFraming framing() const { return m_framing; }

    // Scanning on: whatever the port holds is read once and discarded, and
    // the indicator starts at phase 1 with its stopwatch at `nowMs`.
    void switchOn(decoder::SerialPort& port, std::uint32_t nowMs);
    // Scanning off: indicator phase 0; the next tick empties the assembler.
    void switchOff();

    // One timer tick: reads at most 255 bytes. A failed read processes
    // nothing. `nowMs` is the millisecond tick (wrapping, compared by
    // unsigned difference).
    ScanTick tick(decoder::SerialPort& port, std::uint32_t nowMs);

private:
    void feed(std::uint8_t byte, std::vector<std::string>& transponders);
    bool animate(std::uint32_t nowMs);

    ScanFraming m_framing;
    decoder::PassingAssembler m_assembler;
    bool m_active = false;
    int m_phase = 0;
    std::uint32_t m_cycleStartMs = 0;
};

} // namespace tallimo::databases
