#include "device/WriteQueue.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace tonel {
namespace {

constexpr std::string_view kFrameStart = "(01";
constexpr std::size_t kParameterKeyLength = 10;  // "(01$" + three-digit group + three-digit item
constexpr std::array<std::string_view, 2> kWords = {"hello", "bye"};
constexpr std::string_view kLetters = "QPSOCT";

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
    for (std::string_view word : kWords) {
        if (body.starts_with(word))
            return text.substr(0, kFrameStart.size() + word.size());
    }
    if (kLetters.find(body.front()) != std::string_view::npos)
        return text.substr(0, kFrameStart.size() + 1);
    return {};
}

void WriteQueue::push(std::string text)
{
    std::string_view key = commandKey(text);
    if (!texts_.empty() && !key.empty() && commandKey(texts_.back()) == key) {
        texts_.back() = std::move(text);
        return;
    }
    if (texts_.size() == kMaxTexts)
        compact();
    if (texts_.size() == kMaxTexts) {  // only distinct commands and barriers left: the oldest goes
        texts_.pop_front();
        ++dropped_;
    }
    texts_.push_back(std::move(text));
}

// The effect program switch and the microphone link change how the device applies the commands
// around them, so a value is never dropped across them.
static bool isBarrier(std::string_view key)
{
    return key == "(01$001000" || key == "(01$005002";
}

void WriteQueue::compact()
{
    // From the newest back: a text whose command comes again later, with no barrier between, is
    // superseded — the device would end with the later value anyway.
    std::vector<std::string> later;  // copies: the texts move while we go
    std::deque<std::string> kept;
    for (auto it = texts_.rbegin(); it != texts_.rend(); ++it) {
        const std::string_view key = commandKey(*it);
        if (isBarrier(key))
            later.clear();
        else if (!key.empty() && std::find(later.begin(), later.end(), key) != later.end())
            continue;
        else if (!key.empty())
            later.emplace_back(key);
        kept.push_front(std::move(*it));
    }
    texts_ = std::move(kept);
}

std::optional<std::string> WriteQueue::pop()
{
    if (texts_.empty())
        return std::nullopt;
    std::string text = std::move(texts_.front());
    texts_.pop_front();
    return text;
}

}  // namespace tonel
