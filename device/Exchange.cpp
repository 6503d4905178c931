#include "device/Exchange.h"

#include <algorithm>

namespace tonel {

ExchangeTiming ExchangeTiming::atLeast(std::chrono::milliseconds floor)
{
    ExchangeTiming t;
    for (std::chrono::milliseconds* d : {&t.hello, &t.image, &t.upload, &t.connect})
        *d = std::max(*d, floor);
    return t;
}

std::string describeVerdict(Reply reply, Verdict verdict)
{
    struct Words {
        const char* silent;
        const char* partial;
        const char* invalid;
    };
    static constexpr Words kHello{"no answer", "reply invalid (incomplete)", "reply invalid (not a processor's greeting)"};
    static constexpr Words kImage{"no answer to the image request", "reply invalid (image incomplete)",
                                  "reply invalid (not an image of 188 bytes)"};
    static constexpr Words kUpload{"no answer to the upload", "reply invalid (upload not confirmed)",
                                   "reply invalid (upload not confirmed)"};
    const Words& words = reply == Reply::Hello ? kHello : reply == Reply::Image ? kImage : kUpload;
    switch (verdict) {
    case Verdict::Good: return {};
    case Verdict::Silent: return words.silent;
    case Verdict::Incomplete: return words.partial;
    case Verdict::Invalid: return words.invalid;
    }
    return words.invalid;
}

std::string Exchange::greet() { return await(Reply::Hello, std::string(wire::kHello)); }

std::string Exchange::requestImage() { return await(Reply::Image, std::string(wire::kQuery)); }

std::string Exchange::upload(const ParameterImage& image) { return await(Reply::UploadAck, wire::uploadFrame(image)); }

std::string Exchange::await(Reply reply, std::string frame)
{
    awaiting_ = reply;
    // The panel's buffer outlives the frames it sends; a strict reader wants only this answer.
    if (checks_ == ReplyChecks::Strict)
        reply_.clear();
    return frame;
}

std::chrono::milliseconds Exchange::deadline(Reply reply) const
{
    switch (reply) {
    case Reply::Hello: return timing_.hello;
    case Reply::Image: return timing_.image;
    case Reply::UploadAck: return timing_.upload;
    }
    return timing_.hello;
}

void Exchange::received(std::string_view bytes)
{
    for (char c : bytes) {
        // A strict reader takes the reply the moment it is complete: what follows (a line end,
        // the next frame) is not part of it, however the line happened to split the bytes.
        if (checks_ == ReplyChecks::Strict && complete())
            return;
        reply_.append(c);
    }
}

bool Exchange::complete() const { return reply_.closed() || (checks_ == ReplyChecks::Strict && tooLong(awaiting_)); }

Verdict Exchange::verdict(Reply reply) const
{
    if (good(reply))
        return Verdict::Good;
    if (reply_.text().empty())
        return Verdict::Silent;
    const bool ended = reply_.closed() || (checks_ == ReplyChecks::Strict && tooLong(reply));
    return ended ? Verdict::Invalid : Verdict::Incomplete;
}

bool Exchange::takeImage(ParameterImage& image) const
{
    if (checks_ == ReplyChecks::Strict)
        return wire::decodeExactImageReply(reply_.text(), image);
    return wire::isQueryReplyPrefix(reply_.text()) && wire::decodeImageHex(reply_.text(), image);
}

bool Exchange::good(Reply reply) const
{
    switch (reply) {
    case Reply::Hello: return reply_.text() == wire::kHelloReply;
    case Reply::UploadAck: return reply_.text() == wire::kUploadAck;
    case Reply::Image: {
        ParameterImage scratch;
        return takeImage(scratch);
    }
    }
    return false;
}

// A reply has begun and is longer than it can be: no further character makes it good.
bool Exchange::tooLong(Reply reply) const
{
    if (!reply_.begun())
        return false;  // noise before any reply, such as a start-up banner
    const std::size_t length = reply_.text().size();
    switch (reply) {
    case Reply::Hello: return length > wire::kHelloReply.size();
    case Reply::UploadAck: return length > wire::kUploadAck.size();
    case Reply::Image: return length > wire::kImageReplyLength;
    }
    return false;
}

}  // namespace tonel
