#pragma once
// One session with one processor, free of threads, clocks and I/O: it gives the frames to send,
// takes the characters that arrive and judges each reply. Its driver decides when to look: the
// panel when its fixed waits expire, tonelctl as soon as a reply is complete, an event loop
// either way. The waits themselves are declared here, once.

#include "device/WireProtocol.h"
#include "model/ParameterImage.h"

#include <chrono>
#include <string>
#include <string_view>

namespace tonel {

// How long each reply may take; the defaults are the panel's fixed waits.
struct ExchangeTiming {
    std::chrono::milliseconds hello{280};
    std::chrono::milliseconds image{400};
    std::chrono::milliseconds upload{800};
    std::chrono::milliseconds connect{2000};  // a network port's connect, before the greeting goes out
    std::chrono::milliseconds close{280};     // after the goodbye, before the line is closed
    // Every reply deadline and the connect raised to at least `floor` (slow lines, converters
    // that buffer).
    static ExchangeTiming atLeast(std::chrono::milliseconds floor);
};

// The replies the processor gives; every other frame goes unanswered.
enum class Reply { Hello, Image, UploadAck };

enum class ReplyChecks {
    // The panel's: the image is taken by its prefix and count, with the device's own digit
    // arithmetic and without its ")"; replies keep accumulating across the frames sent.
    Panel,
    // Nothing but the exact frame: the image is "(01Q" with its count, 376 hexadecimal digits of
    // either case and ")"; each request starts its reply afresh and the reply is over once
    // complete.
    Strict,
};

enum class Verdict {
    Good,
    Silent,      // nothing arrived
    Incomplete,  // a reply began and has not ended
    Invalid,     // not the reply asked for
};

// A verdict on `reply` in the operator's words ("no answer to the image request"); empty for Good.
std::string describeVerdict(Reply reply, Verdict verdict);

class Exchange {
public:
    explicit Exchange(ReplyChecks checks, ExchangeTiming timing = {}) : checks_(checks), timing_(timing) {}

    const ExchangeTiming& timing() const { return timing_; }

    // The frame to send; from then on its reply is awaited, for deadline().
    std::string greet();
    std::string requestImage();
    std::string upload(const ParameterImage& image);

    Reply awaiting() const { return awaiting_; }
    std::chrono::milliseconds deadline() const { return deadline(awaiting_); }
    std::chrono::milliseconds deadline(Reply reply) const;

    // Characters from the line, in arrival order.
    void received(std::string_view bytes);
    // The awaited reply has ended, or can no longer be good: a driver that need not wait out its
    // deadline judges it now.
    bool complete() const;

    // The reply as it stands, judged as `reply` (the panel's late timers judge a reply no longer
    // awaited).
    Verdict verdict() const { return verdict(awaiting_); }
    Verdict verdict(Reply reply) const;
    // A good image reply decoded into `image`; otherwise false and `image` untouched.
    bool takeImage(ParameterImage& image) const;

private:
    std::string await(Reply reply, std::string frame);
    bool good(Reply reply) const;
    bool tooLong(Reply reply) const;

    ReplyChecks checks_;
    ExchangeTiming timing_;
    Reply awaiting_ = Reply::Hello;
    wire::ReplyBuffer reply_;
};

}  // namespace tonel
