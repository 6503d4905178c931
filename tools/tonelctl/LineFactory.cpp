#include "tools/tonelctl/LineFactory.h"

#include "device/LinePort.h"
#include "device/PortCatalog.h"

namespace tonel::ctl {
namespace {

class PortLine : public ProcessorLine {
public:
    explicit PortLine(const PortLimits& limits) : port_(limits) {}

    OpenResult open(const std::string& name, const LineSettings& settings, LineListener& listener) override
    {
        return port_.open(name, settings, listener);
    }
    void close() override { port_.close(); }
    void write(const std::string& text) override { port_.write(text); }
    bool isOpen() const override { return port_.isOpen(); }
    std::uint64_t textsSent() const override { return port_.textsSent(); }

private:
    LinePort port_;
};

}  // namespace

std::unique_ptr<ProcessorLine> makeLine(std::chrono::milliseconds connectDeadline)
{
    PortLimits limits;
    limits.connect = connectDeadline;
    return std::make_unique<PortLine>(limits);
}

std::vector<std::string> localPortNames() { return SysfsPortCatalog().presentPorts(); }

}  // namespace tonel::ctl
