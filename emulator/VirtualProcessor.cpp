#include "emulator/VirtualProcessor.h"

#include "emulator/Listener.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tonel::emulator {
namespace {

using namespace std::chrono_literals;

constexpr std::chrono::nanoseconds kNoLimit = std::chrono::nanoseconds::max();

// Waits for `events` on fd (none when fd is -1), the stop signal or the timeout (to the
// nanosecond; kNoLimit: none); the fd's events, 0 after the timeout.
short waitFor(int stopFd, int fd, short events, std::chrono::nanoseconds timeout, bool& stopped)
{
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {fd, events, 0}};
    const auto wholeSeconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
    const timespec limit{static_cast<time_t>(wholeSeconds.count()), static_cast<long>((timeout - wholeSeconds).count())};
    while (::ppoll(fds, fd < 0 ? 1 : 2, timeout == kNoLimit ? nullptr : &limit, nullptr) < 0 && errno == EINTR) {
    }
    stopped = (fds[0].revents & POLLIN) != 0;
    return stopped ? 0 : fds[1].revents;
}

// "60 s", or "250 ms" for a time of no whole seconds.
std::string spoken(std::chrono::milliseconds time)
{
    return time.count() % 1000 == 0 ? std::to_string(time.count() / 1000) + " s" : std::to_string(time.count()) + " ms";
}

}  // namespace

VirtualProcessor::VirtualProcessor(DeviceFaults faults, const ImageBytes& initial)
    : model_(std::move(faults), initial), stopFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

VirtualProcessor::~VirtualProcessor()
{
    stop();
    if (stopFd_ >= 0)
        ::close(stopFd_);
}

bool VirtualProcessor::listen(const std::string& address, bool rfc2217, std::string* error)
{
    stop();
    const ParsedHostPort parsed = parseHostPort(address, kListenAddress);
    std::string reason = parsed.reason;
    if (parsed.address)
        listener_ = openListener(*parsed.address, reason);
    if (listener_ < 0) {
        if (error)
            *error = reason;
        return false;
    }
    rfc2217_ = rfc2217;
    {
        std::lock_guard lock(mutex_);
        listeningPort_ = boundPort(listener_);
        ends_.path = networkPortName(*parsed.address, listeningPort_, rfc2217);
        comPortLine_ = {};
    }
    return run(true);
}

void VirtualProcessor::setObserver(Observer observer) { observer_ = std::move(observer); }

void VirtualProcessor::setNoticeObserver(NoticeObserver observer) { noticeObserver_ = std::move(observer); }

bool VirtualProcessor::start()
{
    stop();
    return run(openRawPseudoTerminal(ends_));
}

bool VirtualProcessor::attach(const std::string& path)
{
    stop();
    return run(openRawDevice(path, ends_));
}

bool VirtualProcessor::run(bool opened)
{
    if (!opened || stopFd_ < 0) {
        closeTerminal(ends_);
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        path_ = ends_.path;
    }
    assembler_ = FrameAssembler{};
    serving_ = true;
    thread_ = std::thread([this] { loop(); });
    return true;
}

void VirtualProcessor::stop()
{
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(stopFd_, &one, sizeof one);
        thread_.join();
        std::uint64_t value = 0;
        n = ::read(stopFd_, &value, sizeof value);
    }
    closeTerminal(ends_);
    dropClient();
    if (listener_ >= 0)
        ::close(listener_);
    listener_ = -1;
    std::lock_guard lock(mutex_);
    listeningPort_ = 0;
}

bool VirtualProcessor::running() const { return serving_; }

void VirtualProcessor::loop()
{
    std::array<char, 4096> buffer{};
    for (;;) {
        if (lineFd() < 0 && !acceptNext())
            break;
        bool stopped = false;
        const short events = waitFor(stopFd_, lineFd(), POLLIN, client_ >= 0 ? idleTimeout_ : kNoLimit, stopped);
        if (stopped)
            break;
        if (events == 0) {
            dropClient("client sent nothing for " + spoken(idleTimeout_) + ": dropped");
            continue;
        }
        ssize_t n = ::read(lineFd(), buffer.data(), buffer.size());
        if (n > 0) {
            handleInput({buffer.data(), static_cast<std::size_t>(n)});
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR) || (events & (POLLHUP | POLLERR | POLLNVAL))) {
            if (listener_ < 0)
                break;  // the line is gone: nothing more will arrive
            dropClient();  // the client left: the next one may come
        }
    }
    serving_ = false;
    changed_.notify_all();
}

