#pragma once
// Where port numbers come from: the machine's serial devices, or the devices named on the command
// line (and the virtual processor of the demo mode).

#include "device/SerialPort.h"

#include <mutex>
#include <string>
#include <vector>

namespace tonel {

inline constexpr std::size_t kMaxCatalogPorts = 256;

// Exactly the given devices, in the given order, numbered from 1. A path that does not exist is
// still listed: opening it fails like any absent device.
class ExplicitPortCatalog : public PortCatalog {
public:
    explicit ExplicitPortCatalog(std::vector<std::string> devicePaths);
    std::vector<int> presentPorts() const override;
    std::string devicePath(int port) const override;

private:
    std::vector<std::string> paths_;
};

// The serial devices the kernel reports under /sys/class/tty/*/device, sorted by name: entries
// under "virtual" are skipped, 8250-family ports only count when their UART type is known, and
// pseudo-terminals never appear. Each presentPorts() rescans; devicePath() uses the last scan.
class SysfsPortCatalog : public PortCatalog {
public:
    explicit SysfsPortCatalog(std::string sysClassTty = "/sys/class/tty", std::string devDir = "/dev");
    std::vector<int> presentPorts() const override;
    std::string devicePath(int port) const override;

    // The device names found (without the /dev folder), in port-number order.
    std::vector<std::string> scanNames() const;

private:
    bool isSerialDevice(const std::string& name) const;
    bool uartKnown(const std::string& name) const;

    std::string sysClassTty_;
    std::string devDir_;
    mutable std::mutex mutex_;
    mutable std::vector<std::string> lastScan_;
    mutable bool scanned_ = false;
};

// "ttyS2" before "ttyS10": names compare by their text with digit runs taken as numbers.
bool naturalLess(const std::string& a, const std::string& b);

}  // namespace tonel
