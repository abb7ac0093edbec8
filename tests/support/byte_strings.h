#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>

namespace tallimo::testing {

// Bytes written as numbers, for the streams a fake port hands out.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

// Hands out up to `maximum` bytes of the first chunk, as one read of a
// port would; an emptied chunk is dropped.
inline void TakeChunkBytes(std::deque<std::string>& chunks, std::uint8_t* buffer,
                           std::size_t maximum, std::size_t& bytesRead) {
    bytesRead = 0;
    if (chunks.empty())
        return;
    std::string& chunk = chunks.front();
    bytesRead = std::min(maximum, chunk.size());
    std::copy_n(chunk.begin(), bytesRead, buffer);
    chunk.erase(0, bytesRead);
    if (chunk.empty())
        chunks.pop_front();
}

} // namespace tallimo::testing
