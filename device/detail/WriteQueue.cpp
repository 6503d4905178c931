#include "device/detail/WriteQueue.h"

#include "device/WireProtocol.h"

#include <algorithm>
#include <vector>

namespace tonel::detail {
void WriteQueue::push(std::string text)
{
    std::string_view key = wire::commandKey(text);
    if (!texts_.empty() && !key.empty() && wire::commandKey(texts_.back()) == key) {
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
        const std::string_view key = wire::commandKey(*it);
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

}  // namespace tonel::detail
