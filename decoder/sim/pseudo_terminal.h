#pragma once

// A pseudo-terminal pair standing in for a serial device. The program opens
// the slave path; the simulator talks through the master.
//
// Ownership: the object owns both descriptors. The slave stays open here so
// the master does not see a hang-up whenever the program closes its side
// between two opens; the simulator never reads it, so no byte is taken from
// the program.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tallimo::decoder::sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // A new pair, slave in raw mode at 9600 baud, master non-blocking. False
    // with lastError() when the system refuses.
    bool open();
    // Both sides go: the program's reads and writes on the slave now fail.
    void close();

    bool isOpen() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    const std::string& slavePath() const { return m_slavePath; }
    const std::string& lastError() const { return m_lastError; }

    // Waits up to `timeoutMs` for bytes on a master descriptor.
    static bool waitReadable(int masterFd, int timeoutMs);
    // Non-blocking; the count read (0 when nothing waits), -1 on error.
    long read(std::uint8_t* buffer, std::size_t size);
    // Non-blocking; the count written (0 when the line is full), -1 on error.
    long write(const std::uint8_t* bytes, std::size_t size);

private:
    bool fail(const char* what);

    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    std::string m_lastError;
};

} // namespace tallimo::decoder::sim
