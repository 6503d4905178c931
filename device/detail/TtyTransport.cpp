#include "device/detail/TtyTransport.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
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

// Raw bytes, no flow control of either kind, the receiver on, modem-control lines ignored.
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
    return cfgetospeed(&got) == cfgetospeed(&wanted) && (got.c_cflag & kFraming) == (wanted.c_cflag & kFraming);
}

// A line without modem-control lines (a pseudo-terminal) answers ENOTTY or EINVAL: no RTS to set.
void assertRts(int fd, std::vector<CallFailure>& reports)
{
    int bits = TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIS, &bits) != 0 && errno != ENOTTY && errno != EINVAL)
        reports.push_back({"ioctl(TIOCMBIS)", errno});
}

// False: the line settings could not be applied, which fails the open.
bool configureLine(int fd, const LineSettings& settings, std::vector<CallFailure>& reports, CallFailure& failure)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        reports.push_back({"tcgetattr()", errno});
        return true;
    }
    // Flow control is off, so the XON/XOFF thresholds have nothing to do; reads wait in poll() and
    // the write time limit is enforced by send().
    if (!buildLineSettings(settings, t)) {
        reports.push_back({LineFault::Unsupported, "cfsetspeed()", EINVAL});
        return true;
    }
    termios applied{};
    if (::tcsetattr(fd, TCSANOW, &t) != 0 || ::tcgetattr(fd, &applied) != 0) {
        failure = {"tcsetattr()", errno};
        return false;
    }
    if (!framingApplied(t, applied)) {
        failure = {LineFault::Unsupported, "tcsetattr()", EINVAL};
        return false;
    }
    if (settings.rts)
        assertRts(fd, reports);
    return true;
}

int openExclusive(const std::string& path, CallFailure& failure)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        failure = {"open()", errno};
        return -1;
    }
    // flock is what really keeps a second program off the device (root bypasses TIOCEXCL). Its
    // refusal reads EWOULDBLOCK, which means busy only here.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        failure = errno == EWOULDBLOCK ? CallFailure{LineFault::Busy, "flock()", errno} : CallFailure{"flock()", errno};
    } else if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY && errno != EINVAL) {
        failure = {LineFault::Busy, "ioctl(TIOCEXCL)", errno};
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}

// Bytes still waiting in the driver's output queue; 0 when the driver cannot say.
int pendingOutput(int fd)
{
    int pending = 0;
    return ::ioctl(fd, TIOCOUTQ, &pending) == 0 ? pending : 0;
}

}  // namespace

bool TtyTransport::openLine(const LineSettings& settings, std::vector<CallFailure>& reports, CallFailure& failure)
{
    std::lock_guard lock(lineMutex_);
    lineFd_ = openExclusive(path_, failure);
    if (lineFd_ < 0)
        return false;
    if (!configureLine(lineFd_, settings, reports, failure)) {
        closeLocked();  // nothing keeps a half-configured device locked
        return false;
    }
    // Purge: unread input goes; the output side holds nothing on a freshly opened line.
    ::tcflush(lineFd_, TCIFLUSH);
    return true;
}

// The input only: after the previous drain the output is empty, and on a pseudo-terminal TCOFLUSH
// would destroy bytes already delivered to the other side but not yet read there.
void TtyTransport::purgeInputLocked() { ::tcflush(lineFd_, TCIFLUSH); }

// tcdrain() has no deadline: a wedged adapter would hold it, and the lock, for ever. Watch the
// output queue instead, until it is empty, the deadline passes or the port shuts down.
bool TtyTransport::drainLocked(Clock::time_point deadline, SendResult& result)
{
    while (pendingOutput(lineFd_) > 0) {
        if (Clock::now() >= deadline) {
            result = {SendStatus::Failed, {"tcdrain()", ETIME}};
            return false;
        }
        if (pauseOrShutdown(kDrainPoll)) {
            result = {SendStatus::Abandoned, {}};
            return false;
        }
    }
    return true;
}

void TtyTransport::closeLocked()
{
    // The exclusive flag outlives our descriptor while another holds the terminal open.
    ::ioctl(lineFd_, TIOCNXCL);
    // close() waits for unsent output (up to the driver's closing wait, 30 s by default): output
    // that a wedged line did not take by its deadline is dropped instead.
    if (pendingOutput(lineFd_) > 0)
        ::tcflush(lineFd_, TCOFLUSH);
    ::close(lineFd_);
    lineFd_ = -1;
}

}  // namespace tonel::detail
