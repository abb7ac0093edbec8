#pragma once

#include "common/core/high_res_counter.h"
#include "common/core/working_folder.h"
#include "decoder/core/serial_port.h"

#include <QSerialPort>

#include <cstdint>
#include <deque>

namespace tallimo::decoder {

// The serial link on Qt Serial Port. Port names are bound to devices as
// ComPortDevicePath says; reads wait at most about 1 ms, writes 100 ms.
// With a counter, whatever the device reports is taken in at once on the
// port's ready-read notification (on the thread that runs the event loop)
// and stamped with the counter then; reads hand it out in order.
class QtSerialPort final : public SerialPort {
public:
    explicit QtSerialPort(common::WorkingFolder folder,
                          const common::HighResCounter* counter = nullptr);
    ~QtSerialPort() override;

    bool OpenComPort(const std::string& portName) override;
    bool CloseComPort() override;
    bool ReadComPort(std::uint8_t* buffer, std::size_t maximum, std::size_t& bytesRead) override;
    bool ReadStampedComPort(std::uint8_t* buffer, std::int64_t* arrivals, std::size_t maximum,
                            std::size_t& bytesRead) override;
    bool WriteComPort(const std::uint8_t* buffer, std::size_t count,
                      std::size_t& bytesWritten) override;

    // The device the last open used, for messages and diagnosis.
    QString devicePath() const { return m_port.portName(); }

private:
    struct ArrivedByte {
        std::uint8_t byte;
        std::int64_t arrival;
    };

    bool failed();
    void takeArrivals();
    bool readArrived(std::uint8_t* buffer, std::int64_t* arrivals, std::size_t maximum,
                     std::size_t& bytesRead);

    common::WorkingFolder m_folder;
    const common::HighResCounter* m_counter;
    // Before the port, which could still notify while it is destroyed.
    std::deque<ArrivedByte> m_arrived;
    QSerialPort m_port;
};

} // namespace tallimo::decoder
