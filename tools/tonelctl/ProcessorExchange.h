#pragma once
// One session with one processor, as the panel holds it: greet, check the greeting, do the work,
// say goodbye. Each reply is taken as soon as it is complete; the panel's timers are only the
// deadlines.

#include "device/SerialLine.h"
#include "device/WireProtocol.h"
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

struct ExchangeTiming {
    milliseconds hello{280};    // the panel's hello timer
    milliseconds image{400};    // its image timer
    milliseconds upload{800};   // its upload timer
    milliseconds connect{2000}; // a network port's connect, before the hello deadline starts
    // Every deadline raised to at least `floor` (slow lines, converters that buffer).
    static ExchangeTiming atLeast(milliseconds floor);
};

class ProcessorExchange : private LineListener {
public:
    ProcessorExchange(std::string port, ExchangeTiming timing, std::unique_ptr<ProcessorLine> line = makeLine());
    ~ProcessorExchange() override;  // says goodbye if still greeted, then closes
    ProcessorExchange(const ProcessorExchange&) = delete;
    ProcessorExchange& operator=(const ProcessorExchange&) = delete;

    // Each step returns an empty text on success, otherwise the reason in the operator's words.
    std::string greet();                                   // open, "(01hello)", check "(01hello13)"
    std::string readImage(ParameterImage& image);          // "(01Q)" and its 376 characters
    std::string upload(const ParameterImage& image);       // the "P" frame, check "(01P376)"
    void send(const std::string& frame);                   // a command without a reply
    std::string finish();                                  // "(01bye)", out before the line closes

    const std::string& port() const { return port_; }

private:
    enum class Wait { Complete, TimedOut, Failed };
    void bytesArrived(std::string_view bytes) override;
    void lineGone(const std::string& port) override;
    void portError(const PortError& error) override;

    Wait awaitReply(milliseconds deadline, std::string& reply);
    std::string request(const std::string& frame, milliseconds deadline, std::string& reply, const char* silent,
                        const char* partial);
    std::string failureText() const;

    std::string port_;
    ExchangeTiming timing_;
    std::unique_ptr<ProcessorLine> line_;
    bool connecting_ = false;
    bool greeted_ = false;
    std::uint64_t written_ = 0;

    std::mutex mutex_;  // what the port's thread hands over
    std::condition_variable arrived_;
    wire::ReplyBuffer reply_;
    bool replyClosed_ = false;
    bool lineGone_ = false;
    std::optional<PortError> error_;
};

}  // namespace tonel::ctl
