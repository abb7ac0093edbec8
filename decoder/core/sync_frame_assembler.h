#pragma once

// Collects one fixed-size frame that begins FF FF FF tag out of a byte
// stream. Bytes are fed one at a time and may come in any split across
// reads; until the four prefix bytes are in place the oldest byte is dropped
// at each mismatch, which slides over noise and over other frames.

#include <array>
#include <cstdint>

namespace tallimo::decoder {

class SyncFrameAssembler {
public:
    static constexpr int kMaximumSize = 11;

    SyncFrameAssembler(std::uint8_t tag, int frameSize);

    // True when `byte` completes a frame; frame() holds it until the next
    // feed, and the assembler starts over empty.
    bool feed(std::uint8_t byte);
    void clear() { m_held = 0; }

    const std::array<std::uint8_t, kMaximumSize>& frame() const { return m_frame; }
    int heldCount() const { return m_held; }
    // Bytes dropped while looking for the prefix, for diagnosis.
    std::uint64_t skippedBytes() const { return m_skipped; }

private:
    bool prefixInPlace() const;

    std::uint8_t m_tag;
    int m_frameSize;
    int m_held = 0;
    std::array<std::uint8_t, kMaximumSize> m_bytes{};
    std::array<std::uint8_t, kMaximumSize> m_frame{};
    std::uint64_t m_skipped = 0;
};

} // namespace tallimo::decoder
