// Lines for tonelctl over the port object that opens a device by number.

#include "tools/tonelctl/LineFactory.h"

#include "device/CCommPort.h"
#include "device/PortCatalog.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tonel::ctl {
namespace {

constexpr int kThePort = 1;
constexpr int kNoPort = 2;  // opening it closes the port object
constexpr std::uint32_t kEventMask = 0x1FD;
constexpr std::size_t kWriteBuffer = 1024;

// Why a device cannot be opened, found the way the port's own open would fail.
int openFailure(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    ::close(fd);
    return EBUSY;  // it opens, so the port's exclusive lock was refused
}

class CommPortLine : public ProcessorLine, private PortOwner {
public:
    OpenResult open(const std::string& name, const LineSettings&, LineListener& listener) override
    {
        close();
        if (name.find("://") != std::string::npos)
            return failed(name, EPROTONOSUPPORT);
        catalog_ = std::make_unique<ExplicitPortCatalog>(std::vector<std::string>{name});
        port_ = std::make_unique<CCommPort>(*catalog_);
        listener_ = &listener;
        name_ = name;
        if (!port_->open(this, kThePort, 38400, 'N', 8, 1, kEventMask, kWriteBuffer) || !port_->startMonitoring()) {
            close();
            return failed(name, openFailure(name));
        }
        return {OpenResult::State::Open, {}};
    }
    void close() override
    {
        if (port_)
            port_->open(nullptr, kNoPort, 38400, 'N', 8, 1, kEventMask, kWriteBuffer);
        port_.reset();
        listener_ = nullptr;
    }
    void write(const std::string& text) override
    {
        if (port_)
            port_->write(text);
    }
    bool isOpen() const override { return port_ && port_->isOpen(); }
    std::uint64_t textsSent() const override { return port_ ? port_->textsSent() : 0; }

private:
    static OpenResult failed(const std::string& name, int error)
    {
        return {OpenResult::State::Failed, PortError{"open()", error, name, true}};
    }
    void portNotification(PortEvent event, std::uint8_t byte, int) override
    {
        if (event == PortEvent::Char) {
            const char c = static_cast<char>(byte);
            listener_.load()->bytesArrived(std::string_view(&c, 1));
        } else if (event == PortEvent::HangUp) {
            listener_.load()->lineGone(name_);
        }
    }
    void portErrorReport(const std::string&) override { listener_.load()->portError({"read()", EIO, name_, false}); }

    std::unique_ptr<ExplicitPortCatalog> catalog_;
    std::unique_ptr<CCommPort> port_;
    std::atomic<LineListener*> listener_{nullptr};
    std::string name_;
};

}  // namespace

std::unique_ptr<ProcessorLine> makeLine() { return std::make_unique<CommPortLine>(); }

std::vector<std::string> localPortNames()
{
    SysfsPortCatalog catalog;
    std::vector<std::string> names;
    for (int port : catalog.presentPorts())
        names.push_back(catalog.devicePath(port));
    return names;
}

}  // namespace tonel::ctl
