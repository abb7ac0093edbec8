#pragma once

#include "decoder/core/decoder_frames.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tallimo::decoder::sim {

// Finds the program's 5-byte commands in a byte stream that may split them
// across reads and carry noise in between: the last five bytes are compared
// with each known command, and a match empties the window.
class CommandWindow {
public:
    std::optional<Command> push(std::uint8_t byte);
    void clear() { m_size = 0; }

private:
    Command m_bytes{};
    std::size_t m_size = 0;
};

} // namespace tallimo::decoder::sim
