#include "tools/tonelctl/ProcessorExchange.h"

#include <cerrno>
#include <thread>

namespace tonel::ctl {
namespace {

constexpr milliseconds kDrainPoll{1};

}  // namespace

ExchangeTiming ExchangeTiming::atLeast(milliseconds floor)
{
    ExchangeTiming t;
    for (milliseconds* d : {&t.hello, &t.image, &t.upload, &t.connect})
        *d = std::max(*d, floor);
    return t;
}

ProcessorExchange::ProcessorExchange(std::string port, ExchangeTiming timing, std::unique_ptr<ProcessorLine> line)
    : port_(std::move(port)), timing_(timing), line_(std::move(line))
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
        for (char c : bytes) {
            reply_.append(c);
            if (c == ')')
                replyClosed_ = true;
        }
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

ProcessorExchange::Wait ProcessorExchange::awaitReply(milliseconds deadline, std::string& reply)
{
    std::unique_lock lock(mutex_);
    const bool done = arrived_.wait_for(lock, deadline, [this] { return replyClosed_ || lineGone_ || error_; });
    reply = reply_.text();
    if (replyClosed_)
        return Wait::Complete;
    return done ? Wait::Failed : Wait::TimedOut;
}

// Sends `frame` and waits for its reply. Empty once `reply` is complete; otherwise the line's
// failure, `silent` when nothing came back or `partial` when the reply did not end in time.
std::string ProcessorExchange::request(const std::string& frame, milliseconds deadline, std::string& reply,
                                       const char* silent, const char* partial)
{
    {
        // A fresh reply starts with "(": what is left of the previous one is of no use.
        const std::lock_guard lock(mutex_);
        reply_.clear();
        replyClosed_ = false;
    }
    send(frame);
    switch (awaitReply(deadline, reply)) {
    case Wait::Failed: return failureText();
    case Wait::TimedOut: return reply.empty() ? silent : partial;
    case Wait::Complete: break;
    }
    return {};
}

std::string ProcessorExchange::greet()
{
    const OpenResult opened = line_->open(port_, LineSettings{}, *this);
    if (!opened.started())
        return describeLineFault(opened.failure);
    connecting_ = opened.state == OpenResult::State::Connecting;
    std::string reply;
    const milliseconds deadline = timing_.hello + (connecting_ ? timing_.connect : milliseconds{0});
    if (std::string why = request(std::string(wire::kHello), deadline, reply, "no answer", "reply invalid (incomplete)");
        !why.empty())
        return why;
    if (reply != wire::kHelloReply)
        return "reply invalid (not a processor's greeting)";
    greeted_ = true;
    return {};
}

std::string ProcessorExchange::readImage(ParameterImage& image)
{
    std::string reply;
    if (std::string why = request(std::string(wire::kQuery), timing_.image, reply, "no answer to the image request",
                                  "reply invalid (image incomplete)");
        !why.empty())
        return why;
    ParameterImage received;
    if (!wire::isQueryReplyPrefix(reply) || !wire::decodeImageHex(reply, received))
        return "reply invalid (not an image of 188 bytes)";
    image = received;
    return {};
}

std::string ProcessorExchange::upload(const ParameterImage& image)
{
    std::string reply;
    if (std::string why = request(wire::uploadFrame(image), timing_.upload, reply, "no answer to the upload",
                                  "reply invalid (upload not confirmed)");
        !why.empty())
        return why;
    return reply == wire::kUploadAck ? std::string() : "reply invalid (upload not confirmed)";
}

std::string ProcessorExchange::finish()
{
    if (!greeted_)
        return {};
    greeted_ = false;
    send(std::string(wire::kBye));
    // Every text has a write deadline of its own in the port; this bounds the wait the same way.
    const auto deadline = std::chrono::steady_clock::now() + timing_.upload + timing_.connect;
    while (line_->textsSent() < written_ && line_->isOpen() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kDrainPoll);
    const bool out = line_->textsSent() >= written_;
    line_->close();
    return out ? std::string() : "the goodbye did not leave";
}

}  // namespace tonel::ctl
