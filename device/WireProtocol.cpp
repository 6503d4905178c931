#include "device/WireProtocol.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

namespace tonel::wire {
namespace {

constexpr std::size_t kHexStart = 7;       // "(01Q376" precedes the image
constexpr std::size_t kCountPosition = 4;  // after "(01Q" / "(01P"
constexpr std::size_t kCountDigits = 3;

char hexDigit(unsigned nibble) { return static_cast<char>(nibble < 10 ? nibble + 0x30 : nibble + 0x37); }

// The device's own arithmetic, unvalidated and on unsigned 8-bit values throughout.
std::uint8_t decodePair(char hc, char lc)
{
    const auto h = static_cast<std::uint8_t>(hc);
    const auto l = static_cast<std::uint8_t>(lc);
    const auto highDigit = static_cast<std::uint8_t>(h <= 0x39 ? h : h + 9);
    const auto high = static_cast<std::uint8_t>(highDigit << 4);
    const auto low = static_cast<std::uint8_t>(l <= 0x39 ? l - 0x30 : l - 0x37);
    return static_cast<std::uint8_t>(high + low);
}

// A hexadecimal digit's value, either case; -1 for any other character.
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool isCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// atoi of the (up to) three characters at `position`: blanks, a sign, then digits.
int countAt(std::string_view text, std::size_t position)
{
    if (position >= text.size())
        return 0;
    const std::string_view field = text.substr(position, kCountDigits);
    std::size_t i = 0;
    while (i < field.size() && isCSpace(field[i]))
        ++i;
    int sign = 1;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        sign = field[i++] == '-' ? -1 : 1;
    int value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        value = value * 10 + (field[i] - '0');
    return sign * value;
}

}  // namespace

std::string encodeImageHex(const ParameterImage& image)
{
    std::string hex;
    hex.reserve(kImageHexCount);
    for (std::uint8_t byte : image.bytes()) {
        hex += hexDigit(byte >> 4);
        hex += hexDigit(byte & 0x0F);
    }
    return hex;
}

std::string uploadFrame(const ParameterImage& image)
{
    char count[8];
    std::snprintf(count, sizeof count, "%03d", kImageHexCount);
    return std::string("(01P") + count + encodeImageHex(image) + ")";
}

bool decodeImageHex(std::string_view reply, ParameterImage& image)
{
    if (reply.size() < kQueryReplyMinLength)
        return false;  // never read past a short reply; the image keeps its bytes
    ImageBytes bytes{};
    for (std::size_t i = 0; i < kImageSize; ++i)
        bytes[i] = decodePair(reply[kHexStart + 2 * i], reply[kHexStart + 2 * i + 1]);
    image.replaceAll(bytes);
    return true;
}

int queryReplyCount(std::string_view reply) { return countAt(reply, kCountPosition); }

bool isQueryReplyPrefix(std::string_view reply)
{
    return reply.starts_with(kQueryReplyPrefix) && queryReplyCount(reply) == kImageHexCount;
}

bool decodeExactImageReply(std::string_view reply, ParameterImage& image)
{
    // Only the digits "376" read as that count, so the prefix check fixes all seven characters.
    if (reply.size() != kImageReplyLength || !isQueryReplyPrefix(reply) || reply.back() != ')')
        return false;
    ImageBytes bytes{};
    for (std::size_t i = 0; i < kImageSize; ++i) {
        const int high = hexValue(reply[kHexStart + 2 * i]);
        const int low = hexValue(reply[kHexStart + 2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    image.replaceAll(bytes);
    return true;
}

void ReplyBuffer::append(char c)
{
    if (c == '(') {
        text_.assign(1, '(');
        closed_ = false;
        return;
    }
    if (c == ')')
        closed_ = true;
    // A device that never sends "(" again must not grow the buffer without end.
    if (text_.size() < kMaxLength)
        text_ += c;
}

std::string_view ReplyBuffer::firstFour() const { return std::string_view(text_).substr(0, 4); }

int ReplyBuffer::numberAt4() const { return countAt(text_, kCountPosition); }

namespace {

constexpr std::string_view kFrameStart = "(01";
constexpr std::size_t kParameterKeyLength = 10;  // "(01$" + three-digit group + three-digit item
constexpr std::string_view kKeyWords[] = {"hello", "bye"};
constexpr std::string_view kKeyLetters = "QPSOCT";

bool digitsAt(std::string_view text, std::size_t from, std::size_t count)
{
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
                       text.begin() + static_cast<std::ptrdiff_t>(from + count),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

std::string_view commandKey(std::string_view text)
{
    if (!text.starts_with(kFrameStart) || text.size() <= kFrameStart.size())
        return {};
    std::string_view body = text.substr(kFrameStart.size());
    if (body.front() == '$') {
        bool whole = text.size() >= kParameterKeyLength && digitsAt(text, 4, 6);
        return whole ? text.substr(0, kParameterKeyLength) : std::string_view{};
    }
    for (std::string_view word : kKeyWords) {
        if (body.starts_with(word))
            return text.substr(0, kFrameStart.size() + word.size());
    }
    if (kKeyLetters.find(body.front()) != std::string_view::npos)
        return text.substr(0, kFrameStart.size() + 1);
    return {};
}

}  // namespace tonel::wire
