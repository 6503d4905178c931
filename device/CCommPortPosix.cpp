// CCommPort's platform layer on POSIX: termios, poll() and eventfd. Every POSIX call of the port
// lives in this file.

#include "device/CCommPortIo.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tonel::detail {
namespace {

struct SpeedEntry {
    int baud;
    speed_t speed;
};

constexpr SpeedEntry kSpeeds[] = {
    {1200, B1200},     {2400, B2400},     {4800, B4800},   {9600, B9600},
    {19200, B19200},   {38400, B38400},   {57600, B57600}, {115200, B115200},
    {230400, B230400},
};

bool speedFor(int baud, speed_t& speed)
{
    for (const SpeedEntry& entry : kSpeeds) {
        if (entry.baud == baud) {
            speed = entry.speed;
            return true;
        }
    }
    return false;
}

bool setDataBits(int dataBits, termios& t)
{
    constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    if (dataBits < 5 || dataBits > 8)
        return false;
    t.c_cflag |= kSizes[dataBits - 5];
    return true;
}

bool setParity(char parity, termios& t)
{
    switch (std::toupper(static_cast<unsigned char>(parity))) {
    case 'N': return true;
    case 'E': t.c_cflag |= PARENB; return true;
    case 'O': t.c_cflag |= PARENB | PARODD; return true;
#ifdef CMSPAR
    case 'M': t.c_cflag |= PARENB | PARODD | CMSPAR; return true;
    case 'S': t.c_cflag |= PARENB | CMSPAR; return true;
#endif
    default: return false;
    }
}

// The line settings text of the port ("baud=38400 parity=N data=8 stop=1") turned into termios:
// raw bytes, no flow control of either kind, the receiver on, modem-control lines ignored.
bool buildLineSettings(const LineSettings& settings, termios& t)
{
    speed_t speed{};
    if (!speedFor(settings.baud, speed) || (settings.stopBits != 1 && settings.stopBits != 2))
        return false;
    cfmakeraw(&t);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
#ifdef CMSPAR
    t.c_cflag &= ~CMSPAR;
#endif
    t.c_cflag |= CLOCAL | CREAD;
    if (settings.stopBits == 2)
        t.c_cflag |= CSTOPB;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    return setDataBits(settings.dataBits, t) && setParity(settings.parity, t);
}

// tcsetattr succeeds when any part was applied, so the framing is read back.
bool framingApplied(const termios& wanted, const termios& got)
{
    constexpr tcflag_t kFraming = CSIZE | PARENB | PARODD | CSTOPB;
    return cfgetospeed(&got) == cfgetospeed(&wanted) &&
           (got.c_cflag & kFraming) == (wanted.c_cflag & kFraming);
}

// A line without modem-control lines (a pseudo-terminal) answers ENOTTY or EINVAL: no RTS to set.
void assertRts(int fd, std::vector<PortFailure>& reports)
{
    int bits = TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIS, &bits) != 0 && errno != ENOTTY && errno != EINVAL)
        reports.push_back({"SetCommState()", errno});
}

// False: the line settings could not be applied, which fails the open without a report.
bool configureLine(int fd, const LineSettings& settings, std::vector<PortFailure>& reports)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        reports.push_back({"GetCommState()", errno});
        return true;
    }
    // The XON/XOFF thresholds (512 bytes each) and the read/write timeouts record of the Windows
    // port have no POSIX counterpart: flow control is off, reads wait in poll() and the write
    // time limit is enforced by send().
    if (!buildLineSettings(settings, t)) {
        reports.push_back({"BuildCommDCB()", EINVAL});
        return true;
    }
    termios applied{};
    if (::tcsetattr(fd, TCSANOW, &t) != 0 || ::tcgetattr(fd, &applied) != 0 || !framingApplied(t, applied))
        return false;
    assertRts(fd, reports);
    return true;
}

int openExclusive(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    // flock is what really keeps a second program off the device (root bypasses TIOCEXCL).
    bool busy = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!busy && ::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY && errno != EINVAL)
        busy = true;
    if (busy) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void closeLineFd(int& fd)
{
    if (fd < 0)
        return;
    // The exclusive flag outlives our descriptor while another holds the terminal open.
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
    fd = -1;
}

void signalEvent(int fd)
{
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(fd, &one, sizeof one);
}

void drainEvent(int fd)
{
    std::uint64_t value = 0;
    [[maybe_unused]] ssize_t n = ::read(fd, &value, sizeof value);
}

int remainingMs(std::chrono::steady_clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<std::int64_t>(left.count(), 0, std::numeric_limits<int>::max()));
}

// strerror_r returns the text (GNU) or a status (XSI), depending on the C library.
[[maybe_unused]] const char* pickErrorText(int rc, const char* buffer) { return rc == 0 ? buffer : "Unknown error"; }
[[maybe_unused]] const char* pickErrorText(const char* text, const char*) { return text; }

}  // namespace

std::string systemErrorText(int error)
{
    char buffer[256] = {};
    return pickErrorText(::strerror_r(error, buffer, sizeof buffer), buffer);
}

CommPortIo::CommPortIo()
    : shutdownFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      writeRequestFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

