#pragma once

#include "decoder/core/serial_port.h"
#include "tests/support/byte_strings.h"
#include "tests/support/fake_clocks.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tallimo::testing {

// A serial port fed by the test: each read hands out the next queued chunk
// (or nothing) and lets 1 ms pass on the counter, as the real read time-out
// does; writes are recorded. Each byte carries the arrival stamp it was given,
// or none. A write cut short by `writeLimit` reports what
// went out and fails, as the real port does when its write time-out ends.
class FakeSerialPort final : public decoder::SerialPort {
public:
    explicit FakeSerialPort(FakeHighResCounter* counter = nullptr) : m_counter(counter) {}

    bool OpenComPort(const std::string& portName) override {
        openedNames.push_back(portName);
        open = opens;
        return open;
    }
    bool CloseComPort() override {
        if (open)
            ++closes;
        open = false;
        return true;
    }
    bool ReadComPort(std::uint8_t* buffer, std::size_t maximum, std::size_t& bytesRead) override {
        return read(buffer, nullptr, maximum, bytesRead);
    }
    bool ReadStampedComPort(std::uint8_t* buffer, std::int64_t* stamps, std::size_t maximum,
                            std::size_t& bytesRead) override {
        return read(buffer, stamps, maximum, bytesRead);
    }
    bool WriteComPort(const std::uint8_t* buffer, std::size_t count,
                      std::size_t& bytesWritten) override {
        bytesWritten = 0;
        if (!open || writesFail)
            return false;
        bytesWritten = std::min(count, writeLimit);
        if (bytesWritten > 0)
            written.emplace_back(buffer, buffer + bytesWritten);
        return bytesWritten == count;
    }

    void arrive(std::string bytes, std::int64_t arrival = decoder::kArrivalUnknown) {
        arrivals.insert(arrivals.end(), bytes.size(), arrival);
        chunks.push_back(std::move(bytes));
    }
    // Parts that arrived at different moments, handed out by one read.
    void arriveTogether(std::initializer_list<std::pair<std::string, std::int64_t>> parts) {
        std::string bytes;
        for (const auto& [part, arrival] : parts) {
            bytes += part;
            arrivals.insert(arrivals.end(), part.size(), arrival);
        }
        chunks.push_back(std::move(bytes));
    }

    bool opens = true;
    bool open = false;
    bool readsFail = false;
    bool writesFail = false;
    std::size_t writeLimit = SIZE_MAX;
    int closes = 0;
    int reads = 0;
    std::vector<std::string> openedNames;
    std::deque<std::string> chunks;
    std::deque<std::int64_t> arrivals; // one per queued byte
    std::vector<std::vector<std::uint8_t>> written;

private:
    bool read(std::uint8_t* buffer, std::int64_t* stamps, std::size_t maximum,
              std::size_t& bytesRead) {
        ++reads;
        bytesRead = 0;
        if (m_counter)
            m_counter->advanceMs(1);
        if (!open || readsFail)
            return false;
        TakeChunkBytes(chunks, buffer, maximum, bytesRead);
        for (std::size_t i = 0; i < bytesRead; ++i) {
            const std::int64_t arrival =
                arrivals.empty() ? decoder::kArrivalUnknown : arrivals.front();
            if (!arrivals.empty())
                arrivals.pop_front();
            if (stamps)
                stamps[i] = arrival;
        }
        return true;
    }

    FakeHighResCounter* m_counter;
};

} // namespace tallimo::testing
