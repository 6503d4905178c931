#pragma once
// Which ports a scan tries, by name: the machine's serial devices, or the ports named on the
// command line (ttys and network lines alike), or the virtual processor of the demo mode.

#include <cstddef>
#include <string>
#include <vector>

namespace tonel {

inline constexpr std::size_t kMaxCatalogPorts = 256;

class PortCatalog {
public:
    virtual ~PortCatalog() = default;
    // The names to try, in order. Listing never opens a port.
    virtual std::vector<std::string> presentPorts() const = 0;
};

// Exactly the given names, in the given order. A path that does not exist is still listed:
// opening it fails like any absent device, and a network name is only ever used when named.
class ExplicitPortCatalog : public PortCatalog {
public:
    explicit ExplicitPortCatalog(std::vector<std::string> names);
    std::vector<std::string> presentPorts() const override { return names_; }

private:
    std::vector<std::string> names_;
};

// The serial devices the kernel reports under /sys/class/tty/*/device, sorted by name: entries
// under "virtual" are skipped, pseudo-terminals never appear, and ports whose UART the kernel
// knows to be absent (a legacy 8250 slot) are left out — learnt from sysfs or, on kernels without
// a `type` attribute, from the driver's table in /proc, never by opening the device.
class SysfsPortCatalog : public PortCatalog {
public:
    explicit SysfsPortCatalog(std::string sysClassTty = "/sys/class/tty", std::string devDir = "/dev",
                              std::string procSerial = "/proc/tty/driver/serial");
    std::vector<std::string> presentPorts() const override;

    // The device names found (without the /dev folder), in order.
    std::vector<std::string> scanNames() const;

private:
    bool isSerialDevice(const std::string& name) const;
    bool uartKnown(const std::string& name) const;

    std::string sysClassTty_;
    std::string devDir_;
    std::string procSerial_;
};

// "ttyS2" before "ttyS10": names compare by their text with digit runs taken as numbers.
bool naturalLess(const std::string& a, const std::string& b);

}  // namespace tonel
