#pragma once
// Frames exchanged with the processor, the hexadecimal image and the reply assembly.

#include "model/ParameterImage.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tonel::wire {

inline constexpr std::string_view kHello = "(01hello)";
inline constexpr std::string_view kHelloReply = "(01hello13)";
inline constexpr std::string_view kQuery = "(01Q)";
inline constexpr std::string_view kQueryReplyPrefix = "(01Q";
inline constexpr int kImageHexCount = 376;
inline constexpr std::string_view kUploadAck = "(01P376)";
inline constexpr std::string_view kStore = "(01S)";
inline constexpr std::string_view kBye = "(01bye)";
inline constexpr std::string_view kEasyMode = "(01O0)";
inline constexpr std::string_view kFullMode = "(01O1)";
inline constexpr std::size_t kUploadFrameLength = 384;
inline constexpr std::size_t kQueryReplyMinLength = 383;  // "(01Q376" + 376 hex characters
inline constexpr std::size_t kImageReplyLength = 384;     // ... and its ")"

// 376 upper-case hexadecimal characters, byte 0 first, high nibble first.
std::string encodeImageHex(const ParameterImage& image);
// "(01P376" + hex + ")".
std::string uploadFrame(const ParameterImage& image);

// Decodes reply positions 7..382 into the image with the device's exact 8-bit arithmetic
// (unvalidated: "0a" gives 0x2A). A reply shorter than 383 characters is rejected: false and the
// image unchanged.
bool decodeImageHex(std::string_view reply, ParameterImage& image);

// The three characters after "(01Q" read as a decimal number (atoi semantics: "037" gives 37,
// fewer than three characters read what is there).
int queryReplyCount(std::string_view reply);
// The read check: prefix "(01Q" and count 376.
bool isQueryReplyPrefix(std::string_view reply);

// Exactly "(01Q376" + 376 hexadecimal digits (either case) + ")": decoded into the image by
// their value. Anything else is refused: false and the image unchanged.
bool decodeExactImageReply(std::string_view reply, ParameterImage& image);

// Received characters assembled into the current reply: "(" restarts it, everything else is
// appended. Bounded: past kMaxLength characters are dropped until the next "(".
class ReplyBuffer {
public:
    static constexpr std::size_t kMaxLength = 4096;

    void append(char c);
    const std::string& text() const { return text_; }
    std::string_view firstFour() const;          // up to four characters
    int numberAt4() const;                       // three characters from position 4 as a number
    // The text is a reply: its "(" arrived (what came before any is noise).
    bool begun() const { return text_.starts_with('('); }
    // A ")" arrived since the reply began, kept or dropped by the bound: the sender says it is done.
    bool closed() const { return closed_; }
    void clear()
    {
        text_.clear();
        closed_ = false;
    }

private:
    std::string text_;
    bool closed_ = false;
};


// What makes two texts the same command: "(01$" + group + item for a parameter command, the
// command letter or word for the others ("(01O", "(01hello"). Empty for texts that are not frames.
std::string_view commandKey(std::string_view text);

}  // namespace tonel::wire
