#include "tests/support/Pty.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace tonel::testing {
namespace {

using Clock = std::chrono::steady_clock;

void makeRawNonBlocking(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) == 0) {
        ::cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        ::cfsetispeed(&t, B38400);
        ::cfsetospeed(&t, B38400);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

int msLeft(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

// Waits for `events` until the deadline; false on timeout or when the line is gone.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    pollfd p{fd, events, 0};
    int n = 0;
    while ((n = ::poll(&p, 1, msLeft(deadline))) < 0 && errno == EINTR) {
    }
    return n > 0 && (p.revents & events) != 0;
}

}  // namespace

TerminalEnd& TerminalEnd::operator=(TerminalEnd&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = other.release();
    }
    return *this;
}

void TerminalEnd::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

int TerminalEnd::release()
{
    int fd = fd_;
    fd_ = -1;
    return fd;
}

bool TerminalEnd::writeAll(std::string_view text)
{
    const auto deadline = Clock::now() + 5s;
    for (std::size_t done = 0; done < text.size();) {
        ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && (errno == EINTR || (errno == EAGAIN && waitFor(fd_, POLLOUT, deadline))))
            continue;
        else
            return false;
    }
    return true;
}

std::string TerminalEnd::readCount(std::size_t count, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    std::string text;
    char buffer[4096];
    while (text.size() < count) {
        ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - text.size()));
        if (n > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || (errno != EAGAIN && errno != EINTR) || !waitFor(fd_, POLLIN, deadline))
            break;
    }
    return text;
}

std::string TerminalEnd::readUntil(std::string_view end, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    std::string text;
    char c = 0;
    while (!text.ends_with(end)) {
        ssize_t n = ::read(fd_, &c, 1);
        if (n == 1)
            text.push_back(c);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR) || !waitFor(fd_, POLLIN, deadline))
            break;
    }
    return text;
}

std::string TerminalEnd::readAvailable()
{
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fd_, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

PtyPair::PtyPair()
{
    int device = -1, terminal = -1;
    char name[256] = {};
    if (::openpty(&device, &terminal, name, nullptr, nullptr) != 0)
        return;
    makeRawNonBlocking(device);
    makeRawNonBlocking(terminal);
    device_ = TerminalEnd(device);
    terminal_ = TerminalEnd(terminal);
    path_ = name;
}

void PtyPair::hangUp()
{
    device_.close();
}

TerminalEnd openRawTerminal(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0)
        makeRawNonBlocking(fd);
    return TerminalEnd(fd);
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

}  // namespace tonel::testing
