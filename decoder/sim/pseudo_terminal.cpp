#include "decoder/sim/pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tallimo::decoder::sim {

PseudoTerminal::~PseudoTerminal() {
    close();
}

bool PseudoTerminal::fail(const char* what) {
    m_lastError = std::string(what) + ": " + std::strerror(errno);
    close();
    return false;
}

bool PseudoTerminal::open() {
    close();
    m_lastError.clear();
    // Close-on-exec, so a program the tests start does not inherit the master
    // and keep the line alive after a vanish.
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return fail("posix_openpt");
    if (grantpt(m_master) != 0)
        return fail("grantpt");
    if (unlockpt(m_master) != 0)
        return fail("unlockpt");
    char name[128] = {};
    if (ptsname_r(m_master, name, sizeof name) != 0)
        return fail("ptsname_r");
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0)
        return fail("open slave");
    termios settings{};
    if (tcgetattr(m_slave, &settings) != 0)
        return fail("tcgetattr");
    // Raw, or the line discipline would echo commands back and rewrite
    // 0D and 0A bytes inside frames.
    cfmakeraw(&settings);
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    settings.c_cflag |= CLOCAL | CREAD;
    if (tcsetattr(m_slave, TCSANOW, &settings) != 0)
        return fail("tcsetattr");
    const int flags = fcntl(m_master, F_GETFL);
    if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail("fcntl");
    return true;
}

void PseudoTerminal::close() {
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = -1;
    m_master = -1;
    m_slavePath.clear();
}

bool PseudoTerminal::waitReadable(int masterFd, int timeoutMs) {
    if (masterFd < 0)
        return false;
    pollfd entry{masterFd, POLLIN, 0};
    return ::poll(&entry, 1, timeoutMs) > 0 && (entry.revents & POLLIN) != 0;
}

long PseudoTerminal::read(std::uint8_t* buffer, std::size_t size) {
    if (m_master < 0)
        return -1;
    const ssize_t count = ::read(m_master, buffer, size);
    if (count >= 0)
        return static_cast<long>(count);
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

long PseudoTerminal::write(const std::uint8_t* bytes, std::size_t size) {
    if (m_master < 0)
        return -1;
    const ssize_t count = ::write(m_master, bytes, size);
    if (count >= 0)
        return static_cast<long>(count);
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

} // namespace tallimo::decoder::sim
