#pragma once
// One session with one processor for tonelctl: the device's exchange driven from blocking waits.
// Greet, check the greeting, do the work, say goodbye. Each reply is taken as soon as it is
// complete and only when it is exactly right; the deadlines are the panel's waits unless raised.

#include "device/Exchange.h"
#include "device/SerialLine.h"
#include "model/ParameterImage.h"
#include "tools/tonelctl/LineFactory.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace tonel::ctl {

using std::chrono::milliseconds;
// The deadlines: hello, image, upload, connect; atLeast(floor) raises them for slow lines.
using tonel::ExchangeTiming;

class ProcessorExchange : private LineListener {
public:
    // Without a line, the device layer's port, whose connect gets `timing.connect`.
    ProcessorExchange(std::string port, ExchangeTiming timing, std::unique_ptr<ProcessorLine> line = nullptr);
    ~ProcessorExchange() override;  // says goodbye if still greeted, then closes
    ProcessorExchange(const ProcessorExchange&) = delete;
    ProcessorExchange& operator=(const ProcessorExchange&) = delete;

    // Each step returns an empty text on success, otherwise the reason in the operator's words.
    std::string greet();                              // open, let a network port connect, greet
    std::string readImage(ParameterImage& image);     // the image request and its exact reply
    std::string upload(const ParameterImage& image);  // the whole image, and its confirmation
    void send(const std::string& frame);              // a command without a reply
    std::string finish();                             // the goodbye, out before the line closes

    const std::string& port() const { return port_; }

private:
    void bytesArrived(std::string_view bytes) override;
    void lineConnected(const std::string& port) override;
    void lineGone(const std::string& port) override;
    void portError(const PortError& error) override;

    std::string awaitConnect();
    // Sends the frame `ask` gets from the exchange and waits for its reply to be complete.
    template <typename Ask>
    std::string request(Ask ask);
    std::string failureText() const;

    std::string port_;
    std::unique_ptr<ProcessorLine> line_;
    bool greeted_ = false;
    std::uint64_t written_ = 0;

    std::mutex mutex_;  // what the port's thread hands over
    std::condition_variable arrived_;
    Exchange exchange_;
    bool lineConnected_ = false;
    bool lineGone_ = false;
    std::optional<PortError> error_;
};

}  // namespace tonel::ctl
