#pragma once
// The view's port, counted: the texts handed to the open line and the texts that have left since
// it opened, so the end of the run can wait until the last one (the goodbye) is out, not merely
// the first of those queued ahead of it.

#include "device/SerialLine.h"

#include <cstdint>
#include <functional>

namespace tonel {

class CountedLine : public SerialLine {
public:
    // `sent` counts the texts the line has sent in all (LinePort::textsSent).
    CountedLine(SerialLine& line, std::function<std::uint64_t()> sent) : line_(line), sent_(std::move(sent)) {}

    OpenResult open(const std::string& name, const LineSettings& settings, LineListener& listener) override
    {
        const OpenResult result = line_.open(name, settings, listener);  // what was queued before is gone
        sentAtOpen_ = sent_();
        queued_ = 0;
        return result;
    }
    void close() override { line_.close(); }
    void write(const std::string& text) override
    {
        if (line_.isOpen())
            ++queued_;
        line_.write(text);
    }
    bool isOpen() const override { return line_.isOpen(); }

    // Every text written while the line was open has left. A text the line replaced with a newer
    // one of the same command, or failed to send, keeps this false until the caller's deadline.
    bool allSent() const { return sent_() - sentAtOpen_ >= queued_; }

private:
    SerialLine& line_;
    std::function<std::uint64_t()> sent_;
    std::uint64_t sentAtOpen_ = 0;
    std::uint64_t queued_ = 0;
};

}  // namespace tonel
