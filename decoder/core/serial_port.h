#pragma once

// The process's one serial link to the decoder. Whoever opens it replaces
// whatever was open; every reader and writer of the program shares the one
// instance the application owns.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace tallimo::decoder {

// The arrival stamp of a byte whose port did not note when it came.
inline constexpr std::int64_t kArrivalUnknown = std::numeric_limits<std::int64_t>::min();

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // `portName` is "COM1" ... "COM99". True when the port is open and set to
    // 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control, with
    // pending input discarded.
    virtual bool OpenComPort(const std::string& portName) = 0;
    // Always true; nothing happens when no port is open.
    virtual bool CloseComPort() = 0;
    // Returns at once with what has arrived (waiting at most about 1 ms);
    // `bytesRead` is 0 when nothing had. False when no port is open
    // or the device failed.
    virtual bool ReadComPort(std::uint8_t* buffer, std::size_t maximum, std::size_t& bytesRead) = 0;
    // As ReadComPort, with `arrivals[i]` the high-resolution counter when the
    // device reported byte i, or kArrivalUnknown. `arrivals` has room for
    // `maximum` values. Ports that do not note arrivals give only unknowns.
    virtual bool ReadStampedComPort(std::uint8_t* buffer, std::int64_t* arrivals,
                                    std::size_t maximum, std::size_t& bytesRead) {
        const bool read = ReadComPort(buffer, maximum, bytesRead);
        std::fill_n(arrivals, std::min(bytesRead, maximum), kArrivalUnknown);
        return read;
    }
    // Gives up after 100 ms; `bytesWritten` tells how much went out.
    virtual bool WriteComPort(const std::uint8_t* buffer, std::size_t count,
                              std::size_t& bytesWritten) = 0;
};

// The most a caller reads at a time.
inline constexpr std::size_t kReadChunk = 255;

} // namespace tallimo::decoder
