#include "decoder/core/sync_frame_assembler.h"

#include <algorithm>
#include <cassert>

namespace tallimo::decoder {

SyncFrameAssembler::SyncFrameAssembler(std::uint8_t tag, int frameSize)
    : m_tag(tag), m_frameSize(std::clamp(frameSize, 5, kMaximumSize)) {}

bool SyncFrameAssembler::prefixInPlace() const {
    return m_bytes[0] == 0xFF && m_bytes[1] == 0xFF && m_bytes[2] == 0xFF && m_bytes[3] == m_tag;
}

bool SyncFrameAssembler::feed(std::uint8_t byte) {
    m_bytes[m_held++] = byte;
    if (m_held == 4 && !prefixInPlace()) {
        m_bytes[0] = m_bytes[1];
        m_bytes[1] = m_bytes[2];
        m_bytes[2] = m_bytes[3];
        m_held = 3;
        ++m_skipped;
        return false;
    }
    if (m_held < m_frameSize)
        return false;
    m_frame = m_bytes;
    m_held = 0;
    return true;
}

} // namespace tallimo::decoder
