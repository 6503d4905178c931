#include "device/PortCatalog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/serial.h>
#endif

namespace tonel {
namespace fs = std::filesystem;
namespace {

constexpr int kUnknownUartType = 0;  // PORT_UNKNOWN

std::vector<int> numbersUpTo(std::size_t count)
{
    std::vector<int> ports;
    for (std::size_t i = 1; i <= std::min(count, kMaxCatalogPorts); ++i)
        ports.push_back(static_cast<int>(i));
    return ports;
}

std::size_t digitRunEnd(const std::string& s, std::size_t from)
{
    while (from < s.size() && std::isdigit(static_cast<unsigned char>(s[from])))
        ++from;
    return from;
}

bool isDigitAt(const std::string& s, std::size_t i)
{
    return i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]));
}

// Compares two digit runs by value (leading zeros aside), then by length.
int compareNumbers(std::string_view a, std::string_view b)
{
    auto strip = [](std::string_view s) { return s.substr(std::min(s.find_first_not_of('0'), s.size())); };
    std::string_view x = strip(a), y = strip(b);
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

bool underVirtual(const fs::path& path)
{
    std::error_code error;
    fs::path real = fs::canonical(path, error);
    return error || real.string().find("/virtual/") != std::string::npos;
}

// The UART type through the kernel's serial ioctl; an unreadable device is given the benefit
// of the doubt (opening it later fails on its own).
bool uartKnownByIoctl([[maybe_unused]] const std::string& device)
{
#ifdef __linux__
    int fd = ::open(device.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return true;
    serial_struct info{};
    bool known = ::ioctl(fd, TIOCGSERIAL, &info) != 0 || info.type != kUnknownUartType;
    ::close(fd);
    return known;
#else
    return true;
#endif
}

}  // namespace

bool naturalLess(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigitAt(a, i) && isDigitAt(b, j)) {
            std::size_t iEnd = digitRunEnd(a, i), jEnd = digitRunEnd(b, j);
            int order = compareNumbers(std::string_view(a).substr(i, iEnd - i),
                                       std::string_view(b).substr(j, jEnd - j));
            if (order != 0)
                return order < 0;
            i = iEnd;
            j = jEnd;
        } else if (a[i] != b[j]) {
            return a[i] < b[j];
        } else {
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j || (a.size() - i == b.size() - j && a < b);
}

ExplicitPortCatalog::ExplicitPortCatalog(std::vector<std::string> devicePaths) : paths_(std::move(devicePaths))
{
    if (paths_.size() > kMaxCatalogPorts)
        paths_.resize(kMaxCatalogPorts);
}

std::vector<int> ExplicitPortCatalog::presentPorts() const { return numbersUpTo(paths_.size()); }

std::string ExplicitPortCatalog::devicePath(int port) const
{
    if (port < 1 || static_cast<std::size_t>(port) > paths_.size())
        return {};
    return paths_[static_cast<std::size_t>(port) - 1];
}

SysfsPortCatalog::SysfsPortCatalog(std::string sysClassTty, std::string devDir)
    : sysClassTty_(std::move(sysClassTty)), devDir_(std::move(devDir))
{
}

std::vector<std::string> SysfsPortCatalog::scanNames() const
{
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(sysClassTty_, error)) {
        std::string name = entry.path().filename().string();
        if (isSerialDevice(name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), naturalLess);
    if (names.size() > kMaxCatalogPorts)
        names.resize(kMaxCatalogPorts);
    return names;
}

bool SysfsPortCatalog::isSerialDevice(const std::string& name) const
{
    const fs::path entry = fs::path(sysClassTty_) / name;
    std::error_code error;
    if (!fs::exists(entry / "device", error) || underVirtual(entry) || underVirtual(entry / "device"))
        return false;
    return uartKnown(name);
}

// Serial-core ports publish their UART type in sysfs; legacy 8250 slots without a UART read 0.
bool SysfsPortCatalog::uartKnown(const std::string& name) const
{
    std::ifstream typeFile(fs::path(sysClassTty_) / name / "type");
    int type = kUnknownUartType;
    if (typeFile >> type)
        return type != kUnknownUartType;
    if (name.starts_with("ttyS"))
        return uartKnownByIoctl((fs::path(devDir_) / name).string());
    return true;
}

std::vector<int> SysfsPortCatalog::presentPorts() const
{
    std::lock_guard lock(mutex_);
    lastScan_ = scanNames();
    scanned_ = true;
    return numbersUpTo(lastScan_.size());
}

std::string SysfsPortCatalog::devicePath(int port) const
{
    std::lock_guard lock(mutex_);
    if (!scanned_) {
        lastScan_ = scanNames();
        scanned_ = true;
    }
    if (port < 1 || static_cast<std::size_t>(port) > lastScan_.size())
        return {};
    return (fs::path(devDir_) / lastScan_[static_cast<std::size_t>(port) - 1]).string();
}

}  // namespace tonel
