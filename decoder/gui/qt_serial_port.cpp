#include "decoder/gui/qt_serial_port.h"

#include "decoder/core/com_port_name.h"

#include <QDeadlineTimer>

#include <algorithm>

namespace tallimo::decoder {
namespace {

constexpr qint64 kBufferSize = 4096;
// Reads never wait: between timer ticks the event loop has already taken in
// what arrived, and a poll of the device picks up the rest. Waiting 1 ms on
// every read would spend a tenth of each 10 ms tick asleep.
constexpr int kReadWaitMs = 0;
constexpr int kWriteWaitMs = 100;

} // namespace

QtSerialPort::QtSerialPort(common::WorkingFolder folder, const common::HighResCounter* counter)
    : m_folder(std::move(folder)), m_counter(counter) {
    if (m_counter)
        QObject::connect(&m_port, &QSerialPort::readyRead, &m_port, [this] { takeArrivals(); });
}

QtSerialPort::~QtSerialPort() {
    CloseComPort();
}

bool QtSerialPort::OpenComPort(const std::string& portName) {
    CloseComPort();
    const auto device = ComPortDevicePath(m_folder, portName);
    if (!device)
        return false;
    m_port.setPortName(QString::fromStdString(device->string()));
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    const bool configured =
        m_port.setBaudRate(QSerialPort::Baud9600) && m_port.setDataBits(QSerialPort::Data8) &&
        m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop) &&
        m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_port.close();
        return false;
    }
    m_port.setReadBufferSize(kBufferSize);
    m_port.clear(QSerialPort::AllDirections);
    m_arrived.clear();
    // Pseudo-terminals have no modem lines: refusing them is not an error.
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    m_port.clearError();
    return true;
}

bool QtSerialPort::CloseComPort() {
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
    m_arrived.clear();
    return true;
}

void QtSerialPort::takeArrivals() {
    if (!m_counter || !m_port.isOpen())
        return;
    // Bounded as the port's own buffer is: past it the bytes wait in the
    // driver, and are stamped when they are taken.
    const qint64 room = kBufferSize - static_cast<qint64>(m_arrived.size());
    const qint64 wanted = std::min(m_port.bytesAvailable(), room);
    if (wanted <= 0)
        return;
    char taken[kBufferSize];
    const qint64 got = m_port.read(taken, wanted);
    const std::int64_t arrival = m_counter->counter();
    for (qint64 i = 0; i < got; ++i)
        m_arrived.push_back({static_cast<std::uint8_t>(taken[i]), arrival});
}

bool QtSerialPort::failed() {
    const QSerialPort::SerialPortError error = m_port.error();
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) {
        m_port.clearError();
        return false;
    }
    // A device that went away cannot come back on the same descriptor.
    if (m_port.isOpen() && error == QSerialPort::ResourceError)
        m_port.close();
    return true;
}

bool QtSerialPort::ReadComPort(std::uint8_t* buffer, std::size_t maximum, std::size_t& bytesRead) {
    if (m_counter)
        return readArrived(buffer, nullptr, maximum, bytesRead);
    bytesRead = 0;
    if (!m_port.isOpen())
        return false;
    if (m_port.bytesAvailable() == 0)
        m_port.waitForReadyRead(kReadWaitMs);
    if (failed())
        return false;
    const qint64 got = m_port.read(reinterpret_cast<char*>(buffer), static_cast<qint64>(maximum));
    if (got < 0)
        return false;
    bytesRead = static_cast<std::size_t>(got);
    return true;
}

bool QtSerialPort::ReadStampedComPort(std::uint8_t* buffer, std::int64_t* arrivals,
                                      std::size_t maximum, std::size_t& bytesRead) {
    if (!m_counter)
        return SerialPort::ReadStampedComPort(buffer, arrivals, maximum, bytesRead);
    return readArrived(buffer, arrivals, maximum, bytesRead);
}

bool QtSerialPort::readArrived(std::uint8_t* buffer, std::int64_t* arrivals, std::size_t maximum,
                               std::size_t& bytesRead) {
    bytesRead = 0;
    // Bytes taken in before a failure are still handed out.
    if (m_arrived.empty()) {
        if (!m_port.isOpen())
            return false;
        // A poll of the device notifies, and so stamps, what it finds.
        if (m_port.bytesAvailable() == 0)
            m_port.waitForReadyRead(kReadWaitMs);
        if (failed())
            return false;
        takeArrivals();
    }
    const std::size_t count = std::min(maximum, m_arrived.size());
    for (std::size_t i = 0; i < count; ++i) {
        buffer[i] = m_arrived[i].byte;
        if (arrivals)
            arrivals[i] = m_arrived[i].arrival;
    }
    m_arrived.erase(m_arrived.begin(), m_arrived.begin() + static_cast<std::ptrdiff_t>(count));
    bytesRead = count;
    return true;
}

bool QtSerialPort::WriteComPort(const std::uint8_t* buffer, std::size_t count,
                                std::size_t& bytesWritten) {
    bytesWritten = 0;
    if (!m_port.isOpen())
        return false;
    const qint64 queued =
        m_port.write(reinterpret_cast<const char*>(buffer), static_cast<qint64>(count));
    if (queued <= 0)
        return false;
    const QDeadlineTimer deadline(kWriteWaitMs);
    while (m_port.bytesToWrite() > 0 && !deadline.hasExpired() &&
           m_port.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
    }
    if (failed())
        return false;
    const qint64 left = m_port.isOpen() ? m_port.bytesToWrite() : queued;
    // A command that did not go out in time is given up, not sent late.
    if (left > 0)
        m_port.clear(QSerialPort::Output);
    bytesWritten = static_cast<std::size_t>(queued - std::min(left, queued));
    return bytesWritten == count;
}

} // namespace tallimo::decoder
