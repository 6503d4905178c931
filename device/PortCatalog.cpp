#include "device/PortCatalog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tonel {
namespace fs = std::filesystem;
namespace {

constexpr int kUnknownUartType = 0;  // PORT_UNKNOWN

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

// "/proc/tty/driver/serial" lines read "1: uart:unknown port:000002F8 irq:3"; the file is
// readable by root only. Unknown (no table, no line) counts as present: opening it later fails
// on its own.
bool uartKnownByDriverTable(const std::string& procSerial, const std::string& name)
{
    constexpr std::string_view kPrefix = "ttyS";
    if (!name.starts_with(kPrefix))
        return true;
    std::ifstream table(procSerial);
    const std::string line = name.substr(kPrefix.size()) + ":";
    for (std::string entry; std::getline(table, entry);) {
        if (entry.starts_with(line))
            return entry.find("uart:unknown") == std::string::npos;
    }
    return true;
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

ExplicitPortCatalog::ExplicitPortCatalog(std::vector<std::string> names) : names_(std::move(names))
{
    if (names_.size() > kMaxCatalogPorts)
        names_.resize(kMaxCatalogPorts);
}

SysfsPortCatalog::SysfsPortCatalog(std::string sysClassTty, std::string devDir, std::string procSerial)
    : sysClassTty_(std::move(sysClassTty)), devDir_(std::move(devDir)), procSerial_(std::move(procSerial))
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
    return uartKnownByDriverTable(procSerial_, name);
}

std::vector<std::string> SysfsPortCatalog::presentPorts() const
{
    std::vector<std::string> paths;
    for (const std::string& name : scanNames())
        paths.push_back((fs::path(devDir_) / name).string());
    return paths;
}

}  // namespace tonel