// Waits for the next TCP client; false when told to stop (or not listening at all).
bool VirtualProcessor::acceptNext()
{
    while (listener_ >= 0) {
        bool stopped = false;
        const short events = waitFor(stopFd_, listener_, POLLIN, kNoLimit, stopped);
        if (stopped)
            return false;
        if (!(events & POLLIN))
            continue;
        client_ = acceptClient(listener_);
        if (client_ < 0 && errno != EAGAIN && errno != EINTR && errno != ECONNABORTED && !pause(100ms))
            return false;  // out of descriptors or memory: try again a little later, not in a spin
        if (client_ < 0)
            continue;
        assembler_ = FrameAssembler{};
        if (rfc2217_) {
            telnet_.emplace();
            if (!writeLine(telnet_->opening()) && client_ < 0)
                continue;
        }
        return true;
    }
    return false;
}

void VirtualProcessor::dropClient(const std::string& reason)
{
    if (client_ < 0)
        return;
    ::close(client_);
    client_ = -1;
    telnet_.reset();
    if (!reason.empty() && noticeObserver_)
        noticeObserver_(reason);
}

void VirtualProcessor::handleInput(std::span<const char> bytes)
{
    if (!telnet_) {
        handleBytes(bytes);
        return;
    }
    std::string data;
    const std::string answer = telnet_->receive({bytes.data(), bytes.size()}, data);
    if (!answer.empty())
        writeLine(answer);
    if (!telnet_)
        return;  // dropped while answering
    if (telnet_->comPortEnabled()) {
        {
            std::lock_guard lock(mutex_);
            comPortLine_ = telnet_->line();
        }
        changed_.notify_all();
    }
    handleBytes(data);
}

void VirtualProcessor::handleBytes(std::span<const char> bytes)
{
    for (char c : bytes) {
        if (lineFd() < 0)
            return;  // the client was dropped: the rest of what it sent goes with it
        if (auto frame = assembler_.feed(c))
            handleFrame(*frame);
    }
}

void VirtualProcessor::handleFrame(const std::string& frame)
{
    std::string reply;
    {
        std::lock_guard lock(mutex_);
        reply = model_.handleFrame(frame);
    }
    record(FrameRecord::Direction::Received, frame);
    if (reply.empty() || !pause(model_.faults().replyDelay))
        return;
    // Logged before it goes out: whatever the other side has read is already in the log.
    record(FrameRecord::Direction::Replied, reply);
    sendAll(reply);
}

// False when the emulator is told to stop meanwhile.
bool VirtualProcessor::pause(std::chrono::nanoseconds delay)
{
    bool stopped = false;
    if (delay.count() > 0)
        waitFor(stopFd_, -1, 0, delay, stopped);
    return !stopped;
}

bool VirtualProcessor::sendAll(const std::string& text)
{
    return paced_ ? sendPaced(text) : sendData(text);
}

// Character i leaves when a real line would have finished sending it: (i + 1) / 3,840 s after
// the start, so 384 characters end 100 ms after the first one began.
bool VirtualProcessor::sendPaced(const std::string& text)
{
    using namespace std::chrono;
    constexpr nanoseconds kCharacterTime = nanoseconds(seconds(1)) / kLineCharactersPerSecond;
    const auto start = steady_clock::now();
    for (std::size_t done = 0; done < text.size();) {
        const auto elapsed = steady_clock::now() - start;
        const auto due = std::min<std::size_t>(text.size(), static_cast<std::size_t>(elapsed / kCharacterTime));
        if (due > done) {
            if (!sendData(std::string_view(text).substr(done, due - done)))
                return false;
            done = due;
        } else if (!pause(start + kCharacterTime * static_cast<long>(done + 1) - steady_clock::now())) {
            return false;
        }
    }
    return true;
}

// Line data: on a Telnet connection the byte 255 is doubled.
bool VirtualProcessor::sendData(std::string_view text)
{
    return telnet_ ? writeLine(ComPortServer::encode(text)) : writeLine(text);
}

// False when the bytes did not all go out: the line failed, stalled for kStallLimit (a client is
// then dropped) or the emulator was told to stop.
bool VirtualProcessor::writeLine(std::string_view bytes)
{
    const int fd = lineFd();
    for (std::size_t done = 0; fd >= 0 && done < bytes.size();) {
        // A client that left must not end the program with SIGPIPE.
        ssize_t n = fd == client_ ? ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL)
                                  : ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || errno != EAGAIN)
            return false;
        bool stopped = false;
        const short events = waitFor(stopFd_, fd, POLLOUT, kStallLimit, stopped);
        if (events & POLLOUT)
            continue;
        if (!stopped && events == 0)
            stalled();
        return false;
    }
    return fd >= 0;
}

// Nothing left the line for kStallLimit.
void VirtualProcessor::stalled()
{
    const std::string reason = "took no output for " + spoken(kStallLimit);
    if (client_ >= 0)
        dropClient("client " + reason + ": dropped");
    else if (noticeObserver_)
        noticeObserver_("line " + reason + ": the rest of the reply is lost");
}

}  // namespace tonel::emulator
