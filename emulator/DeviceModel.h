#pragma once
// The processor's side of the protocol, without any I/O: its image, the stored copy, and the
// answer to each received frame, bent by the fault options when a test asks for misbehaviour.

#include "model/ParameterImage.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tonel::emulator {

// Each option makes the device fail in one real way.
struct DeviceFaults {
    std::optional<std::string> helloReply;     // instead of "(01hello13)"
    std::optional<std::string> ackReply;       // instead of "(01P376)"
    std::optional<int> queryCount;             // the count of the "Q" reply instead of 376
    std::optional<std::size_t> queryTruncate;  // send only the first N characters of the "Q" reply
    bool silent = false;                       // never answer (commands are still applied)
    std::chrono::milliseconds replyDelay{0};   // answer this late
    std::string trailing;                      // appended after every reply, e.g. "\r"
};

class DeviceModel {
public:
    explicit DeviceModel(DeviceFaults faults = {}, const ImageBytes& initial = defaultImageBytes());

    // Takes one whole received frame; the reply to send, empty for none.
    std::string handleFrame(std::string_view frame);

    const ParameterImage& image() const { return image_; }
    void setImage(const ImageBytes& bytes) { image_.replaceAll(bytes); }
    // The image as it was at the last "(01S)".
    const std::optional<ImageBytes>& storedImage() const { return stored_; }
    const DeviceFaults& faults() const { return faults_; }

private:
    std::string answer(std::string_view frame);
    std::string queryReply() const;
    std::string uploadReply(std::string_view frame);
    std::string shaped(std::string reply) const;

    DeviceFaults faults_;
    ParameterImage image_;
    std::optional<ImageBytes> stored_;
};

// A "P" upload the device accepts: 384 characters, count 376, upper-case hexadecimal digits.
bool isValidUpload(std::string_view frame);

}  // namespace tonel::emulator
