#pragma once
// Texts handed to the port and not yet sent, oldest first. A slider drag produces a burst of the
// same command: a new text replaces the last pending one when both are the same command, so the
// device gets the latest value without a backlog. Any other text is kept, and order is preserved
// (an effect command must stay behind the program switch sent before it).

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace tonel::detail {

// Texts are the same command when wire::commandKey says so; texts without a key never replace anything.
class WriteQueue {
public:
    // A device that stops taking bytes must not let the queue grow without end. A full queue first
    // drops values that a later text of the same command supersedes; only then the oldest text.
    static constexpr std::size_t kMaxTexts = 256;

    void push(std::string text);
    std::optional<std::string> pop();
    void clear() { texts_.clear(); }
    std::size_t size() const { return texts_.size(); }
    bool empty() const { return texts_.empty(); }
    std::size_t dropped() const { return dropped_; }

private:
    void compact();
    std::deque<std::string> texts_;
    std::size_t dropped_ = 0;
};

}  // namespace tonel::detail
