#pragma once
// One processor as the service holds it: its line, kept open like the panel keeps it (greeting,
// the image read at the start, every change sent as it is made, the goodbye at the end), driven by
// the device's exchange from the service's loop. A line that fails is retried with a growing pause;
// when it is back the image is read again.

#include "device/Exchange.h"
#include "device/LinePort.h"
#include "model/ParameterImage.h"
#include "web/server/EventLoop.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tonel::web {

enum class LinkState { Connecting, Connected, Offline };
const char* stateName(LinkState state);

struct LinkFigures {
    std::uint64_t reads = 0;
    std::uint64_t framesSent = 0;
    std::uint64_t errors = 0;
    std::optional<std::chrono::system_clock::time_point> lastRead;
};

struct RetryPause {
    std::chrono::milliseconds first{1000};
    std::chrono::milliseconds longest{30000};
};

class ProcessorLink;

// Told on the loop's thread.
class LinkObserver {
public:
    virtual ~LinkObserver() = default;
    virtual void stateChanged(const ProcessorLink& link) = 0;
    // The whole image came from the processor (a read) or went to it (an upload).
    virtual void imageReplaced(const ProcessorLink& link) = 0;
};

class ProcessorLink {
public:
    // Called with an empty text on success, otherwise the reason.
    using Done = std::function<void(const std::string& error)>;

    ProcessorLink(EventLoop& loop, std::string name, std::string port, LinkObserver& observer,
                  ExchangeTiming timing = {}, RetryPause pause = {});
    ~ProcessorLink();
    ProcessorLink(const ProcessorLink&) = delete;
    ProcessorLink& operator=(const ProcessorLink&) = delete;

    void start();
    // The goodbye, then the line closes; `done` once it has left or could not.
    void finish(std::function<void()> done);

    const std::string& name() const { return name_; }
    const std::string& port() const { return port_; }
    LinkState state() const { return state_; }
    const std::string& reason() const { return reason_; }  // why offline
    const LinkFigures& figures() const { return figures_; }
    // Waiting for a reply: a read or an upload is under way.
    bool busy() const { return awaiting_; }

    const ParameterImage& image() const { return image_; }
    // Changes are made to the image by the caller, then their frames are sent.
    ParameterImage& image() { return image_; }
    void send(const std::vector<std::string>& frames);

    void readAgain(Done done);
    void upload(const ParameterImage& image, Done done);

private:
    class Mailbox;
    void openLine();
    void connected();
    void await(std::string frame);
    void arrived(const std::string& bytes);
    void judge();
    void lineFailed(const std::string& reason);
    void goOffline(const std::string& reason);
    void closeLine();
    void setState(LinkState state, std::string reason = {});
    void complete(const std::string& error);
    void sendFrame(const std::string& frame);
    void awaitGoodbye();

    EventLoop& loop_;
    const std::string name_;
    const std::string port_;
    LinkObserver& observer_;
    const ExchangeTiming timing_;
    const RetryPause pause_;

    std::unique_ptr<LinePort> line_;
    std::shared_ptr<Mailbox> mailbox_;  // a new one for every open, so late notices find nobody
    Exchange exchange_;
    EventLoop::Timer replyTimer_;
    EventLoop::Timer retryTimer_;
    EventLoop::Timer finishTimer_;
    std::chrono::milliseconds nextPause_;
    bool awaiting_ = false;
    bool finishing_ = false;
    bool greeted_ = false;  // the processor answered this line's greeting: it is owed a goodbye
    std::uint64_t written_ = 0;  // texts handed to this open of the line
    Done pending_;               // the read or upload a caller waits for
    std::function<void()> finished_;
    std::chrono::steady_clock::time_point finishDeadline_;

    LinkState state_ = LinkState::Offline;
    std::string reason_ = "not started";
    LinkFigures figures_;
    ParameterImage image_;
};

}  // namespace tonel::web
