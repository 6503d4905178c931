#include "tools/tonelctl/ProcessorExchange.h"

#include <cerrno>
#include <thread>

namespace tonel::ctl {
namespace {

constexpr milliseconds kDrainPoll{1};

}  // namespace

std::string describePortError(const PortError& error)
{
    if (error.operation == "getaddrinfo()" && error.error == EHOSTUNREACH)
        return "unknown host (check the name)";
    switch (error.error) {
    case EACCES:
    case EPERM: return "permission denied — add your user to the dialout group";
    case EBUSY:
    case EWOULDBLOCK: return "in use by another program";
    case ENOENT:
    case ENODEV:
    case ENXIO: return "no such port";
    case ENOTTY: return "not a serial port";
    case EISDIR: return "a folder, not a port";
    case ECONNREFUSED: return "connection refused";
    case ETIMEDOUT: return "no connection (timed out)";
    case EHOSTUNREACH:
    case ENETUNREACH: return "host unreachable";
    case EPROTONOSUPPORT: return "this kind of port is not supported";
    case EINVAL:
        if (error.whileOpening)
            return "not a port name (a tty path, tcp://HOST:PORT or rfc2217://HOST:PORT)";
        break;
    default: break;
    }
    return error.operation + ": " + systemErrorText(error.error);
}

ProcessorExchange::ProcessorExchange(std::string port, ExchangeTiming timing, std::unique_ptr<ProcessorLine> line)
    : port_(std::move(port)), line_(line ? std::move(line) : makeLine(timing.connect)),
      exchange_(ReplyChecks::Strict, timing)
{
}

ProcessorExchange::~ProcessorExchange()
{
    if (greeted_)
        finish();
    line_->close();
}

void ProcessorExchange::bytesArrived(std::string_view bytes)
{
    {
        const std::lock_guard lock(mutex_);
        exchange_.received(bytes);
    }
    arrived_.notify_all();
}

void ProcessorExchange::lineConnected(const std::string&)
{
    {
        const std::lock_guard lock(mutex_);
        lineConnected_ = true;
    }
    arrived_.notify_all();
}

void ProcessorExchange::lineGone(const std::string&)
{
    {
        const std::lock_guard lock(mutex_);
        lineGone_ = true;
    }
    arrived_.notify_all();
}

void ProcessorExchange::portError(const PortError& error)
{
    {
        const std::lock_guard lock(mutex_);
        if (!error_)
            error_ = error;
    }
    arrived_.notify_all();
}

std::string ProcessorExchange::failureText() const
{
    if (error_)
        return describePortError(*error_);
    return lineGone_ ? "the line went down" : "";
}

void ProcessorExchange::send(const std::string& frame)
{
    line_->write(frame);
    ++written_;
}

// A network port connects before the greeting goes out, within its own deadline.
std::string ProcessorExchange::awaitConnect()
{
    std::unique_lock lock(mutex_);
    const bool ended = arrived_.wait_for(lock, exchange_.timing().connect,
                                         [this] { return lineConnected_ || lineGone_ || error_; });
    if (lineConnected_)
        return {};
    return ended ? failureText() : describePortError({"connect()", ETIMEDOUT, port_, true});
}

template <typename Ask>
std::string ProcessorExchange::request(Ask ask, const ReplyWords& words)
{
    std::string frame;
    {
        const std::lock_guard lock(mutex_);
        frame = ask(exchange_);
    }
    send(frame);
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, exchange_.deadline(), [this] { return exchange_.complete() || lineGone_ || error_; });
    if (!exchange_.complete() && (lineGone_ || error_))
        return failureText();
    switch (exchange_.verdict()) {
    case Verdict::Good: return {};
    case Verdict::Silent: return words.silent;
    case Verdict::Incomplete: return words.partial;
    case Verdict::Invalid: break;
    }
    return words.invalid;
}

std::string ProcessorExchange::greet()
{
    const OpenResult opened = line_->open(port_, LineSettings{}, *this);
    if (!opened.started())
        return describePortError(opened.failure);
    if (opened.state == OpenResult::State::Connecting) {
        if (std::string why = awaitConnect(); !why.empty())
            return why;
    }
    if (std::string why = request([](Exchange& e) { return e.greet(); },
                                  {"no answer", "reply invalid (incomplete)", "reply invalid (not a processor's greeting)"});
        !why.empty())
        return why;
    greeted_ = true;
    return {};
}

std::string ProcessorExchange::readImage(ParameterImage& image)
{
    if (std::string why = request([](Exchange& e) { return e.requestImage(); },
                                  {"no answer to the image request", "reply invalid (image incomplete)",
                                   "reply invalid (not an image of 188 bytes)"});
        !why.empty())
        return why;
    const std::lock_guard lock(mutex_);
    exchange_.takeImage(image);  // good, as the request said: a complete reply takes no more characters
    return {};
}

std::string ProcessorExchange::upload(const ParameterImage& image)
{
    return request([&image](Exchange& e) { return e.upload(image); },
                   {"no answer to the upload", "reply invalid (upload not confirmed)",
                    "reply invalid (upload not confirmed)"});
}

std::string ProcessorExchange::finish()
{
    if (!greeted_)
        return {};
    greeted_ = false;
    send(std::string(wire::kBye));
    // Every text has a write deadline of its own in the port; this bounds the wait the same way.
    const ExchangeTiming& timing = exchange_.timing();
    const auto deadline = std::chrono::steady_clock::now() + timing.upload + timing.connect;
    while (line_->textsSent() < written_ && line_->isOpen() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kDrainPoll);
    const bool out = line_->textsSent() >= written_;
    line_->close();
    return out ? std::string() : "the goodbye did not leave";
}

}  // namespace tonel::ctl
