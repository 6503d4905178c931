#include "web/server/ProcessorLink.h"

#include "device/LineFailure.h"
#include "device/WireProtocol.h"

#include <utility>

namespace tonel::web {

const char* stateName(LinkState state)
{
    switch (state) {
    case LinkState::Connecting: return "connecting";
    case LinkState::Connected: return "connected";
    case LinkState::Offline: return "offline";
    }
    return "offline";
}

// Hands the port's notices to the loop. The link lets go of it when the line closes, so a notice
// still on its way finds nobody instead of a later line.
class ProcessorLink::Mailbox : public LineListener, public std::enable_shared_from_this<Mailbox> {
public:
    Mailbox(EventLoop& loop, ProcessorLink& link) : loop_(loop), link_(&link) {}
    void detach() { link_ = nullptr; }  // on the loop's thread

    void bytesArrived(std::string_view bytes) override
    {
        deliver([bytes = std::string(bytes)](ProcessorLink& link) { link.arrived(bytes); });
    }
    void lineConnected(const std::string&) override
    {
        deliver([](ProcessorLink& link) { link.connected(); });
    }
    void lineGone(const std::string&) override
    {
        deliver([](ProcessorLink& link) { link.lineFailed("the line went down"); });
    }
    void portError(const PortError& error) override
    {
        deliver([text = describeLineFault(error)](ProcessorLink& link) { link.lineFailed(text); });
    }

private:
    template <typename Work>
    void deliver(Work work)
    {
        loop_.post([self = shared_from_this(), work = std::move(work)] {
            if (self->link_)
                work(*self->link_);
        });
    }

    EventLoop& loop_;
    ProcessorLink* link_;
};

ProcessorLink::ProcessorLink(EventLoop& loop, std::string name, std::string port, LinkObserver& observer,
                             ExchangeTiming timing, RetryPause pause)
    : loop_(loop), name_(std::move(name)), port_(std::move(port)), observer_(observer), timing_(timing), pause_(pause),
      exchange_(ReplyChecks::Strict, timing), replyTimer_(loop), retryTimer_(loop), finishTimer_(loop),
      nextPause_(pause.first)
{
}

ProcessorLink::~ProcessorLink() { closeLine(); }

void ProcessorLink::start() { openLine(); }

void ProcessorLink::openLine()
{
    closeLine();
    setState(LinkState::Connecting);
    line_ = std::make_unique<LinePort>();
    mailbox_ = std::make_shared<Mailbox>(loop_, *this);
    written_ = 0;
    const OpenResult opened = line_->open(port_, LineSettings{}, *mailbox_);
    if (!opened.started()) {
        lineFailed(describeLineFault(opened.failure));
        return;
    }
    if (opened.state == OpenResult::State::Open)
        connected();
    // A network port says when it has connected, or why it could not, by its own deadline.
}

void ProcessorLink::connected()
{
    if (state_ == LinkState::Connecting && !awaiting_)
        await(exchange_.greet());
}

void ProcessorLink::await(std::string frame)
{
    awaiting_ = true;
    sendFrame(frame);
    replyTimer_.start(exchange_.deadline(), [this] { judge(); });
}

void ProcessorLink::arrived(const std::string& bytes)
{
    if (!awaiting_)
        return;  // nothing is asked: the processor does not speak unprompted
    exchange_.received(bytes);
    if (exchange_.complete())
        judge();
}

void ProcessorLink::judge()
{
    replyTimer_.cancel();
    awaiting_ = false;
    const Reply reply = exchange_.awaiting();
    const Verdict verdict = exchange_.verdict();
    if (verdict != Verdict::Good) {
        const std::string why = describeVerdict(reply, verdict);
        if (reply == Reply::UploadAck) {
            // The processor took the frame; only its confirmation is missing.
            ++figures_.errors;
            complete(why);
        } else {
            lineFailed(why);
        }
        return;
    }
    switch (reply) {
    case Reply::Hello:
        greeted_ = true;
        await(exchange_.requestImage());
        return;
    case Reply::Image:
        exchange_.takeImage(image_);
        ++figures_.reads;
        figures_.lastRead = std::chrono::system_clock::now();
        nextPause_ = pause_.first;
        setState(LinkState::Connected);
        observer_.imageReplaced(*this);
        complete({});
        return;
    case Reply::UploadAck: complete({}); return;
    }
}

void ProcessorLink::lineFailed(const std::string& reason)
{
    if (finishing_)
        return;
    ++figures_.errors;
    complete(reason);
    goOffline(reason);
}

void ProcessorLink::goOffline(const std::string& reason)
{
    closeLine();
    setState(LinkState::Offline, reason);
    retryTimer_.start(nextPause_, [this] { openLine(); });
    nextPause_ = std::min(nextPause_ * 2, pause_.longest);
}

void ProcessorLink::closeLine()
{
    replyTimer_.cancel();
    awaiting_ = false;
    greeted_ = false;
    if (mailbox_)
        mailbox_->detach();
    mailbox_.reset();
    if (line_)
        line_->close();
    line_.reset();
}

void ProcessorLink::setState(LinkState state, std::string reason)
{
    if (state == state_ && reason == reason_)
        return;
    state_ = state;
    reason_ = std::move(reason);
    observer_.stateChanged(*this);
}

void ProcessorLink::complete(const std::string& error)
{
    if (Done done = std::exchange(pending_, nullptr))
        done(error);
}

void ProcessorLink::sendFrame(const std::string& frame)
{
    if (!line_)
        return;
    line_->write(frame);
    ++written_;
    ++figures_.framesSent;
}

void ProcessorLink::send(const std::vector<std::string>& frames)
{
    if (state_ != LinkState::Connected)
        return;
    for (const std::string& frame : frames)
        sendFrame(frame);
}

void ProcessorLink::readAgain(Done done)
{
    if (state_ != LinkState::Connected || awaiting_) {
        done(state_ != LinkState::Connected ? "the processor is offline" : "the processor is busy with another transfer");
        return;
    }
    pending_ = std::move(done);
    await(exchange_.requestImage());
}

void ProcessorLink::upload(const ParameterImage& image, Done done)
{
    if (state_ != LinkState::Connected || awaiting_) {
        done(state_ != LinkState::Connected ? "the processor is offline" : "the processor is busy with another transfer");
        return;
    }
    image_ = image;
    observer_.imageReplaced(*this);
    pending_ = std::move(done);
    await(exchange_.upload(image));
}

void ProcessorLink::finish(std::function<void()> done)
{
    finishing_ = true;
    retryTimer_.cancel();
    replyTimer_.cancel();
    complete("the service is stopping");
    if (!line_ || !greeted_) {
        closeLine();
        done();
        return;
    }
    sendFrame(std::string(wire::kBye));
    // The goodbye is a few characters: it leaves within the close wait unless the line is stuck.
    finishDeadline_ = std::chrono::steady_clock::now() + timing_.close + timing_.connect;
    finished_ = std::move(done);
    awaitGoodbye();
}

void ProcessorLink::awaitGoodbye()
{
    if (line_ && line_->textsSent() < written_ && line_->isOpen() && std::chrono::steady_clock::now() < finishDeadline_) {
        finishTimer_.start(std::chrono::milliseconds(2), [this] { awaitGoodbye(); });
        return;
    }
    closeLine();
    setState(LinkState::Offline, "the service stopped");
    if (auto done = std::exchange(finished_, nullptr))
        done();
}

}  // namespace tonel::web
