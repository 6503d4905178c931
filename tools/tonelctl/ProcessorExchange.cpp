#include "tools/tonelctl/ProcessorExchange.h"

#include <cerrno>
#include <thread>

namespace tonel::ctl {
namespace {

constexpr milliseconds kDrainPoll{1};

}  // namespace


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
        return describeLineFault(*error_);
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
    return ended ? failureText() : describeLineFault({"connect()", ETIMEDOUT, port_, true});
}

template <typename Ask>
std::string ProcessorExchange::request(Ask ask)
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
    return describeVerdict(exchange_.awaiting(), exchange_.verdict());
}

std::string ProcessorExchange::greet()
{
    const OpenResult opened = line_->open(port_, LineSettings{}, *this);
    if (!opened.started())
        return describeLineFault(opened.failure);
    if (opened.state == OpenResult::State::Connecting) {
        if (std::string why = awaitConnect(); !why.empty())
            return why;
    }
    if (std::string why = request([](Exchange& e) { return e.greet(); });
        !why.empty())
        return why;
    greeted_ = true;
    return {};
}

std::string ProcessorExchange::readImage(ParameterImage& image)
{
    if (std::string why = request([](Exchange& e) { return e.requestImage(); });
        !why.empty())
        return why;
    const std::lock_guard lock(mutex_);
    exchange_.takeImage(image);  // good, as the request said: a complete reply takes no more characters
    return {};
}

std::string ProcessorExchange::upload(const ParameterImage& image)
{
    return request([&image](Exchange& e) { return e.upload(image); });
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
