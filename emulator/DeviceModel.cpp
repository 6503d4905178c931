#include "emulator/DeviceModel.h"

#include "device/WireProtocol.h"
#include "emulator/CommandApplier.h"

#include <algorithm>
#include <cstdio>

namespace tonel::emulator {
namespace {

constexpr std::string_view kUploadStart = "(01P376";
constexpr std::size_t kHexStart = kUploadStart.size();

bool isUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

std::string threeDigits(int count)
{
    char text[16];
    std::snprintf(text, sizeof text, "%03d", count);
    return text;
}

}  // namespace

bool isValidUpload(std::string_view frame)
{
    if (frame.size() != wire::kUploadFrameLength || !frame.starts_with(kUploadStart) || !frame.ends_with(')'))
        return false;
    std::string_view hex = frame.substr(kHexStart, static_cast<std::size_t>(wire::kImageHexCount));
    return std::all_of(hex.begin(), hex.end(), isUpperHex);
}

DeviceModel::DeviceModel(DeviceFaults faults, const ImageBytes& initial) : faults_(std::move(faults))
{
    image_.replaceAll(initial);
}

std::string DeviceModel::handleFrame(std::string_view frame) { return shaped(answer(frame)); }

std::string DeviceModel::answer(std::string_view frame)
{
    if (frame == wire::kHello)
        return faults_.helloReply.value_or(std::string(wire::kHelloReply));
    if (frame == wire::kQuery)
        return queryReply();
    if (frame.starts_with("(01P"))
        return uploadReply(frame);
    if (frame == wire::kStore)
        stored_ = image_.bytes();
    else
        applyCommand(frame, image_);  // "(01bye)" and anything unknown change nothing
    return {};
}

std::string DeviceModel::queryReply() const
{
    std::string reply = std::string(wire::kQueryReplyPrefix) + threeDigits(faults_.queryCount.value_or(wire::kImageHexCount)) +
                        wire::encodeImageHex(image_) + ")";
    if (faults_.queryTruncate && *faults_.queryTruncate < reply.size())
        reply.resize(*faults_.queryTruncate);
    return reply;
}

std::string DeviceModel::uploadReply(std::string_view frame)
{
    if (!isValidUpload(frame))
        return {};
    wire::decodeImageHex(frame, image_);  // the hex sits at positions 7..382, as in a "Q" reply
    return faults_.ackReply.value_or(std::string(wire::kUploadAck));
}

std::string DeviceModel::shaped(std::string reply) const
{
    if (faults_.silent || reply.empty())
        return {};
    return reply + faults_.trailing;
}

}  // namespace tonel::emulator
