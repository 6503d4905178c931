#pragma once
// A local serial device: opened exclusively, raw, with the line settings asked for.

#include "device/detail/LineTransport.h"

namespace tonel::detail {

class TtyTransport : public LineTransport {
public:
    // How often a drain looks whether the output queue has emptied.
    static constexpr std::chrono::milliseconds kDrainPoll{2};

    explicit TtyTransport(std::string path) : path_(std::move(path)) {}
    ~TtyTransport() override { closeLine(); }

    bool openLine(const LineSettings& settings, std::vector<CallFailure>& reports, CallFailure& failure) override;

protected:
    void purgeInputLocked() override;
    bool drainLocked(Clock::time_point deadline, SendResult& result) override;
    void closeLocked() override;

private:
    std::string path_;
};

}  // namespace tonel::detail
