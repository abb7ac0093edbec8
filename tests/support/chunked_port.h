#pragma once

// A serial port that the scan tests feed: each read hands out as much of the
// oldest queued chunk as it takes, so a chunk is never joined to the next.

#include "decoder/core/serial_port.h"
#include "tests/support/byte_strings.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>

namespace tallimo::testing {

class ChunkedPort final : public decoder::SerialPort {
public:
    bool OpenComPort(const std::string&) override { return true; }
    bool CloseComPort() override { return true; }
    bool ReadComPort(std::uint8_t* buffer, std::size_t maximum, std::size_t& bytesRead) override {
        bytesRead = 0;
        TakeChunkBytes(chunks, buffer, maximum, bytesRead);
        return true;
    }
    bool WriteComPort(const std::uint8_t*, std::size_t, std::size_t& bytesWritten) override {
        bytesWritten = 0;
        return false;
    }

    void arrive(std::string bytes) { chunks.push_back(std::move(bytes)); }
    bool drained() const { return chunks.empty(); }

    std::deque<std::string> chunks;
};

} // namespace tallimo::testing
