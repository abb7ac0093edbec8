#pragma once

// Turns the decoder's byte stream into passings. Framed decoders send
// 11-byte records on their own clock; counter-timed decoders send the bare
// two transponder bytes, timed by the PC when the first one arrived (with
// no sync, a stray byte shifts every later pair). The half-received record
// survives ticks, pauses and recovery waits; it is cleared by the start
// button and by each complete record.

#include "decoder/core/sync_frame_assembler.h"

#include <cstdint>
#include <optional>

namespace tallimo::decoder {

struct FramedPassing {
    int transponder = 0;
    std::int64_t timeMs = 0;
};

// The passing in a complete 11-byte record (prefix included).
FramedPassing DecodeFramedPassing(const std::uint8_t* record);

class PassingAssembler {
public:
    std::optional<FramedPassing> feedFramed(std::uint8_t byte);
    // The transponder number when `byte` completes a pair.
    std::optional<int> feedCounterTimed(std::uint8_t byte);
    void clear();

    std::uint64_t skippedBytes() const { return m_framed.skippedBytes(); }
    int heldFramedBytes() const { return m_framed.heldCount(); }
    int heldCounterBytes() const { return m_pairHeld; }

private:
    SyncFrameAssembler m_framed{0xF0, 11};
    int m_pairHeld = 0;
    std::uint8_t m_pairFirst = 0;
};

} // namespace tallimo::decoder