CommPortIo::~CommPortIo()
{
    closeLine();
    for (int fd : {shutdownFd_, writeRequestFd_}) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool CommPortIo::ready() const { return shutdownFd_ >= 0 && writeRequestFd_ >= 0; }

bool CommPortIo::openLine(const std::string& path, const LineSettings& settings,
                          std::vector<PortFailure>& reports)
{
    std::lock_guard lock(lineMutex_);
    closeLineFd(lineFd_);
    lineFd_ = openExclusive(path);
    if (lineFd_ < 0)
        return false;
    if (!configureLine(lineFd_, settings, reports)) {
        closeLineFd(lineFd_);  // nothing keeps a half-configured device locked
        return false;
    }
    // Purge: unread input goes; the output side holds nothing on a freshly opened line.
    ::tcflush(lineFd_, TCIFLUSH);
    return true;
}

void CommPortIo::closeLine()
{
    std::lock_guard lock(lineMutex_);
    closeLineFd(lineFd_);
}

bool CommPortIo::lineOpen() const
{
    std::lock_guard lock(lineMutex_);
    return lineFd_ >= 0;
}

void CommPortIo::signalShutdown() { signalEvent(shutdownFd_); }
void CommPortIo::clearShutdown() { drainEvent(shutdownFd_); }
void CommPortIo::signalWriteRequest() { signalEvent(writeRequestFd_); }

Wake CommPortIo::wait(bool watchLine)
{
    int lineFd = -1;
    if (watchLine) {
        std::lock_guard lock(lineMutex_);
        lineFd = lineFd_;
    }
    // Poll order is the priority order: shutdown, line, write request.
    pollfd fds[3] = {{shutdownFd_, POLLIN, 0}, {lineFd, POLLIN, 0}, {writeRequestFd_, POLLIN, 0}};
    while (::poll(fds, 3, -1) < 0 && errno == EINTR) {
    }
    Wake wake;
    wake.shutdown = (fds[0].revents & POLLIN) != 0;
    wake.lineReadable = (fds[1].revents & POLLIN) != 0;
    wake.lineGone = (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    if (fds[2].revents & POLLIN) {
        drainEvent(writeRequestFd_);
        wake.writeRequest = true;
    }
    return wake;
}

bool CommPortIo::shutdownPending()
{
    pollfd fd{shutdownFd_, POLLIN, 0};
    return ::poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN) != 0;
}

ReadResult CommPortIo::read(std::span<std::uint8_t> buffer)
{
    std::lock_guard lock(lineMutex_);
    if (lineFd_ < 0)
        return {ReadStatus::Failed, 0, EBADF};
    ssize_t n = ::read(lineFd_, buffer.data(), buffer.size());
    if (n > 0)
        return {ReadStatus::Data, static_cast<std::size_t>(n), 0};
    if (n == 0)  // a terminal reads end-of-file only once its line is gone
        return {ReadStatus::HungUp, 0, EIO};
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
        return {ReadStatus::Empty, 0, 0};
    return {errno == EIO ? ReadStatus::HungUp : ReadStatus::Failed, 0, errno};
}

void CommPortIo::purgeInput()
{
    std::lock_guard lock(lineMutex_);
    if (lineFd_ >= 0)
        ::tcflush(lineFd_, TCIFLUSH);
}

SendResult CommPortIo::send(std::string_view text, std::chrono::milliseconds limit)
{
    std::lock_guard lock(lineMutex_);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    if (lineFd_ < 0)
        return {SendStatus::Failed, {"WriteFile()", EBADF}};
    // Purge the input only: after the previous drain the output is empty, and on a pseudo-terminal
    // TCOFLUSH would destroy bytes already delivered to the other side but not yet read there.
    ::tcflush(lineFd_, TCIFLUSH);
    SendResult result;
    for (std::size_t done = 0; done < text.size();) {
        ssize_t n = ::write(lineFd_, text.data() + done, text.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!waitWritable(deadline, result))
                return result;
        } else {
            int error = n < 0 ? errno : EIO;
            return {error == EIO ? SendStatus::HungUp : SendStatus::Failed, {"WriteFile()", error}};
        }
    }
    while (::tcdrain(lineFd_) != 0) {
        if (errno == EINTR)
            continue;
        int error = errno;
        return {error == EIO ? SendStatus::HungUp : SendStatus::Failed,
                {"GetOverlappedResults() in WriteFile()", error}};
    }
    return result;
}

// Called with the lock held: waits for room in the output queue, for shutdown or for the deadline.
bool CommPortIo::waitWritable(std::chrono::steady_clock::time_point deadline, SendResult& result)
{
    pollfd fds[2] = {{shutdownFd_, POLLIN, 0}, {lineFd_, POLLOUT, 0}};
    int n = 0;
    while ((n = ::poll(fds, 2, remainingMs(deadline))) < 0 && errno == EINTR) {
    }
    if (n < 0) {
        result = {SendStatus::Failed, {"WriteFile()", errno}};
    } else if (fds[0].revents & POLLIN) {
        result = {SendStatus::Abandoned, {}};
    } else if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) {
        result = {SendStatus::HungUp, {"WriteFile()", EIO}};
    } else if (n == 0) {
        result = {SendStatus::Failed, {"WriteFile()", ETIMEDOUT}};
    } else {
        return true;
    }
    return false;
}

}  // namespace tonel::detail
