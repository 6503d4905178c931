#include "emulator/Terminal.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace tonel::emulator {
namespace {

// The processor's line: raw, 38400 baud, 8 data bits, no parity, 1 stop bit, no flow control of
// either kind (cfmakeraw leaves the stop bits, RTS/CTS and XOFF as the device had them).
bool makeRaw(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return false;
    ::cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS);
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, B38400);
    ::cfsetospeed(&t, B38400);
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

bool setNonBlocking(int fd)
{
    int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

}  // namespace

bool openRawPseudoTerminal(TerminalEnds& ends)
{
    char name[256] = {};
    if (::openpty(&ends.device, &ends.terminal, name, nullptr, nullptr) != 0)
        return false;
    ends.path = name;
    for (int fd : {ends.device, ends.terminal})
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    if (makeRaw(ends.device) && makeRaw(ends.terminal) && setNonBlocking(ends.device))
        return true;
    closeTerminal(ends);
    return false;
}

bool openRawDevice(const std::string& path, TerminalEnds& ends)
{
    ends.device = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ends.terminal = -1;
    ends.path = path;
    if (ends.device >= 0 && makeRaw(ends.device))
        return true;
    closeTerminal(ends);
    return false;
}

void closeTerminal(TerminalEnds& ends)
{
    closeFd(ends.device);
    closeFd(ends.terminal);
}

}  // namespace tonel::emulator
