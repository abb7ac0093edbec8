#pragma once

#include "common/core/working_folder.h"
#include "decoder/core/serial_port.h"

#include <QSerialPort>

namespace tallimo::decoder {

// The serial link on Qt Serial Port. Port names are bound to devices as
// ComPortDevicePath says; reads wait at most about 1 ms, writes 100 ms.
class QtSerialPort final : public SerialPort {
public:
    explicit QtSerialPort(common::WorkingFolder folder);
    ~QtSerialPort() override;

    bool OpenComPort(const std::string& portName) override;
    bool CloseComPort() override;
    bool ReadComPort(std::uint8_t* buffer, std::size_t maximum, std::size_t& bytesRead) override;
    bool WriteComPort(const std::uint8_t* buffer, std::size_t count,
                      std::size_t& bytesWritten) override;

    // The device the last open used, for messages and diagnosis.
    QString devicePath() const { return m_port.portName(); }

private:
    bool failed();

    common::WorkingFolder m_folder;
    QSerialPort m_port;
};

} // namespace tallimo::decoder
