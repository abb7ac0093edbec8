#include "decoder/sim/command_window.h"

#include <algorithm>

namespace tallimo::decoder::sim {

std::optional<Command> CommandWindow::push(std::uint8_t byte) {
    if (m_size == m_bytes.size()) {
        std::shift_left(m_bytes.begin(), m_bytes.end(), 1);
        --m_size;
    }
    m_bytes[m_size++] = byte;
    if (m_size < m_bytes.size())
        return std::nullopt;
    for (const Command& known : {kIdentificationQuery, kClockResetCommand, kKeepAliveProbe}) {
        if (m_bytes == known) {
            m_size = 0;
            return known;
        }
    }
    return std::nullopt;
}

} // namespace tallimo::decoder::sim
